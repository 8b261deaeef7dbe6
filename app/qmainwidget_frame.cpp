// The frameless window's own move and resize, driven by the mouse events of the watched frames.
#include "qmainwidget.h"

#include "framegeometry.h"
#include "qtcompat.h"

#include <QMouseEvent>

bool QMainWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui.frameUser)
        accountAreaEvent(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const QPoint globalPos = qtcompat::globalPos(static_cast<QMouseEvent*>(event));
        QRect editorRect = ui.axWidget->geometry();
        editorRect.setWidth(editorRect.width() - 3);
        editorRect.setHeight(editorRect.height() - 53);
        if (!editorRect.contains(ui.axWidget->mapFromGlobal(globalPos))) {
            m_dragPos = globalPos;
            m_bPressed = true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::WindowDeactivate:
        m_bPressed = false;
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == ui.frameTitle)
            onBtnMax();
        break;
    case QEvent::MouseMove: {
        const QPoint globalPos = qtcompat::globalPos(static_cast<QMouseEvent*>(event));
        hitTest(globalPos);
        dragStep(globalPos);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void QMainWidget::hitTest(const QPoint& globalPos)
{
    if (m_bPressed)
        return;
    m_region = hitTestRegion(globalPos, geometry());
    setCursor(cursorForRegion(m_region));
}

void QMainWidget::dragStep(const QPoint& globalPos)
{
    if (!m_bPressed)
        return;
    if (m_region == RegionNone && !ui.frameTitle->geometry().contains(ui.frameTitle->mapFromGlobal(m_dragPos)))
        return;
    const QPoint delta = globalPos - m_dragPos;
    m_dragPos = globalPos;
    const FrameStep step = frameDragStep(m_region, delta, pos(), size(), minimumSize());
    if (step.size)
        resize(*step.size);
    if (step.pos)
        move(*step.pos);
}
