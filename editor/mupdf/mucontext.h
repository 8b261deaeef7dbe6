#pragma once

#include "mupdf/layer.h"

// The MuPDF boundary: only files of editor/mupdf include this header.

#include "muerror.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <memory>
#include <utility>

namespace pxv::mu {

// An independent fz_context without locks. Each one is used by one thread at a time: render
// workers own one each, and so does every document on the GUI thread.
class Context
{
public:
    explicit Context(size_t storeBytes);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    fz_context* get() const { return m_ctx; }

private:
    fz_context* m_ctx;
};

using ContextPtr = std::shared_ptr<Context>;

[[noreturn]] void throwCaught(fz_context* ctx);

// Runs body inside fz_try and turns a MuPDF error into MuError. body must only call MuPDF and
// plain C code: a MuPDF error longjmps out of it, skipping every destructor on the way.
template <typename Body>
void guarded(fz_context* ctx, Body&& body)
{
    bool failed = false;
    fz_try(ctx)
    {
        body();
    }
    fz_catch(ctx)
    {
        failed = true;
    }
    if (failed)
        throwCaught(ctx);
}

// The page object of a page, borrowed: it lives as long as the document. Use instead of
// pdf_lookup_page_obj, which in MuPDF 1.21 hands out a new reference (never dropped) on every call
// while the page tree is loaded, and a borrowed one otherwise.
pdf_obj* lookupPageObject(fz_context* ctx, pdf_document* doc, int page);

// Owns one MuPDF object; drops it with its context when it goes.
template <typename T, void (*Drop)(fz_context*, T*)>
class Handle
{
public:
    Handle() = default;
    Handle(fz_context* ctx, T* ptr) : m_ctx(ctx), m_ptr(ptr) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : m_ctx(other.m_ctx), m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_ctx = other.m_ctx;
            m_ptr = std::exchange(other.m_ptr, nullptr);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    T* get() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    void reset()
    {
        if (m_ptr)
            Drop(m_ctx, m_ptr);
        m_ptr = nullptr;
    }

private:
    fz_context* m_ctx = nullptr;
    T* m_ptr = nullptr;
};

using PdfDocumentHandle = Handle<pdf_document, pdf_drop_document>;
using ObjectHandle = Handle<pdf_obj, pdf_drop_obj>;
using PageHandle = Handle<fz_page, fz_drop_page>;
using DisplayListHandle = Handle<fz_display_list, fz_drop_display_list>;
using BufferHandle = Handle<fz_buffer, fz_drop_buffer>;
using LinkHandle = Handle<fz_link, fz_drop_link>;
using TextPageHandle = Handle<fz_stext_page, fz_drop_stext_page>;

} // namespace pxv::mu
