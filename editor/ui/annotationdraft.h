#pragma once

#include "ui/layer.h"

#include "core/commentstyles.h"
#include "values/annotation.h"

#include <QColor>
#include <QPolygonF>

#include <optional>

class QPainter;
class QTransform;

namespace pxv {

// What the pointer does on the pages.
enum class CommentTool {
    Select,
    Highlight,
    Underline,
    StrikeOut,
    Squiggly,
    Note,
    FreeText,
    Pen,
    Line,
    Arrow,
    Rectangle,
    Ellipse,
    Polygon,
    PolyLine,
    Stamp
};

// Whether the tool marks text the reader selects rather than drawing a shape.
bool marksText(CommentTool tool);
// The annotation a text-marking tool makes.
AnnotationType markupType(CommentTool tool);
// The colours offered for comments, by their names for the user: few enough to choose at a glance.
QList<QPair<QString, QColor>> commentColors();
// The kind of comment a drawing tool makes, whose look it takes; nothing for Select.
std::optional<CommentKind> styleKind(CommentTool tool);
// Whether the tool places vertices click by click (ended by a double-click or Enter) rather
// than drawing in one drag.
bool placesVertices(CommentTool tool);

// An annotation being drawn with a tool, from where the pointer went down to where it is, in
// page points; it shows while drawn and becomes an annotation when the pointer is released, or
// for a polygon or polyline, when the last vertex is placed.
class AnnotationDraft
{
public:
    static constexpr double kNoteSize = 24.0;
    static constexpr double kStampWidth = 160.0;
    static constexpr double kStampHeight = 50.0;

    // style is the look the comment gets.
    AnnotationDraft(CommentTool tool, int page, const QPointF& start, const CommentStyle& style);

    int page() const { return m_page; }
    void moveTo(const QPointF& point);
    // Fixes the vertex under the pointer and starts the next one there (polygon, polyline).
    void addVertex(const QPointF& point);
    // The annotation to create; nothing for a drag too small to mean a shape.
    std::optional<Annotation> result() const;
    void paint(QPainter& painter, const QTransform& toView) const;

private:
    QRectF dragged() const;

    CommentTool m_tool;
    int m_page;
    CommentStyle m_style;
    QPolygonF m_points;
};

} // namespace pxv
