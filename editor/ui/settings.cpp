#include "settings.h"

#include <QSettings>
#include <QStandardPaths>

namespace pxv {

namespace {

// The settings the user shapes over time, rather than ones a host sets each run.
bool isKept(const QString& name)
{
    return name == Settings::kCommentStyles || name == Settings::kCommentBar;
}

QString keptFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/editor.ini");
}

} // namespace

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
    if (isKept(name))
        QSettings(keptFile(), QSettings::IniFormat).setValue(name, value);
    if (m_onChange)
        m_onChange(name);
}

bool Settings::getBool(const QString& name, bool defaultValue) const
{
    return value(name, defaultValue).toBool();
}

QString Settings::getString(const QString& name, const QString& defaultValue) const
{
    return value(name, defaultValue).toString();
}

QVariant Settings::value(const QString& name, const QVariant& defaultValue) const
{
    auto it = m_values.constFind(name);
    // A kept setting is read from its file once; painting the comment looks asks for it often.
    if (it == m_values.constEnd() && isKept(name)) {
        const QVariant stored = QSettings(keptFile(), QSettings::IniFormat).value(name);
        if (!stored.isValid())
            return defaultValue;
        it = m_values.insert(name, stored);
    }
    return it == m_values.constEnd() ? defaultValue : *it;
}

} // namespace pxv
