#include "settings.h"

namespace pxv {

void Settings::setBool(const QString& name, bool value)
{
    set(name, value);
}

void Settings::setString(const QString& name, const QString& value)
{
    set(name, value);
}

void Settings::set(const QString& name, const QVariant& value)
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

QString Settings::getString(const QString& name, const QString& defaultValue) const
{
    const auto it = m_values.constFind(name);
    return it == m_values.constEnd() ? defaultValue : it->toString();
}

} // namespace pxv
