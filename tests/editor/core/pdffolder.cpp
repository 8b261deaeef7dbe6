#include "pdffolder.h"

QString PdfFolder::write(const QString& name, const QByteArray& data) const
{
    const QString path = testpdfs::writeBytes(filePath(name), data);
    if (path.isEmpty())
        qFatal("cannot write %s", qPrintable(filePath(name)));
    return path;
}
