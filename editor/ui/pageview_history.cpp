// Back and Forward through the places the view jumped from.
#include "pageview.h"

#include "core/document.h"

namespace pxv {

void PageView::jumpTo(int page, const QPointF& position)
{
    if (!m_document || m_layout.pageCount() == 0)
        return;
    m_history.leave({m_document->pageId(m_currentPage), viewPosition()});
    goToPage(page, position);
    emit historyChanged();
}

void PageView::goBack()
{
    stepHistory(true);
}

void PageView::goForward()
{
    stepHistory(false);
}

void PageView::stepHistory(bool back)
{
    if (!m_document || m_layout.pageCount() == 0)
        return;
    const ViewHistory::Place here{m_document->pageId(m_currentPage), viewPosition()};
    const auto exists = [this](PageId id) { return m_document->pageIndex(id) >= 0; };
    if (const auto place = back ? m_history.back(here, exists) : m_history.forward(here, exists))
        goToPage(m_document->pageIndex(place->page), place->position);
    emit historyChanged();
}

} // namespace pxv
