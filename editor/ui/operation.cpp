#include "operation.h"

namespace pxv {

IPXV_ParamNode* ParamNode::child(const QString& name)
{
    std::unique_ptr<ParamNode>& node = m_children[name];
    if (!node)
        node = std::make_unique<ParamNode>();
    return node.get();
}

bool ParamNode::hasChild(const QString& name) const
{
    return m_children.find(name) != m_children.end();
}

QStringList ParamNode::childNames() const
{
    QStringList names;
    for (const auto& child : m_children)
        names.append(child.first);
    return names;
}

} // namespace pxv
