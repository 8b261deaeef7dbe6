#include "workerthread.h"

#include <pthread.h>
#include <signal.h>

#include <vector>

namespace pxv {

namespace {

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

} // namespace pxv
