#pragma once

// A PDF whose pages hold given words at known places, for tests that look for text.

#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

namespace wordpdf {

// Where a page's lines of words start, in points from the page's top-left corner, and how far
// apart they are.
constexpr double kLeft = 72.0;
constexpr double kFirstBaseline = 100.0;
constexpr double kLineHeight = 30.0;

// One A4 page per entry of pages; each entry's lines go one below the other. Painted at 72 DPI,
// so device pixels are points.
inline void write(const QString& path, const QList<QStringList>& pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    for (int page = 0; page < pages.size(); ++page) {
        if (page > 0)
            writer.newPage();
        for (int line = 0; line < pages[page].size(); ++line)
            painter.drawText(QPointF(kLeft, kFirstBaseline + line * kLineHeight), pages[page][line]);
    }
}

// "alpha" five times on pages 1, 3 and 4, in every letter case; page 2 has none and page 3 has it
// only inside a longer word.
const QList<QStringList> kAlphaPages = {
    {"alpha beta gamma", "Alpha delta"},
    {"beta gamma", "nothing here"},
    {"gamma", "prealphabet"},
    {"ALPHA", "beta", "alpha omega"},
};

} // namespace wordpdf
