// Watermarks, headers and footers: text or an image stamped on pages so that it can be taken
// off again, each a step of the history.

#include "document_p.h"

#include "mupdf/muerror.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace pxv {

namespace {

void checkStyle(const StampStyle& style)
{
    if (!(style.fontSize >= 1 && style.fontSize <= 1000))
        throw DocumentError(DocumentError::Failed,
                            Document::tr("A font size is 1 to 1000 points, not %1.").arg(style.fontSize));
    if (!(style.opacity >= 0 && style.opacity <= 1))
        throw DocumentError(DocumentError::Failed, Document::tr("Opacity is 0 to 1, not %1.").arg(style.opacity));
    if (!style.imagePath.isEmpty() && !QFileInfo(style.imagePath).isFile())
        throw DocumentError(DocumentError::Failed, Document::tr("There is no image file “%1”.").arg(style.imagePath));
}

// The line of page among sorted (ascending), the pages numbered on from firstNumber.
QString numberedLine(const QVector<int>& sorted, int page, const QString& pattern, int firstNumber,
                     const QString& fileName, const QDate& date)
{
    const int index = int(std::lower_bound(sorted.cbegin(), sorted.cend(), page) - sorted.cbegin());
    const int last = firstNumber + std::max(1, int(sorted.size())) - 1;
    return Document::headerFooterText(pattern, firstNumber + index, last, fileName, date);
}

} // namespace

QString Document::headerFooterText(const QString& pattern, int n, int last, const QString& fileName, const QDate& date)
{
    QString text = pattern;
    text.replace(QLatin1String("{n}"), QString::number(n));
    text.replace(QLatin1String("{N}"), QString::number(last));
    text.replace(QLatin1String("{date}"), QLocale().toString(date, QLocale::ShortFormat));
    text.replace(QLatin1String("{file}"), fileName);
    return text;
}

void Document::addWatermark(const QVector<int>& pages, const QString& text, const StampStyle& style)
{
    checkStyle(style);
    if (style.imagePath.isEmpty() && text.trimmed().isEmpty())
        throw DocumentError(DocumentError::Failed, tr("A watermark needs a text or an image."));
    const QVector<int> sorted = d->sortedPages(pages);
    if (sorted.isEmpty())
        return;
    StampStyle watermark = style;
    watermark.kind = StampKind::Watermark;
    runStep(tr("Add Watermark"), StepKind::Content,
            [&] { d->mu->addStamps(sorted, watermark, [&](int) { return text; }); });
}

void Document::addHeaderFooter(const QVector<int>& pages, const QString& pattern, int firstNumber,
                               const StampStyle& style)
{
    checkStyle(style);
    if (pattern.trimmed().isEmpty())
        throw DocumentError(DocumentError::Failed, tr("A header or footer needs a text."));
    const QVector<int> sorted = d->sortedPages(pages);
    if (sorted.isEmpty())
        return;
    StampStyle line = style;
    line.kind = StampKind::HeaderFooter;
    line.imagePath.clear();
    const QString file = stampFileName();
    const QDate today = QDate::currentDate();
    runStep(tr("Add Header and Footer"), StepKind::Content, [&] {
        d->mu->addStamps(sorted, line,
                         [&](int page) { return numberedLine(sorted, page, pattern, firstNumber, file, today); });
    });
}

QString Document::headerFooterLine(const QVector<int>& pages, int page, const QString& pattern, int firstNumber) const
{
    return numberedLine(d->sortedPages(pages), page, pattern, firstNumber, stampFileName(), QDate::currentDate());
}

QString Document::stampFileName() const
{
    return filePath().isNull() ? title() : QFileInfo(filePath()).fileName();
}

int Document::removeStamps(const QVector<int>& pages, StampKind kind)
{
    const QVector<int> sorted = d->sortedPages(pages);
    int removed = 0;
    runStep(kind == StampKind::Watermark ? tr("Remove Watermarks") : tr("Remove Headers and Footers"),
            StepKind::Content, [&] { removed = d->mu->removeStamps(sorted, kind); });
    return removed;
}

} // namespace pxv
