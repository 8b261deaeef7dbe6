// Bookmarks edited as steps of the history.

#include "document_p.h"

namespace pxv {

namespace {

void checkTitle(const QString& title)
{
    if (title.trimmed().isEmpty())
        throw DocumentError(DocumentError::Failed, Document::tr("A bookmark needs a title."));
}

} // namespace

void Document::addBookmark(const QVector<int>& path, const QString& title, int page, const QPointF& position)
{
    checkTitle(title);
    if (path.isEmpty() || page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, tr("There is no page %1 to bookmark.").arg(page + 1));
    runStep(tr("Add Bookmark"), StepKind::Content, [&] { d->mu->insertOutlineEntry(path, title, page, position); });
}

void Document::renameBookmark(const QVector<int>& path, const QString& title)
{
    checkTitle(title);
    runStep(tr("Rename Bookmark"), StepKind::Content, [&] { d->mu->renameOutlineEntry(path, title); });
}

void Document::deleteBookmark(const QVector<int>& path)
{
    runStep(tr("Delete Bookmark"), StepKind::Content, [&] { d->mu->deleteOutlineEntry(path); });
}

void Document::moveBookmark(const QVector<int>& from, const QVector<int>& to)
{
    if (from.isEmpty() || to.isEmpty())
        throw DocumentError(DocumentError::Failed, tr("There is no bookmark at that place."));
    runStep(tr("Move Bookmark"), StepKind::Content, [&] { d->mu->moveOutlineEntry(from, to); });
}

} // namespace pxv
