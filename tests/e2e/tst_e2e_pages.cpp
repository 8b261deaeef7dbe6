// Page work in the real program: drag a thumbnail to a new place and delete another with the
// mouse and keyboard, save, and read the page order back with another reader.

#include "e2eharness.h"
#include "testpdfs.h"

#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

class TstE2EPages : public QObject
{
    Q_OBJECT

private slots:
    void dragAndDeleteThumbnails();

private:
    QTemporaryDir m_files;
};

namespace {

// The thumbnails on screen, top to bottom: the pane starts at the first of the views' grey from
// the window's left edge, and its pages are the long runs of other colours down a line that
// crosses every thumbnail (they are 112 pixels wide, centred, a few pixels in).
QList<QRect> thumbnails(const QImage& screen, const QRect& window)
{
    const QRgb grey = qRgb(0x5f, 0x63, 0x68);
    const int y = window.top() + window.height() / 2;
    int left = window.left();
    while (left < window.right() && screen.pixel(left, y) != grey)
        ++left;
    const int x = left + 60;
    const int right = left + 120;
    QList<QRect> found;
    int start = -1;
    for (int row = window.top(); row <= window.bottom() + 1; ++row) {
        const bool page = row <= window.bottom() && screen.pixel(x, row) != grey && screen.pixel(left + 2, row) == grey;
        if (page && start < 0)
            start = row;
        if (!page && start >= 0) {
            if (row - start > 80)
                found.append(QRect(left, start, right - left, row - start));
            start = -1;
        }
    }
    return found;
}

// The page labels of a testpdfs::longDocument in the order another reader finds them.
QList<int> pageOrder(const QString& path)
{
    QProcess text;
    text.start("pdftotext", {path, "-"});
    text.waitForFinished(30000);
    QList<int> order;
    const QRegularExpression first(QStringLiteral("Page (\\d+), line 1:"));
    auto matches = first.globalMatch(QString::fromUtf8(text.readAllStandardOutput()));
    while (matches.hasNext())
        order.append(matches.next().captured(1).toInt());
    return order;
}

} // namespace

void TstE2EPages::dragAndDeleteThumbnails()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("missing tool: pdftotext");
    const QString path = testpdfs::writeBytes(m_files.filePath("pages.pdf"), testpdfs::longDocument(6));
    QVERIFY(!path.isEmpty());
    QCOMPARE(pageOrder(path), QList<int>({1, 2, 3, 4, 5, 6}));
    harness.startProgram({path});
    const qulonglong window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QVERIFY(harness.waitForDocument());
    QElapsedTimer timer;
    harness.typeKeys(window, "F6");

    const QString shot = harness.home() + "/screen.png";
    QList<QRect> pages;
    const QRect area = harness.windowGeometry(window);
    for (timer.restart(); pages.size() < 3 && timer.elapsed() < E2EHarness::slow(10000); QThread::msleep(200)) {
        QVERIFY(harness.screenshot(shot));
        pages = thumbnails(QImage(shot), area);
    }
    QVERIFY2(pages.size() >= 3, qPrintable(QString("%1 thumbnails found").arg(pages.size())));

    // Page 1 dragged onto the lower half of page 3 goes after it: 2, 3, 1, 4, 5, 6.
    const QPoint from = pages[0].center();
    const QPoint to(pages[2].center().x(), pages[2].bottom() - 10);
    harness.xdotool({"mousemove", QString::number(from.x()), QString::number(from.y())});
    harness.xdotool({"click", "1"});
    harness.xdotool({"mousedown", "1"});
    for (int step = 1; step <= 8; ++step) {
        const QPoint at = from + (to - from) * step / 8;
        harness.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        QThread::msleep(60);
    }
    harness.xdotool({"mouseup", "1"});
    QThread::msleep(500);
    // The first thumbnail is page 2 now: select it and delete it.
    harness.xdotool({"mousemove", QString::number(from.x()), QString::number(from.y())});
    harness.xdotool({"click", "1"});
    harness.xdotool({"key", "Delete"});
    QThread::msleep(300);
    harness.typeKeys(window, "ctrl+s");

    QList<int> order;
    for (timer.restart(); order != QList<int>({3, 1, 4, 5, 6}) && timer.elapsed() < E2EHarness::slow(10000);
         QThread::msleep(200))
        order = pageOrder(path);
    QCOMPARE(order, QList<int>({3, 1, 4, 5, 6}));
    QCOMPARE(testpdfs::qpdfProblems(path), QString());
}

QTEST_MAIN(TstE2EPages)
#include "tst_e2e_pages.moc"
