// Extracting pages keeps the outline entries that lead to them, and splitting a document writes
// one file for each part: every file is read back by qpdf (soundness, outline) and poppler
// (page text), never by the editor that wrote it.

#include "core/document.h"
#include "core/pagerange.h"
#include "core/splitplan.h"
#include "pdffolder.h"
#include "testtools.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using pxv::Document;
using pxv::DocumentError;
using pxv::SplitPart;

namespace {

// The outline as qpdf reads it: "title>page" for each entry ("-" without a page), children
// indented by two spaces.
void appendEntries(const QJsonArray& entries, const QString& indent, QStringList* lines)
{
    for (const QJsonValue& entry : entries) {
        const QJsonValue page = entry["destpageposfrom1"];
        lines->append(indent + entry["title"].toString() + '>' + (page.isNull() ? "-" : QString::number(page.toInt())));
        appendEntries(entry["kids"].toArray(), indent + "  ", lines);
    }
}

QStringList qpdfOutline(const QString& path)
{
    QStringList lines;
    const QByteArray json = testtools::toolOutput("qpdf", {"--json", "--json-key=outlines", path});
    appendEntries(QJsonDocument::fromJson(json)["outlines"].toArray(), QString(), &lines);
    return lines;
}

// The "Page N" label of every page, as poppler reads the file.
QStringList popplerPages(const QString& path)
{
    QStringList labels;
    const QString pages = QString::fromUtf8(testtools::toolOutput("pdftotext", {path, "-"}));
    for (const QString& text : pages.split('\f', Qt::SkipEmptyParts))
        labels.append(text.simplified());
    return labels;
}

QStringList pageLabels(std::initializer_list<int> numbers)
{
    QStringList labels;
    for (int n : numbers)
        labels.append(QString("Page %1").arg(n));
    return labels;
}

} // namespace

class TestSplit : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

    // The sample with its outline: "Chapter 1" page 1, "Chapter 2" page 2 holding "Section
    // 2.1" page 3.
    std::unique_ptr<Document> outlined(const QString& name, int pages)
    {
        testpdfs::Sample sample;
        sample.pages = pages;
        sample.outline = true;
        sample.links = true;
        return Document::open(m_dir.write(name, testpdfs::sample(sample)));
    }

    QString subfolder(const QString& name)
    {
        QDir(m_dir.path()).mkdir(name);
        return m_dir.filePath(name);
    }

private slots:
    void extractKeepsTheOutlineOfItsPages()
    {
        const auto document = outlined("outlined.pdf", 4);
        const QString third = m_dir.filePath("third.pdf");
        document->extractPages({2})->save(third);
        QCOMPARE(testpdfs::qpdfProblems(third), QString());
        // Chapter 2's page stayed behind, but it still holds the section that came along.
        QCOMPARE(qpdfOutline(third), QStringList({"Chapter 2>-", "  Section 2.1>1"}));
        QCOMPARE(popplerPages(third), pageLabels({3}));

        const QString firstAndThird = m_dir.filePath("first-third.pdf");
        document->extractPages({2, 0})->save(firstAndThird);
        QCOMPARE(testpdfs::qpdfProblems(firstAndThird), QString());
        QCOMPARE(qpdfOutline(firstAndThird), QStringList({"Chapter 1>1", "Chapter 2>-", "  Section 2.1>2"}));
        // Of page 1's links, the one to page 4 stays behind; those to page 3 and the web come.
        const QByteArray objects = testtools::toolOutput("qpdf",
                                                         {"--qdf", "--object-streams=disable", firstAndThird, "-"});
        QCOMPARE(objects.count("/Subtype /Link"), 2);
        QVERIFY(!objects.contains("null"));
        QCOMPARE(popplerPages(firstAndThird), pageLabels({1, 3}));

        const QString last = m_dir.filePath("last.pdf");
        document->extractPages({3})->save(last);
        QCOMPARE(qpdfOutline(last), QStringList());
    }

    void eachWayOfSplittingWritesItsPages()
    {
        const auto document = outlined("book.pdf", 6);
        const QString folder = subfolder("each");
        auto check = [&](QList<SplitPart> parts, const QList<QPair<QString, QStringList>>& expected) {
            pxv::split::nameParts("book", parts);
            const QStringList written = document->splitInto(folder, parts);
            QCOMPARE(written.size(), expected.size());
            for (int i = 0; i < expected.size(); ++i) {
                QCOMPARE(written[i], QDir(folder).filePath(expected[i].first));
                QString problems;
                QVERIFY2(testpdfs::qpdfCheck(written[i], &problems), qPrintable(problems));
                QCOMPARE(popplerPages(written[i]), expected[i].second);
                // Only the objects of its own pages: no other page's drawing is in the file.
                const QByteArray objects = testtools::toolOutput(
                    "qpdf", {"--qdf", "--object-streams=disable", written[i], "-"});
                for (int n = 1; n <= 6; ++n) {
                    const QString label = QString("Page %1").arg(n);
                    QCOMPARE(objects.contains("(" + label.toLatin1() + ")"), expected[i].second.contains(label));
                }
            }
        };
        check(pxv::split::eachPage({4, 0}),
              {{"book - page 1.pdf", pageLabels({1})}, {"book - page 5.pdf", pageLabels({5})}});
        check(pxv::split::byRanges("1-3, 6", 6),
              {{"book - pages 1-3.pdf", pageLabels({1, 2, 3})}, {"book - page 6.pdf", pageLabels({6})}});
        check(pxv::split::everyCount({0, 1, 2, 3, 4, 5}, 4),
              {{"book - pages 1-4.pdf", pageLabels({1, 2, 3, 4})}, {"book - pages 5-6.pdf", pageLabels({5, 6})}});
        check(pxv::split::byOutline(document->outline(), {0, 1, 2, 3, 4, 5}, 6),
              {{"Chapter 1.pdf", pageLabels({1})}, {"Chapter 2.pdf", pageLabels({2, 3, 4, 5, 6})}});
        QCOMPARE(qpdfOutline(QDir(folder).filePath("Chapter 2.pdf")), QStringList({"Chapter 2>1", "  Section 2.1>2"}));
        QVERIFY(!document->isModified());
        QVERIFY_EXCEPTION_THROWN(pxv::split::byRanges("1,,2", 6), pxv::PageRangeError);
    }

    void outlinePartsFollowPageOrder()
    {
        const auto entry = [](const QString& title, int page) {
            pxv::OutlineItem item;
            item.title = title;
            item.page = page;
            return item;
        };
        const QList<pxv::OutlineItem> outline{entry("B", 5), entry("A", 2), entry("Web", -1), entry("A again", 2)};
        auto summary = [](const QList<SplitPart>& parts) {
            QStringList lines;
            for (const SplitPart& part : parts) {
                QStringList pages;
                for (int page : part.pages)
                    pages.append(QString::number(page + 1));
                lines.append(part.title + ':' + pages.join(','));
            }
            return lines;
        };
        QCOMPARE(summary(pxv::split::byOutline(outline, {0, 1, 2, 3, 4, 5, 6, 7}, 8)),
                 QStringList({":1,2", "A again:3,4,5", "B:6,7,8"}));
        QCOMPARE(summary(pxv::split::byOutline(outline, {6, 1}, 8)), QStringList({":2", "B:7"}));
    }

    void fileNamesAreSafeAndDistinct()
    {
        QCOMPARE(pxv::split::safeFileName(" .a/b:c*?\"<>|\td\\e. "), QString("a_b_c_______d_e"));
        const QString longTitle = QString(300, QChar(0x00e9)); // two bytes each in UTF-8
        QVERIFY(pxv::split::safeFileName(longTitle).toUtf8().size() <= pxv::split::kMaxNameBytes);
        QVERIFY(pxv::split::safeFileName(longTitle).size() > 50);
        QList<SplitPart> parts{{{0}, "Intro", {}}, {{1}, "intro", {}}, {{2, 3, 4}, "..", {}}, {{5, 7}, {}, {}}};
        pxv::split::nameParts("report", parts);
        QStringList names;
        for (const SplitPart& part : parts)
            names.append(part.fileName);
        QCOMPARE(names,
                 QStringList({"Intro.pdf", "intro (2).pdf", "report - pages 3-5.pdf", "report - pages 6,8.pdf"}));
    }

    void refusesExistingFilesAndCancelRemovesWhatItWrote()
    {
        const auto document = outlined("refuse.pdf", 3);
        const QString folder = subfolder("refuse");
        QList<SplitPart> parts = pxv::split::eachPage({0, 1, 2});
        pxv::split::nameParts("refuse", parts);
        QFile existing(QDir(folder).filePath("refuse - page 3.pdf"));
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("mine") == 4);
        existing.close();
        try {
            document->splitInto(folder, parts);
            QFAIL("an existing file was overwritten");
        } catch (const DocumentError& error) {
            QVERIFY2(error.message().contains("refuse - page 3.pdf"), qPrintable(error.message()));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"refuse - page 3.pdf"}));
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("mine"));
        QVERIFY(existing.remove());

        QStringList told; // each file as it is announced, and how many were written by then
        const pxv::SplitProgress stopAtThird = [&](int index, int count, const QString& path) {
            const int written = QDir(folder).entryList(QDir::Files).size();
            told.append(QString("%1/%2 %3 %4").arg(index).arg(count).arg(QFileInfo(path).fileName()).arg(written));
            return index < 2;
        };
        try {
            document->splitInto(folder, parts, stopAtThird);
            QFAIL("the split went on");
        } catch (const DocumentError& error) {
            QCOMPARE(error.kind(), DocumentError::Cancelled);
        }
        QCOMPARE(told,
                 QStringList({"0/3 refuse - page 1.pdf 0", "1/3 refuse - page 2.pdf 1", "2/3 refuse - page 3.pdf 2"}));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TestSplit)
#include "tst_split.moc"
