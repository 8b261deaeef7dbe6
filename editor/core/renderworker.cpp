#include "renderworker.h"

#include "sourcecopy.h"
#include "workerthread.h"

#include "mupdf/mudocument.h"
#include "mupdf/muerror.h"
#include "queuedcall.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QThread>
#include <QThreadStorage>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <vector>

namespace pxv {

namespace {

// A worker's copy of a document.
struct OpenCopy
{
    std::weak_ptr<const RenderBase> base;
    quint64 baseKey = 0; // 0: opened ahead from path, for the document about to be opened there
    quint64 version = 0;
    ObjectStates applied;
    std::unique_ptr<mu::MuDocument> document;
    QString path;
    QDateTime modified; // of the file opened ahead, as it was before opening it
    qint64 bytes = -1;
    int forPage = -1; // handed over by a warm-up: kept for the job that draws its page
};

// A copy opened ahead from a file serves the document opened from that file without a password.
bool openedAheadFor(const OpenCopy& copy, const RenderBase& base)
{
    if (copy.baseKey != 0 || copy.path != base.path || !base.bytes.isEmpty() || !base.password.isEmpty())
        return false;
    // A file written again since is another document.
    const QFileInfo file(base.path);
    return file.lastModified() == copy.modified && file.size() == copy.bytes;
}

// Copies one worker passes on to whichever worker takes the next job for their document: the
// copy opened while the GUI thread opens the same file, and the copy a warm-up read the first
// page in. Each document has a context of its own, so it may change threads between jobs.
class HandedOver
{
public:
    void put(OpenCopy copy)
    {
        std::vector<OpenCopy> dropped; // closed outside the lock
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // Those of closed documents first.
            const auto closed = std::stable_partition(m_copies.begin(), m_copies.end(), [](const OpenCopy& held) {
                return held.baseKey == 0 || !held.base.expired();
            });
            std::move(closed, m_copies.end(), std::back_inserter(dropped));
            m_copies.erase(closed, m_copies.end());
            m_copies.insert(m_copies.begin(), std::move(copy));
            while (m_copies.size() > kMaxCopies) {
                dropped.push_back(std::move(m_copies.back()));
                m_copies.pop_back();
            }
        }
    }

    // The copy for a job drawing page of base. Another worker's job for another page opens a
    // copy of its own, as it would have to anyway: the one the warm-up read the page in is not
    // taken away from the job for that page.
    std::unique_ptr<OpenCopy> take(const RenderBase& base, int page)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = std::find_if(m_copies.begin(), m_copies.end(), [&](const OpenCopy& copy) {
            return (copy.baseKey == base.key && (copy.forPage < 0 || copy.forPage == page))
                   || openedAheadFor(copy, base);
        });
        if (found == m_copies.end())
            return nullptr;
        auto copy = std::make_unique<OpenCopy>(std::move(*found));
        m_copies.erase(found);
        copy->forPage = -1;
        return copy;
    }

private:
    // One document being opened at a time, and one more for a second tab opened right after.
    static constexpr size_t kMaxCopies = 2;
    std::mutex m_mutex;
    std::vector<OpenCopy> m_copies;
};

// Made before the pool and so gone after it, when no worker can hand anything over any more.
HandedOver& handedOver()
{
    static HandedOver copies;
    return copies;
}

// The documents one worker thread has open, most recent first. Two, so that switching between
// two tabs does not reopen a file on every request. A copy is kept while its base lives (until
// the document is saved or closed) and follows the document's edits by taking over the objects
// they changed.
class WorkerDocuments
{
public:
    mu::MuDocument& get(const std::shared_ptr<const RenderSource>& shared, int page)
    {
        m_open.erase(
            std::remove_if(m_open.begin(), m_open.end(), [](const OpenCopy& entry) { return entry.base.expired(); }),
            m_open.end());
        const RenderSource& source = *shared;
        auto found = std::find_if(m_open.begin(), m_open.end(),
                                  [&](const OpenCopy& entry) { return entry.baseKey == source.base->key; });
        if (found != m_open.end()) {
            std::rotate(m_open.begin(), found, found + 1);
        } else if (std::unique_ptr<OpenCopy> copy = handedOver().take(*source.base, page)) {
            if (copy->baseKey == 0 && source.base->mendPageTree)
                copy->document->mendPageTree(); // as a copy opened for the document would be
            copy->base = source.base;
            copy->baseKey = source.base->key;
            add(std::move(*copy));
        } else {
            OpenCopy opened;
            opened.base = source.base;
            opened.baseKey = source.base->key;
            opened.version = source.key;
            opened.applied = source.objects;
            opened.document = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
            add(std::move(opened));
        }
        OpenCopy& entry = m_open.front();
        if (entry.version != source.key) {
            if (!applyVersion(*entry.document, entry.applied, source.objects))
                entry.document = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
            entry.applied = source.objects;
            entry.version = source.key;
        }
        return *entry.document;
    }

    // Passes the copy of base on to the worker that takes the next job for page.
    void handOver(quint64 baseKey, int page)
    {
        auto found = std::find_if(m_open.begin(), m_open.end(),
                                  [&](const OpenCopy& entry) { return entry.baseKey == baseKey; });
        if (found == m_open.end())
            return;
        found->forPage = page;
        handedOver().put(std::move(*found));
        m_open.erase(found);
    }

private:
    void add(OpenCopy copy)
    {
        m_open.insert(m_open.begin(), std::move(copy));
        if (m_open.size() > kMaxOpen)
            m_open.pop_back();
    }

    static constexpr size_t kMaxOpen = 2;
    std::vector<OpenCopy> m_open;
};

// What pages whose annotations change lately show beneath them, shared by the workers: the
// next change's drawing may fall to any of them. Content is the same for the same document
// base, page, generation, scale and hidden groups, whichever version of the document drew it.
class KeptContents
{
public:
    QImage find(const RenderJob& job)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const Entry& entry : m_entries) {
            if (entry.baseKey == job.source->base->key && entry.id == job.id
                && entry.generation == job.contentGeneration && entry.scale == job.pixelsPerPoint
                && entry.hiddenGroups == job.hiddenGroups)
                return entry.content;
        }
        return QImage();
    }

    void put(const RenderJob& job, QImage content)
    {
        std::deque<Entry> dropped; // freed outside the lock
        std::lock_guard<std::mutex> lock(m_mutex);
        // The page at another scale (its thumbnail) stays.
        const auto same = std::stable_partition(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
            return entry.baseKey != job.source->base->key || entry.id != job.id || entry.scale != job.pixelsPerPoint;
        });
        std::move(same, m_entries.end(), std::back_inserter(dropped));
        m_entries.erase(same, m_entries.end());
        m_entries.push_front({job.source->base->key, job.id, job.contentGeneration, job.pixelsPerPoint,
                              job.hiddenGroups, std::move(content)});
        qint64 bytes = 0;
        for (const Entry& entry : m_entries)
            bytes += entry.content.sizeInBytes();
        while (m_entries.size() > kMaxEntries || (m_entries.size() > 1 && bytes > kMaxBytes)) {
            bytes -= m_entries.back().content.sizeInBytes();
            dropped.push_back(std::move(m_entries.back()));
            m_entries.pop_back();
        }
    }

private:
    struct Entry
    {
        quint64 baseKey = 0;
        PageId id = 0;
        quint64 generation = 0;
        double scale = 0;
        std::shared_ptr<const std::vector<int>> hiddenGroups; // held: a new set is a new pointer
        QImage content;
    };
    // Two pages, each in the view and as a thumbnail.
    static constexpr size_t kMaxEntries = 4;
    static constexpr qint64 kMaxBytes = 24ll * 1024 * 1024;
    std::mutex m_mutex;
    std::deque<Entry> m_entries;
};

KeptContents& keptContents()
{
    static KeptContents contents;
    return contents;
}

// Each worker thread's documents. QThreadStorage rather than thread_local: Qt deletes them
// before a pool thread counts as finished, so that when the pool's destructor has joined its
// threads at exit, every document is gone (thread_local ones were still being freed then). The
// storage itself is never deleted, so that it outlives the pool.
QThreadStorage<WorkerDocuments*>& workerStorage()
{
    static auto* storage = new QThreadStorage<WorkerDocuments*>;
    return *storage;
}

WorkerDocuments& workerDocuments()
{
    QThreadStorage<WorkerDocuments*>& storage = workerStorage();
    if (!storage.hasLocalData())
        storage.setLocalData(new WorkerDocuments);
    return *storage.localData();
}

// Opens path for the document the GUI thread is opening from it at the same time.
void openAhead(const QString& path)
{
    OpenCopy copy;
    const QFileInfo file(path);
    copy.modified = file.lastModified();
    copy.bytes = file.size();
    try {
        copy.document = mu::MuDocument::openFile(path, mu::MuDocument::kRenderStoreBytes);
    } catch (const MuError&) {
        return; // the GUI thread's own open tells what is wrong
    } catch (const std::bad_alloc&) {
        return;
    }
    if (copy.document->needsPassword())
        return;
    // Read as the view's warm-up reads it: the warm-up is asked for only once the GUI thread has
    // opened the file too and made the view, and then finds the page read.
    try {
        copy.document->renderPage(0, kWarmUpScale, nullptr, kWarmUpClip);
    } catch (const MuError&) {
        // The view's own request for the page tells what is wrong with it.
    } catch (const std::bad_alloc&) {
    }
    copy.path = path;
    handedOver().put(std::move(copy));
}

} // namespace

void RenderSink::detach()
{
    std::lock_guard<std::mutex> waking(m_wakeMutex);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_receiver = nullptr;
    m_results.clear();
}

void RenderSink::post(std::shared_ptr<RenderJob> job, QImage image, QString error)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_receiver)
            return;
        m_results.push_back({std::move(job), std::move(image), std::move(error)});
        if (m_results.size() > 1)
            return; // a drain is already on its way
    }
    // Posted outside the queue's lock: the post wakes the receiver's thread at once, and a drain
    // that found the queue locked until the post returned (some 50 microseconds) would look
    // again only a millisecond later. The wake lock keeps the receiver alive instead; Qt drops
    // the call if it is deleted before the event loop gets to it.
    std::lock_guard<std::mutex> waking(m_wakeMutex);
    if (m_receiver)
        postCall(m_receiver, [this] { drain(); });
}

void RenderSink::drain()
{
    std::deque<Result> results;
    {
        // A worker holds the lock only to add a result, but may be preempted or wait for its
        // allocator meanwhile: the GUI thread waited up to 19 ms for it while scrolling, where
        // looking again a millisecond later costs nothing.
        std::unique_lock<std::mutex> lock(m_mutex, std::try_to_lock);
        if (!lock.owns_lock()) {
            QTimer::singleShot(1, m_receiver, [this] { drain(); });
            return;
        }
        results.swap(m_results);
    }
    for (Result& result : results)
        m_deliver(std::move(result.job), std::move(result.image), std::move(result.error));
}

bool RenderJob::chain(std::shared_ptr<RenderJob> next)
{
    std::lock_guard<std::mutex> lock(m_chainMutex);
    if (m_finished)
        return false;
    m_next = std::move(next);
    return true;
}

std::shared_ptr<RenderJob> RenderJob::finish()
{
    std::lock_guard<std::mutex> lock(m_chainMutex);
    m_finished = true;
    return std::move(m_next);
}

void prepareRenderThread()
{
    prepareWorkerThread(kRenderThreadName);
    lowerThreadPriority();
}

void RenderTask::run()
{
    m_published.load(std::memory_order_acquire); // pairs with the constructor's release
    prepareRenderThread();
    for (std::shared_ptr<RenderJob> job = m_job; job; job = job->finish()) {
        if (job->claimed.exchange(1))
            return; // another task has it, and what is chained to it
        if (!job->cancelled.load())
            draw(job);
    }
}

void RenderTask::draw(const std::shared_ptr<RenderJob>& job)
{
    if (!job->openAhead.isEmpty()) {
        openAhead(job->openAhead);
        return;
    }
    WorkerDocuments& documents = workerDocuments();
    QImage image;
    QString error;
    try {
        mu::MuDocument& document = documents.get(job->source, job->page);
        if (job->hiddenGroups)
            document.setHiddenGroups(*job->hiddenGroups);
        const bool layered = !job->warmUp && job->clip.isNull();
        mu::MuDocument::ContentLayer layer;
        if (layered) {
            layer.content = keptContents().find(*job);
            layer.keep = job->keepContent;
        }
        image = document.renderPage(job->page, job->pixelsPerPoint, &job->cancelled, job->clip,
                                    layered ? &layer : nullptr);
        if (!layer.kept.isNull())
            keptContents().put(*job, std::move(layer.kept));
    } catch (const MuError& failure) {
        if (failure.isCancellation())
            return;
        error = QCoreApplication::translate("pxv::PageRenderer", "Page %1 cannot be shown: %2")
                    .arg(job->page + 1)
                    .arg(QString::fromUtf8(failure.what()));
    } catch (const std::bad_alloc&) {
        error = QCoreApplication::translate("pxv::PageRenderer", "Page %1 cannot be shown: not enough memory.")
                    .arg(job->page + 1);
    }
    if (job->warmUp) {
        // The view's first request may go to the other worker.
        documents.handOver(job->source->base->key, job->page);
        return;
    }
    if (job->cancelled.load())
        return;
    job->sink->post(job, std::move(image), std::move(error));
}

namespace {

class ReleaseTask : public QRunnable
{
public:
    explicit ReleaseTask(QImage image) : m_image(std::move(image))
    {
        m_published.store(true, std::memory_order_release);
    }
    void run() override
    {
        m_published.load(std::memory_order_acquire);
        m_image = QImage();
    }

private:
    QImage m_image;
    std::atomic<bool> m_published{false};
};

// Before any page is drawn: memory goes back first.
constexpr int kReleasePriority = 2000;

} // namespace

void releaseOnWorker(QImage image)
{
    if (image.isNull() || !image.isDetached())
        return;
    renderPool()->start(new ReleaseTask(std::move(image)), kReleasePriority);
}

QThreadPool* renderPool()
{
    // The storage first: statics are destroyed in reverse order, and Qt's bookkeeping for thread
    // storage must still be there when the pool's destructor ends the threads, or their
    // documents are never freed.
    workerStorage();
    handedOver();
    keptContents();
    static QThreadPool pool;
    static const bool configured = [] {
        pool.setMaxThreadCount(qBound(1, QThread::idealThreadCount(), 4));
        pool.setExpiryTimeout(-1);
        return true;
    }();
    Q_UNUSED(configured);
    return &pool;
}

} // namespace pxv
