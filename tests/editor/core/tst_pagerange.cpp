// Page range texts as users type them: what they choose, and the errors that tell them why not.

#include "core/pagerange.h"

#include <QtTest>

using pxv::PageRange;
using pxv::PageRangeError;

using Pages = QVector<int>;

class TestPageRange : public QObject
{
    Q_OBJECT

private slots:
    void validRangesChooseTheirPages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<Pages>("expected");

        QTest::newRow("single page") << "3" << 10 << Pages{2};
        QTest::newRow("list keeps its order") << "7,2,5" << 10 << Pages{6, 1, 4};
        QTest::newRow("closed range") << "2-4" << 10 << Pages{1, 2, 3};
        QTest::newRow("one-page range") << "4-4" << 10 << Pages{3};
        QTest::newRow("open end") << "8-" << 10 << Pages{7, 8, 9};
        QTest::newRow("open end at last page") << "10-" << 10 << Pages{9};
        QTest::newRow("open start") << "-3" << 10 << Pages{0, 1, 2};
        QTest::newRow("whole document as a range") << "1-5" << 5 << Pages{0, 1, 2, 3, 4};
        QTest::newRow("duplicate page") << "3,1,3" << 5 << Pages{2, 0};
        QTest::newRow("overlapping ranges") << "4-5,1-4,2" << 5 << Pages{3, 4, 0, 1, 2};
        QTest::newRow("whitespace everywhere") << " 1 - 2 ,\t5 ,  7-  " << 8 << Pages{0, 1, 4, 6, 7};
        QTest::newRow("leading zeros") << "02-003" << 5 << Pages{1, 2};
        QTest::newRow("empty") << "" << 3 << Pages{0, 1, 2};
        QTest::newRow("whitespace only") << " \t " << 3 << Pages{0, 1, 2};
        QTest::newRow("all") << "all" << 3 << Pages{0, 1, 2};
        QTest::newRow("odd, odd count") << "odd" << 5 << Pages{0, 2, 4};
        QTest::newRow("odd, even count") << "odd" << 4 << Pages{0, 2};
        QTest::newRow("even, odd count") << "even" << 5 << Pages{1, 3};
        QTest::newRow("even of one page") << "even" << 1 << Pages{};
        QTest::newRow("odd of one page") << "odd" << 1 << Pages{0};
        QTest::newRow("keywords ignore case") << " EvEn " << 4 << Pages{1, 3};
        QTest::newRow("keyword in a list") << "5,Odd" << 5 << Pages{4, 0, 2};
    }

    void validRangesChooseTheirPages()
    {
        QFETCH(QString, text);
        QFETCH(int, pageCount);
        QFETCH(Pages, expected);
        QCOMPARE(PageRange::parse(text, pageCount), expected);
    }

    void invalidRangesSayWhy_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<QString>("quoted"); // what the message must contain

        QTest::newRow("unknown word") << "1,abc" << 10 << "\"abc\" is not a page range";
        QTest::newRow("single letter") << "a" << 10 << "\"a\"";
        QTest::newRow("backwards") << " 5 - 2 " << 10 << "\"5 - 2\" runs backwards";
        QTest::newRow("double dash") << "1--2" << 10 << "\"1--2\"";
        QTest::newRow("lone dash") << "-" << 10 << "\"-\"";
        QTest::newRow("two numbers") << "1 2" << 10 << "\"1 2\"";
        QTest::newRow("sign") << "+3" << 10 << "\"+3\"";
        QTest::newRow("negative end") << "2--3" << 10 << "\"2--3\"";
        QTest::newRow("empty item") << "1,,2" << 10 << "\"1,,2\"";
        QTest::newRow("trailing comma") << "1,2," << 10 << "\"1,2,\"";
        QTest::newRow("page 0") << "0" << 10 << "page 0";
        QTest::newRow("range to page 0") << "-0" << 10 << "page 0";
        QTest::newRow("page beyond") << "12" << 10 << "Page 12 does not exist: the document has 10 pages.";
        QTest::newRow("range end beyond") << "3-11" << 10 << "Page 11 does not exist: the document has 10 pages.";
        QTest::newRow("open end beyond") << "11-" << 10 << "Page 11 does not exist";
        QTest::newRow("one-page document") << "2" << 1 << "the document has 1 page.";
        QTest::newRow("too large for int") << "1-99999999999" << 10 << "Page 99999999999 does not exist";
        QTest::newRow("no pages") << "all" << 0 << "no pages";
    }

    void invalidRangesSayWhy()
    {
        QFETCH(QString, text);
        QFETCH(int, pageCount);
        QFETCH(QString, quoted);
        try {
            PageRange::parse(text, pageCount);
            QFAIL("parse() did not throw");
        } catch (const PageRangeError& error) {
            QVERIFY2(error.message().contains(quoted), qPrintable(error.message()));
            QCOMPARE(QString::fromStdString(error.what()), error.message());
        }
    }
};

QTEST_APPLESS_MAIN(TestPageRange)

#include "tst_pagerange.moc"
