#pragma once

#include <QString>

namespace pxv {

// The folder offered for a file made from the document at documentPath: the document's own, or,
// when it has none or it cannot be written to (a system folder, a read-only share), the user's
// documents folder, or home when that does not exist.
QString outputFolder(const QString& documentPath);

} // namespace pxv
