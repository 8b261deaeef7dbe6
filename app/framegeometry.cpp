#include "framegeometry.h"

namespace {
constexpr int kEdge = 3;
}

int hitTestRegion(const QPoint& cursor, const QRect& geometry)
{
    const int x = cursor.x();
    const int y = cursor.y();
    const bool left = x <= geometry.left() + kEdge;
    const bool right = x >= geometry.right() - kEdge;
    const bool top = y <= geometry.top() + kEdge;
    const bool bottom = y >= geometry.bottom() - kEdge;
    if (left && top)
        return RegionTopLeft;
    if (right && top)
        return RegionTopRight;
    if (left && bottom)
        return RegionBottomLeft;
    if (right && bottom)
        return RegionBottomRight;
    if (left)
        return RegionLeft;
    if (right)
        return RegionRight;
    if (top)
        return RegionTop;
    if (bottom)
        return RegionBottom;
    return RegionNone;
}

Qt::CursorShape cursorForRegion(int region)
{
    switch (region) {
    case RegionLeft:
    case RegionRight:
        return Qt::SizeHorCursor;
    case RegionTop:
    case RegionBottom:
        return Qt::SizeVerCursor;
    case RegionTopLeft:
    case RegionBottomRight:
        return Qt::SizeFDiagCursor;
    case RegionTopRight:
    case RegionBottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

FrameStep frameDragStep(int region, const QPoint& delta, const QPoint& windowPos, const QSize& size,
                        const QSize& minimum)
{
    const QPoint newPos = windowPos + delta;
    int w = size.width();
    int h = size.height();
    const int minW = minimum.width();
    const int minH = minimum.height();
    FrameStep step;
    switch (region) {
    case RegionNone:
        step.pos = newPos;
        break;
    case RegionLeft:
        w -= delta.x();
        if (minW < w) {
            step.size = QSize(w, h);
            step.pos = QPoint(newPos.x(), windowPos.y());
        }
        break;
    case RegionRight:
        step.size = QSize(w + delta.x(), h);
        break;
    case RegionTop:
        h -= delta.y();
        if (minH < h) {
            step.size = QSize(w, h);
            step.pos = QPoint(windowPos.x(), newPos.y());
        }
        break;
    case RegionTopLeft:
        w -= delta.x();
        h -= delta.y();
        if (minW < w && minH < h) {
            step.size = QSize(w, h);
            step.pos = newPos;
        }
        break;
    case RegionTopRight:
        w += delta.x();
        h -= delta.y();
        if (minW < w && minH < h) {
            step.size = QSize(w, h);
            step.pos = QPoint(windowPos.x(), newPos.y());
        }
        break;
    case RegionBottom:
        step.size = QSize(w, h + delta.y());
        break;
    case RegionBottomLeft:
        w -= delta.x();
        h += delta.y();
        if (minW < w && minH < h) {
            step.size = QSize(w, h);
            step.pos = QPoint(newPos.x(), windowPos.y());
        }
        break;
    case RegionBottomRight:
        step.size = QSize(w + delta.x(), h + delta.y());
        break;
    default:
        break;
    }
    return step;
}
