// Splitting a document into files, each a new document with copies of some of its pages.

#include "document_p.h"

#include "atomicfile.h"
#include "splitplan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace pxv {

namespace {

void refuseExisting(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        throw DocumentError(DocumentError::Failed,
                            Document::tr("The file \"%1\" exists already. Nothing was written: choose another folder "
                                         "or move the file away.")
                                .arg(nativePath(path)));
}

} // namespace

void Document::checkOutputFolder(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        throw DocumentError(DocumentError::Failed, tr("There is no folder to write the files into."));
    const QFileInfo info(folder);
    if (!info.exists())
        throw DocumentError(DocumentError::NotFound, tr("The folder \"%1\" does not exist.").arg(nativePath(folder)));
    if (!info.isDir())
        throw DocumentError(DocumentError::Failed, tr("\"%1\" is not a folder.").arg(nativePath(folder)));
    if (!info.isWritable())
        throw DocumentError(DocumentError::Failed,
                            tr("Files cannot be written into the folder \"%1\".").arg(nativePath(folder)));
}

QStringList Document::splitInto(const QString& folder, const QList<SplitPart>& parts,
                                const SplitProgress& progress) const
{
    checkOutputFolder(folder);
    if (parts.isEmpty())
        throw DocumentError(DocumentError::Failed, tr("There are no pages to split."));
    const QDir dir(cleanAbsolute(folder));
    QStringList paths;
    QVector<QVector<int>> pages;
    for (const SplitPart& part : parts) {
        if (part.fileName.isEmpty() || part.fileName.contains(QLatin1Char('/')) || part.fileName == QLatin1String(".")
            || part.fileName == QLatin1String(".."))
            throw DocumentError(DocumentError::Failed, tr("\"%1\" is not a file name.").arg(part.fileName));
        paths.append(dir.filePath(part.fileName));
        refuseExisting(paths.last());
        pages.append(d->sortedPages(part.pages));
    }
    if (QSet<QString>(paths.cbegin(), paths.cend()).size() != paths.size())
        throw DocumentError(DocumentError::Failed, tr("Two of the files to write have the same name."));

    QStringList written;
    try {
        for (int i = 0; i < paths.size(); ++i) {
            if (progress && !progress(i, paths.size(), paths[i]))
                throw DocumentError(DocumentError::Cancelled, tr("Splitting was cancelled."));
            refuseExisting(paths[i]); // someone may have made it since the check
            const std::unique_ptr<mu::MuDocument> extract = d->extracted(pages[i]);
            replaceFileAtomically(paths[i], [&](const QString& temp) { extract->saveFull(temp); });
            written.append(paths[i]);
        }
    } catch (...) {
        for (const QString& path : written)
            QFile::remove(path);
        throw;
    }
    return written;
}

} // namespace pxv
