// Recovery records: what they keep of unsaved changes, documents opened again from them, files
// recognised as changed, damaged records, and the folder they are kept in.

#include "core/document.h"
#include "core/recoveryrecord.h"
#include "core/recoverystore.h"
#include "pdffolder.h"
#include "testtools.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

using pxv::Document;
using pxv::FileIdentity;
using pxv::RecoveryRecord;
using pxv::RecoveryRecordError;
using pxv::RecoveryStore;

namespace {

using testtools::readAll;

// The text and the small page images poppler makes of a file.
QByteArray seenByPoppler(const QString& path)
{
    QByteArray seen;
    for (const QStringList& command :
         {QStringList{"pdftotext", "-layout", path, "-"}, QStringList{"pdftoppm", "-r", "18", "-gray", path}}) {
        QProcess process;
        process.start(command.first(), command.mid(1));
        process.waitForFinished(30000);
        seen += process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray("failed");
    }
    return seen;
}

RecoveryRecord recordOf(const Document& document)
{
    RecoveryRecord record;
    if (!document.recoveryRecord(&record))
        qFatal("the document gave no recovery record");
    return RecoveryRecord::fromBytes(record.toBytes());
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void recordIsTheUpdateASaveWouldAppend()
    {
        testpdfs::Sample sample;
        sample.pages = 5;
        sample.outline = true;
        const QString path = m_dir.write("edited.pdf", testpdfs::sample(sample));
        const QByteArray original = readAll(path);
        auto document = Document::open(path);
        document->rotatePage(0, 90);
        document->deletePages({3});
        document->movePages({0}, 2);
        document->insertBlankPages(1, 1, QSizeF(300, 400));
        const RecoveryRecord record = recordOf(*document);
        QCOMPARE(record.kind, RecoveryRecord::Kind::Update);
        QCOMPARE(record.sourcePath, document->filePath());
        QVERIFY(record.source == FileIdentity::of(path));

        const QString expected = m_dir.filePath("expected.pdf");
        document->save(expected);
        QCOMPARE(readAll(expected), original + record.payload);

        auto restored = Document::restore(record);
        QVERIFY(restored->isModified());
        QCOMPARE(restored->filePath(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(restored->historySteps().size(), 1);
        QCOMPARE(restored->pageCount(), document->pageCount());
        for (int page = 0; page < document->pageCount(); ++page)
            QCOMPARE(restored->pageSize(page), document->pageSize(page));
        // The restored changes are one step: undoing it gives the file as it was.
        auto unedited = Document::open(path);
        restored->undo();
        QVERIFY(!restored->isModified());
        QCOMPARE(restored->pageCount(), unedited->pageCount());
        for (int page = 0; page < unedited->pageCount(); ++page)
            QCOMPARE(restored->pageSize(page), unedited->pageSize(page));
        restored->redo();
        const QString again = m_dir.filePath("restored.pdf");
        restored->save(again);
        QCOMPARE(testpdfs::qpdfProblems(again), QString());
        QCOMPARE(seenByPoppler(again), seenByPoppler(expected));
        QVERIFY(readAll(again).startsWith(original));
    }

    void documentWithoutFileIsKeptWhole()
    {
        auto document = Document::createBlank();
        document->insertBlankPages(1, 2, QSizeF(200, 300));
        document->rotatePage(2, 270);
        const RecoveryRecord record = recordOf(*document);
        QCOMPARE(record.kind, RecoveryRecord::Kind::Document);
        QVERIFY(record.sourcePath.isNull());
        // The document written whole in memory, as another reader takes it: no repair needed.
        QCOMPARE(testpdfs::qpdfProblems(testpdfs::writeBytes(m_dir.filePath("payload.pdf"), record.payload)),
                 QString());
        auto restored = Document::restore(record);
        QVERIFY(restored->isModified());
        QVERIFY(restored->filePath().isNull());
        QCOMPARE(restored->pageCount(), 3);
        for (int page = 0; page < 3; ++page)
            QCOMPARE(restored->pageSize(page), document->pageSize(page));
        const QString saved = m_dir.filePath("whole.pdf");
        restored->save(saved);
        QCOMPARE(testpdfs::qpdfProblems(saved), QString());

        // Finished on another thread from the version asked for, while the document goes on
        // changing on its own.
        RecoveryRecord deferred;
        Document::RecordFinish finish;
        QVERIFY(document->recoveryRecord(&deferred, &finish));
        QVERIFY(deferred.payload.isEmpty());
        bool finished = false;
        std::unique_ptr<QThread> finisher(QThread::create([&] { finished = finish(&deferred); }));
        finisher->start();
        document->deletePages({0, 1});
        QVERIFY(finisher->wait(60000));
        QVERIFY(finished);
        auto fromThread = Document::restore(RecoveryRecord::fromBytes(deferred.toBytes()));
        QCOMPARE(fromThread->pageCount(), restored->pageCount());
        for (int page = 0; page < restored->pageCount(); ++page)
            QCOMPARE(fromThread->pageSize(page), restored->pageSize(page));
    }

    // A combined document is kept as its scratch file and the changes since.
    void combinedDocumentIsKeptAsItsFileAndChanges()
    {
        const QString source = m_dir.write("parts.pdf", testpdfs::sample({}));
        auto combined = Document::combine({source, source});
        combined->rotatePage(4, 90);
        const RecoveryRecord record = recordOf(*combined);
        QCOMPARE(record.kind, RecoveryRecord::Kind::Document);
        QCOMPARE(testpdfs::qpdfProblems(testpdfs::writeBytes(m_dir.filePath("kept.pdf"), record.payload)),
                 QString());
        auto restored = Document::restore(record);
        QCOMPARE(restored->pageCount(), 6);
        for (int page = 0; page < 6; ++page)
            QCOMPARE(restored->pageSize(page), combined->pageSize(page));
    }

    void thousandStepsAreRestoredExactly()
    {
        testpdfs::Sample sample;
        sample.pages = 6;
        const QString path = m_dir.write("long history.pdf", testpdfs::sample(sample));
        // Both kinds of record: the update to a file, and the whole of a document without one.
        for (const bool withFile : {true, false}) {
            auto document = withFile ? Document::open(path) : Document::createBlank();
            QRandomGenerator random(withFile ? 1 : 2);
            for (int step = 0; step < 1000; ++step) {
                const int pages = document->pageCount();
                const int page = random.bounded(pages);
                switch (step % 5) {
                case 0:
                    document->rotatePage(page, 90 * (1 + random.bounded(3)));
                    break;
                case 1: {
                    pxv::Annotation note;
                    note.rect = QRectF(random.bounded(300), random.bounded(500), 20, 20);
                    note.contents = QString("step %1").arg(step);
                    document->addAnnotation(page, note);
                    break;
                }
                case 2:
                    document->insertBlankPages(page, 1, QSizeF(200 + random.bounded(300), 300));
                    break;
                case 3:
                    document->movePages({page}, random.bounded(pages));
                    break;
                default:
                    if (pages > 2)
                        document->deletePages({page});
                    else
                        document->rotatePage(page, 180);
                }
            }
            const RecoveryRecord record = recordOf(*document);
            auto restored = Document::restore(record);
            QVERIFY(restored->isModified());
            QCOMPARE(restored->pageCount(), document->pageCount());
            for (int page = 0; page < document->pageCount(); ++page) {
                QCOMPARE(restored->pageSize(page), document->pageSize(page));
                const QList<pxv::Annotation> wanted = document->annotations(page);
                const QList<pxv::Annotation> found = restored->annotations(page);
                QCOMPARE(found.size(), wanted.size());
                for (int i = 0; i < wanted.size(); ++i) {
                    QCOMPARE(found[i].contents, wanted[i].contents);
                    QCOMPARE(found[i].rect, wanted[i].rect);
                }
            }
            const QString fromDocument = m_dir.filePath("steps-document.pdf");
            const QString fromRecord = m_dir.filePath("steps-record.pdf");
            document->save(fromDocument);
            restored->save(fromRecord);
            QCOMPARE(testpdfs::qpdfProblems(fromRecord), QString());
            QCOMPARE(seenByPoppler(fromRecord), seenByPoppler(fromDocument));
        }
    }

    void onlyModifiedUnencryptedDocumentsHaveRecords()
    {
        const QString path = m_dir.write("plain.pdf", testpdfs::sample({}));
        auto document = Document::open(path);
        RecoveryRecord record;
        QVERIFY(!document->recoveryRecord(&record));
        document->rotatePage(1, 90);
        QVERIFY(document->recoveryRecord(&record));
        document->undo();
        QVERIFY(!document->recoveryRecord(&record));
        document->redo();
        document->save(path);
        QVERIFY(!document->recoveryRecord(&record));

        const QString locked = testpdfs::writeEncrypted(path, m_dir.filePath("locked.pdf"), "secret");
        QVERIFY(!locked.isEmpty());
        auto encrypted = Document::open(locked);
        QVERIFY(encrypted->authenticate("secret"));
        encrypted->rotatePage(0, 90);
        QVERIFY(encrypted->isModified());
        QVERIFY(!encrypted->recoveryRecord(&record));
    }

    void changedFileIsRecognised()
    {
        const QString path = m_dir.write("changing.pdf", testpdfs::sample({}));
        const FileIdentity before = FileIdentity::of(path);
        QVERIFY(before.size > 0);
        QVERIFY(FileIdentity::of(path) == before);

        QByteArray bytes = readAll(path);
        bytes[bytes.size() / 2] = bytes[bytes.size() / 2] == 'x' ? 'y' : 'x';
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.write(bytes);
        file.flush();
        file.setFileTime(before.modified, QFileDevice::FileModificationTime);
        file.close();
        const FileIdentity sameSizeAndTime = FileIdentity::of(path);
        QCOMPARE(sameSizeAndTime.size, before.size);
        QCOMPARE(sameSizeAndTime.modified, before.modified);
        QVERIFY(sameSizeAndTime != before);

        QVERIFY(FileIdentity::of(m_dir.filePath("missing.pdf")).size < 0);

        // An update's record reads the file's digest when it is finished, and has none once the
        // file is no longer the one the update was made for.
        auto document = Document::open(path);
        document->rotatePage(0, 90);
        RecoveryRecord record;
        Document::RecordFinish finish;
        QVERIFY(document->recoveryRecord(&record, &finish));
        QVERIFY(record.source.digest.isEmpty());
        QVERIFY(finish(&record));
        QVERIFY(record.source == FileIdentity::of(path));
        RecoveryRecord later;
        QVERIFY(document->recoveryRecord(&later, &finish));
        QVERIFY(file.open(QIODevice::Append));
        file.write("% appended by another program\n");
        file.close();
        QVERIFY(finish(&later));
        QVERIFY(later.source == record.source);
        auto reopened = Document::open(path);
        reopened->rotatePage(0, 90);
        QVERIFY(reopened->recoveryRecord(&record, &finish));
        QVERIFY(QFile::remove(path));
        QVERIFY(!finish(&record));
    }

    void damagedRecordsAreRefused()
    {
        const QString path = m_dir.write("source.pdf", testpdfs::sample({}));
        auto document = Document::open(path);
        document->rotatePage(0, 90);
        RecoveryRecord record;
        QVERIFY(document->recoveryRecord(&record));
        const QByteArray bytes = record.toBytes();
        QByteArray altered = bytes;
        altered[altered.size() - 10] = altered[altered.size() - 10] ^ 1;
        for (const QByteArray& damaged :
             {bytes.left(bytes.size() - 1), bytes.left(30), altered, QByteArray("%PDF-1.7")})
            QVERIFY_EXCEPTION_THROWN(RecoveryRecord::fromBytes(damaged), RecoveryRecordError);
    }

    void storeWritesRemovesAndFindsOrphans()
    {
        const QString folder = m_dir.filePath("state/recovery");
        QStringList problems;
        RecoveryStore store(folder, [&](const QString& message) { problems.append(message); });
        const QString name = store.newRecordName();
        QVERIFY(name != store.newRecordName());
        store.write(name, "first");
        store.write(name, "second");
        // Bytes made on the store's thread; none made, none written.
        bool written = false;
        store.write(
            name, [] { return QByteArray(); }, [&] { written = true; });
        store.flush();
        QCOMPARE(readAll(folder + '/' + name), QByteArray("second"));
        QVERIFY(!written);
        store.write(
            name, [] { return QByteArray("third"); }, [&] { written = true; });
        store.flush();
        QCOMPARE(readAll(folder + '/' + name), QByteArray("third"));
        QVERIFY(written);
        // Records of this process are not orphans; those of a process that is gone are.
        const QString orphan = folder + "/999999999-1.record";
        QVERIFY(QFile(orphan).open(QIODevice::WriteOnly));
        QCOMPARE(store.orphanedRecords(), QStringList{orphan});
        store.remove(name);
        store.flush();
        QVERIFY(!QFile::exists(folder + '/' + name));

        const QString aside = RecoveryStore::moveAside(orphan);
        QVERIFY(!QFile::exists(orphan));
        QVERIFY(QFile::exists(aside));
        QVERIFY(store.orphanedRecords().isEmpty());
        QVERIFY(problems.isEmpty());
    }

    void unwritableFolderIsReportedOnce()
    {
        // A folder below a plain file can never be made, whoever runs the test.
        const QString blocker = m_dir.write("blocker", "x");
        QStringList problems;
        RecoveryStore store(blocker + "/recovery", [&](const QString& message) { problems.append(message); });
        store.write(store.newRecordName(), "one");
        store.write(store.newRecordName(), "two");
        store.flush();
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems.first().contains("blocker"));
    }
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
