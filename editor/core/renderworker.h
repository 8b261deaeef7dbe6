#pragma once

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
#include <QMutex>
#include <QObject>
#include <QRunnable>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

namespace pxv {

struct RenderJob
{
    int page = 0;
    double pixelsPerPoint = 1.0;
    std::shared_ptr<const RenderSource> source;
    std::atomic<int> cancelled{0};
};

// Where a worker delivers its result: the receiving object, cleared when it goes away so that a
// late worker finds nobody to call.
class RenderSink
{
public:
    using Deliver = std::function<void(std::shared_ptr<RenderJob>, QImage, QString)>;

    RenderSink(QObject* receiver, Deliver deliver) : m_receiver(receiver), m_deliver(std::move(deliver)) {}
    void detach();
    // Called on a worker thread; queues the call to the receiver's thread.
    void post(const std::shared_ptr<RenderJob>& job, const QImage& image, const QString& error);

private:
    QMutex m_mutex;
    QObject* m_receiver;
    Deliver m_deliver;
};

class RenderTask : public QRunnable
{
public:
    RenderTask(std::shared_ptr<RenderJob> job, std::shared_ptr<RenderSink> sink)
        : m_job(std::move(job)), m_sink(std::move(sink))
    {
    }
    void run() override;

private:
    std::shared_ptr<RenderJob> m_job;
    std::shared_ptr<RenderSink> m_sink;
};

// The pool shared by every renderer. Threads never expire, so that each keeps its context and
// open documents between requests.
QThreadPool* renderPool();

} // namespace pxv
