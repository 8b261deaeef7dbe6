#include "commentsample.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace pxv {

namespace {

// A sample's lines are drawn a pixel a point, but kept within the sample.
constexpr double kMaxSampleWidth = 6.0;
// Text boxes beyond this are shown at it: the row stays one line high.
constexpr double kMaxSampleFont = 18.0;
const QString kSampleText = QStringLiteral("Abc");

QPen stroke(const CommentStyle& style)
{
    return QPen(style.color, std::clamp(style.width, 1.0, kMaxSampleWidth), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush fill(const CommentStyle& style)
{
    return style.fill.isValid() ? QBrush(style.fill) : QBrush(Qt::NoBrush);
}

void paintMarkedText(QPainter& painter, const QRectF& area, CommentKind kind, const QColor& color)
{
    const QFontMetricsF metrics(painter.font());
    const QRectF text(area.center().x() - metrics.horizontalAdvance(kSampleText) / 2,
                      area.center().y() - metrics.height() / 2, metrics.horizontalAdvance(kSampleText),
                      metrics.height());
    if (kind == CommentKind::Highlight)
        painter.fillRect(text.adjusted(-3, 0, 3, 0), color);
    painter.save();
    painter.setOpacity(1.0);
    painter.setPen(Qt::black);
    painter.drawText(text, Qt::AlignCenter, kSampleText);
    painter.restore();
    painter.setPen(QPen(color, 1.5));
    const double baseline = text.top() + metrics.ascent() + 2;
    if (kind == CommentKind::Underline) {
        painter.drawLine(QPointF(text.left(), baseline), QPointF(text.right(), baseline));
    } else if (kind == CommentKind::StrikeOut) {
        const double middle = text.top() + metrics.ascent() - metrics.xHeight() / 2;
        painter.drawLine(QPointF(text.left(), middle), QPointF(text.right(), middle));
    } else if (kind == CommentKind::Squiggly) {
        QPainterPath wave(QPointF(text.left(), baseline));
        for (double x = text.left(); x < text.right(); x += 2)
            wave.lineTo(x + 2, baseline + (int(x - text.left()) % 4 == 0 ? 1.5 : -1.5));
        painter.strokePath(wave, painter.pen());
    }
}

void paintStamp(QPainter& painter, const QRectF& area)
{
    // The standard stamps' own red, as MuPDF draws them.
    const QColor red(0xc0, 0x1c, 0x1c);
    painter.setPen(QPen(red, 1.5));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(area.adjusted(2, 4, -2, -4), 3, 3);
    QFont font = painter.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 0.7);
    painter.setFont(font);
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("STAMP"));
}

} // namespace

void paintCommentSample(QPainter& painter, const QRectF& area, CommentKind kind, const CommentStyle& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(style.opacity);
    const QRectF inner = area.adjusted(6, 5, -6, -5);
    painter.setPen(stroke(style));
    painter.setBrush(fill(style));
    switch (kind) {
    case CommentKind::Highlight:
    case CommentKind::Underline:
    case CommentKind::StrikeOut:
    case CommentKind::Squiggly:
        paintMarkedText(painter, area, kind, style.color);
        break;
    case CommentKind::Note: {
        const double side = std::min(inner.width(), inner.height());
        const QRectF note(inner.center().x() - side / 2, inner.center().y() - side / 2, side, side);
        painter.setPen(QPen(style.color.darker(150), 1));
        painter.setBrush(style.color);
        painter.drawRoundedRect(note, 2, 2);
        painter.drawLine(note.topLeft() + QPointF(3, side / 3), note.topRight() + QPointF(-3, side / 3));
        painter.drawLine(note.topLeft() + QPointF(3, side * 2 / 3), note.topRight() + QPointF(-3, side * 2 / 3));
        break;
    }
    case CommentKind::TextBox: {
        QFont font = painter.font();
        font.setPointSizeF(std::min(style.fontSize, kMaxSampleFont));
        painter.setFont(font);
        painter.setPen(style.color);
        painter.drawText(area, Qt::AlignCenter, kSampleText);
        break;
    }
    case CommentKind::Pen: {
        QPainterPath curve(QPointF(inner.left(), inner.center().y()));
        curve.cubicTo(QPointF(inner.left() + inner.width() / 3, inner.top()),
                      QPointF(inner.left() + inner.width() * 2 / 3, inner.bottom()),
                      QPointF(inner.right(), inner.center().y()));
        painter.strokePath(curve, painter.pen());
        break;
    }
    case CommentKind::Line:
    case CommentKind::Arrow: {
        const QLineF line(inner.bottomLeft(), inner.topRight());
        painter.drawLine(line);
        if (kind == CommentKind::Arrow) {
            // An open arrowhead at the end, as LineEnd OpenArrow draws it.
            const double size = 6 + painter.pen().widthF();
            for (const double turn : {150.0, -150.0}) {
                QLineF head = QLineF(line.p2(), line.p1()).unitVector();
                head.setLength(size);
                head.setAngle(line.angle() + turn);
                painter.drawLine(head);
            }
        }
        break;
    }
    case CommentKind::Rectangle:
        painter.drawRect(inner);
        break;
    case CommentKind::Ellipse:
        painter.drawEllipse(inner);
        break;
    case CommentKind::Polygon:
        painter.drawPolygon(QPolygonF(
            QVector<QPointF>{inner.bottomLeft(), QPointF(inner.center().x(), inner.top()), inner.bottomRight()}));
        break;
    case CommentKind::PolyLine: {
        QPolygonF zigzag;
        for (int i = 0; i <= 4; ++i)
            zigzag << QPointF(inner.left() + inner.width() * i / 4, i % 2 ? inner.top() : inner.bottom());
        painter.drawPolyline(zigzag);
        break;
    }
    case CommentKind::Stamp:
        paintStamp(painter, area);
        break;
    }
    painter.restore();
}

} // namespace pxv
