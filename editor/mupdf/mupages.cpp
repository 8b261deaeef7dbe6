// Deleting and inserting pages, and what must not be left pointing at deleted pages: links,
// outline entries and form fields.

#include "mudocument_p.h"

#include <unordered_set>
#include <vector>

namespace pxv::mu {

namespace {

using Numbers = std::unordered_set<int>;

// The page an explicit or named destination leads to: its object number, or 0.
int destinationPage(fz_context* ctx, pdf_document* doc, pdf_obj* dest)
{
    if (pdf_is_name(ctx, dest) || pdf_is_string(ctx, dest)) {
        dest = pdf_lookup_dest(ctx, doc, dest);
        if (pdf_is_dict(ctx, dest))
            dest = pdf_dict_get(ctx, dest, PDF_NAME(D));
    }
    return pdf_is_array(ctx, dest) ? pdf_to_num(ctx, pdf_array_get(ctx, dest, 0)) : 0;
}

// Outlines and forms of damaged files can nest absurdly or loop; nothing sound goes this deep.
constexpr int kMaxDepth = 64;

bool leadsTo(fz_context* ctx, pdf_document* doc, pdf_obj* item, const Numbers& deleted)
{
    const int page = targetPageNumber(ctx, doc, item);
    return page > 0 && deleted.count(page);
}

void dropLinksTo(fz_context* ctx, pdf_document* doc, pdf_obj* page, const Numbers& deleted)
{
    pdf_obj* annots = pdf_dict_get(ctx, page, PDF_NAME(Annots));
    for (int i = pdf_array_len(ctx, annots) - 1; i >= 0; --i) {
        pdf_obj* annot = pdf_array_get(ctx, annots, i);
        if (pdf_name_eq(ctx, pdf_dict_get(ctx, annot, PDF_NAME(Subtype)), PDF_NAME(Link))
            && leadsTo(ctx, doc, annot, deleted))
            pdf_array_delete(ctx, annots, i);
    }
}

// Entries that led to a deleted page keep their place and title but lead nowhere.
void untargetOutline(fz_context* ctx, pdf_document* doc, pdf_obj* first, const Numbers& deleted, Numbers* seen,
                     int depth)
{
    for (pdf_obj* item = first; item && depth < kMaxDepth; item = pdf_dict_get(ctx, item, PDF_NAME(Next))) {
        if (!seen->insert(pdf_to_num(ctx, item)).second)
            return;
        if (leadsTo(ctx, doc, item, deleted)) {
            pdf_dict_del(ctx, item, PDF_NAME(Dest));
            pdf_dict_del(ctx, item, PDF_NAME(A));
        }
        untargetOutline(ctx, doc, pdf_dict_get(ctx, item, PDF_NAME(First)), deleted, seen, depth + 1);
    }
}

// Takes out of a field's /Kids the widgets that were on deleted pages; true when the field has
// nothing left on any page and goes too.
bool pruneField(fz_context* ctx, pdf_obj* field, const Numbers& deleted, int depth)
{
    pdf_obj* kids = pdf_dict_get(ctx, field, PDF_NAME(Kids));
    if (!pdf_is_array(ctx, kids)) // a widget of its own
        return deleted.count(pdf_to_num(ctx, pdf_dict_get(ctx, field, PDF_NAME(P)))) > 0;
    if (depth >= kMaxDepth)
        return false;
    const int before = pdf_array_len(ctx, kids);
    for (int i = before - 1; i >= 0; --i) {
        if (pruneField(ctx, pdf_array_get(ctx, kids, i), deleted, depth + 1))
            pdf_array_delete(ctx, kids, i);
    }
    return before > 0 && pdf_array_len(ctx, kids) == 0;
}

void pruneFields(fz_context* ctx, pdf_document* doc, const Numbers& deleted)
{
    pdf_obj* fields = pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/AcroForm/Fields");
    for (int i = pdf_array_len(ctx, fields) - 1; i >= 0; --i) {
        if (pruneField(ctx, pdf_array_get(ctx, fields, i), deleted, 0))
            pdf_array_delete(ctx, fields, i);
    }
}

} // namespace

int targetPageNumber(fz_context* ctx, pdf_document* doc, pdf_obj* item)
{
    if (pdf_obj* dest = pdf_dict_get(ctx, item, PDF_NAME(Dest)))
        return destinationPage(ctx, doc, dest);
    pdf_obj* action = pdf_dict_get(ctx, item, PDF_NAME(A));
    if (pdf_name_eq(ctx, pdf_dict_get(ctx, action, PDF_NAME(S)), PDF_NAME(GoTo)))
        return destinationPage(ctx, doc, pdf_dict_get(ctx, action, PDF_NAME(D)));
    return 0;
}

void MuDocument::deletePages(const QVector<int>& pages)
{
    for (int page : pages)
        d->checkPage(page);
    d->scan.reset(); // the pages a scan has told are not the pages any more
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    Numbers deleted;
    for (int page : pages)
        deleted.insert(pageObjectNumber(page));
    for (int i = pages.size() - 1; i >= 0; --i)
        guarded(ctx, [&] { pdf_delete_page(ctx, doc, pages[i]); });

    std::vector<pdf_obj*> remaining;
    PageTreeVisitor visitor;
    visitor.page = [&](pdf_obj* page, int) { remaining.push_back(page); };
    walkPageTree(ctx, doc, visitor);
    for (pdf_obj* page : remaining)
        guarded(ctx, [&] { dropLinksTo(ctx, doc, page, deleted); });
    Numbers seen;
    guarded(ctx, [&] {
        untargetOutline(ctx, doc, pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/Outlines/First"), deleted, &seen, 0);
        pruneFields(ctx, doc, deleted);
    });
}

void MuDocument::insertBlankPages(int at, int count, const QSizeF& points)
{
    d->scan.reset();
    fz_context* ctx = d->ctx();
    const fz_rect box{0, 0, float(points.width()), float(points.height())};
    for (int i = 0; i < count; ++i) {
        guarded(ctx, [&] {
            pdf_obj* resources = nullptr;
            fz_buffer* contents = nullptr;
            pdf_obj* page = nullptr;
            fz_var(resources);
            fz_var(contents);
            fz_var(page);
            fz_try(ctx)
            {
                resources = pdf_new_dict(ctx, d->pdf(), 1);
                contents = fz_new_buffer(ctx, 1);
                page = pdf_add_page(ctx, d->pdf(), box, 0, resources, contents);
                pdf_insert_page(ctx, d->pdf(), at + i, page);
            }
            fz_always(ctx)
            {
                pdf_drop_obj(ctx, page);
                fz_drop_buffer(ctx, contents);
                pdf_drop_obj(ctx, resources);
            }
            fz_catch(ctx)
            {
                fz_rethrow(ctx);
            }
        });
    }
}

namespace {

// A turn by a quarter clockwise shows the page's own left, top, right and bottom edges as its
// top, right, bottom and left: in that order, stored edge i is shown as edge (i + turns) % 4.
constexpr int shownEdge(int stored, int turns)
{
    return (stored + turns) % 4;
}

} // namespace

QMarginsF MuDocument::cropMargins(int page) const
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    double shown[4] = {};
    guarded(ctx, [&] {
        pdf_obj* object = lookupPageObject(ctx, d->pdf(), page);
        const fz_rect media = pdf_to_rect(ctx, pdf_dict_get_inheritable(ctx, object, PDF_NAME(MediaBox)));
        fz_rect visible;
        fz_matrix ctm;
        pdf_page_obj_transform(ctx, object, &visible, &ctm);
        const double stored[4] = {visible.x0 - media.x0, media.y1 - visible.y1, media.x1 - visible.x1,
                                  visible.y0 - media.y0};
        const int turns = quarterTurns(ctx, object);
        for (int i = 0; i < 4; ++i)
            shown[shownEdge(i, turns)] = stored[i];
    });
    return QMarginsF(shown[0], shown[1], shown[2], shown[3]);
}

void MuDocument::cropPage(int page, const QMarginsF& shown)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    guarded(ctx, [&] {
        pdf_obj* object = lookupPageObject(ctx, d->pdf(), page);
        const fz_rect media = pdf_to_rect(ctx, pdf_dict_get_inheritable(ctx, object, PDF_NAME(MediaBox)));
        // The margins are of the page as shown; the crop box is in the page's own, unturned space.
        const double edges[4] = {shown.left(), shown.top(), shown.right(), shown.bottom()};
        const int turns = quarterTurns(ctx, object);
        double stored[4];
        for (int i = 0; i < 4; ++i)
            stored[i] = edges[shownEdge(i, turns)];
        const fz_rect crop{float(media.x0 + stored[0]), float(media.y0 + stored[3]), float(media.x1 - stored[2]),
                           float(media.y1 - stored[1])};
        if (crop.x1 - crop.x0 < 1 || crop.y1 - crop.y0 < 1)
            fz_throw(ctx, FZ_ERROR_GENERIC, "the margins leave nothing of page %d", page + 1);
        pdf_dict_put_rect(ctx, object, PDF_NAME(CropBox), crop);
    });
}

void MuDocument::appendBlankPage(const QSizeF& points)
{
    insertBlankPages(pageCount(), 1, points);
}

} // namespace pxv::mu
