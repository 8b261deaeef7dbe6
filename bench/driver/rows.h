#pragma once

// Building the table's rows: the runs per case, units and the two kinds of row.

#include "table.h"

#include <QString>

// Start-up and first page are short: more runs for steadier medians.
constexpr int kShortRuns = 5;
constexpr int kLongRuns = 3;

double mib(qint64 kib);
Row ratioRow(const QString& name, double ours, double baseline, const QString& unit, double limit,
             Row::Better better = Row::Better::Lower);
Row absoluteRow(const QString& name, double ours, const QString& unit, double limit);
// "1,000": the way the rows spell counts.
QString countText(double value);
