#include "cpxvcontrol.h"

#include "actionset.h"
#include "commentstylespane.h"
#include "core/document.h"
#include "core/pagerenderer.h"
#include "core/preparedopen.h"
#include "cpxvdocument.h"
#include "cpxvinst.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "nametable.h"
#include "navwidgets.h"
#include "pageview.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

using pxv::DocumentView;
using pxv::PageView;
namespace names = pxv::names;

CPXVControl::CPXVControl(QWidget* parent)
    : QWidget(parent), m_dialogs(std::make_unique<pxv::DefaultDialogProvider>()), m_actions(new pxv::ActionSet(this))
{
    m_inst = std::make_unique<CPXVInst>(this);
    pxv::PageRenderer::startWorkers();
    registerCommands();
    registerCommentCommands();
    registerPaneCommands();
    registerFormCommands();
    setObjectName(QStringLiteral("pxvControl"));
    setAcceptDrops(true);

    // A host's style sheet may fix the width of menu items (the application's own menu is
    // short); the editor's menus, its panes' context menus among them, hold long texts with
    // shortcuts, so they size to their text. A negative width leaves the width unset; the right
    // padding keeps the longest text off the border, which the host's padding on the left alone
    // left it touching. A host's colour for items may hold for every state: a command that cannot
    // be chosen now is greyed.
    setStyleSheet(QStringLiteral("QMenu::item { width: -1px; padding-right: 12px; }"
                                 "QMenu::item:disabled { color: #A8A8A8; }"));
    m_menuBar = new QMenuBar(this);
    buildMenus();
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("pxvToolBar"));
    buildToolBar();
    buildCommentBar();

    m_separator = new QFrame(this);
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Plain);
    m_separator->setForegroundRole(QPalette::Mid);
    m_separator->hide();

    m_tabs = new QTabWidget(this);
    m_tabs->setDocumentMode(true);
    m_tabs->setTabsClosable(true);
    m_tabs->setMovable(true);
    m_tabs->setElideMode(Qt::ElideMiddle);
    m_tabs->tabBar()->setExpanding(false);
    // Pages dragged from one document's thumbnails reach another's by hovering over its tab.
    m_tabs->tabBar()->setChangeCurrentOnDrag(true);
    m_tabs->tabBar()->setAcceptDrops(true);

    m_emptyArea = new QWidget(this);
    m_emptyArea->setAutoFillBackground(true);
    m_emptyArea->setBackgroundRole(QPalette::Dark);
    m_startPage = buildStartPage();

    m_stack = new QStackedWidget(this);
    m_stack->addWidget(m_emptyArea);
    m_stack->addWidget(m_startPage);
    m_stack->addWidget(m_tabs);

    m_contentFrame = new QFrame(this);
    auto* frameLayout = new QHBoxLayout(m_contentFrame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(m_stack, 1);
    frameLayout->addWidget(buildCommentStylesPane());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_commentBar);
    layout->addWidget(m_separator);
    layout->addWidget(m_contentFrame, 1);

    connect(m_tabs, &QTabWidget::currentChanged, this, &CPXVControl::onCurrentTabChanged);
    connect(m_tabs, &QTabWidget::tabCloseRequested, this, &CPXVControl::onTabCloseRequested);
    connect(m_actions, &pxv::ActionSet::signal_triggered, this, &CPXVControl::onActionTriggered);

    onCurrentTabChanged();
}

CPXVControl::~CPXVControl()
{
    // The views go before the instance whose settings and actions they use.
    m_handler = nullptr;
    m_preparedView.reset();
    while (m_tabs->count() > 0) {
        rememberPlace(viewAt(0));
        QWidget* view = m_tabs->widget(0);
        m_tabs->removeTab(0);
        delete view;
    }
}

void CPXVControl::buildMenus()
{
    auto add = [this](QMenu* menu, const QString& name) { menu->addAction(m_actions->action(name)); };

    QMenu* file = m_menuBar->addMenu(tr("&File"));
    add(file, names::kOpen);
    add(file, names::kNewBlank);
    add(file, names::kNewDocCombine);
    add(file, names::kNewFromImages);
    add(file, names::kNewFromText);
    file->addSeparator();
    add(file, names::kSave);
    add(file, names::kSaveAs);
    file->addSeparator();
    add(file, names::kConvert);
    add(file, names::kCompress);
    add(file, names::kPrint);
    file->addSeparator();
    add(file, names::kClose);

    QMenu* edit = m_menuBar->addMenu(tr("&Edit"));
    add(edit, names::kUndo);
    add(edit, names::kRedo);
    edit->addSeparator();
    for (const QString& name : {names::kCut, names::kCopy, names::kPaste, names::kDeleteSelection})
        add(edit, name);
    connect(edit, &QMenu::aboutToShow, this, &CPXVControl::updateClipboardActions);
    edit->addSeparator();
    add(edit, names::kShowHistory);

    QMenu* view = m_menuBar->addMenu(tr("&View"));
    add(view, names::kZoomIn);
    add(view, names::kZoomOut);
    add(view, names::kActualSize);
    add(view, names::kFitWidth);
    add(view, names::kFitPage);
    view->addSeparator();
    add(view, names::kRotateLeft);
    add(view, names::kRotateRight);
    view->addSeparator();
    add(view, names::kFind);
    view->addSeparator();
    add(view, names::kShowThumbnails);
    add(view, names::kShowOutline);
    add(view, names::kShowAttachments);
    add(view, names::kShowLayers);
    add(view, names::kShowStamps);
    add(view, names::kShowCommentStyles);
    view->addSeparator();
    add(view, names::kShowCommentBar);

    QMenu* pages = m_menuBar->addMenu(tr("&Pages"));
    add(pages, names::kInsertBlankPage);
    add(pages, names::kInsertPages);
    add(pages, names::kExtractPages);
    add(pages, names::kSplitDocument);
    add(pages, names::kDeletePages);
    pages->addSeparator();
    add(pages, names::kCropPages);
    add(pages, names::kResizePages);
    pages->addSeparator();
    add(pages, names::kRotateLeft);
    add(pages, names::kRotateRight);

    QMenu* comment = m_menuBar->addMenu(tr("C&omment"));
    for (const QString& name : {names::kToolSelect, names::kToolHighlight, names::kToolUnderline, names::kToolStrikeOut,
                                names::kToolSquiggly})
        add(comment, name);
    comment->addSeparator();
    for (const QString& name :
         {names::kToolNote, names::kToolTextBox, names::kToolPen, names::kToolStamp, names::kToolImageStamp})
        add(comment, name);
    comment->addSeparator();
    for (const QString& name : {names::kToolLine, names::kToolArrow, names::kToolRectangle, names::kToolEllipse,
                                names::kToolPolygon, names::kToolPolyline})
        add(comment, name);
    comment->addSeparator();
    add(comment, names::kShowComments);
    add(comment, names::kSummarizeComments);
    comment->addSeparator();
    add(comment, names::kExportCommentsAndFields);
    add(comment, names::kImportCommentsAndFields);
    QMenu* form = m_menuBar->addMenu(tr("Fo&rm"));
    form->setObjectName(QStringLiteral("cmdbar.form"));
    add(form, names::kResetForm);
    add(form, names::kHighlightFields);
    add(form, names::kRunFormScripts);
    form->addSeparator();
    add(form, names::kShowSignatures);
    QMenu* document = m_menuBar->addMenu(tr("&Document"));
    add(document, names::kAddWatermark);
    add(document, names::kRemoveWatermarks);
    document->addSeparator();
    add(document, names::kAddHeaderFooter);
    add(document, names::kRemoveHeaderFooter);
    document->addSeparator();
    add(document, names::kAddBookmark);
    document->addSeparator();
    add(document, names::kDocumentProperties);
    add(document, names::kDocumentSecurity);

    QMenu* go = m_menuBar->addMenu(tr("&Go"));
    add(go, names::kFirstPage);
    add(go, names::kPrevPage);
    add(go, names::kNextPage);
    add(go, names::kLastPage);
    go->addSeparator();
    add(go, names::kGoBack);
    add(go, names::kGoForward);
    go->addSeparator();
    add(go, names::kNextDoc);
    add(go, names::kPrevDoc);

    QMenu* help = m_menuBar->addMenu(tr("&Help"));
    QAction* helpAction = m_actions->action(names::kHelp);
    help->addAction(helpAction);
    // The menu goes with its only command when that is hidden.
    connect(helpAction, &QAction::changed, help,
            [help, helpAction] { help->menuAction()->setVisible(helpAction->isVisible()); });
}

void CPXVControl::buildToolBar()
{
    m_toolBar->setIconSize(QSize(20, 20));
    m_toolBar->setMovable(false);
    auto add = [this](const QString& name) { m_toolBar->addAction(m_actions->action(name)); };
    add(names::kOpen);
    add(names::kNewDocCombine);
    add(names::kSave);
    m_toolBar->addSeparator();
    add(names::kUndo);
    add(names::kRedo);
    m_toolBar->addSeparator();
    add(names::kShowThumbnails);
    add(names::kShowOutline);
    m_toolBar->addSeparator();
    add(names::kPrevPage);
    m_pageBox = new pxv::PageBox(m_toolBar);
    m_toolBar->addWidget(m_pageBox);
    add(names::kNextPage);
    m_toolBar->addSeparator();
    add(names::kZoomOut);
    m_zoomBox = new pxv::ZoomBox(m_toolBar);
    m_toolBar->addWidget(m_zoomBox);
    add(names::kZoomIn);
    add(names::kFitWidth);
    add(names::kFitPage);
    m_toolBar->addSeparator();
    add(names::kRotateLeft);
    add(names::kRotateRight);
    m_toolBar->addSeparator();
    add(names::kFind);
    auto* spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    add(names::kHelp);

    connect(m_pageBox, &pxv::PageBox::signal_pageRequested, this, [this](int page) {
        if (DocumentView* view = activeView()) {
            view->pageView()->jumpTo(page);
            view->pageView()->setFocus();
        }
    });
    connect(m_zoomBox, &pxv::ZoomBox::signal_fitRequested, this, [this](pxv::ZoomBox::Fit fit) {
        runCommand(fit == pxv::ZoomBox::Fit::Page ? names::kFitPage : names::kFitWidth);
    });
    connect(m_zoomBox, &pxv::ZoomBox::signal_zoomRequested, this, [this](double zoom) {
        if (DocumentView* view = activeView())
            view->pageView()->setZoom(zoom);
    });
}

QWidget* CPXVControl::buildStartPage()
{
    auto* page = new QWidget(this);
    page->setAutoFillBackground(true);
    page->setBackgroundRole(QPalette::Base);
    auto* title = new QLabel(tr("Open a PDF"), page);
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    auto* hint = new QLabel(tr("Open a document, combine several files into one, or start with a blank page."), page);
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const QString& name : {names::kOpen, names::kNewDocCombine, names::kNewBlank}) {
        QAction* action = m_actions->action(name);
        auto* button = new QPushButton(action->icon(), action->text().remove(QLatin1Char('&')), page);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

IPXV_Inst* CPXVControl::inst()
{
    return m_inst.get();
}

void CPXVControl::enableEvent(int eventId, bool enable)
{
    if (!pxv::NameTable::instance().isKind(eventId, pxv::NameTable::Kind::Event))
        throw PXV_Error(PXV_Error::InvalidArgument, tr("%1 is not the id of an event.").arg(eventId));
    if (enable)
        m_enabledEvents.insert(eventId);
    else
        m_enabledEvents.remove(eventId);
}

void CPXVControl::advise(EventHandler handler)
{
    m_handler = std::move(handler);
}

void CPXVControl::fire(const QString& eventName, IUnknown* from)
{
    const int id = pxv::NameTable::instance().id(eventName);
    if (m_handler && m_enabledEvents.contains(id))
        m_handler(id, nullptr, from);
}

QString CPXVControl::activeDocPath() const
{
    const DocumentView* view = activeView();
    if (!view)
        return QString();
    const QString path = view->document()->srcPath();
    return path.isNull() ? QStringLiteral("") : path;
}

int CPXVControl::setBorderStyle(int style)
{
    switch (style) {
    case 0:
        m_contentFrame->setFrameStyle(QFrame::NoFrame);
        break;
    case 1:
        m_contentFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
        break;
    case 2:
        m_contentFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        break;
    case 3:
        m_contentFrame->setFrameStyle(QFrame::NoFrame);
        break;
    default:
        return -1;
    }
    m_separator->setVisible(style == 3);
    return 0;
}

void CPXVControl::setDialogProvider(std::unique_ptr<pxv::DialogProvider> provider)
{
    m_dialogs = provider ? std::move(provider) : std::make_unique<pxv::DefaultDialogProvider>();
    m_stylesPane->setDialogs(m_dialogs.get());
}

void CPXVControl::setNoValueText(const QString& text)
{
    m_pageBox->setNoValueText(text);
}

void CPXVControl::setStartPageVisible(bool visible)
{
    m_startPageVisible = visible;
    if (m_tabs->count() == 0)
        m_stack->setCurrentWidget(visible ? m_startPage : m_emptyArea);
}

void CPXVControl::applyPaneLimits()
{
    for (int i = 0; i < m_tabs->count(); ++i)
        viewAt(i)->applyPaneLimits(m_inst->paneArea().limits());
}

void CPXVControl::applySettings()
{
    // One document at a time needs no tab bar.
    m_tabs->setTabBarAutoHide(m_inst->currentSettings().getBool(pxv::Settings::kSingleWindow));
    pxv::Document::setAnnotationAuthor(m_inst->currentSettings().getString(pxv::Settings::kCommentAuthor));
    m_actions->action(names::kRunFormScripts)
        ->setChecked(m_inst->currentSettings().getBool(pxv::Settings::kFormScripts));
    for (int i = 0; i < m_tabs->count(); ++i)
        applyFormSettings(viewAt(i));
    const bool commentBar = m_inst->currentSettings().getBool(pxv::Settings::kCommentBar);
    m_commentBar->setVisible(commentBar);
    m_actions->action(names::kShowCommentBar)->setChecked(commentBar);
    applyCommentStyles();
}

int CPXVControl::documentCount() const
{
    return m_tabs->count();
}

DocumentView* CPXVControl::viewAt(int index) const
{
    return qobject_cast<DocumentView*>(m_tabs->widget(index));
}

DocumentView* CPXVControl::activeView() const
{
    return qobject_cast<DocumentView*>(m_tabs->currentWidget());
}

void CPXVControl::onCurrentTabChanged()
{
    if (m_tabs->count() == 0)
        m_stack->setCurrentWidget(m_startPageVisible ? m_startPage : m_emptyArea);
    else
        m_stack->setCurrentWidget(m_tabs);
    connectActiveView();
    updateActions();
    notifyActiveDocChanged(false);
}

void CPXVControl::notifyActiveDocChanged(bool evenIfSame)
{
    const DocumentView* view = activeView();
    const std::shared_ptr<CPXVDocument> current = view ? view->document() : nullptr;
    const bool changed = current != m_lastActive.lock() || m_hadActive != bool(current);
    m_lastActive = current;
    m_hadActive = bool(current);
    if (changed || evenIfSame)
        fire(names::kActiveDocChanged, current.get());
}

void CPXVControl::connectActiveView()
{
    for (const QMetaObject::Connection& connection : m_viewConnections)
        disconnect(connection);
    m_viewConnections.clear();
    DocumentView* view = activeView();
    if (!view) {
        updateNavigation();
        return;
    }
    PageView* pages = view->pageView();
    m_viewConnections.push_back(connect(pages, &PageView::currentPageChanged, this, &CPXVControl::updateNavigation));
    m_viewConnections.push_back(connect(pages, &PageView::zoomChanged, this, &CPXVControl::updateNavigation));
    m_viewConnections.push_back(connect(pages, &PageView::historyChanged, this, &CPXVControl::updateNavigation));
    m_viewConnections.push_back(connect(pages, &PageView::layoutChanged, this, [this, view] {
        updateNavigation();
        fire(names::kLayoutChanged, view->document().get());
    }));
    m_viewConnections.push_back(
        connect(view, &DocumentView::signal_outlineVisibilityChanged, this, &CPXVControl::updateActions));
    m_viewConnections.push_back(
        connect(view->document()->model(), &pxv::Document::historyChanged, this, &CPXVControl::updateHistoryActions));
    updateNavigation();
}

void CPXVControl::updateNavigation()
{
    const DocumentView* view = activeView();
    const PageView* pages = view ? view->pageView() : nullptr;
    m_actions->action(names::kGoBack)->setEnabled(pages && pages->canGoBack());
    m_actions->action(names::kGoForward)->setEnabled(pages && pages->canGoForward());
    if (!pages) {
        m_pageBox->setPage(0, 0);
        m_zoomBox->setZoom(pxv::ZoomBox::Fit::Width, 1.0);
        return;
    }
    m_pageBox->setPage(pages->currentPage(), pages->pageCount());
    const PageView::ZoomMode mode = pages->zoomMode();
    m_zoomBox->setZoom(mode == PageView::ZoomMode::FitWidth  ? pxv::ZoomBox::Fit::Width
                       : mode == PageView::ZoomMode::FitPage ? pxv::ZoomBox::Fit::Page
                                                             : pxv::ZoomBox::Fit::None,
                       pages->zoom());
    const bool notFirst = pages->currentPage() > 0;
    const bool notLast = pages->currentPage() < pages->pageCount() - 1;
    m_actions->action(names::kFirstPage)->setEnabled(notFirst);
    m_actions->action(names::kPrevPage)->setEnabled(notFirst);
    m_actions->action(names::kNextPage)->setEnabled(notLast);
    m_actions->action(names::kLastPage)->setEnabled(notLast);
    m_actions->action(names::kZoomIn)->setEnabled(pages->zoom() < PageView::kMaxZoom - 1e-6);
    m_actions->action(names::kZoomOut)->setEnabled(pages->zoom() > PageView::kMinZoom + 1e-6);
}

void CPXVControl::updateActions()
{
    const DocumentView* view = activeView();
    const bool hasDocument = view != nullptr;
    for (const QString& name :
         {names::kSave, names::kSaveAs, names::kClose, names::kActualSize, names::kFitWidth, names::kFitPage,
          names::kZoomIn, names::kZoomOut, names::kFirstPage, names::kPrevPage, names::kNextPage, names::kLastPage,
          names::kRotateLeft, names::kRotateRight, names::kFind})
        m_actions->action(name)->setEnabled(hasDocument);
    m_zoomBox->setEnabled(hasDocument);
    const bool several = m_tabs->count() > 1;
    m_actions->action(names::kNextDoc)->setEnabled(several);
    m_actions->action(names::kPrevDoc)->setEnabled(several);
    QAction* outline = m_actions->action(names::kShowOutline);
    outline->setEnabled(hasDocument && view->hasOutline());
    outline->setChecked(hasDocument && view->isOutlineVisible());
    QAction* history = m_actions->action(names::kShowHistory);
    history->setEnabled(hasDocument);
    history->setChecked(hasDocument && view->isHistoryVisible());
    QAction* thumbnails = m_actions->action(names::kShowThumbnails);
    thumbnails->setEnabled(hasDocument);
    thumbnails->setChecked(hasDocument && view->areThumbnailsVisible());
    for (const QString& name : {names::kInsertBlankPage, names::kInsertPages, names::kDeletePages, names::kExtractPages,
                                names::kSplitDocument, names::kCropPages, names::kResizePages, names::kCompress,
                                names::kPrint, names::kAddWatermark, names::kRemoveWatermarks, names::kAddHeaderFooter,
                                names::kRemoveHeaderFooter, names::kDocumentProperties, names::kDocumentSecurity})
        m_actions->action(name)->setEnabled(hasDocument);
    updateHistoryActions();
    updateCommentActions();
    updatePaneActions();
    updateFormActions();
    if (hasDocument)
        updateNavigation();
}

void CPXVControl::updateHistoryActions()
{
    const DocumentView* view = activeView();
    const pxv::Document* model = view ? view->document()->model() : nullptr;
    const auto update = [this](const QString& name, bool enabled, const QString& plain, const QString& named,
                               const QString& step) {
        QAction* action = m_actions->action(name);
        action->setEnabled(enabled);
        const QString text = enabled && !step.isEmpty() ? named.arg(step) : plain;
        action->setText(text);
        const QString key = action->shortcut().toString(QKeySequence::NativeText);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(QLatin1Char('&')), key));
    };
    update(names::kUndo, model && model->canUndo(), tr("&Undo"), tr("&Undo %1"), model ? model->undoName() : QString());
    update(names::kRedo, model && model->canRedo(), tr("&Redo"), tr("&Redo %1"), model ? model->redoName() : QString());
}

void CPXVControl::updateTabTitle(DocumentView* view)
{
    const int index = m_tabs->indexOf(view);
    if (index < 0)
        return;
    const CPXVDocument& document = *view->document();
    const QString name = document.displayName();
    m_tabs->setTabText(index, document.isModified() ? name + QStringLiteral(" *") : name);
    const QString path = document.srcPath();
    m_tabs->setTabToolTip(index, path.isNull() ? tr("%1 (not saved yet)").arg(name) : path);
    // The close cross is drawn, not written; a screen reader needs to hear which tab it closes.
    if (QWidget* close = m_tabs->tabBar()->tabButton(index, QTabBar::RightSide))
        close->setAccessibleName(tr("Close %1").arg(name));
}

void CPXVControl::onTabCloseRequested(int index)
{
    if (DocumentView* view = viewAt(index))
        closeDocument(view);
}

void CPXVControl::onActionTriggered(const QString& name)
{
    // An action's slot must not let an exception into the event loop.
    try {
        runCommand(name);
    } catch (const PXV_Error& error) {
        m_dialogs->showError(this, error.message());
    }
}

void CPXVControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        fire(names::kLanguageChanged);
}

namespace {

QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

void CPXVControl::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CPXVControl::dropEvent(QDropEvent* event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    openInteractively(files);
}
