#include "thumbnailpane.h"

#include "pagedrag.h"
#include "thumbnailmodel.h"
#include "qtcompat.h"

#include "core/pagerenderer.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>

namespace pxv {

ThumbnailPane::ThumbnailPane(Document* document, QWidget* parent)
    : QListView(parent), m_document(document), m_model(new ThumbnailModel(document, this))
{
    setObjectName(QStringLiteral("thumbnailPane"));
    setAccessibleName(tr("Page thumbnails"));
    setModel(m_model);
    setViewMode(QListView::IconMode);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setResizeMode(QListView::Adjust);
    // The icons stay where the layout puts them: a move is a step of the document, made by the
    // pane's own drag below rather than by Qt's drag and drop, which would only place icons.
    setMovement(QListView::Static);
    setUniformItemSizes(true); // a long document lays out without asking every row its size
    setIconSize(QSize(ThumbnailModel::kThumbnailWidth, ThumbnailModel::kThumbnailHeight));
    setSpacing(6);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The pages' own white must stand out, as in the page view beside it.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(0x5f, 0x63, 0x68));
    colours.setColor(QPalette::Text, Qt::white);
    setPalette(colours);

    m_requestTimer.setSingleShot(true);
    m_requestTimer.setInterval(0);
    connect(&m_requestTimer, &QTimer::timeout, this, &ThumbnailPane::requestVisible);
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) { emit signal_goTo(index.row()); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        setCurrentPage(m_currentPage);
        scheduleRequests();
    });
}

QVector<int> ThumbnailPane::selectedPages() const
{
    QVector<int> pages;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        pages.append(index.row());
    std::sort(pages.begin(), pages.end());
    return pages;
}

void ThumbnailPane::setCurrentPage(int page)
{
    m_currentPage = page;
    const QModelIndex index = m_model->index(page);
    if (!index.isValid())
        return;
    // Marks the page without touching a selection the user is making.
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (selectedPages().size() <= 1)
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ThumbnailPane::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && !selectedPages().isEmpty()) {
        emit signal_deletePages(selectedPages());
        return;
    }
    QListView::keyPressEvent(event);
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_Home
        || event->key() == Qt::Key_End || event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown)
        emit signal_goTo(currentIndex().row());
}

int ThumbnailPane::dropPosition(const QPoint& pos) const
{
    const int step = std::max(2, spacing());
    QModelIndex index = indexAt(pos);
    if (!index.isValid())
        index = rowNear(pos.y(), -step);
    if (!index.isValid())
        return 0;
    const QRect rect = visualRect(index);
    return pos.y() > rect.center().y() ? index.row() + 1 : index.row();
}

void ThumbnailPane::showMarker(int position)
{
    if (position == m_marker)
        return;
    m_marker = position;
    viewport()->update();
}

void ThumbnailPane::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    m_pressPos = event->pos();
    // A plain press on a page may start a move: of the selection when the page is in it (which
    // stays until the button is let go without one), else of that page alone.
    m_pressedOnSelection = event->button() == Qt::LeftButton && index.isValid() && event->modifiers() == Qt::NoModifier;
    if (m_pressedOnSelection && !selectionModel()->isSelected(index))
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    if (!m_pressedOnSelection)
        QListView::mousePressEvent(event);
}

void ThumbnailPane::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressedOnSelection && (event->buttons() & Qt::LeftButton)
        && (m_moving || (event->pos() - m_pressPos).manhattanLength() >= QApplication::startDragDistance())) {
        m_moving = true;
        if (event->pos().x() < 0 || event->pos().x() >= viewport()->width()) {
            dragPagesOut();
            return;
        }
        // Near an edge the list scrolls on, so that pages can go far.
        const int edge = viewport()->height() / 10;
        if (event->pos().y() < edge)
            verticalScrollBar()->setValue(verticalScrollBar()->value() - verticalScrollBar()->singleStep());
        else if (event->pos().y() > viewport()->height() - edge)
            verticalScrollBar()->setValue(verticalScrollBar()->value() + verticalScrollBar()->singleStep());
        showMarker(dropPosition(event->pos()));
        return;
    }
    if (!m_pressedOnSelection)
        QListView::mouseMoveEvent(event);
}

void ThumbnailPane::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_moving) {
        const QVector<int> pages = selectedPages();
        const int position = movedPosition(pages, dropPosition(event->pos()));
        m_moving = false;
        m_pressedOnSelection = false;
        showMarker(-1);
        if (!pages.isEmpty())
            emit signal_movePages(pages, position);
        return;
    }
    if (m_pressedOnSelection) {
        // A plain click on a selected page: it alone is selected now, and shown.
        m_pressedOnSelection = false;
        const QModelIndex index = indexAt(event->pos());
        if (index.isValid()) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            emit signal_goTo(index.row());
        }
        return;
    }
    QListView::mouseReleaseEvent(event);
}

int ThumbnailPane::movedPosition(const QVector<int>& pages, int position)
{
    // The marker counts pages before the move; those taken from before it move it up.
    return position
           - int(std::count_if(pages.cbegin(), pages.cend(), [position](int page) { return page < position; }));
}

void ThumbnailPane::dragPagesOut()
{
    const QVector<int> pages = selectedPages();
    m_moving = false;
    m_pressedOnSelection = false;
    showMarker(-1);
    if (pages.isEmpty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(pagesMimeData({m_document, pages}));
    const QPixmap first = m_model->data(m_model->index(pages.first()), Qt::DecorationRole).value<QPixmap>();
    if (!first.isNull())
        drag->setPixmap(first.scaledToWidth(first.width() / 2, Qt::SmoothTransformation));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

namespace {

QStringList droppedPdfs(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

bool ThumbnailPane::takes(const QMimeData* data) const
{
    return draggedPages(data).has_value() || !droppedPdfs(data).isEmpty();
}

void ThumbnailPane::dragEnterEvent(QDragEnterEvent* event)
{
    if (!takes(event->mimeData()))
        return;
    event->acceptProposedAction();
    showMarker(dropPosition(qtcompat::pos(event)));
}

void ThumbnailPane::dragMoveEvent(QDragMoveEvent* event)
{
    if (!takes(event->mimeData()))
        return;
    event->acceptProposedAction();
    showMarker(dropPosition(qtcompat::pos(event)));
}

void ThumbnailPane::dragLeaveEvent(QDragLeaveEvent* event)
{
    QListView::dragLeaveEvent(event);
    showMarker(-1);
}

void ThumbnailPane::dropEvent(QDropEvent* event)
{
    showMarker(-1);
    if (!takes(event->mimeData()))
        return;
    event->acceptProposedAction();
    const int position = dropPosition(qtcompat::pos(event));
    if (const std::optional<DraggedPages> pages = draggedPages(event->mimeData())) {
        // Brought back to the pane they came from, pages move as if never dragged out.
        if (pages->source == m_document)
            emit signal_movePages(pages->pages, movedPosition(pages->pages, position));
        else
            emit signal_copyPages(pages->source, pages->pages, position);
        return;
    }
    emit signal_insertFiles(droppedPdfs(event->mimeData()), position);
}

void ThumbnailPane::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (m_marker < 0 || m_model->rowCount() == 0)
        return;
    // A bar in the gap where the pages would go.
    const bool after = m_marker >= m_model->rowCount();
    const QRect rect = visualRect(m_model->index(after ? m_model->rowCount() - 1 : m_marker));
    const int y = after ? rect.bottom() + spacing() / 2 : rect.top() - spacing() / 2;
    QPainter painter(viewport());
    painter.fillRect(QRect(rect.left(), y - 2, rect.width(), 4), palette().color(QPalette::Highlight));
}

void ThumbnailPane::showEvent(QShowEvent* event)
{
    QListView::showEvent(event);
    scheduleRequests();
}

void ThumbnailPane::hideEvent(QHideEvent* event)
{
    QListView::hideEvent(event);
    m_model->renderer()->cancelAll();
}

void ThumbnailPane::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    scheduleRequests();
}

void ThumbnailPane::scrollContentsBy(int dx, int dy)
{
    QListView::scrollContentsBy(dx, dy);
    scheduleRequests();
}

void ThumbnailPane::scheduleRequests()
{
    if (isVisible())
        m_requestTimer.start();
}

// The row at height y of the viewport, looking down (or up) past the gaps between rows.
QModelIndex ThumbnailPane::rowNear(int y, int step) const
{
    const QRect area = viewport()->rect();
    for (; y >= area.top() && y <= area.bottom(); y += step) {
        const QModelIndex index = indexAt(QPoint(area.center().x(), y));
        if (index.isValid())
            return index;
    }
    return {};
}

void ThumbnailPane::requestVisible()
{
    const QRect area = viewport()->rect();
    const int step = std::max(2, spacing());
    const QModelIndex first = rowNear(area.top(), step);
    QModelIndex last = rowNear(area.bottom(), -step);
    if (!first.isValid())
        return;
    if (!last.isValid())
        last = first;
    // One more on each side, so that a short scroll finds them drawn.
    m_model->requestVisible(first.row() - 1, last.row() + 1, devicePixelRatioF());
}

} // namespace pxv
