#include "widgettest.h"

#include "cglobal.h"
#include "qaboutdialog.h"
#include "qcommonmethod.h"
#include "qsignindialog.h"
#include "quser.h"
#include "quserhelp.h"
#include "quserpanel.h"
#include "qtcompat.h"

#include <QDate>
#include <QFile>

#include <algorithm>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>

#include <sqlite3.h>

class TestServicesDialogs : public QObject
{
    Q_OBJECT

private slots:
    void signInStoresNameAndAvatar();
    void signInRefusesBlankName();
    void userPanelSignsOut();
    void onlineRestoresTheStoredAccountLater();
    void interactiveUpdateCheckSaysThereIsNone();
    void aboutNamesVersionsAndLicence();
    void pagesWithoutTargetSaySo();

private:
    QTemporaryDir m_dir;
};

void TestServicesDialogs::signInStoresNameAndAvatar()
{
    const QString image = m_dir.filePath(QStringLiteral("me.png"));
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(image));

    QSignalSpy login(QUser::Instance(), &QUser::signal_login);
    QSignalSpy avatar(QUser::Instance(), &QUser::signal_avatar);
    QSignInDialog dialog(nullptr);
    dialog.findChild<QLineEdit*>(QStringLiteral("editName"))->setText(QStringLiteral("  林小明 "));
    dialog.setAvatarFile(image);
    dialog.accept();

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(login.count(), 1);
    QCOMPARE(login.first().at(0).toString(), QStringLiteral("林小明"));
    QCOMPARE(avatar.count(), 1);
    QCOMPARE(QUser::Instance()->avatar().size(), QSize(200, 200));

    QSettings stored(CGlobal::getAppDataPath() + QStringLiteral("account.ini"), QSettings::IniFormat);
    qtcompat::useUtf8(stored);
    QCOMPARE(stored.value(QStringLiteral("user/name")).toString(), QStringLiteral("林小明"));
    QVERIFY(QFile::exists(CGlobal::getAppDataPath() + QStringLiteral("avatar.png")));
}

void TestServicesDialogs::signInRefusesBlankName()
{
    QSignalSpy login(QUser::Instance(), &QUser::signal_login);
    QSignInDialog dialog(nullptr);
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("editName"));
    name->setText(QStringLiteral("   "));
    const auto buttons = dialog.findChildren<QPushButton*>();
    const bool okDisabled = std::any_of(buttons.begin(), buttons.end(), [](QPushButton* b) {
        return b->text() == QSignInDialog::tr("Sign in") && !b->isEnabled();
    });
    QVERIFY(okDisabled);
    dialog.accept();
    QVERIFY(dialog.result() != int(QDialog::Accepted));
    QCOMPARE(login.count(), 0);
}

void TestServicesDialogs::userPanelSignsOut()
{
    QVERIFY(QUser::Instance()->signIn(QStringLiteral("Ada"), QString()));
    QSignalSpy logout(QUser::Instance(), &QUser::signal_logout);
    auto* panel = new QUserPanel(nullptr);
    panel->popup(QPoint(400, 300));
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("labelName"))->text(), QStringLiteral("Ada"));
    panel->findChild<QPushButton*>(QStringLiteral("btnSignOut"))->click();
    QCOMPARE(logout.count(), 1);
    QVERIFY(!QUser::Instance()->isSignedIn());
    QVERIFY(!QFile::exists(CGlobal::getAppDataPath() + QStringLiteral("avatar.png")));
}

void TestServicesDialogs::onlineRestoresTheStoredAccountLater()
{
    QVERIFY(QUser::Instance()->signIn(QStringLiteral("Bea"), QString()));
    QSignalSpy login(QUser::Instance(), &QUser::signal_login);
    QSignalSpy logout(QUser::Instance(), &QUser::signal_logout);
    QUser::Instance()->online();
    // Announced from the event loop, once the windows that listen exist.
    QCOMPARE(login.count(), 0);
    QTRY_COMPARE(login.count(), 1);
    QCOMPARE(login.first().at(0).toString(), QStringLiteral("Bea"));

    QUser::Instance()->signOut();
    logout.clear();
    QUser::Instance()->online();
    QTRY_COMPARE(logout.count(), 1);
    QCOMPARE(login.count(), 1);
}

void TestServicesDialogs::interactiveUpdateCheckSaysThereIsNone()
{
    MessageRecorder recorder;
    QUserHelp help(nullptr, nullptr);
    help.checkUpdate(false);
    QVERIFY(recorder.messages.isEmpty());
    help.checkUpdate(true);
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY(recorder.messages.first().second.contains(QStringLiteral("No update service")));
}

void TestServicesDialogs::aboutNamesVersionsAndLicence()
{
    const QString facts = QAboutDialog::facts().join(QLatin1Char('\n'));
    QVERIFY2(facts.contains(QStringLiteral("2.0.0.4")), qPrintable(facts));
    const QDate built = QDate::fromString(QString::number(CGlobal::getBuildDate()), QStringLiteral("yyyyMMdd"));
    QVERIFY(built.isValid());
    QVERIFY(facts.contains(built.toString(Qt::ISODate)));
    QVERIFY(facts.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
    QVERIFY(facts.contains(QStringLiteral("SQLite ") + QString::fromLatin1(sqlite3_libversion())));
    QVERIFY(facts.contains(QRegularExpression(QStringLiteral("MuPDF \\d+\\.\\d+"))));
    QVERIFY(facts.contains(QStringLiteral("AGPL-3.0-or-later")));
}

void TestServicesDialogs::pagesWithoutTargetSaySo()
{
    MessageRecorder recorder;
    QCommonMethod::openUrl(QStringLiteral("home"), QString());
    QCommonMethod::openLink(QStringLiteral("pagemorph_win"), QStringLiteral("producthome"), QString());
    QCommonMethod::openLink(QStringLiteral("draftmorph_win"), QStringLiteral("producthome"), QString());
    QCOMPARE(recorder.messages.size(), 3);
    QVERIFY(recorder.messages.at(1).second != recorder.messages.at(2).second);

    // The test programs have no guide beside them, so the guide is reported missing, by path.
    recorder.messages.clear();
    QCommonMethod::openUrl(QStringLiteral("tutorial"), QString());
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.first().first, QMsgBox::Warning);
    QVERIFY(recorder.messages.first().second.contains(QStringLiteral("docs/user-guide.html")));
}

VP_WIDGET_TEST_MAIN(TestServicesDialogs)
#include "tst_servicesdialogs.moc"
