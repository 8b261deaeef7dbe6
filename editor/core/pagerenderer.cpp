#include "pagerenderer.h"

#include "renderworker.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace pxv {

namespace {

// Scales are compared in thousandths of a pixel per point: views compute them with floating
// point, and 0.1 % is far below what anyone can see.
int scaleKey(double pixelsPerPoint)
{
    return int(std::lround(pixelsPerPoint * 1000.0));
}

// Below every priority a view gives its requests.
constexpr int kPrefetchPriority = -1000;
// Above them: the view that will ask is being made.
constexpr int kOpenAheadPriority = 1000;

// The files being opened ahead, by path; used on the GUI thread only.
QHash<QString, std::shared_ptr<RenderJob>>& openedAhead()
{
    static QHash<QString, std::shared_ptr<RenderJob>> jobs;
    return jobs;
}

} // namespace

// An image in the cache. The render workers allocated it, so it is freed on one of them when the
// cache drops it: freeing it here waited for the worker's allocator lock, held while that worker
// allocates or trims, and stalled the GUI thread for up to 30 ms at a time while scrolling.
class PageRenderer::HeldImage : public QImage
{
public:
    explicit HeldImage(const QImage& image) : QImage(image) {}
    ~HeldImage() { releaseOnWorker(QImage(std::move(*static_cast<QImage*>(this)))); }
    HeldImage(const HeldImage&) = delete;
    HeldImage& operator=(const HeldImage&) = delete;
};

QSize PageRenderer::imageSize(const QSizeF& sizeInPoints, double pixelsPerPoint)
{
    // A damaged file can claim a page of a billion points: the size is held well inside int, so
    // that sums of pixels and tile offsets over it cannot overflow.
    constexpr double kLargest = std::numeric_limits<int>::max() / 4;
    const auto pixels = [&](double points) {
        return int(std::clamp(std::ceil(points * pixelsPerPoint - 0.001), 0.0, kLargest));
    };
    return QSize(pixels(sizeInPoints.width()), pixels(sizeInPoints.height()));
}

bool PageRenderer::isTiled(const QSizeF& sizeInPoints, double pixelsPerPoint)
{
    const QSizeF size = sizeInPoints * pixelsPerPoint;
    return size.width() * size.height() > double(kMaxPagePixels);
}

double PageRenderer::previewScale(const QSizeF& sizeInPoints, double pixelsPerPoint)
{
    const double area = std::max(1.0, sizeInPoints.width() * sizeInPoints.height());
    return std::min(pixelsPerPoint, std::sqrt(double(kPreviewPixels) / area));
}

PageRenderer::PageRenderer(Document* document, QObject* parent) : QObject(parent), m_document(document)
{
    m_cache.setMaxCost(int(kDefaultCacheBytes));
    m_sink = std::make_shared<RenderSink>(this, [this](std::shared_ptr<RenderJob> job, QImage image, QString error) {
        onJobFinished(std::move(job), std::move(image), std::move(error));
    });
    connect(document, &Document::sourceChanged, this, &PageRenderer::onSourceChanged);
    connect(document, &Document::pagesChanged, this, &PageRenderer::onPagesChanged);
    connect(document, &Document::shownGroupsChanged, this, &PageRenderer::onSourceChanged);
}

PageRenderer::~PageRenderer()
{
    m_sink->detach();
    cancelAll();
}

void PageRenderer::openAhead(const QString& path)
{
    auto job = std::make_shared<RenderJob>();
    job->openAhead = path;
    openedAhead().insert(path, job);
    renderPool()->start(new RenderTask(job), kOpenAheadPriority);
}

void PageRenderer::startWorkers()
{
    // Once: the pool's threads never expire, and every editor made later finds them running.
    static const bool started = [] {
        QThreadPool* pool = renderPool();
        for (int i = 0; i < pool->maxThreadCount(); ++i)
            pool->start(prepareRenderThread);
        return true;
    }();
    Q_UNUSED(started);
}

void PageRenderer::warmUp(int page)
{
    if (!m_document || m_document->needsPassword() || page < 0 || page >= m_document->pageCount()
        || m_document->pageSize(page).isEmpty())
        return;
    auto job = makeJob(page, kWarmUpScale);
    job->warmUp = true;
    job->clip = kWarmUpClip;
    m_warmUp = job;
    // Right after the file's own open on the worker opening it, if that is still going on.
    const std::shared_ptr<RenderJob> ahead = openedAhead().take(job->source->base->path);
    if (!ahead || !ahead->chain(job))
        renderPool()->start(new RenderTask(job), kPrefetchPriority);
}

void PageRenderer::request(int page, double pixelsPerPoint, int priority)
{
    if (!m_document || m_document->needsPassword() || page < 0 || page >= m_document->pageCount()
        || !(pixelsPerPoint > 0))
        return;
    const int key = scaleKey(pixelsPerPoint);
    const PageId id = idOf(page);
    m_wanted.insert(id);
    auto running = m_jobs.find(id);
    if (running != m_jobs.end() && scaleKey((*running)->pixelsPerPoint) == key) {
        if (priority > (*running)->priority) { // a prefetched page became visible: it goes first
            (*running)->priority = priority;
            renderPool()->start(new RenderTask(*running), priority);
        }
        return;
    }
    if (running != m_jobs.end()) // the view has moved on to another scale
        cancelJob(running);

    const QImage cached = cachedImage(page, pixelsPerPoint);
    if (!cached.isNull()) {
        keep({id, key}, cached);
        QMetaObject::invokeMethod(
            this, [this, page, pixelsPerPoint, cached] { emit pageReady(page, pixelsPerPoint, cached); },
            Qt::QueuedConnection);
        return;
    }
    if (!startJob(page, pixelsPerPoint, priority)) {
        const QString message = QCoreApplication::translate("pxv::PageRenderer", "Page %1 is damaged.").arg(page + 1);
        QMetaObject::invokeMethod(
            this, [this, page, message] { emit pageFailed(page, message); }, Qt::QueuedConnection);
    }
}

std::shared_ptr<RenderJob> PageRenderer::makeJob(int page, double pixelsPerPoint) const
{
    auto job = std::make_shared<RenderJob>();
    job->page = page;
    job->id = idOf(page);
    job->pixelsPerPoint = pixelsPerPoint;
    job->source = m_document->renderSource();
    job->hiddenGroups = m_document->hiddenGroups();
    job->contentGeneration = m_document->contentGeneration(job->id);
    job->keepContent = m_annotated.contains(job->id);
    job->sink = m_sink;
    return job;
}

bool PageRenderer::startJob(int page, double pixelsPerPoint, int priority)
{
    if (m_document->pageSize(page).isEmpty())
        return false;
    auto job = makeJob(page, pixelsPerPoint);
    job->priority = priority;
    m_jobs.insert(job->id, job);
    // The first request: the warm-up's worker has the page read already; once the warm-up is
    // over, its copy of the document goes to whichever worker takes this.
    const bool afterWarmUp = m_warmUp && m_warmUp->id == job->id && m_warmUp->chain(job);
    m_warmUp.reset();
    // Until the first image arrives, later requests queue behind the first on its worker: the
    // GUI thread is still laying out, and a second page drawn beside the first on the other core
    // would only delay it.
    const bool queued = !afterWarmUp && m_finished == 0 && m_firstQueue && m_firstQueue->chain(job);
    m_firstQueue = m_finished == 0 ? job : nullptr;
    if (!afterWarmUp && !queued)
        renderPool()->start(new RenderTask(job), priority);
    return true;
}

void PageRenderer::requestTiles(const QList<Tile>& tiles, double pixelsPerPoint)
{
    QHash<CacheKey, std::shared_ptr<RenderJob>> listed;
    if (m_document && !m_document->needsPassword() && pixelsPerPoint > 0) {
        const int scale = scaleKey(pixelsPerPoint);
        // After the whole pages the view asks for (the previews under the tiles among them),
        // before anything drawn ahead; listed first, drawn first.
        int priority = 0;
        for (const Tile& tile : tiles) {
            --priority;
            if (tile.page < 0 || tile.page >= m_document->pageCount())
                continue;
            const CacheKey key{idOf(tile.page), scale, tile.cell.y() << 16 | tile.cell.x()};
            if (m_cache.contains(key))
                continue;
            std::shared_ptr<RenderJob> job = m_tileJobs.take(key);
            if (!job) {
                job = makeJob(tile.page, pixelsPerPoint);
                job->clip = QRect(tile.cell * kTileSize, QSize(kTileSize, kTileSize));
                renderPool()->start(new RenderTask(job), priority);
            }
            listed.insert(key, job);
        }
    }
    for (const auto& job : qAsConst(m_tileJobs))
        job->cancelled.store(1);
    m_tileJobs.swap(listed);
}

QImage PageRenderer::cachedTile(int page, double pixelsPerPoint, const QPoint& cell) const
{
    const QImage* image = m_cache.object({idOf(page), scaleKey(pixelsPerPoint), cell.y() << 16 | cell.x()});
    return image ? *image : QImage();
}

void PageRenderer::cancelJob(QHash<PageId, std::shared_ptr<RenderJob>>::iterator job)
{
    (*job)->cancelled.store(1);
    m_jobs.erase(job);
}

void PageRenderer::prefetch(const QList<int>& pages, double pixelsPerPoint)
{
    const QList<int> previous = m_prefetched;
    m_prefetched.clear();
    if (m_document && !m_document->needsPassword() && pixelsPerPoint > 0) {
        const int key = scaleKey(pixelsPerPoint);
        const qint64 budget = m_cache.maxCost() / 2;
        qint64 bytes = 0;
        for (int page : pages) {
            if (m_prefetched.size() >= kMaxPrefetch || page < 0 || page >= m_document->pageCount())
                break;
            const QSizeF size = m_document->pageSize(page) * pixelsPerPoint;
            bytes += qint64(std::ceil(size.width())) * qint64(std::ceil(size.height())) * 4;
            if (bytes > budget)
                break;
            m_prefetched.append(page);
            if (!cachedImage(page, pixelsPerPoint).isNull())
                continue;
            auto running = m_jobs.find(idOf(page));
            if (running != m_jobs.end() && scaleKey((*running)->pixelsPerPoint) == key)
                continue;
            if (running != m_jobs.end())
                cancelJob(running);
            // Nearest first, all after anything requested.
            startJob(page, pixelsPerPoint, kPrefetchPriority - m_prefetched.size());
        }
    }
    for (int page : previous) {
        const PageId id = idOf(page);
        auto job = m_jobs.find(id);
        if (job != m_jobs.end() && !m_wanted.contains(id) && !m_prefetched.contains(page))
            cancelJob(job);
    }
}

void PageRenderer::cancelExcept(const QSet<int>& pages)
{
    QSet<PageId> ids;
    for (int page : pages)
        ids.insert(idOf(page));
    for (PageId id : m_wanted - ids)
        release(id);
    m_wanted &= ids;
    for (auto it = m_jobs.begin(); it != m_jobs.end();) {
        if (ids.contains(it.key()) || m_prefetched.contains(it.value()->page)) {
            ++it;
        } else {
            it.value()->cancelled.store(1);
            it = m_jobs.erase(it);
        }
    }
}

void PageRenderer::cancelAll()
{
    m_prefetched.clear();
    cancelExcept({});
    requestTiles({}, 0);
}

QImage PageRenderer::cachedImage(int page, double pixelsPerPoint) const
{
    const int key = scaleKey(pixelsPerPoint);
    const PageId id = idOf(page);
    const auto kept = m_kept.constFind(id);
    if (kept != m_kept.constEnd() && kept->first == key)
        return kept->second;
    const QImage* image = m_cache.object({id, key});
    return image ? *image : QImage();
}

QImage PageRenderer::nearestCachedImage(int page, double pixelsPerPoint) const
{
    const int wanted = scaleKey(pixelsPerPoint);
    int best = -1;
    QImage image;
    auto consider = [&](int key, const QImage& candidate) {
        if (best < 0 || std::abs(key - wanted) < std::abs(best - wanted)) {
            best = key;
            image = candidate;
        }
    };
    const PageId id = idOf(page);
    const auto kept = m_kept.constFind(id);
    if (kept != m_kept.constEnd())
        consider(kept->first, kept->second);
    for (const CacheKey& key : m_cache.keys()) {
        if (key.id == id && key.tile == kWholePage)
            consider(key.scale, *m_cache.object(key));
    }
    return image;
}

void PageRenderer::setCacheLimit(qint64 bytes)
{
    m_cache.setMaxCost(int(std::clamp<qint64>(bytes, 0, std::numeric_limits<int>::max())));
}

qint64 PageRenderer::cacheLimit() const
{
    return m_cache.maxCost();
}

qint64 PageRenderer::cacheCost() const
{
    return m_cache.totalCost();
}

qint64 PageRenderer::wantedCost() const
{
    qint64 bytes = 0;
    for (const auto& kept : m_kept)
        bytes += kept.second.sizeInBytes();
    return bytes;
}

int PageRenderer::pendingCount() const
{
    return m_jobs.size() + m_tileJobs.size();
}

void PageRenderer::onJobFinished(std::shared_ptr<RenderJob> job, QImage image, QString error)
{
    ++m_finished;
    if (!job->clip.isNull()) {
        finishTile(job, image, error);
        return;
    }
    // A result nobody waits for any more (cancelled, replaced by another scale, or drawn from
    // an old version of the document) is dropped.
    if (m_jobs.value(job->id) != job)
        return;
    m_jobs.remove(job->id);
    if (!error.isEmpty()) {
        emit pageFailed(job->page, error);
        return;
    }
    const CacheKey key{job->id, scaleKey(job->pixelsPerPoint)};
    if (m_wanted.contains(job->id)) {
        keep(key, image);
    } else if (image.sizeInBytes() <= m_cache.maxCost()) {
        m_cache.insert(key, new HeldImage(image), int(image.sizeInBytes()));
    }
    emit pageReady(job->page, job->pixelsPerPoint, image);
}

void PageRenderer::finishTile(const std::shared_ptr<RenderJob>& job, const QImage& image, const QString& error)
{
    const QPoint cell = job->clip.topLeft() / kTileSize;
    const CacheKey key{job->id, scaleKey(job->pixelsPerPoint), cell.y() << 16 | cell.x()};
    if (m_tileJobs.value(key) != job)
        return;
    m_tileJobs.remove(key);
    if (!error.isEmpty()) {
        emit pageFailed(job->page, error);
        return;
    }
    m_cache.insert(key, new HeldImage(image), int(image.sizeInBytes()));
    emit tileReady(job->page, job->pixelsPerPoint, cell);
}

void PageRenderer::keep(const CacheKey& key, const QImage& image)
{
    const auto kept = m_kept.constFind(key.id);
    if (kept != m_kept.constEnd() && kept->first == key.scale)
        return;
    release(key.id); // the old scale stays in the cache, for showing scaled meanwhile
    m_cache.remove(key);
    m_kept.insert(key.id, {key.scale, image});
}

void PageRenderer::release(PageId id)
{
    const auto kept = m_kept.constFind(id);
    if (kept == m_kept.constEnd())
        return;
    const qint64 bytes = kept->second.sizeInBytes();
    if (bytes <= m_cache.maxCost())
        m_cache.insert({id, kept->first}, new HeldImage(kept->second), int(bytes));
    m_kept.erase(kept);
}

PageId PageRenderer::idOf(int page) const
{
    return m_document ? m_document->pageId(page) : 0;
}

int PageRenderer::imageCount() const
{
    QSet<PageId> pages;
    for (auto it = m_kept.cbegin(); it != m_kept.cend(); ++it)
        pages.insert(it.key());
    for (const CacheKey& key : m_cache.keys()) {
        if (key.tile == kWholePage)
            pages.insert(key.id);
    }
    return pages.size();
}

void PageRenderer::onSourceChanged()
{
    cancelAll();
    m_wanted.clear();
    m_kept.clear();
    m_cache.clear();
}

void PageRenderer::forget(PageId id)
{
    m_kept.remove(id);
    m_wanted.remove(id);
    for (const CacheKey& key : m_cache.keys()) {
        if (key.id == id)
            m_cache.remove(key);
    }
    auto job = m_jobs.find(id);
    if (job != m_jobs.end())
        cancelJob(job);
    for (auto tile = m_tileJobs.begin(); tile != m_tileJobs.end();) {
        if (tile.key().id == id) {
            tile.value()->cancelled.store(1);
            tile = m_tileJobs.erase(tile);
        } else {
            ++tile;
        }
    }
}

void PageRenderer::onPagesChanged(const PageChanges& changes)
{
    if (changes.everything) {
        onSourceChanged();
        return;
    }
    for (PageId id : changes.changed + changes.removed)
        forget(id);
    for (PageId id : changes.annotated) {
        m_annotated.removeOne(id);
        m_annotated.prepend(id);
    }
    while (m_annotated.size() > kMaxAnnotated)
        m_annotated.removeLast();
    // Work still queued knows its page by number, which other pages' moves have changed.
    if (changes.structure) {
        for (auto it = m_jobs.begin(); it != m_jobs.end(); ++it)
            it.value()->cancelled.store(1);
        m_jobs.clear();
        m_prefetched.clear();
        requestTiles({}, 0);
    }
}

} // namespace pxv
