#include "table.h"

#include <algorithm>

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int Row::met() const
{
    const double measured = target == Target::Ratio ? ratio() : ours;
    if (target == Target::None || measured < 0)
        return -1;
    return better == Better::Lower ? measured <= limit : measured >= limit;
}

QString Row::targetText() const
{
    const QString op = better == Better::Lower ? QStringLiteral("≤ ") : QStringLiteral("≥ ");
    switch (target) {
    case Target::Ratio:
        return op + QString::number(limit, 'f', 2) + QStringLiteral("x");
    case Target::Absolute:
        return op + QString::number(limit) + (unit.isEmpty() ? QString() : QStringLiteral(" ") + unit);
    case Target::None:
        break;
    }
    return QStringLiteral("—");
}

namespace {

QString valueText(double value, const QString& unit)
{
    if (value < 0)
        return QStringLiteral("—");
    const int decimals = value >= 100 || unit.isEmpty() ? 0 : value >= 10 ? 1 : 2;
    return QString::number(value, 'f', decimals) + (unit.isEmpty() ? QString() : QStringLiteral(" ") + unit);
}

} // namespace

QString formatTable(const QVector<Row>& rows)
{
    QString text = QStringLiteral("| Case | Ours (median) | Baseline (median) | Ratio | Target | Met |\n"
                                  "|---|---:|---:|---:|---|---|\n");
    for (const Row& row : rows) {
        const double ratio = row.ratio();
        const int met = row.met();
        text += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                    .arg(row.name, valueText(row.ours, row.unit), valueText(row.baseline, row.unit),
                         ratio < 0 ? QStringLiteral("—") : QString::number(ratio, 'f', 2) + QStringLiteral("x"),
                         row.targetText(),
                         met < 0 ? QStringLiteral("—")
                         : met   ? QStringLiteral("met")
                                 : QStringLiteral("missed"));
    }
    return text;
}
