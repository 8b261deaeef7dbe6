#include "textsearch.h"

#include "document.h"

#include <algorithm>
#include <utility>

namespace pxv {

TextSearch::TextSearch(Document* document, QObject* parent) : QObject(parent), m_document(document)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &TextSearch::onSlice);
    // An edited page's hits move or go: that page is searched again, so highlights follow
    // the text.
    if (document) {
        connect(document, &Document::sourceChanged, this, &TextSearch::onSourceChanged);
        connect(document, &Document::pagesChanged, this, &TextSearch::onPagesChanged);
    }
}

// text is a copy: a restart passes m_text, which clear() empties.
void TextSearch::start(QString text, int startPage, const SearchOptions& options)
{
    clear();
    if (!m_document || text.trimmed().isEmpty())
        return;
    m_text = std::move(text);
    m_options = options;
    m_pageCount = m_document->pageCount();
    m_startPage = m_pageCount > 0 ? std::clamp(startPage, 0, m_pageCount - 1) : 0;
    m_searched = 0;
    m_timer.start();
}

void TextSearch::clear()
{
    m_timer.stop();
    ++m_generation;
    m_text.clear();
    m_searched = 0;
    m_pageCount = 0;
    m_again.clear();
    if (m_hits.isEmpty())
        return;
    m_hits.clear();
    emit hitsCleared();
}

bool TextSearch::searchPage(int page)
{
    const quint64 generation = m_generation;
    const QList<TextHit> found = m_document->findText(page, m_text, m_options);
    if (found.isEmpty())
        return true;
    const auto at = std::lower_bound(m_hits.begin(), m_hits.end(), page,
                                     [](const TextHit& hit, int p) { return hit.page < p; });
    const int first = int(at - m_hits.begin());
    for (int i = 0; i < found.size(); ++i)
        m_hits.insert(first + i, found.at(i));
    emit hitsFound(first, found.size());
    // A receiver may have started another search, cleared, or closed the document.
    return generation == m_generation && m_document;
}

void TextSearch::onSlice()
{
    if (!m_document) {
        clear(); // the document closed under the search
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (!m_again.isEmpty()) {
        if (!searchPage(m_again.takeFirst()))
            return;
        if (clock.elapsed() >= kSliceMilliseconds)
            return;
    }
    while (m_searched < m_pageCount) {
        const int page = (m_startPage + m_searched) % m_pageCount;
        ++m_searched;
        if (!searchPage(page))
            return;
        if (clock.elapsed() >= kSliceMilliseconds)
            return;
    }
    m_timer.stop();
    emit finished();
}

void TextSearch::onSourceChanged()
{
    if (!m_text.isEmpty())
        start(m_text, m_startPage, m_options);
}

void TextSearch::onPagesChanged(const PageChanges& changes)
{
    if (m_text.isEmpty() || !m_document)
        return;
    if (changes.structure || changes.everything) {
        onSourceChanged();
        return;
    }
    for (PageId id : changes.changed) {
        const int page = m_document->pageIndex(id);
        if (page < 0 || page >= m_pageCount)
            continue;
        const auto first = std::lower_bound(m_hits.begin(), m_hits.end(), page,
                                            [](const TextHit& hit, int p) { return hit.page < p; });
        const auto last = std::upper_bound(first, m_hits.end(), page,
                                           [](int p, const TextHit& hit) { return p < hit.page; });
        if (first != last) {
            const int index = int(first - m_hits.begin());
            const int count = int(last - first);
            m_hits.erase(first, last);
            emit hitsRemoved(index, count);
        }
        // Pages the search has not reached yet are searched in their turn anyway.
        const bool searched = (page - m_startPage + m_pageCount) % m_pageCount < m_searched;
        if (searched && !m_again.contains(page))
            m_again.append(page);
    }
    if (!m_again.isEmpty())
        m_timer.start();
}

} // namespace pxv
