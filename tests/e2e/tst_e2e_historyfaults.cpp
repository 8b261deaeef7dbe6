#include "e2eharness.h"
#include "testpdfs.h"

#include <QElapsedTimer>
#include <QtTest>

#include <csignal>

// The history database when it cannot be written: locked by another process, or in a folder the
// user may not write. The program starts, opens documents, and records them again as soon as the
// database lets it.
class TstE2EHistoryFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void lockedHistoryIsWaitedOutAndRecovers();
    void readOnlyHistoryFolderIsUsedWhenWritable();

private:
    // Opens path in the running program through its Open dialog.
    void openThroughDialog(const E2EHarness& harness, QProcess* program, qulonglong window, const QString& path);
    QStringList recordedNames(const E2EHarness& harness) const
    {
        return harness.queryHistory("select fileName from history order by Id");
    }

    QTemporaryDir m_files;
};

namespace {

constexpr int kNobody = 65534;

// Whether another connection, waiting for nobody, is refused a write transaction.
bool writeLocked(const E2EHarness& harness)
{
    QProcess probe;
    probe.start("sqlite3", {"-cmd", ".timeout 0", harness.historyDb(), "BEGIN IMMEDIATE; ROLLBACK;"});
    probe.waitForFinished(10000);
    return probe.readAllStandardError().contains("locked");
}

bool chownTree(const QString& path, int uid)
{
    return QProcess::execute("chown", {"-R", QString("%1:%1").arg(uid), path}) == 0;
}

} // namespace

void TstE2EHistoryFaults::initTestCase()
{
    for (const char* name : {"first.pdf", "second.pdf", "third.pdf"})
        QVERIFY(!testpdfs::write(m_files.filePath(name), 2).isEmpty());
    // Readable for the unprivileged user of the read-only case.
    QVERIFY(QFile::setPermissions(m_files.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::ExeOther));
}

void TstE2EHistoryFaults::openThroughDialog(const E2EHarness& harness, QProcess* program, qulonglong window,
                                            const QString& path)
{
    const int windows = harness.windowsOf(program).size();
    harness.typeKeys(window, "ctrl+o");
    QTRY_VERIFY_WITH_TIMEOUT(harness.windowsOf(program).size() > windows, E2EHarness::slow(10000));
    const qulonglong dialog = harness.windowsOf(program).last().toULongLong();
    harness.xdotool({"windowactivate", "--sync", QString::number(dialog)});
    harness.xdotool({"type", "--delay", "20", path});
    // The name field's completer may take the first Return for itself.
    for (int attempt = 0; attempt < 5 && harness.windowsOf(program).size() > windows; ++attempt) {
        harness.xdotool({"key", "Return"});
        QElapsedTimer timer;
        timer.start();
        while (harness.windowsOf(program).size() > windows && timer.elapsed() < 2000)
            QThread::msleep(100);
    }
    // Polled: a search that runs while the dialog's window goes can come back empty.
    QTRY_COMPARE_WITH_TIMEOUT(harness.windowsOf(program).size(), windows, E2EHarness::slow(5000));
}

void TstE2EHistoryFaults::lockedHistoryIsWaitedOutAndRecovers()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    // A history with one record, made by the program itself.
    QProcess* maker = harness.startProgram({m_files.filePath("first.pdf")});
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    QTRY_COMPARE_WITH_TIMEOUT(recordedNames(harness), QStringList({"first.pdf"}), E2EHarness::slow(10000));
    ::kill(pid_t(maker->processId()), SIGKILL);
    QVERIFY(E2EHarness::waitForExit(maker));

    // Another process holds a write transaction open for as long as its input stays open.
    QProcess locker;
    // It waits its turn like the program does: a probe below may hold the file for a moment.
    locker.start("sqlite3", {"-cmd", ".timeout 10000", harness.historyDb()});
    QVERIFY(locker.waitForStarted());
    locker.write("BEGIN EXCLUSIVE;\nUPDATE history SET ctime = ctime;\n");
    QTRY_VERIFY_WITH_TIMEOUT(writeLocked(harness), E2EHarness::slow(10000));

    QProcess* program = harness.startProgram({m_files.filePath("second.pdf")});
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(15000));
    QCOMPARE(program->state(), QProcess::Running);
    QCOMPARE(recordedNames(harness), QStringList({"first.pdf"}));

    locker.write("ROLLBACK;\n.quit\n");
    locker.closeWriteChannel();
    QVERIFY(locker.waitForFinished(10000));
    QVERIFY(!writeLocked(harness));

    openThroughDialog(harness, program, window, m_files.filePath("third.pdf"));
    QTRY_COMPARE_WITH_TIMEOUT(recordedNames(harness), QStringList({"first.pdf", "third.pdf"}), E2EHarness::slow(10000));
    QCOMPARE(program->state(), QProcess::Running);
    QVERIFY(QDir(QFileInfo(harness.historyDb()).absolutePath()).entryList({"history.db.broken-*"}).isEmpty());
}

void TstE2EHistoryFaults::readOnlyHistoryFolderIsUsedWhenWritable()
{
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        QSKIP("missing tool: setpriv");
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    const QString dataDir = QFileInfo(harness.historyDb()).absolutePath();
    QVERIFY(QDir().mkpath(dataDir));
    QProcess make;
    make.start("sqlite3", {harness.historyDb(),
                           "CREATE TABLE history(Id INTEGER NOT NULL PRIMARY KEY AUTOINCREMENT, filePath VARCHAR(255), "
                           "fileName VARCHAR(255), ctime DOUBLE NOT NULL); PRAGMA journal_mode=WAL; "
                           "INSERT INTO history(filePath, fileName, ctime) VALUES('/old/first.pdf', 'first.pdf', 1);"});
    QVERIFY(make.waitForFinished(10000) && make.exitCode() == 0);
    // The whole profile belongs to the unprivileged user, except the data folder it may not write.
    QVERIFY(chownTree(harness.home(), kNobody));
    QVERIFY(::chown(QFile::encodeName(dataDir).constData(), 0, 0) == 0);

    const QString program = "setpriv";
    const QStringList asNobody = {QString("--reuid=%1").arg(kNobody), QString("--regid=%1").arg(kNobody),
                                  "--clear-groups", E2EHarness::programPath()};
    QProcess* first = harness.startProgram(asNobody + QStringList{m_files.filePath("second.pdf")}, {}, program);
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(15000));
    QCOMPARE(first->state(), QProcess::Running);
    // Read without the shared-memory file a normal reader would create in the folder (as root,
    // on behalf of the file's owner), which would make the folder's refusal moot.
    QProcess frozen;
    frozen.start("sqlite3", {"file:" + harness.historyDb() + "?immutable=1", "select fileName from history"});
    QVERIFY(frozen.waitForFinished(10000));
    QCOMPARE(QString::fromUtf8(frozen.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
             QStringList({"first.pdf"}));
    QCOMPARE(QDir(dataDir).entryList(QDir::Files), QStringList({"history.db"}));

    // Once the folder is the user's again, the next document opened is recorded.
    QVERIFY(::chown(QFile::encodeName(dataDir).constData(), kNobody, kNobody) == 0);
    openThroughDialog(harness, first, window, m_files.filePath("third.pdf"));
    QTRY_COMPARE_WITH_TIMEOUT(recordedNames(harness), QStringList({"first.pdf", "third.pdf"}), E2EHarness::slow(10000));
    QCOMPARE(first->state(), QProcess::Running);
}

QTEST_MAIN(TstE2EHistoryFaults)
#include "tst_e2e_historyfaults.moc"
