#include "panerefresh.h"

#include "core/document.h"

#include <QWidget>

namespace pxv {

void refreshWhileShown(QWidget* pane, Document* document, const std::function<void()>& refresh)
{
    const auto ifShown = [pane, refresh] {
        if (pane->isVisible())
            refresh();
    };
    QObject::connect(document, &Document::pagesChanged, pane, ifShown);
    QObject::connect(document, &Document::sourceChanged, pane, ifShown);
}

} // namespace pxv
