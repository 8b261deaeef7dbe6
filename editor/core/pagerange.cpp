#include "pagerange.h"

#include <QRegularExpression>
#include <QStringList>

namespace pxv {

namespace {

// Collects pages once each, in the order they are first named.
class PageList
{
public:
    explicit PageList(int pageCount) : m_seen(pageCount, false) {}

    // first and last are 1-based and already checked against the page count.
    void add(int first, int last, int step = 1)
    {
        for (int page = first; page <= last; page += step) {
            if (!m_seen[page - 1]) {
                m_seen[page - 1] = true;
                m_pages.append(page - 1);
            }
        }
    }

    QVector<int> pages() const { return m_pages; }

private:
    QVector<bool> m_seen;
    QVector<int> m_pages;
};

[[noreturn]] void throwNotARange(const QString& item)
{
    throw PageRangeError(PageRange::tr("\"%1\" is not a page range. Use page numbers and ranges such as \"1-3,7,10-\", "
                                       "or \"all\", \"odd\" or \"even\".")
                             .arg(item));
}

// digits is what the user wrote, so a number too large for int is still quoted as written.
int pageNumber(const QString& digits, int pageCount)
{
    bool ok = false;
    const int page = digits.toInt(&ok);
    if (ok && page == 0)
        throw PageRangeError(PageRange::tr("There is no page 0: pages are numbered from 1."));
    if (!ok || page > pageCount) {
        const QString shown = ok ? QString::number(page) : digits;
        if (pageCount == 1)
            throw PageRangeError(PageRange::tr("Page %1 does not exist: the document has 1 page.").arg(shown));
        throw PageRangeError(
            PageRange::tr("Page %1 does not exist: the document has %2 pages.").arg(shown).arg(pageCount));
    }
    return page;
}

// Returns false when item is not a keyword.
bool addKeyword(const QString& item, int pageCount, PageList& pages)
{
    const QString word = item.toLower();
    if (word == QLatin1String("all"))
        pages.add(1, pageCount);
    else if (word == QLatin1String("odd"))
        pages.add(1, pageCount, 2);
    else if (word == QLatin1String("even"))
        pages.add(2, pageCount, 2);
    else
        return false;
    return true;
}

void addItem(const QString& item, int pageCount, PageList& pages)
{
    if (addKeyword(item, pageCount, pages))
        return;

    // Digits only: a sign or a second dash makes the item malformed rather than a negative page.
    static const QRegularExpression pattern(QStringLiteral("^(\\d*)\\s*(-?)\\s*(\\d*)$"));
    const QRegularExpressionMatch match = pattern.match(item);
    const QString firstText = match.captured(1);
    const QString lastText = match.captured(3);
    const bool isRange = !match.captured(2).isEmpty();
    if (!match.hasMatch() || (firstText.isEmpty() && lastText.isEmpty()) || (!isRange && !lastText.isEmpty()))
        throwNotARange(item);

    const int first = firstText.isEmpty() ? 1 : pageNumber(firstText, pageCount);
    if (!isRange) {
        pages.add(first, first);
        return;
    }
    const int last = lastText.isEmpty() ? pageCount : pageNumber(lastText, pageCount);
    if (last < first)
        throw PageRangeError(PageRange::tr("The page range \"%1\" runs backwards.").arg(item));
    pages.add(first, last);
}

} // namespace

PageRangeError::PageRangeError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message)
{
}

QVector<int> PageRange::parse(const QString& text, int pageCount)
{
    if (pageCount <= 0)
        throw PageRangeError(tr("The document has no pages to choose from."));

    PageList pages(pageCount);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        pages.add(1, pageCount);
        return pages.pages();
    }
    for (const QString& item : trimmed.split(QLatin1Char(','))) {
        const QString part = item.trimmed();
        if (part.isEmpty())
            throw PageRangeError(tr("The page range \"%1\" has a comma too many.").arg(trimmed));
        addItem(part, pageCount, pages);
    }
    return pages.pages();
}

QString PageRange::text(const QVector<int>& pages)
{
    QStringList numbers;
    for (int page : pages)
        numbers.append(QString::number(page + 1));
    return numbers.join(QLatin1Char(','));
}

} // namespace pxv
