#pragma once

// What poppler, a reader other than the one that wrote a file, shows of a page.

#include <QImage>
#include <QRectF>
#include <QString>

namespace testpdfs {

// The page (0-based) as pdftoppm draws its crop box, one pixel a point.
QImage popplerPage(const QString& path, int page, const QString& password = QString());

// The page's text as pdftotext reads it.
QString popplerText(const QString& path, int page, const QString& password = QString());

// The smallest rectangle holding every pixel for which isInk holds.
QRectF inkBounds(const QImage& image, bool (*isInk)(QRgb));

} // namespace testpdfs
