// New documents made from images and from plain text.

#include "mudocument.h"
#include "mudocument_p.h"

namespace pxv::mu {

namespace {

// Text as HTML that keeps its lines and spaces; lang picks the CJK font MuPDF falls back to
// for characters its base font lacks.
QByteArray preformatted(const QString& text)
{
    return QByteArrayLiteral("<body lang=\"zh-Hans\"><pre>") + text.toHtmlEscaped().toUtf8()
           + QByteArrayLiteral("</pre></body>");
}

// The style of the text: MuPDF's monospaced font, or the given font, which the story reads
// from an archive under kFontName.
constexpr char kFontName[] = "font";

QByteArray textStyle(bool ownFont)
{
    const QByteArray pre = "white-space: pre-wrap; margin: 0 }";
    if (!ownFont)
        return "pre { font-family: monospace; " + pre;
    return "@font-face { font-family: chosen; src: url(" + QByteArray(kFontName) + ") } pre { font-family: chosen; "
           + pre;
}

} // namespace

void MuDocument::appendImagePage(const QString& path, const QSizeF& paper, double margin)
{
    d->scan.reset();
    fz_context* ctx = d->ctx();
    const QByteArray file = path.toUtf8();
    guarded(ctx, [&] {
        fz_image* image = nullptr;
        pdf_obj* imageRef = nullptr;
        pdf_obj* resources = nullptr;
        fz_buffer* contents = nullptr;
        pdf_obj* page = nullptr;
        fz_var(image);
        fz_var(imageRef);
        fz_var(resources);
        fz_var(contents);
        fz_var(page);
        fz_try(ctx)
        {
            image = fz_new_image_from_file(ctx, file.constData());
            int xres = 0;
            int yres = 0;
            fz_image_resolution(image, &xres, &yres);
            // The image at its own resolution; on paper, shrunk (never enlarged) to fit inside
            // the margins, centred.
            float width = image->w * 72.0f / (xres > 0 ? xres : 96);
            float height = image->h * 72.0f / (yres > 0 ? yres : 96);
            float pageWidth = width;
            float pageHeight = height;
            if (!paper.isEmpty()) {
                pageWidth = float(paper.width());
                pageHeight = float(paper.height());
                const float room = fz_min((pageWidth - 2 * float(margin)) / width,
                                          (pageHeight - 2 * float(margin)) / height);
                if (room < 1) {
                    width *= room;
                    height *= room;
                }
            }
            imageRef = pdf_add_image(ctx, d->pdf(), image);
            resources = pdf_new_dict(ctx, d->pdf(), 1);
            pdf_dict_puts(ctx, pdf_dict_put_dict(ctx, resources, PDF_NAME(XObject), 1), "Im0", imageRef);
            contents = fz_new_buffer(ctx, 64);
            fz_append_printf(ctx, contents, "q %g 0 0 %g %g %g cm /Im0 Do Q", width, height, (pageWidth - width) / 2,
                             (pageHeight - height) / 2);
            page = pdf_add_page(ctx, d->pdf(), fz_make_rect(0, 0, pageWidth, pageHeight), 0, resources, contents);
            pdf_insert_page(ctx, d->pdf(), -1, page);
        }
        fz_always(ctx)
        {
            pdf_drop_obj(ctx, page);
            fz_drop_buffer(ctx, contents);
            pdf_drop_obj(ctx, resources);
            pdf_drop_obj(ctx, imageRef);
            fz_drop_image(ctx, image);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

std::unique_ptr<MuDocument> MuDocument::fromText(const QString& text, const QSizeF& paper, double margin,
                                                 double fontSize, const QByteArray& font)
{
    auto context = std::make_shared<Context>(kModelStoreBytes);
    fz_context* ctx = context->get();
    // A form feed starts a new page: each part is a story of its own.
    QList<QByteArray> parts;
    for (const QString& part : text.split(QLatin1Char('\f')))
        parts.append(preformatted(part));
    const QByteArray css = textStyle(!font.isEmpty());
    const fz_rect media = fz_make_rect(0, 0, float(paper.width()), float(paper.height()));
    const fz_rect where = fz_make_rect(float(margin), float(margin), float(paper.width() - margin),
                                       float(paper.height() - margin));
    BufferHandle result;
    guarded(ctx, [&] {
        fz_buffer* written = nullptr;
        fz_output* out = nullptr;
        fz_document_writer* writer = nullptr;
        fz_buffer* html = nullptr;
        fz_story* story = nullptr;
        fz_archive* fonts = nullptr;
        fz_var(written);
        fz_var(out);
        fz_var(writer);
        fz_var(html);
        fz_var(story);
        fz_var(fonts);
        fz_try(ctx)
        {
            if (!font.isEmpty()) {
                fonts = fz_new_tree_archive(ctx, nullptr);
                fz_tree_archive_add_data(ctx, fonts, kFontName, font.constData(), size_t(font.size()));
            }
            written = fz_new_buffer(ctx, 4096);
            out = fz_new_output_with_buffer(ctx, written);
            // The writer owns the output from the call on, also when it fails.
            fz_output* handed = out;
            out = nullptr;
            writer = fz_new_pdf_writer_with_output(ctx, handed, "compress");
            for (int i = 0; i < parts.size(); ++i) {
                html = fz_new_buffer_from_copied_data(ctx, reinterpret_cast<const unsigned char*>(parts[i].constData()),
                                                      size_t(parts[i].size()));
                story = fz_new_story(ctx, html, css.constData(), float(fontSize), fonts);
                writeStoryPages(ctx, writer, story, media, where);
                fz_drop_story(ctx, story);
                story = nullptr;
                fz_drop_buffer(ctx, html);
                html = nullptr;
            }
            fz_close_document_writer(ctx, writer);
            fz_close_output(ctx, out);
        }
        fz_always(ctx)
        {
            fz_drop_story(ctx, story);
            fz_drop_buffer(ctx, html);
            fz_drop_archive(ctx, fonts);
            fz_drop_document_writer(ctx, writer);
            fz_drop_output(ctx, out);
        }
        fz_catch(ctx)
        {
            fz_drop_buffer(ctx, written);
            fz_rethrow(ctx);
        }
        result = BufferHandle(ctx, written);
    });
    unsigned char* data = nullptr;
    const size_t length = fz_buffer_storage(ctx, result.get(), &data);
    return openBytes(QByteArray(reinterpret_cast<const char*>(data), int(length)), kModelStoreBytes);
}

} // namespace pxv::mu
