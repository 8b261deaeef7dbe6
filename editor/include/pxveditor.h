#pragma once

// The editor component's class identifier, and its registration with QControlHost.
inline constexpr char kPXVEditorClassId[] = "{a1149909-4edc-4421-b9e5-e93c25a000a1}";

void registerPXVEditor();

#include <QString>

#include <functional>

class IPXV_Control;
class QWidget;

// Unsaved changes of open documents are kept in folder (made when needed) so that they survive
// a crash; an empty folder keeps nothing. problem is told once, on the GUI thread, when the
// folder cannot be written.
void setPXVRecoveryFolder(const QString& folder, std::function<void(const QString& message)> problem);
// Whether a program that ended left unsaved changes in the folder.
bool pxvRecoveryPending();
// Offers to reopen the documents whose unsaved changes a program that ended left in the folder,
// in control. Returns at once when there are none.
void offerPXVRecovery(IPXV_Control* control);
