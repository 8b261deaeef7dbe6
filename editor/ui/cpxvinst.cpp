#include "cpxvinst.h"

#include "actionset.h"
#include "core/document.h"
#include "cpxvcontrol.h"
#include "cpxvdocument.h"
#include "dialogprovider.h"
#include "nametable.h"
#include "operation.h"

#include <QCoreApplication>
#include <QFileInfo>

using pxv::NameTable;

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CPXVInst", text);
}

PXV_Error toError(const pxv::DocumentError& error)
{
    switch (error.kind()) {
    case pxv::DocumentError::Cancelled:
        return PXV_Error(PXV_Error::Cancelled, error.message());
    case pxv::DocumentError::Failed:
        return PXV_Error(PXV_Error::Failed, error.message());
    default:
        return PXV_Error(PXV_Error::FileError, error.message());
    }
}

// Runs a document-model call, turning its failures into the component's error.
template <typename F>
std::unique_ptr<pxv::Document> guarded(F make)
{
    try {
        return make();
    } catch (const pxv::DocumentError& error) {
        throw toError(error);
    } catch (const std::exception& error) {
        throw PXV_Error(PXV_Error::Failed, QString::fromLocal8Bit(error.what()));
    }
}

} // namespace

CPXVInst::CPXVInst(CPXVControl* control) : m_control(control)
{
    const pxv::ActionSet* actions = control->actions();
    for (const QString& name : actions->names())
        m_uix.commandList().add(name, actions->action(name));
    m_settings.setChangeHandler([control](const QString&) { control->applySettings(); });
    paneArea().setChangeHandler([control] { control->applyPaneLimits(); });
}

int CPXVInst::nameToId(const QString& name, bool)
{
    const int id = NameTable::instance().id(name);
    if (id == 0)
        throw PXV_Error(PXV_Error::NotFound, tr("The editor knows no command, pane, operation or event named “%1”.").arg(name));
    return id;
}

QString CPXVInst::idToName(int id) const
{
    return NameTable::instance().name(id);
}

void CPXVInst::runCommand(const QString& name, int)
{
    const int id = nameToId(name);
    if (!NameTable::instance().isKind(id, NameTable::Kind::Command))
        throw PXV_Error(PXV_Error::InvalidArgument, tr("“%1” is not a command.").arg(name));
    m_control->runCommand(name);
}

std::shared_ptr<IPXV_Operation> CPXVInst::createOperation(int operationId)
{
    if (!NameTable::instance().isKind(operationId, NameTable::Kind::Operation))
        throw PXV_Error(PXV_Error::InvalidArgument, tr("%1 is not the id of an operation.").arg(operationId));
    return std::make_shared<pxv::Operation>(operationId, idToName(operationId));
}

void CPXVInst::runOperation(IPXV_Operation* operation, int)
{
    auto* op = dynamic_cast<pxv::Operation*>(operation);
    if (!op)
        throw PXV_Error(PXV_Error::InvalidArgument, tr("The operation was not made by this editor."));

    std::unique_ptr<pxv::Document> document;
    if (op->name() == pxv::names::kNewBlankDoc) {
        document = guarded([] { return pxv::Document::createBlank(); });
    } else if (op->name() == pxv::names::kCombineDocs) {
        const QStringList paths = op->params()->child(QStringLiteral("Input"))->value().toStringList();
        if (paths.isEmpty())
            throw PXV_Error(PXV_Error::InvalidArgument, tr("There are no files to combine."));
        pxv::DialogProvider& dialogs = m_control->dialogs();
        CPXVControl* parent = m_control;
        const pxv::PasswordProvider passwords = [&dialogs, parent](const QString& file, bool retry, QString* password) {
            *password = dialogs.password(parent, QFileInfo(file).fileName(), retry);
            return !password->isNull();
        };
        document = guarded([&] { return pxv::Document::combine(paths, passwords); });
    } else {
        throw PXV_Error(PXV_Error::NotImplemented,
                        tr("The operation “%1” is not available in this version of the editor.").arg(op->name()));
    }
    op->params()->child(QStringLiteral("Output"))->setObject(std::make_shared<CPXVDocument>(std::move(document)));
}

IPXV_Extension* CPXVInst::extension(const QString& name)
{
    if (name != QLatin1String("UIX"))
        throw PXV_Error(PXV_Error::NotFound, tr("The editor has no extension named “%1”.").arg(name));
    return &m_uix;
}

void CPXVInst::setNoValueText(const QString& text)
{
    m_control->setNoValueText(text);
}

void CPXVInst::setPreference(int preference, int value)
{
    if (preference != kStartPagePreference)
        throw PXV_Error(PXV_Error::InvalidArgument, tr("The editor has no preference %1.").arg(preference));
    m_control->setStartPageVisible(value != 0);
}
