#include "screenwatch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <sys/ipc.h>
#include <sys/resource.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// A text cursor is a line of one or two pixels by the height of a line of text.
constexpr qint64 kIgnoredPixels = 200;
constexpr int kPollMs = 10;

// The root window's pixels, read through shared memory: a copy over the X connection would
// cost the server (and so the programs measured) several times as much per frame.
class RootPixels
{
public:
    explicit RootPixels(const QString& display)
    {
        m_display = XOpenDisplay(display.toLocal8Bit().constData());
        if (!m_display || !XShmQueryExtension(m_display))
            return;
        const int screen = DefaultScreen(m_display);
        m_image = XShmCreateImage(
            m_display, DefaultVisual(m_display, screen), unsigned(DefaultDepth(m_display, screen)), ZPixmap, nullptr,
            &m_shm, unsigned(DisplayWidth(m_display, screen)), unsigned(DisplayHeight(m_display, screen)));
        if (!m_image)
            return;
        m_shm.shmid = shmget(IPC_PRIVATE, size_t(m_image->bytes_per_line) * size_t(m_image->height), IPC_CREAT | 0600);
        if (m_shm.shmid < 0)
            return;
        m_shm.shmaddr = m_image->data = static_cast<char*>(shmat(m_shm.shmid, nullptr, 0));
        m_shm.readOnly = False;
        m_attached = m_shm.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(m_display, &m_shm);
        // Marked for removal now: the segment goes with the last process that has it attached.
        shmctl(m_shm.shmid, IPC_RMID, nullptr);
    }
    ~RootPixels()
    {
        if (m_attached)
            XShmDetach(m_display, &m_shm);
        if (m_image) {
            m_image->data = nullptr;
            XDestroyImage(m_image);
        }
        if (m_shm.shmaddr && m_shm.shmaddr != reinterpret_cast<char*>(-1))
            shmdt(m_shm.shmaddr);
        if (m_display)
            XCloseDisplay(m_display);
    }
    RootPixels(const RootPixels&) = delete;
    RootPixels& operator=(const RootPixels&) = delete;

    bool isReady() const { return m_attached; }
    size_t size() const { return size_t(m_image->bytes_per_line) * size_t(m_image->height); }
    // Reads the screen; the pixels stay valid until the next grab.
    const char* grab()
    {
        XShmGetImage(m_display, DefaultRootWindow(m_display), m_image, 0, 0, AllPlanes);
        XSync(m_display, False);
        return m_image->data;
    }

private:
    Display* m_display = nullptr;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_shm{};
    bool m_attached = false;
};

// Pixels (32-bit words) that differ, counting no further than past the limit.
qint64 differingPixels(const char* a, const char* b, size_t size, qint64 limit)
{
    qint64 count = 0;
    for (size_t i = 0; i + 4 <= size && count <= limit; i += 4) {
        if (std::memcmp(a + i, b + i, 4) != 0)
            ++count;
    }
    return count;
}

// Compares in long runs first: most frames are the same as the last, which memcmp settles fast.
bool changed(const char* a, const char* b, size_t size)
{
    return std::memcmp(a, b, size) != 0 && differingPixels(a, b, size, kIgnoredPixels) > kIgnoredPixels;
}

qint64 residentKib(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

} // namespace

SettledRun runUntilSettled(const ChildRun& run, const QString& display, int quietMs)
{
    SettledRun result;
    RootPixels screen(display);
    if (!screen.isReady()) {
        result.error = QStringLiteral("cannot read the screen of %1 (MIT-SHM)").arg(display);
        return result;
    }
    // What the screen shows before the program, and the picture it last settled on.
    const char* first = screen.grab();
    std::vector<char> empty(first, first + screen.size());
    std::vector<char> settled = empty;
    std::vector<QByteArray> arguments;
    for (const QString& argument : run.command)
        arguments.push_back(argument.toLocal8Bit());
    std::vector<QByteArray> environment = environmentWith(run.environment
                                                          + QStringList{QStringLiteral("DISPLAY=") + display});
    std::vector<char*> argv = pointersTo(arguments);
    std::vector<char*> envp = pointersTo(environment);

    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execvpe(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (pid < 0) {
        result.error = QStringLiteral("cannot fork");
        return result;
    }

    double settledAt = 0;
    bool shown = false;
    bool exited = false;
    int status = 0;
    rusage usage{};
    while (clock.elapsed() < run.timeoutMs) {
        if (wait4(pid, &status, WNOHANG, &usage) == pid) {
            exited = true;
            break;
        }
        const double now = clock.nsecsElapsed() / 1e6;
        const char* pixels = screen.grab();
        if (changed(pixels, settled.data(), settled.size())) {
            settled.assign(pixels, pixels + settled.size());
            settledAt = now;
            shown = changed(pixels, empty.data(), empty.size());
        } else if (shown && now - settledAt >= quietMs) {
            break;
        }
        QThread::msleep(kPollMs);
    }
    if (!exited) {
        result.rssKib = residentKib(pid);
        kill(pid, SIGKILL);
        wait4(pid, &status, 0, &usage);
    }
    result.peakRssKib = usage.ru_maxrss;
    result.settledMs = settledAt;
    if (exited)
        result.error =
            QStringLiteral("%1 ended (status %2) before the screen settled").arg(run.command.first()).arg(status);
    else if (!shown || clock.elapsed() >= run.timeoutMs)
        result.error = QStringLiteral("%1: the screen did not settle within %2 s")
                           .arg(run.command.first())
                           .arg(run.timeoutMs / 1000);
    return result;
}
