#pragma once

// A thread's own copy of a document, opened from what RenderSource describes.

#include "document.h"

#include "../mupdf/mudocument.h"

#include <memory>

namespace pxv {

// Opens source as it is now: its file or bytes, unlocked, the page tree mended where the
// document's own was, and the pages rotated since applied. Throws MuError.
std::unique_ptr<mu::MuDocument> openSourceCopy(const RenderSource& source, size_t storeBytes);

} // namespace pxv
