#include "mutrim.h"

#include "imagepool.h"

#include <condition_variable>
#include <malloc.h>
#include <mutex>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace pxv::mu {

namespace {

// Below the render workers and the GUI: a trim is worth doing only when nothing else runs.
constexpr int kTrimNice = 10;

class Trimmer
{
public:
    Trimmer()
    {
        std::thread([this] { run(); }).detach();
    }

    void request()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_pending = true;
        }
        m_wake.notify_one();
    }

private:
    void run()
    {
        setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), kTrimNice);
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_pending; });
            m_pending = false;
            lock.unlock();
            malloc_trim(0);
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_pending = false;
};

} // namespace

void trimFreedMemory()
{
    // Never deleted, its thread never joined: documents are still closed while the program
    // exits, after every static would have been destroyed.
    static auto* trimmer = new Trimmer;
    dropPooledImageMemory();
    trimmer->request();
}

} // namespace pxv::mu
