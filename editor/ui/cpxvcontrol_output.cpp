// Commands that write the document out in other forms: Convert, Compress and Print.

#include "convertdialog.h"
#include "cpxvcontrol.h"
#include "cpxvdocument.h"
#include "cpxvinst.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "nametable.h"
#include "pageprinting.h"
#include "writeprogress.h"

#include "core/document.h"

#include <QFileInfo>
#include <QLocale>
#include <QPrinter>

using pxv::DocumentView;
namespace names = pxv::names;

void CPXVControl::convertDocument(const pxv::ConvertPreset& preset)
{
    // From the home page there is no document yet: the one to convert is asked for first.
    if (!activeView())
        commandOpen();
    DocumentView* view = activeView();
    if (!view)
        return;
    const QVariantMap parameters = m_dialogs->convertDocument(this, pageDialogContext(view), preset);
    if (parameters.isEmpty())
        return;
    pxv::WriteProgress progress(this, tr("Convert"));
    runPageOperation(view, names::kConvertOp, parameters, std::ref(progress));
}

void CPXVControl::printDocument(DocumentView* view)
{
    const pxv::Document& model = *view->document()->model();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(model.title());
    const pxv::PageDialogContext context = pageDialogContext(view);
    bool fit = true;
    if (!m_dialogs->printSetup(this, &printer, context, &fit))
        return;
    QVector<int> pages;
    switch (printer.printRange()) {
    case QPrinter::PageRange:
        for (int page = printer.fromPage(); page <= printer.toPage(); ++page)
            pages.append(page - 1);
        break;
    case QPrinter::CurrentPage:
        pages.append(context.currentPage);
        break;
    case QPrinter::Selection:
        pages = context.selected;
        break;
    case QPrinter::AllPages:
        for (int page = 0; page < model.pageCount(); ++page)
            pages.append(page);
        break;
    }
    pxv::WriteProgress progress(this, tr("Print"));
    try {
        pxv::printPages(*model.renderSource(), pages, printer, fit, std::ref(progress));
    } catch (const pxv::DocumentError& error) {
        if (error.kind() != pxv::DocumentError::Cancelled)
            m_dialogs->showError(this, error.message());
    }
}

void CPXVControl::compressDocument(DocumentView* view)
{
    const QString path = view->document()->model()->filePath();
    const QVariantMap parameters = m_dialogs->compressDocument(this, path, path.isNull() ? 0 : QFileInfo(path).size());
    if (parameters.isEmpty())
        return;
    pxv::WriteProgress progress(this, tr("Compress"));
    QVariantMap sizes;
    try {
        sizes = m_inst->runOperation(names::kCompressOp, view->document(), parameters, std::ref(progress)).toMap();
    } catch (const PXV_Error& error) {
        if (error.code() != PXV_Error::Cancelled)
            m_dialogs->showError(this, error.message());
        return;
    }
    const QLocale locale;
    const qint64 before = sizes.value(QStringLiteral("Before")).toLongLong();
    const qint64 after = sizes.value(QStringLiteral("After")).toLongLong();
    const QString target = QFileInfo(parameters.value(QStringLiteral("Path")).toString()).fileName();
    m_dialogs->showInformation(
        this, before > 0 ? tr("“%1” was written: %2, before %3.")
                               .arg(target, locale.formattedDataSize(after), locale.formattedDataSize(before))
                         : tr("“%1” was written: %2.").arg(target, locale.formattedDataSize(after)));
}
