#pragma once

#include "mupdf/layer.h"

// MuDocument's state, shared by the files that implement it.

#include "mucontext.h"
#include "mudocument.h"

#include <deque>
#include <functional>
#include <vector>

namespace pxv::mu {

class PageTreeWalk;

// Writes the whole document into the existing file at path, keeping the file itself: MuPDF's own
// save by name deletes the file and creates a new one, which would lose the lock the caller
// holds on it.
void writeFull(fz_context* ctx, pdf_document* doc, const QString& path, const pdf_write_options& options);

// Lays story out on pages of media's size added to writer, each filled within where, until all
// of it is placed. Throws MuPDF errors, and one when a part of it can never fit within where.
void writeStoryPages(fz_context* ctx, fz_document_writer* writer, fz_story* story, fz_rect media, fz_rect where);

struct MuDocument::Impl
{
    struct CachedList
    {
        int page = -1;
        DisplayListHandle list;
        fz_rect bounds{};
    };
    // Display lists of a handful of recent pages: re-rendering at a new zoom skips
    // interpreting the page again, while memory stays independent of the page count.
    static constexpr size_t kMaxCachedLists = 8;
    // Pages drawn lately without a display list: drawn again, they get one.
    std::deque<int> drawnWithoutList;
    // Pages interpreted since the parsed objects were last dropped (see renderPage).
    int pagesRunSinceObjectsDropped = 0;
    static constexpr int kPagesRunBetweenObjectDrops = 16;

    ContextPtr context; // first: dropped after every handle below
    // The file of a document opened from memory, read in place by MuPDF: a copy per render
    // worker would cost the whole file each. Before doc, so it outlives it.
    QByteArray fileBytes;
    PdfDocumentHandle doc;
    std::deque<CachedList> lists;
    // The text of the page last read: dragging a selection reads the same page on every move.
    int textPageIndex = -1;
    TextPageHandle textPage;
    QByteArray password; // the one accepted, for encrypting the file again when saving
    std::unique_ptr<Protection> protection; // set: what saves encrypt with instead
    // The walk of scanPageSizes(), between two of its slices; after doc, so dropped before it.
    std::unique_ptr<PageTreeWalk> scan;
    std::function<void(int, const QSizeF&, int)> scanSink;
    bool scanFoundDamage = false;
    // Pages the scan and page lookups have read since the parsed objects were last dropped: the
    // model reads every page object of the file, and its own drop at the end of the scan comes
    // after the walk through all of them.
    int pagesReadSinceObjectsDropped = 0;
    static constexpr int kPagesReadBetweenObjectDrops = 128;
    bool treeMended = false;
    bool treeMendedSinceBase = false; // in memory only: the next save must write everything
    bool journalEnabled = false;
    int stepStart = 0; // the history position when the open step began
    qint64 baseStartXref = -1; // of the file incremental saves append to; -1 before the first
    bool baseIsFile = false; // false while the document has no file of its own (or a repaired one)

    ~Impl();
    fz_context* ctx() const { return context->get(); }
    pdf_document* pdf() const { return doc.get(); }
    void checkPage(int page) const;
    // The structured text of a page, kept until the next page is read or the document changes.
    fz_stext_page* pageText(int page);
    // Forgets what was drawn or read from the pages, after they changed.
    void forgetPageContent();
    // Drops the objects parsed from the file, which MuPDF keeps until the document is closed;
    // they are read again when next needed. The memory stays with the allocator, for the next
    // objects parsed (see trimFreedMemory()).
    // Does nothing once the document has changes: edited objects exist nowhere else.
    void dropParsedObjects();
    // Counts pages read, dropping the parsed objects once enough were read since the last drop.
    void notePagesRead(int pages);
    // Sets every /Count of the page tree to the pages below it and drops kids that lead back
    // up the tree, unless the tree holds more than kMaxPages pages. Once per document.
    void mendPageTree();
    // Mends now when checking the tree costs little (a small file) or something is already
    // known to be wrong: a repaired file, a page count the file cannot hold. Other trees are
    // checked by scanPageSizes() as it goes.
    void mendIfSuspect();
};

// Runs use on the page (its contents and annotations) with data, for drawing. With hideLinks,
// the page is loaded without its link annotations, which are never drawn and would each have
// their target resolved; only for documents whose objects nothing else alters meanwhile. A
// MuPDF error longjmps out of use and this, so use is plain C: nothing with a destructor may be
// alive in it when MuPDF is called.
using PageUse = void (*)(fz_context* ctx, fz_page* page, void* data);
void useShownPage(fz_context* ctx, pdf_document* doc, int page, bool hideLinks, PageUse use, void* data);

// Marks the chosen options of a list box in the appearance MuPDF drew for it (mulistbox.cpp); an
// appearance already marked, or another kind of widget, is left as it is.
void markListSelection(fz_context* ctx, pdf_annot* widget);

// A page loaded for its annotations or form widgets, dropped when the handle goes.
PageHandle loadPage(fz_context* ctx, pdf_document* doc, int page);
pdf_page* pdfPage(const PageHandle& page);
// The annotation with object number id on page; throws MuError when the page has none.
pdf_annot* findAnnot(fz_context* ctx, pdf_page* page, int id);

// An object in PDF syntax, as small as it can be written.
QByteArray printObject(fz_context* ctx, pdf_obj* object);

// The trailer's /Root, /Info and /ID as a new section's trailer repeats them.
QByteArray trailerEntries(fz_context* ctx, pdf_document* doc);
// An object as an update section writes it, "number generation obj ... endobj"; one that is gone
// is written as null, as a free one would read.
QByteArray objectText(int number, int generation, const ObjectState& state);
// The runs of consecutive numbers in numbers (ascending) as [first, last] places in it: the
// subsections of a cross-reference section.
std::vector<std::pair<size_t, size_t>> numberRuns(const std::vector<int>& numbers);
// The failure of a file operation on path, with the reason the file gave.
MuError fileError(const char* what, const QString& path, const QString& reason);

// The generation an object has in the file, for writing it again: 0 for one the file keeps in an
// object stream, whose entry MuPDF gives the object's place in that stream instead, and for one
// made since the file was read.
int fileGeneration(pdf_document* doc, int number);

// Where a link annotation or an outline entry leads inside doc: the page's object number, or 0
// when it leads nowhere there (no target, another file, a web address).
int targetPageNumber(fz_context* ctx, pdf_document* doc, pdf_obj* item);
// The number of the object a page dictionary is; 0 when it is no object of its own (a
// dictionary written straight into its parent's /Kids). Throws MuPDF errors.
int ownNumber(fz_context* ctx, pdf_document* doc, pdf_obj* page);
// A page's /Rotate (inherited or its own) in clockwise quarter turns, 0 to 3, rounded as MuPDF
// rounds it.
int quarterTurns(fz_context* ctx, pdf_obj* page);

// A page object's area in points, top-left origin, rotation applied.
QRectF objectBounds(fz_context* ctx, pdf_obj* page);

// What walkPageTree() reports: every page (a kid that is not an inner node; null when it cannot
// be read) with its index in page order, and every inner node once its kids are done, with the
// pages below it.
struct PageTreeVisitor
{
    std::function<void(pdf_obj* page, int index)> page;
    std::function<void(pdf_obj* node, int pages)> nodeDone;
    bool dropCycles = false; // delete kids that lead back up the tree instead of skipping them
};

// Walks the page tree in page order, a slice at a time, without recursion (damaged trees can
// be thousands of levels deep). Stops after MuDocument::kMaxPages pages, or after visiting a
// multiple of that many kids (shared nodes).
class PageTreeWalk
{
public:
    struct Frame
    {
        pdf_obj* node;
        int nextKid;
        int pagesBefore;
    };

    PageTreeWalk(fz_context* ctx, pdf_document* doc, PageTreeVisitor visitor);
    ~PageTreeWalk();
    PageTreeWalk(const PageTreeWalk&) = delete;
    PageTreeWalk& operator=(const PageTreeWalk&) = delete;

    // Goes on until maxPages more pages were reported or the walk is over; true when over.
    bool advance(int maxPages);
    bool stoppedEarly() const { return m_stoppedEarly; }
    // A kid led back up the tree.
    bool sawCycle() const { return m_sawCycle; }

private:
    void push(pdf_obj* node);
    void pop();

    fz_context* m_ctx;
    PageTreeVisitor m_visitor;
    std::vector<Frame> m_path;
    int m_pages = 0;
    int m_visits = 0;
    bool m_stoppedEarly = false;
    bool m_sawCycle = false;
};

// The whole walk at once. Returns false when it stopped early.
bool walkPageTree(fz_context* ctx, pdf_document* doc, const PageTreeVisitor& visitor);

} // namespace pxv::mu
