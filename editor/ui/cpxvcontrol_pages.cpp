// The page commands of the control: the Pages menu and what the thumbnails pane asks for, each
// done through the operation of the same work, so that menus, hosts and scripts share one path.

#include "cpxvcontrol.h"

#include "core/document.h"
#include "core/pagerange.h"
#include "cpxvdocument.h"
#include "actionset.h"
#include "cpxvinst.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "nametable.h"
#include "outputfolder.h"
#include "pageview.h"
#include "thumbnailpane.h"
#include "writeprogress.h"

#include <QStringList>
#include <QTabWidget>

#include <functional>

using pxv::DocumentView;
namespace names = pxv::names;

namespace {

const QString kPages = QStringLiteral("Pages");
const QString kPosition = QStringLiteral("Position");

} // namespace

QVector<int> CPXVControl::chosenPages(DocumentView* view) const
{
    if (view->areThumbnailsVisible()) {
        const QVector<int> selected = view->thumbnailPane()->selectedPages();
        if (!selected.isEmpty())
            return selected;
    }
    return {view->pageView()->currentPage()};
}

bool CPXVControl::runPageOperation(DocumentView* view, const QString& name, const QVariantMap& parameters,
                                   const pxv::SplitProgress& progress)
{
    try {
        m_inst->runOperation(name, view->document(), parameters, progress);
    } catch (const PXV_Error& error) {
        if (error.code() != PXV_Error::Cancelled)
            m_dialogs->showError(this, error.message());
        return false;
    }
    return true;
}

void CPXVControl::connectPageCommands(DocumentView* view)
{
    connect(view, &DocumentView::signal_paneMade, this, [this, view](QWidget* made) {
        if (auto* pane = qobject_cast<pxv::ThumbnailPane*>(made))
            connectThumbnails(view, pane);
    });
}

void CPXVControl::connectThumbnails(DocumentView* view, pxv::ThumbnailPane* pane)
{
    // The pane's context menu offers the Pages menu's commands, which act on its selection.
    pane->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const QString& name : {names::kRotateLeft, names::kRotateRight, names::kInsertBlankPage, names::kInsertPages,
                                names::kExtractPages, names::kDeletePages, names::kCropPages, names::kResizePages})
        pane->addAction(m_actions->action(name));
    connect(pane, &pxv::ThumbnailPane::signal_deletePages, this,
            [this, view](const QVector<int>& pages) { deletePages(view, pages); });
    connect(pane, &pxv::ThumbnailPane::signal_movePages, this, [this, view](const QVector<int>& pages, int position) {
        runPageOperation(view, names::kMovePages, {{kPages, pxv::PageRange::text(pages)}, {kPosition, position + 1}});
    });
    connect(pane, &pxv::ThumbnailPane::signal_insertFiles, this,
            [this, view](const QStringList& files, int position) { insertFiles(view, files, position); });
    connect(pane, &pxv::ThumbnailPane::signal_copyPages, this,
            [this, view](const pxv::Document* source, const QVector<int>& pages, int position) {
                copyPages(view, source, pages, position);
            });
}

void CPXVControl::copyPages(DocumentView* view, const pxv::Document* source, const QVector<int>& pages, int position)
{
    // Only documents open here can give pages: one that closed while its pages were dragged
    // is simply not found.
    std::shared_ptr<CPXVDocument> from;
    for (int index = 0; index < m_tabs->count() && !from; ++index) {
        const DocumentView* other = viewAt(index);
        if (other && other->document()->model() == source)
            from = other->document();
    }
    if (!from)
        return;
    const std::shared_ptr<IPXV_Operation> operation = m_inst->createOperation(m_inst->nameToId(names::kInsertPagesOp));
    operation->params()->child(QStringLiteral("Input"))->setObject(view->document());
    operation->params()->child(QStringLiteral("Source"))->setObject(from);
    operation->params()->child(kPages)->setValue(pxv::PageRange::text(pages));
    operation->params()->child(kPosition)->setValue(position + 1);
    try {
        m_inst->runOperation(operation.get());
    } catch (const PXV_Error& error) {
        m_dialogs->showError(this, error.message());
    }
}

void CPXVControl::rotatePages(DocumentView* view, int degrees)
{
    const int page = view->pageView()->currentPage();
    if (runPageOperation(view, names::kRotatePages,
                         {{kPages, pxv::PageRange::text(chosenPages(view))}, {QStringLiteral("Angle"), degrees}}))
        view->pageView()->goToPage(page);
}

void CPXVControl::insertBlankPage(DocumentView* view)
{
    runPageOperation(view, names::kInsertEmptyPagesOp, {{kPosition, view->pageView()->currentPage() + 2}});
}

void CPXVControl::insertPagesFromFile(DocumentView* view)
{
    insertFiles(view, m_dialogs->openFiles(this, tr("Insert Pages from File")), view->pageView()->currentPage() + 1);
}

void CPXVControl::insertFiles(DocumentView* view, const QStringList& files, int position)
{
    // Files go in one after the other, in the order given, each as a step of its own.
    for (const QString& file : files) {
        const int before = view->document()->pageCount();
        if (!runPageOperation(view, names::kInsertPagesOp,
                              {{QStringLiteral("Source"), file}, {kPosition, position + 1}}))
            return;
        position += view->document()->pageCount() - before;
    }
}

void CPXVControl::deletePages(DocumentView* view, const QVector<int>& pages)
{
    runPageOperation(view, names::kDeletePagesOp, {{kPages, pxv::PageRange::text(pages)}});
}

void CPXVControl::extractPages(DocumentView* view)
{
    const std::shared_ptr<IPXV_Operation> operation = m_inst->createOperation(m_inst->nameToId(names::kExtractPagesOp));
    operation->params()->child(QStringLiteral("Input"))->setObject(view->document());
    operation->params()->child(kPages)->setValue(pxv::PageRange::text(chosenPages(view)));
    try {
        m_inst->runOperation(operation.get());
        showDocument(
            std::dynamic_pointer_cast<IPXV_Document>(operation->params()->child(QStringLiteral("Output"))->object()));
    } catch (const PXV_Error& error) {
        m_dialogs->showError(this, error.message());
    }
}

void CPXVControl::splitDocument(DocumentView* view)
{
    const pxv::Document* model = view->document()->model();
    pxv::SplitChoice choice;
    choice.folder = pxv::outputFolder(model->filePath());
    if (!m_dialogs->splitDocument(this, model->hasOutline(), &choice))
        return;
    using Way = pxv::SplitChoice::Way;
    QVariantMap parameters{{QStringLiteral("Path"), choice.folder}};
    parameters.insert(QStringLiteral("Split"), choice.way == Way::EachPage  ? QStringLiteral("pages")
                                               : choice.way == Way::Outline ? QStringLiteral("outline")
                                                                            : QStringLiteral("count"));
    if (choice.way == Way::EveryCount)
        parameters.insert(QStringLiteral("Count"), choice.count);
    pxv::WriteProgress progress(this, tr("Split Document"));
    runPageOperation(view, names::kExtractPagesOp, parameters, std::ref(progress));
}

pxv::PageDialogContext CPXVControl::pageDialogContext(DocumentView* view) const
{
    pxv::PageDialogContext context{view->document()->model(), view->pageView()->currentPage(), {}};
    if (view->areThumbnailsVisible())
        context.selected = view->thumbnailPane()->selectedPages();
    return context;
}

void CPXVControl::cropPages(DocumentView* view)
{
    const QVariantMap parameters = m_dialogs->cropPages(this, pageDialogContext(view));
    if (!parameters.isEmpty())
        runPageOperation(view, names::kCropPagesOp, parameters);
}

void CPXVControl::resizePages(DocumentView* view)
{
    const QVariantMap parameters = m_dialogs->resizePages(this, pageDialogContext(view));
    if (!parameters.isEmpty())
        runPageOperation(view, names::kResizePagesOp, parameters);
}
