#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Resize regions of the frameless main window, by the cursor's distance from the window edges.
enum FrameRegion {
    RegionNone = 0,
    RegionLeft = 10,
    RegionRight = 11,
    RegionTop = 12,
    RegionTopLeft = 13,
    RegionTopRight = 14,
    RegionBottom = 15,
    RegionBottomLeft = 16,
    RegionBottomRight = 17,
};

// The region for a global cursor position; within 3 pixels of an edge counts as that edge.
int hitTestRegion(const QPoint& cursor, const QRect& geometry);
Qt::CursorShape cursorForRegion(int region);

// One step of a drag or resize. Where the position changes with the size, a step that would make
// the window as small as its minimum or smaller is refused whole; elsewhere resize() clamps.
struct FrameStep
{
    std::optional<QSize> size;
    std::optional<QPoint> pos;
};
FrameStep frameDragStep(int region, const QPoint& delta, const QPoint& windowPos, const QSize& size,
                        const QSize& minimum);
