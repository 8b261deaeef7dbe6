#pragma once

#include "ui/layer.h"

#include <QImage>
#include <QSizeF>
#include <QWidget>

namespace pxv {

// A page's image fitted into the widget, white until the image comes.
class PagePicture : public QWidget
{
    Q_OBJECT
public:
    explicit PagePicture(QWidget* parent = nullptr);

    // The page's size in points; the image is drawn over it at any scale.
    void setPageSize(const QSizeF& points);
    void setImage(const QImage& image);
    QImage image() const { return m_image; }
    // Device pixels per point of the page as drawn now: the scale to render it at.
    double pixelsPerPoint() const;

    QSize sizeHint() const override;

signals:
    // The page is drawn at another scale now.
    void scaleChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRectF pageRect() const;

    QSizeF m_pageSize;
    QImage m_image;
};

} // namespace pxv
