#pragma once

#include "core/layer.h"

namespace pxv {

// Names the calling thread (at most 15 characters, the kernel's limit) and gives it an alternate
// signal stack of its own, so that a crash handler installed with SA_ONSTACK still runs when the
// thread overflows its stack: a signal stack belongs to one thread, and the one the program sets
// up at start is the main thread's. Worker threads call it before each piece of work; the stack
// is made once per thread.
void prepareWorkerThread(const char* name);

// Lowers the calling thread's scheduling priority for good, once: for threads that only ever do
// background work, such as drawing pages, so that the GUI thread gets a core as soon as it wakes
// instead of after a worker's time slice.
void lowerThreadPriority();

} // namespace pxv
