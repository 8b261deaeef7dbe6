#pragma once

// MuDocument's state, shared by the files that implement it.

#include "mucontext.h"
#include "mudocument.h"

#include <deque>
#include <functional>

namespace pxv::mu {

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

    ContextPtr context; // first: dropped after every handle below
    PdfDocumentHandle doc;
    std::deque<CachedList> lists;
    QByteArray password; // the one accepted, for encrypting the file again when saving

    fz_context* ctx() const { return context->get(); }
    pdf_document* pdf() const { return doc.get(); }
    void checkPage(int page) const;
    // Sets every /Count of the page tree to the pages below it and drops kids that lead back
    // up the tree, unless the tree holds more than kMaxPages pages.
    void mendPageTree();
};

// What walkPageTree() reports: every page (a kid that is not an inner node) with its index in
// page order, and every inner node once its kids are done, with the pages below it.
struct PageTreeVisitor
{
    std::function<void(pdf_obj* page, int index)> page;
    std::function<void(pdf_obj* node, int pages)> nodeDone;
    bool dropCycles = false; // delete kids that lead back up the tree instead of skipping them
};

// Walks the page tree in page order. Returns false when it stopped early: after
// MuDocument::kMaxPages pages, or after visiting a multiple of that many kids (shared nodes).
bool walkPageTree(fz_context* ctx, pdf_document* doc, const PageTreeVisitor& visitor);

} // namespace pxv::mu
