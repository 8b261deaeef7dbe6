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

QImage MuDocument::renderPage(int page, double scale, const std::atomic<int>* abort, const QRect& clip)
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
        // Only a document without a journal can lend a page object: an edit meanwhile would
        // record the copy.
        const bool hideLinks = !d->journalEnabled;
        guarded(ctx, [&] { list = newPageList(ctx, d->pdf(), page, hideLinks, &bounds); });
        // The lists hold what drawing needs; the parsed objects of the pages would otherwise
        // stay until the copy is closed, and a copy walked end to end would hold the whole
        // file's. Dropped now and then, not per page: objects packed in object streams are
        // read a whole stream at a time.
        if (++d->listsSinceObjectsDropped >= Impl::kListsBetweenObjectDrops) {
            d->dropParsedObjects();
            d->listsSinceObjectsDropped = 0;
        }
        Impl::CachedList entry;
        entry.page = page;
        entry.list = DisplayListHandle(ctx, list);
        entry.bounds = bounds;
        d->lists.push_front(std::move(entry));
        if (d->lists.size() > Impl::kMaxCachedLists)
            d->lists.pop_back();
    }
    Impl::CachedList& entry = d->lists.front();

    const double pageArea = double(entry.bounds.x1 - entry.bounds.x0) * double(entry.bounds.y1 - entry.bounds.y0);
    // A part of the page is drawn at any scale: its size is the caller's.
    const double drawn = clip.isNull() ? std::min(scale, std::sqrt(kMaxPixels / std::max(pageArea, 1.0))) : scale;
    const fz_matrix ctm = fz_scale(float(drawn), float(drawn));
    fz_irect box = fz_round_rect(fz_transform_rect(entry.bounds, ctm));
    if (!clip.isNull())
        box = fz_intersect_irect(box,
                                 fz_irect{box.x0 + clip.left(), box.y0 + clip.top(),
                                          box.x0 + clip.left() + clip.width(), box.y0 + clip.top() + clip.height()});
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
