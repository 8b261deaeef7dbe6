#include "scrollrun.h"

#include "memstats.h"
#include "pxveditor.h"
#include "qcontrolhost.h"
#include "core/pagerenderer.h"
#include "ui/pageview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <functional>

GapStats GapStats::of(QVector<qint64> gapsNs)
{
    GapStats stats;
    stats.ticks = gapsNs.size();
    if (gapsNs.isEmpty())
        return stats;
    std::sort(gapsNs.begin(), gapsNs.end());
    stats.maxMs = gapsNs.last() / 1e6;
    stats.p99Ms = gapsNs[std::min<int>(gapsNs.size() - 1, gapsNs.size() * 99 / 100)] / 1e6;
    stats.over50Ms = int(gapsNs.end() - std::upper_bound(gapsNs.begin(), gapsNs.end(), qint64(50'000'000)));
    return stats;
}

MemorySample MemorySample::now()
{
    return {procStatusKib("VmRSS"), heapInUseKib()};
}

namespace {

constexpr int kFrameMs = 16;

// Records the gaps between the ticks of a 1 ms timer into whichever list is current.
class Watchdog
{
public:
    Watchdog()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_gaps.append(now - m_last);
            m_last = now;
        });
    }

    void start()
    {
        m_gaps.clear();
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }

    QVector<qint64> stop()
    {
        m_timer.stop();
        return m_gaps;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    QVector<qint64> m_gaps;
};

// Runs the event loop until done() holds or timeoutMs passes; false on timeout.
bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Calls step(i) for i in [0, count), one call per frame, inside the event loop.
void everyFrame(int count, const std::function<void(int)>& step)
{
    QEventLoop loop;
    QTimer frame;
    frame.setTimerType(Qt::PreciseTimer);
    int next = 0;
    QObject::connect(&frame, &QTimer::timeout, [&] {
        if (next == count) {
            loop.quit();
            return;
        }
        step(next++);
    });
    frame.start(kFrameMs);
    loop.exec();
}

void wheelDown(QWidget* viewport)
{
    const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent event(at, viewport->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &event);
}

} // namespace

ScrollResult runScroll(const QString& path, int wheelSteps, int sweepSteps)
{
    ScrollResult result;
    registerPXVEditor();
    QControlHost host;
    if (!host.setControl(QString::fromLatin1(kPXVEditorClassId))) {
        result.error = QStringLiteral("the editor component is not registered");
        return result;
    }
    host.resize(1000, 800);
    host.show();
    if (!waitFor([&] { return host.windowHandle() && host.windowHandle()->isExposed(); }, 5000)) {
        result.error = QStringLiteral("the window was not shown within 5 s");
        return result;
    }
    result.beforeOpening = MemorySample::now();

    QElapsedTimer opening;
    opening.start();
    host.queryInterface()->openPath(path, 0);
    result.openCallMs = opening.nsecsElapsed() / 1e6;
    auto* view = host.findChild<pxv::PageView*>();
    if (!view) {
        result.error = QStringLiteral("no page view after opening ") + path;
        return result;
    }
    bool painted = false;
    QObject::connect(view, &pxv::PageView::firstPagePainted, [&painted] { painted = true; });
    if (!waitFor([&] { return painted; }, 30000)) {
        result.error = QStringLiteral("the first page was not painted within 30 s");
        return result;
    }
    result.openMs = opening.nsecsElapsed() / 1e6;
    result.pages = view->pageCount();
    result.opened = MemorySample::now();

    QSet<int> distinct;
    QObject::connect(view->renderer(), &pxv::PageRenderer::pageReady, [&](int page, double, const QImage&) {
        ++result.rendered;
        distinct.insert(page);
    });
    auto noteRequests = [&] { result.mostRequested = std::max(result.mostRequested, int(view->requestedPages().size())); };

    Watchdog watchdog;
    watchdog.start();
    everyFrame(wheelSteps, [&](int) {
        wheelDown(view->viewport());
        noteRequests();
    });
    result.wheel = GapStats::of(watchdog.stop());
    result.wheelEndPage = view->currentPage() + 1;

    QScrollBar* bar = view->verticalScrollBar();
    const int from = bar->value();
    watchdog.start();
    everyFrame(sweepSteps, [&](int i) {
        bar->setValue(from + int(qint64(bar->maximum() - from) * (i + 1) / sweepSteps));
        noteRequests();
    });
    result.sweep = GapStats::of(watchdog.stop());

    if (!waitFor([&] { return view->renderer()->pendingCount() == 0; }, 30000))
        result.error = QStringLiteral("the renderer was still busy 30 s after scrolling stopped");
    result.distinctPages = distinct.size();
    result.scrolled = MemorySample::now();
    result.peakRssKib = procStatusKib("VmHWM");
    return result;
}
