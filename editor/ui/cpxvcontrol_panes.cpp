// Side panes shown on request: a document view's embedded files, layers and stamps, and the
// comment styles beside every view.

#include "cpxvcontrol.h"

#include "actionset.h"
#include "attachmentspane.h"
#include "commentstylespane.h"
#include "cpxvdocument.h"
#include "cpxvinst.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "nametable.h"
#include "pageview.h"
#include "stampspane.h"

#include <QAction>

namespace names = pxv::names;

void CPXVControl::registerPaneCommands()
{
    m_commands.insert(names::kShowAttachments, {true, [this](pxv::DocumentView* view) {
                                                    view->setAttachmentsVisible(!view->isAttachmentsVisible());
                                                    updatePaneActions();
                                                }});
    m_commands.insert(names::kShowLayers, {true, [this](pxv::DocumentView* view) {
                                               view->setLayersVisible(!view->isLayersVisible());
                                               updatePaneActions();
                                           }});
    m_commands.insert(names::kShowStamps, {true, [this](pxv::DocumentView* view) {
                                               view->setStampsVisible(!view->isStampsVisible());
                                               updatePaneActions();
                                           }});
    m_commands.insert(names::kShowCommentStyles, {false, [this](pxv::DocumentView*) {
                                                      m_stylesPane->setVisible(m_stylesPane->isHidden());
                                                      updatePaneActions();
                                                  }});
}

QWidget* CPXVControl::buildCommentStylesPane()
{
    m_stylesPane = new pxv::CommentStylesPane(m_inst->settings(), m_dialogs.get(), this);
    m_stylesPane->hide();
    return m_stylesPane;
}

pxv::CommentStyles CPXVControl::commentStyles() const
{
    return pxv::CommentStyles::fromText(m_inst->currentSettings().getString(pxv::Settings::kCommentStyles));
}

void CPXVControl::applyCommentStyles()
{
    const pxv::CommentStyles styles = commentStyles();
    for (int i = 0; i < m_tabs->count(); ++i)
        viewAt(i)->pageView()->setCommentStyles(styles);
    m_stylesPane->showStyles();
}

void CPXVControl::connectPaneCommands(pxv::DocumentView* view)
{
    view->pageView()->setCommentStyles(commentStyles());
    connect(view, &pxv::DocumentView::signal_paneMade, this, [this](QWidget* made) {
        if (auto* attachments = qobject_cast<pxv::AttachmentsPane*>(made))
            attachments->setDialogs(m_dialogs.get());
        else if (auto* stamps = qobject_cast<pxv::StampsPane*>(made))
            connect(stamps, &pxv::StampsPane::imageStampWanted, this, [this] { runCommand(names::kToolImageStamp); });
    });
}

void CPXVControl::updatePaneActions()
{
    const pxv::DocumentView* view = activeView();
    QAction* attachments = m_actions->action(names::kShowAttachments);
    attachments->setEnabled(view != nullptr);
    attachments->setChecked(view && view->isAttachmentsVisible());
    QAction* layers = m_actions->action(names::kShowLayers);
    layers->setEnabled(view != nullptr);
    layers->setChecked(view && view->isLayersVisible());
    QAction* stamps = m_actions->action(names::kShowStamps);
    stamps->setEnabled(view != nullptr);
    stamps->setChecked(view && view->isStampsVisible());
    m_actions->action(names::kShowCommentStyles)->setChecked(!m_stylesPane->isHidden());
    m_stylesPane->setPages(view ? view->document()->model() : nullptr, view ? view->pageView() : nullptr);
    m_actions->action(names::kAddBookmark)->setEnabled(view != nullptr);
}
