// The page view of a document whose page sizes are learnt after it is shown: jumps and the end
// of the document land where the real sizes put them, and the page being read stays put while
// the sizes arrive.

#include "core/document.h"
#include "testpdfs.h"
#include "ui/pagelayout.h"
#include "ui/pageview.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using pxv::Document;
using pxv::PageLayout;
using pxv::PageView;

namespace {

constexpr int kDeadlineMs = 30000;

// Where the real sizes place every page at the view's scale.
PageLayout realLayout(const testpdfs::LargeTree& tree, const PageView& view)
{
    QVector<QSizeF> sizes;
    for (int page = 0; page < tree.firstPages + tree.secondPages; ++page)
        sizes.append(page < tree.firstPages ? tree.firstSize : tree.secondSize);
    PageLayout layout;
    layout.setPageSizes(sizes);
    layout.setScale(view.zoom() * view.logicalDpiX() / 72.0);
    return layout;
}

} // namespace

class TestLateSizes : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    testpdfs::LargeTree m_tree; // pages of 300 x 400 points, then of 500 x 700
    std::unique_ptr<Document> m_document;
    std::unique_ptr<PageView> m_view;

    // A view at 100 % of a newly opened document, shown but with no event handled yet: no size
    // beyond the first page and the visible ones has been read.
    void openAndShow(bool damaged = false)
    {
        m_tree.damaged = damaged;
        const QString path = m_dir.filePath(damaged ? "damaged.pdf" : "mixed.pdf");
        QVERIFY(!testpdfs::writeBytes(path, testpdfs::largePageTree(m_tree)).isEmpty());
        m_view.reset();
        m_document = Document::open(path);
        m_view = std::make_unique<PageView>(m_document.get());
        m_view->resize(1000, 800);
        m_view->show();
        m_view->setZoom(1.0);
    }

    bool allSizesArrived() const
    {
        const int last = m_tree.firstPages + m_tree.secondPages - 1;
        return m_view->pageCount() == last + 1 && m_document->isPageSizeKnown(last)
               && std::abs(m_view->pageRect(last).height()
                           - m_tree.secondSize.height() * m_view->zoom() * m_view->logicalDpiX() / 72.0)
                      < 0.5;
    }

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void cleanup()
    {
        m_view.reset();
        m_document.reset();
    }

    void jumpBeforeTheSizesArrive()
    {
        openAndShow();
        QVERIFY(!m_document->isPageSizeKnown(1500));
        m_view->goToPage(1500);
        QCOMPARE(m_view->currentPage(), 1500);
        const PageLayout real = realLayout(m_tree, *m_view);
        QVERIFY(std::abs(m_view->verticalScrollBar()->value() - (real.pageRect(1500, 0).top() - PageLayout::kGap / 2))
                <= 1);
        QCOMPARE(m_view->pageRect(1500).height(), real.pageRect(1500, 0).height());
        // The jump stays where it landed when the rest arrives.
        const double top = m_view->pageRect(1500).top();
        QTRY_VERIFY_WITH_TIMEOUT(allSizesArrived(), kDeadlineMs);
        QCOMPARE(m_view->currentPage(), 1500);
        QVERIFY(std::abs(m_view->pageRect(1500).top() - top) <= 1);
    }

    void endOfTheDocumentIsWhereTheRealSizesPutIt()
    {
        openAndShow();
        const int last = m_tree.firstPages + m_tree.secondPages - 1;
        QTest::keyClick(m_view.get(), Qt::Key_End);
        QCOMPARE(m_view->currentPage(), last);
        const PageLayout real = realLayout(m_tree, *m_view);
        QScrollBar* bar = m_view->verticalScrollBar();
        QVERIFY(std::abs(bar->maximum() + m_view->viewport()->height() - real.contentSize().height()) <= 1);
        QVERIFY(std::abs(bar->value() - (real.pageRect(last, 0).top() - PageLayout::kGap / 2)) <= 1);
        // Scrolled to the very end, the last page ends a margin above the bottom.
        bar->setValue(bar->maximum());
        QVERIFY(std::abs(m_view->pageRect(last).bottom() + PageLayout::kMargin - m_view->viewport()->height()) <= 1);
        QCOMPARE(m_view->currentPage(), last);
    }

    void currentPageStaysPutWhileSizesArrive()
    {
        openAndShow();
        QScrollBar* bar = m_view->verticalScrollBar();
        bar->setValue(bar->maximum() * 6 / 10);
        const int page = m_view->currentPage();
        QVERIFY(page > m_tree.firstPages); // laid out with the first page's size, yet to be corrected
        QVERIFY(!m_document->isPageSizeKnown(page - 2));
        const double top = m_view->pageRect(page).top();
        QTRY_VERIFY_WITH_TIMEOUT(allSizesArrived(), kDeadlineMs);
        QCOMPARE(m_view->currentPage(), page);
        QVERIFY2(std::abs(m_view->pageRect(page).top() - top) <= 1,
                 qPrintable(QString("moved from %1 to %2").arg(top).arg(m_view->pageRect(page).top())));
        // And now everything sits where the real sizes put it.
        const PageLayout real = realLayout(m_tree, *m_view);
        QVERIFY(std::abs(bar->value() + m_view->pageRect(page).top() - real.pageRect(page, 0).top()) <= 1);
    }

    // A large tree found damaged only once read to its end: the view follows the mended count.
    void damagedTreeEndsWithTheRealPages()
    {
        openAndShow(true);
        QCOMPARE(m_view->pageCount(), 2050);
        QTRY_VERIFY_WITH_TIMEOUT(allSizesArrived(), kDeadlineMs);
        const int last = m_tree.firstPages + m_tree.secondPages - 1;
        m_view->goToPage(last);
        QCOMPARE(m_view->currentPage(), last);
        const PageLayout real = realLayout(m_tree, *m_view);
        QVERIFY(std::abs(m_view->verticalScrollBar()->maximum() + m_view->viewport()->height()
                         - real.contentSize().height())
                <= 1);
    }
};

QTEST_MAIN(TestLateSizes)
#include "tst_latesizes.moc"
