#include "outputfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pxv {

QString outputFolder(const QString& documentPath)
{
    if (!documentPath.isEmpty()) {
        const QFileInfo folder(QFileInfo(documentPath).absolutePath());
        if (folder.isDir() && folder.isWritable())
            return folder.absoluteFilePath();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace pxv
