#pragma once

#include "ui/layer.h"

// Pages onto a printer.

#include "core/document.h"

class QPrinter;

namespace pxv {

// Prints the pages (0-based) of source's version: a worker draws each from its own copy at the
// printer's resolution, and the calling thread paints it onto the printer, scaled to fit the
// printable area (fit) or at its own size, centred, on a sheet turned to the page's shape
// (landscape for a page wider than high). progress is told before each page on the
// calling thread; false stops, with DocumentError::Cancelled, and the printer's job is aborted.
void printPages(const RenderSource& source, const QVector<int>& pages, QPrinter& printer, bool fit,
                const SplitProgress& progress);

} // namespace pxv
