#include "rows.h"

#include <QLocale>

double mib(qint64 kib)
{
    return kib / 1024.0;
}

Row ratioRow(const QString& name, double ours, double baseline, const QString& unit, double limit, Row::Better better)
{
    Row row;
    row.name = name;
    row.ours = ours;
    row.baseline = baseline;
    row.unit = unit;
    row.better = better;
    row.target = limit > 0 ? Row::Target::Ratio : Row::Target::None;
    row.limit = limit;
    return row;
}

Row absoluteRow(const QString& name, double ours, const QString& unit, double limit)
{
    Row row;
    row.name = name;
    row.ours = ours;
    row.unit = unit;
    row.target = limit > 0 ? Row::Target::Absolute : Row::Target::None;
    row.limit = limit;
    return row;
}

QString countText(double value)
{
    return QLocale(QLocale::English).toString(qRound(value));
}
