#include "singleinstance.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The lock file, opened for locking. A file that is not a regular file of this user (left by
// another user, or put there to keep this program from starting) is not ours to honour: it is
// replaced when the folder allows that.
int openLockFile(const QByteArray& path)
{
    const int flags = O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(path.constData(), flags, 0600);
    struct stat info;
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
        return fd;
    if (fd >= 0)
        ::close(fd);
    if (::unlink(path.constData()) != 0)
        return -1;
    return ::open(path.constData(), flags | O_EXCL, 0600);
}

} // namespace

CSingleInstance::CSingleInstance(const QString& name)
{
    m_fd = openLockFile(QFile::encodeName(lockFilePath(name)));
    if (m_fd < 0)
        return;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return;
    m_otherRunning = (errno == EWOULDBLOCK);
    ::close(m_fd);
    m_fd = -1;
}

CSingleInstance::~CSingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString CSingleInstance::lockFilePath(const QString& name)
{
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QDir(runtimeDir).exists())
        return runtimeDir + '/' + name + QStringLiteral(".lock");
    return QDir::tempPath() + '/' + name + '-' + QString::number(::getuid()) + QStringLiteral(".lock");
}
