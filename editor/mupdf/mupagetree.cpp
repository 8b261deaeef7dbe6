// Walking the page tree ourselves, in page order and without recursion (damaged trees can be
// thousands of levels deep). MuPDF's own page map (pdf_load_page_tree) is not used: in this
// version every page object it reads stays allocated after the document is dropped.
//
// Damaged trees are mended in memory as a document opens: /Count values that lie (a huge
// /Count would have views allocate and lay out billions of pages) and kids that lead back into
// the tree (MuPDF refuses every page behind such a cycle).

#include "mudocument_p.h"

#include <vector>

namespace pxv::mu {

namespace {

// Visiting kids of a tree that shares nodes (legal, and a way to make a small file claim
// billions of pages) stops after this many.
constexpr int kMaxVisits = 4 * MuDocument::kMaxPages;

struct Frame
{
    pdf_obj* node;
    int nextKid;
    int pagesBefore;
};

bool onPath(const std::vector<Frame>& path, pdf_obj* object)
{
    for (const Frame& frame : path) {
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

bool walkPageTree(fz_context* ctx, pdf_document* doc, const PageTreeVisitor& visitor)
{
    pdf_obj* root = nullptr;
    guarded(ctx, [&] { root = pdf_resolve_indirect(ctx, pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/Pages")); });
    if (!root)
        return true;
    std::vector<Frame> path{{root, 0, 0}};
    int pages = 0;
    for (int visits = 0; !path.empty(); ++visits) {
        if (visits > kMaxVisits || pages >= MuDocument::kMaxPages)
            return false;
        pdf_obj* node = path.back().node;
        const int index = path.back().nextKid;
        pdf_obj* kids = nullptr;
        int length = 0;
        pdf_obj* kid = nullptr;
        int inner = 0;
        guarded(ctx, [&] {
            kids = pdf_dict_get(ctx, node, PDF_NAME(Kids));
            length = pdf_array_len(ctx, kids);
            if (index < length) {
                kid = pdf_resolve_indirect(ctx, pdf_array_get(ctx, kids, index));
                inner = isInnerNode(ctx, kid);
            }
        });
        if (index >= length) {
            if (visitor.nodeDone)
                visitor.nodeDone(node, pages - path.back().pagesBefore);
            path.pop_back();
        } else if (inner && onPath(path, kid)) {
            if (visitor.dropCycles)
                guarded(ctx, [&] { pdf_array_delete(ctx, kids, index); });
            else
                ++path.back().nextKid;
        } else {
            ++path.back().nextKid;
            if (inner) {
                path.push_back({kid, 0, pages});
            } else {
                // MuPDF takes every other kid for a page, even a missing one.
                if (visitor.page)
                    visitor.page(kid, pages);
                ++pages;
            }
        }
    }
    return true;
}

void MuDocument::Impl::mendPageTree()
{
    fz_context* ctx = this->ctx();
    std::vector<std::pair<pdf_obj*, int>> counts; // node, pages below it
    PageTreeVisitor visitor;
    visitor.dropCycles = true;
    visitor.nodeDone = [&counts](pdf_obj* node, int pages) { counts.emplace_back(node, pages); };
    // A tree beyond the limits keeps its counts: pageCount() shows its first kMaxPages pages.
    if (!walkPageTree(ctx, pdf(), visitor))
        return;
    for (const auto& [node, count] : counts) {
        guarded(ctx, [&] {
            if (pdf_dict_get_int(ctx, node, PDF_NAME(Count)) != count)
                pdf_dict_put_int(ctx, node, PDF_NAME(Count), count);
        });
    }
}

} // namespace pxv::mu
