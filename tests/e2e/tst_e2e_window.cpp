#include "e2eharness.h"

#include <QtTest>

// The frameless main window, moved, resized and maximised with the real mouse under a window
// manager.
class TstE2EWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void isFramelessAndSized();
    void titleDragMovesByMouseDelta();
    void edgePressResizes();
    void leftResizeBelowMinimumIsRefused();
    void pressInsideEditorMovesNothing();
    void doubleClickTitleMaximisesAndRestores();
    void maximiseButtonToggles();
    void minimiseButtonHides();
    void closeButtonEndsWithZero();

private:
    void drag(const QPoint& from, const QPoint& to, bool viaMidpoint = true);
    QRect geometry() const { return m_harness.windowGeometry(m_window); }

    E2EHarness m_harness{true};
    QProcess* m_program = nullptr;
    qulonglong m_window = 0;
};

void TstE2EWindow::initTestCase()
{
    E2E_REQUIRE(m_harness);
    m_program = m_harness.startProgram();
    m_window = m_harness.waitForWindow(QStringLiteral("OrvantoPDF"));
    QVERIFY(m_window != 0);
    m_harness.xdotool({"windowmove", QString::number(m_window), "100", "80"});
    QVERIFY(m_harness.waitForGeometry(m_window, [](const QRect& r) { return r.topLeft() == QPoint(100, 80); }));
}

void TstE2EWindow::drag(const QPoint& from, const QPoint& to, bool viaMidpoint)
{
    m_harness.xdotool({"mousemove", QString::number(from.x()), QString::number(from.y())});
    m_harness.xdotool({"mousedown", "1"});
    if (viaMidpoint) {
        m_harness.xdotool(
            {"mousemove", QString::number((from.x() + to.x()) / 2), QString::number((from.y() + to.y()) / 2)});
    }
    m_harness.xdotool({"mousemove", QString::number(to.x()), QString::number(to.y())});
    m_harness.xdotool({"mouseup", "1"});
    QTest::qWait(300);
}

void TstE2EWindow::isFramelessAndSized()
{
    QCOMPARE(geometry().size(), QSize(1080, 720));
    QCOMPARE(m_harness.xdotool({"getwindowname", QString::number(m_window)}), QStringLiteral("OrvantoPDF Editor"));
    QProcess xprop;
    xprop.setProcessEnvironment(m_harness.environment());
    xprop.start("xprop", {"-id", QString::number(m_window), "_MOTIF_WM_HINTS"});
    QVERIFY(xprop.waitForFinished(5000));
    // _MOTIF_WM_HINTS = flags, functions, decorations, ...: decorations given (flag 0x2) and none wanted.
    const QString hints = QString::fromLatin1(xprop.readAllStandardOutput()).section('=', 1);
    const QStringList fields = hints.split(',', Qt::SkipEmptyParts);
    QVERIFY2(fields.size() >= 3, qPrintable(hints));
    QVERIFY(fields.at(0).trimmed().toUInt(nullptr, 16) & 0x2);
    QCOMPARE(fields.at(2).trimmed().toUInt(nullptr, 16), 0u);
}

void TstE2EWindow::titleDragMovesByMouseDelta()
{
    const QRect before = geometry();
    const QPoint grab = before.topLeft() + QPoint(500, 25);
    drag(grab, grab + QPoint(120, 70));
    QVERIFY(m_harness.waitForGeometry(m_window, [&](const QRect& r) {
        return r.topLeft() == before.topLeft() + QPoint(120, 70) && r.size() == before.size();
    }));
}

void TstE2EWindow::edgePressResizes()
{
    const QRect before = geometry();
    const QPoint rightEdge(before.right() - 1, before.top() + 300);
    drag(rightEdge, rightEdge + QPoint(60, 0));
    QVERIFY(m_harness.waitForGeometry(
        m_window, [&](const QRect& r) { return r.width() == before.width() + 60 && r.topLeft() == before.topLeft(); }));
    const QRect mid = geometry();
    const QPoint bottomRight(mid.right() - 1, mid.bottom() - 1);
    drag(bottomRight, bottomRight + QPoint(-40, 30));
    QVERIFY(m_harness.waitForGeometry(m_window, [&](const QRect& r) {
        return r.size() == mid.size() + QSize(-40, 30) && r.topLeft() == mid.topLeft();
    }));
}

void TstE2EWindow::leftResizeBelowMinimumIsRefused()
{
    const QRect before = geometry();
    const QPoint leftEdge(before.left() + 1, before.top() + 300);
    // One move past the minimum: the whole step is refused, neither size nor position changes.
    drag(leftEdge, leftEdge + QPoint(before.width() + 50, 0), false);
    QTest::qWait(300);
    QCOMPARE(geometry(), before);
}

void TstE2EWindow::pressInsideEditorMovesNothing()
{
    const QRect before = geometry();
    // Left of the home page, which floats over the middle of the editor area.
    const QPoint inside = before.topLeft() + QPoint(60, 400);
    drag(inside, inside + QPoint(150, 80));
    QCOMPARE(geometry(), before);
}

void TstE2EWindow::doubleClickTitleMaximisesAndRestores()
{
    const QRect before = geometry();
    const QPoint title = before.topLeft() + QPoint(500, 25);
    m_harness.xdotool({"mousemove", QString::number(title.x()), QString::number(title.y())});
    m_harness.xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
    QVERIFY(m_harness.waitForGeometry(m_window, [](const QRect& r) { return r.width() >= 1600; }));
    m_harness.xdotool({"mousemove", "500", "25"});
    m_harness.xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
    QVERIFY(m_harness.waitForGeometry(m_window, [&](const QRect& r) { return r.size() == before.size(); }));
}

void TstE2EWindow::maximiseButtonToggles()
{
    const QRect before = geometry();
    const QPoint maxButton(before.right() - 72, before.top() + 27);
    m_harness.xdotool({"mousemove", QString::number(maxButton.x()), QString::number(maxButton.y()), "click", "1"});
    QVERIFY(m_harness.waitForGeometry(m_window, [](const QRect& r) { return r.width() >= 1600; }));
    const QRect maximised = geometry();
    m_harness.xdotool(
        {"mousemove", QString::number(maximised.right() - 72), QString::number(maximised.top() + 27), "click", "1"});
    QVERIFY(m_harness.waitForGeometry(m_window, [&](const QRect& r) { return r.size() == before.size(); }));
}

void TstE2EWindow::minimiseButtonHides()
{
    const QRect before = geometry();
    m_harness.xdotool(
        {"mousemove", QString::number(before.right() - 116), QString::number(before.top() + 27), "click", "1"});
    QTRY_VERIFY_WITH_TIMEOUT(m_harness.xdotool({"search", "--onlyvisible", "--name", "OrvantoPDF"}).isEmpty(),
                             E2EHarness::slow(5000));
    m_harness.xdotool({"windowactivate", QString::number(m_window)});
    QVERIFY(m_harness.waitForWindow(QStringLiteral("OrvantoPDF"), 5000) != 0);
}

void TstE2EWindow::closeButtonEndsWithZero()
{
    QTest::qWait(300);
    const QRect before = geometry();
    m_harness.xdotool(
        {"mousemove", QString::number(before.right() - 28), QString::number(before.top() + 27), "click", "1"});
    QVERIFY(E2EHarness::waitForExit(m_program));
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TstE2EWindow)
#include "tst_e2e_window.moc"
