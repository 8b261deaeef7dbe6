// Where files were left: each file's page and zoom, told to the host's keeper when its tab
// closes and asked of it when the file opens again.

#include "cpxvcontrol.h"

#include "cpxvdocument.h"
#include "documentview.h"
#include "pageview.h"

using pxv::DocumentView;
using pxv::PageView;

void CPXVControl::setPlaceKeeper(std::shared_ptr<IPXV_PlaceKeeper> keeper)
{
    m_placeKeeper = std::move(keeper);
}

void CPXVControl::showWhereLeft(DocumentView* view)
{
    PXV_ViewPlace place;
    if (!view || !m_placeKeeper || !m_placeKeeper->recall(view->document()->srcPath(), &place))
        return;
    PageView* pages = view->pageView();
    switch (place.fit) {
    case PXV_ViewPlace::Fit::Width:
        pages->setZoomMode(PageView::ZoomMode::FitWidth);
        break;
    case PXV_ViewPlace::Fit::Page:
        pages->setZoomMode(PageView::ZoomMode::FitPage);
        break;
    case PXV_ViewPlace::Fit::None:
        pages->setZoom(place.zoom);
        break;
    }
    pages->goToPage(place.page);
}

void CPXVControl::rememberPlace(DocumentView* view)
{
    if (!view || !m_placeKeeper || view->document()->srcPath().isEmpty())
        return;
    const PageView* pages = view->pageView();
    PXV_ViewPlace place;
    place.page = pages->currentPage();
    place.zoom = pages->zoom();
    switch (pages->zoomMode()) {
    case PageView::ZoomMode::FitWidth:
        place.fit = PXV_ViewPlace::Fit::Width;
        break;
    case PageView::ZoomMode::FitPage:
        place.fit = PXV_ViewPlace::Fit::Page;
        break;
    case PageView::ZoomMode::Custom:
        place.fit = PXV_ViewPlace::Fit::None;
        break;
    }
    m_placeKeeper->remember(view->document()->srcPath(), place);
}
