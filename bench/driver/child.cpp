#include "child.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>

#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

std::vector<QByteArray> environmentWith(const QStringList& additions)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : additions) {
        const int equals = entry.indexOf(QLatin1Char('='));
        environment.insert(entry.left(equals), entry.mid(equals + 1));
    }
    std::vector<QByteArray> result;
    for (const QString& entry : environment.toStringList())
        result.push_back(entry.toLocal8Bit());
    return result;
}

std::vector<char*> pointersTo(std::vector<QByteArray>& strings)
{
    std::vector<char*> pointers;
    for (QByteArray& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

double ChildResult::value(const char* key) const
{
    const QByteArray prefix = QByteArray(key) + ' ';
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().toDouble();
    }
    return -1;
}

ChildResult runChild(const ChildRun& run)
{
    ChildResult result;
    // Everything the child needs is prepared before the clock starts.
    std::vector<QByteArray> arguments;
    for (const QString& argument : run.command)
        arguments.push_back(argument.toLocal8Bit());
    std::vector<QByteArray> environment = environmentWith(run.environment);
    std::vector<char*> argv = pointersTo(arguments);
    std::vector<char*> envp = pointersTo(environment);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        result.error = QStringLiteral("no pipe");
        return result;
    }

    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
        dup2(run.discardOutput ? devNull : fds[1], STDOUT_FILENO);
        dup2(fds[1], STDERR_FILENO);
        execvpe(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        result.error = QStringLiteral("cannot fork");
        return result;
    }

    bool marked = false;
    bool timedOut = false;
    for (;;) {
        const qint64 left = run.timeoutMs - clock.elapsed();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd readable{fds[0], POLLIN, 0};
        if (poll(&readable, 1, int(left)) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break; // the child closed its output: it is ending
        result.output.append(buffer, int(n));
        if (!run.mark.isEmpty() && result.output.contains(run.mark)) {
            result.wallMs = clock.nsecsElapsed() / 1e6;
            marked = true;
            break;
        }
    }
    if (marked || timedOut)
        kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!marked)
        result.wallMs = clock.nsecsElapsed() / 1e6;
    close(fds[0]);
    result.peakRssKib = usage.ru_maxrss;

    if (timedOut)
        result.error = QStringLiteral("no result within %1 s").arg(run.timeoutMs / 1000);
    else if (!marked && !run.mark.isEmpty())
        result.error = QStringLiteral("ended without printing \"%1\"").arg(QString::fromLatin1(run.mark));
    else if (!marked && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
        result.error = QStringLiteral("failed (status %1)").arg(status);
    if (!result.ok())
        result.error = run.command.first() + QStringLiteral(": ") + result.error + QStringLiteral("\n")
                       + QString::fromLocal8Bit(result.output.right(2000));
    return result;
}
