#include "papersizes.h"

namespace pxv {

const QVector<PaperSize>& paperSizes()
{
    // ISO sizes are whole millimetres; 72 points make an inch of 25.4 mm.
    static const QVector<PaperSize> sizes = {
        {QStringLiteral("A3"), QSizeF(297, 420) * 72 / 25.4}, {QStringLiteral("A4"), QSizeF(210, 297) * 72 / 25.4},
        {QStringLiteral("A5"), QSizeF(148, 210) * 72 / 25.4}, {QStringLiteral("Letter"), QSizeF(612, 792)},
        {QStringLiteral("Legal"), QSizeF(612, 1008)},
    };
    return sizes;
}

QSizeF paperSize(const QString& name)
{
    for (const PaperSize& paper : paperSizes()) {
        if (paper.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return paper.points;
    }
    return QSizeF();
}

} // namespace pxv
