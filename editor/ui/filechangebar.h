#pragma once

#include "ui/layer.h"

// A bar above a document that says when its file was changed on disk by someone else, and
// offers to reload it. Saves of the document itself leave it hidden.

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QFrame>

#include <utility>

namespace pxv {

class Document;

class FileChangeBar : public QFrame
{
    Q_OBJECT
public:
    FileChangeBar(Document* document, QWidget* parent);

    // Shows the bar when the file is no longer what the document last read or wrote.
    void checkFile();

signals:
    void reloadRequested();

private:
    using Stamp = std::pair<qint64, QDateTime>;
    static Stamp stamp(const QString& path);
    void buildContents();
    void follow(); // watches the document's file as it is now

    Document* m_document;
    QFileSystemWatcher m_watcher;
    Stamp m_known;
};

} // namespace pxv
