#include "qcommonmethod.h"

#include "cglobal.h"
#include "qmsgbox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

void QCommonMethod::openUrl(const QString& key, const QString&)
{
    if (key == QLatin1String("tutorial")) {
        const QString guide = CGlobal::getAppPath() + QStringLiteral("docs/user-guide.html");
        if (QFile::exists(guide) && QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
            return;
    }
    QMsgBox::showInformation(QCoreApplication::translate("QCommonMethod", "This page is not available."));
}

void QCommonMethod::openLink(const QString&, const QString&, const QString&)
{
    QMsgBox::showInformation(QCoreApplication::translate("QCommonMethod", "This product page is not available."));
}
