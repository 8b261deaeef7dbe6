#include "quserhelp.h"

#include "qaboutdialog.h"
#include "qmsgbox.h"
#include "qsignindialog.h"
#include "quser.h"
#include "quserpanel.h"

#include <QWidget>

QUserHelp::QUserHelp(QWidget* window, QObject* parent) : QObject(parent), m_window(window)
{
    connect(QUser::Instance(), &QUser::signal_login, this, &QUserHelp::signal_login);
    connect(QUser::Instance(), &QUser::signal_logout, this, &QUserHelp::signal_logout);
    connect(QUser::Instance(), &QUser::signal_avatar, this, &QUserHelp::signal_avatar);
}

bool QUserHelp::preLogin()
{
    return QUser::Instance()->isSignedIn();
}

void QUserHelp::checkUpdate(bool interactive)
{
    if (interactive)
        QMsgBox::showInformation(tr("No update service is configured for this installation. "
                                    "Updates arrive through your system's package manager."));
}

void QUserHelp::onUserRegister()
{
    QSignInDialog dialog(m_window);
    dialog.exec();
}

void QUserHelp::showUserWidget(const QPoint& anchor)
{
    if (!QUser::Instance()->isSignedIn()) {
        onUserRegister();
        return;
    }
    (new QUserPanel(m_window))->popup(anchor);
}

void QUserHelp::showCustomerWidget(const QPoint&)
{
    QMsgBox::showInformation(tr("There is no customer service for this installation."));
}

void QUserHelp::showAboutDialog()
{
    QAboutDialog dialog(m_window);
    dialog.exec();
}
