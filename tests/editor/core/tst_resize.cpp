// Resizing pages: what a page showed is scaled uniformly into its new size and centred, and its
// annotations and links go where the content went. Where the ink lies is read from poppler's
// rendering of saved files, a reader other than the one that wrote them.

#include "core/document.h"
#include "pdffolder.h"
#include "popplerview.h"

#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using pxv::Document;
using pxv::DocumentError;
using testpdfs::inkBounds;
using testpdfs::popplerPage;

namespace {

const QSizeF kA4(595.2756, 841.8898);

// Page 1 (US Letter): a black box, a red square annotation drawn by its appearance stream, a
// link to a point of page 2, and an ink annotation without appearance. Page 2: turned by 90 degrees, its crop box
// away from the origin, a black box in the crop box's lower left corner.
QByteArray annotatedPdf()
{
    const QByteArray box = "0 g 100 100 200 100 re f";
    const QByteArray square = "1 0 0 rg 0 0 100 100 re f";
    const QByteArray corner = "0 g 100 50 100 100 re f";
    return testpdfs::build({
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R 9 0 R] /Count 2 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Annots [5 0 R 6 0 R 8 0 R] >>",
        "<< /Length " + QByteArray::number(box.size()) + " >>\nstream\n" + box + "\nendstream",
        "<< /Type /Annot /Subtype /Square /Rect [400 600 500 700] /C [1 0 0] /AP << /N 7 0 R >> >>",
        "<< /Type /Annot /Subtype /Link /Rect [100 400 300 500] /Border [0 0 0] /Dest [9 0 R /XYZ 150 300 0] >>",
        "<< /Type /XObject /Subtype /Form /BBox [0 0 100 100] /Length " + QByteArray::number(square.size())
            + " >>\nstream\n" + square + "\nendstream",
        "<< /Type /Annot /Subtype /Ink /Rect [50 650 150 750] /InkList [[60 660 140 740]] /C [0 0 1] >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /CropBox [100 50 512 742] /Rotate 90 /Contents 10 0 R >>",
        "<< /Length " + QByteArray::number(corner.size()) + " >>\nstream\n" + corner + "\nendstream",
    });
}

bool isBlack(QRgb c)
{
    return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80;
}
bool isRed(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 80 && qBlue(c) < 80;
}

// Where a rectangle of a page of size from lands when the page is resized to size to: scaled
// uniformly to fit and centred.
QRectF fitted(const QRectF& area, const QSizeF& from, const QSizeF& to)
{
    const double k = qMin(to.width() / from.width(), to.height() / from.height());
    const QPointF offset((to.width() - from.width() * k) / 2, (to.height() - from.height() * k) / 2);
    return QRectF(area.topLeft() * k + offset, area.size() * k);
}

bool near(const QRectF& a, const QRectF& b, double tolerance = 2)
{
    return qAbs(a.left() - b.left()) <= tolerance && qAbs(a.top() - b.top()) <= tolerance
           && qAbs(a.right() - b.right()) <= tolerance && qAbs(a.bottom() - b.bottom()) <= tolerance;
}

// MuPDF keeps sizes as floats.
bool near(const QSizeF& a, const QSizeF& b)
{
    return qAbs(a.width() - b.width()) < 0.001 && qAbs(a.height() - b.height()) < 0.001;
}

QString describe(const QRectF& actual, const QRectF& expected)
{
    return QString("(%1, %2, %3 x %4), expected (%5, %6, %7 x %8)")
        .arg(actual.x())
        .arg(actual.y())
        .arg(actual.width())
        .arg(actual.height())
        .arg(expected.x())
        .arg(expected.y())
        .arg(expected.width())
        .arg(expected.height());
}

// The numbers of an object's entry as MuPDF writes it, e.g. "/InkList[[1 2 3 4]]".
QList<double> numbersOf(const QByteArray& object, const QString& key)
{
    const QRegularExpression entry("/" + key + "\\[+([-0-9. ]*)\\]");
    QList<double> numbers;
    for (const QString& n : entry.match(QString::fromLatin1(object)).captured(1).split(' ', Qt::SkipEmptyParts))
        numbers.append(n.toDouble());
    return numbers;
}

} // namespace

class TestResize : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("poppler-utils is missing");
    }

    void contentAnnotationsAndLinksFollowToA4()
    {
        const QString original = m_dir.write("annotated.pdf", annotatedPdf());
        const QImage before = testpdfs::popplerPage(original, 0);
        const QRectF box = inkBounds(before, isBlack);
        const QRectF square = inkBounds(before, isRed);
        QVERIFY(!box.isEmpty() && !square.isEmpty());
        auto document = Document::open(original);
        const QList<pxv::PageLink> links = document->links(0);

        document->resizePages({0}, kA4, Document::Orientation::AsPage);
        QCOMPARE(document->historySteps(), QStringList({"Resize Page"}));
        QVERIFY(near(document->pageSize(0), kA4));
        const QSizeF letter(612, 792);
        QCOMPARE(document->links(0).size(), 1);
        QVERIFY(near(document->links(0).first().area, fitted(links.first().area, letter, kA4), 0.01));
        // Ink points are in page space, bottom-up: (60, 660) is 132 points below the top.
        const QByteArray ink = document->renderSource()->objects.value(8)->object;
        const QRectF stroke = fitted(QRectF(60, 792 - 740, 80, 80), letter, kA4);
        const QList<double> points = numbersOf(ink, "InkList");
        QCOMPARE(points.size(), 4);
        QVERIFY2(
            near(QRectF(QPointF(points[0], kA4.height() - points[3]), QPointF(points[2], kA4.height() - points[1])),
                 stroke, 0.01),
            ink.constData());

        const QString saved = m_dir.filePath("a4.pdf");
        document->save(saved);
        QVERIFY(testpdfs::qpdfCheck(saved));
        QVERIFY(near(Document::open(saved)->pageSize(0), kA4));
        const QImage after = testpdfs::popplerPage(saved, 0);
        QVERIFY2(near(inkBounds(after, isBlack), fitted(box, letter, kA4)),
                 qPrintable(describe(inkBounds(after, isBlack), fitted(box, letter, kA4))));
        // The appearance stream is fitted into the moved /Rect, so it scales with the page.
        QVERIFY2(near(inkBounds(after, isRed), fitted(square, letter, kA4)),
                 qPrintable(describe(inkBounds(after, isRed), fitted(square, letter, kA4))));

        document->undo();
        const QString undone = m_dir.filePath("undone.pdf");
        document->save(undone);
        QVERIFY(testpdfs::qpdfCheck(undone));
        QCOMPARE(testpdfs::popplerPage(undone, 0), before);
        QCOMPARE(document->links(0).first().area, links.first().area);
    }

    void turnedAndCroppedPageIsResizedAsShown()
    {
        const QString original = m_dir.write("turned.pdf", annotatedPdf());
        const QImage before = testpdfs::popplerPage(original, 1);
        const QSizeF shown(692, 412); // the crop box, turned
        QCOMPARE(before.size(), shown.toSize());
        const QRectF corner = inkBounds(before, isBlack);
        auto document = Document::open(original);
        const QPointF target = document->links(0).first().targetPosition;

        // "As the page stands" keeps it landscape; the link to it still leads to the same spot.
        document->resizePages({1}, kA4, Document::Orientation::AsPage);
        QVERIFY(near(document->pageSize(1), kA4.transposed()));
        const QRectF spot = fitted(QRectF(target, QSizeF(1, 1)), shown, kA4.transposed());
        QVERIFY2(near(QRectF(document->links(0).first().targetPosition, spot.size()), spot, 0.01),
                 qPrintable(describe(QRectF(document->links(0).first().targetPosition, spot.size()), spot)));
        const QString saved = m_dir.filePath("turned-a4.pdf");
        document->save(saved);
        QVERIFY(testpdfs::qpdfCheck(saved));
        const QImage after = testpdfs::popplerPage(saved, 1);
        QVERIFY2(near(inkBounds(after, isBlack), fitted(corner, shown, kA4.transposed())),
                 qPrintable(describe(inkBounds(after, isBlack), fitted(corner, shown, kA4.transposed()))));

        // Scaling keeps the proportions of both pages; the turned page stays turned.
        document->scalePages({0, 1}, 0.5);
        QCOMPARE(document->undoName(), QString("Resize Pages"));
        QVERIFY(near(document->pageSize(0), QSizeF(306, 396)));
        QVERIFY(near(document->pageSize(1), kA4.transposed() / 2));
        const QString scaled = m_dir.filePath("scaled.pdf");
        document->save(scaled);
        QVERIFY(testpdfs::qpdfCheck(scaled));
        const QRectF half = fitted(corner, shown, kA4.transposed() / 2);
        QVERIFY2(near(inkBounds(testpdfs::popplerPage(scaled, 1), isBlack), half),
                 qPrintable(describe(inkBounds(testpdfs::popplerPage(scaled, 1), isBlack), half)));
    }

    void badValuesChangeNothing()
    {
        auto document = Document::open(m_dir.write("bad.pdf", annotatedPdf()));
        QVERIFY_EXCEPTION_THROWN(document->resizePages({0}, QSizeF(0, 800), Document::Orientation::Portrait),
                                 DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->resizePages({2}, kA4, Document::Orientation::Portrait), DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->scalePages({0}, 0.05), DocumentError);
        // Every page's new size is checked before any page changes: page 2 would be too wide.
        document->resizePages({1}, QSizeF(14000, 2000), Document::Orientation::AsPage);
        QVERIFY_EXCEPTION_THROWN(document->scalePages({0, 1}, 2), DocumentError);
        QVERIFY(near(document->pageSize(0), QSizeF(612, 792)));
        QCOMPARE(document->historySteps(), QStringList({"Resize Page"}));
    }
};

QTEST_MAIN(TestResize)
#include "tst_resize.moc"
