// The crash handler on real crashes of a separate process: one dump per crash, the process still
// ends by the signal, and a handler that was there before (a sanitizer's) still gets the fault.
#include <QtTest>

#include <signal.h>

class TstCrashHandler : public QObject
{
    Q_OBJECT
private slots:
    void crashWritesOneDumpAndEndsTheProcess_data();
    void crashWritesOneDumpAndEndsTheProcess();
    void earlierHandlerStillSeesTheFault();

private:
    struct Crash
    {
        QProcess::ExitStatus status;
        int exitCode;
        QByteArray errors;
        QStringList dumps;
        QByteArray firstDump;
    };
    static Crash crash(const QString& how);
};

TstCrashHandler::Crash TstCrashHandler::crash(const QString& how)
{
    QTemporaryDir workDir;
    QProcess process;
    process.setWorkingDirectory(workDir.path());
    process.start(QStringLiteral(VP_CRASH_TARGET), {how});
    const bool finished = process.waitForFinished(60000);
    if (!finished)
        process.kill();
    Crash result{process.exitStatus(), process.exitCode(), process.readAllStandardError(), {}, {}};
    result.dumps = QDir(workDir.path()).entryList({"*.dmp"}, QDir::Files);
    if (!result.dumps.isEmpty()) {
        QFile dump(workDir.filePath(result.dumps.first()));
        if (dump.open(QIODevice::ReadOnly))
            result.firstDump = dump.readAll();
    }
    return result;
}

void TstCrashHandler::crashWritesOneDumpAndEndsTheProcess_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("signal");
    QTest::newRow("fault") << "fault" << SIGSEGV;
    QTest::newRow("abort") << "abort" << SIGABRT;
}

void TstCrashHandler::crashWritesOneDumpAndEndsTheProcess()
{
    QFETCH(QString, how);
    QFETCH(int, signal);
    const Crash result = crash(how);
    QCOMPARE(result.status, QProcess::CrashExit);
    QCOMPARE(result.dumps.size(), 1);
    QVERIFY2(result.dumps.first().startsWith("v2.0.0.4-"), qPrintable(result.dumps.first()));
    QVERIFY(result.firstDump.startsWith("signal: " + QByteArray::number(signal) + "\n"));
    QVERIFY(result.firstDump.contains("\nbacktrace:\n"));
    QVERIFY(result.firstDump.contains("\nmaps:\n"));
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer still reports the fault, after the dump is written.
    if (signal == SIGSEGV)
        QVERIFY2(result.errors.contains("AddressSanitizer: SEGV"), result.errors.constData());
#endif
}

void TstCrashHandler::earlierHandlerStillSeesTheFault()
{
    const Crash result = crash("chained");
    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.exitCode, 3);
    QVERIFY2(result.errors.contains("earlier handler reached"), result.errors.constData());
    QCOMPARE(result.dumps.size(), 1);
    QVERIFY(result.firstDump.startsWith("signal: 11\n"));
}

QTEST_GUILESS_MAIN(TstCrashHandler)
#include "tst_crashhandler.moc"
