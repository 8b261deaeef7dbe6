#pragma once

#include "core/layer.h"

#include <QByteArray>
#include <QString>

#include <QtGlobal>

#include <functional>
#include <optional>

namespace pxv {

// Replaces target atomically: write(tempPath) fills a temporary file in target's folder, which
// is then flushed to disk, given target's permissions (when target exists) and renamed over
// target (the file a symbolic link points to, when target is one). On any failure the temporary
// file goes and target is untouched; the error is thrown as DocumentError (SaveFailed). write may
// throw anything derived from std::exception.
//
// The temporary file is ".<target name>.XXXXXX.saving", locked with flock while it is written. A
// process killed while saving leaves it behind; the next save of the same target removes every
// such file of this user that nobody holds locked.
void replaceFileAtomically(const QString& target, const std::function<void(const QString& tempPath)>& write);

// Copies the bytes of from over the existing file to. Throws DocumentError (SaveFailed) whose
// message names what failed and why (for example "No space left on device").
void copyFileContents(const QString& from, const QString& to);

// Which file a path names and what it holds, as far as a PDF tells: another file put in its
// place gives another stamp, and so does the same file written over or added to (which changes
// its size, its header or its trailer), but not one only touched.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    QByteArray ends; // the first and the last few kilobytes

    bool isSameFile(const FileStamp& other) const { return device == other.device && inode == other.inode; }
    bool operator==(const FileStamp& other) const
    {
        return isSameFile(other) && size == other.size && ends == other.ends;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
// None when path names nothing that can be read.
std::optional<FileStamp> fileStamp(const QString& path);

} // namespace pxv
