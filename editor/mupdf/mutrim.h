#pragma once

#include "mupdf/layer.h"

namespace pxv::mu {

// Hands memory the allocator keeps after frees back to the system (malloc_trim), on a thread of
// its own at low priority: a trim takes every pool's lock in turn and can hold the caller for
// tens of milliseconds. Returns at once; requests made while a trim runs cause one more.
void trimFreedMemory();

} // namespace pxv::mu
