#pragma once

// What is stamped on pages: a watermark or a header or footer line, laid out the same way.

#include <QColor>
#include <QMarginsF>
#include <QString>

namespace pxv {

// Stamps of one kind are found and taken out together, and never touch the other kind.
enum class StampKind { Watermark, HeaderFooter };

enum class StampPosition { Center, Tile, TopLeft, TopRight, BottomLeft, BottomRight, Top, Bottom };

struct StampStyle
{
    StampKind kind = StampKind::Watermark;
    QString imagePath; // a PNG or JPEG drawn instead of text when not empty
    // The image's size as a factor of its own (1: as large as its resolution makes it); 0: its
    // own size, shrunk to fit 60% of the page when larger.
    double imageScale = 0;
    double fontSize = 48;
    QColor color = QColor(128, 128, 128);
    double opacity = 1; // 0 to 1
    double rotation = 0; // degrees, counter-clockwise as the page is shown
    StampPosition position = StampPosition::Center;
    bool behind = false; // under the page's content rather than over it
    QMarginsF margins{36, 36, 36, 36}; // from the shown page's edges, for every position but Center
};

} // namespace pxv
