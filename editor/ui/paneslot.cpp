#include "paneslot.h"

#include <QVBoxLayout>

namespace pxv {

PaneSlot::PaneSlot(Maker make, QWidget* parent) : QWidget(parent), m_make(std::move(make))
{
    hide();
}

QWidget* PaneSlot::pane()
{
    if (m_pane)
        return m_pane;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_pane = m_make(this, layout);
    setFocusProxy(m_pane);
    emit made(m_pane);
    return m_pane;
}

} // namespace pxv
