// The PDFs the tests and benchmarks make for themselves are what they claim to be: a file that
// MuPDF has to repair on opening would make tests pass for the wrong reason and time the repair.

#include "core/document.h"
#include "pdffolder.h"

#include <QtTest>

using pxv::Document;

class TestTestPdfs : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void handWrittenFilesAreSound_data()
    {
        QTest::addColumn<QByteArray>("data");
        testpdfs::Sample everything;
        everything.pages = 4;
        everything.outline = true;
        everything.links = true;
        everything.fieldName = "name";
        everything.title = "Title";
        everything.sharedFormBytes = 2000;
        QTest::newRow("sample with every part") << testpdfs::sample(everything);
        QTest::newRow("plain sample") << testpdfs::sample({});
        QTest::newRow("long document") << testpdfs::longDocument(30);
    }

    void handWrittenFilesAreSound()
    {
        QFETCH(QByteArray, data);
        const QString path = m_dir.write(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_') + ".pdf", data);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QVERIFY(!Document::open(path)->wasRepaired());
    }

    void longDocumentHasItsPages()
    {
        auto document = Document::open(m_dir.write("long.pdf", testpdfs::longDocument(30)));
        QCOMPARE(document->pageCount(), 30);
        QCOMPARE(document->pageSize(29), QSizeF(595, 842));
    }

    void linkFileIsSound()
    {
        const QString path = testpdfs::writeWithLinks(m_dir.filePath("links.pdf"), "https://example.org/");
        QCOMPARE(path, m_dir.filePath("links.pdf"));
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
    }

    void damageIsReported()
    {
        const QByteArray good = testpdfs::sample({});
        const QString cut = m_dir.write("cut.pdf", good.left(good.indexOf("xref")));
        QVERIFY(!testpdfs::qpdfProblems(cut).isEmpty());
        QString output;
        QVERIFY(!testpdfs::qpdfCheck(cut, &output));
        QVERIFY(!output.isEmpty());
        QVERIFY(!testpdfs::qpdfCheck(m_dir.filePath("missing.pdf")));
    }

    void unwritablePathGivesNoPath()
    {
        QCOMPARE(testpdfs::writeBytes(m_dir.filePath("no/such/folder/x.pdf"), "x"), QString());
        QCOMPARE(testpdfs::writeEncrypted(m_dir.filePath("missing.pdf"), m_dir.filePath("enc.pdf"), "pw"), QString());
    }
};

QTEST_APPLESS_MAIN(TestTestPdfs)
#include "tst_testpdfs.moc"
