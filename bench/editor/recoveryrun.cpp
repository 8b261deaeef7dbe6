// The recovery record written after one edit: what it costs the GUI thread, and how long its
// writing takes on the store's own thread.

#include "editorrun.h"

#include "benchwait.h"
#include "pxveditor.h"
#include "qcontrolhost.h"
#include "core/pagerenderer.h"
#include "ui/cpxvcontrol.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/pageview.h"

#include <QDir>
#include <QLoggingCategory>

#include <atomic>
#include <cstring>

namespace {

// The keeper's timing line, "recovery record written GUI-MS TOTAL-MS", read off the editor's
// perf log; it comes from the store's thread.
std::atomic<double> s_guiMs{-1};
std::atomic<double> s_totalMs{-1};
QtMessageHandler s_otherLines = nullptr;

void readPerfLine(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QString mark = QStringLiteral("recovery record written ");
    if (context.category && std::strcmp(context.category, "vellumpad.perf") == 0 && message.startsWith(mark)) {
        const QStringList values = message.mid(mark.size()).split(QLatin1Char(' '));
        s_guiMs = values.value(0).toDouble();
        s_totalMs = values.value(1).toDouble();
    } else if (s_otherLines) {
        s_otherLines(type, context, message);
    }
}

} // namespace

EditorRun::RecoveryWrite EditorRun::writeRecoveryRecord(const QString& folder, bool withoutFile)
{
    RecoveryWrite result;
    if (!m_view || !m_error.isEmpty() || !waitUntilSettled())
        return result;
    setPXVRecoveryFolder(folder, [this](const QString& message) { m_error = message; });
    QLoggingCategory::setFilterRules(QStringLiteral("vellumpad.perf.info=true"));
    s_otherLines = qInstallMessageHandler(readPerfLine);
    if (withoutFile) {
        // The same pages as a new document that has no file: combined from the open one.
        auto* control = dynamic_cast<CPXVControl*>(m_host->queryInterface());
        const std::shared_ptr<IPXV_Operation> combine = control->inst()->createOperation(
            control->inst()->nameToId(QStringLiteral("op.combineDocs"), true));
        combine->params()->child(QStringLiteral("Input"))->setValue(QStringList{model()->filePath()});
        try {
            control->inst()->runOperation(combine.get(), 0);
            control->showDocument(
                std::dynamic_pointer_cast<IPXV_Document>(combine->params()->child(QStringLiteral("Output"))->object()));
        } catch (const PXV_Error& e) {
            m_error = e.message();
            return result;
        }
        m_view = control->activeView()->pageView();
        // A new document counts as unsaved from the start, so it has a record before any edit.
        if (!waitFor([this] { return m_view->renderer()->pendingCount() == 0 && s_totalMs >= 0; }, 120000)) {
            m_error = QStringLiteral("the combined document was not shown and kept within 120 s");
            return result;
        }
        s_totalMs = -1;
    }
    // What the GUI thread's stalls are on this machine with nothing to do, for as long as the
    // record is in coming.
    {
        StallWatch idle;
        waitFor([] { return false; }, 1000);
        result.idleStallMs = idle.longestMs();
    }
    // The record is due a second after the edit; the edit's own work is over before then.
    if (!rotate(0, 90) || !waitForIdleRenderer())
        return result;
    if (s_totalMs >= 0) {
        m_error = QStringLiteral("the record was written before the edit was shown");
        return result;
    }
    StallWatch stalls;
    if (!waitFor([] { return s_totalMs >= 0; }, 120000))
        m_error = QStringLiteral("no recovery record was written within 120 s");
    result.longestStallMs = stalls.longestMs();
    qInstallMessageHandler(s_otherLines);
    result.guiMs = s_guiMs;
    result.offGuiMs = s_totalMs - s_guiMs;
    for (const QFileInfo& record : QDir(folder).entryInfoList(QDir::Files))
        result.bytes += record.size();
    return result;
}
