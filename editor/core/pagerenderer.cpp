#include "pagerenderer.h"

#include "renderworker.h"

#include <QCoreApplication>

#include <cmath>

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

} // namespace

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
            renderPool()->start(new RenderTask(*running, m_sink), priority);
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

bool PageRenderer::startJob(int page, double pixelsPerPoint, int priority)
{
    if (m_document->pageSize(page).isEmpty())
        return false;
    auto job = std::make_shared<RenderJob>();
    job->page = page;
    job->id = idOf(page);
    job->pixelsPerPoint = pixelsPerPoint;
    job->priority = priority;
    job->source = m_document->renderSource();
    job->hiddenGroups = m_document->hiddenGroups();
    m_jobs.insert(job->id, job);
    renderPool()->start(new RenderTask(job, m_sink), priority);
    return true;
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
        if (key.first == id)
            consider(key.second, *m_cache.object(key));
    }
    return image;
}

void PageRenderer::setCacheLimit(qint64 bytes)
{
    m_cache.setMaxCost(int(qBound<qint64>(0, bytes, std::numeric_limits<int>::max())));
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
    return m_jobs.size();
}

void PageRenderer::onJobFinished(std::shared_ptr<RenderJob> job, QImage image, QString error)
{
    ++m_finished;
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
        m_cache.insert(key, new QImage(image), int(image.sizeInBytes()));
    }
    emit pageReady(job->page, job->pixelsPerPoint, image);
}

void PageRenderer::keep(const CacheKey& key, const QImage& image)
{
    const auto kept = m_kept.constFind(key.first);
    if (kept != m_kept.constEnd() && kept->first == key.second)
        return;
    release(key.first); // the old scale stays in the cache, for showing scaled meanwhile
    m_cache.remove(key);
    m_kept.insert(key.first, {key.second, image});
}

void PageRenderer::release(PageId id)
{
    const auto kept = m_kept.constFind(id);
    if (kept == m_kept.constEnd())
        return;
    const qint64 bytes = kept->second.sizeInBytes();
    if (bytes <= m_cache.maxCost())
        m_cache.insert({id, kept->first}, new QImage(kept->second), int(bytes));
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
    for (const CacheKey& key : m_cache.keys())
        pages.insert(key.first);
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
        if (key.first == id)
            m_cache.remove(key);
    }
    auto job = m_jobs.find(id);
    if (job != m_jobs.end())
        cancelJob(job);
}

void PageRenderer::onPagesChanged(const PageChanges& changes)
{
    if (changes.everything) {
        onSourceChanged();
        return;
    }
    for (PageId id : changes.changed + changes.removed)
        forget(id);
    // Work still queued knows its page by number, which other pages' moves have changed.
    if (changes.structure) {
        for (auto it = m_jobs.begin(); it != m_jobs.end(); ++it)
            it.value()->cancelled.store(1);
        m_jobs.clear();
        m_prefetched.clear();
    }
}

} // namespace pxv
