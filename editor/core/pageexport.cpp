#include "pageexport.h"

#include "atomicfile.h"
#include "document_p.h"
#include "sourcecopy.h"
#include "workerthread.h"

#include <QFile>
#include <QImageWriter>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace pxv {

namespace {

DocumentError cancelled()
{
    return DocumentError(DocumentError::Cancelled, Document::tr("Exporting was cancelled."));
}

QByteArray writerFormat(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Docx:
        return "docx";
    case ExportFormat::Odt:
        return "odt";
    case ExportFormat::Text:
        return "text";
    default:
        return "html";
    }
}

void writeImage(mu::MuDocument& copy, int page, const ExportSettings& settings, const QString& path)
{
    // MuPDF's PNG encoder (one filter for every row) is far cheaper than libpng's search for the
    // best filter of each row through QImageWriter, and takes the page as drawn, with no copy.
    if (settings.format == ExportFormat::Png) {
        copy.writePngPage(page, settings.dpi, path);
        return;
    }
    // MuPDF 1.21 has no JPEG encoder of its own.
    QImage image = copy.renderPage(page, settings.dpi / 72.0, nullptr);
    const int dotsPerMeter = qRound(settings.dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(settings.quality);
    if (!writer.write(image))
        throw DocumentError(DocumentError::SaveFailed, writer.errorString());
}

} // namespace

bool isOnePagePerFile(ExportFormat format)
{
    return format == ExportFormat::Png || format == ExportFormat::Jpeg || format == ExportFormat::Svg;
}

QString pageFileName(const QString& pattern, int page)
{
    QString name = pattern;
    return name.replace(QLatin1String("{n}"), QString::number(page));
}

void exportPages(const RenderSource& source, const QList<ExportFile>& files, const ExportSettings& settings,
                 const SplitProgress& progress)
{
    int count = 0;
    for (const ExportFile& file : files)
        count += file.pages.size();
    std::mutex mutex; // progress is told from one worker at a time
    int told = 0;
    std::atomic<bool> stopped{false}; // the atomic write reports any failure as one of writing
    const auto next = [&](const QString& path) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!stopped && progress && !progress(told, count, path))
            stopped = true;
        ++told;
        return !stopped;
    };
    // Files of one page each are independent: workers share them out, each drawing from a copy
    // of its own (a context of its own), as the page renderer's workers do.
    const int workers = isOnePagePerFile(settings.format)
                            ? std::max(1, std::min(QThread::idealThreadCount(), int(files.size())))
                            : 1;
    std::atomic<int> nextFile{0};
    QStringList written;
    std::exception_ptr failure;
    std::atomic<bool> failed{false}; // tells the other workers to stop
    const auto work = [&] {
        try {
            const std::unique_ptr<mu::MuDocument> copy = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
            for (int index = nextFile++; index < files.size() && !stopped && !failed; index = nextFile++) {
                const ExportFile& file = files[index];
                replaceFileAtomically(file.path, [&](const QString& temp) {
                    if (!isOnePagePerFile(settings.format)) {
                        copy->writePages(file.pages, writerFormat(settings.format), temp,
                                         [&](int) { return next(file.path); });
                        return;
                    }
                    Q_ASSERT(file.pages.size() == 1);
                    if (!next(file.path))
                        throw cancelled();
                    if (settings.format == ExportFormat::Svg)
                        copy->writeSvgPage(file.pages.first(), temp);
                    else
                        writeImage(*copy, file.pages.first(), settings, temp);
                });
                std::lock_guard<std::mutex> lock(mutex);
                written.append(file.path);
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex);
            if (!failure)
                failure = std::current_exception();
            failed = true;
        }
    };
    std::vector<std::thread> helpers;
    for (int i = 1; i < workers; ++i)
        helpers.emplace_back([&] {
            prepareWorkerThread("pxv-export");
            work();
        });
    work();
    for (std::thread& helper : helpers)
        helper.join();
    if (!failure && !stopped)
        return;
    for (const QString& path : written)
        QFile::remove(path);
    if (stopped)
        throw cancelled();
    try {
        std::rethrow_exception(failure);
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed, QString::fromUtf8(error.what()));
    }
}

void drawPages(const RenderSource& source, const QVector<int>& pages, int dpi,
               const std::function<bool(int index, const QImage& image)>& take)
{
    try {
        const std::unique_ptr<mu::MuDocument> copy = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
        for (int i = 0; i < pages.size(); ++i) {
            if (!take(i, copy->renderPage(pages[i], dpi / 72.0, nullptr)))
                throw DocumentError(DocumentError::Cancelled, Document::tr("Printing was cancelled."));
        }
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed, QString::fromUtf8(error.what()));
    }
}

} // namespace pxv
