#pragma once

#include "ui/layer.h"

#include <QColor>
#include <QIcon>

#include <functional>

class QPainter;
class QStyle;

namespace pxv::icons {

// The pen of drawn icons.
inline const QColor kInk(0x3c, 0x40, 0x44);
// Draws on a 24 x 24 grid at 48 pixels, so the icon stays crisp on HiDPI screens; the painter
// starts with kInk's pen and no brush.
QIcon drawn(const std::function<void(QPainter&)>& draw);

// Icons from the desktop theme, with drawn or style fallbacks so the toolbar never shows blanks.
QIcon open(const QStyle* style);
QIcon save(const QStyle* style);
QIcon saveAs(const QStyle* style);
QIcon close(const QStyle* style);
QIcon newBlank(const QStyle* style);
QIcon combine();
QIcon zoomIn();
QIcon zoomOut();
QIcon fitWidth();
QIcon fitPage();
QIcon firstPage(const QStyle* style);
QIcon previousPage(const QStyle* style);
QIcon nextPage(const QStyle* style);
QIcon lastPage(const QStyle* style);
QIcon outline();
QIcon find();
QIcon rotate(bool clockwise);
QIcon undo(bool forward);
QIcon history();
QIcon thumbnails();
QIcon crop();
QIcon resize();
QIcon help();
// The Comment menu's tools, by their command names; an empty icon for any other name.
QIcon commentTool(const QString& command);

} // namespace pxv::icons
