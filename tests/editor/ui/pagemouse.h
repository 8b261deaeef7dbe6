#pragma once

// The mouse on a document's first page, as the page view receives it, at points of the page.

#include "core/document.h"
#include "ui/pageview.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace pagemouse {

// Where a point of page 1 (in points) is in the view.
inline QPoint at(const pxv::PageView* pages, const pxv::Document* model, const QPointF& point)
{
    const QRectF page = pages->pageRect(0);
    return (page.topLeft() + point * (page.width() / model->pageSize(0).width())).toPoint();
}

// Press, moves with the button held, release: the drag as the view receives it.
inline void drag(pxv::PageView* pages, const pxv::Document* model, const QPointF& from, const QPointF& to,
                 int moves = 3)
{
    const auto send = [pages](QEvent::Type type, const QPoint& pos, Qt::MouseButtons held) {
        QMouseEvent event(type, pos, pages->viewport()->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
        QCoreApplication::sendEvent(pages->viewport(), &event);
    };
    send(QEvent::MouseButtonPress, at(pages, model, from), Qt::LeftButton);
    for (int i = 1; i <= moves; ++i)
        send(QEvent::MouseMove, at(pages, model, from + (to - from) * i / moves), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at(pages, model, to), Qt::NoButton);
}

} // namespace pagemouse
