#include "atomicfile.h"

#include "document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pxv {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("pxv::Document", text);
}

[[noreturn]] void fail(const QString& target, const QString& reason)
{
    throw DocumentError(DocumentError::SaveFailed,
                        tr("Could not save \"%1\": %2").arg(QDir::toNativeSeparators(target), reason));
}

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The longest start of name whose encoded file name fits in maxBytes; file-system limits count
// bytes, and a CJK character takes three. Characters are never split.
QString startWithinBytes(const QString& name, int maxBytes)
{
    QString start;
    for (const uint code : name.toUcs4()) {
        const QString next = start + QString::fromUcs4(&code, 1);
        if (QFile::encodeName(next).size() > maxBytes)
            break;
        start = next;
    }
    return start;
}

// The data reaches the disk before the rename makes it the file.
void syncFile(const QString& path, const QString& target)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        fail(target, errnoText(error));
    }
    ::close(fd);
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void replaceFileAtomically(const QString& target, const std::function<void(const QString&)>& write)
{
    // Saving through a symbolic link updates the file it points to and keeps the link.
    const QFileInfo link(target);
    const QFileInfo info(link.isSymLink() ? link.symLinkTarget() : target);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        fail(target, tr("the folder \"%1\" does not exist").arg(QDir::toNativeSeparators(folder)));
    if (info.isDir())
        fail(target, tr("it is a folder"));

    // Hidden and next to the target, so that the rename stays within one file system; the name
    // is shortened so that it fits the file system's limit even for a long target name.
    QTemporaryFile temp(folder + QStringLiteral("/.") + startWithinBytes(info.fileName(), 100)
                        + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        fail(target, temp.errorString());
    const QString tempPath = temp.fileName();
    temp.close();

    try {
        write(tempPath);
    } catch (const DocumentError& error) {
        fail(target, error.message());
    } catch (const std::exception& error) {
        fail(target, QString::fromUtf8(error.what()));
    }

    if (QFileInfo(tempPath).size() == 0)
        fail(target, tr("nothing was written"));
    syncFile(tempPath, target);

    // A new file gets the permissions a new file would get; a replaced one keeps its own.
    struct stat existing;
    const QByteArray targetName = QFile::encodeName(info.absoluteFilePath());
    if (::stat(targetName.constData(), &existing) == 0) {
        if (::chmod(QFile::encodeName(tempPath).constData(), existing.st_mode & 07777) != 0)
            fail(target, errnoText(errno));
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(QFile::encodeName(tempPath).constData(), 0666 & ~mask);
    }

    if (std::rename(QFile::encodeName(tempPath).constData(), targetName.constData()) != 0)
        fail(target, errnoText(errno));
    temp.setAutoRemove(false);
    syncFolder(folder);
}

} // namespace pxv
