// New documents made from images and from text files.

#include "document_p.h"

#include <QFile>
#include <QFileInfo>

namespace pxv {

namespace {

void checkReadable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        throw DocumentError(DocumentError::NotFound,
                            Document::tr("The file \"%1\" does not exist or cannot be read.").arg(nativePath(path)));
}

} // namespace

std::unique_ptr<Document> Document::fromImages(const QStringList& paths, const QSizeF& paper, double margin,
                                               const CombineProgress& progress)
{
    if (paths.isEmpty())
        throw DocumentError(DocumentError::Failed, tr("There are no images to make a document of."));
    std::unique_ptr<Document> document(new Document);
    QString current;
    try {
        document->d->mu = mu::MuDocument::createEmpty();
        for (int index = 0; index < paths.size(); ++index) {
            current = cleanAbsolute(paths.at(index));
            if (progress && !progress(index, current))
                throw DocumentError(DocumentError::Cancelled, tr("Making the document was cancelled."));
            checkReadable(current);
            document->d->mu->appendImagePage(current, paper, margin);
        }
    } catch (const MuError& error) {
        throw DocumentError(
            DocumentError::Failed,
            tr("The image \"%1\" could not be read (%2).").arg(nativePath(current), QString::fromUtf8(error.what())));
    }
    document->d->neverSaved = true;
    document->d->resetPages();
    document->d->startNewBase();
    return document;
}

std::unique_ptr<Document> Document::fromText(const QString& path, const QSizeF& paper, double margin, double fontSize,
                                             const QByteArray& font)
{
    checkReadable(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(DocumentError::NotFound,
                            tr("The file \"%1\" cannot be read: %2").arg(nativePath(path), file.errorString()));
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::unique_ptr<Document> document(new Document);
    try {
        document->d->mu = mu::MuDocument::fromText(text, paper, margin, fontSize, font);
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("Could not lay out the text: %1").arg(QString::fromUtf8(error.what())));
    }
    document->d->neverSaved = true;
    document->d->resetPages();
    document->d->startNewBase();
    return document;
}

} // namespace pxv
