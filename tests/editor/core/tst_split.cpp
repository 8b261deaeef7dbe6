// Extracting pages keeps the outline entries that lead to them, and splitting a document writes
// one file for each part: every file is read back by qpdf (soundness, outline) and poppler
// (page text), never by the editor that wrote it.

#include "core/document.h"
#include "core/pagerange.h"
#include "core/splitplan.h"
#include "pdffolder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using pxv::Document;
using pxv::DocumentError;
using pxv::SplitPart;

namespace {

QByteArray run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return "failed: " + process.readAllStandardError();
    return process.readAllStandardOutput();
}

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
    appendEntries(QJsonDocument::fromJson(run("qpdf", {"--json", "--json-key=outlines", path}))["outlines"].toArray(),
                  QString(), &lines);
    return lines;
}

// The "Page N" label of every page, as poppler reads the file.
QStringList popplerPages(const QString& path)
{
    QStringList labels;
    for (const QString& text : QString::fromUtf8(run("pdftotext", {path, "-"})).split('\f', Qt::SkipEmptyParts))
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
        QCOMPARE(popplerPages(firstAndThird), pageLabels({1, 3}));

        const QString last = m_dir.filePath("last.pdf");
        document->extractPages({3})->save(last);
        QCOMPARE(qpdfOutline(last), QStringList());
    }
};

QTEST_MAIN(TestSplit)
#include "tst_split.moc"
