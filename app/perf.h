#pragma once

#include <QElapsedTimer>
#include <QLoggingCategory>

// Start-up milestones in milliseconds since process start, for benchmarks:
// QT_LOGGING_RULES="vellumpad.perf=true".
Q_DECLARE_LOGGING_CATEGORY(lcPerf)

qint64 msSinceProcessStart();
void perfMilestone(const char* name);
