// A file opens where it was left: the page and zoom it showed when the program was quit come
// back when it is opened again from the command line.

#include "e2eharness.h"
#include "testpdfs.h"

#include <QImage>
#include <QPainter>
#include <QThread>
#include <QtTest>

class TstE2EReopen : public QObject
{
    Q_OBJECT
private slots:
    void fileReopensAtItsPageAndZoom();

private:
    QTemporaryDir m_files;
};

namespace {

// The window as the screen shows it once painting has settled (two shots a moment apart agree),
// and where on it the round tool button floats over the pages: a window of its own that finds
// its place independently of the pages, so comparisons leave it out.
struct Shot
{
    QImage image;
    QRect floater;
};

Shot settledWindow(const E2EHarness& harness, qulonglong window, const QString& shotPath)
{
    Shot previous;
    for (int attempt = 0; attempt < 40; ++attempt) {
        QThread::msleep(300);
        const QRect area = harness.windowGeometry(window);
        if (area.isEmpty() || !harness.screenshot(shotPath))
            continue;
        Shot shot{QImage(shotPath).copy(area), QRect()};
        const QString floater = harness.xdotool({"search", "--onlyvisible", "--name", "QFloatExWidget"})
                                    .section('\n', 0, 0);
        if (!floater.isEmpty())
            shot.floater = harness.windowGeometry(floater.toULongLong()).translated(-area.topLeft());
        if (!shot.image.isNull() && shot.image == previous.image && shot.floater == previous.floater)
            return shot;
        previous = shot;
    }
    return Shot();
}

bool sameShown(const Shot& a, const Shot& b)
{
    QImage images[] = {a.image, b.image};
    for (QImage& image : images) {
        QPainter painter(&image);
        painter.fillRect(a.floater, Qt::magenta);
        painter.fillRect(b.floater, Qt::magenta);
    }
    return !a.image.isNull() && images[0] == images[1];
}

// The pointer rests where it hovers over nothing that changes its look.
void parkPointer(const E2EHarness& harness, qulonglong window)
{
    const QRect area = harness.windowGeometry(window);
    harness.xdotool({"mousemove", QString::number(area.center().x()), QString::number(area.bottom() - 40)});
}

} // namespace

void TstE2EReopen::fileReopensAtItsPageAndZoom()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    const QString path = testpdfs::writeBytes(m_files.filePath("manual.pdf"), testpdfs::longDocument(12));
    QVERIFY(!path.isEmpty());
    const QString shotPath = m_files.filePath("shot.png");

    QProcess* first = harness.startProgram({path});
    qulonglong window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(20000));
    parkPointer(harness, window);
    const Shot opened = settledWindow(harness, window, shotPath);
    QVERIFY(!opened.image.isNull());
    harness.typeKeys(window, "ctrl+minus");
    harness.typeKeys(window, "ctrl+minus");
    for (int step = 0; step < 4; ++step)
        harness.typeKeys(window, "ctrl+Next");
    const Shot left = settledWindow(harness, window, shotPath);
    QVERIFY(!left.image.isNull());
    QVERIFY2(!sameShown(left, opened), "neither page nor zoom changed");
    left.image.save(QDir::temp().filePath("vellumpad-e2e-left-off.png"));

    // Quit with the window's close button.
    const QRect area = harness.windowGeometry(window);
    harness.xdotool({"mousemove", QString::number(area.right() - 28), QString::number(area.top() + 27), "click", "1"});
    QVERIFY(E2EHarness::waitForExit(first));
    QCOMPARE(first->exitCode(), 0);

    harness.startProgram({path});
    window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(20000));
    parkPointer(harness, window);
    const Shot reopened = settledWindow(harness, window, shotPath);
    reopened.image.save(QDir::temp().filePath("vellumpad-e2e-reopened.png"));
    QVERIFY2(sameShown(reopened, left), "the file did not reopen at the page and zoom it was left at");
}

QTEST_GUILESS_MAIN(TstE2EReopen)
#include "tst_e2e_reopen.moc"
