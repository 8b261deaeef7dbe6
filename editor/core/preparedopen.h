#pragma once

#include "core/layer.h"

#include "document.h"
#include "outlineloader.h"

#include <QDateTime>
#include <QString>

#include <memory>

namespace pxv {

// A file read while its host waits to open it: the document, a render worker's copy with the
// first page read, and the outline. What is built on them serves the open that follows only
// while the file is as it was; a file that cannot be opened, or that asks for a password, is
// left to that open.
class PreparedOpen
{
public:
    explicit PreparedOpen(const QString& cleanPath);
    ~PreparedOpen();

    struct Taken
    {
        std::unique_ptr<Document> document; // null when nothing could be prepared
        std::unique_ptr<OutlineLoader> outline; // null for a file without an outline
    };
    // What was read; taken once.
    Taken take();
    // Whether what was read is cleanPath's file as it is now.
    bool isFor(const QString& cleanPath) const;

private:
    QString m_path;
    QDateTime m_modified;
    qint64 m_bytes = -1;
    Taken m_prepared;
};

} // namespace pxv
