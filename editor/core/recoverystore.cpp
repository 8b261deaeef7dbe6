#include "recoverystore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

namespace pxv {

namespace {

const QString kSuffix = QStringLiteral(".record");
constexpr int kWorkerNice = 10;

// A process killed but not yet reaped by its parent still answers kill(); its state in
// /proc says it has ended.
bool processRuns(qint64 pid)
{
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

} // namespace

RecoveryStore::RecoveryStore(const QString& folder, ProblemHandler problem)
    : m_folder(QDir::cleanPath(folder)), m_problem(std::move(problem))
{
}

RecoveryStore::~RecoveryStore()
{
    flush();
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_worker.joinable())
        m_worker.join();
}

void RecoveryStore::post(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_jobs.push_back(std::move(job));
        if (!m_worker.joinable())
            m_worker = std::thread([this] { runJobs(); });
    }
    m_wake.notify_one();
}

// One piece of work after another, in the order asked. Keeping changes for a crash must not
// slow the editor down: the thread gives way to the others of the program.
void RecoveryStore::runJobs()
{
    setpriority(PRIO_PROCESS, id_t(gettid()), kWorkerNice);
    std::unique_lock<std::mutex> lock(m_queueMutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        const std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        job();
        lock.lock();
        m_busy = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}

QString RecoveryStore::newRecordName()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QStringLiteral("%1-%2%3").arg(QCoreApplication::applicationPid()).arg(++m_serial).arg(kSuffix);
}

void RecoveryStore::write(const QString& name, const QByteArray& bytes)
{
    write(name, [bytes] { return bytes; });
}

void RecoveryStore::write(const QString& name, std::function<QByteArray()> make, std::function<void()> written)
{
    post([this, name, make = std::move(make), written = std::move(written)] {
        const QByteArray bytes = make();
        if (bytes.isEmpty())
            return;
        if (!QDir().mkpath(m_folder)) {
            report(tr("The folder \"%1\" cannot be created.").arg(QDir::toNativeSeparators(m_folder)));
            return;
        }
        QSaveFile file(m_folder + '/' + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            report(file.errorString());
        else if (written)
            written();
    });
}

void RecoveryStore::remove(const QString& name)
{
    post([this, name] {
        QFile file(m_folder + '/' + name);
        if (file.exists() && !file.remove())
            report(file.errorString());
    });
}

void RecoveryStore::flush()
{
    std::unique_lock<std::mutex> lock(m_queueMutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

QStringList RecoveryStore::orphanedRecords() const
{
    QStringList records;
    const QFileInfoList entries = QDir(m_folder).entryInfoList({'*' + kSuffix}, QDir::Files,
                                                               QDir::Time | QDir::Reversed);
    for (const QFileInfo& entry : entries) {
        bool ok = false;
        const qint64 pid = entry.fileName().section('-', 0, 0).toLongLong(&ok);
        if (!ok || (pid != QCoreApplication::applicationPid() && !processRuns(pid)))
            records.append(entry.filePath());
    }
    return records;
}

QString RecoveryStore::moveAside(const QString& recordPath)
{
    const QFileInfo info(recordPath);
    const QString folder = info.path() + QStringLiteral("/damaged");
    const QString target = folder + '/' + info.fileName();
    QFile::remove(target);
    if (QDir().mkpath(folder) && QFile::rename(recordPath, target))
        return target;
    QFile::remove(recordPath);
    return QString();
}

void RecoveryStore::report(const QString& message)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_reported)
            return;
        m_reported = true;
    }
    if (m_problem)
        m_problem(tr("Unsaved changes cannot be kept for recovery in \"%1\": %2")
                      .arg(QDir::toNativeSeparators(m_folder), message));
}

} // namespace pxv
