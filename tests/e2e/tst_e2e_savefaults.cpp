#include "e2eharness.h"
#include "testpdfs.h"
#include "tmpfsmount.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

// Saving in the real program when it goes wrong: the program killed in the middle of a long
// save, and a disk that fills up. The file on disk is always either the old one or the new one.
class TstE2ESaveFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void killedSaveLeavesTheOriginal();
    void fullDiskIsReportedAndTheChangeIsKept();

private:
    // Starts the program on path, waits until the document shows and turns its first page.
    QProcess* openAndRotate(E2EHarness& harness, const QString& path, qulonglong* window);

    QTemporaryDir m_large;
    QString m_largePath;
    QByteArray m_largeHash;
};

namespace {

QByteArray sha256(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

// Pages that each draw one uncompressed image of noise, and a cross-reference offset that points
// nowhere. Opening repairs the file, so saving a change writes the whole file anew and
// compresses every image: with a few hundred megabytes that takes seconds.
bool writeLargeRepairedPdf(const QString& path, int pages)
{
    const int side = 600;
    const int imageBytes = side * side * 3;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("%PDF-1.7\n");
    QByteArray kids;
    for (int page = 0; page < pages; ++page)
        kids += QByteArray::number(3 + 3 * page) + " 0 R ";
    file.write("1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    file.write("2 0 obj\n<< /Type /Pages /Count " + QByteArray::number(pages) + " /Kids [" + kids + "] >>\nendobj\n");
    const QByteArray content = "q 612 0 0 792 0 0 cm /Im0 Do Q";
    QByteArray noise(imageBytes, Qt::Uninitialized);
    for (int page = 0; page < pages; ++page) {
        const int first = 3 + 3 * page;
        file.write(QByteArray::number(first)
                   + " 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
                     "/Resources << /XObject << /Im0 "
                   + QByteArray::number(first + 2) + " 0 R >> >> /Contents " + QByteArray::number(first + 1)
                   + " 0 R >>\nendobj\n");
        file.write(QByteArray::number(first + 1) + " 0 obj\n<< /Length " + QByteArray::number(content.size())
                   + " >>\nstream\n" + content + "\nendstream\nendobj\n");
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(noise.data()), imageBytes / 4);
        file.write(QByteArray::number(first + 2) + " 0 obj\n<< /Type /XObject /Subtype /Image /Width "
                   + QByteArray::number(side) + " /Height " + QByteArray::number(side)
                   + " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Length " + QByteArray::number(imageBytes)
                   + " >>\nstream\n");
        file.write(noise);
        file.write("\nendstream\nendobj\n");
    }
    file.write("trailer\n<< /Root 1 0 R /Size " + QByteArray::number(3 + 3 * pages) + " >>\nstartxref\n9\n%%EOF\n");
    return file.error() == QFileDevice::NoError;
}

ino_t inode(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QStringList temporaries(const QString& folder, const QString& fileName)
{
    return QDir(folder).entryList({"." + fileName + ".*.saving"}, QDir::Files | QDir::Hidden);
}

QStringList visibleFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

void TstE2ESaveFaults::initTestCase()
{
    m_largePath = m_large.filePath("archive.pdf");
    // About 80 MB: a save that lasts long enough to be caught while it writes, even on a fast disk.
    QVERIFY(writeLargeRepairedPdf(m_largePath, 75));
    QVERIFY(QFileInfo(m_largePath).size() > 75 * 1000 * 1000);
    m_largeHash = sha256(m_largePath);
}

QProcess* TstE2ESaveFaults::openAndRotate(E2EHarness& harness, const QString& path, qulonglong* window)
{
    QProcess* program = harness.startProgram({path});
    *window = harness.waitForWindow("OrvantoPDF", 20000);
    if (*window == 0)
        return program;
    harness.waitForDocument();
    harness.typeKeys(*window, "ctrl+Right");
    return program;
}

void TstE2ESaveFaults::killedSaveLeavesTheOriginal()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    qulonglong window = 0;
    QProcess* program = openAndRotate(harness, m_largePath, &window);
    QVERIFY(window != 0);
    QVERIFY(harness.documentShown());
    harness.typeKeys(window, "ctrl+s");

    // Kill once the temporary file is seen growing: the save is then certainly under way.
    const QString folder = m_large.path();
    qint64 seen = 0;
    bool growing = false;
    QElapsedTimer timer;
    timer.start();
    while (!growing && timer.elapsed() < 120000 && program->state() == QProcess::Running) {
        const QStringList temps = temporaries(folder, "archive.pdf");
        const qint64 size = temps.size() == 1 ? QFileInfo(folder + "/" + temps.first()).size() : 0;
        growing = seen > 0 && size > seen;
        seen = qMax(seen, size);
        QThread::msleep(5);
    }
    QVERIFY2(growing, "the temporary file of the save was never seen growing");
    ::kill(pid_t(program->processId()), SIGKILL);
    QVERIFY(E2EHarness::waitForExit(program));

    QCOMPARE(sha256(m_largePath), m_largeHash);
    QCOMPARE(visibleFiles(folder), QStringList({"archive.pdf"}));
    // What the killed save wrote stays hidden beside the file until its next save.
    QCOMPARE(temporaries(folder, "archive.pdf").size(), 1);

    qulonglong again = 0;
    QProcess* next = openAndRotate(harness, m_largePath, &again);
    QVERIFY(again != 0);
    QVERIFY(harness.documentShown());
    const ino_t before = inode(m_largePath);
    harness.typeKeys(again, "ctrl+s");
    // Replaced by a rename: a new file under the old name, and no temporary file left.
    QTRY_VERIFY_WITH_TIMEOUT(inode(m_largePath) != before && temporaries(folder, "archive.pdf").isEmpty(),
                             E2EHarness::slow(60000));
    QCOMPARE(next->state(), QProcess::Running);
    QVERIFY(sha256(m_largePath) != m_largeHash);
    QCOMPARE(visibleFiles(folder), QStringList({"archive.pdf"}));
    QString problems;
    QVERIFY2(testpdfs::qpdfCheck(m_largePath, &problems), qPrintable(problems));
}

void TstE2ESaveFaults::fullDiskIsReportedAndTheChangeIsKept()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    QTemporaryDir base;
    TmpfsMount disk(base.path(), 1024 * 1024);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.error()));
    const QString path = base.filePath("letter.pdf");
    QVERIFY(!testpdfs::write(path, 2).isEmpty());
    const QByteArray original = sha256(path);
    const qint64 originalSize = QFileInfo(path).size();

    qulonglong window = 0;
    QProcess* program = openAndRotate(harness, path, &window);
    QVERIFY(window != 0);
    QVERIFY(harness.documentShown());
    QVERIFY(disk.fill("filler") > 0);
    const int windows = harness.windowsOf(program).size();
    harness.typeKeys(window, "ctrl+s");

    // The message box is one more window of the program.
    QTRY_VERIFY_WITH_TIMEOUT(harness.windowsOf(program).size() > windows, E2EHarness::slow(15000));
    QVERIFY(harness.screenshot(QDir::temp().filePath("vellumpad-e2e-disk-full.png")));
    const QString box = harness.windowsOf(program).last();
    harness.typeKeys(box.toULongLong(), "Return");
    QTRY_COMPARE_WITH_TIMEOUT(harness.windowsOf(program).size(), windows, E2EHarness::slow(10000));
    QCOMPARE(program->state(), QProcess::Running);
    QCOMPARE(sha256(path), original);
    QCOMPARE(QDir(base.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             QStringList({"filler", "letter.pdf"}));

    // With room again, saving once more writes the change that was kept in the window.
    QVERIFY(QFile::remove(base.filePath("filler")));
    harness.typeKeys(window, "ctrl+s");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > originalSize, E2EHarness::slow(15000));
    QCOMPARE(harness.windowsOf(program).size(), windows);
    QString problems;
    QVERIFY2(testpdfs::qpdfCheck(path, &problems), qPrintable(problems));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("/Rotate 90"));
    QCOMPARE(program->state(), QProcess::Running);
}

QTEST_MAIN(TstE2ESaveFaults)
#include "tst_e2e_savefaults.moc"
