#include "qitemfilewidget.h"
#include "widgettest.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>

namespace {

// What the window system delivers for a double click.
void sendDoubleClick(QWidget* target)
{
    sendMouse(target, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonDblClick, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton);
}

} // namespace

class TestItemFileWidget : public QObject
{
    Q_OBJECT

private slots:
    void shortNameShownWholeWithoutToolTip();
    void longNameElidedWithFullNameInToolTip();
    void opensOnlyOnLeftPressAndRelease_data();
    void opensOnlyOnLeftPressAndRelease();
    void clickOnEmptySpaceDoesNothing();

private:
    QTemporaryDir m_dir;
};

void TestItemFileWidget::shortNameShownWholeWithoutToolTip()
{
    QItemFileWidget row(nullptr, nullptr);
    row.setFile(QStringLiteral("/data/报告.pdf"), QStringLiteral("报告.pdf"));
    auto* label = row.findChild<QLabel*>(QStringLiteral("labelItemName"));
    QCOMPARE(label->text(), QStringLiteral("报告.pdf"));
    QVERIFY(label->toolTip().isEmpty());
}

void TestItemFileWidget::longNameElidedWithFullNameInToolTip()
{
    const QString name = QStringLiteral("a-very-long-quarterly-report-name-that-cannot-fit-in-the-row-2026.pdf");
    QItemFileWidget row(nullptr, nullptr);
    row.setFile(QStringLiteral("/data/") + name, name);
    auto* label = row.findChild<QLabel*>(QStringLiteral("labelItemName"));
    QVERIFY(label->text() != name);
    QVERIFY(label->text().endsWith(QChar(0x2026)));
    QVERIFY(name.startsWith(label->text().chopped(1)));
    // 250 wide, minus icon 16, remove button 14 and 46 of margins and spacing.
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= 174);
    QCOMPARE(label->toolTip(), name);
}

void TestItemFileWidget::opensOnlyOnLeftPressAndRelease_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("name") << QStringLiteral("labelItemName");
    QTest::newRow("icon") << QStringLiteral("labelItemIco");
}

void TestItemFileWidget::opensOnlyOnLeftPressAndRelease()
{
    QFETCH(QString, target);
    const QString path = m_dir.filePath(QStringLiteral("present.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QItemFileWidget row(nullptr, nullptr);
    row.setFile(path, QStringLiteral("present.pdf"));
    auto* label = row.findChild<QLabel*>(target);
    QSignalSpy opened(&row, &QItemFileWidget::signal_open_file);
    QSignalSpy removed(&row, &QItemFileWidget::signal_remove_item);

    sendMouse(label, QEvent::MouseButtonPress, Qt::RightButton);
    sendMouse(label, QEvent::MouseButtonRelease, Qt::RightButton);
    QCOMPARE(opened.count(), 0);

    sendMouse(label, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(opened.count(), 0);

    sendMouse(label, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(label, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.takeFirst().at(0).toString(), path);

    sendDoubleClick(label);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(removed.count(), 0);
}

void TestItemFileWidget::clickOnEmptySpaceDoesNothing()
{
    QItemFileWidget row(nullptr, nullptr);
    row.setFile(m_dir.path(), QStringLiteral("folder"));
    QSignalSpy opened(&row, &QItemFileWidget::signal_open_file);
    auto* frame = row.findChild<QWidget*>(QStringLiteral("frameMain"));
    sendMouse(frame, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(frame, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(opened.count(), 0);
}

VP_WIDGET_TEST_MAIN(TestItemFileWidget)
#include "tst_qitemfilewidget.moc"
