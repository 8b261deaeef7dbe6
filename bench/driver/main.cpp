// Runs every benchmark case, ours and the baselines in turn, and prints one Markdown table of
// medians with the machine it ran on. Arguments name the programs: app=, window=, editor=,
// mupdf=, history= (paths); any number of case=NAME runs only those cases (names as printed,
// "start-up" and "viewers" included). Exits 1 when a case cannot be run.

#include "cases.h"
#include "e2eharness.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>
#include <stdexcept>

namespace {

// The first line of a file that starts with key, without the key; empty when there is none.
QString lineOf(const QString& path, const QByteArray& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(key))
            return QString::fromUtf8(line.mid(key.size())).trimmed();
    }
    return QString();
}

QString machine()
{
    const QString cpu = lineOf(QStringLiteral("/proc/cpuinfo"), "model name").remove(0, 1).trimmed();
    const qint64 memoryKib =
        lineOf(QStringLiteral("/proc/meminfo"), "MemTotal:").split(QLatin1Char(' ')).first().toLongLong();
    QFile version(QStringLiteral("/etc/debian_version"));
    version.open(QIODevice::ReadOnly);
    QFile load(QStringLiteral("/proc/loadavg"));
    load.open(QIODevice::ReadOnly);
    return QStringLiteral("%1; %2, %3 cores, %4 GiB RAM, Debian %5; load average at the start %6")
        .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")), cpu)
        .arg(QThread::idealThreadCount())
        .arg(memoryKib / 1024.0 / 1024.0, 0, 'f', 1)
        .arg(QString::fromLatin1(version.readAll().trimmed()),
             QString::fromLatin1(load.readAll()).section(QLatin1Char(' '), 0, 2));
}

void progress(const char* text)
{
    std::fprintf(stderr, "bench: %s\n", text);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Tools tools;
    QHash<QString, QString*> programs{{QStringLiteral("app"), &tools.app},
                                      {QStringLiteral("window"), &tools.window},
                                      {QStringLiteral("editor"), &tools.editor},
                                      {QStringLiteral("mupdf"), &tools.mupdf},
                                      {QStringLiteral("history"), &tools.history}};
    QStringList only;
    for (const QString& argument : app.arguments().mid(1)) {
        const QString key = argument.section(QLatin1Char('='), 0, 0);
        const QString value = argument.section(QLatin1Char('='), 1);
        if (key == QLatin1String("case"))
            only << value;
        else if (QString* slot = programs.value(key))
            *slot = value;
    }
    const auto wanted = [&](const char* name) { return only.isEmpty() || only.contains(QLatin1String(name)); };
    for (auto it = programs.cbegin(); it != programs.cend(); ++it) {
        if (!QFileInfo(*it.value()).isExecutable()) {
            std::fprintf(stderr, "bench: no program given for %s=\n", qPrintable(it.key()));
            return 2;
        }
    }

    QElapsedTimer total;
    total.start();
    try {
        QTemporaryDir work;
        if (!work.isValid())
            throw std::runtime_error("no temporary folder");
        progress("finding the documentation PDFs");
        const Documents docs = findDocuments([&](const QString& path) {
            ChildRun count;
            count.command = QStringList{tools.mupdf, QStringLiteral("count"), path};
            return int(mustRun(count).value("pages"));
        });
        Bench bench(tools, docs, work.path());
        const QString header = machine();
        if (wanted("start-up")) {
            // The end-to-end tests' private X server; the runs get their own fresh homes.
            const E2EHarness xserver(false);
            if (!xserver.isReady())
                throw std::runtime_error("Xvfb did not start");
            progress("start-up");
            bench.startUp(xserver.display());
        }
        if (wanted("viewers")) {
            const E2EHarness xserver(false);
            if (!xserver.isReady())
                throw std::runtime_error("Xvfb did not start");
            progress("viewers");
            bench.peers(xserver.display());
        }
        const std::pair<const char*, std::function<void()>> cases[] = {
            {"first page", [&] { bench.firstPage(); }},
            {"scrolling", [&] { bench.scrolling(); }},
            {"memory", [&] { bench.memory(); }},
            {"editing", [&] { bench.editing(); }},
            {"memory after editing", [&] { bench.editMemory(); }},
            {"combine", [&] { bench.combine(); }},
            {"page work", [&] { bench.pageWork(); }},
            {"extract one page", [&] { bench.extractOne(); }},
            {"thumbnails", [&] { bench.thumbnails(); }},
            {"comments", [&] { bench.comments(); }},
            {"forms", [&] { bench.forms(); }},
            {"history store", [&] { bench.history(); }},
            {"recovery record", [&] { bench.recovery(); }},
            {"watermark", [&] { bench.watermarking(); }},
            {"export images", [&] { bench.exportImages(); }},
            {"compress", [&] { bench.compress(); }},
            {"zoom", [&] { bench.zooming(); }},
        };
        for (const auto& [name, run] : cases) {
            if (!wanted(name))
                continue;
            progress(name);
            run();
        }
        std::printf("%s\n\n%s\n", qPrintable(header), qPrintable(formatTable(bench.rows())));
        for (const QString& note : bench.notes())
            std::printf("- %s\n", qPrintable(note));
        std::printf("- benchmarks ran %.0f s\n", total.elapsed() / 1000.0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
