#pragma once

#include "core/layer.h"

// Long work of one call moved off the calling thread, with the caller kept informed.

#include "document.h"

namespace pxv {

// Runs work on a thread of its own and returns when it is over, rethrowing what it threw. What
// work tells its progress (on the worker) is told to progress on the calling thread, which
// waits in between and hears the last step again every tenth of a second while one takes long;
// when progress returns false, work's progress returns false from then on.
// Without progress, the caller just waits.
void runOnWorker(const std::function<void(const SplitProgress& progress)>& work, const SplitProgress& progress);

} // namespace pxv
