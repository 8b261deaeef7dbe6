#pragma once

// Small value types the document model hands to views.

#include <QList>
#include <QMetaType>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace pxv {

// Which page a page is, whatever its place: it stays with the page while other pages are
// inserted, removed or moved, and comes back with it when an undo brings the page back.
using PageId = int;

// One entry of a document's outline. page is -1 when the entry leads nowhere inside the
// document (an external link, or a destination that no longer exists).
struct OutlineItem
{
    QString title;
    int page = -1;
    QPointF position; // in page points, top-left origin; may be (0, 0)
    QString uri; // set for entries that lead outside the document
    bool open = false;
    // Read without its target yet (page -1 until then): a read with targets follows.
    bool targetPending = false;
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

// How a searched text matches: by default as MuPDF finds it, ignoring case and within words too.
struct SearchOptions
{
    bool matchCase = false;
    bool wholeWords = false;
    bool operator==(const SearchOptions& other) const
    {
        return matchCase == other.matchCase && wholeWords == other.wholeWords;
    }
};

// How far a text selection reaches past the points dragged between.
enum class TextUnit { Characters, Words, Lines };

// Text chosen on one page: the quadrilaterals it covers, a character run each (page points,
// origin at the top-left corner, rotation applied; corners upper-left, upper-right, lower-right,
// lower-left as the text reads), and the text in reading order, lines ending in "\n".
struct TextSelection
{
    int page = -1;
    QList<QPolygonF> quads;
    QString text;

    bool isEmpty() const { return quads.isEmpty(); }
};

// What one step (an edit, an undo or a redo) changed, for views and caches to drop no more than
// that. Pages are named by PageId, so a notice stays true however the pages moved.
struct PageChanges
{
    // Pages whose content, annotations, size or rotation changed.
    QList<PageId> changed;
    // Of those, the pages whose annotations (form widgets among them) changed, and the pages
    // whose annotations alone changed: what the page shows beneath them is as it was.
    QList<PageId> annotated;
    QList<PageId> annotationsOnly;
    // Pages were inserted, removed or moved: page numbers before and after differ.
    bool structure = false;
    QList<PageId> inserted;
    QList<PageId> removed;
    // The outline, or where its entries lead, changed.
    bool outline = false;
    // Something many pages may share changed (a font, an image, resources): every page may
    // look different.
    bool everything = false;

    bool isEmpty() const { return changed.isEmpty() && !structure && !outline && !everything; }
};

} // namespace pxv

Q_DECLARE_METATYPE(pxv::PageChanges)
Q_DECLARE_METATYPE(pxv::OutlineItem)
Q_DECLARE_METATYPE(pxv::PageLink)
Q_DECLARE_METATYPE(pxv::TextHit)
Q_DECLARE_METATYPE(pxv::TextSelection)
