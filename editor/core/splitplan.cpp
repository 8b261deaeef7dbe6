#include "splitplan.h"

#include "pagerange.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace pxv::split {

namespace {

// The texts of the split's names, under a context of their own.
struct SplitPlan
{
    Q_DECLARE_TR_FUNCTIONS(pxv::SplitPlan)
};

// A page list longer than this in a file name is shown by its ends and its length.
constexpr int kMaxPagesText = 40;

// "1-3,7" for pages 0, 1, 2 and 6.
QString compactPages(const QVector<int>& pages)
{
    QStringList items;
    for (int i = 0; i < pages.size();) {
        int last = i;
        while (last + 1 < pages.size() && pages[last + 1] == pages[last] + 1)
            ++last;
        items.append(last == i ? QString::number(pages[i] + 1)
                               : QStringLiteral("%1-%2").arg(pages[i] + 1).arg(pages[last] + 1));
        i = last + 1;
    }
    return items.join(QLatin1Char(','));
}

QString pagesSuffix(const QVector<int>& pages)
{
    if (pages.size() == 1)
        return SplitPlan::tr("page %1").arg(pages.first() + 1);
    const QString compact = compactPages(pages);
    if (compact.size() <= kMaxPagesText)
        return SplitPlan::tr("pages %1").arg(compact);
    return SplitPlan::tr("pages %1-%2 (%3 pages)").arg(pages.first() + 1).arg(pages.last() + 1).arg(pages.size());
}

QString bounded(QString name)
{
    while (name.toUtf8().size() > kMaxNameBytes) {
        name.chop(1);
        if (!name.isEmpty() && QChar(name.back()).isHighSurrogate())
            name.chop(1);
    }
    return name;
}

} // namespace

QList<SplitPart> eachPage(const QVector<int>& pages)
{
    return everyCount(pages, 1);
}

QList<SplitPart> everyCount(const QVector<int>& pages, int count)
{
    QVector<int> sorted = pages;
    std::sort(sorted.begin(), sorted.end());
    QList<SplitPart> parts;
    for (int first = 0; first < sorted.size(); first += count)
        parts.append({sorted.mid(first, count), QString(), QString()});
    return parts;
}

QList<SplitPart> byRanges(const QString& text, int pageCount)
{
    PageRange::parse(text, pageCount); // the whole text first: an empty item is no range
    QList<SplitPart> parts;
    for (const QString& item : text.split(QLatin1Char(','))) {
        QVector<int> pages = PageRange::parse(item, pageCount);
        std::sort(pages.begin(), pages.end());
        parts.append({pages, QString(), QString()});
    }
    return parts;
}

QList<SplitPart> byOutline(const QList<OutlineItem>& outline, const QVector<int>& chosen, int pageCount)
{
    QList<OutlineItem> entries;
    for (const OutlineItem& item : outline) {
        if (item.page >= 0 && item.page < pageCount)
            entries.append(item);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const OutlineItem& a, const OutlineItem& b) { return a.page < b.page; });
    QVector<bool> wanted(pageCount, false);
    for (int page : chosen)
        wanted[page] = true;
    QList<SplitPart> parts;
    auto add = [&](int first, int end, const QString& title) {
        SplitPart part{{}, title, QString()};
        for (int page = first; page < end; ++page) {
            if (wanted[page])
                part.pages.append(page);
        }
        if (!part.pages.isEmpty())
            parts.append(part);
    };
    add(0, entries.isEmpty() ? pageCount : entries.first().page, QString());
    for (int i = 0; i < entries.size(); ++i)
        add(entries[i].page, i + 1 < entries.size() ? entries[i + 1].page : pageCount, entries[i].title);
    return parts;
}

QString safeFileName(const QString& title)
{
    QString name;
    for (const QChar c : title) {
        const bool refused = c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c);
        name.append(refused ? QLatin1Char('_') : c);
    }
    auto trimmed = [](QString text) {
        while (!text.isEmpty() && (text.front().isSpace() || text.front() == QLatin1Char('.')))
            text.remove(0, 1);
        while (!text.isEmpty() && (text.back().isSpace() || text.back() == QLatin1Char('.')))
            text.chop(1);
        return text;
    };
    // Cutting to length can leave a space or a dot at the end again.
    return trimmed(bounded(trimmed(name)));
}

void nameParts(const QString& baseName, QList<SplitPart>& parts)
{
    const QString base = safeFileName(baseName);
    QSet<QString> taken;
    for (SplitPart& part : parts) {
        QString stem = safeFileName(part.title);
        if (stem.isEmpty())
            stem = safeFileName(QStringLiteral("%1 - %2").arg(base, pagesSuffix(part.pages)));
        QString name = stem;
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
            name = QStringLiteral("%1 (%2)").arg(stem).arg(n);
        taken.insert(name.toCaseFolded());
        part.fileName = name + QStringLiteral(".pdf");
    }
}

} // namespace pxv::split
