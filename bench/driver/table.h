#pragma once

#include <QString>
#include <QVector>

#include <vector>

double median(std::vector<double> values);

// One line of the result: ours against a baseline (both medians), and the target.
struct Row
{
    enum class Better { Lower, Higher };
    enum class Target { None, Ratio, Absolute };

    QString name;
    double ours = -1;
    double baseline = -1; // -1: no baseline
    QString unit; // "ms", "pages/s", "MiB", "us", "" (a count)
    Better better = Better::Lower;
    Target target = Target::None;
    double limit = 0; // the ratio or the absolute value to reach

    double ratio() const { return ours >= 0 && baseline > 0 ? ours / baseline : -1; }
    // -1 when there is nothing to meet (no target, or a value is missing), else 0 or 1.
    int met() const;
    QString targetText() const;
};

// Prints the rows as one Markdown table.
QString formatTable(const QVector<Row>& rows);
