#include "e2eharness.h"

#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

// Documents named on the command line reach the editor, the history and the view switch.
class TstE2EDocuments : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void relativePathOpensAndIsRecorded();
    void missingFileIsReportedAndNotRecorded();
    void garbageHistoryIsSetAsideAndReplaced();

private:
    QTemporaryDir m_files;
};

void TstE2EDocuments::initTestCase()
{
    QPdfWriter writer(m_files.filePath("report.pdf"));
    QPainter painter(&writer);
    painter.drawText(300, 300, "Quarterly report");
    writer.newPage();
    painter.drawText(300, 300, "Second page");
}

void TstE2EDocuments::relativePathOpensAndIsRecorded()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    harness.startProgram({"report.pdf"}, m_files.path());
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(harness.historyDb())
                                 && harness.queryHistory("select count(*) from history").value(0) == "1",
                             E2EHarness::slow(10000));
    const QStringList row = harness.queryHistory("select filePath, fileName from history").value(0).split('|');
    QCOMPARE(row, QStringList({m_files.filePath("report.pdf"), "report.pdf"}));
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(5000));
    QVERIFY(harness.screenshot(QDir::temp().filePath("vellumpad-e2e-document.png")));
}

void TstE2EDocuments::missingFileIsReportedAndNotRecorded()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    QProcess* program = harness.startProgram({"missing.pdf"}, m_files.path());
    const qulonglong window = harness.waitForWindow("OrvantoPDF");
    QVERIFY(window != 0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.homePageVisible(), E2EHarness::slow(5000));
    // The error box is a second window of the same process.
    QTRY_VERIFY_WITH_TIMEOUT(harness.windowsOf(program).size() >= 3, E2EHarness::slow(10000));
    QCOMPARE(program->state(), QProcess::Running);
    QVERIFY(!QFile::exists(harness.historyDb())
            || harness.queryHistory("select count(*) from history").value(0) == "0");
}

void TstE2EDocuments::garbageHistoryIsSetAsideAndReplaced()
{
    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    const QString dataDir = QFileInfo(harness.historyDb()).absolutePath();
    QVERIFY(QDir().mkpath(dataDir));
    QFile garbage(harness.historyDb());
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();

    QProcess* program = harness.startProgram({m_files.filePath("report.pdf")});
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    QTRY_COMPARE_WITH_TIMEOUT(harness.queryHistory("select fileName from history"), QStringList({"report.pdf"}),
                              E2EHarness::slow(10000));
    const QStringList broken = QDir(dataDir).entryList({"history.db.broken-*"}, QDir::Files);
    QCOMPARE(broken.size(), 1);
    QFile kept(QDir(dataDir).filePath(broken.first()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray(4096, 'x'));
    QCOMPARE(program->state(), QProcess::Running);
}

QTEST_MAIN(TstE2EDocuments)
#include "tst_e2e_documents.moc"
