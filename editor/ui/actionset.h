#pragma once

#include "ui/layer.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class QAction;
class QWidget;

namespace pxv {

// The component's commands as actions: text, icon and shortcut. Shortcuts work while the focus is
// inside the widget the actions are created for.
class ActionSet : public QObject
{
    Q_OBJECT
public:
    explicit ActionSet(QWidget* owner);

    QAction* action(const QString& name) const { return m_actions.value(name); }
    QStringList names() const { return m_order; }

signals:
    void signal_triggered(const QString& name);

private:
    QAction* add(const QString& name, const QString& text, const QIcon& icon, const QList<QKeySequence>& keys = {});

    QWidget* m_owner;
    QHash<QString, QAction*> m_actions;
    QStringList m_order;
};

} // namespace pxv
