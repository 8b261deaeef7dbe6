// Forms: a field filled on page 500 of a 1,000-page form until the page is repainted, against
// MuPDF alone drawing that page with one frame of a 60 Hz screen to spare.

#include "cases.h"
#include "rows.h"

namespace {

constexpr int kFormPages = 1000;
constexpr int kFilledPage = 500; // from 1
constexpr double kFrameMs = 1000.0 / 60;

} // namespace

void Bench::forms()
{
    const QString file = m_workDir + QStringLiteral("/form.pdf");
    mustRun(editorRun({QStringLiteral("form"), QString::number(kFormPages), file}));
    const ChildRun editor = editorRun({QStringLiteral("fill"), file, QString::number(kFilledPage)});
    std::vector<double> ours, call, alone;
    ChildResult last;
    for (int i = 0; i < kLongRuns; ++i) {
        last = mustRun(editor);
        ours.push_back(last.value("fill-ms"));
        call.push_back(last.value("call-ms"));
        // At the scale the editor painted.
        const ChildRun engine = mupdfPageRun(file, kFilledPage, last.value("pixels-per-point"));
        alone.push_back(mustRun(engine).value("page-ms") + kFrameMs);
    }
    m_rows.append(ratioRow(QStringLiteral("Fill a text field on page %1 of a %2-page form until repainted, vs MuPDF "
                                          "alone drawing that page plus one 60 Hz frame")
                               .arg(countText(kFilledPage), countText(kFormPages)),
                           median(ours), median(alone), QStringLiteral("ms"), 1.0));
    m_notes << QStringLiteral("a form of %1 pages, a text field on each, made for the run; the field on page %2 "
                              "filled %3 times a run, of which the fill itself took %4 ms (median)")
                   .arg(countText(kFormPages), countText(kFilledPage))
                   .arg(int(last.value("fills")))
                   .arg(median(call), 0, 'f', 2);
}
