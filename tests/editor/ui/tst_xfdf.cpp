// Comments and fields exchanged as XFDF through the operations by name, as a host or script runs
// them, and through the Comment menu's commands with their file questions.

#include "hostedcontrol.h"
#include "testpdfs.h"

#include "core/document.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"

#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

class TestXfdfExchange : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void operationsCheckTheirParameters();
    void menuCommandsAskForTheFile();

private:
    pxv::Document* model() const { return m_hosted.widget->activeView()->document()->model(); }
    QVariant run(const QString& name, const QVariantMap& parameters);

    QTemporaryDir m_dir;
    HostedControl m_hosted;
};

void TestXfdfExchange::initTestCase()
{
    QVERIFY(m_dir.isValid());
    registerPXVEditor();
}

void TestXfdfExchange::init()
{
    QVERIFY(m_hosted.create());
    const QString path = testpdfs::write(m_dir.filePath(QTest::currentTestFunction() + QStringLiteral(".pdf")), 2);
    m_hosted.control->openPath(path, 0);
    QVERIFY(m_hosted.widget->activeView());
    run("op.document.addAnnot",
        {{"Page", 1}, {"Type", "Square"}, {"Rect", QStringList{"100", "100", "50", "50"}}, {"Contents", "checked"}});
}

void TestXfdfExchange::cleanup()
{
    m_hosted.destroy();
}

QVariant TestXfdfExchange::run(const QString& name, const QVariantMap& parameters)
{
    return m_hosted.run(name, parameters);
}

void TestXfdfExchange::operationsCheckTheirParameters()
{
    const QString path = m_dir.filePath("comments.xfdf");
    const struct
    {
        const char* operation;
        QVariantMap parameters;
        const char* named;
    } bad[] = {
        {"op.document.exportCommentsAndFields", {{"Path", path}, {"What", "everything"}}, "What"},
        {"op.document.exportCommentsAndFields", {{"Path", " "}}, "Path"},
        {"op.document.importCommentsAndFields", {}, "Path"},
        {"op.document.importCommentsAndFields", {{"Path", path}, {"What", "both"}}, "What"},
    };
    for (const auto& call : bad) {
        try {
            run(call.operation, call.parameters);
            QFAIL(call.named);
        } catch (const PXV_Error& error) {
            QCOMPARE(error.code(), PXV_Error::InvalidArgument);
            QVERIFY2(error.message().contains(call.named), qPrintable(error.message()));
        }
    }
    QVERIFY(!QFile::exists(path));

    QCOMPARE(run("op.document.exportCommentsAndFields", {{"Path", path}, {"What", "Comments"}}).toString(), path);
    const QVariantMap done = run("op.document.importCommentsAndFields", {{"Path", path}}).toMap();
    QCOMPARE(done.value("Comments").toInt(), 1);
    QCOMPARE(done.value("Fields").toInt() + done.value("SkippedFields").toInt() + done.value("SkippedComments").toInt(),
             0);
    QCOMPARE(model()->annotations(0).size(), 2);
    QCOMPARE(model()->annotations(0).last().contents, QStringLiteral("checked"));

    // A file that is no XFDF: the document's failure, told as such, and nothing changed.
    const QString broken = testpdfs::writeBytes(m_dir.filePath("broken.xfdf"), "<xfdf><annots><square page='x'/>");
    const int steps = model()->historySteps().size();
    try {
        run("op.document.importCommentsAndFields", {{"Path", broken}});
        QFAIL("a broken file was read");
    } catch (const PXV_Error& error) {
        QCOMPARE(error.code(), PXV_Error::Failed);
    }
    QCOMPARE(model()->historySteps().size(), steps);
    QCOMPARE(model()->annotations(0).size(), 2);
}

void TestXfdfExchange::menuCommandsAskForTheFile()
{
    FakeDialogs* dialogs = m_hosted.dialogs;
    const QString path = m_dir.filePath("menu.xfdf");
    m_hosted.widget->runCommand("cmd.exportCommentsAndFields"); // cancelled: no file
    QVERIFY(!QFile::exists(path));
    dialogs->xfdfAnswer = path;
    m_hosted.widget->runCommand("cmd.exportCommentsAndFields");
    QVERIFY(QFile::exists(path));

    m_hosted.widget->runCommand("cmd.importCommentsAndFields");
    QCOMPARE(dialogs->informations.size(), 1);
    QVERIFY2(dialogs->informations.first().contains("Comments added: 1."), qPrintable(dialogs->informations.first()));
    QCOMPARE(model()->annotations(0).size(), 2);
    QCOMPARE(model()->undoName(), QStringLiteral("Import Comments and Fields"));

    dialogs->xfdfAnswer = testpdfs::writeBytes(m_dir.filePath("foreign.xfdf"), "<fdf/>");
    m_hosted.widget->runCommand("cmd.importCommentsAndFields");
    QCOMPARE(dialogs->errors.size(), 1);
    QCOMPARE(model()->annotations(0).size(), 2);

    if (qEnvironmentVariableIsSet("VP_GRAB")) {
        for (QAction* action : m_hosted.widget->findChild<QMenuBar*>()->actions()) {
            if (action->text() == QStringLiteral("C&omment")) {
                action->menu()->popup(m_hosted.host->mapToGlobal(QPoint(200, 30)));
                QVERIFY(QTest::qWaitForWindowExposed(action->menu()));
                action->menu()->grab().save(qEnvironmentVariable("VP_GRAB"));
                action->menu()->hide();
            }
        }
    }
}

QTEST_MAIN(TestXfdfExchange)
#include "tst_xfdf.moc"
