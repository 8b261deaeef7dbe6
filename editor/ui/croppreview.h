#pragma once

#include "ui/layer.h"

#include <QImage>
#include <QMarginsF>
#include <QWidget>

namespace pxv {

// A page as shown, with the area a crop keeps outlined and the rest shaded. Dragging a
// rectangle over the page chooses the area to keep.
class CropPreview : public QWidget
{
    Q_OBJECT
public:
    explicit CropPreview(QWidget* parent = nullptr);

    // The page's size in points; the image is drawn over it at any scale.
    void setPageSize(const QSizeF& points);
    void setImage(const QImage& image);
    QImage image() const { return m_image; }
    // What the crop takes off each edge, in points of the page shown.
    void setMargins(const QMarginsF& margins);
    QMarginsF margins() const { return m_margins; }

    // Where the page is drawn, in widget coordinates.
    QRectF pageRect() const;
    // Device pixels per point of the page as drawn now: the scale to render it at.
    double pixelsPerPoint() const;

    QSize sizeHint() const override;

signals:
    // A rectangle dragged over the page chose new margins.
    void marginsDragged(const QMarginsF& margins);
    // The page is drawn at another scale now.
    void scaleChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The margins that keep the part of the page inside a rectangle of widget coordinates.
    QMarginsF marginsOf(const QRectF& area) const;
    void drag(const QPointF& to);

    QSizeF m_pageSize;
    QImage m_image;
    QMarginsF m_margins;
    QPointF m_dragStart;
    bool m_dragging = false;
};

} // namespace pxv
