#pragma once

#include "ui/layer.h"

#include <QPointer>
#include <QTreeWidget>

namespace pxv {

class Document;

// The document's optional-content groups with a check box each: unticking one hides what it
// holds on screen, in every view of the document. A view setting: nothing is edited or saved.
class LayersPane : public QTreeWidget
{
    Q_OBJECT
public:
    explicit LayersPane(Document* document, QWidget* parent = nullptr);

    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onItemChanged(QTreeWidgetItem* item);

    QPointer<Document> m_document;
    bool m_filling = false;
};

} // namespace pxv
