// The thumbnails pane in the control: it draws only what is on screen within its cache bound,
// follows the current page, and its selection is deleted, moved by dragging and grows by
// dropped files, each as one undoable step; its context menu crops and resizes the selection.

#include "hostedcontrol.h"
#include "testpdfs.h"

#include "core/document.h"
#include "core/pagerenderer.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/pagedrag.h"
#include "ui/pageview.h"
#include "ui/thumbnailmodel.h"
#include "ui/thumbnailpane.h"

#include <QAction>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

class TestThumbnails : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void drawsOnlyWhatIsOnScreen();
    void selectionIsDeletedAndMoved();
    void droppedFilesInsertTheirPages();
    void pagesDroppedFromAnotherTabAreCopied();
    void cropAndResizeAskForTheSelection();

private:
    pxv::DocumentView* view() const { return m_hosted.widget->activeView(); }
    pxv::Document* model() const { return view()->document()->model(); }
    pxv::ThumbnailPane* pane() const { return view()->thumbnailPane(); }
    // Which page of the long document each page is, by the text it starts with.
    int label(int page) const
    {
        for (int n = 1; n <= 300; ++n) {
            if (!model()->findText(page, QString("Page %1, line 1:").arg(n)).isEmpty())
                return n;
        }
        return 0;
    }
    QPoint centreOf(int page) const { return pane()->visualRect(pane()->model()->index(page, 0)).center(); }
    void open(int pages);
    // Drops data before page of the active pane.
    void dropBefore(int page, const QMimeData& data);

    QTemporaryDir m_dir;
    HostedControl m_hosted;
};

void TestThumbnails::initTestCase()
{
    QVERIFY(m_dir.isValid());
    registerPXVEditor();
}

void TestThumbnails::init()
{
    QVERIFY(m_hosted.create());
}

void TestThumbnails::cleanup()
{
    m_hosted.destroy();
}

void TestThumbnails::open(int pages)
{
    const QString path = testpdfs::writeBytes(m_dir.filePath(QString("long%1.pdf").arg(pages)),
                                              testpdfs::longDocument(pages));
    QVERIFY(!path.isEmpty());
    m_hosted.control->openPath(path, 0);
    m_hosted.widget->runCommand("cmd.showThumbnails");
    QVERIFY(pane()->isVisible());
    // Laid out as a user would see it: a drag that leaves it sideways goes to other panes.
    QTRY_VERIFY(pane()->viewport()->width() > 0);
}

void TestThumbnails::drawsOnlyWhatIsOnScreen()
{
    open(300);
    pxv::PageRenderer* renderer = pane()->thumbnails()->renderer();
    QTRY_VERIFY(renderer->imageCount() > 0 && renderer->pendingCount() == 0);
    const int shown = renderer->imageCount();
    QVERIFY2(shown < 12, qPrintable(QString::number(shown)));
    // Scrolling to the end draws the pages there and nothing on the way beyond the cache bound.
    QScrollBar* bar = pane()->verticalScrollBar();
    for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
        bar->setValue(value);
        QCoreApplication::processEvents();
    }
    bar->setValue(bar->maximum());
    QTRY_VERIFY(renderer->pendingCount() == 0 && renderer->imageCount() > shown);
    // Memory stays within the cache bound and the few thumbnails on screen, whatever was drawn
    // on the way.
    QVERIFY(renderer->cacheCost() <= pxv::ThumbnailModel::kCacheBytes);
    QVERIFY2(renderer->wantedCost() < pxv::ThumbnailModel::kCacheBytes / 8,
             qPrintable(QString::number(renderer->wantedCost())));
    // Going to a page in the view marks it in the pane.
    view()->pageView()->goToPage(150);
    QCOMPARE(pane()->selectedPages(), QVector<int>({150}));
}

void TestThumbnails::selectionIsDeletedAndMoved()
{
    open(6);
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, centreOf(1));
    QCOMPARE(view()->pageView()->currentPage(), 1);
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(2));
    QCOMPARE(pane()->selectedPages(), QVector<int>({1, 2}));
    QTest::keyClick(pane(), Qt::Key_Delete);
    QCOMPARE(model()->pageCount(), 4);
    QCOMPARE(label(1), 4);

    // Every page at once is refused, with a message, and nothing changes.
    QTest::keyClick(pane(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pane(), Qt::Key_Delete);
    QCOMPARE(model()->pageCount(), 4);
    QCOMPARE(m_hosted.dialogs->errors.size(), 1);

    // Drag page 1 below page 3 (the old pages 1, 4, 5, 6 become 4, 5, 1, 6).
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, centreOf(0));
    const QRect third = pane()->visualRect(pane()->model()->index(2, 0));
    const QPoint lowerThird(third.center().x(), third.bottom() - 5);
    // The drag as the pane receives it: press, moves with the button held, release.
    const auto send = [this](QEvent::Type type, const QPoint& at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, pane()->viewport()->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
        QCoreApplication::sendEvent(pane()->viewport(), &event);
    };
    send(QEvent::MouseButtonPress, centreOf(0), Qt::LeftButton);
    send(QEvent::MouseMove, centreOf(0) + QPoint(0, 30), Qt::LeftButton);
    send(QEvent::MouseMove, lowerThird, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, lowerThird, Qt::NoButton);
    QCOMPARE(QList<int>({label(0), label(1), label(2), label(3)}), QList<int>({4, 5, 1, 6}));
    QCOMPARE(model()->undoName(), QString("Move Page"));
    model()->setHistoryPosition(0);
    QCOMPARE(model()->pageCount(), 6);
}

void TestThumbnails::droppedFilesInsertTheirPages()
{
    open(3);
    const QString other = testpdfs::writeBytes(m_dir.filePath("other.pdf"), testpdfs::longDocument(2));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(other), QUrl::fromLocalFile(m_dir.filePath("notes.txt"))});
    const QPoint before = pane()->visualRect(pane()->model()->index(1, 0)).topLeft() + QPoint(10, 5);
    QDragEnterEvent enter(before, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(pane()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(before, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(pane()->viewport(), &drop);
    QCOMPARE(model()->pageCount(), 5);
    QCOMPARE(QList<int>({label(0), label(1), label(2), label(3), label(4)}), QList<int>({1, 1, 2, 2, 3}));
    QCOMPARE(model()->historySteps(), QStringList({"Insert Pages"}));
}

void TestThumbnails::dropBefore(int page, const QMimeData& data)
{
    const QPoint before = pane()->visualRect(pane()->model()->index(page, 0)).topLeft() + QPoint(10, 5);
    QDragEnterEvent enter(before, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(pane()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(before, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(pane()->viewport(), &drop);
}

void TestThumbnails::pagesDroppedFromAnotherTabAreCopied()
{
    open(3);
    pxv::Document* first = model();
    first->rotatePages({2}, 90); // unsaved, and copied all the same
    open(2);
    QVERIFY(model() != first);
    const std::unique_ptr<QMimeData> fromFirst(pxv::pagesMimeData({first, {0, 2}}));
    dropBefore(1, *fromFirst);
    QCOMPARE(QList<int>({label(0), label(1), label(2), label(3)}), QList<int>({1, 1, 3, 2}));
    QCOMPARE(model()->pageSize(2), first->pageSize(2));
    QCOMPARE(first->pageCount(), 3);
    QCOMPARE(model()->historySteps(), QStringList({"Insert Pages"}));

    // Brought back to the pane they came from, pages move instead.
    const std::unique_ptr<QMimeData> own(pxv::pagesMimeData({model(), {3}}));
    dropBefore(0, *own);
    QCOMPARE(QList<int>({label(0), label(1), label(2), label(3)}), QList<int>({2, 1, 1, 3}));
    QCOMPARE(model()->pageCount(), 4);

    // Pages of a document that is no longer open bring nothing.
    const std::unique_ptr<QMimeData> gone(pxv::pagesMimeData({reinterpret_cast<const pxv::Document*>(&m_dir), {0}}));
    dropBefore(0, *gone);
    QCOMPARE(model()->pageCount(), 4);
    QVERIFY(m_hosted.dialogs->errors.isEmpty());
}

void TestThumbnails::cropAndResizeAskForTheSelection()
{
    open(4);
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, centreOf(1));
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(2));
    QAction* resize = nullptr;
    QAction* crop = nullptr;
    for (QAction* action : pane()->actions()) {
        if (action->objectName() == "cmd.resizePages")
            resize = action;
        else if (action->objectName() == "cmd.cropPages")
            crop = action;
    }
    QVERIFY(resize && crop);
    const QSizeF size = model()->pageSize(1);

    m_hosted.dialogs->resizeAnswer = {{"Pages", "2,3"}, {"Scale", 0.5}};
    resize->trigger();
    QCOMPARE(m_hosted.dialogs->pageDialogAsks.size(), 1);
    QCOMPARE(m_hosted.dialogs->pageDialogAsks.last().selected, QVector<int>({1, 2}));
    QCOMPARE(m_hosted.dialogs->pageDialogAsks.last().currentPage, view()->pageView()->currentPage());
    QCOMPARE(m_hosted.dialogs->pageDialogAsks.last().document, model());
    QCOMPARE(model()->pageSize(2), size / 2);
    QCOMPARE(model()->pageSize(3), size);

    crop->trigger(); // cancelled: no step
    QCOMPARE(model()->historySteps(), QStringList({"Resize Pages"}));
    m_hosted.dialogs->cropAnswer = {{"Pages", "4"}, {"Left", 72}, {"Bottom", 36}};
    crop->trigger();
    QCOMPARE(model()->pageSize(3), size - QSizeF(72, 36));
    QCOMPARE(model()->historySteps(), QStringList({"Resize Pages", "Crop Page"}));
    QCOMPARE(m_hosted.dialogs->errors, QStringList());
}

QTEST_MAIN(TestThumbnails)
#include "tst_thumbnails.moc"
