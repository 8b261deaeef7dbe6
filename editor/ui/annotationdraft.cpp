#include "annotationdraft.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTransform>

#include <algorithm>

namespace pxv {

namespace {

// Shorter drags than this (points) are taken for a click: a shape needs some size.
constexpr double kMinShape = 3.0;
// A drawn outline stays visible however thin the chosen line.
constexpr double kMinDraftWidth = 1.0;
constexpr double kTextBoxWidth = 200.0;

} // namespace

QList<QPair<QString, QColor>> commentColors()
{
    return {
        {QCoreApplication::translate("pxv::AnnotationBar", "Yellow"), QColor(255, 210, 0)},
        {QCoreApplication::translate("pxv::AnnotationBar", "Red"), QColor(220, 30, 30)},
        {QCoreApplication::translate("pxv::AnnotationBar", "Green"), QColor(0, 160, 60)},
        {QCoreApplication::translate("pxv::AnnotationBar", "Blue"), QColor(0, 90, 220)},
        {QCoreApplication::translate("pxv::AnnotationBar", "Black"), QColor(Qt::black)},
    };
}

bool marksText(CommentTool tool)
{
    return tool == CommentTool::Highlight || tool == CommentTool::Underline || tool == CommentTool::StrikeOut
           || tool == CommentTool::Squiggly;
}

bool placesVertices(CommentTool tool)
{
    return tool == CommentTool::Polygon || tool == CommentTool::PolyLine;
}

AnnotationType markupType(CommentTool tool)
{
    switch (tool) {
    case CommentTool::Underline:
        return AnnotationType::Underline;
    case CommentTool::StrikeOut:
        return AnnotationType::StrikeOut;
    case CommentTool::Squiggly:
        return AnnotationType::Squiggly;
    default:
        return AnnotationType::Highlight;
    }
}

std::optional<CommentKind> styleKind(CommentTool tool)
{
    switch (tool) {
    case CommentTool::Select:
        return std::nullopt;
    case CommentTool::Highlight:
        return CommentKind::Highlight;
    case CommentTool::Underline:
        return CommentKind::Underline;
    case CommentTool::StrikeOut:
        return CommentKind::StrikeOut;
    case CommentTool::Squiggly:
        return CommentKind::Squiggly;
    case CommentTool::Note:
        return CommentKind::Note;
    case CommentTool::FreeText:
        return CommentKind::TextBox;
    case CommentTool::Pen:
        return CommentKind::Pen;
    case CommentTool::Line:
        return CommentKind::Line;
    case CommentTool::Arrow:
        return CommentKind::Arrow;
    case CommentTool::Rectangle:
        return CommentKind::Rectangle;
    case CommentTool::Ellipse:
        return CommentKind::Ellipse;
    case CommentTool::Polygon:
        return CommentKind::Polygon;
    case CommentTool::PolyLine:
        return CommentKind::PolyLine;
    case CommentTool::Stamp:
        return CommentKind::Stamp;
    }
    return std::nullopt;
}

AnnotationDraft::AnnotationDraft(CommentTool tool, int page, const QPointF& start, const CommentStyle& style)
    : m_tool(tool), m_page(page), m_style(style)
{
    m_points.append(start);
    // The vertex that follows the pointer until it is placed.
    if (placesVertices(tool))
        m_points.append(start);
}

void AnnotationDraft::addVertex(const QPointF& point)
{
    m_points.last() = point;
    m_points.append(point);
}

void AnnotationDraft::moveTo(const QPointF& point)
{
    // A pen keeps the whole path; the other tools need where the drag began and where it is.
    if (m_tool == CommentTool::Pen || (m_points.size() < 2 && !placesVertices(m_tool)))
        m_points.append(point);
    else
        m_points.last() = point;
}

QRectF AnnotationDraft::dragged() const
{
    return QRectF(m_points.first(), m_points.last()).normalized();
}

std::optional<Annotation> AnnotationDraft::result() const
{
    Annotation value;
    value.color = m_style.color;
    value.fill = m_style.fill;
    value.opacity = m_style.opacity;
    value.borderWidth = m_style.width;
    value.fontSize = m_style.fontSize;
    const QRectF area = dragged();
    const bool isDrag = area.width() >= kMinShape || area.height() >= kMinShape;
    const QPointF at = m_points.first();
    switch (m_tool) {
    case CommentTool::Note:
        value.type = AnnotationType::Text;
        value.icon = QStringLiteral("Note");
        value.rect = QRectF(at, QSizeF(kNoteSize, kNoteSize));
        return value;
    case CommentTool::FreeText:
        value.type = AnnotationType::FreeText;
        value.rect = isDrag ? area : QRectF(at, QSizeF(kTextBoxWidth, value.fontSize * 2));
        return value;
    case CommentTool::Stamp:
        value.type = AnnotationType::Stamp;
        value.rect = isDrag ? area : QRectF(at, QSizeF(kStampWidth, kStampHeight));
        return value;
    case CommentTool::Pen:
        if (m_points.size() < 2)
            return std::nullopt;
        value.type = AnnotationType::Ink;
        value.strokes = {m_points};
        return value;
    case CommentTool::Line:
    case CommentTool::Arrow:
        if (!isDrag)
            return std::nullopt;
        value.type = AnnotationType::Line;
        value.line = QLineF(m_points.first(), m_points.last());
        if (m_tool == CommentTool::Arrow)
            value.lineEnd = LineEnding::OpenArrow;
        return value;
    case CommentTool::Polygon:
    case CommentTool::PolyLine: {
        // The vertex still following the pointer is not placed; a double-click places its
        // point twice.
        QPolygonF vertices;
        for (const QPointF& point : m_points.mid(0, m_points.size() - 1)) {
            if (vertices.isEmpty() || QLineF(vertices.last(), point).length() >= kMinShape)
                vertices.append(point);
        }
        if (vertices.size() < (m_tool == CommentTool::Polygon ? 3 : 2))
            return std::nullopt;
        value.type = m_tool == CommentTool::Polygon ? AnnotationType::Polygon : AnnotationType::PolyLine;
        value.vertices = vertices;
        return value;
    }
    case CommentTool::Rectangle:
    case CommentTool::Ellipse:
        if (!isDrag)
            return std::nullopt;
        value.type = m_tool == CommentTool::Rectangle ? AnnotationType::Square : AnnotationType::Circle;
        value.rect = area;
        return value;
    default:
        return std::nullopt;
    }
}

void AnnotationDraft::paint(QPainter& painter, const QTransform& toView) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_style.opacity);
    painter.setPen(QPen(m_style.color, std::max(m_style.width, kMinDraftWidth) * toView.m11(), Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const QRectF area = toView.mapRect(dragged());
    switch (m_tool) {
    case CommentTool::Pen:
    case CommentTool::PolyLine:
        painter.drawPolyline(toView.map(m_points));
        break;
    case CommentTool::Polygon:
        painter.drawPolygon(toView.map(m_points));
        break;
    case CommentTool::Line:
    case CommentTool::Arrow:
        painter.drawLine(toView.map(QLineF(m_points.first(), m_points.last())));
        break;
    case CommentTool::Ellipse:
        painter.drawEllipse(area);
        break;
    default:
        painter.drawRect(area);
        break;
    }
    painter.restore();
}

} // namespace pxv
