#include "atomicfile.h"

#include "document.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace pxv {

namespace {

[[noreturn]] void fail(const QString& target, const QString& reason)
{
    throw DocumentError(DocumentError::SaveFailed,
                        Document::tr("Could not save \"%1\": %2").arg(QDir::toNativeSeparators(target), reason));
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
    for (const char32_t code : name.toUcs4()) {
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

// The hidden name of the temporary files for a target called fileName, shortened so that it fits
// the file system's limit even for a long target name.
QString temporaryPrefix(const QString& fileName)
{
    // Cut by bytes: the whole name must fit the file system's 255-byte limit.
    return QStringLiteral(".") + startWithinBytes(fileName, 100) + QStringLiteral(".");
}

const char kTemporarySuffix[] = ".saving";

// Temporary files of an earlier save of the same target that was killed before it could clean
// up. Only regular files of this user go, and only when no running save holds them locked.
void removeStaleTemporaries(const QString& folder, const QString& fileName)
{
    const QRegularExpression ours(QStringLiteral("^") + QRegularExpression::escape(temporaryPrefix(fileName))
                                  + QStringLiteral("[A-Za-z0-9]{6}") + QRegularExpression::escape(kTemporarySuffix)
                                  + QStringLiteral("$"));
    const QStringList candidates = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates) {
        if (!ours.match(name).hasMatch())
            continue;
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info;
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
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
        fail(target, Document::tr("the folder \"%1\" does not exist").arg(QDir::toNativeSeparators(folder)));
    if (info.isDir())
        fail(target, Document::tr("it is a folder"));

    removeStaleTemporaries(folder, info.fileName());

    // Hidden and next to the target, so that the rename stays within one file system. It stays
    // open and locked until the end, which tells a later save that it is not stale.
    QTemporaryFile temp(folder + QLatin1Char('/') + temporaryPrefix(info.fileName()) + QStringLiteral("XXXXXX")
                        + QLatin1String(kTemporarySuffix));
    if (!temp.open())
        fail(target, temp.errorString());
    if (::flock(temp.handle(), LOCK_EX | LOCK_NB) != 0)
        fail(target, errnoText(errno));
    const QString tempPath = temp.fileName();

    try {
        write(tempPath);
    } catch (const DocumentError& error) {
        fail(target, error.message());
    } catch (const std::exception& error) {
        fail(target, QString::fromUtf8(error.what()));
    }

    if (QFileInfo(tempPath).size() == 0)
        fail(target, Document::tr("nothing was written"));
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

std::optional<FileStamp> fileStamp(const QString& path)
{
    constexpr qint64 kEnd = 4096;
    QFile file(path);
    struct stat info;
    if (!file.open(QIODevice::ReadOnly) || ::fstat(file.handle(), &info) != 0)
        return std::nullopt;
    FileStamp stamp{quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size), file.read(kEnd)};
    if (stamp.size > kEnd && file.seek(std::max(kEnd, stamp.size - kEnd)))
        stamp.ends += file.read(kEnd);
    return stamp;
}

void copyFileContents(const QString& from, const QString& to)
{
    const auto failWith = [](const QString& what) { throw DocumentError(DocumentError::SaveFailed, what); };
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        failWith(
            Document::tr("the file \"%1\" cannot be read: %2").arg(QDir::toNativeSeparators(from), errnoText(errno)));
    const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        failWith(errnoText(error));
    }
    std::vector<char> buffer(1 << 20);
    int readError = 0;
    int writeError = 0;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            readError = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < got && !writeError;) {
            const ssize_t put = ::write(out, buffer.data() + done, size_t(got - done));
            if (put > 0)
                done += put;
            else if (put < 0 && errno != EINTR)
                writeError = errno;
            else if (put == 0)
                writeError = EIO;
        }
        if (writeError)
            break;
    }
    ::close(in);
    if (::close(out) != 0 && !writeError)
        writeError = errno;
    if (readError)
        failWith(Document::tr("the file \"%1\" cannot be read: %2")
                     .arg(QDir::toNativeSeparators(from), errnoText(readError)));
    if (writeError)
        failWith(errnoText(writeError));
}

} // namespace pxv
