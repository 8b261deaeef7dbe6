#include "pagelayout.h"

#include <algorithm>

namespace pxv {

namespace {

// A page whose size cannot be read still takes the room of an A4 page.
QSizeF shownSize(const QSizeF& size)
{
    return size.isEmpty() ? QSizeF(595.0, 842.0) : size;
}

} // namespace

void PageLayout::setPageSizes(const QVector<QSizeF>& sizesInPoints)
{
    m_sizes = sizesInPoints;
    m_maxWidthPoints = 0.0;
    for (QSizeF& size : m_sizes) {
        size = shownSize(size);
        m_maxWidthPoints = std::max(m_maxWidthPoints, size.width());
    }
    relayout();
}

bool PageLayout::hasPageSizes(const QVector<QSizeF>& sizesInPoints) const
{
    if (sizesInPoints.size() != m_sizes.size())
        return false;
    for (int i = 0; i < m_sizes.size(); ++i) {
        if (shownSize(sizesInPoints.at(i)) != m_sizes.at(i))
            return false;
    }
    return true;
}

void PageLayout::setScale(double scale)
{
    m_scale = scale;
    relayout();
}

void PageLayout::relayout()
{
    m_tops.resize(m_sizes.size());
    double y = kMargin;
    for (int i = 0; i < m_sizes.size(); ++i) {
        m_tops[i] = y;
        y += m_sizes.at(i).height() * m_scale + kGap;
    }
}

QSizeF PageLayout::contentSize() const
{
    if (m_sizes.isEmpty())
        return QSizeF(0, 0);
    const double height = m_tops.last() + m_sizes.last().height() * m_scale + kMargin;
    return QSizeF(m_maxWidthPoints * m_scale + 2 * kMargin, height);
}

QRectF PageLayout::pageRect(int page, double viewportWidth) const
{
    if (page < 0 || page >= m_sizes.size())
        return QRectF();
    const QSizeF size = m_sizes.at(page) * m_scale;
    const double width = std::max(viewportWidth, contentSize().width());
    return QRectF((width - size.width()) / 2.0, m_tops.at(page), size.width(), size.height());
}

QPair<int, int> PageLayout::pagesBetween(double top, double bottom) const
{
    if (m_sizes.isEmpty() || bottom < top)
        return {-1, -1};
    const int first = pageAt(top);
    // The last page that starts at or above bottom.
    const auto it = std::upper_bound(m_tops.cbegin(), m_tops.cend(), bottom);
    const int last = std::max(first, int(it - m_tops.cbegin()) - 1);
    return {first, last};
}

int PageLayout::pageAt(double y) const
{
    if (m_sizes.isEmpty())
        return -1;
    const auto it = std::upper_bound(m_tops.cbegin(), m_tops.cend(), y);
    return std::clamp(int(it - m_tops.cbegin()) - 1, 0, int(m_sizes.size()) - 1);
}

double PageLayout::fitWidthScale(double viewportWidth) const
{
    if (m_maxWidthPoints <= 0.0)
        return 1.0;
    return std::max(0.01, (viewportWidth - 2 * kMargin) / m_maxWidthPoints);
}

double PageLayout::fitPageScale(int page, const QSizeF& viewport) const
{
    const QSizeF size = m_sizes.value(page);
    if (size.isEmpty())
        return 1.0;
    const double byWidth = (viewport.width() - 2 * kMargin) / size.width();
    const double byHeight = (viewport.height() - 2 * kGap) / size.height();
    return std::max(0.01, std::min(byWidth, byHeight));
}

} // namespace pxv
