#include "e2eharness.h"

#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

#include <sys/stat.h>

// Awkward paths on the command line: unusual names open and are recorded exactly; what is not
// a readable PDF is reported without blocking the program, which stays usable.
class TstE2EArguments : public QObject
{
    Q_OBJECT
private slots:
    void awkwardNamesOpenAndAreRecorded_data();
    void awkwardNamesOpenAndAreRecorded();
    void pipesAndDevicesAreReported_data();
    void pipesAndDevicesAreReported();
    void folderNamedLikePdf_data();
    void folderNamedLikePdf();
    void fileGoneBeforeTheOpen();

private:
    static bool writePdf(const QString& path);
    // Waits for the program's error box (a third window beside main window and home page)
    // and closes it with Enter.
    static bool dismissErrorBox(const E2EHarness& harness, const QProcess* program);
    // Clicks the home page's "Create PDF" tile and waits for the editor to take over.
    static bool homePageCreatesDocument(const E2EHarness& harness);
    static bool historyIsEmpty(const E2EHarness& harness);

    QTemporaryDir m_files;
};

bool TstE2EArguments::writePdf(const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QPdfWriter writer(path);
    QPainter painter(&writer);
    painter.drawText(300, 300, "Edge case");
    return painter.end() && QFileInfo(path).size() > 0;
}

bool TstE2EArguments::dismissErrorBox(const E2EHarness& harness, const QProcess* program)
{
    QStringList windows;
    if (!QTest::qWaitFor([&] { return (windows = harness.windowsOf(program)).size() >= 3; }, 10000))
        return false;
    harness.xdotool({"key", "--window", windows.last(), "Return"});
    return QTest::qWaitFor([&] { return harness.windowsOf(program).size() == 2; }, 5000);
}

bool TstE2EArguments::homePageCreatesDocument(const E2EHarness& harness)
{
    const QRect page = harness.windowGeometry(harness.homePage());
    if (page.isEmpty())
        return false;
    // The tile in the right column of the upper tile row.
    const QPoint tile = page.topLeft() + QPoint(page.width() * 86 / 100, page.height() * 48 / 100);
    harness.xdotool({"mousemove", QString::number(tile.x()), QString::number(tile.y()), "click", "1"});
    return QTest::qWaitFor([&] { return harness.documentShown(); }, 10000);
}

bool TstE2EArguments::historyIsEmpty(const E2EHarness& harness)
{
    return !QFile::exists(harness.historyDb()) || harness.queryHistory("select count(*) from history").value(0) == "0";
}

void TstE2EArguments::awkwardNamesOpenAndAreRecorded_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("spaces") << "with spaces/my  report .pdf";
    QTest::newRow("Chinese") << QString::fromUtf8("中文目录/季度 报告.pdf");
    QTest::newRow("semicolons") << "q3;q4/plan; final.pdf";
    QString deep;
    for (int level = 0; level < 12; ++level)
        deep += QString::fromUtf8("第%1层文件夹的名字很长很长很长很长很长很长很长很长很长很长很长/").arg(level);
    QTest::newRow("deep folders") << deep + "deep.pdf";
    // 83 three-byte characters and "ab.pdf": 255 bytes, the most a file name may have.
    QTest::newRow("255-byte name") << QString(83, QChar(0x62a5)) + "ab.pdf";
}

void TstE2EArguments::awkwardNamesOpenAndAreRecorded()
{
    QFETCH(QString, relativePath);
    const QString path = m_files.filePath(relativePath);
    const QString name = QFileInfo(path).fileName();
    QVERIFY(writePdf(path));
    if (QTest::currentDataTag() == QLatin1String("255-byte name"))
        QCOMPARE(name.toUtf8().size(), 255);
    if (QTest::currentDataTag() == QLatin1String("deep folders"))
        QVERIFY(path.toUtf8().size() > 1000);

    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    harness.startProgram({path});
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(harness.historyDb())
                                 && harness.queryHistory("select count(*) from history").value(0) == "1",
                             E2EHarness::slow(10000));
    QCOMPARE(harness.queryHistory("select filePath from history"), QStringList({path}));
    QCOMPARE(harness.queryHistory("select fileName from history"), QStringList({name}));
    QTRY_VERIFY_WITH_TIMEOUT(harness.documentShown(), E2EHarness::slow(5000));
}

void TstE2EArguments::pipesAndDevicesAreReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("linkTarget"); // empty: a FIFO
    QTest::newRow("fifo") << "pipe.pdf" << QString();
    QTest::newRow("link to /dev/zero") << "zero.pdf"
                                       << "/dev/zero";
    QTest::newRow("link to /dev/urandom") << "urandom.pdf"
                                          << "/dev/urandom";
}

void TstE2EArguments::pipesAndDevicesAreReported()
{
    QFETCH(QString, name);
    QFETCH(QString, linkTarget);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (linkTarget.isEmpty())
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(linkTarget, path));

    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QProcess* program = harness.startProgram({path});
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    QVERIFY2(dismissErrorBox(harness, program), "no error box, or it did not close");
    QTRY_VERIFY_WITH_TIMEOUT(harness.homePageVisible(), E2EHarness::slow(5000));
    QVERIFY(homePageCreatesDocument(harness));
    QCOMPARE(program->state(), QProcess::Running);
    // The new document has no file, so nothing at all is recorded.
    QVERIFY(historyIsEmpty(harness));
}

void TstE2EArguments::folderNamedLikePdf_data()
{
    QTest::addColumn<bool>("holdsPdf");
    QTest::newRow("empty") << false;
    QTest::newRow("holding a PDF") << true;
}

void TstE2EArguments::folderNamedLikePdf()
{
    // A folder opens its first plain file when that is a PDF; an empty one opens nothing.
    QFETCH(bool, holdsPdf);
    QTemporaryDir dir;
    const QString folder = dir.filePath("folder.pdf");
    const QString inner = folder + "/inner.pdf";
    QVERIFY(holdsPdf ? writePdf(inner) : QDir().mkpath(folder));

    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    harness.startProgram({folder});
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    if (holdsPdf) {
        QTRY_COMPARE_WITH_TIMEOUT(harness.queryHistory("select filePath from history"), QStringList({inner}),
                                  E2EHarness::slow(10000));
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(harness.homePageVisible(), E2EHarness::slow(5000));
        QVERIFY(homePageCreatesDocument(harness));
        QVERIFY(historyIsEmpty(harness));
    }
}

void TstE2EArguments::fileGoneBeforeTheOpen()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("fleeting.pdf");
    QVERIFY(writePdf(pdf));

    E2EHarness harness(false);
    E2E_REQUIRE(harness);
    QProcess* program = harness.startProgram({pdf});
    // The program is still starting: it has taken the path, and opens it half a second after
    // its window shows.
    QVERIFY(QFile::remove(pdf));
    QVERIFY(harness.waitForWindow("OrvantoPDF") != 0);
    QVERIFY2(dismissErrorBox(harness, program), "no error box, or it did not close");
    QTRY_VERIFY_WITH_TIMEOUT(harness.homePageVisible(), E2EHarness::slow(5000));
    QCOMPARE(program->state(), QProcess::Running);
    QVERIFY(historyIsEmpty(harness));
}

QTEST_MAIN(TstE2EArguments)
#include "tst_e2e_arguments.moc"
