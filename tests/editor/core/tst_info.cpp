// The document's properties: read from the file, edited as one step, and read back by poppler's
// pdfinfo from the saved file.

#include "core/document.h"
#include "paintedpdfs.h"
#include "pdffolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

using pxv::Document;

namespace {

// pdfinfo's "Key: value" lines.
QMap<QString, QString> pdfinfo(const QString& path, const QStringList& options = {})
{
    QProcess process;
    process.start("pdfinfo", QStringList(options) << path);
    process.waitForFinished(30000);
    QMap<QString, QString> fields;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return fields;
}

// An XMP packet as typesetters write it: some properties as elements, some as attributes.
const QByteArray kPacket =
    "<?xpacket begin='\xEF\xBB\xBF' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
    "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
    "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' "
    "xmlns:xmp='http://ns.adobe.com/xap/1.0/' xmlns:pdf='http://ns.adobe.com/pdf/1.3/' "
    "xmp:CreatorTool='Typesetter 9' pdf:Keywords='stale, words'>"
    "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>Old title</rdf:li></rdf:Alt></dc:title>"
    "<dc:creator><rdf:Seq><rdf:li>Old Author</rdf:li></rdf:Seq></dc:creator>"
    "</rdf:Description></rdf:RDF></x:xmpmeta>\n<?xpacket end='w'?>";

// One page using Helvetica, not embedded; an XMP stream that names a title when xmp is set (not
// one a reader can make sense of, unless meta is given).
QByteArray
plainPdf(bool xmp,
         const QByteArray& meta = "<x:xmpmeta xmlns:x='adobe:ns:meta/'><dc:title>Stale</dc:title></x:xmpmeta>")
{
    const QByteArray text = "BT /F1 12 Tf 72 720 Td (Hello) Tj ET";
    return testpdfs::build({
        xmp ? "<< /Type /Catalog /Pages 2 0 R /Metadata 6 0 R /MarkInfo << /Marked true >> >>"
            : "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> "
        ">>",
        "<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text + "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        "<< /Type /Metadata /Subtype /XML /Length " + QByteArray::number(meta.size()) + " >>\nstream\n" + meta
            + "\nendstream",
        "<< /Producer (Tests) /Title (Old title) /CreationDate (D:20240229133000+01'00') >>",
    });
}

} // namespace

class TestInfo : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
            QSKIP("poppler-utils is missing");
    }

    void readsWhatTheFileSays()
    {
        const QString plain = m_dir.write("plain.pdf", plainPdf(true));
        const pxv::DocumentInfo info = Document::open(plain)->info();
        QCOMPARE(info.title, QString("Old title"));
        QCOMPARE(info.producer, QString("Tests"));
        QCOMPARE(info.created, QDateTime(QDate(2024, 2, 29), QTime(13, 30), Qt::OffsetFromUTC, 3600));
        QVERIFY(!info.modified.isValid());
        QVERIFY(info.format.startsWith("PDF 1."));
        QVERIFY(info.tagged);
        QVERIFY(!info.linearized);
        QVERIFY(info.encryption.isEmpty());
        QCOMPARE(info.fileSize, QFileInfo(plain).size());
        QCOMPARE(info.fonts.size(), 1);
        QCOMPARE(info.fonts.first().name, QString("Helvetica"));
        QVERIFY(!info.fonts.first().embedded);

        const QString painted = testpdfs::write(m_dir.filePath("painted.pdf"), 2);
        const pxv::DocumentInfo paintedInfo = Document::open(painted)->info();
        QVERIFY(!paintedInfo.fonts.isEmpty());
        for (const pxv::FontUse& font : paintedInfo.fonts)
            QVERIFY2(font.embedded, qPrintable(font.name));
        QVERIFY(!paintedInfo.tagged);
    }

    void editedFieldsAreOneStepThatReadersSee()
    {
        for (const bool xmp : {true, false}) {
            const QString original = m_dir.write(QString("edit-%1.pdf").arg(xmp),
                                                 xmp ? plainPdf(true) : testpdfs::sample({}));
            auto document = Document::open(original);
            document->setInfo({QString::fromUtf8("Neuer Titel – 新"), "Ann Author", "A subject", "one, two"});
            QCOMPARE(document->historySteps(), QStringList({"Edit Properties"}));
            QCOMPARE(document->info().author, QString("Ann Author"));
            const QString saved = m_dir.filePath(QString("edited-%1.pdf").arg(xmp));
            document->save(saved);
            QVERIFY(testpdfs::qpdfCheck(saved));
            const QMap<QString, QString> fields = pdfinfo(saved);
            QCOMPARE(fields.value("Title"), QString::fromUtf8("Neuer Titel – 新"));
            QCOMPARE(fields.value("Author"), QString("Ann Author"));
            QCOMPARE(fields.value("Subject"), QString("A subject"));
            QCOMPARE(fields.value("Keywords"), QString("one, two"));
            QVERIFY(!fields.value("ModDate").isEmpty());
            // No unreadable XMP is left to contradict the new title.
            QCOMPARE(pdfinfo(original).value("Metadata Stream"), xmp ? QString("yes") : QString("no"));
            QCOMPARE(fields.value("Metadata Stream"), QString("no"));

            document->undo();
            const QString undone = m_dir.filePath(QString("undone-%1.pdf").arg(xmp));
            document->save(undone);
            QVERIFY(testpdfs::qpdfCheck(undone));
            QCOMPARE(pdfinfo(undone).value("Title"), xmp ? QString("Old title") : QString());
            QCOMPARE(pdfinfo(undone).value("Author"), QString());
        }
    }

    // Readable XMP says what the Info dictionary says, and keeps what it said besides.
    void xmpKeptInLine()
    {
        auto document = Document::open(m_dir.write("xmp.pdf", plainPdf(true, kPacket)));
        document->setInfo({QString::fromUtf8("Fresh – 新"), "Ann Author", QString(), "one, two"});
        const QString saved = m_dir.filePath("xmp-edited.pdf");
        document->save(saved);
        QVERIFY(testpdfs::qpdfCheck(saved));
        QCOMPARE(pdfinfo(saved).value("Metadata Stream"), QString("yes"));
        QProcess meta;
        meta.start("pdfinfo", {"-meta", saved});
        QVERIFY(meta.waitForFinished(30000));
        const QString xml = QString::fromUtf8(meta.readAllStandardOutput());
        for (const QString& now : {QString::fromUtf8("Fresh – 新"), QString("Ann Author"), QString("one, two"),
                                   QString("Typesetter 9"), QString("ModifyDate")})
            QVERIFY2(xml.contains(now), qPrintable(now + " missing from\n" + xml));
        for (const QString gone : {"Old title", "Old Author", "stale, words", "dc:description"})
            QVERIFY2(!xml.contains(gone), qPrintable(gone + " still in\n" + xml));
        QXmlStreamReader reader(xml.mid(xml.indexOf("<x:xmpmeta")));
        while (!reader.atEnd())
            reader.readNext();
        QVERIFY2(!reader.hasError() || reader.error() == QXmlStreamReader::PrematureEndOfDocumentError,
                 qPrintable(reader.errorString()));
    }
};

QTEST_MAIN(TestInfo) // QPdfWriter paints with the GUI's fonts
#include "tst_info.moc"
