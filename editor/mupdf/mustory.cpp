// Documents typeset from HTML with MuPDF's story layout: text that flows over as many pages as it
// needs.

#include "mudocument_p.h"

namespace pxv::mu {

void writeStoryPages(fz_context* ctx, fz_document_writer* writer, fz_story* story, fz_rect media, fz_rect where)
{
    for (int page = 0, more = 1; more; ++page) {
        fz_rect filled;
        fz_device* device = fz_begin_page(ctx, writer, media);
        more = fz_place_story(ctx, story, where, &filled);
        fz_draw_story(ctx, story, device, fz_identity);
        fz_end_page(ctx, writer);
        // What is taller than the area overflows it, and MuPDF tries it again on every new page.
        if (more && page > 0 && filled.y1 > where.y1)
            fz_throw(ctx, FZ_ERROR_GENERIC, "a line is taller than the page leaves room for");
    }
}

std::unique_ptr<MuDocument> MuDocument::fromHtml(const QByteArray& html, const QSizeF& pageSize, double margin)
{
    Context context(kModelStoreBytes);
    fz_context* ctx = context.get();
    const fz_rect mediabox = fz_make_rect(0, 0, float(pageSize.width()), float(pageSize.height()));
    const fz_rect where = fz_make_rect(float(margin), float(margin), float(pageSize.width() - margin),
                                       float(pageSize.height() - margin));
    fz_buffer* written = nullptr;
    guarded(ctx, [&] { written = fz_new_buffer(ctx, 4096); });
    const BufferHandle writtenOwner(ctx, written);
    fz_buffer* source = nullptr;
    fz_story* story = nullptr;
    fz_output* out = nullptr; // ours until the writer takes it
    fz_document_writer* writer = nullptr;
    guarded(ctx, [&] {
        fz_var(source);
        fz_var(story);
        fz_var(out);
        fz_var(writer);
        fz_try(ctx)
        {
            source = fz_new_buffer_from_copied_data(ctx, reinterpret_cast<const unsigned char*>(html.constData()),
                                                    size_t(html.size()));
            story = fz_new_story(ctx, source, "body { font-family: sans-serif; }", 11, nullptr);
            out = fz_new_output_with_buffer(ctx, written);
            // The writer takes the output over, dropping it even when it cannot be made.
            fz_output* given = out;
            out = nullptr;
            writer = fz_new_pdf_writer_with_output(ctx, given, "compress");
            writeStoryPages(ctx, writer, story, mediabox, where);
            fz_close_document_writer(ctx, writer);
        }
        fz_always(ctx)
        {
            fz_drop_document_writer(ctx, writer);
            fz_drop_output(ctx, out);
            fz_drop_story(ctx, story);
            fz_drop_buffer(ctx, source);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    unsigned char* data = nullptr;
    const size_t length = fz_buffer_storage(ctx, written, &data);
    return openBytes(QByteArray(reinterpret_cast<const char*>(data), int(length)));
}

} // namespace pxv::mu
