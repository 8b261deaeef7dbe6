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
    QRectF rect;     // Text, FreeText, Square, Circle, Stamp; the bounds as read for every type
    QColor color = Qt::red; // the text's colour for FreeText
    double opacity = 1.0;
    double borderWidth = 1.0;
    QString contents;
    QString author;
    QDateTime modified;
    QList<QPolygonF> quads;  // Highlight, Underline, StrikeOut, Squiggly (corners as TextSelection's)
    QList<QPolygonF> strokes; // Ink
    QPolygonF vertices;       // Polygon, PolyLine
    QLineF line;              // Line
    LineEnding lineStart = LineEnding::None;
    LineEnding lineEnd = LineEnding::None;
    double fontSize = 12.0; // FreeText
    QString icon;           // Text ("Note", "Comment", ...) and Stamp ("Approved", "Draft", ...)

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
};

} // namespace pxv

Q_DECLARE_METATYPE(pxv::Annotation)
