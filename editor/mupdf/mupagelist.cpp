// Pages loaded for drawing without their link annotations.

#include "mudocument_p.h"

namespace pxv::mu {

namespace {

bool isLink(fz_context* ctx, pdf_obj* annot)
{
    return pdf_name_eq(ctx, pdf_dict_get(ctx, annot, PDF_NAME(Subtype)), PDF_NAME(Link));
}

// The annotations in annots other than links, in a new array.
pdf_obj* drawnAnnots(fz_context* ctx, pdf_document* doc, pdf_obj* annots)
{
    pdf_obj* kept = pdf_new_array(ctx, doc, 0);
    fz_try(ctx)
    {
        for (int i = 0, count = pdf_array_len(ctx, annots); i < count; ++i) {
            pdf_obj* annot = pdf_array_get(ctx, annots, i);
            if (!isLink(ctx, annot))
                pdf_array_push(ctx, kept, annot);
        }
    }
    fz_catch(ctx)
    {
        pdf_drop_obj(ctx, kept);
        fz_rethrow(ctx);
    }
    return kept;
}

// A copy of the page object whose /Annots leaves out the link annotations, or null when it has
// none. MuPDF never draws links, yet loading a page resolves the target of each (its named
// destination, the object stream holding that, the target page): an index page of hundreds of
// links parses tens of megabytes of objects that drawing has no use for.
pdf_obj* withoutLinks(fz_context* ctx, pdf_document* doc, pdf_obj* page)
{
    pdf_obj* annots = pdf_dict_get(ctx, page, PDF_NAME(Annots));
    const int count = pdf_array_len(ctx, annots);
    int links = 0;
    for (int i = 0; i < count; ++i)
        links += isLink(ctx, pdf_array_get(ctx, annots, i)) ? 1 : 0;
    if (links == 0)
        return nullptr;
    pdf_obj* kept = links < count ? drawnAnnots(ctx, doc, annots) : nullptr;
    pdf_obj* shown = nullptr;
    fz_var(shown);
    fz_try(ctx)
    {
        shown = pdf_copy_dict(ctx, page);
        if (kept)
            pdf_dict_put(ctx, shown, PDF_NAME(Annots), kept);
        else
            pdf_dict_del(ctx, shown, PDF_NAME(Annots));
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, kept);
        // Copying made the copy the parent of the values it shares with the page.
        pdf_set_obj_parent(ctx, page, pdf_obj_parent_num(ctx, page));
    }
    fz_catch(ctx)
    {
        pdf_drop_obj(ctx, shown);
        fz_rethrow(ctx);
    }
    return shown;
}

// A page object lent to its entry in the cross-reference table: shown there while the page is
// loaded, the object put back after.
struct LentPage
{
    pdf_xref_entry* entry = nullptr;
    pdf_obj* object = nullptr;
    pdf_obj* shown = nullptr;
};

// The page's copy without links (see withoutLinks), when it has links and its object is the
// one in the table.
LentPage lendWithoutLinks(fz_context* ctx, pdf_document* doc, int page)
{
    pdf_obj* found = lookupPageObject(ctx, doc, page);
    const int number = pdf_to_num(ctx, found);
    if (number <= 0)
        return LentPage{};
    pdf_xref_entry* entry = pdf_cache_object(ctx, doc, number);
    LentPage lent;
    lent.object = pdf_resolve_indirect(ctx, found);
    if (entry->obj == lent.object && (lent.shown = withoutLinks(ctx, doc, lent.object)))
        lent.entry = entry;
    return lent;
}

// Runs use on the page, loaded while lent is in the table.
void useLoadedPage(fz_context* ctx, pdf_document* doc, int page, const LentPage lent, PageUse use, void* data)
{
    fz_page* fzPage = nullptr;
    fz_var(fzPage);
    if (lent.entry)
        lent.entry->obj = lent.shown;
    fz_try(ctx)
    {
        fzPage = fz_load_page(ctx, &doc->super, page);
        use(ctx, fzPage, data);
    }
    fz_always(ctx)
    {
        fz_drop_page(ctx, fzPage);
        if (lent.entry) {
            lent.entry->obj = lent.object;
            pdf_set_obj_parent(ctx, lent.object, pdf_obj_parent_num(ctx, lent.object));
        }
        pdf_drop_obj(ctx, lent.shown);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
}

} // namespace

void useShownPage(fz_context* ctx, pdf_document* doc, int page, bool hideLinks, PageUse use, void* data)
{
    const LentPage lent = hideLinks ? lendWithoutLinks(ctx, doc, page) : LentPage{};
    useLoadedPage(ctx, doc, page, lent, use, data);
}

} // namespace pxv::mu
