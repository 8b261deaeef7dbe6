#pragma once

#include <cstddef>

// Writes a crash report "v<version>-<build date>-YYYYMMDD-HHMMSS-<pid>-<tid>.dmp" into the current
// directory when the process dies of SIGSEGV, SIGBUS, SIGFPE, SIGILL or SIGABRT, then lets the
// signal end the process. Nothing is written while a debugger is attached. A handler installed
// before (a sanitizer's) still gets the faults it would have seen, after the report is written.
void installCrashHandler();

struct DumpTime
{
    int year, month, day, hour, minute, second;
};

// Formats the report name into `out` (at least 260 bytes) with async-signal-safe code only.
void formatDumpFileName(char* out, size_t size, const char* version, int buildDate, const DumpTime& time, long pid,
                        long tid);
