#include "framegeometry.h"

#include <QtTest>

class TstFrameGeometry : public QObject
{
    Q_OBJECT
private slots:
    void hitTest_data();
    void hitTest();
    void cursors();
    void dragSteps_data();
    void dragSteps();
};

void TstFrameGeometry::hitTest_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<int>("region");
    // Window at (100, 100), 1080x720: right() == 1179, bottom() == 819.
    QTest::newRow("interior") << QPoint(500, 400) << 0;
    QTest::newRow("left at 3") << QPoint(103, 400) << 10;
    QTest::newRow("left at 4") << QPoint(104, 400) << 0;
    QTest::newRow("right at 3") << QPoint(1176, 400) << 11;
    QTest::newRow("right at 4") << QPoint(1175, 400) << 0;
    QTest::newRow("top") << QPoint(500, 100) << 12;
    QTest::newRow("bottom") << QPoint(500, 819) << 15;
    QTest::newRow("top-left") << QPoint(101, 102) << 13;
    QTest::newRow("top-right") << QPoint(1179, 103) << 14;
    QTest::newRow("bottom-left") << QPoint(100, 817) << 16;
    QTest::newRow("bottom-right") << QPoint(1178, 818) << 17;
    QTest::newRow("outside left still left") << QPoint(50, 400) << 10;
}

void TstFrameGeometry::hitTest()
{
    QFETCH(QPoint, cursor);
    QFETCH(int, region);
    QCOMPARE(hitTestRegion(cursor, QRect(100, 100, 1080, 720)), region);
}

void TstFrameGeometry::cursors()
{
    QCOMPARE(cursorForRegion(0), Qt::ArrowCursor);
    QCOMPARE(cursorForRegion(10), Qt::SizeHorCursor);
    QCOMPARE(cursorForRegion(15), Qt::SizeVerCursor);
    QCOMPARE(cursorForRegion(13), Qt::SizeFDiagCursor);
    QCOMPARE(cursorForRegion(17), Qt::SizeFDiagCursor);
    QCOMPARE(cursorForRegion(14), Qt::SizeBDiagCursor);
    QCOMPARE(cursorForRegion(16), Qt::SizeBDiagCursor);
}

void TstFrameGeometry::dragSteps_data()
{
    QTest::addColumn<int>("region");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<bool>("resizes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<QPoint>("pos");
    // Window at (100, 100), 500x400, minimum 300x200.
    QTest::newRow("move") << 0 << QPoint(7, -3) << false << QSize() << true << QPoint(107, 97);
    QTest::newRow("left grows") << 10 << QPoint(-20, 5) << true << QSize(520, 400) << true << QPoint(80, 100);
    QTest::newRow("left to exactly minimum refused") << 10 << QPoint(200, 0) << false << QSize() << false << QPoint();
    QTest::newRow("left just above minimum")
        << 10 << QPoint(199, 0) << true << QSize(301, 400) << true << QPoint(299, 100);
    QTest::newRow("right leaves limit to resize")
        << 11 << QPoint(-400, 0) << true << QSize(100, 400) << false << QPoint();
    QTest::newRow("top") << 12 << QPoint(3, -10) << true << QSize(500, 410) << true << QPoint(100, 90);
    QTest::newRow("top to minimum refused") << 12 << QPoint(0, 200) << false << QSize() << false << QPoint();
    QTest::newRow("top-left") << 13 << QPoint(-5, -6) << true << QSize(505, 406) << true << QPoint(95, 94);
    QTest::newRow("top-left one axis at minimum refused")
        << 13 << QPoint(-5, 200) << false << QSize() << false << QPoint();
    QTest::newRow("top-right") << 14 << QPoint(5, -6) << true << QSize(505, 406) << true << QPoint(100, 94);
    QTest::newRow("bottom") << 15 << QPoint(9, 12) << true << QSize(500, 412) << false << QPoint();
    QTest::newRow("bottom-left") << 16 << QPoint(-5, 6) << true << QSize(505, 406) << true << QPoint(95, 100);
    QTest::newRow("bottom-left at minimum refused") << 16 << QPoint(200, 6) << false << QSize() << false << QPoint();
    QTest::newRow("bottom-right") << 17 << QPoint(5, 6) << true << QSize(505, 406) << false << QPoint();
}

void TstFrameGeometry::dragSteps()
{
    QFETCH(int, region);
    QFETCH(QPoint, delta);
    QFETCH(bool, resizes);
    QFETCH(QSize, size);
    QFETCH(bool, moves);
    QFETCH(QPoint, pos);
    const FrameStep step = frameDragStep(region, delta, QPoint(100, 100), QSize(500, 400), QSize(300, 200));
    QCOMPARE(step.size.has_value(), resizes);
    if (resizes)
        QCOMPARE(*step.size, size);
    QCOMPARE(step.pos.has_value(), moves);
    if (moves)
        QCOMPARE(*step.pos, pos);
}

QTEST_APPLESS_MAIN(TstFrameGeometry)
#include "tst_framegeometry.moc"
