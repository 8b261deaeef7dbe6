#pragma once

#include <QString>

namespace bench {

// A text manual as Qt writes it (embedded font subsets, one flowing text): the kind of file
// users open most.
void writeManual(const QString& path, int pages);

// A long document written directly, quickly: each page holds a few lines of text.
void writeLongDocument(const QString& path, int pages);

} // namespace bench
