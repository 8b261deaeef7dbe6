// Side panes a document view shows on request: the embedded files and the layers.

#include "cpxvcontrol.h"

#include "actionset.h"
#include "attachmentspane.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "nametable.h"

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
}

void CPXVControl::connectPaneCommands(pxv::DocumentView* view)
{
    view->attachmentsPane()->setDialogs(m_dialogs.get());
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
    m_actions->action(names::kAddBookmark)->setEnabled(view != nullptr);
}
