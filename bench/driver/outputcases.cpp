// Writing documents out against the tools people use for it: pages to PNG files against
// mutool draw, and compressing against Ghostscript's pdfwrite and qpdf.

#include "cases.h"
#include "rows.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace {

constexpr int kExportPages = 100;
constexpr int kExportDpi = 150;

// The raster images a PDF holds, as poppler lists them (two header lines, then one a line).
int imagesIn(const QString& file)
{
    ChildRun list;
    list.command = QStringList{QStringLiteral("pdfimages"), QStringLiteral("-list"), file};
    const QStringList lines = QString::fromLocal8Bit(mustRun(list).output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return std::max(0, int(lines.size()) - 2);
}

// A fresh, empty folder under work.
QString freshFolder(const QString& work, const QString& name)
{
    QDir folder(work + QLatin1Char('/') + name);
    folder.removeRecursively();
    if (!folder.mkpath(QStringLiteral(".")))
        throw std::runtime_error("cannot make a folder for the exported pages");
    return folder.path();
}

} // namespace

void Bench::exportImages()
{
    const QString file = m_docs.manual;
    const QString pages = QStringLiteral("1-%1").arg(kExportPages);
    const QString dpi = QString::number(kExportDpi);
    std::vector<double> ours, mutool;
    for (int i = 0; i < kLongRuns; ++i) {
        const QString folder = freshFolder(m_workDir, QStringLiteral("export-ours"));
        const ChildResult result = mustRun(editorRun({QStringLiteral("export"), file, pages, dpi, folder}));
        if (int(result.value("files")) != kExportPages)
            throw std::runtime_error("exporting pages left the wrong number of files");
        ours.push_back(result.wallMs);
        ChildRun draw;
        draw.command = QStringList{QStringLiteral("mutool"),
                                   QStringLiteral("draw"),
                                   QStringLiteral("-q"),
                                   QStringLiteral("-r"),
                                   dpi,
                                   QStringLiteral("-o"),
                                   freshFolder(m_workDir, QStringLiteral("export-mutool"))
                                       + QStringLiteral("/page-%d.png"),
                                   file,
                                   pages};
        mutool.push_back(mustRun(draw).wallMs);
    }
    m_rows.append(ratioRow(QStringLiteral("Export %1 pages of %2 to PNG at %3 dpi: time, vs mutool draw")
                               .arg(kExportPages)
                               .arg(describe(file), dpi),
                           median(ours), median(mutool), QStringLiteral("ms"), 1.0));
    m_notes.append(QStringLiteral("exporting pages: the process opens the document, shows its first page and "
                                  "writes the files; mutool draw is one process too"));
}

void Bench::compress()
{
    // The largest documentation PDF that holds raster images.
    QString file;
    for (auto it = m_docs.pages.cbegin(); it != m_docs.pages.cend(); ++it) {
        if ((file.isEmpty() || QFileInfo(it.key()).size() > QFileInfo(file).size()) && imagesIn(it.key()) > 0)
            file = it.key();
    }
    if (file.isEmpty())
        throw std::runtime_error("no documentation PDF holds images");
    const QString outputs[4] = {
        m_workDir + QStringLiteral("/lossy-ours.pdf"), m_workDir + QStringLiteral("/lossless-ours.pdf"),
        m_workDir + QStringLiteral("/ebook-gs.pdf"), m_workDir + QStringLiteral("/packed-qpdf.pdf")};
    ChildRun runs[4] = {editorRun({QStringLiteral("compress"), file, QStringLiteral("lossy"), outputs[0]}),
                        editorRun({QStringLiteral("compress"), file, QStringLiteral("lossless"), outputs[1]})};
    runs[2].command = QStringList{QStringLiteral("gs"),
                                  QStringLiteral("-q"),
                                  QStringLiteral("-dNOPAUSE"),
                                  QStringLiteral("-dBATCH"),
                                  QStringLiteral("-dSAFER"),
                                  QStringLiteral("-sDEVICE=pdfwrite"),
                                  QStringLiteral("-dPDFSETTINGS=/ebook"),
                                  QStringLiteral("-sOutputFile=") + outputs[2],
                                  file};
    runs[3].command = QStringList{QStringLiteral("qpdf"),
                                  QStringLiteral("--warning-exit-0"),
                                  QStringLiteral("--object-streams=generate"),
                                  QStringLiteral("--recompress-flate"),
                                  file,
                                  outputs[3]};
    std::vector<double> times[4];
    for (int i = 0; i < kLongRuns; ++i) {
        for (int tool = 0; tool < 4; ++tool)
            times[tool].push_back(mustRun(runs[tool]).wallMs);
    }
    double sizes[4];
    for (int tool = 0; tool < 4; ++tool)
        sizes[tool] = QFileInfo(outputs[tool]).size() / 1024.0;
    const QString name = QStringLiteral("Compress %1").arg(describe(file));
    const struct
    {
        const char* what;
        int ours;
        const char* peer;
        int tool;
        double sizeLimit; // 0: no target
    } pairs[] = {{"lossy", 0, "gs -dPDFSETTINGS=/ebook", 2, 1.0},
                 {"lossless", 1, "gs -dPDFSETTINGS=/ebook", 2, 0},
                 {"lossless", 1, "qpdf --object-streams=generate --recompress-flate", 3, 1.0}};
    for (const auto& pair : pairs) {
        const QString row = name + QStringLiteral(", %1: %2, vs ").arg(QLatin1String(pair.what));
        m_rows.append(ratioRow(row.arg(QStringLiteral("output size")) + QLatin1String(pair.peer), sizes[pair.ours],
                               sizes[pair.tool], QStringLiteral("KiB"), pair.sizeLimit));
        m_rows.append(ratioRow(row.arg(QStringLiteral("time")) + QLatin1String(pair.peer), median(times[pair.ours]),
                               median(times[pair.tool]), QStringLiteral("ms"), 0));
    }
    m_notes.append(QStringLiteral("compressing %1 (%2 KiB, %3 raster images): lossy at 150 dpi and quality 75, "
                                  "as /ebook aims at 150 dpi; each run is a whole process")
                       .arg(QFileInfo(file).fileName())
                       .arg(QFileInfo(file).size() / 1024)
                       .arg(imagesIn(file)));
}
