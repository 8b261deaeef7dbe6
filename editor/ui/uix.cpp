#include "uix.h"

#include <QAction>

namespace pxv {

Command::Command(const QString& name, QAction* action) : m_name(name), m_action(action)
{
}

void Command::setHidden(bool hidden)
{
    m_hidden = hidden;
    if (m_action)
        m_action->setVisible(!hidden);
}

void CommandList::add(const QString& name, QAction* action)
{
    m_commands[name] = std::make_unique<Command>(name, action);
}

IPXV_Command* CommandList::find(const QString& name)
{
    const auto it = m_commands.find(name);
    return it == m_commands.end() ? nullptr : it->second.get();
}

} // namespace pxv
