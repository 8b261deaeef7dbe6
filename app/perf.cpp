#include "perf.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <time.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcPerf, "vellumpad.perf", QtWarningMsg)

namespace {

// The kernel's record of when this process started, in ms since boot; -1 when unreadable.
qint64 processStartSinceBootMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which may contain spaces, start behind its closing parenthesis.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int kStartTimeField = 22 - 3;
    if (fields.size() <= kStartTimeField)
        return -1;
    return fields.at(kStartTimeField).toLongLong() * 1000 / sysconf(_SC_CLK_TCK);
}

qint64 nowSinceBootMs()
{
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Watches a widget for its first paint event, then goes away.
class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget* widget, const char* name) : QObject(widget), m_name(name)
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The backing store reaches the window right after the paint event, before the event
            // loop runs the timer.
            QTimer::singleShot(0, [name = m_name] { perfMilestone(name); });
            deleteLater();
        }
        return false;
    }

private:
    const char* m_name;
    bool m_seen = false;
};

} // namespace

qint64 msSinceProcessStart()
{
    static const qint64 start = processStartSinceBootMs();
    return start < 0 ? 0 : nowSinceBootMs() - start;
}

void perfMilestone(const char* name)
{
    qCInfo(lcPerf, "%s: %lld ms", name, static_cast<long long>(msSinceProcessStart()));
}

void perfMilestoneOnFirstPaint(QWidget* widget, const char* name)
{
    if (lcPerf().isInfoEnabled())
        new FirstPaintWatch(widget, name);
}
