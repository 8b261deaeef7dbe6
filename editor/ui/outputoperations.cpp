#include "outputoperations.h"

#include "core/compress.h"
#include "core/fontfiles.h"
#include "core/pageexport.h"
#include "core/papersizes.h"
#include "core/workerrun.h"
#include "cpxvdocument.h"
#include "operationregistry.h"
#include "pageprinting.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPrinter>
#include <QThread>

namespace pxv {

namespace {

const QString kPath = QStringLiteral("Path");
const QString kFormat = QStringLiteral("Format");

int boundedInteger(OperationCall& call, const QString& parameter, int fallback, int low, int high)
{
    const int value = call.integer(parameter, fallback);
    if (value < low || value > high)
        throw call.invalid(parameter, OperationRegistry::tr("it is %1 to %2, not %3").arg(low).arg(high).arg(value));
    return value;
}

// Runs work on a worker, telling the call's progress between pages.
void runWork(OperationCall& call, const std::function<void(const SplitProgress&)>& work)
{
    try {
        runOnWorker(work, call.progress());
    } catch (const DocumentError& error) {
        throw PXV_Error(error.kind() == DocumentError::Cancelled ? PXV_Error::Cancelled : PXV_Error::Failed,
                        error.message());
    }
}

// "Format", "Quality" and "Resolution"; fallback is the format when absent.
ExportSettings imageSettings(OperationCall& call, const QString& fallback)
{
    static const QHash<QString, ExportFormat> formats{
        {QStringLiteral("png"), ExportFormat::Png},   {QStringLiteral("jpeg"), ExportFormat::Jpeg},
        {QStringLiteral("jpg"), ExportFormat::Jpeg},  {QStringLiteral("svg"), ExportFormat::Svg},
        {QStringLiteral("docx"), ExportFormat::Docx}, {QStringLiteral("odt"), ExportFormat::Odt},
        {QStringLiteral("txt"), ExportFormat::Text},  {QStringLiteral("html"), ExportFormat::Html}};
    const QString name = call.has(kFormat) ? call.text(kFormat).trimmed().toLower() : fallback;
    if (!formats.contains(name))
        throw call.invalid(
            kFormat, OperationRegistry::tr("“%1” is not one of “docx”, “odt”, “txt”, “html”, “svg”, “png” or “jpeg”")
                         .arg(call.text(kFormat)));
    ExportSettings settings;
    settings.format = formats.value(name);
    settings.quality = boundedInteger(call, QStringLiteral("Quality"), settings.quality, 1, 100);
    settings.dpi = boundedInteger(call, QStringLiteral("Resolution"), settings.dpi, 10, 1200);
    return settings;
}

QString suffix(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Png:
        return QStringLiteral(".png");
    case ExportFormat::Jpeg:
        return QStringLiteral(".jpg");
    case ExportFormat::Svg:
        return QStringLiteral(".svg");
    case ExportFormat::Docx:
        return QStringLiteral(".docx");
    case ExportFormat::Odt:
        return QStringLiteral(".odt");
    case ExportFormat::Text:
        return QStringLiteral(".txt");
    case ExportFormat::Html:
        return QStringLiteral(".html");
    }
    return QString();
}

// Writes the files of the document as it is now on a worker; "Output": their paths.
void writeFiles(OperationCall& call, const CPXVDocument& document, const QList<ExportFile>& files,
                const ExportSettings& settings)
{
    const std::shared_ptr<const RenderSource> source = document.model()->renderSource();
    runWork(call, [&](const SplitProgress& progress) { exportPages(*source, files, settings, progress); });
    QStringList paths;
    for (const ExportFile& file : files)
        paths.append(file.path);
    call.setOutputValue(paths);
}

// "Size" as a paper's size in points; empty when absent and fallback is empty.
QSizeF paper(OperationCall& call, const QString& fallback)
{
    if (!call.has(QStringLiteral("Size")))
        return paperSize(fallback);
    const QSizeF size = paperSize(call.text(QStringLiteral("Size")));
    if (size.isEmpty())
        throw call.invalid(QStringLiteral("Size"),
                           OperationRegistry::tr("“%1” is not a paper size such as “A4” or “Letter”")
                               .arg(call.text(QStringLiteral("Size"))));
    return size;
}

double margin(OperationCall& call, const QSizeF& paper, double fallback)
{
    const double points = call.number(QStringLiteral("Margin"), fallback);
    if (points < 0 || points * 3 > qMin(paper.width(), paper.height()))
        throw call.invalid(QStringLiteral("Margin"),
                           OperationRegistry::tr("%1 points leave too little of the page, or are below 0").arg(points));
    return points;
}

} // namespace

std::shared_ptr<CPXVDocument> outputNew(OperationCall& call,
                                        const std::function<std::unique_ptr<Document>(const SplitProgress&)>& make)
{
    std::unique_ptr<Document> made;
    QThread* caller = QThread::currentThread();
    runWork(call, [&](const SplitProgress& progress) {
        made = make(progress);
        made->moveToThread(caller);
    });
    auto output = std::make_shared<CPXVDocument>(std::move(made));
    call.setOutput(output);
    return output;
}

void compressDocument(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QString level = call.has(QStringLiteral("Level")) ? call.text(QStringLiteral("Level")).trimmed().toLower()
                                                            : QStringLiteral("lossless");
    if (level != QLatin1String("lossless") && level != QLatin1String("lossy"))
        throw call.invalid(QStringLiteral("Level"),
                           OperationRegistry::tr("“%1” is not “lossless” or “lossy”").arg(level));
    CompressSettings settings;
    settings.lossy = level == QLatin1String("lossy");
    for (const QString& lossyOnly : {QStringLiteral("Resolution"), QStringLiteral("Quality")}) {
        if (call.has(lossyOnly) && !settings.lossy)
            throw call.invalid(lossyOnly, OperationRegistry::tr("it is only taken with “Level” “lossy”"));
    }
    settings.dpi = boundedInteger(call, QStringLiteral("Resolution"), settings.dpi, 10, 1200);
    settings.quality = boundedInteger(call, QStringLiteral("Quality"), settings.quality, 1, 100);
    const QString path = call.has(kPath) ? call.text(kPath) : QString();
    if (path.trimmed().isEmpty())
        throw call.invalid(kPath, OperationRegistry::tr("the file to write is missing"));
    const Document& model = *document->model();
    const QFileInfo target(path);
    if (!model.filePath().isNull() && target.exists()
        && target.canonicalFilePath() == QFileInfo(model.filePath()).canonicalFilePath())
        throw call.invalid(kPath, OperationRegistry::tr("it is the document's own file; choose another"));
    const std::shared_ptr<const RenderSource> source = model.renderSource();
    CompressResult result;
    runWork(call, [&](const SplitProgress& progress) {
        result = pxv::compressDocument(*source, model.filePath(), model.isModified(), target.absoluteFilePath(),
                                       settings, progress);
    });
    call.setOutputValue(
        QVariantMap{{QStringLiteral("Before"), result.before}, {QStringLiteral("After"), result.after}});
}

void printDocument(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    QPrinter printer(QPrinter::HighResolution);
    if (call.has(kPath)) {
        if (call.text(kPath).trimmed().isEmpty())
            throw call.invalid(kPath, OperationRegistry::tr("it is empty"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(call.text(kPath));
    }
    printer.setCopyCount(boundedInteger(call, QStringLiteral("Copies"), 1, 1, 999));
    const QString fit = call.has(QStringLiteral("Fit")) ? call.text(QStringLiteral("Fit")).trimmed().toLower()
                                                        : QStringLiteral("true");
    if (fit != QLatin1String("true") && fit != QLatin1String("false"))
        throw call.invalid(QStringLiteral("Fit"), OperationRegistry::tr("“%1” is not “true” or “false”").arg(fit));
    const std::shared_ptr<const RenderSource> source = document->model()->renderSource();
    try {
        printPages(*source, pages, printer, fit == QLatin1String("true"), call.progress());
    } catch (const DocumentError& error) {
        throw PXV_Error(error.kind() == DocumentError::Cancelled ? PXV_Error::Cancelled : PXV_Error::Failed,
                        error.message());
    }
}

void imagesToDoc(OperationCall& call)
{
    const QStringList paths = call.texts(QStringLiteral("Input"));
    if (paths.isEmpty())
        throw call.invalid(QStringLiteral("Input"), OperationRegistry::tr("there are no image files"));
    const QSizeF size = paper(call, QString());
    if (call.has(QStringLiteral("Margin")) && size.isEmpty())
        throw call.invalid(QStringLiteral("Margin"), OperationRegistry::tr("it is only taken with a “Size”"));
    const double border = size.isEmpty() ? 0 : margin(call, size, 36);
    outputNew(call, [&](const SplitProgress& progress) {
        return Document::fromImages(paths, size, border, [&](int index, const QString& path) {
            return !progress || progress(index, paths.size(), path);
        });
    });
}

void textToDoc(OperationCall& call)
{
    const QString path = call.has(QStringLiteral("Input")) ? call.text(QStringLiteral("Input")) : QString();
    if (path.trimmed().isEmpty())
        throw call.invalid(QStringLiteral("Input"), OperationRegistry::tr("the text file is missing"));
    const QSizeF size = paper(call, QStringLiteral("A4"));
    const double border = margin(call, size, 56);
    const double fontSize = call.number(QStringLiteral("FontSize"), 10);
    if (fontSize < 4 || fontSize > 72)
        throw call.invalid(QStringLiteral("FontSize"),
                           OperationRegistry::tr("it is 4 to 72 points, not %1").arg(fontSize));
    QByteArray font;
    if (call.has(QStringLiteral("Font"))) {
        const QString family = call.text(QStringLiteral("Font"));
        font = fontForFamily(family);
        if (font.isEmpty())
            throw call.invalid(
                QStringLiteral("Font"),
                OperationRegistry::tr("“%1” is not an installed TrueType or OpenType font family").arg(family));
    }
    outputNew(call, [&](const SplitProgress&) { return Document::fromText(path, size, border, fontSize, font); });
}

void exportToImages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    ExportSettings settings = imageSettings(call, QStringLiteral("png"));
    if (!isOnePagePerFile(settings.format))
        throw call.invalid(kFormat, OperationRegistry::tr("“%1” is not “png” or “jpeg”").arg(call.text(kFormat)));
    const QVector<int> pages = call.pages(*document);
    const QDir folder(call.outputFolder());
    const QString pattern = call.has(QStringLiteral("Pattern")) ? call.text(QStringLiteral("Pattern"))
                                                                : QStringLiteral("page-{n}") + suffix(settings.format);
    if (pages.size() > 1 && !pattern.contains(QLatin1String("{n}")))
        throw call.invalid(QStringLiteral("Pattern"), OperationRegistry::tr("it needs “{n}” for the page number"));
    QList<ExportFile> files;
    for (int page : pages) {
        const QString name = pageFileName(pattern, page + 1);
        if (name.trimmed().isEmpty() || name.contains(QLatin1Char('/')))
            throw call.invalid(QStringLiteral("Pattern"), OperationRegistry::tr("“%1” is not a file name").arg(name));
        files.append({folder.absoluteFilePath(name), {page}});
    }
    writeFiles(call, *document, files, settings);
}

void convertDocument(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    if (!call.has(kFormat))
        throw call.invalid(kFormat, OperationRegistry::tr("it is missing"));
    const ExportSettings settings = imageSettings(call, QString());
    const QVector<int> pages = call.pages(*document);
    const QString path = call.has(kPath) ? call.text(kPath) : QString();
    if (path.trimmed().isEmpty())
        throw call.invalid(kPath, OperationRegistry::tr("the file or folder to write is missing"));
    QList<ExportFile> files;
    if (QFileInfo(path).isDir()) {
        // A folder: one file per page, named after the document.
        const QDir folder(call.outputFolder());
        const QString base = document->model()->filePath().isNull()
                                 ? OperationRegistry::tr("Untitled")
                                 : QFileInfo(document->model()->filePath()).completeBaseName();
        for (int page : pages)
            files.append({folder.absoluteFilePath(OperationRegistry::tr("%1 - page %2").arg(base).arg(page + 1)
                                                  + suffix(settings.format)),
                          {page}});
    } else {
        if (isOnePagePerFile(settings.format) && pages.size() > 1)
            throw call.invalid(kPath, OperationRegistry::tr("a %1 file holds one page, so %2 pages need a folder")
                                          .arg(call.text(kFormat))
                                          .arg(pages.size()));
        files.append({QFileInfo(path).absoluteFilePath(), pages});
    }
    writeFiles(call, *document, files, settings);
}

} // namespace pxv
