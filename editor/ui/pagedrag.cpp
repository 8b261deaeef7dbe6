#include "pagedrag.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace pxv {

namespace {

const QString kMimeType = QStringLiteral("application/x-vellumpad-pages");

} // namespace

QMimeData* pagesMimeData(const DraggedPages& pages)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << QCoreApplication::applicationPid() << quint64(reinterpret_cast<quintptr>(pages.source)) << pages.pages;
    auto* data = new QMimeData;
    data->setData(kMimeType, bytes);
    return data;
}

std::optional<DraggedPages> draggedPages(const QMimeData* data)
{
    if (!data || !data->hasFormat(kMimeType))
        return std::nullopt;
    QDataStream in(data->data(kMimeType));
    qint64 pid = 0;
    quint64 source = 0;
    DraggedPages pages;
    in >> pid >> source >> pages.pages;
    if (in.status() != QDataStream::Ok || pid != QCoreApplication::applicationPid() || pages.pages.isEmpty())
        return std::nullopt;
    pages.source = reinterpret_cast<const Document*>(quintptr(source));
    return pages;
}

} // namespace pxv
