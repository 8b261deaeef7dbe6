// Editing a document: steps of the undo history, and what each one changed.

#include "document_p.h"

#include "mupdf/muerror.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>
#include <exception>
#include <limits>
#include <set>

namespace pxv {

namespace {

QVector<PageId> identities(const mu::MuDocument& document)
{
    QVector<PageId> ids = document.pageObjectNumbers();
    for (int page = 0; page < ids.size(); ++page) {
        if (ids[page] <= 0)
            ids[page] = -(page + 1);
    }
    return ids;
}

} // namespace

void Document::Private::prepareForEditing()
{
    // A damaged tree is mended when the scan of page sizes reaches its end: that changes the
    // tree outside any step, so it must happen before the first one. Usually the view's scan
    // has long finished by the first edit.
    const bool mended = mu->pageTreeMended();
    while (!scanSizes(std::numeric_limits<int>::max())) {
    }
    if (!mended && mu->pageTreeMended())
        replaceBase();
}

void Document::Private::prepareForStructure()
{
    prepareForEditing();
    if (idsKnown)
        return;
    ids = identities(*mu);
    idsKnown = true;
    for (PageId id : ids) {
        try {
            if (id > 0)
                looks.insert(id, mu->pageLook(id));
        } catch (const MuError&) {
            // a page that cannot be read counts as changed by any step that touches it
        }
    }
}

int Document::Private::indexOf(PageId id) const
{
    if (idsKnown)
        return int(ids.indexOf(id));
    try {
        return mu->pageIndexOfObject(id);
    } catch (const MuError&) {
        return -1;
    }
}

PageChanges Document::Private::changed(const std::vector<int>& objects)
{
    dirty.insert(objects.begin(), objects.end());
    refreshSource(objects);
    const PageChanges changes = analyse(objects);
    if (changes.everything)
        everythingSince = ++generation;
    for (PageId id : changes.changed) {
        if (!changes.annotationsOnly.contains(id))
            contentSince.insert(id, ++generation);
    }
    return changes;
}

PageChanges Document::Private::analyse(const std::vector<int>& changed)
{
    PageChanges changes;
    bool treeTouched = false;
    std::set<int> appearances; // of the annotations that changed
    QList<int> others;
    QSet<PageId> contentChanged;
    const auto annotated = [&](int page) {
        if (!changes.changed.contains(page))
            changes.changed.append(page);
        if (!changes.annotated.contains(page))
            changes.annotated.append(page);
    };
    for (int number : changed) {
        mu::MuDocument::ObjectRole role = mu::MuDocument::ObjectRole::Other;
        try {
            role = mu->objectRole(number);
        } catch (const MuError&) {
        }
        switch (role) {
        case mu::MuDocument::ObjectRole::Page: {
            // Moving a page rewrites its /Parent only: such a page looks as it did. A page seen
            // for the first time counts as changed through and through.
            mu::MuDocument::PageLook look;
            try {
                look = mu->pageLook(number);
            } catch (const MuError&) {
            }
            const auto before = looks.constFind(number);
            const bool known = before != looks.constEnd() && look.page != 0;
            const bool same = known && before->page == look.page;
            if (!same && !changes.changed.contains(number))
                changes.changed.append(number);
            if (!known || before->content != look.content)
                contentChanged.insert(number);
            else if (!same)
                annotated(number); // its list of annotations, as when one goes with an undo
            looks.insert(number, look);
            break;
        }
        case mu::MuDocument::ObjectRole::Catalog:
            changes.outline = true;
            treeTouched = true;
            break;
        case mu::MuDocument::ObjectRole::PageTreeNode:
            treeTouched = true;
            break;
        case mu::MuDocument::ObjectRole::Outline:
            changes.outline = true;
            break;
        case mu::MuDocument::ObjectRole::Annotation: {
            // An annotation shows on its page only, and its appearance streams with it.
            int page = 0;
            try {
                page = mu->annotationPage(number);
                const std::vector<int> streams = mu->appearanceStreams(number);
                appearances.insert(streams.begin(), streams.end());
            } catch (const MuError&) {
            }
            if (page > 0)
                annotated(page);
            else
                changes.everything = true;
            break;
        }
        case mu::MuDocument::ObjectRole::FormField:
            // Shown by its widgets only, which a fill or reset draws again: they change too.
            break;
        case mu::MuDocument::ObjectRole::Free:
            // Gone with a step taken back: whatever used it changed as well.
            break;
        case mu::MuDocument::ObjectRole::Other: {
            // A page's list of annotations kept as an object of its own changes with them.
            int page = 0;
            try {
                page = mu->annotationListPage(number);
            } catch (const MuError&) {
            }
            if (page > 0)
                annotated(page);
            else
                others.append(number);
            break;
        }
        }
    }
    for (int number : others) {
        if (!appearances.count(number))
            changes.everything = true;
    }

    if (treeTouched && !idsKnown) {
        // Not a step that was to move pages, yet the tree changed: nothing can be told apart.
        changes.everything = true;
        resetPages();
    } else if (treeTouched) {
        const QVector<PageId> now = identities(*mu);
        if (now != ids) {
            changes.structure = true;
            changes.outline = true; // its entries may lead to other page numbers now
            const QSet<PageId> before(ids.cbegin(), ids.cend());
            const QSet<PageId> after(now.cbegin(), now.cend());
            for (PageId id : now) {
                if (!before.contains(id))
                    changes.inserted.append(id);
            }
            for (PageId id : ids) {
                if (!after.contains(id))
                    changes.removed.append(id);
            }
            // Sizes follow their pages; new pages are read when asked for.
            QHash<PageId, QSizeF> knownSizes;
            for (int page = 0; page < ids.size() && page < count; ++page) {
                if (known[size_t(page)])
                    knownSizes.insert(ids[page], sizes[size_t(page)]);
            }
            ids = now;
            count = ids.size();
            sizes.assign(size_t(count), QSizeF());
            known.assign(size_t(count), false);
            for (int page = 0; page < count; ++page) {
                const auto size = knownSizes.constFind(ids[page]);
                if (size != knownSizes.constEnd()) {
                    sizes[size_t(page)] = *size;
                    known[size_t(page)] = true;
                }
            }
        }
    }

    // Pages gone from the document need no notice of their own; the others are read again.
    QList<PageId> present;
    for (PageId id : changes.changed) {
        const int page = indexOf(id);
        if (page < 0 || page >= count)
            continue;
        present.append(id);
        known[size_t(page)] = false;
        sizeOf(page);
    }
    changes.changed = present;
    QList<PageId> annotatedPresent;
    for (PageId id : changes.annotated) {
        if (!present.contains(id))
            continue;
        annotatedPresent.append(id);
        if (!changes.everything && !contentChanged.contains(id))
            changes.annotationsOnly.append(id);
    }
    changes.annotated = annotatedPresent;
    return changes;
}

void Document::runStep(const QString& name, StepKind kind, const std::function<void()>& edit)
{
    if (d->locked)
        throw DocumentError(DocumentError::Failed, tr("The document is still locked by its password."));
    if (kind == StepKind::Structure)
        d->prepareForStructure();
    else
        d->prepareForEditing();
    const bool wasModified = d->modified();
    const int before = d->mu->historyPosition();
    std::vector<int> changed;
    try {
        d->mu->beginStep(name);
        edit();
        changed = d->mu->endStep();
    } catch (...) {
        // What the edit did before it failed is taken back, and the step stays out of redo.
        const std::exception_ptr failure = std::current_exception();
        try {
            changed = d->mu->endStep();
            if (!changed.empty())
                d->mu->undo();
        } catch (const MuError&) {
            // the document stays as the failed edit and its undo left it; the views hear of it
        }
        d->historyLimit = d->mu->historyPosition();
        if (!changed.empty())
            emit pagesChanged(d->changed(changed));
        try {
            std::rethrow_exception(failure);
        } catch (const MuError& error) {
            throw DocumentError(DocumentError::Failed,
                                tr("%1 could not be done: %2").arg(name, QString::fromUtf8(error.what())));
        }
    }
    if (changed.empty())
        return;
    // The steps that could have been redone are gone, and with them perhaps the saved state.
    if (d->savedPosition > before)
        d->savedPosition = -1;
    d->historyLimit = d->mu->historyPosition();
    emit pagesChanged(d->changed(changed));
    emit historyChanged();
    if (wasModified != d->modified())
        emit modifiedChanged(d->modified());
}

quint64 Document::contentGeneration(PageId id) const
{
    return std::max(d->everythingSince, d->contentSince.value(id));
}

PageId Document::pageId(int page) const
{
    if (page < 0 || page >= d->count)
        return 0;
    return d->idOf(page);
}

int Document::pageIndex(PageId id) const
{
    if (id < 0) // a page known by its place
        return -id - 1 < d->count ? -id - 1 : -1;
    return d->indexOf(id);
}

void Document::rotatePages(const QVector<int>& pages, int degrees)
{
    if (degrees % 90 != 0)
        throw DocumentError(DocumentError::Failed, tr("Pages can only be rotated by a multiple of 90 degrees."));
    for (int page : pages) {
        if (page < 0 || page >= pageCount())
            throw DocumentError(DocumentError::Failed, tr("Page %1 does not exist.").arg(page + 1));
    }
    if (pages.isEmpty() || degrees % 360 == 0)
        return;
    runStep(pages.size() == 1 ? tr("Rotate Page") : tr("Rotate Pages"), StepKind::Content, [&] {
        for (int page : pages)
            d->mu->rotatePage(page, degrees);
    });
}

void Document::rotatePage(int page, int degrees)
{
    rotatePages({page}, degrees);
}

void Document::movePages(const QVector<int>& pages, int position)
{
    const QVector<int> sorted = d->sortedPages(pages);
    if (position < 0 || position > pageCount() - sorted.size())
        throw DocumentError(DocumentError::Failed,
                            tr("The pages cannot be moved to page %1 of %2.").arg(position + 1).arg(pageCount()));
    if (sorted.isEmpty())
        return;
    runStep(sorted.size() == 1 ? tr("Move Page") : tr("Move Pages"), StepKind::Structure,
            [&] { d->mu->movePages(sorted, position); });
}

QStringList Document::historySteps() const
{
    QStringList steps;
    for (int step = 0; step < d->historyLimit; ++step)
        steps.append(d->mu->historyStepName(step));
    return steps;
}

int Document::historyPosition() const
{
    return d->mu ? d->mu->historyPosition() : 0;
}

bool Document::canUndo() const
{
    return historyPosition() > 0;
}

bool Document::canRedo() const
{
    return historyPosition() < d->historyLimit;
}

QString Document::undoName() const
{
    return canUndo() ? d->mu->historyStepName(historyPosition() - 1) : QString();
}

QString Document::redoName() const
{
    return canRedo() ? d->mu->historyStepName(historyPosition()) : QString();
}

void Document::undo()
{
    setHistoryPosition(historyPosition() - 1);
}

void Document::redo()
{
    setHistoryPosition(historyPosition() + 1);
}

void Document::setHistoryPosition(int position)
{
    position = std::clamp(position, 0, d->historyLimit);
    if (position == historyPosition())
        return;
    const bool wasModified = d->modified();
    std::set<int> changed;
    try {
        while (historyPosition() > position) {
            const std::vector<int> step = d->mu->undo();
            changed.insert(step.begin(), step.end());
        }
        while (historyPosition() < position) {
            const std::vector<int> step = d->mu->redo();
            changed.insert(step.begin(), step.end());
        }
    } catch (const MuError& error) {
        // Whatever steps were taken stay taken; the views hear of them below.
        if (changed.empty())
            throw DocumentError(DocumentError::Failed,
                                tr("The step cannot be undone: %1").arg(QString::fromUtf8(error.what())));
    }
    emit pagesChanged(d->changed(std::vector<int>(changed.begin(), changed.end())));
    emit historyChanged();
    if (wasModified != d->modified())
        emit modifiedChanged(d->modified());
}

} // namespace pxv
