#pragma once

#include "core/layer.h"

// The folder of recovery records. Records are written and removed on a thread of the store's
// own, one after another in the order asked, so the thread that asks (the GUI) never waits for
// the disk.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace pxv {

class RecoveryStore
{
    Q_DECLARE_TR_FUNCTIONS(pxv::RecoveryStore)

public:
    // Told (on the store's thread) the first time a record cannot be written or removed.
    using ProblemHandler = std::function<void(const QString& message)>;

    explicit RecoveryStore(const QString& folder, ProblemHandler problem = {});
    ~RecoveryStore(); // waits for the writes asked so far

    QString folder() const { return m_folder; }
    // A name for a new record of this process: the process's id, then a serial number.
    QString newRecordName();
    // Replaces the record of that name by bytes, atomically: a reader sees the old record or
    // the new one, never part of one.
    void write(const QString& name, const QByteArray& bytes);
    // The same with the bytes made on the store's thread by make (nothing is written when it
    // gives none); written is told there once they are on disk.
    void write(const QString& name, std::function<QByteArray()> make, std::function<void()> written = {});
    void remove(const QString& name);
    // Waits until every write and removal asked so far is done.
    void flush();

    // Paths of the records whose process no longer runs, oldest first.
    QStringList orphanedRecords() const;
    // Moves an unreadable record out of the way, into the folder's "damaged" subfolder, and
    // returns where it went (empty when it could not be moved, and was removed instead).
    static QString moveAside(const QString& recordPath);

private:
    void report(const QString& message);
    // Queues work for the store's thread, which starts with the first piece.
    void post(std::function<void()> job);
    void runJobs();

    QString m_folder;
    ProblemHandler m_problem;
    // The queue is handed over under a standard mutex, which ThreadSanitizer sees, unlike the
    // one inside Qt's thread pool.
    std::mutex m_queueMutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_jobs;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_worker;
    std::mutex m_mutex;
    bool m_reported = false;
    int m_serial = 0;
};

} // namespace pxv
