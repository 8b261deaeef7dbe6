#pragma once

// MuDocument's state, shared by the files that implement it.

#include "mucontext.h"
#include "mudocument.h"

#include <deque>

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
};

} // namespace pxv::mu
