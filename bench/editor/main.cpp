// The editor component measured as the application uses it, one measurement per process so that
// no run inherits another's caches or heap. Prints "key value" lines for the bench driver.
//
//   bench_editor first-page FILE               "first-page-ms", "open-call-ms", "pixels-per-point"
//   bench_editor scroll FILE                   "pages", "seconds", "painted", "longest-stall-ms",
//                                              "rss-after-kib"
//   bench_editor combine OUTPUT FILE...        "pages", "combine-ms"
// Exits 1 with a message when the run cannot be done.

#include "editorrun.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

int failed(const EditorRun& run)
{
    std::fprintf(stderr, "bench_editor: %s\n", qPrintable(run.error()));
    return 1;
}

int usage()
{
    std::fprintf(stderr, "usage: bench_editor first-page FILE | scroll FILE | combine OUTPUT FILE...\n");
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
        std::printf("pages %d\nseconds %.3f\npainted %d\nlongest-stall-ms %.1f\nrss-after-kib %lld\n",
                    run.pageCount(), scroll.seconds, scroll.painted, scroll.longestStallMs, scroll.rssAfterKib);
    } else if (mode == QLatin1String("combine") && args.size() >= 4) {
        QElapsedTimer timer;
        timer.start();
        const int pages = run.combine(args.mid(3), args[2]);
        if (pages < 0)
            return failed(run);
        std::printf("pages %d\ncombine-ms %.1f\n", pages, timer.nsecsElapsed() / 1e6);
    } else {
        return usage();
    }
    return 0;
}
