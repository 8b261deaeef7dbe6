// The document's side panes as a user works them: bookmarks added for the view, renamed in
// place, nested, deleted and taken back; files attached, opened, saved out and removed; layers
// hidden on screen and shown again.

#include "fakedialogs.h"
#include "openedview.h"
#include "testpdfs.h"

#include "core/document.h"
#include "core/pagerenderer.h"
#include "ui/attachmentspane.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/layerspane.h"
#include "ui/outlinepane.h"
#include "ui/pageview.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using pxv::Document;
using pxv::DocumentView;

namespace {

constexpr int kDeadlineMs = 30000;

QStringList titles(const QList<pxv::OutlineItem>& items)
{
    QStringList all;
    for (const pxv::OutlineItem& item : items)
        all << item.title + (item.children.isEmpty() ? QString() : "(" + titles(item.children).join(",") + ")");
    return all;
}

QStringList shownTitles(const QTreeWidget* tree, const QTreeWidgetItem* parent = nullptr)
{
    QStringList all;
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem* item = parent ? parent->child(i) : tree->topLevelItem(i);
        const QStringList below = shownTitles(tree, item);
        all << item->text(0) + (below.isEmpty() ? QString() : "(" + below.join(",") + ")");
    }
    return all;
}

// Types text into the in-place editor that is open now and commits it.
void typeIntoEditor(const QString& text)
{
    QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

// Pixels of the page image that are clearly red, as the watermark below is drawn.
int redPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    }
    return count;
}

} // namespace

class TestDocPanes : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    std::unique_ptr<DocumentView> openView(const QString& name, const QByteArray& data)
    {
        auto view = openedView(m_dir, name, data);
        view->show();
        // In-place editing needs the focus, which only an active window has.
        QApplication::setActiveWindow(view.get());
        return view;
    }

private slots:
    void bookmarksEditedInThePane()
    {
        auto view = openView("outline.pdf", testpdfs::sample({3, true}));
        Document* model = view->document()->model();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        pxv::OutlinePane* pane = view->outlinePane();
        QCOMPARE(pane->objectName(), QString("bookmarksView"));
        QTRY_COMPARE_WITH_TIMEOUT(pane->topLevelItemCount(), 2, kDeadlineMs);

        // A bookmark for the view on page 1 comes last, with its title open for typing.
        const QPointF spot(0, 200);
        view->pageView()->goToPage(0, spot);
        pane->addBookmark();
        typeIntoEditor("Appendix");
        QTRY_COMPARE(titles(model->outline()), QStringList({"Chapter 1", "Chapter 2(Section 2.1)", "Appendix"}));
        QCOMPARE(model->outline().at(2).page, 0);
        QVERIFY2(std::abs(model->outline().at(2).position.y() - spot.y()) < 2,
                 qPrintable(QString::number(model->outline().at(2).position.y())));

        // F2 renames the current entry in place.
        QTRY_COMPARE(shownTitles(pane), QStringList({"Chapter 1", "Chapter 2(Section 2.1)", "Appendix"}));
        pane->setCurrentItem(pane->topLevelItem(0));
        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_F2);
        typeIntoEditor("Introduction");
        QTRY_COMPARE(titles(model->outline()).first(), QString("Introduction"));

        // Dropped onto another entry, an entry goes below it; dropped above one, before it.
        QTRY_COMPARE(pane->topLevelItem(0)->text(0), QString("Introduction"));
        pane->moveItem(pane->topLevelItem(2), pane->topLevelItem(0), pxv::OutlinePane::Drop::Onto);
        QTRY_COMPARE(shownTitles(pane), QStringList({"Introduction(Appendix)", "Chapter 2(Section 2.1)"}));
        // The moved entry stays in sight and current, also inside an entry that was closed.
        QTRY_COMPARE(pane->currentItem()->text(0), QString("Appendix"));
        QVERIFY(pane->currentItem()->parent()->isExpanded());
        pane->moveItem(pane->topLevelItem(1), pane->topLevelItem(0), pxv::OutlinePane::Drop::Above);
        QTRY_COMPARE(shownTitles(pane), QStringList({"Chapter 2(Section 2.1)", "Introduction(Appendix)"}));
        QTRY_COMPARE(pane->currentItem()->text(0), QString("Chapter 2"));

        // Delete takes the current entry with those below it.
        pane->setCurrentItem(pane->topLevelItem(1));
        QTest::keyClick(pane, Qt::Key_Delete);
        QTRY_COMPARE(shownTitles(pane), QStringList({"Chapter 2(Section 2.1)"}));
        QCOMPARE(model->historySteps(), QStringList({"Add Bookmark", "Rename Bookmark", "Rename Bookmark",
                                                     "Move Bookmark", "Move Bookmark", "Delete Bookmark"}));

        // Undo and redo show in the pane.
        model->undo();
        QTRY_COMPARE(shownTitles(pane), QStringList({"Chapter 2(Section 2.1)", "Introduction(Appendix)"}));
        model->redo();
        QTRY_COMPARE(shownTitles(pane), QStringList({"Chapter 2(Section 2.1)"}));
        model->undo();

        const QString saved = m_dir.filePath("bookmarks-saved.pdf");
        model->save(saved);
        QVERIFY(testpdfs::qpdfCheck(saved));
        auto reopened = Document::open(saved);
        QCOMPARE(titles(reopened->outline()), QStringList({"Chapter 2(Section 2.1)", "Introduction(Appendix)"}));
        QCOMPARE(reopened->outline().at(1).children.first().page, 0);
    }

    void filesAttachedOpenedSavedAndRemoved()
    {
        auto view = openView("attach.pdf", testpdfs::sample({1}));
        Document* model = view->document()->model();
        // Hidden panes are made on their first need, not with every open.
        QVERIFY(!view->findChild<pxv::AttachmentsPane*>());
        pxv::AttachmentsPane* pane = view->attachmentsPane();
        QCOMPARE(pane->objectName(), QString("attachmentsView"));
        FakeDialogs dialogs;
        pane->setDialogs(&dialogs);
        view->setAttachmentsVisible(true);
        QCOMPARE(pane->list()->topLevelItemCount(), 0);

        QByteArray data;
        for (int i = 0; i < 5000; ++i)
            data.append(char(i * 7 % 256));
        dialogs.attachAnswer = QStringList{testpdfs::writeBytes(m_dir.filePath("table.csv"), data)};
        pane->addFiles();
        QTRY_COMPARE(pane->list()->topLevelItemCount(), 1);
        QTreeWidgetItem* item = pane->list()->topLevelItem(0);
        QCOMPARE(item->text(0), QString("table.csv"));
        QCOMPARE(item->text(1), QLocale().formattedDataSize(data.size()));
        pane->list()->setCurrentItem(item);

        // Opened from a copy in a folder only this user can read.
        pane->openCurrent();
        QCOMPARE(dialogs.openedExternally.size(), 1);
        QFile copy(dialogs.openedExternally.first());
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), data);
        const QFileInfo folder(QFileInfo(copy.fileName()).absolutePath() + "/..");
        QVERIFY(!(folder.permissions() & (QFile::ReadGroup | QFile::ReadOther)));

        dialogs.saveAttachmentAnswer = m_dir.filePath("saved-out.csv");
        pane->saveCurrent();
        QFile out(dialogs.saveAttachmentAnswer);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), data);

        QTest::keyClick(pane->list(), Qt::Key_Delete);
        QTRY_COMPARE(pane->list()->topLevelItemCount(), 0);
        QCOMPARE(model->historySteps(), QStringList({"Add Attachment", "Remove Attachment"}));
        model->undo();
        QTRY_COMPARE(pane->list()->topLevelItemCount(), 1);
        QVERIFY(dialogs.errors.isEmpty());
    }

    void layersHiddenOnScreenOnly()
    {
        auto view = openView("layers.pdf", testpdfs::sample({2}));
        Document* model = view->document()->model();
        pxv::StampStyle style;
        style.color = Qt::red;
        style.fontSize = 60;
        model->addWatermark({0, 1}, "HIDDEN?", style);
        view->setLayersVisible(true);
        pxv::LayersPane* pane = view->layersPane();
        QCOMPARE(pane->objectName(), QString("layersView"));
        QTRY_COMPARE(pane->topLevelItemCount(), 1);
        QTreeWidgetItem* layer = pane->topLevelItem(0);
        QCOMPARE(layer->checkState(0), Qt::Checked);

        // Drawn by the render workers, which have their own copies of the document.
        pxv::PageRenderer renderer(model);
        QImage drawn;
        connect(&renderer, &pxv::PageRenderer::pageReady, this,
                [&](int, double, const QImage& image) { drawn = image; });
        renderer.request(0, 0.5);
        QTRY_VERIFY_WITH_TIMEOUT(!drawn.isNull(), kDeadlineMs);
        QVERIFY(redPixels(drawn) > 100);

        const int steps = model->historySteps().size();
        layer->setCheckState(0, Qt::Unchecked);
        QVERIFY(!model->isGroupShown(layer->data(0, Qt::UserRole).toInt()));
        QVERIFY(renderer.cachedImage(0, 0.5).isNull()); // the image with the layer is gone
        drawn = QImage();
        renderer.request(0, 0.5);
        QTRY_VERIFY_WITH_TIMEOUT(!drawn.isNull(), kDeadlineMs);
        QCOMPARE(redPixels(drawn), 0);
        QCOMPARE(model->historySteps().size(), steps); // not an edit

        pane->topLevelItem(0)->setCheckState(0, Qt::Checked);
        drawn = QImage();
        renderer.request(0, 0.5);
        QTRY_VERIFY_WITH_TIMEOUT(!drawn.isNull(), kDeadlineMs);
        QVERIFY(redPixels(drawn) > 100);
    }
};

QTEST_MAIN(TestDocPanes)
#include "tst_docpanes.moc"
