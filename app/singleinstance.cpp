#include "singleinstance.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CSingleInstance::CSingleInstance(const QString& name)
{
    const QByteArray path = QFile::encodeName(lockFilePath(name));
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
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
