// Page work on the R manual against the tools people use for it: deleting every other page and
// saving, extracting one page, and the thumbnails pane scrolled end to end.

#include "cases.h"
#include "rows.h"

#include <QFileInfo>

#include <stdexcept>
#include <tuple>

namespace {

// The odd pages of a document of count pages as mutool takes them: "1,3,5,…".
QString oddPages(int count)
{
    QStringList pages;
    for (int page = 1; page <= count; page += 2)
        pages.append(QString::number(page));
    return pages.join(QLatin1Char(','));
}

QStringList mutoolMerge(const QString& output, const QString& file, const QString& pages)
{
    return {QStringLiteral("mutool"), QStringLiteral("merge"), QStringLiteral("-o"), output, file, pages};
}

} // namespace

void Bench::pageWork()
{
    const QString file = m_docs.manual;
    const int count = m_docs.pages.value(file);
    const QString ours = m_workDir + QStringLiteral("/odd-ours.pdf");
    const QString qpdf = m_workDir + QStringLiteral("/odd-qpdf.pdf");
    const QString mutool = m_workDir + QStringLiteral("/odd-mutool.pdf");
    const ChildRun editor = editorRun({QStringLiteral("delete-save"), file, ours});
    ChildRun pages;
    // The document with its outline and the rest kept, as the editor keeps them.
    pages.command = QStringList{QStringLiteral("qpdf"),
                                QStringLiteral("--warning-exit-0"),
                                file,
                                QStringLiteral("--pages"),
                                QStringLiteral("."),
                                QStringLiteral("1-z:odd"),
                                QStringLiteral("--"),
                                qpdf};
    ChildRun merge;
    merge.command = mutoolMerge(mutool, file, oddPages(count));

    std::vector<double> times[3], rss[3], deleteMs, saveMs;
    for (int i = 0; i < kLongRuns; ++i) {
        const ChildResult result = mustRun(editor);
        deleteMs.push_back(result.value("delete-ms"));
        saveMs.push_back(result.value("save-ms"));
        const ChildResult results[3] = {result, mustRun(pages), mustRun(merge)};
        for (int tool = 0; tool < 3; ++tool) {
            times[tool].push_back(results[tool].wallMs);
            rss[tool].push_back(mib(results[tool].peakRssKib));
        }
    }
    ChildRun check;
    check.command = QStringList{m_tools.mupdf, QStringLiteral("count"), ours};
    if (int(mustRun(check).value("pages")) != (count + 1) / 2)
        throw std::runtime_error("deleting every other page left the wrong number of pages");

    const QString name = QStringLiteral("Delete every other page of %1 and save").arg(describe(file));
    const double sizes[3] = {mib(QFileInfo(ours).size() / 1024), mib(QFileInfo(qpdf).size() / 1024),
                             mib(QFileInfo(mutool).size() / 1024)};
    const std::tuple<const char*, int> peers[] = {{"qpdf --pages", 1}, {"mutool merge", 2}};
    for (const auto& [peer, tool] : peers) {
        const QString vs = QStringLiteral(", vs ") + QLatin1String(peer);
        m_rows.append(ratioRow(name + QStringLiteral(": time") + vs, median(times[0]), median(times[tool]),
                               QStringLiteral("ms"), 0));
        m_rows.append(ratioRow(name + QStringLiteral(": peak RSS") + vs, median(rss[0]), median(rss[tool]),
                               QStringLiteral("MiB"), 0));
        m_rows.append(
            ratioRow(name + QStringLiteral(": output size") + vs, sizes[0], sizes[tool], QStringLiteral("MiB"), 0));
    }
    m_notes.append(QStringLiteral("every other page of %1: the process opens, deletes and saves; of its time the "
                                  "deletion (one step) took %2 ms and the save %3 ms")
                       .arg(QFileInfo(file).fileName())
                       .arg(median(deleteMs), 0, 'f', 0)
                       .arg(median(saveMs), 0, 'f', 0));
}

void Bench::extractOne()
{
    const QString file = m_docs.manual;
    const QString page = QStringLiteral("1000");
    const QString outputs[3] = {m_workDir + QStringLiteral("/page-ours.pdf"),
                                m_workDir + QStringLiteral("/page-qpdf.pdf"),
                                m_workDir + QStringLiteral("/page-mutool.pdf")};
    mustRun(editorRun({QStringLiteral("extract"), file, page, outputs[0]}));
    ChildRun pages;
    pages.command = QStringList{QStringLiteral("qpdf"),
                                QStringLiteral("--warning-exit-0"),
                                QStringLiteral("--empty"),
                                QStringLiteral("--pages"),
                                file,
                                page,
                                QStringLiteral("--"),
                                outputs[1]};
    mustRun(pages);
    ChildRun merge;
    merge.command = mutoolMerge(outputs[2], file, page);
    mustRun(merge);
    const QString name = QStringLiteral("Extract page 1,000 of %1: output size").arg(describe(file));
    const double kib[3] = {QFileInfo(outputs[0]).size() / 1024.0, QFileInfo(outputs[1]).size() / 1024.0,
                           QFileInfo(outputs[2]).size() / 1024.0};
    m_rows.append(ratioRow(name + QStringLiteral(", vs qpdf --pages"), kib[0], kib[1], QStringLiteral("KiB"), 1.0));
    m_rows.append(ratioRow(name + QStringLiteral(", vs mutool merge"), kib[0], kib[2], QStringLiteral("KiB"), 0));
}

void Bench::thumbnails()
{
    const QString file = m_docs.manual;
    const ChildRun editor = editorRun({QStringLiteral("thumbnails"), file});
    std::vector<double> peak, stall, seconds;
    ChildResult last;
    for (int i = 0; i < kLongRuns; ++i) {
        last = mustRun(editor);
        peak.push_back(mib(last.peakRssKib));
        stall.push_back(last.value("longest-stall-ms"));
        seconds.push_back(last.value("seconds"));
    }
    const QString name = QStringLiteral("Thumbnails pane of %1 scrolled end to end").arg(describe(file));
    m_rows.append(absoluteRow(name + QStringLiteral(": peak RSS"), median(peak), QStringLiteral("MiB"), 300));
    m_rows.append(
        absoluteRow(name + QStringLiteral(": longest GUI-thread stall"), median(stall), QStringLiteral("ms"), 50));
    m_notes.append(QStringLiteral("thumbnails of %1: %2 screenfuls, each once its thumbnails were drawn, in %3 s")
                       .arg(QFileInfo(file).fileName(), countText(last.value("steps")))
                       .arg(median(seconds), 0, 'f', 1));
}
