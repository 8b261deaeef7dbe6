#pragma once

#include "core/layer.h"

// Pages written out as images and in other document formats.

#include "document.h"

namespace pxv {

enum class ExportFormat { Png, Jpeg, Svg, Docx, Odt, Text, Html };

struct ExportSettings
{
    ExportFormat format = ExportFormat::Png;
    int quality = 90; // JPEG quality, 1 to 100
    int dpi = 150; // images
};

// One file to write and the pages (0-based) it holds; PNG, JPEG and SVG files hold one page.
struct ExportFile
{
    QString path;
    QVector<int> pages;
};

// Whether a file of format holds one page only.
bool isOnePagePerFile(ExportFormat format);

// The file name pattern gives for page (1-based): every "{n}" stands for the number.
QString pageFileName(const QString& pattern, int page);

// Writes the files from source's version, drawing from a copy of its own, each replacing a
// file there atomically; files of one page are shared out among as many threads as the machine
// has cores, each with a copy of its own. Meant for a worker thread: progress is told on it
// or its helpers (one at a time) before each page
// (index and count over all the files' pages, the path of the file the page goes into), and
// returning false stops with DocumentError::Cancelled. On any failure the files written so
// far are removed again.
void exportPages(const RenderSource& source, const QList<ExportFile>& files, const ExportSettings& settings,
                 const SplitProgress& progress = {});

// Draws the pages (0-based) of source's version at dpi from a copy of its own, handing each
// image to take with the page's index in pages; take returning false stops with
// DocumentError::Cancelled. Meant for a worker thread.
void drawPages(const RenderSource& source, const QVector<int>& pages, int dpi,
               const std::function<bool(int index, const QImage& image)>& take);

} // namespace pxv
