// Comments through the clipboard. A copy is a one-page PDF holding the annotation's dictionary and
// everything it draws with, so that its look (a picture stamp's image, another program's
// appearance) comes back exactly, in this document or another.
#include "mudocument_p.h"

#include <cstring>

namespace pxv::mu {

namespace {

// Keys that tie an annotation to its document rather than describe it: its page, its pop-up and
// the comment it answers, its place in the structure tree and the layers, its unique name.
bool tiesToDocument(fz_context* ctx, pdf_obj* key)
{
    static const char* const keys[] = {"Type", "Subtype", "P", "Popup", "IRT", "Parent", "NM", "StructParent", "OC"};
    const char* name = pdf_to_name(ctx, key);
    for (const char* tie : keys) {
        if (std::strcmp(name, tie) == 0)
            return true;
    }
    return false;
}

// Puts the describing entries of from (of another document) into to, with the objects they use.
// Inside fz_try only.
void copyEntries(fz_context* ctx, pdf_graft_map* map, pdf_obj* from, pdf_obj* to)
{
    for (int i = 0; i < pdf_dict_len(ctx, from); ++i) {
        pdf_obj* key = pdf_dict_get_key(ctx, from, i);
        if (!tiesToDocument(ctx, key))
            pdf_dict_put_drop(ctx, to, key, pdf_graft_mapped_object(ctx, map, pdf_dict_get_val(ctx, from, i)));
    }
}

// Moves every (x, y) pair of array by (dx, dy). Inside fz_try only.
void shiftPairs(fz_context* ctx, pdf_obj* array, float dx, float dy)
{
    for (int i = 0; i + 1 < pdf_array_len(ctx, array); i += 2) {
        pdf_array_put_drop(ctx, array, i, pdf_new_real(ctx, pdf_array_get_real(ctx, array, i) + dx));
        pdf_array_put_drop(ctx, array, i + 1, pdf_new_real(ctx, pdf_array_get_real(ctx, array, i + 1) + dy));
    }
}

} // namespace

QByteArray MuDocument::annotationCopy(int page, int id) const
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    const PageHandle loaded = loadPage(ctx, d->pdf(), page);
    pdf_annot* annot = findAnnot(ctx, pdfPage(loaded), id);
    BufferHandle result;
    guarded(ctx, [&] {
        pdf_document* copy = nullptr;
        pdf_graft_map* map = nullptr;
        pdf_obj* entries = nullptr;
        fz_buffer* written = nullptr;
        fz_output* out = nullptr;
        fz_var(copy);
        fz_var(map);
        fz_var(entries);
        fz_var(written);
        fz_var(out);
        fz_try(ctx)
        {
            pdf_obj* pageObject = pdfPage(loaded)->obj;
            copy = pdf_create_document(ctx);
            map = pdf_new_graft_map(ctx, copy);
            entries = pdf_new_dict(ctx, copy, 8);
            pdf_dict_put(ctx, entries, PDF_NAME(Type), PDF_NAME(Annot));
            pdf_dict_put(ctx, entries, PDF_NAME(Subtype),
                         pdf_dict_get(ctx, pdf_annot_obj(ctx, annot), PDF_NAME(Subtype)));
            copyEntries(ctx, map, pdf_annot_obj(ctx, annot), entries);
            const fz_rect media = pdf_to_rect(ctx, pdf_dict_get_inheritable(ctx, pageObject, PDF_NAME(MediaBox)));
            const int rotate = pdf_to_int(ctx, pdf_dict_get_inheritable(ctx, pageObject, PDF_NAME(Rotate)));
            pdf_obj* holder = pdf_add_page(ctx, copy, media, rotate, nullptr, nullptr);
            pdf_insert_page(ctx, copy, -1, holder);
            pdf_dict_put(ctx, entries, PDF_NAME(P), holder);
            pdf_array_push_drop(ctx, pdf_dict_put_array(ctx, holder, PDF_NAME(Annots), 1),
                                pdf_add_object(ctx, copy, entries));
            pdf_drop_obj(ctx, holder);
            written = fz_new_buffer(ctx, 1024);
            out = fz_new_output_with_buffer(ctx, written);
            pdf_write_options options = pdf_default_write_options;
            options.do_compress = 1;
            pdf_write_document(ctx, copy, out, &options);
            fz_close_output(ctx, out);
        }
        fz_always(ctx)
        {
            fz_drop_output(ctx, out);
            pdf_drop_obj(ctx, entries);
            pdf_drop_graft_map(ctx, map);
            pdf_drop_document(ctx, copy);
        }
        fz_catch(ctx)
        {
            fz_drop_buffer(ctx, written);
            fz_rethrow(ctx);
        }
        result = BufferHandle(ctx, written);
    });
    unsigned char* data = nullptr;
    const size_t size = fz_buffer_storage(ctx, result.get(), &data);
    return QByteArray(reinterpret_cast<const char*>(data), int(size));
}

int MuDocument::pasteAnnotation(int page, const QByteArray& copy)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    const PageHandle loaded = loadPage(ctx, d->pdf(), page);
    int id = 0;
    guarded(ctx, [&] {
        fz_buffer* bytes = nullptr;
        fz_stream* stream = nullptr;
        pdf_document* source = nullptr;
        pdf_graft_map* map = nullptr;
        pdf_annot* annot = nullptr;
        fz_var(bytes);
        fz_var(stream);
        fz_var(source);
        fz_var(map);
        fz_var(annot);
        fz_try(ctx)
        {
            bytes = fz_new_buffer_from_copied_data(ctx, reinterpret_cast<const unsigned char*>(copy.constData()),
                                                   size_t(copy.size()));
            stream = fz_open_buffer(ctx, bytes);
            source = pdf_open_document_with_stream(ctx, stream);
            if (pdf_count_pages(ctx, source) != 1)
                fz_throw(ctx, FZ_ERROR_GENERIC, "the clipboard holds no comment");
            pdf_obj* from = pdf_array_get(ctx, pdf_dict_get(ctx, lookupPageObject(ctx, source, 0), PDF_NAME(Annots)),
                                          0);
            const enum pdf_annot_type type = pdf_annot_type_from_string(
                ctx, pdf_dict_get_name(ctx, from, PDF_NAME(Subtype)));
            if (type == PDF_ANNOT_UNKNOWN || type == PDF_ANNOT_LINK || type == PDF_ANNOT_WIDGET
                || type == PDF_ANNOT_POPUP)
                fz_throw(ctx, FZ_ERROR_GENERIC, "the clipboard holds no comment");
            // The page keeps the annotation; the reference handed out here is dropped below.
            annot = pdf_create_annot_raw(ctx, pdfPage(loaded), type);
            pdf_obj* to = pdf_annot_obj(ctx, annot);
            map = pdf_new_graft_map(ctx, d->pdf());
            copyEntries(ctx, map, from, to);
            pdf_dict_put(ctx, to, PDF_NAME(P), pdfPage(loaded)->obj);
            id = pdf_to_num(ctx, to);
        }
        fz_always(ctx)
        {
            pdf_drop_annot(ctx, annot);
            pdf_drop_graft_map(ctx, map);
            pdf_drop_document(ctx, source);
            fz_drop_stream(ctx, stream);
            fz_drop_buffer(ctx, bytes);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    return id;
}

void MuDocument::translateAnnotation(int page, int id, const QPointF& offset)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    guarded(ctx, [&] {
        pdf_obj* annot = pdf_load_object(ctx, d->pdf(), id);
        fz_try(ctx)
        {
            fz_rect media;
            fz_matrix ctm;
            pdf_page_obj_transform(ctx, lookupPageObject(ctx, d->pdf(), page), &media, &ctm);
            // Page space turns and flips the file's; the offset is taken back into the file's.
            const fz_point shift = fz_transform_vector(fz_make_point(float(offset.x()), float(offset.y())),
                                                       fz_invert_matrix(ctm));
            for (const char* key : {"Rect", "QuadPoints", "Vertices", "L", "CL"})
                shiftPairs(ctx, pdf_dict_gets(ctx, annot, key), shift.x, shift.y);
            pdf_obj* ink = pdf_dict_get(ctx, annot, PDF_NAME(InkList));
            for (int i = 0; i < pdf_array_len(ctx, ink); ++i)
                shiftPairs(ctx, pdf_array_get(ctx, ink, i), shift.x, shift.y);
        }
        fz_always(ctx)
        {
            pdf_drop_obj(ctx, annot);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

} // namespace pxv::mu
