#pragma once

#include "core/layer.h"

// Calls from worker threads into an object's thread through Qt's event queue, in a way that
// ThreadSanitizer can follow.

#include <QObject>

#include <utility>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace pxv {

#if defined(__SANITIZE_THREAD__)
namespace detail {

// Qt's event queue takes a lock when a call is posted and again when it is delivered, so all
// the poster did before happens before the call. Debian's Qt is not built for ThreadSanitizer,
// which cannot see that lock; this stands in for it. The release follows the last write the
// posting thread makes to the call (Qt moves the functor into its own object), the acquire
// precedes the first read on the receiving side, including when an undelivered call is destroyed.
inline char g_eventQueue;

template <typename Fn>
class OrderedCall
{
public:
    explicit OrderedCall(Fn fn) : m_fn(std::move(fn)) { __tsan_release(&g_eventQueue); }
    OrderedCall(OrderedCall&& other) : m_fn(std::move(other.m_fn)) { __tsan_release(&g_eventQueue); }
    OrderedCall(const OrderedCall&) = delete;
    OrderedCall& operator=(const OrderedCall&) = delete;
    OrderedCall& operator=(OrderedCall&&) = delete;
    ~OrderedCall() { __tsan_acquire(&g_eventQueue); }

    void operator()()
    {
        __tsan_acquire(&g_eventQueue);
        m_fn();
    }

private:
    Fn m_fn;
};

} // namespace detail
#endif

// Runs fn later on context's thread from its event loop, as QMetaObject::invokeMethod with
// Qt::QueuedConnection does; nothing runs when context is deleted first.
template <typename Fn>
void postCall(QObject* context, Fn fn)
{
#if defined(__SANITIZE_THREAD__)
    QMetaObject::invokeMethod(context, detail::OrderedCall<Fn>(std::move(fn)), Qt::QueuedConnection);
#else
    QMetaObject::invokeMethod(context, std::move(fn), Qt::QueuedConnection);
#endif
}

} // namespace pxv
