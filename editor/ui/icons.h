#pragma once

#include "ui/layer.h"

#include <QIcon>

class QStyle;

namespace pxv::icons {

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

} // namespace pxv::icons
