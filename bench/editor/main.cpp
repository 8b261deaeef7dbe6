// The editor component measured as the application uses it, one measurement per process so that
// no run inherits another's caches or heap. Prints "key value" lines for the bench driver.
//
//   bench_editor first-page FILE               "first-page-ms", "open-call-ms", "pixels-per-point"
//   bench_editor scroll FILE                   "pages", "seconds", "painted", "longest-stall-ms",
//                                              "rss-after-kib"
//   bench_editor combine OUTPUT FILE...        "pages", "combine-ms"
//   bench_editor edits FILE                    page 1,000 rotated 90 and 270 degrees in turn, to
//                                              its repaint: "page", "rotations", "rotate-ms"
//                                              (median), "first-rotate-ms", "pixels-per-point"
//                                              (upright), "rotated-pixels-per-point"; then 100
//                                              steps undone and redone: "steps", "undo-ms",
//                                              "redo-ms" (per step)
//   bench_editor edit-memory FILE              1,000 rotations across the file: "edits",
//                                              "rss-opened-kib", "rss-edited-kib", and the page
//                                              images' share: "images-opened-kib",
//                                              "images-edited-kib"
//   bench_editor delete-save FILE OUTPUT      every other page deleted ("even"), then saved to
//                                              OUTPUT: "pages", "delete-ms", "save-ms"
//   bench_editor extract FILE PAGE OUTPUT      one page extracted into OUTPUT: "extract-ms"
//   bench_editor annotate FILE                 rectangles added to page 1,000 one by one, each to
//                                              its repaint: "page", "annotations",
//                                              "annotate-ms" (median), "first-annotate-ms",
//                                              "call-ms" (median: the call alone),
//                                              "pixels-per-point"
//   bench_editor annotate-save FILE OUTPUT     one rectangle added to page 1,000, then saved to
//                                              OUTPUT: "id" (its object number)
//   bench_editor form PAGES OUTPUT             writes a form of PAGES pages, a text field on each
//   bench_editor fill FILE PAGE                the text field of PAGE (from 1) filled in again and
//                                              again, each to its repaint: "fills", "fill-ms"
//                                              (median), "first-fill-ms", "call-ms",
//                                              "pixels-per-point"
//   bench_editor thumbnails FILE               the thumbnails pane scrolled end to end: "rows",
//                                              "steps", "seconds", "longest-stall-ms"
//   bench_editor zoom FILE                     50 zoom-in steps on the first page, each once drawn:
//                                              "steps", "seconds", "longest-stall-ms",
//                                              "pixels-per-point" (at the end), "rss-after-kib"
//   bench_editor recovery FILE [whole]         the first page rotated, then its recovery record
//                                              written (whole: of a copy without a file):
//                                              "gui-ms", "off-gui-ms", "longest-stall-ms",
//                                              "idle-stall-ms" (a second doing nothing), "bytes"
//   bench_editor watermark FILE PAGES OUTPUT   a text watermark on PAGES, then saved to OUTPUT:
//                                              "watermark-ms", "save-ms"
//   bench_editor export FILE PAGES DPI FOLDER  the pages written as PNG files at DPI into FOLDER:
//                                              "files", "export-ms"
//   bench_editor compress FILE LEVEL OUTPUT    compressed ("lossless", or "lossy" at 150 dpi and
//                                              quality 75) into OUTPUT: "compress-ms"
// Exits 1 with a message when the run cannot be done.

#include "editorrun.h"
#include "formpdfs.h"
#include "pdfobjects.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Page 1,000, far into a long document.
constexpr int kRotatedPage = 999;
// Odd, so that the median is one of the times measured; more than a few, as the rotate call
// itself takes from 1 to 10 ms depending on what the render workers do meanwhile.
constexpr int kRotations = 15;
constexpr int kHistorySteps = 100;
constexpr int kMemoryEdits = 1000;
constexpr int kAnnotations = 15;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

int failed(const EditorRun& run)
{
    std::fprintf(stderr, "bench_editor: %s\n", qPrintable(run.error()));
    return 1;
}

int usage()
{
    std::fprintf(stderr, "usage: bench_editor first-page FILE | scroll FILE | combine OUTPUT FILE... | edits FILE | "
                         "edit-memory FILE | delete-save FILE OUTPUT | extract FILE PAGE OUTPUT | thumbnails FILE | "
                         "recovery FILE [whole] | watermark FILE PAGES OUTPUT | annotate FILE | annotate-save FILE "
                         "OUTPUT | form PAGES OUTPUT | fill FILE PAGE | "
                         "export FILE PAGES DPI FOLDER | compress FILE LEVEL OUTPUT | zoom FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return usage();
    const QString& mode = args[1];
    EditorRun run;
    if (mode == QLatin1String("first-page") && args.size() == 3) {
        const double ms = run.open(args[2]);
        if (ms < 0)
            return failed(run);
        std::printf("first-page-ms %.3f\nopen-call-ms %.3f\npixels-per-point %.6f\n", ms, run.openCallMs(),
                    run.pixelsPerPoint());
    } else if (mode == QLatin1String("scroll") && args.size() == 3) {
        if (run.open(args[2]) < 0)
            return failed(run);
        const EditorRun::Scroll scroll = run.scroll();
        if (!run.error().isEmpty())
            return failed(run);
        std::printf("pages %d\nseconds %.3f\npainted %d\nlongest-stall-ms %.1f\nrss-after-kib %lld\n", run.pageCount(),
                    scroll.seconds, scroll.painted, scroll.longestStallMs, scroll.rssAfterKib);
    } else if (mode == QLatin1String("combine") && args.size() >= 4) {
        QElapsedTimer timer;
        timer.start();
        const int pages = run.combine(args.mid(3), args[2]);
        if (pages < 0)
            return failed(run);
        std::printf("pages %d\ncombine-ms %.1f\n", pages, timer.nsecsElapsed() / 1e6);
    } else if (mode == QLatin1String("edits") && args.size() == 3) {
        if (run.open(args[2]) < 0)
            return failed(run);
        const EditorRun::Rotation rotation = run.rotatePage(kRotatedPage, kRotations);
        const EditorRun::History history = run.undoRedo(kRotatedPage, kHistorySteps);
        if (!run.error().isEmpty())
            return failed(run);
        // The first rotation apart too: the first edit of a document may do work the others do not.
        std::printf("page %d\nrotations %d\nrotate-ms %.3f\nfirst-rotate-ms %.3f\npixels-per-point %.6f\n"
                    "rotated-pixels-per-point %.6f\nsteps %d\nundo-ms %.3f\nredo-ms %.3f\n",
                    kRotatedPage + 1, int(rotation.ms.size()), median(rotation.ms), rotation.ms.front(),
                    rotation.uprightPixelsPerPoint, rotation.turnedPixelsPerPoint, kHistorySteps, history.undoMs,
                    history.redoMs);
    } else if (mode == QLatin1String("edit-memory") && args.size() == 3) {
        if (run.open(args[2]) < 0)
            return failed(run);
        const EditorRun::Memory memory = run.editAcross(kMemoryEdits);
        if (!run.error().isEmpty())
            return failed(run);
        std::printf("edits %d\nrss-opened-kib %lld\nrss-edited-kib %lld\nimages-opened-kib %lld\n"
                    "images-edited-kib %lld\n",
                    kMemoryEdits, memory.openedKib, memory.editedKib, memory.openedImagesKib, memory.editedImagesKib);
    } else if (mode == QLatin1String("delete-save") && args.size() == 4) {
        if (run.open(args[2]) < 0)
            return failed(run);
        QElapsedTimer timer;
        timer.start();
        if (!run.runOperation(QStringLiteral("op.document.deletePages"),
                              {{QStringLiteral("Pages"), QStringLiteral("even")}}))
            return failed(run);
        const double deleteMs = timer.nsecsElapsed() / 1e6;
        timer.start();
        if (!run.runOperation(QStringLiteral("op.document.save"), {{QStringLiteral("Path"), args[3]}}))
            return failed(run);
        std::printf("pages %d\ndelete-ms %.1f\nsave-ms %.1f\n", run.pageCount(), deleteMs, timer.nsecsElapsed() / 1e6);
    } else if (mode == QLatin1String("extract") && args.size() == 5) {
        if (run.open(args[2]) < 0)
            return failed(run);
        QElapsedTimer timer;
        timer.start();
        if (!run.runOperation(QStringLiteral("op.document.extractPages"),
                              {{QStringLiteral("Pages"), args[3]}, {QStringLiteral("Path"), args[4]}}))
            return failed(run);
        std::printf("extract-ms %.1f\n", timer.nsecsElapsed() / 1e6);
    } else if (mode == QLatin1String("annotate") && args.size() == 3) {
        if (run.open(args[2]) < 0)
            return failed(run);
        const EditorRun::Repaints annotating = run.repaintAfterEdits(
            kRotatedPage, kAnnotations, [&run](int i) { return run.addAnnotation(kRotatedPage, i).isValid(); });
        if (!run.error().isEmpty())
            return failed(run);
        std::printf("page %d\nannotations %d\nannotate-ms %.3f\nfirst-annotate-ms %.3f\ncall-ms %.3f\n"
                    "pixels-per-point %.6f\n",
                    kRotatedPage + 1, int(annotating.ms.size()), median(annotating.ms), annotating.ms.front(),
                    median(annotating.callMs), annotating.pixelsPerPoint);
    } else if (mode == QLatin1String("form") && args.size() == 4) {
        testpdfs::FormSample form;
        form.pages = args[2].toInt();
        if (form.pages < 3 || testpdfs::writeBytes(args[3], testpdfs::formSample(form)).isEmpty())
            return usage();
        std::printf("pages %d\n", form.pages);
    } else if (mode == QLatin1String("fill") && args.size() == 4) {
        const int page = args[3].toInt() - 1;
        if (run.open(args[2]) < 0)
            return failed(run);
        const EditorRun::Repaints filling = run.repaintAfterEdits(
            page, kAnnotations, [&run, page](int i) { return run.fillField(page, i); });
        if (!run.error().isEmpty())
            return failed(run);
        std::printf("fills %d\nfill-ms %.3f\nfirst-fill-ms %.3f\ncall-ms %.3f\npixels-per-point %.6f\n",
                    int(filling.ms.size()), median(filling.ms), filling.ms.front(), median(filling.callMs),
                    filling.pixelsPerPoint);
    } else if (mode == QLatin1String("annotate-save") && args.size() == 4) {
        if (run.open(args[2]) < 0)
            return failed(run);
        const QVariant id = run.addAnnotation(kRotatedPage);
        if (!id.isValid() || !run.runOperation(QStringLiteral("op.document.save"), {{QStringLiteral("Path"), args[3]}}))
            return failed(run);
        std::printf("id %d\n", id.toInt());
    } else if (mode == QLatin1String("thumbnails") && args.size() == 3) {
        if (run.open(args[2]) < 0)
            return failed(run);
        const EditorRun::Thumbnails pane = run.scrollThumbnails();
        if (!run.error().isEmpty())
            return failed(run);
        std::printf("rows %d\nsteps %d\nseconds %.3f\nlongest-stall-ms %.1f\n", pane.rows, pane.steps, pane.seconds,
                    pane.longestStallMs);
    } else if (mode == QLatin1String("zoom") && args.size() == 3) {
        if (run.open(args[2]) < 0)
            return failed(run);
        const EditorRun::Zoom zoom = run.zoomIn(50);
        if (!run.error().isEmpty())
            return failed(run);
        std::printf("steps %d\nseconds %.3f\nlongest-stall-ms %.1f\npixels-per-point %.6f\nrss-after-kib %lld\n",
                    zoom.steps, zoom.seconds, zoom.longestStallMs, zoom.pixelsPerPoint, qlonglong(zoom.rssAfterKib));
    } else if (mode == QLatin1String("recovery")
               && (args.size() == 3 || (args.size() == 4 && args[3] == QLatin1String("whole")))) {
        const QTemporaryDir folder;
        if (run.open(args[2]) < 0)
            return failed(run);
        const EditorRun::RecoveryWrite record = run.writeRecoveryRecord(folder.path(), args.size() == 4);
        if (!run.error().isEmpty())
            return failed(run);
        std::printf("gui-ms %.3f\noff-gui-ms %.3f\nlongest-stall-ms %.3f\nidle-stall-ms %.3f\nbytes %lld\n",
                    record.guiMs, record.offGuiMs, record.longestStallMs, record.idleStallMs, record.bytes);
    } else if (mode == QLatin1String("watermark") && args.size() == 5) {
        if (run.open(args[2]) < 0)
            return failed(run);
        QElapsedTimer timer;
        timer.start();
        if (!run.runOperation(QStringLiteral("op.document.addWatermarks"),
                              {{QStringLiteral("Text"), QStringLiteral("DRAFT")},
                               {QStringLiteral("Pages"), args[3]},
                               {QStringLiteral("Opacity"), 0.3},
                               {QStringLiteral("Rotation"), 45}}))
            return failed(run);
        const double watermarkMs = timer.nsecsElapsed() / 1e6;
        timer.start();
        if (!run.runOperation(QStringLiteral("op.document.save"), {{QStringLiteral("Path"), args[4]}}))
            return failed(run);
        std::printf("watermark-ms %.1f\nsave-ms %.1f\n", watermarkMs, timer.nsecsElapsed() / 1e6);
    } else if (mode == QLatin1String("export") && args.size() == 6) {
        if (run.open(args[2]) < 0)
            return failed(run);
        QElapsedTimer timer;
        timer.start();
        if (!run.runOperation(QStringLiteral("op.document.exportToImages"),
                              {{QStringLiteral("Format"), QStringLiteral("png")},
                               {QStringLiteral("Pages"), args[3]},
                               {QStringLiteral("Resolution"), args[4].toInt()},
                               {QStringLiteral("Path"), args[5]}}))
            return failed(run);
        std::printf("files %d\nexport-ms %.1f\n", int(QDir(args[5]).entryList(QDir::Files).size()),
                    timer.nsecsElapsed() / 1e6);
    } else if (mode == QLatin1String("compress") && args.size() == 5) {
        if (run.open(args[2]) < 0)
            return failed(run);
        QVariantMap parameters{{QStringLiteral("Level"), args[3]}, {QStringLiteral("Path"), args[4]}};
        // What /ebook aims at: 150 dpi images.
        if (args[3] == QLatin1String("lossy")) {
            parameters.insert(QStringLiteral("Resolution"), 150);
            parameters.insert(QStringLiteral("Quality"), 75);
        }
        QElapsedTimer timer;
        timer.start();
        if (!run.runOperation(QStringLiteral("op.document.compress"), parameters))
            return failed(run);
        std::printf("compress-ms %.1f\n", timer.nsecsElapsed() / 1e6);
    } else {
        return usage();
    }
    return 0;
}
