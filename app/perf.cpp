#include "perf.h"

#include "firstpaint.h"

#include <QFile>

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
        callAfterFirstPaint(widget, [name] { perfMilestone(name); });
}
