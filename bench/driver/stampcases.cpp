// Document tools on the R manual: a text watermark on every page, saved.

#include "cases.h"
#include "rows.h"

#include <QFileInfo>

void Bench::watermarking()
{
    const QString file = m_docs.manual;
    const int count = m_docs.pages.value(file);
    const QString every = m_workDir + QStringLiteral("/watermark-all.pdf");
    const QString one = m_workDir + QStringLiteral("/watermark-one.pdf");
    const ChildRun all = editorRun({QStringLiteral("watermark"), file, QStringLiteral("all"), every});
    std::vector<double> times, stampMs, saveMs;
    for (int i = 0; i < kLongRuns; ++i) {
        const ChildResult result = mustRun(all);
        times.push_back(result.wallMs);
        stampMs.push_back(result.value("watermark-ms"));
        saveMs.push_back(result.value("save-ms"));
    }
    mustRun(editorRun({QStringLiteral("watermark"), file, QStringLiteral("1"), one}));

    // What stamping shares (the font, the group) is written once: the whole file grows by far
    // less than one page's growth times the pages.
    const double source = QFileInfo(file).size() / 1024.0;
    const double growthAll = QFileInfo(every).size() / 1024.0 - source;
    const double growthOne = QFileInfo(one).size() / 1024.0 - source;
    const QString name = QStringLiteral("Watermark every page of %1 and save").arg(describe(file));
    m_rows.append(absoluteRow(name + QStringLiteral(": time"), median(times), QStringLiteral("ms"), 0));
    m_rows.append(ratioRow(name + QStringLiteral(": output growth, vs one page's growth × %1").arg(countText(count)),
                           growthAll, growthOne * count, QStringLiteral("KiB"), 1.0));
    m_notes.append(QStringLiteral("watermarking %1: the process opens, stamps and saves; of its time the stamping "
                                  "(one step) took %2 ms and the save %3 ms; one page's watermark adds %4 KiB, every "
                                  "page's %5 KiB")
                       .arg(QFileInfo(file).fileName())
                       .arg(median(stampMs), 0, 'f', 0)
                       .arg(median(saveMs), 0, 'f', 0)
                       .arg(growthOne, 0, 'f', 1)
                       .arg(growthAll, 0, 'f', 0));
}
