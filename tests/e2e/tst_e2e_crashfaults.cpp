#include "e2eharness.h"
#include "testpdfs.h"

#include <QElapsedTimer>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

// A crash away from the main thread, and a single-instance lock file that another user or a
// killed instance left behind.
class TstE2ECrashFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void renderThreadCrashWritesItsDumpAndEnds();
    void foreignLockFileDoesNotBlockStart();

private:
    QTemporaryDir m_files;
};

namespace {

// The thread ids of a process whose name is name.
QList<long> threadsNamed(qint64 pid, const QByteArray& name)
{
    QList<long> ids;
    const QString tasks = QString("/proc/%1/task").arg(pid);
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks + "/" + tid + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name)
            ids.append(tid.toLong());
    }
    return ids;
}

} // namespace

void TstE2ECrashFaults::initTestCase()
{
    QVERIFY(!testpdfs::write(m_files.filePath("pages.pdf"), 3).isEmpty());
}

void TstE2ECrashFaults::renderThreadCrashWritesItsDumpAndEnds()
{
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QTemporaryDir workDir;
    QProcess* program = harness.startProgram({m_files.filePath("pages.pdf")}, workDir.path());
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    const qint64 pid = program->processId();
    QList<long> renderers;
    QTRY_VERIFY_WITH_TIMEOUT(!(renderers = threadsNamed(pid, "pxv-render")).isEmpty(), E2EHarness::slow(15000));
    const long tid = renderers.first();
    QVERIFY(tid != pid);

    QCOMPARE(::syscall(SYS_tgkill, pid_t(pid), pid_t(tid), SIGSEGV), 0L);
    QVERIFY(E2EHarness::waitForExit(program));
    QCOMPARE(program->exitStatus(), QProcess::CrashExit);

    const QStringList dumps = QDir(workDir.path()).entryList({"*.dmp"}, QDir::Files);
    QCOMPARE(dumps.size(), 1);
    const QRegularExpression name(QString("^v2\\.0\\.0\\.4-\\d{8}-\\d{8}-\\d{6}-%1-%2\\.dmp$").arg(pid).arg(tid));
    QVERIFY2(name.match(dumps.first()).hasMatch(), qPrintable(dumps.first()));
    QFile report(workDir.filePath(dumps.first()));
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QByteArray text = report.readAll();
    QVERIFY(text.startsWith("signal: 11\n"));
    QVERIFY(text.contains("\ntid: " + QByteArray::number(qlonglong(tid)) + "\n"));
    QVERIFY(text.contains("\nbacktrace:\n"));
}

void TstE2ECrashFaults::foreignLockFileDoesNotBlockStart()
{
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    // Garbage in a lock file of another user, who even holds it locked.
    const QByteArray lockPath = QFile::encodeName(harness.home() + "/runtime/VELLUM_PAD_1_1.lock");
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "\xff\xfe not a pid\n", 13), ssize_t(13));
    QCOMPARE(::fchown(fd, 65534, 65534), 0);
    QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);

    QProcess* program = harness.startProgram();
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    // The main window with its home page, not the warning about a running instance.
    QTRY_VERIFY_WITH_TIMEOUT(harness.homePageVisible(), E2EHarness::slow(10000));
    QCOMPARE(program->state(), QProcess::Running);
    ::close(fd);
    QCOMPARE(QFileInfo(QFile::decodeName(lockPath)).ownerId(), ::geteuid());
}

QTEST_MAIN(TstE2ECrashFaults)
#include "tst_e2e_crashfaults.moc"
