#pragma once

// PDFs painted with QPdfWriter: real embedded font subsets, as most files users open are made.

#include <QString>

namespace testpdfs {

// pageCount A4 pages, each saying its number in large type; returns path.
QString write(const QString& path, int pageCount);

// A text manual of A4 pages: a heading, a flowing paragraph and a ruled table on each.
void writeManual(const QString& path, int pages);

} // namespace testpdfs
