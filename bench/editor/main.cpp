// How long the GUI thread is blocked while the editor scrolls through a long document, and
// whether memory follows the page count. Each document is scrolled in a process of its own so
// that one run's heap does not colour the other's numbers. Prints; never fails on numbers.

#include "scrollrun.h"
#include "testpdfs.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kWheelSteps = 300;
constexpr int kSweepSteps = 600;
constexpr double kBlockTargetMs = 50.0;
// How the child hands its memory growth (heap, then VmRSS, in KiB) to the parent.
const char kGrowthKey[] = "growth-kib ";

struct Growth
{
    qint64 heapKib = -1;
    qint64 rssKib = -1;
};

void printGaps(const char* phase, const GapStats& gaps)
{
    std::printf("  %-6s max gap %7.1f ms   99th percentile %6.1f ms   gaps > 50 ms: %d of %d ticks\n", phase,
                gaps.maxMs, gaps.p99Ms, gaps.over50Ms, gaps.ticks);
}

// The child's side: scroll one document and print what was seen.
int runOne(const QString& path)
{
    const ScrollResult r = runScroll(path, kWheelSteps, kSweepSteps);
    if (r.pages == 0) {
        std::printf("  cannot run: %s\n", qPrintable(r.error));
        return 1;
    }
    std::printf("  %d pages: opening held the GUI thread %.1f ms; first page on screen after %.0f ms\n", r.pages,
                r.openCallMs, r.openMs);
    printGaps("wheel", r.wheel);
    std::printf("         (%d notches reached page %d)\n", kWheelSteps, r.wheelEndPage);
    printGaps("sweep", r.sweep);
    const double worst = std::max(r.wheel.maxMs, r.sweep.maxMs);
    std::printf("  target: GUI thread never blocked > %.0f ms while scrolling: %s (worst %.1f ms)\n",
                kBlockTargetMs, worst <= kBlockTargetMs ? "met" : "MISSED", worst);
    std::printf("  rendered %d page images of %d different pages; at most %d pages requested at once\n",
                r.rendered, r.distinctPages, r.mostRequested);
    std::printf("  VmRSS %lld KiB before opening, %lld KiB when opened, %lld KiB after scrolling (peak %lld KiB)\n",
                r.beforeOpening.rssKib, r.opened.rssKib, r.scrolled.rssKib, r.peakRssKib);
    std::printf("  heap in use %lld KiB before opening, %lld KiB when opened, %lld KiB after scrolling\n",
                r.beforeOpening.heapKib, r.opened.heapKib, r.scrolled.heapKib);
    if (!r.error.isEmpty())
        std::printf("  note: %s\n", qPrintable(r.error));
    std::printf("%s%lld %lld\n", kGrowthKey, r.scrolled.heapKib - r.beforeOpening.heapKib,
                r.scrolled.rssKib - r.beforeOpening.rssKib);
    std::fflush(stdout);
    return 0;
}

// The parent's side: runs the child on path, passes its report on and returns its memory growth
// (-1 when the child failed).
Growth runChild(const QString& program, const QString& path)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, {QStringLiteral("--run"), path});
    if (!child.waitForFinished(10 * 60 * 1000)) {
        std::printf("  the run did not finish: %s\n", qPrintable(child.errorString()));
        return {};
    }
    Growth growth;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        if (line.startsWith(kGrowthKey)) {
            const QList<QByteArray> values = line.mid(int(sizeof kGrowthKey) - 1).split(' ');
            growth = {values.value(0).toLongLong(), values.value(1).toLongLong()};
        } else if (!line.isEmpty()) {
            std::printf("%s\n", line.constData());
        }
    }
    std::fflush(stdout);
    return child.exitCode() == 0 ? growth : Growth();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--run"))
        return runOne(args[2]);

    // An optional folder argument keeps the generated files for a closer look.
    QTemporaryDir temporary;
    const QDir folder(args.size() > 1 ? args[1] : temporary.path());
    if (!folder.exists())
        return 1;
    std::printf("scrolling: %d wheel notches, then the scroll bar to the end in %d steps, one every 16 ms (%s)\n",
                kWheelSteps, kSweepSteps, qgetenv("QT_QPA_PLATFORM").constData());
    QList<Growth> growth;
    for (int pages : {200, 2000}) {
        const QString path = folder.filePath(QStringLiteral("scroll%1.pdf").arg(pages));
        if (testpdfs::writeBytes(path, testpdfs::longDocument(pages)).isEmpty())
            return 1;
        std::printf("%d-page document:\n", pages);
        std::fflush(stdout);
        growth.append(runChild(app.applicationFilePath(), path));
    }
    if (growth[0].heapKib < 0 || growth[1].heapKib < 0)
        return 1;
    std::printf("after scrolling through every page: heap grew by %lld KiB at 200 pages, %lld KiB at 2,000 pages;\n"
                "VmRSS by %lld KiB and %lld KiB (it also counts freed memory the render threads' arenas keep)\n",
                growth[0].heapKib, growth[1].heapKib, growth[0].rssKib, growth[1].rssKib);
    // Ten times the pages may add their sizes and layout, a few MiB, but not a share of the
    // images: what is kept may grow by a tenth at most.
    const qint64 allowanceKib = growth[0].heapKib / 10;
    const qint64 difference = growth[1].heapKib - growth[0].heapKib;
    std::printf("target: memory independent of page count: %s (heap difference %lld KiB, allowance %lld KiB)\n",
                difference <= allowanceKib ? "met" : "MISSED", difference, allowanceKib);
    return 0;
}
