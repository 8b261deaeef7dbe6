#pragma once

#include <QString>
#include <QVector>

// Gaps between the ticks of a 1 ms timer on the GUI thread: how long it was kept from its events.
struct GapStats
{
    int ticks = 0;
    double maxMs = 0;
    double p99Ms = 0;
    int over50Ms = 0;

    static GapStats of(QVector<qint64> gapsNs);
};

struct MemorySample
{
    qint64 rssKib = 0;
    qint64 heapKib = 0;

    static MemorySample now();
};

struct ScrollResult
{
    QString error; // empty when the run went through
    int pages = 0;
    double openCallMs = 0; // the openPath call itself, which holds the GUI thread
    double openMs = 0;   // openPath until the first page is on screen
    GapStats wheel;      // wheel notches, as a reader scrolls
    int wheelEndPage = 0; // the page on screen when the notches were done (1-based)
    GapStats sweep;      // scroll bar dragged from top to bottom
    int rendered = 0;    // page images the renderer delivered
    int distinctPages = 0;
    int mostRequested = 0; // the most pages the view asked for at once
    MemorySample beforeOpening;
    MemorySample opened;
    MemorySample scrolled;  // after scrolling, with the renderer idle
    qint64 peakRssKib = 0;
};

// Hosts the editor component in a window, opens path and scrolls through it: wheelSteps wheel
// notches from the top, then sweepSteps even jumps of the scroll bar down to the end, one every
// 16 ms (a 60 Hz display), and finally waits for the renderer to go idle.
ScrollResult runScroll(const QString& path, int wheelSteps, int sweepSteps);
