// A crash on a worker thread, in a child process: the crash report is written by that thread,
// even when the crash is the thread running out of stack, and the process dies by the signal.

#include "crashhandler.h"
#include "core/workerthread.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <pthread.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

volatile int g_stop = -1;

// Recurses until the stack is gone; the volatile frame keeps the compiler from folding it away.
[[gnu::noinline]] int exhaustStack(int depth)
{
    volatile char frame[4096];
    frame[0] = char(depth);
    if (depth == g_stop)
        return frame[0];
    return exhaustStack(depth + 1) + frame[0];
}

// Runs body on a fresh thread of a forked child working in folder; returns the child's status.
template <typename Body>
int inChild(const QString& folder, Body body)
{
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(QFile::encodeName(folder).constData()) != 0)
            _exit(2);
        // As in the program: no earlier handler (here QTest's) for the crash handler to hand on to.
        std::signal(SIGSEGV, SIG_DFL);
        installCrashHandler();
        std::thread(body).join();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

} // namespace

class TstWorkerCrash : public QObject
{
    Q_OBJECT
private slots:
    void preparedThreadIsNamedAndHasASignalStack();
    void stackOverflowOnAWorkerThreadWritesAReport();
};

void TstWorkerCrash::preparedThreadIsNamedAndHasASignalStack()
{
    char name[16] = {};
    stack_t stack{};
    std::thread([&] {
        pxv::prepareWorkerThread("pxv-test");
        pthread_getname_np(pthread_self(), name, sizeof name);
        sigaltstack(nullptr, &stack);
    }).join();
    QCOMPARE(QByteArray(name), QByteArray("pxv-test"));
    QVERIFY(!(stack.ss_flags & SS_DISABLE));
    QVERIFY(stack.ss_size >= 16 * 1024);
}

void TstWorkerCrash::stackOverflowOnAWorkerThreadWritesAReport()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    QSKIP("the sanitizers handle stack overflows themselves");
#endif
    QTemporaryDir folder;
    const int status = inChild(folder.path(), [] {
        pxv::prepareWorkerThread("pxv-test");
        exhaustStack(0);
    });
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGSEGV);
    const QStringList dumps = QDir(folder.path()).entryList({"*.dmp"}, QDir::Files);
    QCOMPARE(dumps.size(), 1);
    QFile report(folder.filePath(dumps.first()));
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QByteArray text = report.readAll();
    QVERIFY(text.startsWith("signal: 11\n"));
    QVERIFY(text.contains("\nbacktrace:\n"));
}

QTEST_APPLESS_MAIN(TstWorkerCrash)
#include "tst_workercrash.moc"
