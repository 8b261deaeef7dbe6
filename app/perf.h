#pragma once

#include <QElapsedTimer>
#include <QLoggingCategory>

class QWidget;

// Start-up milestones in milliseconds since process start, for benchmarks:
// QT_LOGGING_RULES="vellumpad.perf=true".
Q_DECLARE_LOGGING_CATEGORY(lcPerf)

qint64 msSinceProcessStart();
void perfMilestone(const char* name);
// Logs the milestone name once, when the first paint of widget has reached its window.
void perfMilestoneOnFirstPaint(QWidget* widget, const char* name);
