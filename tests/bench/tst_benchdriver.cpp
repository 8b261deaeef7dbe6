#include "child.h"
#include "table.h"

#include <QtTest>

#include <signal.h>

class TstBenchDriver : public QObject
{
    Q_OBJECT
private slots:
    void childValuesAndEnvironment();
    void failingChildSaysWhy();
    void markStopsTheChild();
    void missingMarkIsAnError();
    void timeoutStopsTheChild();
    void discardedOutputKeepsErrors();
    void peakMemoryIsTheChilds();
    void medians();
    void targets_data();
    void targets();
    void tableShowsGaps();
};

namespace {

ChildRun shell(const QString& script)
{
    ChildRun run;
    run.command = QStringList{QStringLiteral("sh"), QStringLiteral("-c"), script};
    return run;
}

Row row(double ours, double baseline, Row::Target target, Row::Better better, double limit)
{
    Row r;
    r.name = QStringLiteral("case");
    r.ours = ours;
    r.baseline = baseline;
    r.unit = QStringLiteral("ms");
    r.target = target;
    r.better = better;
    r.limit = limit;
    return r;
}

} // namespace

void TstBenchDriver::childValuesAndEnvironment()
{
    ChildRun run = shell(QStringLiteral("echo first-page-ms 12.5; echo pages $VP_PAGES; echo pages-extra 9"));
    run.environment = QStringList{QStringLiteral("VP_PAGES=2415")};
    const ChildResult result = runChild(run);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.value("first-page-ms"), 12.5);
    // A key is a whole word: "pages" is not read from "pages-extra".
    QCOMPARE(result.value("pages"), 2415.0);
    QCOMPARE(result.value("seconds"), -1.0);
    QVERIFY(result.wallMs > 0);
}

void TstBenchDriver::failingChildSaysWhy()
{
    ChildResult result = runChild(shell(QStringLiteral("echo cannot open the file >&2; exit 3")));
    QVERIFY(!result.ok());
    QVERIFY2(result.error.contains(QStringLiteral("cannot open the file")), qPrintable(result.error));

    ChildRun missing;
    missing.command = QStringList{QStringLiteral("/nonexistent/program")};
    result = runChild(missing);
    QVERIFY(!result.ok());
}

void TstBenchDriver::markStopsTheChild()
{
    ChildRun run = shell(QStringLiteral("echo $$; echo \"vellumpad.perf: home page painted: 5 ms\" >&2; "
                                        "exec sleep 60"));
    run.mark = "home page painted";
    QElapsedTimer clock;
    clock.start();
    const ChildResult result = runChild(run);
    QVERIFY2(result.ok(), qPrintable(result.error));
    // The generous bound only tells a stopped child from one that was waited for.
    QVERIFY(clock.elapsed() < 30000);
    QVERIFY(result.wallMs <= clock.elapsed() + 1);
    // The child, which was to sleep on, is gone.
    bool isPid = false;
    const pid_t pid = pid_t(result.output.split('\n').first().toInt(&isPid));
    QVERIFY2(isPid, result.output.constData());
    QVERIFY(kill(pid, 0) != 0);
}

void TstBenchDriver::missingMarkIsAnError()
{
    ChildRun run = shell(QStringLiteral("echo main window shown"));
    run.mark = "home page painted";
    const ChildResult result = runChild(run);
    QVERIFY(!result.ok());
    QVERIFY2(result.error.contains(QStringLiteral("home page painted")), qPrintable(result.error));
}

void TstBenchDriver::timeoutStopsTheChild()
{
    ChildRun run = shell(QStringLiteral("exec sleep 60"));
    run.timeoutMs = 300;
    QElapsedTimer clock;
    clock.start();
    const ChildResult result = runChild(run);
    QVERIFY(!result.ok());
    QVERIFY(clock.elapsed() < 30000);
    QVERIFY2(result.error.contains(QStringLiteral("no result")), qPrintable(result.error));
}

void TstBenchDriver::discardedOutputKeepsErrors()
{
    ChildRun run = shell(QStringLiteral("echo P6 image bytes; echo a warning >&2"));
    run.discardOutput = true;
    const ChildResult result = runChild(run);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QVERIFY(!result.output.contains("image bytes"));
    QVERIFY(result.output.contains("a warning"));
}

void TstBenchDriver::peakMemoryIsTheChilds()
{
    // dd fills a 64 MiB buffer; a small child stays far below that.
    ChildRun big;
    big.command = QStringList{QStringLiteral("dd"), QStringLiteral("if=/dev/zero"), QStringLiteral("of=/dev/null"),
                              QStringLiteral("bs=64M"), QStringLiteral("count=1")};
    const ChildResult large = runChild(big);
    QVERIFY2(large.ok(), qPrintable(large.error));
    QVERIFY2(large.peakRssKib >= 60 * 1024, qPrintable(QString::number(large.peakRssKib)));

    const ChildResult small = runChild(shell(QStringLiteral("true")));
    QVERIFY2(small.ok(), qPrintable(small.error));
    QVERIFY(small.peakRssKib > 0);
    QVERIFY2(small.peakRssKib < 16 * 1024, qPrintable(QString::number(small.peakRssKib)));
}

void TstBenchDriver::medians()
{
    QCOMPARE(median({5, 1, 3}), 3.0);
    QCOMPARE(median({4, 1, 3, 2}), 2.5);
    QCOMPARE(median({}), -1.0);
}

void TstBenchDriver::targets_data()
{
    QTest::addColumn<double>("ours");
    QTest::addColumn<double>("baseline");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("better");
    QTest::addColumn<double>("limit");
    QTest::addColumn<int>("met");
    const int ratio = int(Row::Target::Ratio), absolute = int(Row::Target::Absolute), none = int(Row::Target::None);
    const int lower = int(Row::Better::Lower), higher = int(Row::Better::Higher);
    QTest::newRow("time within its ratio") << 120.0 << 100.0 << ratio << lower << 1.2 << 1;
    QTest::newRow("time beyond its ratio") << 121.0 << 100.0 << ratio << lower << 1.2 << 0;
    QTest::newRow("rate short of its ratio") << 140.0 << 100.0 << ratio << higher << 1.5 << 0;
    QTest::newRow("rate beyond its ratio") << 150.0 << 100.0 << ratio << higher << 1.5 << 1;
    QTest::newRow("absolute, baseline ignored") << 240.0 << -1.0 << absolute << lower << 300.0 << 1;
    QTest::newRow("absolute over") << 301.0 << -1.0 << absolute << lower << 300.0 << 0;
    QTest::newRow("ratio without baseline") << 10.0 << -1.0 << ratio << lower << 1.0 << -1;
    QTest::newRow("missing value") << -1.0 << 10.0 << ratio << lower << 1.0 << -1;
    QTest::newRow("no target") << 10.0 << 1.0 << none << lower << 0.0 << -1;
}

void TstBenchDriver::targets()
{
    QFETCH(double, ours);
    QFETCH(double, baseline);
    QFETCH(int, target);
    QFETCH(int, better);
    QFETCH(double, limit);
    QFETCH(int, met);
    QCOMPARE(row(ours, baseline, Row::Target(target), Row::Better(better), limit).met(), met);
}

void TstBenchDriver::tableShowsGaps()
{
    QVector<Row> rows{row(663, 48.2, Row::Target::Ratio, Row::Better::Lower, 1.2),
                      row(44.3, -1, Row::Target::Absolute, Row::Better::Lower, 50)};
    rows[1].name = QStringLiteral("stall");
    const QStringList lines = formatTable(rows).trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[2], QStringLiteral("| case | 663 ms | 48.2 ms | 13.76x | ≤ 1.20x | missed |"));
    QCOMPARE(lines[3], QStringLiteral("| stall | 44.3 ms | — | — | ≤ 50 ms | met |"));
}

QTEST_APPLESS_MAIN(TstBenchDriver)
#include "tst_benchdriver.moc"
