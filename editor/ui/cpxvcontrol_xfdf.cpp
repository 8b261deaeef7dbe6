// The Comment menu's exchange of comments and form fields with other programs, done through the
// operations of the same work.

#include "cpxvcontrol.h"

#include "cpxvdocument.h"
#include "cpxvinst.h"
#include "dialogprovider.h"
#include "documentview.h"
#include "nametable.h"
#include "outputfolder.h"

#include <QDir>
#include <QFileInfo>

namespace names = pxv::names;

void CPXVControl::registerXfdfCommands()
{
    m_commands.insert(names::kExportCommentsAndFields,
                      {true, [this](pxv::DocumentView* view) { exportCommentsAndFields(view); }});
    m_commands.insert(names::kImportCommentsAndFields,
                      {true, [this](pxv::DocumentView* view) { importCommentsAndFields(view); }});
}

void CPXVControl::exportCommentsAndFields(pxv::DocumentView* view)
{
    const QString source = view->document()->srcPath();
    const QString suggested = source.isEmpty()
                                  ? QString()
                                  : QDir(pxv::outputFolder(source))
                                        .filePath(QFileInfo(source).completeBaseName() + QStringLiteral(".xfdf"));
    const QString path = m_dialogs->exportXfdfFile(this, suggested);
    if (!path.isEmpty())
        runPageOperation(view, names::kExportXfdfOp, {{QStringLiteral("Path"), path}});
}

void CPXVControl::importCommentsAndFields(pxv::DocumentView* view)
{
    const QString path = m_dialogs->importXfdfFile(this);
    if (path.isEmpty())
        return;
    QVariant done;
    try {
        done = m_inst->runOperation(names::kImportXfdfOp, view->document(), {{QStringLiteral("Path"), path}});
    } catch (const PXV_Error& error) {
        m_dialogs->showError(this, error.message());
        return;
    }
    // What was left out is told: a file meant for another form can match nothing at all.
    const QVariantMap counts = done.toMap();
    const auto count = [&](const char* key) { return counts.value(QLatin1String(key)).toInt(); };
    QStringList said{tr("Form fields filled: %1. Comments added: %2.").arg(count("Fields")).arg(count("Comments"))};
    if (count("SkippedFields") > 0)
        said.append(tr("Fields the document does not have, left out: %1.").arg(count("SkippedFields")));
    if (count("SkippedComments") > 0)
        said.append(tr("Comments of kinds the editor cannot add, left out: %1.").arg(count("SkippedComments")));
    m_dialogs->showInformation(this, said.join(QLatin1Char(' ')));
}
