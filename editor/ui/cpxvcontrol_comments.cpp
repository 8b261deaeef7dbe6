// The control's Comment menu and toolbar: tools for the pages and the comments pane.

#include "cpxvcontrol.h"

#include "actionset.h"
#include "cpxvinst.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "nametable.h"
#include "pageview.h"
#include "writeprogress.h"

#include <QAction>
#include <QToolBar>

#include <functional>

namespace names = pxv::names;
using pxv::CommentTool;

namespace {

const QList<QPair<QString, CommentTool>>& toolCommands()
{
    static const QList<QPair<QString, CommentTool>> tools = {
        {names::kToolSelect, CommentTool::Select},
        {names::kToolHighlight, CommentTool::Highlight},
        {names::kToolUnderline, CommentTool::Underline},
        {names::kToolStrikeOut, CommentTool::StrikeOut},
        {names::kToolNote, CommentTool::Note},
        {names::kToolTextBox, CommentTool::FreeText},
        {names::kToolPen, CommentTool::Pen},
        {names::kToolLine, CommentTool::Line},
        {names::kToolArrow, CommentTool::Arrow},
        {names::kToolRectangle, CommentTool::Rectangle},
        {names::kToolEllipse, CommentTool::Ellipse},
        {names::kToolStamp, CommentTool::Stamp},
        {names::kToolSquiggly, CommentTool::Squiggly},
        {names::kToolPolygon, CommentTool::Polygon},
        {names::kToolPolyline, CommentTool::PolyLine},
    };
    return tools;
}

} // namespace

void CPXVControl::registerCommentCommands()
{
    for (const auto& [name, tool] : toolCommands()) {
        const CommentTool chosen = tool;
        m_commands.insert(name, {true, [chosen](pxv::DocumentView* view) {
                                     view->pageView()->setTool(chosen);
                                     view->pageView()->setFocus();
                                 }});
    }
    m_commands.insert(names::kCut, {true, [](pxv::DocumentView* view) { view->pageView()->cut(); }});
    m_commands.insert(names::kCopy, {true, [](pxv::DocumentView* view) { view->pageView()->copy(); }});
    m_commands.insert(names::kPaste, {true, [](pxv::DocumentView* view) { view->pageView()->paste(); }});
    m_commands.insert(names::kDeleteSelection,
                      {true, [](pxv::DocumentView* view) { view->pageView()->deleteSelectedAnnotation(); }});
    m_commands.insert(names::kShowComments, {true, [this](pxv::DocumentView* view) {
                                                 view->setCommentsVisible(!view->isCommentsVisible());
                                                 updateCommentActions();
                                             }});
    m_commands.insert(names::kToolImageStamp, {true, [this](pxv::DocumentView* view) {
                                                   const QString image = m_dialogs->openPicture(this);
                                                   if (image.isEmpty())
                                                       return;
                                                   view->pageView()->setTool(CommentTool::Stamp);
                                                   view->pageView()->setStampImage(image);
                                                   view->pageView()->setFocus();
                                               }});
    // A setting, so that a host can keep it; the setting's change shows or hides the bar.
    m_commands.insert(names::kShowCommentBar,
                      {false, [this](pxv::DocumentView*) {
                           m_inst->settings()->setBool(pxv::Settings::kCommentBar,
                                                       m_actions->action(names::kShowCommentBar)->isChecked());
                       }});
    m_commands.insert(names::kSummarizeComments, {true, [this](pxv::DocumentView*) {
                                                      pxv::WriteProgress progress(this, tr("Summarize Comments"));
                                                      showDocumentFromOperation(names::kSummarizeAnnotsOp, {},
                                                                                std::ref(progress));
                                                  }});
}

void CPXVControl::connectCommentCommands(pxv::DocumentView* view)
{
    pxv::PageView* pages = view->pageView();
    connect(pages, &pxv::PageView::toolChanged, this, [this](CommentTool tool) {
        // A tool chosen by its key or from the menu brings its bar, where the others are at hand.
        if (tool != CommentTool::Select && !m_inst->currentSettings().getBool(pxv::Settings::kCommentBar))
            m_inst->settings()->setBool(pxv::Settings::kCommentBar, true);
        updateCommentActions();
    });
    connect(pages, &pxv::PageView::editFailed, this,
            [this](const QString& message) { m_dialogs->showError(this, message); });
}

void CPXVControl::updateCommentActions()
{
    const pxv::DocumentView* view = activeView();
    for (const auto& [name, tool] : toolCommands()) {
        QAction* action = m_actions->action(name);
        action->setEnabled(view != nullptr);
        action->setChecked(view && view->pageView()->tool() == tool);
    }
    QAction* comments = m_actions->action(names::kShowComments);
    comments->setEnabled(view != nullptr);
    comments->setChecked(view && view->isCommentsVisible());
    m_actions->action(names::kSummarizeComments)->setEnabled(view != nullptr);
    m_actions->action(names::kToolImageStamp)->setEnabled(view != nullptr);
}

void CPXVControl::updateClipboardActions()
{
    pxv::PageView* pages = activeView() ? activeView()->pageView() : nullptr;
    const bool picked = pages && pages->selectedAnnotation().page >= 0;
    m_actions->action(names::kCut)->setEnabled(picked);
    m_actions->action(names::kDeleteSelection)->setEnabled(picked);
    m_actions->action(names::kCopy)->setEnabled(pages && pages->canCopy());
    m_actions->action(names::kPaste)->setEnabled(pages && pages->canPaste());
}

void CPXVControl::buildCommentBar()
{
    m_commentBar = new QToolBar(this);
    m_commentBar->setObjectName(QStringLiteral("cmdbar.commenting"));
    m_commentBar->setIconSize(QSize(20, 20));
    m_commentBar->setMovable(false);
    for (const QString& name :
         {names::kToolSelect, names::kToolHighlight, names::kToolUnderline, names::kToolStrikeOut, names::kToolSquiggly,
          names::kToolNote, names::kToolTextBox, names::kToolPen, names::kToolLine, names::kToolArrow,
          names::kToolRectangle, names::kToolEllipse, names::kToolPolygon, names::kToolPolyline, names::kToolStamp})
        m_commentBar->addAction(m_actions->action(name));
    m_commentBar->addSeparator();
    m_commentBar->addAction(m_actions->action(names::kShowStamps));
    m_commentBar->addAction(m_actions->action(names::kShowComments));
    m_commentBar->setVisible(m_inst->currentSettings().getBool(pxv::Settings::kCommentBar));
}
