#include "mudocument_p.h"

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

namespace {

// Draws source (a page or a display list) into the rows [top, top + rows) of image, whose
// full area is box at ctm.
template <typename Run>
void drawBand(fz_context* ctx, QImage& image, const fz_irect& box, int top, int rows, Run&& run)
{
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
            run(device, fz_rect_from_irect(band));
            fz_close_device(ctx, device);
        }
        fz_always(ctx)
        {
            fz_drop_device(ctx, device);
            fz_drop_pixmap(ctx, pixmap);
        }
        fz_catch(ctx) { fz_rethrow(ctx); }
    });
}

// The image for a page of bounds at scale (capped at kMaxPixels), white, and where it lies.
QImage whiteImage(const fz_rect& bounds, double scale, fz_matrix* ctm, fz_irect* box)
{
    const double area = double(bounds.x1 - bounds.x0) * double(bounds.y1 - bounds.y0);
    const double drawn = std::min(scale, std::sqrt(kMaxPixels / std::max(area, 1.0)));
    *ctm = fz_scale(float(drawn), float(drawn));
    *box = fz_round_rect(fz_transform_rect(bounds, *ctm));
    const int width = box->x1 - box->x0;
    const int height = box->y1 - box->y0;
    if (width <= 0 || height <= 0)
        throw MuError(FZ_ERROR_GENERIC, "the page has no area");
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        throw MuError(FZ_ERROR_GENERIC, "not enough memory to draw the page");
    image.fill(Qt::white);
    return image;
}

} // namespace

QImage MuDocument::renderPage(int page, double scale, const std::atomic<int>* abort)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    fz_matrix ctm;
    fz_irect box;

    auto found = std::find_if(d->lists.begin(), d->lists.end(),
                              [page](const Impl::CachedList& entry) { return entry.page == page; });
    if (found == d->lists.end()) {
        PageHandle fzPage;
        fz_rect bounds{};
        guarded(ctx, [&] {
            fzPage = PageHandle(ctx, fz_load_page(ctx, &d->pdf()->super, page));
            bounds = fz_bound_page(ctx, fzPage.get());
        });
        QImage image = whiteImage(bounds, scale, &ctm, &box);
        if (qint64(image.width()) * image.height() <= kBandPixels) {
            // One band: the page is drawn straight away. A display list would cost its own
            // recording on top, and a page shown once (scrolling through) never replays it.
            drawBand(ctx, image, box, 0, image.height(), [&](fz_device* device, const fz_rect&) {
                fz_run_page(ctx, fzPage.get(), device, ctm, nullptr);
            });
            return image;
        }
        fz_display_list* list = nullptr;
        guarded(ctx, [&] { list = fz_new_display_list_from_page(ctx, fzPage.get()); });
        Impl::CachedList entry;
        entry.page = page;
        entry.list = DisplayListHandle(ctx, list);
        entry.bounds = bounds;
        d->lists.push_front(std::move(entry));
        if (d->lists.size() > Impl::kMaxCachedLists)
            d->lists.pop_back();
    } else {
        std::rotate(d->lists.begin(), found, found + 1);
    }
    Impl::CachedList& entry = d->lists.front();
    QImage image = whiteImage(entry.bounds, scale, &ctm, &box);
    fz_display_list* list = entry.list.get();
    const int width = image.width();
    const int height = image.height();
    const int bandRows = int(std::max<qint64>(256, kBandPixels / width));
    for (int top = 0; top < height; top += bandRows) {
        if (abort && abort->load(std::memory_order_relaxed))
            throw MuError(FZ_ERROR_ABORT, "drawing cancelled");
        drawBand(ctx, image, box, top, std::min(bandRows, height - top), [&](fz_device* device, const fz_rect& area) {
            fz_run_display_list(ctx, list, device, ctm, area, nullptr);
        });
    }
    return image;
}

} // namespace pxv::mu
