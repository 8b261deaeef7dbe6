// The document's properties: what it says about itself, and the fields users may edit.

#include "document_p.h"

#include "mupdf/muerror.h"

#include <QFile>
#include <QFileInfo>

namespace pxv {

DocumentInfo Document::info() const
{
    DocumentInfo info;
    try {
        info = d->mu->info();
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("The document's properties cannot be read: %1").arg(QString::fromUtf8(error.what())));
    }
    if (!filePath().isNull()) {
        info.fileSize = QFileInfo(filePath()).size();
        // A linearization dictionary must lie within the file's first kilobyte.
        QFile file(filePath());
        if (file.open(QIODevice::ReadOnly))
            info.linearized = file.read(1024).contains("/Linearized");
    }
    return info;
}

void Document::setInfo(const EditableInfo& info)
{
    runStep(tr("Edit Properties"), StepKind::Content, [&] { d->mu->setInfo(info); });
}

ProtectionState Document::protection() const
{
    ProtectionState state;
    state.pending = d->protectionPending;
    if (const Protection* chosen = d->mu->newProtection()) {
        // Saved or about to be: the file in memory still has its old encryption.
        state.method = chosen->encrypts() ? QStringLiteral("AES 256") : QString();
        state.openPassword = !chosen->openPassword.isEmpty();
        state.permissions = chosen->permissionsPassword.isEmpty() ? PermitAll : chosen->permissions;
        return state;
    }
    try {
        state.method = d->mu->encryptionMethod();
        state.permissions = d->mu->permissions();
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("The document's protection cannot be read: %1").arg(QString::fromUtf8(error.what())));
    }
    state.openPassword = d->openedWithPassword;
    // Whoever opened the file with its password may change its protection; a file that opens
    // without one but restricts what may be done asks for its permissions password first.
    if (!state.method.isEmpty() && state.permissions != PermitAll && !d->openedWithPassword) {
        // The empty password may be the permissions password itself.
        if (d->permissionsKnown < 0)
            d->permissionsKnown = d->mu->isPermissionsPassword(d->password, d->password) ? 1 : 0;
        state.needsPermissionsPassword = d->permissionsKnown == 0;
    }
    return state;
}

bool Document::unlockProtection(const QString& permissionsPassword)
{
    if (d->locked)
        return false;
    try {
        if (!d->mu->isPermissionsPassword(permissionsPassword.toUtf8(), d->password))
            return false;
    } catch (const MuError&) {
        return false;
    }
    d->permissionsKnown = 1;
    return true;
}

void Document::setProtection(const Protection& protection)
{
    if (d->locked)
        throw DocumentError(DocumentError::Failed, tr("The document is still locked by its password."));
    if (this->protection().needsPermissionsPassword)
        throw DocumentError(DocumentError::Failed,
                            tr("Changing the protection needs the document's permissions password."));
    if (protection.openPassword.toUtf8().size() > 127 || protection.permissionsPassword.toUtf8().size() > 127)
        throw DocumentError(DocumentError::Failed, tr("A password is at most 127 bytes long."));
    const bool wasModified = d->modified();
    d->mu->setProtection(protection);
    d->newOpenPassword = protection.openPassword.toUtf8();
    d->protectionPending = true;
    d->permissionsKnown = 1; // chosen here, so known
    if (!wasModified)
        emit modifiedChanged(true);
}

} // namespace pxv
