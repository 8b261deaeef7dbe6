// Stamps on pages: a form drawn once per distinct text, placed on each page by a content stream
// of its own, marked as a pagination artifact inside an optional-content group. Every object
// added carries /StampOf naming its kind, which is how removeStamps() finds exactly them again,
// in memory or in a saved file.

#include "mudocument_p.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace pxv::mu {

namespace {

const char* const kTag = "StampOf";

const char* kindName(StampKind kind)
{
    return kind == StampKind::Watermark ? "Watermark" : "HeaderFooter";
}

bool isTagged(fz_context* ctx, pdf_obj* object, const char* kind)
{
    return strcmp(pdf_to_name(ctx, pdf_dict_gets(ctx, object, kTag)), kind) == 0;
}

// A new direct dictionary tagged with the kind; the caller drops it.
pdf_obj* newTaggedDict(fz_context* ctx, pdf_document* doc, const char* kind)
{
    pdf_obj* dict = pdf_new_dict(ctx, doc, 4);
    pdf_dict_puts_drop(ctx, dict, kTag, pdf_new_name(ctx, kind));
    return dict;
}

// A stream object tagged with the kind, holding buffer's bytes.
pdf_obj* addTaggedStream(fz_context* ctx, pdf_document* doc, fz_buffer* buffer, const char* kind,
                         pdf_obj* extra = nullptr)
{
    pdf_obj* dict = extra ? extra : newTaggedDict(ctx, doc, kind);
    pdf_obj* stream = nullptr;
    fz_try(ctx)
    {
        stream = pdf_add_stream(ctx, doc, buffer, dict, 0);
    }
    fz_always(ctx)
    {
        if (!extra)
            pdf_drop_obj(ctx, dict);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
    return stream;
}

// The dictionary under key in parent as the parent's own direct copy, so that entries added to
// it change no other page that shared it; created when missing.
pdf_obj* ownDict(fz_context* ctx, pdf_document* doc, pdf_obj* parent, pdf_obj* key, pdf_obj* found)
{
    if (pdf_is_dict(ctx, found) && !pdf_is_indirect(ctx, found) && pdf_dict_get(ctx, parent, key) == found)
        return found;
    pdf_obj* own = pdf_is_dict(ctx, found) ? pdf_copy_dict(ctx, found) : pdf_new_dict(ctx, doc, 4);
    pdf_dict_put_drop(ctx, parent, key, own);
    return own;
}

// A name that dict does not use yet: prefix1, prefix2, ...
void freeName(fz_context* ctx, pdf_obj* dict, const char* prefix, char* name, size_t size)
{
    for (int i = 1;; ++i) {
        fz_snprintf(name, size, "%s%d", prefix, i);
        if (!pdf_dict_gets(ctx, dict, name))
            return;
    }
}

// The document's optional-content group for stamps of the kind, made (and listed) when missing.
pdf_obj* stampGroup(fz_context* ctx, pdf_document* doc, const char* kind)
{
    pdf_obj* root = pdf_dict_get(ctx, pdf_trailer(ctx, doc), PDF_NAME(Root));
    pdf_obj* properties = pdf_dict_get(ctx, root, PDF_NAME(OCProperties));
    if (!pdf_is_dict(ctx, properties))
        properties = pdf_dict_put_dict(ctx, root, PDF_NAME(OCProperties), 2);
    pdf_obj* groups = pdf_dict_get(ctx, properties, PDF_NAME(OCGs));
    for (int i = 0; i < pdf_array_len(ctx, groups); ++i) {
        if (isTagged(ctx, pdf_array_get(ctx, groups, i), kind))
            return pdf_array_get(ctx, groups, i);
    }
    if (!pdf_is_array(ctx, groups))
        groups = pdf_dict_put_array(ctx, properties, PDF_NAME(OCGs), 1);
    pdf_obj* config = pdf_dict_get(ctx, properties, PDF_NAME(D));
    if (!pdf_is_dict(ctx, config))
        config = pdf_dict_put_dict(ctx, properties, PDF_NAME(D), 1);
    pdf_obj* order = pdf_dict_get(ctx, config, PDF_NAME(Order));
    if (!pdf_is_array(ctx, order))
        order = pdf_dict_put_array(ctx, config, PDF_NAME(Order), 1);

    pdf_obj* dict = newTaggedDict(ctx, doc, kind);
    pdf_obj* group = nullptr;
    fz_try(ctx)
    {
        pdf_dict_put(ctx, dict, PDF_NAME(Type), PDF_NAME(OCG));
        pdf_dict_put_text_string(ctx, dict, PDF_NAME(Name), kind);
        group = pdf_add_object(ctx, doc, dict);
        pdf_array_push(ctx, groups, group);
        pdf_array_push(ctx, order, group);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, dict);
        pdf_drop_obj(ctx, group); // the arrays hold it now
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
    return group;
}

// Takes the group of the kind out of the document's optional-content lists, and the lists out
// when nothing else is left in them.
void dropStampGroup(fz_context* ctx, pdf_document* doc, const char* kind)
{
    pdf_obj* root = pdf_dict_get(ctx, pdf_trailer(ctx, doc), PDF_NAME(Root));
    pdf_obj* properties = pdf_dict_get(ctx, root, PDF_NAME(OCProperties));
    pdf_obj* config = pdf_dict_get(ctx, properties, PDF_NAME(D));
    pdf_obj* lists[] = {pdf_dict_get(ctx, properties, PDF_NAME(OCGs)), pdf_dict_get(ctx, config, PDF_NAME(Order)),
                        pdf_dict_get(ctx, config, PDF_NAME(ON)), pdf_dict_get(ctx, config, PDF_NAME(OFF))};
    for (pdf_obj* list : lists) {
        for (int i = pdf_array_len(ctx, list) - 1; i >= 0; --i) {
            if (isTagged(ctx, pdf_array_get(ctx, list, i), kind))
                pdf_array_delete(ctx, list, i);
        }
    }
    if (properties && pdf_array_len(ctx, lists[0]) == 0)
        pdf_dict_del(ctx, root, PDF_NAME(OCProperties));
}

// What one stamp draws: the form and its size, centred on its origin.
struct Form
{
    pdf_obj* object = nullptr; // owned
    float width = 0;
    float height = 0;
};

struct Face
{
    fz_font* metrics = nullptr; // owned
    pdf_obj* font = nullptr; // owned
    bool cjk = false;
};

void appendHexText(fz_context* ctx, fz_buffer* buffer, const Face& face, const std::vector<int>& text)
{
    fz_append_byte(ctx, buffer, '<');
    for (int c : text) {
        if (!face.cjk) {
            fz_append_printf(ctx, buffer, "%02x", fz_windows_1252_from_unicode(c) & 0xff);
        } else if (c > 0xffff) { // UTF-16 surrogates
            fz_append_printf(ctx, buffer, "%04x%04x", 0xd800 + ((c - 0x10000) >> 10), 0xdc00 + ((c - 0x10000) & 0x3ff));
        } else {
            fz_append_printf(ctx, buffer, "%04x", c);
        }
    }
    fz_append_byte(ctx, buffer, '>');
}

// A form showing text on one line, or image, in the style's colour and opacity.
Form makeForm(fz_context* ctx, pdf_document* doc, const StampStyle& style, const Face& face, fz_image* image,
              pdf_obj* imageObject, const std::vector<int>& text)
{
    const char* kind = kindName(style.kind);
    const float size = float(style.fontSize);
    Form form;
    if (image) {
        form.width = image->w * 72.0f / (image->xres > 0 ? image->xres : 72);
        form.height = image->h * 72.0f / (image->yres > 0 ? image->yres : 72);
    } else {
        for (int c : text)
            form.width += fz_advance_glyph(ctx, face.metrics, fz_encode_character(ctx, face.metrics, c), 0) * size;
        form.height = size;
    }
    fz_buffer* content = nullptr;
    pdf_obj* dict = newTaggedDict(ctx, doc, kind);
    fz_var(content);
    fz_try(ctx)
    {
        content = fz_new_buffer(ctx, 256);
        fz_append_string(ctx, content, "/GS0 gs\n");
        pdf_obj* resources = pdf_dict_put_dict(ctx, dict, PDF_NAME(Resources), 3);
        pdf_obj* state = pdf_new_dict(ctx, doc, 2);
        pdf_dict_puts_drop(ctx, pdf_dict_put_dict(ctx, resources, PDF_NAME(ExtGState), 1), "GS0", state);
        pdf_dict_put_real(ctx, state, PDF_NAME(ca), style.opacity);
        pdf_dict_put_real(ctx, state, PDF_NAME(CA), style.opacity);
        if (image) {
            pdf_dict_puts(ctx, pdf_dict_put_dict(ctx, resources, PDF_NAME(XObject), 1), "Im0", imageObject);
            fz_append_printf(ctx, content, "%g 0 0 %g %g %g cm /Im0 Do\n", form.width, form.height, -form.width / 2,
                             -form.height / 2);
        } else {
            pdf_dict_puts(ctx, pdf_dict_put_dict(ctx, resources, PDF_NAME(Font), 1), "F0", face.font);
            // The baseline sits so that capitals centre on the origin.
            fz_append_printf(ctx, content, "%g %g %g rg BT /F0 %g Tf %g %g Td ", style.color.redF(),
                             style.color.greenF(), style.color.blueF(), size, -form.width / 2, -0.36f * size);
            appendHexText(ctx, content, face, text);
            fz_append_string(ctx, content, " Tj ET\n");
        }
        pdf_dict_put(ctx, dict, PDF_NAME(Type), PDF_NAME(XObject));
        pdf_dict_put(ctx, dict, PDF_NAME(Subtype), PDF_NAME(Form));
        // Room around the nominal box: glyphs reach past their advance and the font's size.
        pdf_dict_put_rect(ctx, dict, PDF_NAME(BBox),
                          fz_make_rect(-form.width / 2 - size, -form.height / 2 - size, form.width / 2 + size,
                                       form.height / 2 + size));
        form.object = addTaggedStream(ctx, doc, content, kind, dict);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, dict);
        fz_drop_buffer(ctx, content);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
    return form;
}

// Where the stamp's centre goes on a page shown as width × height, its turned box being
// boxWidth × boxHeight.
std::vector<fz_point> placements(const StampStyle& style, float width, float height, float boxWidth, float boxHeight)
{
    const float left = float(style.margins.left()) + boxWidth / 2;
    const float right = width - float(style.margins.right()) - boxWidth / 2;
    const float top = float(style.margins.top()) + boxHeight / 2;
    const float bottom = height - float(style.margins.bottom()) - boxHeight / 2;
    switch (style.position) {
    case StampPosition::Center:
        return {{width / 2, height / 2}};
    case StampPosition::TopLeft:
        return {{left, top}};
    case StampPosition::TopRight:
        return {{right, top}};
    case StampPosition::BottomLeft:
        return {{left, bottom}};
    case StampPosition::BottomRight:
        return {{right, bottom}};
    case StampPosition::Top:
        return {{width / 2, top}};
    case StampPosition::Bottom:
        return {{width / 2, bottom}};
    case StampPosition::Tile:
        break;
    }
    // Rows and columns a box and a half apart, the middle one on the page's centre.
    const float stepX = fz_max(boxWidth * 1.5f, 1);
    const float stepY = fz_max(boxHeight * 1.5f, 1);
    std::vector<fz_point> points;
    const int columns = int(std::ceil(width / 2 / stepX));
    const int rows = int(std::ceil(height / 2 / stepY));
    for (int row = -rows; row <= rows; ++row) {
        for (int column = -columns; column <= columns; ++column)
            points.push_back({width / 2 + column * stepX, height / 2 + row * stepY});
    }
    return points;
}

// Puts the form on the page in the group, before or after its content.
void stampPage(fz_context* ctx, pdf_document* doc, pdf_obj* page, const StampStyle& style, const Form& form,
               pdf_obj* group)
{
    const char* kind = kindName(style.kind);
    fz_rect media;
    fz_matrix ctm;
    pdf_page_obj_transform(ctx, page, &media, &ctm);
    const fz_rect shown = fz_transform_rect(media, ctm);
    const float width = shown.x1 - shown.x0;
    const float height = shown.y1 - shown.y0;
    // An image larger than most of the page is scaled down to fit, unless a scale is asked for.
    float scale = 1;
    if (style.imageScale > 0 && !style.imagePath.isEmpty())
        scale = float(style.imageScale);
    else if (form.height > 0 && form.width > 0 && !style.imagePath.isEmpty())
        scale = fz_min(1, 0.6f * fz_min(width, height) / fz_max(form.width, form.height));
    const fz_matrix turn = fz_pre_scale(fz_rotate(float(style.rotation)), scale, scale);
    const fz_rect box = fz_transform_rect(
        fz_make_rect(-form.width / 2, -form.height / 2, form.width / 2, form.height / 2), turn);
    const fz_matrix toPage = fz_invert_matrix(ctm);

    pdf_obj* resources = ownDict(ctx, doc, page, PDF_NAME(Resources),
                                 pdf_dict_get_inheritable(ctx, page, PDF_NAME(Resources)));
    pdf_obj* xobjects = ownDict(ctx, doc, resources, PDF_NAME(XObject),
                                pdf_dict_get(ctx, resources, PDF_NAME(XObject)));
    pdf_obj* groups = ownDict(ctx, doc, resources, PDF_NAME(Properties),
                              pdf_dict_get(ctx, resources, PDF_NAME(Properties)));
    char formName[32];
    char groupName[32];
    freeName(ctx, xobjects, "Stamp", formName, sizeof formName);
    freeName(ctx, groups, "StampGroup", groupName, sizeof groupName);
    pdf_dict_puts(ctx, xobjects, formName, form.object);
    pdf_dict_puts(ctx, groups, groupName, group);

    fz_buffer* before = nullptr;
    fz_buffer* stamp = nullptr;
    pdf_obj* contents = nullptr;
    fz_var(before);
    fz_var(stamp);
    fz_var(contents);
    fz_try(ctx)
    {
        stamp = fz_new_buffer(ctx, 256);
        if (!style.behind) // the page's own content is closed in q ... Q so that its state ends there
            fz_append_string(ctx, stamp, "Q\n");
        const bool top = style.position == StampPosition::TopLeft || style.position == StampPosition::Top
                         || style.position == StampPosition::TopRight;
        fz_append_printf(ctx, stamp, "/Artifact <</Type /Pagination /Subtype /%s>> BDC\n/OC /%s BDC\n",
                         style.kind == StampKind::Watermark ? "Watermark"
                         : top                              ? "Header"
                                                            : "Footer",
                         groupName);
        for (const fz_point& p : placements(style, width, height, box.x1 - box.x0, box.y1 - box.y0)) {
            // The form's own space has y up; the shown page's, y down from its top-left corner.
            const fz_matrix m = fz_concat(
                fz_concat(fz_concat(turn, fz_scale(1, -1)), fz_translate(p.x + shown.x0, p.y + shown.y0)), toPage);
            fz_append_printf(ctx, stamp, "q %g %g %g %g %g %g cm /%s Do Q\n", m.a, m.b, m.c, m.d, m.e, m.f, formName);
        }
        fz_append_string(ctx, stamp, "EMC\nEMC\n");

        pdf_obj* old = pdf_dict_get(ctx, page, PDF_NAME(Contents));
        contents = pdf_new_array(ctx, doc, pdf_array_len(ctx, old) + 2);
        if (style.behind) {
            pdf_array_push_drop(ctx, contents, addTaggedStream(ctx, doc, stamp, kind));
        } else {
            before = fz_new_buffer_from_copied_data(ctx, reinterpret_cast<const unsigned char*>("q\n"), 2);
            pdf_array_push_drop(ctx, contents, addTaggedStream(ctx, doc, before, kind));
        }
        if (pdf_is_array(ctx, old)) {
            for (int i = 0; i < pdf_array_len(ctx, old); ++i)
                pdf_array_push(ctx, contents, pdf_array_get(ctx, old, i));
        } else if (pdf_is_stream(ctx, old)) {
            pdf_array_push(ctx, contents, old);
        }
        if (!style.behind)
            pdf_array_push_drop(ctx, contents, addTaggedStream(ctx, doc, stamp, kind));
        pdf_dict_put(ctx, page, PDF_NAME(Contents), contents);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, contents);
        fz_drop_buffer(ctx, stamp);
        fz_drop_buffer(ctx, before);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
}

// Removes from dict every entry whose value is tagged with the kind; true when there was one.
bool dropTaggedEntries(fz_context* ctx, pdf_obj* dict, const char* kind)
{
    bool dropped = false;
    for (int i = pdf_dict_len(ctx, dict) - 1; i >= 0; --i) {
        if (isTagged(ctx, pdf_dict_get_val(ctx, dict, i), kind)) {
            pdf_dict_del(ctx, dict, pdf_dict_get_key(ctx, dict, i));
            dropped = true;
        }
    }
    return dropped;
}

bool unstampPage(fz_context* ctx, pdf_obj* page, const char* kind)
{
    bool dropped = false;
    pdf_obj* contents = pdf_dict_get(ctx, page, PDF_NAME(Contents));
    for (int i = pdf_array_len(ctx, contents) - 1; i >= 0; --i) {
        if (isTagged(ctx, pdf_array_get(ctx, contents, i), kind)) {
            pdf_array_delete(ctx, contents, i);
            dropped = true;
        }
    }
    pdf_obj* resources = pdf_dict_get_inheritable(ctx, page, PDF_NAME(Resources));
    dropped |= dropTaggedEntries(ctx, pdf_dict_get(ctx, resources, PDF_NAME(XObject)), kind);
    dropped |= dropTaggedEntries(ctx, pdf_dict_get(ctx, resources, PDF_NAME(Properties)), kind);
    return dropped;
}

bool usesGroup(fz_context* ctx, pdf_obj* page, const char* kind)
{
    pdf_obj* groups = pdf_dict_getp(ctx, pdf_dict_get_inheritable(ctx, page, PDF_NAME(Resources)), "Properties");
    for (int i = 0; i < pdf_dict_len(ctx, groups); ++i) {
        if (isTagged(ctx, pdf_dict_get_val(ctx, groups, i), kind))
            return true;
    }
    return false;
}

} // namespace

void MuDocument::addStamps(const QVector<int>& pages, const StampStyle& style,
                           const std::function<QString(int)>& textOf)
{
    for (int page : pages)
        d->checkPage(page);
    // The texts as code points, read before any MuPDF call can jump past a destructor.
    std::vector<std::vector<int>> texts;
    bool latin = true;
    for (int page : pages) {
        const QVector<uint> codes = style.imagePath.isEmpty() ? textOf(page).toUcs4() : QVector<uint>();
        texts.emplace_back(codes.cbegin(), codes.cend());
        for (uint c : codes)
            latin = latin && fz_windows_1252_from_unicode(int(c)) >= 0;
    }
    const QByteArray imagePath = style.imagePath.toLocal8Bit();
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    const char* kind = kindName(style.kind);

    Face face;
    face.cjk = !latin;
    fz_image* image = nullptr;
    pdf_obj* imageObject = nullptr;
    Form form;
    guarded(ctx, [&] {
        fz_try(ctx)
        {
            if (!imagePath.isEmpty()) {
                image = fz_new_image_from_file(ctx, imagePath.constData());
                imageObject = pdf_add_image(ctx, doc, image);
            } else if (face.cjk) {
                // Not embedded: readers bring their own font for the character collection.
                face.metrics = fz_new_cjk_font(ctx, FZ_ADOBE_GB);
                face.font = pdf_add_cjk_font(ctx, doc, face.metrics, FZ_ADOBE_GB, 0, 0);
            } else {
                face.metrics = fz_new_base14_font(ctx, "Helvetica");
                face.font = pdf_add_simple_font(ctx, doc, face.metrics, PDF_SIMPLE_ENCODING_LATIN);
            }
            pdf_obj* group = stampGroup(ctx, doc, kind);
            const std::vector<int>* drawn = nullptr; // the text of form
            for (int i = 0; i < pages.size(); ++i) {
                if (!form.object || (!image && texts[size_t(i)] != *drawn)) {
                    pdf_drop_obj(ctx, form.object);
                    form = Form();
                    form = makeForm(ctx, doc, style, face, image, imageObject, texts[size_t(i)]);
                    drawn = &texts[size_t(i)];
                }
                stampPage(ctx, doc, lookupPageObject(ctx, doc, pages[i]), style, form, group);
            }
        }
        fz_always(ctx)
        {
            pdf_drop_obj(ctx, form.object);
            pdf_drop_obj(ctx, face.font);
            fz_drop_font(ctx, face.metrics);
            pdf_drop_obj(ctx, imageObject);
            fz_drop_image(ctx, image);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

int MuDocument::removeStamps(const QVector<int>& pages, StampKind which)
{
    for (int page : pages)
        d->checkPage(page);
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    const char* kind = kindName(which);
    int stamped = 0;
    for (int page : pages)
        guarded(ctx, [&] { stamped += unstampPage(ctx, lookupPageObject(ctx, doc, page), kind) ? 1 : 0; });
    if (stamped == 0)
        return 0;
    bool used = false;
    PageTreeVisitor visitor;
    visitor.page = [&](pdf_obj* page, int) { used = used || (page && usesGroup(ctx, page, kind)); };
    guarded(ctx, [&] {
        walkPageTree(ctx, doc, visitor);
        if (!used)
            dropStampGroup(ctx, doc, kind);
    });
    return stamped;
}

} // namespace pxv::mu
