// Edits as steps of the undo history: each step and its undo restore the document exactly, the
// modified state follows the history across saves, pages keep their identity when they move,
// and a one-page edit leaves the other pages' images alone.

#include "core/document.h"
#include "core/pagerenderer.h"
#include "pdffolder.h"
#include "testtools.h"

#include <QStandardPaths>
#include <QtTest>

using pxv::Document;
using pxv::DocumentError;
using pxv::PageChanges;
using pxv::PageId;

namespace {

// What another reader (poppler) makes of a file: its text, and its pages drawn small.
QByteArray seenByPoppler(const QString& path)
{
    return testtools::toolOutput("pdftotext", {"-layout", path, "-"})
           + testtools::toolOutput("pdftoppm", {"-r", "18", "-gray", path});
}

QList<PageId> ids(const Document& document)
{
    QList<PageId> result;
    for (int page = 0; page < document.pageCount(); ++page)
        result.append(document.pageId(page));
    return result;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

    QString sample(const QString& name, int pages = 4)
    {
        testpdfs::Sample sample;
        sample.pages = pages;
        sample.outline = true;
        sample.links = true;
        return m_dir.write(name, testpdfs::sample(sample));
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QImage>();
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("poppler-utils is missing");
    }

    void undoneEditsSaveTheOriginal()
    {
        const QString original = sample("original.pdf");
        auto document = Document::open(original);
        document->rotatePages({0, 2}, 90);
        document->movePages({3}, 0);
        QCOMPARE(document->historySteps(), QStringList({"Rotate Pages", "Move Page"}));
        // Saving mid-way appends an update; a second save after the undo appends another.
        const QString edited = m_dir.filePath("edited.pdf");
        document->save(edited);
        QCOMPARE(testpdfs::qpdfProblems(edited), QString());
        QVERIFY(seenByPoppler(edited) != seenByPoppler(original));
        document->undo();
        document->undo();
        QVERIFY(document->isModified());
        document->save(edited);
        QCOMPARE(testpdfs::qpdfProblems(edited), QString());
        QCOMPARE(seenByPoppler(edited), seenByPoppler(original));
        // Redo after the save brings the edits back, into the file too.
        document->redo();
        document->redo();
        document->save(edited);
        QCOMPARE(testpdfs::qpdfProblems(edited), QString());
        auto reopened = Document::open(edited);
        QCOMPARE(reopened->pageSize(0), QSizeF(612, 792)); // the old page 4, moved to the front
        QCOMPARE(reopened->pageSize(1), QSizeF(792, 612)); // the old page 1, rotated
    }

    void modifiedFollowsTheHistory()
    {
        auto document = Document::open(sample("modified.pdf"));
        QSignalSpy modified(document.get(), &Document::modifiedChanged);
        document->rotatePage(0, 90);
        document->rotatePage(1, 90);
        QCOMPARE(document->undoName(), QString("Rotate Page"));
        document->undo();
        document->undo();
        QVERIFY(!document->isModified()); // back where the file is
        QCOMPARE(document->redoName(), QString("Rotate Page"));
        document->redo();
        document->save(document->filePath());
        QVERIFY(!document->isModified());
        QVERIFY(document->canUndo()); // a save keeps the history
        document->undo();
        QVERIFY(document->isModified()); // differs from the file just saved
        document->redo();
        QVERIFY(!document->isModified());
        // A new step after undoing past the save leaves no way back to the saved state.
        document->undo();
        document->rotatePage(2, 180);
        QVERIFY(!document->canRedo());
        document->undo();
        QVERIFY(document->isModified());
        QList<bool> states;
        for (const QList<QVariant>& signal : modified)
            states.append(signal[0].toBool());
        QCOMPARE(states, QList<bool>({true, false, true, false, true, false, true}));
    }

    void newDocumentStaysModifiedUntilSaved()
    {
        auto document = Document::createBlank();
        document->rotatePage(0, 90);
        document->undo();
        QVERIFY(document->isModified());
        const QString path = m_dir.filePath("blank.pdf");
        document->redo();
        document->save(path);
        QVERIFY(!document->isModified());
        document->undo();
        document->save(path); // now incrementally, onto the file written in full
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        const QSizeF size = Document::open(path)->pageSize(0);
        QVERIFY(size.width() < size.height());
    }

    void pagesKeepTheirIdentityWhenMoved()
    {
        auto document = Document::open(sample("move.pdf", 5));
        const QList<PageId> before = ids(*document);
        QCOMPARE(QSet<PageId>(before.begin(), before.end()).size(), 5);
        QSignalSpy changed(document.get(), &Document::pagesChanged);
        document->movePages({0, 1}, 3); // pages 1 and 2 become pages 4 and 5
        QCOMPARE(ids(*document), QList<PageId>({before[2], before[3], before[4], before[0], before[1]}));
        QCOMPARE(document->pageIndex(before[0]), 3);
        const auto changes = changed.last()[0].value<PageChanges>();
        QVERIFY(changes.structure);
        QVERIFY(changes.inserted.isEmpty() && changes.removed.isEmpty());
        QCOMPARE(document->pageSize(4), QSizeF(792, 612)); // the rotated page 2 kept its size
        // Links and the outline lead to the pages themselves, wherever they went.
        QCOMPARE(document->outline().value(0).page, 3);
        document->undo();
        QCOMPARE(ids(*document), before);
        QCOMPARE(document->outline().value(0).page, 0);
    }

    void badEditsChangeNothing()
    {
        auto document = Document::open(sample("bad.pdf"));
        QSignalSpy history(document.get(), &Document::historyChanged);
        QVERIFY_EXCEPTION_THROWN(document->rotatePages({0, 9}, 90), DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->rotatePages({0}, 45), DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->movePages({0, 1}, 3), DocumentError);
        QCOMPARE(history.count(), 0);
        QVERIFY(!document->canUndo());
        QVERIFY(!document->isModified());
        QCOMPARE(document->pageSize(0), QSizeF(612, 792));
    }

    void oneEditKeepsTheOtherPagesImages()
    {
        auto document = Document::open(sample("cache.pdf", 4));
        pxv::PageRenderer renderer(document.get());
        QSignalSpy ready(&renderer, &pxv::PageRenderer::pageReady);
        for (int page = 0; page < 4; ++page)
            renderer.request(page, 0.5);
        while (ready.count() < 4)
            QVERIFY(ready.wait(5000));
        renderer.cancelExcept({});
        const int finished = renderer.finishedCount();
        document->rotatePage(2, 90);
        QCOMPARE(renderer.imageCount(), 3);
        QVERIFY(renderer.cachedImage(2, 0.5).isNull());
        // Moving pages keeps every image: they follow their pages.
        document->movePages({3}, 0);
        QCOMPARE(renderer.imageCount(), 3);
        QVERIFY(!renderer.cachedImage(0, 0.5).isNull()); // the old page 4
        QVERIFY(renderer.cachedImage(3, 0.5).isNull()); // the old page 3, rotated, not drawn again yet
        renderer.request(3, 0.5);
        QVERIFY(ready.wait(5000));
        QCOMPARE(ready.last()[2].value<QImage>().size(), QSize(396, 306)); // drawn as edited
        QCOMPARE(renderer.finishedCount(), finished + 1);
        // Undo is drawn too: the worker takes the page back as it was.
        document->setHistoryPosition(0);
        renderer.request(2, 0.5);
        QVERIFY(ready.wait(5000));
        QCOMPARE(ready.last()[2].value<QImage>().size(), QSize(306, 396));
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
