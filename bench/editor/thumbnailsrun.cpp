// The thumbnails pane scrolled end to end: what it costs the GUI thread and memory.

#include "editorrun.h"

#include "benchwait.h"
#include "qcontrolhost.h"
#include "core/pagerenderer.h"
#include "ui/thumbnailmodel.h"
#include "ui/thumbnailpane.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScrollBar>

EditorRun::Thumbnails EditorRun::scrollThumbnails()
{
    Thumbnails result;
    if (!m_error.isEmpty())
        return result;
    // What opening does after the first paint is not the pane's to answer for.
    if (!waitUntilSettled())
        return result;
    m_host->queryInterface()->inst()->runCommand(QStringLiteral("cmd.showThumbnails"), 0);
    auto* pane = m_host->findChild<pxv::ThumbnailPane*>();
    if (!pane || !pane->isVisible()) {
        m_error = QStringLiteral("the thumbnails pane did not show");
        return result;
    }
    const pxv::PageRenderer* renderer = pane->thumbnails()->renderer();
    auto drawn = [renderer] { return renderer->pendingCount() == 0; };
    QScrollBar* bar = pane->verticalScrollBar();
    StallWatch stalls;
    QElapsedTimer clock;
    clock.start();
    for (bool atEnd = false; !atEnd; ++result.steps) {
        // The pane asks for what came into view on its next turn of the event loop.
        QCoreApplication::processEvents();
        if (!waitFor(drawn, 30000)) {
            m_error = QStringLiteral("the thumbnails at %1 were not drawn within 30 s").arg(bar->value());
            return result;
        }
        atEnd = bar->value() >= bar->maximum();
        bar->setValue(bar->value() + bar->pageStep());
    }
    result.seconds = clock.nsecsElapsed() / 1e9;
    result.longestStallMs = stalls.longestMs();
    result.rows = pane->model()->rowCount();
    return result;
}
