// The document side of the control: opening, showing, saving and closing documents, and the
// commands that do it with dialogs.

#include "cpxvcontrol.h"

#include "actionset.h"
#include "convertdialog.h"
#include "core/document.h"
#include "core/pagerenderer.h"
#include "core/preparedopen.h"
#include "cpxvdocument.h"
#include "cpxvinst.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "filechangebar.h"
#include "nametable.h"
#include "operation.h"
#include "outputfolder.h"
#include "pageview.h"
#include "perflog.h"
#include "recoverykeeper.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>

using pxv::DocumentView;
using pxv::PageView;
namespace names = pxv::names;

namespace {

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

void CPXVControl::openPath(const QString& path, int)
{
    QElapsedTimer timer;
    timer.start();
    // Whatever was prepared goes now, taken or not.
    const std::unique_ptr<pxv::PreparedOpen> prepared = std::move(m_prepared);
    std::unique_ptr<DocumentView> preparedView = std::move(m_preparedView);
    if (path.trimmed().isEmpty())
        throw PXV_Error(PXV_Error::InvalidArgument, tr("No file name was given to open."));
    const QString cleanPath = cleanAbsolute(path);
    if (DocumentView* view = findView(cleanPath)) {
        // Opening an open file shows its tab; the host hears of it even when it already was the
        // active one, so that it can note the file as used again.
        if (view == activeView())
            notifyActiveDocChanged(true);
        else
            m_tabs->setCurrentWidget(view);
        return;
    }
    if (preparedView && prepared->isFor(cleanPath)) {
        preparedView->hide();
        preparedView->setAttribute(Qt::WA_DontShowOnScreen, false);
        placeView(preparedView.release(), &timer);
        return;
    }
    const std::shared_ptr<CPXVDocument> document = openDocument(cleanPath);
    if (!document)
        return;
    showWhereLeft(addDocument(document, &timer));
}

void CPXVControl::prepareOpen(const QString& path)
{
    m_prepared.reset();
    m_preparedView.reset();
    if (path.trimmed().isEmpty())
        return;
    const QString cleanPath = cleanAbsolute(path);
    if (findView(cleanPath))
        return;
    m_prepared = std::make_unique<pxv::PreparedOpen>(cleanPath);
    pxv::PreparedOpen::Taken taken = m_prepared->take();
    if (!taken.document)
        return;
    // The view is made now too, at the size its tab will have, and shown off screen, so that
    // its first pages are drawn before the open and show at once.
    m_preparedView.reset(makeView(std::make_shared<CPXVDocument>(std::move(taken.document)), nullptr));
    if (taken.outline)
        m_preparedView->takeOutlineLoader(std::move(taken.outline));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_preparedView->setAttribute(Qt::WA_DontShowOnScreen);
    m_preparedView->setAttribute(Qt::WA_QuitOnClose, false); // the main window's close still ends the program
    m_preparedView->resize(m_stack->size());
    m_preparedView->show();
    showWhereLeft(m_preparedView.get());
}

std::shared_ptr<CPXVDocument> CPXVControl::openDocument(const QString& cleanPath)
{
    const QString fileName = QFileInfo(cleanPath).fileName();
    std::unique_ptr<pxv::Document> document;
    // A render worker opens its own copy of the file meanwhile, for the first page.
    pxv::PageRenderer::openAhead(cleanPath);
    try {
        document = pxv::Document::open(cleanPath);
    } catch (const pxv::DocumentError& error) {
        QString message = error.message();
        if (!message.contains(fileName))
            message = tr("“%1” cannot be opened: %2").arg(fileName, message);
        throw PXV_Error(PXV_Error::FileError, message);
    } catch (const std::exception& error) {
        throw PXV_Error(PXV_Error::FileError,
                        tr("“%1” cannot be opened: %2").arg(fileName, QString::fromLocal8Bit(error.what())));
    }
    // Ask until the password is right; cancelling opens nothing and is no error.
    bool retry = false;
    while (document->needsPassword()) {
        const QString password = m_dialogs->password(this, fileName, retry);
        if (password.isNull())
            return nullptr;
        retry = !document->authenticate(password);
    }
    return std::make_shared<CPXVDocument>(std::move(document));
}

void CPXVControl::showDocument(std::shared_ptr<IPXV_Document> document, int)
{
    auto ours = std::dynamic_pointer_cast<CPXVDocument>(document);
    if (!ours)
        throw PXV_Error(PXV_Error::InvalidArgument, tr("The document was not made by this editor."));
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (viewAt(i)->document() == ours) {
            m_tabs->setCurrentIndex(i);
            return;
        }
    }
    addDocument(ours, nullptr);
}

DocumentView* CPXVControl::findView(const QString& cleanPath) const
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        DocumentView* view = viewAt(i);
        if (view->document()->srcPath() == cleanPath)
            return view;
    }
    return nullptr;
}

DocumentView* CPXVControl::addDocument(const std::shared_ptr<CPXVDocument>& document, const QElapsedTimer* openTimer)
{
    return placeView(makeView(document, m_tabs), openTimer);
}

DocumentView* CPXVControl::makeView(const std::shared_ptr<CPXVDocument>& document, QWidget* parent)
{
    auto* view = new DocumentView(document, parent);
    new pxv::RecoveryKeeper(document->model(), view);
    connect(view->fileChangeBar(), &pxv::FileChangeBar::reloadRequested, this, [this, view] { reloadDocument(view); });
    view->applyPaneLimits(m_inst->paneArea().limits());
    connectPageCommands(view);
    connectCommentCommands(view);
    connectPaneCommands(view);
    applyFormSettings(view);
    pxv::Document* model = document->model();
    CPXVDocument* source = document.get();
    connect(model, &pxv::Document::modifiedChanged, view, [this, view, source] {
        updateTabTitle(view);
        fire(names::kModStateChanged, source);
    });
    const auto sourceChanged = [this, view, source] {
        updateTabTitle(view);
        fire(names::kSourceChanged, source);
    };
    connect(model, &pxv::Document::sourceChanged, view, sourceChanged);
    connect(model, &pxv::Document::pagesChanged, view, sourceChanged);
    connect(model, &pxv::Document::filePathChanged, view, sourceChanged);
    connect(model, &pxv::Document::aboutToSave, view, [this, source] { fire(names::kBeforeSave, source); });
    connect(model, &pxv::Document::saved, view, [this, view, source] {
        updateTabTitle(view);
        fire(names::kAfterSave, source);
    });
    return view;
}

DocumentView* CPXVControl::placeView(DocumentView* view, const QElapsedTimer* openTimer)
{
    // One document at a time: the new one takes the place of the current one, which may still
    // need saving first.
    DocumentView* replaced = nullptr;
    if (m_inst->currentSettings().getBool(pxv::Settings::kSingleWindow)) {
        replaced = activeView();
        if (replaced && !confirmDiscard(replaced)) {
            delete view;
            return nullptr;
        }
    }

    if (openTimer) {
        const QElapsedTimer timer = *openTimer;
        connect(view->pageView(), &PageView::firstPagePainted, this,
                [timer] { qCInfo(pxv::lcPerf) << "first page painted" << timer.elapsed(); });
    }

    const int index = m_tabs->insertTab(replaced ? m_tabs->indexOf(replaced) + 1 : m_tabs->count(), view, QString());
    updateTabTitle(view);
    m_tabs->setCurrentIndex(index);
    if (replaced) {
        rememberPlace(replaced);
        m_tabs->removeTab(m_tabs->indexOf(replaced));
        replaced->deleteLater();
        updateActions();
    }
    view->setFocus();
    return view;
}

void CPXVControl::reloadDocument(DocumentView* view)
{
    if (view->document()->isModified() && !m_dialogs->confirmReload(this, view->document()->displayName()))
        return;
    const int page = view->pageView()->currentPage();
    std::shared_ptr<CPXVDocument> fresh;
    try {
        fresh = openDocument(view->document()->srcPath());
    } catch (const PXV_Error& error) {
        m_dialogs->showError(this, error.message());
        return;
    }
    if (fresh)
        replaceView(view, fresh)->pageView()->goToPage(page);
}

DocumentView* CPXVControl::replaceView(DocumentView* old, const std::shared_ptr<CPXVDocument>& document)
{
    const int index = m_tabs->indexOf(old);
    DocumentView* view = addDocument(document, nullptr);
    m_tabs->tabBar()->moveTab(m_tabs->indexOf(view), index);
    m_tabs->removeTab(m_tabs->indexOf(old));
    old->deleteLater();
    updateActions();
    return view;
}

bool CPXVControl::saveDocument(DocumentView* view, bool saveAs)
{
    CPXVDocument& document = *view->document();
    QString target = document.srcPath();
    if (!saveAs && !target.isNull() && !document.isModified())
        return true;
    if (saveAs || target.isNull()) {
        const QString folder = pxv::outputFolder(target);
        QString name = target.isNull() ? document.displayName() : QFileInfo(target).fileName();
        if (!name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            name += QStringLiteral(".pdf");
        target = m_dialogs->saveFile(this, QDir(folder).filePath(name));
        if (target.isNull())
            return false;
        target = cleanAbsolute(target);
    }
    try {
        m_inst->runOperation(names::kSaveDoc, view->document(), {{QStringLiteral("Path"), target}});
    } catch (const PXV_Error& error) {
        m_dialogs->showError(this, error.message());
        return false;
    }
    return true;
}

void CPXVControl::saveTo(CPXVDocument& document, const QString& path)
{
    const QString target = cleanAbsolute(path);
    const QString before = document.srcPath();
    try {
        document.model()->save(target);
    } catch (const pxv::DocumentError& error) {
        throw PXV_Error(PXV_Error::FileError, error.message());
    } catch (const std::exception& error) {
        throw PXV_Error(
            PXV_Error::FileError,
            tr("“%1” could not be saved: %2").arg(QFileInfo(target).fileName(), QString::fromLocal8Bit(error.what())));
    }
    DocumentView* view = viewOf(document);
    if (!view)
        return;
    updateTabTitle(view);
    // A document that now lives in another file is, for the host, a newly active file.
    if (view == activeView() && document.srcPath() != before)
        notifyActiveDocChanged(true);
}

DocumentView* CPXVControl::viewOf(const CPXVDocument& document) const
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (viewAt(i)->document().get() == &document)
            return viewAt(i);
    }
    return nullptr;
}

std::shared_ptr<CPXVDocument> CPXVControl::activeDocument() const
{
    const DocumentView* view = activeView();
    return view ? view->document() : nullptr;
}

bool CPXVControl::confirmDiscard(DocumentView* view)
{
    if (!view->document()->isModified())
        return true;
    switch (m_dialogs->confirmClose(this, view->document()->displayName())) {
    case pxv::DialogProvider::CloseAnswer::Save:
        return saveDocument(view, false);
    case pxv::DialogProvider::CloseAnswer::Discard:
        return true;
    case pxv::DialogProvider::CloseAnswer::Cancel:
        break;
    }
    return false;
}

bool CPXVControl::closeDocument(DocumentView* view)
{
    if (!confirmDiscard(view))
        return false;
    rememberPlace(view);
    m_tabs->removeTab(m_tabs->indexOf(view));
    view->deleteLater();
    updateActions();
    return true;
}

void CPXVControl::registerCommands()
{
    const auto global = [this](const QString& name, std::function<void()> run) {
        m_commands.insert(name, {false, [run](DocumentView*) { run(); }});
    };
    const auto onDocument = [this](const QString& name, std::function<void(DocumentView*)> run) {
        m_commands.insert(name, {true, std::move(run)});
    };
    const auto onPages = [onDocument](const QString& name, std::function<void(PageView*)> run) {
        onDocument(name, [run](DocumentView* view) { run(view->pageView()); });
    };
    global(names::kOpen, [this] { commandOpen(); });
    global(names::kNewDocCombine, [this] { commandCombine(); });
    global(names::kNewBlank, [this] { commandNewBlank(); });
    global(names::kHelp, [this] { m_dialogs->showHelp(this); });
    global(names::kConvert, [this] { convertDocument({}); });
    global(names::kConvertToWord, [this] { convertDocument({QStringLiteral("docx"), {}}); });
    global(names::kConvertToSpreadsheet, [this] {
        convertDocument({QStringLiteral("docx"), tr("Spreadsheets cannot be written here; the pages come out as a "
                                                    "Word document.")});
    });
    global(names::kConvertToPresentation, [this] {
        convertDocument({QStringLiteral("docx"), tr("Presentations cannot be written here; the pages come out as a "
                                                    "Word document.")});
    });
    global(names::kConvertToImage, [this] { convertDocument({QStringLiteral("png"), {}}); });
    global(names::kConvertToDrawing, [this] { convertDocument({QStringLiteral("svg"), {}}); });
    onDocument(names::kCompress, [this](DocumentView* view) { compressDocument(view); });
    onDocument(names::kPrint, [this](DocumentView* view) { printDocument(view); });
    global(names::kNewFromImages, [this] {
        const QVariantMap images = m_dialogs->openImages(this);
        if (!images.isEmpty())
            showDocumentFromOperation(names::kImagesToDoc, images);
    });
    global(names::kNewFromText, [this] {
        const QString text = m_dialogs->openTextFile(this);
        QVariantMap parameters;
        if (text.isEmpty() || !m_dialogs->textLayout(this, text, &parameters))
            return;
        parameters.insert(QStringLiteral("Input"), text);
        showDocumentFromOperation(names::kTextToDoc, parameters);
    });
    global(names::kNextDoc, [this] { commandNextDocument(1); });
    global(names::kPrevDoc, [this] { commandNextDocument(-1); });
    onDocument(names::kSave, [this](DocumentView* view) { saveDocument(view, false); });
    onDocument(names::kSaveAs, [this](DocumentView* view) { saveDocument(view, true); });
    onDocument(names::kClose, [this](DocumentView* view) { closeDocument(view); });
    onDocument(names::kShowOutline, [](DocumentView* view) { view->setOutlineVisible(!view->isOutlineVisible()); });
    onDocument(names::kShowHistory, [this](DocumentView* view) {
        view->setHistoryVisible(!view->isHistoryVisible());
        updateActions();
    });
    onDocument(names::kShowThumbnails, [this](DocumentView* view) {
        view->setThumbnailsVisible(!view->areThumbnailsVisible());
        updateActions();
    });
    onDocument(names::kInsertBlankPage, [this](DocumentView* view) { insertBlankPage(view); });
    onDocument(names::kInsertPages, [this](DocumentView* view) { insertPagesFromFile(view); });
    onDocument(names::kDeletePages, [this](DocumentView* view) { deletePages(view, chosenPages(view)); });
    onDocument(names::kExtractPages, [this](DocumentView* view) { extractPages(view); });
    onDocument(names::kSplitDocument, [this](DocumentView* view) { splitDocument(view); });
    onDocument(names::kCropPages, [this](DocumentView* view) { cropPages(view); });
    onDocument(names::kResizePages, [this](DocumentView* view) { resizePages(view); });
    registerToolCommands();
    registerXfdfCommands();
    onDocument(names::kFind, [](DocumentView* view) { view->showFindBar(); });
    onDocument(names::kRotateLeft, [this](DocumentView* view) { rotatePages(view, 270); });
    onDocument(names::kRotateRight, [this](DocumentView* view) { rotatePages(view, 90); });
    onDocument(names::kUndo, [this](DocumentView* view) { stepHistory(view, -1); });
    onDocument(names::kRedo, [this](DocumentView* view) { stepHistory(view, 1); });
    onPages(names::kZoomIn, [](PageView* pages) { pages->zoomIn(); });
    onPages(names::kZoomOut, [](PageView* pages) { pages->zoomOut(); });
    onPages(names::kActualSize, [](PageView* pages) { pages->setZoom(1.0); });
    onPages(names::kFitWidth, [](PageView* pages) { pages->setZoomMode(PageView::ZoomMode::FitWidth); });
    onPages(names::kFitPage, [](PageView* pages) { pages->setZoomMode(PageView::ZoomMode::FitPage); });
    onPages(names::kFirstPage, [](PageView* pages) { pages->jumpTo(0); });
    onPages(names::kPrevPage, [](PageView* pages) { pages->goToPage(pages->currentPage() - 1); });
    onPages(names::kNextPage, [](PageView* pages) { pages->goToPage(pages->currentPage() + 1); });
    onPages(names::kLastPage, [](PageView* pages) { pages->jumpTo(pages->pageCount() - 1); });
    onPages(names::kGoBack, [](PageView* pages) { pages->goBack(); });
    onPages(names::kGoForward, [](PageView* pages) { pages->goForward(); });
}

void CPXVControl::runCommand(const QString& name)
{
    const auto command = m_commands.constFind(name);
    if (command == m_commands.constEnd())
        return;
    DocumentView* view = activeView();
    if (command->needsDocument && !view)
        return; // acts on the active document
    command->run(view);
}

void CPXVControl::stepHistory(DocumentView* view, int steps)
{
    pxv::Document* model = view->document()->model();
    try {
        model->setHistoryPosition(model->historyPosition() + steps);
    } catch (const pxv::DocumentError& error) {
        m_dialogs->showError(this, error.message());
    }
}

void CPXVControl::commandOpen()
{
    openInteractively(m_dialogs->openFiles(this, tr("Open")));
}

void CPXVControl::openInteractively(const QStringList& files)
{
    for (const QString& file : files) {
        try {
            openPath(file);
        } catch (const PXV_Error& error) {
            m_dialogs->showError(this, error.message());
        }
    }
}

void CPXVControl::commandCombine()
{
    const QStringList files = m_dialogs->combineFiles(this);
    if (files.isEmpty())
        return;
    try {
        showDocument(std::make_shared<CPXVDocument>(m_inst->combineInBackground(files)));
    } catch (const PXV_Error& error) {
        if (error.code() != PXV_Error::Cancelled)
            m_dialogs->showError(this, error.message());
    }
}

void CPXVControl::commandNewBlank()
{
    showDocumentFromOperation(names::kNewBlankDoc);
}

void CPXVControl::showDocumentFromOperation(const QString& operationName, const QVariantMap& parameters,
                                            const pxv::SplitProgress& progress)
{
    try {
        const std::shared_ptr<IPXV_Operation> operation = m_inst->createOperation(m_inst->nameToId(operationName));
        static_cast<pxv::Operation&>(*operation).setProgress(progress);
        for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
            operation->params()->child(it.key())->setValue(it.value());
        m_inst->runOperation(operation.get());
        showDocument(
            std::dynamic_pointer_cast<IPXV_Document>(operation->params()->child(QStringLiteral("Output"))->object()));
    } catch (const PXV_Error& error) {
        if (error.code() != PXV_Error::Cancelled)
            m_dialogs->showError(this, error.message());
    }
}

void CPXVControl::commandNextDocument(int step)
{
    const int count = m_tabs->count();
    if (count > 1)
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + count) % count);
}

bool CPXVControl::queryClose()
{
    for (int index = 0; index < m_tabs->count(); ++index) {
        auto* view = qobject_cast<DocumentView*>(m_tabs->widget(index));
        if (view && !confirmDiscard(view))
            return false;
    }
    return true;
}
