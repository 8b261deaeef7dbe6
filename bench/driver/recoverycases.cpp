// The recovery record written after one edit of the R manual: the GUI thread's share, the store
// thread's, and the longest the GUI thread went without serving its events meanwhile.

#include "cases.h"
#include "rows.h"

void Bench::recovery()
{
    const QString file = m_docs.manual;
    const std::pair<QString, QStringList> kinds[] = {
        {QStringLiteral("Recovery record after rotating a page of %1").arg(describe(file)), {}},
        {QStringLiteral("Recovery record of the same pages in a document without a file (kept whole)"),
         {QStringLiteral("whole")}},
    };
    for (const auto& [name, extra] : kinds) {
        const ChildRun editor = editorRun(QStringList{QStringLiteral("recovery"), file} + extra);
        std::vector<double> gui, offGui, stall, idle, bytes;
        for (int i = 0; i < kLongRuns; ++i) {
            const ChildResult result = mustRun(editor);
            gui.push_back(result.value("gui-ms"));
            offGui.push_back(result.value("off-gui-ms"));
            stall.push_back(result.value("longest-stall-ms"));
            idle.push_back(result.value("idle-stall-ms"));
            bytes.push_back(result.value("bytes"));
        }
        // Beside it, the longest stall of the same GUI thread doing nothing for a second: what
        // the machine itself costs.
        Row stallRow = absoluteRow(name + QStringLiteral(": longest GUI-thread stall, vs idle"), median(stall),
                                   QStringLiteral("ms"), 5);
        stallRow.baseline = median(idle);
        m_rows.append(stallRow);
        m_rows.append(
            absoluteRow(name + QStringLiteral(": made on the GUI thread"), median(gui), QStringLiteral("ms"), 0));
        m_rows.append(absoluteRow(name + QStringLiteral(": written off the GUI thread"), median(offGui),
                                  QStringLiteral("ms"), 0));
        m_rows.append(
            absoluteRow(name + QStringLiteral(": record size"), median(bytes) / 1024, QStringLiteral("KiB"), 0));
    }
}
