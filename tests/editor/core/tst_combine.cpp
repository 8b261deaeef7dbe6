// Combining files: pages, per-file outline entries, links and form fields survive, and the
// written result is sound.

#include "core/document.h"
#include "pdffolder.h"
#include "tmpfsmount.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QProcess>
#include <QtTest>

#include <future>

using pxv::Document;
using pxv::DocumentError;

class TestCombine : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

    QString richFile(const QString& name, int pages, const QString& field)
    {
        testpdfs::Sample sample;
        sample.pages = pages;
        sample.outline = true;
        sample.links = true;
        sample.fieldName = field;
        return m_dir.write(name, testpdfs::sample(sample));
    }

    // Field names as qpdf reads them back from the file.
    QStringList fieldNames(const QString& path)
    {
        QProcess qpdf;
        qpdf.start("qpdf", {"--json", "--json-key=acroform", path});
        qpdf.waitForFinished(30000);
        const QByteArray json = qpdf.readAllStandardOutput();
        QStringList names;
        QRegularExpression re("\"fullname\":\\s*\"([^\"]*)\"");
        for (auto it = re.globalMatch(QString::fromUtf8(json)); it.hasNext();)
            names << it.next().captured(1);
        names.sort();
        return names;
    }

private slots:
    void keepsPagesOutlineLinksAndFields()
    {
        const QString a = richFile("alpha.pdf", 3, "name");
        const QString b = richFile("beta.pdf", 4, "name");
        auto combined = Document::combine({a, b});
        QVERIFY(combined->filePath().isNull());
        QVERIFY(combined->isModified());
        QCOMPARE(combined->pageCount(), 7);
        QCOMPARE(combined->pageSize(1), QSizeF(792, 612));
        QCOMPARE(combined->pageSize(4), QSizeF(792, 612)); // beta's second page

        const QList<pxv::OutlineItem> outline = combined->outline();
        QCOMPARE(outline.size(), 2);
        QCOMPARE(outline[0].title, QStringLiteral("alpha.pdf"));
        QCOMPARE(outline[0].page, 0);
        QCOMPARE(outline[1].title, QStringLiteral("beta.pdf"));
        QCOMPARE(outline[1].page, 3);
        QCOMPARE(outline[1].children.size(), 2);
        QCOMPARE(outline[1].children[1].title, QStringLiteral("Chapter 2"));
        QCOMPARE(outline[1].children[1].page, 4);
        QCOMPARE(outline[1].children[1].children[0].page, 5); // named destination, remapped

        // beta's first page links to beta's own last page and named destination.
        QList<int> targets;
        for (const pxv::PageLink& link : combined->links(3))
            targets << link.targetPage;
        std::sort(targets.begin(), targets.end());
        QCOMPARE(targets, QList<int>({-1, 5, 6}));

        const QString out = m_dir.filePath("combined.pdf");
        combined->save(out);
        QCOMPARE(testpdfs::qpdfProblems(out), QString());
        QCOMPARE(fieldNames(out), QStringList({"name", "name_2"}));

        auto reopened = Document::open(out);
        QCOMPARE(reopened->pageCount(), 7);
        QCOMPARE(reopened->outline().size(), 2);
        QCOMPARE(reopened->links(3).size(), 3);
    }

    void theSameFileTwiceGivesTwoCopies()
    {
        const QString a = richFile("twice.pdf", 3, QString());
        auto combined = Document::combine({a, a});
        QCOMPARE(combined->pageCount(), 6);
        QList<int> targets;
        for (const pxv::PageLink& link : combined->links(3))
            targets << link.targetPage;
        std::sort(targets.begin(), targets.end());
        QCOMPARE(targets, QList<int>({-1, 5, 5}));
    }

    void resultIsSmallerThanItsParts()
    {
        // A resource all pages share is copied once per source, not once per page.
        testpdfs::Sample sample;
        sample.pages = 40;
        sample.sharedFormBytes = 100000;
        const QString a = m_dir.write("big.pdf", testpdfs::sample(sample));
        auto combined = Document::combine({a, a, a});
        const QString out = m_dir.filePath("big3.pdf");
        combined->save(out);
        QVERIFY2(QFileInfo(out).size() <= 3 * QFileInfo(a).size(), qPrintable(QString::number(QFileInfo(out).size())));
        QCOMPARE(testpdfs::qpdfProblems(out), QString());
    }

    // A file of several hundred pages goes into the result a slice at a time: links, outline
    // entries and the shared resource still lead across slices, and the result saves soundly
    // both as made and after an edit.
    void longFileIsCombinedSliceBySlice()
    {
        testpdfs::Sample sample;
        sample.pages = 600;
        sample.outline = true;
        sample.links = true;
        sample.sharedFormBytes = 50000;
        const QString a = m_dir.write("long.pdf", testpdfs::sample(sample));
        const QString b = richFile("short.pdf", 3, QString());
        auto combined = Document::combine({a, b});
        QCOMPARE(combined->pageCount(), 603);
        QList<int> targets;
        for (const pxv::PageLink& link : combined->links(0))
            targets << link.targetPage;
        std::sort(targets.begin(), targets.end());
        QCOMPARE(targets, QList<int>({-1, 2, 599}));
        const QList<pxv::OutlineItem> outline = combined->outline();
        QCOMPARE(outline.size(), 2);
        QCOMPARE(outline[0].children[1].children[0].page, 2);
        QCOMPARE(outline[1].page, 600);

        const QString asMade = m_dir.filePath("long-made.pdf");
        combined->save(asMade);
        QCOMPARE(testpdfs::qpdfProblems(asMade), QString());
        QVERIFY2(QFileInfo(asMade).size() < QFileInfo(a).size() + QFileInfo(b).size() + 200000,
                 qPrintable(QString::number(QFileInfo(asMade).size())));

        combined->rotatePage(599, 90);
        const QString edited = m_dir.filePath("long-edited.pdf");
        combined->save(edited);
        QCOMPARE(testpdfs::qpdfProblems(edited), QString());
        auto reopened = Document::open(edited);
        QCOMPARE(reopened->pageCount(), 603);
        QCOMPARE(reopened->pageSize(599), QSizeF(792, 612));
        QCOMPARE(reopened->links(0).size(), 3);
    }

    // Without a temporary folder the result is held in memory; in a full one the combine fails
    // with a message that says why, leaves nothing there, and the next one works.
    void temporaryFolderMissingOrFull()
    {
        const QString a = richFile("t.pdf", 3, QString());
        const QByteArray tmpdir = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([&] { qputenv("TMPDIR", tmpdir); });
        qputenv("TMPDIR", m_dir.filePath("no such folder").toUtf8());
        auto inMemory = Document::combine({a, a});
        const QString out = m_dir.filePath("in-memory.pdf");
        inMemory->save(out);
        QCOMPARE(testpdfs::qpdfProblems(out), QString());
        QCOMPARE(Document::open(out)->pageCount(), 6);

        const QString folder = m_dir.filePath("small-tmp");
        QVERIFY(QDir().mkpath(folder));
        TmpfsMount disk(folder, 64 * 1024);
        if (!disk.isMounted())
            QSKIP(qPrintable(disk.error()));
        qputenv("TMPDIR", folder.toUtf8());
        QVERIFY(disk.fill("filler") > 0);
        try {
            Document::combine({a});
            QFAIL("combined into a full folder");
        } catch (const DocumentError& error) {
            QVERIFY2(error.message().contains("temporary file"), qPrintable(error.message()));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"filler"}));
        QVERIFY(QFile::remove(folder + "/filler"));
        QCOMPARE(Document::combine({a})->pageCount(), 3);
    }

    void encryptedSourceAsksUntilRightOrCancelled()
    {
        const QString plain = m_dir.write("p.pdf", testpdfs::sample({}));
        const QString locked = m_dir.filePath("l.pdf");
        QVERIFY(!testpdfs::writeEncrypted(plain, locked, "pw").isEmpty());

        QStringList asked;
        auto combined = Document::combine({plain, locked}, [&](const QString& file, bool retry, QString* password) {
            asked << QFileInfo(file).fileName() + (retry ? "+retry" : "");
            *password = retry ? "pw" : "wrong";
            return true;
        });
        QCOMPARE(asked, QStringList({"l.pdf", "l.pdf+retry"}));
        QCOMPARE(combined->pageCount(), 6);
        // The encrypted file's pages arrive decrypted: its page text reads in clear.
        const QString out = m_dir.filePath("decrypted.pdf");
        combined->save(out);
        QCOMPARE(testpdfs::qpdfProblems(out), QString());
        const QString qdf = m_dir.filePath("decrypted.qdf");
        QCOMPARE(QProcess::execute("qpdf", {"--qdf", "--object-streams=disable", out, qdf}), 0);
        QFile expanded(qdf);
        QVERIFY(expanded.open(QIODevice::ReadOnly));
        QCOMPARE(expanded.readAll().count("(Page 3) Tj"), 2);

        try {
            Document::combine({locked}, [](const QString&, bool, QString*) { return false; });
            QFAIL("combined without a password");
        } catch (const DocumentError& error) {
            QCOMPARE(error.kind(), DocumentError::Cancelled);
        }
    }

    void damagedPageTreeKeepsPageNumbers()
    {
        // The first file's page tree lists itself before its one page: that kid is dropped on
        // opening, the page stays, and the next file's pages follow it.
        const QString cyclic = m_dir.write("cyclic.pdf", testpdfs::cyclicPageTree());
        const QString good = m_dir.write("after.pdf", testpdfs::sample({}));
        auto combined = Document::combine({cyclic, good});
        QCOMPARE(combined->pageCount(), 4);
        QCOMPARE(combined->outline()[1].page, 1);
        const QString out = m_dir.filePath("repaired.pdf");
        combined->save(out);
        QCOMPARE(testpdfs::qpdfProblems(out), QString());
    }

    void combiningOnAWorkerThread()
    {
        // A long combine can leave the GUI thread free: the result moves over when done.
        const QString a = richFile("w1.pdf", 3, "f");
        const QString b = richFile("w2.pdf", 3, "f");
        QThread* gui = QThread::currentThread();
        std::unique_ptr<Document> combined = std::async(std::launch::async, [&] {
                                                 auto document = Document::combine({a, b});
                                                 document->moveToThread(gui);
                                                 return document;
                                             }).get();
        QCOMPARE(combined->thread(), gui);
        QCOMPARE(combined->pageCount(), 6);
        const QString out = m_dir.filePath("worker.pdf");
        combined->save(out);
        QCOMPARE(testpdfs::qpdfProblems(out), QString());
    }

    void badSourceNamesTheFile()
    {
        const QString good = m_dir.write("good.pdf", testpdfs::sample({}));
        const QString bad = m_dir.write("bad.pdf", "this is not a pdf");
        try {
            Document::combine({good, bad});
            QFAIL("combined a file that is not a PDF");
        } catch (const DocumentError& error) {
            QCOMPARE(error.kind(), DocumentError::NotPdf);
            QVERIFY(error.message().contains("bad.pdf"));
        }
        QVERIFY_EXCEPTION_THROWN(Document::combine({}), DocumentError);
    }
};

QTEST_GUILESS_MAIN(TestCombine)
#include "tst_combine.moc"
