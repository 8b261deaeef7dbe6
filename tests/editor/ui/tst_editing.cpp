// Editing through the control as a host, a script or the user does: operations by name with
// checked parameters, Undo and Redo from the keyboard and the history list, the tab's modified
// mark following the history, and splitting into files from the Pages menu.

#include "hostedcontrol.h"
#include "popplerview.h"
#include "testpdfs.h"

#include "core/document.h"
#include "ui/actionset.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/historypane.h"
#include "ui/pageview.h"
#include "ui/writeprogress.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void operationsRefuseBadParameters_data();
    void operationsRefuseBadParameters();
    void rotateAndSaveByName();
    void pageOperationsByName();
    void keysAndHistoryListUndoAndRedo();
    void splitFromThePagesMenu();
    void stampsFromTheDocumentMenu();
    void splitProgressShowsAfterASecondAndCancels();

private:
    pxv::DocumentView* view() const { return m_hosted.widget->activeView(); }
    pxv::Document* model() const { return view()->document()->model(); }
    QString tabText() const
    {
        auto* tabs = m_hosted.widget->findChild<QTabWidget*>();
        return tabs->tabText(tabs->currentIndex());
    }
    // Runs an operation of the active document with the given parameters; returns the value
    // of its "Output".
    QVariant run(const QString& name, const QVariantMap& parameters);
    // Where splits go; bad parameters leave it empty.
    QString splitFolder() const { return m_dir.filePath("split"); }

    QTemporaryDir m_dir;
    HostedControl m_hosted;
    QString m_path;
};

void TestEditing::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir("split"));
    registerPXVEditor();
}

void TestEditing::init()
{
    QVERIFY(m_hosted.create());
    testpdfs::Sample sample;
    sample.pages = 4;
    m_path = testpdfs::writeBytes(m_dir.filePath(QTest::currentTestFunction() + QStringLiteral(".pdf")),
                                  testpdfs::sample(sample));
    QVERIFY(!m_path.isEmpty());
    m_hosted.control->openPath(m_path, 0);
    QVERIFY(view());
}

void TestEditing::cleanup()
{
    m_hosted.destroy();
}

QVariant TestEditing::run(const QString& name, const QVariantMap& parameters)
{
    return m_hosted.run(name, parameters);
}

void TestEditing::operationsRefuseBadParameters_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QVariantMap>("parameters");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("named"); // what the message must name

    const QString rotate = QStringLiteral("op.document.rotatePages");
    QTest::newRow("range backwards") << rotate << QVariantMap{{"Pages", "3-2"}} << int(PXV_Error::InvalidArgument)
                                     << "3-2";
    QTest::newRow("page beyond the end") << rotate << QVariantMap{{"Pages", "9"}} << int(PXV_Error::InvalidArgument)
                                         << "4 pages";
    QTest::newRow("angle not a right angle")
        << rotate << QVariantMap{{"Angle", 45}} << int(PXV_Error::InvalidArgument) << "Angle";
    QTest::newRow("angle not a number") << rotate << QVariantMap{{"Angle", "right"}} << int(PXV_Error::InvalidArgument)
                                        << "right";
    QTest::newRow("unknown parameter") << rotate << QVariantMap{{"Angel", 90}} << int(PXV_Error::InvalidArgument)
                                       << "Angel";
    QTest::newRow("move beyond the end") << QStringLiteral("op.document.movePages")
                                         << QVariantMap{{"Pages", "1-2"}, {"Position", 4}}
                                         << int(PXV_Error::InvalidArgument) << "Position";
    QTest::newRow("delete every page") << QStringLiteral("op.document.deletePages") << QVariantMap{{"Pages", "all"}}
                                       << int(PXV_Error::Failed) << "at least one page";
    QTest::newRow("insert from nowhere") << QStringLiteral("op.document.insertPages") << QVariantMap{{"Position", 1}}
                                         << int(PXV_Error::InvalidArgument) << "Source";
    QTest::newRow("insert beyond the end")
        << QStringLiteral("op.document.insertEmptyPages") << QVariantMap{{"Position", 6}}
        << int(PXV_Error::InvalidArgument) << "1 to 5";
    QTest::newRow("unknown paper") << QStringLiteral("op.document.insertEmptyPages") << QVariantMap{{"Size", "A7"}}
                                   << int(PXV_Error::InvalidArgument) << "A7";
    QTest::newRow("margin not a number") << QStringLiteral("op.document.cropPages") << QVariantMap{{"Left", "wide"}}
                                         << int(PXV_Error::InvalidArgument) << "Left";
    const QString extract = QStringLiteral("op.document.extractPages");
    const auto split = [this](const QString& how, const QVariantMap& more) {
        QVariantMap parameters{{"Split", how}, {"Path", splitFolder()}};
        for (auto it = more.cbegin(); it != more.cend(); ++it)
            parameters.insert(it.key(), it.value());
        return parameters;
    };
    const int invalid = PXV_Error::InvalidArgument;
    QTest::newRow("split a new way") << extract << split("chapters", {}) << invalid << "“Split”";
    QTest::newRow("split by outline without one") << extract << split("outline", {}) << invalid << "“Split”";
    QTest::newRow("split count missing") << extract << split("count", {}) << invalid << "“Count”";
    QTest::newRow("split count zero") << extract << split("count", {{"Count", 0}}) << invalid << "“Count”";
    QTest::newRow("count without counting") << extract << split("pages", {{"Count", 2}}) << invalid << "“Count”";
    QTest::newRow("split range item empty") << extract << split("ranges", {{"Pages", "1,,2"}}) << invalid << "“Pages”";
    QTest::newRow("split without folder") << extract << QVariantMap{{"Split", "pages"}} << invalid << "“Path”";
    QTest::newRow("split into a file") << extract << split("pages", {{"Path", QCoreApplication::applicationFilePath()}})
                                       << invalid << "“Path”";
    const QString resize = QStringLiteral("op.document.resizePages");
    QTest::newRow("resize to no size") << resize << QVariantMap{{"Pages", "1"}} << int(PXV_Error::InvalidArgument)
                                       << "Size";
    QTest::newRow("resize to unknown paper")
        << resize << QVariantMap{{"Size", "B5"}} << int(PXV_Error::InvalidArgument) << "B5";
    QTest::newRow("resize to a width only")
        << resize << QVariantMap{{"Width", 500}} << int(PXV_Error::InvalidArgument) << "Height";
    QTest::newRow("resize too wide") << resize << QVariantMap{{"Width", 20000}, {"Height", 500}}
                                     << int(PXV_Error::InvalidArgument) << "Width";
    QTest::newRow("resize sideways") << resize << QVariantMap{{"Size", "A4"}, {"Orientation", "sideways"}}
                                     << int(PXV_Error::InvalidArgument) << "Orientation";
    QTest::newRow("scale too far") << resize << QVariantMap{{"Scale", 20}} << int(PXV_Error::InvalidArgument)
                                   << "Scale";
    QTest::newRow("scale and size") << resize << QVariantMap{{"Scale", 2}, {"Size", "A4"}}
                                    << int(PXV_Error::InvalidArgument) << "Size";
    QTest::newRow("export neither comments nor fields")
        << QStringLiteral("op.document.exportCommentsAndFields")
        << QVariantMap{{"Path", splitFolder()}, {"What", "all"}} << invalid << "“What”";
    const QString watermark = QStringLiteral("op.document.addWatermarks");
    QTest::newRow("watermark of nothing") << watermark << QVariantMap{{"Pages", "1"}} << invalid << "“Text”";
    QTest::newRow("watermark text and image")
        << watermark << QVariantMap{{"Text", "A"}, {"Image", splitFolder()}} << invalid << "“Image”";
    QTest::newRow("watermark colour by name")
        << watermark << QVariantMap{{"Text", "A"}, {"Color", "red"}} << invalid << "red";
    QTest::newRow("watermark too opaque")
        << watermark << QVariantMap{{"Text", "A"}, {"Opacity", 1.5}} << invalid << "“Opacity”";
    QTest::newRow("watermark nowhere") << watermark << QVariantMap{{"Text", "A"}, {"Position", "middle"}} << invalid
                                       << "middle";
    QTest::newRow("watermark half behind")
        << watermark << QVariantMap{{"Text", "A"}, {"Behind", "maybe"}} << invalid << "maybe";
    QTest::newRow("footer in the middle") << QStringLiteral("op.document.addHeaderFooter")
                                          << QVariantMap{{"Position", "center"}} << invalid << "“Position”";
    QTest::newRow("permission half given")
        << QStringLiteral("op.document.setSecurity") << QVariantMap{{"Print", "perhaps"}} << invalid << "“Print”";
    QTest::newRow("footer font too small")
        << QStringLiteral("op.document.addHeaderFooter") << QVariantMap{{"FontSize", 0}} << invalid << "“FontSize”";
}

void TestEditing::operationsRefuseBadParameters()
{
    QFETCH(QString, operation);
    QFETCH(QVariantMap, parameters);
    QFETCH(int, code);
    QFETCH(QString, named);
    try {
        run(operation, parameters);
        QFAIL("the operation ran");
    } catch (const PXV_Error& error) {
        QCOMPARE(error.code(), code);
        QVERIFY2(error.message().contains(named), qPrintable(error.message()));
    }
    QVERIFY(!model()->canUndo());
    QVERIFY(!model()->isModified());
    QCOMPARE(QDir(splitFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestEditing::rotateAndSaveByName()
{
    run(QStringLiteral("op.document.rotatePages"), {{"Pages", "odd"}, {"Angle", 90}});
    QCOMPARE(model()->undoName(), QString("Rotate Pages"));
    QCOMPARE(tabText(), QFileInfo(m_path).fileName() + " *");
    const QString copy = m_dir.filePath("saved-by-name.pdf");
    run(QStringLiteral("op.document.save"), {{"Path", copy}});
    QCOMPARE(m_hosted.control->activeDocPath(), copy);
    QCOMPARE(tabText(), QStringLiteral("saved-by-name.pdf"));
    QCOMPARE(testpdfs::qpdfProblems(copy), QString());
    // Pages 1 and 3 turned; page 2 came rotated already, page 4 upright.
    auto reopened = pxv::Document::open(copy);
    const QSizeF landscape(792, 612);
    const QSizeF portrait(612, 792);
    QCOMPARE(
        QList<QSizeF>({reopened->pageSize(0), reopened->pageSize(1), reopened->pageSize(2), reopened->pageSize(3)}),
        QList<QSizeF>({landscape, landscape, landscape, portrait}));
}

void TestEditing::pageOperationsByName()
{
    run(QStringLiteral("op.document.insertEmptyPages"), {{"Count", 2}, {"Position", 2}, {"Orientation", "landscape"}});
    QCOMPARE(model()->pageCount(), 6);
    QCOMPARE(model()->pageSize(1), QSizeF(792, 612)); // the first page's size, turned
    run(QStringLiteral("op.document.insertPages"), {{"Source", m_path}, {"Pages", "4"}});
    QCOMPARE(model()->pageCount(), 7);
    const QString extract = m_dir.filePath("extract.pdf");
    run(QStringLiteral("op.document.extractPages"), {{"Pages", "2-3"}, {"Path", extract}});
    QCOMPARE(testpdfs::qpdfProblems(extract), QString());
    QCOMPARE(pxv::Document::open(extract)->pageCount(), 2);
    const QStringList files = run(QStringLiteral("op.document.extractPages"),
                                  {{"Split", "ranges"}, {"Pages", "6-7, 2"}, {"Path", splitFolder()}})
                                  .toStringList();
    const QString base = QDir(splitFolder()).filePath(QFileInfo(m_path).completeBaseName());
    QCOMPARE(files, QStringList({base + " - pages 6-7.pdf", base + " - page 2.pdf"}));
    for (const QString& file : files)
        QVERIFY(QFile::remove(file));
    run(QStringLiteral("op.document.deletePages"), {{"Pages", "2-3,7"}});
    QCOMPARE(model()->pageCount(), 4);
    run(QStringLiteral("op.document.resizePages"), {{"Pages", "1-2"}, {"Size", "Legal"}, {"Orientation", "landscape"}});
    QCOMPARE(model()->pageSize(0), QSizeF(1008, 612));
    run(QStringLiteral("op.document.resizePages"), {{"Pages", "3"}, {"Scale", "1.5"}});
    QCOMPARE(model()->pageSize(2), QSizeF(918, 1188));
    run(QStringLiteral("op.document.resizePages"), {{"Pages", "4"}, {"Size", "Letter"}, {"Width", 500}});
    QCOMPARE(model()->pageSize(3), QSizeF(500, 792));
    run(QStringLiteral("op.document.addWatermarks"),
        {{"Text", "Draft"}, {"Color", "#ff0000"}, {"Opacity", 0.5}, {"Position", "tile"}, {"Behind", "true"}});
    run(QStringLiteral("op.document.addHeaderFooter"),
        {{"Text", "{n}/{N}"}, {"Position", "top-right"}, {"StartNumber", 3}});
    const QString stamped = m_dir.filePath("stamped.pdf");
    run(QStringLiteral("op.document.save"), {{"Path", stamped}});
    QVERIFY(testpdfs::popplerText(stamped, 3).contains("6/6"));
    run(QStringLiteral("op.document.removeWatermarks"), {{"Pages", "2-4"}});
    run(QStringLiteral("op.document.removeHeaderFooter"), {});
    QCOMPARE(
        model()->historySteps(),
        QStringList({"Insert Blank Pages", "Insert Page", "Delete Pages", "Resize Pages", "Resize Page", "Resize Page",
                     "Add Watermark", "Add Header and Footer", "Remove Watermarks", "Remove Headers and Footers"}));
    model()->setHistoryPosition(0);
    QCOMPARE(model()->pageCount(), 4);
    QVERIFY(model()->isModified()); // saved with the stamps
}

void TestEditing::keysAndHistoryListUndoAndRedo()
{
    pxv::PageView* pages = view()->pageView();
    pages->setFocus();
    QTest::keyClick(pages, Qt::Key_Right, Qt::ControlModifier);
    pages->goToPage(2);
    QTest::keyClick(pages, Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(model()->historySteps(), QStringList({"Rotate Page", "Rotate Page"}));
    QCOMPARE(model()->pageSize(2), QSizeF(792, 612));
    QAction* undo = m_hosted.widget->actions()->action("cmd.undo");
    QCOMPARE(undo->text(), QString("&Undo Rotate Page"));

    QTest::keyClick(pages, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(model()->historyPosition(), 1);
    QCOMPARE(model()->pageSize(2), QSizeF(612, 792));
    QTest::keyClick(pages, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(model()->historyPosition(), 2);
    QTest::keyClick(pages, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(model()->historyPosition(), 2); // nothing left to redo

    // The history list goes back to the file in one click: the document is unmodified again.
    m_hosted.widget->runCommand("cmd.showHistory");
    pxv::HistoryPane* history = view()->historyPane();
    QVERIFY(history->isVisible());
    QCOMPARE(history->count(), 3);
    const QRect first = history->visualItemRect(history->item(0));
    QTest::mouseClick(history->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(model()->historyPosition(), 0);
    QVERIFY(!model()->isModified());
    QCOMPARE(tabText(), QFileInfo(m_path).fileName());
    QVERIFY(!undo->isEnabled());
    QVERIFY(m_hosted.widget->actions()->action("cmd.redo")->isEnabled());
    QCOMPARE(m_hosted.dialogs->errors, QStringList());
}

void TestEditing::stampsFromTheDocumentMenu()
{
    QHash<QString, QAction*> commands;
    for (QAction* menu : m_hosted.widget->findChild<QMenuBar*>()->actions()) {
        if (menu->text().remove('&') == "Document") {
            for (QAction* action : menu->menu()->actions())
                commands.insert(action->objectName(), action);
        }
    }
    QVERIFY(commands.value("cmd.addWatermark") && commands.value("cmd.removeWatermarks")
            && commands.value("cmd.addHeaderFooter") && commands.value("cmd.removeHeaderFooter"));
    commands.value("cmd.addWatermark")->trigger(); // cancelled: no step
    QVERIFY(model()->historySteps().isEmpty());
    m_hosted.dialogs->stampAnswer = {{"Pages", "2"}, {"Text", "Draft"}, {"Position", "tile"}};
    commands.value("cmd.addWatermark")->trigger();
    m_hosted.dialogs->stampAnswer = {{"Pages", "all"}, {"Text", "{n}"}};
    commands.value("cmd.addHeaderFooter")->trigger();
    QCOMPARE(m_hosted.dialogs->stampKinds, QList<pxv::StampKind>({pxv::StampKind::Watermark, pxv::StampKind::Watermark,
                                                                  pxv::StampKind::HeaderFooter}));
    commands.value("cmd.removeWatermarks")->trigger();
    commands.value("cmd.removeHeaderFooter")->trigger();
    QCOMPARE(model()->historySteps(), QStringList({"Add Watermark", "Add Header and Footer", "Remove Watermarks",
                                                   "Remove Headers and Footers"}));

    // Properties: cancelled or unchanged is no step; an edit is one.
    QVERIFY(commands.value("cmd.documentProperties"));
    QCOMPARE(commands.value("cmd.documentProperties")->shortcut(), QKeySequence("Ctrl+D"));
    commands.value("cmd.documentProperties")->trigger();
    const pxv::DocumentInfo info = model()->info();
    m_hosted.dialogs->propertiesAnswer = pxv::EditableInfo{info.title, info.author, info.subject, info.keywords};
    commands.value("cmd.documentProperties")->trigger();
    QCOMPARE(model()->historySteps().size(), 4);
    m_hosted.dialogs->propertiesAnswer->author = "Ann";
    commands.value("cmd.documentProperties")->trigger();
    QCOMPARE(model()->undoName(), QString("Edit Properties"));
    QCOMPARE(model()->info().author, QString("Ann"));
    run(QStringLiteral("op.document.setProperties"), {{"Title", "By name"}});
    QCOMPARE(model()->info().title, QString("By name"));
    QCOMPARE(model()->info().author, QString("Ann"));

    // Security is chosen now and given to the file by the next save.
    QVERIFY(commands.value("cmd.documentSecurity"));
    m_hosted.dialogs->securityAnswer = pxv::Protection{"pw", "owner", pxv::PermitPrint | pxv::PermitCopy};
    commands.value("cmd.documentSecurity")->trigger();
    QCOMPARE(m_hosted.dialogs->securityAsks.size(), 1);
    QVERIFY(m_hosted.dialogs->securityAsks.first().method.isEmpty());
    const pxv::ProtectionState state = model()->protection();
    QVERIFY(state.pending && state.openPassword);
    QCOMPARE(state.permissions, pxv::PermitPrint | pxv::PermitCopy);
    run(QStringLiteral("op.document.setSecurity"), {{"PermissionsPassword", "owner"}, {"Edit", "false"}});
    QCOMPARE(model()->protection().permissions, pxv::PermitAll & ~pxv::PermitEdit);
    QVERIFY(!model()->protection().openPassword);
    QCOMPARE(m_hosted.dialogs->errors, QStringList());
}

void TestEditing::splitFromThePagesMenu()
{
    QAction* split = nullptr;
    for (QAction* menu : m_hosted.widget->findChild<QMenuBar*>()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            if (action->objectName() == "cmd.splitDocument")
                split = action;
        }
    }
    QVERIFY(split);
    QStringList asked;
    const QString folder = m_dir.filePath("menu-split");
    QVERIFY(QDir().mkpath(folder));
    m_hosted.dialogs->splitAnswer = [&](bool hasOutline, pxv::SplitChoice* choice) {
        asked.append(QString("%1 %2").arg(hasOutline).arg(choice->folder));
        choice->count = 3;
        choice->folder = folder;
        return true;
    };
    split->trigger();
    QCOMPARE(asked, QStringList({"0 " + QFileInfo(m_path).absolutePath()}));
    QCOMPARE(m_hosted.dialogs->errors, QStringList());
    const QString base = QFileInfo(m_path).completeBaseName();
    const QStringList written{base + " - page 4.pdf", base + " - pages 1-3.pdf"};
    QCOMPARE(QDir(folder).entryList(QDir::Files), written);
    for (const QString& file : written)
        QCOMPARE(testpdfs::qpdfProblems(QDir(folder).filePath(file)), QString());

    split->trigger(); // the files are there now
    QCOMPARE(m_hosted.dialogs->errors.size(), 1);
    QVERIFY2(m_hosted.dialogs->errors.first().contains(written.last()), qPrintable(m_hosted.dialogs->errors.first()));
    QCOMPARE(QDir(folder).entryList(QDir::Files), written);
}

void TestEditing::splitProgressShowsAfterASecondAndCancels()
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

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
