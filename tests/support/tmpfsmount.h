#pragma once

#include <QString>

// A small tmpfs mounted on an existing folder for the life of the object, so that a test can fill
// a disk or make a folder read-only for real. Needs root (CAP_SYS_ADMIN); when the mount is
// refused, isMounted() is false and error() says why, for the test to fall back or skip.
class TmpfsMount
{
public:
    TmpfsMount(const QString& folder, qint64 bytes);
    ~TmpfsMount();

    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool isMounted() const { return m_mounted; }
    QString error() const { return m_error; }
    const QString& folder() const { return m_folder; }

    // Remounts read-only or read-write; false (with error()) when refused.
    bool setReadOnly(bool readOnly);
    // Fills the free space with a file called name; returns how many bytes it holds.
    qint64 fill(const QString& name);

private:
    QString m_folder;
    QByteArray m_options;
    bool m_mounted = false;
    QString m_error;
};
