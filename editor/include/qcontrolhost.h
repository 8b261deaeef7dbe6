#pragma once

#include "ipxv.h"

#include <QWidget>

#include <functional>

// Hosts a component control by class identifier, the way an ActiveX container would.
class QControlHost : public QWidget
{
    Q_OBJECT
public:
    struct Created
    {
        QWidget* widget = nullptr;
        IPXV_Control* control = nullptr;
    };
    using Factory = std::function<Created(QWidget* parent)>;

    explicit QControlHost(QWidget* parent = nullptr);
    ~QControlHost() override;

    static void registerClass(const QString& classId, Factory factory);
    static void unregisterClass(const QString& classId);
    static bool isRegistered(const QString& classId);

    // Creates the control; false when the class id is unknown.
    bool setControl(const QString& classId);
    void clear();

    // The control's main interface, null before setControl succeeded.
    IPXV_Control* queryInterface() const { return m_control; }
    QWidget* controlWidget() const { return m_widget; }

signals:
    void OnEvent(int eventId, IDispatch* event, IUnknown* from);

private:
    QWidget* m_widget = nullptr;
    IPXV_Control* m_control = nullptr;
};
