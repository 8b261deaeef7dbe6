#pragma once

#include "core/layer.h"

// The worker side of PageRenderer: a pool of threads, each drawing from its own copy of the
// document in its own MuPDF context.
//
// Why own copies: measured on two cores, contexts cloned from one base context with shared
// locks ran at 0.86x of one thread (every allocation takes the allocator lock) and a shared
// document with pages prepared under a lock at 1.12x, while independent contexts with their own
// open copy reached 1.43x (1.5-1.8x on text pages). Opening a copy costs a parse of the xref,
// small next to drawing a page, and no context or document is ever touched by two threads.

#include "document.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QRunnable>
#include <QThreadPool>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace pxv {

class RenderSink;

// What a warm-up draws of its page: reading the page is the cost, and one pixel draws next to
// nothing.
constexpr double kWarmUpScale = 1.0;
constexpr QRect kWarmUpClip(0, 0, 1, 1);

struct RenderJob
{
    int page = 0;
    PageId id = 0;
    double pixelsPerPoint = 1.0;
    QRect clip; // a tile of the page's image at pixelsPerPoint; null for the whole page
    bool warmUp = false; // only opens the document and reads the page; delivers nothing
    QString openAhead; // only opens this file, for the document about to be opened from it
    int priority = 0; // the highest it was queued at; read and written on the requester's thread
    std::shared_ptr<const RenderSource> source;
    std::shared_ptr<const std::vector<int>> hiddenGroups; // null: as the document says
    quint64 contentGeneration = 0; // see Document::contentGeneration()
    bool keepContent = false; // the worker keeps what the page shows beneath its annotations
    std::shared_ptr<RenderSink> sink; // where the result goes
    std::atomic<int> cancelled{0};
    // A job may be queued again at a higher priority (a prefetched page became visible); the
    // first task to claim it draws it, the other does nothing.
    std::atomic<int> claimed{0};

    // Makes next run right after this job, on the worker that ran it, unless this job is over
    // already: the view's first request then finds the document that its warm-up opened, where
    // another worker would open a copy of its own first.
    bool chain(std::shared_ptr<RenderJob> next);
    // Marks the job over; the job chained to it, if any.
    std::shared_ptr<RenderJob> finish();

private:
    std::mutex m_chainMutex;
    std::shared_ptr<RenderJob> m_next;
    bool m_finished = false;
};

// Where workers deliver their results: a queue the receiver drains on its own thread. The
// receiver is cleared when it goes away, so that a late worker finds nobody to call.
//
// Hand-overs between threads use std::mutex and std::atomic rather than only Qt's thread pool and
// event queue: ThreadSanitizer cannot see inside those, and the renderer is checked under it.
class RenderSink
{
public:
    using Deliver = std::function<void(std::shared_ptr<RenderJob>, QImage, QString)>;

    RenderSink(QObject* receiver, Deliver deliver) : m_receiver(receiver), m_deliver(std::move(deliver)) {}
    void detach();
    // Called on a worker thread.
    void post(std::shared_ptr<RenderJob> job, QImage image, QString error);

private:
    struct Result
    {
        std::shared_ptr<RenderJob> job;
        QImage image;
        QString error;
    };
    void drain(); // on the receiver's thread

    std::mutex m_mutex; // the results; held briefly, never while posting
    std::mutex m_wakeMutex; // held while posting the drain to the receiver, and to detach it
    QObject* m_receiver; // written on its thread holding both mutexes; workers read it holding either
    Deliver m_deliver;
    std::deque<Result> m_results;
};

class RenderTask : public QRunnable
{
public:
    explicit RenderTask(std::shared_ptr<RenderJob> job) : m_job(std::move(job))
    {
        m_published.store(true, std::memory_order_release);
    }
    void run() override;

private:
    static void draw(const std::shared_ptr<RenderJob>& job);

    std::shared_ptr<RenderJob> m_job;
    std::atomic<bool> m_published{false};
};

// Drops image's data on a render worker, unless something else still shares it: page images
// are allocated there, and freeing them on the GUI thread made it wait for a worker's allocator.
void releaseOnWorker(QImage image);

// The name every render thread carries.
constexpr char kRenderThreadName[] = "pxv-render";

// Names the calling render thread and lowers its priority below the GUI thread's, which waits
// for what it draws.
void prepareRenderThread();

// The pool shared by every renderer. Threads never expire, so that each keeps its context and
// open documents between requests.
QThreadPool* renderPool();

} // namespace pxv
