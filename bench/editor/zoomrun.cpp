// Zooming in step after step on the first page: the GUI thread's stalls and memory while pages
// grow past what is drawn whole and are drawn in tiles.

#include "editorrun.h"

#include "benchwait.h"
#include "memstats.h"
#include "core/pagerenderer.h"
#include "ui/pageview.h"

#include <QCoreApplication>
#include <QElapsedTimer>

EditorRun::Zoom EditorRun::zoomIn(int steps)
{
    Zoom result;
    if (!m_view)
        return result;
    const pxv::PageRenderer* renderer = m_view->renderer();
    StallWatch stalls;
    QElapsedTimer clock;
    clock.start();
    for (; result.steps < steps; ++result.steps) {
        m_view->zoomIn();
        if (!waitFor([renderer] { return renderer->pendingCount() == 0; }, 60000)) {
            m_error = QStringLiteral("zoom step %1 was not drawn within 60 s").arg(result.steps + 1);
            return result;
        }
        QCoreApplication::processEvents(); // the paint of what arrived last
    }
    result.seconds = clock.nsecsElapsed() / 1e9;
    result.longestStallMs = stalls.longestMs();
    result.pixelsPerPoint = m_view->zoom() * m_view->logicalDpiX() / 72.0 * m_view->viewport()->devicePixelRatioF();
    result.rssAfterKib = procStatusKib("VmRSS");
    return result;
}
