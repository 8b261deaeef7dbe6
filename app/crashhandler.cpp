#include "crashhandler.h"

#include "cglobal.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <ctime>

// Everything reached from the signal handler uses only async-signal-safe calls and static buffers.
namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr size_t kSignalCount = sizeof kSignals / sizeof kSignals[0];

// What handled each signal before us: the default action, or a sanitizer's reporting handler.
struct sigaction g_previous[kSignalCount];

char g_version[32];
int g_buildDate = 0;
long g_utcOffset = 0;
alignas(16) char g_altStack[64 * 1024];

class Writer
{
public:
    Writer(char* out, size_t size) : m_out(out), m_size(size) { append(""); }

    Writer& append(const char* text)
    {
        while (*text && m_len + 1 < m_size)
            m_out[m_len++] = *text++;
        m_out[m_len] = '\0';
        return *this;
    }

    Writer& number(unsigned long value, int width = 0, int base = 10)
    {
        char digits[32];
        int n = 0;
        do {
            digits[n++] = "0123456789abcdef"[value % unsigned(base)];
            value /= unsigned(base);
        } while (value && n < 32);
        while (n < width && n < 32)
            digits[n++] = '0';
        char text[33];
        for (int i = 0; i < n; ++i)
            text[i] = digits[n - 1 - i];
        text[n] = '\0';
        return append(text);
    }

    Writer& signedNumber(long value)
    {
        if (value < 0) {
            append("-");
            return number(0ul - static_cast<unsigned long>(value));
        }
        return number(static_cast<unsigned long>(value));
    }

    const char* text() const { return m_out; }
    size_t length() const { return m_len; }

private:
    char* m_out;
    size_t m_size;
    size_t m_len = 0;
};

// Civil date from days since 1970-01-01, valid for the proleptic Gregorian calendar.
DumpTime localTimeNow()
{
    const long long secs = static_cast<long long>(time(nullptr)) + g_utcOffset;
    long long days = secs / 86400;
    long long rem = secs % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    const int year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day, int(rem / 3600), int(rem % 3600 / 60), int(rem % 60)};
}

bool debuggerAttached()
{
    char buffer[4096];
    const int fd = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const ssize_t n = read(fd, buffer, sizeof buffer - 1);
    close(fd);
    if (n <= 0)
        return false;
    buffer[n] = '\0';
    const char* field = strstr(buffer, "TracerPid:");
    if (!field)
        return false;
    field += sizeof("TracerPid:") - 1;
    while (*field == ' ' || *field == '\t')
        ++field;
    return *field >= '1' && *field <= '9';
}

void writeAll(int fd, const char* text, size_t length)
{
    while (length > 0) {
        const ssize_t n = write(fd, text, length);
        if (n <= 0)
            return;
        text += n;
        length -= size_t(n);
    }
}

void writeLine(int fd, Writer& line)
{
    line.append("\n");
    writeAll(fd, line.text(), line.length());
}

void writeRegisters(int fd, const ucontext_t* context)
{
#if defined(__x86_64__)
    static const struct
    {
        const char* name;
        int index;
    } kRegisters[] = {
        {"rip", REG_RIP}, {"rsp", REG_RSP}, {"rbp", REG_RBP}, {"rax", REG_RAX}, {"rbx", REG_RBX}, {"rcx", REG_RCX},
        {"rdx", REG_RDX}, {"rsi", REG_RSI}, {"rdi", REG_RDI}, {"r8", REG_R8},   {"r9", REG_R9},   {"r10", REG_R10},
        {"r11", REG_R11}, {"r12", REG_R12}, {"r13", REG_R13}, {"r14", REG_R14}, {"r15", REG_R15}, {"eflags", REG_EFL},
    };
    char buffer[128];
    for (const auto& reg : kRegisters) {
        Writer line(buffer, sizeof buffer);
        line.append(reg.name).append(": 0x").number(static_cast<unsigned long>(context->uc_mcontext.gregs[reg.index]),
                                                    16, 16);
        writeLine(fd, line);
    }
#else
    (void)fd;
    (void)context;
#endif
}

void copyFile(int fd, const char* path)
{
    const int in = open(path, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return;
    char buffer[4096];
    ssize_t n;
    while ((n = read(in, buffer, sizeof buffer)) > 0)
        writeAll(fd, buffer, size_t(n));
    close(in);
}

void writeReport(int sig, siginfo_t* info, void* context)
{
    char name[260];
    const long tid = syscall(SYS_gettid);
    formatDumpFileName(name, sizeof name, g_version, g_buildDate, localTimeNow(), long(getpid()), tid);
    const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;

    char buffer[256];
    Writer header(buffer, sizeof buffer);
    header.append("signal: ").signedNumber(sig).append("\ncode: ").signedNumber(info ? info->si_code : 0);
    header.append("\nfault address: 0x").number(reinterpret_cast<uintptr_t>(info ? info->si_addr : nullptr), 16, 16);
    header.append("\npid: ").signedNumber(long(getpid())).append("\ntid: ").signedNumber(tid);
    writeLine(fd, header);

    writeRegisters(fd, static_cast<const ucontext_t*>(context));

    static const char kBacktrace[] = "\nbacktrace:\n";
    writeAll(fd, kBacktrace, sizeof kBacktrace - 1);
    void* frames[64];
    const int count = backtrace(frames, 64);
    backtrace_symbols_fd(frames, count, fd);

    static const char kMaps[] = "\nmaps:\n";
    writeAll(fd, kMaps, sizeof kMaps - 1);
    copyFile(fd, "/proc/self/maps");
    close(fd);
}

void restorePreviousHandlers()
{
    for (size_t i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
}

void onFatalSignal(int sig, siginfo_t* info, void* context)
{
    // One dump per crash: a second fatal signal (such as the abort a sanitizer ends its report
    // with) goes straight to the handler that was there before.
    restorePreviousHandlers();
    if (!debuggerAttached())
        writeReport(sig, info, context);
    if (sig != SIGABRT && info && info->si_code > 0) {
        // A fault raised by the faulting instruction: returning runs it again, and it now reaches
        // the previous handler (a sanitizer reports it with the real stack) or the default action.
        return;
    }
    // A signal sent by a process or by abort(): die by the same signal, so the exit status and any
    // core dump stay what they would have been.
    signal(sig, SIG_DFL);
    raise(sig);
}

} // namespace

void formatDumpFileName(char* out, size_t size, const char* version, int buildDate, const DumpTime& t, long pid,
                        long tid)
{
    Writer name(out, size);
    name.append("v").append(version).append("-").signedNumber(buildDate).append("-");
    name.number(unsigned(t.year), 4).number(unsigned(t.month), 2).number(unsigned(t.day), 2).append("-");
    name.number(unsigned(t.hour), 2).number(unsigned(t.minute), 2).number(unsigned(t.second), 2).append("-");
    name.signedNumber(pid).append("-").signedNumber(tid).append(".dmp");
}

void installCrashHandler()
{
    const QByteArray version = CGlobal::getVersion().toLatin1();
    strncpy(g_version, version.constData(), sizeof g_version - 1);
    g_buildDate = CGlobal::getBuildDate();

    // The UTC offset is taken once here: localtime is not safe inside a signal handler.
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    g_utcOffset = local.tm_gmtoff;

    // backtrace() loads libgcc on first use; do that now rather than inside the handler.
    void* warmUp[1];
    backtrace(warmUp, 1);

    stack_t stack{};
    stack.ss_sp = g_altStack;
    stack.ss_size = sizeof g_altStack;
    sigaltstack(&stack, nullptr);

    struct sigaction action
    {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &action, &g_previous[i]);
}
