// Resizing a page: a new media box, the old content scaled into it, and the annotations moved
// with the content.

#include "mudocument_p.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

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
        const fz_point p = fz_transform_point_xy(pdf_array_get_real(ctx, list, i), pdf_array_get_real(ctx, list, i + 1),
                                                 m);
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
        pdf_dict_put_rect(ctx, annot, PDF_NAME(Rect),
                          fz_transform_rect(pdf_dict_get_rect(ctx, annot, PDF_NAME(Rect)), m));
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
        pdf_array_push_drop(ctx, contents, pdf_add_stream(ctx, doc, before, nullptr, 0));
        if (pdf_is_array(ctx, old)) {
            for (int i = 0; i < pdf_array_len(ctx, old); ++i)
                pdf_array_push(ctx, contents, pdf_array_get(ctx, old, i));
        } else if (pdf_is_stream(ctx, old)) {
            pdf_array_push(ctx, contents, old);
        }
        pdf_array_push_drop(ctx, contents, pdf_add_stream(ctx, doc, after, nullptr, 0));
        pdf_dict_put(ctx, page, PDF_NAME(Contents), contents);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, contents);
        fz_drop_buffer(ctx, after);
        fz_drop_buffer(ctx, before);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
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
            pdf_dict_put_rect(ctx, page, key,
                              fz_intersect_rect(fz_transform_rect(pdf_dict_get_rect(ctx, page, key), m), media));
    }
}

// Gives the page the size shown (of the page as shown) and scales what it showed into it;
// returns how its content moved.
fz_matrix resizePageObject(fz_context* ctx, pdf_document* doc, pdf_obj* page, int index, float shownWidth,
                           float shownHeight)
{
    fz_rect visible; // the crop box as MuPDF shows it, in the page's own, unturned space
    fz_matrix ctm;
    pdf_page_obj_transform(ctx, page, &visible, &ctm);
    // The size asked for is of the page as shown; a page turned by a quarter is that size
    // turned in its own space.
    const bool sideways = quarterTurns(ctx, page) % 2 != 0;
    const float width = sideways ? shownHeight : shownWidth;
    const float height = sideways ? shownWidth : shownHeight;
    const float oldWidth = visible.x1 - visible.x0;
    const float oldHeight = visible.y1 - visible.y0;
    if (oldWidth < 1 || oldHeight < 1)
        fz_throw(ctx, FZ_ERROR_GENERIC, "page %d shows no area to resize", index + 1);
    // Scaled uniformly to fit, centred both ways.
    const float scale = fz_min(width / oldWidth, height / oldHeight);
    const fz_matrix m = fz_make_matrix(scale, 0, 0, scale, (width - scale * oldWidth) / 2 - scale * visible.x0,
                                       (height - scale * oldHeight) / 2 - scale * visible.y0);
    wrapContents(ctx, doc, page, m, visible);
    replaceBoxes(ctx, page, fz_make_rect(0, 0, width, height), m);
    pdf_obj* annots = pdf_dict_get(ctx, page, PDF_NAME(Annots));
    for (int i = 0; i < pdf_array_len(ctx, annots); ++i)
        transformAnnotation(ctx, pdf_array_get(ctx, annots, i), m, scale);
    return m;
}

// How the content of resized pages moved, by page object number.
using Moves = std::unordered_map<int, fz_matrix>;
// Destinations already mapped: one array can be reached from several links and names.
using Seen = std::unordered_set<pdf_obj*>;

// Outlines of damaged files can nest absurdly or loop; nothing sound goes this deep.
constexpr int kMaxDepth = 64;

void putMapped(fz_context* ctx, pdf_obj* dest, int i, float scale, float offset)
{
    pdf_obj* value = pdf_array_get(ctx, dest, i);
    if (pdf_is_number(ctx, value))
        pdf_array_put_drop(ctx, dest, i, pdf_new_real(ctx, pdf_to_real(ctx, value) * scale + offset));
}

// An explicit destination ([page /XYZ left top zoom], [page /FitR l b r t], ...) that leads
// to a resized page is made to show the same part of its content.
void mapDestination(fz_context* ctx, pdf_obj* dest, const Moves& moves, Seen* seen)
{
    dest = pdf_resolve_indirect(ctx, dest);
    if (pdf_is_dict(ctx, dest)) // a named destination's value
        dest = pdf_resolve_indirect(ctx, pdf_dict_get(ctx, dest, PDF_NAME(D)));
    if (!pdf_is_array(ctx, dest) || !seen->insert(dest).second)
        return;
    const auto move = moves.find(pdf_to_num(ctx, pdf_array_get(ctx, dest, 0)));
    if (move == moves.end())
        return;
    const fz_matrix& m = move->second; // scales and shifts only: x and y map apart
    pdf_obj* kind = pdf_array_get(ctx, dest, 1);
    if (pdf_name_eq(ctx, kind, PDF_NAME(XYZ))) {
        putMapped(ctx, dest, 2, m.a, m.e);
        putMapped(ctx, dest, 3, m.d, m.f);
    } else if (pdf_name_eq(ctx, kind, PDF_NAME(FitH)) || pdf_name_eq(ctx, kind, PDF_NAME(FitBH))) {
        putMapped(ctx, dest, 2, m.d, m.f);
    } else if (pdf_name_eq(ctx, kind, PDF_NAME(FitV)) || pdf_name_eq(ctx, kind, PDF_NAME(FitBV))) {
        putMapped(ctx, dest, 2, m.a, m.e);
    } else if (pdf_name_eq(ctx, kind, PDF_NAME(FitR))) {
        putMapped(ctx, dest, 2, m.a, m.e);
        putMapped(ctx, dest, 3, m.d, m.f);
        putMapped(ctx, dest, 4, m.a, m.e);
        putMapped(ctx, dest, 5, m.d, m.f);
    }
}

// The destination of a link annotation or an outline entry, direct or by a GoTo action.
void mapTarget(fz_context* ctx, pdf_obj* item, const Moves& moves, Seen* seen)
{
    mapDestination(ctx, pdf_dict_get(ctx, item, PDF_NAME(Dest)), moves, seen);
    pdf_obj* action = pdf_dict_get(ctx, item, PDF_NAME(A));
    if (pdf_name_eq(ctx, pdf_dict_get(ctx, action, PDF_NAME(S)), PDF_NAME(GoTo)))
        mapDestination(ctx, pdf_dict_get(ctx, action, PDF_NAME(D)), moves, seen);
}

void mapOutline(fz_context* ctx, pdf_obj* first, const Moves& moves, Seen* seen, std::unordered_set<int>* visited,
                int depth)
{
    for (pdf_obj* item = first; item && depth < kMaxDepth; item = pdf_dict_get(ctx, item, PDF_NAME(Next))) {
        if (!visited->insert(pdf_to_num(ctx, item)).second)
            return;
        mapTarget(ctx, item, moves, seen);
        mapOutline(ctx, pdf_dict_get(ctx, item, PDF_NAME(First)), moves, seen, visited, depth + 1);
    }
}

void mapNamedDestinations(fz_context* ctx, pdf_document* doc, const Moves& moves, Seen* seen)
{
    pdf_obj* old = pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/Dests");
    for (int i = 0; i < pdf_dict_len(ctx, old); ++i)
        mapDestination(ctx, pdf_dict_get_val(ctx, old, i), moves, seen);
    pdf_obj* tree = pdf_load_name_tree(ctx, doc, PDF_NAME(Dests));
    fz_try(ctx)
    {
        for (int i = 0; i < pdf_dict_len(ctx, tree); ++i)
            mapDestination(ctx, pdf_dict_get_val(ctx, tree, i), moves, seen);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, tree);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
}

} // namespace

void MuDocument::resizePages(const QVector<int>& pages, const QVector<QSizeF>& shown)
{
    for (int page : pages)
        d->checkPage(page);
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    Moves moves;
    for (int i = 0; i < pages.size(); ++i) {
        fz_matrix m = fz_identity;
        guarded(ctx, [&] {
            m = resizePageObject(ctx, doc, lookupPageObject(ctx, doc, pages[i]), pages[i], float(shown[i].width()),
                                 float(shown[i].height()));
        });
        if (const int number = pageObjectNumber(pages[i]))
            moves.emplace(number, m);
    }

    // Links, outline entries and named destinations that lead into the pages follow them.
    std::vector<pdf_obj*> all;
    PageTreeVisitor visitor;
    visitor.page = [&](pdf_obj* page, int) { all.push_back(page); };
    walkPageTree(ctx, doc, visitor);
    Seen seen;
    for (pdf_obj* page : all) {
        guarded(ctx, [&] {
            pdf_obj* annots = pdf_dict_get(ctx, page, PDF_NAME(Annots));
            for (int i = 0; i < pdf_array_len(ctx, annots); ++i) {
                pdf_obj* annot = pdf_array_get(ctx, annots, i);
                if (pdf_name_eq(ctx, pdf_dict_get(ctx, annot, PDF_NAME(Subtype)), PDF_NAME(Link)))
                    mapTarget(ctx, annot, moves, &seen);
            }
        });
    }
    std::unordered_set<int> visited;
    guarded(ctx, [&] {
        mapOutline(ctx, pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/Outlines/First"), moves, &seen, &visited, 0);
        mapNamedDestinations(ctx, doc, moves, &seen);
    });
}

} // namespace pxv::mu
