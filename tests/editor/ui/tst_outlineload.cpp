// The outline of a file is read on a thread of its own once the first page shows: the pane
// takes its room at once, and the entries, with the pages they lead to, follow.

#include "openedview.h"
#include "ui/documentview.h"
#include "ui/outlinepane.h"
#include "ui/pageview.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using pxv::Document;
using pxv::DocumentView;

namespace {
constexpr int kDeadlineMs = 30000;
}

class TestOutlineLoad : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void entriesFollowThePaneThatShowsAtOnce()
    {
        testpdfs::Sample sample;
        sample.outline = true;
        auto view = openedView(m_dir, QStringLiteral("outline.pdf"), testpdfs::sample(sample));
        view->show();
        // Before any event: the pane is there, so the pages are laid out beside it.
        QVERIFY(view->hasOutline());
        QVERIFY(view->isOutlineVisible());
        pxv::OutlinePane* pane = view->outlinePane();
        QTRY_COMPARE_WITH_TIMEOUT(pane->topLevelItemCount(), 2, kDeadlineMs);
        QCOMPARE(pane->topLevelItem(0)->text(0), QString("Chapter 1"));
        QCOMPARE(pane->topLevelItem(1)->child(0)->text(0), QString("Section 2.1"));
        // Pages are numbered from the loader's own copy, named destinations included.
        QVERIFY(pane->topLevelItem(1)->child(0)->toolTip(0).contains("(page 3)"));

        // Clicking an entry goes to its page.
        pane->setCurrentItem(pane->topLevelItem(1));
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->visualItemRect(pane->topLevelItem(1)).center());
        QTRY_COMPARE(view->pageView()->currentPage(), 1);
    }

    void fileWithoutOutlineHasNoPane()
    {
        testpdfs::Sample sample;
        auto view = openedView(m_dir, QStringLiteral("plain.pdf"), testpdfs::sample(sample));
        view->show();
        QVERIFY(!view->hasOutline());
        QVERIFY(!view->isOutlineVisible());
    }
};

QTEST_MAIN(TestOutlineLoad)
#include "tst_outlineload.moc"
