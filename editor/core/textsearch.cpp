#include "textsearch.h"

#include "document.h"

#include <algorithm>
#include <utility>

namespace pxv {

TextSearch::TextSearch(Document* document, QObject* parent) : QObject(parent), m_document(document)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &TextSearch::onSlice);
    // Rotating a page moves its hits: search again so that highlights follow the text.
    if (document)
        connect(document, &Document::sourceChanged, this, &TextSearch::onSourceChanged);
}

// text is a copy: a restart passes m_text, which clear() empties.
void TextSearch::start(QString text, int startPage)
{
    clear();
    if (!m_document || text.trimmed().isEmpty())
        return;
    m_text = std::move(text);
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
    if (m_hits.isEmpty())
        return;
    m_hits.clear();
    emit hitsCleared();
}

void TextSearch::onSlice()
{
    if (!m_document) {
        clear(); // the document closed under the search
        return;
    }
    const quint64 generation = m_generation;
    QElapsedTimer clock;
    clock.start();
    while (m_searched < m_pageCount) {
        const int page = (m_startPage + m_searched) % m_pageCount;
        ++m_searched;
        const QList<TextHit> found = m_document->findText(page, m_text);
        if (!found.isEmpty()) {
            const auto at = std::lower_bound(m_hits.begin(), m_hits.end(), page,
                                             [](const TextHit& hit, int p) { return hit.page < p; });
            const int first = int(at - m_hits.begin());
            for (int i = 0; i < found.size(); ++i)
                m_hits.insert(first + i, found.at(i));
            emit hitsFound(first, found.size());
            if (generation != m_generation || !m_document)
                return; // a receiver started another search, cleared, or closed the document
        }
        if (clock.elapsed() >= kSliceMilliseconds)
            return;
    }
    m_timer.stop();
    emit finished();
}

void TextSearch::onSourceChanged()
{
    if (!m_text.isEmpty())
        start(m_text, m_startPage);
}

} // namespace pxv
