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

QString writeWithLinks(const QString& path, const QString& uri)
{
    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Annots [5 0 R 6 0 R] >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>",
        "<< /Type /Annot /Subtype /Link /Rect [100 600 300 700] /Border [0 0 0] /Dest [4 0 R /XYZ 0 792 0] >>",
        "<< /Type /Annot /Subtype /Link /Rect [100 400 300 500] /Border [0 0 0] /A << /S /URI /URI ("
            + uri.toLatin1() + ") >> >>",
    };
    return writeObjects(path, objects);
}

QString writeObjects(const QString& path, const QList<QByteArray>& objects)
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const int xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (int offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    return writeBytes(path, pdf);
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
