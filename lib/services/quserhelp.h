#pragma once

#include <QObject>
#include <QPixmap>
#include <QPoint>

class QWidget;

// Account, update, about and customer-service helper of the main window. It relays the account
// signals of QUser to its owner.
class QUserHelp : public QObject
{
    Q_OBJECT
public:
    QUserHelp(QWidget* window, QObject* parent);

    bool preLogin();
    void checkUpdate(bool interactive);
    void showUserWidget(const QPoint& anchor);
    void showCustomerWidget(const QPoint& anchor);
    void showAboutDialog();

public slots:
    void onUserRegister();

signals:
    void signal_login(const QString& name);
    void signal_logout();
    void signal_avatar(const QPixmap& avatar);

private:
    QWidget* m_window;
};
