#pragma once

#include <QStringList>

// While it lives, the "vellumpad.perf" category is on and its messages are recorded here instead
// of printed; other messages go to the handler that was installed before. One at a time.
class PerfMessages
{
public:
    PerfMessages();
    ~PerfMessages();
    PerfMessages(const PerfMessages&) = delete;
    PerfMessages& operator=(const PerfMessages&) = delete;

    const QStringList& messages() const;
};
