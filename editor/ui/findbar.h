#pragma once

#include "ui/layer.h"

#include "values/types.h"

#include <QFrame>

#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace pxv {

class Document;
class TextSearch;

// The bar under a document's pages that finds a text: the query, previous and next, and where
// the current hit stands among all ("3 of 17"). Typing searches at once, from the page the
// reader is on; the search runs in slices, so hits keep arriving while the bar stays usable.
class FindBar : public QFrame
{
    Q_OBJECT
public:
    // currentPage tells where a new search starts.
    FindBar(Document* document, std::function<int()> currentPage, QWidget* parent = nullptr);

    // Shows the bar with its query selected for typing over, searching again for a query kept
    // from before.
    void activate();
    // Hides the bar and ends the search and its highlights.
    void dismiss();

    // The next and the previous hit, wrapping round at the ends of the document.
    void findNext();
    void findPrevious();

    TextSearch* search() const { return m_search; }
    // Index of the current hit in search()->hits(), or -1.
    int currentIndex() const { return m_current; }
    QLineEdit* queryEdit() const { return m_query; }
    QString counterText() const;

signals:
    // The hits or the current one changed; current is an index into hits, or -1.
    void signal_hitsChanged(const QList<TextHit>& hits, int current);
    // A hit became the current one and should be brought into view.
    void signal_showHit(const TextHit& hit);
    void signal_dismissed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onQueryEdited(const QString& text);
    void onHitsFound(int first, int count);
    void onHitsRemoved(int first, int count);
    void onHitsCleared();

private:
    void step(int delta);
    void setCurrent(int index);
    void refresh();

    TextSearch* m_search;
    std::function<int()> m_currentPage;
    QLineEdit* m_query;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_matchCase;
    QToolButton* m_wholeWords;
    QLabel* m_counter;
    int m_current = -1;
};

} // namespace pxv
