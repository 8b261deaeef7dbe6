// Page trees of damaged files, mended in memory as a document opens: /Count values that lie
// (a huge /Count would have views allocate and lay out billions of pages) and kids that lead
// back into the tree (MuPDF refuses every page behind such a cycle).

#include "mudocument_p.h"

#include <vector>

namespace pxv::mu {

namespace {

// Visiting kids of a tree that shares nodes (legal, and a way to make a small file claim
// billions of pages) stops after this many; the counts are then left as the file has them.
constexpr int kMaxVisits = 4 * MuDocument::kMaxPages;

struct Frame
{
    pdf_obj* node;
    int nextKid;
    int leavesBefore;
};

bool onPath(const std::vector<Frame>& path, pdf_obj* object)
{
    for (const Frame& frame : path) {
        if (frame.node == object)
            return true;
    }
    return false;
}

} // namespace

void MuDocument::Impl::mendPageTree()
{
    fz_context* ctx = this->ctx();
    pdf_obj* root = nullptr;
    guarded(ctx, [&] { root = pdf_resolve_indirect(ctx, pdf_dict_getp(ctx, pdf_trailer(ctx, pdf()), "Root/Pages")); });
    if (!root)
        return;
    // Depth first without recursion: damaged trees can be thousands of levels deep.
    std::vector<Frame> path{{root, 0, 0}};
    std::vector<std::pair<pdf_obj*, int>> counts; // node, leaves below it
    int leaves = 0;
    for (int visits = 0; !path.empty(); ++visits) {
        if (visits > kMaxVisits || leaves > kMaxPages)
            return;
        pdf_obj* node = path.back().node;
        const int index = path.back().nextKid;
        pdf_obj* kids = nullptr;
        int length = 0;
        pdf_obj* kid = nullptr;
        int isNode = 0;
        guarded(ctx, [&] {
            kids = pdf_dict_get(ctx, node, PDF_NAME(Kids));
            length = pdf_array_len(ctx, kids);
            if (index < length) {
                kid = pdf_resolve_indirect(ctx, pdf_array_get(ctx, kids, index));
                isNode = pdf_is_array(ctx, pdf_dict_get(ctx, kid, PDF_NAME(Kids)));
            }
        });
        if (index >= length) {
            counts.emplace_back(node, leaves - path.back().leavesBefore);
            path.pop_back();
        } else if (isNode && onPath(path, kid)) {
            guarded(ctx, [&] { pdf_array_delete(ctx, kids, index); });
        } else {
            ++path.back().nextKid;
            if (isNode)
                path.push_back({kid, 0, leaves});
            else
                ++leaves; // MuPDF takes every other kid for a page, even a missing one
        }
    }
    for (const auto& [node, count] : counts) {
        guarded(ctx, [&] {
            if (pdf_dict_get_int(ctx, node, PDF_NAME(Count)) != count)
                pdf_dict_put_int(ctx, node, PDF_NAME(Count), count);
        });
    }
}

} // namespace pxv::mu
