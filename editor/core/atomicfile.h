#pragma once

#include <QString>

#include <functional>

namespace pxv {

// Replaces target atomically: write(tempPath) fills a temporary file in target's folder, which
// is then flushed to disk, given target's permissions (when target exists) and renamed over
// target (the file a symbolic link points to, when target is one). On any failure the temporary file goes and target is untouched; the error is thrown
// as DocumentError (SaveFailed). write may throw anything derived from std::exception.
void replaceFileAtomically(const QString& target, const std::function<void(const QString& tempPath)>& write);

} // namespace pxv
