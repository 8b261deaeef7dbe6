// The floating panel's Word button in the real program: it opens the convert dialog with Word
// chosen, and the dialog writes a .docx that holds the page's words.

#include "e2eharness.h"
#include "testpdfs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

class TstE2EConvert : public QObject
{
    Q_OBJECT
private slots:
    void wordButtonWritesDocx();
};

namespace {

// The text of a zip member, its XML tags dropped.
QString zipWords(const QString& zip, const QString& member)
{
    QProcess process;
    process.start("unzip", {"-p", zip, member});
    process.waitForFinished(30000);
    if (process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).replace(QRegularExpression("<[^>]*>"), " ").simplified();
}

} // namespace

void TstE2EConvert::wordButtonWritesDocx()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    if (QStandardPaths::findExecutable("unzip").isEmpty())
        QSKIP("missing tool: unzip");
    const QString path = testpdfs::writeBytes(harness.home() + "/report.pdf", testpdfs::longDocument(2));
    QVERIFY(!path.isEmpty());
    const QString folder = harness.home() + "/converted";
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + "/report.docx";

    harness.startProgram({path});
    QVERIFY(harness.waitForWindow("OrvantoPDF", 20000) != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(20000));
    const qulonglong panel = harness.waitForWindow("QFloatExWidget");
    QVERIFY(panel != 0);

    // The Word icon sits at the right end of the panel's first row; resting on it slides the
    // button out over the whole row, and the button takes the click.
    const QRect area = harness.windowGeometry(panel);
    const QString row = QString::number(area.top() + 24);
    qulonglong dialog = 0;
    QElapsedTimer timer;
    for (timer.start(); dialog == 0 && timer.elapsed() < E2EHarness::slow(15000);) {
        harness.xdotool({"mousemove", QString::number(area.left() + 114), row});
        QThread::msleep(600);
        harness.xdotool({"mousemove", QString::number(area.left() + 50), row});
        harness.xdotool({"click", "1"});
        dialog = harness.waitForWindow("Convert", 2000);
    }
    QVERIFY2(dialog != 0, "the Word button opened no convert dialog");
    harness.screenshot(QDir::tempPath() + "/e2e-convert-dialog.png");

    // Word comes chosen: only the file to write is typed, into the "Save to" field.
    harness.typeKeys(dialog, "alt+s");
    harness.xdotool({"key", "--clearmodifiers", "ctrl+a"});
    harness.xdotool({"type", "--delay", "20", target});
    harness.xdotool({"key", "Return"});

    QString words;
    QTRY_VERIFY_WITH_TIMEOUT(!(words = zipWords(target, "word/document.xml")).isEmpty(), E2EHarness::slow(20000));
    // A conversion starts with the whole document chosen.
    QVERIFY2(words.contains("Page 1, line 1:") && words.contains("Page 2, line 40:"),
             qPrintable(words.right(300)));
}

QTEST_GUILESS_MAIN(TstE2EConvert)
#include "tst_e2e_convert.moc"
