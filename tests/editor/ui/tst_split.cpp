// Splitting a document into files through the control: the operation by name refuses bad
// parameters before writing anything and lists the files it wrote, and the Pages menu's command
// asks through its dialog, writes the files and shows why it could not.

#include "hostedcontrol.h"
#include "testpdfs.h"

#include "core/document.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/splitdialog.h"
#include "ui/writeprogress.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

class TestSplit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void badParametersWriteNothing_data();
    void badParametersWriteNothing();
    void byNameListsTheFilesAndRefusesToOverwrite();
    void menuCommandAsksAndSplits();
    void dialogOffersOnlyWhatTheDocumentHas();
    void progressShowsAfterASecondAndCancels();

private:
    pxv::Document* model() const { return m_hosted.widget->activeView()->document()->model(); }
    QStringList filesOut() const { return QDir(m_out).entryList(QDir::Files | QDir::Hidden); }
    // Runs the extract operation on the active document; returns its "Output" value.
    QVariant extract(const QVariantMap& parameters);

    QTemporaryDir m_dir;
    HostedControl m_hosted;
    QString m_path;
    QString m_out;
};

void TestSplit::initTestCase()
{
    QVERIFY(m_dir.isValid());
    registerPXVEditor();
}

void TestSplit::init()
{
    QVERIFY(m_hosted.create());
    const QString name = QTest::currentTestFunction();
    testpdfs::Sample sample;
    sample.pages = 6;
    sample.outline = true;
    m_path = testpdfs::writeBytes(m_dir.filePath(name + ".pdf"), testpdfs::sample(sample));
    QVERIFY(!m_path.isEmpty());
    m_out = m_dir.filePath(name + "-files");
    QVERIFY(QDir().mkpath(m_out));
    m_hosted.control->openPath(m_path, 0);
    QVERIFY(m_hosted.widget->activeView());
}

void TestSplit::cleanup()
{
    m_hosted.destroy();
}

QVariant TestSplit::extract(const QVariantMap& parameters)
{
    IPXV_Inst* inst = m_hosted.control->inst();
    const std::shared_ptr<IPXV_Operation> operation = inst->createOperation(inst->nameToId("op.document.extractPages"));
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
        operation->params()->child(it.key())->setValue(it.value().toString() == "@out" ? m_out : it.value());
    inst->runOperation(operation.get(), 0);
    return operation->params()->child("Output")->value();
}

void TestSplit::badParametersWriteNothing_data()
{
    QTest::addColumn<QVariantMap>("parameters");
    QTest::addColumn<QString>("named");
    QTest::newRow("unknown way") << QVariantMap{{"Split", "chapters"}, {"Path", "@out"}} << "Split";
    QTest::newRow("count missing") << QVariantMap{{"Split", "count"}, {"Path", "@out"}} << "Count";
    QTest::newRow("count zero") << QVariantMap{{"Split", "count"}, {"Count", 0}, {"Path", "@out"}} << "Count";
    QTest::newRow("count without counting") << QVariantMap{{"Split", "pages"}, {"Count", 2}, {"Path", "@out"}} << "Count";
    QTest::newRow("empty range item") << QVariantMap{{"Split", "ranges"}, {"Pages", "1,,2"}, {"Path", "@out"}} << "Pages";
    QTest::newRow("no folder") << QVariantMap{{"Split", "pages"}} << "Path";
    QTest::newRow("missing folder") << QVariantMap{{"Split", "pages"}, {"Path", "/nonexistent/folder"}} << "Path";
}

void TestSplit::badParametersWriteNothing()
{
    QFETCH(QVariantMap, parameters);
    QFETCH(QString, named);
    try {
        extract(parameters);
        QFAIL("the operation ran");
    } catch (const PXV_Error& error) {
        QCOMPARE(error.code(), int(PXV_Error::InvalidArgument));
        QVERIFY2(error.message().contains(QString("“%1”").arg(named)), qPrintable(error.message()));
    }
    QCOMPARE(filesOut(), QStringList());
    QVERIFY(!model()->isModified());
}

void TestSplit::byNameListsTheFilesAndRefusesToOverwrite()
{
    const QStringList written = extract({{"Split", "ranges"}, {"Pages", "5-6, 2"}, {"Path", "@out"}}).toStringList();
    const QString base = QFileInfo(m_path).completeBaseName();
    QCOMPARE(written, QStringList({QDir(m_out).filePath(base + " - pages 5-6.pdf"), QDir(m_out).filePath(base + " - page 2.pdf")}));
    for (const QString& file : written) {
        QString problems;
        QVERIFY2(testpdfs::qpdfCheck(file, &problems), qPrintable(problems));
    }
    QVERIFY(!model()->isModified());
    QVERIFY(!model()->canUndo());

    QVERIFY(QFile::remove(written.last()));
    try {
        extract({{"Split", "ranges"}, {"Pages", "5-6,2"}, {"Path", "@out"}});
        QFAIL("a file was overwritten");
    } catch (const PXV_Error& error) {
        QVERIFY2(error.message().contains(base + " - pages 5-6.pdf"), qPrintable(error.message()));
    }
    QCOMPARE(filesOut(), QStringList({base + " - pages 5-6.pdf"}));
}

void TestSplit::menuCommandAsksAndSplits()
{
    QAction* split = nullptr;
    for (QAction* menu : m_hosted.widget->findChild<QMenuBar*>()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            if (action->objectName() == "cmd.splitDocument")
                split = action;
        }
    }
    QVERIFY(split);
    QVERIFY(split->isEnabled());
    QStringList asked;
    m_hosted.dialogs->splitAnswer = [&](bool hasOutline, pxv::SplitChoice* choice) {
        asked.append(QString("%1 %2").arg(hasOutline).arg(choice->folder));
        choice->way = pxv::SplitChoice::Way::Outline;
        choice->folder = m_out;
        return true;
    };
    split->trigger();
    QCOMPARE(asked, QStringList({"1 " + QFileInfo(m_path).absolutePath()}));
    QCOMPARE(m_hosted.dialogs->errors, QStringList());
    QCOMPARE(filesOut(), QStringList({"Chapter 1.pdf", "Chapter 2.pdf"}));

    split->trigger(); // the files are there now
    QCOMPARE(m_hosted.dialogs->errors.size(), 1);
    QVERIFY2(m_hosted.dialogs->errors.first().contains("Chapter 1.pdf"), qPrintable(m_hosted.dialogs->errors.first()));
    QCOMPARE(filesOut().size(), 2);
}

void TestSplit::dialogOffersOnlyWhatTheDocumentHas()
{
    pxv::SplitChoice initial;
    initial.way = pxv::SplitChoice::Way::Outline;
    initial.count = 3;
    initial.folder = m_out;
    pxv::SplitDialog plain(false, initial);
    const QList<QRadioButton*> ways = plain.findChildren<QRadioButton*>();
    QCOMPARE(ways.size(), 3);
    QVERIFY(!ways[2]->isEnabled()); // no outline to split at
    QCOMPARE(plain.choice().way, pxv::SplitChoice::Way::EveryCount);
    QCOMPARE(plain.choice().count, 3);
    QCOMPARE(plain.choice().folder, m_out);
    ways[1]->click();
    QVERIFY(!plain.findChild<QSpinBox*>()->isEnabled());
    QCOMPARE(plain.choice().way, pxv::SplitChoice::Way::EachPage);
    plain.findChild<QLineEdit*>()->setText("  ");
    QVERIFY(!plain.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());

    pxv::SplitDialog outlined(true, initial);
    QCOMPARE(outlined.choice().way, pxv::SplitChoice::Way::Outline);
}

void TestSplit::progressShowsAfterASecondAndCancels()
{
    pxv::WriteProgress progress(m_hosted.widget, "Split");
    auto* dialog = m_hosted.widget->findChild<QProgressDialog*>();
    QVERIFY(progress(0, 3, "/files/a.pdf"));
    QVERIFY(!dialog->isVisible());
    QTest::qWait(1100);
    QVERIFY(progress(1, 3, "/files/b.pdf"));
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->labelText().contains("b.pdf"));
    dialog->findChild<QPushButton*>()->click();
    QVERIFY(!progress(2, 3, "/files/c.pdf"));
}

QTEST_MAIN(TestSplit)
#include "tst_split.moc"
