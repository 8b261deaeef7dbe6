#include "e2eharness.h"
#include "testpdfs.h"

#include <QDir>
#include <QtTest>

#include <csignal>

// Unsaved changes survive the program being killed: the next start offers them back, and they
// can be saved as if nothing had happened.
class TstE2ERecovery : public QObject
{
    Q_OBJECT
private slots:
    void killedProgramsChangesAreRestoredAndSaved();
    void newDocumentChangedFileAndDamagedRecordThenDiscard();
    void unwritableStateFolderIsReportedOnce();
};

namespace {

QString recoveryFolder(const E2EHarness& harness)
{
    return harness.home() + "/.local/state/vellumpad/recovery";
}

QStringList records(const E2EHarness& harness)
{
    return QDir(recoveryFolder(harness)).entryList({"*.record"}, QDir::Files);
}

// The page counts of the whole documents the records keep, as poppler reads them: a record is a
// line naming it, the length of its JSON header, the header, then the kept bytes.
QList<int> keptPageCounts(const E2EHarness& harness, const QString& scratch)
{
    QList<int> counts;
    for (const QString& name : records(harness)) {
        QFile file(recoveryFolder(harness) + '/' + name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine();
        const int headerSize = file.readLine().trimmed().toInt();
        if (!file.read(headerSize).contains("\"kind\":\"document\""))
            continue;
        QFile pdf(scratch);
        if (!pdf.open(QIODevice::WriteOnly) || pdf.write(file.readAll()) <= 0)
            continue;
        pdf.close();
        QProcess info;
        info.start("pdfinfo", {scratch});
        info.waitForFinished(30000);
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        counts.append(text.mid(text.indexOf("Pages:") + 6).section('\n', 0, 0).trimmed().toInt());
    }
    return counts;
}

// Whether the records are count, each written by the process whose record names start with own.
bool ownRecordsOnly(const E2EHarness& harness, const QString& own, int count)
{
    const QStringList names = records(harness);
    return names.size() == count && names.filter(QRegularExpression('^' + own)).size() == count;
}

// Kills the program and waits for it to be gone.
bool killProgram(QProcess* program)
{
    ::kill(pid_t(program->processId()), SIGKILL);
    return E2EHarness::waitForExit(program);
}

// The first page's rotation as poppler reads it.
QString firstPageRotation(const QString& path)
{
    QProcess info;
    info.start("pdfinfo", {"-f", "1", "-l", "1", path});
    info.waitForFinished(30000);
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const int at = text.indexOf("rot:");
    return at < 0 ? QString() : text.mid(at + 4).section('\n', 0, 0).trimmed();
}

} // namespace

void TstE2ERecovery::killedProgramsChangesAreRestoredAndSaved()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    const QString path = testpdfs::writeBytes(harness.home() + "/letter.pdf", testpdfs::sample({}));
    const QString rotationBefore = firstPageRotation(path);
    QVERIFY(!rotationBefore.isEmpty());

    QProcess* first = harness.startProgram({path});
    const qulonglong window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(20000));
    harness.typeKeys(window, "ctrl+Right");
    QTRY_COMPARE_WITH_TIMEOUT(records(harness).size(), 1, E2EHarness::slow(10000));
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(E2EHarness::waitForExit(first));
    const QByteArray untouched = testpdfs::sample({});
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), untouched);
    original.close();

    harness.startProgram();
    const qulonglong offer = harness.waitForWindow("Restore Unsaved Changes", 20000);
    QVERIFY2(offer != 0, "no offer to restore");
    harness.typeKeys(offer, "Return");
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(20000));
    const qulonglong again = harness.waitForWindow("OrvantoPDF", 20000);
    harness.typeKeys(again, "ctrl+s");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > untouched.size(), E2EHarness::slow(10000));
    QTRY_VERIFY_WITH_TIMEOUT(records(harness).isEmpty(), E2EHarness::slow(10000));
    QCOMPARE(testpdfs::qpdfProblems(path), QString());
    QCOMPARE(firstPageRotation(path).toInt(), (rotationBefore.toInt() + 90) % 360);
}

void TstE2ERecovery::newDocumentChangedFileAndDamagedRecordThenDiscard()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    const QString path = testpdfs::writeBytes(harness.home() + "/letter.pdf", testpdfs::sample({}));
    QProcess* first = harness.startProgram({path});
    const qulonglong window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(20000));
    harness.typeKeys(window, "ctrl+Right");
    harness.typeKeys(window, "ctrl+n");
    harness.typeKeys(window, "ctrl+shift+b");
    QTRY_COMPARE_WITH_TIMEOUT(keptPageCounts(harness, harness.home() + "/kept.pdf"), QList<int>{2},
                              E2EHarness::slow(10000));
    QCOMPARE(records(harness).size(), 2);
    QVERIFY(killProgram(first));

    // Meanwhile the file changes, and a record is damaged.
    testpdfs::Sample changed;
    changed.pages = 5;
    QVERIFY(!testpdfs::writeBytes(path, testpdfs::sample(changed)).isEmpty());
    QFile damaged(recoveryFolder(harness) + "/999999999-1.record");
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("%VellumpadRecovery-1\n40\n{\"kind\":");
    damaged.close();

    QProcess* second = harness.startProgram();
    const qulonglong offer = harness.waitForWindow("Restore Unsaved Changes", 20000);
    QVERIFY2(offer != 0, "no offer to restore");
    QVERIFY(harness.screenshot(QDir::temp().filePath("vellumpad-e2e-restore-offer.png")));
    harness.typeKeys(offer, "Return");
    // The damaged record is set aside with a message, the others restored: the changed file's
    // edits into a copy next to it, the new document whole with its inserted page.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(recoveryFolder(harness) + "/damaged/999999999-1.record"),
                             E2EHarness::slow(10000));
    const QString copy = harness.home() + "/letter (recovered).pdf";
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), E2EHarness::slow(10000));
    QCOMPARE(testpdfs::qpdfProblems(copy), QString());
    const qulonglong message = harness.waitForWindow("PDF editor", 10000);
    QVERIFY2(message != 0, "the damaged record was not reported");
    QVERIFY(harness.screenshot(QDir::temp().filePath("vellumpad-e2e-restore-damaged.png")));
    harness.typeKeys(message, "Return");
    // The restored documents keep records of their own, and the old records go once each
    // document is shown: on a slow machine the records pass through what is looked for on their
    // way there (an old record still there, or gone before the new one is written), so the new
    // document's kept pages are read once only the restarted program's records are left.
    const QString own = QString::number(second->processId()) + '-';
    QTRY_VERIFY_WITH_TIMEOUT(ownRecordsOnly(harness, own, 2), E2EHarness::slow(10000));
    QCOMPARE(keptPageCounts(harness, harness.home() + "/kept.pdf"), QList<int>{2});
    QVERIFY(killProgram(second));

    // Discard leaves nothing behind, and the program goes on.
    QProcess* third = harness.startProgram();
    const qulonglong again = harness.waitForWindow("Restore Unsaved Changes", 20000);
    QVERIFY2(again != 0, "no offer to restore");
    harness.typeKeys(again, "alt+d");
    QTRY_VERIFY_WITH_TIMEOUT(records(harness).isEmpty(), E2EHarness::slow(10000));
    QTRY_VERIFY_WITH_TIMEOUT(harness.homePageVisible(), E2EHarness::slow(10000));
    QCOMPARE(third->state(), QProcess::Running);
}

void TstE2ERecovery::unwritableStateFolderIsReportedOnce()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    // A plain file where the state folder should be: no folder can be made below it, whoever
    // runs the test.
    QVERIFY(QDir().mkpath(harness.home() + "/.local/state"));
    QVERIFY(!testpdfs::writeBytes(harness.home() + "/.local/state/vellumpad", "not a folder").isEmpty());
    const QString path = testpdfs::writeBytes(harness.home() + "/letter.pdf", testpdfs::sample({}));
    const qint64 size = QFileInfo(path).size();
    QProcess* program = harness.startProgram({path});
    const qulonglong window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(20000));
    const int windows = harness.windowsOf(program).size();

    harness.typeKeys(window, "ctrl+Right");
    QTRY_VERIFY_WITH_TIMEOUT(harness.windowsOf(program).size() > windows, E2EHarness::slow(10000));
    QVERIFY(harness.screenshot(QDir::temp().filePath("vellumpad-e2e-recovery-unwritable.png")));
    harness.typeKeys(harness.windowsOf(program).last().toULongLong(), "Return");
    QTRY_COMPARE_WITH_TIMEOUT(harness.windowsOf(program).size(), windows, E2EHarness::slow(10000));

    // Later changes are not kept either, and are not reported again; the document still saves.
    harness.typeKeys(window, "ctrl+Right");
    QTest::qWait(E2EHarness::slow(2500));
    QCOMPARE(harness.windowsOf(program).size(), windows);
    harness.typeKeys(window, "ctrl+s");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > size, E2EHarness::slow(10000));
    QCOMPARE(testpdfs::qpdfProblems(path), QString());
    QCOMPARE(program->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TstE2ERecovery)
#include "tst_e2e_recovery.moc"
