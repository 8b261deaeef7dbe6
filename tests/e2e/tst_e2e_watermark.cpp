// A text watermark added through its dialog in the real program, saved, and read back by other
// readers: the text is on every page and the file checks out.

#include "e2eharness.h"
#include "testpdfs.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

class TstE2EWatermark : public QObject
{
    Q_OBJECT

private slots:
    void textWatermarkThroughTheDialog();

private:
    QTemporaryDir m_files;
};

namespace {

QString pdfText(const QString& path)
{
    QProcess text;
    text.start("pdftotext", {path, "-"});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

} // namespace

void TstE2EWatermark::textWatermarkThroughTheDialog()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("missing tool: pdftotext");
    const QString path = testpdfs::writeBytes(m_files.filePath("marked.pdf"), testpdfs::longDocument(3));
    QVERIFY(!path.isEmpty());
    const QString mark = QStringLiteral("ZEBRAMARK");
    QVERIFY(!pdfText(path).contains(mark));

    QProcess* program = harness.startProgram({path});
    const qulonglong window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(20000));

    // Document → Watermark… from the keyboard, as a user without a mouse would.
    const int windows = harness.windowsOf(program).size();
    // The menu opens on its first command, Watermark….
    harness.typeKeys(window, "alt+d");
    QThread::msleep(300);
    harness.xdotool({"key", "Return"});
    QTRY_VERIFY_WITH_TIMEOUT(harness.windowsOf(program).size() > windows, E2EHarness::slow(10000));
    const qulonglong dialog = harness.windowsOf(program).last().toULongLong();
    harness.xdotool({"windowactivate", "--sync", QString::number(dialog)});
    // The text field has the focus and its sample text selected: typing replaces it.
    harness.xdotool({"key", "ctrl+a"});
    harness.xdotool({"type", "--delay", "30", mark});
    // Level, so that every reader finds the word in one piece, and on every page.
    harness.xdotool({"key", "alt+r"});
    harness.xdotool({"key", "ctrl+a"});
    harness.xdotool({"type", "--delay", "30", "0"});
    harness.xdotool({"key", "alt+a"});
    QThread::msleep(800); // the preview follows the typing after a pause
    QVERIFY(harness.screenshot(harness.home() + "/dialog.png"));
    harness.xdotool({"key", "Return"});
    QTRY_COMPARE_WITH_TIMEOUT(harness.windowsOf(program).size(), windows, E2EHarness::slow(10000));
    harness.typeKeys(window, "ctrl+s");

    QString text;
    QElapsedTimer timer;
    for (timer.start(); text.count(mark) < 3 && timer.elapsed() < E2EHarness::slow(10000); QThread::msleep(200))
        text = pdfText(path);
    QCOMPARE(text.count(mark), 3);
    QCOMPARE(testpdfs::qpdfProblems(path), QString());
}

QTEST_MAIN(TstE2EWatermark)
#include "tst_e2e_watermark.moc"
