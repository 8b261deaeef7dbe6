#pragma once

#include <QString>

// One running instance per user: an exclusive flock on "<runtime dir>/<name>.lock". The kernel
// drops the lock when the process ends, however it ends.
class CSingleInstance
{
public:
    explicit CSingleInstance(const QString& name);
    ~CSingleInstance();

    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when another process holds the lock. A lock file that cannot be opened counts as no
    // other instance, so a broken runtime folder never keeps the program from starting; nor
    // does a lock file of another user, which is replaced when the folder allows.
    bool anotherIsRunning() const { return m_otherRunning; }

    static QString lockFilePath(const QString& name);

private:
    int m_fd = -1;
    bool m_otherRunning = false;
};
