// A corpus of damaged files, made here: each one either opens repaired (with pages that can be
// read) or fails with a clear message, and none of them crashes or hangs.

#include "core/document.h"
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
    int pages = 0;
    QString message;
};

Outcome tryOpen(const QString& path)
{
    Outcome outcome;
    try {
        auto document = Document::open(path);
        outcome.opened = true;
        outcome.locked = document->needsPassword();
        outcome.pages = document->pageCount();
        // Everything a view asks for must work on what was repaired.
        for (int i = 0; i < outcome.pages; ++i) {
            document->pageSize(i);
            document->links(i);
        }
        document->outline();
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

    // Opens on a worker thread and waits at most 5 s: a hang fails the test instead of
    // blocking the suite.
    Outcome openWithDeadline(const QString& path)
    {
        std::future<Outcome> future = std::async(std::launch::async, tryOpen, path);
        if (future.wait_for(std::chrono::seconds(5)) != std::future_status::ready)
            qFatal("opening %s did not finish within 5 s", qPrintable(path)); // abort: a hang
        return future.get();
    }

private slots:
    void corpus_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("mayOpen");

        const QByteArray good = multiPage();
        QTest::newRow("zero length") << QByteArray() << false;
        QTest::newRow("not a pdf") << QByteArray("PK\x03\x04 a zip archive, not a document") << false;
        QTest::newRow("text file") << QByteArray(4000, 'x') << false;
        QTest::newRow("header only") << QByteArray("%PDF-1.7\n") << false;
        QTest::newRow("truncated at half") << good.left(good.size() / 2) << true;
        QTest::newRow("truncated before xref") << good.left(good.indexOf("xref")) << true;

        QByteArray middle = good;
        const int at = middle.size() / 3;
        for (int i = 0; i < 400 && at + i < middle.size(); ++i)
            middle[at + i] = char((i * 37 + 11) & 0xff);
        QTest::newRow("garbage in the middle") << middle << true;

        QByteArray offsets = good;
        const int xref = offsets.indexOf("xref\n");
        for (int i = offsets.indexOf(" 00000 n", xref) - 10; i > 0 && i < offsets.size() - 20;
             i = offsets.indexOf(" 00000 n", i + 20) - 10)
            offsets.replace(i, 10, "0000000003");
        QTest::newRow("wrong xref offsets") << offsets << true;

        QByteArray startxref = good;
        startxref.replace(startxref.lastIndexOf("startxref\n") + 10, 3, "999");
        QTest::newRow("wrong startxref") << startxref << true;

        QTest::newRow("page tree contains itself") << testpdfs::cyclicPageTree() << true;
    }

    void corpus()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, mayOpen);
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_') + ".pdf");
        QVERIFY(!testpdfs::writeBytes(path, data).isEmpty());
        const Outcome outcome = openWithDeadline(path);
        if (outcome.opened) {
            QVERIFY2(mayOpen, "a file with nothing to show was opened");
            QVERIFY(outcome.pages > 0);
        } else {
            QVERIFY(!outcome.message.isEmpty());
            QVERIFY2(outcome.message.contains(QFileInfo(path).fileName()), qPrintable(outcome.message));
        }
    }

    void repairedTruncationKeepsEarlyPages()
    {
        const QByteArray good = multiPage();
        const QString path = m_dir.filePath("cut.pdf");
        QVERIFY(!testpdfs::writeBytes(path, good.left(good.indexOf("xref"))).isEmpty());
        const Outcome outcome = openWithDeadline(path);
        QVERIFY(outcome.opened);
        QCOMPARE(outcome.pages, 6);
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
