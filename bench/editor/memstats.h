#pragma once

#include <QtGlobal>

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when it cannot be read.
qint64 procStatusKib(const char* field);

// Bytes the allocator has handed out and not had back, in KiB. Unlike VmRSS it leaves out memory
// that freed blocks keep in the per-thread arenas of render workers, so it shows what is kept.
qint64 heapInUseKib();
