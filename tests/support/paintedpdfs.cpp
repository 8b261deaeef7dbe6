#include "paintedpdfs.h"

#include <QPainter>
#include <QPdfWriter>

#include <functional>

namespace testpdfs {

namespace {

// Paints `pages` A4 pages at `dpi`; paintPage gets the page's full area in device pixels.
void paintPages(const QString& path, int pages, int dpi,
                const std::function<void(QPainter&, const QRect&, int)>& paintPage)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(dpi);
    QPainter painter(&writer);
    const QRect page = painter.viewport();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        paintPage(painter, page, i);
    }
}

} // namespace

QString write(const QString& path, int pageCount)
{
    paintPages(path, pageCount, 72, [](QPainter& painter, const QRect& page, int index) {
        QFont font = painter.font();
        font.setPointSize(48);
        painter.setFont(font);
        painter.drawText(page, Qt::AlignCenter, QStringLiteral("Page %1").arg(index + 1));
    });
    return path;
}

void writeManual(const QString& path, int pages)
{
    const QString sentence = QStringLiteral(
        "The editor keeps each document in its own tab; pages scroll continuously and render on worker "
        "threads, so that the window stays responsive while a long manual is read. ");
    QString text;
    for (int i = 0; i < 24; ++i)
        text += sentence;
    paintPages(path, pages, 300, [&text](QPainter& painter, const QRect& page, int index) {
        const QRect area = page.adjusted(200, 200, -200, -200);
        painter.setFont(QFont(QStringLiteral("DejaVu Serif"), 16, QFont::Bold));
        painter.drawText(area.topLeft() + QPoint(0, 80), QStringLiteral("Chapter %1").arg(index + 1));
        painter.setFont(QFont(QStringLiteral("DejaVu Serif"), 10));
        painter.drawText(area.adjusted(0, 160, 0, -area.height() / 3), Qt::TextWordWrap, text);
        painter.drawRect(area.adjusted(0, area.height() * 2 / 3 + 40, 0, 0));
        for (int i = 0; i < 12; ++i) {
            const int y = area.top() + area.height() * 2 / 3 + 80 + i * 40;
            painter.drawLine(area.left(), y, area.right(), y);
        }
    });
}

} // namespace testpdfs
