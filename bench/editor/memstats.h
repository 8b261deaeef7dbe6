#pragma once

#include <QtGlobal>

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when it cannot be read.
qint64 procStatusKib(const char* field);
