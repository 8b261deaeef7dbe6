// Drawn icons of the comment tools: each shows the mark its tool leaves, in the colour it
// starts with where that colour is what tells the tools apart.

#include "icons.h"

#include "nametable.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace pxv::icons {

namespace {

const QColor kMarker(0xf5, 0xc5, 0x18);
const QColor kRed(0xd0, 0x30, 0x30);

// A few lines of text, the middle one standing for the text a mark applies to.
void drawText(QPainter& p)
{
    p.drawLine(QPointF(4, 6), QPointF(20, 6));
    p.drawLine(QPointF(4, 12), QPointF(20, 12));
}

void drawLetter(QPainter& p, const QString& letter, const QRectF& box)
{
    QFont font = p.font();
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, letter);
}

void drawWave(QPainter& p, double y)
{
    QPainterPath wave(QPointF(4, y));
    for (int step = 0; step < 4; ++step)
        wave.quadTo(QPointF(6 + step * 4, step % 2 ? y + 3 : y - 3), QPointF(8 + step * 4, y));
    p.drawPath(wave);
}

using Drawing = std::function<void(QPainter&)>;

const QHash<QString, Drawing>& drawings()
{
    static const QHash<QString, Drawing> table{
        {names::kToolSelect,
         [](QPainter& p) {
             p.setBrush(Qt::white);
             p.drawPolygon(QPolygonF({{7, 3}, {7, 19}, {11, 15}, {14, 21}, {16.5, 20}, {13.5, 14}, {19, 14}}));
         }},
        {names::kToolHighlight,
         [](QPainter& p) {
             p.fillRect(QRectF(3, 8, 18, 8), kMarker);
             drawLetter(p, QStringLiteral("ab"), QRectF(2, 4, 20, 16));
         }},
        {names::kToolUnderline,
         [](QPainter& p) {
             drawLetter(p, QStringLiteral("U"), QRectF(2, 1, 20, 16));
             p.drawLine(QPointF(5, 20), QPointF(19, 20));
         }},
        {names::kToolStrikeOut,
         [](QPainter& p) {
             drawLetter(p, QStringLiteral("S"), QRectF(2, 4, 20, 16));
             p.setPen(QPen(kRed, 1.8, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(4, 12), QPointF(20, 12));
         }},
        {names::kToolSquiggly,
         [](QPainter& p) {
             drawLetter(p, QStringLiteral("W"), QRectF(2, 0, 20, 16));
             p.setPen(QPen(kRed, 1.6, Qt::SolidLine, Qt::RoundCap));
             drawWave(p, 19);
         }},
        {names::kToolNote,
         [](QPainter& p) {
             p.setBrush(QColor(0xff, 0xe9, 0x7a));
             p.drawPolygon(QPolygonF({{3, 4}, {21, 4}, {21, 16}, {12, 16}, {7, 21}, {7, 16}, {3, 16}}));
             drawText(p);
         }},
        {names::kToolTextBox,
         [](QPainter& p) {
             p.drawRect(QRectF(3, 4, 18, 16));
             drawLetter(p, QStringLiteral("T"), QRectF(3, 4, 18, 16));
         }},
        {names::kToolPen,
         [](QPainter& p) {
             QPainterPath curve(QPointF(3, 18));
             curve.cubicTo(QPointF(7, 6), QPointF(12, 22), QPointF(20, 5));
             p.drawPath(curve);
         }},
        {names::kToolLine, [](QPainter& p) { p.drawLine(QPointF(4, 20), QPointF(20, 4)); }},
        {names::kToolArrow,
         [](QPainter& p) {
             p.drawLine(QPointF(4, 20), QPointF(20, 4));
             p.drawPolyline(QPolygonF({{12, 4}, {20, 4}, {20, 12}}));
         }},
        {names::kToolRectangle, [](QPainter& p) { p.drawRect(QRectF(3, 6, 18, 12)); }},
        {names::kToolEllipse, [](QPainter& p) { p.drawEllipse(QRectF(3, 6, 18, 12)); }},
        {names::kToolPolygon,
         [](QPainter& p) {
             p.drawPolygon(QPolygonF({{4, 9}, {12, 3}, {20, 9}, {17, 20}, {7, 20}}));
         }},
        {names::kToolPolyline,
         [](QPainter& p) {
             p.drawPolyline(QPolygonF({{3, 19}, {9, 7}, {15, 15}, {21, 5}}));
         }},
        {names::kToolStamp,
         [](QPainter& p) {
             p.setBrush(Qt::white);
             p.drawEllipse(QRectF(8.5, 2, 7, 5));
             p.drawLine(QPointF(12, 7), QPointF(12, 12));
             p.drawRoundedRect(QRectF(4, 12, 16, 5), 1.5, 1.5);
             p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(4, 21), QPointF(20, 21));
         }},
    };
    return table;
}

} // namespace

QIcon commentTool(const QString& command)
{
    const auto found = drawings().constFind(command);
    return found == drawings().cend() ? QIcon() : drawn(*found);
}

} // namespace pxv::icons
