#pragma once

// Document's state, shared by the files that implement it.

#include "core/layer.h"

#include "atomicfile.h"
#include "document.h"
#include "recoveryrecord.h"
#include "scratchfile.h"

#include "mupdf/mudocument.h"
#include "mupdf/muerror.h"

#include <optional>
#include <set>
#include <vector>

namespace pxv {

QString nativePath(const QString& path);
QString cleanAbsolute(const QString& path);
// Throws DocumentError unless path names a readable file that looks like a PDF.
void checkReadablePdf(const QString& path);
// Opens the file at clean in target's context, to copy its pages, asking for its password
// through passwords. Throws DocumentError: Cancelled with the message cancelled when the user
// cancels the question.
std::unique_ptr<mu::MuDocument> openSourceFile(mu::MuDocument& target, const QString& clean,
                                               const PasswordProvider& passwords, const QString& cancelled);

struct Document::Private
{
    std::unique_ptr<mu::MuDocument> mu;
    QString path; // null for a document without a file
    // A new document made in a file of its own (combined files): what saves start from and
    // render workers open, instead of createdBytes.
    std::shared_ptr<const ScratchFile> createdFile;
    QByteArray password; // the accepted one, for reopening after a save and for workers
    bool locked = false; // encrypted and still without a password
    bool repaired = false;
    bool neverSaved = false; // a new document: modified until it has a file
    bool protectionPending = false; // a new protection waits for the next save
    bool openedWithPassword = false;
    int permissionsKnown = -1; // the permissions password was given: 1, not: 0, not asked yet: -1
    QByteArray newOpenPassword; // of the protection pending
    // The history position the file holds; -1 once no position does (a new step replaced the
    // steps after an undo, the saved one among them).
    int savedPosition = 0;
    // Steps that exist for redo. MuPDF's journal can hold one more: a step that failed half-way
    // and was taken back.
    int historyLimit = 0;
    // Page sizes are learnt lazily: opening reads the page count only, and a size is read when
    // asked for or when readPageSizes() reaches it.
    int count = 0;
    mutable std::vector<QSizeF> sizes;
    mutable std::vector<bool> known;
    int scanReached = 0; // pages told so far by the current scan, which goes in page order
    bool scanDone = false;
    // Every page's identity, known from the first edit on; before it, looked up when asked.
    QVector<PageId> ids;
    bool idsKnown = false;
    // Identities looked up before they are all known, by page: renderers ask for them on every
    // paint, and each lookup walks the page tree.
    mutable std::vector<PageId> idCache;
    std::vector<PageId> scannedIds; // by the current scan, for idCache once it is over
    QHash<PageId, mu::MuDocument::PageLook> looks; // of every page, from the first edit on
    // What each page shows beneath its annotations, told apart (see Document::contentGeneration()).
    quint64 generation = 1;
    quint64 everythingSince = 1;
    QHash<PageId, quint64> contentSince;
    QByteArray createdBytes; // a document without a file, as created
    std::shared_ptr<const RenderBase> base;
    // Of the file at path when it became the base: a save appends to those bytes only.
    std::optional<FileStamp> baseStamp;
    std::set<int> dirty; // objects changed since base
    // Of the file at base, taken by the first recovery record.
    mutable std::shared_ptr<const LazyFileIdentity> baseIdentity;
    std::shared_ptr<const RenderSource> source;
    std::shared_ptr<const std::vector<int>> hiddenGroups; // see Document::hiddenGroups()

    bool modified() const;
    PageId idOf(int page) const;
    void resetPages()
    {
        count = 0;
        if (!locked) {
            try {
                count = mu->pageCount();
            } catch (const MuError&) {
                // a page tree beyond repair: no pages to show
            }
        }
        count = std::max(count, 0);
        sizes.assign(size_t(count), QSizeF());
        known.assign(size_t(count), false);
        idCache.assign(size_t(count), 0);
        scannedIds.assign(size_t(count), 0);
        scanReached = 0;
        scanDone = false;
    }

    QSizeF sizeOf(int page) const
    {
        if (known[size_t(page)])
            return sizes[size_t(page)];
        QSizeF size;
        try {
            size = mu->pageBounds(page).size();
            known[size_t(page)] = true;
            sizes[size_t(page)] = size;
        } catch (const MuError&) {
            // Unreadable for now; a damaged tree is mended when the scan reaches its end, and
            // the page may be read then.
        }
        return size;
    }

    // Returns true when the scan has told every page, or mended the tree and starts again.
    bool scanSizes(int maxPages)
    {
        if (scanDone || locked)
            return true;
        const bool wasMended = mu->pageTreeMended();
        bool over = true;
        bool walkedAll = false;
        try {
            walkedAll = over = mu->scanPageSizes(maxPages, [this](int page, const QSizeF& size, int number) {
                if (page >= count)
                    return;
                sizes[size_t(page)] = size;
                known[size_t(page)] = true;
                scannedIds[size_t(page)] = number;
                scanReached = page + 1;
            });
        } catch (const MuError&) {
            // The tree cannot be walked further: the pages left are read one by one when asked.
        }
        if (over && mu->pageTreeMended() != wasMended) {
            resetPages();
            return true;
        }
        scanDone = over;
        if (walkedAll) {
            // A walk that found no damage went through the pages as lookups find them: the
            // numbers it read are the pages' identities, and no lookup need walk the tree again.
            for (size_t page = 0; page < scannedIds.size() && page < idCache.size(); ++page) {
                if (scannedIds[page] > 0)
                    idCache[page] = scannedIds[page];
            }
        }
        if (over) {
            scannedIds = {};
            // Pages the walk could not tell (it failed on the way) are looked up one by one.
            for (int page = 0; page < count; ++page) {
                sizeOf(page);
                known[size_t(page)] = true;
            }
        }
        return over;
    }

    bool hasReadablePage()
    {
        if (count > 0 && !sizeOf(0).isEmpty())
            return true;
        // A damaged first page: is anything readable at all?
        while (!scanSizes(std::numeric_limits<int>::max())) {
        }
        for (int page = 0; page < count; ++page) {
            if (!sizeOf(page).isEmpty())
                return true;
        }
        return false;
    }

    // Workers start from a new base: the file (or the created bytes) as it is now.
    void startNewBase();
    // The base changes how it is opened (a password, a mended tree); changed objects stay.
    void replaceBase();
    // A new version: the given objects read again, the others as in the previous version.
    void refreshSource(const std::vector<int>& changed);
    // Before an edit: the page tree is read to its end, mending it if it needs it (which must
    // not happen inside a step).
    void prepareForEditing();
    // Ascending, each page once; throws DocumentError for a page not in the document.
    QVector<int> sortedPages(const QVector<int>& pages) const;
    // A new MuPDF document with copies of the pages (ascending, distinct), as extractPages()
    // describes. Throws DocumentError.
    std::unique_ptr<mu::MuDocument> extracted(const QVector<int>& sorted) const;
    // Before the first step that inserts, removes or moves pages: every page's identity and
    // look, against which the step's changes are told. Reading them loads every page object,
    // which a step that only changes pages never needs.
    void prepareForStructure();
    // The page whose object number is id; -1 when it is not in the document.
    int indexOf(PageId id) const;
    // What changed objects mean for pages and outline; updates sizes and identities.
    PageChanges analyse(const std::vector<int>& changed);
    // After a step, undo or redo: the objects become part of the next version for workers, and
    // the notice for views is returned.
    PageChanges changed(const std::vector<int>& objects);
};

} // namespace pxv
