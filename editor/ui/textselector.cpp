#include "textselector.h"

#include "core/document.h"

#include <algorithm>

namespace pxv {

TextSelector::TextSelector(Document* document) : m_document(document)
{
}

void TextSelector::start(int page, const QPointF& point, TextUnit unit)
{
    m_anchorPage = page;
    m_anchor = point;
    m_unit = unit;
    m_whole.clear();
    extend(page, point);
}

void TextSelector::extend(int page, const QPointF& point)
{
    if (m_anchorPage < 0)
        return;
    m_focusPage = page;
    m_focus = point;
    update();
}

void TextSelector::selectPage(int page)
{
    clear();
    if (!m_document)
        return;
    const TextSelection all = m_document->pageText(page);
    if (!all.isEmpty())
        m_pages.append(all);
}

void TextSelector::clear()
{
    m_anchorPage = m_focusPage = -1;
    m_pages.clear();
    m_whole.clear();
}

QString TextSelector::text() const
{
    QStringList texts;
    for (const TextSelection& page : m_pages)
        texts.append(page.text.endsWith('\n') ? page.text.chopped(1) : page.text);
    return texts.join('\n');
}

TextSelection TextSelector::between(int page, const QPointF& from, const QPointF& to) const
{
    return m_document ? m_document->selectText(page, from, to, m_unit) : TextSelection();
}

TextSelection TextSelector::wholePage(int page)
{
    auto found = m_whole.find(page);
    if (found == m_whole.end())
        found = m_whole.insert(page, m_document ? m_document->pageText(page) : TextSelection());
    return *found;
}

void TextSelector::update()
{
    m_pages.clear();
    if (!m_document)
        return;
    if (m_anchorPage == m_focusPage) {
        const TextSelection one = between(m_anchorPage, m_anchor, m_focus);
        if (!one.isEmpty())
            m_pages.append(one);
        return;
    }
    // The first page runs from its point to its end, the last from its start to its point.
    const bool forward = m_anchorPage < m_focusPage;
    const int first = forward ? m_anchorPage : m_focusPage;
    const int last = forward ? m_focusPage : m_anchorPage;
    const QPointF firstPoint = forward ? m_anchor : m_focus;
    const QPointF lastPoint = forward ? m_focus : m_anchor;
    const QSizeF firstSize = m_document->pageSize(first);
    QList<TextSelection> pages{between(first, firstPoint, QPointF(firstSize.width(), firstSize.height()))};
    for (int page = first + 1; page < last; ++page)
        pages.append(wholePage(page));
    pages.append(between(last, QPointF(0, 0), lastPoint));
    std::copy_if(pages.cbegin(), pages.cend(), std::back_inserter(m_pages),
                 [](const TextSelection& page) { return !page.isEmpty(); });
}

} // namespace pxv
