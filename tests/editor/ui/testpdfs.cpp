#include "testpdfs.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

namespace testpdfs {

QString write(const QString& path, int pageCount)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter painter(&writer);
    QFont font = painter.font();
    font.setPointSize(48);
    painter.setFont(font);
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawText(QRect(0, 0, 595, 842), Qt::AlignCenter, QStringLiteral("Page %1").arg(i + 1));
    }
    painter.end();
    return path;
}

QString writeEncrypted(const QString& source, const QString& path, const QString& password)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--encrypt"), password, password + QStringLiteral("-owner"),
                                        QStringLiteral("256"), QStringLiteral("--"), source, path});
    if (!qpdf.waitForFinished(30000) || qpdf.exitCode() != 0)
        return QString();
    return path;
}

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

bool qpdfCheck(const QString& path, QString* output)
{
    QProcess qpdf;
    qpdf.setProcessChannelMode(QProcess::MergedChannels);
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
    const bool finished = qpdf.waitForFinished(30000);
    if (output)
        *output = QString::fromLocal8Bit(qpdf.readAll());
    return finished && qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0;
}

} // namespace testpdfs
