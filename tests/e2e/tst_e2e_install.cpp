#include "e2eharness.h"

#include <QtTest>

// An installed copy finds its translations, user guide, desktop entry and icon.
class TstE2EInstall : public QObject
{
    Q_OBJECT
private slots:
    void installedProgramStartsInEnglish();
};

void TstE2EInstall::installedProgramStartsInEnglish()
{
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral(VP_CMAKE), {"--install", QStringLiteral(VP_BUILD_DIR), "--prefix", prefix.path()});
    QVERIFY(install.waitForFinished(60000));
    QCOMPARE(install.exitCode(), 0);

    for (const char* file :
         {"bin/vellumpad", "bin/language/vellumpad_en.qm", "bin/language/vellumpad_zh.qm", "bin/docs/user-guide.html",
          "share/applications/vellumpad.desktop", "share/icons/hicolor/48x48/apps/vellumpad.png"})
        QVERIFY2(QFile::exists(prefix.filePath(file)), file);
    QFile desktop(prefix.filePath("share/applications/vellumpad.desktop"));
    QVERIFY(desktop.open(QIODevice::ReadOnly));
    const QByteArray entry = desktop.readAll();
    QVERIFY(entry.contains("MimeType=application/pdf;"));
    QVERIFY(entry.contains("%F"));

    harness.startProgram({}, {}, prefix.filePath("bin/vellumpad"));
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);
    QCOMPARE(harness.xdotool({"getwindowname", QString::number(window)}), QStringLiteral("OrvantoPDF Editor"));
}

QTEST_GUILESS_MAIN(TstE2EInstall)
#include "tst_e2e_install.moc"
