#include "benchwait.h"

#include <QEventLoop>

#include <algorithm>

bool waitFor(const std::function<bool()>& done, int timeoutMs, WaitWake* wake)
{
    if (done())
        return true;
    QEventLoop loop;
    const auto look = [&] {
        if (done())
            loop.quit();
    };
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, look);
    check.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (wake)
        wake->m_check = look;
    loop.exec();
    if (wake)
        wake->m_check = nullptr;
    return done();
}

StallWatch::StallWatch()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        const qint64 now = m_clock.nsecsElapsed();
        m_longestNs = std::max(m_longestNs, now - m_last);
        m_last = now;
    });
    m_clock.start();
    m_timer.start();
}
