#include "croppreview.h"

#include "qtcompat.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace pxv {

namespace {

constexpr int kPadding = 8;
// A press that moves less than this is a click, not a rectangle: it must not crop the page away.
constexpr double kMinDrag = 4;
// Dark around the page, so that the shaded part of the page still reads as page.
const QColor kBackground(0x4a, 0x4e, 0x54);
const QColor kShade(0x20, 0x28, 0x38, 120);

} // namespace

CropPreview::CropPreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(160, 160);
    setCursor(Qt::CrossCursor);
    setToolTip(tr("Drag a rectangle over the page to choose the area to keep."));
}

void CropPreview::setPageSize(const QSizeF& points)
{
    m_pageSize = points;
    update();
    emit scaleChanged();
}

void CropPreview::setImage(const QImage& image)
{
    m_image = image;
    update();
}

void CropPreview::setMargins(const QMarginsF& margins)
{
    m_margins = margins;
    update();
}

QRectF CropPreview::pageRect() const
{
    if (m_pageSize.isEmpty())
        return QRectF();
    const QRectF space = QRectF(rect()).adjusted(kPadding, kPadding, -kPadding, -kPadding);
    const QSizeF size = m_pageSize.scaled(space.size(), Qt::KeepAspectRatio);
    return QRectF(space.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

double CropPreview::pixelsPerPoint() const
{
    return m_pageSize.isEmpty() ? 0 : pageRect().width() / m_pageSize.width() * devicePixelRatioF();
}

QSize CropPreview::sizeHint() const
{
    return QSize(300, 380);
}

void CropPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    const QRectF page = pageRect();
    if (page.isEmpty())
        return;
    painter.fillRect(page, Qt::white);
    if (!m_image.isNull())
        painter.drawImage(page, m_image);
    const double scale = page.width() / m_pageSize.width();
    const QRectF kept = page.adjusted(m_margins.left() * scale, m_margins.top() * scale, -m_margins.right() * scale,
                                      -m_margins.bottom() * scale)
                            .intersected(page);
    QPainterPath shade;
    shade.addRect(page);
    shade.addRect(kept);
    painter.fillPath(shade, kShade);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
    painter.drawRect(kept);
}

void CropPreview::resizeEvent(QResizeEvent*)
{
    emit scaleChanged();
}

void CropPreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pageRect().contains(qtcompat::position(event)))
        return;
    m_dragStart = qtcompat::position(event);
    m_dragging = true;
}

void CropPreview::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        drag(qtcompat::position(event));
}

void CropPreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        drag(qtcompat::position(event));
        m_dragging = false;
    }
}

void CropPreview::drag(const QPointF& to)
{
    const QRectF area = QRectF(m_dragStart, to).normalized();
    if (area.width() < kMinDrag || area.height() < kMinDrag)
        return;
    m_margins = marginsOf(area);
    update();
    emit marginsDragged(m_margins);
}

QMarginsF CropPreview::marginsOf(const QRectF& area) const
{
    const QRectF page = pageRect();
    const QRectF kept = area.intersected(page);
    const double points = m_pageSize.width() / page.width();
    return QMarginsF((kept.left() - page.left()) * points, (kept.top() - page.top()) * points,
                     (page.right() - kept.right()) * points, (page.bottom() - kept.bottom()) * points);
}

} // namespace pxv
