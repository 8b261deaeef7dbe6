// The editor host: creates and sets up the editor component, turns its events into window
// actions, opens and creates documents, and switches between home page and editor.
#include "qmainwidget.h"

#include "pxveditor.h"

#include "historystore.h"
#include "ipxv.h"
#include "logger.h"
#include "perf.h"
#include "qcommandids.h"
#include "qfloatexwidget.h"
#include "qhomewidget.h"
#include "qmsgbox.h"
#include "readingplaces.h"
#include "uexception.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

void QMainWidget::initControl()
{
    U_ASSERT_MSG(ui.axWidget->setControl(QString::fromUtf8("{a1149909-4edc-4421-b9e5-e93c25a000a1}")),
                 tr("初始化com组件异常，可能未注册！"));
    m_pdfCtl = ui.axWidget->queryInterface();
    connect(ui.axWidget, SIGNAL(OnEvent(int, IDispatch*, IUnknown*)), this,
            SLOT(onControlEvent(int, IDispatch*, IUnknown*)));
    U_ASSERT_MSG(nullptr != m_pdfCtl, tr("初始化activeX控件异常！"));
    QCommandIDs::init(m_pdfCtl);
    for (int index = e_activeDocChanged; index <= e_uiLanguageChanged; ++index)
        m_pdfCtl->enableEvent(QCommandIDs::id(index), true);
    setupControl();
}

void QMainWidget::setupControl()
{
    // A flat separator line between title bar and editor; a refused style changes nothing.
    m_pdfCtl->setBorderStyle(3);
    IPXV_Inst* inst = m_pdfCtl->inst();
    inst->setNoValueText(QStringLiteral("-"));
    inst->settings()->setBool(QStringLiteral("Docs.SingleWnd"), false);
    // The component's own start page stays hidden: the home page takes its place.
    inst->setPreference(9, 0);
    IPXV_Layout* layout = inst->layout();
    layout->frame()->view()->paneArea()->setSizeLimits(1024, 0, 1024, 0);
    layout->fullScreen()->frame()->view()->paneArea()->setSizeLimits(1024, 0, 1024, 0);
    // The program's menu has its own help, so the component's Help command goes.
    IPXV_Command* help = inst->extension(QStringLiteral("UIX"))->commands()->find(QStringLiteral("cmd.help"));
    if (!help)
        throw PXV_Error(PXV_Error::NotFound, QStringLiteral("The editor has no command \"cmd.help\"."));
    help->setHidden(true);
    // Files open where they were left, kept beside the recent list.
    m_pdfCtl->setPlaceKeeper(std::make_shared<ReadingPlaces>([] { return HistoryStore::instance(); }));
}

void QMainWidget::onControlEvent(int nEventID, IDispatch*, IUnknown*)
{
    if (nEventID == QCommandIDs::id(e_activeDocChanged))
        QCoreApplication::postEvent(this, new QEvent(WM_DOC_CHANGED));
}

bool QMainWidget::event(QEvent* event)
{
    if (event->type() == WM_DOC_CHANGED)
        onActiveDocChanged();
    else if (event->type() == WM_NEW_BLANK_DOC)
        createBlankDoc();
    else if (event->type() == QEvent::WindowActivate)
        raiseFloatingWindows();
    return QWidget::event(event);
}

void QMainWidget::closeEvent(QCloseEvent* event)
{
    // Closing the window must not silently drop unsaved changes.
    if (m_pdfCtl && !m_pdfCtl->queryClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void QMainWidget::onActiveDocChanged()
{
    const QString path = m_pdfCtl->activeDocPath();
    if (path.size() > 0) {
        perfMilestone("document opened");
        recordInHistory(path);
    }
    updateDocViews();
}

void QMainWidget::recordInHistory(const QString& path)
{
    // A history that cannot be opened costs the user the recent list, not the open document.
    try {
        HistoryStore* store = HistoryStore::instance();
        const std::wstring widePath = path.toStdWString();
        if (store->exists(widePath))
            store->touch(widePath);
        else
            store->add(widePath);
    } catch (UException& e) {
        sth::logger::log(1, __FILE__, __LINE__, e.toString());
    }
}

void QMainWidget::onOpenDoc()
{
    control()->inst()->runCommand(QStringLiteral("cmd.open"), 0);
}

void QMainWidget::onMergePDF()
{
    control()->inst()->runCommand(QStringLiteral("cmd.newDocCombine"), 0);
}

void QMainWidget::onNewBlankDoc()
{
    QCoreApplication::postEvent(this, new QEvent(WM_NEW_BLANK_DOC));
}

void QMainWidget::createBlankDoc()
{
    completeSetup();
    try {
        IPXV_Inst* inst = m_pdfCtl->inst();
        const int operationId = inst->nameToId(QStringLiteral("op.newBlankDoc"), true);
        const std::shared_ptr<IPXV_Operation> operation = inst->createOperation(operationId);
        inst->runOperation(operation.get(), 0);
        const auto document = std::dynamic_pointer_cast<IPXV_Document>(
            operation->params()->child(QStringLiteral("Output"))->object());
        if (document)
            m_pdfCtl->showDocument(document, 0);
    } catch (...) {
        QMsgBox::showError(tr("创建空白文档异常！"), 1);
    }
}

void QMainWidget::offerRecovery()
{
    completeSetup();
    offerPXVRecovery(m_pdfCtl);
}

void QMainWidget::onOpenFile(const QString& filePath)
{
    // A list is separated by ";", but a name may hold one too: what exists is one path.
    QStringList paths = QFileInfo::exists(filePath)
                            ? QStringList(filePath)
                            : filePath.split(QLatin1Char(';'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    const QString first = paths.first();
    if (QFileInfo(first).isDir()) {
        paths.clear();
        const QFileInfoList entries = QDir(first).entryInfoList(QDir::Files, QDir::NoSort);
        for (const QFileInfo& entry : entries)
            paths.append(entry.absoluteFilePath());
    }
    if (paths.isEmpty() || !paths.first().endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return;
    const QString path = paths.first();
    // The wait starts first; the editor that will open the file is made during it, as the window
    // shows it. The file is read during it too, once the window is on screen, so that it shows
    // at once when the wait ends.
    QTimer::singleShot(500, this, [this, path] {
        m_toPrepare.clear(); // too late to read ahead
        if (IPXV_Control* editor = control())
            editor->openPath(path, 0);
    });
    completeSetup();
    if (m_homePainted)
        prepareToShow(path);
    else
        m_toPrepare = path;
}

void QMainWidget::prepareToShow(const QString& path)
{
    if (IPXV_Control* editor = control())
        editor->prepareOpen(path);
    // The panel shows with the document, styled now.
    floatExWidget()->ensurePolished();
    // The file is recorded once it shows; the database is opened (or made) beforehand.
    try {
        HistoryStore::instance();
    } catch (UException& e) {
        sth::logger::log(1, __FILE__, __LINE__, e.toString());
    }
}

void QMainWidget::updateDocViews()
{
    // Before the editor is made no document can be open.
    const bool documentActive = m_pdfCtl && !m_pdfCtl->activeDocPath().isNull();
    if (m_homeWidget)
        m_homeWidget->setVisible(!documentActive);
    if (documentActive)
        floatExWidget()->show();
    else if (m_floatExWidget)
        m_floatExWidget->hide();
    raiseFloatingWindows();
}
