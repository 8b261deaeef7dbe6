#include "mudocument_p.h"

#include <malloc.h>

#include <algorithm>
#include <cmath>

namespace pxv::mu {

namespace {

// Large images are drawn in bands so that a cancelled request stops within one band's work (a
// plain int cookie shared across threads would be a data race). Every band replays the whole
// display list, which costs about half a page's time again on text pages, so bands are only
// used above the size of a full-screen page.
constexpr qint64 kBandPixels = 4ll * 1024 * 1024;
// Larger images would cost hundreds of megabytes each; beyond this a page is drawn at the
// largest scale that fits and shown stretched, slightly soft, instead of not at all.
constexpr double kMaxPixels = 8192.0 * 8192.0;

} // namespace

QImage MuDocument::renderPage(int page, double scale, const std::atomic<int>* abort)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();

    auto found = std::find_if(d->lists.begin(), d->lists.end(),
                              [page](const Impl::CachedList& entry) { return entry.page == page; });
    if (found != d->lists.end()) {
        std::rotate(d->lists.begin(), found, found + 1);
    } else {
        fz_display_list* list = nullptr;
        fz_rect bounds{};
        guarded(ctx, [&] {
            fz_page* fzPage = fz_load_page(ctx, &d->pdf()->super, page);
            fz_try(ctx)
            {
                bounds = fz_bound_page(ctx, fzPage);
                list = fz_new_display_list_from_page(ctx, fzPage);
            }
            fz_always(ctx)
            {
                fz_drop_page(ctx, fzPage);
            }
            fz_catch(ctx)
            {
                fz_rethrow(ctx);
            }
            // The lists hold what drawing needs; the parsed objects of the pages would otherwise
            // stay until the copy is closed, and a copy walked end to end would hold the whole
            // file's. Dropped now and then, not per page: objects packed in object streams are
            // read a whole stream at a time. Only an unedited copy may drop them: edited objects
            // exist nowhere else.
            if (++d->listsSinceObjectsDropped >= Impl::kListsBetweenObjectDrops
                && !pdf_has_unsaved_changes(ctx, d->pdf())) {
                pdf_clear_xref(ctx, d->pdf());
                d->listsSinceObjectsDropped = 0;
                malloc_trim(0); // freed, yet kept by the allocator unless handed back
            }
        });
        Impl::CachedList entry;
        entry.page = page;
        entry.list = DisplayListHandle(ctx, list);
        entry.bounds = bounds;
        d->lists.push_front(std::move(entry));
        if (d->lists.size() > Impl::kMaxCachedLists)
            d->lists.pop_back();
    }
    Impl::CachedList& entry = d->lists.front();

    const double area = double(entry.bounds.x1 - entry.bounds.x0) * double(entry.bounds.y1 - entry.bounds.y0);
    const double drawn = std::min(scale, std::sqrt(kMaxPixels / std::max(area, 1.0)));
    const fz_matrix ctm = fz_scale(float(drawn), float(drawn));
    const fz_irect box = fz_round_rect(fz_transform_rect(entry.bounds, ctm));
    const int width = box.x1 - box.x0;
    const int height = box.y1 - box.y0;
    if (width <= 0 || height <= 0)
        throw MuError(FZ_ERROR_GENERIC, "the page has no area");

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        throw MuError(FZ_ERROR_GENERIC, "not enough memory to draw the page");
    image.fill(Qt::white);

    fz_display_list* list = entry.list.get();
    const int bandRows = int(std::max<qint64>(256, kBandPixels / width));
    for (int top = 0; top < height; top += bandRows) {
        if (abort && abort->load(std::memory_order_relaxed))
            throw MuError(FZ_ERROR_ABORT, "drawing cancelled");
        const int rows = std::min(bandRows, height - top);
        const fz_irect band{box.x0, box.y0 + top, box.x1, box.y0 + top + rows};
        unsigned char* samples = image.scanLine(top);
        guarded(ctx, [&] {
            // BGRA with alpha over the white fill: every pixel stays opaque, which is QImage's
            // RGB32 in memory, the format painted without blending.
            fz_pixmap* pixmap = fz_new_pixmap_with_bbox_and_data(ctx, fz_device_bgr(ctx), band, nullptr, 1, samples);
            fz_device* device = nullptr;
            fz_var(device);
            fz_try(ctx)
            {
                device = fz_new_draw_device(ctx, fz_identity, pixmap);
                fz_run_display_list(ctx, list, device, ctm, fz_rect_from_irect(band), nullptr);
                fz_close_device(ctx, device);
            }
            fz_always(ctx)
            {
                fz_drop_device(ctx, device);
                fz_drop_pixmap(ctx, pixmap);
            }
            fz_catch(ctx)
            {
                fz_rethrow(ctx);
            }
        });
    }
    return image;
}

} // namespace pxv::mu
