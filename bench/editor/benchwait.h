#pragma once

// Waiting for the editor as a user would: the event loop runs meanwhile, and a watch notes how
// long the GUI thread was kept from its events.

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

// Lets whoever sees the awaited change end a waitFor() at once, instead of at its next look.
class WaitWake
{
public:
    void wake() const
    {
        if (m_check)
            m_check();
    }

private:
    friend bool waitFor(const std::function<bool()>&, int, WaitWake*);
    std::function<void()> m_check;
};

// Runs the event loop until done() holds or timeoutMs passes; false on timeout. The loop sleeps
// between events, so that the GUI thread leaves the cores to the render workers. It looks every
// millisecond, and whenever wake is woken.
bool waitFor(const std::function<bool()>& done, int timeoutMs, WaitWake* wake = nullptr);

// The longest gap between the ticks of a 1 ms timer on the GUI thread: how long it was kept from
// its events at worst.
class StallWatch
{
public:
    StallWatch();
    double longestMs() const { return m_longestNs / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longestNs = 0;
};
