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

    explicit PageRenderer(Document* document, QObject* parent = nullptr);
    ~PageRenderer() override;

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

private:
    // Images and work are filed by page identity, so that they stay with their page when
    // other pages are inserted, removed or moved.
    using CacheKey = QPair<PageId, int>; // page, scale in 1/1000 px per point

    void onJobFinished(std::shared_ptr<RenderJob> job, QImage image, QString error);
    void onSourceChanged();
    void onPagesChanged(const PageChanges& changes);
    // Forgets every image and all work for a page.
    void forget(PageId id);
    void keep(const CacheKey& key, const QImage& image);
    // Queues a render of page at pixelsPerPoint; false when the page cannot be drawn.
    bool startJob(int page, double pixelsPerPoint, int priority);
    void cancelJob(QHash<PageId, std::shared_ptr<RenderJob>>::iterator job);
    void release(PageId id);
    PageId idOf(int page) const;

    QPointer<Document> m_document;
    std::shared_ptr<RenderSink> m_sink;
    QHash<PageId, std::shared_ptr<RenderJob>> m_jobs; // running or queued
    QSet<PageId> m_wanted;
    QList<int> m_prefetched;
    int m_finished = 0;
    QHash<PageId, QPair<int, QImage>> m_kept; // wanted page -> scale key, its latest image
    QCache<CacheKey, QImage> m_cache;
};

} // namespace pxv
