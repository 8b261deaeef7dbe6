#include "objectstreams.h"

#include <QFile>
#include <QFileInfo>

#include <qpdf/qpdfjob-c.h>
#include <qpdf/qpdflogger-c.h>

#include <dlfcn.h>

#include <mutex>

namespace pxv {

namespace {

// Loaded on the first use rather than linked: the library and the cryptography it brings cost
// every start of the program a fifth of its time to main(), for a pass few runs need.
struct Qpdf
{
    decltype(&qpdfjob_init) init = nullptr;
    decltype(&qpdfjob_set_logger) setLogger = nullptr;
    decltype(&qpdfjob_initialize_from_argv) initializeFromArgv = nullptr;
    decltype(&qpdfjob_run) run = nullptr;
    decltype(&qpdfjob_cleanup) cleanup = nullptr;
    decltype(&qpdflogger_create) createLogger = nullptr;
    decltype(&qpdflogger_set_info) setInfo = nullptr;
    decltype(&qpdflogger_set_warn) setWarn = nullptr;
    decltype(&qpdflogger_set_error) setError = nullptr;
    decltype(&qpdflogger_cleanup) cleanupLogger = nullptr;

    bool loaded() const
    {
        return init && setLogger && initializeFromArgv && run && cleanup && createLogger && setInfo && setWarn
               && setError && cleanupLogger;
    }
};

template <typename Function>
void find(void* library, const char* name, Function& out)
{
    out = reinterpret_cast<Function>(dlsym(library, name));
}

const Qpdf* qpdf()
{
    static Qpdf functions;
    static std::once_flag once;
    std::call_once(once, [] {
        void* library = dlopen("libqpdf.so.29", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return;
        find(library, "qpdfjob_init", functions.init);
        find(library, "qpdfjob_set_logger", functions.setLogger);
        find(library, "qpdfjob_initialize_from_argv", functions.initializeFromArgv);
        find(library, "qpdfjob_run", functions.run);
        find(library, "qpdfjob_cleanup", functions.cleanup);
        find(library, "qpdflogger_create", functions.createLogger);
        find(library, "qpdflogger_set_info", functions.setInfo);
        find(library, "qpdflogger_set_warn", functions.setWarn);
        find(library, "qpdflogger_set_error", functions.setError);
        find(library, "qpdflogger_cleanup", functions.cleanupLogger);
    });
    return functions.loaded() ? &functions : nullptr;
}

// The exit codes of the job, as of its command line.
constexpr int kSucceeded = 0;
constexpr int kSucceededWithWarnings = 3;

} // namespace

bool packObjectStreams(const QString& source, const QString& target)
{
    const Qpdf* q = qpdf();
    if (!q)
        return false;
    // Absolute, so that no name passes for an option or a file of arguments.
    const QByteArray in = QFile::encodeName(QFileInfo(source).absoluteFilePath());
    const QByteArray out = QFile::encodeName(QFileInfo(target).absoluteFilePath());
    // Its warnings are about files it repairs on reading; what it writes is whole.
    const char* const argv[] = {
        "qpdf", "--object-streams=generate", "--recompress-flate", "--no-warn", in.constData(), out.constData(),
        nullptr};
    qpdflogger_handle logger = q->createLogger();
    q->setInfo(logger, qpdf_log_dest_discard, nullptr, nullptr);
    q->setWarn(logger, qpdf_log_dest_discard, nullptr, nullptr);
    q->setError(logger, qpdf_log_dest_discard, nullptr, nullptr);
    qpdfjob_handle job = q->init();
    q->setLogger(job, logger);
    int result = q->initializeFromArgv(job, argv);
    if (result == kSucceeded)
        result = q->run(job);
    q->cleanup(&job);
    q->cleanupLogger(&logger);
    return result == kSucceeded || result == kSucceededWithWarnings;
}

} // namespace pxv
