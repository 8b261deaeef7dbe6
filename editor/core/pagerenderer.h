#pragma once

#include "core/layer.h"

// Asynchronous page rendering for one document view.

#include "document.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <memory>

namespace pxv {

struct RenderJob;
class RenderSink;

class PageRenderer : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kDefaultCacheBytes = 32ll * 1024 * 1024;
    // Pages drawn ahead at most: a few per worker keep them busy, more only take memory.
    static constexpr int kMaxPrefetch = 6;
    // A page whose image at a scale would be larger than this is drawn in square tiles of
    // kTileSize device pixels, only where it is seen (a whole page far zoomed in would take
    // hundreds of megabytes), over a preview of at most kPreviewPixels stretched to its size.
    static constexpr qint64 kMaxPagePixels = 4ll * 1024 * 1024;
    static constexpr qint64 kPreviewPixels = 2ll * 1024 * 1024;
    static constexpr int kTileSize = 512;
    // The size in device pixels of a page of sizeInPoints drawn at pixelsPerPoint.
    static QSize imageSize(const QSizeF& sizeInPoints, double pixelsPerPoint);
    static bool isTiled(const QSizeF& sizeInPoints, double pixelsPerPoint);
    // The scale of a tiled page's preview.
    static double previewScale(const QSizeF& sizeInPoints, double pixelsPerPoint);
    // A tile: the page and its column and row.
    struct Tile
    {
        int page = 0;
        QPoint cell;
    };

    explicit PageRenderer(Document* document, QObject* parent = nullptr);
    ~PageRenderer() override;

    // Has a render worker open path and read its first page while the GUI thread opens a
    // document from it: the document's first warm-up takes that copy over instead of opening one.
    static void openAhead(const QString& path);
    // Starts the render threads before the first document: its open on a worker then begins at
    // once instead of after a thread start.
    static void startWorkers();
    // Opens the document on a worker and reads page's contents there, drawing nothing: done
    // while a view is still being made, its first request for page then only has to draw, on
    // that worker or, once the warm-up is over, on whichever worker takes its copy over.
    void warmUp(int page);
    // Asks for page at pixelsPerPoint: device pixels per PDF point, that is
    // zoom × device pixel ratio at 72 DPI (1.0 is 100 % on a normal screen). Higher priority
    // renders first. A cached image makes pageReady fire without rendering (queued, like every
    // result); a request that is already queued or running is not repeated.
    void request(int page, double pixelsPerPoint, int priority = 0);
    // Renders pages that are about to be needed (the next ones in the scroll direction) at the
    // lowest priority, in the given order, so that idle workers draw them before they are
    // visible. Only as many as fit half the byte bound (and kMaxPrefetch) are taken, counting
    // those already cached, so that prefetching never evicts what it drew before it is shown.
    // The list replaces the previous one: work for pages no longer listed, and not requested,
    // is cancelled.
    void prefetch(const QList<int>& pages, double pixelsPerPoint);
    // Draws these tiles of pages at pixelsPerPoint, in the given order, those not cached yet.
    // The list replaces the previous one: tiles no longer listed are cancelled. Tiles go to the
    // byte-bounded cache; tileReady tells when one arrives.
    void requestTiles(const QList<Tile>& tiles, double pixelsPerPoint);
    // The tile's image (the page's image at pixelsPerPoint, cut at cell × kTileSize, smaller at
    // the page's right and bottom edges), or a null image.
    QImage cachedTile(int page, double pixelsPerPoint, const QPoint& cell) const;
    // Cancels pending and running work for every page not in pages and not prefetched.
    void cancelExcept(const QSet<int>& pages);
    // Cancels everything, prefetches included.
    void cancelAll();

    // The image at exactly this scale, or a null image. The latest image of every page the view
    // still wants (requested and not cancelled) is kept outside the byte bound, so what is on
    // screen never gets evicted however far one zooms in; memory then follows what is visible.
    QImage cachedImage(int page, double pixelsPerPoint) const;
    // The cached image of the page whose scale is nearest, or a null image: shown scaled while
    // the page renders again at the new scale.
    QImage nearestCachedImage(int page, double pixelsPerPoint) const;

    void setCacheLimit(qint64 bytes);
    qint64 cacheLimit() const;
    // Bytes of the bounded cache, and of the images kept for wanted pages.
    qint64 cacheCost() const;
    qint64 wantedCost() const;

    // Pages rendering or waiting to render.
    int pendingCount() const;
    // Pages the current prefetch list took (cached or rendering), nearest first.
    QList<int> prefetchedPages() const { return m_prefetched; }
    // Results the workers delivered, drawn or failed, including those that came too late to be
    // wanted: each one is a page a worker went through.
    int finishedCount() const { return m_finished; }
    // Pages with an image at any scale, cached or kept.
    int imageCount() const;

signals:
    // Images have the page's size × pixelsPerPoint (rounded up) with white under the page; only
    // beyond 64 megapixels (a large page far zoomed in) are they smaller, for drawing stretched.
    void pageReady(int page, double pixelsPerPoint, const QImage& image);
    void pageFailed(int page, const QString& message);
    void tileReady(int page, double pixelsPerPoint, const QPoint& cell);

private:
    // Images and work are filed by page identity, so that they stay with their page when
    // other pages are inserted, removed or moved.
    static constexpr int kWholePage = -1;
    struct CacheKey
    {
        PageId id;
        int scale; // in 1/1000 px per point
        int tile = kWholePage; // row << 16 | column
        bool operator==(const CacheKey& other) const
        {
            return id == other.id && scale == other.scale && tile == other.tile;
        }
        friend uint qHash(const CacheKey& key, uint seed = 0)
        {
            return qHash(qMakePair(key.id, qMakePair(key.scale, key.tile)), seed);
        }
    };

    void onJobFinished(std::shared_ptr<RenderJob> job, QImage image, QString error);
    void onSourceChanged();
    void onPagesChanged(const PageChanges& changes);
    // Forgets every image and all work for a page.
    void forget(PageId id);
    void finishTile(const std::shared_ptr<RenderJob>& job, const QImage& image, const QString& error);
    void keep(const CacheKey& key, const QImage& image);
    std::shared_ptr<RenderJob> makeJob(int page, double pixelsPerPoint) const;
    // Queues a render of page at pixelsPerPoint; false when the page cannot be drawn.
    bool startJob(int page, double pixelsPerPoint, int priority);
    void cancelJob(QHash<PageId, std::shared_ptr<RenderJob>>::iterator job);
    void release(PageId id);
    PageId idOf(int page) const;

    QPointer<Document> m_document;
    std::shared_ptr<RenderSink> m_sink;
    QHash<PageId, std::shared_ptr<RenderJob>> m_jobs; // running or queued
    QHash<CacheKey, std::shared_ptr<RenderJob>> m_tileJobs;
    QSet<PageId> m_wanted;
    QList<int> m_prefetched;
    std::shared_ptr<RenderJob> m_warmUp;
    std::shared_ptr<RenderJob> m_firstQueue; // the last job queued before any image arrived
    int m_finished = 0;
    QHash<PageId, QPair<int, QImage>> m_kept; // wanted page -> scale key, its latest image
    // Pages whose annotations changed lately, most recent first: workers keep what they show
    // beneath them, for the next change of their annotations.
    QList<PageId> m_annotated;
    static constexpr int kMaxAnnotated = 2;
    class HeldImage;
    QCache<CacheKey, HeldImage> m_cache;
};

} // namespace pxv
