#pragma once

#include "ui/layer.h"

#include <QWidget>

#include <functional>

class QVBoxLayout;

namespace pxv {

// A side pane's place beside the pages, holding the pane once it is first needed: most documents
// are read without most panes, and every open would pay for making them all.
class PaneSlot : public QWidget
{
    Q_OBJECT
public:
    // make puts the pane, and whatever goes with it, into the slot's layout and returns it.
    using Maker = std::function<QWidget*(PaneSlot* slot, QVBoxLayout* layout)>;
    PaneSlot(Maker make, QWidget* parent);

    // Makes the pane on the first call.
    QWidget* pane();

signals:
    void made(QWidget* pane);

private:
    Maker m_make;
    QWidget* m_pane = nullptr;
};

} // namespace pxv
