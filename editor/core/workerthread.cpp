#include "workerthread.h"

#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <vector>

namespace pxv {

namespace {

// Enough for the GUI thread to win a core from two drawing workers at once; low enough that
// drawing still gets most of a core beside other programs' normal work.
constexpr int kBackgroundNice = 5;

class SignalStack
{
public:
    SignalStack() : m_memory(64 * 1024)
    {
        stack_t stack{};
        stack.ss_sp = m_memory.data();
        stack.ss_size = m_memory.size();
        sigaltstack(&stack, nullptr);
    }
    // The stack is unhooked before its memory goes.
    ~SignalStack()
    {
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
    }

    SignalStack(const SignalStack&) = delete;
    SignalStack& operator=(const SignalStack&) = delete;

private:
    std::vector<char> m_memory;
};

} // namespace

void prepareWorkerThread(const char* name)
{
    static thread_local SignalStack stack;
    // A name that crash reports, debuggers and top show (pool threads all start as "QThread").
    pthread_setname_np(pthread_self(), name);
}

void lowerThreadPriority()
{
    // A thread's nice value is its own on Linux; raising it needs no privilege, lowering it again
    // would, hence once and for good.
    static thread_local const bool lowered = setpriority(PRIO_PROCESS, id_t(gettid()), kBackgroundNice) == 0;
    static_cast<void>(lowered);
}

} // namespace pxv
