#include "qhomewidget.h"
#include "qitemfilewidget.h"
#include "widgettest.h"

#include "cglobal.h"
#include "historystore.h"
#include "qdatabase.h"
#include "scale.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>

namespace {

void leftClick(QWidget* target)
{
    sendMouse(target, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton);
}

QString dbPath()
{
    return CGlobal::getAppDataPath() + QStringLiteral("history.db");
}

// A second connection to the store's file, to arrange and inspect what the page cannot.
int recordCount()
{
    QDatabase db(dbPath().toStdWString());
    return db.queryInt(L"select count(*) from history", {});
}

void setTime(const QString& path, double ctime)
{
    QDatabase db(dbPath().toStdWString());
    db.execute(L"update history set ctime=? where filePath=?", {Json::Value(ctime), Json::Value(path.toStdString())});
}

QListWidget* listOf(QHomeWidget& home)
{
    return home.findChild<QListWidget*>(QStringLiteral("listWidget"));
}

QItemFileWidget* rowAt(QHomeWidget& home, int index)
{
    QListWidget* list = listOf(home);
    return qobject_cast<QItemFileWidget*>(list->itemWidget(list->item(index)));
}

QStringList listedPaths(QHomeWidget& home)
{
    QStringList paths;
    for (int i = 0; i < listOf(home)->count(); ++i)
        paths << rowAt(home, i)->path();
    return paths;
}

} // namespace

class TestHomeWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void listShowsTenNewestFirst_data();
    void listShowsTenNewestFirst();
    void listRebuiltOnEveryShow();
    void tilesFireOnLeftPressAndRelease();
    void doubleClickOnTileFiresOnce();
    void openButtonAsksToOpen();
    void rowOpensThroughParent();
    void missingFileIsReportedAndDropped();
    void removeButtonKeepsFileOnDisk();
    void clearEmptiesListAndTable();
    void removeItemIgnoresForeignItems();
    void keyboardWalksRowsButtonsAndTiles();
    void accountSlotsUpdateNickname();
    void layoutGrowsWithDisplayScale();
    void brokenDatabaseLeavesEmptyListAndReportsFailedClear();

private:
    QString makeFile(const QString& name);

    QTemporaryDir m_dir;
};

void TestHomeWidget::init()
{
    HistoryStore::instance()->clear();
}

QString TestHomeWidget::makeFile(const QString& name)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("%PDF-1.4\n");
    return path;
}

void TestHomeWidget::listShowsTenNewestFirst_data()
{
    QTest::addColumn<int>("records");
    QTest::newRow("12") << 12;
    QTest::newRow("15") << 15;
}

void TestHomeWidget::listShowsTenNewestFirst()
{
    QFETCH(int, records);
    QStringList newestFirst;
    for (int i = 0; i < records; ++i) {
        // Inserted in an order unrelated to their times, so the order has to come from ctime.
        const int age = (i * 7) % records;
        const QString path = QStringLiteral("/docs/file-%1.pdf").arg(age);
        QVERIFY(HistoryStore::instance()->add(path.toStdWString()));
        setTime(path, 1700000000.0 - age * 60);
    }
    for (int age = 0; age < 10; ++age)
        newestFirst << QStringLiteral("/docs/file-%1.pdf").arg(age);

    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    QCOMPARE(listedPaths(home), newestFirst);
    QCOMPARE(rowAt(home, 0)->name(), QStringLiteral("file-0.pdf"));
    QCOMPARE(recordCount(), records);
}

void TestHomeWidget::listRebuiltOnEveryShow()
{
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    QCOMPARE(listOf(home)->count(), 0);
    home.hide();
    HistoryStore::instance()->add(L"/docs/new.pdf");
    home.show();
    QCOMPARE(listedPaths(home), QStringList{QStringLiteral("/docs/new.pdf")});
}

void TestHomeWidget::tilesFireOnLeftPressAndRelease()
{
    FakeParent parent;
    QHomeWidget home(&parent);
    QSignalSpy merge(&home, &QHomeWidget::signal_merge);
    QSignalSpy blank(&home, &QHomeWidget::signal_new_blank_doc);
    QSignalSpy convert(&home, &QHomeWidget::signal_pdf_convert);

    auto* frameMerge = home.findChild<QWidget*>(QStringLiteral("frameMerge"));
    sendMouse(frameMerge, QEvent::MouseButtonPress, Qt::RightButton);
    sendMouse(frameMerge, QEvent::MouseButtonRelease, Qt::RightButton);
    sendMouse(frameMerge, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(merge.count(), 0);

    leftClick(frameMerge);
    QCOMPARE(merge.count(), 1);

    leftClick(home.findChild<QWidget*>(QStringLiteral("frameCreate")));
    QCOMPARE(blank.count(), 1);

    leftClick(home.findChild<QWidget*>(QStringLiteral("frameConvert")));
    leftClick(home.findChild<QWidget*>(QStringLiteral("frameCompress")));
    QCOMPARE(convert.count(), 2);
    QCOMPARE(parent.pagemorph, 2);
    QCOMPARE(merge.count(), 1);

    // A press on one tile does not arm another.
    sendMouse(home.findChild<QWidget*>(QStringLiteral("frameCreate")), QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(frameMerge, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(merge.count(), 1);
    sendMouse(home.findChild<QWidget*>(QStringLiteral("frameCreate")), QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(blank.count(), 2);
}

void TestHomeWidget::doubleClickOnTileFiresOnce()
{
    FakeParent parent;
    QHomeWidget home(&parent);
    QSignalSpy merge(&home, &QHomeWidget::signal_merge);
    auto* frameMerge = home.findChild<QWidget*>(QStringLiteral("frameMerge"));
    leftClick(frameMerge);
    sendMouse(frameMerge, QEvent::MouseButtonDblClick, Qt::LeftButton);
    sendMouse(frameMerge, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(merge.count(), 1);
}

void TestHomeWidget::openButtonAsksToOpen()
{
    FakeParent parent;
    QHomeWidget home(&parent);
    QSignalSpy open(&home, &QHomeWidget::signal_open_doc);
    home.findChild<QPushButton*>(QStringLiteral("btnOpenFile"))->click();
    QCOMPARE(open.count(), 1);
}

void TestHomeWidget::rowOpensThroughParent()
{
    const QString path = makeFile(QStringLiteral("present.pdf"));
    QVERIFY(HistoryStore::instance()->add(path.toStdWString()));
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    leftClick(rowAt(home, 0)->findChild<QWidget*>(QStringLiteral("labelItemName")));
    QCOMPARE(parent.opened, QStringList{path});
    QCOMPARE(listOf(home)->count(), 1);
}

void TestHomeWidget::missingFileIsReportedAndDropped()
{
    const QString kept = makeFile(QStringLiteral("kept.pdf"));
    const QString gone = m_dir.filePath(QStringLiteral("gone.pdf"));
    QVERIFY(HistoryStore::instance()->add(kept.toStdWString()));
    QVERIFY(HistoryStore::instance()->add(gone.toStdWString()));
    setTime(gone, 2e9);

    MessageRecorder recorder;
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    QCOMPARE(rowAt(home, 0)->path(), gone);
    leftClick(rowAt(home, 0)->findChild<QWidget*>(QStringLiteral("labelItemIco")));

    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.first().first, QMsgBox::Warning);
    QCOMPARE(recorder.messages.first().second, QStringLiteral("文件不存在！"));
    QVERIFY(parent.opened.isEmpty());
    QVERIFY(!HistoryStore::instance()->exists(gone.toStdWString()));
    QCOMPARE(listedPaths(home), QStringList{kept});

    home.hide();
    home.show();
    QCOMPARE(listedPaths(home), QStringList{kept});
}

void TestHomeWidget::removeButtonKeepsFileOnDisk()
{
    const QString path = makeFile(QStringLiteral("keep-on-disk.pdf"));
    QVERIFY(HistoryStore::instance()->add(path.toStdWString()));
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    rowAt(home, 0)->findChild<QPushButton*>(QStringLiteral("btnRemove"))->click();
    QCOMPARE(listOf(home)->count(), 0);
    QCOMPARE(recordCount(), 0);
    QVERIFY(QFile::exists(path));
    QVERIFY(parent.opened.isEmpty());
}

void TestHomeWidget::clearEmptiesListAndTable()
{
    for (int i = 0; i < 3; ++i)
        QVERIFY(HistoryStore::instance()->add(QStringLiteral("/docs/%1.pdf").arg(i).toStdWString()));
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    QCOMPARE(listOf(home)->count(), 3);
    home.findChild<QPushButton*>(QStringLiteral("btnClear"))->click();
    QCOMPARE(listOf(home)->count(), 0);
    QCOMPARE(recordCount(), 0);
    home.hide();
    home.show();
    QCOMPARE(listOf(home)->count(), 0);
}

void TestHomeWidget::removeItemIgnoresForeignItems()
{
    QVERIFY(HistoryStore::instance()->add(L"/docs/one.pdf"));
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    QListWidgetItem foreign;
    home.onRemoveItem(&foreign);
    home.onRemoveItem(nullptr);
    QCOMPARE(listOf(home)->count(), 1);
}

void TestHomeWidget::keyboardWalksRowsButtonsAndTiles()
{
    QStringList paths;
    for (const char* name : {"one.pdf", "two.pdf", "three.pdf"}) {
        paths.prepend(makeFile(QLatin1String(name)));
        QVERIFY(HistoryStore::instance()->add(paths.first().toStdWString()));
        setTime(paths.first(), 1700000000.0 + paths.size());
    }
    FakeParent parent;
    QHomeWidget home(&parent);
    QSignalSpy merge(&home, &QHomeWidget::signal_merge);
    home.show();
    QApplication::setActiveWindow(&home);
    QVERIFY(QTest::qWaitForWindowActive(&home));
    home.findChild<QPushButton*>(QStringLiteral("btnClear"))->setFocus(Qt::TabFocusReason);

    // Tab: the clear button, each row, the open button, the four tiles; each named for a screen reader.
    QStringList stops;
    for (int i = 0; i < 9; ++i) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(focus);
        QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(focus->objectName()));
        stops << (rowAt(home, 0)->isAncestorOf(focus)   ? QStringLiteral("row0")
                  : rowAt(home, 1)->isAncestorOf(focus) ? QStringLiteral("row1")
                  : rowAt(home, 2)->isAncestorOf(focus) ? QStringLiteral("row2")
                                                        : focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(stops, QStringList({"btnClear", "row0", "row1", "row2", "btnOpenFile", "frameMerge", "frameCreate",
                                 "frameConvert", "frameCompress"}));

    QTest::keyClick(home.findChild<QWidget*>(QStringLiteral("frameMerge")), Qt::Key_Space);
    QCOMPARE(merge.count(), 1);
    QTest::keyClick(home.findChild<QWidget*>(QStringLiteral("frameConvert")), Qt::Key_Return);
    QCOMPARE(parent.pagemorph, 1);

    // Delete removes the focused row and hands the focus to the next one; Enter opens it.
    rowAt(home, 1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(listedPaths(home), QStringList({paths[0], paths[2]}));
    QCOMPARE(recordCount(), 2);
    QTRY_VERIFY(rowAt(home, 1)->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(parent.opened, QStringList{paths[2]});
}

void TestHomeWidget::accountSlotsUpdateNickname()
{
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    auto* nickname = home.findChild<QLabel*>(QStringLiteral("labelNickname"));
    auto* avatar = home.findChild<QLabel*>(QStringLiteral("labelAvatar"));
    home.onUserLogin(QStringLiteral("Ada"));
    QCOMPARE(nickname->text(), QStringLiteral("Ada"));
    QPixmap picture(40, 40);
    picture.fill(Qt::red);
    home.onUserAvatar(picture);
    QCOMPARE(avatar->pixmap(Qt::ReturnByValue).size(), picture.size());
    home.onUserLogout();
    QCOMPARE(nickname->text(), QStringLiteral("点击登录"));
    QVERIFY(avatar->isHidden());
}

void TestHomeWidget::layoutGrowsWithDisplayScale()
{
    setScaleFactor(1.5f);
    QHomeWidget home(nullptr);
    setScaleFactor(1.0f);
    QCOMPARE(home.findChild<QLabel*>(QStringLiteral("labelRecommand1"))->geometry(), QRect(192, 0, 87, 30));
    QCOMPARE(home.findChild<QLabel*>(QStringLiteral("labelRecommand2"))->geometry(), QRect(192, 0, 87, 30));
    QCOMPARE(home.findChild<QLabel*>(QStringLiteral("labelHomeText6"))->size(), QSize(217, 91));

    // With the page at the display's size, every tile's title, text and badge lies inside it.
    home.resize(990, 660);
    home.show();
    for (const char* name : {"frameMerge", "frameCreate", "frameConvert", "frameCompress"}) {
        auto* tile = home.findChild<QWidget*>(QLatin1String(name));
        for (QLabel* label : tile->findChildren<QLabel*>())
            QVERIFY2(tile->rect().contains(label->geometry()), qPrintable(label->objectName()));
    }
}

void TestHomeWidget::brokenDatabaseLeavesEmptyListAndReportsFailedClear()
{
    QVERIFY(HistoryStore::instance()->add(L"/docs/one.pdf"));
    {
        QDatabase db(dbPath().toStdWString());
        db.execute(L"drop table history", {});
    }
    MessageRecorder recorder;
    FakeParent parent;
    QHomeWidget home(&parent);
    home.show();
    QCOMPARE(listOf(home)->count(), 0);
    QVERIFY(recorder.messages.isEmpty());

    home.findChild<QPushButton*>(QStringLiteral("btnClear"))->click();
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.first().first, QMsgBox::Error);
}

VP_WIDGET_TEST_MAIN(TestHomeWidget)
#include "tst_qhomewidget.moc"
