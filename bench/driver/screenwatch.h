#pragma once

#include "child.h"

#include <QString>

// A program started on an X display and watched from outside until what it shows settles.
struct SettledRun
{
    QString error; // empty when the screen settled while the program ran
    double settledMs = 0; // from just before the fork to the last change of the screen
    qint64 rssKib = 0; // the program's resident set once settled (VmRSS)
    qint64 peakRssKib = 0; // its peak resident set (ru_maxrss)

    bool ok() const { return error.isEmpty(); }
};

// Runs run.command with DISPLAY=display and polls the whole screen's pixels until they have not
// changed for quietMs. The time is that of the first frame of the final picture; differences of
// a few pixels (a blinking text cursor) do not count as changes. The program is then killed.
SettledRun runUntilSettled(const ChildRun& run, const QString& display, int quietMs);
