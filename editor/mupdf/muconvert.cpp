// Pages written in other formats through MuPDF's document writers and SVG device.

#include "mudocument.h"
#include "mudocument_p.h"

#include <QFile>

#include <algorithm>

namespace pxv::mu {

namespace {

using WriterHandle = Handle<fz_document_writer, fz_drop_document_writer>;
using OutputHandle = Handle<fz_output, fz_drop_output>;

// Pages larger than this are drawn in bands from a display list, so that memory stays bounded
// at any resolution; smaller ones are drawn straight from the page, sparing the list.
constexpr int kBandPixels = 4 * 1024 * 1024;

// Opens the caller's empty temporary file for appending: MuPDF opening it anew would delete it
// and create another, losing the lock the caller holds on it.
OutputHandle openOutput(fz_context* ctx, const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    fz_output* out = nullptr;
    guarded(ctx, [&] { out = fz_new_output_with_path(ctx, file.constData(), 1); });
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

void MuDocument::writePngPage(int number, int dpi, const QString& path)
{
    d->checkPage(number);
    fz_context* ctx = d->ctx();
    const OutputHandle out = openOutput(ctx, path);
    guarded(ctx, [&] {
        fz_page* page = nullptr;
        fz_display_list* list = nullptr;
        fz_pixmap* band = nullptr;
        fz_band_writer* writer = nullptr;
        fz_device* device = nullptr;
        fz_var(page);
        fz_var(list);
        fz_var(band);
        fz_var(writer);
        fz_var(device);
        fz_try(ctx)
        {
            page = fz_load_page(ctx, &d->pdf()->super, number);
            const fz_matrix ctm = fz_scale(float(dpi / 72.0), float(dpi / 72.0));
            const fz_irect box = fz_round_rect(fz_transform_rect(fz_bound_page(ctx, page), ctm));
            const int width = std::max(1, box.x1 - box.x0);
            const int height = std::max(1, box.y1 - box.y0);
            const int bandRows = std::min(height, std::max(1, kBandPixels / width));
            if (bandRows < height)
                list = fz_new_display_list_from_page(ctx, page);
            band = fz_new_pixmap(ctx, fz_device_rgb(ctx), width, bandRows, nullptr, 0);
            writer = fz_new_png_band_writer(ctx, out.get());
            fz_write_header(ctx, writer, width, height, 3, 0, dpi, dpi, 0, fz_device_rgb(ctx), nullptr);
            for (int top = 0; top < height; top += bandRows) {
                band->x = box.x0;
                band->y = box.y0 + top;
                fz_clear_pixmap_with_value(ctx, band, 255);
                device = fz_new_draw_device(ctx, fz_identity, band);
                if (list)
                    fz_run_display_list(ctx, list, device, ctm, fz_rect_from_irect(fz_pixmap_bbox(ctx, band)), nullptr);
                else
                    fz_run_page(ctx, page, device, ctm, nullptr);
                fz_close_device(ctx, device);
                fz_drop_device(ctx, device);
                device = nullptr;
                fz_write_band(ctx, writer, band->stride, std::min(bandRows, height - top), band->samples);
            }
            fz_close_band_writer(ctx, writer);
            fz_close_output(ctx, out.get());
        }
        fz_always(ctx)
        {
            fz_drop_device(ctx, device);
            fz_drop_band_writer(ctx, writer);
            fz_drop_pixmap(ctx, band);
            fz_drop_display_list(ctx, list);
            fz_drop_page(ctx, page);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

} // namespace pxv::mu
