// Opening documents and reading what views show: pages, sizes, outline, links, passwords.

#include "core/document.h"
#include "pdffolder.h"

#include <QtTest>

#include <chrono>
#include <future>
#include <optional>
#include <thread>

#include <sys/stat.h>

using pxv::Document;
using pxv::DocumentError;

class TestDocument : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

    // The error message of opening path, or "opened". Runs on a thread of its own with a
    // generous deadline, so that an open that blocks or reads forever fails instead of hanging.
    static std::optional<QString> openOutcome(const QString& path)
    {
        auto promise = std::make_shared<std::promise<QString>>();
        std::future<QString> outcome = promise->get_future();
        std::thread([promise, path] {
            try {
                Document::open(path);
                promise->set_value(QStringLiteral("opened"));
            } catch (const DocumentError& error) {
                promise->set_value(error.message());
            }
        }).detach();
        if (outcome.wait_for(std::chrono::seconds(30)) != std::future_status::ready)
            return std::nullopt;
        return outcome.get();
    }

private slots:
    void opensPagesWithSizesAndRotation()
    {
        testpdfs::Sample sample;
        sample.pages = 4;
        const QString path = m_dir.write("four.pdf", testpdfs::sample(sample));
        auto document = Document::open(path);
        QCOMPARE(document->pageCount(), 4);
        QCOMPARE(document->pageSize(0), QSizeF(612, 792));
        QCOMPARE(document->pageSize(1), QSizeF(792, 612)); // /Rotate 90
        QVERIFY(document->pageSize(4).isEmpty());
        QVERIFY(document->pageSize(-1).isEmpty());
        QVERIFY(!document->isModified());
        QVERIFY(!document->needsPassword());
    }

    void pathIsAbsoluteAndClean()
    {
        const QString path = m_dir.write("clean.pdf", testpdfs::sample({}));
        const QString messy = m_dir.path() + "/./sub/../clean.pdf";
        QDir(m_dir.path()).mkdir("sub");
        auto document = Document::open(messy);
        QCOMPARE(document->filePath(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(document->title(), QStringLiteral("clean.pdf"));
    }

    void titleComesFromMetadata()
    {
        testpdfs::Sample sample;
        sample.title = "Annual Report";
        auto document = Document::open(m_dir.write("titled.pdf", testpdfs::sample(sample)));
        QCOMPARE(document->title(), QStringLiteral("Annual Report"));
    }

    void outlineHasTitlesTargetsAndChildren()
    {
        testpdfs::Sample sample;
        sample.outline = true;
        auto document = Document::open(m_dir.write("outline.pdf", testpdfs::sample(sample)));
        const QList<pxv::OutlineItem> outline = document->outline();
        QCOMPARE(outline.size(), 2);
        QCOMPARE(outline[0].title, QStringLiteral("Chapter 1"));
        QCOMPARE(outline[0].page, 0);
        QCOMPARE(outline[1].title, QStringLiteral("Chapter 2"));
        QCOMPARE(outline[1].page, 1);
        QCOMPARE(outline[1].children.size(), 1);
        QCOMPARE(outline[1].children[0].title, QStringLiteral("Section 2.1"));
        QCOMPARE(outline[1].children[0].page, 2); // through the named destination
    }

    void linksLeadToPagesOrOutside()
    {
        testpdfs::Sample sample;
        sample.links = true;
        auto document = Document::open(m_dir.write("links.pdf", testpdfs::sample(sample)));
        QList<pxv::PageLink> links = document->links(0);
        QCOMPARE(links.size(), 3);
        std::sort(links.begin(), links.end(),
                  [](const pxv::PageLink& a, const pxv::PageLink& b) { return a.area.top() > b.area.top(); });
        // PDF y runs upwards; areas come in page points from the top-left corner.
        QCOMPARE(links[0].targetPage, 2); // GoTo the last page, lowest on the page
        QCOMPARE(links[0].area, QRectF(72, 792 - 96, 72, 24));
        QCOMPARE(links[1].targetPage, 2); // named destination
        QVERIFY(links[2].isExternal());
        QCOMPARE(links[2].uri, QStringLiteral("https://example.org/"));
        QVERIFY(document->links(1).isEmpty());
        QVERIFY(document->links(99).isEmpty());
    }

    void missingFileIsAClearError()
    {
        try {
            Document::open(m_dir.filePath("nowhere.pdf"));
            QFAIL("opened a missing file");
        } catch (const DocumentError& error) {
            QCOMPARE(error.kind(), DocumentError::NotFound);
            QVERIFY(error.message().contains("nowhere.pdf"));
            QVERIFY(error.message().contains("does not exist"));
        }
    }

    void folderIsNotAPdf() { QVERIFY_EXCEPTION_THROWN(Document::open(m_dir.path()), DocumentError); }

    void pipesAndDevicesAreRefusedUnread_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("linkTarget"); // empty: a FIFO
        QTest::newRow("fifo") << "fifo.pdf" << QString();
        QTest::newRow("link to /dev/zero") << "zero.pdf"
                                           << "/dev/zero";
        QTest::newRow("link to /dev/urandom") << "urandom.pdf"
                                              << "/dev/urandom";
        QTest::newRow("link to /dev/null") << "null.pdf"
                                           << "/dev/null";
    }

    void pipesAndDevicesAreRefusedUnread()
    {
        QFETCH(QString, name);
        QFETCH(QString, linkTarget);
        const QString path = m_dir.filePath(name);
        if (linkTarget.isEmpty())
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(linkTarget, path));
        const std::optional<QString> message = openOutcome(path);
        QVERIFY2(message.has_value(), "opening blocked");
        QVERIFY2(message->contains(path) && message->contains("device, pipe or socket"), qPrintable(*message));
    }

    // A line taller than the page leaves room for can never be placed: an error, not one page
    // after another for ever.
    void textTallerThanThePageIsAnError()
    {
        QFile text(m_dir.filePath("tall.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Tall\nand more\n");
        text.close();
        QVERIFY_EXCEPTION_THROWN(Document::fromText(text.fileName(), QSizeF(100, 100), 30, 72, QByteArray()),
                                 DocumentError);
        QCOMPARE(Document::fromText(text.fileName(), QSizeF(100, 100), 10, 12, QByteArray())->pageCount(), 1);
    }

    void blankDocumentIsOneA4PortraitPageWithoutFile()
    {
        auto document = Document::createBlank();
        QCOMPARE(document->pageCount(), 1);
        const QSizeF size = document->pageSize(0);
        QVERIFY(qAbs(size.width() - 595.28) < 0.5);
        QVERIFY(qAbs(size.height() - 841.89) < 0.5);
        QVERIFY(document->filePath().isNull());
        QVERIFY(document->isModified());
        QVERIFY(!document->renderSource()->base->bytes.isEmpty());
    }

    void encryptedFileAsksForItsPassword()
    {
        const QString plain = m_dir.write("plain.pdf", testpdfs::sample({}));
        const QString locked = m_dir.filePath("locked.pdf");
        QVERIFY(!testpdfs::writeEncrypted(plain, locked, "secret").isEmpty());
        auto document = Document::open(locked);
        QVERIFY(document->needsPassword());
        QCOMPARE(document->pageCount(), 0);
        QSignalSpy changed(document.get(), &Document::sourceChanged);
        QVERIFY(!document->authenticate("wrong"));
        QVERIFY(document->needsPassword());
        QCOMPARE(changed.count(), 0);
        QVERIFY(document->authenticate("secret"));
        QVERIFY(!document->needsPassword());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(document->pageCount(), 3);
        QCOMPARE(document->renderSource()->base->password, QByteArray("secret"));
    }

    void rotatingMarksModifiedAndSwapsSize()
    {
        auto document = Document::open(m_dir.write("rotate.pdf", testpdfs::sample({})));
        QSignalSpy modified(document.get(), &Document::modifiedChanged);
        QSignalSpy pages(document.get(), &Document::pagesChanged);
        document->rotatePage(0, 90);
        QCOMPARE(document->pageSize(0), QSizeF(792, 612));
        QVERIFY(document->isModified());
        QCOMPARE(modified.count(), 1);
        QCOMPARE(modified[0][0].toBool(), true);
        QCOMPARE(pages.count(), 1);
        QCOMPARE(pages[0][0].value<pxv::PageChanges>().changed, QList<pxv::PageId>{document->pageId(0)});
        // Render workers get the changed page object to take over into their copy of the file.
        QCOMPARE(document->renderSource()->objects.keys(), QList<int>{document->pageId(0)});
        QVERIFY(document->renderSource()->base->bytes.isEmpty());
        document->rotatePage(0, 90);
        QCOMPARE(modified.count(), 1); // already modified
        QVERIFY_EXCEPTION_THROWN(document->rotatePage(0, 45), DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->rotatePage(7, 90), DocumentError);
    }

    void rotatingTurnsFromTheAngleShown()
    {
        // A damaged file's /Rotate, the largest int: shown as 90 degrees (127 snapped), so one
        // more turn shows the page upside down.
        const QString path = testpdfs::writeObjects(
            m_dir.filePath("huge-rotate.pdf"),
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Rotate 2147483647 >>"});
        auto document = Document::open(path);
        QCOMPARE(document->pageSize(0), QSizeF(792, 612));
        auto rotation = [&document] { return document->renderSource()->objects.value(document->pageId(0))->object; };
        document->rotatePage(0, 90);
        QVERIFY2(rotation().contains("/Rotate 180"), rotation().constData());
        QCOMPARE(document->pageSize(0), QSizeF(612, 792));
        document->rotatePage(0, -270);
        QVERIFY2(rotation().contains("/Rotate 270"), rotation().constData());
    }
};

QTEST_APPLESS_MAIN(TestDocument)
#include "tst_document.moc"
