#include "outlineloader.h"

#include "queuedcall.h"
#include "sourcecopy.h"
#include "workerthread.h"

#include "mupdf/muerror.h"

#include <QRunnable>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>

namespace pxv {

// What the pool thread and the loader share; the loader is cleared when it goes away, so that
// a late read finds nobody to tell. std::mutex rather than Qt's: ThreadSanitizer sees it.
struct OutlineLoader::Shared
{
    std::mutex mutex;
    OutlineLoader* receiver = nullptr;
    quint64 latest = 0; // key of the source last asked for
};

namespace {

class OutlineTask : public QRunnable
{
public:
    OutlineTask(std::shared_ptr<OutlineLoader::Shared> shared, std::shared_ptr<const RenderSource> source)
        : m_shared(std::move(shared)), m_source(std::move(source))
    {
        // A pool thread that is already waiting takes the task through Qt's own locks, which
        // ThreadSanitizer does not see; this pair makes the hand-over visible to it.
        m_published.store(true, std::memory_order_release);
    }

    // The titles first, then the whole outline: numbering the targets takes most of the time.
    void run() override
    {
        m_published.load(std::memory_order_acquire); // pairs with the constructor's release
        prepareWorkerThread("pxv-outline");
        bool titlesShown = false;
        try {
            const auto copy = openSourceCopy(*m_source, mu::MuDocument::kModelStoreBytes);
            const QList<OutlineItem> titles = copy->outline(mu::MuDocument::OutlineTargets::Later);
            titlesShown = post(titles);
            if (titlesShown && hasPending(titles))
                post(copy->outline());
        } catch (const MuError&) {
        } catch (const std::bad_alloc&) {
        }
        if (!titlesShown)
            post({}); // no outline to show
    }

private:
    static bool hasPending(const QList<OutlineItem>& items)
    {
        return std::any_of(items.begin(), items.end(),
                           [](const OutlineItem& item) { return item.targetPending || hasPending(item.children); });
    }

    // Hands items to the loader; false when it is gone or has asked for a newer source.
    bool post(const QList<OutlineItem>& items)
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        OutlineLoader* receiver = m_shared->receiver;
        if (!receiver || m_shared->latest != m_source->key)
            return false;
        postCall(receiver, [receiver, items] { emit receiver->loaded(items); });
        return true;
    }

    std::shared_ptr<OutlineLoader::Shared> m_shared;
    std::shared_ptr<const RenderSource> m_source;
    std::atomic<bool> m_published{false};
};

} // namespace

OutlineLoader::OutlineLoader(QObject* parent) : QObject(parent), m_shared(std::make_shared<Shared>())
{
    m_shared->receiver = this;
    // Connected first, so that whoever hears of the items can already ask for them.
    connect(this, &OutlineLoader::loaded, this, [this](const QList<OutlineItem>& items) {
        m_latest = items;
        m_hasLoaded = true;
    });
}

OutlineLoader::~OutlineLoader()
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->receiver = nullptr;
}

void OutlineLoader::load(std::shared_ptr<const RenderSource> source)
{
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->latest = source->key;
    }
    QThreadPool::globalInstance()->start(new OutlineTask(m_shared, std::move(source)));
}

} // namespace pxv
