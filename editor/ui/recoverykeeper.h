#pragma once

#include "ui/layer.h"

// Keeps the recovery record of one open document up to date: written about a second after the
// document last changed, removed when it is saved, undone back to its file or closed.

#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace pxv {

class Document;
class RecoveryStore;

// The store records go to; null until the host sets a folder.
RecoveryStore* recoveryStore();

class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    RecoveryKeeper(Document* document, QObject* parent);
    ~RecoveryKeeper() override; // the document is closed: its changes are not wanted

private:
    void changed();
    void write();
    void remove();

    Document* m_document;
    QTimer m_delay;
    QString m_name; // the record's file name once one is written
    QDateTime m_changed;
};

} // namespace pxv
