#include "mucontext.h"

#include <new>

namespace pxv::mu {

namespace {

// Other engines draw hairlines at least one device pixel wide; without this, thin rules and
// table borders fade away at low zoom.
constexpr float kMinLineWidthPixels = 1.0f;

} // namespace

Context::Context(size_t storeBytes) : m_ctx(fz_new_context(nullptr, nullptr, storeBytes))
{
    if (!m_ctx)
        throw std::bad_alloc();
    fz_set_warning_callback(m_ctx, nullptr, nullptr);
    fz_set_error_callback(m_ctx, nullptr, nullptr);
    fz_set_graphics_min_line_width(m_ctx, kMinLineWidthPixels);
}

Context::~Context()
{
    fz_drop_context(m_ctx);
}

} // namespace pxv::mu

bool pxv::MuError::isCancellation() const
{
    return m_code == FZ_ERROR_ABORT;
}

namespace pxv::mu {

void throwCaught(fz_context* ctx)
{
    const int code = fz_caught(ctx);
    const char* message = fz_caught_message(ctx);
    throw MuError(code, message && *message ? message : "unknown MuPDF error");
}

} // namespace pxv::mu
