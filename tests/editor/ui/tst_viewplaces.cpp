// Files open where they were left: the control tells the host's keeper each file's page and zoom
// when its tab closes, or the control with it, and shows them when the file opens again.

#include "hostedcontrol.h"
#include "testpdfs.h"

#include "ui/documentview.h"
#include "ui/pageview.h"

#include <QHash>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class MemoryKeeper : public IPXV_PlaceKeeper
{
public:
    bool recall(const QString& path, PXV_ViewPlace* place) override
    {
        asked.append(path);
        if (!places.contains(path))
            return false;
        *place = places.value(path);
        return true;
    }
    void remember(const QString& path, const PXV_ViewPlace& place) override { places.insert(path, place); }

    QHash<QString, PXV_ViewPlace> places;
    QStringList asked;
};

} // namespace

class TestViewPlaces : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerPXVEditor(); }

    void placesAreKeptOnCloseAndShownOnOpen()
    {
        const QString path = testpdfs::writeBytes(m_dir.filePath("long.pdf"), testpdfs::longDocument(12));
        const QString absolute = QFileInfo(path).absoluteFilePath();
        auto keeper = std::make_shared<MemoryKeeper>();
        QVERIFY(m_hosted.create());
        m_hosted.control->setPlaceKeeper(keeper);

        // A file never seen opens at its first page, as fitting its width.
        m_hosted.control->openPath(path);
        QCOMPARE(keeper->asked, QStringList{absolute});
        pxv::PageView* pages = m_hosted.widget->activeView()->pageView();
        QCOMPARE(pages->currentPage(), 0);
        QCOMPARE(pages->zoomMode(), pxv::PageView::ZoomMode::FitWidth);

        pages->setZoom(1.5);
        pages->goToPage(7);
        m_hosted.widget->runCommand("cmd.close");
        QVERIFY(keeper->places.contains(absolute));
        QCOMPARE(keeper->places.value(absolute).page, 7);
        QCOMPARE(keeper->places.value(absolute).fit, PXV_ViewPlace::Fit::None);
        QCOMPARE(keeper->places.value(absolute).zoom, 1.5);

        m_hosted.control->openPath(path);
        pages = m_hosted.widget->activeView()->pageView();
        QCOMPARE(pages->currentPage(), 7);
        QCOMPARE(pages->zoom(), 1.5);

        // A fitting zoom is kept as the fit, and the control going closes its tabs too.
        pages->setZoomMode(pxv::PageView::ZoomMode::FitPage);
        pages->goToPage(10);
        m_hosted.destroy();
        QCOMPARE(keeper->places.value(absolute).page, 10);
        QCOMPARE(keeper->places.value(absolute).fit, PXV_ViewPlace::Fit::Page);
        QVERIFY(m_hosted.create());
        m_hosted.control->setPlaceKeeper(keeper);
        m_hosted.control->openPath(path);
        pages = m_hosted.widget->activeView()->pageView();
        QCOMPARE(pages->zoomMode(), pxv::PageView::ZoomMode::FitPage);
        QCOMPARE(pages->currentPage(), 10);

        // A document without a file has no place to keep.
        m_hosted.widget->runCommand("cmd.newBlankDoc");
        m_hosted.widget->runCommand("cmd.close");
        QCOMPARE(keeper->places.size(), 1);
        m_hosted.destroy();
    }

private:
    QTemporaryDir m_dir;
    HostedControl m_hosted;
};

QTEST_MAIN(TestViewPlaces)
#include "tst_viewplaces.moc"
