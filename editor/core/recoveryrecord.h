#pragma once

#include "core/layer.h"

// What a recovery record keeps of a document with unsaved changes: enough to open it again
// with its changes after the program ended without saving them.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <mutex>
#include <stdexcept>
#include <vector>

namespace pxv {

// Recognises a file again without reading all of it: its size, modification time and a
// digest of its first and last megabyte.
struct FileIdentity
{
    qint64 size = -1; // -1: the file could not be read
    QDateTime modified;
    QByteArray digest;

    static FileIdentity of(const QString& path);
    bool operator==(const FileIdentity& other) const;
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// A file's identity in two parts: its size and time when this is made, which is cheap, and the
// digest of its ends when first asked for, on whichever thread asks first (it reads two
// megabytes). get() gives size -1 when the file no longer has the size and time it had.
class LazyFileIdentity
{
public:
    explicit LazyFileIdentity(const QString& path);
    qint64 size() const { return m_size; }
    FileIdentity get() const;

private:
    QString m_path;
    qint64 m_size = -1;
    QDateTime m_modified;
    mutable std::once_flag m_once;
    mutable FileIdentity m_identity;
};

// A record that cannot be read: cut short, altered, or not a record at all.
class RecoveryRecordError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct RecoveryRecord
{
    enum class Kind {
        Update, // payload is the update section a save would append to the source file
        Document, // payload is the whole document
    };

    Kind kind = Kind::Document;
    QString sourcePath; // the document's file; null for a document without one
    FileIdentity source; // the file as the update applies to it
    QString title; // what the document was called
    std::vector<int> objects; // Update: the objects it holds
    QByteArray payload;
    qint64 pid = 0; // the process that wrote it
    QDateTime changed; // when the document last changed

    QByteArray toBytes() const;
    // Throws RecoveryRecordError.
    static RecoveryRecord fromBytes(const QByteArray& bytes);
};

} // namespace pxv
