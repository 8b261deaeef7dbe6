#include "scratchfile.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pxv {

std::shared_ptr<ScratchFile> ScratchFile::create()
{
    QByteArray name = QFile::encodeName(QDir::tempPath() + QStringLiteral("/pdf-XXXXXX"));
    // Mode 0600: the document may be private; not inherited by the programs this one starts.
    const int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    ::unlink(name.constData());
    std::shared_ptr<ScratchFile> file(new ScratchFile(descriptor));
    // Without /proc (some containers) the file cannot be opened again by its path.
    if (::access(QFile::encodeName(file->path()).constData(), R_OK | W_OK) != 0)
        return nullptr;
    return file;
}

ScratchFile::~ScratchFile()
{
    ::close(m_descriptor);
}

QString ScratchFile::path() const
{
    return QStringLiteral("/proc/self/fd/%1").arg(m_descriptor);
}

qint64 ScratchFile::size() const
{
    struct stat status{};
    return ::fstat(m_descriptor, &status) == 0 ? qint64(status.st_size) : -1;
}

} // namespace pxv
