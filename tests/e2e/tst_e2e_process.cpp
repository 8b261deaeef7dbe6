#include "e2eharness.h"

#include <QtTest>

#include <csignal>

// Whole-program behaviour: one instance per user, crash reports, the language choice.
class TstE2EProcess : public QObject
{
    Q_OBJECT
private slots:
    void secondInstanceWarnsAndLeavesTheFirst();
    void killedInstanceFreesTheLock();
    void segfaultLeavesNamedReport();
    void languageChoice_data();
    void languageChoice();
};

void TstE2EProcess::secondInstanceWarnsAndLeavesTheFirst()
{
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QProcess* first = harness.startProgram();
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);

    QProcess* second = harness.startProgram({"ignored.pdf"});
    QString box;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(box = harness.xdotool({"search", "--onlyvisible", "--pid", QString::number(second->processId())})).isEmpty(),
        E2EHarness::slow(10000));
    const QString boxWindow = box.split('\n').last();
    harness.xdotool({"windowactivate", "--sync", boxWindow});
    harness.xdotool({"key", "--window", boxWindow, "Return"});
    QVERIFY(E2EHarness::waitForExit(second));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(!QFile::exists(harness.historyDb())
            || harness.queryHistory("select count(*) from history").value(0) == "0");
}

void TstE2EProcess::killedInstanceFreesTheLock()
{
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QProcess* first = harness.startProgram();
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(E2EHarness::waitForExit(first));

    QProcess* next = harness.startProgram();
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    QCOMPARE(next->state(), QProcess::Running);
}

void TstE2EProcess::segfaultLeavesNamedReport()
{
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QTemporaryDir workDir;
    QProcess* program = harness.startProgram({}, workDir.path());
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    const qint64 pid = program->processId();
    ::kill(pid_t(pid), SIGSEGV);
    QVERIFY(E2EHarness::waitForExit(program));
    QCOMPARE(program->exitStatus(), QProcess::CrashExit);

    const QStringList dumps = QDir(workDir.path()).entryList({"*.dmp"}, QDir::Files);
    QCOMPARE(dumps.size(), 1);
    const QRegularExpression name(QString("^v2\\.0\\.0\\.4-(\\d{8})-(\\d{8})-(\\d{6})-%1-(\\d+)\\.dmp$").arg(pid));
    const QRegularExpressionMatch match = name.match(dumps.first());
    QVERIFY2(match.hasMatch(), qPrintable(dumps.first()));
    const QDateTime stamp = QDateTime::fromString(match.captured(2) + match.captured(3), "yyyyMMddHHmmss");
    QVERIFY(stamp.isValid());
    QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 120);

    QFile report(workDir.filePath(dumps.first()));
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QByteArray text = report.readAll();
    QVERIFY(text.startsWith("signal: 11\n"));
    QVERIFY(text.contains("\nbacktrace:\n"));
    QVERIFY(text.contains("\nmaps:\n"));
}

void TstE2EProcess::languageChoice_data()
{
    QTest::addColumn<QString>("iniText");
    QTest::addColumn<QString>("title");
    QTest::newRow("default is English") << QString() << "OrvantoPDF Editor";
    QTest::newRow("en") << "[config]\nlanguage=en\n"
                        << "OrvantoPDF Editor";
    QTest::newRow("zh shows the source texts") << "[config]\nlanguage=zh\n"
                                               << "OrvantoPDF编辑器";
    QTest::newRow("empty language") << "[config]\nlanguage=\n"
                                    << "OrvantoPDF编辑器";
}

void TstE2EProcess::languageChoice()
{
    QFETCH(QString, iniText);
    QFETCH(QString, title);
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    // start.ini lives next to the program, so each case gets its own copy of the program.
    QTemporaryDir appDir;
    const QString program = E2EHarness::copyProgram(appDir.path(), true);
    QVERIFY(!program.isEmpty());
    if (!iniText.isEmpty()) {
        QFile ini(appDir.filePath("start.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(iniText.toUtf8());
    }
    harness.startProgram({}, {}, program);
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);
    QCOMPARE(harness.xdotool({"getwindowname", QString::number(window)}), title);
}

QTEST_GUILESS_MAIN(TstE2EProcess)
#include "tst_e2e_process.moc"
