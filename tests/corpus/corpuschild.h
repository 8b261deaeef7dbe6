#pragma once

// One corpus file fed through the editor control as a user would reach it, in a process of
// its own: open (answering a password prompt from the file's sidecar, or cancelling it),
// render every page 100 px wide, read the outline and links, search the text, zoom and page
// through the view, rotate a page and save a copy, then open the copy again. Prints what happened on stdout and every
// broken expectation on stderr; returns the process exit code (0 when every expectation held).

#include <QString>

namespace corpus {

int runCorpusFile(const QString& path);

} // namespace corpus
