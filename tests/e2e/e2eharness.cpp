#include "e2eharness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace {

// The program starts and stops several times slower in sanitizer builds.
constexpr int kSlowdown = VP_TIMEOUT_FACTOR;

} // namespace

int E2EHarness::slow(int ms)
{
    return ms * kSlowdown;
}

QString E2EHarness::missingTool()
{
    for (const char* tool : {"Xvfb", "xdotool", "openbox", "import", "sqlite3"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QString::fromLatin1(tool);
    }
    return QString();
}

E2EHarness::E2EHarness(bool withWindowManager)
{
    if (!missingTool().isEmpty())
        return;
    // -displayfd picks a free display number, so tests can run in parallel. -noreset: by
    // default the server resets when its last client goes, and a program started while it
    // resets (say, right after killing the only one) cannot connect.
    const QString displayFile = home() + QStringLiteral("/display");
    m_xvfb = std::make_unique<QProcess>();
    m_xvfb->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_xvfb->start(QStringLiteral("sh"),
                  {QStringLiteral("-c"),
                   QStringLiteral("exec Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>\"$0\""),
                   displayFile});
    QByteArray number;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000 && !number.endsWith('\n')) {
        QThread::msleep(50);
        QFile file(displayFile);
        if (file.open(QIODevice::ReadOnly))
            number = file.readAll();
    }
    number = number.trimmed();
    if (number.isEmpty())
        return;
    m_display = QStringLiteral(":") + QString::fromLatin1(number);
    QDir(home()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (withWindowManager) {
        m_wm = std::make_unique<QProcess>();
        m_wm->setProcessEnvironment(environment());
        m_wm->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        m_wm->waitForStarted();
        QThread::msleep(500);
    }
}

E2EHarness::~E2EHarness()
{
    for (auto& program : m_programs) {
        if (program->state() != QProcess::NotRunning) {
            program->kill();
            program->waitForFinished(3000);
        }
    }
    for (QProcess* process : {m_wm.get(), m_xvfb.get()}) {
        if (process && process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(3000)) {
                process->kill();
                process->waitForFinished(3000);
            }
        }
    }
}

QString E2EHarness::historyDb() const
{
    return home() + QStringLiteral("/.local/share/vellumpad/history.db");
}

QProcessEnvironment E2EHarness::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("HOME"), home());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home() + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home() + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QT_FONT_DPI"), QStringLiteral("96"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    return env;
}

QString E2EHarness::programPath()
{
    return QStringLiteral(VP_PROGRAM);
}

QString E2EHarness::copyProgram(const QString& dir, bool withTranslation)
{
    const QString program = QDir(dir).filePath(QStringLiteral("vellumpad"));
    if (!QDir().mkpath(dir) || !QFile::copy(programPath(), program))
        return QString();
    if (withTranslation) {
        const QString qm = QStringLiteral("language/vellumpad_en.qm");
        const QString source = QFileInfo(programPath()).absoluteDir().filePath(qm);
        if (!QDir(dir).mkpath(QStringLiteral("language")) || !QFile::copy(source, QDir(dir).filePath(qm)))
            return QString();
    }
    return program;
}

QProcess* E2EHarness::startProgram(const QStringList& arguments, const QString& workDir, const QString& program)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->setWorkingDirectory(workDir.isEmpty() ? home() : workDir);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program.isEmpty() ? programPath() : program, arguments);
    process->waitForStarted();
    m_programs.push_back(std::move(process));
    return m_programs.back().get();
}

qulonglong E2EHarness::waitForWindow(const QString& title, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < qint64(timeoutMs) * kSlowdown) {
        const QString ids = xdotool(
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), title});
        const QStringList lines = ids.split('\n', Qt::SkipEmptyParts);
        if (!lines.isEmpty())
            return lines.last().toULongLong();
        QThread::msleep(100);
    }
    return 0;
}

QString E2EHarness::xdotool(const QStringList& arguments) const
{
    // A window that goes away while a search walks the window tree ends xdotool with an X error
    // and no output, which would read as "no such window": such a search is made again.
    const bool search = arguments.value(0) == QLatin1String("search");
    QString output;
    for (int attempt = 0; attempt < 5; ++attempt) {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(QStringLiteral("xdotool"), arguments);
        process.waitForFinished(10000);
        output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        const bool failed = process.exitStatus() != QProcess::NormalExit || process.exitCode() > 1
                            || !process.readAllStandardError().isEmpty();
        if (!search || !failed)
            break;
    }
    return output;
}

QStringList E2EHarness::windowsOf(const QProcess* program) const
{
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                    QString::number(program->processId())})
        .split('\n', Qt::SkipEmptyParts);
}

qulonglong E2EHarness::homePage() const
{
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    QStringLiteral("QHomeWidget")})
        .split('\n', Qt::SkipEmptyParts)
        .value(0)
        .toULongLong();
}

bool E2EHarness::homePageVisible() const
{
    for (int read = 0; read < 3; ++read) {
        if (read > 0)
            QThread::msleep(50);
        if (homePage() != 0)
            return true;
    }
    return false;
}

bool E2EHarness::documentShown() const
{
    return !xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                     QStringLiteral("QFloatExWidget")})
                .isEmpty()
           && !homePageVisible();
}

bool E2EHarness::waitForDocument(int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    while (!documentShown()) {
        if (timer.elapsed() > slow(timeoutMs))
            return false;
        QThread::msleep(100);
    }
    return true;
}

void E2EHarness::typeKeys(qulonglong window, const QString& keys) const
{
    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)});
    xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys});
}

QRect E2EHarness::windowGeometry(qulonglong window) const
{
    const QString text = xdotool({QStringLiteral("getwindowgeometry"), QString::number(window)});
    const QRegularExpression re(QStringLiteral("Position: (-?\\d+),(-?\\d+).*Geometry: (\\d+)x(\\d+)"),
                                QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return QRect();
    return QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
}

bool E2EHarness::waitForGeometry(qulonglong window, const std::function<bool(const QRect&)>& predicate,
                                 int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    do {
        if (predicate(windowGeometry(window)))
            return true;
        QThread::msleep(100);
    } while (timer.elapsed() < timeoutMs);
    return false;
}

bool E2EHarness::screenshot(const QString& path) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
    return process.waitForFinished(15000) && process.exitCode() == 0;
}

QStringList E2EHarness::queryHistory(const QString& sql) const
{
    QProcess process;
    process.start(QStringLiteral("sqlite3"), {historyDb(), sql});
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QString E2EHarness::logText() const
{
    QFile log(QFileInfo(historyDb()).absoluteDir().filePath(QStringLiteral("vellumpad.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

bool E2EHarness::waitForExit(QProcess* process, int timeoutMs)
{
    return process->state() == QProcess::NotRunning || process->waitForFinished(timeoutMs * kSlowdown);
}
