#pragma once

#include "core/layer.h"

// A thread's own copy of a document, opened from what RenderSource describes.

#include "document.h"

#include "mupdf/mudocument.h"

#include <memory>

namespace pxv {

// Opens base as it is now: its file or bytes, unlocked, the page tree mended where the
// document's own was. Throws MuError.
std::unique_ptr<mu::MuDocument> openBaseCopy(const RenderBase& base, size_t storeBytes);

// Brings a copy from the version whose objects were applied to the version whose objects are
// wanted: only the objects whose states differ are taken over. Returns false when the copy
// cannot get there that way (it has changes the wanted version does not know of) and must be
// opened again from the base.
bool applyVersion(mu::MuDocument& copy, const ObjectStates& applied, const ObjectStates& wanted);

// The base opened and brought to source's version.
std::unique_ptr<mu::MuDocument> openSourceCopy(const RenderSource& source, size_t storeBytes);

} // namespace pxv
