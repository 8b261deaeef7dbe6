// Measures the editor's rendering path against MuPDF alone, memory on a long document, and
// the size of combined files. Prints a small report; exits non-zero only when it cannot run.

#include "core/document.h"
#include "core/pagerenderer.h"
#include "testpdfs.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kDpi = 150.0;
constexpr double kPixelsPerPoint = kDpi / 72.0;
constexpr int kRuns = 7;

long rssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Open, load page 1, draw it on white at 150 DPI: the least any viewer must do.
double rawMuPdfMs(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    fz_context* ctx = fz_new_context(nullptr, nullptr, FZ_STORE_DEFAULT);
    const QByteArray name = QFile::encodeName(path);
    pdf_document* doc = nullptr;
    fz_page* page = nullptr;
    fz_pixmap* pixmap = nullptr;
    fz_device* device = nullptr;
    fz_var(doc);
    fz_var(page);
    fz_var(pixmap);
    fz_var(device);
    fz_try(ctx)
    {
        doc = pdf_open_document(ctx, name.constData());
        page = fz_load_page(ctx, &doc->super, 0);
        const fz_matrix ctm = fz_scale(float(kPixelsPerPoint), float(kPixelsPerPoint));
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
        pdf_drop_document(ctx, doc);
    }
    fz_catch(ctx) { std::fprintf(stderr, "MuPDF failed: %s\n", fz_caught_message(ctx)); }
    const double ms = timer.nsecsElapsed() / 1e6;
    fz_drop_context(ctx);
    return ms;
}

// Waits in the event loop until the renderer has delivered count pages (or failed them).
bool waitForPages(pxv::PageRenderer& renderer, int count, int timeoutMs)
{
    int done = 0;
    QEventLoop loop;
    auto finish = [&] {
        if (++done >= count)
            loop.quit();
    };
    QObject::connect(&renderer, &pxv::PageRenderer::pageReady, &loop, finish);
    QObject::connect(&renderer, &pxv::PageRenderer::pageFailed, &loop, finish);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done >= count;
}

// The editor's path: open the document, lay out its pages, render page 1 on a worker.
double editorMs(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    auto document = pxv::Document::open(path);
    document->pageCount();
    pxv::PageRenderer renderer(document.get());
    renderer.request(0, kPixelsPerPoint, 100);
    if (!waitForPages(renderer, 1, 30000))
        std::fprintf(stderr, "page 1 did not arrive\n");
    return timer.nsecsElapsed() / 1e6;
}

// Each measurement runs in a fresh process, so that neither side profits from caches (glyphs,
// worker threads, open copies) that a first page after start-up does not have.
double measureInChild(const QString& mode, const QString& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {mode, path});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return -1;
    return child.readAllStandardOutput().trimmed().toDouble();
}

void firstPage(const QString& manual)
{
    std::vector<double> raw, editor;
    measureInChild(QStringLiteral("--raw"), manual); // the file in the page cache for both
    for (int i = 0; i < kRuns; ++i) {
        raw.push_back(measureInChild(QStringLiteral("--raw"), manual));
        editor.push_back(measureInChild(QStringLiteral("--editor"), manual));
    }
    const double r = median(raw), e = median(editor);
    std::printf("first page at %.0f DPI (median of %d): MuPDF alone %.1f ms, editor %.1f ms, ratio %.2f (target <= 1.20)\n",
                kDpi, kRuns, r, e, e / r);
}

void memory(const QString& path, int pages)
{
    const long before = rssKiB();
    QElapsedTimer timer;
    timer.start();
    auto document = pxv::Document::open(path);
    const int count = document->pageCount();
    const double openMs = timer.nsecsElapsed() / 1e6;
    const long opened = rssKiB();

    pxv::PageRenderer renderer(document.get());
    double longestRequestMs = 0;
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < 50; ++i) {
        const int page = int((qint64(i) * 7919) % count);
        timer.restart();
        // A view scrolling past: ask for three pages, keep only them.
        renderer.request(page, 1.0, 10);
        renderer.request((page + 1) % count, 1.0, 5);
        renderer.cancelExcept({page, (page + 1) % count});
        longestRequestMs = std::max(longestRequestMs, timer.nsecsElapsed() / 1e6);
        waitForPages(renderer, 1, 30000);
    }
    const long rendered = rssKiB();
    std::printf("%5d pages: open + layout %.1f ms on the calling thread; RSS before %ld MiB, opened %ld MiB, "
                "after 50 scattered pages %ld MiB (cache %lld MiB); longest request call %.2f ms\n",
                pages, openMs, before / 1024, opened / 1024, rendered / 1024,
                renderer.cacheCost() >> 20, longestRequestMs);
}

void combineSizes(const QString& source, const QString& folder)
{
    const QStringList sources{source, source, source};
    QElapsedTimer timer;
    timer.start();
    auto combined = pxv::Document::combine(sources);
    const int pages = combined->pageCount();
    const QString out = folder + QStringLiteral("/combined.pdf");
    combined->save(out);
    const qint64 sum = 3 * QFileInfo(source).size();
    std::printf("combine 3 x %lld KiB (%d pages): %lld KiB written (%.2f of the sources) in %.0f ms\n",
                QFileInfo(source).size() >> 10, pages, QFileInfo(out).size() >> 10,
                double(QFileInfo(out).size()) / double(sum), timer.nsecsElapsed() / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // QPdfWriter needs fonts
    const QStringList args = app.arguments();
    if (args.size() == 3 && (args[1] == QLatin1String("--raw") || args[1] == QLatin1String("--editor"))) {
        const double ms = args[1] == QLatin1String("--raw") ? rawMuPdfMs(args[2]) : editorMs(args[2]);
        std::printf("%.3f\n", ms);
        return 0;
    }
    // An optional folder argument keeps the generated files for a closer look.
    QTemporaryDir temporary;
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path());
    if (!folder.exists())
        return 1;
    const QString manual = folder.filePath(QStringLiteral("manual.pdf"));
    testpdfs::writeManual(manual, 120);
    std::printf("manual: 120 pages, %lld KiB\n", QFileInfo(manual).size() >> 10);
    firstPage(manual);

    for (int pages : {200, 2000}) {
        const QString path = folder.filePath(QStringLiteral("long%1.pdf").arg(pages));
        if (testpdfs::writeBytes(path, testpdfs::longDocument(pages)).isEmpty())
            return 1;
        memory(path, pages);
    }
    combineSizes(manual, folder.path());
    combineSizes(folder.filePath(QStringLiteral("long2000.pdf")), folder.path());
    return 0;
}
