#include "qcommonmethod.h"

#include "cglobal.h"
#include "qmsgbox.h"

#include <QDesktopServices>
#include <QFile>
#include <QHash>
#include <QUrl>

namespace {

// Pages that ship with the program, by key, relative to the program's folder. The program has
// no web site, so every other key ("home", the converter products) has no page to open.
const QHash<QString, QString>& localPages()
{
    static const QHash<QString, QString> pages = {
        {QStringLiteral("tutorial"), QStringLiteral("docs/user-guide.html")},
    };
    return pages;
}

QCommonMethod::LinkHandler& linkHandler()
{
    static QCommonMethod::LinkHandler handler;
    return handler;
}

} // namespace

void QCommonMethod::openUrl(const QString& key, const QString&)
{
    const auto page = localPages().constFind(key);
    if (page == localPages().constEnd()) {
        QMsgBox::showInformation(tr("Vellumpad has no web site; this page is not available."));
        return;
    }
    const QString file = CGlobal::getAppPath() + page.value();
    if (!QFile::exists(file)) {
        QMsgBox::showWarning(tr("The page is not installed. It was expected at:\n%1").arg(file));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        QMsgBox::showWarning(tr("No program is set up to open this page:\n%1").arg(file));
}

void QCommonMethod::setLinkHandler(LinkHandler handler)
{
    linkHandler() = std::move(handler);
}

void QCommonMethod::openLink(const QString& softId, const QString& key, const QString& extra)
{
    if (linkHandler() && linkHandler()(softId, key, extra))
        return;
    QString product = softId;
    if (softId == QLatin1String("pagemorph_win"))
        product = tr("the PDF converter");
    else if (softId == QLatin1String("draftmorph_win"))
        product = tr("the CAD converter");
    QMsgBox::showInformation(
        tr("The conversion tools are separate products, and there is no page for %1 here.").arg(product));
}
