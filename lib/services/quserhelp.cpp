#include "quserhelp.h"

#include "cglobal.h"
#include "qmsgbox.h"
#include "quser.h"

#include <QInputDialog>
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
    bool ok = false;
    const QString name = QInputDialog::getText(m_window, tr("Sign in"), tr("Display name:"), QLineEdit::Normal,
                                               QString(), &ok);
    if (ok && !name.trimmed().isEmpty())
        QUser::Instance()->signIn(name, QString());
}

void QUserHelp::showUserWidget(const QPoint&)
{
    QUser::Instance()->signOut();
}

void QUserHelp::showCustomerWidget(const QPoint&)
{
    QMsgBox::showInformation(tr("There is no customer service for this installation."));
}

void QUserHelp::showAboutDialog()
{
    QMsgBox::showInformation(QStringLiteral("%1 %2 (%3)").arg(CGlobal::getAppTitle(), CGlobal::getVersion())
                                 .arg(CGlobal::getBuildDate()));
}
