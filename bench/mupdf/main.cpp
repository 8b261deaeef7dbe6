// MuPDF alone, as the floor the editor's rendering is measured against. Plain C API, one context,
// one thread, no Qt: what any viewer built on the engine has to do at least.
//
//   bench_mupdf first-page FILE PIXELS_PER_POINT   open, draw page 1 on white: "first-page-ms"
//   bench_mupdf every-page FILE PIXELS_PER_POINT   open once, draw each page: "pages", "seconds"
//   bench_mupdf page FILE PAGE PIXELS_PER_POINT DEGREES
//                                                  open, draw page PAGE (from 1) turned DEGREES
//                                                  clockwise, then time drawing it so again:
//                                                  "page-ms"
//   bench_mupdf count FILE                         "pages"
//   bench_mupdf outline FILE                       outline entries at every level: "outline"
// Exits 1 with a message when MuPDF fails.

extern "C" {
#include <mupdf/fitz.h>
}

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs body with an open document; false (after printing MuPDF's message) when anything fails.
bool withDocument(const char* path, const std::function<void(fz_context*, fz_document*)>& body)
{
    fz_context* ctx = fz_new_context(nullptr, nullptr, FZ_STORE_DEFAULT);
    if (!ctx)
        return false;
    fz_register_document_handlers(ctx);
    fz_document* doc = nullptr;
    bool ok = true;
    fz_var(doc);
    fz_try(ctx)
    {
        doc = fz_open_document(ctx, path);
        body(ctx, doc);
    }
    fz_always(ctx)
    {
        fz_drop_document(ctx, doc);
    }
    fz_catch(ctx)
    {
        std::fprintf(stderr, "MuPDF failed on %s: %s\n", path, fz_caught_message(ctx));
        ok = false;
    }
    fz_drop_context(ctx);
    return ok;
}

// Draws one page on white at the given scale, turned degrees clockwise (a multiple of 90), as a
// viewer shows it. Throws through fz_throw.
void drawPage(fz_context* ctx, fz_document* doc, int number, float pixelsPerPoint, int degrees = 0)
{
    fz_page* page = nullptr;
    fz_pixmap* pixmap = nullptr;
    fz_device* device = nullptr;
    fz_var(page);
    fz_var(pixmap);
    fz_var(device);
    fz_try(ctx)
    {
        page = fz_load_page(ctx, doc, number);
        const fz_matrix ctm = fz_pre_rotate(fz_scale(pixelsPerPoint, pixelsPerPoint), float(degrees));
        const fz_irect box = fz_round_rect(fz_transform_rect(fz_bound_page(ctx, page), ctm));
        pixmap = fz_new_pixmap_with_bbox(ctx, fz_device_bgr(ctx), box, nullptr, 1);
        fz_clear_pixmap_with_value(ctx, pixmap, 255);
        device = fz_new_draw_device(ctx, fz_identity, pixmap);
        fz_run_page(ctx, page, device, ctm, nullptr);
        fz_close_device(ctx, device);
    }
    fz_always(ctx)
    {
        fz_drop_device(ctx, device);
        fz_drop_pixmap(ctx, pixmap);
        fz_drop_page(ctx, page);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
}

int countOutline(fz_outline* item)
{
    int count = 0;
    for (; item; item = item->next)
        count += 1 + countOutline(item->down);
    return count;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: bench_mupdf first-page|every-page FILE PIXELS_PER_POINT | page FILE PAGE PIXELS_PER_POINT "
                 "DEGREES | count|outline FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const char* mode = argv[1];
    const char* path = argv[2];
    const float scale = argc > 3 ? std::strtof(argv[3], nullptr) : 0.0f;
    bool ok = false;
    if (!std::strcmp(mode, "first-page") && scale > 0) {
        // The clock starts before the context: a first page after start-up has no caches either.
        const Clock::time_point start = Clock::now();
        ok = withDocument(path, [&](fz_context* ctx, fz_document* doc) { drawPage(ctx, doc, 0, scale); });
        if (ok)
            std::printf("first-page-ms %.3f\n", msSince(start));
    } else if (!std::strcmp(mode, "every-page") && scale > 0) {
        int pages = 0;
        const Clock::time_point start = Clock::now();
        ok = withDocument(path, [&](fz_context* ctx, fz_document* doc) {
            const int count = fz_count_pages(ctx, doc);
            for (; pages < count; ++pages)
                drawPage(ctx, doc, pages, scale);
        });
        if (ok)
            std::printf("pages %d\nseconds %.3f\n", pages, msSince(start) / 1000.0);
    } else if (!std::strcmp(mode, "page") && argc == 6 && std::strtof(argv[4], nullptr) > 0) {
        const int number = std::atoi(argv[3]) - 1;
        const float pixelsPerPoint = std::strtof(argv[4], nullptr);
        const int degrees = std::atoi(argv[5]);
        double ms = 0;
        ok = withDocument(path, [&](fz_context* ctx, fz_document* doc) {
            // Unmeasured: the editor's rotations draw the page in each of its two states over and
            // over, so its fonts, images and glyphs at that scale are cached by then.
            drawPage(ctx, doc, number, pixelsPerPoint, degrees);
            const Clock::time_point start = Clock::now();
            drawPage(ctx, doc, number, pixelsPerPoint, degrees);
            ms = msSince(start);
        });
        if (ok)
            std::printf("page-ms %.3f\n", ms);
    } else if (!std::strcmp(mode, "count")) {
        ok = withDocument(
            path, [](fz_context* ctx, fz_document* doc) { std::printf("pages %d\n", fz_count_pages(ctx, doc)); });
    } else if (!std::strcmp(mode, "outline")) {
        ok = withDocument(path, [](fz_context* ctx, fz_document* doc) {
            fz_outline* outline = fz_load_outline(ctx, doc);
            const int count = countOutline(outline);
            fz_drop_outline(ctx, outline);
            std::printf("outline %d\n", count);
        });
    } else {
        return usage();
    }
    return ok ? 0 : 1;
}
