// Comments and form fields exchanged as XFDF: a round trip between two copies of one form with
// every kind of field and comment, a file written by hand as another program writes it, damaged
// files that change nothing, and the import as one step of the history.

#include "core/document.h"
#include "core/xfdf.h"
#include "pdffolder.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

using pxv::Annotation;
using pxv::AnnotationType;
using pxv::Document;
using pxv::DocumentError;
using pxv::Xfdf;
using pxv::XfdfContent;

namespace {

// Two US Letter pages, the second turned by /Rotate 90, with a form on the first: a text field
// "person.name" (a kid of "person"), a multi-line text field "notes", a check box "agree", a
// radio group "color" ("red" and "blue"), a combo box "country" and a list box "langs" that
// allows several choices. Filled, the fields hold values; else they are empty.
QByteArray formPdf(bool filled)
{
    const auto value = [&](const QByteArray& entry) { return filled ? " " + entry : QByteArray(); };
    const QByteArray on = "0 0 1 rg 2 2 14 14 re f";
    return testpdfs::build({
        "<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [5 0 R 7 0 R 8 0 R 11 0 R 12 0 R 13 0 R]"
        " /DA (/Helv 12 Tf 0 g) /DR << /Font << /Helv 14 0 R >> >> >> >>",
        "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Annots [6 0 R 7 0 R 9 0 R 10 0 R 11 0 R 12 0 R 13 0 R] "
        ">>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Rotate 90 >>",
        "<< /T (person) /Kids [6 0 R]" + value("/V (Ada Lovelace)") + " >>",
        "<< /Type /Annot /Subtype /Widget /FT /Tx /T (name) /Parent 5 0 R /Rect [72 700 300 724] /P 3 0 R"
        " /DA (/Helv 12 Tf 0 g) /F 4 >>",
        "<< /Type /Annot /Subtype /Widget /FT /Btn /T (agree) /Rect [72 650 90 668] /P 3 0 R /F 4"
        " /AP << /N << /Yes 15 0 R /Off 16 0 R >> >> /AS "
            + QByteArray(filled ? "/Yes /V /Yes" : "/Off") + " >>",
        "<< /FT /Btn /Ff 49152 /T (color) /Kids [9 0 R 10 0 R]" + value("/V /blue") + " >>",
        "<< /Type /Annot /Subtype /Widget /Parent 8 0 R /Rect [72 600 90 618] /P 3 0 R /F 4"
        " /AP << /N << /red 15 0 R /Off 16 0 R >> >> /AS /Off >>",
        "<< /Type /Annot /Subtype /Widget /Parent 8 0 R /Rect [100 600 118 618] /P 3 0 R /F 4"
        " /AP << /N << /blue 15 0 R /Off 16 0 R >> >> /AS "
            + QByteArray(filled ? "/blue" : "/Off") + " >>",
        "<< /Type /Annot /Subtype /Widget /FT /Ch /Ff 131072 /T (country) /Opt [(France) (Germany) (Italy)]"
        " /Rect [72 550 300 574] /P 3 0 R /DA (/Helv 12 Tf 0 g) /F 4"
            + value("/V (Italy)") + " >>",
        "<< /Type /Annot /Subtype /Widget /FT /Ch /Ff 2097152 /T (langs) /Opt [(de) (en) (fr)]"
        " /Rect [72 450 300 520] /P 3 0 R /DA (/Helv 12 Tf 0 g) /F 4"
            + value("/V [(de) (fr)]") + " >>",
        "<< /Type /Annot /Subtype /Widget /FT /Tx /Ff 4096 /T (notes) /Rect [320 450 540 520] /P 3 0 R"
        " /DA (/Helv 10 Tf 0 g) /F 4"
            + value("/V (first line\\rsecond line)") + " >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Type /XObject /Subtype /Form /BBox [0 0 18 18] /Length " + QByteArray::number(on.size()) + " >>\nstream\n"
            + on + "\nendstream",
        "<< /Type /XObject /Subtype /Form /BBox [0 0 18 18] /Length 0 >>\nstream\n\nendstream",
    });
}

// One comment of each kind the editor makes, in page space.
QList<QPair<int, Annotation>> comments()
{
    QList<QPair<int, Annotation>> list;
    const AnnotationType types[] = {AnnotationType::Text,      AnnotationType::FreeText,  AnnotationType::Line,
                                    AnnotationType::Square,    AnnotationType::Circle,    AnnotationType::Polygon,
                                    AnnotationType::PolyLine,  AnnotationType::Highlight, AnnotationType::Underline,
                                    AnnotationType::StrikeOut, AnnotationType::Squiggly,  AnnotationType::Stamp,
                                    AnnotationType::Ink};
    int index = 0;
    for (AnnotationType type : types) {
        Annotation value;
        value.type = type;
        value.color = QColor(0, 128, 255);
        value.opacity = 0.75;
        value.borderWidth = 2;
        value.contents = QStringLiteral("comment %1 <&> ünïcode").arg(index);
        value.author = QStringLiteral("Reviewer %1").arg(index);
        value.rect = QRectF(320, 100 + 30 * index, 120, 24);
        value.quads = {QPolygonF(QVector<QPointF>{
            {72, 100.0 + 30 * index}, {200, 100.0 + 30 * index}, {200, 116.0 + 30 * index}, {72, 116.0 + 30 * index}})};
        value.strokes = {QPolygonF(QVector<QPointF>{{300, 300}, {400, 400}, {500, 300}}),
                         QPolygonF(QVector<QPointF>{{300, 450}, {500, 450}})};
        value.vertices = QPolygonF(QVector<QPointF>{{100, 400}, {200, 420}, {150, 500}});
        value.line = QLineF(100, 200, 300, 260);
        value.lineEnd = pxv::LineEnding::ClosedArrow;
        value.icon = type == AnnotationType::Stamp ? QStringLiteral("Approved") : QStringLiteral("Comment");
        value.fontSize = 14;
        // The second page turns: geometry must come back where it was as the page shows it.
        list.append({index % 2, value});
        ++index;
    }
    return list;
}

bool near(double a, double b, double tolerance = 0.5)
{
    return std::abs(a - b) < tolerance;
}

bool nearPolygon(const QPolygonF& a, const QPolygonF& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (!near(a[i].x(), b[i].x()) || !near(a[i].y(), b[i].y()))
            return false;
    }
    return true;
}

// The parts of two comments that exchange must keep.
void compare(const Annotation& got, const Annotation& want)
{
    QCOMPARE(got.type, want.type);
    QCOMPARE(got.contents, want.contents);
    QCOMPARE(got.author, want.author);
    QCOMPARE(got.color.name(), want.color.name());
    QVERIFY(near(got.opacity, want.opacity));
    QCOMPARE(got.icon, want.icon);
    QCOMPARE(got.modified.toSecsSinceEpoch(), want.modified.toSecsSinceEpoch());
    QCOMPARE(got.quads.size(), want.quads.size());
    for (int i = 0; i < got.quads.size(); ++i)
        QVERIFY2(nearPolygon(got.quads[i], want.quads[i]), qPrintable(got.subtype));
    QCOMPARE(got.strokes.size(), want.strokes.size());
    for (int i = 0; i < got.strokes.size(); ++i)
        QVERIFY(nearPolygon(got.strokes[i], want.strokes[i]));
    QVERIFY(nearPolygon(got.vertices, want.vertices));
    QVERIFY(
        nearPolygon(QVector<QPointF>{got.line.p1(), got.line.p2()}, QVector<QPointF>{want.line.p1(), want.line.p2()}));
    QCOMPARE(got.lineEnd, want.lineEnd);
    if (want.type == AnnotationType::Square || want.type == AnnotationType::Circle
        || want.type == AnnotationType::FreeText) {
        QVERIFY2(nearPolygon(QPolygonF(got.rect), QPolygonF(want.rect)), qPrintable(got.subtype));
        QVERIFY(near(got.borderWidth, want.borderWidth));
    }
    if (want.type == AnnotationType::FreeText)
        QVERIFY(near(got.fontSize, want.fontSize));
}

Xfdf exported(const Document& document, const QString& path, XfdfContent what = XfdfContent::Both)
{
    document.exportXfdf(path, what);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return pxv::readXfdf(file.readAll(), document.pageCount());
}

QStringList fieldTexts(const Xfdf& xfdf)
{
    QStringList texts;
    for (const pxv::NamedFieldValue& field : xfdf.fields)
        texts.append(field.name + QLatin1Char('=') + field.values.join(QLatin1Char('|')));
    texts.sort();
    return texts;
}

bool isBlue(QRgb pixel)
{
    return qBlue(pixel) > 150 && qRed(pixel) < 100;
}

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 100;
}

// Ink of isInk inside a rectangle of a page as poppler draws it (one pixel a point).
bool hasInk(const QImage& page, const QRectF& area, bool (*isInk)(QRgb))
{
    return !testpdfs::inkBounds(page.copy(area.toAlignedRect()), isInk).isEmpty();
}

} // namespace

class TestXfdf : public QObject
{
    Q_OBJECT

private slots:
    void roundTripBetweenCopiesOfAForm();
    void fileWrittenByAnotherProgram();
    void damagedFilesChangeNothing();
};

void TestXfdf::roundTripBetweenCopiesOfAForm()
{
    PdfFolder folder;
    std::unique_ptr<Document> source = Document::open(folder.write("filled.pdf", formPdf(true)));
    for (const auto& [page, value] : comments())
        source->addAnnotation(page, value);
    const Xfdf written = exported(*source, folder.filePath("data.xfdf"));

    // What was written, as XML: the namespace, the source by name, fields nested by name, a
    // value for each choice of the list.
    QFile file(folder.filePath("data.xfdf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList path, seen;
    QString href;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            QCOMPARE(xml.namespaceUri().toString(), QStringLiteral("http://ns.adobe.com/xfdf/"));
            if (xml.name() == QLatin1String("f"))
                href = xml.attributes().value("href").toString();
            path.append(xml.name() == QLatin1String("field") ? xml.attributes().value("name").toString()
                                                             : xml.name().toString());
            if (xml.name() == QLatin1String("value"))
                seen.append(path.join('/') + '=' + xml.readElementText());
            else if (xml.name() == QLatin1String("highlight"))
                seen.append(path.join('/') + " coords="
                            + QString::number(xml.attributes().value("coords").toString().split(',').size()));
        }
        if (xml.isEndElement() || (xml.isStartElement() && xml.name() == QLatin1String("value")))
            path.removeLast();
    }
    QVERIFY(!xml.hasError());
    QCOMPARE(href, QStringLiteral("filled.pdf"));
    QVERIFY2(seen.contains("xfdf/fields/person/name/value=Ada Lovelace"), qPrintable(seen.join('\n')));
    QVERIFY(seen.contains("xfdf/fields/langs/value=de") && seen.contains("xfdf/fields/langs/value=fr"));
    QVERIFY(seen.contains("xfdf/fields/agree/value=Yes") && seen.contains("xfdf/fields/color/value=blue"));
    QVERIFY(seen.contains("xfdf/annots/highlight coords=8"));

    // Into an empty copy of the form: the same values and comments.
    const QString emptyPath = folder.write("empty.pdf", formPdf(false));
    const QImage before = testpdfs::popplerPage(emptyPath, 0);
    std::unique_ptr<Document> target = Document::open(emptyPath);
    const pxv::XfdfImport done = target->importXfdf(folder.filePath("data.xfdf"));
    QCOMPARE(done.fields, written.fields.size());
    QCOMPARE(done.comments, comments().size());
    QCOMPARE(done.skippedFields + done.skippedComments, 0);
    QCOMPARE(fieldTexts(exported(*target, folder.filePath("again.xfdf"))), fieldTexts(written));
    for (int page = 0; page < 2; ++page) {
        const QList<Annotation> got = target->annotations(page);
        const QList<Annotation> want = source->annotations(page);
        QCOMPARE(got.size(), want.size());
        for (int i = 0; i < got.size(); ++i)
            compare(got[i], want[i]);
    }
    QCOMPARE(target->historySteps().size(), 1);

    // Saved, another reader finds the file sound and shows the values and comments.
    const QString saved = folder.filePath("imported.pdf");
    target->save(saved);
    QVERIFY(testpdfs::qpdfCheck(saved));
    const QImage page = testpdfs::popplerPage(saved, 0);
    const QImage turned = testpdfs::popplerPage(saved, 1);
    const QRectF name(72, 792 - 724, 228, 24), agree(72, 792 - 668, 18, 18), blue(100, 792 - 618, 18, 18);
    QVERIFY(!hasInk(before, name, isDark) && !hasInk(before, agree, isBlue) && !hasInk(before, blue, isBlue));
    QVERIFY(hasInk(page, name, isDark));
    QVERIFY(hasInk(page, agree, isBlue) && hasInk(page, blue, isBlue));
    for (const auto& [index, value] : comments()) {
        if (value.type == AnnotationType::Square)
            QVERIFY(hasInk(index == 0 ? page : turned, value.rect.adjusted(-2, -2, 2, 2), isBlue));
    }
}

void TestXfdf::fileWrittenByAnotherProgram()
{
    PdfFolder folder;
    std::unique_ptr<Document> document = Document::open(folder.write("form.pdf", formPdf(false)));
    // As another program writes it: a prefix on the namespace, flat and nested names, attributes
    // in its own order, popups and rich text beside the plain, kinds the editor does not make.
    const QByteArray xfdf = R"(<?xml version="1.0" encoding="UTF-8"?>
<x:xfdf xmlns:x="http://ns.adobe.com/xfdf/" xml:space="preserve">
  <x:ids original="0123" modified="4567"/>
  <x:fields>
    <x:field name="person.name"><x:value>Grace Hopper</x:value></x:field>
    <x:field name="agree"><x:value>Yes</x:value></x:field>
    <x:field name="color"><x:value>red</x:value></x:field>
    <x:field name="langs"><x:value>en</x:value><x:value>fr</x:value></x:field>
    <x:field name="no such field"><x:value>lost</x:value></x:field>
  </x:fields>
  <x:annots>
    <x:square width="4" color="#0000FF" flags="print,nozoom" creationdate="D:20240102030405Z"
        date="D:20240203040506+01'00'" title="Someone" subject="Check" name="b7f1-44"
        rect="100,200,200,260" page="1" opacity="1">
      <x:contents-richtext><body xmlns="http://www.w3.org/1999/xhtml"><p>Look</p></body></x:contents-richtext>
      <x:contents>Look here</x:contents>
      <x:popup rect="300,300,400,400" open="no" page="1"/>
    </x:square>
    <x:caret page="0" rect="10,10,20,20"/>
    <x:highlight page="0" coords="72,700 300,700 72,680 300,680" color="#FFFF00" rect="72,680,300,700"/>
    <x:ink page="0" color="#0000FF" width="3"><x:inklist><x:gesture>100,100;150,150;200,100</x:gesture></x:inklist></x:ink>
  </x:annots>
</x:xfdf>
)";
    const QString path = folder.write("other.xfdf", xfdf);
    const pxv::XfdfImport done = document->importXfdf(path);
    QCOMPARE(done.fields, 4);
    QCOMPARE(done.skippedFields, 1);
    QCOMPARE(done.comments, 3);
    QCOMPARE(done.skippedComments, 1);
    QCOMPARE(fieldTexts(exported(*document, folder.filePath("fields.xfdf"), XfdfContent::Fields)),
             (QStringList{"agree=Yes", "color=red", "country=", "langs=en|fr", "notes=", "person.name=Grace Hopper"}));

    const Xfdf back = exported(*document, folder.filePath("comments.xfdf"), XfdfContent::Comments);
    QVERIFY(back.fields.isEmpty());
    QCOMPARE(back.comments.size(), 3);
    const auto square = std::find_if(back.comments.cbegin(), back.comments.cend(), [](const pxv::XfdfComment& c) {
        return c.annotation.type == AnnotationType::Square;
    });
    QVERIFY(square != back.comments.cend());
    QCOMPARE(square->page, 1);
    QCOMPARE(square->annotation.contents, QStringLiteral("Look here"));
    QCOMPARE(square->annotation.author, QStringLiteral("Someone"));
    QCOMPARE(square->extras.name, QStringLiteral("b7f1-44"));
    QCOMPARE(square->extras.subject, QStringLiteral("Check"));
    QCOMPARE(square->extras.flags, 4 | 8);
    QCOMPARE(square->extras.created, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5), Qt::UTC));
    QCOMPARE(square->annotation.modified, QDateTime(QDate(2024, 2, 3), QTime(3, 5, 6), Qt::UTC));

    // Where poppler draws the square on the turned page: its PDF rectangle turned a quarter.
    const QString saved = folder.filePath("saved.pdf");
    document->save(saved);
    QVERIFY(testpdfs::qpdfCheck(saved));
    const QRectF drawn = testpdfs::inkBounds(testpdfs::popplerPage(saved, 1), isBlue);
    QVERIFY2(
        near(drawn.left(), 200, 2) && near(drawn.right(), 260, 2) && near(drawn.top(), 100, 2)
            && near(drawn.bottom(), 200, 2),
        qPrintable(QStringLiteral("%1,%2 %3x%4").arg(drawn.x()).arg(drawn.y()).arg(drawn.width()).arg(drawn.height())));

    // One step, undone and redone as a whole.
    QCOMPARE(document->historySteps().size(), 1);
    document->undo();
    QVERIFY(document->annotations(0).isEmpty() && document->annotations(1).isEmpty());
    QVERIFY(!fieldTexts(exported(*document, folder.filePath("undone.xfdf"))).contains("person.name=Grace Hopper"));
    document->redo();
    QCOMPARE(document->annotations(0).size(), 2);
    QVERIFY(fieldTexts(exported(*document, folder.filePath("redone.xfdf"))).contains("person.name=Grace Hopper"));
}

void TestXfdf::damagedFilesChangeNothing()
{
    PdfFolder folder;
    const QByteArray good =
        R"(<xfdf xmlns="http://ns.adobe.com/xfdf/"><fields><field name="notes"><value>x</value></field></fields>
<annots><square page="0" rect="1,2,3,4"><contents>c</contents></square></annots></xfdf>)";
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString said; // a part of the message that tells why
    } cases[] = {
        {"truncated", good.left(good.size() - 20), QStringLiteral("XML")},
        {"not xml", "%PDF-1.4 not at all", QStringLiteral("XML")},
        {"wrong root", "<fdf><fields/></fdf>", QStringLiteral("fdf")},
        {"page out of range", QByteArray(good).replace("page=\"0\"", "page=\"999\""), QStringLiteral("1000")},
        {"broken numbers", QByteArray(good).replace("1,2,3,4", "1,2,x,4"), QStringLiteral("1,2,x,4")},
        {"too few numbers", QByteArray(good).replace("1,2,3,4", "1,2,3"), QStringLiteral("rect")},
        {"opacity beyond 1", QByteArray(good).replace("<square ", "<square opacity=\"7\" "), QStringLiteral("opacity")},
    };
    std::unique_ptr<Document> document = Document::open(folder.write("form.pdf", formPdf(false)));
    const QStringList fieldsBefore = fieldTexts(exported(*document, folder.filePath("before.xfdf")));
    for (const auto& bad : cases) {
        const QString path = folder.write("bad.xfdf", bad.bytes);
        try {
            document->importXfdf(path);
            QFAIL(bad.name);
        } catch (const DocumentError& error) {
            QVERIFY2(error.message().contains(bad.said),
                     qPrintable(QStringLiteral("%1: %2").arg(bad.name, error.message())));
        }
        QVERIFY2(document->historySteps().isEmpty() && !document->isModified(), bad.name);
        QVERIFY(document->annotations(0).isEmpty());
        QCOMPARE(fieldTexts(exported(*document, folder.filePath("after.xfdf"))), fieldsBefore);
    }
    // The same file undamaged goes in: the cases above failed for their damage alone.
    document->importXfdf(folder.write("good.xfdf", good));
    QCOMPARE(document->annotations(0).size(), 1);
}

QTEST_GUILESS_MAIN(TestXfdf)
#include "tst_xfdf.moc"
