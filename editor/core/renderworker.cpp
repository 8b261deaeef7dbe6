#include "renderworker.h"

#include "sourcecopy.h"
#include "workerthread.h"

#include "mupdf/mudocument.h"
#include "mupdf/muerror.h"
#include "queuedcall.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadStorage>

#include <algorithm>
#include <vector>

namespace pxv {

namespace {

// The documents one worker thread has open, most recent first. Two, so that switching between
// two tabs does not reopen a file on every request. A copy is kept while its base lives (until
// the document is saved or closed) and follows the document's edits by taking over the objects
// they changed.
class WorkerDocuments
{
public:
    mu::MuDocument& get(const std::shared_ptr<const RenderSource>& shared)
    {
        m_open.erase(
            std::remove_if(m_open.begin(), m_open.end(), [](const Entry& entry) { return entry.base.expired(); }),
            m_open.end());
        const RenderSource& source = *shared;
        auto found = std::find_if(m_open.begin(), m_open.end(),
                                  [&](const Entry& entry) { return entry.baseKey == source.base->key; });
        if (found != m_open.end()) {
            std::rotate(m_open.begin(), found, found + 1);
            Entry& entry = m_open.front();
            if (entry.version != source.key) {
                if (!applyVersion(*entry.document, entry.applied, source.objects))
                    entry.document = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
                entry.applied = source.objects;
                entry.version = source.key;
            }
            return *entry.document;
        }
        auto document = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
        m_open.insert(m_open.begin(),
                      Entry{source.base, source.base->key, source.key, source.objects, std::move(document)});
        if (m_open.size() > kMaxOpen)
            m_open.pop_back();
        return *m_open.front().document;
    }

private:
    struct Entry
    {
        std::weak_ptr<const RenderBase> base;
        quint64 baseKey;
        quint64 version;
        ObjectStates applied;
        std::unique_ptr<mu::MuDocument> document;
    };
    static constexpr size_t kMaxOpen = 2;
    std::vector<Entry> m_open;
};

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

} // namespace

void RenderSink::detach()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_receiver = nullptr;
    m_results.clear();
}

void RenderSink::post(std::shared_ptr<RenderJob> job, QImage image, QString error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_receiver)
        return;
    m_results.push_back({std::move(job), std::move(image), std::move(error)});
    if (m_results.size() > 1)
        return; // a drain is already on its way
    // Posted while the receiver is known to be alive; Qt drops the call if it is deleted before
    // the event loop gets to it.
    postCall(m_receiver, [this] { drain(); });
}

void RenderSink::drain()
{
    std::deque<Result> results;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        results.swap(m_results);
    }
    for (Result& result : results)
        m_deliver(std::move(result.job), std::move(result.image), std::move(result.error));
}

void RenderTask::run()
{
    m_published.load(std::memory_order_acquire); // pairs with the constructor's release
    prepareWorkerThread(kRenderThreadName);
    if (m_job->cancelled.load() || m_job->claimed.exchange(1))
        return;
    WorkerDocuments& documents = workerDocuments();
    QImage image;
    QString error;
    try {
        mu::MuDocument& document = documents.get(m_job->source);
        if (m_job->hiddenGroups)
            document.setHiddenGroups(*m_job->hiddenGroups);
        image = document.renderPage(m_job->page, m_job->pixelsPerPoint, &m_job->cancelled);
    } catch (const MuError& failure) {
        if (failure.isCancellation())
            return;
        error = QCoreApplication::translate("pxv::PageRenderer", "Page %1 cannot be shown: %2")
                    .arg(m_job->page + 1)
                    .arg(QString::fromUtf8(failure.what()));
    } catch (const std::bad_alloc&) {
        error = QCoreApplication::translate("pxv::PageRenderer", "Page %1 cannot be shown: not enough memory.")
                    .arg(m_job->page + 1);
    }
    if (m_job->cancelled.load())
        return;
    m_sink->post(m_job, image, error);
}

QThreadPool* renderPool()
{
    // The storage first: statics are destroyed in reverse order, and Qt's bookkeeping for thread
    // storage must still be there when the pool's destructor ends the threads, or their
    // documents are never freed.
    workerStorage();
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
