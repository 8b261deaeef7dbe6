// The outline of a file is read on a thread of its own once the first page shows: the pane
// takes its room at once, the entries follow, and the pages they lead to after them.

#include "core/preparedopen.h"
#include "openedview.h"
#include "ui/documentview.h"
#include "ui/outlinepane.h"
#include "ui/pageview.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>
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
        QTRY_VERIFY_WITH_TIMEOUT(pane->topLevelItem(1)->child(0)->toolTip(0).contains("(page 3)"), kDeadlineMs);

        // Clicking an entry goes to its page.
        pane->setCurrentItem(pane->topLevelItem(1));
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->visualItemRect(pane->topLevelItem(1)).center());
        QTRY_COMPARE(view->pageView()->currentPage(), 1);
    }

    // The titles are listed before the targets are read; an entry chosen meanwhile is followed
    // once they are, and the entries listed stay the same items.
    void entryChosenBeforeItsTargetIsReadIsFollowedThen()
    {
        testpdfs::Sample sample;
        sample.outline = true;
        auto view = openedView(m_dir, QStringLiteral("pending.pdf"), testpdfs::sample(sample));
        view->show();
        pxv::OutlinePane* pane = view->outlinePane();
        QTRY_VERIFY_WITH_TIMEOUT(pane->topLevelItemCount() == 2
                                     && pane->topLevelItem(1)->child(0)->toolTip(0).contains("(page 3)"),
                                 kDeadlineMs);
        const QList<pxv::OutlineItem> read = view->document()->model()->outline();
        QList<pxv::OutlineItem> titles = read;
        const std::function<void(QList<pxv::OutlineItem>&)> withoutTargets = [&](QList<pxv::OutlineItem>& items) {
            for (pxv::OutlineItem& item : items) {
                item.page = -1;
                item.targetPending = true;
                withoutTargets(item.children);
            }
        };
        withoutTargets(titles);

        pane->setOutline(titles);
        QTreeWidgetItem* section = pane->topLevelItem(1)->child(0);
        pane->topLevelItem(1)->setExpanded(true);
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->visualItemRect(section).center());
        QCOMPARE(view->pageView()->currentPage(), 0);

        pane->setOutline(read);
        QCOMPARE(pane->topLevelItem(1)->child(0), section);
        QTRY_COMPARE(view->pageView()->currentPage(), 2);
    }

    // A file read while the host waits to open it: the view made when it opens shows the entries
    // read meanwhile at once. What was read of a file written again since, or of one that cannot
    // be opened, is not taken.
    void preparedFileShowsItsOutlineAtOnce()
    {
        testpdfs::Sample sample;
        sample.outline = true;
        const QString path = testpdfs::writeBytes(m_dir.filePath("prepared.pdf"), testpdfs::sample(sample));
        pxv::PreparedOpen prepared(path);
        QVERIFY(!prepared.isFor(m_dir.filePath("other.pdf")));
        QVERIFY(prepared.isFor(path));
        pxv::PreparedOpen::Taken taken = prepared.take();
        QVERIFY(taken.document && taken.outline);
        QTRY_VERIFY_WITH_TIMEOUT(taken.outline->hasLoaded(), kDeadlineMs);
        DocumentView view(std::make_shared<CPXVDocument>(std::move(taken.document)));
        view.takeOutlineLoader(std::move(taken.outline));
        pxv::OutlinePane* pane = view.outlinePane();
        QCOMPARE(pane->topLevelItemCount(), 2);
        QCOMPARE(pane->topLevelItem(1)->child(0)->text(0), QString("Section 2.1"));
        QTRY_VERIFY_WITH_TIMEOUT(pane->topLevelItem(1)->child(0)->toolTip(0).contains("(page 3)"), kDeadlineMs);

        pxv::PreparedOpen outdated(path);
        sample.pages = 5;
        testpdfs::writeBytes(path, testpdfs::sample(sample));
        QVERIFY(!outdated.isFor(path));

        const QString broken = testpdfs::writeBytes(m_dir.filePath("broken.pdf"), "%PDF-1.7 not really");
        QVERIFY(!pxv::PreparedOpen(broken).take().document);
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
