// Page operations: delete, insert blank pages, insert and replace from another file, extract.
// Each is one undoable step; the pages' content afterwards is read back by its text, and every
// saved file is checked by qpdf.

#include "core/document.h"
#include "core/pagerange.h"
#include "pdffolder.h"
#include "wordpdf.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using pxv::Document;
using pxv::DocumentError;

namespace {

// Which page of a testpdfs::longDocument each page is ("Page N, line 1:"), 0 when none.
QList<int> labels(const Document& document, int longest)
{
    QList<int> result;
    for (int page = 0; page < document.pageCount(); ++page) {
        int label = 0;
        for (int n = 1; n <= longest && !label; ++n) {
            if (!document.findText(page, QString("Page %1, line 1:").arg(n)).isEmpty())
                label = n;
        }
        result.append(label);
    }
    return result;
}

// The full names of the form fields another reader (qpdf) finds in a file.
QStringList formFields(const QString& path)
{
    QProcess qpdf;
    qpdf.start("qpdf", {"--json", "--json-key=acroform", path});
    if (!qpdf.waitForFinished(30000))
        return {"qpdf did not finish"};
    QStringList names;
    const QJsonArray fields = QJsonDocument::fromJson(qpdf.readAllStandardOutput())["acroform"]["fields"].toArray();
    for (const QJsonValue& field : fields)
        names.append(field["fullname"].toString());
    return names;
}

} // namespace

class TestPages : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

    QString longFile(const QString& name, int pages) { return m_dir.write(name, testpdfs::longDocument(pages)); }

private slots:
    void deleteSavesAndUndoes()
    {
        auto document = Document::open(longFile("delete.pdf", 6));
        document->deletePages({1, 3, 5});
        QCOMPARE(labels(*document, 6), QList<int>({1, 3, 5}));
        QCOMPARE(document->undoName(), QString("Delete Pages"));
        const QString saved = m_dir.filePath("deleted.pdf");
        document->save(saved);
        QCOMPARE(testpdfs::qpdfProblems(saved), QString());
        QCOMPARE(labels(*Document::open(saved), 6), QList<int>({1, 3, 5}));
        document->undo();
        QCOMPARE(labels(*document, 6), QList<int>({1, 2, 3, 4, 5, 6}));
        QVERIFY_EXCEPTION_THROWN(document->deletePages({0, 1, 2, 3, 4, 5}), DocumentError);
        QCOMPARE(document->pageCount(), 6);
    }

    void deletedPagesLeaveNoLinksOutlineOrFields()
    {
        testpdfs::Sample sample;
        sample.outline = true;
        sample.links = true;
        sample.fieldName = "name";
        auto document = Document::open(m_dir.write("refs.pdf", testpdfs::sample(sample)));
        auto internalTargets = [&document] {
            QList<int> targets;
            for (const pxv::PageLink& link : document->links(0)) {
                if (!link.isExternal())
                    targets.append(link.targetPage);
            }
            return targets;
        };
        QCOMPARE(internalTargets(), QList<int>({2, 2})); // the last page, directly and by name
        document->deletePages({2});
        QCOMPARE(internalTargets(), QList<int>());
        const QList<pxv::OutlineItem> outline = document->outline();
        QCOMPARE(outline.value(1).page, 1); // "Chapter 2" is still page 2
        QCOMPARE(outline.value(1).children.value(0).page, -1); // "Section 2.1" lost its page
        const QString saved = m_dir.filePath("refs-saved.pdf");
        document->save(saved);
        QCOMPARE(testpdfs::qpdfProblems(saved), QString());

        // The field's only widget is on page 1: deleting that page takes the field out of the form.
        QCOMPARE(formFields(saved), QStringList({"name"}));
        document->deletePages({0});
        document->save(saved);
        QCOMPARE(testpdfs::qpdfProblems(saved), QString());
        QCOMPARE(formFields(saved), QStringList());
    }

    void insertFromAnotherFileAndReplace()
    {
        const QString words = m_dir.filePath("words.pdf");
        wordpdf::write(words, wordpdf::kAlphaPages);
        auto document = Document::open(longFile("insert.pdf", 3));
        document->insertPages(words, "2-3", 1, {});
        QCOMPARE(document->pageCount(), 5);
        QCOMPARE(labels(*document, 3), QList<int>({1, 0, 0, 2, 3}));
        QVERIFY(!document->findText(1, "nothing here").isEmpty());
        QVERIFY(!document->findText(2, "prealphabet").isEmpty());
        QVERIFY_EXCEPTION_THROWN(document->insertPages(words, "5", 0, {}), pxv::PageRangeError);

        document->replacePages({0, 4}, words, "4", {});
        QCOMPARE(document->pageCount(), 4);
        QCOMPARE(labels(*document, 3), QList<int>({0, 0, 0, 2}));
        QVERIFY(!document->findText(0, "omega").isEmpty());
        const QString saved = m_dir.filePath("inserted.pdf");
        document->save(saved);
        QCOMPARE(testpdfs::qpdfProblems(saved), QString());
        QCOMPARE(Document::open(saved)->pageCount(), 4);
        document->setHistoryPosition(0);
        QCOMPARE(labels(*document, 3), QList<int>({1, 2, 3}));
    }

    void copiesFromAnOpenDocumentAsItIsNow()
    {
        auto source = Document::open(longFile("source.pdf", 4));
        source->rotatePages({2}, 90);
        auto target = Document::open(longFile("target.pdf", 2));
        target->insertPagesOf(*source, {3, 2}, 1);
        QCOMPARE(labels(*target, 4), QList<int>({1, 3, 4, 2}));
        QCOMPARE(target->pageSize(1), source->pageSize(2));
        const QString saved = m_dir.filePath("copied.pdf");
        target->save(saved);
        QCOMPARE(testpdfs::qpdfProblems(saved), QString());
        QCOMPARE(labels(*Document::open(saved), 4), QList<int>({1, 3, 4, 2}));
        target->undo();
        QCOMPARE(labels(*target, 4), QList<int>({1, 2}));
        target->insertPagesOf(*target, {0}, 2);
        QCOMPARE(labels(*target, 4), QList<int>({1, 2, 1}));
        QVERIFY_EXCEPTION_THROWN(target->insertPagesOf(*source, {0}, 5), DocumentError);
    }

    void encryptedSourceAsksForItsPassword()
    {
        const QString locked = testpdfs::writeEncrypted(longFile("plain.pdf", 2), m_dir.filePath("locked.pdf"),
                                                        "secret");
        if (locked.isEmpty())
            QSKIP("qpdf is missing");
        auto document = Document::open(longFile("target.pdf", 1));
        QStringList asked;
        const pxv::PasswordProvider answer = [&asked](const QString& file, bool retry, QString* password) {
            asked.append(QString("%1 %2").arg(QFileInfo(file).fileName()).arg(retry));
            *password = retry ? "secret" : "wrong";
            return true;
        };
        document->insertPages(locked, "all", 1, answer);
        QCOMPARE(asked, QStringList({"locked.pdf 0", "locked.pdf 1"}));
        QCOMPARE(labels(*document, 2), QList<int>({1, 1, 2}));
        const pxv::PasswordProvider cancel = [](const QString&, bool, QString*) { return false; };
        try {
            document->insertPages(locked, "all", 0, cancel);
            QFAIL("cancelling inserted pages");
        } catch (const DocumentError& error) {
            QCOMPARE(error.kind(), DocumentError::Cancelled);
        }
        QCOMPARE(document->pageCount(), 3);
    }

    void blankPagesTakeTheSizeAsked()
    {
        auto document = Document::open(longFile("blank.pdf", 2));
        document->insertBlankPages(2, 3, QSizeF(612, 792));
        QCOMPARE(document->pageCount(), 5);
        QCOMPARE(document->pageSize(4), QSizeF(612, 792));
        QCOMPARE(labels(*document, 2), QList<int>({1, 2, 0, 0, 0}));
        QVERIFY_EXCEPTION_THROWN(document->insertBlankPages(7, 1, QSizeF(612, 792)), DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->insertBlankPages(0, 1, QSizeF(0, 792)), DocumentError);
        QCOMPARE(document->historySteps(), QStringList({"Insert Blank Pages"}));
    }

    void cropTakesMarginsOfThePageAsShown()
    {
        auto document = Document::open(m_dir.write("crop.pdf", testpdfs::sample({})));
        document->cropPages({0, 1}, QMarginsF(72, 36, 0, 0));
        QCOMPARE(document->pageSize(0), QSizeF(540, 756));
        QCOMPARE(document->pageSize(1), QSizeF(720, 576)); // turned 90 degrees: 792 x 612 shown
        // Shown left and top of a page turned clockwise are its stored bottom and left.
        const QByteArray turned = document->renderSource()->objects.value(document->pageId(1))->object;
        QVERIFY2(turned.contains("/CropBox[36 72 612 792]"), turned.constData());
        QCOMPARE(document->cropMargins(1), QMarginsF(72, 36, 0, 0));
        QVERIFY_EXCEPTION_THROWN(document->cropPages({2}, QMarginsF(400, 0, 400, 0)), DocumentError);
        QCOMPARE(document->historySteps(), QStringList({"Crop Pages"}));
        document->undo();
        QCOMPARE(document->pageSize(0), QSizeF(612, 792));
    }

    void extractCarriesOnlyItsPages()
    {
        const QString manual = longFile("manual.pdf", 60);
        auto document = Document::open(manual);
        auto extract = document->extractPages({41});
        QVERIFY(extract->filePath().isNull());
        QVERIFY(extract->isModified());
        QCOMPARE(labels(*extract, 60), QList<int>({42}));
        const QString saved = m_dir.filePath("page42.pdf");
        extract->save(saved);
        QCOMPARE(testpdfs::qpdfProblems(saved), QString());
        QVERIFY2(QFileInfo(saved).size() * 20 < QFileInfo(manual).size(),
                 qPrintable(QString("%1 of %2 bytes").arg(QFileInfo(saved).size()).arg(QFileInfo(manual).size())));
        QVERIFY(!document->isModified()); // the source is untouched
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
