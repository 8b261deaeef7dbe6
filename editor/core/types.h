#pragma once

// Small value types the document model hands to views.

#include <QList>
#include <QMetaType>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace pxv {

// One entry of a document's outline. page is -1 when the entry leads nowhere inside the
// document (an external link, or a destination that no longer exists).
struct OutlineItem
{
    QString title;
    int page = -1;
    QPointF position; // in page points, top-left origin; may be (0, 0)
    QString uri;      // set for entries that lead outside the document
    bool open = false;
    QList<OutlineItem> children;
};

// A link on a page. area is in page points with the origin at the page's top-left corner,
// rotation applied, so views scale it by their zoom and nothing else.
struct PageLink
{
    QRectF area;
    int targetPage = -1; // -1 for external links
    QPointF targetPosition;
    QString uri; // the raw target; an external link has targetPage -1 and a uri

    bool isExternal() const { return targetPage < 0; }
};

// One occurrence of a searched text on a page: a rectangle per line it covers, in page points
// with the origin at the page's top-left corner, rotation applied (as PageLink::area).
struct TextHit
{
    int page = -1;
    QList<QRectF> areas;
};

} // namespace pxv

Q_DECLARE_METATYPE(pxv::OutlineItem)
Q_DECLARE_METATYPE(pxv::PageLink)
Q_DECLARE_METATYPE(pxv::TextHit)
