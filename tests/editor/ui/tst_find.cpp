// Finding text through the editor control: the command, the bar under the pages, moving
// through the hits with the keyboard, and the marks on the pages.

#include "wordpdf.h"
#include "hostedcontrol.h"

#include "ipxv.h"
#include "pxveditor.h"
#include "qcontrolhost.h"
#include "core/textsearch.h"
#include "ui/cpxvcontrol.h"
#include "ui/documentview.h"
#include "ui/findbar.h"
#include "ui/pageview.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

// "alpha" on pages 1, 3 and 4 (five times in all); the third page has it inside a longer word.
const QList<QStringList>& kPages = wordpdf::kAlphaPages;

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void findCommandIsNamedAndOffered();
    void ctrlFOpensTheBarAndCountsHits();
    void searchBeginsAtThePageBeingRead();
    void keysMoveThroughHitsInOrderAndWrap();
    void currentHitIsScrolledIntoViewAndMarked();
    void noHitsSaysSo();
    void changedQueryReplacesTheSearch();
    void escapeClosesAndClearsTheMarks();
    void closingTheDocumentDuringASearchIsSafe();

private:
    pxv::FindBar* findBar() const { return m_widget->activeView()->findBar(); }
    pxv::PageView* pageView() const { return m_widget->activeView()->pageView(); }
    QString wordsPdf();
    QString longPdf();
    // Opens the bar with Ctrl+F, types the query and waits until every page has been searched.
    void search(const QString& text);
    int currentPage() const;
    // The share of a hit's pixels on screen that carry a mark: orange ones for the current hit,
    // yellow ones for the others.
    double markedShare(const pxv::TextHit& hit, bool current);

    QTemporaryDir m_dir;
    HostedControl m_hosted;
    IPXV_Control* m_control = nullptr;
    CPXVControl* m_widget = nullptr;
};

void TestFind::initTestCase()
{
    QVERIFY(m_dir.isValid());
    registerPXVEditor();
}

void TestFind::init()
{
    QVERIFY(m_hosted.create());
    m_control = m_hosted.control;
    m_widget = m_hosted.widget;
}

void TestFind::cleanup()
{
    m_hosted.destroy();
}

void TestFind::cleanupTestCase()
{
    // The search field's clear button fades in with an animation that Qt deletes only at its next
    // tick after the field is gone. Without that tick before exit, the leak checker of the
    // sanitizer build reports Qt's animation.
    QTest::qWait(200);
}

QString TestFind::wordsPdf()
{
    const QString path = m_dir.filePath("words.pdf");
    if (!QFile::exists(path))
        wordpdf::write(path, kPages);
    return path;
}

QString TestFind::longPdf()
{
    const QString path = m_dir.filePath("long.pdf");
    if (!QFile::exists(path)) {
        QList<QStringList> pages;
        for (int i = 0; i < 80; ++i)
            pages.append({QStringLiteral("alpha %1").arg(i), "beta"});
        wordpdf::write(path, pages);
    }
    return path;
}

void TestFind::search(const QString& text)
{
    pageView()->setFocus();
    QTest::keyClick(pageView(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(findBar()->isVisible());
    QLineEdit* edit = findBar()->queryEdit();
    QCOMPARE(QApplication::focusWidget(), edit);
    QTest::keyClicks(edit, text);
    QTRY_VERIFY(findBar()->search()->isFinished());
}

int TestFind::currentPage() const
{
    const int index = findBar()->currentIndex();
    return index < 0 ? -1 : findBar()->search()->hits().at(index).page;
}

double TestFind::markedShare(const pxv::TextHit& hit, bool current)
{
    const QImage shot = pageView()->viewport()->grab().toImage();
    const QRect area = pageView()->areaRect(hit.page, hit.areas.first()).toRect() & shot.rect();
    if (area.isEmpty())
        return 0.0;
    int marked = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = shot.pixelColor(QPoint(x, y) * shot.devicePixelRatioF());
            const bool tinted = c.red() - c.blue() > 60;
            const bool orange = c.red() - c.green() > 35;
            marked += tinted && orange == current;
        }
    }
    return double(marked) / (area.width() * area.height());
}

void TestFind::findCommandIsNamedAndOffered()
{
    const int id = m_control->inst()->nameToId("cmd.find", true);
    QVERIFY(id > 0);
    QCOMPARE(m_control->inst()->idToName(id), QStringLiteral("cmd.find"));

    QAction* find = nullptr;
    for (QAction* action : m_widget->findChildren<QAction*>())
        if (action->objectName() == "cmd.find")
            find = action;
    QVERIFY(find);
    QVERIFY(find->shortcuts().contains(QKeySequence(QKeySequence::Find)));
    QVERIFY(!find->icon().isNull());
    QVERIFY(!find->isEnabled()); // nothing to search without a document
    bool inMenu = false;
    for (QAction* menu : m_widget->findChild<QMenuBar*>()->actions())
        inMenu = inMenu || menu->menu()->actions().contains(find);
    QVERIFY(inMenu);
    QVERIFY(m_widget->findChild<QToolBar*>()->actions().contains(find));

    m_control->openPath(wordsPdf(), 0);
    QVERIFY(find->isEnabled());
    QVERIFY(!findBar()->isVisible());
    m_control->inst()->runCommand("cmd.find");
    QVERIFY(findBar()->isVisible());
}

void TestFind::ctrlFOpensTheBarAndCountsHits()
{
    m_control->openPath(wordsPdf(), 0);
    search("alpha");
    QCOMPARE(findBar()->search()->hits().size(), 5);
    QCOMPARE(currentPage(), 0);
    QCOMPARE(findBar()->findChild<QLabel*>("findCounter")->text(), QStringLiteral("1 of 5"));
    QVERIFY(findBar()->findChild<QToolButton*>("findNext")->isEnabled());
    // Ctrl+F again keeps the query, selected for typing over.
    pageView()->setFocus();
    QTest::keyClick(pageView(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(findBar()->queryEdit()->selectedText(), QStringLiteral("alpha"));
    QCOMPARE(findBar()->search()->hits().size(), 5);
}

void TestFind::searchBeginsAtThePageBeingRead()
{
    m_control->openPath(wordsPdf(), 0);
    pageView()->goToPage(3);
    search("alpha");
    // The first hit found is the reader's next one; the earlier pages' hits, found after it,
    // go before it without taking its place.
    QCOMPARE(currentPage(), 3);
    QCOMPARE(findBar()->counterText(), QStringLiteral("4 of 5"));
    QTest::keyClick(findBar()->queryEdit(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(currentPage(), 2);
}

void TestFind::keysMoveThroughHitsInOrderAndWrap()
{
    m_control->openPath(wordsPdf(), 0);
    search("alpha");
    QLineEdit* edit = findBar()->queryEdit();
    QList<int> indexes{findBar()->currentIndex()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(edit, Qt::Key_Return);
        indexes.append(findBar()->currentIndex());
    }
    QCOMPARE(indexes, QList<int>({0, 1, 2, 3, 4, 0}));
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(findBar()->currentIndex(), 4);
    QCOMPARE(findBar()->counterText(), QStringLiteral("5 of 5"));
    QCOMPARE(currentPage(), 3);
    QTest::keyClick(edit, Qt::Key_F3);
    QCOMPARE(findBar()->currentIndex(), 0);
    QTest::keyClick(edit, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(findBar()->currentIndex(), 4);
    // F3 also works from the pages, and the buttons do the same.
    pageView()->setFocus();
    QTest::keyClick(pageView(), Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(findBar()->currentIndex(), 3);
    QTest::mouseClick(findBar()->findChild<QToolButton*>("findNext"), Qt::LeftButton);
    QCOMPARE(findBar()->currentIndex(), 4);
    QTest::mouseClick(findBar()->findChild<QToolButton*>("findPrevious"), Qt::LeftButton);
    QCOMPARE(findBar()->currentIndex(), 3);
}

void TestFind::currentHitIsScrolledIntoViewAndMarked()
{
    m_control->openPath(wordsPdf(), 0);
    search("alpha");
    QLineEdit* edit = findBar()->queryEdit();
    const QRectF viewport(QPointF(0, 0), QSizeF(pageView()->viewport()->size()));
    const QList<pxv::TextHit> hits = findBar()->search()->hits();
    for (int i = 0; i < hits.size(); ++i) {
        QCOMPARE(findBar()->currentIndex(), i);
        const pxv::TextHit& hit = hits[i];
        QVERIFY2(viewport.contains(pageView()->areaRect(hit.page, hit.areas.first())), qPrintable(QString::number(i)));
        QVERIFY(markedShare(hit, true) > 0.4);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // The other hit on the first page is marked, but not as the current one.
    QCOMPARE(findBar()->currentIndex(), 0);
    QVERIFY(markedShare(hits[1], false) > 0.4);
    QVERIFY(markedShare(hits[1], true) < 0.1);
}

void TestFind::noHitsSaysSo()
{
    m_control->openPath(wordsPdf(), 0);
    search("zeta");
    QCOMPARE(findBar()->findChild<QLabel*>("findCounter")->text(), QStringLiteral("No matches"));
    QCOMPARE(findBar()->currentIndex(), -1);
    QVERIFY(!findBar()->findChild<QToolButton*>("findNext")->isEnabled());
    QVERIFY(!findBar()->findChild<QToolButton*>("findPrevious")->isEnabled());
    QTest::keyClick(findBar()->queryEdit(), Qt::Key_Return);
    QCOMPARE(findBar()->currentIndex(), -1);
}

void TestFind::changedQueryReplacesTheSearch()
{
    m_control->openPath(longPdf(), 0);
    search("alpha");
    QCOMPARE(findBar()->search()->hits().size(), 80);
    QLineEdit* edit = findBar()->queryEdit();
    // Every key restarts the search; only the last query's hits are left.
    QTest::keyClicks(edit, " 7");
    QCOMPARE(findBar()->search()->text(), QStringLiteral("alpha 7"));
    QTRY_VERIFY(findBar()->search()->isFinished());
    QCOMPARE(findBar()->search()->hits().size(), 11); // "alpha 7" and "alpha 70".."alpha 79"
    QCOMPARE(findBar()->counterText(), QStringLiteral("1 of 11"));
    QCOMPARE(currentPage(), 7);
    // So does an option: "alpha 7" as words of their own is on page 8 alone.
    findBar()->findChild<QToolButton*>("findWholeWords")->click();
    QTRY_VERIFY(findBar()->search()->isFinished());
    QCOMPARE(findBar()->search()->hits().size(), 1);
}

void TestFind::escapeClosesAndClearsTheMarks()
{
    m_control->openPath(wordsPdf(), 0);
    search("alpha");
    const pxv::TextHit first = findBar()->search()->hits().first();
    QTest::keyClick(findBar()->queryEdit(), Qt::Key_Escape);
    QVERIFY(!findBar()->isVisible());
    QVERIFY(findBar()->search()->hits().isEmpty());
    QVERIFY(pageView()->hasFocus());
    QVERIFY(markedShare(first, true) < 0.05);
    QVERIFY(markedShare(first, false) < 0.05);
    // F3 brings the bar back with the same query and searches again.
    QTest::keyClick(pageView(), Qt::Key_F3);
    QVERIFY(findBar()->isVisible());
    QTRY_VERIFY(findBar()->search()->isFinished());
    QCOMPARE(findBar()->search()->hits().size(), 5);
}

void TestFind::closingTheDocumentDuringASearchIsSafe()
{
    m_control->openPath(longPdf(), 0);
    QPointer<pxv::TextSearch> search = findBar()->search();
    pageView()->setFocus();
    QTest::keyClick(pageView(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(findBar()->queryEdit(), "beta");
    QVERIFY(search->isRunning());
    m_control->inst()->runCommand("cmd.close");
    QCOMPARE(m_widget->documentCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!search);
    QCoreApplication::processEvents();
    QVERIFY(!m_widget->findChild<pxv::FindBar*>());
}

QTEST_MAIN(TestFind)
#include "tst_find.moc"
