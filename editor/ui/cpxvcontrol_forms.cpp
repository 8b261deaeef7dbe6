// The control's Form menu: Reset Form, the fields' tint, the signatures pane, and whether
// documents' form scripts run.

#include "cpxvcontrol.h"

#include "actionset.h"
#include "cpxvdocument.h"
#include "cpxvinst.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "formfiller.h"
#include "nametable.h"
#include "pageview.h"
#include "settings.h"

#include <QAction>

namespace names = pxv::names;

void CPXVControl::registerFormCommands()
{
    m_commands.insert(names::kResetForm, {true, [this](pxv::DocumentView* view) {
                                              view->pageView()->forms()->revert();
                                              try {
                                                  view->document()->model()->resetForm();
                                              } catch (const pxv::DocumentError& error) {
                                                  m_dialogs->showError(this, error.message());
                                              }
                                          }});
    // The tint is the control's: every document shows it or none does.
    m_commands.insert(names::kHighlightFields, {false, [this](pxv::DocumentView*) {
                                                    for (int i = 0; i < documentCount(); ++i)
                                                        applyFormSettings(viewAt(i));
                                                }});
    // A setting, so that a host can keep it; the setting's change applies it to every document.
    m_commands.insert(names::kRunFormScripts,
                      {false, [this](pxv::DocumentView*) {
                           m_inst->settings()->setBool(pxv::Settings::kFormScripts,
                                                       m_actions->action(names::kRunFormScripts)->isChecked());
                       }});
    m_commands.insert(names::kShowSignatures, {true, [this](pxv::DocumentView* view) {
                                                   view->setSignaturesVisible(!view->isSignaturesVisible());
                                                   updateFormActions();
                                               }});
}

void CPXVControl::applyFormSettings(pxv::DocumentView* view)
{
    view->pageView()->forms()->setTinted(m_actions->action(names::kHighlightFields)->isChecked());
    try {
        view->document()->model()->setScriptsEnabled(m_inst->currentSettings().getBool(pxv::Settings::kFormScripts));
    } catch (const pxv::DocumentError&) {
        // scripts stay off for a document whose engine cannot start
    }
}

void CPXVControl::updateFormActions()
{
    const pxv::DocumentView* view = activeView();
    m_actions->action(names::kResetForm)->setEnabled(view != nullptr);
    QAction* signatures = m_actions->action(names::kShowSignatures);
    signatures->setEnabled(view != nullptr);
    signatures->setChecked(view && view->isSignaturesVisible());
}
