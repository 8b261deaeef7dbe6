#include "panelayout.h"

namespace pxv {

void PaneArea::setSizeLimits(int maxWidth, int minWidth, int maxHeight, int minHeight)
{
    if (maxWidth < 0 || minWidth < 0 || maxHeight < 0 || minHeight < 0 || (maxWidth > 0 && minWidth > maxWidth)
        || (maxHeight > 0 && minHeight > maxHeight)) {
        throw PXV_Error(
            PXV_Error::InvalidArgument,
            QStringLiteral("Pane size limits must not be negative, and a minimum must not exceed its maximum."));
    }
    m_limits = {maxWidth, minWidth, maxHeight, minHeight};
    if (m_onChange)
        m_onChange();
}

Layout::Layout(bool withFullScreen)
{
    if (withFullScreen)
        m_fullScreen = std::make_unique<Layout>(false);
}

IPXV_Layout* Layout::fullScreen()
{
    // The full-screen layout leads nowhere further.
    return m_fullScreen ? m_fullScreen.get() : this;
}

} // namespace pxv
