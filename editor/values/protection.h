#pragma once

// Password protection of a document, as it is and as it is to be saved.

#include <QString>

namespace pxv {

// What a protected file lets people do without its permissions password.
enum Permission {
    PermitPrint = 1,
    PermitCopy = 2,
    PermitEdit = 4,
    PermitAnnotate = 8,
    PermitFillForms = 16,
    PermitAll = 31
};

// The protection a save gives the file: encrypted with AES-256 unless both passwords are empty.
struct Protection
{
    QString openPassword; // asked for to open the file; empty: anyone may open it
    QString permissionsPassword; // lifts the restrictions; empty: nothing is restricted
    int permissions = PermitAll; // what is allowed without the permissions password
    bool encrypts() const { return !openPassword.isEmpty() || !permissionsPassword.isEmpty(); }
};

// How a document is protected now.
struct ProtectionState
{
    QString method; // as MuPDF names it; empty when not encrypted
    bool openPassword = false; // opening asked for a password
    int permissions = PermitAll; // as the file says
    bool pending = false; // a new protection waits for the next save
    // The file restricts what may be done and its permissions password was not given: changing
    // the protection needs it first (Document::unlockProtection).
    bool needsPermissionsPassword = false;
};

} // namespace pxv
