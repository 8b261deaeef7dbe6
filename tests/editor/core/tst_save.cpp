// Saving: byte-exact copies, incremental saves that keep the original bytes, full saves of new
// documents, atomic replacement and what survives a failed save.

#include "core/atomicfile.h"
#include "core/document.h"
#include "mupdf/mudocument.h"
#include "pdffolder.h"
#include "popplerview.h"
#include "testtools.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

using pxv::Document;
using pxv::DocumentError;

namespace {

using testtools::readAll;

} // namespace

class TestSave : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void unmodifiedSaveAsIsAByteCopy()
    {
        testpdfs::Sample sample;
        sample.outline = true;
        const QString path = m_dir.write("orig.pdf", testpdfs::sample(sample));
        auto document = Document::open(path);
        const QString copy = m_dir.filePath("copy.pdf");
        document->save(copy);
        QCOMPARE(readAll(copy), readAll(path));
        QCOMPARE(document->filePath(), copy);
        QVERIFY(!document->isModified());
    }

    void modifiedFileIsSavedIncrementally()
    {
        const QString path = m_dir.write("inc.pdf", testpdfs::sample({}));
        const QByteArray original = readAll(path);
        auto document = Document::open(path);
        document->rotatePage(2, 90);
        QSignalSpy modified(document.get(), &Document::modifiedChanged);
        document->save(path);
        const QByteArray saved = readAll(path);
        QVERIFY(saved.size() > original.size());
        QVERIFY(saved.startsWith(original));
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QCOMPARE(modified.count(), 1);
        QCOMPARE(modified[0][0].toBool(), false);
        QVERIFY(!document->isModified());

        auto reopened = Document::open(path);
        QCOMPARE(reopened->pageSize(2), QSizeF(792, 612));
        // The document continues from the saved file: a second edit appends again.
        document->rotatePage(0, 180);
        document->save(path);
        QVERIFY(readAll(path).startsWith(saved));
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
    }

    // Another program put a file in place of the open one, or removed it: appending the changes
    // to whatever is there now would make a file that nothing reads.
    void fileReplacedOrRemovedMeanwhileIsSavedWhole()
    {
        const QString path = m_dir.write("replaced.pdf", testpdfs::sample({}));
        const QString other = m_dir.write("other.pdf", testpdfs::longDocument(7));
        auto document = Document::open(path);
        document->rotatePage(2, 90);
        QCOMPARE(::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()), 0);
        document->save(path);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QCOMPARE(Document::open(path)->pageCount(), document->pageCount());
        QCOMPARE(Document::open(path)->pageSize(2), QSizeF(792, 612));

        document->rotatePage(0, 90);
        QVERIFY(QFile::remove(path));
        document->save(path);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QCOMPARE(Document::open(path)->pageSize(0), document->pageSize(0));

        // Only touched, the file is still the base of an incremental save.
        const QByteArray saved = readAll(path);
        QCOMPARE(::utimes(QFile::encodeName(path).constData(), nullptr), 0);
        document->rotatePage(1, 90);
        document->save(path);
        QVERIFY(readAll(path).startsWith(saved));

        // Written over in place, what the document did not change is gone: the save says so and
        // leaves the file alone.
        const QByteArray overwritten = testpdfs::longDocument(7);
        document->rotatePage(1, 90);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(overwritten);
        file.close();
        try {
            document->save(path);
            QFAIL("saved over a file another program wrote");
        } catch (const DocumentError& error) {
            QCOMPARE(error.kind(), DocumentError::SaveFailed);
            QVERIFY2(error.message().contains("another program"), qPrintable(error.message()));
        }
        QCOMPARE(readAll(path), overwritten);
    }

    // Objects a file keeps in object streams have generation 0, whatever their place there: an
    // update that gives them another is not found by other readers.
    void changesToPackedObjectsAreReadByOtherReaders()
    {
        testpdfs::Sample sample;
        sample.pages = 4;
        const QString plain = m_dir.write("plain.pdf", testpdfs::sample(sample));
        const QString packed = m_dir.filePath("packed.pdf");
        QCOMPARE(QProcess::execute("qpdf", {"--object-streams=generate", plain, packed}), 0);
        auto document = Document::open(packed);
        document->rotatePage(3, 90);
        document->save(packed);
        QVERIFY(testpdfs::popplerText(packed, 3).contains("Page 4"));
        const QImage turned = testpdfs::popplerPage(packed, 3);
        QVERIFY2(turned.width() > turned.height(), "page 4 is not shown turned");
    }

    void newDocumentIsSavedInFullAndPassesQpdf()
    {
        auto document = Document::createBlank();
        QSignalSpy before(document.get(), &Document::aboutToSave);
        QSignalSpy after(document.get(), &Document::saved);
        const QString path = m_dir.filePath("blank.pdf");
        document->save(path);
        QCOMPARE(before.count(), 1);
        QCOMPARE(after.count(), 1);
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QCOMPARE(document->filePath(), path);
        QVERIFY(!document->isModified());
        QVERIFY(document->renderSource()->base->bytes.isEmpty()); // workers now read the file
        auto reopened = Document::open(path);
        QCOMPARE(reopened->pageCount(), 1);
    }

    void repairedFileIsWrittenAnew_data()
    {
        QTest::addColumn<bool>("rotate");
        QTest::newRow("changed") << true;
        // The notice asks the user to save to keep the repaired version: a byte copy would
        // keep the damage.
        QTest::newRow("unchanged") << false;
    }

    void repairedFileIsWrittenAnew()
    {
        QFETCH(bool, rotate);
        // Appending to a file whose cross-reference table is broken would keep it broken.
        testpdfs::Sample sample;
        sample.pages = 4;
        const QByteArray good = testpdfs::sample(sample);
        const QString path = m_dir.write("repaired.pdf", good.left(good.indexOf("xref")));
        auto document = Document::open(path);
        QVERIFY(document->wasRepaired());
        if (rotate)
            document->rotatePage(3, 90);
        const QString out = m_dir.filePath("repaired-saved.pdf");
        document->save(out);
        QCOMPARE(testpdfs::qpdfProblems(out), QString());
        auto reopened = Document::open(out);
        QVERIFY(!reopened->wasRepaired());
        QCOMPARE(reopened->pageCount(), 4);
        QCOMPARE(reopened->pageSize(3), rotate ? QSizeF(792, 612) : QSizeF(612, 792));
    }

    void saveIntoMissingFolderFailsAndKeepsTheOriginal()
    {
        const QString path = m_dir.write("keep.pdf", testpdfs::sample({}));
        const QByteArray original = readAll(path);
        auto document = Document::open(path);
        document->rotatePage(0, 90);
        try {
            document->save(m_dir.filePath("no/such/folder/out.pdf"));
            QFAIL("saved into a missing folder");
        } catch (const DocumentError& error) {
            QCOMPARE(error.kind(), DocumentError::SaveFailed);
            QVERIFY(error.message().contains("does not exist"));
        }
        QCOMPARE(readAll(path), original);
        QCOMPARE(document->filePath(), path);
        QVERIFY(document->isModified());
    }

    void failedWriteLeavesTargetAndNoTemporaryFile()
    {
        if (::geteuid() == 0)
            QSKIP("root writes into read-only folders");
        // A read-only folder: the temporary file cannot be created next to the target.
        QDir(m_dir.path()).mkdir("ro");
        const QString target = m_dir.write("ro/target.pdf", testpdfs::sample({}));
        const QByteArray original = readAll(target);
        QFile::setPermissions(m_dir.filePath("ro"), QFile::ReadOwner | QFile::ExeOwner);
        auto document = Document::createBlank();
        QVERIFY_EXCEPTION_THROWN(document->save(target), DocumentError);
        QFile::setPermissions(m_dir.filePath("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readAll(target), original);
        QCOMPARE(QDir(m_dir.filePath("ro")).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void failingWriterLeavesTargetAndNoTemporaryFile()
    {
        const QString target = m_dir.write("victim.pdf", "original bytes");
        try {
            pxv::replaceFileAtomically(target, [](const QString& temp) {
                QFile file(temp);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("half a file");
                throw std::runtime_error("disk full");
            });
            QFAIL("a failed write was reported as success");
        } catch (const DocumentError& error) {
            QCOMPARE(error.kind(), DocumentError::SaveFailed);
            QVERIFY(error.message().contains("disk full"));
            QVERIFY(error.message().contains("victim.pdf"));
        }
        QCOMPARE(readAll(target), QByteArray("original bytes"));
        QCOMPARE(QDir(m_dir.path()).entryList({".victim.pdf*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    // A save killed half-way leaves its temporary file; the next save of that target removes it,
    // but never a file another save holds, another user owns, or that merely looks similar.
    void staleTemporaryFilesGoAtTheNextSave()
    {
        const QString path = m_dir.write("stale.pdf", testpdfs::sample({}));
        const QString stale = m_dir.write(".stale.pdf.Ab12Cd.saving", "half a file");
        const QString busy = m_dir.write(".stale.pdf.Xy34Zw.saving", "being written");
        const QStringList lookAlikes = {".stale.pdf.Ab12Cd.saving.keep", ".stale.pdf.backup1.saving",
                                        ".other.pdf.Ab12Cd.saving", "stale.pdf.Ab12Cd.saving"};
        for (const QString& name : lookAlikes)
            m_dir.write(name, "keep me");
        QString foreign;
        if (::geteuid() == 0) {
            foreign = m_dir.write(".stale.pdf.Us3r99.saving", "someone else's");
            QCOMPARE(::chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
        }
        const int held = ::open(QFile::encodeName(busy).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(held >= 0);
        QCOMPARE(::flock(held, LOCK_EX), 0);

        auto document = Document::open(path);
        document->rotatePage(0, 90);
        document->save(path);
        ::close(held);

        QVERIFY(!QFileInfo::exists(stale));
        QCOMPARE(readAll(busy), QByteArray("being written"));
        for (const QString& name : lookAlikes)
            QCOMPARE(readAll(m_dir.filePath(name)), QByteArray("keep me"));
        if (!foreign.isEmpty())
            QVERIFY(QFileInfo::exists(foreign));
        QCOMPARE(Document::open(path)->pageSize(0), QSizeF(792, 612));
    }

    // A full save writes into the temporary file the save holds locked, so that the lock keeps
    // telling a later save that the file is in use; MuPDF's own save by name recreates it.
    void fullSaveKeepsTheFileItWritesInto()
    {
        const QString source = m_dir.write("full-source.pdf", testpdfs::sample({}));
        const QString into = m_dir.write("full-into.pdf", QByteArray(100000, 'x'));
        const int held = ::open(QFile::encodeName(into).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(held >= 0);
        pxv::mu::MuDocument::openFile(source)->saveFull(into);
        struct stat heldInfo;
        struct stat named;
        QCOMPARE(::fstat(held, &heldInfo), 0);
        ::close(held);
        QCOMPARE(::stat(QFile::encodeName(into).constData(), &named), 0);
        QCOMPARE(named.st_ino, heldInfo.st_ino);
        const QByteArray written = readAll(into);
        QVERIFY(written.startsWith("%PDF-"));
        QVERIFY(!written.contains("xxxxxxxx"));
        QString problems;
        QVERIFY2(testpdfs::qpdfCheck(into, &problems), qPrintable(problems));
    }

    void copyFailureNamesTheReason()
    {
        const QString target = m_dir.write("copytarget.pdf", "old");
        try {
            pxv::copyFileContents(m_dir.filePath("no-such-source.pdf"), target);
            QFAIL("copying a missing file was reported as success");
        } catch (const DocumentError& error) {
            QVERIFY2(error.message().contains("no-such-source.pdf"), qPrintable(error.message()));
            QVERIFY2(error.message().contains(QString::fromLocal8Bit(std::strerror(ENOENT))),
                     qPrintable(error.message()));
        }
        QCOMPARE(readAll(target), QByteArray("old"));
        const QString source = m_dir.write("copysource.pdf", QByteArray(3 << 20, 'p'));
        pxv::copyFileContents(source, target);
        QCOMPARE(readAll(target), readAll(source));
    }

    void longFileNameCanBeSaved()
    {
        const QString name = QString(246, QLatin1Char('n')) + ".pdf"; // 250 characters: near the limit of 255
        auto document = Document::createBlank();
        document->save(m_dir.filePath(name));
        QVERIFY(QFileInfo::exists(m_dir.filePath(name)));
    }

    void longChineseFileNameCanBeSaved()
    {
        // 83 three-byte characters and "ab.pdf": 255 bytes, though only 89 characters.
        const QString name = QString(83, QChar(0x62a5)) + "ab.pdf";
        QCOMPARE(QFile::encodeName(name).size(), 255);
        const QString path = m_dir.filePath(name);
        auto document = Document::createBlank();
        try {
            document->save(path);
        } catch (const DocumentError& error) {
            QFAIL(qPrintable(error.message()));
        }
        QCOMPARE(Document::open(path)->pageCount(), 1);
    }

    void replacingKeepsPermissions()
    {
        const QString path = m_dir.write("perm.pdf", testpdfs::sample({}));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        auto document = Document::open(path);
        document->rotatePage(1, 90);
        document->save(path);
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 0777), 0640);
        const QStringList leftovers = QDir(m_dir.path()).entryList({".perm.pdf.*"}, QDir::Files | QDir::Hidden);
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers.join(", ")));
    }

    void savingThroughALinkUpdatesItsTarget()
    {
        const QString real = m_dir.write("real.pdf", testpdfs::sample({}));
        const QString link = m_dir.filePath("link.pdf");
        QVERIFY(QFile::link(real, link));
        auto document = Document::open(link);
        document->rotatePage(0, 90);
        document->save(link);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(Document::open(real)->pageSize(0), QSizeF(792, 612));
    }

    void encryptedDocumentStaysEncryptedAfterSaving()
    {
        const QString plain = m_dir.write("plain.pdf", testpdfs::sample({}));
        const QString locked = m_dir.filePath("locked.pdf");
        QVERIFY(!testpdfs::writeEncrypted(plain, locked, "pw").isEmpty());
        auto document = Document::open(locked);
        QVERIFY(document->authenticate("pw"));
        document->rotatePage(0, 90);
        document->save(locked);
        QCOMPARE(testpdfs::qpdfProblems(locked, "pw"), QString());
        auto reopened = Document::open(locked);
        QVERIFY(reopened->needsPassword());
        QVERIFY(reopened->authenticate("pw"));
        QCOMPARE(reopened->pageSize(0), QSizeF(792, 612));
    }
};

QTEST_APPLESS_MAIN(TestSave)
#include "tst_save.moc"
