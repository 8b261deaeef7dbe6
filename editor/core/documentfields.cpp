// Form fields: filled and reset as steps of the history, and whether their scripts run.

#include "document_p.h"

#include "mupdf/muerror.h"

namespace pxv {

QList<FormField> Document::formFields(int page) const
{
    if (d->locked || page < 0 || page >= pageCount())
        return {};
    try {
        return d->mu->formFields(page);
    } catch (const MuError&) {
        return {}; // a page that cannot be read shows no fields
    }
}

QVector<QPair<int, int>> Document::fieldOrder() const
{
    if (d->locked)
        return {};
    try {
        return d->mu->fieldOrder();
    } catch (const MuError&) {
        return {};
    }
}

void Document::setFieldValue(int page, int id, const FieldValue& value)
{
    if (page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, tr("Page %1 does not exist.").arg(page + 1));
    runStep(tr("Fill In Field"), StepKind::Content, [&] {
        if (!d->mu->setFieldValue(page, id, value))
            throw DocumentError(DocumentError::Failed, tr("The form does not accept this value."));
    });
}

void Document::resetForm()
{
    runStep(tr("Reset Form"), StepKind::Content, [&] { d->mu->resetForm(); });
}

void Document::setScriptsEnabled(bool enabled)
{
    if (enabled == scriptsEnabled())
        return;
    try {
        d->mu->setScriptsEnabled(enabled);
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("Form scripts could not be switched: %1").arg(QString::fromUtf8(error.what())));
    }
}

bool Document::scriptsEnabled() const
{
    try {
        return d->mu->scriptsEnabled();
    } catch (const MuError&) {
        return false;
    }
}

} // namespace pxv
