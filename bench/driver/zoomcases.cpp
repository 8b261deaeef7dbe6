// Zooming far in on the R manual: memory and the GUI thread's stalls while pages grow past what
// is drawn whole and are drawn in tiles of what is seen.

#include "cases.h"
#include "rows.h"

#include <QFileInfo>

void Bench::zooming()
{
    const QString file = m_docs.manual;
    const ChildRun editor = editorRun({QStringLiteral("zoom"), file});
    std::vector<double> peak, after, stall, seconds;
    ChildResult last;
    for (int i = 0; i < kLongRuns; ++i) {
        last = mustRun(editor);
        peak.push_back(mib(last.peakRssKib));
        after.push_back(mib(qint64(last.value("rss-after-kib"))));
        stall.push_back(last.value("longest-stall-ms"));
        seconds.push_back(last.value("seconds"));
    }
    const QString name = QStringLiteral("50 zoom-in steps on ") + describe(file);
    m_rows.append(absoluteRow(name + QStringLiteral(": peak RSS"), median(peak), QStringLiteral("MiB"), 300));
    m_rows.append(absoluteRow(name + QStringLiteral(": RSS after"), median(after), QStringLiteral("MiB"), 300));
    m_rows.append(
        absoluteRow(name + QStringLiteral(": longest GUI-thread stall"), median(stall), QStringLiteral("ms"), 50));
    m_notes.append(QStringLiteral("50 zoom-in steps on the first page of %1, each once drawn, ending at %2 dpi: %3 s")
                       .arg(QFileInfo(file).fileName())
                       .arg(last.value("pixels-per-point") * 72.0, 0, 'f', 0)
                       .arg(median(seconds), 0, 'f', 1));
}
