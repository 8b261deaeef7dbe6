#pragma once

#include "core/layer.h"

// Finding a text in a whole document without holding up the GUI thread: pages are searched a
// few at a time from the event loop, hits are reported as each page is done, and a new query,
// an edit or closing the document stops the old search.
//
// Why not a worker thread: extracting one page's text takes milliseconds, so short slices keep
// the window responsive, while the document and its MuPDF context stay on the one thread that
// owns them.

#include "values/types.h"

#include <QList>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

namespace pxv {

class Document;

class TextSearch : public QObject
{
    Q_OBJECT
public:
    explicit TextSearch(Document* document, QObject* parent = nullptr);

    // Searches every page for text, starting at startPage and wrapping round, so that the first
    // hits reported are the ones the reader comes to next. Ends the previous search; an empty
    // text only clears.
    void start(QString text, int startPage = 0, const SearchOptions& options = {});
    // Stops searching and forgets the hits.
    void clear();

    QString text() const { return m_text; }
    bool isRunning() const { return m_timer.isActive(); }
    // True once every page has been searched for a non-empty text.
    bool isFinished() const
    {
        return !m_text.isEmpty() && m_searched == m_pageCount && m_again.isEmpty() && !isRunning();
    }
    // The hits found so far, in document order (by page, then in reading order on the page).
    const QList<TextHit>& hits() const { return m_hits; }

signals:
    // The hits list lost all its entries (a new search or a clear).
    void hitsCleared();
    // count hits of one page were inserted into hits() at index first.
    void hitsFound(int first, int count);
    // count hits of one page were taken out of hits() at index first: the page changed and is
    // searched again.
    void hitsRemoved(int first, int count);
    // Every page has been searched.
    void finished();

private slots:
    void onSlice();
    void onSourceChanged();
    void onPagesChanged(const pxv::PageChanges& changes);

private:
    // Searches one page and files its hits; false when a receiver ended the search meanwhile.
    bool searchPage(int page);

    // Longest a slice keeps the event loop waiting, unless a single page takes longer.
    static constexpr int kSliceMilliseconds = 15;

    QPointer<Document> m_document;
    QTimer m_timer;
    QString m_text;
    SearchOptions m_options;
    int m_startPage = 0;
    int m_pageCount = 0;
    int m_searched = 0; // pages done, counted from m_startPage
    quint64 m_generation = 0; // changes whenever a search ends, so a slice notices from inside its signals
    QList<TextHit> m_hits;
    QList<int> m_again; // pages searched already that changed since, to be searched again
};

} // namespace pxv
