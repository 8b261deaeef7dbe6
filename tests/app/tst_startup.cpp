#include "crashhandler.h"
#include "cwinapp.h"
#include "singleinstance.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void dumpFileName_data();
    void dumpFileName();
    void secondLockSeesTheFirst();
    void lockLivesInTheRuntimeDirectory();
    void unusableRuntimeDirectoryDoesNotBlockStart();
    void leftoverLockFileDoesNotBlockStart();
    void translationFileName();
    void plainLanguageCodes_data();
    void plainLanguageCodes();
};

void TstStartup::dumpFileName_data()
{
    QTest::addColumn<int>("buildDate");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded fields") << 456 << 2021 << 3 << 5 << 7 << 8 << 9
                                   << "v2.0.0.4-456-20210305-070809-1234-5678.dmp";
    QTest::newRow("two-digit fields") << 20261208 << 2026 << 12 << 31 << 23 << 59 << 58
                                      << "v2.0.0.4-20261208-20261231-235958-1234-5678.dmp";
}

void TstStartup::dumpFileName()
{
    QFETCH(int, buildDate);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    QFETCH(QString, expected);
    char name[260];
    formatDumpFileName(name, sizeof name, "2.0.0.4", buildDate, DumpTime{year, month, day, hour, minute, second}, 1234,
                       5678);
    QCOMPARE(QString::fromLatin1(name), expected);

    char tiny[12];
    formatDumpFileName(tiny, sizeof tiny, "2.0.0.4", buildDate, DumpTime{year, month, day, hour, minute, second}, 1234,
                       5678);
    QCOMPARE(QString::fromLatin1(tiny), expected.left(int(sizeof tiny) - 1));
}

void TstStartup::secondLockSeesTheFirst()
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    {
        CSingleInstance first("VELLUM_PAD_TEST");
        QVERIFY(!first.anotherIsRunning());
        CSingleInstance second("VELLUM_PAD_TEST");
        QVERIFY(second.anotherIsRunning());
        CSingleInstance otherName("VELLUM_PAD_OTHER");
        QVERIFY(!otherName.anotherIsRunning());
    }
    CSingleInstance afterRelease("VELLUM_PAD_TEST");
    QVERIFY(!afterRelease.anotherIsRunning());
}

void TstStartup::lockLivesInTheRuntimeDirectory()
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QCOMPARE(CSingleInstance::lockFilePath("VELLUM_PAD_1_1"), runtime.path() + "/VELLUM_PAD_1_1.lock");
    qunsetenv("XDG_RUNTIME_DIR");
    const QString fallback = CSingleInstance::lockFilePath("VELLUM_PAD_1_1");
    QVERIFY(fallback.startsWith(QDir::tempPath() + "/VELLUM_PAD_1_1-"));
    QVERIFY(fallback.endsWith(QString::number(getuid()) + ".lock"));
}

void TstStartup::unusableRuntimeDirectoryDoesNotBlockStart()
{
    QTemporaryDir runtime;
    // A directory where the lock file should be: open() fails, which must not count as "running".
    QVERIFY(QDir().mkpath(runtime.path() + "/VELLUM_PAD_DIR.lock"));
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    CSingleInstance lock("VELLUM_PAD_DIR");
    QVERIFY(!lock.anotherIsRunning());
}

void TstStartup::leftoverLockFileDoesNotBlockStart()
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString path = CSingleInstance::lockFilePath("VELLUM_PAD_LEFT");
    QFile garbage(path);
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("\x00\xff pid 99999\n", 13).repeated(100));
    garbage.close();
    {
        // Whatever a killed instance left in the file, only the lock counts.
        CSingleInstance first("VELLUM_PAD_LEFT");
        QVERIFY(!first.anotherIsRunning());
        CSingleInstance second("VELLUM_PAD_LEFT");
        QVERIFY(second.anotherIsRunning());
    }
    if (::geteuid() != 0)
        return;

    // A lock file of another user, even one held locked, is not this user's instance.
    QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    const int foreign = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    QVERIFY(foreign >= 0);
    QCOMPARE(::flock(foreign, LOCK_EX | LOCK_NB), 0);
    {
        CSingleInstance mine("VELLUM_PAD_LEFT");
        QVERIFY(!mine.anotherIsRunning());
        QCOMPARE(QFileInfo(path).ownerId(), ::geteuid());
        CSingleInstance second("VELLUM_PAD_LEFT");
        QVERIFY(second.anotherIsRunning());
    }
    ::close(foreign);
}

void TstStartup::translationFileName()
{
    QCOMPARE(CWinApp::translationFile("/opt/vp/", "en"), QString("/opt/vp/language/vellumpad_en.qm"));
    QCOMPARE(CWinApp::translationFile("/opt/vp/", ""), QString("/opt/vp/language/vellumpad_.qm"));
}

void TstStartup::plainLanguageCodes_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("plain");
    for (const char* code : {"en", "zh", "fil", "zh_CN", "pt-BR", "es_419", "zh_Hant", "sr-Latn"})
        QTest::newRow(code) << QString(code) << true;
    QTest::newRow("parent folders") << "../../x" << false;
    QTest::newRow("absolute path") << "/etc/passwd" << false;
    QTest::newRow("code then parent folders") << "zh/../../x" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("very long") << QString(5000, 'a') << false;
    QTest::newRow("long region") << "en_Somewhere" << false;
    QTest::newRow("one letter") << "e" << false;
    QTest::newRow("two regions") << "zh_Hans_CN" << false;
    QTest::newRow("trailing newline") << "en\n" << false;
    QTest::newRow("dot") << "en.x" << false;
    QTest::newRow("backslash") << "..\\x" << false;
    QTest::newRow("non-ASCII letters") << QString::fromUtf8("中文") << false;
    QTest::newRow("NUL inside") << QString::fromLatin1("en\0x", 4) << false;
}

void TstStartup::plainLanguageCodes()
{
    QFETCH(QString, language);
    QFETCH(bool, plain);
    QCOMPARE(CWinApp::isPlainLanguageCode(language), plain);
}

QTEST_APPLESS_MAIN(TstStartup)
#include "tst_startup.moc"
