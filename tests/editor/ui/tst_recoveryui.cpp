// Not losing work in the control: recovery records written after a change and removed after a
// save, an undo back to the file or closing; the offer to restore those a program that ended
// left; and a file changed on disk by another program, offered for reloading.

#include "hostedcontrol.h"
#include "testpdfs.h"

#include "core/document.h"
#include "core/recoveryrecord.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/filechangebar.h"
#include "ui/pageview.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestRecoveryUi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void recordsFollowTheDocument();
    void offerRestoresAndSetsAsideDamagedRecords();
    void discardedRecordsAreGone();
    void fileChangedOnDiskOffersReload();

private:
    QString folder() const { return m_dir.filePath("state/recovery"); }
    QStringList records() const { return QDir(folder()).entryList({"*.record"}, QDir::Files); }
    pxv::Document* model() const { return m_hosted.widget->activeView()->document()->model(); }
    // A record of a rotated first page of a new file, left by a process that no longer runs.
    QString leaveOrphan(const QString& name);

    QTemporaryDir m_dir;
    HostedControl m_hosted;
    QStringList m_problems;
};

void TestRecoveryUi::initTestCase()
{
    registerPXVEditor();
    setPXVRecoveryFolder(folder(), [this](const QString& message) { m_problems.append(message); });
}

void TestRecoveryUi::cleanup()
{
    m_hosted.destroy();
    QDir(folder()).removeRecursively();
    QVERIFY(m_problems.isEmpty());
}

QString TestRecoveryUi::leaveOrphan(const QString& name)
{
    const QString path = testpdfs::writeBytes(m_dir.filePath(name + ".pdf"), testpdfs::sample({}));
    auto document = pxv::Document::open(path);
    document->rotatePage(0, 90);
    pxv::RecoveryRecord record;
    if (!document->recoveryRecord(&record))
        return QString();
    record.changed = QDateTime::currentDateTimeUtc();
    QDir().mkpath(folder());
    QFile file(folder() + "/999999999-" + name + ".record");
    if (!file.open(QIODevice::WriteOnly) || file.write(record.toBytes()) <= 0)
        return QString();
    return path;
}

void TestRecoveryUi::recordsFollowTheDocument()
{
    QVERIFY(m_hosted.create());
    const QString path = testpdfs::writeBytes(m_dir.filePath("kept.pdf"), testpdfs::sample({}));
    m_hosted.control->openPath(path, 0);
    QVERIFY(records().isEmpty());

    model()->rotatePage(0, 90);
    QTRY_COMPARE(records().size(), 1);
    QFile file(folder() + '/' + records().first());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(pxv::RecoveryRecord::fromBytes(file.readAll()).sourcePath, model()->filePath());
    model()->undo();
    QTRY_VERIFY(records().isEmpty());

    model()->redo();
    QTRY_COMPARE(records().size(), 1);
    model()->save(path);
    QTRY_VERIFY(records().isEmpty());

    model()->rotatePage(1, 90);
    QTRY_COMPARE(records().size(), 1);
    m_hosted.destroy(); // closing without saving: the changes are not wanted
    QTRY_VERIFY(records().isEmpty());
}

void TestRecoveryUi::offerRestoresAndSetsAsideDamagedRecords()
{
    const QString path = leaveOrphan("restored");
    QVERIFY(!path.isEmpty());
    QFile damaged(folder() + "/999999999-damaged.record");
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("%VellumpadRecovery-1\n12\n{\"kind\":");
    damaged.close();
    QVERIFY(pxvRecoveryPending());

    QVERIFY(m_hosted.create());
    // Opened as it is before the offer, as a file named on the command line is: the changes
    // come into its tab.
    m_hosted.control->openPath(path, 0);
    m_hosted.dialogs->recoveryAnswer = FakeDialogs::RecoveryAnswer::Restore;
    offerPXVRecovery(m_hosted.control);
    QCOMPARE(m_hosted.widget->documentCount(), 1);
    QCOMPARE(m_hosted.dialogs->recoveryAsks.size(), 1);
    QCOMPARE(m_hosted.dialogs->recoveryAsks.first().size(), 1);
    QVERIFY(m_hosted.dialogs->recoveryAsks.first().first().contains("restored.pdf"));
    QCOMPARE(m_hosted.dialogs->errors.size(), 1);
    QVERIFY(QFile::exists(folder() + "/damaged/999999999-damaged.record"));

    QCOMPARE(model()->filePath(), QFileInfo(path).absoluteFilePath());
    QVERIFY(model()->isModified());
    QCOMPARE(model()->pageSize(0), pxv::Document::open(path)->pageSize(0).transposed());
    QVERIFY(!pxvRecoveryPending());
}

void TestRecoveryUi::discardedRecordsAreGone()
{
    QVERIFY(!leaveOrphan("discarded").isEmpty());
    QVERIFY(!leaveOrphan("later").isEmpty());
    QVERIFY(m_hosted.create());
    offerPXVRecovery(m_hosted.control); // later: kept
    QCOMPARE(records().size(), 2);
    m_hosted.dialogs->recoveryAnswer = FakeDialogs::RecoveryAnswer::Discard;
    offerPXVRecovery(m_hosted.control);
    QVERIFY(records().isEmpty());
    QVERIFY(!m_hosted.widget->activeView());
}

void TestRecoveryUi::fileChangedOnDiskOffersReload()
{
    QVERIFY(m_hosted.create());
    testpdfs::Sample sample;
    sample.pages = 4;
    const QString path = testpdfs::writeBytes(m_dir.filePath("watched.pdf"), testpdfs::sample(sample));
    m_hosted.control->openPath(path, 0);
    pxv::DocumentView* view = m_hosted.widget->activeView();
    pxv::FileChangeBar* bar = view->fileChangeBar();
    model()->rotatePage(0, 90);
    model()->save(path);
    bar->checkFile(); // what the watcher does when it hears of the save
    QVERIFY(bar->isHidden());

    sample.pages = 5;
    QVERIFY(!testpdfs::writeBytes(path, testpdfs::sample(sample)).isEmpty());
    QTRY_VERIFY(bar->isVisible());
    view->pageView()->goToPage(2);
    model()->rotatePage(1, 90);
    auto* reload = bar->findChild<QPushButton*>("fileChangeReload");
    reload->click();
    QCOMPARE(m_hosted.dialogs->reloadAsks.size(), 1);
    QCOMPARE(m_hosted.widget->activeView(), view);

    m_hosted.dialogs->reloadAnswer = true;
    reload->click();
    QVERIFY(m_hosted.widget->activeView() != view);
    QCOMPARE(model()->pageCount(), 5);
    QVERIFY(!model()->isModified());
    QCOMPARE(m_hosted.widget->activeView()->pageView()->currentPage(), 2);
    QVERIFY(m_hosted.widget->activeView()->fileChangeBar()->isHidden());
}

QTEST_MAIN(TestRecoveryUi)
#include "tst_recoveryui.moc"
