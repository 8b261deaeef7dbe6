#pragma once

#include "ui/layer.h"

#include "values/types.h"

#include <QTreeWidget>

namespace pxv {

// The document's outline as a tree; activating an entry asks to go to its page.
class OutlinePane : public QTreeWidget
{
    Q_OBJECT
public:
    explicit OutlinePane(QWidget* parent = nullptr);

    void setOutline(const QList<OutlineItem>& outline);
    bool isEmpty() const { return topLevelItemCount() == 0; }

signals:
    void signal_goTo(int page, const QPointF& position);

private slots:
    void onItemActivated(QTreeWidgetItem* item);

private:
    void addItems(QTreeWidgetItem* parent, const QList<OutlineItem>& items);
};

} // namespace pxv
