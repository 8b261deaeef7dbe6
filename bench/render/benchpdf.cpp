#include "benchpdf.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace bench {

void writeManual(const QString& path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter painter(&writer);
    const QRect area = painter.viewport().adjusted(200, 200, -200, -200);
    const QString sentence = QStringLiteral(
        "The editor keeps each document in its own tab; pages scroll continuously and render on worker "
        "threads, so that the window stays responsive while a long manual is read. ");
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        QFont heading(QStringLiteral("DejaVu Serif"), 16, QFont::Bold);
        painter.setFont(heading);
        painter.drawText(area.topLeft() + QPoint(0, 80), QStringLiteral("Chapter %1").arg(page + 1));
        QFont body(QStringLiteral("DejaVu Serif"), 10);
        painter.setFont(body);
        QString text;
        for (int i = 0; i < 24; ++i)
            text += sentence;
        painter.drawText(area.adjusted(0, 160, 0, -area.height() / 3), Qt::TextWordWrap, text);
        painter.drawRect(area.adjusted(0, area.height() * 2 / 3 + 40, 0, 0));
        for (int i = 0; i < 12; ++i)
            painter.drawLine(area.left(), area.top() + area.height() * 2 / 3 + 80 + i * 40, area.right(),
                             area.top() + area.height() * 2 / 3 + 80 + i * 40);
    }
}

void writeLongDocument(const QString& path, int pages)
{
    QByteArray out = "%PDF-1.7\n";
    QList<qint64> offsets;
    auto object = [&](const QByteArray& body) {
        offsets.append(out.size());
        out += QByteArray::number(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    };
    object("<< /Type /Catalog /Pages 2 0 R >>");
    QByteArray kids;
    for (int i = 0; i < pages; ++i)
        kids += QByteArray::number(4 + 2 * i) + " 0 R ";
    object("<< /Type /Pages /Count " + QByteArray::number(pages) + " /Kids [" + kids + "] >>");
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman >>");
    for (int i = 0; i < pages; ++i) {
        object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R >> >> "
               "/Contents " + QByteArray::number(5 + 2 * i) + " 0 R >>");
        QByteArray content = "BT /F1 11 Tf 14 TL 72 770 Td";
        for (int line = 0; line < 40; ++line)
            content += " (Page " + QByteArray::number(i + 1) + ", line " + QByteArray::number(line + 1)
                + ": the quick brown fox jumps over the lazy dog.) '";
        content += " ET";
        object("<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream");
    }
    const qint64 xref = out.size();
    out += "xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (qint64 offset : offsets)
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(out);
}

} // namespace bench
