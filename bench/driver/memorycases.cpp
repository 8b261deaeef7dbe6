// Long documents scrolled end to end: the process's memory at its peak and once the renderer is
// idle, and what handing freed memory back costs the GUI thread meanwhile.

#include "cases.h"
#include "rows.h"

void Bench::memory()
{
    // 150 MB for any document scrolled end to end, rounded down to a whole MiB.
    constexpr double kPeakLimitMib = 143;
    for (const QString& file : {m_docs.manual, m_docs.vector}) {
        const ChildRun editor = editorRun({QStringLiteral("scroll"), file});
        std::vector<double> peak, after, stall;
        for (int i = 0; i < kLongRuns; ++i) {
            const ChildResult ours = mustRun(editor);
            peak.push_back(mib(ours.peakRssKib));
            after.push_back(mib(qint64(ours.value("rss-after-kib"))));
            stall.push_back(ours.value("longest-stall-ms"));
        }
        const QString name = QStringLiteral("Memory, ") + describe(file) + QStringLiteral(" scrolled end to end");
        m_rows.append(
            absoluteRow(name + QStringLiteral(": peak RSS"), median(peak), QStringLiteral("MiB"), kPeakLimitMib));
        m_rows.append(
            absoluteRow(name + QStringLiteral(": RSS after"), median(after), QStringLiteral("MiB"), kPeakLimitMib));
        m_rows.append(
            absoluteRow(name + QStringLiteral(": longest GUI-thread stall"), median(stall), QStringLiteral("ms"), 50));
    }
}
