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

pdf_obj* lookupPageObject(fz_context* ctx, pdf_document* doc, int page)
{
    if (!doc->fwd_page_map)
        return pdf_lookup_page_obj(ctx, doc, page);
    if (page < 0 || page >= doc->map_page_count)
        fz_throw(ctx, FZ_ERROR_GENERIC, "cannot find page %d in page tree", page + 1);
    // The loaded tree maps pages to object numbers. The cross-reference table keeps the object
    // once loaded, so the reference pdf_load_object adds can be given back at once.
    pdf_obj* object = pdf_load_object(ctx, doc, doc->fwd_page_map[page]);
    pdf_drop_obj(ctx, object);
    return object;
}

void throwCaught(fz_context* ctx)
{
    const int code = fz_caught(ctx);
    const char* message = fz_caught_message(ctx);
    throw MuError(code, message && *message ? message : "unknown MuPDF error");
}

} // namespace pxv::mu
