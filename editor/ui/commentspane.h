#pragma once

#include "ui/layer.h"

#include <QPointer>
#include <QTreeWidget>

namespace pxv {

class Document;
class PageView;

// Every annotation of a document by page, with its kind, author, date and text. A click shows
// it on its page and selects it; Delete or the context menu deletes it. Read while shown only:
// listing reads every page.
class CommentsPane : public QTreeWidget
{
    Q_OBJECT
public:
    CommentsPane(Document* document, PageView* pages, QWidget* parent = nullptr);

    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void onItemClicked(QTreeWidgetItem* item);
    void deleteItem(QTreeWidgetItem* item);

    QPointer<Document> m_document;
    QPointer<PageView> m_pages;
};

} // namespace pxv
