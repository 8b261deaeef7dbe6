#include "imagepool.h"
#include "mudocument_p.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

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

// Where a page with the given bounds is drawn: the transform, and the device pixels drawn (the
// whole page, or the caller's part of it).
struct Placement
{
    fz_matrix ctm;
    fz_irect box;
    int width() const { return box.x1 - box.x0; }
    int height() const { return box.y1 - box.y0; }
};

Placement placement(const fz_rect& bounds, double scale, const QRect& clip)
{
    const double pageArea = double(bounds.x1 - bounds.x0) * double(bounds.y1 - bounds.y0);
    // A part of the page is drawn at any scale: its size is the caller's.
    const double drawn = clip.isNull() ? std::min(scale, std::sqrt(kMaxPixels / std::max(pageArea, 1.0))) : scale;
    Placement at;
    at.ctm = fz_scale(float(drawn), float(drawn));
    at.box = fz_round_rect(fz_transform_rect(bounds, at.ctm));
    if (!clip.isNull())
        at.box = fz_intersect_irect(at.box, fz_irect{at.box.x0 + clip.left(), at.box.y0 + clip.top(),
                                                     at.box.x0 + clip.left() + clip.width(),
                                                     at.box.y0 + clip.top() + clip.height()});
    return at;
}

// Pixels for the placement, white, from the image pool (see takeWhitePixels()). Throws MuPDF
// errors.
unsigned char* takePixels(fz_context* ctx, const Placement& at)
{
    if (at.width() <= 0 || at.height() <= 0)
        fz_throw(ctx, FZ_ERROR_GENERIC, "the page has no area");
    unsigned char* pixels = takeWhitePixels(at.width(), at.height());
    if (!pixels)
        fz_throw(ctx, FZ_ERROR_GENERIC, "not enough memory to draw the page");
    return pixels;
}

// Pixels taken from the pool, given back unless they became an image.
class TakenPixels
{
public:
    TakenPixels() = default;
    TakenPixels(const TakenPixels&) = delete;
    TakenPixels& operator=(const TakenPixels&) = delete;
    ~TakenPixels() { givePixelsBack(pixels); }
    QImage image(const Placement& at) { return pooledImage(std::exchange(pixels, nullptr), at.width(), at.height()); }

    unsigned char* pixels = nullptr;
};

// Draws what run sends a device into rows of pixels (4 bytes each, as wide as band), the first
// of them at row top; band is those rows' area in device pixels. run is called inside fz_try:
// nothing with a destructor may be alive in it. Throws MuPDF errors.
template <typename Run>
void drawRows(fz_context* ctx, unsigned char* pixels, int top, const fz_irect& band, const Run& run)
{
    // BGRA with alpha over the white fill: every pixel stays opaque, which is QImage's RGB32 in
    // memory, the format painted without blending.
    unsigned char* rows = pixels + qsizetype(top) * (band.x1 - band.x0) * 4;
    fz_pixmap* pixmap = fz_new_pixmap_with_bbox_and_data(ctx, fz_device_bgr(ctx), band, nullptr, 1, rows);
    fz_device* device = nullptr;
    fz_var(device);
    fz_try(ctx)
    {
        device = fz_new_draw_device(ctx, fz_identity, pixmap);
        run(device);
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
}

QImage drawList(fz_context* ctx, fz_display_list* list, const Placement& at, const std::atomic<int>* abort)
{
    TakenPixels taken;
    guarded(ctx, [&] { taken.pixels = takePixels(ctx, at); });
    const int bandRows = int(std::max<qint64>(256, kBandPixels / at.width()));
    for (int top = 0; top < at.height(); top += bandRows) {
        if (abort && abort->load(std::memory_order_relaxed))
            throw MuError(FZ_ERROR_ABORT, "drawing cancelled");
        const int rows = std::min(bandRows, at.height() - top);
        const fz_irect band{at.box.x0, at.box.y0 + top, at.box.x1, at.box.y0 + top + rows};
        guarded(ctx, [&] {
            drawRows(ctx, taken.pixels, top, band, [&](fz_device* device) {
                fz_run_display_list(ctx, list, device, at.ctm, fz_rect_from_irect(band), nullptr);
            });
        });
    }
    return taken.image(at);
}

// A page's first drawing in a while (see renderPage): straight into pixels when it is drawn whole
// in one band, else into a display list. Filled where MuPDF errors longjmp: what it points to
// outlives the longjmp.
struct FirstDrawing
{
    double scale = 0;
    bool direct = false;
    TakenPixels* taken = nullptr; // set when drawn straight
    fz_rect bounds{};
    Placement at{};
    fz_display_list* list = nullptr;
};

void drawFirst(fz_context* ctx, fz_page* page, void* data)
{
    auto* drawing = static_cast<FirstDrawing*>(data);
    drawing->bounds = fz_bound_page(ctx, page);
    drawing->at = placement(drawing->bounds, drawing->scale, QRect());
    const Placement& at = drawing->at;
    if (drawing->direct && qint64(at.width()) * at.height() <= kBandPixels) {
        drawing->taken->pixels = takePixels(ctx, at);
        drawRows(ctx, drawing->taken->pixels, 0, at.box,
                 [&](fz_device* device) { fz_run_page(ctx, page, device, at.ctm, nullptr); });
    } else {
        drawing->list = fz_new_display_list_from_page(ctx, page);
    }
}

// A page drawn with a content layer (see renderPage): its content copied from the layer's, or
// drawn and, to be kept, copied; then its annotations and form widgets over that. Filled where
// MuPDF errors longjmp: what it points to outlives the longjmp.
struct LayeredDrawing
{
    double scale = 0;
    const QImage* content = nullptr; // null or of another size: drawn now
    bool keep = false;
    TakenPixels* taken = nullptr;
    Placement at{};
    bool tooLarge = false; // drawn in bands, which this does not do: nothing was drawn
    unsigned char* kept = nullptr; // malloc'ed copy of the content drawn now, when keep
};

void drawLayered(fz_context* ctx, fz_page* page, void* data)
{
    auto* drawing = static_cast<LayeredDrawing*>(data);
    drawing->at = placement(fz_bound_page(ctx, page), drawing->scale, QRect());
    const Placement& at = drawing->at;
    if (qint64(at.width()) * at.height() > kBandPixels) {
        drawing->tooLarge = true;
        return;
    }
    const size_t bytes = size_t(at.width()) * size_t(at.height()) * 4;
    drawing->taken->pixels = takePixels(ctx, at);
    const QImage* content = drawing->content;
    if (content && content->width() == at.width() && content->height() == at.height()
        && size_t(content->sizeInBytes()) == bytes) {
        memcpy(drawing->taken->pixels, content->constBits(), bytes);
    } else {
        drawRows(ctx, drawing->taken->pixels, 0, at.box,
                 [&](fz_device* device) { fz_run_page_contents(ctx, page, device, at.ctm, nullptr); });
        if (drawing->keep) {
            drawing->kept = static_cast<unsigned char*>(malloc(bytes));
            if (drawing->kept)
                memcpy(drawing->kept, drawing->taken->pixels, bytes);
        }
    }
    drawRows(ctx, drawing->taken->pixels, 0, at.box, [&](fz_device* device) {
        fz_run_page_annots(ctx, page, device, at.ctm, nullptr);
        fz_run_page_widgets(ctx, page, device, at.ctm, nullptr);
    });
}

// The page drawn with its content layer; null when the layer has no content to use or keep,
// or the page is too large for it.
QImage drawWithLayer(MuDocument::Impl& d, int page, double scale, MuDocument::ContentLayer& layer)
{
    if (layer.content.isNull() && !layer.keep)
        return QImage();
    LayeredDrawing drawing;
    drawing.scale = scale;
    drawing.content = layer.content.isNull() ? nullptr : &layer.content;
    drawing.keep = layer.keep && !drawing.content;
    TakenPixels taken; // given back if drawing fails
    drawing.taken = &taken;
    fz_context* ctx = d.ctx();
    const bool hideLinks = !d.journalEnabled;
    try {
        guarded(ctx, [&] { useShownPage(ctx, d.pdf(), page, hideLinks, drawLayered, &drawing); });
    } catch (...) {
        free(drawing.kept);
        throw;
    }
    if (drawing.kept) {
        layer.kept = QImage(
            drawing.kept, drawing.at.width(), drawing.at.height(), drawing.at.width() * 4, QImage::Format_RGB32,
            [](void* bytes) { free(bytes); }, drawing.kept);
    }
    if (drawing.tooLarge)
        return QImage();
    return taken.image(drawing.at);
}

} // namespace

QImage MuDocument::renderPage(int page, double scale, const std::atomic<int>* abort, const QRect& clip,
                              ContentLayer* layer)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    if (layer && clip.isNull()) {
        QImage image = drawWithLayer(*d, page, scale, *layer);
        if (!image.isNull())
            return image;
    }

    auto found = std::find_if(d->lists.begin(), d->lists.end(),
                              [page](const Impl::CachedList& entry) { return entry.page == page; });
    if (found != d->lists.end()) {
        std::rotate(d->lists.begin(), found, found + 1);
        const Impl::CachedList& entry = d->lists.front();
        return drawList(ctx, entry.list.get(), placement(entry.bounds, scale, clip), abort);
    }

    // A page drawn whole in one band, and not lately, is drawn straight from its contents: a
    // display list costs a third more than that, and serves only the page's next draws (a zoom,
    // tiles, a band at a time), which take one from their second draw on.
    auto drawnLately = std::find(d->drawnWithoutList.begin(), d->drawnWithoutList.end(), page);
    FirstDrawing drawing;
    drawing.scale = scale;
    drawing.direct = clip.isNull() && drawnLately == d->drawnWithoutList.end();
    if (drawnLately != d->drawnWithoutList.end())
        d->drawnWithoutList.erase(drawnLately);
    // Only a document without a journal can lend a page object: an edit meanwhile would record
    // the copy.
    const bool hideLinks = !d->journalEnabled;
    TakenPixels taken; // given back if drawing fails
    drawing.taken = &taken;
    guarded(ctx, [&] { useShownPage(ctx, d->pdf(), page, hideLinks, drawFirst, &drawing); });
    // What drawing parsed stays until the copy is closed, and a copy walked end to end would
    // hold the whole file's. Dropped now and then, not per page: objects packed in object
    // streams are read a whole stream at a time.
    if (++d->pagesRunSinceObjectsDropped >= Impl::kPagesRunBetweenObjectDrops) {
        d->dropParsedObjects();
        d->pagesRunSinceObjectsDropped = 0;
    }
    if (taken.pixels) {
        d->drawnWithoutList.push_front(page);
        if (d->drawnWithoutList.size() > Impl::kMaxCachedLists)
            d->drawnWithoutList.pop_back();
        return taken.image(drawing.at);
    }
    Impl::CachedList entry;
    entry.page = page;
    entry.list = DisplayListHandle(ctx, drawing.list);
    entry.bounds = drawing.bounds;
    d->lists.push_front(std::move(entry));
    if (d->lists.size() > Impl::kMaxCachedLists)
        d->lists.pop_back();
    const Impl::CachedList& cached = d->lists.front();
    return drawList(ctx, cached.list.get(), placement(cached.bounds, scale, clip), abort);
}

} // namespace pxv::mu
