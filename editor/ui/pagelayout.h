#pragma once

#include "ui/layer.h"

#include <QRectF>
#include <QSizeF>
#include <QVector>

namespace pxv {

// Where each page sits in a continuous vertical layout, in logical pixels. Pure geometry, so the
// view stays small and the arithmetic is testable. Lookups are binary searches: cost does not
// grow with the page count on scrolling.
class PageLayout
{
public:
    static constexpr double kGap = 12.0; // between pages
    static constexpr double kMargin = 16.0; // around the pages

    void setPageSizes(const QVector<QSizeF>& sizesInPoints);
    // True when setPageSizes(sizesInPoints) would change nothing.
    bool hasPageSizes(const QVector<QSizeF>& sizesInPoints) const;
    // scale: logical pixels per point.
    void setScale(double scale);
    double scale() const { return m_scale; }

    int pageCount() const { return m_sizes.size(); }
    QSizeF pageSizePoints(int page) const { return m_sizes.value(page); }
    QSizeF contentSize() const;
    // The page's rectangle in content coordinates for a viewport this wide (pages are centred).
    QRectF pageRect(int page, double viewportWidth) const;
    // First and last page that overlap [top, bottom]; (-1, -1) when there are no pages.
    QPair<int, int> pagesBetween(double top, double bottom) const;
    // The page whose slot (page plus the gap below it) contains y, clamped to the pages.
    int pageAt(double y) const;

    // Scales that fit the widest page to a width, and a page into a viewport.
    double fitWidthScale(double viewportWidth) const;
    double fitPageScale(int page, const QSizeF& viewport) const;

private:
    void relayout();

    QVector<QSizeF> m_sizes;
    QVector<double> m_tops; // top of each page at the current scale
    double m_scale = 1.0;
    double m_maxWidthPoints = 0.0;
};

} // namespace pxv
