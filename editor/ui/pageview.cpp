#include "pageview.h"

#include "formfiller.h"

#include "core/document.h"
#include "core/pagerenderer.h"
#include "inlinetextedit.h"
#include "qtcompat.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QTransform>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace pxv {

namespace {

constexpr std::array<double, 18> kZoomSteps = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0,  1.25, 1.5,  2.0,
                                               3.0,  4.0,  5.0, 6.0,  8.0,  12.0, 16.0, 24.0, 32.0};
const QColor kBackground(0x5f, 0x63, 0x68);
const QColor kPlaceholderText(0xa0, 0xa4, 0xa8);
const QColor kHitFill(255, 214, 0, 90);
const QColor kCurrentHitFill(255, 128, 0, 120);
const QColor kCurrentHitEdge(214, 92, 0);
const QColor kSelectionFill(51, 136, 255, 90);
// Room left around a search hit scrolled into view, in logical pixels.
constexpr double kHitMargin = 48.0;
constexpr int kScrollStep = 40;
// A pen stroke begun this soon (ms) after the last one on the same page belongs to its drawing.
constexpr qint64 kInkJoinMs = 1500;
// Room around an annotation's area that still counts as on it, in points.
constexpr double kAnnotationSlop = 2.0;
const QColor kFrameColor(0, 120, 215);
constexpr double kMinResize = 4.0; // points
constexpr double kHandleSize = 7.0;

QRectF handleRect(const QPointF& corner)
{
    return QRectF(corner - QPointF(kHandleSize / 2, kHandleSize / 2), QSizeF(kHandleSize, kHandleSize));
}

// Shapes, drawings and text boxes stretch with their frame; a note's icon and marked text
// keep the size they have.
bool isResizable(const Annotation& annotation)
{
    switch (annotation.type) {
    case AnnotationType::FreeText:
    case AnnotationType::Line:
    case AnnotationType::Square:
    case AnnotationType::Circle:
    case AnnotationType::Polygon:
    case AnnotationType::PolyLine:
    case AnnotationType::Stamp:
    case AnnotationType::Ink:
        return true;
    default:
        return false;
    }
}

// A note's text is typed in a box of this size (points) below its icon.
constexpr double kNoteTextWidth = 200.0;
constexpr double kNoteTextHeight = 80.0;
// A background tab keeps only a little of its rendered pages, so that many open documents do not
// add up to many full caches.
constexpr qint64 kBackgroundCacheBytes = 8ll * 1024 * 1024;
// Page sizes are read a slice per turn of the event loop, a few pages at a time, until the slice
// has its pages or its time: a page of an index, its links parsed with it, can take most of a
// millisecond.
constexpr int kSizeSlice = 64;
constexpr int kSizeChunk = 8;
constexpr qint64 kSizeSliceNs = 8'000'000;

// Scroll bars count in int, and a huge page far zoomed in is taller than that. Positions beyond
// half the range are clamped (sums of two stay in range): the view cannot scroll further, but
// nothing overflows.
int scrollPixels(double pixels)
{
    constexpr double kLimit = std::numeric_limits<int>::max() / 2;
    if (std::isnan(pixels))
        return 0;
    return int(std::lround(std::clamp(pixels, -kLimit, kLimit)));
}

// Only schemes that open a browser or a mail program; a document must not be able to launch
// local files or programs through a click.
bool isSafeExternalLink(const QUrl& url)
{
    static const QStringList schemes = {"http", "https", "mailto", "ftp"};
    return url.isValid() && schemes.contains(url.scheme().toLower());
}

} // namespace

PageView::PageView(Document* document, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document), m_renderer(new PageRenderer(document, this)),
      m_selector(document)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(kScrollStep);
    horizontalScrollBar()->setSingleStep(kScrollStep);

    m_forms = new FormFiller(
        document, viewport(), [this](int page, const QRectF& area) { return areaRect(page, area); },
        [this] { return m_layout.scale(); });
    connect(m_forms, &FormFiller::showRequested, this, &PageView::showArea);
    connect(m_forms, &FormFiller::editFailed, this, &PageView::editFailed);
    connect(m_forms, &FormFiller::closed, this, [this] { setFocus(Qt::OtherFocusReason); });
    connect(m_renderer, &PageRenderer::pageReady, this, &PageView::onPageReady);
    connect(m_renderer, &PageRenderer::pageFailed, this, &PageView::onPageFailed);
    connect(m_renderer, &PageRenderer::tileReady, this, [this](int page, double, const QPoint& cell) {
        if (m_requested.contains(page))
            viewport()->update(tileArea(imageArea(pageRect(page)), cell).toAlignedRect());
    });
    connect(document, &Document::sourceChanged, this, &PageView::onSourceChanged);
    connect(document, &Document::pagesChanged, this, &PageView::onPagesChanged);
    // The renderer, connected first, has dropped every image by then.
    connect(document, &Document::shownGroupsChanged, this, [this] {
        viewport()->update();
        updateRequests();
    });
    connect(this, &PageView::layoutChanged, this, &PageView::placeTextEdit);
    m_sizeReader.setInterval(0);
    connect(&m_sizeReader, &QTimer::timeout, this, &PageView::onReadSomePageSizes);
    m_renderer->warmUp(0);
    readPageSizes();
    m_currentId = document->pageId(0);
    m_layout.setScale(baseScale());
}

PageView::~PageView()
{
    m_renderer->cancelAll();
}

double PageView::baseScale() const
{
    return logicalDpiX() / 72.0;
}

double PageView::devicePixelsPerPoint() const
{
    return m_layout.scale() * viewport()->devicePixelRatioF();
}

double PageView::zoom() const
{
    return m_layout.scale() / baseScale();
}

QVector<QSizeF> PageView::layoutSizes() const
{
    QVector<QSizeF> sizes;
    if (m_document && !m_document->needsPassword()) {
        const int count = m_document->pageCount();
        sizes.reserve(count);
        const QSizeF provisional = m_document->pageSize(0);
        for (int i = 0; i < count; ++i)
            sizes.append(m_document->isPageSizeKnown(i) ? m_document->pageSize(i) : provisional);
    }
    return sizes;
}

bool PageView::readPageSizes()
{
    const QVector<QSizeF> sizes = layoutSizes();
    m_sizesComplete = !m_document || m_document->areAllPageSizesKnown();
    if (m_sizesComplete)
        m_sizeReader.stop();
    else if (m_firstPainted || !m_errors.isEmpty())
        startReadingPageSizes();
    m_currentPage = std::clamp(m_currentPage, 0, std::max(0, int(sizes.size()) - 1));
    if (m_layout.hasPageSizes(sizes))
        return false;
    m_layout.setPageSizes(sizes);
    return true;
}

void PageView::startReadingPageSizes()
{
    // Not before the first page is on screen: until then reading would only compete with
    // drawing it.
    if (!m_sizesComplete && isVisible())
        m_sizeReader.start();
}

void PageView::readPageSizesThrough(int page)
{
    if (!m_document || m_document->isPageSizeKnown(page))
        return;
    m_document->readPageSizesThrough(page);
    if (readPageSizes()) {
        // The widest page may have been among them.
        if (m_zoomMode == ZoomMode::FitWidth)
            m_layout.setScale(fitScale());
        updateScrollBars();
        viewport()->update();
        emit layoutChanged();
    }
}

void PageView::onReadSomePageSizes()
{
    QElapsedTimer clock;
    clock.start();
    bool over = !m_document;
    for (int read = 0; !over && read < kSizeSlice && clock.nsecsElapsed() < kSizeSliceNs; read += kSizeChunk)
        over = m_document->readPageSizes(kSizeChunk);
    if (over)
        m_sizeReader.stop();
    const QVector<QSizeF> sizes = layoutSizes();
    if (m_layout.hasPageSizes(sizes))
        return;
    // The page in the middle of the view, the current one, stays where it is.
    keepAnchored(QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0), [this, &sizes] {
        m_layout.setPageSizes(sizes);
        if (m_zoomMode != ZoomMode::Custom)
            m_layout.setScale(fitScale());
    });
}

void PageView::setZoomMode(ZoomMode mode)
{
    m_zoomMode = mode;
    if (mode != ZoomMode::Custom)
        fitToViewport();
    emit zoomChanged();
}

void PageView::setZoom(double zoom)
{
    m_zoomMode = ZoomMode::Custom;
    const double clamped = std::clamp(zoom, kMinZoom, kMaxZoom);
    applyScale(clamped * baseScale(), QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0));
    emit zoomChanged();
}

void PageView::zoomIn()
{
    const double current = zoom();
    const auto next = std::find_if(kZoomSteps.cbegin(), kZoomSteps.cend(),
                                   [current](double step) { return step > current * 1.01; });
    setZoom(next == kZoomSteps.cend() ? kMaxZoom : *next);
}

void PageView::zoomOut()
{
    const double current = zoom();
    const auto previous = std::find_if(kZoomSteps.crbegin(), kZoomSteps.crend(),
                                       [current](double step) { return step < current * 0.99; });
    setZoom(previous == kZoomSteps.crend() ? kMinZoom : *previous);
}

double PageView::fitScale() const
{
    const double scale = m_zoomMode == ZoomMode::FitPage ? m_layout.fitPageScale(m_currentPage, viewport()->size())
                                                         : m_layout.fitWidthScale(viewport()->width());
    // Fitting never goes beyond the zoom limits either.
    const double base = baseScale();
    return std::clamp(scale, kMinZoom * base, kMaxZoom * base);
}

void PageView::fitToViewport()
{
    if (m_zoomMode == ZoomMode::FitPage)
        readPageSizesThrough(m_currentPage);
    applyScale(fitScale(), QPointF(viewport()->width() / 2.0, 0));
}

void PageView::applyScale(double scale, const QPointF& anchor)
{
    keepAnchored(anchor, [this, scale] { m_layout.setScale(scale); });
}

void PageView::keepAnchored(const QPointF& anchor, const std::function<void()>& change)
{
    const double viewportWidth = viewport()->width();
    const QPointF content(anchor.x() + horizontalScrollBar()->value(), anchor.y() + verticalScrollBar()->value());
    const int page = m_layout.pageAt(content.y());
    const QRectF oldRect = m_layout.pageRect(page, viewportWidth);
    const QPointF inPage = page >= 0 ? (content - oldRect.topLeft()) / m_layout.scale() : QPointF();

    change();
    const double scale = m_layout.scale();
    updateScrollBars();
    if (page >= 0 && page < m_layout.pageCount()) {
        const QPointF moved = m_layout.pageRect(page, viewportWidth).topLeft() + inPage * scale;
        horizontalScrollBar()->setValue(scrollPixels(moved.x() - anchor.x()));
        verticalScrollBar()->setValue(scrollPixels(moved.y() - anchor.y()));
    }
    viewport()->update();
    updateRequests();
    emit layoutChanged();
}

void PageView::updateScrollBars()
{
    const QSizeF content = m_layout.contentSize();
    const QSize view = viewport()->size();
    verticalScrollBar()->setRange(0, std::max(0, scrollPixels(std::ceil(content.height())) - view.height()));
    verticalScrollBar()->setPageStep(std::max(kScrollStep, view.height() - kScrollStep));
    horizontalScrollBar()->setRange(0, std::max(0, scrollPixels(std::ceil(content.width())) - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
}

QRectF PageView::pageRect(int page) const
{
    return m_layout.pageRect(page, viewport()->width())
        .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

QList<int> PageView::requestOrder(const QPair<int, int>& visible, int first, int last) const
{
    // The page filling most of the view first, then the rest of the visible ones, then the
    // margin pages. Asked for in this order, not only ranked: a worker that is free takes the
    // first page asked for, and after an edit the edited page, at the top, is the one looked at.
    QList<int> order;
    for (int page = visible.first; page <= visible.second; ++page)
        order.append(page);
    const QRectF view = viewport()->rect();
    auto shown = [&](int page) { return pageRect(page).intersected(view).height(); };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return shown(a) > shown(b); });
    for (int page = first; page <= last; ++page) {
        if (page < visible.first || page > visible.second)
            order.append(page);
    }
    return order;
}

void PageView::updateRequests()
{
    // A view in a background tab renders nothing, nor one being shown: its viewport's first
    // resize comes before the window's layout has given it its real size.
    if (!viewport()->isVisible())
        return;
    const int top = verticalScrollBar()->value();
    if (top != m_lastTop) {
        m_scrollingUp = top < m_lastTop;
        m_scrolled = true;
    }
    m_lastTop = top;
    const QPair<int, int> visible = m_layout.pagesBetween(top, top + viewport()->height());
    QSet<int> wanted;
    QList<int> ahead;
    QList<PageRenderer::Tile> tiles;
    const double pixelsPerPoint = devicePixelsPerPoint();
    if (visible.first >= 0) {
        const int margin = m_scrolled ? 1 : 0;
        const int first = std::max(0, visible.first - margin);
        const int last = std::min(m_layout.pageCount() - 1, visible.second + margin);
        for (int page = first; page <= last; ++page)
            wanted.insert(page);
        int priority = 100;
        for (int page : requestOrder(visible, first, last)) {
            if (m_errors.contains(page))
                continue;
            const bool isVisible = page >= visible.first && page <= visible.second;
            const int rank = isVisible ? priority-- : 0;
            const QSizeF points = m_layout.pageSizePoints(page);
            if (PageRenderer::isTiled(points, pixelsPerPoint)) {
                // The preview first, shown stretched until the tiles over it arrive.
                const double preview = PageRenderer::previewScale(points, pixelsPerPoint);
                if (m_renderer->cachedImage(page, preview).isNull())
                    m_renderer->request(page, preview, rank);
                if (isVisible)
                    tiles += visibleTiles(page);
            } else if (m_renderer->cachedImage(page, pixelsPerPoint).isNull()) {
                m_renderer->request(page, pixelsPerPoint, rank);
            }
        }
        // The pages that scrolling on will show next; the renderer takes what its cache holds.
        for (int i = 1; m_scrolled && i <= PageRenderer::kMaxPrefetch; ++i) {
            const int page = m_scrollingUp ? first - i : last + i;
            if (page < 0 || page >= m_layout.pageCount())
                break;
            if (!m_errors.contains(page))
                ahead.append(page);
        }
    }
    m_renderer->prefetch(ahead, pixelsPerPoint);
    m_renderer->cancelExcept(wanted);
    m_renderer->requestTiles(tiles, pixelsPerPoint);
    m_forms->place();
    m_requested = wanted;
    for (auto it = m_links.begin(); it != m_links.end();) {
        if (wanted.contains(it.key()))
            ++it;
        else
            it = m_links.erase(it);
    }
}

void PageView::updateCurrentPage()
{
    const QScrollBar* bar = verticalScrollBar();
    const double top = bar->value();
    const double height = viewport()->height();
    int page;
    if (bar->value() <= 0)
        page = 0;
    else if (bar->value() >= bar->maximum())
        page = m_layout.pagesBetween(top, top + height).second;
    else
        page = m_layout.pageAt(top + height / 2.0);
    if (page >= 0 && page != m_currentPage) {
        m_currentPage = page;
        m_currentId = m_document ? m_document->pageId(page) : 0;
        emit currentPageChanged(page);
    }
}

void PageView::goToPage(int page, const QPointF& position)
{
    if (m_layout.pageCount() == 0)
        return;
    page = std::clamp(page, 0, m_layout.pageCount() - 1);
    readPageSizesThrough(page);
    const QRectF rect = m_layout.pageRect(page, viewport()->width());
    const double scale = m_layout.scale();
    m_navigating = true;
    verticalScrollBar()->setValue(scrollPixels(rect.top() + position.y() * scale - PageLayout::kGap / 2));
    if (position.x() > 0)
        horizontalScrollBar()->setValue(scrollPixels(rect.left() + position.x() * scale - PageLayout::kGap));
    m_navigating = false;
    m_currentId = m_document ? m_document->pageId(page) : 0;
    if (page != m_currentPage) {
        m_currentPage = page;
        emit currentPageChanged(page);
    }
}

QPointF PageView::viewPosition() const
{
    if (m_layout.pageCount() == 0)
        return {};
    const QRectF rect = pageRect(m_currentPage);
    const double scale = m_layout.scale();
    const auto within = [scale](double offset, double length) {
        return std::clamp(-offset / scale, 0.0, std::max(0.0, length / scale));
    };
    // The inverse of goToPage(), which leaves a little room above and to the left.
    return {within(rect.left() - PageLayout::kGap, rect.width()),
            within(rect.top() - PageLayout::kGap / 2, rect.height())};
}

void PageView::paintEvent(QPaintEvent* event)
{
    m_paintedEdges = edgesInWindow();
    QPainter painter(viewport());
    const double top = verticalScrollBar()->value() + event->rect().top();
    const QPair<int, int> pages = m_layout.pagesBetween(top, top + event->rect().height());
    // Every page covers its area (image, placeholder or error), so the background is filled
    // around the pages only: under them too, every pixel of a scrolling step was written twice.
    QRegion background(event->rect());
    for (int page = pages.first; pages.first >= 0 && page <= pages.second; ++page) {
        const QRectF area = imageArea(pageRect(page));
        background -= QRect(QPoint(int(std::ceil(area.left())), int(std::ceil(area.top()))),
                            QPoint(int(std::floor(area.right())) - 1, int(std::floor(area.bottom())) - 1));
    }
    for (const QRect& rect : background)
        painter.fillRect(rect, kBackground);
    if (pages.first < 0)
        return;
    for (int page = pages.first; page <= pages.second; ++page) {
        const QRectF rect = pageRect(page);
        if (rect.intersects(event->rect())) {
            paintPage(painter, page, rect);
            m_forms->paint(painter, page);
            paintHits(painter, page);
            paintSelection(painter, page);
            paintAnnotationFrame(painter, page);
            if (m_draft && m_draft->page() == page)
                m_draft->paint(painter, pageTransform(page));
        }
    }
}

void PageView::paintHits(QPainter& painter, int page)
{
    // Hits are sorted by page: the page's own are found without walking the others.
    const auto first = std::lower_bound(m_hits.cbegin(), m_hits.cend(), page,
                                        [](const TextHit& hit, int p) { return hit.page < p; });
    if (first == m_hits.cend() || first->page != page)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Multiply keeps the text under the mark as dark as it was.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (auto hit = first; hit != m_hits.cend() && hit->page == page; ++hit) {
        const bool current = hit - m_hits.cbegin() == m_currentHit;
        painter.setPen(current ? QPen(kCurrentHitEdge, 1.5) : QPen(Qt::NoPen));
        painter.setBrush(current ? kCurrentHitFill : kHitFill);
        for (const QRectF& area : hit->areas) {
            const QRectF rect = areaRect(page, area);
            if (current)
                painter.drawRoundedRect(rect.adjusted(-1, -1, 1, 1), 2, 2);
            else
                painter.drawRect(rect);
        }
    }
    painter.restore();
}

void PageView::paintSelection(QPainter& painter, int page)
{
    const QList<TextSelection>& pages = m_selector.pages();
    const auto found = std::find_if(pages.cbegin(), pages.cend(),
                                    [page](const TextSelection& s) { return s.page == page; });
    if (found == pages.cend())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSelectionFill);
    const QTransform toView = pageTransform(page);
    for (const QPolygonF& quad : found->quads)
        painter.drawPolygon(toView.map(quad));
    painter.restore();
}

Qt::CursorShape PageView::toolCursor() const
{
    return m_tool == CommentTool::Select || marksText(m_tool) ? Qt::IBeamCursor : Qt::CrossCursor;
}

QTransform PageView::pageTransform(int page) const
{
    const QRectF rect = pageRect(page);
    QTransform toView;
    toView.translate(rect.left(), rect.top());
    toView.scale(m_layout.scale(), m_layout.scale());
    return toView;
}

QRectF PageView::selectedFrame()
{
    const std::optional<Annotation> selected = selectedAnnotationValue();
    if (!selected)
        return {};
    const QRectF area = m_resizeCorner >= 0 ? m_resizeRect : selected->rect.translated(m_moveOffset);
    return pageTransform(m_selectedAnnot.page).mapRect(area).adjusted(-2, -2, 2, 2);
}

int PageView::handleAt(const QPoint& pos)
{
    const std::optional<Annotation> selected = selectedAnnotationValue();
    if (!selected || !isResizable(*selected))
        return -1;
    const QPolygonF corners(selectedFrame());
    for (int i = 0; i < 4; ++i) {
        if (handleRect(corners[i]).adjusted(-2, -2, 2, 2).contains(pos))
            return i;
    }
    return -1;
}

void PageView::paintAnnotationFrame(QPainter& painter, int page)
{
    if (m_selectedAnnot.page != page)
        return;
    const std::optional<Annotation> selected = selectedAnnotationValue();
    if (!selected)
        return;
    const QRectF frame = selectedFrame();
    painter.save();
    painter.setPen(QPen(kFrameColor, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    if (isResizable(*selected)) {
        painter.setPen(QPen(kFrameColor, 1));
        painter.setBrush(Qt::white);
        const QPolygonF corners(frame);
        for (int i = 0; i < 4; ++i)
            painter.drawRect(handleRect(corners[i]));
    }
    painter.restore();
}

const QList<Annotation>& PageView::annotationsOf(int page)
{
    auto found = m_annots.find(page);
    if (found == m_annots.end())
        found = m_annots.insert(page, m_document ? m_document->annotations(page) : QList<Annotation>());
    return *found;
}

PageView::AnnotationRef PageView::annotationAt(int page, const QPointF& point)
{
    const QList<Annotation>& list = annotationsOf(page);
    // The last listed is drawn on top.
    for (auto it = list.crbegin(); it != list.crend(); ++it) {
        if (it->rect.adjusted(-kAnnotationSlop, -kAnnotationSlop, kAnnotationSlop, kAnnotationSlop).contains(point))
            return {page, it->id};
    }
    return {};
}

std::optional<Annotation> PageView::selectedAnnotationValue()
{
    if (m_selectedAnnot.page < 0)
        return std::nullopt;
    for (const Annotation& annotation : annotationsOf(m_selectedAnnot.page)) {
        if (annotation.id == m_selectedAnnot.id)
            return annotation;
    }
    return std::nullopt;
}

void PageView::selectAnnotation(int page, int id)
{
    const AnnotationRef chosen = page >= 0 ? AnnotationRef{page, id} : AnnotationRef{};
    if (chosen == m_selectedAnnot)
        return;
    m_selectedAnnot = chosen;
    m_moveOffset = QPointF();
    viewport()->update();
    emit annotationSelectionChanged();
}

void PageView::deleteSelectedAnnotation()
{
    const AnnotationRef selected = m_selectedAnnot;
    if (selected.page < 0 || !m_document)
        return;
    selectAnnotation(-1, 0);
    edit([&] { m_document->deleteAnnotation(selected.page, selected.id); });
}

void PageView::nudgeSelectedAnnotation(const QPointF& offset)
{
    const AnnotationRef selected = m_selectedAnnot;
    if (selected.page < 0 || !m_document)
        return;
    // The nudge before, still the last step, is taken back and made again with this one.
    const bool inARow = m_nudged == selected && m_document->historyPosition() == m_nudgeStep;
    if (inARow)
        m_document->undo();
    const QPointF total = inARow ? m_nudgedBy + offset : offset;
    if (edit([&] { m_document->moveAnnotation(selected.page, selected.id, total); })) {
        m_nudged = selected;
        m_nudgedBy = total;
        m_nudgeStep = m_document->historyPosition();
    }
}

bool PageView::edit(const std::function<void()>& change)
{
    try {
        change();
        return true;
    } catch (const DocumentError& error) {
        emit editFailed(error.message());
        return false;
    }
}

void PageView::setTool(CommentTool tool)
{
    if (tool != CommentTool::Select)
        selectAnnotation(-1, 0);
    m_draft.reset();
    if (tool != CommentTool::Stamp)
        m_stampImage.clear();
    const bool changed = tool != m_tool;
    m_tool = tool;
    if (marksText(tool) && !m_selector.isEmpty())
        markSelection(tool);
    viewport()->setCursor(toolCursor());
    if (changed)
        emit toolChanged(tool);
}

void PageView::markSelection(CommentTool tool)
{
    const QList<TextSelection> pages = m_selector.pages();
    m_selector.clear();
    viewport()->update();
    if (!m_document)
        return;
    edit([&] {
        for (const TextSelection& page : pages) {
            Annotation mark;
            mark.type = markupType(tool);
            m_styles.dress(*styleKind(tool), mark);
            mark.quads = page.quads;
            mark.contents = page.text.trimmed();
            m_document->addAnnotation(page.page, mark);
        }
    });
}

void PageView::finishDraft()
{
    std::optional<Annotation> made = m_draft->result();
    if (made && made->type == AnnotationType::Stamp && m_stampImage.isEmpty()) {
        made->icon = m_stampName;
    } else if (made && made->type == AnnotationType::Stamp) {
        made->imageFile = m_stampImage;
        // A square that the picture's proportions shrink.
        const double side = std::max(made->rect.width(), made->rect.height());
        made->rect.setSize(QSizeF(side, side));
    }
    const int page = m_draft->page();
    m_draft.reset();
    viewport()->update();
    if (!made || !m_document)
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (m_tool == CommentTool::Pen && m_lastInk.page == page && now - m_lastInkTime < kInkJoinMs) {
        for (Annotation ink : annotationsOf(page)) {
            if (ink.id != m_lastInk.id)
                continue;
            ink.strokes += made->strokes;
            m_lastInkTime = now;
            edit([&] { m_document->changeAnnotation(page, ink); });
            return;
        }
    }
    if (made->type == AnnotationType::FreeText || made->type == AnnotationType::Text) {
        editText(page, *made);
        return;
    }
    int id = 0;
    if (!edit([&] { id = m_document->addAnnotation(page, *made); }))
        return;
    if (m_tool == CommentTool::Pen) {
        m_lastInk = {page, id};
        m_lastInkTime = now;
    }
}

void PageView::editText(int page, const Annotation& value)
{
    // A text still being typed is committed first, as a click elsewhere would.
    if (m_textEdit)
        setFocus();
    m_textEdit = new InlineTextEdit(page, value, m_layout.scale(), viewport());
    connect(m_textEdit, &InlineTextEdit::committed, this,
            [this, page](const Annotation& typed) { commitText(page, typed); });
    connect(m_textEdit, &InlineTextEdit::cancelled, this, [this] { setFocus(); });
    placeTextEdit();
    m_textEdit->show();
    m_textEdit->setFocus();
}

void PageView::placeTextEdit()
{
    if (!m_textEdit)
        return;
    const Annotation& value = m_textEdit->annotation();
    // A text box is typed in its own box; a note's text below its icon, as its pop-up shows.
    const QRectF area = value.type == AnnotationType::FreeText
                            ? value.rect
                            : QRectF(value.rect.bottomLeft(), QSizeF(kNoteTextWidth, kNoteTextHeight));
    m_textEdit->setScale(m_layout.scale());
    m_textEdit->place(areaRect(m_textEdit->page(), area).toAlignedRect());
}

void PageView::commitText(int page, const Annotation& value)
{
    setFocus();
    if (!m_document || page >= m_layout.pageCount())
        return;
    if (value.id == 0) {
        // An empty text box is no text box; a note may be a mark with nothing written yet.
        if (value.type == AnnotationType::FreeText && value.contents.trimmed().isEmpty())
            return;
        edit([&] { m_document->addAnnotation(page, value); });
        return;
    }
    for (const Annotation& current : annotationsOf(page)) {
        if (current.id == value.id && current.contents != value.contents) {
            Annotation changed = current;
            changed.contents = value.contents;
            changed.rect = value.rect; // grown to the text's lines
            edit([&] { m_document->changeAnnotation(page, changed); });
        }
    }
}

void PageView::selectPageText(int page)
{
    if (page < 0 || page >= m_layout.pageCount())
        return;
    m_selector.selectPage(page);
    viewport()->update();
}

QPair<int, QPointF> PageView::pagePoint(const QPoint& pos) const
{
    const int page = m_layout.pageAt(pos.y() + verticalScrollBar()->value());
    if (page < 0)
        return {-1, QPointF()};
    return {page, (QPointF(pos) - pageRect(page).topLeft()) / m_layout.scale()};
}

void PageView::setTextHits(const QList<TextHit>& hits, int current)
{
    m_hits = hits;
    m_currentHit = current;
    viewport()->update();
}

QRectF PageView::areaRect(int page, const QRectF& area) const
{
    const double scale = m_layout.scale();
    return QRectF(pageRect(page).topLeft() + area.topLeft() * scale, area.size() * scale);
}

void PageView::showArea(int page, const QRectF& area)
{
    if (page < 0 || page >= m_layout.pageCount())
        return;
    readPageSizesThrough(page);
    const QRectF target = areaRect(page, area);
    const QRectF visible(QPointF(0, 0), QSizeF(viewport()->size()));
    const double marginY = std::min(kHitMargin, visible.height() / 4);
    const double marginX = std::min(kHitMargin, visible.width() / 4);
    if (target.top() < visible.top() + marginY || target.bottom() > visible.bottom() - marginY)
        verticalScrollBar()->setValue(verticalScrollBar()->value()
                                      + scrollPixels(target.center().y() - visible.height() / 3));
    if (target.left() < visible.left() + marginX || target.right() > visible.right() - marginX)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value()
                                        + scrollPixels(target.center().x() - visible.width() / 2));
}

QRectF PageView::imageArea(const QRectF& rect) const
{
    // On whole device pixels, the size the renderer gives the image: the image is then a plain
    // copy, where a target a fraction of a pixel off would scale the whole image on every paint.
    const double ratio = viewport()->devicePixelRatioF();
    return QRectF(std::round(rect.left() * ratio) / ratio, std::round(rect.top() * ratio) / ratio,
                  std::ceil(rect.width() * ratio - 0.001) / ratio, std::ceil(rect.height() * ratio - 0.001) / ratio);
}

QRectF PageView::tileArea(const QRectF& imageArea, const QPoint& cell) const
{
    const double side = PageRenderer::kTileSize / viewport()->devicePixelRatioF();
    return QRectF(imageArea.topLeft() + QPointF(cell) * side, QSizeF(side, side)).intersected(imageArea);
}

QList<PageRenderer::Tile> PageView::visibleTiles(int page) const
{
    const QRectF area = imageArea(pageRect(page));
    const QRectF seen = area.intersected(QRectF(viewport()->rect()));
    if (seen.isEmpty())
        return {};
    const double side = PageRenderer::kTileSize / viewport()->devicePixelRatioF();
    const QSize image = PageRenderer::imageSize(m_layout.pageSizePoints(page), devicePixelsPerPoint());
    const int lastColumn = std::max(0, (image.width() - 1) / PageRenderer::kTileSize);
    const int lastRow = std::max(0, (image.height() - 1) / PageRenderer::kTileSize);
    const auto cell = [side](double offset, int last) { return std::clamp(int(std::floor(offset / side)), 0, last); };
    QList<PageRenderer::Tile> tiles;
    for (int row = cell(seen.top() - area.top(), lastRow); row <= cell(seen.bottom() - area.top() - 0.001, lastRow);
         ++row) {
        for (int column = cell(seen.left() - area.left(), lastColumn);
             column <= cell(seen.right() - area.left() - 0.001, lastColumn); ++column)
            tiles.append({page, QPoint(column, row)});
    }
    return tiles;
}

void PageView::paintTiles(QPainter& painter, int page, const QRectF& area)
{
    const double pixelsPerPoint = devicePixelsPerPoint();
    QList<QPair<QPoint, QImage>> ready;
    bool complete = true;
    for (const PageRenderer::Tile& tile : visibleTiles(page)) {
        const QImage image = m_renderer->cachedTile(page, pixelsPerPoint, tile.cell);
        complete = complete && !image.isNull();
        ready.append({tile.cell, image});
    }
    if (!complete) {
        const QImage preview = m_renderer->nearestCachedImage(page, pixelsPerPoint);
        if (preview.isNull()) {
            painter.fillRect(area, Qt::white);
        } else {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(area, preview);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        }
    }
    const double ratio = viewport()->devicePixelRatioF();
    for (const auto& [cell, image] : ready) {
        if (!image.isNull())
            painter.drawImage(QRectF(tileArea(area, cell).topLeft(), QSizeF(image.size()) / ratio), image);
    }
    if (complete)
        notePagePainted();
}

void PageView::notePagePainted()
{
    if (m_firstPainted)
        return;
    m_firstPainted = true;
    startReadingPageSizes();
    emit firstPagePainted();
}

void PageView::paintPage(QPainter& painter, int page, const QRectF& rect)
{
    const QRectF area = imageArea(rect);
    paintShadow(painter, area);

    const auto error = m_errors.constFind(page);
    if (error != m_errors.constEnd()) {
        painter.fillRect(area, QColor(0xfb, 0xee, 0xee));
        const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
        const QRect iconRect(int(area.center().x()) - 16, int(area.top() + area.height() / 3) - 16, 32, 32);
        icon.paint(&painter, iconRect);
        painter.setPen(QColor(0x80, 0x20, 0x20));
        const QRectF textRect(area.left() + 16, iconRect.bottom() + 12, area.width() - 32, area.height() / 2);
        painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         tr("Page %1 could not be shown.\n%2").arg(page + 1).arg(*error));
        return;
    }

    const double pixelsPerPoint = devicePixelsPerPoint();
    if (PageRenderer::isTiled(m_layout.pageSizePoints(page), pixelsPerPoint)) {
        paintTiles(painter, page, area);
        return;
    }
    QImage image = m_renderer->cachedImage(page, pixelsPerPoint);
    if (!image.isNull()) {
        painter.drawImage(area, image);
        notePagePainted();
        return;
    }
    image = m_renderer->nearestCachedImage(page, pixelsPerPoint);
    if (!image.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(area, image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        return;
    }
    painter.fillRect(area, Qt::white);
    painter.setPen(kPlaceholderText);
    painter.drawText(area, Qt::AlignCenter, tr("Page %1").arg(page + 1));
}

void PageView::paintShadow(QPainter& painter, const QRectF& page)
{
    // A soft shadow: a few widening, fading outlines below and right of the page. Only their
    // parts outside the page are filled; blending them under the whole page, which covers them,
    // cost more than drawing the page itself.
    for (int i = 1; i <= 4; ++i) {
        const QColor color(0, 0, 0, 36 - i * 7);
        const QRectF outline = page.adjusted(-i + 1, -i + 2, i, i + 1);
        const double top = std::max(outline.top(), page.top());
        const double bottom = std::min(outline.bottom(), page.bottom());
        const QRectF strips[] = {
            QRectF(outline.left(), outline.top(), outline.width(), top - outline.top()),
            QRectF(outline.left(), bottom, outline.width(), outline.bottom() - bottom),
            QRectF(outline.left(), top, page.left() - outline.left(), bottom - top),
            QRectF(page.right(), top, outline.right() - page.right(), bottom - top),
        };
        for (const QRectF& strip : strips) {
            if (strip.width() > 0 && strip.height() > 0)
                painter.fillRect(strip, color);
        }
    }
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // A bar shown or hidden above the view moves its top edge alone: the pages stay where they
    // were last seen on the screen, rather than jump by the bar's height under the reader's eyes
    // and pointer.
    if (const int shift = topEdgeShift()) {
        updateScrollBars();
        verticalScrollBar()->setValue(verticalScrollBar()->value() + shift);
    }
    if (m_zoomMode == ZoomMode::Custom) {
        updateScrollBars();
        updateRequests();
        emit layoutChanged();
    } else {
        fitToViewport();
    }
}

std::pair<int, int> PageView::edgesInWindow() const
{
    const int top = viewport()->mapTo(window(), QPoint()).y();
    return {top, top + viewport()->height()};
}

int PageView::topEdgeShift()
{
    if (!m_paintedEdges)
        return 0;
    const std::pair<int, int> edges = edgesInWindow();
    const std::pair<int, int> last = *std::exchange(m_paintedEdges, edges);
    return last.second == edges.second ? edges.first - last.first : 0;
}

void PageView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    m_renderer->setCacheLimit(PageRenderer::kDefaultCacheBytes);
    // A new tab is shown before its window's layout gives it its size: settled first, the
    // pages are asked for once at their real scale, rather than at a provisional one that a
    // worker would start drawing (opening its own copy of the file) and another replace.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    updateRequests();
    if (m_firstPainted)
        startReadingPageSizes();
}

void PageView::hideEvent(QHideEvent* event)
{
    // A view in a background tab renders nothing.
    QAbstractScrollArea::hideEvent(event);
    m_renderer->cancelAll();
    m_renderer->setCacheLimit(kBackgroundCacheBytes);
    m_paintedEdges.reset();
    m_sizeReader.stop();
    m_requested.clear();
    m_links.clear();
}

void PageView::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy);
    placeTextEdit();
    updateRequests();
    if (!m_navigating)
        updateCurrentPage();
}

void PageView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0.0)
        return;
    const double target = std::clamp(zoom() * std::pow(1.2, steps), kMinZoom, kMaxZoom);
    m_zoomMode = ZoomMode::Custom;
    applyScale(target * baseScale(), event->position());
    emit zoomChanged();
    event->accept();
}

void PageView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy || event == QKeySequence::Cut || event == QKeySequence::Paste) {
        if (event == QKeySequence::Copy)
            copy();
        else if (event == QKeySequence::Cut)
            cut();
        else
            pasteAtPointer();
        event->accept();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectPageText(m_currentPage);
        event->accept();
        return;
    }
    if (m_draft && placesVertices(m_tool)) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            finishDraft();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            m_draft.reset();
            viewport()->update();
            event->accept();
            return;
        }
    }
    static const QHash<int, CommentTool> toolKeys = {
        {Qt::Key_V, CommentTool::Select},    {Qt::Key_H, CommentTool::Highlight}, {Qt::Key_U, CommentTool::Underline},
        {Qt::Key_K, CommentTool::StrikeOut}, {Qt::Key_N, CommentTool::Note},      {Qt::Key_T, CommentTool::FreeText},
        {Qt::Key_P, CommentTool::Pen},       {Qt::Key_L, CommentTool::Line},      {Qt::Key_A, CommentTool::Arrow},
        {Qt::Key_R, CommentTool::Rectangle}, {Qt::Key_E, CommentTool::Ellipse},   {Qt::Key_S, CommentTool::Stamp}};
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (event->key() == Qt::Key_Escape && plain) {
        // Backs out of everything at hand: the tool, a picked comment, selected text.
        setTool(CommentTool::Select);
        selectAnnotation(-1, 0);
        m_selector.clear();
        viewport()->update();
        event->accept();
        return;
    }
    const auto key = toolKeys.constFind(event->key());
    if (key != toolKeys.constEnd() && plain) {
        setTool(*key);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && m_selectedAnnot.page >= 0) {
        deleteSelectedAnnotation();
        event->accept();
        return;
    }
    // Arrows nudge a selected comment a point, ten with Shift.
    static const QHash<int, QPointF> arrows = {
        {Qt::Key_Left, {-1, 0}}, {Qt::Key_Right, {1, 0}}, {Qt::Key_Up, {0, -1}}, {Qt::Key_Down, {0, 1}}};
    const auto arrow = arrows.constFind(event->key());
    if (arrow != arrows.constEnd() && m_selectedAnnot.page >= 0
        && (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier) {
        nudgeSelectedAnnotation(*arrow * (event->modifiers() & Qt::ShiftModifier ? 10 : 1));
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Home:
        jumpTo(0);
        break;
    case Qt::Key_End:
        jumpTo(m_layout.pageCount() - 1);
        break;
    case Qt::Key_PageUp:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Space: // Shift+Space reads back up, as in a browser
        verticalScrollBar()->triggerAction(event->modifiers() & Qt::ShiftModifier ? QAbstractSlider::SliderPageStepSub
                                                                                  : QAbstractSlider::SliderPageStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

PageView::LinkHit PageView::linkAt(const QPoint& pos)
{
    const int page = m_layout.pageAt(pos.y() + verticalScrollBar()->value());
    const QRectF rect = pageRect(page);
    if (page < 0 || !m_document || !rect.contains(pos))
        return {};
    auto links = m_links.find(page);
    if (links == m_links.end())
        links = m_links.insert(page, m_document->links(page));
    const QPointF point = (QPointF(pos) - rect.topLeft()) / m_layout.scale();
    for (const PageLink& link : *links) {
        if (link.area.contains(point))
            return {page, link};
    }
    return {};
}

void PageView::activateLink(const LinkHit& hit)
{
    if (!hit.link.isExternal()) {
        jumpTo(hit.link.targetPage, hit.link.targetPosition);
        return;
    }
    const QUrl url(hit.link.uri);
    if (isSafeExternalLink(url))
        QDesktopServices::openUrl(url);
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_panFrom) {
        const QPoint moved = event->pos() - *m_panFrom;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
        m_panFrom = event->pos();
        return;
    }
    if (m_resizeCorner >= 0) {
        // The dragged corner follows the pointer; the opposite one stays.
        const QPointF point = (QPointF(event->pos()) - pageRect(m_selectedAnnot.page).topLeft()) / m_layout.scale();
        QRectF area = m_resizeRect;
        switch (m_resizeCorner) {
        case 0:
            area.setTopLeft(point);
            break;
        case 1:
            area.setTopRight(point);
            break;
        case 2:
            area.setBottomRight(point);
            break;
        default:
            area.setBottomLeft(point);
            break;
        }
        m_resizeRect = area;
        viewport()->update();
        return;
    }
    if (m_tool == CommentTool::Select && !(event->buttons() & Qt::LeftButton)) {
        const int corner = handleAt(event->pos());
        if (corner >= 0) {
            viewport()->setCursor(corner % 2 == 0 ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
            return;
        }
    }
    if (m_moving || m_draft) {
        // Kept to the page it began on, wherever the pointer goes.
        const int page = m_moving ? m_selectedAnnot.page : m_draft->page();
        const QPointF point = (QPointF(event->pos()) - pageRect(page).topLeft()) / m_layout.scale();
        if (m_moving)
            m_moveOffset = point - m_moveStart;
        else
            m_draft->moveTo(point);
        viewport()->update();
        return;
    }
    if (m_selecting) {
        const QPair<int, QPointF> at = pagePoint(event->pos());
        if (at.first >= 0 && (event->pos() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            m_selector.extend(at.first, at.second);
            viewport()->update();
        }
        return;
    }
    const QPair<int, QPointF> at = pagePoint(event->pos());
    const FormField* field = m_tool == CommentTool::Select && at.first >= 0 ? m_forms->fieldAt(at.first, at.second)
                                                                            : nullptr;
    if (field) {
        viewport()->setCursor(field->type == FieldType::Text ? Qt::IBeamCursor : Qt::PointingHandCursor);
        QToolTip::showText(qtcompat::globalPos(event), FormFiller::tooltip(*field), viewport());
        return;
    }
    const LinkHit hit = linkAt(event->pos());
    if (hit.page < 0) {
        viewport()->setCursor(toolCursor());
        QToolTip::hideText();
        return;
    }
    viewport()->setCursor(Qt::PointingHandCursor);
    if (hit.link.isExternal()) {
        const QString tip = isSafeExternalLink(QUrl(hit.link.uri))
                                ? hit.link.uri
                                : tr("%1 (not opened from documents)").arg(hit.link.uri);
        QToolTip::showText(qtcompat::globalPos(event), tip, viewport());
    } else {
        QToolTip::showText(qtcompat::globalPos(event), tr("Go to page %1").arg(hit.link.targetPage + 1), viewport());
    }
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    // The mouse's side buttons, as in a browser.
    if (event->button() == Qt::BackButton || event->button() == Qt::ForwardButton) {
        event->button() == Qt::BackButton ? goBack() : goForward();
        event->accept();
        return;
    }
    // The middle button drags the pages along, whatever the tool.
    if (event->button() == Qt::MiddleButton) {
        m_panFrom = event->pos();
        viewport()->setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    m_pressedLink = event->button() == Qt::LeftButton ? linkAt(event->pos()) : LinkHit();
    if (event->button() == Qt::LeftButton) {
        const QPair<int, QPointF> at = pagePoint(event->pos());
        if (m_draft && placesVertices(m_tool)) {
            m_draft->addVertex((QPointF(event->pos()) - pageRect(m_draft->page()).topLeft()) / m_layout.scale());
            viewport()->update();
            return;
        }
        const bool thirdClick = QDateTime::currentMSecsSinceEpoch() - m_doubleClickTime
                                    < QApplication::doubleClickInterval()
                                && (event->pos() - m_doubleClickPos).manhattanLength()
                                       < QApplication::startDragDistance();
        m_pressPos = event->pos();
        const int corner = m_tool == CommentTool::Select ? handleAt(event->pos()) : -1;
        if (corner >= 0) {
            m_resizeCorner = corner;
            m_resizeRect = selectedAnnotationValue()->rect;
            m_pressedLink = {};
            return;
        }
        const FormField* field = m_tool == CommentTool::Select && at.first >= 0 ? m_forms->fieldAt(at.first, at.second)
                                                                                : nullptr;
        if (field && FormFiller::isFillable(*field)) {
            selectAnnotation(-1, 0);
            m_pressedLink = {};
            m_forms->activate(*field, true);
            m_forms->pressEditor(*event);
            return;
        }
        const AnnotationRef hit = m_tool == CommentTool::Select && at.first >= 0 ? annotationAt(at.first, at.second)
                                                                                 : AnnotationRef();
        selectAnnotation(hit.page, hit.id);
        if (hit.page >= 0) {
            m_moving = true;
            m_moveStart = at.second;
            m_pressedLink = {};
            return;
        }
        if (at.first >= 0 && m_tool != CommentTool::Select && !marksText(m_tool)) {
            m_draft.emplace(m_tool, at.first, at.second, m_styles.style(*styleKind(m_tool)));
            return;
        }
        m_selecting = at.first >= 0;
        if (m_selecting)
            m_selector.start(at.first, at.second, thirdClick ? TextUnit::Lines : TextUnit::Characters);
        else
            m_selector.clear();
        viewport()->update();
    }
    QAbstractScrollArea::mousePressEvent(event);
}

bool PageView::focusNextPrevChild(bool next)
{
    return m_forms->step(next) || QAbstractScrollArea::focusNextPrevChild(next);
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_tool == CommentTool::Select && m_selectedAnnot.page >= 0) {
        const std::optional<Annotation> selected = selectedAnnotationValue();
        if (selected && (selected->type == AnnotationType::FreeText || selected->type == AnnotationType::Text)) {
            m_moving = false;
            m_moveOffset = QPointF();
            editText(m_selectedAnnot.page, *selected);
            return;
        }
    }
    if (event->button() == Qt::LeftButton && m_draft && placesVertices(m_tool)) {
        // The first click of the two placed the last vertex.
        finishDraft();
        return;
    }
    const QPair<int, QPointF> at = pagePoint(event->pos());
    if (event->button() != Qt::LeftButton || at.first < 0) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    m_doubleClickTime = QDateTime::currentMSecsSinceEpoch();
    m_doubleClickPos = event->pos();
    m_pressPos = event->pos();
    m_selecting = true;
    m_selector.start(at.first, at.second, TextUnit::Words);
    viewport()->update();
}

void PageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && m_panFrom) {
        m_panFrom.reset();
        viewport()->setCursor(toolCursor());
        return;
    }
    if (event->button() == Qt::LeftButton && m_resizeCorner >= 0) {
        m_resizeCorner = -1;
        const QRectF area = m_resizeRect.normalized();
        const std::optional<Annotation> selected = selectedAnnotationValue();
        // A frame pulled down to nothing is taken for a slip of the hand.
        if (selected && area != selected->rect && area.width() >= kMinResize && area.height() >= kMinResize)
            edit([&] { m_document->changeAnnotation(m_selectedAnnot.page, selected->mapped(area)); });
        viewport()->update();
        return;
    }
    if (event->button() == Qt::LeftButton && m_moving) {
        m_moving = false;
        const QPointF offset = std::exchange(m_moveOffset, QPointF());
        const AnnotationRef moved = m_selectedAnnot;
        if (QLineF(QPointF(), offset).length() * m_layout.scale() >= QApplication::startDragDistance())
            edit([&] { m_document->moveAnnotation(moved.page, moved.id, offset); });
        viewport()->update();
        return;
    }
    if (event->button() == Qt::LeftButton && m_draft) {
        if (!placesVertices(m_tool))
            finishDraft();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_selecting = false;
        if (marksText(m_tool) && !m_selector.isEmpty())
            markSelection(m_tool);
    }
    if (event->button() == Qt::LeftButton && m_pressedLink.page >= 0 && m_selector.isEmpty()) {
        const LinkHit hit = linkAt(event->pos());
        if (hit.page == m_pressedLink.page && hit.link.area == m_pressedLink.link.area)
            activateLink(hit);
    }
    m_pressedLink = {};
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void PageView::onPageReady(int page, double, const QImage&)
{
    if (m_requested.contains(page))
        viewport()->update(pageRect(page).toAlignedRect());
}

void PageView::onPageFailed(int page, const QString& message)
{
    m_errors.insert(page, message);
    startReadingPageSizes();
    if (m_requested.contains(page))
        viewport()->update(pageRect(page).toAlignedRect());
}

void PageView::onSourceChanged()
{
    // The selection's places may belong to other text now.
    m_selector.clear();
    m_annots.clear();
    m_forms->forgetAll();
    selectAnnotation(-1, 0);
    m_errors.clear();
    m_links.clear();
    readPageSizes();
    if (m_zoomMode == ZoomMode::Custom)
        applyScale(m_layout.scale(), QPointF(viewport()->width() / 2.0, 0));
    else
        fitToViewport();
}

void PageView::onPagesChanged(const PageChanges& changes)
{
    if (changes.structure || changes.everything) {
        if (changes.structure)
            m_forms->revert(); // its field may stand elsewhere now
        // The page being read stays current, wherever it went; when it went away, the one that
        // took its place.
        const int current = m_document->pageIndex(m_currentId);
        onSourceChanged();
        goToPage(current >= 0 ? current : m_currentPage);
        updateRequests();
        return;
    }
    if (!changes.changed.isEmpty())
        m_selector.clear();
    for (PageId id : changes.changed) {
        const int page = m_document->pageIndex(id);
        m_annots.remove(page);
        m_forms->forget(page);
        // An undo can take the selected annotation away.
        if (page == m_selectedAnnot.page && !selectedAnnotationValue())
            selectAnnotation(-1, 0);
        m_errors.remove(page);
        m_links.remove(page);
    }
    if (readPageSizes()) {
        // A rotated page changed its size: the pages after it move, the one being read stays.
        const int current = m_currentPage;
        if (m_zoomMode == ZoomMode::Custom)
            applyScale(m_layout.scale(), QPointF(viewport()->width() / 2.0, 0));
        else
            fitToViewport();
        goToPage(current);
    }
    viewport()->update();
    updateRequests();
}

} // namespace pxv
