#include "ui/pagelayout.h"

#include <QtTest>

using pxv::PageLayout;

class TestPageLayout : public QObject
{
    Q_OBJECT

private slots:
    void stacksPagesWithGapsAndCentresThem();
    void findsPagesInARangeAcrossMixedSizes();
    void fitsWidestPageAndWholePage();
    void emptyDocumentHasNoPages();
    void unreadablePageSizeTakesA4Room();
};

void TestPageLayout::stacksPagesWithGapsAndCentresThem()
{
    PageLayout layout;
    layout.setPageSizes({QSizeF(100, 200), QSizeF(200, 100)});
    layout.setScale(2.0);

    const QRectF first = layout.pageRect(0, 1000);
    const QRectF second = layout.pageRect(1, 1000);
    QCOMPARE(first.size(), QSizeF(200, 400));
    QCOMPARE(first.top(), PageLayout::kMargin);
    QCOMPARE(second.top(), first.bottom() + PageLayout::kGap);
    QCOMPARE(first.center().x(), 500.0);
    QCOMPARE(second.center().x(), 500.0);
    QCOMPARE(layout.contentSize(), QSizeF(400 + 2 * PageLayout::kMargin, second.bottom() + PageLayout::kMargin));
    // A viewport narrower than the content centres on the content instead.
    QCOMPARE(layout.pageRect(1, 10).left(), PageLayout::kMargin);
    QVERIFY(layout.pageRect(2, 1000).isNull());
}

void TestPageLayout::findsPagesInARangeAcrossMixedSizes()
{
    PageLayout layout;
    QVector<QSizeF> sizes;
    for (int i = 0; i < 2000; ++i)
        sizes.append(i % 2 ? QSizeF(600, 300) : QSizeF(600, 800));
    layout.setPageSizes(sizes);
    layout.setScale(0.5);

    const QRectF page1500 = layout.pageRect(1500, 800);
    QCOMPARE(layout.pageAt(page1500.top() + 1), 1500);
    // The gap below a page still belongs to it.
    QCOMPARE(layout.pageAt(page1500.bottom() + PageLayout::kGap / 2), 1500);
    const QPair<int, int> range = layout.pagesBetween(page1500.top() + 1, layout.pageRect(1503, 800).top() + 1);
    QCOMPARE(range.first, 1500);
    QCOMPARE(range.second, 1503);
    QCOMPARE(layout.pageAt(-50), 0);
    QCOMPARE(layout.pageAt(1e9), 1999);
}

void TestPageLayout::fitsWidestPageAndWholePage()
{
    PageLayout layout;
    layout.setPageSizes({QSizeF(300, 400), QSizeF(600, 400)});
    QCOMPARE(layout.fitWidthScale(600 + 2 * PageLayout::kMargin), 1.0);

    const double fit = layout.fitPageScale(0, QSizeF(1000, 400 + 2 * PageLayout::kGap));
    QCOMPARE(fit, 1.0);
    layout.setScale(fit);
    QVERIFY(layout.pageRect(0, 1000).height() <= 400 + 2 * PageLayout::kGap);
}

void TestPageLayout::emptyDocumentHasNoPages()
{
    PageLayout layout;
    layout.setPageSizes({});
    QCOMPARE(layout.pagesBetween(0, 100), qMakePair(-1, -1));
    QCOMPARE(layout.pageAt(10), -1);
    QCOMPARE(layout.contentSize(), QSizeF(0, 0));
}

void TestPageLayout::unreadablePageSizeTakesA4Room()
{
    PageLayout layout;
    layout.setPageSizes({QSizeF(), QSizeF(100, 100)});
    QCOMPARE(layout.pageSizePoints(0), QSizeF(595, 842));
    QVERIFY(layout.pageRect(1, 800).top() > 842);
}

QTEST_APPLESS_MAIN(TestPageLayout)
#include "tst_pagelayout.moc"
