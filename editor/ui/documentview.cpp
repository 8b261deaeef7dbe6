#include "documentview.h"

#include "core/document.h"
#include "cpxvdocument.h"
#include "outlinepane.h"
#include "pageview.h"
#include "panelayout.h"

#include <QSplitter>
#include <QVBoxLayout>


namespace pxv {

namespace {
constexpr int kDefaultOutlineWidth = 220;
}

DocumentView::DocumentView(std::shared_ptr<CPXVDocument> document, QWidget* parent)
    : QWidget(parent), m_document(std::move(document))
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_outline = new OutlinePane(m_splitter);
    m_pageView = new PageView(m_document->model(), m_splitter);
    m_splitter->addWidget(m_outline);
    m_splitter->addWidget(m_pageView);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kDefaultOutlineWidth, 800});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    setFocusProxy(m_pageView);

    connect(m_outline, &OutlinePane::signal_goTo, m_pageView, &PageView::goToPage);
    connect(m_document->model(), &Document::sourceChanged, this, &DocumentView::onSourceChanged);
    onSourceChanged();
}

DocumentView::~DocumentView() = default;

bool DocumentView::hasOutline() const
{
    return !m_outline->isEmpty();
}

bool DocumentView::isOutlineVisible() const
{
    return !m_outline->isHidden();
}

void DocumentView::setOutlineVisible(bool visible)
{
    m_outlineWanted = visible;
    const bool show = visible && hasOutline();
    if (show == isOutlineVisible())
        return;
    m_outline->setVisible(show);
    emit signal_outlineVisibilityChanged(show);
}

void DocumentView::applyPaneLimits(const PaneLimits& limits)
{
    m_outline->setMinimumWidth(limits.minWidth);
    m_outline->setMaximumWidth(limits.maxWidth > 0 ? limits.maxWidth : QWIDGETSIZE_MAX);
}

void DocumentView::onSourceChanged()
{
    m_outline->setOutline(m_document->model()->outline());
    const bool show = m_outlineWanted && hasOutline();
    m_outline->setVisible(show);
    emit signal_outlineVisibilityChanged(show);
}

} // namespace pxv
