#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include <functional>

namespace pxv::icons {

namespace {

const QColor kAccent(0x2a, 0x6f, 0xdb);

} // namespace

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2.0, 2.0);
    painter.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

namespace {

QIcon themed(const char* name, const QIcon& fallback)
{
    return QIcon::fromTheme(QLatin1String(name), fallback);
}

void drawPage(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 4, r.top());
    path.lineTo(r.right(), r.top() + 4);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.save();
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.restore();
}

void drawLens(QPainter& p)
{
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.save();
    p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.restore();
}

void drawMagnifier(QPainter& p, bool plus)
{
    drawLens(p);
    p.drawLine(QPointF(7, 10), QPointF(13, 10));
    if (plus)
        p.drawLine(QPointF(10, 7), QPointF(10, 13));
}

} // namespace

QIcon open(const QStyle* style)
{
    return themed("document-open", style->standardIcon(QStyle::SP_DialogOpenButton));
}

QIcon save(const QStyle* style)
{
    return themed("document-save", style->standardIcon(QStyle::SP_DialogSaveButton));
}

QIcon saveAs(const QStyle* style)
{
    return themed("document-save-as", style->standardIcon(QStyle::SP_DialogSaveButton));
}

QIcon close(const QStyle* style)
{
    return themed("document-close", style->standardIcon(QStyle::SP_DialogCloseButton));
}

QIcon newBlank(const QStyle* style)
{
    return themed("document-new", style->standardIcon(QStyle::SP_FileIcon));
}

QIcon combine()
{
    return drawn([](QPainter& p) {
        drawPage(p, QRectF(3, 2, 10, 13));
        drawPage(p, QRectF(11, 9, 10, 13));
        p.save();
        p.setPen(QPen(kAccent, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(5, 19), QPointF(9, 19));
        p.drawLine(QPointF(7, 17), QPointF(7, 21));
        p.restore();
    });
}

QIcon zoomIn()
{
    return themed("zoom-in", drawn([](QPainter& p) { drawMagnifier(p, true); }));
}

QIcon zoomOut()
{
    return themed("zoom-out", drawn([](QPainter& p) { drawMagnifier(p, false); }));
}

QIcon fitWidth()
{
    return themed("zoom-fit-width", drawn([](QPainter& p) {
                      drawPage(p, QRectF(6, 3, 12, 18));
                      p.save();
                      p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                      p.drawLine(QPointF(2, 12), QPointF(22, 12));
                      p.drawPolyline(QPolygonF({QPointF(5, 9), QPointF(2, 12), QPointF(5, 15)}));
                      p.drawPolyline(QPolygonF({QPointF(19, 9), QPointF(22, 12), QPointF(19, 15)}));
                      p.restore();
                  }));
}

QIcon fitPage()
{
    return themed("zoom-fit-best", drawn([](QPainter& p) {
                      drawPage(p, QRectF(6, 3, 12, 18));
                      p.save();
                      p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                      p.drawPolyline(QPolygonF({QPointF(9, 8), QPointF(12, 5.5), QPointF(15, 8)}));
                      p.drawPolyline(QPolygonF({QPointF(9, 16), QPointF(12, 18.5), QPointF(15, 16)}));
                      p.restore();
                  }));
}

QIcon firstPage(const QStyle* style)
{
    return themed("go-top", style->standardIcon(QStyle::SP_MediaSkipBackward));
}

QIcon previousPage(const QStyle* style)
{
    return themed("go-up", style->standardIcon(QStyle::SP_ArrowUp));
}

QIcon nextPage(const QStyle* style)
{
    return themed("go-down", style->standardIcon(QStyle::SP_ArrowDown));
}

QIcon lastPage(const QStyle* style)
{
    return themed("go-bottom", style->standardIcon(QStyle::SP_MediaSkipForward));
}

QIcon outline()
{
    return drawn([](QPainter& p) {
        p.drawRoundedRect(QRectF(3, 4, 18, 16), 2, 2);
        p.drawLine(QPointF(9, 4), QPointF(9, 20));
        p.drawLine(QPointF(4.8, 8), QPointF(7.2, 8));
        p.drawLine(QPointF(4.8, 11), QPointF(7.2, 11));
        p.drawLine(QPointF(4.8, 14), QPointF(7.2, 14));
    });
}

QIcon find()
{
    return themed("edit-find", drawn([](QPainter& p) {
                      drawLens(p);
                      p.save();
                      p.setPen(QPen(kAccent, 1.4, Qt::SolidLine, Qt::RoundCap));
                      p.drawLine(QPointF(7, 8.5), QPointF(13, 8.5));
                      p.drawLine(QPointF(7, 11.5), QPointF(11.5, 11.5));
                      p.restore();
                  }));
}

QIcon rotate(bool clockwise)
{
    const QIcon fallback = drawn([clockwise](QPainter& p) {
        if (!clockwise) {
            p.translate(24, 0);
            p.scale(-1, 1);
        }
        drawPage(p, QRectF(4, 9, 10, 12));
        p.save();
        p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawArc(QRectF(8, 3, 12, 12), 180 * 16, -180 * 16);
        p.drawPolyline(QPolygonF({QPointF(17, 8.5), QPointF(20, 10), QPointF(22, 7)}));
        p.restore();
    });
    return themed(clockwise ? "object-rotate-right" : "object-rotate-left", fallback);
}

QIcon undo(bool forward)
{
    const QIcon fallback = drawn([forward](QPainter& p) {
        if (forward) {
            p.translate(24, 0);
            p.scale(-1, 1);
        }
        QPainterPath path;
        path.moveTo(5, 10);
        path.lineTo(15, 10);
        path.cubicTo(22, 10, 22, 20, 15, 20);
        path.lineTo(10, 20);
        p.drawPath(path);
        p.drawPolyline(QPolygonF({QPointF(9, 5.5), QPointF(4.5, 10), QPointF(9, 14.5)}));
    });
    return themed(forward ? "edit-redo" : "edit-undo", fallback);
}

QIcon history()
{
    return themed("document-open-recent", drawn([](QPainter& p) {
                      p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
                      p.drawPolyline(QPolygonF({QPointF(12, 7), QPointF(12, 12), QPointF(15.5, 14)}));
                  }));
}

QIcon thumbnails()
{
    return drawn([](QPainter& p) {
        p.drawRoundedRect(QRectF(3, 4, 18, 16), 2, 2);
        p.drawLine(QPointF(9, 4), QPointF(9, 20));
        p.save();
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.6, 6.2, 2.8, 3.6));
        p.drawRect(QRectF(4.6, 11.2, 2.8, 3.6));
        p.restore();
    });
}

QIcon help()
{
    return themed("help-browser", drawn([](QPainter& p) {
                      p.drawEllipse(QPointF(12, 12), 9, 9);
                      QFont font;
                      font.setPixelSize(13);
                      font.setBold(true);
                      p.setFont(font);
                      p.drawText(QRectF(3, 3, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
                  }));
}

QIcon crop()
{
    return drawn([](QPainter& p) {
        p.drawPolyline(QPolygonF({QPointF(7, 2), QPointF(7, 17), QPointF(22, 17)}));
        p.drawPolyline(QPolygonF({QPointF(2, 7), QPointF(17, 7), QPointF(17, 22)}));
        p.save();
        p.setPen(QPen(kAccent, 1.6, Qt::DashLine));
        p.drawRect(QRectF(9.5, 9.5, 5, 5));
        p.restore();
    });
}

QIcon resize()
{
    return drawn([](QPainter& p) {
        drawPage(p, QRectF(3, 3, 12, 16));
        p.save();
        p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(12, 12), QPointF(21, 21));
        p.drawPolyline(QPolygonF({QPointF(16, 21), QPointF(21, 21), QPointF(21, 16)}));
        p.restore();
    });
}

} // namespace pxv::icons
