// Page sizes learnt after opening: what is read on demand, what the slices read, and large page
// trees that turn out damaged only once they have been read to the end.

#include "core/document.h"
#include "pdffolder.h"

#include <QtTest>

using pxv::Document;

namespace {

// The size page should have in a largePageTree() document.
QSizeF expectedSize(const testpdfs::LargeTree& tree, int page)
{
    return page < tree.firstPages ? tree.firstSize : tree.secondSize;
}

// Reads slices until the document says every size is known; false if that never happens.
bool readAllSizes(Document& document)
{
    for (int slice = 0; slice < 10000; ++slice) {
        if (document.readPageSizes(64))
            return true;
    }
    return false;
}

} // namespace

class TestPageSizes : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void openingReadsTheFirstPagesOnly()
    {
        const testpdfs::LargeTree tree;
        auto document = Document::open(m_dir.write(QStringLiteral("large.pdf"), testpdfs::largePageTree(tree)));
        QCOMPARE(document->pageCount(), tree.firstPages + tree.secondPages);
        QVERIFY(document->isPageSizeKnown(0));
        QVERIFY(document->isPageSizeKnown(1));
        QVERIFY(!document->isPageSizeKnown(1000));
        QVERIFY(!document->isPageSizeKnown(2099));
        QVERIFY(!document->isPageSizeKnown(-1));
        QVERIFY(!document->isPageSizeKnown(2100));
        // Asked for, a size is read at once and stays known.
        QCOMPARE(document->pageSize(1500), tree.secondSize);
        QVERIFY(document->isPageSizeKnown(1500));
        QVERIFY(!document->isPageSizeKnown(1499));
        QVERIFY(document->pageSize(2100).isEmpty());
    }

    void slicesReadEverySizeInOrder()
    {
        const testpdfs::LargeTree tree;
        auto document = Document::open(m_dir.write(QStringLiteral("slices.pdf"), testpdfs::largePageTree(tree)));
        QVERIFY(!document->readPageSizes(100));
        QVERIFY(document->isPageSizeKnown(99));
        QVERIFY(!document->isPageSizeKnown(500));
        document->readPageSizesThrough(1200);
        QVERIFY(document->isPageSizeKnown(1200));
        QVERIFY(!document->isPageSizeKnown(2000));
        QVERIFY(!document->areAllPageSizesKnown());
        QVERIFY(readAllSizes(*document));
        QVERIFY(document->areAllPageSizesKnown());
        for (int page = 0; page < document->pageCount(); ++page) {
            QVERIFY(document->isPageSizeKnown(page));
            QCOMPARE(document->pageSize(page), expectedSize(tree, page));
        }
        QVERIFY(!document->renderSource()->base->mendPageTree);
    }

    // A rotated page keeps its new size however the sizes are read afterwards.
    void rotationBeforeTheSliceArrives()
    {
        const testpdfs::LargeTree tree;
        auto document = Document::open(m_dir.write(QStringLiteral("rotate.pdf"), testpdfs::largePageTree(tree)));
        document->rotatePage(1800, 90);
        QCOMPARE(document->pageSize(1800), tree.secondSize.transposed());
        QVERIFY(readAllSizes(*document));
        QCOMPARE(document->pageSize(1800), tree.secondSize.transposed());
        QCOMPARE(document->pageSize(1799), tree.secondSize);
    }

    // The damage of a large tree (counts that lie, a kid leading back to the root) is found
    // when the slices reach its end: the tree is mended, the real pages are counted, the views
    // and render workers are told.
    void largeDamagedTreeIsMendedWhenReadToTheEnd()
    {
        testpdfs::LargeTree tree;
        tree.damaged = true;
        auto document = Document::open(m_dir.write(QStringLiteral("damaged.pdf"), testpdfs::largePageTree(tree)));
        QSignalSpy changed(document.get(), &Document::sourceChanged);
        QCOMPARE(document->pageCount(), 2050); // what the root claims
        QVERIFY(!document->renderSource()->base->mendPageTree);
        // Every page the root claims is read before the walk reaches the pages beyond them.
        document->readPageSizesThrough(2049);
        QVERIFY(document->isPageSizeKnown(2049));
        QVERIFY(!document->areAllPageSizesKnown());
        QVERIFY(readAllSizes(*document));
        QVERIFY(document->areAllPageSizesKnown());
        QCOMPARE(changed.count(), 1);
        QVERIFY(document->renderSource()->base->mendPageTree);
        QCOMPARE(document->pageCount(), tree.firstPages + tree.secondPages);
        for (int page = 0; page < document->pageCount(); ++page)
            QCOMPARE(document->pageSize(page), expectedSize(tree, page));
    }

    // Before the damage is found, the sizes read follow the pages in their real order, not where
    // the lying counts would place them.
    void sizesFollowTheWalkNotTheCountsThatLie()
    {
        testpdfs::LargeTree tree;
        tree.damaged = true;
        auto document = Document::open(m_dir.write(QStringLiteral("through.pdf"), testpdfs::largePageTree(tree)));
        document->readPageSizesThrough(2049);
        QVERIFY(document->isPageSizeKnown(2049));
        QCOMPARE(document->pageSize(2049), tree.secondSize);
        QCOMPARE(document->pageSize(999), tree.firstSize);
        QCOMPARE(document->pageSize(1000), tree.secondSize);
    }

    // Small files are checked whole on opening, so their counts are right from the start.
    void smallDamagedTreeIsMendedOnOpening()
    {
        testpdfs::LargeTree tree;
        tree.firstPages = 10;
        tree.secondPages = 100;
        tree.damaged = true;
        auto document = Document::open(m_dir.write(QStringLiteral("small.pdf"), testpdfs::largePageTree(tree)));
        QCOMPARE(document->pageCount(), 110);
        QCOMPARE(document->pageSize(10), tree.secondSize);
        QVERIFY(document->renderSource()->base->mendPageTree);
    }

    // Reading every size drops the objects parsed for it; pages inserted afterwards, into the
    // middle of an inner node and after the last page, land where they were put, and every
    // node's /Count follows.
    void insertingIntoATwoLevelTreeAfterEverySizeWasRead()
    {
        const testpdfs::LargeTree tree;
        auto document = Document::open(m_dir.write(QStringLiteral("tree.pdf"), testpdfs::largePageTree(tree)));
        QVERIFY(readAllSizes(*document));
        auto source = Document::open(m_dir.write(QStringLiteral("a4.pdf"), testpdfs::longDocument(3)));
        const QSizeF a4 = source->pageSize(0);
        document->insertPagesOf(*source, {0, 1, 2}, 500);
        document->insertPagesOf(*source, {2}, document->pageCount());
        const int total = tree.firstPages + tree.secondPages + 4;
        const QString saved = m_dir.filePath(QStringLiteral("inserted.pdf"));
        document->save(saved);
        QCOMPARE(testpdfs::qpdfProblems(saved), QString());
        auto reopened = Document::open(saved);
        QVERIFY(readAllSizes(*reopened));
        for (const Document* d : {document.get(), reopened.get()}) {
            QCOMPARE(d->pageCount(), total);
            QCOMPARE(d->pageSize(499), tree.firstSize);
            QCOMPARE(d->pageSize(500), a4);
            QCOMPARE(d->pageSize(502), a4);
            QCOMPARE(d->pageSize(503), tree.firstSize);
            QCOMPARE(d->pageSize(tree.firstPages + 3), tree.secondSize);
            QCOMPARE(d->pageSize(total - 2), tree.secondSize);
            QCOMPARE(d->pageSize(total - 1), a4);
        }
        QVERIFY(!reopened->findText(total - 1, QStringLiteral("Page 3, line 1:")).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestPageSizes)
#include "tst_pagesizes.moc"
