#pragma once

#include "ui/layer.h"

#include "values/types.h"

#include <QPointer>
#include <QTreeWidget>
#include <QVector>

#include <functional>
#include <optional>

namespace pxv {

class Document;
class PageView;

// The document's outline as a tree of bookmarks. Activating an entry goes to its page; F2 renames
// an entry in place, Delete or the context menu deletes it, dragging reorders or nests it. Each
// edit is one step of the document, and the tree is read again from the document afterwards.
class OutlinePane : public QTreeWidget
{
    Q_OBJECT
public:
    OutlinePane(Document* document, PageView* pages, QWidget* parent = nullptr);

    void setOutline(const QList<OutlineItem>& outline);
    bool isEmpty() const { return topLevelItemCount() == 0; }

    // Adds a bookmark for the page and view the pages show, after the current entry (or at the
    // end), and opens its title for editing once the outline is read again.
    void addBookmark();
    // Where a dragged entry goes relative to the one it is dropped at.
    enum class Drop { Above, Onto, Below };
    // Moves item as a drop at target would (target null: to the end).
    void moveItem(QTreeWidgetItem* item, QTreeWidgetItem* target, Drop where);
    // The entry's path of 0-based indices from the top level, as Document takes it.
    static QVector<int> pathOf(const QTreeWidgetItem* item);

signals:
    void signal_goTo(int page, const QPointF& position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private slots:
    void onItemActivated(QTreeWidgetItem* item);
    void onItemChanged(QTreeWidgetItem* item);

private:
    void addItems(QTreeWidgetItem* parent, const QList<OutlineItem>& items);
    void setTarget(QTreeWidgetItem* item, const OutlineItem& entry);
    // Whether items are the entries under parent (null: the top level), title for title.
    bool lists(const QTreeWidgetItem* parent, const QList<OutlineItem>& items) const;
    void setTargets(QTreeWidgetItem* parent, const QList<OutlineItem>& items);
    QTreeWidgetItem* itemAt(const QVector<int>& path) const;
    void deleteItem(QTreeWidgetItem* item);
    // Runs an edit of the document, telling the pages' owner when it fails.
    void edit(const std::function<void()>& change);
    // The same once the event at hand is done with.
    void later(std::function<void()> change);
    // Runs change, after which the entry at path (as the outline then is) is shown.
    void changeAndShow(const QVector<int>& path, bool editTitle, const std::function<void()>& change);

    QPointer<Document> m_document;
    QPointer<PageView> m_pages;
    bool m_filling = false;
    // An entry added or moved, made current once it is listed; a new one's title opens for typing.
    QVector<int> m_showAfterLoad;
    bool m_editShown = false;
    QVector<int> m_chosenWhilePending; // an entry activated before its target was read
    // An outline read while a title was being typed, shown once the typing ends.
    std::optional<QList<OutlineItem>> m_waiting;
};

} // namespace pxv
