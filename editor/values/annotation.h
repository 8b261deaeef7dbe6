#pragma once

// A standard PDF annotation as the model hands it to views and takes it from them.

#include <QColor>
#include <QDateTime>
#include <QLineF>
#include <QList>
#include <QMetaType>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace pxv {

// The subtypes the editor creates and edits; Other stands for any other kind a file holds,
// which is listed and can be deleted but keeps its own look.
enum class AnnotationType {
    Text,
    FreeText,
    Line,
    Square,
    Circle,
    Polygon,
    PolyLine,
    Highlight,
    Underline,
    StrikeOut,
    Squiggly,
    Stamp,
    Ink,
    Other,
};

// How a line annotation ends, as PDF names them.
enum class LineEnding { None, Square, Circle, Diamond, OpenArrow, ClosedArrow, Butt, ROpenArrow, RClosedArrow, Slash };

// Geometry is in page points with the origin at the page's top-left corner, rotation applied
// (as PageLink::area); which fields count depends on the type.
struct Annotation
{
    int id = 0; // its object number once it is in the document; 0 for one to create
    AnnotationType type = AnnotationType::Text;
    QString subtype; // the PDF /Subtype, as read
    QRectF rect; // Text, FreeText, Square, Circle, Stamp; the bounds as read for every type
    QColor color = Qt::red; // the text's colour for FreeText
    QColor fill; // Square, Circle, Polygon, Line's endings; invalid for none
    double opacity = 1.0;
    double borderWidth = 1.0;
    QString contents;
    QString author;
    QDateTime modified;
    QList<QPolygonF> quads; // Highlight, Underline, StrikeOut, Squiggly (corners as TextSelection's)
    QList<QPolygonF> strokes; // Ink
    QPolygonF vertices; // Polygon, PolyLine
    QLineF line; // Line
    LineEnding lineStart = LineEnding::None;
    LineEnding lineEnd = LineEnding::None;
    double fontSize = 12.0; // FreeText
    QString icon; // Text ("Note", "Comment", ...) and Stamp ("Approved", "Draft", ...)
    // Stamp, when one is created: a PNG or JPEG file drawn as the stamp instead of a name, its
    // rect shrunk to the picture's proportions. Not read back: the picture is the stamp's look.
    QString imageFile;

    // The same annotation moved by offset, every point of its geometry with it.
    Annotation translated(const QPointF& offset) const
    {
        Annotation moved = *this;
        moved.rect.translate(offset);
        for (QPolygonF& quad : moved.quads)
            quad.translate(offset);
        for (QPolygonF& stroke : moved.strokes)
            stroke.translate(offset);
        moved.vertices.translate(offset);
        moved.line.translate(offset);
        return moved;
    }

    // The same annotation stretched from its rect onto area, every point of its geometry with it.
    Annotation mapped(const QRectF& area) const
    {
        Annotation stretched = *this;
        if (rect.width() <= 0 || rect.height() <= 0)
            return stretched;
        const double sx = area.width() / rect.width();
        const double sy = area.height() / rect.height();
        const auto map = [&](const QPointF& p) {
            return QPointF(area.left() + (p.x() - rect.left()) * sx, area.top() + (p.y() - rect.top()) * sy);
        };
        const auto mapAll = [&](QPolygonF& points) {
            for (QPointF& point : points)
                point = map(point);
        };
        stretched.rect = area;
        for (QPolygonF& quad : stretched.quads)
            mapAll(quad);
        for (QPolygonF& stroke : stretched.strokes)
            mapAll(stroke);
        mapAll(stretched.vertices);
        stretched.line = QLineF(map(line.p1()), map(line.p2()));
        return stretched;
    }
};

} // namespace pxv

Q_DECLARE_METATYPE(pxv::Annotation)
