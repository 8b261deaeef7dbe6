// Watermarks, headers and footers: drawn where asked, over or under the page's content, read
// back by poppler, and taken off again after the file is saved and reopened.

#include "core/document.h"
#include "pdffolder.h"
#include "popplerview.h"

#include <QStandardPaths>
#include <QtTest>

using pxv::Document;
using pxv::StampKind;
using pxv::StampPosition;
using pxv::StampStyle;
using testpdfs::inkBounds;
using testpdfs::popplerPage;
using testpdfs::popplerText;

namespace {

// US Letter pages with a black box in the middle (206, 296)-(406, 496) of the page as shown;
// the second is turned by 90 degrees, so its box stands at (296, 206)-(496, 406).
QByteArray boxedPdf()
{
    const QByteArray box = "0 g 206 296 200 200 re f BT /F1 12 Tf 72 720 Td (Body text) Tj ET";
    const QByteArray turned = "0 g 296 206 200 200 re f";
    return testpdfs::build({
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R 5 0 R] /Count 2 /Resources << /Font << /F1 7 0 R >> >> >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R >>",
        "<< /Length " + QByteArray::number(box.size()) + " >>\nstream\n" + box + "\nendstream",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 792 612] /Rotate 90 /Contents 6 0 R >>",
        "<< /Length " + QByteArray::number(turned.size()) + " >>\nstream\n" + turned + "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
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

StampStyle red(StampPosition position, bool behind = false)
{
    StampStyle style;
    style.color = Qt::red;
    style.fontSize = 60;
    style.position = position;
    style.behind = behind;
    return style;
}

} // namespace

class TestStamps : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

    QString saved(Document& document, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        document.save(path);
        return path;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty()
            || QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils is missing");
    }

    void drawnWhereAskedOverOrUnderTheContent()
    {
        const QString original = m_dir.write("boxed.pdf", boxedPdf());
        const QRect inBox(206, 296, 200, 200); // the box, as drawn
        QCOMPARE(inkBounds(popplerPage(original, 0).copy(inBox.adjusted(-20, -20, 20, 20)), isBlack),
                 QRectF(20, 20, 200, 200));

        auto over = Document::open(original);
        over->addWatermark({0, 1}, "WATERMARK", red(StampPosition::Center));
        QCOMPARE(over->historySteps(), QStringList({"Add Watermark"}));
        const QString overPath = saved(*over, "over.pdf");
        QVERIFY(testpdfs::qpdfCheck(overPath));
        QImage page = popplerPage(overPath, 0);
        QVERIFY(!inkBounds(page.copy(inBox), isRed).isEmpty());
        // Wider than the box, centred on the page.
        const QRectF mark = inkBounds(page, isRed);
        QVERIFY2(mark.width() > inBox.width() && qAbs(mark.center().x() - 306) < 3 && qAbs(mark.center().y() - 396) < 6,
                 qPrintable(QString("%1,%2 %3x%4").arg(mark.x()).arg(mark.y()).arg(mark.width()).arg(mark.height())));
        QVERIFY(popplerText(overPath, 0).contains("WATERMARK"));

        auto under = Document::open(original);
        under->addWatermark({0}, "WATERMARK", red(StampPosition::Center, true));
        const QString underPath = saved(*under, "under.pdf");
        QVERIFY(testpdfs::qpdfCheck(underPath));
        page = popplerPage(underPath, 0);
        QVERIFY(inkBounds(page.copy(inBox), isRed).isEmpty());
        QVERIFY(inkBounds(page, isRed).width() > inBox.width());
        QVERIFY(popplerText(underPath, 0).contains("Body text"));

        // Corners and edges of the page as shown, turned pages too, within the margins.
        auto corners = Document::open(original);
        StampStyle style = red(StampPosition::TopRight);
        style.fontSize = 20;
        corners->addWatermark({0, 1}, "Draft", style);
        style.position = StampPosition::Bottom;
        style.rotation = 90;
        corners->addWatermark({1}, "Draft", style);
        const QString cornersPath = saved(*corners, "corners.pdf");
        QVERIFY(testpdfs::qpdfCheck(cornersPath));
        const QRectF topRight = inkBounds(popplerPage(cornersPath, 0), isRed);
        QVERIFY(topRight.right() <= 612 - 36 && topRight.right() > 612 - 60 && topRight.top() >= 36
                && topRight.top() < 60);
        const QImage turned = popplerPage(cornersPath, 1);
        QCOMPARE(turned.size(), QSize(612, 792));
        const QRectF turnedTop = inkBounds(turned.copy(0, 0, 612, 396), isRed);
        QVERIFY(turnedTop.right() <= 612 - 36 && turnedTop.right() > 612 - 60 && turnedTop.top() >= 36
                && turnedTop.top() < 60);
        // Turned upright, the bottom stamp is taller than wide, centred across the page.
        const QRectF bottom = inkBounds(turned.copy(0, 396, 612, 396), isRed).translated(0, 396);
        QVERIFY(bottom.height() > bottom.width() && qAbs(bottom.center().x() - 306) < 4 && bottom.bottom() <= 792 - 36);

        corners->undo();
        corners->undo();
        const QString undone = saved(*corners, "undone.pdf");
        QVERIFY(inkBounds(popplerPage(undone, 0), isRed).isEmpty());
        QVERIFY(inkBounds(popplerPage(undone, 1), isRed).isEmpty());
    }

    void removedAfterSaveAndReopenKindByKind()
    {
        const QString original = m_dir.write("three.pdf", testpdfs::longDocument(3));
        auto document = Document::open(original);
        document->addWatermark({0, 1, 2}, "CONFIDENTIAL", red(StampPosition::Tile, true));
        StampStyle footer;
        footer.position = StampPosition::Bottom;
        footer.fontSize = 10;
        document->addHeaderFooter({1, 2}, "Page {n} of {N} - {file}", 5, footer);
        // what the dialog's preview shows for the last page
        QCOMPARE(document->headerFooterLine({1, 2}, 2, "Page {n} of {N} - {file}", 5),
                 QString("Page 6 of 6 - three.pdf"));
        const QString stamped = saved(*document, "stamped.pdf");
        QVERIFY(testpdfs::qpdfCheck(stamped));
        QVERIFY2(popplerText(stamped, 1).contains("Page 5 of 6 - three.pdf"),
                 qPrintable(popplerText(stamped, 1).right(300)));
        QVERIFY(popplerText(stamped, 2).contains("Page 6 of 6 - three.pdf"));
        QVERIFY(!popplerText(stamped, 0).contains("Page 5"));
        QVERIFY(popplerText(stamped, 0).contains("CONFIDENTIAL"));
        const QString body = popplerText(original, 2).simplified();

        auto reopened = Document::open(stamped);
        QCOMPARE(reopened->removeStamps({1, 2}, StampKind::Watermark), 2);
        QCOMPARE(reopened->undoName(), QString("Remove Watermarks"));
        const QString removed = saved(*reopened, "removed.pdf");
        QVERIFY(testpdfs::qpdfCheck(removed));
        QVERIFY(popplerText(removed, 0).contains("CONFIDENTIAL"));
        QVERIFY(!popplerText(removed, 2).contains("CONFIDENTIAL"));
        QVERIFY(popplerText(removed, 2).contains("Page 6 of 6"));

        // Once every page is clear, nothing of ours is left and the page reads as before.
        QCOMPARE(Document::open(removed)->removeStamps({0, 1, 2}, StampKind::HeaderFooter), 2);
        auto again = Document::open(removed);
        again->removeStamps({0, 1, 2}, StampKind::HeaderFooter);
        QCOMPARE(again->removeStamps({0, 1, 2}, StampKind::Watermark), 1);
        const int steps = again->historySteps().size();
        QCOMPARE(again->removeStamps({0, 1, 2}, StampKind::Watermark), 0);
        QCOMPARE(again->historySteps().size(), steps);
        const QString clean = saved(*again, "clean.pdf");
        QVERIFY(testpdfs::qpdfCheck(clean));
        QCOMPARE(popplerText(clean, 2).simplified(), body);
        QCOMPARE(popplerPage(clean, 0), popplerPage(original, 0));
        again->undo();
        QVERIFY(popplerText(saved(*again, "back.pdf"), 0).contains("CONFIDENTIAL"));
    }

    void nonLatinTextAndImagesAndBadStyles()
    {
        const QString original = m_dir.write("cjk.pdf", boxedPdf());
        auto document = Document::open(original);
        StampStyle style = red(StampPosition::TopLeft);
        document->addWatermark({0}, QString::fromUtf8("机密文件"), style);
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.setDotsPerMeterX(2835); // 72 dots an inch: a dot a point
        image.setDotsPerMeterY(2835);
        const QString png = m_dir.filePath("mark.png");
        QVERIFY(image.save(png));
        style.imagePath = png;
        style.position = StampPosition::BottomRight;
        document->addWatermark({0}, QString(), style);
        style.imageScale = 2;
        style.position = StampPosition::TopRight;
        document->addWatermark({0}, QString(), style);
        const QString path = saved(*document, "cjk-stamped.pdf");
        QVERIFY(testpdfs::qpdfCheck(path));
        QVERIFY(popplerText(path, 0).contains(QString::fromUtf8("机密文件")));
        // The image at its size, 36 points from the bottom-right corner.
        const QRectF corner = inkBounds(popplerPage(path, 0).copy(306, 396, 306, 396), isRed).translated(306, 396);
        QVERIFY2(qAbs(corner.right() - (612 - 36)) <= 1.5 && qAbs(corner.bottom() - (792 - 36)) <= 1.5,
                 qPrintable(
                     QString("%1,%2 %3x%4").arg(corner.x()).arg(corner.y()).arg(corner.width()).arg(corner.height())));
        QVERIFY(qAbs(corner.width() - 40) <= 1 && qAbs(corner.height() - 20) <= 1);
        // Scaled as asked, whatever the page's size.
        const QRectF scaled = inkBounds(popplerPage(path, 0).copy(306, 0, 306, 396), isRed);
        QVERIFY(qAbs(scaled.width() - 80) <= 1.5 && qAbs(scaled.height() - 40) <= 1.5);

        style.opacity = 2;
        QVERIFY_EXCEPTION_THROWN(document->addWatermark({0}, "x", style), pxv::DocumentError);
        style.opacity = 1;
        style.imagePath = m_dir.filePath("missing.png");
        QVERIFY_EXCEPTION_THROWN(document->addWatermark({0}, QString(), style), pxv::DocumentError);
        QCOMPARE(document->historySteps().size(), 3);
    }
};

QTEST_APPLESS_MAIN(TestStamps)
#include "tst_stamps.moc"
