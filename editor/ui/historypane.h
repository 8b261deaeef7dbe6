#pragma once

#include "ui/layer.h"

#include <QListWidget>
#include <QPointer>

namespace pxv {

class Document;

// A document's undo history as a list: the document as opened, then every step. The steps in
// force are above the current row, those that can be redone below it, greyed; a click goes
// back or forward to that row in one go.
class HistoryPane : public QListWidget
{
    Q_OBJECT
public:
    explicit HistoryPane(Document* document, QWidget* parent = nullptr);

private slots:
    void onHistoryChanged();
    void onRowClicked(QListWidgetItem* item);

private:
    QPointer<Document> m_document;
};

} // namespace pxv
