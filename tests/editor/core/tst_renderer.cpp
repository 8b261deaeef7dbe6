// The page renderer: image size and background, results in the right place, cancellation, the
// byte bound of its cache, drawing ahead within it, tiles of pages too large to draw whole,
// failures as messages, and threads that give way to the GUI thread.

#include "core/pagerenderer.h"
#include "core/renderworker.h"
#include "core/sourcecopy.h"
#include "mupdf/mudocument.h"
#include "pdffolder.h"
#include "values/annotation.h"

#include <QtTest>

#include <unistd.h>

using pxv::Document;
using pxv::PageRenderer;

class TestRenderer : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;
    QString m_path;

    std::unique_ptr<Document> openSample(int pages = 5)
    {
        testpdfs::Sample sample;
        sample.pages = pages;
        m_path = m_dir.filePath(QString("r%1.pdf").arg(pages));
        if (!QFile::exists(m_path) && testpdfs::writeBytes(m_path, testpdfs::sample(sample)).isEmpty())
            qFatal("cannot write sample");
        return Document::open(m_path);
    }

    // Drawing is background work: the GUI thread waiting for its result must get a core first.
    static void verifyRenderThreadsRunBelowTheGuiThread()
    {
        const auto nice = [](const QString& task) {
            QFile stat(task + "/stat");
            if (!stat.open(QIODevice::ReadOnly))
                return 0;
            // After the name in parentheses: state is field 3, nice field 19.
            const QByteArray fields = stat.readAll().split(')').last();
            return fields.simplified().split(' ').value(16).toInt();
        };
        const int guiNice = nice(QString("/proc/self/task/%1").arg(gettid()));
        int renderThreads = 0;
        for (const QFileInfo& task : QDir("/proc/self/task").entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(task.filePath() + "/comm");
            if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != pxv::kRenderThreadName)
                continue;
            ++renderThreads;
            QVERIFY2(nice(task.filePath()) > guiNice, qPrintable(task.fileName()));
        }
        QVERIFY(renderThreads > 0);
    }

private slots:
    void initTestCase() { qRegisterMetaType<QImage>(); }

    void deliversImageOfPageSizeOnWhite()
    {
        auto document = openSample();
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(1, 1.5, 10);
        QVERIFY(ready.wait(5000));
        QCOMPARE(ready[0][0].toInt(), 1);
        QCOMPARE(ready[0][1].toDouble(), 1.5);
        const QImage image = ready[0][2].value<QImage>();
        QCOMPARE(image.size(), QSize(1188, 918)); // 792 × 612 points, rotated page
        QCOMPARE(image.pixel(5, 5), qRgb(255, 255, 255));
        // The page's text is drawn: some pixel is dark.
        bool dark = false;
        for (int y = 0; y < image.height() && !dark; y += 2)
            for (int x = 0; x < image.width() && !dark; x += 2)
                dark = qGray(image.pixel(x, y)) < 100;
        QVERIFY(dark);
        QCOMPARE(renderer.cachedImage(1, 1.5), image);
        QVERIFY(renderer.cachedImage(1, 2.0).isNull());
        QCOMPARE(renderer.nearestCachedImage(1, 2.0), image);
        QVERIFY(renderer.nearestCachedImage(0, 1.5).isNull());
        verifyRenderThreadsRunBelowTheGuiThread();
    }

    void cachedRequestIsAnsweredWithoutRendering()
    {
        auto document = openSample();
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(0, 1.0);
        QVERIFY(ready.wait(5000));
        renderer.request(0, 1.0);
        QCOMPARE(renderer.pendingCount(), 0);
        QVERIFY(ready.wait(5000));
        QCOMPARE(ready.count(), 2);
    }

    void cancelledPagesAreNotDelivered()
    {
        auto document = openSample(30);
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        for (int page = 0; page < 30; ++page)
            renderer.request(page, 2.0);
        renderer.cancelExcept({29});
        QCOMPARE(renderer.pendingCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
        QTest::qWait(100); // let any stray result arrive
        for (const QList<QVariant>& result : ready)
            QCOMPARE(result[0].toInt(), 29);
        QCOMPARE(ready.count(), 1);
    }

    void newScaleReplacesARunningRequest()
    {
        auto document = openSample();
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(0, 1.0);
        renderer.request(0, 0.5);
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
        QTest::qWait(100);
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready[0][1].toDouble(), 0.5);
    }

    void cacheStaysWithinItsByteBound()
    {
        auto document = openSample(12);
        PageRenderer renderer(document.get());
        const qint64 onePage = qint64(612) * 792 * 4; // 1.0 px per point, 4 bytes a pixel
        renderer.setCacheLimit(3 * onePage + 1000);
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        // Scrolling through: each page is wanted, drawn, then scrolled away.
        for (int page = 0; page < 12; page += 2) { // unrotated pages only: equal sizes
            renderer.request(page, 1.0);
            QVERIFY(ready.wait(5000));
            QCOMPARE(renderer.wantedCost(), onePage);
            renderer.cancelExcept({});
            QVERIFY(renderer.cacheCost() <= renderer.cacheLimit());
        }
        QCOMPARE(renderer.wantedCost(), 0);
        QCOMPARE(renderer.cacheCost(), 3 * onePage);
        QVERIFY(!renderer.cachedImage(10, 1.0).isNull()); // the most recent stay
        QVERIFY(renderer.cachedImage(0, 1.0).isNull());
    }

    void wantedPagesOutliveTheBound()
    {
        // Zoomed far in, the visible pages alone exceed the cache; they must stay available
        // for painting rather than be rendered again and again.
        auto document = openSample();
        PageRenderer renderer(document.get());
        renderer.setCacheLimit(1000);
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(0, 1.0);
        renderer.request(2, 1.0);
        renderer.cancelExcept({0, 2});
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 2, 10000);
        QVERIFY(!renderer.cachedImage(0, 1.0).isNull());
        QVERIFY(!renderer.cachedImage(2, 1.0).isNull());
        renderer.cancelExcept({2});
        QVERIFY(renderer.cachedImage(0, 1.0).isNull());
        QVERIFY(!renderer.cachedImage(2, 1.0).isNull());
        QCOMPARE(renderer.cacheCost(), 0);

        // A new scale replaces the kept image; the old one serves as the scaled stand-in only
        // while it fits the cache.
        renderer.setCacheLimit(PageRenderer::kDefaultCacheBytes);
        renderer.request(2, 0.5);
        QVERIFY(ready.wait(5000));
        QCOMPARE(renderer.cachedImage(2, 0.5).width(), 306);
        QCOMPARE(renderer.nearestCachedImage(2, 0.9).width(), 612);
    }

    void sourceChangeDropsOldImages()
    {
        auto document = openSample();
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(0, 1.0);
        QVERIFY(ready.wait(5000));
        document->rotatePage(0, 90);
        QVERIFY(renderer.cachedImage(0, 1.0).isNull());
        renderer.request(0, 1.0);
        QVERIFY(ready.wait(5000));
        QCOMPARE(ready[1][2].value<QImage>().size(), QSize(792, 612)); // the edit is drawn
    }

    void pageWithLinksKeepsItsOtherAnnotations()
    {
        // Workers load a page for drawing without its links; a comment beside them is drawn.
        testpdfs::Sample sample;
        sample.links = true;
        const QString path = m_dir.filePath("links.pdf");
        QVERIFY(!testpdfs::writeBytes(path, testpdfs::sample(sample)).isEmpty());
        auto document = Document::open(path);
        QVERIFY(!document->links(0).isEmpty());
        pxv::Annotation square;
        square.type = pxv::AnnotationType::Square;
        square.rect = QRectF(100, 346, 100, 100); // around the middle row: either way up
        square.fill = Qt::blue;
        document->addAnnotation(0, square);
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(0, 1.0);
        QVERIFY(ready.wait(5000));
        QCOMPARE(ready[0][2].value<QImage>().pixelColor(150, 396), QColor(Qt::blue));
    }

    void newDocumentRendersWithItsEdits()
    {
        auto document = Document::createBlank();
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        document->rotatePage(0, 270);
        renderer.request(0, 1.0);
        QVERIFY(ready.wait(5000));
        QCOMPARE(ready[0][2].value<QImage>().size(), QSize(842, 596)); // A4 landscape, rounded out
    }

    void hugePageIsDrawnSmallerNotRefused()
    {
        // 200 inches square at 2 pixels per point would be 800 megapixels.
        const QByteArray pdf = testpdfs::build({"<< /Type /Catalog /Pages 2 0 R >>",
                                                "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                                "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 14400 14400] >>"},
                                               1);
        const QString path = m_dir.filePath("huge.pdf");
        QVERIFY(!testpdfs::writeBytes(path, pdf).isEmpty());
        auto document = Document::open(path);
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(0, 2.0);
        QVERIFY(ready.wait(10000));
        const QImage image = ready[0][2].value<QImage>();
        QVERIFY(qint64(image.width()) * image.height() <= 8192ll * 8192ll);
        QVERIFY(image.width() >= 8000);
        QCOMPARE(renderer.cachedImage(0, 2.0), image);
    }

    void imagesAreTheSameOnEveryDrawing()
    {
        // A page's first drawing runs its contents straight into the image, its next ones replay
        // a display list; images reuse the memory of freed ones.
        const QByteArray black = "0 0 0 rg 0 0 200 200 re f";
        const QByteArray pdf = testpdfs::build(
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 5 0 R >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>",
             "<< /Length " + QByteArray::number(black.size()) + " >>\nstream\n" + black + "\nendstream"});
        const QString path = m_dir.filePath("blackwhite.pdf");
        QVERIFY(!testpdfs::writeBytes(path, pdf).isEmpty());
        auto copy = pxv::mu::MuDocument::openFile(path);
        const QImage first = copy->renderPage(0, 1.0, nullptr).copy();
        QCOMPARE(first.pixel(100, 100), qRgb(0, 0, 0));
        QImage white(first.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(copy->renderPage(1, 1.0, nullptr), white);
        QCOMPARE(copy->renderPage(0, 1.0, nullptr), first);
    }

    void tilesAreCutsOfThePageImage()
    {
        auto document = openSample();
        PageRenderer renderer(document.get());
        const int side = PageRenderer::kTileSize;
        renderer.request(0, 2.0, 10);
        const QSize whole = PageRenderer::imageSize(document->pageSize(0), 2.0);
        const QPoint inner(1, 1);
        const QPoint corner((whole.width() - 1) / side, (whole.height() - 1) / side);
        renderer.requestTiles({{0, inner}, {0, corner}}, 2.0);
        QCOMPARE(renderer.pendingCount(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
        const QImage page = renderer.cachedImage(0, 2.0);
        QCOMPARE(page.size(), whole);
        QCOMPARE(renderer.cachedTile(0, 2.0, inner), page.copy(QRect(inner * side, QSize(side, side))));
        // The last tile is cut at the page's edges.
        QCOMPARE(renderer.cachedTile(0, 2.0, corner),
                 page.copy(QRect(corner * side, page.size()).intersected(page.rect())));
        QVERIFY(renderer.cachedTile(0, 2.0, QPoint(0, 0)).isNull());
    }

    void tilesBeyondTheWholePageCapStayWithinTheCache()
    {
        // At 20 px per point the page would be 194 megapixels: far beyond what is drawn whole.
        auto document = openSample();
        PageRenderer renderer(document.get());
        const double scale = 20.0;
        QVERIFY(PageRenderer::isTiled(document->pageSize(0), scale));
        const qint64 tileBytes = qint64(PageRenderer::kTileSize) * PageRenderer::kTileSize * 4;
        renderer.setCacheLimit(4 * tileBytes);
        QSignalSpy tiles(&renderer, &PageRenderer::tileReady);
        // Scrolling down the page's middle column a tile at a time; each list replaces the last.
        for (int row = 0; row < 8; ++row) {
            renderer.requestTiles({{0, QPoint(10, row)}}, scale);
            QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
            const QImage tile = renderer.cachedTile(0, scale, QPoint(10, row));
            QCOMPARE(tile.size(), QSize(PageRenderer::kTileSize, PageRenderer::kTileSize));
            QVERIFY(renderer.cacheCost() <= renderer.cacheLimit());
        }
        QCOMPARE(tiles.count(), 8);
        QVERIFY(renderer.cachedTile(0, scale, QPoint(10, 0)).isNull()); // evicted, the latest kept
        QVERIFY(!renderer.cachedTile(0, scale, QPoint(10, 7)).isNull());

        // Tiles that scrolled away before they were drawn are cancelled, never delivered.
        tiles.clear();
        QList<PageRenderer::Tile> many;
        for (int column = 0; column < 20; ++column)
            many.append({0, QPoint(column, 20)});
        renderer.requestTiles(many, scale);
        renderer.requestTiles({{0, QPoint(3, 21)}}, scale);
        QCOMPARE(renderer.pendingCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
        QTest::qWait(100);
        QCOMPARE(tiles.count(), 1);
        QCOMPARE(tiles[0][2].toPoint(), QPoint(3, 21));
    }

    void unreadablePageReportsFailureAndTheRestRenders()
    {
        // The file goes away after opening (a removed stick, a deleted download): workers
        // cannot read it and say so; nothing crashes.
        const QString path = m_dir.filePath("vanishing.pdf");
        QVERIFY(!testpdfs::writeBytes(path, testpdfs::sample({})).isEmpty());
        auto document = Document::open(path);
        QVERIFY(QFile::remove(path));
        PageRenderer renderer(document.get());
        QSignalSpy failed(&renderer, &PageRenderer::pageFailed);
        renderer.request(0, 1.0);
        QVERIFY(failed.wait(5000));
        QCOMPARE(failed[0][0].toInt(), 0);
        QVERIFY(failed[0][1].toString().contains("Page 1"));

        // An unreadable page tree entry: the page is reported, its neighbour renders. The second
        // page is its own parent, so looking up its inherited page box never ends well.
        const QByteArray pdf = testpdfs::build(
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>", "<< /Type /Page /Parent 4 0 R >>"},
            1);
        const QString cyclic = m_dir.filePath("cyclic.pdf");
        QVERIFY(!testpdfs::writeBytes(cyclic, pdf).isEmpty());
        auto broken = Document::open(cyclic);
        QCOMPARE(broken->pageCount(), 2);
        PageRenderer second(broken.get());
        QSignalSpy ready(&second, &PageRenderer::pageReady);
        QSignalSpy failedPage(&second, &PageRenderer::pageFailed);
        for (int page = 0; page < broken->pageCount(); ++page)
            second.request(page, 1.0);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count() + failedPage.count(), broken->pageCount(), 5000);
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready[0][0].toInt(), 0);
        QCOMPARE(failedPage.count(), 1);
    }

    void selfDrawingFormEnds()
    {
        // A form XObject that draws itself: drawing must end (with or without the form) rather
        // than recurse until the stack runs out.
        const QByteArray form = "q 0.5 0 0 0.5 10 10 cm 0 0 50 50 re f /X Do Q";
        const QByteArray pdf = testpdfs::build(
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R /Resources << /XObject << /X 5 0 R "
             ">> >> >>",
             "<< /Length 7 >>\nstream\n/X Do  \nendstream",
             "<< /Type /XObject /Subtype /Form /BBox [0 0 200 200] /Resources << /XObject << /X 5 0 R >> >> /Length "
                 + QByteArray::number(form.size()) + " >>\nstream\n" + form + "\nendstream"},
            1);
        const QString path = m_dir.filePath("recursive.pdf");
        QVERIFY(!testpdfs::writeBytes(path, pdf).isEmpty());
        auto document = Document::open(path);
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        QSignalSpy failed(&renderer, &PageRenderer::pageFailed);
        renderer.request(0, 1.0);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count() + failed.count(), 1, 5000);
    }

    void encryptedDocumentRendersAfterPassword()
    {
        auto plain = openSample();
        const QString locked = m_dir.filePath("locked.pdf");
        QVERIFY(!testpdfs::writeEncrypted(m_path, locked, "pw").isEmpty());
        auto document = Document::open(locked);
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(0, 1.0);
        QCOMPARE(renderer.pendingCount(), 0); // nothing to draw while locked
        QVERIFY(document->authenticate("pw"));
        renderer.request(0, 1.0);
        QVERIFY(ready.wait(5000));
    }

    void scrollingAndZoomingQuickly()
    {
        // A view scrolling through with the zoom changing under it: requests, cancellations and
        // results cross all the time. Run under ThreadSanitizer this is the race check.
        auto document = openSample(40);
        PageRenderer renderer(document.get());
        QList<QPair<int, QImage>> delivered;
        QList<double> scales;
        connect(&renderer, &PageRenderer::pageReady, this, [&](int page, double scale, const QImage& image) {
            delivered.append({page, image});
            scales.append(scale);
        });
        constexpr int kSteps = 120;
        auto scaleAt = [](int step) { return (step / 10) % 2 ? 0.75 : 0.5; };
        auto topAt = [](int step) { return step % 38; };
        for (int step = 0; step < kSteps; ++step) {
            const double scale = scaleAt(step);
            const int top = topAt(step);
            for (int page = top; page < top + 3; ++page)
                renderer.request(page, scale, 3 - (page - top));
            renderer.cancelExcept({top, top + 1, top + 2});
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 20000);
        QVERIFY(!delivered.isEmpty());
        for (int i = 0; i < delivered.size(); ++i) {
            const QSizeF expected = document->pageSize(delivered[i].first) * scales[i];
            QCOMPARE(delivered[i].second.size(),
                     QSize(qCeil(expected.width() - 0.01), qCeil(expected.height() - 0.01)));
        }
        // The final pages are there at the final scale.
        for (int page = topAt(kSteps - 1); page < topAt(kSteps - 1) + 3; ++page)
            QVERIFY(!renderer.cachedImage(page, scaleAt(kSteps - 1)).isNull());
    }

    void prefetchStaysWithinHalfTheCache()
    {
        auto document = openSample(30);
        PageRenderer renderer(document.get());
        const qint64 onePage = qint64(612) * 792 * 4; // every sample page, rotated or not
        renderer.setCacheLimit(6 * onePage + 1000);
        QList<int> ahead;
        for (int page = 10; page < 20; ++page)
            ahead.append(page);
        renderer.prefetch(ahead, 1.0);
        QCOMPARE(renderer.prefetchedPages(), QList<int>({10, 11, 12}));
        QCOMPARE(renderer.pendingCount(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
        QCOMPARE(renderer.cacheCost(), 3 * onePage);
        QCOMPARE(renderer.wantedCost(), 0);
        QVERIFY(!renderer.cachedImage(12, 1.0).isNull());
        QVERIFY(renderer.cachedImage(13, 1.0).isNull());

        // Pages already drawn count against the budget too: asking again draws nothing more.
        renderer.prefetch(ahead, 1.0);
        QCOMPARE(renderer.prefetchedPages(), QList<int>({10, 11, 12}));
        QCOMPARE(renderer.pendingCount(), 0);

        // A large cache still takes only a few pages ahead.
        renderer.setCacheLimit(PageRenderer::kDefaultCacheBytes);
        renderer.prefetch(ahead, 1.0);
        QCOMPARE(renderer.prefetchedPages().size(), PageRenderer::kMaxPrefetch);
        QCOMPARE(renderer.pendingCount(), PageRenderer::kMaxPrefetch - 3);
    }

    void prefetchSurvivesScrollingButNotAJump()
    {
        auto document = openSample(30);
        PageRenderer renderer(document.get());
        renderer.setCacheLimit(256ll << 20); // room to draw all three ahead at this scale
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.request(0, 2.0, 100);
        renderer.prefetch({1, 2, 3}, 2.0);
        // The view keeps its visible pages; the pages drawn ahead stay in work.
        renderer.cancelExcept({0});
        QCOMPARE(renderer.pendingCount(), 4);

        // The view jumps far away: what was drawn ahead for the old place is dropped, even if a
        // worker already finished it, and the new place is drawn.
        renderer.request(20, 2.0, 100);
        renderer.prefetch({21, 22}, 2.0);
        renderer.cancelExcept({20});
        QCOMPARE(renderer.pendingCount(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
        QTest::qWait(100); // let any stray result arrive
        QSet<int> delivered;
        for (const QList<QVariant>& result : ready)
            delivered.insert(result[0].toInt());
        QCOMPARE(delivered, QSet<int>({20, 21, 22}));
        for (int page = 0; page <= 3; ++page)
            QVERIFY(renderer.cachedImage(page, 2.0).isNull());

        renderer.prefetch({23, 24}, 2.0);
        renderer.cancelAll();
        QCOMPARE(renderer.pendingCount(), 0);
        QVERIFY(renderer.prefetchedPages().isEmpty());
    }

    void prefetchedPageIsNeverDrawnTwice()
    {
        auto document = openSample(12);
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.prefetch({0, 1, 2}, 1.0);
        // Page 0 becomes visible while it is still being drawn ahead: the same work serves it.
        renderer.request(0, 1.0, 100);
        QCOMPARE(renderer.pendingCount(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
        QCOMPARE(renderer.finishedCount(), 3);

        // Scrolling on: pages 1 and 2 come from the cache, and moving the window ahead draws
        // only the page not drawn yet.
        renderer.request(1, 1.0, 100);
        renderer.request(2, 1.0, 99);
        renderer.prefetch({1, 2, 3}, 1.0);
        renderer.cancelExcept({1, 2});
        QCOMPARE(renderer.pendingCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(renderer.pendingCount(), 0, 10000);
        QCOMPARE(renderer.finishedCount(), 4);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 6, 5000);
        QTest::qWait(100);
        QCOMPARE(ready.count(), 6); // 0, 1, 2 drawn; 1, 2 from the cache; 3 drawn
        QVERIFY(!renderer.cachedImage(3, 1.0).isNull());
        // The visible pages are kept outside the bound, what is ahead inside it.
        QCOMPARE(renderer.wantedCost(), 2 * qint64(612) * 792 * 4);
    }

    void copyOpenedAheadServesOnlyItsFile()
    {
        // Opened ahead, then the file is written again before the document is opened: the
        // workers draw what the file holds now (five pages, where the copy has two).
        testpdfs::Sample sample;
        sample.pages = 2;
        const QString path = m_dir.filePath("ahead.pdf");
        QVERIFY(!testpdfs::writeBytes(path, testpdfs::sample(sample)).isEmpty());
        PageRenderer::openAhead(path);
        pxv::renderPool()->waitForDone();
        sample.pages = 5;
        QVERIFY(!testpdfs::writeBytes(path, testpdfs::sample(sample)).isEmpty());
        auto document = Document::open(path);
        {
            PageRenderer renderer(document.get());
            QSignalSpy ready(&renderer, &PageRenderer::pageReady);
            renderer.warmUp(4);
            renderer.request(4, 1.0, 100);
            QVERIFY(ready.wait(5000));
            QCOMPARE(ready[0][0].toInt(), 4);
        }

        // The file as opened ahead: the first request follows the warm-up, and every page of
        // the document is drawn from the copy opened ahead or one of its own.
        PageRenderer::openAhead(path);
        document = Document::open(path);
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        renderer.warmUp(1);
        renderer.request(1, 1.0, 100);
        renderer.request(0, 1.0, 99);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 2, 5000);
        QCOMPARE(renderer.cachedImage(1, 1.0).size(), QSize(792, 612));
        QCOMPARE(renderer.cachedImage(0, 1.0).size(), QSize(612, 792));
    }

    // A page whose annotations alone change is drawn over what was kept of its content; each
    // drawing must be what a whole drawing of the document as it is shows, through undo and a
    // change of the content (a half turn keeps the page's size) too.
    void annotationChangesDrawLikeWholeDrawings()
    {
        auto document = openSample(2);
        PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &PageRenderer::pageReady);
        const auto drawn = [&] {
            ready.clear();
            renderer.request(0, 1.5);
            return ready.wait(5000) ? ready.last()[2].value<QImage>() : QImage();
        };
        const auto wholeDrawing = [&] {
            return pxv::openSourceCopy(*document->renderSource(), pxv::mu::MuDocument::kRenderStoreBytes)
                ->renderPage(0, 1.5, nullptr);
        };
        const auto box = [](double x) {
            pxv::Annotation square;
            square.type = pxv::AnnotationType::Square;
            square.rect = QRectF(x, 100, 80, 60);
            square.fill = Qt::blue;
            return square;
        };
        const QImage plain = drawn();
        QVERIFY(!plain.isNull());
        const pxv::PageId id = document->pageId(0);
        quint64 generation = 0;
        for (double x : {72.0, 200.0, 330.0}) {
            document->addAnnotation(0, box(x));
            const QImage image = drawn();
            QCOMPARE(image, wholeDrawing());
            QVERIFY(image != plain);
            // Known as the page's content from the second annotation on.
            if (generation)
                QCOMPARE(document->contentGeneration(id), generation);
            generation = document->contentGeneration(id);
        }
        document->undo();
        QCOMPARE(drawn(), wholeDrawing());
        QCOMPARE(document->contentGeneration(id), generation);
        document->rotatePages({0}, 180);
        QVERIFY(document->contentGeneration(id) > generation);
        const QImage turned = drawn();
        QCOMPARE(turned, wholeDrawing());
        document->addAnnotation(0, box(72));
        QCOMPARE(drawn(), wholeDrawing());
        QVERIFY(turned != plain);
    }

    void rendererGoingAwayWhileWorking()
    {
        auto document = openSample(30);
        {
            PageRenderer renderer(document.get());
            for (int page = 0; page < 30; ++page)
                renderer.request(page, 2.0);
        }
        QTest::qWait(300); // late results must find nobody to call, not a dead renderer
        QVERIFY(document->pageCount() == 30);
    }
};

QTEST_GUILESS_MAIN(TestRenderer)
#include "tst_renderer.moc"
