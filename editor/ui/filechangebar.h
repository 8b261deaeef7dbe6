#pragma once

#include "ui/layer.h"

// A bar above a document that says when its file was changed on disk by someone else, and
// offers to reload it. Saves of the document itself leave it hidden.

#include "core/recoveryrecord.h"

#include <QFileSystemWatcher>
#include <QFrame>

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
    void follow(); // watches the document's file as it is now

    Document* m_document;
    QFileSystemWatcher m_watcher;
    FileIdentity m_known;
};

} // namespace pxv
