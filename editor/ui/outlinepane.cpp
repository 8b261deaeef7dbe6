#include "outlinepane.h"

#include "core/document.h"
#include "pageview.h"
#include "qtcompat.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QSet>
#include <QTreeWidgetItemIterator>

namespace pxv {

namespace {
constexpr int kPageRole = Qt::UserRole;
constexpr int kPositionRole = Qt::UserRole + 1;
constexpr int kTitleRole = Qt::UserRole + 2; // the title as the document has it
constexpr int kPendingRole = Qt::UserRole + 3; // listed before its target was read

// An entry's title with the titles above it: what finds the entry again after the tree is read
// anew, when its place may have changed.
QStringList titleChain(const QTreeWidgetItem* item)
{
    QStringList chain;
    for (; item; item = item->parent())
        chain.prepend(item->data(0, kTitleRole).toString());
    return chain;
}

void collectExpanded(const QTreeWidgetItem* item, QSet<QStringList>& out)
{
    if (item->isExpanded())
        out.insert(titleChain(item));
    for (int i = 0; i < item->childCount(); ++i)
        collectExpanded(item->child(i), out);
}
} // namespace

OutlinePane::OutlinePane(Document* document, PageView* pages, QWidget* parent)
    : QTreeWidget(parent), m_document(document), m_pages(pages)
{
    setObjectName(QStringLiteral("bookmarksView"));
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setFrameShape(QFrame::NoFrame);
    setTextElideMode(Qt::ElideRight);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    connect(this, &QTreeWidget::itemClicked, this, &OutlinePane::onItemActivated);
    connect(this, &QTreeWidget::itemActivated, this, &OutlinePane::onItemActivated);
    connect(this, &QTreeWidget::itemChanged, this, &OutlinePane::onItemChanged);
}

void OutlinePane::setOutline(const QList<OutlineItem>& outline)
{
    // Reading the outline again would close the editor and lose what is being typed.
    if (state() == EditingState) {
        m_waiting = outline;
        return;
    }
    // The same entries again, now with their targets: filled in where they are, so that what
    // the reader scrolled to, opened or chose meanwhile stays.
    if (m_showAfterLoad.isEmpty() && lists(nullptr, outline)) {
        m_filling = true;
        setTargets(nullptr, outline);
        m_filling = false;
        if (QTreeWidgetItem* chosen = itemAt(std::exchange(m_chosenWhilePending, {})))
            onItemActivated(chosen);
        return;
    }
    m_chosenWhilePending.clear();
    // Entries the reader opened stay open, and the current one current, when an edit has the
    // tree read again.
    QSet<QStringList> expanded;
    for (int i = 0; i < topLevelItemCount(); ++i)
        collectExpanded(topLevelItem(i), expanded);
    const QVector<int> current = currentItem() ? pathOf(currentItem()) : QVector<int>();
    m_filling = true;
    clear();
    addItems(nullptr, outline);
    m_filling = false;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (expanded.contains(titleChain(*it)))
            (*it)->setExpanded(true);
    }
    if (QTreeWidgetItem* item = itemAt(current))
        setCurrentItem(item);
    if (m_showAfterLoad.isEmpty())
        return;
    if (QTreeWidgetItem* shown = itemAt(m_showAfterLoad)) {
        scrollToItem(shown); // opens the entries above it
        setCurrentItem(shown);
        if (m_editShown)
            editItem(shown);
    }
    m_showAfterLoad.clear();
}

void OutlinePane::addItems(QTreeWidgetItem* parent, const QList<OutlineItem>& items)
{
    for (const OutlineItem& entry : items) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
        item->setText(0, entry.title);
        item->setData(0, kTitleRole, entry.title);
        setTarget(item, entry);
        addItems(item, entry.children);
        item->setExpanded(entry.open);
    }
}

void OutlinePane::setTarget(QTreeWidgetItem* item, const OutlineItem& entry)
{
    item->setToolTip(0, entry.page >= 0 ? tr("%1 (page %2)").arg(entry.title).arg(entry.page + 1) : entry.title);
    item->setData(0, kPageRole, entry.page);
    item->setData(0, kPositionRole, entry.position);
    item->setData(0, kPendingRole, entry.targetPending);
}

bool OutlinePane::lists(const QTreeWidgetItem* parent, const QList<OutlineItem>& items) const
{
    if ((parent ? parent->childCount() : topLevelItemCount()) != items.size())
        return false;
    for (int i = 0; i < items.size(); ++i) {
        const QTreeWidgetItem* item = parent ? parent->child(i) : topLevelItem(i);
        if (item->data(0, kTitleRole).toString() != items[i].title || !lists(item, items[i].children))
            return false;
    }
    return true;
}

void OutlinePane::setTargets(QTreeWidgetItem* parent, const QList<OutlineItem>& items)
{
    for (int i = 0; i < items.size(); ++i) {
        QTreeWidgetItem* item = parent ? parent->child(i) : topLevelItem(i);
        setTarget(item, items[i]);
        setTargets(item, items[i].children);
    }
}

QVector<int> OutlinePane::pathOf(const QTreeWidgetItem* item)
{
    QVector<int> path;
    for (; item; item = item->parent()) {
        const QTreeWidgetItem* parent = item->parent();
        path.prepend(parent ? parent->indexOfChild(const_cast<QTreeWidgetItem*>(item))
                            : item->treeWidget()->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)));
    }
    return path;
}

QTreeWidgetItem* OutlinePane::itemAt(const QVector<int>& path) const
{
    QTreeWidgetItem* item = nullptr;
    for (int index : path) {
        item = item ? item->child(index) : topLevelItem(index);
        if (!item)
            return nullptr;
    }
    return item;
}

void OutlinePane::edit(const std::function<void()>& change)
{
    if (!m_document)
        return;
    try {
        change();
    } catch (const DocumentError& error) {
        if (m_pages)
            emit m_pages->editFailed(error.message());
    }
}

void OutlinePane::addBookmark()
{
    if (!m_document || !m_pages || m_document->pageCount() == 0)
        return;
    const int page = m_pages->currentPage();
    QVector<int> path = currentItem() ? pathOf(currentItem()) : QVector<int>{topLevelItemCount()};
    if (currentItem())
        ++path.last();
    edit([&] {
        changeAndShow(path, true, [&] {
            m_document->addBookmark(path, tr("Page %1").arg(page + 1), page, m_pages->viewPosition());
        });
    });
}

void OutlinePane::changeAndShow(const QVector<int>& path, bool editTitle, const std::function<void()>& change)
{
    // Set first: a document without a file has its tree read again before the call returns.
    m_showAfterLoad = path;
    m_editShown = editTitle;
    try {
        change();
    } catch (const DocumentError&) {
        m_showAfterLoad.clear();
        throw;
    }
}

void OutlinePane::onItemChanged(QTreeWidgetItem* item)
{
    if (m_filling)
        return;
    const QString title = item->text(0).trimmed();
    if (title == item->data(0, kTitleRole).toString())
        return;
    later([this, path = pathOf(item), title] {
        try {
            m_document->renameBookmark(path, title);
        } catch (const DocumentError&) {
            // Refused (an empty title): the entry shows its title again.
            if (QTreeWidgetItem* shown = itemAt(path)) {
                m_filling = true;
                shown->setText(0, shown->data(0, kTitleRole).toString());
                m_filling = false;
            }
            throw;
        }
    });
}

void OutlinePane::deleteItem(QTreeWidgetItem* item)
{
    if (item)
        edit([&] { m_document->deleteBookmark(pathOf(item)); });
}

void OutlinePane::moveItem(QTreeWidgetItem* item, QTreeWidgetItem* target, Drop where)
{
    if (!item || item == target)
        return;
    QVector<int> to{topLevelItemCount()};
    if (target && where == Drop::Onto)
        to = pathOf(target) << target->childCount();
    else if (target && where == Drop::Above)
        to = pathOf(target);
    else if (target && where == Drop::Below)
        ++(to = pathOf(target)).last();
    const QVector<int> from = pathOf(item);
    // Dropped where it stands already.
    if (to == from
        || (to.size() == from.size() && to.mid(0, to.size() - 1) == from.mid(0, from.size() - 1)
            && to.last() == from.last() + 1))
        return;
    // to names a place before the move: behind the entry at the same level, it is one less after.
    QVector<int> landed = to;
    const int level = from.size() - 1;
    if (landed.size() > level && landed.mid(0, level) == from.mid(0, level) && landed[level] > from[level])
        --landed[level];
    later([this, from, to, landed] { changeAndShow(landed, false, [&] { m_document->moveBookmark(from, to); }); });
}

void OutlinePane::later(std::function<void()> change)
{
    // A document without a file has its tree read again at once, which would delete the items
    // Qt is still handling while it reports an edit or a drop.
    QMetaObject::invokeMethod(
        this, [this, change = std::move(change)] { edit(change); }, Qt::QueuedConnection);
}

void OutlinePane::dropEvent(QDropEvent* event)
{
    // The document moves the entry and the tree is read again: Qt's own move of the items must
    // not happen, nor the removal of the dragged item that follows an accepted move.
    const DropIndicatorPosition at = dropIndicatorPosition();
    QTreeWidgetItem* target = at == OnViewport ? nullptr : QTreeWidget::itemAt(qtcompat::pos(event));
    if (event->source() == this)
        moveItem(currentItem(), target, at == OnItem ? Drop::Onto : at == AboveItem ? Drop::Above : Drop::Below);
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
}

void OutlinePane::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidget::closeEditor(editor, hint);
    if (!m_waiting)
        return;
    // After the view is done closing the editor: the tree is cleared and filled anew.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_waiting && state() != EditingState)
                setOutline(*std::exchange(m_waiting, std::nullopt));
        },
        Qt::QueuedConnection);
}

void OutlinePane::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        deleteItem(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void OutlinePane::contextMenuEvent(QContextMenuEvent* event)
{
    QTreeWidgetItem* item = QTreeWidget::itemAt(event->pos());
    if (item)
        setCurrentItem(item);
    QMenu menu(this);
    qtcompat::addAction(menu, tr("&Add Bookmark"), QKeySequence(QStringLiteral("Ctrl+B")), this,
                        &OutlinePane::addBookmark);
    if (item) {
        qtcompat::addAction(menu, tr("&Rename"), QKeySequence(Qt::Key_F2), this, [this, item] { editItem(item); });
        qtcompat::addAction(menu, tr("&Delete"), QKeySequence(QKeySequence::Delete), this,
                            [this, item] { deleteItem(item); });
    }
    menu.exec(event->globalPos());
}

void OutlinePane::onItemActivated(QTreeWidgetItem* item)
{
    if (item->data(0, kPendingRole).toBool()) {
        m_chosenWhilePending = pathOf(item); // followed once the targets are read
        return;
    }
    const int page = item->data(0, kPageRole).toInt();
    if (page >= 0)
        emit signal_goTo(page, item->data(0, kPositionRole).toPointF());
}

} // namespace pxv
