#include "e2eharness.h"

#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

#include <sys/stat.h>

// What the program reads from beside itself: the language in start.ini and the translation it
// names. Bad values must never lead to a file outside the language folder, and missing files
// must not stop the program.
class TstE2EStartIni : public QObject
{
    Q_OBJECT
private slots:
    void languageValueIsOnlyACode_data();
    void languageValueIsOnlyACode();
    void startIniThatIsNoFileIsSkipped_data();
    void startIniThatIsNoFileIsSkipped();
    void missingLanguageFolderStillWorks();

private:
    static const QString kEnglishTitle;
    static const QString kSourceTitle;
};

const QString TstE2EStartIni::kEnglishTitle = QStringLiteral("OrvantoPDF Editor");
const QString TstE2EStartIni::kSourceTitle = QStringLiteral("OrvantoPDF编辑器");

void TstE2EStartIni::languageValueIsOnlyACode_data()
{
    // decoy: where a translation is planted that the raw value would reach (relative to the
    // program's folder "vp_dir"); folder: a folder the raw value's path needs on its way there.
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("decoy");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("logged");
    const QString rejected = QStringLiteral("config/language \"%1\" is not a language code; using \"en\"");
    QTest::newRow("parent folders") << "../../x"
                                    << "language/x.qm"
                                    << "language/vellumpad_.." << kEnglishTitle << rejected.arg("../../x");
    QTest::newRow("absolute path") << "/etc/passwd"
                                   << "language/vellumpad_/etc/passwd.qm" << QString() << kEnglishTitle
                                   << rejected.arg("/etc/passwd");
    QTest::newRow("code then parent folders") << "zh/../../x"
                                              << "x.qm"
                                              << "language/vellumpad_zh" << kEnglishTitle << rejected.arg("zh/../../x");
    // An empty value is no path: it names "vellumpad_.qm" in the language folder, normally absent.
    QTest::newRow("empty") << "" << QString() << QString() << kSourceTitle
                           << QStringLiteral("language/vellumpad_.qm is missing");
    // Only the start of a long value is logged.
    QTest::newRow("very long") << QString(4000, 'a') << QString() << QString() << kEnglishTitle
                               << rejected.arg(QString(80, 'a'));
    // A plain code whose file is missing keeps the source texts; a shortened name that reaches
    // out of the language folder (here "<folder>/vp" of "vp_dir") is never tried.
    QTest::newRow("plain code without file")
        << "xx"
        << "../vp.qm" << QString() << kSourceTitle << QStringLiteral("language/vellumpad_xx.qm is missing");
}

void TstE2EStartIni::languageValueIsOnlyACode()
{
    QFETCH(QString, language);
    QFETCH(QString, decoy);
    QFETCH(QString, folder);
    QFETCH(QString, title);
    QFETCH(QString, logged);
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QTemporaryDir root;
    const QDir appDir(root.filePath("vp_dir"));
    const QString program = E2EHarness::copyProgram(appDir.path(), true);
    QVERIFY(!program.isEmpty());
    if (!folder.isEmpty())
        QVERIFY(appDir.mkpath(folder));
    if (!decoy.isEmpty()) {
        const QString decoyPath = QDir::cleanPath(appDir.filePath(decoy));
        QVERIFY(QDir().mkpath(QFileInfo(decoyPath).absolutePath()));
        QVERIFY(QFile::copy(QStringLiteral(VP_DECOY_QM), decoyPath));
    }
    QFile ini(appDir.filePath("start.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[config]\nlanguage=" + language.toUtf8() + "\n");
    ini.close();

    QProcess* running = harness.startProgram({}, {}, program);
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);
    QCOMPARE(harness.xdotool({"getwindowname", QString::number(window)}), title);
    QVERIFY2(harness.logText().contains(logged), qPrintable(harness.logText()));
    QCOMPARE(running->state(), QProcess::Running);
}

void TstE2EStartIni::startIniThatIsNoFileIsSkipped_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("link to /dev/zero") << "/dev/zero";
    QTest::newRow("folder") << "folder";
}

void TstE2EStartIni::startIniThatIsNoFileIsSkipped()
{
    QFETCH(QString, kind);
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QTemporaryDir appDir;
    const QString program = E2EHarness::copyProgram(appDir.path(), true);
    QVERIFY(!program.isEmpty());
    const QString ini = appDir.filePath("start.ini");
    if (kind == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    else if (kind == "folder")
        QVERIFY(QDir().mkdir(ini));
    else
        QVERIFY(QFile::link(kind, ini));

    QProcess* running = harness.startProgram({}, {}, program);
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);
    QCOMPARE(harness.xdotool({"getwindowname", QString::number(window)}), kEnglishTitle);
    QVERIFY2(harness.logText().contains(ini + " is not a regular file"), qPrintable(harness.logText()));
    QCOMPARE(running->state(), QProcess::Running);
}

void TstE2EStartIni::missingLanguageFolderStillWorks()
{
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    // The program alone, without its language and docs folders.
    QTemporaryDir appDir;
    const QString program = E2EHarness::copyProgram(appDir.path(), false);
    QVERIFY(!program.isEmpty());
    QTemporaryDir files;
    const QString pdf = files.filePath("notes.pdf");
    {
        QPdfWriter writer(pdf);
        QPainter painter(&writer);
        painter.drawText(300, 300, "Notes");
    }

    QProcess* running = harness.startProgram({pdf}, {}, program);
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);
    QCOMPARE(harness.xdotool({"getwindowname", QString::number(window)}), kSourceTitle);
    QTRY_COMPARE_WITH_TIMEOUT(harness.queryHistory("select filePath from history"), QStringList({pdf}),
                              E2EHarness::slow(10000));
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(5000));
    QVERIFY2(harness.logText().contains(appDir.filePath("language/vellumpad_en.qm") + " is missing"),
             qPrintable(harness.logText()));
    QVERIFY(harness.screenshot(QDir::temp().filePath("vellumpad-e2e-no-language.png")));
    QCOMPARE(running->state(), QProcess::Running);
}

QTEST_MAIN(TstE2EStartIni)
#include "tst_e2e_startini.moc"
