#include "qhomewidget.h"
#include "qitemfilewidget.h"
#include "widgettest.h"

#include "cglobal.h"
#include "historystore.h"
#include "uexception.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>

// The history database cannot be opened at all: a folder sits where the file should be.
class TestHomeWidgetNoStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageShowsEmptyList();
    void failedClearIsReported();
    void missingFileRowStillLeavesList();
};

void TestHomeWidgetNoStore::initTestCase()
{
    QVERIFY(QDir().mkpath(CGlobal::getAppDataPath() + QStringLiteral("history.db/blocked")));
    QVERIFY_EXCEPTION_THROWN(HistoryStore::instance(), UException);
}

void TestHomeWidgetNoStore::pageShowsEmptyList()
{
    MessageRecorder recorder;
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    QCOMPARE(home.findChild<QListWidget*>(QStringLiteral("listWidget"))->count(), 0);
    QVERIFY(home.isVisible());
    QVERIFY(recorder.messages.isEmpty());
}

void TestHomeWidgetNoStore::failedClearIsReported()
{
    MessageRecorder recorder;
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    home.findChild<QPushButton*>(QStringLiteral("btnClear"))->click();
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.first().first, QMsgBox::Error);
    QVERIFY(!recorder.messages.first().second.isEmpty());
}

void TestHomeWidgetNoStore::missingFileRowStillLeavesList()
{
    MessageRecorder recorder;
    QListWidgetItem item;
    QItemFileWidget row(&item, nullptr);
    row.setFile(QStringLiteral("/nonexistent/gone.pdf"), QStringLiteral("gone.pdf"));
    QSignalSpy removed(&row, &QItemFileWidget::signal_remove_item);

    QWidget* label = row.findChild<QLabel*>(QStringLiteral("labelItemName"));
    const QPointF global = label->mapToGlobal(QPoint(2, 2));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(label, &press);
    QCoreApplication::sendEvent(label, &release);

    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.first().first, QMsgBox::Warning);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.first().at(0).value<QListWidgetItem*>(), &item);

    recorder.messages.clear();
    row.findChild<QPushButton*>(QStringLiteral("btnRemove"))->click();
    QCOMPARE(removed.count(), 2);
    QVERIFY(recorder.messages.isEmpty());
}

VP_WIDGET_TEST_MAIN(TestHomeWidgetNoStore)
#include "tst_qhomewidget_nostore.moc"
