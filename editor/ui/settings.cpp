#include "settings.h"

namespace pxv {

void Settings::setBool(const QString& name, bool value)
{
    if (name.isEmpty())
        throw PXV_Error(PXV_Error::InvalidArgument, QStringLiteral("A setting needs a name."));
    m_values.insert(name, value);
    if (m_onChange)
        m_onChange(name);
}

bool Settings::getBool(const QString& name, bool defaultValue) const
{
    const auto it = m_values.constFind(name);
    return it == m_values.constEnd() ? defaultValue : it->toBool();
}

} // namespace pxv
