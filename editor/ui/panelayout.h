#pragma once

#include "ui/layer.h"

#include "ipxv.h"

#include <functional>

namespace pxv {

// Size limits of a view's side panes, in pixels. A maximum of 0 means no maximum.
struct PaneLimits
{
    int maxWidth = 0;
    int minWidth = 0;
    int maxHeight = 0;
    int minHeight = 0;
};

class PaneArea : public IPXV_PaneArea
{
public:
    void setSizeLimits(int maxWidth, int minWidth, int maxHeight, int minHeight) override;
    const PaneLimits& limits() const { return m_limits; }
    void setChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }

private:
    PaneLimits m_limits;
    std::function<void()> m_onChange;
};

class View : public IPXV_View
{
public:
    IPXV_PaneArea* paneArea() override { return &m_paneArea; }
    PaneArea& panes() { return m_paneArea; }

private:
    PaneArea m_paneArea;
};

class Frame : public IPXV_Frame
{
public:
    IPXV_View* view() override { return &m_view; }
    View& documentView() { return m_view; }

private:
    View m_view;
};

// The normal layout, whose pane limits apply to the side panes of every document view, and the
// full-screen layout, which keeps its own limits for when full-screen viewing comes.
class Layout : public IPXV_Layout
{
public:
    explicit Layout(bool withFullScreen = true);

    IPXV_Frame* frame() override { return &m_frame; }
    IPXV_Layout* fullScreen() override;
    PaneArea& paneArea() { return m_frame.documentView().panes(); }

private:
    Frame m_frame;
    std::unique_ptr<Layout> m_fullScreen;
};

} // namespace pxv
