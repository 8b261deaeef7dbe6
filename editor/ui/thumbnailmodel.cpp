#include "thumbnailmodel.h"

#include "core/document.h"
#include "core/pagerenderer.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace pxv {

ThumbnailModel::ThumbnailModel(Document* document, QObject* parent)
    : QAbstractListModel(parent), m_document(document), m_renderer(new PageRenderer(document, this))
{
    m_renderer->setCacheLimit(kCacheBytes);
    connect(m_renderer, &PageRenderer::pageReady, this, &ThumbnailModel::onPageReady);
    connect(document, &Document::pagesChanged, this, &ThumbnailModel::onPagesChanged);
    connect(document, &Document::shownGroupsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(document, &Document::sourceChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int ThumbnailModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_document || m_document->needsPassword() ? 0 : m_document->pageCount();
}

double ThumbnailModel::scaleOf(int page) const
{
    const QSizeF size = m_document->pageSize(page);
    if (size.isEmpty())
        return 0;
    return std::min(kThumbnailWidth / size.width(), kThumbnailHeight / size.height()) * m_devicePixelRatio;
}

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_document)
        return {};
    const int page = index.row();
    if (role == Qt::DisplayRole)
        return QString::number(page + 1);
    if (role == Qt::ToolTipRole)
        return tr("Page %1").arg(page + 1);
    if (role != Qt::DecorationRole)
        return {};
    const double scale = scaleOf(page);
    QImage image = m_renderer->cachedImage(page, scale);
    if (image.isNull())
        image = m_renderer->nearestCachedImage(page, scale);
    // A white page of the right shape until it is drawn.
    const QSizeF size = m_document->pageSize(page) * (scale > 0 ? scale : 1.0);
    QPixmap pixmap(std::max(1, int(std::ceil(size.width()))), std::max(1, int(std::ceil(size.height()))));
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    if (!image.isNull())
        painter.drawImage(pixmap.rect(), image);
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    painter.end();
    pixmap.setDevicePixelRatio(m_devicePixelRatio);
    return pixmap;
}

void ThumbnailModel::requestVisible(int first, int last, double devicePixelRatio)
{
    if (!m_document)
        return;
    if (devicePixelRatio != m_devicePixelRatio) {
        m_devicePixelRatio = devicePixelRatio;
        m_renderer->cancelAll();
    }
    QSet<int> visible;
    for (int page = std::max(0, first); page <= last && page < rowCount(); ++page) {
        visible.insert(page);
        if (m_renderer->cachedImage(page, scaleOf(page)).isNull())
            m_renderer->request(page, scaleOf(page), -page);
    }
    m_renderer->cancelExcept(visible);
}

void ThumbnailModel::onPageReady(int page)
{
    const QModelIndex changed = index(page);
    emit dataChanged(changed, changed, {Qt::DecorationRole});
}

void ThumbnailModel::onPagesChanged(const PageChanges& changes)
{
    if (changes.structure || changes.everything) {
        beginResetModel();
        endResetModel();
        return;
    }
    for (PageId id : changes.changed) {
        const int page = m_document->pageIndex(id);
        if (page >= 0)
            emit dataChanged(index(page), index(page), {Qt::DecorationRole});
    }
}

} // namespace pxv
