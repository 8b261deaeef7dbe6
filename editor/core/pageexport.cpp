#include "pageexport.h"

#include "atomicfile.h"
#include "document_p.h"
#include "sourcecopy.h"

#include <QFile>
#include <QImageWriter>

namespace pxv {

namespace {

DocumentError cancelled()
{
    return DocumentError(DocumentError::Cancelled, documentText("Exporting was cancelled."));
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
    QImage image = copy.renderPage(page, settings.dpi / 72.0, nullptr);
    const int dotsPerMeter = qRound(settings.dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QImageWriter writer(path, settings.format == ExportFormat::Jpeg ? "jpeg" : "png");
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
    int told = 0;
    bool stopped = false; // the atomic write reports any failure as one of writing
    const auto next = [&](const QString& path) {
        stopped = progress && !progress(told, count, path);
        ++told;
        return !stopped;
    };
    QStringList written;
    try {
        const std::unique_ptr<mu::MuDocument> copy = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
        for (const ExportFile& file : files) {
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
            written.append(file.path);
        }
    } catch (...) {
        for (const QString& path : written)
            QFile::remove(path);
        if (stopped)
            throw cancelled();
        try {
            throw;
        } catch (const MuError& error) {
            throw DocumentError(DocumentError::Failed, QString::fromUtf8(error.what()));
        }
    }
}

void drawPages(const RenderSource& source, const QVector<int>& pages, int dpi,
               const std::function<bool(int index, const QImage& image)>& take)
{
    try {
        const std::unique_ptr<mu::MuDocument> copy = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
        for (int i = 0; i < pages.size(); ++i) {
            if (!take(i, copy->renderPage(pages[i], dpi / 72.0, nullptr)))
                throw DocumentError(DocumentError::Cancelled, documentText("Printing was cancelled."));
        }
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed, QString::fromUtf8(error.what()));
    }
}

} // namespace pxv
