#include "pagepicture.h"

#include <QPainter>

namespace pxv {

PagePicture::PagePicture(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PagePicture::setPageSize(const QSizeF& points)
{
    m_pageSize = points;
    emit scaleChanged();
    update();
}

void PagePicture::setImage(const QImage& image)
{
    m_image = image;
    update();
}

QRectF PagePicture::pageRect() const
{
    if (m_pageSize.isEmpty())
        return QRectF();
    const QRectF area = QRectF(rect()).adjusted(6, 6, -6, -6);
    const QSizeF fitted = m_pageSize.scaled(area.size(), Qt::KeepAspectRatio);
    return QRectF(area.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
}

double PagePicture::pixelsPerPoint() const
{
    return m_pageSize.isEmpty() ? 0 : pageRect().width() / m_pageSize.width() * devicePixelRatioF();
}

QSize PagePicture::sizeHint() const
{
    return QSize(320, 420);
}

void PagePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF page = pageRect();
    painter.fillRect(page, Qt::white);
    if (!m_image.isNull())
        painter.drawImage(page, m_image);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(page.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void PagePicture::resizeEvent(QResizeEvent*)
{
    emit scaleChanged();
}

} // namespace pxv
