#include "perf.h"
#include "perfmessages.h"

#include <QRegularExpression>
#include <QtTest>
#include <QWidget>

class TstPerf : public QObject
{
    Q_OBJECT
private slots:
    void firstPaintIsLoggedOnceAfterItHappened();
    void nothingIsLoggedWhenTheCategoryIsOff();
};

void TstPerf::firstPaintIsLoggedOnceAfterItHappened()
{
    const PerfMessages perf;
    QWidget widget;
    widget.resize(200, 100);
    perfMilestoneOnFirstPaint(&widget, "widget painted");
    QCoreApplication::processEvents();
    QVERIFY2(perf.messages().isEmpty(), "logged before the widget was ever painted");

    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTRY_COMPARE_WITH_TIMEOUT(perf.messages().size(), 1, 5000);
    QVERIFY2(QRegularExpression(QStringLiteral("^widget painted: \\d+ ms$")).match(perf.messages().first()).hasMatch(),
             qPrintable(perf.messages().first()));

    widget.repaint();
    widget.hide();
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.repaint();
    QTest::qWait(50);
    QCOMPARE(perf.messages().size(), 1);
}

void TstPerf::nothingIsLoggedWhenTheCategoryIsOff()
{
    const PerfMessages perf;
    // Watching starts only while the category is on; turning it on later must not log.
    QLoggingCategory::setFilterRules(QStringLiteral("vellumpad.perf=false"));
    QWidget widget;
    perfMilestoneOnFirstPaint(&widget, "widget painted");
    QLoggingCategory::setFilterRules(QStringLiteral("vellumpad.perf=true"));
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.repaint();
    QTest::qWait(50);
    QVERIFY(perf.messages().isEmpty());
}

QTEST_MAIN(TstPerf)
#include "tst_perf.moc"
