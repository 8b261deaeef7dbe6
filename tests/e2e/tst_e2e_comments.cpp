// Comments in the real program: an ink stroke and a highlight drawn with the mouse, saved with
// Ctrl+S and read back from the file where they were drawn.

#include "core/document.h"
#include "e2eharness.h"
#include "testpdfs.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QThread>
#include <QtTest>

using pxv::Annotation;
using pxv::AnnotationType;

class TstE2EComments : public QObject
{
    Q_OBJECT

private slots:
    void drawInkAndHighlightThenSave();

private:
    QTemporaryDir m_files;
};

namespace {

constexpr double kPageWidth = 612;
constexpr double kPageHeight = 792;
// The line of text, in page points from the top-left corner: its baseline and the x it starts at.
constexpr double kTextBaseline = 100;
constexpr double kTextLeft = 72;
constexpr double kFontSize = 28;

QString writeTextPage(const QString& path)
{
    const QByteArray text = "BT /F1 " + QByteArray::number(kFontSize) + " Tf " + QByteArray::number(kTextLeft) + ' '
                            + QByteArray::number(kPageHeight - kTextBaseline)
                            + " Td (Highlight this line of text) Tj ET";
    return testpdfs::writeObjects(
        path, {
                  "<< /Type /Catalog /Pages 2 0 R >>",
                  "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R"
                  " /Resources << /Font << /F1 5 0 R >> >> >>",
                  "<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text + "\nendstream",
                  "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
              });
}

bool isPaper(QRgb pixel)
{
    return qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250;
}

// The page on screen: the longest run of paper across the window low down, where the page is
// blank (its line of text is near its top), up from there to where the paper ends.
QRectF pageOnScreen(const QImage& screen, const QRect& window)
{
    const int y = window.top() + window.height() * 3 / 4;
    int bestLeft = -1, bestWidth = 0;
    for (int x = window.left(), start = -1; x <= window.right() + 1; ++x) {
        const bool paper = x <= window.right() && isPaper(screen.pixel(x, y));
        if (paper && start < 0)
            start = x;
        if (!paper && start >= 0) {
            if (x - start > bestWidth) {
                bestLeft = start;
                bestWidth = x - start;
            }
            start = -1;
        }
    }
    if (bestWidth < 200)
        return {};
    int top = y;
    while (top > window.top() && isPaper(screen.pixel(bestLeft + 2, top - 1)))
        --top;
    return QRectF(bestLeft, top, bestWidth, bestWidth * kPageHeight / kPageWidth);
}

QPoint onScreen(const QRectF& page, const QPointF& point)
{
    return (page.topLeft() + point * page.width() / kPageWidth).toPoint();
}

QRectF bounds(const QList<QPolygonF>& polygons)
{
    QRectF all;
    for (const QPolygonF& polygon : polygons)
        all |= polygon.boundingRect();
    return all;
}

} // namespace

void TstE2EComments::drawInkAndHighlightThenSave()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    const QString path = writeTextPage(m_files.filePath("comments.pdf"));
    QVERIFY(!path.isEmpty());
    const QDateTime written = QFileInfo(path).lastModified();
    harness.startProgram({path});
    const qulonglong window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QVERIFY(harness.waitForDocument());
    QElapsedTimer timer;

    const QString shot = harness.home() + "/screen.png";
    const QRect area = harness.windowGeometry(window);
    QRectF page;
    for (timer.restart(); page.isEmpty() && timer.elapsed() < E2EHarness::slow(10000); QThread::msleep(200)) {
        QVERIFY(harness.screenshot(shot));
        page = pageOnScreen(QImage(shot), area);
    }
    QVERIFY2(!page.isEmpty(), "no page on screen");

    const auto moveTo = [&](const QPoint& at) {
        harness.xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    };
    const auto drag = [&](const QPointF& from, const QPointF& to) {
        moveTo(onScreen(page, from));
        harness.xdotool({"mousedown", "1"});
        for (int step = 1; step <= 10; ++step) {
            moveTo(onScreen(page, from + (to - from) * step / 10));
            QThread::msleep(40);
        }
        harness.xdotool({"mouseup", "1"});
        QThread::msleep(300);
    };
    // A click on blank paper gives the page view the keyboard.
    moveTo(onScreen(page, QPointF(kPageWidth / 2, 150)));
    harness.xdotool({"click", "1"});

    // Both drawn in the upper part of the page: the window shows about its upper third.
    const QPointF inkFrom(150, 180), inkTo(450, 260);
    // The first drawing tool brings the Comment toolbar above the pages, which stay where they
    // are on screen: the strokes go where the page was found.
    QVERIFY(harness.screenshot(shot));
    const QRect above(area.left(), area.top(), area.width(), int(page.top()) - area.top());
    const QImage withoutBar = QImage(shot).copy(above);
    harness.typeKeys(window, "p");
    bool barShown = false;
    for (timer.restart(); !barShown && timer.elapsed() < E2EHarness::slow(5000); QThread::msleep(100)) {
        QVERIFY(harness.screenshot(shot));
        barShown = QImage(shot).copy(above) != withoutBar;
    }
    QVERIFY(barShown);
    QThread::msleep(200);
    drag(inkFrom, inkTo);
    const QPointF markFrom(kTextLeft + 4, kTextBaseline - kFontSize / 3),
        markTo(kTextLeft + 200, kTextBaseline - kFontSize / 3);
    harness.typeKeys(window, "h");
    drag(markFrom, markTo);
    harness.typeKeys(window, "ctrl+s");

    for (timer.restart(); QFileInfo(path).lastModified() == written && timer.elapsed() < E2EHarness::slow(10000);
         QThread::msleep(200)) {
    }
    QThread::msleep(300);
    QCOMPARE(testpdfs::qpdfProblems(path), QString());
    const auto saved = pxv::Document::open(path);
    const QList<Annotation> list = saved->annotations(0);
    QCOMPARE(list.size(), 2);
    // A pixel on screen is more than a point at small zooms: allow a few.
    const double slop = 3 * kPageWidth / page.width() + 2;
    const auto near = [slop](const QPointF& a, const QPointF& b) { return QLineF(a, b).length() <= slop; };
    for (const Annotation& annotation : list) {
        if (annotation.type == AnnotationType::Ink) {
            QCOMPARE(annotation.strokes.size(), 1);
            const QPolygonF stroke = annotation.strokes.first();
            QVERIFY2(near(stroke.first(), inkFrom) && near(stroke.last(), inkTo),
                     qPrintable(QString("stroke from %1,%2 to %3,%4")
                                    .arg(stroke.first().x())
                                    .arg(stroke.first().y())
                                    .arg(stroke.last().x())
                                    .arg(stroke.last().y())));
        } else {
            QCOMPARE(annotation.type, AnnotationType::Highlight);
            const QRectF marked = bounds(annotation.quads);
            // It covers the words dragged over and stays on the line of text.
            QVERIFY(marked.left() <= markFrom.x() + slop && marked.right() >= markTo.x() - kFontSize);
            QVERIFY(marked.top() >= kTextBaseline - 2 * kFontSize && marked.bottom() <= kTextBaseline + kFontSize / 2);
            QVERIFY(annotation.contents.startsWith("Highlight"));
        }
    }
}

QTEST_MAIN(TstE2EComments)
#include "tst_e2e_comments.moc"
