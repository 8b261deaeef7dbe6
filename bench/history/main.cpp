// Times the history store's operations on a table of 100,000 records, the size it can reach since
// nothing ever trims it. Prints "key value" lines for the bench driver: per operation the median
// over several rounds of the mean time of one call, in microseconds.
#include "historystore.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kRows = 100000;
const int kRounds = 5;
const int kCalls = 100; // per round

std::wstring pathOf(int n)
{
    return L"/home/user/Documents/projects/folder " + std::to_wstring(n % 97) + L"/report " + std::to_wstring(n)
           + L".pdf";
}

void fill(const QString& dbPath)
{
    QDatabase db(dbPath.toStdWString());
    db.execute(L"BEGIN", {});
    for (int n = 0; n < kRows; ++n) {
        const std::wstring path = pathOf(n);
        db.execute(L"insert into history(filePath,fileName,ctime) values(?,?,?)",
                   {Json::Value(QString::fromStdWString(path).toStdString()), Json::Value("report.pdf"),
                    Json::Value(1600000000.0 + n)});
    }
    db.execute(L"COMMIT", {});
}

void report(const char* name, double microseconds)
{
    std::printf("%s-us %.1f\n", name, microseconds);
    std::fflush(stdout);
}

// call gets a running number, different for every call of every round.
void measure(const char* name, const std::function<void(int)>& call)
{
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kCalls; ++i)
            call(round * kCalls + i);
        rounds.push_back(timer.nsecsElapsed() / 1e3 / kCalls);
    }
    std::sort(rounds.begin(), rounds.end());
    report(name, rounds[rounds.size() / 2]);
}

} // namespace

int main()
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const QString dbPath = dir.filePath(QStringLiteral("history.db"));
    {
        // Creates the table and its indexes before the bulk insert.
        HistoryStore create(dbPath);
    }
    fill(dbPath);

    QElapsedTimer opening;
    opening.start();
    HistoryStore store(dbPath);
    report("open", opening.nsecsElapsed() / 1e3);

    QRandomGenerator random(20240601);
    int found = 0;
    measure("exists", [&](int) { found += store.exists(pathOf(random.bounded(kRows))) ? 1 : 0; });
    measure("touch", [&](int) { store.touch(pathOf(random.bounded(kRows))); });
    measure("add", [&](int i) { store.add(pathOf(kRows + i)); });
    std::size_t listed = 0;
    measure("recent", [&](int) { listed += store.recent().size(); });

    if (found != kRounds * kCalls || listed != std::size_t(kRounds * kCalls) * 10) {
        std::fprintf(stderr, "unexpected results: %d found, %zu listed\n", found, listed);
        return 1;
    }
    return 0;
}
