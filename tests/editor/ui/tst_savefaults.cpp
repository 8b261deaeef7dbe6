// Saving when the file system refuses: a full disk and a read-only folder, made real with a
// small tmpfs. The user is told which file failed and why, the document stays open with its
// changes, the original file is untouched, and saving elsewhere still works.

#include "hostedcontrol.h"
#include "testpdfs.h"
#include "testtools.h"
#include "tmpfsmount.h"

#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/pageview.h"

#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

namespace {

using testtools::readAll;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

class TestSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fullDiskKeepsTheChanges_data();
    void fullDiskKeepsTheChanges();
    void readOnlyFolderKeepsTheChanges();

private:
    // Opens the file at path and turns its first page.
    void openAndRotate(const QString& path);
    void rotateFirstPage();
    bool firstPageIsLandscape() const;
    QString tabText() const;
    // Everything in the folder, hidden files included.
    static QStringList entries(const QString& folder);
    // The document must still be open, modified and turned, under the error naming file and reason.
    void verifyKeptAfterFailure(const QString& fileName, const QString& reason);
    // Save-as into the ordinary temporary folder works and writes the turned page.
    void verifySaveElsewhereWorks(const QString& name);

    QTemporaryDir m_dir;
    HostedControl m_hosted;
    IPXV_Control* m_control = nullptr;
    CPXVControl* m_widget = nullptr;
    FakeDialogs* m_dialogs = nullptr;
};

void TestSaveFaults::initTestCase()
{
    QVERIFY(m_dir.isValid());
    registerPXVEditor();
}

void TestSaveFaults::init()
{
    QVERIFY(m_hosted.create());
    m_control = m_hosted.control;
    m_widget = m_hosted.widget;
    m_dialogs = m_hosted.dialogs;
}

void TestSaveFaults::cleanup()
{
    m_hosted.destroy();
}

void TestSaveFaults::openAndRotate(const QString& path)
{
    m_control->openPath(path, 0);
    QCOMPARE(m_control->activeDocPath(), path);
    rotateFirstPage();
}

void TestSaveFaults::rotateFirstPage()
{
    QVERIFY(!firstPageIsLandscape());
    m_control->inst()->runCommand("cmd.rotateRight", 0);
    QVERIFY(firstPageIsLandscape());
    QVERIFY(m_widget->activeView()->document()->isModified());
}

bool TestSaveFaults::firstPageIsLandscape() const
{
    const QRectF page = m_widget->activeView()->pageView()->pageRect(0);
    return page.width() > page.height();
}

QString TestSaveFaults::tabText() const
{
    auto* tabs = m_widget->findChild<QTabWidget*>();
    return tabs->tabText(tabs->currentIndex());
}

QStringList TestSaveFaults::entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void TestSaveFaults::verifyKeptAfterFailure(const QString& fileName, const QString& reason)
{
    QCOMPARE(m_dialogs->errors.size(), 1);
    const QString message = m_dialogs->errors.first();
    QVERIFY2(message.contains(fileName), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QCOMPARE(m_widget->documentCount(), 1);
    QVERIFY(m_widget->activeView()->document()->isModified());
    QVERIFY(tabText().endsWith(" *"));
    QVERIFY(firstPageIsLandscape());
}

void TestSaveFaults::verifySaveElsewhereWorks(const QString& name)
{
    m_dialogs->errors.clear();
    m_dialogs->saveAnswer = m_dir.filePath(name);
    m_control->inst()->runCommand("cmd.saveAs", 0);
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QVERIFY(!m_widget->activeView()->document()->isModified());
    QString output;
    QVERIFY2(testpdfs::qpdfCheck(m_dialogs->saveAnswer, &output), qPrintable(output));
    m_control->inst()->runCommand("cmd.close", 0);
    m_control->openPath(m_dialogs->saveAnswer, 0);
    QVERIFY(firstPageIsLandscape());
}

void TestSaveFaults::fullDiskKeepsTheChanges_data()
{
    QTest::addColumn<bool>("newDocument");
    QTest::newRow("changed file: copying its bytes fails") << false;
    QTest::newRow("new document: the full write fails") << true;
}

void TestSaveFaults::fullDiskKeepsTheChanges()
{
    QFETCH(bool, newDocument);
    const QString folder = m_dir.filePath(QString("full-%1").arg(newDocument));
    QVERIFY(QDir().mkpath(folder));
    TmpfsMount disk(folder, 512 * 1024);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.error()));

    const QString original = folder + "/report.pdf";
    QVERIFY(!testpdfs::write(original, 3).isEmpty());
    const QByteArray originalBytes = readAll(original);
    QString target = original;
    if (newDocument) {
        // No file of its own yet: only a full write can save it.
        m_control->showDocument(m_hosted.runForDocument("op.newBlankDoc"), 0);
        rotateFirstPage();
        target = folder + "/blank.pdf";
    } else {
        openAndRotate(original);
    }
    QVERIFY(disk.fill("filler") > 0);
    const QStringList before = entries(folder);

    m_dialogs->saveAnswer = target;
    m_control->inst()->runCommand("cmd.save", 0);

    verifyKeptAfterFailure(QFileInfo(target).fileName(), systemReason(ENOSPC));
    QCOMPARE(readAll(original), originalBytes);
    QCOMPARE(entries(folder), before); // no half-written file, hidden or not
    QCOMPARE(m_control->activeDocPath(), newDocument ? QString("") : original);
    verifySaveElsewhereWorks(QString("elsewhere-%1.pdf").arg(newDocument));
}

void TestSaveFaults::readOnlyFolderKeepsTheChanges()
{
    const QString folder = m_dir.filePath("readonly");
    QVERIFY(QDir().mkpath(folder));
    TmpfsMount disk(folder, 4 * 1024 * 1024);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.error()));

    const QString original = folder + "/minutes.pdf";
    QVERIFY(!testpdfs::write(original, 3).isEmpty());
    openAndRotate(original);
    const QByteArray originalBytes = readAll(original);
    QVERIFY2(disk.setReadOnly(true), qPrintable(disk.error()));

    m_control->inst()->runCommand("cmd.save", 0);
    verifyKeptAfterFailure("minutes.pdf", systemReason(EROFS));
    QCOMPARE(readAll(original), originalBytes);
    QCOMPARE(entries(folder), QStringList({"minutes.pdf"}));

    // Once the folder is writable again, the same file saves in place.
    QVERIFY2(disk.setReadOnly(false), qPrintable(disk.error()));
    m_dialogs->errors.clear();
    m_control->inst()->runCommand("cmd.save", 0);
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QVERIFY(!m_widget->activeView()->document()->isModified());
    QVERIFY(readAll(original).startsWith(originalBytes));
    QCOMPARE(entries(folder), QStringList({"minutes.pdf"}));
    verifySaveElsewhereWorks("minutes-copy.pdf");
}

QTEST_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
