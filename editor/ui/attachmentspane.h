#pragma once

#include "ui/layer.h"

#include <QPointer>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;

namespace pxv {

class Document;
class DialogProvider;

// The files embedded in a document with their size and description. Add embeds files, Remove
// (or Delete) takes one out, each a step of the document; Open shows one with the desktop's
// program for its type, from a copy in a private temporary folder; Save writes it out.
class AttachmentsPane : public QWidget
{
    Q_OBJECT
public:
    AttachmentsPane(Document* document, QWidget* parent = nullptr);

    // What asks for files and opens them; the pane's buttons do nothing without.
    void setDialogs(DialogProvider* dialogs) { m_dialogs = dialogs; }
    QTreeWidget* list() const { return m_list; }
    void refresh();

    void addFiles();
    void openCurrent();
    void saveCurrent();
    void removeCurrent();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString currentName() const;
    void updateButtons();
    void fail(const QString& message);

    QPointer<Document> m_document;
    DialogProvider* m_dialogs = nullptr;
    QTreeWidget* m_list;
    QToolButton* m_add;
    QToolButton* m_open;
    QToolButton* m_save;
    QToolButton* m_remove;
};

} // namespace pxv
