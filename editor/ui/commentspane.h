#pragma once

#include "ui/layer.h"

#include "values/types.h"

#include "values/annotation.h"

#include <QPointer>
#include <QTreeWidget>

#include <optional>

class QComboBox;

namespace pxv {

class Document;
class PageView;

// Every annotation of a document by page, with its kind, author, date and text. A click shows
// it on its page and selects it; Delete or the context menu deletes it. Read while shown only:
// listing reads every page, so a step that changed some pages has only those read again.
class CommentsPane : public QTreeWidget
{
    Q_OBJECT
public:
    CommentsPane(Document* document, PageView* pages, QWidget* parent = nullptr);

    void refresh();
    // Lists only the comments of that kind (all when none).
    void setKindFilter(std::optional<AnnotationType> kind);
    // A choice of the kind to list, "All" first, that sets the pane's filter.
    QComboBox* makeFilter(QWidget* parent);
    // How many times a page's comments were read since the pane was made.
    int pagesRead() const { return m_pagesRead; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void onPagesChanged(const PageChanges& changes);
    // Reads the page's comments again into its place in the list (none when it has none).
    void refreshPage(int page);
    void onItemClicked(QTreeWidgetItem* item);
    void deleteItem(QTreeWidgetItem* item);

    QPointer<Document> m_document;
    QPointer<PageView> m_pages;
    int m_pagesRead = 0;
    std::optional<AnnotationType> m_kind;
};

} // namespace pxv
