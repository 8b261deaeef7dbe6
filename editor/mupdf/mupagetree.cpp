// Walking the page tree ourselves, in page order and without recursion (damaged trees can be
// thousands of levels deep). MuPDF's own page map (pdf_load_page_tree) is not used: in this
// version every page object it reads stays allocated after the document is dropped.
//
// Damaged trees are mended in memory: /Count values that lie (a huge /Count would have views
// allocate and lay out billions of pages) and kids that lead back into the tree (MuPDF refuses
// every page behind such a cycle). Opening a large sound file must not pay for a walk of the
// whole tree, so large trees are checked while their page sizes are read in slices.

#include "mudocument_p.h"
#include "mutrim.h"

#include <vector>

namespace pxv::mu {

namespace {

// Visiting kids of a tree that shares nodes (legal, and a way to make a small file claim
// billions of pages) stops after this many.
constexpr int kMaxVisits = 4 * MuDocument::kMaxPages;

bool onPath(const std::vector<PageTreeWalk::Frame>& path, pdf_obj* object)
{
    for (const PageTreeWalk::Frame& frame : path) {
        if (frame.node == object)
            return true;
    }
    return false;
}

// A kid is an inner node as MuPDF's page lookup decides it: by its /Type, or without one by
// having /Kids and no /MediaBox.
int isInnerNode(fz_context* ctx, pdf_obj* kid)
{
    pdf_obj* type = pdf_dict_get(ctx, kid, PDF_NAME(Type));
    if (type)
        return pdf_name_eq(ctx, type, PDF_NAME(Pages));
    return pdf_is_array(ctx, pdf_dict_get(ctx, kid, PDF_NAME(Kids))) && !pdf_dict_get(ctx, kid, PDF_NAME(MediaBox));
}

} // namespace

PageTreeWalk::PageTreeWalk(fz_context* ctx, pdf_document* doc, PageTreeVisitor visitor)
    : m_ctx(ctx), m_visitor(std::move(visitor))
{
    pdf_obj* root = nullptr;
    guarded(ctx, [&] { root = pdf_resolve_indirect(ctx, pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/Pages")); });
    if (root)
        push(root);
}

PageTreeWalk::~PageTreeWalk()
{
    while (!m_path.empty())
        pop();
}

// Nodes on the path are kept: between two calls of advance() MuPDF may repair the file and
// drop the objects it had loaded.
void PageTreeWalk::push(pdf_obj* node)
{
    m_path.push_back({pdf_keep_obj(m_ctx, node), 0, m_pages});
}

void PageTreeWalk::pop()
{
    pdf_drop_obj(m_ctx, m_path.back().node);
    m_path.pop_back();
}

bool PageTreeWalk::advance(int maxPages)
{
    fz_context* ctx = m_ctx;
    const int stopAt = maxPages > MuDocument::kMaxPages - m_pages ? MuDocument::kMaxPages : m_pages + maxPages;
    for (; !m_path.empty(); ++m_visits) {
        if (m_visits > kMaxVisits || m_pages >= MuDocument::kMaxPages) {
            m_stoppedEarly = true;
            while (!m_path.empty())
                pop();
            break;
        }
        if (m_pages >= stopAt)
            return false;
        pdf_obj* node = m_path.back().node;
        const int index = m_path.back().nextKid;
        pdf_obj* kids = nullptr;
        int length = 0;
        pdf_obj* kid = nullptr;
        int inner = 0;
        // A kid that cannot be read counts as a page that cannot be read, as in MuPDF's lookup;
        // kids that cannot be read at all end their node.
        try {
            guarded(ctx, [&] {
                kids = pdf_dict_get(ctx, node, PDF_NAME(Kids));
                length = pdf_array_len(ctx, kids);
            });
            if (index < length) {
                guarded(ctx, [&] {
                    kid = pdf_resolve_indirect(ctx, pdf_array_get(ctx, kids, index));
                    inner = isInnerNode(ctx, kid);
                });
            }
        } catch (const MuError&) {
            kid = nullptr;
            inner = 0;
        }
        if (index >= length) {
            if (m_visitor.nodeDone)
                m_visitor.nodeDone(node, m_pages - m_path.back().pagesBefore);
            pop();
        } else if (inner && onPath(m_path, kid)) {
            m_sawCycle = true;
            if (m_visitor.dropCycles)
                guarded(ctx, [&] { pdf_array_delete(ctx, kids, index); });
            else
                ++m_path.back().nextKid;
        } else {
            ++m_path.back().nextKid;
            if (inner) {
                push(kid);
            } else {
                // MuPDF takes every other kid for a page, even a missing one.
                if (m_visitor.page)
                    m_visitor.page(kid, m_pages);
                ++m_pages;
            }
        }
    }
    return m_path.empty();
}

bool walkPageTree(fz_context* ctx, pdf_document* doc, const PageTreeVisitor& visitor)
{
    PageTreeWalk walk(ctx, doc, visitor);
    walk.advance(MuDocument::kMaxPages);
    return !walk.stoppedEarly();
}

MuDocument::Impl::~Impl()
{
    scan.reset(); // its nodes are dropped while the document and context still stand
}

void MuDocument::Impl::mendPageTree()
{
    if (treeMended)
        return;
    treeMended = true;
    scan.reset();
    fz_context* ctx = this->ctx();
    std::vector<std::pair<pdf_obj*, int>> counts; // node, pages below it
    PageTreeVisitor visitor;
    visitor.dropCycles = true;
    visitor.nodeDone = [&counts](pdf_obj* node, int pages) { counts.emplace_back(node, pages); };
    // A tree beyond the limits keeps its counts: pageCount() shows its first kMaxPages pages.
    PageTreeWalk walk(ctx, pdf(), visitor);
    walk.advance(MuDocument::kMaxPages);
    if (walk.sawCycle())
        treeMendedSinceBase = true;
    if (walk.stoppedEarly())
        return;
    for (const auto& [node, count] : counts) {
        guarded(ctx, [&] {
            if (pdf_dict_get_int(ctx, node, PDF_NAME(Count)) != count) {
                pdf_dict_put_int(ctx, node, PDF_NAME(Count), count);
                treeMendedSinceBase = true;
            }
        });
    }
}

void MuDocument::Impl::mendIfSuspect()
{
    // Below this many objects the whole walk takes well under a millisecond.
    constexpr int kSmallFileObjects = 2000;
    fz_context* ctx = this->ctx();
    int objects = 0;
    int count = 0;
    int repaired = 0;
    guarded(ctx, [&] {
        objects = pdf_xref_len(ctx, pdf());
        count = pdf_count_pages(ctx, pdf());
        repaired = pdf_was_repaired(ctx, pdf());
    });
    // Every page is an object of its own.
    if (repaired || objects <= kSmallFileObjects || count < 0 || count >= objects)
        mendPageTree();
}

int ownNumber(fz_context* ctx, pdf_document* doc, pdf_obj* page)
{
    if (!page)
        return 0;
    if (pdf_is_indirect(ctx, page))
        return pdf_to_num(ctx, page);
    const int number = pdf_obj_parent_num(ctx, page);
    if (number <= 0)
        return 0;
    pdf_obj* object = pdf_load_object(ctx, doc, number);
    pdf_drop_obj(ctx, object);
    return object == page ? number : 0;
}

bool MuDocument::scanPageSizes(int maxPages, const std::function<void(int, const QSizeF&, int)>& found)
{
    fz_context* ctx = d->ctx();
    if (!d->scan) {
        d->scanFoundDamage = false;
        PageTreeVisitor visitor;
        visitor.page = [this, ctx](pdf_obj* page, int index) {
            QSizeF size;
            int number = 0;
            try {
                size = objectBounds(ctx, page).size();
                guarded(ctx, [&] { number = ownNumber(ctx, d->pdf(), page); });
            } catch (const MuError&) {
                // left empty: the view shows an error tile for this page
            }
            d->scanSink(index, size, number);
        };
        visitor.nodeDone = [this, ctx](pdf_obj* node, int pages) {
            int count = pages;
            guarded(ctx, [&] { count = pdf_dict_get_int(ctx, node, PDF_NAME(Count)); });
            if (count != pages)
                d->scanFoundDamage = true;
        };
        d->scan = std::make_unique<PageTreeWalk>(ctx, d->pdf(), std::move(visitor));
    }
    d->scanSink = found;
    const bool over = d->scan->advance(maxPages);
    d->scanSink = nullptr;
    if (!over) {
        d->notePagesRead(maxPages); // the walk keeps the nodes on its path
        return false;
    }
    const bool damaged = d->scanFoundDamage || d->scan->sawCycle();
    d->scan.reset();
    if (damaged)
        d->mendPageTree();
    else {
        d->dropParsedObjects(); // every page object was read, for its size only
        trimFreedMemory(); // the GUI thread's pool, where nothing as large comes again
    }
    return true;
}

} // namespace pxv::mu
