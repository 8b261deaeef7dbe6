#include "tmpfsmount.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

TmpfsMount::TmpfsMount(const QString& folder, qint64 bytes)
    : m_folder(folder), m_options("size=" + QByteArray::number(bytes) + ",mode=0777")
{
    const QByteArray path = QFile::encodeName(folder);
    m_mounted = ::mount("tmpfs", path.constData(), "tmpfs", MS_NOSUID | MS_NODEV, m_options.constData()) == 0;
    if (!m_mounted)
        m_error = QStringLiteral("mounting a tmpfs on %1 was refused: %2")
                      .arg(folder, QString::fromLocal8Bit(strerror(errno)));
}

TmpfsMount::~TmpfsMount()
{
    // Lazily: a program a test killed may still be letting go of its files.
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool TmpfsMount::setReadOnly(bool readOnly)
{
    const unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    if (::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs", flags, m_options.constData()) == 0)
        return true;
    m_error = QStringLiteral("remounting %1 was refused: %2").arg(m_folder, QString::fromLocal8Bit(strerror(errno)));
    return false;
}

qint64 TmpfsMount::fill(const QString& name)
{
    const int fd = ::open(QFile::encodeName(m_folder + QLatin1Char('/') + name).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    const QByteArray block(4096, 'f');
    qint64 total = 0;
    for (;;) {
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        if (n <= 0)
            break;
        total += n;
    }
    ::close(fd);
    return total;
}
