#include "outlinepane.h"

#include <QHeaderView>

namespace pxv {

namespace {
constexpr int kPageRole = Qt::UserRole;
constexpr int kPositionRole = Qt::UserRole + 1;
} // namespace

OutlinePane::OutlinePane(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setFrameShape(QFrame::NoFrame);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QTreeWidget::itemClicked, this, &OutlinePane::onItemActivated);
    connect(this, &QTreeWidget::itemActivated, this, &OutlinePane::onItemActivated);
}

void OutlinePane::setOutline(const QList<OutlineItem>& outline)
{
    clear();
    addItems(nullptr, outline);
}

void OutlinePane::addItems(QTreeWidgetItem* parent, const QList<OutlineItem>& items)
{
    for (const OutlineItem& entry : items) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, entry.title);
        item->setToolTip(0, entry.page >= 0 ? tr("%1 (page %2)").arg(entry.title).arg(entry.page + 1) : entry.title);
        item->setData(0, kPageRole, entry.page);
        item->setData(0, kPositionRole, entry.position);
        addItems(item, entry.children);
        item->setExpanded(entry.open);
    }
}

void OutlinePane::onItemActivated(QTreeWidgetItem* item)
{
    const int page = item->data(0, kPageRole).toInt();
    if (page >= 0)
        emit signal_goTo(page, item->data(0, kPositionRole).toPointF());
}

} // namespace pxv
