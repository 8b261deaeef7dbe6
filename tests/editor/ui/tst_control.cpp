// Drives the editor control through its public interface, as the host does.

#include "hostedcontrol.h"
#include "perfmessages.h"
#include "testpdfs.h"

#include "ipxv.h"
#include "pxveditor.h"
#include "qcontrolhost.h"
#include "core/pagerenderer.h"
#include "ui/cpxvcontrol.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/navwidgets.h"
#include "ui/outlinepane.h"
#include "ui/pageview.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QValidator>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <unistd.h>

namespace {

// The table names the host resolves, in its underscore form.
const QStringList kTableNames = {"cmdbar_menubar",
                                 "cmdbar_standard",
                                 "cmdbar_file",
                                 "cmdbar_view",
                                 "cmdbar_pageZoom",
                                 "cmdbar_pageNav",
                                 "cmdbar_contentEditing",
                                 "cmdbar_pageLayout",
                                 "cmdbar_docOptions",
                                 "cmdbar_commenting",
                                 "cmdbar_measurement",
                                 "cmdbar_properties",
                                 "cmdbar_launchApp",
                                 "cmdbar_addon",
                                 "cmdbar_form",
                                 "pageThumbnailsView",
                                 "bookmarksView",
                                 "contentsView",
                                 "attachmentsView",
                                 "signaturesView",
                                 "commentsView",
                                 "layersView",
                                 "pdfNamedDestsView",
                                 "propertiesView",
                                 "searchView",
                                 "stampsView",
                                 "commentStylesView",
                                 "panzoomView",
                                 "op_document_printPages",
                                 "op_newBlankDoc",
                                 "op_imagesToDoc",
                                 "op_textToDoc",
                                 "op_combineDocs",
                                 "op_document_insertPages",
                                 "op_document_insertEmptyPages",
                                 "op_document_deletePages",
                                 "op_document_extractPages",
                                 "op_document_replacePages",
                                 "op_document_cropPages",
                                 "op_document_resizePages",
                                 "op_document_addWatermarks",
                                 "op_document_summarizeAnnots",
                                 "op_document_exportCommentsAndFields",
                                 "op_document_importCommentsAndFields",
                                 "op_document_exportToImages",
                                 "e_activeDocChanged",
                                 "e_document_modStateChanged",
                                 "e_document_sourceChanged",
                                 "e_document_beforeSave",
                                 "e_document_afterSave",
                                 "e_pagesView_endLayoutChanging",
                                 "e_uiLanguageChanged"};

QString dotted(QString name)
{
    return name.replace(QLatin1Char('_'), QLatin1Char('.'));
}

} // namespace

// Receives the URLs the component asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void namesResolveToStableIds();
    void hostSetupCallsSucceed();
    void hidingHelpRemovesItsAction();
    void activeDocPathIsNullCleanOrEmpty();
    void eventsFireInOrderOnlyWhenEnabled();
    void saveEventsFireAroundASave();
    void combineKeepsEveryPage();
    void combineCommandShowsTheNewDocument();
    void cancelledCombineShowsNothing();
    void combineAsksPasswordsFromItsWorker();
    void windowKeepsWorkingDuringALongCombine();
    void repairedFileShowsANoticeBar();
    void operationsOfTheTableAreMade();
    void operationParametersFormATree();
    void passwordIsAskedAgainWhenWrong();
    void cancelledPasswordOpensNothing();
    void closePromptCancelKeepsAndDiscardCloses();
    void queryCloseAsksOnlyAboutUnsavedDocuments();
    void saveAsWritesACheckedFile();
    void failedSaveSaysWhyAndKeepsTheDocument();
    void brokenFilesGiveAClearMessage_data();
    void brokenFilesGiveAClearMessage();
    void pageTreeThatContainsItselfDoesNotHang();
    void singleWindowReplacesTheDocument();
    void openingAnOpenFileShowsItsTab();
    void preparedFileOpensAsItIsWhenAskedFor();
    void viewRequestsOnlyVisiblePages();
    void viewDrawsAheadInTheScrollDirection();
    void zoomCommandsChangeTheScale();
    void pageBoxFollowsNavigation();
    void firstPagePaintedIsLogged();
    void backAndForwardRetraceTheJumps();
    void linksJumpOrOpenOnlySafeSchemes();
    void openCommandOpensEachFileAndShowsFailures();
    void droppedFilesOpen();
    void keyboardShortcutsReachTheCommands();
    void scrollingAndZoomingKeepRendering();
    void rotatedPageIsSavedIntoItsFile();
    void combinedOutlineShowsAndPagesRender();

private:
    int id(const QString& name) { return m_control->inst()->nameToId(name, true); }
    pxv::PageView* pageView() const;
    std::shared_ptr<IPXV_Document> runOperation(const QString& name, const QStringList& input = {});
    QString pdf(const QString& name, int pages);
    void pressCombineCancel();

    QTemporaryDir m_dir;
    HostedControl m_hosted;
    QControlHost* m_host = nullptr;
    IPXV_Control* m_control = nullptr;
    CPXVControl* m_widget = nullptr;
    FakeDialogs* m_dialogs = nullptr;
    QList<int> m_events;
};

void TestControl::initTestCase()
{
    QVERIFY(m_dir.isValid());
    registerPXVEditor();
}

void TestControl::init()
{
    QVERIFY(m_hosted.create());
    m_host = m_hosted.host.get();
    m_control = m_hosted.control;
    m_widget = m_hosted.widget;
    m_dialogs = m_hosted.dialogs;
    m_events.clear();
    connect(m_host, &QControlHost::OnEvent, this,
            [this](int eventId, IDispatch*, IUnknown*) { m_events.append(eventId); });
}

void TestControl::cleanup()
{
    m_hosted.destroy();
}

pxv::PageView* TestControl::pageView() const
{
    pxv::DocumentView* view = m_widget->activeView();
    return view ? view->pageView() : nullptr;
}

std::shared_ptr<IPXV_Document> TestControl::runOperation(const QString& name, const QStringList& input)
{
    return m_hosted.runForDocument(name, input.isEmpty() ? QVariantMap() : QVariantMap{{"Input", input}});
}

QString TestControl::pdf(const QString& name, int pages)
{
    const QString path = m_dir.filePath(name);
    if (!QFile::exists(path))
        testpdfs::write(path, pages);
    return path;
}

void TestControl::namesResolveToStableIds()
{
    QSet<int> seen;
    for (const QString& name : kTableNames) {
        const int first = id(dotted(name));
        QVERIFY2(first > 0, qPrintable(name));
        QCOMPARE(id(dotted(name)), first);
        QCOMPARE(m_control->inst()->idToName(first), dotted(name));
        seen.insert(first);
    }
    QCOMPARE(seen.size(), kTableNames.size());

    for (const QString command : {"cmd.open", "cmd.newDocCombine", "cmd.save", "cmd.saveAs", "cmd.close", "cmd.help"}) {
        const int commandId = id(command);
        QVERIFY(commandId > 0 && !seen.contains(commandId));
        seen.insert(commandId);
    }

    // Ids hold for the whole run, not just for one control.
    const int activeDocChanged = id("e.activeDocChanged");
    init();
    QCOMPARE(id("e.activeDocChanged"), activeDocChanged);

    for (const QString unknown : {"e_activeDocChanged", "cmd.nothing", "", "_op_begin_"}) {
        try {
            id(unknown);
            QFAIL(qPrintable("no error for " + unknown));
        } catch (const PXV_Error& error) {
            QCOMPARE(error.code(), int(PXV_Error::NotFound));
            QVERIFY(!error.message().isEmpty());
        }
    }
    QVERIFY_EXCEPTION_THROWN(m_control->inst()->runCommand("cmd.nothing"), PXV_Error);
    // An operation is not a command.
    QVERIFY_EXCEPTION_THROWN(m_control->inst()->runCommand("op.newBlankDoc"), PXV_Error);
}

void TestControl::hostSetupCallsSucceed()
{
    IPXV_Inst* inst = m_control->inst();
    for (const QString& event : kTableNames.mid(45, 7))
        m_control->enableEvent(id(dotted(event)), true);
    QCOMPARE(m_control->setBorderStyle(3), 0);
    inst->setNoValueText("-");
    inst->settings()->setBool("Docs.SingleWnd", false);
    inst->setPreference(9, 0);
    inst->layout()->frame()->view()->paneArea()->setSizeLimits(1024, 0, 1024, 0);
    inst->layout()->fullScreen()->frame()->view()->paneArea()->setSizeLimits(1024, 0, 1024, 0);
    IPXV_Command* help = inst->extension("UIX")->commands()->find("cmd.help");
    QVERIFY(help);
    help->setHidden(true);
    QVERIFY(help->isHidden());

    QCOMPARE(m_control->setBorderStyle(7), -1);
    QVERIFY_EXCEPTION_THROWN(inst->extension("XYZ"), PXV_Error);
    QVERIFY(!inst->settings()->getBool("Docs.SingleWnd", true));

    // No start page, and the page box shows the no-value text.
    for (QLabel* label : m_widget->findChildren<QLabel*>())
        QVERIFY(!(label->text() == "Open a PDF" && label->isVisible()));
    auto* pageBox = m_widget->findChild<pxv::PageBox*>();
    QVERIFY(pageBox);
    QCOMPARE(pageBox->text(), QString("- / -"));
    inst->setPreference(9, 1);
    bool startShown = false;
    for (QLabel* label : m_widget->findChildren<QLabel*>())
        startShown |= label->text() == "Open a PDF" && label->isVisible();
    QVERIFY(startShown);
    const QString shots = qEnvironmentVariable("VP_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        QVERIFY(m_host->grab().save(QDir(shots).filePath("editor-start.png")));

    // The limits reach the outline pane of every document.
    m_control->openPath(pdf("setup.pdf", 2), 0);
    QCOMPARE(m_widget->activeView()->outlinePane()->maximumWidth(), 1024);
    inst->layout()->frame()->view()->paneArea()->setSizeLimits(300, 120, 0, 0);
    QCOMPARE(m_widget->activeView()->outlinePane()->maximumWidth(), 300);
    QCOMPARE(m_widget->activeView()->outlinePane()->minimumWidth(), 120);
    QVERIFY_EXCEPTION_THROWN(inst->layout()->frame()->view()->paneArea()->setSizeLimits(10, 20, 0, 0), PXV_Error);
    QCOMPARE(pageBox->text(), QString("1 / 2"));
    // Page turns reuse the box's validator instead of piling up new ones.
    for (int i = 0; i < 20; ++i)
        pageBox->setPage(i % 2, 2);
    QCOMPARE(pageBox->findChildren<QValidator*>().size(), 1);
}

void TestControl::hidingHelpRemovesItsAction()
{
    auto* help = m_widget->findChild<QAction*>("cmd.help");
    auto* toolBar = m_widget->findChild<QToolBar*>();
    QVERIFY(help && toolBar);
    QVERIFY(help->isVisible());
    QVERIFY(toolBar->widgetForAction(help)->isVisible());

    m_control->inst()->extension("UIX")->commands()->find("cmd.help")->setHidden(true);
    QVERIFY(!help->isVisible());
    QTRY_VERIFY(!toolBar->widgetForAction(help)->isVisible());
    // Its shortcut is gone with it.
    m_widget->setFocus();
    QTest::keyClick(m_widget, Qt::Key_F1);
    QCOMPARE(m_dialogs->helpShown, 0);

    m_control->inst()->extension("UIX")->commands()->find("cmd.help")->setHidden(false);
    QVERIFY(help->isVisible());
    QVERIFY(!m_control->inst()->extension("UIX")->commands()->find("cmd.unknown"));
}

void TestControl::activeDocPathIsNullCleanOrEmpty()
{
    QVERIFY(m_control->activeDocPath().isNull());

    const QString file = pdf("clean.pdf", 1);
    QDir::setCurrent(m_dir.path());
    m_control->openPath("./sub/../clean.pdf", 0);
    QCOMPARE(m_control->activeDocPath(), QFileInfo(file).absoluteFilePath());

    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    QVERIFY(!m_control->activeDocPath().isNull());
    QVERIFY(m_control->activeDocPath().isEmpty());
    QCOMPARE(m_widget->documentCount(), 2);
}

void TestControl::eventsFireInOrderOnlyWhenEnabled()
{
    const QString a = pdf("a.pdf", 2);
    const QString b = pdf("b.pdf", 3);
    m_control->openPath(a, 0);
    QVERIFY(m_events.isEmpty()); // nothing enabled yet

    const int active = id("e.activeDocChanged");
    m_control->enableEvent(active, true);
    m_control->openPath(b, 0);
    QCOMPARE(m_events, QList<int>{active}); // delivered inside the call

    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    QCOMPARE(m_events.size(), 2);
    QVERIFY(m_control->activeDocPath().isEmpty());

    m_control->inst()->runCommand("cmd.nextDoc", 0); // tab switch, wraps to the first tab
    QCOMPARE(m_events.size(), 3);
    QCOMPARE(m_control->activeDocPath(), a);

    m_control->inst()->runCommand("cmd.close", 0);
    QCOMPARE(m_events.size(), 4);
    QCOMPARE(m_control->activeDocPath(), b);

    m_control->inst()->runCommand("cmd.close", 0);
    m_dialogs->closeAnswers.enqueue(pxv::DialogProvider::CloseAnswer::Discard); // the blank one is unsaved
    m_control->inst()->runCommand("cmd.close", 0);
    QCOMPARE(m_events.size(), 6);
    QVERIFY(m_control->activeDocPath().isNull());
    QVERIFY(std::all_of(m_events.cbegin(), m_events.cend(), [active](int e) { return e == active; }));

    m_control->enableEvent(active, false);
    m_control->openPath(a, 0);
    QCOMPARE(m_events.size(), 6);
    QVERIFY_EXCEPTION_THROWN(m_control->enableEvent(id("cmd.open"), true), PXV_Error);
}

void TestControl::saveEventsFireAroundASave()
{
    for (const QString name :
         {"e.activeDocChanged", "e.document.modStateChanged", "e.document.beforeSave", "e.document.afterSave"})
        m_control->enableEvent(id(name), true);
    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    QCOMPARE(m_events, QList<int>{id("e.activeDocChanged")});
    m_events.clear();

    m_dialogs->saveAnswer = m_dir.filePath("events.pdf");
    m_control->inst()->runCommand("cmd.save", 0); // no file yet: acts as save-as
    QCOMPARE(m_dialogs->saveSuggestions.size(), 1);
    const int before = m_events.indexOf(id("e.document.beforeSave"));
    const int after = m_events.indexOf(id("e.document.afterSave"));
    QVERIFY(before >= 0 && after > before);
    QVERIFY(m_events.contains(id("e.document.modStateChanged")));
    // The document now has a file: the host hears of it as the active document.
    QCOMPARE(m_events.last(), id("e.activeDocChanged"));
    QCOMPARE(m_control->activeDocPath(), m_dialogs->saveAnswer);
}

void TestControl::combineKeepsEveryPage()
{
    const std::shared_ptr<IPXV_Document> combined = runOperation("op.combineDocs",
                                                                 {pdf("c1.pdf", 2), pdf("c2.pdf", 3)});
    QVERIFY(combined);
    QCOMPARE(combined->pageCount(), 5);
    QVERIFY(combined->srcPath().isNull());
    QCOMPARE(m_widget->documentCount(), 0); // the operation alone shows nothing

    m_control->showDocument(combined, 0);
    QCOMPARE(m_control->activeDocPath(), QString(""));
    QCOMPARE(pageView()->pageCount(), 5);

    QVERIFY_EXCEPTION_THROWN(runOperation("op.combineDocs"), PXV_Error);
}

void TestControl::combineCommandShowsTheNewDocument()
{
    m_control->enableEvent(id("e.activeDocChanged"), true);
    m_dialogs->combineAnswer = QStringList{pdf("c1.pdf", 2), pdf("c2.pdf", 3), pdf("c1.pdf", 2)};
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QCOMPARE(m_events.size(), 1);
    QCOMPARE(pageView()->pageCount(), 7);

    // A file that is not a PDF: the command says so and shows nothing new.
    m_dialogs->combineAnswer = QStringList{pdf("c1.pdf", 2), testpdfs::writeBytes(m_dir.filePath("junk.pdf"), "hello")};
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    QCOMPARE(m_dialogs->errors.size(), 1);
    QCOMPARE(m_widget->documentCount(), 1);
}

void TestControl::pressCombineCancel()
{
    auto* progress = m_widget->findChild<QProgressDialog*>();
    QVERIFY(progress);
    auto* cancel = progress->findChild<QPushButton*>();
    QVERIFY(cancel);
    cancel->click();
}

void TestControl::cancelledCombineShowsNothing()
{
    m_control->enableEvent(id("e.activeDocChanged"), true);
    m_dialogs->combineAnswer = QStringList{pdf("c1.pdf", 2), pdf("c2.pdf", 3)};
    // Queued before the command, so it is the first thing the combine's event loop does: the
    // result cannot have been taken yet, whether or not the worker is done.
    bool pressed = false;
    QTimer::singleShot(0, this, [&] {
        pressCombineCancel();
        pressed = true;
    });
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    QVERIFY(pressed);
    QCOMPARE(m_widget->documentCount(), 0);
    QVERIFY(m_events.isEmpty());
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QVERIFY(!m_widget->findChild<QProgressDialog*>());

    // The next combine is not held up by the cancelled one.
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    QCOMPARE(m_widget->documentCount(), 1);
    QCOMPARE(pageView()->pageCount(), 5);
    QCOMPARE(m_events.size(), 1);
}

void TestControl::combineAsksPasswordsFromItsWorker()
{
    const QString locked = testpdfs::writeEncrypted(pdf("plain.pdf", 2), m_dir.filePath("locked3.pdf"), "secret");
    if (locked.isEmpty())
        QSKIP("qpdf is missing");
    m_control->enableEvent(id("e.activeDocChanged"), true);
    m_dialogs->combineAnswer = QStringList{pdf("c1.pdf", 2), locked};
    m_dialogs->passwordAnswers << "wrong"
                               << "secret";
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QCOMPARE(m_dialogs->passwordAsks.size(), 2);
    QCOMPARE(m_dialogs->passwordAsks.at(0).fileName, QString("locked3.pdf"));
    QVERIFY(!m_dialogs->passwordAsks.at(0).retry);
    QVERIFY(m_dialogs->passwordAsks.at(1).retry);
    QCOMPARE(pageView()->pageCount(), 4);
    QCOMPARE(m_events.size(), 1);

    // Cancelling while the question is open discards the combine even though the right
    // password then comes; a second combine asked for meanwhile is refused with a message
    // rather than started inside the first.
    m_dialogs->passwordAnswers << "secret";
    m_dialogs->whilePasswordAsked = [this] {
        m_control->inst()->runCommand("cmd.newDocCombine", 0);
        pressCombineCancel();
    };
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    m_dialogs->whilePasswordAsked = nullptr;
    QCOMPARE(m_dialogs->passwordAsks.size(), 3);
    QCOMPARE(m_widget->documentCount(), 1);
    QCOMPARE(m_events.size(), 1);
    QCOMPARE(m_dialogs->errors, QStringList{"Another combine is still running."});
    m_dialogs->errors.clear();

    // A password question the user cancels ends the combine quietly.
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    QCOMPARE(m_dialogs->passwordAsks.size(), 4);
    QCOMPARE(m_widget->documentCount(), 1);
    QVERIFY(m_dialogs->errors.isEmpty());
}

void TestControl::windowKeepsWorkingDuringALongCombine()
{
    const QString part = pdf("sixty.pdf", 60);
    QStringList parts;
    for (int i = 0; i < 40; ++i)
        parts << part;
    m_dialogs->combineAnswer = parts;

    int ticksWhileCombining = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] {
        if (m_widget->findChild<QProgressDialog*>())
            ++ticksWhileCombining;
    });
    ticker.start(0);
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    ticker.stop();

    QVERIFY(ticksWhileCombining > 0);
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QCOMPARE(pageView()->pageCount(), 40 * 60);
}

void TestControl::repairedFileShowsANoticeBar()
{
    QFile source(pdf("healthy.pdf", 2));
    QVERIFY(source.open(QIODevice::ReadOnly));
    // Every cross-reference offset wrong, as a careless transfer leaves a file.
    QByteArray bytes = source.readAll();
    const int xref = bytes.indexOf("xref\n");
    QVERIFY(xref > 0);
    int entries = 0;
    for (int i = bytes.indexOf(" 00000 n", xref); i > 0; i = bytes.indexOf(" 00000 n", i + 8), ++entries)
        bytes.replace(i - 10, 10, "0000000003");
    QVERIFY(entries > 2);
    const QString damaged = testpdfs::writeBytes(m_dir.filePath("repaired.pdf"), bytes);

    m_control->openPath(damaged, 0); // opened by path: nothing modal may stop it
    QVERIFY(!QApplication::activeModalWidget());
    pxv::DocumentView* repairedView = m_widget->activeView();
    QCOMPARE(repairedView->pageView()->pageCount(), 2);
    QFrame* notice = repairedView->repairNotice();
    QVERIFY(notice && notice->isVisible());
    QVERIFY(notice->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly));
    QStringList texts;
    for (const QLabel* label : notice->findChildren<QLabel*>())
        texts << label->text();
    QVERIFY(texts.contains("This file was damaged and has been repaired. Save it to keep the repaired version."));
    QVERIFY(notice->geometry().bottom() < repairedView->pageView()->mapTo(repairedView, QPoint()).y());
    const QString shots = qEnvironmentVariable("VP_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        QVERIFY(m_host->grab().save(QDir(shots).filePath("editor-repaired.png")));

    m_control->openPath(pdf("healthy.pdf", 2), 0);
    QVERIFY(!m_widget->activeView()->repairNotice());

    // The close button dismisses it for good; saving the repaired document also ends it.
    m_control->openPath(damaged, 0);
    QVERIFY(notice->isVisible());
    QTest::mouseClick(notice->findChild<QToolButton*>("repairNoticeClose"), Qt::LeftButton);
    QVERIFY(!notice->isVisible());
    m_control->openPath(pdf("healthy.pdf", 2), 0);
    m_control->openPath(damaged, 0);
    QVERIFY(!notice->isVisible());

    m_control->openPath(testpdfs::writeBytes(m_dir.filePath("repaired2.pdf"), bytes), 0);
    QFrame* second = m_widget->activeView()->repairNotice();
    QVERIFY(second && second->isVisible());
    m_dialogs->saveAnswer = m_dir.filePath("repaired2-saved.pdf");
    m_control->inst()->runCommand("cmd.saveAs", 0);
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QVERIFY(!second->isVisible());
}

void TestControl::operationsOfTheTableAreMade()
{
    for (const QString& name : kTableNames.mid(28, 17)) {
        const QString op = dotted(name);
        QCOMPARE(m_control->inst()->createOperation(id(op))->name(), op);
    }
    QVERIFY_EXCEPTION_THROWN(m_control->inst()->createOperation(id("e.activeDocChanged")), PXV_Error);
    QVERIFY_EXCEPTION_THROWN(m_control->inst()->createOperation(-1), PXV_Error);
}

void TestControl::operationParametersFormATree()
{
    const std::shared_ptr<IPXV_Operation> operation = m_control->inst()->createOperation(id("op.newBlankDoc"));
    QCOMPARE(operation->id(), id("op.newBlankDoc"));
    IPXV_ParamNode* params = operation->params();
    QVERIFY(!params->hasChild("Output"));
    params->child("Options")->child("Pages")->setValue(3);
    QVERIFY(params->hasChild("Options"));
    QVERIFY(!params->hasChild("Pages"));
    QCOMPARE(params->child("Options")->child("Pages")->value().toInt(), 3);
    QVERIFY(!params->child("Options")->value().isValid());
    // A parameter the operation does not take is refused by name, before anything is made.
    try {
        m_control->inst()->runOperation(operation.get(), 0);
        QFAIL("an unknown parameter was accepted");
    } catch (const PXV_Error& error) {
        QCOMPARE(error.code(), int(PXV_Error::InvalidArgument));
        QVERIFY2(error.message().contains("Options"), qPrintable(error.message()));
    }
    QVERIFY(!params->hasChild("Output"));

    const std::shared_ptr<IPXV_Operation> plain = m_control->inst()->createOperation(id("op.newBlankDoc"));
    params = plain->params();
    m_control->inst()->runOperation(plain.get(), 0);
    QVERIFY(params->hasChild("Output"));
    const auto document = std::dynamic_pointer_cast<IPXV_Document>(params->child("Output")->object());
    QVERIFY(document);
    QCOMPARE(document->pageCount(), 1);
    QVERIFY(document->srcPath().isNull());
    QVERIFY(document->isModified());
}

void TestControl::passwordIsAskedAgainWhenWrong()
{
    const QString locked = testpdfs::writeEncrypted(pdf("plain.pdf", 2), m_dir.filePath("locked.pdf"), "secret");
    if (locked.isEmpty())
        QSKIP("qpdf is missing");
    m_control->enableEvent(id("e.activeDocChanged"), true);
    m_dialogs->passwordAnswers << "wrong"
                               << "secret";
    m_control->openPath(locked, 0);
    QCOMPARE(m_dialogs->passwordAsks.size(), 2);
    QCOMPARE(m_dialogs->passwordAsks.at(0).fileName, QString("locked.pdf"));
    QVERIFY(!m_dialogs->passwordAsks.at(0).retry);
    QVERIFY(m_dialogs->passwordAsks.at(1).retry);
    QCOMPARE(m_control->activeDocPath(), locked);
    QCOMPARE(pageView()->pageCount(), 2);
    QCOMPARE(m_events.size(), 1);
}

void TestControl::cancelledPasswordOpensNothing()
{
    const QString locked = testpdfs::writeEncrypted(pdf("plain.pdf", 2), m_dir.filePath("locked2.pdf"), "secret");
    if (locked.isEmpty())
        QSKIP("qpdf is missing");
    m_control->enableEvent(id("e.activeDocChanged"), true);
    m_dialogs->passwordAnswers << "wrong" << QString();
    m_control->openPath(locked, 0); // a cancel is no error
    QCOMPARE(m_dialogs->passwordAsks.size(), 2);
    QVERIFY(m_control->activeDocPath().isNull());
    QCOMPARE(m_widget->documentCount(), 0);
    QVERIFY(m_events.isEmpty());
}

void TestControl::queryCloseAsksOnlyAboutUnsavedDocuments()
{
    m_control->openPath(pdf("kept.pdf", 1), 0);
    QVERIFY(m_control->queryClose());
    QCOMPARE(m_dialogs->closeAsks.size(), 0);

    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    // Cancel on the first unsaved document stops the questions and keeps everything open.
    m_dialogs->closeAnswers.enqueue(pxv::DialogProvider::CloseAnswer::Cancel);
    QVERIFY(!m_control->queryClose());
    QCOMPARE(m_dialogs->closeAsks.size(), 1);
    QCOMPARE(m_widget->documentCount(), 3);

    m_dialogs->closeAnswers.enqueue(pxv::DialogProvider::CloseAnswer::Discard);
    m_dialogs->closeAnswers.enqueue(pxv::DialogProvider::CloseAnswer::Discard);
    QVERIFY(m_control->queryClose());
    QCOMPARE(m_dialogs->closeAsks.size(), 3);
}

void TestControl::closePromptCancelKeepsAndDiscardCloses()
{
    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    m_dialogs->closeAnswers.enqueue(pxv::DialogProvider::CloseAnswer::Cancel);
    m_control->inst()->runCommand("cmd.close", 0);
    QCOMPARE(m_dialogs->closeAsks.size(), 1);
    QCOMPARE(m_widget->documentCount(), 1);

    m_dialogs->closeAnswers.enqueue(pxv::DialogProvider::CloseAnswer::Discard);
    m_control->inst()->runCommand("cmd.close", 0);
    QCOMPARE(m_widget->documentCount(), 0);
    QVERIFY(m_control->activeDocPath().isNull());

    // Save from the prompt, then closing needs no second question.
    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    m_dialogs->closeAnswers.enqueue(pxv::DialogProvider::CloseAnswer::Save);
    m_dialogs->saveAnswer = m_dir.filePath("fromprompt.pdf");
    m_control->inst()->runCommand("cmd.close", 0);
    QCOMPARE(m_widget->documentCount(), 0);
    QVERIFY(testpdfs::qpdfCheck(m_dialogs->saveAnswer));

    // An unmodified file closes without a question.
    m_control->openPath(pdf("quiet.pdf", 1), 0);
    m_control->inst()->runCommand("cmd.close", 0);
    QCOMPARE(m_dialogs->closeAsks.size(), 3);
    QCOMPARE(m_widget->documentCount(), 0);
}

void TestControl::saveAsWritesACheckedFile()
{
    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    m_dialogs->saveAnswer = m_dir.filePath("blank.pdf");
    m_control->inst()->runCommand("cmd.saveAs", 0);
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QString output;
    QVERIFY2(testpdfs::qpdfCheck(m_dialogs->saveAnswer, &output), qPrintable(output));
    QCOMPARE(m_control->activeDocPath(), m_dialogs->saveAnswer);

    // Round trip: an opened file saved under another name.
    m_control->openPath(pdf("source.pdf", 4), 0);
    m_dialogs->saveAnswer = m_dir.filePath("copy.pdf");
    m_control->inst()->runCommand("cmd.saveAs", 0);
    QVERIFY2(testpdfs::qpdfCheck(m_dialogs->saveAnswer, &output), qPrintable(output));
    QCOMPARE(QFileInfo(m_dialogs->saveSuggestions.last()).absolutePath(), QFileInfo(m_dir.path()).absoluteFilePath());
    m_control->inst()->runCommand("cmd.close", 0);
    m_control->openPath(m_dialogs->saveAnswer, 0);
    QCOMPARE(pageView()->pageCount(), 4);

    // Not offered beside a file whose folder can take no other: gone since, or read-only (which
    // root writes into all the same).
    for (const bool gone : {true, false}) {
        if (!gone && ::geteuid() == 0)
            continue;
        const QString folder = m_dir.filePath(gone ? "gone" : "read-only");
        QVERIFY(QDir().mkpath(folder));
        m_control->openPath(testpdfs::write(QDir(folder).filePath("file.pdf"), 2), 0);
        QVERIFY(gone ? QDir(folder).removeRecursively()
                     : QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        m_control->inst()->runCommand("cmd.saveAs", 0);
        const QFileInfo offered(QFileInfo(m_dialogs->saveSuggestions.last()).absolutePath());
        QVERIFY2(offered.isDir() && offered.isWritable(), qPrintable(offered.filePath()));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // A cancelled save-as writes nothing.
    m_dialogs->saveAnswer = QString();
    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    m_control->inst()->runCommand("cmd.saveAs", 0);
    QVERIFY(m_control->activeDocPath().isEmpty());
}

void TestControl::failedSaveSaysWhyAndKeepsTheDocument()
{
    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    m_dialogs->saveAnswer = m_dir.filePath("missing-folder/out.pdf");
    m_control->inst()->runCommand("cmd.save", 0);
    QCOMPARE(m_dialogs->errors.size(), 1);
    QVERIFY(!m_dialogs->errors.first().isEmpty());
    QVERIFY(!QFile::exists(m_dialogs->saveAnswer));
    QVERIFY(m_control->activeDocPath().isEmpty());
    QVERIFY(m_widget->activeView()->document()->isModified());
}

void TestControl::brokenFilesGiveAClearMessage_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("mayRepair");

    QFile good(pdf("good.pdf", 3));
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray valid = good.readAll();

    QTest::newRow("missing") << "missing.pdf" << QByteArray() << false;
    QTest::newRow("zero length") << "empty.pdf" << QByteArray("") << false;
    QTest::newRow("not a PDF") << "text.pdf" << QByteArray("This is a plain text file, not a PDF.\n") << false;
    QTest::newRow("truncated") << "truncated.pdf" << valid.left(valid.size() / 2) << true;
    QByteArray garbage = valid;
    for (int i = valid.size() / 3; i < valid.size() / 3 + 200; ++i)
        garbage[i] = char(i * 37);
    QTest::newRow("garbage in the middle") << "garbage.pdf" << garbage << true;
    QByteArray badXref = valid;
    const int startxref = badXref.lastIndexOf("startxref");
    badXref.replace(startxref, badXref.size() - startxref, "startxref\n999999\n%%EOF\n");
    QTest::newRow("wrong xref offset") << "badxref.pdf" << badXref << true;
}

void TestControl::pageTreeThatContainsItselfDoesNotHang()
{
    const QString path = testpdfs::writeObjects(m_dir.filePath("cycle.pdf"),
                                                {
                                                    "<< /Type /Catalog /Pages 2 0 R >>",
                                                    "<< /Type /Pages /Kids [2 0 R 3 0 R] /Count 2 >>",
                                                    "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>",
                                                });
    try {
        m_control->openPath(path, 0);
        // Whatever pages could be found show; the view works.
        m_control->inst()->runCommand("cmd.lastPage", 0);
        QVERIFY(pageView()->pageCount() >= 0);
    } catch (const PXV_Error& error) {
        QVERIFY2(error.message().contains("cycle.pdf"), qPrintable(error.message()));
    }
    m_control->openPath(pdf("after.pdf", 1), 0);
    QCOMPARE(pageView()->pageCount(), 1);
}

void TestControl::brokenFilesGiveAClearMessage()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, mayRepair);

    const QString path = m_dir.filePath(fileName);
    if (QTest::currentDataTag() != QLatin1String("missing"))
        QVERIFY(!testpdfs::writeBytes(path, bytes).isEmpty());
    try {
        m_control->openPath(path, 0);
        QVERIFY2(mayRepair, "a file that cannot be a document opened");
        QCOMPARE(m_control->activeDocPath(), path);
    } catch (const PXV_Error& error) {
        QVERIFY2(error.message().contains(fileName), qPrintable(error.message()));
        QVERIFY(m_control->activeDocPath().isNull());
    }
    // The component keeps working.
    m_control->openPath(pdf("after.pdf", 1), 0);
    QCOMPARE(pageView()->pageCount(), 1);
}

void TestControl::singleWindowReplacesTheDocument()
{
    m_control->inst()->settings()->setBool("Docs.SingleWnd", true);
    m_control->enableEvent(id("e.activeDocChanged"), true);
    m_control->openPath(pdf("one.pdf", 1), 0);
    m_control->openPath(pdf("two.pdf", 2), 0);
    QCOMPARE(m_widget->documentCount(), 1);
    QCOMPARE(m_control->activeDocPath(), pdf("two.pdf", 2));
    QCOMPARE(m_events.size(), 2);

    // A modified document is not replaced without asking; cancel keeps it.
    m_control->showDocument(runOperation("op.newBlankDoc"), 0);
    m_dialogs->closeAnswers.enqueue(pxv::DialogProvider::CloseAnswer::Cancel);
    m_control->openPath(pdf("one.pdf", 1), 0);
    QCOMPARE(m_dialogs->closeAsks.size(), 1);
    QVERIFY(m_control->activeDocPath().isEmpty());
}

void TestControl::openingAnOpenFileShowsItsTab()
{
    m_control->enableEvent(id("e.activeDocChanged"), true);
    const QString a = pdf("a.pdf", 2);
    m_control->openPath(a, 0);
    m_control->openPath(pdf("b.pdf", 3), 0);
    m_control->openPath(a, 0);
    QCOMPARE(m_widget->documentCount(), 2);
    QCOMPARE(m_control->activeDocPath(), a);
    QCOMPARE(m_events.size(), 3);
    // Already active: still reported, so the host can refresh its history.
    m_control->openPath(a, 0);
    QCOMPARE(m_events.size(), 4);
}

void TestControl::preparedFileOpensAsItIsWhenAskedFor()
{
    m_control->enableEvent(id("e.activeDocChanged"), true);
    const auto offScreenView = [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* view = qobject_cast<pxv::DocumentView*>(widget))
                return QPointer<pxv::DocumentView>(view);
        }
        return QPointer<pxv::DocumentView>();
    };
    // Its first page is drawn during the wait, off screen and unannounced, at the scale the
    // open then shows it at: the open asks the renderer for nothing.
    const QString b = pdf("b.pdf", 3);
    m_control->prepareOpen(b);
    const QPointer<pxv::DocumentView> ahead = offScreenView();
    QVERIFY(ahead);
    QTRY_VERIFY(!ahead->pageView()->renderer()->nearestCachedImage(0, 1.0).isNull());
    QVERIFY(m_control->activeDocPath().isNull());
    QVERIFY(m_events.isEmpty());
    m_control->openPath(b, 0);
    QCOMPARE(m_widget->activeView(), ahead.data());
    QVERIFY(ahead->isVisible());
    QCOMPARE(pageView()->renderer()->pendingCount(), 0);
    QCOMPARE(m_events.size(), 1);

    // Written again before the open: the open reads it afresh, and what was made goes.
    const QString a = pdf("a.pdf", 2);
    m_control->prepareOpen(a);
    const QPointer<pxv::DocumentView> outdated = offScreenView();
    QVERIFY(outdated);
    testpdfs::write(a, 4);
    m_control->openPath(a, 0);
    QCOMPARE(pageView()->pageCount(), 4);
    QVERIFY(!outdated);
    QCOMPARE(m_events.size(), 2);
}

void TestControl::viewRequestsOnlyVisiblePages()
{
    m_control->openPath(pdf("long.pdf", 40), 0);
    pxv::PageView* view = pageView();
    QVERIFY(view);
    QCOMPARE(view->pageCount(), 40);
    QSet<int> requested = view->requestedPages();
    QVERIFY(requested.contains(0));
    QVERIFY2(requested.size() <= 4, qPrintable(QString::number(requested.size())));
    const int atFitWidth = requested.size();

    m_control->inst()->runCommand("cmd.lastPage", 0);
    requested = view->requestedPages();
    QVERIFY(requested.contains(39));
    QVERIFY(!requested.contains(0));
    QVERIFY(requested.size() <= 4);
    QCOMPARE(view->currentPage(), 39);

    // Small pages: more of them fit, and still only those (and one more on each side) are asked for.
    view->setZoom(pxv::PageView::kMinZoom);
    requested = view->requestedPages();
    const int fitting = int(std::ceil(view->viewport()->height()
                                      / (842.0 / 72.0 * view->logicalDpiX() * pxv::PageView::kMinZoom)))
                        + 1;
    QVERIFY2(requested.size() > atFitWidth && requested.size() <= fitting + 2,
             qPrintable(QString("%1 of %2").arg(requested.size()).arg(fitting)));
}

void TestControl::viewDrawsAheadInTheScrollDirection()
{
    m_control->openPath(pdf("long.pdf", 40), 0);
    pxv::PageView* view = pageView();
    QVERIFY(view);
    pxv::PageRenderer* renderer = view->renderer();
    auto requested = [view] {
        const QSet<int> pages = view->requestedPages();
        return std::minmax_element(pages.cbegin(), pages.cend());
    };
    // Before the first scroll only what is visible is drawn.
    QVERIFY(renderer->prefetchedPages().isEmpty());
    QCOMPARE(*requested().second, view->currentPage());
    view->goToPage(10);
    QList<int> ahead = renderer->prefetchedPages();
    QVERIFY(!ahead.isEmpty());
    QCOMPARE(ahead.first(), *requested().second + 1); // the nearest below first
    for (int i = 1; i < ahead.size(); ++i)
        QCOMPARE(ahead[i], ahead[i - 1] + 1);

    // Scrolling back up: the pages above are drawn ahead instead, and the work below stops.
    view->goToPage(9);
    ahead = renderer->prefetchedPages();
    QVERIFY(!ahead.isEmpty());
    QCOMPARE(ahead.first(), *requested().first - 1);
    for (int i = 1; i < ahead.size(); ++i)
        QCOMPARE(ahead[i], ahead[i - 1] - 1);
    QVERIFY(renderer->pendingCount() <= view->requestedPages().size() + ahead.size());

    // Pages drawn ahead are shown from the cache when they come into view, not drawn again.
    QTRY_COMPARE_WITH_TIMEOUT(renderer->pendingCount(), 0, 10000);
    const int finished = renderer->finishedCount();
    QSet<int> drawn = view->requestedPages();
    for (int page : ahead)
        drawn.insert(page);
    view->goToPage(ahead.first());
    const double pixelsPerPoint = view->logicalDpiX() / 72.0 * view->zoom() * view->viewport()->devicePixelRatioF();
    QVERIFY(!renderer->cachedImage(ahead.first(), pixelsPerPoint).isNull());
    QTRY_COMPARE_WITH_TIMEOUT(renderer->pendingCount(), 0, 10000);
    QSet<int> wanted = view->requestedPages();
    for (int page : renderer->prefetchedPages())
        wanted.insert(page);
    // Only pages that were neither in view nor ahead before are drawn now.
    QCOMPARE(renderer->finishedCount() - finished, (wanted - drawn).size());
}

void TestControl::zoomCommandsChangeTheScale()
{
    m_control->enableEvent(id("e.pagesView.endLayoutChanging"), true);
    m_control->openPath(pdf("zoom.pdf", 3), 0);
    pxv::PageView* view = pageView();
    QCOMPARE(view->zoomMode(), pxv::PageView::ZoomMode::FitWidth);
    m_events.clear();

    const double fitWidth = view->zoom();
    m_control->inst()->runCommand("cmd.zoomIn", 0);
    QVERIFY(view->zoom() > fitWidth);
    QCOMPARE(view->zoomMode(), pxv::PageView::ZoomMode::Custom);
    QVERIFY(!m_events.isEmpty());

    m_control->inst()->runCommand("cmd.actualSize", 0);
    QCOMPARE(view->zoom(), 1.0);
    m_control->inst()->runCommand("cmd.zoomOut", 0);
    QVERIFY(view->zoom() < 1.0);
    for (int i = 0; i < 20; ++i)
        m_control->inst()->runCommand("cmd.zoomIn", 0);
    QCOMPARE(view->zoom(), pxv::PageView::kMaxZoom);
    for (int i = 0; i < 20; ++i)
        m_control->inst()->runCommand("cmd.zoomOut", 0);
    QCOMPARE(view->zoom(), pxv::PageView::kMinZoom);

    // Ctrl+wheel zooms; a plain wheel scrolls.
    view->setZoom(1.0);
    QWheelEvent wheel(QPointF(100, 100), view->viewport()->mapToGlobal(QPoint(100, 100)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &wheel);
    QVERIFY(view->zoom() > 1.0);

    m_control->inst()->runCommand("cmd.fitPage", 0);
    QCOMPARE(view->zoomMode(), pxv::PageView::ZoomMode::FitPage);
    // A whole A4 page fits the viewport's height.
    QVERIFY(842.0 / 72.0 * view->logicalDpiX() * view->zoom() <= view->viewport()->height());

    // Typed into the zoom box: a number zooms, within the limits; other text puts back the zoom.
    auto* box = m_widget->findChild<pxv::ZoomBox*>();
    QVERIFY(box);
    const auto type = [box](const QString& text) {
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    };
    type("250");
    QCOMPARE(view->zoom(), 2.5);
    QCOMPARE(box->currentText(), QString("250 %"));
    type("abc");
    QCOMPARE(box->currentText(), QString("250 %"));
    type("99999");
    QCOMPARE(view->zoom(), pxv::PageView::kMaxZoom);
    QCOMPARE(box->currentText(), QString("%1 %").arg(std::lround(pxv::PageView::kMaxZoom * 100)));
    type("99999");
    QCOMPARE(box->currentText(), QString("%1 %").arg(std::lround(pxv::PageView::kMaxZoom * 100)));
}

void TestControl::pageBoxFollowsNavigation()
{
    m_control->openPath(pdf("nav.pdf", 10), 0);
    auto* pageBox = m_widget->findChild<pxv::PageBox*>();
    QCOMPARE(pageBox->text(), QString("1 / 10"));
    m_control->inst()->runCommand("cmd.nextPage", 0);
    QCOMPARE(pageBox->text(), QString("2 / 10"));
    m_control->inst()->runCommand("cmd.lastPage", 0);
    QCOMPARE(pageBox->text(), QString("10 / 10"));

    pxv::PageView* view = pageView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(view->currentPage(), 0);
    QTest::keyClick(view, Qt::Key_Space);
    QTest::keyClick(view, Qt::Key_Space);
    const int down = view->verticalScrollBar()->value();
    QVERIFY(down > 0);
    QTest::keyClick(view, Qt::Key_Space, Qt::ShiftModifier);
    QVERIFY(view->verticalScrollBar()->value() < down);
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(view->currentPage(), 9);

    auto* edit = pageBox->findChild<QLineEdit*>();
    edit->setText("4");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(view->currentPage(), 3);
    // Typed past the end, the number goes to the last page; typed as 0, back to where it was.
    edit->clear();
    QTest::keyClicks(edit, "99");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(view->currentPage(), 9);
    QCOMPARE(pageBox->text(), QString("10 / 10"));
    edit->clear();
    QTest::keyClicks(edit, "0");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(view->currentPage(), 9);
    QCOMPARE(pageBox->text(), QString("10 / 10"));
}

void TestControl::backAndForwardRetraceTheJumps()
{
    m_control->openPath(pdf("back.pdf", 10), 0);
    pxv::PageView* view = pageView();
    auto* back = m_widget->findChild<QAction*>("cmd.goBack");
    const auto run = [this](const char* name) { m_control->inst()->runCommand(name, 0); };
    run("cmd.nextPage"); // a step, not a jump
    QVERIFY(!back->isEnabled());
    run("cmd.lastPage");
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    QVERIFY(back->isEnabled());
    run("cmd.goBack");
    QCOMPARE(view->currentPage(), 9);
    QTest::mouseClick(view->viewport(), Qt::BackButton);
    QCOMPARE(view->currentPage(), 1);
    QVERIFY(!back->isEnabled());
    // Forward goes on to the last page and then to the first; the last page is gone by then.
    m_widget->activeView()->document()->model()->deletePages({9});
    run("cmd.goForward");
    QCOMPARE(view->currentPage(), 0);
    QVERIFY(!m_widget->findChild<QAction*>("cmd.goForward")->isEnabled());
}

void TestControl::linksJumpOrOpenOnlySafeSchemes()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    auto clickAt = [](pxv::PageView* view, double x, double y) {
        const QRectF page = view->pageRect(0);
        const double scale = page.width() / 612.0;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          (page.topLeft() + QPointF(x, 792 - y) * scale).toPoint());
    };

    m_control->openPath(testpdfs::writeWithLinks(m_dir.filePath("web.pdf"), "https://example.org/guide"), 0);
    pxv::PageView* view = pageView();
    QCOMPARE(view->pageCount(), 2);
    clickAt(view, 400, 650); // beside the links
    QCOMPARE(view->currentPage(), 0);
    QVERIFY(recorder.opened.isEmpty());
    clickAt(view, 200, 450);
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl("https://example.org/guide")});
    clickAt(view, 200, 650);
    QCOMPARE(view->currentPage(), 1);
    m_control->inst()->runCommand("cmd.goBack", 0);
    QCOMPARE(view->currentPage(), 0);

    // A document must not start local files or programs through a link.
    m_control->openPath(testpdfs::writeWithLinks(m_dir.filePath("local.pdf"), "file:///bin/sh"), 0);
    clickAt(pageView(), 200, 450);
    QCOMPARE(recorder.opened.size(), 1);

    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("file");
}

void TestControl::openCommandOpensEachFileAndShowsFailures()
{
    m_control->enableEvent(id("e.activeDocChanged"), true);
    m_dialogs->openAnswer = QStringList{pdf("o1.pdf", 1), m_dir.filePath("nothing-here.pdf"), pdf("o2.pdf", 2)};
    m_control->inst()->runCommand("cmd.open", 0);
    QCOMPARE(m_widget->documentCount(), 2);
    QCOMPARE(m_control->activeDocPath(), pdf("o2.pdf", 2)); // the last one is active
    QCOMPARE(m_dialogs->errors.size(), 1);
    QVERIFY(m_dialogs->errors.first().contains("nothing-here.pdf"));
    QCOMPARE(m_events.size(), 2);

    m_dialogs->openAnswer.clear(); // cancelled
    m_control->inst()->runCommand("cmd.open", 0);
    QCOMPARE(m_widget->documentCount(), 2);
}

void TestControl::droppedFilesOpen()
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(pdf("drop1.pdf", 1)), QUrl::fromLocalFile(pdf("drop2.pdf", 2)),
                  QUrl("https://example.org/x.pdf")});
    const QPoint centre = m_widget->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_widget, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_widget, &drop);
    QCOMPARE(m_widget->documentCount(), 2);
    QCOMPARE(m_control->activeDocPath(), pdf("drop2.pdf", 2));

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(centre, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QCoreApplication::sendEvent(m_widget, &refused);
    QVERIFY(!refused.isAccepted());
}

void TestControl::keyboardShortcutsReachTheCommands()
{
    const QString first = pdf("k1.pdf", 3);
    m_control->openPath(first, 0);
    m_control->openPath(pdf("k2.pdf", 3), 0);
    QWidget* focus = pageView();
    focus->setFocus();

    pxv::PageView* background = pageView();
    QVERIFY(!background->requestedPages().isEmpty());
    QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(m_control->activeDocPath(), first);
    // The tab that went to the background asks for no pages any more and keeps little memory.
    QVERIFY(background->requestedPages().isEmpty());
    QVERIFY(background->renderer()->cacheLimit() < pageView()->renderer()->cacheLimit());
    QVERIFY(background->renderer()->cacheCost() <= background->renderer()->cacheLimit());
    QVERIFY(!pageView()->requestedPages().isEmpty());
    focus = pageView();
    const double before = pageView()->zoom();
    QTest::keyClick(focus, Qt::Key_Equal, Qt::ControlModifier);
    QVERIFY(pageView()->zoom() > before);
    QTest::keyClick(focus, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(pageView()->zoom(), 1.0);
    QTest::keyClick(focus, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(pageView()->currentPage(), 2);
    QTest::keyClick(focus, Qt::Key_F1);
    QCOMPARE(m_dialogs->helpShown, 1);
    QTest::keyClick(focus, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(m_widget->documentCount(), 1);
    QVERIFY(m_control->activeDocPath() != first);
}

void TestControl::scrollingAndZoomingKeepRendering()
{
    m_control->openPath(pdf("stress.pdf", 120), 0);
    pxv::PageView* view = pageView();
    QScrollBar* bar = view->verticalScrollBar();
    // Scroll and zoom faster than pages render, so work is cancelled and replaced all the time.
    for (int step = 0; step < 60; ++step) {
        bar->setValue(bar->maximum() * ((step * 37) % 60) / 60);
        if (step % 7 == 0)
            view->setZoom(0.25 + (step % 5) * 0.5);
        QCoreApplication::processEvents();
    }
    m_control->inst()->runCommand("cmd.fitWidth", 0);
    view->goToPage(77);
    const int page = view->currentPage();
    QCOMPARE(page, 77);
    QVERIFY(view->requestedPages().contains(77));
    const double pixelsPerPoint = view->logicalDpiX() / 72.0 * view->zoom() * view->viewport()->devicePixelRatioF();
    QTRY_VERIFY_WITH_TIMEOUT(!view->renderer()->cachedImage(77, pixelsPerPoint).isNull(), 10000);
    // Only the work for the pages in view, and for those drawn ahead of them, is left.
    QTRY_VERIFY_WITH_TIMEOUT(view->renderer()->pendingCount()
                                 <= view->requestedPages().size() + view->renderer()->prefetchedPages().size(),
                             10000);
}

void TestControl::rotatedPageIsSavedIntoItsFile()
{
    const QString file = m_dir.filePath("rotate.pdf");
    testpdfs::write(file, 3);
    const qint64 sizeBefore = QFileInfo(file).size();
    m_control->openPath(file, 0);
    for (const QString name : {"e.document.modStateChanged", "e.document.sourceChanged"})
        m_control->enableEvent(id(name), true);
    auto* tabs = m_widget->findChild<QTabWidget*>();

    m_control->inst()->runCommand("cmd.nextPage", 0);
    m_control->inst()->runCommand("cmd.rotateRight", 0);
    QCOMPARE(pageView()->currentPage(), 1);
    QVERIFY(pageView()->pageRect(1).width() > pageView()->pageRect(1).height());
    QVERIFY(pageView()->pageRect(0).width() < pageView()->pageRect(0).height());
    QVERIFY(m_widget->activeView()->document()->isModified());
    QVERIFY(m_events.contains(id("e.document.modStateChanged")));
    QVERIFY(m_events.contains(id("e.document.sourceChanged")));
    QVERIFY(tabs->tabText(tabs->currentIndex()).endsWith(" *"));

    m_events.clear();
    m_control->inst()->runCommand("cmd.save", 0);
    QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
    QVERIFY(m_dialogs->saveSuggestions.isEmpty()); // a file of its own needs no question
    QVERIFY(!m_widget->activeView()->document()->isModified());
    QVERIFY(m_events.contains(id("e.document.modStateChanged")));
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QString("rotate.pdf"));
    QString output;
    QVERIFY2(testpdfs::qpdfCheck(file, &output), qPrintable(output));
    QVERIFY(QFileInfo(file).size() > sizeBefore); // the edit was appended, the original kept

    m_control->inst()->runCommand("cmd.close", 0);
    QCOMPARE(m_widget->documentCount(), 0);
    m_control->openPath(file, 0);
    QVERIFY(pageView()->pageRect(1).width() > pageView()->pageRect(1).height());

    // Rotating back and forth twice more is a full turn of the page's orientation.
    m_control->inst()->runCommand("cmd.nextPage", 0);
    m_control->inst()->runCommand("cmd.rotateLeft", 0);
    QVERIFY(pageView()->pageRect(1).width() < pageView()->pageRect(1).height());
}

void TestControl::firstPagePaintedIsLogged()
{
    QStringList messages;
    {
        const PerfMessages perf;
        m_control->openPath(pdf("perf.pdf", 2), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!perf.messages().isEmpty(), 5000);
        messages = perf.messages();
    }
    QVERIFY2(messages.first().startsWith("first page painted "), qPrintable(messages.first()));
    bool isNumber = false;
    messages.first().section(' ', -1).toLongLong(&isNumber);
    QVERIFY(isNumber);
    QCOMPARE(messages.size(), 1);
}

void TestControl::combinedOutlineShowsAndPagesRender()
{
    m_control->inst()->setNoValueText("-");
    m_control->openPath(pdf("first.pdf", 3), 0);
    m_dialogs->combineAnswer = QStringList{pdf("c1.pdf", 2), pdf("c2.pdf", 3)};
    m_control->inst()->runCommand("cmd.newDocCombine", 0);
    pxv::DocumentView* view = m_widget->activeView();
    // One top-level outline entry per source file, shown in the side pane.
    QTRY_VERIFY(view->outlinePane()->isVisible());
    QTRY_COMPARE(view->outlinePane()->topLevelItemCount(), 2);
    QCOMPARE(view->outlinePane()->topLevelItem(1)->text(0), QString("c2.pdf"));
    QTest::mouseClick(view->outlinePane()->viewport(), Qt::LeftButton, {},
                      view->outlinePane()->visualItemRect(view->outlinePane()->topLevelItem(1)).center());
    QCOMPARE(view->pageView()->currentPage(), 2);

    // The visible page arrives as an image: the page area is no longer plain placeholder white.
    pxv::PageView* pages = view->pageView();
    const double pixelsPerPoint = pages->logicalDpiX() / 72.0 * pages->zoom() * pages->viewport()->devicePixelRatioF();
    QTRY_VERIFY_WITH_TIMEOUT(!pages->renderer()->cachedImage(2, pixelsPerPoint).isNull(), 5000);
    const QString shots = qEnvironmentVariable("VP_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        QVERIFY(m_host->grab().save(QDir(shots).filePath("editor-control.png")));
}

QTEST_MAIN(TestControl)
#include "tst_control.moc"
