#include "qfloatexwidget.h"
#include "widgettest.h"

#include <QAbstractEventDispatcher>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>

namespace {

const char* const kRows[] = {"Word", "Excel", "PPT", "Image", "CAD"};

template <typename T>
T* child(QWidget& panel, const char* prefix, int row)
{
    return panel.findChild<T*>(QLatin1String(prefix) + QLatin1String(kRows[row]));
}

void enter(QWidget* widget)
{
    QEvent event(QEvent::Enter);
    QCoreApplication::sendEvent(widget, &event);
}

void leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

QList<QAbstractEventDispatcher::TimerInfo> timersOf(QObject* object)
{
    return QAbstractEventDispatcher::instance()->registeredTimers(object);
}

// Delivers the poll timer's tick now instead of waiting for it.
void tick(QWidget& panel)
{
    const auto timers = timersOf(&panel);
    QCOMPARE(timers.size(), 1);
    QTimerEvent event(timers.first().timerId);
    QCoreApplication::sendEvent(&panel, &event);
}

bool isFolded(QWidget& panel)
{
    if (child<QFrame>(panel, "frameTo", 0)->isHidden())
        return false;
    for (int row = 1; row < 5; ++row) {
        if (!child<QFrame>(panel, "frameTo", row)->isHidden())
            return false;
    }
    return true;
}

// The Word icon's circle, without the rest of the panel and without the icon's corners.
bool onlyWordIconMasked(QWidget& panel)
{
    const QRegion mask = panel.mask();
    const QRect icon(92, 2, 44, 44);
    return mask.contains(icon.center()) && !mask.contains(icon.topLeft())
           && QRect(2, 2, 134, 44).contains(mask.boundingRect())
           && icon.adjusted(-1, 0, 0, 0).contains(mask.boundingRect());
}

} // namespace

class TestFloatExWidget : public QObject
{
    Q_OBJECT

private slots:
    void foldedAfterConstruction();
    void enteringWordIconUnfoldsWithOnePollTimer();
    void enteringAnotherIconSwitchesTheButton();
    void leavingAButtonHidesIt();
    void pollFoldsOnlyWhenPointerIsOutside();
    void buttonsReachTheParentSlots();
};

void TestFloatExWidget::foldedAfterConstruction()
{
    FakeParent parent;
    QFloatExWidget panel(&parent);
    QVERIFY(isFolded(panel));
    QVERIFY(panel.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(panel.windowFlags().testFlag(Qt::Tool));
    // The Word button sits just outside its row, so it is not seen.
    auto* word = child<QPushButton>(panel, "btnTo", 0);
    QVERIFY(!child<QFrame>(panel, "frameTo", 0)->rect().intersects(word->geometry()));
    QVERIFY(timersOf(&panel).isEmpty());
    // Only the Word icon takes part in drawing and in pointer input.
    QVERIFY(onlyWordIconMasked(panel));
}

void TestFloatExWidget::enteringWordIconUnfoldsWithOnePollTimer()
{
    FakeParent parent;
    QFloatExWidget panel(&parent);
    enter(child<QLabel>(panel, "labelTo", 0));
    for (int row = 0; row < 5; ++row)
        QVERIFY(!child<QFrame>(panel, "frameTo", row)->isHidden());
    QVERIFY(!child<QPushButton>(panel, "btnTo", 0)->isHidden());
    QCOMPARE(timersOf(&panel).size(), 1);
    QCOMPARE(timersOf(&panel).first().interval, 200);
    QCOMPARE(timersOf(&panel).first().timerType, Qt::CoarseTimer);

    enter(child<QLabel>(panel, "labelTo", 0));
    QCOMPARE(timersOf(&panel).size(), 1);
}

void TestFloatExWidget::enteringAnotherIconSwitchesTheButton()
{
    FakeParent parent;
    QFloatExWidget panel(&parent);
    enter(child<QLabel>(panel, "labelTo", 0));
    enter(child<QLabel>(panel, "labelTo", 1));
    for (int row = 0; row < 5; ++row)
        QCOMPARE(child<QPushButton>(panel, "btnTo", row)->isHidden(), row != 1);
    // The slide starts over the icon, whatever the button's geometry was.
    QCOMPARE(child<QPushButton>(panel, "btnTo", 1)->geometry(), QRect(90, 0, 44, 44));
    QTRY_COMPARE(child<QPushButton>(panel, "btnTo", 1)->geometry(), QRect(0, 0, 134, 44));
    const QRegion mask = panel.mask();
    QVERIFY(mask.contains(QRect(30, 60, 80, 44)));
    QVERIFY(mask.contains(QPoint(2, 82)));
    QVERIFY(!mask.contains(QPoint(2, 60)));
    QVERIFY(!mask.contains(QPoint(60, 24)));

    enter(child<QLabel>(panel, "labelTo", 4));
    QVERIFY(child<QPushButton>(panel, "btnTo", 1)->isHidden());
    QVERIFY(!child<QPushButton>(panel, "btnTo", 4)->isHidden());
}

void TestFloatExWidget::leavingAButtonHidesIt()
{
    FakeParent parent;
    QFloatExWidget panel(&parent);
    enter(child<QLabel>(panel, "labelTo", 0));
    enter(child<QLabel>(panel, "labelTo", 2));
    leave(child<QPushButton>(panel, "btnTo", 2));
    for (int row = 0; row < 5; ++row)
        QVERIFY(child<QPushButton>(panel, "btnTo", row)->isHidden());
    QVERIFY(!isFolded(panel));
}

void TestFloatExWidget::pollFoldsOnlyWhenPointerIsOutside()
{
    FakeParent parent;
    QFloatExWidget panel(&parent);
    panel.move(300, 200);
    panel.show();
    enter(child<QLabel>(panel, "labelTo", 0));

    QCursor::setPos(panel.geometry().center());
    QCOMPARE(QCursor::pos(), panel.geometry().center());
    tick(panel);
    QVERIFY(!isFolded(panel));
    QCOMPARE(timersOf(&panel).size(), 1);

    QCursor::setPos(panel.geometry().bottomRight() + QPoint(20, 20));
    tick(panel);
    QVERIFY(isFolded(panel));
    for (int row = 0; row < 5; ++row)
        QVERIFY(child<QPushButton>(panel, "btnTo", row)->isHidden());
    QVERIFY(timersOf(&panel).isEmpty());
    QVERIFY(onlyWordIconMasked(panel));

    // Folded, the Word icon unfolds the panel again.
    enter(child<QLabel>(panel, "labelTo", 0));
    QVERIFY(!isFolded(panel));
}

void TestFloatExWidget::buttonsReachTheParentSlots()
{
    FakeParent parent;
    QFloatExWidget panel(&parent);
    for (int row = 0; row < 4; ++row)
        child<QPushButton>(panel, "btnTo", row)->click();
    QCOMPARE(parent.pagemorph, 4);
    QCOMPARE(parent.draftmorph, 0);
    child<QPushButton>(panel, "btnTo", 4)->click();
    QCOMPARE(parent.pagemorph, 4);
    QCOMPARE(parent.draftmorph, 1);
}

VP_WIDGET_TEST_MAIN(TestFloatExWidget)
#include "tst_qfloatexwidget.moc"
