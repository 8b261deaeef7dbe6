#pragma once

#include <QByteArray>
#include <QStringList>

#include <vector>

// One program run as a child process, measured from outside the same way whatever it is.
struct ChildRun
{
    QStringList command; // program and arguments
    QStringList environment; // "NAME=value" added to (or replacing in) this process's environment
    QByteArray mark; // when set, the child is stopped once a line of its output contains it
    bool discardOutput = false; // for tools that write their images to standard output
    int timeoutMs = 10 * 60 * 1000;
};

struct ChildResult
{
    QString error; // empty when the child exited 0, or reached its mark
    double wallMs = 0; // from just before the fork to its exit, or to the mark
    qint64 peakRssKib = 0; // the child's own peak resident set (ru_maxrss)
    QByteArray output; // standard output and error together

    bool ok() const { return error.isEmpty(); }
    // The number after "key " at the start of an output line, or -1.
    double value(const char* key) const;
};

ChildResult runChild(const ChildRun& run);

// This process's environment with additions ("NAME=value") as exec wants it, and the
// null-terminated pointers to such strings; made before the fork, as the child may not allocate.
std::vector<QByteArray> environmentWith(const QStringList& additions);
std::vector<char*> pointersTo(std::vector<QByteArray>& strings);
