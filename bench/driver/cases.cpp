#include "cases.h"
#include "rows.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <stdexcept>
#include <tuple>

ChildResult mustRun(const ChildRun& run)
{
    ChildResult result = runChild(run);
    if (!result.ok())
        throw std::runtime_error(result.error.toStdString());
    return result;
}

Bench::Bench(const Tools& tools, const Documents& docs, const QString& workDir)
    : m_tools(tools), m_docs(docs), m_workDir(workDir)
{
}

QString Bench::describe(const QString& file) const
{
    return QStringLiteral("%1 (%2 p.)").arg(QFileInfo(file).fileName()).arg(m_docs.pages.value(file));
}

QStringList Bench::homeEnvironment(const QString& home)
{
    // A fresh home each run: no history, settings or lock of an earlier run.
    const QString runtime = home + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb"),
                       QStringLiteral("HOME=") + home,
                       QStringLiteral("XDG_CONFIG_HOME=") + home + QStringLiteral("/config"),
                       QStringLiteral("XDG_DATA_HOME=") + home + QStringLiteral("/data"),
                       QStringLiteral("XDG_CACHE_HOME=") + home + QStringLiteral("/cache"),
                       QStringLiteral("XDG_RUNTIME_DIR=") + runtime};
}

double Bench::timeToPaint(const QString& program, const char* mark, const QString& display, bool withoutGl)
{
    QTemporaryDir home(m_workDir + QStringLiteral("/home-XXXXXX"));
    ChildRun run;
    run.command = QStringList{program};
    run.mark = mark;
    run.timeoutMs = 60000;
    run.environment = QStringList{QStringLiteral("DISPLAY=") + display,
                                  QStringLiteral("QT_LOGGING_RULES=vellumpad.perf=true")}
                      + homeEnvironment(home.path());
    if (withoutGl)
        run.environment.append(QStringLiteral("QT_XCB_GL_INTEGRATION=none"));
    return mustRun(run).wallMs;
}

void Bench::startUp(const QString& display)
{
    for (bool withoutGl : {false, true}) {
        // Once each unmeasured: libraries and fonts in the page cache for both.
        timeToPaint(m_tools.app, "home page painted", display, withoutGl);
        timeToPaint(m_tools.window, "window painted", display, withoutGl);
        std::vector<double> ours, floor;
        for (int i = 0; i < kShortRuns; ++i) {
            ours.push_back(timeToPaint(m_tools.app, "home page painted", display, withoutGl));
            floor.push_back(timeToPaint(m_tools.window, "window painted", display, withoutGl));
        }
        m_rows.append(ratioRow(withoutGl ? QStringLiteral("Start-up to home page painted, QT_XCB_GL_INTEGRATION=none")
                                         : QStringLiteral("Start-up to home page painted"),
                               median(ours), median(floor), QStringLiteral("ms"), 1.3));
    }
}

ChildRun Bench::editorRun(const QStringList& arguments) const
{
    ChildRun run;
    run.command = QStringList{m_tools.editor} + arguments;
    run.environment = QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen"), QStringLiteral("QT_FONT_DPI=96")};
    return run;
}

ChildRun Bench::mupdfPageRun(const QString& file, int page, double pixelsPerPoint, int rotation) const
{
    ChildRun run;
    run.command = QStringList{m_tools.mupdf,
                              QStringLiteral("page"),
                              file,
                              QString::number(page),
                              QString::number(pixelsPerPoint, 'f', 6),
                              QString::number(rotation)};
    return run;
}

double Bench::editorPixelsPerPoint(const QString& file)
{
    const double scale = mustRun(editorRun({QStringLiteral("first-page"), file})).value("pixels-per-point");
    if (scale <= 0)
        throw std::runtime_error("the editor did not say at which scale it paints");
    return scale;
}

void Bench::firstPage()
{
    for (const QString& file : m_docs.firstPage) {
        // The unmeasured first run puts the file in the page cache and tells the editor's scale,
        // which every other reader is then asked for.
        const double scale = editorPixelsPerPoint(file);
        const QString dpi = QString::number(scale * 72.0, 'f', 3);
        std::vector<double> ours, openCall, alone, mutool, pdftoppm;
        for (int i = 0; i < kShortRuns; ++i) {
            const ChildResult editor = mustRun(editorRun({QStringLiteral("first-page"), file}));
            ours.push_back(editor.value("first-page-ms"));
            openCall.push_back(editor.value("open-call-ms"));
            ChildRun engine;
            engine.command = QStringList{m_tools.mupdf, QStringLiteral("first-page"), file,
                                         QString::number(scale, 'f', 6)};
            alone.push_back(mustRun(engine).value("first-page-ms"));
            ChildRun draw;
            draw.command = QStringList{QStringLiteral("mutool"),
                                       QStringLiteral("draw"),
                                       QStringLiteral("-q"),
                                       QStringLiteral("-r"),
                                       dpi,
                                       QStringLiteral("-F"),
                                       QStringLiteral("pnm"),
                                       QStringLiteral("-o"),
                                       QStringLiteral("/dev/null"),
                                       file,
                                       QStringLiteral("1")};
            mutool.push_back(mustRun(draw).wallMs);
            ChildRun poppler;
            poppler.command = QStringList{QStringLiteral("pdftoppm"),
                                          QStringLiteral("-f"),
                                          QStringLiteral("1"),
                                          QStringLiteral("-l"),
                                          QStringLiteral("1"),
                                          QStringLiteral("-r"),
                                          dpi,
                                          file};
            poppler.discardOutput = true;
            pdftoppm.push_back(mustRun(poppler).wallMs);
        }
        const QString name = QStringLiteral("First page, ") + describe(file) + QStringLiteral(", vs ");
        const std::tuple<const char*, const std::vector<double>&, double> baselines[] = {
            {"MuPDF alone in-process", alone, 1.2},
            {"mutool draw process", mutool, 1.0},
            {"pdftoppm process", pdftoppm, 1.0}};
        for (const auto& [baseline, times, limit] : baselines)
            m_rows.append(
                ratioRow(name + QLatin1String(baseline), median(ours), median(times), QStringLiteral("ms"), limit));
        m_notes.append(QStringLiteral("first page of %1 at %2 dpi (the editor's fit-width scale in a 1000 x 800 "
                                      "window); the openPath call itself held the GUI thread %3 ms of it")
                           .arg(QFileInfo(file).fileName(), dpi)
                           .arg(median(openCall), 0, 'f', 0));
    }
}

void Bench::scrolling()
{
    const QString file = m_docs.scroll;
    const double scale = editorPixelsPerPoint(file);
    ChildRun engine;
    engine.command = QStringList{m_tools.mupdf, QStringLiteral("every-page"), file, QString::number(scale, 'f', 6)};
    const ChildRun editor = editorRun({QStringLiteral("scroll"), file});
    auto pagesPerSecond = [](const ChildResult& r, const char* pages) { return r.value(pages) / r.value("seconds"); };

    std::vector<double> painted, rendered, stall, oursRss, engineRss;
    for (int i = 0; i < kLongRuns; ++i) {
        const ChildResult ours = mustRun(editor);
        painted.push_back(pagesPerSecond(ours, "painted"));
        stall.push_back(ours.value("longest-stall-ms"));
        oursRss.push_back(mib(ours.peakRssKib));
        const ChildResult alone = mustRun(engine);
        rendered.push_back(pagesPerSecond(alone, "pages"));
        engineRss.push_back(mib(alone.peakRssKib));
    }
    const QString name = QStringLiteral("Scrolling ") + describe(file);
    m_rows.append(ratioRow(name + QStringLiteral(": pages painted per second, vs MuPDF alone on one thread"),
                           median(painted), median(rendered), QStringLiteral("pages/s"), 1.5, Row::Better::Higher));
    m_rows.append(
        absoluteRow(name + QStringLiteral(": longest GUI-thread stall"), median(stall), QStringLiteral("ms"), 50));
    m_rows.append(ratioRow(name + QStringLiteral(": peak RSS, vs MuPDF alone"), median(oursRss), median(engineRss),
                           QStringLiteral("MiB"), 0));
    m_notes.append(QStringLiteral("scrolling %1 page by page at %2 dpi, each step once the page is painted")
                       .arg(QFileInfo(file).fileName())
                       .arg(scale * 72.0, 0, 'f', 1));
}

void Bench::editing()
{
    const QString file = m_docs.manual;
    const ChildRun editor = editorRun({QStringLiteral("edits"), file});
    std::vector<double> ours, first, alone, undo, redo, scales[2];
    ChildResult last;
    for (int i = 0; i < kLongRuns; ++i) {
        last = mustRun(editor);
        ours.push_back(last.value("rotate-ms"));
        first.push_back(last.value("first-rotate-ms"));
        undo.push_back(last.value("undo-ms"));
        redo.push_back(last.value("redo-ms"));
        // The rotations turn the page a quarter and back in turn: the baseline draws it in the
        // same states in the same order, each at the scale the editor painted it at.
        const double scale[2] = {last.value("pixels-per-point"), last.value("rotated-pixels-per-point")};
        std::vector<double> draws;
        for (int step = 0; step < int(last.value("rotations")); ++step) {
            const bool turned = step % 2 == 0;
            const ChildRun engine = mupdfPageRun(file, int(last.value("page")), scale[turned], turned ? 90 : 0);
            draws.push_back(mustRun(engine).value("page-ms"));
        }
        alone.push_back(median(draws));
        scales[0].push_back(scale[0]);
        scales[1].push_back(scale[1]);
    }
    const QString page = countText(last.value("page"));
    const QString steps = countText(last.value("steps"));
    m_rows.append(ratioRow(QStringLiteral("Rotate page %1 of %2 until repainted, vs MuPDF alone drawing that page")
                               .arg(page, describe(file)),
                           median(ours), median(alone), QStringLiteral("ms"), 1.5));
    m_rows.append(absoluteRow(QStringLiteral("Undo, per step, of %1 rotation steps on %2").arg(steps, describe(file)),
                              median(undo), QStringLiteral("ms"), 0));
    m_rows.append(absoluteRow(QStringLiteral("Redo, per step, of those %1 steps").arg(steps), median(redo),
                              QStringLiteral("ms"), 0));
    m_notes.append(QStringLiteral("rotating page %1 of %2 (%3 times, 90 and 270 degrees in turn): painted at %4 dpi "
                                  "upright and %5 dpi turned (fit to width follows the widest page); the first "
                                  "rotation took %6 ms to the repaint, the row is the median of all")
                       .arg(page, QFileInfo(file).fileName(), countText(last.value("rotations")))
                       .arg(median(scales[0]) * 72.0, 0, 'f', 1)
                       .arg(median(scales[1]) * 72.0, 0, 'f', 1)
                       .arg(median(first), 0, 'f', 0));
}

void Bench::editMemory()
{
    const QString file = m_docs.manual;
    const ChildRun editor = editorRun({QStringLiteral("edit-memory"), file});
    std::vector<double> opened, edited, openedImages, editedImages;
    ChildResult last;
    for (int i = 0; i < kLongRuns; ++i) {
        last = mustRun(editor);
        opened.push_back(mib(qint64(last.value("rss-opened-kib"))));
        edited.push_back(mib(qint64(last.value("rss-edited-kib"))));
        openedImages.push_back(mib(qint64(last.value("images-opened-kib"))));
        editedImages.push_back(mib(qint64(last.value("images-edited-kib"))));
    }
    m_rows.append(ratioRow(QStringLiteral("RSS after %1 edits of %2, vs after opening")
                               .arg(countText(last.value("edits")), describe(file)),
                           median(edited), median(opened), QStringLiteral("MiB"), 0));
    m_notes.append(QStringLiteral("%1 rotations of every seventh page of %2: page images took %3 MiB of the RSS "
                                  "after them, %4 MiB after opening")
                       .arg(countText(last.value("edits")), QFileInfo(file).fileName())
                       .arg(median(editedImages), 0, 'f', 1)
                       .arg(median(openedImages), 0, 'f', 1));
}

int Bench::outlineEntries(const QString& file)
{
    ChildRun count;
    count.command = QStringList{m_tools.mupdf, QStringLiteral("outline"), file};
    return int(mustRun(count).value("outline"));
}

void Bench::combine()
{
    const QStringList& sources = m_docs.combine;
    const QString ours = m_workDir + QStringLiteral("/combined-ours.pdf");
    const QString mutool = m_workDir + QStringLiteral("/combined-mutool.pdf");
    const QString qpdf = m_workDir + QStringLiteral("/combined-qpdf.pdf");
    ChildRun editor = editorRun(QStringList{QStringLiteral("combine"), ours} + sources);
    ChildRun merge;
    merge.command = QStringList{QStringLiteral("mutool"), QStringLiteral("merge"), QStringLiteral("-o"), mutool}
                    + sources;
    ChildRun pages;
    pages.command = QStringList{QStringLiteral("qpdf"), QStringLiteral("--warning-exit-0"), QStringLiteral("--empty"),
                                QStringLiteral("--pages")}
                    + sources + QStringList{QStringLiteral("--"), qpdf};

    std::vector<double> oursMs, mergeMs, qpdfMs, oursRss, mergeRss, qpdfRss;
    for (int i = 0; i < kLongRuns; ++i) {
        ChildResult r = mustRun(editor);
        oursMs.push_back(r.wallMs);
        oursRss.push_back(mib(r.peakRssKib));
        r = mustRun(merge);
        mergeMs.push_back(r.wallMs);
        mergeRss.push_back(mib(r.peakRssKib));
        r = mustRun(pages);
        qpdfMs.push_back(r.wallMs);
        qpdfRss.push_back(mib(r.peakRssKib));
    }

    const int expected = m_docs.pagesOf(sources);
    ChildRun count;
    count.command = QStringList{m_tools.mupdf, QStringLiteral("count"), ours};
    if (int(mustRun(count).value("pages")) != expected)
        throw std::runtime_error("the combined file does not have every page");
    int sourceOutline = 0;
    for (const QString& source : sources)
        sourceOutline += outlineEntries(source);

    const QString name = QStringLiteral("Combine %1 files, %2 pages").arg(sources.size()).arg(expected);
    // Only mutool merge, built on the same engine, sets targets; qpdf is there for scale.
    const std::tuple<const char*, const std::vector<double>&, const std::vector<double>&, const char*, double> rows[] =
        {{": time, vs mutool merge", oursMs, mergeMs, "ms", 1.0},
         {": time, vs qpdf --empty --pages", oursMs, qpdfMs, "ms", 0},
         {": peak RSS, vs mutool merge", oursRss, mergeRss, "MiB", 1.0},
         {": peak RSS, vs qpdf", oursRss, qpdfRss, "MiB", 0}};
    for (const auto& [what, values, baseline, unit, limit] : rows)
        m_rows.append(
            ratioRow(name + QLatin1String(what), median(values), median(baseline), QLatin1String(unit), limit));
    m_rows.append(ratioRow(name + QStringLiteral(": outline entries kept, vs the sources"), outlineEntries(ours),
                           sourceOutline, QString(), 1.0, Row::Better::Higher));
    m_rows.append(ratioRow(name + QStringLiteral(": outline entries kept by mutool merge, vs the sources"),
                           outlineEntries(mutool), sourceOutline, QString(), 0));
    m_rows.append(ratioRow(name + QStringLiteral(": output size, vs mutool merge"), mib(QFileInfo(ours).size() / 1024),
                           mib(QFileInfo(mutool).size() / 1024), QStringLiteral("MiB"), 1.0));
    QStringList names;
    for (const QString& source : sources)
        names.append(QFileInfo(source).fileName());
    m_notes.append(QStringLiteral("combined: ") + names.join(QStringLiteral(", ")));
}

void Bench::history()
{
    ChildRun run;
    run.command = QStringList{m_tools.history};
    const char* const operations[] = {"exists", "touch", "add", "recent"};
    std::vector<double> times[4];
    for (int i = 0; i < kLongRuns; ++i) {
        const ChildResult r = mustRun(run);
        for (int op = 0; op < 4; ++op)
            times[op].push_back(r.value((QByteArray(operations[op]) + "-us").constData()));
    }
    for (int op = 0; op < 4; ++op)
        m_rows.append(
            absoluteRow(QStringLiteral("History store at 100,000 rows: %1").arg(QLatin1String(operations[op])),
                        median(times[op]), QStringLiteral("us"), 1000));
}
