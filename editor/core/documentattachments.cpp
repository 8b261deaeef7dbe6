// Files embedded in a document: added and removed as steps of the history, read and saved out.

#include "atomicfile.h"
#include "document_p.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#include <algorithm>

namespace pxv {

namespace {

DocumentError unreadable(const QString& name, const MuError& error)
{
    return DocumentError(
        DocumentError::Failed,
        Document::tr("The attachment “%1” cannot be read: %2").arg(name, QString::fromUtf8(error.what())));
}

// name, or when an attachment has it already, "name (2).ext", "name (3).ext" and so on.
QString freeName(const QString& name, const QList<Attachment>& existing)
{
    const auto taken = [&](const QString& candidate) {
        return std::any_of(existing.begin(), existing.end(), [&](const Attachment& a) { return a.name == candidate; });
    };
    const QFileInfo info(name);
    const QString suffix = info.completeSuffix().isEmpty() ? QString() : QLatin1Char('.') + info.completeSuffix();
    QString candidate = name;
    for (int n = 2; taken(candidate); ++n)
        candidate = QStringLiteral("%1 (%2)%3").arg(info.baseName()).arg(n).arg(suffix);
    return candidate;
}

} // namespace

QList<Attachment> Document::attachments() const
{
    if (d->locked)
        return {};
    try {
        return d->mu->attachments();
    } catch (const MuError&) {
        return {};
    }
}

QString Document::addAttachment(const QString& path, const QString& description)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(DocumentError::NotFound,
                            tr("“%1” cannot be read: %2").arg(QFileInfo(path).fileName(), file.errorString()));
    const QByteArray contents = file.readAll();
    const QFileInfo info(path);
    const QString name = freeName(info.fileName(), attachments());
    const QString mime = QMimeDatabase().mimeTypeForFileNameAndData(path, contents).name();
    runStep(tr("Add Attachment"), StepKind::Content,
            [&] { d->mu->addAttachment(name, contents, mime, description, info.lastModified()); });
    return name;
}

void Document::removeAttachment(const QString& name)
{
    runStep(tr("Remove Attachment"), StepKind::Content, [&] { d->mu->removeAttachment(name); });
}

QByteArray Document::attachmentData(const QString& name) const
{
    try {
        return d->mu->attachmentData(name);
    } catch (const MuError& error) {
        throw unreadable(name, error);
    }
}

void Document::saveAttachment(const QString& name, const QString& path) const
{
    const QByteArray data = attachmentData(name);
    replaceFileAtomically(path, [&](const QString& temporary) {
        QFile out(temporary);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(data) != data.size() || !out.flush())
            throw std::runtime_error(out.errorString().toStdString());
    });
}

} // namespace pxv
