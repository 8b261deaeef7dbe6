// Resizing a page: a new media box, the old content scaled into it, and the annotations moved
// with the content.

#include "mudocument_p.h"

namespace pxv::mu {

namespace {

// Boxes that mark parts of the page; the crop box is handled on its own.
pdf_obj* const kMarkBoxes[] = {PDF_NAME(TrimBox), PDF_NAME(BleedBox), PDF_NAME(ArtBox)};

// Annotation entries that are flat lists of x y pairs in page space (MuPDF 1.21 has no
// constant for every name, so they go by text).
const char* const kPointLists[] = {"QuadPoints", "Vertices", "L", "CL"};

void transformPoints(fz_context* ctx, pdf_obj* list, fz_matrix m)
{
    const int count = pdf_array_len(ctx, list) / 2 * 2;
    for (int i = 0; i < count; i += 2) {
        const fz_point p = fz_transform_point_xy(pdf_array_get_real(ctx, list, i), pdf_array_get_real(ctx, list, i + 1), m);
        pdf_array_put_drop(ctx, list, i, pdf_new_real(ctx, p.x));
        pdf_array_put_drop(ctx, list, i + 1, pdf_new_real(ctx, p.y));
    }
}

// Moves an annotation with the content. Its appearance stream needs nothing: a reader fits the
// appearance's box into /Rect, so it scales as /Rect does, and one MuPDF makes from the
// annotation's geometry is made from the moved points.
void transformAnnotation(fz_context* ctx, pdf_obj* annot, fz_matrix m, float scale)
{
    if (pdf_is_array(ctx, pdf_dict_get(ctx, annot, PDF_NAME(Rect))))
        pdf_dict_put_rect(ctx, annot, PDF_NAME(Rect), fz_transform_rect(pdf_dict_get_rect(ctx, annot, PDF_NAME(Rect)), m));
    for (const char* key : kPointLists)
        transformPoints(ctx, pdf_dict_gets(ctx, annot, key), m);
    pdf_obj* ink = pdf_dict_get(ctx, annot, PDF_NAME(InkList));
    for (int i = 0; i < pdf_array_len(ctx, ink); ++i)
        transformPoints(ctx, pdf_array_get(ctx, ink, i), m);
    // Differences between /Rect and the drawn shape are lengths: they only scale.
    pdf_obj* differences = pdf_dict_gets(ctx, annot, "RD");
    for (int i = 0; i < pdf_array_len(ctx, differences); ++i)
        pdf_array_put_drop(ctx, differences, i, pdf_new_real(ctx, pdf_array_get_real(ctx, differences, i) * scale));
}

// A new content stream of the page holding text.
pdf_obj* addContentStream(fz_context* ctx, pdf_document* doc, fz_buffer* text)
{
    return pdf_add_stream(ctx, doc, text, nullptr, 0);
}

// Puts the page's content between two new streams: the first scales it by m and clips it to
// visible, the area that was shown; the second restores the graphics state. The original
// streams stay as they were, shared or not.
void wrapContents(fz_context* ctx, pdf_document* doc, pdf_obj* page, fz_matrix m, fz_rect visible)
{
    fz_buffer* before = nullptr;
    fz_buffer* after = nullptr;
    pdf_obj* contents = nullptr;
    fz_var(before);
    fz_var(after);
    fz_var(contents);
    fz_try(ctx)
    {
        before = fz_new_buffer(ctx, 128);
        fz_append_printf(ctx, before, "q\n%g %g %g %g %g %g cm\n%g %g %g %g re W n\n", m.a, m.b, m.c, m.d, m.e, m.f,
                         visible.x0, visible.y0, visible.x1 - visible.x0, visible.y1 - visible.y0);
        after = fz_new_buffer_from_copied_data(ctx, reinterpret_cast<const unsigned char*>("\nQ\n"), 3);
        pdf_obj* old = pdf_dict_get(ctx, page, PDF_NAME(Contents));
        contents = pdf_new_array(ctx, doc, pdf_array_len(ctx, old) + 3);
        pdf_array_push_drop(ctx, contents, addContentStream(ctx, doc, before));
        if (pdf_is_array(ctx, old)) {
            for (int i = 0; i < pdf_array_len(ctx, old); ++i)
                pdf_array_push(ctx, contents, pdf_array_get(ctx, old, i));
        } else if (pdf_is_stream(ctx, old)) {
            pdf_array_push(ctx, contents, old);
        }
        pdf_array_push_drop(ctx, contents, addContentStream(ctx, doc, after));
        pdf_dict_put(ctx, page, PDF_NAME(Contents), contents);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, contents);
        fz_drop_buffer(ctx, after);
        fz_drop_buffer(ctx, before);
    }
    fz_catch(ctx) { fz_rethrow(ctx); }
}

// Gives the page the media box media and maps its other boxes with the content; the crop box
// goes, since the whole new page is what is shown.
void replaceBoxes(fz_context* ctx, pdf_obj* page, fz_rect media, fz_matrix m)
{
    pdf_dict_put_rect(ctx, page, PDF_NAME(MediaBox), media);
    pdf_dict_del(ctx, page, PDF_NAME(CropBox));
    if (pdf_dict_get_inheritable(ctx, page, PDF_NAME(CropBox)))
        pdf_dict_put_rect(ctx, page, PDF_NAME(CropBox), media);
    for (pdf_obj* key : kMarkBoxes) {
        if (pdf_is_array(ctx, pdf_dict_get(ctx, page, key)))
            pdf_dict_put_rect(ctx, page, key, fz_intersect_rect(fz_transform_rect(pdf_dict_get_rect(ctx, page, key), m), media));
    }
}

} // namespace

void MuDocument::resizePage(int page, const QSizeF& shown)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    guarded(ctx, [&] {
        pdf_obj* object = lookupPageObject(ctx, doc, page);
        fz_rect visible; // the crop box as MuPDF shows it, in the page's own, unturned space
        fz_matrix ctm;
        pdf_page_obj_transform(ctx, object, &visible, &ctm);
        const int rotation = quarterTurns(ctx, object);
        // The size asked for is of the page as shown; a page turned by a quarter is that size
        // turned in its own space.
        const float width = float(rotation % 2 ? shown.height() : shown.width());
        const float height = float(rotation % 2 ? shown.width() : shown.height());
        const float oldWidth = visible.x1 - visible.x0;
        const float oldHeight = visible.y1 - visible.y0;
        if (oldWidth < 1 || oldHeight < 1)
            fz_throw(ctx, FZ_ERROR_GENERIC, "page %d shows no area to resize", page + 1);
        // Scaled uniformly to fit, centred both ways.
        const float scale = fz_min(width / oldWidth, height / oldHeight);
        const fz_matrix m = fz_make_matrix(scale, 0, 0, scale, (width - scale * oldWidth) / 2 - scale * visible.x0,
                                           (height - scale * oldHeight) / 2 - scale * visible.y0);
        wrapContents(ctx, doc, object, m, visible);
        replaceBoxes(ctx, object, fz_make_rect(0, 0, width, height), m);
        pdf_obj* annots = pdf_dict_get(ctx, object, PDF_NAME(Annots));
        for (int i = 0; i < pdf_array_len(ctx, annots); ++i)
            transformAnnotation(ctx, pdf_array_get(ctx, annots, i), m, scale);
    });
}

} // namespace pxv::mu
