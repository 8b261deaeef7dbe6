#pragma once

#include "core/layer.h"

// The last structural pass of compressing: MuPDF 1.21 cannot write object streams, so a second
// library packs the small objects into them.

#include <QString>

namespace pxv {

// Writes target from the PDF source with its objects packed into object streams and every
// flate stream compressed anew. Returns false when the second library cannot read or write the
// file (one it cannot decrypt, for example); target is not to be used then, and the pass is
// skipped.
bool packObjectStreams(const QString& source, const QString& target);

} // namespace pxv
