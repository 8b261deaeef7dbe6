#pragma once

#include "ui/layer.h"

#include "values/types.h"

#include <QHash>
#include <QList>
#include <QPointF>
#include <QPointer>

namespace pxv {

class Document;

// A text selection that may run over several pages, as a reader drags it: from an anchor
// (where the drag began) to a focus (where the pointer is). Pages wholly inside are read once
// per drag, so moving the pointer reads the focus page only.
class TextSelector
{
public:
    explicit TextSelector(Document* document);

    void start(int page, const QPointF& point, TextUnit unit);
    void extend(int page, const QPointF& point);
    void selectPage(int page);
    void clear();

    // The selected text of each page, in page order; pages without selected text are left out.
    const QList<TextSelection>& pages() const { return m_pages; }
    bool isEmpty() const { return m_pages.isEmpty(); }
    // The selected text in reading order, pages one after the other.
    QString text() const;

private:
    TextSelection between(int page, const QPointF& from, const QPointF& to) const;
    TextSelection wholePage(int page);
    void update();

    QPointer<Document> m_document;
    int m_anchorPage = -1;
    QPointF m_anchor;
    int m_focusPage = -1;
    QPointF m_focus;
    TextUnit m_unit = TextUnit::Characters;
    QList<TextSelection> m_pages;
    QHash<int, TextSelection> m_whole; // pages read whole during this drag
};

} // namespace pxv
