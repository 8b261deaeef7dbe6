// The Document menu's tools, each done through the operation of the same work.

#include "cpxvcontrol.h"

#include "core/document.h"
#include "core/pagerange.h"
#include "cpxvdocument.h"
#include "documentview.h"
#include "dialogprovider.h"
#include "nametable.h"
#include "outlinepane.h"

using pxv::StampKind;
namespace names = pxv::names;

void CPXVControl::registerToolCommands()
{
    const auto onDocument = [this](const QString& name, std::function<void(pxv::DocumentView*)> run) {
        m_commands.insert(name, {true, std::move(run)});
    };
    onDocument(names::kAddWatermark, [this](pxv::DocumentView* view) { stampPages(view, StampKind::Watermark); });
    onDocument(names::kAddHeaderFooter, [this](pxv::DocumentView* view) { stampPages(view, StampKind::HeaderFooter); });
    onDocument(names::kRemoveWatermarks, [this](pxv::DocumentView* view) { removeStamps(view, StampKind::Watermark); });
    onDocument(names::kRemoveHeaderFooter,
               [this](pxv::DocumentView* view) { removeStamps(view, StampKind::HeaderFooter); });
    onDocument(names::kDocumentProperties, [this](pxv::DocumentView* view) { editProperties(view); });
    onDocument(names::kDocumentSecurity, [this](pxv::DocumentView* view) { editSecurity(view); });
    onDocument(names::kAddBookmark, [](pxv::DocumentView* view) { view->outlinePane()->addBookmark(); });
}

void CPXVControl::stampPages(pxv::DocumentView* view, StampKind kind)
{
    const QVariantMap parameters = m_dialogs->stampPages(this, kind, pageDialogContext(view));
    if (!parameters.isEmpty())
        runPageOperation(view, kind == StampKind::Watermark ? names::kAddWatermarksOp : names::kAddHeaderFooterOp,
                         parameters);
}

void CPXVControl::removeStamps(pxv::DocumentView* view, StampKind kind)
{
    runPageOperation(view, kind == StampKind::Watermark ? names::kRemoveWatermarksOp : names::kRemoveHeaderFooterOp,
                     {{QStringLiteral("Pages"), QStringLiteral("all")}});
}

void CPXVControl::editProperties(pxv::DocumentView* view)
{
    pxv::EditableInfo edited;
    try {
        if (!m_dialogs->documentProperties(this, pageDialogContext(view), &edited))
            return;
    } catch (const pxv::DocumentError& error) {
        m_dialogs->showError(this, error.message());
        return;
    }
    const pxv::DocumentInfo now = view->document()->model()->info();
    if (edited.title == now.title && edited.author == now.author && edited.subject == now.subject
        && edited.keywords == now.keywords)
        return;
    runPageOperation(view, names::kSetPropertiesOp,
                     {{QStringLiteral("Title"), edited.title},
                      {QStringLiteral("Author"), edited.author},
                      {QStringLiteral("Subject"), edited.subject},
                      {QStringLiteral("Keywords"), edited.keywords}});
}

void CPXVControl::editSecurity(pxv::DocumentView* view)
{
    pxv::Protection chosen;
    pxv::Document* model = view->document()->model();
    try {
        // A restricted file's protection is changed by whoever knows its permissions password.
        for (bool retry = false; model->protection().needsPermissionsPassword; retry = true) {
            const QString password = m_dialogs->permissionsPassword(this, model->title(), retry);
            if (password.isNull())
                return;
            model->unlockProtection(password);
        }
        if (!m_dialogs->documentSecurity(this, model->protection(), &chosen))
            return;
    } catch (const pxv::DocumentError& error) {
        m_dialogs->showError(this, error.message());
        return;
    }
    const auto allowed = [&](pxv::Permission permission) {
        return (chosen.permissions & permission) ? QStringLiteral("true") : QStringLiteral("false");
    };
    runPageOperation(view, names::kSetSecurityOp,
                     {{QStringLiteral("OpenPassword"), chosen.openPassword},
                      {QStringLiteral("PermissionsPassword"), chosen.permissionsPassword},
                      {QStringLiteral("Print"), allowed(pxv::PermitPrint)},
                      {QStringLiteral("Copy"), allowed(pxv::PermitCopy)},
                      {QStringLiteral("Edit"), allowed(pxv::PermitEdit)},
                      {QStringLiteral("Annotate"), allowed(pxv::PermitAnnotate)},
                      {QStringLiteral("FillForms"), allowed(pxv::PermitFillForms)}});
}
