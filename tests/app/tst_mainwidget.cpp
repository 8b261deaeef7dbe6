#include "apptest.h"
#include "cglobal.h"
#include "cwinapp.h"
#include "historystore.h"
#include "ipxv.h"
#include "pxveditor.h"
#include "qcommandids.h"
#include "qcontrolhost.h"
#include "qfloatexwidget.h"
#include "qhomewidget.h"
#include "qmainwidget.h"
#include "qmsgbox.h"
#include "uexception.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QPainter>
#include <QPdfWriter>
#include <QToolBar>
#include <QtTest>

namespace {

void writePdf(const QString& path, int pages)
{
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawText(200, 200, QString("page %1").arg(i + 1));
    }
}

// Counts the posted document-changed events reaching the window.
class PostedEventCounter : public QObject
{
public:
    int docChanged = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == WM_DOC_CHANGED)
            ++docChanged;
        return false;
    }
};

} // namespace

// The main window with the real editor component, offscreen.
class TstMainWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void commandTableResolvesThroughTheControl();
    void commandTableRejectsBadIndices();
    void onlyActiveDocChangedActsAndAlwaysLater();
    void openFileCases_data();
    void openFileCases();
    void nameWithSemicolonOpensWhole();
    void missingPdfReachesTheComponentAndTheUser();
    void reopeningRefreshesTheOneRecord();
    void blankDocumentShowsEditorWithoutHistory();
    void closingLastDocumentShowsHomePage();
    void menuEntriesInOrder();
    void maximiseButtonFollowsWindowState();
    void titleBarClicksLeaveTheKeyboardInTheDocument();
    void editorContextMenusFitTheirTexts();
    void everyButtonHasANameAndIconOnlyOnesATooltip();
    void tabFromTheWindowEntersTheHomePage();
    void accountStateFollowsSignals();
    void missingComponentEndsRunWithLogRecord();
    void editorIsMadeAfterHomePagePaintPanelWithDocument();
    void editorIsMadeOnFirstNeedBeforePaint();
    void converterButtonsOpenTheConvertDialog();

private:
    QString activePath() const { return m_window->control()->activeDocPath(); }
    int historyRows() const { return int(HistoryStore::instance()->recent().size()); }

    std::unique_ptr<QMainWidget> m_window;
    QTemporaryDir m_files;
    QStringList m_messages;
};

void TstMainWidget::initTestCase()
{
    writePdf(m_files.filePath("a.pdf"), 2);
    writePdf(m_files.filePath("b.pdf"), 1);
    writePdf(m_files.filePath("upper.PDF"), 1);
    QFile text(m_files.filePath("notes.txt"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    QDir().mkpath(m_files.filePath("onlypdf"));
    writePdf(m_files.filePath("onlypdf/only.pdf"), 1);
    QDir().mkpath(m_files.filePath("onlytext"));
    QFile other(m_files.filePath("onlytext/readme.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    QMsgBox::setHandler([this](QMsgBox::Kind, const QString& text) { m_messages << text; });
}

void TstMainWidget::init()
{
    HistoryStore::instance()->clear();
    m_messages.clear();
    m_window = std::make_unique<QMainWidget>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstMainWidget::cleanup()
{
    m_window.reset();
}

void TstMainWidget::commandTableResolvesThroughTheControl()
{
    IPXV_Inst* inst = m_window->control()->inst();
    QCOMPARE(QCommandIDs::id(e_activeDocChanged), inst->nameToId("e.activeDocChanged"));
    QCOMPARE(QCommandIDs::id(op_document_insertPages), inst->nameToId("op.document.insertPages"));
    QCOMPARE(QCommandIDs::id(cmdbar_menubar), inst->nameToId("cmdbar.menubar"));
    QCOMPARE(QCommandIDs::id(bookmarksView), inst->nameToId("bookmarksView"));
    for (int marker : {_op_begin_, _op_end_, _e_begin_, _e_end_})
        QCOMPARE(QCommandIDs::id(marker), 0);
    QVERIFY(QCommandIDs::id(e_activeDocChanged) != 0);
    QCOMPARE(QString(commandNames[_last_]), QString("_last_"));
    QCOMPARE(int(_last_), 56);
}

void TstMainWidget::commandTableRejectsBadIndices()
{
    for (int index : {-1, 56}) {
        try {
            QCommandIDs::id(index);
            QFAIL("index accepted");
        } catch (UException& e) {
            QCOMPARE(QString::fromStdWString(e.message()), QString("IDS index error"));
            QCOMPARE(QString::fromStdWString(e.expression()), QString("index >= 0 && index < m_nIDS.size()"));
        }
    }
    try {
        QCommandIDs::init(nullptr);
        QFAIL("null control accepted");
    } catch (UException& e) {
        QCOMPARE(QString::fromStdWString(e.message()), QString("pdfCtrl is null"));
        QCOMPARE(QString::fromStdWString(e.expression()), QString("nullptr != pdfCtrl"));
    }
    QVERIFY(QCommandIDs::id(e_uiLanguageChanged) != 0);
}

void TstMainWidget::onlyActiveDocChangedActsAndAlwaysLater()
{
    PostedEventCounter counter;
    m_window->installEventFilter(&counter);
    for (int index = e_document_modStateChanged; index <= e_uiLanguageChanged; ++index)
        m_window->onControlEvent(QCommandIDs::id(index), nullptr, nullptr);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(counter.docChanged, 0);

    m_window->control()->openPath(m_files.filePath("a.pdf"));
    // The control fired its event inside openPath; the window reacts only from the event loop.
    QVERIFY(m_window->homeWidget()->isVisible());
    QCOMPARE(counter.docChanged, 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(counter.docChanged, 1);
    QVERIFY(!m_window->homeWidget()->isVisible());
    QVERIFY(m_window->floatExWidget()->isVisible());
    QCOMPARE(historyRows(), 1);
}

void TstMainWidget::openFileCases_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("opens");
    QTest::newRow("two paths open the first") << "a.pdf;b.pdf"
                                              << "a.pdf";
    QTest::newRow("upper-case extension") << "upper.PDF"
                                          << "upper.PDF";
    QTest::newRow("folder opens its first file") << "onlypdf"
                                                 << "onlypdf/only.pdf";
    QTest::newRow("folder without pdf") << "onlytext"
                                        << "";
    QTest::newRow("not a pdf") << "notes.txt"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("empty first entry") << ";a.pdf"
                                       << "";
}

void TstMainWidget::openFileCases()
{
    QFETCH(QString, argument);
    QFETCH(QString, opens);
    QStringList parts = argument.split(';');
    for (QString& part : parts) {
        if (!part.isEmpty())
            part = m_files.filePath(part);
    }
    m_window->onOpenFile(parts.join(';'));
    QCoreApplication::processEvents();
    // Nothing happens before the half-second delay.
    QVERIFY(activePath().isNull());
    if (opens.isEmpty()) {
        QTest::qWait(800);
        QVERIFY(activePath().isNull());
        QCOMPARE(historyRows(), 0);
        QVERIFY(m_window->homeWidget()->isVisible());
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(activePath(), m_files.filePath(opens), 5000);
        QTRY_COMPARE(historyRows(), 1);
        QCOMPARE(QString::fromStdString(HistoryStore::instance()->recent().value(0, L"filePath").asString()),
                 m_files.filePath(opens));
    }
}

void TstMainWidget::nameWithSemicolonOpensWhole()
{
    // Both as a whole and split, the argument would name an existing PDF; the whole one wins.
    const QString whole = m_files.filePath("a.pdf;b.pdf");
    writePdf(whole, 1);
    m_window->onOpenFile(whole);
    QTRY_COMPARE_WITH_TIMEOUT(activePath(), whole, 5000);
    QTRY_COMPARE(historyRows(), 1);
    QVERIFY(QFile::remove(whole));
}

void TstMainWidget::missingPdfReachesTheComponentAndTheUser()
{
    m_window->onOpenFile(m_files.filePath("x.pdf"));
    QTRY_COMPARE_WITH_TIMEOUT(m_messages.size(), 1, 5000);
    QVERIFY2(m_messages.first().contains("x.pdf"), qPrintable(m_messages.first()));
    QVERIFY(activePath().isNull());
    QCOMPARE(historyRows(), 0);
    QVERIFY(m_window->homeWidget()->isVisible());
}

void TstMainWidget::reopeningRefreshesTheOneRecord()
{
    const std::wstring path = m_files.filePath("b.pdf").toStdWString();
    HistoryStore::instance()->add(path);
    const double first = HistoryStore::instance()->recent().value(0, L"ctime").asDouble();
    QTest::qWait(1100);
    m_window->control()->openPath(m_files.filePath("b.pdf"));
    QCoreApplication::sendPostedEvents();
    const QTable rows = HistoryStore::instance()->recent();
    QCOMPARE(int(rows.size()), 1);
    QVERIFY(rows.value(0, L"ctime").asDouble() > first);
}

void TstMainWidget::blankDocumentShowsEditorWithoutHistory()
{
    m_window->onNewBlankDoc();
    QVERIFY(activePath().isNull());
    QTRY_VERIFY(!activePath().isNull());
    QVERIFY(activePath().isEmpty());
    QTRY_VERIFY(!m_window->homeWidget()->isVisible());
    QVERIFY(m_window->floatExWidget()->isVisible());
    QCOMPARE(historyRows(), 0);
    QVERIFY(m_messages.isEmpty());
}

void TstMainWidget::closingLastDocumentShowsHomePage()
{
    m_window->control()->openPath(m_files.filePath("a.pdf"));
    QCoreApplication::sendPostedEvents();
    QVERIFY(!m_window->homeWidget()->isVisible());
    m_window->control()->inst()->runCommand("cmd.close");
    QCoreApplication::sendPostedEvents();
    QVERIFY(activePath().isNull());
    QVERIFY(m_window->homeWidget()->isVisible());
    QVERIFY(!m_window->floatExWidget()->isVisible());
}

void TstMainWidget::maximiseButtonFollowsWindowState()
{
    auto* btnMax = m_window->findChild<QPushButton*>("btnMax");
    auto* title = m_window->findChild<QWidget*>("frameTitle");
    const QString maximiseTip = btnMax->toolTip();
    m_window->onBtnMax();
    QVERIFY(btnMax->isChecked());
    QTRY_VERIFY(m_window->isMaximized());
    QVERIFY(btnMax->toolTip() != maximiseTip);
    QTest::mouseDClick(title, Qt::LeftButton, Qt::NoModifier, QPoint(300, 25));
    QVERIFY(!btnMax->isChecked());
    QTRY_VERIFY(!m_window->isMaximized());
    QCOMPARE(btnMax->toolTip(), maximiseTip);
}

void TstMainWidget::titleBarClicksLeaveTheKeyboardInTheDocument()
{
    // The editor's shortcuts work only while the focus is inside it.
    m_window->onOpenFile(m_files.filePath("a.pdf"));
    QTRY_COMPARE(activePath(), m_files.filePath("a.pdf"));
    QTRY_VERIFY(!m_window->homeWidget()->isVisible());
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    // Where a click into the document puts the focus.
    auto* editor = m_window->findChild<QControlHost*>();
    const QList<QWidget*> inside = editor->findChildren<QWidget*>();
    const auto page = std::find_if(inside.cbegin(), inside.cend(), [](QWidget* widget) {
        return widget->isVisible() && (widget->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus;
    });
    QVERIFY(page != inside.cend());
    (*page)->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(editor->isAncestorOf(QApplication::focusWidget()));
    auto* btnMax = m_window->findChild<QPushButton*>("btnMax");
    QTest::mouseClick(btnMax, Qt::LeftButton);
    QTest::mouseClick(btnMax, Qt::LeftButton);
    QVERIFY(editor->isAncestorOf(QApplication::focusWidget()));
}

void TstMainWidget::editorContextMenusFitTheirTexts()
{
    // The window's style sheet gives its own menu's items a fixed width; a pane's context menu
    // inside the editor holds longer texts and shortcuts.
    m_window->onOpenFile(m_files.filePath("a.pdf"));
    QTRY_COMPARE(activePath(), m_files.filePath("a.pdf"));
    QMenu menu(m_window->findChild<QControlHost*>()->findChild<QToolBar*>("pxvToolBar"));
    QAction* action = menu.addAction("Insert Pages from File…");
    action->setShortcut(QKeySequence("Ctrl+Shift+I"));
    menu.ensurePolished();
    const QString line = action->text() + "  " + action->shortcut().toString(QKeySequence::NativeText);
    QVERIFY(menu.actionGeometry(action).width() > QFontMetrics(menu.font()).horizontalAdvance(line));

    // The window's style sheet draws every item alike; one that cannot be chosen now looks so.
    QAction* unavailable = menu.addAction("Paste");
    unavailable->setEnabled(false);
    menu.resize(menu.sizeHint());
    const auto darkest = [&menu](QAction* item) {
        const QImage drawn = menu.grab(menu.actionGeometry(item)).toImage();
        int found = 255;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                found = std::min(found, qGray(drawn.pixel(x, y)));
        return found;
    };
    QVERIFY2(darkest(unavailable) > darkest(action) + 60,
             qPrintable(QString("%1 against %2").arg(darkest(unavailable)).arg(darkest(action))));
}

void TstMainWidget::everyButtonHasANameAndIconOnlyOnesATooltip()
{
    // With a document open, so that the editor's toolbar and the floating panel are there too.
    m_window->onOpenFile(m_files.filePath("a.pdf"));
    QTRY_COMPARE(activePath(), m_files.filePath("a.pdf"));
    // Made when the window hears of the active document, a posted message later.
    QTRY_VERIFY(m_window->findChild<QFloatExWidget*>());
    int checked = 0;
    for (QAbstractButton* button : m_window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(button->window()))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(accessible);
        const QString what = button->objectName() + QLatin1Char('/') + button->metaObject()->className();
        QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(what));
        if (button->text().isEmpty())
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(what));
        ++checked;
    }
    QVERIFY(checked > 20);
}

void TstMainWidget::tabFromTheWindowEntersTheHomePage()
{
    QVERIFY(m_window->homeWidget()->isVisible());
    QTest::keyClick(m_window.get(), Qt::Key_Tab);
    QTRY_VERIFY(m_window->homeWidget()->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnClear"));
}

void TstMainWidget::menuEntriesInOrder()
{
    QStringList entries;
    for (QAction* action : m_window->menu()->actions())
        entries << (action->isSeparator() ? QString("-") : action->text());
    QCOMPARE(entries, QStringList({"产品官网", "Register", "-", "帮助中心", "检查更新", "关于我们"}));
}

void TstMainWidget::accountStateFollowsSignals()
{
    auto* login = m_window->findChild<QWidget*>("btnLogin");
    auto* frameUser = m_window->findChild<QWidget*>("frameUser");
    auto* nickname = m_window->findChild<QLabel*>("labelNickname");
    m_window->onUserLogin("Ann");
    QVERIFY(frameUser->isVisible());
    QVERIFY(!login->isVisible());
    QCOMPARE(nickname->text(), QString("Ann"));
    m_window->onUserLogout();
    QVERIFY(login->isVisible());
    QVERIFY(!frameUser->isVisible());
    QTest::qWait(100);
    QVERIFY(login->isVisible());

    m_window->control()->openPath(m_files.filePath("a.pdf"));
    QCoreApplication::sendPostedEvents();
    m_window->onUserLogout();
    // Signing out keeps the open document in front.
    QVERIFY(!m_window->homeWidget()->isVisible());
    QVERIFY(m_window->floatExWidget()->isVisible());
}

void TstMainWidget::missingComponentEndsRunWithLogRecord()
{
    m_window.reset();
    QControlHost::unregisterClass(kPXVEditorClassId);
    const int result = static_cast<CWinApp*>(qApp)->run();
    registerPXVEditor();
    QCOMPARE(result, 1);
    QFile log(CGlobal::getAppDataPath() + "vellumpad.log");
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    QVERIFY(text.contains("初始化com组件异常，可能未注册！"));
    QVERIFY(text.contains("cwinapp:84"));
    QVERIFY(text.contains(
        "express: ui.axWidget->setControl(QString::fromUtf8(\"{a1149909-4edc-4421-b9e5-e93c25a000a1}\"))"));
    m_window = std::make_unique<QMainWidget>();
}

void TstMainWidget::editorIsMadeAfterHomePagePaintPanelWithDocument()
{
    m_window.reset();
    m_window = std::make_unique<QMainWidget>();
    const auto* host = m_window->findChild<QControlHost*>("axWidget");
    QVERIFY(host);
    // Neither is needed for the first picture of the home page.
    QVERIFY(!m_window->findChild<QFloatExWidget*>());
    QVERIFY(!host->queryInterface());
    m_window->show();
    QTRY_VERIFY(m_window->homeWidget()->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(m_window->homeWidget()));
    QTRY_VERIFY(host->queryInterface());
    // The panel shows only beside a document: it waits for one.
    QVERIFY(!m_window->findChild<QFloatExWidget*>());
    // Fully set up: the control's events reach the window.
    host->queryInterface()->openPath(m_files.filePath("a.pdf"));
    QTRY_VERIFY(!m_window->homeWidget()->isVisible());
    QFloatExWidget* panel = m_window->findChild<QFloatExWidget*>();
    QVERIFY(panel);
    QVERIFY(panel->isVisible());
    QCOMPARE(m_window->floatExWidget(), panel);
}

void TstMainWidget::editorIsMadeOnFirstNeedBeforePaint()
{
    // A file named on the command line is opened half a second after start by an editor made at
    // once, before the home page is painted.
    m_window.reset();
    m_window = std::make_unique<QMainWidget>();
    const auto* host = m_window->findChild<QControlHost*>("axWidget");
    QVERIFY(host);
    QVERIFY(!host->queryInterface());
    m_window->onOpenFile(m_files.filePath("a.pdf"));
    QVERIFY(host->queryInterface());
    QTRY_COMPARE(host->queryInterface()->activeDocPath(), m_files.filePath("a.pdf"));
    QTRY_VERIFY(m_window->findChild<QFloatExWidget*>());
    QTRY_COMPARE(historyRows(), 1);
}

int main(int argc, char** argv)
{
    return runAppTest<TstMainWidget>(argc, argv);
}

#include "tst_mainwidget.moc"

void TstMainWidget::converterButtonsOpenTheConvertDialog()
{
    m_window->control()->openPath(m_files.filePath("a.pdf"));
    QCoreApplication::sendPostedEvents();
    const QList<QPair<QString, QString>> cases = {{"btnToWord", "docx"},
                                                  {"btnToExcel", "docx"},
                                                  {"btnToPPT", "docx"},
                                                  {"btnToImage", "png"},
                                                  {"btnToCAD", "svg"}};
    for (const auto& [button, format] : cases) {
        QString shown;
        QString note;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = dialog->findChild<QComboBox*>()->currentData().toString();
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                note += label->text();
            dialog->reject();
        });
        m_window->floatExWidget()->findChild<QPushButton*>(button)->click();
        QCOMPARE(shown, format);
        QCOMPARE(note.contains("Word document"), button == "btnToExcel" || button == "btnToPPT");
    }
    QVERIFY(m_messages.isEmpty()); // no "no page" message any more
}
