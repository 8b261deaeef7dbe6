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
};

namespace {

QStringList records(const E2EHarness& harness)
{
    return QDir(harness.home() + "/.local/state/vellumpad/recovery").entryList({"*.record"}, QDir::Files);
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

QTEST_GUILESS_MAIN(TstE2ERecovery)
#include "tst_e2e_recovery.moc"
