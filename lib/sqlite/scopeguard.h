#pragma once

#include <functional>
#include <utility>

// Runs its function when the scope ends, however it ends. Guards declared one after another run in
// reverse order, which is how the connection finalizes a statement before it gives up its lock.
class ScopeGuard
{
public:
    explicit ScopeGuard(std::function<void()> onExit) : m_onExit(std::move(onExit)) {}
    ~ScopeGuard() { m_onExit(); }

    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    std::function<void()> m_onExit;
};
