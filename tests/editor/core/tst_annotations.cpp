// Comments: every kind of standard annotation created, saved incrementally and read back the
// same, by this reader and by poppler; annotations other programs wrote changed and deleted;
// steps undone and redone; comments copied and pasted; a repaired file keeping its annotations.

#include "core/document.h"
#include "pdffolder.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using pxv::Annotation;
using pxv::AnnotationType;
using pxv::Document;
using pxv::LineEnding;
using pxv::PageChanges;

namespace {

// One US Letter page with a line of text, and a blue square annotation written by hand without
// an appearance stream, as another program might leave it.
QList<QByteArray> foreignObjects()
{
    const QByteArray text = "BT /F1 14 Tf 72 700 Td (written elsewhere) Tj ET";
    return {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Annots [6 0 R]"
        " /Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text + "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        "<< /Type /Annot /Subtype /Square /Rect [100 100 200 150] /C [0 0 1] /T (Someone Else)"
        " /Contents (from elsewhere) /P 3 0 R >>",
    };
}

Annotation make(AnnotationType type)
{
    Annotation value;
    value.type = type;
    value.color = QColor(0, 128, 255);
    value.opacity = 0.5;
    value.borderWidth = 3;
    value.contents = QStringLiteral("note on %1").arg(int(type));
    value.author = QStringLiteral("Ana Author");
    // The shapes that can be filled are, the others keep none.
    if (type == AnnotationType::Square || type == AnnotationType::Circle || type == AnnotationType::Polygon)
        value.fill = QColor(250, 200, 40);
    switch (type) {
    case AnnotationType::Highlight:
    case AnnotationType::Underline:
    case AnnotationType::StrikeOut:
    case AnnotationType::Squiggly:
        value.quads = {QPolygonF(QVector<QPointF>{{72, 80}, {200, 80}, {200, 96}, {72, 96}})};
        break;
    case AnnotationType::Ink:
        value.strokes = {QPolygonF(QVector<QPointF>{{300, 300}, {400, 400}, {500, 300}}),
                         QPolygonF(QVector<QPointF>{{300, 450}, {500, 450}})};
        break;
    case AnnotationType::Line:
        value.line = QLineF(100, 500, 300, 560);
        value.lineEnd = LineEnding::OpenArrow;
        break;
    case AnnotationType::Polygon:
    case AnnotationType::PolyLine:
        value.vertices = QPolygonF(QVector<QPointF>{{100, 600}, {200, 620}, {150, 700}});
        break;
    case AnnotationType::FreeText:
        value.fontSize = 18;
        value.rect = QRectF(300, 100, 200, 40);
        break;
    case AnnotationType::Stamp:
        value.icon = QStringLiteral("Approved");
        value.rect = QRectF(350, 600, 180, 60);
        break;
    default:
        value.rect = QRectF(50, 200, 100, 60);
        break;
    }
    return value;
}

const QList<AnnotationType> kTypes = {
    AnnotationType::Text,      AnnotationType::FreeText,  AnnotationType::Line,     AnnotationType::Square,
    AnnotationType::Circle,    AnnotationType::Polygon,   AnnotationType::PolyLine, AnnotationType::Highlight,
    AnnotationType::Underline, AnnotationType::StrikeOut, AnnotationType::Squiggly, AnnotationType::Stamp,
    AnnotationType::Ink,
};

bool near(const QPointF& a, const QPointF& b)
{
    return QLineF(a, b).length() < 0.5;
}

bool near(const QPolygonF& a, const QPolygonF& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (!near(a[i], b[i]))
            return false;
    }
    return true;
}

bool sameColor(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) <= 1 && qAbs(a.green() - b.green()) <= 1 && qAbs(a.blue() - b.blue()) <= 1;
}

const Annotation* findById(const QList<Annotation>& list, int id)
{
    for (const Annotation& a : list) {
        if (a.id == id)
            return &a;
    }
    return nullptr;
}

} // namespace

class TestAnnotations : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

    QString foreignFile(const QString& name) { return testpdfs::writeObjects(m_dir.filePath(name), foreignObjects()); }

private slots:
    void everyTypeSurvivesSaveAndReopen_data()
    {
        QTest::addColumn<int>("type");
        for (AnnotationType type : kTypes)
            QTest::newRow(qPrintable(QString::number(int(type)))) << int(type);
    }

    void everyTypeSurvivesSaveAndReopen()
    {
        QFETCH(int, type);
        const Annotation wanted = make(AnnotationType(type));
        const QString path = foreignFile(QStringLiteral("each-%1.pdf").arg(type));
        const qint64 originalSize = QFileInfo(path).size();
        auto document = Document::open(path);
        QSignalSpy changes(document.get(), &Document::pagesChanged);
        const int id = document->addAnnotation(0, wanted);
        QVERIFY(id > 0);
        // Its page alone changed: views read and draw that page again, not every page.
        QCOMPARE(changes.size(), 1);
        const PageChanges told = changes.first().first().value<PageChanges>();
        QVERIFY(!told.everything && !told.structure);
        QCOMPARE(told.changed, QList<int>({document->pageId(0)}));
        document->save(path);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QVERIFY(QFileInfo(path).size() > originalSize); // appended, the original kept before it

        auto reopened = Document::open(path);
        const QList<Annotation> list = reopened->annotations(0);
        QCOMPARE(list.size(), 2);
        const Annotation* got = findById(list, id);
        QVERIFY(got);
        QCOMPARE(got->type, wanted.type);
        QVERIFY2(sameColor(got->color, wanted.color), qPrintable(got->color.name()));
        QCOMPARE(got->fill.isValid(), wanted.fill.isValid());
        QVERIFY2(!wanted.fill.isValid() || sameColor(got->fill, wanted.fill), qPrintable(got->fill.name()));
        QCOMPARE(got->opacity, wanted.opacity);
        QCOMPARE(got->contents, wanted.contents);
        QCOMPARE(got->author, wanted.author);
        QVERIFY(got->modified.isValid());
        QVERIFY(qAbs(got->modified.secsTo(QDateTime::currentDateTime())) < 3600);
        QCOMPARE(got->quads.size(), wanted.quads.size());
        for (int i = 0; i < wanted.quads.size(); ++i)
            QVERIFY(near(got->quads[i], wanted.quads[i]));
        QCOMPARE(got->strokes.size(), wanted.strokes.size());
        for (int i = 0; i < wanted.strokes.size(); ++i)
            QVERIFY(near(got->strokes[i], wanted.strokes[i]));
        QVERIFY(near(got->vertices, wanted.vertices));
        if (wanted.type == AnnotationType::Line) {
            QVERIFY(near(got->line.p1(), wanted.line.p1()) && near(got->line.p2(), wanted.line.p2()));
            QCOMPARE(got->lineEnd, LineEnding::OpenArrow);
        }
        if (wanted.type == AnnotationType::FreeText)
            QCOMPARE(got->fontSize, wanted.fontSize);
        if (wanted.type == AnnotationType::Stamp)
            QCOMPARE(got->icon, wanted.icon);
        // A note's icon and a stamp's lettering keep their own proportions, centred in the box.
        if (wanted.type == AnnotationType::Text || wanted.type == AnnotationType::Stamp)
            QVERIFY(near(got->rect.center(), wanted.rect.center()));
        else if (!wanted.rect.isNull())
            QVERIFY(got->rect.contains(wanted.rect.adjusted(1, 1, -1, -1)));
    }

    void popplerShowsInkWhereItLies()
    {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("pdftoppm is missing");
        const QString path = foreignFile("ink.pdf");
        auto document = Document::open(path);
        Annotation ink = make(AnnotationType::Ink);
        ink.opacity = 1;
        ink.color = Qt::red;
        document->addAnnotation(0, ink);
        document->save(path);
        const QImage page = testpdfs::popplerPage(path, 0);
        QVERIFY(!page.isNull());
        // On the horizontal stroke, and well away from every stroke.
        const QColor onStroke = page.pixelColor(400, 450);
        QVERIFY2(onStroke.red() > 180 && onStroke.green() < 100, qPrintable(onStroke.name()));
        QCOMPARE(page.pixelColor(400, 550), QColor(Qt::white));
    }

    void foreignAnnotationChangesAndGoes()
    {
        const QString path = foreignFile("foreign.pdf");
        auto document = Document::open(path);
        QList<Annotation> list = document->annotations(0);
        QCOMPARE(list.size(), 1);
        Annotation square = list.first();
        QCOMPARE(square.type, AnnotationType::Square);
        QCOMPARE(square.author, QString("Someone Else"));
        QCOMPARE(square.contents, QString("from elsewhere"));
        // PDF's y runs upward: [100 100 200 150] lies 642 to 692 points from the top.
        QCOMPARE(square.rect, QRectF(100, 642, 100, 50));

        QSignalSpy changes(document.get(), &Document::pagesChanged);
        square.color = Qt::green;
        document->changeAnnotation(0, square);
        document->moveAnnotation(0, square.id, QPointF(10, -20));
        QCOMPARE(changes.size(), 2);
        for (const QList<QVariant>& notice : changes) {
            const PageChanges told = notice.first().value<PageChanges>();
            QVERIFY(!told.everything);
            QCOMPARE(told.changed, QList<int>({document->pageId(0)}));
        }
        document->save(path);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        auto reopened = Document::open(path);
        const Annotation moved = reopened->annotations(0).first();
        QVERIFY(sameColor(moved.color, Qt::green));
        QVERIFY2(moved.rect.contains(QRectF(111, 623, 98, 48)),
                 qPrintable(QStringLiteral("%1 %2").arg(moved.rect.left()).arg(moved.rect.top())));
        QCOMPARE(moved.author, QString("Someone Else"));

        reopened->deleteAnnotation(0, moved.id);
        reopened->save(path);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QVERIFY(Document::open(path)->annotations(0).isEmpty());
    }

    void stepsUndoAndRedo()
    {
        auto document = Document::open(foreignFile("history.pdf"));
        const int id = document->addAnnotation(0, make(AnnotationType::Circle));
        QCOMPARE(document->annotations(0).size(), 2);
        QCOMPARE(document->undoName(), QString("Add Ellipse"));
        QSignalSpy changes(document.get(), &Document::pagesChanged);
        document->undo();
        QCOMPARE(document->annotations(0).size(), 1);
        QVERIFY(!changes.last().first().value<PageChanges>().everything);
        document->redo();
        QVERIFY(findById(document->annotations(0), id));
        document->deleteAnnotation(0, id);
        QCOMPARE(document->annotations(0).size(), 1);
        document->undo();
        QVERIFY(findById(document->annotations(0), id));
        QVERIFY_EXCEPTION_THROWN(document->deleteAnnotation(0, id + 1000), pxv::DocumentError);
        QCOMPARE(document->annotations(0).size(), 2);
    }

    void authorComesFromTheHostElseTheLogin()
    {
        auto document = Document::open(foreignFile("author.pdf"));
        Annotation note = make(AnnotationType::Text);
        note.author.clear();
        const int login = document->addAnnotation(0, note);
        QVERIFY(!findById(document->annotations(0), login)->author.isEmpty());
        Document::setAnnotationAuthor("Signed In");
        const int signedIn = document->addAnnotation(0, note);
        Document::setAnnotationAuthor(QString());
        QCOMPARE(findById(document->annotations(0), signedIn)->author, QString("Signed In"));
    }

    void summaryListsTheCommentsByPage()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is missing");
        auto document = Document::open(foreignFile("summarized.pdf"));
        Annotation note = make(AnnotationType::Text);
        note.contents = QStringLiteral("Check <this> & that");
        document->addAnnotation(0, note);
        const int steps = document->historyPosition();
        auto summary = document->summarizeAnnotations();
        QCOMPARE(document->historyPosition(), steps);
        const QString path = m_dir.filePath("summary.pdf");
        summary->save(path);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QProcess text;
        text.start("pdftotext", {path, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString shown = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const QString expected : {"Page 1", "Someone Else", "from elsewhere", "Ana Author", "Check <this> & that"})
            QVERIFY2(shown.contains(expected), qPrintable(shown));
        QVERIFY(shown.indexOf("from elsewhere") < shown.indexOf("Check <this>"));

        auto empty = Document::open(testpdfs::writeBytes(m_dir.filePath("bare.pdf"), testpdfs::sample({})));
        QCOMPARE(empty->summarizeAnnotations()->pageCount(), 1);
    }

    void imageStampShowsItsPictureAndKeepsItWhenMoved_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("png") << "PNG";
        QTest::newRow("jpeg") << "JPEG";
    }

    void imageStampShowsItsPictureAndKeepsItWhenMoved()
    {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("pdftoppm is missing");
        QFETCH(QString, format);
        // A picture twice as wide as high, green: nothing else on the page is.
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(QColor(0, 200, 0));
        const QString image = m_dir.filePath("stamp." + format.toLower());
        QVERIFY(picture.save(image, qPrintable(format)));
        const QString path = foreignFile("image-stamp-" + format + ".pdf");
        auto document = Document::open(path);
        Annotation stamp;
        stamp.type = AnnotationType::Stamp;
        stamp.rect = QRectF(300, 200, 160, 160);
        stamp.imageFile = image;
        const int id = document->addAnnotation(0, stamp);
        const Annotation made = *findById(document->annotations(0), id);
        // Shrunk to the picture's proportions, as wide as asked.
        QVERIFY2(qAbs(made.rect.width() - 2 * made.rect.height()) < 2, qPrintable(QString::number(made.rect.height())));
        QVERIFY2(qAbs(made.rect.width() - 160) < 1, qPrintable(QString::number(made.rect.width())));
        const auto isGreen = [](const QColor& c) { return c.green() > 150 && c.red() < 80 && c.blue() < 80; };
        const auto greenAt = [&](const QPointF& point) {
            document->save(path);
            const QImage page = testpdfs::popplerPage(path, 0);
            return isGreen(page.pixelColor(point.toPoint()));
        };
        QVERIFY(greenAt(made.rect.center()));
        document->moveAnnotation(0, id, QPointF(-200, 300));
        QVERIFY(greenAt(made.rect.center() + QPointF(-200, 300)));
        QVERIFY(!greenAt(made.rect.center()));
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
    }

    void pastedCommentsKeepTheirLookAndFindTheirPlace()
    {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("pdftoppm is missing");
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(QColor(0, 200, 0));
        const QString image = m_dir.filePath("paste.png");
        QVERIFY(picture.save(image));
        auto source = Document::open(foreignFile("paste-source.pdf"));
        Annotation stamp;
        stamp.type = AnnotationType::Stamp;
        stamp.rect = QRectF(300, 200, 160, 80);
        stamp.imageFile = image;
        const QByteArray copy = source->copyAnnotation(0, source->addAnnotation(0, stamp));
        const QRectF original = source->annotations(0).last().rect;

        const QString path = foreignFile("paste-target.pdf");
        auto target = Document::open(path);
        const int first = target->pasteAnnotation(0, copy);
        const int second = target->pasteAnnotation(0, copy);
        QCOMPARE(findById(target->annotations(0), first)->rect, original);
        QVERIFY(near(findById(target->annotations(0), second)->rect.topLeft(), original.topLeft() + QPointF(12, 12)));
        // Asked to centre it by the page's corner, it stays on the page.
        const QRectF cornered = findById(target->annotations(0), target->pasteAnnotation(0, copy, QPointF(610, 790)))
                                    ->rect;
        QVERIFY(near(cornered.bottomRight(), QPointF(612, 792)));
        target->undo();
        QCOMPARE(target->annotations(0).size(), 3);

        // Another program's comment, copied within its document, keeps what it said.
        const Annotation foreign = target->annotations(0).first();
        const int twin = target->pasteAnnotation(0, target->copyAnnotation(0, foreign.id));
        const QList<Annotation> after = target->annotations(0);
        const Annotation* pasted = findById(after, twin);
        QCOMPARE(pasted->contents, foreign.contents);
        QCOMPARE(pasted->author, foreign.author);
        QVERIFY(sameColor(pasted->color, foreign.color));

        const int steps = target->historySteps().size();
        QVERIFY_EXCEPTION_THROWN(target->pasteAnnotation(0, QByteArray("%PDF-1.7 nothing")), pxv::DocumentError);
        QCOMPARE(target->historySteps().size(), steps);
        target->save(path);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        const QImage shown = testpdfs::popplerPage(path, 0);
        const QColor atFirst = shown.pixelColor(original.center().toPoint());
        QVERIFY2(atFirst.green() > 150 && atFirst.red() < 80, qPrintable(atFirst.name()));
    }

    void repairedFileKeepsItsAnnotations()
    {
        const QByteArray good = testpdfs::build(foreignObjects());
        const QString path = m_dir.write("repaired.pdf", good.left(good.indexOf("xref")));
        auto document = Document::open(path);
        QVERIFY(document->wasRepaired());
        document->addAnnotation(0, make(AnnotationType::Highlight));
        document->save(path);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        auto reopened = Document::open(path);
        QVERIFY(!reopened->wasRepaired());
        const QList<Annotation> list = reopened->annotations(0);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.first().author, QString("Someone Else"));
        QCOMPARE(list.last().type, AnnotationType::Highlight);
    }
};

QTEST_MAIN(TestAnnotations)
#include "tst_annotations.moc"
