#include "workerrun.h"

#include "workerthread.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace pxv {

namespace {

constexpr std::chrono::milliseconds kRetell(100);

struct Step
{
    int index = 0;
    int count = 0;
    QString path;
};

} // namespace

void runOnWorker(const std::function<void(const SplitProgress& progress)>& work, const SplitProgress& progress)
{
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Step> step;
    bool cancelled = false;
    bool done = false;
    std::exception_ptr failure;

    std::thread worker([&] {
        prepareWorkerThread("pxv-output");
        try {
            work([&](int index, int count, const QString& path) {
                std::unique_lock<std::mutex> lock(mutex);
                // The caller hears of each step before the worker goes on, so that Cancel
                // takes effect at the next one.
                step = Step{index, count, path};
                changed.notify_all();
                changed.wait(lock, [&] { return !step || cancelled; });
                return !cancelled;
            });
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
        changed.notify_all();
    });

    std::unique_lock<std::mutex> lock(mutex);
    std::optional<Step> last;
    for (;;) {
        const bool woken = changed.wait_for(lock, kRetell, [&] { return done || step.has_value(); });
        if (done)
            break;
        // A step that takes long is told again, so that the caller keeps its window painting
        // and can offer Cancel meanwhile.
        if (woken)
            last = step;
        if (!last)
            continue;
        const Step told = *last;
        lock.unlock();
        const bool goOn = !progress || progress(told.index, told.count, told.path);
        lock.lock();
        if (woken)
            step.reset();
        cancelled = cancelled || !goOn;
        changed.notify_all();
    }
    lock.unlock();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace pxv
