// What the document model reports about damaged files. Whether any damaged file crashes or
// hangs the editor is the corpus test's concern (tests/corpus, files in tests/data/damaged).

#include "core/document.h"
#include "mupdf/mudocument.h"
#include "pdffolder.h"

#include <QtTest>

#include <chrono>
#include <future>

using pxv::Document;
using pxv::DocumentError;

namespace {

struct Outcome
{
    bool opened = false;
    bool locked = false;
    bool repaired = false;
    int pages = 0;
    int readablePages = 0;
    QStringList outlineTitles; // the top level
    QString message;
};

Outcome tryOpen(const QString& path)
{
    Outcome outcome;
    try {
        auto document = Document::open(path);
        outcome.opened = true;
        outcome.locked = document->needsPassword();
        outcome.repaired = document->wasRepaired();
        outcome.pages = document->pageCount();
        for (int i = 0; i < outcome.pages; ++i) {
            if (!document->pageSize(i).isEmpty())
                ++outcome.readablePages;
        }
        for (const pxv::OutlineItem& item : document->outline())
            outcome.outlineTitles.append(item.title);
    } catch (const DocumentError& error) {
        outcome.message = error.message();
    }
    return outcome;
}

QByteArray multiPage()
{
    testpdfs::Sample sample;
    sample.pages = 6;
    sample.outline = true;
    sample.links = true;
    return testpdfs::sample(sample);
}

} // namespace

class TestDamaged : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

    // Opens on a worker thread and waits at most 30 s (longer in sanitizer builds, which run
    // several times slower): a hang fails the test instead of blocking the suite, while a slow
    // open on a busy machine (3 s alone for the largest case) still passes.
    Outcome openWithDeadline(const QString& path)
    {
        constexpr int kSeconds = 30 * VP_TIMEOUT_FACTOR;
        std::future<Outcome> future = std::async(std::launch::async, tryOpen, path);
        if (future.wait_for(std::chrono::seconds(kSeconds)) != std::future_status::ready)
            qFatal("opening %s did not finish within %d s", qPrintable(path), kSeconds); // abort: a hang
        return future.get();
    }

private slots:
    void notPdfIsToldApart_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("kind");
        QTest::newRow("empty") << QByteArray() << int(DocumentError::NotPdf);
        QTest::newRow("text") << QByteArray(4000, 'x') << int(DocumentError::NotPdf);
        QTest::newRow("header only") << QByteArray("%PDF-1.7\n") << int(DocumentError::Damaged);
    }

    // What the user is told depends on the kind: not a PDF at all, or a damaged one.
    void notPdfIsToldApart()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, kind);
        const QString path = m_dir.write(QStringLiteral("file.pdf"), data);
        try {
            Document::open(path);
            QFAIL("a file without pages was opened");
        } catch (const DocumentError& error) {
            QCOMPARE(int(error.kind()), kind);
        }
    }

    void repairedTruncationKeepsEarlyPages()
    {
        const QByteArray good = multiPage();
        const QString path = m_dir.filePath("cut.pdf");
        QVERIFY(!testpdfs::writeBytes(path, good.left(good.indexOf("xref"))).isEmpty());
        const Outcome outcome = openWithDeadline(path);
        QVERIFY(outcome.opened);
        QVERIFY(outcome.repaired);
        QCOMPARE(outcome.pages, 6);
    }

    // Page trees whose counts lie or whose kids lead back up are mended on opening: the pages
    // that are really there show, and only those.
    void pageTreeIsMended_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("pages");
        const QByteArray page = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>";
        QTest::newRow("count huge") << testpdfs::build(
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 2147483647 >>", page})
                                    << 1;
        QTest::newRow("count negative") << testpdfs::build(
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R 3 0 R] /Count -1 >>", page})
                                        << 2;
        QTest::newRow("inner count huge")
            << testpdfs::build({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [4 0 R 3 0 R] /Count 9 >>",
                                page, "<< /Type /Pages /Parent 2 0 R /Kids [3 0 R] /Count 1000000 >>"})
            << 2;
        QTest::newRow("contains itself") << testpdfs::cyclicPageTree() << 1;
    }

    void pageTreeIsMended()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, pages);
        const Outcome outcome = openWithDeadline(m_dir.write(QStringLiteral("tree.pdf"), data));
        QVERIFY2(outcome.opened, qPrintable(outcome.message));
        QCOMPARE(outcome.pages, pages);
        QCOMPARE(outcome.readablePages, pages);
    }

    // A small file can claim billions of real pages by sharing page tree nodes; only so many
    // are shown.
    void sharedNodesCannotClaimBillions()
    {
        // Each node lists the one below it twice: 2^21 pages from 23 objects.
        QList<QByteArray> objects{"<< /Type /Catalog /Pages 23 0 R >>", "<< /Type /Page /MediaBox [0 0 612 792] >>"};
        for (int level = 1; level <= 21; ++level) {
            const QByteArray kid = QByteArray::number(level + 1) + " 0 R";
            objects.append("<< /Type /Pages /Kids [" + kid + " " + kid + "] /Count " + QByteArray::number(1 << level)
                           + " >>");
        }
        const Outcome outcome = openWithDeadline(m_dir.write(QStringLiteral("shared.pdf"), testpdfs::build(objects)));
        QVERIFY2(outcome.opened, qPrintable(outcome.message));
        QCOMPARE(outcome.pages, pxv::mu::MuDocument::kMaxPages);
    }

    void damagedOutlineKeepsEntriesBeforeTheDamage()
    {
        // The six-page sample with random bytes in its cross-reference table: after repair the
        // entry under "Chapter 2" cannot be read. Reading the outline used to give up on all of
        // it (and leak what it had read).
        const Outcome outcome = openWithDeadline(
            QStringLiteral(VP_DAMAGED_DIR "/crashed/outline-entry-unreadable-leaked-the-outline.pdf"));
        QVERIFY(outcome.opened);
        QCOMPARE(outcome.outlineTitles, QStringList({"Chapter 1", "Chapter 2"}));
    }

    void encryptedOpensLocked()
    {
        const QString plain = m_dir.filePath("plain.pdf");
        QVERIFY(!testpdfs::writeBytes(plain, multiPage()).isEmpty());
        const QString locked = m_dir.filePath("enc.pdf");
        QVERIFY(!testpdfs::writeEncrypted(plain, locked, "u").isEmpty());
        const Outcome outcome = openWithDeadline(locked);
        QVERIFY(outcome.opened);
        QVERIFY(outcome.locked);
        QCOMPARE(outcome.pages, 0);
    }
};

QTEST_GUILESS_MAIN(TestDamaged)
#include "tst_damaged.moc"
