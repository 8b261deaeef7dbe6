#include "editorrun.h"

#include "benchwait.h"
#include "memstats.h"
#include "pxveditor.h"
#include "qcontrolhost.h"
#include "core/document.h"
#include "core/pagerenderer.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/outlinepane.h"
#include "ui/pageview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QSet>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>

namespace {

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
    WaitWake* wake() { return &m_wake; }

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
        m_wake.wake();
        return false;
    }

private:
    pxv::PageView* m_view;
    double m_pixelsPerPoint;
    QSet<int> m_pages;
    WaitWake m_wake;
};

// Device pixels per PDF point the view draws at now: it changes when a rotated page changes the
// widest page that fit-to-width follows.
double viewPixelsPerPoint(const pxv::PageView* view)
{
    return view->zoom() * view->logicalDpiX() / 72.0 * view->viewport()->devicePixelRatioF();
}

// Notes the first paint of one page from a full-resolution image at the view's scale of the
// moment that is the image wanted: the page's new image after an edit (turned or upright after a
// rotation, a different image after an annotation), not its old one, the placeholder or a
// stretched image of another scale. The time is taken as that paint event begins; drawing one
// image already at hand is far below a millisecond.
class RepaintWatch : public QObject
{
public:
    RepaintWatch(pxv::PageView* view, int page, std::function<bool(const QImage&)> wanted, const QElapsedTimer& clock)
        : m_view(view), m_page(page), m_wanted(std::move(wanted)), m_clock(clock)
    {
        view->viewport()->installEventFilter(this);
    }

    bool painted() const { return m_paintedNs >= 0; }
    double paintedMs() const { return m_paintedNs / 1e6; }
    double pixelsPerPoint() const { return m_pixelsPerPoint; }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || painted())
            return false;
        if (!m_view->pageRect(m_page).intersects(static_cast<QPaintEvent*>(event)->rect()))
            return false;
        const double scale = viewPixelsPerPoint(m_view);
        const QImage image = m_view->renderer()->cachedImage(m_page, scale);
        if (!image.isNull() && m_wanted(image)) {
            m_paintedNs = m_clock.nsecsElapsed();
            m_pixelsPerPoint = scale;
        }
        return false;
    }

private:
    pxv::PageView* m_view;
    int m_page;
    std::function<bool(const QImage&)> m_wanted;
    const QElapsedTimer& m_clock;
    qint64 m_paintedNs = -1;
    double m_pixelsPerPoint = 0;
};

std::function<bool(const QImage&)> inOrientation(bool landscape)
{
    return [landscape](const QImage& image) { return (image.width() > image.height()) == landscape; };
}

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
    // Timed in the paint itself: the waiting loop below looks only every millisecond, and work
    // the view starts once its first page is on screen (reading the other pages' sizes) would
    // otherwise count too.
    qint64 paintedNs = -1;
    QObject::connect(m_view, &pxv::PageView::firstPagePainted, [&] { paintedNs = opening.nsecsElapsed(); });
    // The scale the view asks for is the one its first image comes at.
    QObject::connect(m_view->renderer(), &pxv::PageRenderer::pageReady, m_view,
                     [this](int, double pixelsPerPoint, const QImage&) { m_pixelsPerPoint = pixelsPerPoint; });
    if (!waitFor([&] { return paintedNs >= 0; }, 60000)) {
        m_error = QStringLiteral("the first page was not painted within 60 s");
        return -1;
    }
    return paintedNs / 1e6;
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
        // Ended by the paint that shows the page: a look every millisecond would add up to one
        // to every step.
        if (!waitFor([&] { return painted.contains(page); }, 30000, painted.wake())) {
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
        const std::shared_ptr<IPXV_Operation> operation = inst->createOperation(
            inst->nameToId(QStringLiteral("op.combineDocs"), true));
        operation->params()->child(QStringLiteral("Input"))->setValue(paths);
        inst->runOperation(operation.get(), 0);
        const auto document = std::dynamic_pointer_cast<CPXVDocument>(
            operation->params()->child(QStringLiteral("Output"))->object());
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

bool EditorRun::runOperation(const QString& name, const QVariantMap& parameters)
{
    try {
        IPXV_Inst* inst = m_host->queryInterface()->inst();
        const std::shared_ptr<IPXV_Operation> operation = inst->createOperation(inst->nameToId(name, true));
        for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
            operation->params()->child(it.key())->setValue(it.value());
        inst->runOperation(operation.get(), 0);
        return true;
    } catch (const PXV_Error& e) {
        m_error = QStringLiteral("%1: %2").arg(name, e.message());
    }
    return false;
}

QVariant EditorRun::addAnnotation(int page, int index)
{
    try {
        IPXV_Inst* inst = m_host->queryInterface()->inst();
        const std::shared_ptr<IPXV_Operation> operation = inst->createOperation(
            inst->nameToId(QStringLiteral("op.document.addAnnot"), true));
        IPXV_ParamNode* params = operation->params();
        // Each rectangle a little lower than the last, so that every one changes the picture.
        params->child(QStringLiteral("Page"))->setValue(page + 1);
        params->child(QStringLiteral("Type"))->setValue(QStringLiteral("Square"));
        params->child(QStringLiteral("Rect"))
            ->setValue(QStringList{QString::number(72 + 8 * index), QString::number(100 + 30 * index),
                                   QStringLiteral("120"), QStringLiteral("40")});
        params->child(QStringLiteral("Contents"))->setValue(QStringLiteral("Checked against the index."));
        inst->runOperation(operation.get(), 0);
        return params->child(QStringLiteral("Output"))->value();
    } catch (const PXV_Error& e) {
        m_error = QStringLiteral("op.document.addAnnot: %1").arg(e.message());
    }
    return {};
}

bool EditorRun::rotate(int page, int degrees)
{
    return runOperation(QStringLiteral("op.document.rotatePages"),
                        {{QStringLiteral("Pages"), QString::number(page + 1)}, {QStringLiteral("Angle"), degrees}});
}

pxv::Document* EditorRun::model() const
{
    const auto* view = m_host->findChild<pxv::DocumentView*>();
    return view ? view->document()->model() : nullptr;
}

bool EditorRun::waitForIdleRenderer()
{
    if (waitFor([this] { return m_view->renderer()->pendingCount() == 0; }, 60000))
        return true;
    m_error = QStringLiteral("the renderer was still busy after 60 s");
    return false;
}

EditorRun::Rotation EditorRun::rotatePage(int page, int times)
{
    Rotation result;
    if (!m_view || !m_error.isEmpty())
        return result;
    QElapsedTimer clock;
    clock.start();
    {
        RepaintWatch shown(m_view, page, inOrientation(false), clock);
        m_view->goToPage(page);
        if (!waitFor([&] { return shown.painted(); }, 30000)) {
            m_error = QStringLiteral("page %1 was not painted within 30 s").arg(page + 1);
            return result;
        }
        result.uprightPixelsPerPoint = shown.pixelsPerPoint();
    }
    for (int i = 0; i < times; ++i) {
        if (!waitForIdleRenderer())
            return result;
        // A quarter turn, then back: the page looks different every time.
        const bool turning = i % 2 == 0;
        RepaintWatch repainted(m_view, page, inOrientation(turning), clock);
        clock.start();
        if (!rotate(page, turning ? 90 : 270))
            return result;
        if (!waitFor([&] { return repainted.painted(); }, 30000)) {
            m_error = QStringLiteral("page %1 was not painted %2 within 30 s of rotation %3")
                          .arg(page + 1)
                          .arg(turning ? QStringLiteral("turned") : QStringLiteral("upright"))
                          .arg(i + 1);
            return result;
        }
        result.ms.push_back(repainted.paintedMs());
        (turning ? result.turnedPixelsPerPoint : result.uprightPixelsPerPoint) = repainted.pixelsPerPoint();
    }
    waitForIdleRenderer();
    return result;
}

EditorRun::Repaints EditorRun::repaintAfterEdits(int page, int times, const std::function<bool(int)>& edit)
{
    Repaints result;
    if (!m_view || !m_error.isEmpty())
        return result;
    QElapsedTimer clock;
    clock.start();
    {
        RepaintWatch shown(
            m_view, page, [](const QImage&) { return true; }, clock);
        m_view->goToPage(page);
        if (!waitFor([&] { return shown.painted(); }, 30000)) {
            m_error = QStringLiteral("page %1 was not painted within 30 s").arg(page + 1);
            return result;
        }
        result.pixelsPerPoint = shown.pixelsPerPoint();
    }
    for (int i = 0; i < times; ++i) {
        if (!waitForIdleRenderer())
            return result;
        // The page's image as it is: the repaint that counts draws another one.
        const qint64 before = m_view->renderer()->cachedImage(page, viewPixelsPerPoint(m_view)).cacheKey();
        RepaintWatch repainted(
            m_view, page, [before](const QImage& image) { return image.cacheKey() != before; }, clock);
        clock.start();
        if (!edit(i))
            return result;
        result.callMs.push_back(clock.nsecsElapsed() / 1e6);
        if (!waitFor([&] { return repainted.painted(); }, 30000)) {
            m_error = QStringLiteral("page %1 was not repainted within 30 s of edit %2").arg(page + 1).arg(i + 1);
            return result;
        }
        result.ms.push_back(repainted.paintedMs());
    }
    waitForIdleRenderer();
    return result;
}

bool EditorRun::fillField(int page, int index)
{
    pxv::Document* document = model();
    if (!document)
        return false;
    try {
        for (const pxv::FormField& field : document->formFields(page)) {
            if (field.type != pxv::FieldType::Text)
                continue;
            pxv::FieldValue value;
            value.text = QStringLiteral("Value %1").arg(index + 1);
            document->setFieldValue(page, field.id, value);
            return true;
        }
        m_error = QStringLiteral("page %1 has no text field").arg(page + 1);
    } catch (const PXV_Error& e) {
        m_error = QStringLiteral("filling a field: %1").arg(e.message());
    }
    return false;
}

EditorRun::History EditorRun::undoRedo(int page, int steps)
{
    History result;
    pxv::Document* document = model();
    if (!document || !m_error.isEmpty())
        return result;
    // The page in view and the ones after it that the view shows or draws ahead: every step
    // changes what the view has to draw.
    constexpr int kPagesInView = 4;
    for (int i = 0; i < steps; ++i) {
        if (!rotate(std::min(page + i % kPagesInView, pageCount() - 1), 90))
            return result;
        QCoreApplication::processEvents();
    }
    if (!waitForIdleRenderer())
        return result;
    IPXV_Inst* inst = m_host->queryInterface()->inst();
    const int position = document->historyPosition();
    auto timeSteps = [&](const QString& command, int expected) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < steps; ++i) {
            inst->runCommand(command, 0);
            QCoreApplication::processEvents();
        }
        const double ms = clock.nsecsElapsed() / 1e6 / steps;
        if (document->historyPosition() != expected)
            m_error = QStringLiteral("after %1 \"%2\" the history is at step %3, not %4")
                          .arg(steps)
                          .arg(command)
                          .arg(document->historyPosition())
                          .arg(expected);
        else
            waitForIdleRenderer();
        return ms;
    };
    result.undoMs = timeSteps(QStringLiteral("cmd.undo"), position - steps);
    if (m_error.isEmpty())
        result.redoMs = timeSteps(QStringLiteral("cmd.redo"), position);
    return result;
}

bool EditorRun::waitUntilSettled()
{
    // Opening is over once the work that follows the first paint is done too: every page size
    // read and the outline, read on a thread of its own, in its pane.
    const pxv::Document* document = model();
    const auto* view = m_host->findChild<pxv::DocumentView*>();
    auto settled = [&] {
        return document->areAllPageSizesKnown() && (!view->hasOutline() || !view->outlinePane()->isEmpty());
    };
    if (!waitFor(settled, 60000)) {
        m_error = QStringLiteral("the page sizes and the outline were not all read within 60 s");
        return false;
    }
    return waitForIdleRenderer();
}

EditorRun::Memory EditorRun::editAcross(int steps)
{
    Memory result;
    pxv::Document* document = model();
    if (!document || !m_error.isEmpty())
        return result;
    if (!waitUntilSettled())
        return result;
    const pxv::PageRenderer* renderer = m_view->renderer();
    auto imagesKib = [renderer] { return (renderer->cacheCost() + renderer->wantedCost()) / 1024; };
    result.openedKib = procStatusKib("VmRSS");
    result.openedImagesKib = imagesKib();
    const int count = pageCount();
    const int before = document->historyPosition();
    for (int i = 0; i < steps; ++i) {
        // Every seventh page, wrapping round: edits all over the file, most pages rotated more than once.
        if (!rotate(int(qint64(i) * 7 % count), 90))
            return result;
        QCoreApplication::processEvents();
    }
    if (document->historyPosition() != before + steps) {
        m_error = QStringLiteral("%1 rotations made %2 steps").arg(steps).arg(document->historyPosition() - before);
        return result;
    }
    if (waitForIdleRenderer()) {
        result.editedKib = procStatusKib("VmRSS");
        result.editedImagesKib = imagesKib();
    }
    return result;
}
