// Far zoomed in, the page view draws what it shows in tiles: sharp where a page drawn whole would
// have been capped and stretched, and within the renderer's byte bound.

#include "core/document.h"
#include "core/pagerenderer.h"
#include "testpdfs.h"
#include "ui/pageview.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using pxv::PageRenderer;
using pxv::PageView;

namespace {

// Share of pixels neither near black nor near white: the edges of the glyphs, about one pixel
// wide when drawn sharp and several when a smaller image is stretched.
double edgeShare(const QImage& image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    qint64 edges = 0;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            edges += line[x] > 48 && line[x] < 208;
    }
    return double(edges) / (qint64(gray.width()) * gray.height());
}

double darkShare(const QImage& image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    qint64 dark = 0;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            dark += line[x] <= 48;
    }
    return double(dark) / (qint64(gray.width()) * gray.height());
}

} // namespace

class TestTiles : public QObject
{
    Q_OBJECT

private slots:
    void farZoomShowsSharpTilesWithinTheBound()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("sample.pdf");
        QVERIFY(!testpdfs::writeBytes(path, testpdfs::sample({})).isEmpty());
        auto document = pxv::Document::open(path);
        PageView view(document.get());
        view.resize(600, 500);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setZoom(PageView::kMaxZoom);
        const double scale = view.zoom() * view.logicalDpiX() / 72.0 * view.viewport()->devicePixelRatioF();
        QVERIFY(std::pow(std::ceil(612 * scale), 2) > 8192.0 * 8192.0); // beyond what is drawn whole
        view.goToPage(0, QPointF(72, 60)); // the sample's "Page 1" in 36-point type begins here
        QTRY_VERIFY_WITH_TIMEOUT(view.renderer()->pendingCount() == 0, 30000);
        PageRenderer* renderer = view.renderer();
        QVERIFY(renderer->cacheCost() <= renderer->cacheLimit());
        // Beside the bounded cache only the previews of the page and its neighbours are kept.
        QVERIFY(renderer->wantedCost() <= 3 * 4 * PageRenderer::kPreviewPixels);

        const QImage shown = view.viewport()->grab().toImage();
        const QPoint origin = -view.pageRect(0).topLeft().toPoint();
        // The same part of the page as poppler draws it at the same resolution.
        const QString prefix = dir.filePath("slice");
        QProcess poppler;
        poppler.start("pdftoppm",
                      {"-r", QString::number(scale * 72.0, 'f', 4), "-x", QString::number(origin.x()), "-y",
                       QString::number(origin.y()), "-W", QString::number(shown.width()), "-H",
                       QString::number(shown.height()), "-gray", "-f", "1", "-l", "1", "-singlefile", path, prefix});
        QVERIFY(poppler.waitForFinished(60000));
        const QImage other(prefix + ".pgm");
        QCOMPARE(other.size(), shown.size());
        QVERIFY(darkShare(other) > 0.05); // the slice holds ink, not only paper
        QVERIFY(std::abs(darkShare(shown) - darkShare(other)) < 0.02);
        QVERIFY2(edgeShare(shown) < 2 * edgeShare(other) + 0.002,
                 qPrintable(QString("edges %1 against %2").arg(edgeShare(shown)).arg(edgeShare(other))));
    }
};

QTEST_MAIN(TestTiles)
#include "tst_tiles.moc"
