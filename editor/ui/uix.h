#pragma once

#include "ui/layer.h"

#include "ipxv.h"

#include <QPointer>

#include <map>

class QAction;

namespace pxv {

// A command of the component bound to the action its toolbar and menus show. Hiding the command
// hides the action everywhere and turns its shortcut off.
class Command : public IPXV_Command
{
public:
    Command(const QString& name, QAction* action);

    QString name() const override { return m_name; }
    void setHidden(bool hidden) override;
    bool isHidden() const override { return m_hidden; }

private:
    QString m_name;
    QPointer<QAction> m_action;
    bool m_hidden = false;
};

class CommandList : public IPXV_CommandList
{
public:
    void add(const QString& name, QAction* action);
    // Null for an unknown name.
    IPXV_Command* find(const QString& name) override;

private:
    std::map<QString, std::unique_ptr<Command>> m_commands;
};

// The "UIX" extension.
class UIExtension : public IPXV_Extension
{
public:
    IPXV_CommandList* commands() override { return &m_commands; }
    CommandList& commandList() { return m_commands; }

private:
    CommandList m_commands;
};

} // namespace pxv
