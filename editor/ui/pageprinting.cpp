#include "pageprinting.h"

#include "core/pageexport.h"
#include "core/workerrun.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace pxv {

namespace {

// The printing texts, under a context of their own.
struct Printing
{
    Q_DECLARE_TR_FUNCTIONS(pxv::Printing)
};

// Pages are drawn at the printer's resolution up to this: more costs hundreds of megabytes a
// page and shows no more on paper.
constexpr int kMaxDrawnDpi = 300;

} // namespace

void printPages(const RenderSource& source, const QVector<int>& pages, QPrinter& printer, bool fit,
                const SplitProgress& progress)
{
    const int dpi = std::min(printer.resolution(), kMaxDrawnDpi);
    const double deviceScale = double(printer.resolution()) / dpi;
    QPainter painter;
    bool failedToStart = false;
    QImage drawn; // written by the worker while it waits for the page to be painted
    int painted = -1;
    const SplitProgress paint = [&](int index, int count, const QString& path) {
        // The same page is told again while the next one is drawn: it is painted once.
        if (index > painted) {
            // Each sheet turns to its page's shape; the layout is set before the sheet begins.
            printer.setPageOrientation(drawn.width() > drawn.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
            if (painted >= 0) {
                printer.newPage();
            } else if (!painter.begin(&printer)) {
                failedToStart = true;
                return false;
            }
            // The painter keeps the first sheet's viewport; the printer knows the current one.
            const QRect area(0, 0, printer.width(), printer.height());
            QSize size = drawn.size() * deviceScale;
            if (fit || size.width() > area.width() || size.height() > area.height())
                size.scale(area.size(), Qt::KeepAspectRatio);
            painter.drawImage(QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size), drawn);
            painted = index;
        }
        return !progress || progress(index, count, path);
    };
    try {
        runOnWorker(
            [&](const SplitProgress& next) {
                drawPages(source, pages, dpi, [&](int index, const QImage& image) {
                    drawn = image;
                    return next(index, pages.size(), QString());
                });
            },
            paint);
    } catch (const DocumentError& error) {
        if (painter.isActive())
            printer.abort();
        if (failedToStart)
            throw DocumentError(DocumentError::Failed, Printing::tr("The printer could not be started."));
        throw;
    }
    if (painter.isActive())
        painter.end();
}

} // namespace pxv
