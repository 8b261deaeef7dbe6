#include "qcontrolhost.h"

#include <QHash>
#include <QVBoxLayout>

namespace {

QHash<QString, QControlHost::Factory>& registry()
{
    static QHash<QString, QControlHost::Factory> factories;
    return factories;
}

} // namespace

QControlHost::QControlHost(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

QControlHost::~QControlHost()
{
    clear();
}

void QControlHost::registerClass(const QString& classId, Factory factory)
{
    registry().insert(classId.toLower(), std::move(factory));
}

void QControlHost::unregisterClass(const QString& classId)
{
    registry().remove(classId.toLower());
}

bool QControlHost::isRegistered(const QString& classId)
{
    return registry().contains(classId.toLower());
}

bool QControlHost::setControl(const QString& classId)
{
    clear();
    const auto it = registry().constFind(classId.toLower());
    if (it == registry().constEnd())
        return false;
    const Created created = (*it)(this);
    if (!created.widget || !created.control) {
        delete created.widget;
        return false;
    }
    m_widget = created.widget;
    m_control = created.control;
    m_control->advise([this](int id, IDispatch* event, IUnknown* from) { emit OnEvent(id, event, from); });
    layout()->addWidget(m_widget);
    return true;
}

void QControlHost::clear()
{
    if (m_control)
        m_control->advise(nullptr);
    delete m_widget;
    m_widget = nullptr;
    m_control = nullptr;
}
