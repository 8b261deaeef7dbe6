#include "editorrun.h"

#include "memstats.h"
#include "pxveditor.h"
#include "qcontrolhost.h"
#include "core/document.h"
#include "core/pagerenderer.h"
#include "ui/cpxvdocument.h"
#include "ui/pageview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSet>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>

namespace {

// Runs the event loop until done() holds or timeoutMs passes; false on timeout. The loop sleeps
// between events, so that the GUI thread leaves the cores to the render workers.
bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// The longest gap between the ticks of a 1 ms timer on the GUI thread: how long it was kept from
// its events at worst.
class StallWatch
{
public:
    StallWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longestNs = std::max(m_longestNs, now - m_last);
            m_last = now;
        });
        m_clock.start();
        m_timer.start();
    }

    double longestMs() const { return m_longestNs / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longestNs = 0;
};

// Notes the pages that a paint of the view's viewport draws from a full-resolution image (not
// the placeholder, not a stretched image of another scale).
class PaintedPages : public QObject
{
public:
    PaintedPages(pxv::PageView* view, double pixelsPerPoint) : m_view(view), m_pixelsPerPoint(pixelsPerPoint)
    {
        view->viewport()->installEventFilter(this);
    }

    int count() const { return m_pages.size(); }
    bool contains(int page) const { return m_pages.contains(page); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        const QRectF visible(m_view->viewport()->rect());
        const int current = m_view->currentPage();
        // The current page is the one at the top; at most a few more fit below it.
        for (int page = std::max(0, current - 1); page < std::min(m_view->pageCount(), current + 4); ++page) {
            if (m_view->pageRect(page).intersects(visible)
                && !m_view->renderer()->cachedImage(page, m_pixelsPerPoint).isNull())
                m_pages.insert(page);
        }
        return false;
    }

private:
    pxv::PageView* m_view;
    double m_pixelsPerPoint;
    QSet<int> m_pages;
};

} // namespace

EditorRun::EditorRun()
{
    registerPXVEditor();
    m_host = std::make_unique<QControlHost>();
    if (!m_host->setControl(QString::fromLatin1(kPXVEditorClassId))) {
        m_error = QStringLiteral("the editor component is not registered");
        return;
    }
    m_host->resize(1000, 800);
    m_host->show();
    if (!waitFor([this] { return m_host->windowHandle() && m_host->windowHandle()->isExposed(); }, 5000))
        m_error = QStringLiteral("the window was not shown within 5 s");
}

EditorRun::~EditorRun() = default;

int EditorRun::pageCount() const
{
    return m_view ? m_view->pageCount() : 0;
}

double EditorRun::open(const QString& path)
{
    if (!m_error.isEmpty())
        return -1;
    QElapsedTimer opening;
    opening.start();
    m_host->queryInterface()->openPath(path, 0);
    m_openCallMs = opening.nsecsElapsed() / 1e6;
    m_view = m_host->findChild<pxv::PageView*>();
    if (!m_view) {
        m_error = QStringLiteral("no page view after opening ") + path;
        return -1;
    }
    bool painted = false;
    QObject::connect(m_view, &pxv::PageView::firstPagePainted, [&painted] { painted = true; });
    // The scale the view asks for is the one its first image comes at.
    QObject::connect(m_view->renderer(), &pxv::PageRenderer::pageReady, m_view,
                     [this](int, double pixelsPerPoint, const QImage&) { m_pixelsPerPoint = pixelsPerPoint; });
    if (!waitFor([&] { return painted; }, 60000)) {
        m_error = QStringLiteral("the first page was not painted within 60 s");
        return -1;
    }
    return opening.nsecsElapsed() / 1e6;
}

EditorRun::Scroll EditorRun::scroll()
{
    Scroll result;
    if (!m_view)
        return result;
    PaintedPages painted(m_view, m_pixelsPerPoint);
    StallWatch stalls;
    QElapsedTimer clock;
    clock.start();
    for (int page = 0; page < m_view->pageCount(); ++page) {
        m_view->goToPage(page);
        if (!waitFor([&] { return painted.contains(page); }, 30000)) {
            m_error = QStringLiteral("page %1 was not painted within 30 s").arg(page + 1);
            return result;
        }
    }
    result.seconds = clock.nsecsElapsed() / 1e9;
    if (!waitFor([this] { return m_view->renderer()->pendingCount() == 0; }, 60000))
        m_error = QStringLiteral("the renderer was still busy 60 s after scrolling stopped");
    result.longestStallMs = stalls.longestMs();
    result.painted = painted.count();
    result.rssAfterKib = procStatusKib("VmRSS");
    return result;
}

int EditorRun::combine(const QStringList& paths, const QString& output)
{
    if (!m_error.isEmpty())
        return -1;
    try {
        IPXV_Inst* inst = m_host->queryInterface()->inst();
        const std::shared_ptr<IPXV_Operation> operation =
            inst->createOperation(inst->nameToId(QStringLiteral("op.combineDocs"), true));
        operation->params()->child(QStringLiteral("Input"))->setValue(paths);
        inst->runOperation(operation.get(), 0);
        const auto document =
            std::dynamic_pointer_cast<CPXVDocument>(operation->params()->child(QStringLiteral("Output"))->object());
        if (!document) {
            m_error = QStringLiteral("the combine gave no document");
            return -1;
        }
        document->model()->save(output);
        return document->pageCount();
    } catch (const PXV_Error& e) {
        m_error = e.message();
    } catch (const pxv::DocumentError& e) {
        m_error = e.message();
    }
    return -1;
}
