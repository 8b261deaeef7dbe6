// Bookmarks added, renamed and deleted as steps, saved in the outline and read back after
// reopening.

#include "core/document.h"
#include "pdffolder.h"

#include <QtTest>

using pxv::Document;

namespace {

QStringList titles(const QList<pxv::OutlineItem>& items)
{
    QStringList all;
    for (const pxv::OutlineItem& item : items)
        all << item.title + (item.children.isEmpty() ? QString() : "(" + titles(item.children).join(",") + ")");
    return all;
}

} // namespace

class TestBookmarks : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void editedSavedAndReopened()
    {
        const QString original = m_dir.write("outlined.pdf", testpdfs::sample({3, true}));
        auto document = Document::open(original);
        const QStringList before = titles(document->outline());
        QCOMPARE(before, QStringList({"Chapter 1", "Chapter 2(Section 2.1)"}));

        document->addBookmark({2}, QString::fromUtf8("Anhang – 附录"), 2);
        document->addBookmark({1, 1}, "Section 2.2", 1);
        document->renameBookmark({0}, "Introduction");
        document->deleteBookmark({1, 0});
        QCOMPARE(document->historySteps(),
                 QStringList({"Add Bookmark", "Add Bookmark", "Rename Bookmark", "Delete Bookmark"}));
        const QStringList after({"Introduction", "Chapter 2(Section 2.2)", QString::fromUtf8("Anhang – 附录")});
        QCOMPARE(titles(document->outline()), after);
        QCOMPARE(document->outline().at(2).page, 2);
        QCOMPARE(document->outline().at(1).children.first().page, 1);
        QVERIFY_EXCEPTION_THROWN(document->renameBookmark({7}, "x"), pxv::DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->addBookmark({0}, " ", 0), pxv::DocumentError);
        QCOMPARE(document->historySteps().size(), 4);

        const QString saved = m_dir.filePath("saved.pdf");
        document->save(saved);
        QVERIFY(testpdfs::qpdfCheck(saved));
        auto reopened = Document::open(saved);
        QCOMPARE(titles(reopened->outline()), after);
        QCOMPARE(reopened->outline().at(2).page, 2);

        document->setHistoryPosition(0);
        QCOMPARE(titles(document->outline()), before);

        // A document without an outline gets one.
        auto plain = Document::open(m_dir.write("plain.pdf", testpdfs::sample({})));
        QVERIFY(!plain->hasOutline());
        plain->addBookmark({0}, "First", 0);
        QVERIFY(plain->hasOutline());
        const QString first = m_dir.filePath("first.pdf");
        plain->save(first);
        QVERIFY(testpdfs::qpdfCheck(first));
        QCOMPARE(titles(Document::open(first)->outline()), QStringList({"First"}));
    }

    // Moving relinks an entry with its children: reordered, nested under another entry and
    // taken out again, each one step; the outline still checks out and reads back the same.
    void movedNestedAndPlaced()
    {
        auto document = Document::open(m_dir.write("moved.pdf", testpdfs::sample({3, true})));
        const QStringList before = titles(document->outline());
        const QPointF spot(40, 300);
        document->addBookmark({2}, "Spot", 2, spot);
        QCOMPARE(document->outline().at(2).page, 2);
        QCOMPARE(document->outline().at(2).position, spot);

        document->moveBookmark({1}, {0});
        QCOMPARE(titles(document->outline()), QStringList({"Chapter 2(Section 2.1)", "Chapter 1", "Spot"}));
        document->moveBookmark({1}, {0, 1}); // nested as the last child of Chapter 2
        QCOMPARE(titles(document->outline()), QStringList({"Chapter 2(Section 2.1,Chapter 1)", "Spot"}));
        document->moveBookmark({0, 0}, {2}); // out again, to the end of the top level
        const QStringList after({"Chapter 2(Chapter 1)", "Spot", "Section 2.1"});
        QCOMPARE(titles(document->outline()), after);
        QCOMPARE(document->outline().at(2).page, 2); // still where its named destination leads
        QVERIFY_EXCEPTION_THROWN(document->moveBookmark({0}, {0, 0}), pxv::DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->moveBookmark({5}, {0}), pxv::DocumentError);
        QCOMPARE(document->historySteps().size(), 4);

        const QString saved = m_dir.filePath("moved-saved.pdf");
        document->save(saved);
        QVERIFY(testpdfs::qpdfCheck(saved));
        QCOMPARE(titles(Document::open(saved)->outline()), after);
        document->undo();
        QCOMPARE(titles(document->outline()), QStringList({"Chapter 2(Section 2.1,Chapter 1)", "Spot"}));
        document->setHistoryPosition(0);
        QCOMPARE(titles(document->outline()), before);
    }
};

QTEST_APPLESS_MAIN(TestBookmarks)
#include "tst_bookmarks.moc"
