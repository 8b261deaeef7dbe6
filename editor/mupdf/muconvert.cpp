// Pages written in other formats through MuPDF's document writers and SVG device.

#include "mudocument.h"
#include "mudocument_p.h"

#include <QFile>

namespace pxv::mu {

namespace {

using WriterHandle = Handle<fz_document_writer, fz_drop_document_writer>;
using OutputHandle = Handle<fz_output, fz_drop_output>;

OutputHandle openOutput(fz_context* ctx, const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    fz_output* out = nullptr;
    guarded(ctx, [&] { out = fz_new_output_with_path(ctx, file.constData(), 0); });
    return OutputHandle(ctx, out);
}

} // namespace

void MuDocument::writePages(const QVector<int>& pages, const QByteArray& format, const QString& path,
                            const std::function<bool(int index)>& next)
{
    fz_context* ctx = d->ctx();
    for (int page : pages)
        d->checkPage(page);
    const QByteArray file = QFile::encodeName(path);
    fz_document_writer* made = nullptr;
    // The writer owns the output as soon as it is handed over, also when it cannot be made.
    guarded(ctx, [&] {
        made = fz_new_document_writer_with_output(ctx, fz_new_output_with_path(ctx, file.constData(), 0),
                                                  format.constData(), nullptr);
    });
    const WriterHandle writer(ctx, made);
    for (int i = 0; i < pages.size(); ++i) {
        if (next && !next(i))
            throw MuError(FZ_ERROR_ABORT, "cancelled");
        const int number = pages[i];
        guarded(ctx, [&] {
            fz_page* page = fz_load_page(ctx, &d->pdf()->super, number);
            fz_try(ctx)
            {
                fz_device* device = fz_begin_page(ctx, writer.get(), fz_bound_page(ctx, page));
                fz_run_page(ctx, page, device, fz_identity, nullptr);
                fz_end_page(ctx, writer.get());
            }
            fz_always(ctx)
            {
                fz_drop_page(ctx, page);
            }
            fz_catch(ctx)
            {
                fz_rethrow(ctx);
            }
        });
    }
    guarded(ctx, [&] { fz_close_document_writer(ctx, writer.get()); });
}

void MuDocument::writeSvgPage(int number, const QString& path)
{
    d->checkPage(number);
    fz_context* ctx = d->ctx();
    const OutputHandle out = openOutput(ctx, path);
    guarded(ctx, [&] {
        fz_page* page = fz_load_page(ctx, &d->pdf()->super, number);
        fz_device* device = nullptr;
        fz_var(device);
        fz_try(ctx)
        {
            const fz_rect bounds = fz_bound_page(ctx, page);
            device = fz_new_svg_device(ctx, out.get(), bounds.x1 - bounds.x0, bounds.y1 - bounds.y0,
                                       FZ_SVG_TEXT_AS_PATH, 1);
            fz_run_page(ctx, page, device, fz_translate(-bounds.x0, -bounds.y0), nullptr);
            fz_close_device(ctx, device);
            fz_close_output(ctx, out.get());
        }
        fz_always(ctx)
        {
            fz_drop_device(ctx, device);
            fz_drop_page(ctx, page);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

} // namespace pxv::mu
