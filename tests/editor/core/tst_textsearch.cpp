// Finding text: hits of one page from the document model, and whole-document searches that run
// in slices from the event loop.

#include "core/document.h"
#include "core/textsearch.h"
#include "pdffolder.h"
#include "wordpdf.h"

#include <QSignalSpy>
#include <QtTest>

using pxv::Document;
using pxv::TextHit;
using pxv::TextSearch;

namespace {

// Pages 1 to 4: "alpha" twice on page 1 (once capitalised), none on page 2, once on page 3
// (inside a longer word), twice on page 4.
const QList<QStringList>& kPages = wordpdf::kAlphaPages;

QList<int> pagesOf(const QList<TextHit>& hits)
{
    QList<int> pages;
    for (const TextHit& hit : hits)
        pages.append(hit.page);
    return pages;
}

} // namespace

class TestTextSearch : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;
    QString m_words;

    // Many pages, so that a search is still running when a test interferes with it.
    QString longDocument()
    {
        const QString path = m_dir.filePath("long.pdf");
        if (!QFile::exists(path)) {
            QList<QStringList> pages;
            for (int i = 0; i < 60; ++i)
                pages.append({QStringLiteral("alpha %1").arg(i), "beta"});
            wordpdf::write(path, pages);
        }
        return path;
    }

private slots:
    void initTestCase()
    {
        m_words = m_dir.filePath("words.pdf");
        wordpdf::write(m_words, kPages);
    }

    void findsEachOccurrenceIgnoringCase()
    {
        auto document = Document::open(m_words);
        QCOMPARE(document->findText(0, "alpha").size(), 2);
        QCOMPARE(document->findText(1, "alpha").size(), 0);
        QCOMPARE(document->findText(2, "alpha").size(), 1);
        QCOMPARE(document->findText(3, "aLpHa").size(), 2);
        QCOMPARE(document->findText(0, "alpha beta").size(), 1);
        QCOMPARE(document->findText(0, "zeta").size(), 0);
    }

    void optionsAskForTheCaseAndWholeWords()
    {
        auto document = Document::open(m_words);
        const pxv::SearchOptions matchCase{true, false};
        const pxv::SearchOptions wholeWords{false, true};
        QCOMPARE(document->findText(0, "Alpha", matchCase).size(), 1);
        QCOMPARE(document->findText(3, "alpha", matchCase).size(), 1);
        QCOMPARE(document->findText(3, "alpha", matchCase).first().areas.first().top() > wordpdf::kFirstBaseline,
                 true);
        QCOMPARE(document->findText(2, "alpha", wholeWords).size(), 0);
        QCOMPARE(document->findText(3, "alpha", wholeWords).size(), 2);
        // A line's end is a word's end; the words of a phrase keep their case.
        QCOMPARE(document->findText(0, "Alpha delta", {true, true}).size(), 1);
        QCOMPARE(document->findText(0, "alpha Delta", matchCase).size(), 0);
    }

    void pageWithManyHitsGivesThemAll()
    {
        QStringList lines;
        for (int i = 0; i < 20; ++i)
            lines.append(QStringLiteral("ab ").repeated(15));
        const QString path = m_dir.filePath("dense.pdf");
        wordpdf::write(path, {lines});
        auto document = Document::open(path);
        QCOMPARE(document->findText(0, "ab").size(), 300);
    }

    void hitsLieOnTheirWordsInsideThePage()
    {
        auto document = Document::open(m_words);
        const QRectF page(QPointF(0, 0), document->pageSize(0));
        const QList<TextHit> hits = document->findText(0, "alpha");
        QCOMPARE(hits.size(), 2);
        for (int line = 0; line < hits.size(); ++line) {
            const TextHit& hit = hits[line];
            QCOMPARE(hit.page, 0);
            QCOMPARE(hit.areas.size(), 1);
            const QRectF area = hit.areas.first();
            QVERIFY(page.contains(area));
            QVERIFY(area.width() > 10 && area.width() < 100);
            QVERIFY(area.height() > 5 && area.height() < 30);
            // Reading order, each on its own line: the baseline sits inside or just below it.
            const double baseline = wordpdf::kFirstBaseline + line * wordpdf::kLineHeight;
            QVERIFY2(area.top() < baseline && area.bottom() > baseline - 6,
                     qPrintable(QStringLiteral("line %1: %2..%3").arg(line).arg(area.top()).arg(area.bottom())));
            QVERIFY(qAbs(area.left() - wordpdf::kLeft) < 2);
        }
        // A later word on the line starts further right.
        const QRectF gamma = document->findText(0, "gamma").first().areas.first();
        QVERIFY(gamma.left() > hits[0].areas.first().right());
    }

    void badPagesAndEmptyTextsFindNothing()
    {
        auto document = Document::open(m_words);
        QVERIFY(document->findText(-1, "alpha").isEmpty());
        QVERIFY(document->findText(4, "alpha").isEmpty());
        QVERIFY(document->findText(0, "").isEmpty());
        QVERIFY(document->findText(0, "   ").isEmpty());
    }

    void rotatedPageGivesRotatedHits()
    {
        auto document = Document::open(m_words);
        const QRectF before = document->findText(0, "alpha").first().areas.first();
        document->rotatePage(0, 90);
        const QRectF page(QPointF(0, 0), document->pageSize(0));
        const QRectF after = document->findText(0, "alpha").first().areas.first();
        QVERIFY(page.contains(after));
        // Turned clockwise: the word now runs downwards near the right edge.
        QVERIFY(after.height() > after.width());
        QVERIFY(qAbs(after.width() - before.height()) < 1);
        QVERIFY(after.left() > page.width() / 2);
    }

    void searchReportsEveryPageInDocumentOrder()
    {
        auto document = Document::open(m_words);
        TextSearch search(document.get());
        QSignalSpy found(&search, &TextSearch::hitsFound);
        QSignalSpy finished(&search, &TextSearch::finished);
        search.start("alpha", 2);
        QVERIFY(search.isRunning());
        QVERIFY(!search.isFinished());
        QVERIFY(finished.wait());
        QCOMPARE(finished.size(), 1);
        QVERIFY(search.isFinished());
        QCOMPARE(pagesOf(search.hits()), QList<int>({0, 0, 2, 3, 3}));
        // Started on page 3 and wrapped: page 3's hits came first, page 1's were put before them.
        QCOMPARE(found.size(), 3);
        QCOMPARE(found[0], QVariantList({0, 1}));
        QCOMPARE(found[1], QVariantList({1, 2}));
        QCOMPARE(found[2], QVariantList({0, 2}));
    }

    void searchWithoutHitsFinishesEmpty()
    {
        auto document = Document::open(m_words);
        TextSearch search(document.get());
        QSignalSpy finished(&search, &TextSearch::finished);
        search.start("zeta");
        QVERIFY(finished.wait());
        QVERIFY(search.hits().isEmpty());
        QVERIFY(search.isFinished());
        search.start("  ");
        QVERIFY(!search.isRunning());
        QVERIFY(!search.isFinished());
    }

    void newQueryCancelsTheOldSearch()
    {
        auto document = Document::open(longDocument());
        TextSearch search(document.get());
        QStringList textsReported;
        connect(&search, &TextSearch::hitsFound, this, [&] { textsReported.append(search.text()); });
        QSignalSpy finished(&search, &TextSearch::finished);
        search.start("alpha");
        search.start("beta", 10);
        QVERIFY(finished.wait());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(search.hits().size(), 60);
        QCOMPARE(textsReported.size(), 60);
        QCOMPARE(textsReported.count("beta"), 60);
    }

    void queryChangedFromInsideAReportTakesOver()
    {
        auto document = Document::open(longDocument());
        TextSearch search(document.get());
        QStringList textsReported;
        connect(&search, &TextSearch::hitsFound, this, [&] {
            textsReported.append(search.text());
            if (search.text() == "alpha")
                search.start("alpha 1"); // matches "alpha 1" and "alpha 10".."alpha 19"
        });
        QSignalSpy finished(&search, &TextSearch::finished);
        search.start("alpha");
        QVERIFY(finished.wait());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(textsReported.first(), QStringLiteral("alpha"));
        QCOMPARE(textsReported.count("alpha"), 1);
        QCOMPARE(search.hits().size(), 11);
    }

    void clearForgetsTheHits()
    {
        auto document = Document::open(m_words);
        TextSearch search(document.get());
        QSignalSpy finished(&search, &TextSearch::finished);
        search.start("alpha");
        QVERIFY(finished.wait());
        QSignalSpy cleared(&search, &TextSearch::hitsCleared);
        search.clear();
        QCOMPARE(cleared.size(), 1);
        QVERIFY(search.hits().isEmpty());
        QVERIFY(search.text().isEmpty());
        QVERIFY(!search.isFinished());
    }

    void editSearchesAgain()
    {
        auto document = Document::open(m_words);
        TextSearch search(document.get());
        QSignalSpy finished(&search, &TextSearch::finished);
        search.start("alpha");
        QVERIFY(finished.wait());
        const QRectF before = search.hits().first().areas.first();
        document->rotatePage(0, 90);
        QVERIFY(search.isRunning());
        QVERIFY(finished.wait());
        QCOMPARE(search.hits().size(), 5);
        QVERIFY(search.hits().first().areas.first() != before);
    }

    void closingTheDocumentEndsTheSearch()
    {
        auto document = Document::open(longDocument());
        TextSearch search(document.get());
        QSignalSpy finished(&search, &TextSearch::finished);
        // Closed while the first page's hits are being reported, mid-slice.
        connect(&search, &TextSearch::hitsFound, this, [&] { document.reset(); });
        search.start("alpha");
        QTRY_VERIFY(!search.isRunning());
        QVERIFY(!document);
        QCOMPARE(finished.size(), 0);
        QVERIFY(search.hits().isEmpty());
        // And a search asked of a closed document does nothing.
        search.start("alpha");
        QVERIFY(!search.isRunning());
    }
};

QTEST_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
