#include "operationregistry.h"

#include "core/document.h"
#include "core/pagerange.h"
#include "core/splitplan.h"
#include "core/papersizes.h"
#include "cpxvcontrol.h"
#include "cpxvdocument.h"
#include "cpxvinst.h"
#include "nametable.h"
#include "operation.h"
#include "annotationoperation.h"
#include "outputoperations.h"
#include "xfdfoperations.h"

#include <QColor>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace pxv {

namespace {

const QString kInput = QStringLiteral("Input");
const QString kPages = QStringLiteral("Pages");
const QString kPosition = QStringLiteral("Position");
const QString kPath = QStringLiteral("Path");
const QString kAngle = QStringLiteral("Angle");
const QString kSource = QStringLiteral("Source");
const QString kSourcePages = QStringLiteral("SourcePages");
const QString kCount = QStringLiteral("Count");
const QString kSize = QStringLiteral("Size");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kOrientation = QStringLiteral("Orientation");
const QString kScale = QStringLiteral("Scale");
const QString kOutput = QStringLiteral("Output");
const QString kSplit = QStringLiteral("Split");

// The paper sizes for messages: “A3”, “A4”, …
QString paperNames()
{
    QStringList names;
    for (const PaperSize& paper : paperSizes())
        names.append(QStringLiteral("“%1”").arg(paper.name));
    return names.join(QStringLiteral(", "));
}

void newBlankDoc(OperationCall& call)
{
    call.setOutput(std::make_shared<CPXVDocument>(modelCall([] { return Document::createBlank(); })));
}

void combineDocs(OperationCall& call)
{
    const QStringList paths = call.texts(kInput);
    if (paths.isEmpty())
        throw call.invalid(kInput, OperationRegistry::tr("there are no files to combine"));
    call.setOutput(std::make_shared<CPXVDocument>(call.inst().combineNow(paths)));
}

void saveDocument(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    QString path = call.has(kPath) ? call.text(kPath) : document->srcPath();
    if (call.has(kPath) && path.trimmed().isEmpty())
        throw call.invalid(kPath, OperationRegistry::tr("it is empty"));
    if (path.isNull())
        throw call.invalid(kPath,
                           OperationRegistry::tr("the document has no file yet, so a path to save it to is needed"));
    call.control().saveTo(*document, path);
    call.setOutput(document);
}

void rotatePages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const int angle = call.integer(kAngle, 90);
    if (angle != 90 && angle != 180 && angle != 270 && angle != -90)
        throw call.invalid(kAngle, OperationRegistry::tr("%1 is not 90, 180 or 270 degrees").arg(angle));
    const QVector<int> pages = call.pages(*document);
    modelCall([&] { document->model()->rotatePages(pages, angle); });
    call.setOutput(document);
}

// "Position" as a 0-based place to insert at; after the last page when absent.
int insertPosition(OperationCall& call, const CPXVDocument& document)
{
    const int count = document.pageCount();
    const int position = call.integer(kPosition, count + 1);
    if (position < 1 || position > count + 1)
        throw call.invalid(kPosition,
                           OperationRegistry::tr("the document has %1 pages, so pages can go to pages 1 to %2, not %3")
                               .arg(count)
                               .arg(count + 1)
                               .arg(position));
    return position - 1;
}

QString sourceFile(OperationCall& call)
{
    const QString path = call.has(kSource) ? call.text(kSource) : QString();
    if (path.trimmed().isEmpty())
        throw call.invalid(kSource, OperationRegistry::tr("the file to take pages from is missing"));
    return path;
}

// A page range of another file, checked against that file by the model.
template <typename F>
void withSourceRange(OperationCall& call, const QString& parameter, F run)
{
    try {
        modelCall(run);
    } catch (const PageRangeError& error) {
        throw call.invalid(parameter, error.message());
    }
}

void deletePages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    modelCall([&] { document->model()->deletePages(pages); });
    call.setOutput(document);
}

void insertEmptyPages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const int position = insertPosition(call, *document);
    const int count = call.integer(kCount, 1);
    const QString size = call.has(kSize) ? call.text(kSize).trimmed().toLower() : QStringLiteral("neighbour");
    QSizeF points = paperSize(size);
    if (size == QLatin1String("neighbour") || size == QLatin1String("neighbor"))
        points = document->model()->pageSize(position > 0 ? position - 1 : 0);
    else if (points.isEmpty())
        throw call.invalid(kSize,
                           OperationRegistry::tr("“%1” is not “neighbour” or %2").arg(call.text(kSize), paperNames()));
    points = QSizeF(call.integer(kWidth, qRound(points.width())), call.integer(kHeight, qRound(points.height())));
    if (call.has(kOrientation)) {
        const QString orientation = call.text(kOrientation).trimmed().toLower();
        if (orientation != QLatin1String("portrait") && orientation != QLatin1String("landscape"))
            throw call.invalid(
                kOrientation,
                OperationRegistry::tr("“%1” is not “portrait” or “landscape”").arg(call.text(kOrientation)));
        if ((orientation == QLatin1String("landscape")) != (points.width() > points.height()))
            points.transpose();
    }
    modelCall([&] { document->model()->insertBlankPages(position, count, points); });
    call.setOutput(document);
}

void insertPages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const int position = insertPosition(call, *document);
    if (const std::shared_ptr<CPXVDocument> open = call.documentIn(kSource)) {
        const QVector<int> pages = call.pages(*open);
        modelCall([&] { document->model()->insertPagesOf(*open->model(), pages, position); });
        call.setOutput(document);
        return;
    }
    const QString source = sourceFile(call);
    const QString range = call.has(kPages) ? call.text(kPages) : QStringLiteral("all");
    withSourceRange(call, kPages, [&] {
        document->model()->insertPages(source, range, position, call.inst().passwordsFor(nullptr));
    });
    call.setOutput(document);
}

void replacePages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    const QString source = sourceFile(call);
    const QString range = call.has(kSourcePages) ? call.text(kSourcePages) : QStringLiteral("all");
    withSourceRange(call, kSourcePages,
                    [&] { document->model()->replacePages(pages, source, range, call.inst().passwordsFor(nullptr)); });
    call.setOutput(document);
}

void cropPages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    const QMarginsF margins(call.number(QStringLiteral("Left"), 0), call.number(QStringLiteral("Top"), 0),
                            call.number(QStringLiteral("Right"), 0), call.number(QStringLiteral("Bottom"), 0));
    modelCall([&] { document->model()->cropPages(pages, margins); });
    call.setOutput(document);
}

// The files a split writes, by "Split", "Pages" and "Count".
QList<SplitPart> splitParts(OperationCall& call, const CPXVDocument& document, const QString& how)
{
    if (how == QLatin1String("pages"))
        return split::eachPage(call.pages(document));
    if (how == QLatin1String("count")) {
        if (!call.has(kCount))
            throw call.invalid(kCount, OperationRegistry::tr("it is missing: how many pages go into each file"));
        const int count = call.integer(kCount, 1);
        if (count < 1)
            throw call.invalid(
                kCount, OperationRegistry::tr("%1 is not a number of pages for each file (1 or more)").arg(count));
        return split::everyCount(call.pages(document), count);
    }
    if (how == QLatin1String("ranges")) {
        try {
            return split::byRanges(call.has(kPages) ? call.text(kPages) : QStringLiteral("all"), document.pageCount());
        } catch (const PageRangeError& error) {
            throw call.invalid(kPages, error.message());
        }
    }
    if (how == QLatin1String("outline")) {
        const QList<SplitPart> parts = split::byOutline(document.model()->outline(), call.pages(document),
                                                        document.pageCount());
        if (std::none_of(parts.cbegin(), parts.cend(), [](const SplitPart& part) { return !part.title.isNull(); }))
            throw call.invalid(
                kSplit, OperationRegistry::tr("the document has no top-level outline entries that lead to the pages"));
        return parts;
    }
    throw call.invalid(
        kSplit,
        OperationRegistry::tr("“%1” is not “none”, “pages”, “ranges”, “count” or “outline”").arg(call.text(kSplit)));
}

void splitDocument(OperationCall& call, const CPXVDocument& document, const QString& how)
{
    QList<SplitPart> parts = splitParts(call, document, how);
    const QString folder = call.outputFolder();
    const Document& model = *document.model();
    split::nameParts(model.filePath().isNull() ? OperationRegistry::tr("Untitled")
                                               : QFileInfo(model.filePath()).completeBaseName(),
                     parts);
    const QStringList written = modelCall([&] { return model.splitInto(folder, parts, call.progress()); });
    call.setOutputValue(written);
}

// A length in points that a page can have.
double pageLength(OperationCall& call, const QString& parameter)
{
    if (!call.has(parameter))
        throw call.invalid(parameter, OperationRegistry::tr("it is missing"));
    const double points = call.number(parameter, 0);
    if (!Document::isPageSizeAllowed(QSizeF(points, points)))
        throw call.invalid(parameter,
                           OperationRegistry::tr("pages are 1 to 14400 points wide and high, not %1").arg(points));
    return points;
}

Document::Orientation orientation(OperationCall& call)
{
    const QString text = call.has(kOrientation) ? call.text(kOrientation).trimmed().toLower() : QStringLiteral("auto");
    if (text == QLatin1String("portrait"))
        return Document::Orientation::Portrait;
    if (text == QLatin1String("landscape"))
        return Document::Orientation::Landscape;
    if (text == QLatin1String("auto"))
        return Document::Orientation::AsPage;
    throw call.invalid(
        kOrientation,
        OperationRegistry::tr("“%1” is not “portrait”, “landscape” or “auto”").arg(call.text(kOrientation)));
}

void scalePages(OperationCall& call, CPXVDocument& document, const QVector<int>& pages)
{
    for (const QString& other : {kSize, kWidth, kHeight, kOrientation}) {
        if (call.has(other))
            throw call.invalid(other, OperationRegistry::tr("a page is either scaled or given a size, not both"));
    }
    const double factor = call.number(kScale, 1);
    if (!(factor >= 0.1 && factor <= 10))
        throw call.invalid(kScale, OperationRegistry::tr("pages can be scaled by 0.1 to 10, not by %1").arg(factor));
    for (int page : pages) {
        if (!Document::isPageSizeAllowed(document.model()->pageSize(page) * factor))
            throw call.invalid(
                kScale,
                OperationRegistry::tr("page %1 would be larger than 14400 or smaller than 1 point").arg(page + 1));
    }
    modelCall([&] { document.model()->scalePages(pages, factor); });
}

void resizePages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    if (call.has(kScale)) {
        scalePages(call, *document, pages);
    } else {
        // Width and Height override the paper's lengths, as when inserting blank pages.
        QSizeF size;
        if (call.has(kSize)) {
            size = paperSize(call.text(kSize));
            if (size.isEmpty())
                throw call.invalid(kSize,
                                   OperationRegistry::tr("“%1” is not one of %2").arg(call.text(kSize), paperNames()));
        } else if (!call.has(kWidth) && !call.has(kHeight)) {
            throw call.invalid(kSize, OperationRegistry::tr("a size, a width and height, or a scale is needed"));
        }
        if (call.has(kWidth) || !call.has(kSize))
            size.setWidth(pageLength(call, kWidth));
        if (call.has(kHeight) || !call.has(kSize))
            size.setHeight(pageLength(call, kHeight));
        const Document::Orientation turn = orientation(call);
        modelCall([&] { document->model()->resizePages(pages, size, turn); });
    }
    call.setOutput(document);
}

void extractPages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QString how = call.has(kSplit) ? call.text(kSplit).trimmed().toLower() : QStringLiteral("none");
    if (call.has(kCount) && how != QLatin1String("count"))
        throw call.invalid(kCount, OperationRegistry::tr("it is only taken with “Split” “count”"));
    if (how != QLatin1String("none")) {
        splitDocument(call, *document, how);
        return;
    }
    const QVector<int> pages = call.pages(*document);
    auto extract = std::make_shared<CPXVDocument>(modelCall([&] { return document->model()->extractPages(pages); }));
    if (call.has(kPath)) {
        const QString path = call.text(kPath);
        if (path.trimmed().isEmpty())
            throw call.invalid(kPath, OperationRegistry::tr("it is empty"));
        call.control().saveTo(*extract, path);
    }
    call.setOutput(extract);
}

void movePages(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    if (!call.has(kPosition))
        throw call.invalid(kPosition, OperationRegistry::tr("it is missing"));
    const int count = document->pageCount();
    const int position = call.integer(kPosition, 1);
    if (position < 1 || position > count - pages.size() + 1)
        throw call.invalid(kPosition, OperationRegistry::tr("%1 pages of %2 can go to pages 1 to %3, not %4")
                                          .arg(pages.size())
                                          .arg(count)
                                          .arg(count - pages.size() + 1)
                                          .arg(position));
    modelCall([&] { document->model()->movePages(pages, position - 1); });
    call.setOutput(document);
}

// "Position" of a stamp; headers and footers stand at an edge, never in the middle.
StampPosition stampPosition(OperationCall& call, StampPosition fallback, bool edgesOnly)
{
    if (!call.has(kPosition))
        return fallback;
    static const QHash<QString, StampPosition> positions = {
        {QStringLiteral("center"), StampPosition::Center},
        {QStringLiteral("tile"), StampPosition::Tile},
        {QStringLiteral("top-left"), StampPosition::TopLeft},
        {QStringLiteral("top-right"), StampPosition::TopRight},
        {QStringLiteral("bottom-left"), StampPosition::BottomLeft},
        {QStringLiteral("bottom-right"), StampPosition::BottomRight},
        {QStringLiteral("top"), StampPosition::Top},
        {QStringLiteral("bottom"), StampPosition::Bottom}};
    const QString text = call.text(kPosition).trimmed().toLower();
    const auto found = positions.constFind(text);
    if (found == positions.constEnd()
        || (edgesOnly && (*found == StampPosition::Center || *found == StampPosition::Tile)))
        throw call.invalid(
            kPosition,
            edgesOnly ? OperationRegistry::tr("“%1” is not “top-left”, “top”, “top-right”, “bottom-left”, “bottom” or "
                                              "“bottom-right”")
                            .arg(call.text(kPosition))
                      : OperationRegistry::tr("“%1” is not “center”, “tile”, “top-left”, “top”, “top-right”, "
                                              "“bottom-left”, “bottom” or “bottom-right”")
                            .arg(call.text(kPosition)));
    return *found;
}

// A true-or-false parameter: "true", "false", "1" or "0".
bool flag(OperationCall& call, const QString& parameter, bool fallback)
{
    if (!call.has(parameter))
        return fallback;
    const QString text = call.text(parameter).trimmed().toLower();
    if (text != QLatin1String("true") && text != QLatin1String("false") && text != QLatin1String("1")
        && text != QLatin1String("0"))
        throw call.invalid(parameter, OperationRegistry::tr("“%1” is not true or false").arg(call.text(parameter)));
    return text == QLatin1String("true") || text == QLatin1String("1");
}

// What watermarks and headers share: "FontSize", "Color", "Opacity", "Rotation", "Behind".
StampStyle stampStyle(OperationCall& call, double fontSize)
{
    StampStyle style;
    style.fontSize = call.number(QStringLiteral("FontSize"), fontSize);
    if (!(style.fontSize >= 1 && style.fontSize <= 1000))
        throw call.invalid(QStringLiteral("FontSize"),
                           OperationRegistry::tr("a font size is 1 to 1000 points, not %1").arg(style.fontSize));
    if (call.has(QStringLiteral("Color"))) {
        const QString text = call.text(QStringLiteral("Color")).trimmed();
        style.color = QColor(text);
        if (!text.startsWith(QLatin1Char('#')) || text.size() != 7 || !style.color.isValid())
            throw call.invalid(QStringLiteral("Color"),
                               OperationRegistry::tr("“%1” is not a colour written as #rrggbb").arg(text));
    }
    style.opacity = call.number(QStringLiteral("Opacity"), 1);
    if (!(style.opacity >= 0 && style.opacity <= 1))
        throw call.invalid(QStringLiteral("Opacity"),
                           OperationRegistry::tr("opacity is 0 to 1, not %1").arg(style.opacity));
    style.rotation = call.number(QStringLiteral("Rotation"), 0);
    style.behind = flag(call, QStringLiteral("Behind"), false);
    return style;
}

void addWatermarks(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    StampStyle style = stampStyle(call, 48);
    style.position = stampPosition(call, StampPosition::Center, false);
    const QString text = call.has(QStringLiteral("Text")) ? call.text(QStringLiteral("Text")) : QString();
    if (call.has(QStringLiteral("Image"))) {
        if (!text.isEmpty())
            throw call.invalid(QStringLiteral("Image"),
                               OperationRegistry::tr("a watermark is either a text or an image, not both"));
        style.imagePath = call.text(QStringLiteral("Image"));
        if (!QFileInfo(style.imagePath).isFile())
            throw call.invalid(QStringLiteral("Image"),
                               OperationRegistry::tr("there is no file “%1”").arg(style.imagePath));
        style.imageScale = call.number(QStringLiteral("Scale"), 0);
        if (call.has(QStringLiteral("Scale")) && !(style.imageScale >= 0.01 && style.imageScale <= 10))
            throw call.invalid(
                QStringLiteral("Scale"),
                OperationRegistry::tr("an image is scaled by 0.01 to 10, not by %1").arg(style.imageScale));
    } else if (call.has(QStringLiteral("Scale"))) {
        throw call.invalid(QStringLiteral("Scale"), OperationRegistry::tr("only an image watermark is scaled"));
    } else if (text.trimmed().isEmpty()) {
        throw call.invalid(QStringLiteral("Text"), OperationRegistry::tr("a text or an image is needed"));
    }
    modelCall([&] { document->model()->addWatermark(pages, text, style); });
    call.setOutput(document);
}

void addHeaderFooter(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    StampStyle style = stampStyle(call, 10);
    style.position = stampPosition(call, StampPosition::Bottom, true);
    style.margins = QMarginsF(call.number(QStringLiteral("Left"), 36), call.number(QStringLiteral("Top"), 36),
                              call.number(QStringLiteral("Right"), 36), call.number(QStringLiteral("Bottom"), 36));
    const QString text = call.has(QStringLiteral("Text")) ? call.text(QStringLiteral("Text")) : QStringLiteral("{n}");
    if (text.trimmed().isEmpty())
        throw call.invalid(QStringLiteral("Text"), OperationRegistry::tr("it is empty"));
    const int first = call.integer(QStringLiteral("StartNumber"), 1);
    modelCall([&] { document->model()->addHeaderFooter(pages, text, first, style); });
    call.setOutput(document);
}

// Title, Author, Subject and Keywords; each absent one stays as it is.
void setProperties(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const DocumentInfo now = modelCall([&] { return document->model()->info(); });
    const auto field = [&](const char* name, const QString& current) {
        return call.has(QLatin1String(name)) ? call.text(QLatin1String(name)) : current;
    };
    const EditableInfo info{field("Title", now.title), field("Author", now.author), field("Subject", now.subject),
                            field("Keywords", now.keywords)};
    modelCall([&] { document->model()->setInfo(info); });
    call.setOutput(document);
}

void setSecurity(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    Protection protection;
    protection.openPassword = call.has(QStringLiteral("OpenPassword")) ? call.text(QStringLiteral("OpenPassword"))
                                                                       : QString();
    protection.permissionsPassword = call.has(QStringLiteral("PermissionsPassword"))
                                         ? call.text(QStringLiteral("PermissionsPassword"))
                                         : QString();
    const std::pair<const char*, Permission> permissions[] = {{"Print", PermitPrint},
                                                              {"Copy", PermitCopy},
                                                              {"Edit", PermitEdit},
                                                              {"Annotate", PermitAnnotate},
                                                              {"FillForms", PermitFillForms}};
    protection.permissions = 0;
    for (const auto& [name, permission] : permissions)
        protection.permissions |= flag(call, QLatin1String(name), true) ? permission : 0;
    for (const QString& password : {QStringLiteral("OpenPassword"), QStringLiteral("PermissionsPassword")}) {
        if (call.has(password) && call.text(password).toUtf8().size() > 127)
            throw call.invalid(password, OperationRegistry::tr("a password is at most 127 bytes long"));
    }
    modelCall([&] { document->model()->setProtection(protection); });
    call.setOutput(document);
}

template <StampKind kind>
void removeStamps(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QVector<int> pages = call.pages(*document);
    modelCall([&] { document->model()->removeStamps(pages, kind); });
    call.setOutput(document);
}

} // namespace

QString OperationCall::name() const
{
    return m_operation.name();
}

bool OperationCall::has(const QString& parameter) const
{
    return m_operation.params()->hasChild(parameter);
}

std::shared_ptr<CPXVDocument> OperationCall::document() const
{
    if (has(kInput)) {
        std::shared_ptr<CPXVDocument> document = documentIn(kInput);
        if (!document)
            throw invalid(kInput, OperationRegistry::tr("it holds no document of this editor"));
        return document;
    }
    std::shared_ptr<CPXVDocument> active = m_control.activeDocument();
    if (!active)
        throw invalid(kInput, OperationRegistry::tr("no document is open"));
    return active;
}

std::shared_ptr<CPXVDocument> OperationCall::documentIn(const QString& parameter) const
{
    if (!has(parameter) || !m_operation.params()->child(parameter)->object())
        return nullptr;
    auto document = std::dynamic_pointer_cast<CPXVDocument>(m_operation.params()->child(parameter)->object());
    if (!document)
        throw invalid(parameter, OperationRegistry::tr("it holds no document of this editor"));
    return document;
}

QString OperationCall::outputFolder() const
{
    const QString folder = has(kPath) ? text(kPath) : QString();
    if (folder.trimmed().isEmpty())
        throw invalid(kPath, OperationRegistry::tr("the folder to write the files into is missing"));
    try {
        Document::checkOutputFolder(folder);
    } catch (const DocumentError& error) {
        throw invalid(kPath, error.message());
    }
    return folder;
}

QVector<int> OperationCall::pages(const CPXVDocument& document) const
{
    const QString range = has(kPages) ? text(kPages) : QStringLiteral("all");
    try {
        return PageRange::parse(range, document.pageCount());
    } catch (const PageRangeError& error) {
        throw invalid(kPages, error.message());
    }
}

int OperationCall::integer(const QString& parameter, int fallback) const
{
    if (!has(parameter))
        return fallback;
    const QVariant value = m_operation.params()->child(parameter)->value();
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (!ok)
        throw invalid(parameter, OperationRegistry::tr("“%1” is not a whole number").arg(value.toString()));
    return number;
}

double OperationCall::number(const QString& parameter, double fallback) const
{
    if (!has(parameter))
        return fallback;
    const QVariant value = m_operation.params()->child(parameter)->value();
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        throw invalid(parameter, OperationRegistry::tr("“%1” is not a number").arg(value.toString()));
    return number;
}

QString OperationCall::text(const QString& parameter) const
{
    return m_operation.params()->child(parameter)->value().toString();
}

QStringList OperationCall::texts(const QString& parameter) const
{
    return has(parameter) ? m_operation.params()->child(parameter)->value().toStringList() : QStringList();
}

void OperationCall::setOutput(std::shared_ptr<IUnknown> object)
{
    m_operation.params()->child(kOutput)->setObject(std::move(object));
}

void OperationCall::setOutputValue(const QVariant& value)
{
    m_operation.params()->child(kOutput)->setValue(value);
}

const SplitProgress& OperationCall::progress() const
{
    return m_operation.progress();
}

PXV_Error OperationCall::invalid(const QString& parameter, const QString& why) const
{
    return PXV_Error(PXV_Error::InvalidArgument,
                     OperationRegistry::tr("The parameter “%1” of “%2” is not right: %3.").arg(parameter, name(), why));
}

OperationRegistry::OperationRegistry()
{
    add(names::kNewBlankDoc, {}, newBlankDoc);
    add(names::kCombineDocs, {kInput}, combineDocs);
    add(names::kSaveDoc, {kInput, kPath}, saveDocument);
    add(names::kRotatePages, {kInput, kPages, kAngle}, rotatePages);
    add(names::kMovePages, {kInput, kPages, kPosition}, movePages);
    add(names::kDeletePagesOp, {kInput, kPages}, deletePages);
    add(names::kInsertEmptyPagesOp, {kInput, kPosition, kCount, kSize, kWidth, kHeight, kOrientation},
        insertEmptyPages);
    add(names::kInsertPagesOp, {kInput, kSource, kPages, kPosition}, insertPages);
    add(names::kReplacePagesOp, {kInput, kPages, kSource, kSourcePages}, replacePages);
    add(names::kExtractPagesOp, {kInput, kPages, kPath, kSplit, kCount}, extractPages);
    add(names::kCropPagesOp, {kInput, kPages, "Left", "Top", "Right", "Bottom"}, cropPages);
    add(names::kResizePagesOp, {kInput, kPages, kSize, kWidth, kHeight, kOrientation, kScale}, resizePages);
    add(names::kAddAnnotOp, annotationParameters(), addAnnotation);
    add(names::kSummarizeAnnotsOp, {kInput, kPath}, summarizeAnnotations);
    add(QStringLiteral("op.document.exportToImages"),
        {kInput, kPages, kPath, "Format", "Quality", "Resolution", "Pattern"}, exportToImages);
    add(names::kConvertOp, {kInput, kPages, kPath, "Format", "Quality", "Resolution"}, convertDocument);
    add(names::kCompressOp, {kInput, kPath, "Level", "Resolution", "Quality"}, compressDocument);
    add(QStringLiteral("op.document.printPages"), {kInput, kPages, kPath, "Copies", "Fit"}, printDocument);
    add(names::kImagesToDoc, {kInput, kSize, "Margin"}, imagesToDoc);
    add(names::kTextToDoc, {kInput, kSize, "Margin", "FontSize", "Font"}, textToDoc);
    add(names::kAddWatermarksOp,
        {kInput, kPages, "Text", "Image", "FontSize", "Color", "Opacity", "Rotation", kPosition, "Behind", "Scale"},
        addWatermarks);
    add(names::kRemoveWatermarksOp, {kInput, kPages}, removeStamps<StampKind::Watermark>);
    add(names::kAddHeaderFooterOp,
        {kInput, kPages, "Text", "FontSize", "Color", "Opacity", "Rotation", kPosition, "Behind", "Left", "Top",
         "Right", "Bottom", "StartNumber"},
        addHeaderFooter);
    add(names::kRemoveHeaderFooterOp, {kInput, kPages}, removeStamps<StampKind::HeaderFooter>);
    add(names::kSetPropertiesOp, {kInput, "Title", "Author", "Subject", "Keywords"}, setProperties);
    add(names::kSetSecurityOp,
        {kInput, "OpenPassword", "PermissionsPassword", "Print", "Copy", "Edit", "Annotate", "FillForms"}, setSecurity);
    add(names::kExportXfdfOp, {kInput, kPath, "What"}, exportCommentsAndFields);
    add(names::kImportXfdfOp, {kInput, kPath}, importCommentsAndFields);
}

void OperationRegistry::add(const QString& name, const QStringList& parameters, Handler handler)
{
    m_entries.insert(name, {parameters, std::move(handler)});
}

void OperationRegistry::run(Operation& operation, CPXVInst& inst, CPXVControl& control) const
{
    const auto entry = m_entries.constFind(operation.name());
    if (entry == m_entries.constEnd() || !entry->handler)
        throw PXV_Error(PXV_Error::NotImplemented,
                        tr("The operation “%1” is not available in this version of the editor.").arg(operation.name()));
    for (const QString& given : operation.params()->childNames()) {
        if (given != kOutput && !entry->parameters.contains(given)) {
            const QString known = entry->parameters.isEmpty() ? tr("none")
                                                              : entry->parameters.join(QStringLiteral(", "));
            throw PXV_Error(
                PXV_Error::InvalidArgument,
                tr("The operation “%1” has no parameter “%2” (it takes: %3).").arg(operation.name(), given, known));
        }
    }
    OperationCall call(operation, inst, control);
    entry->handler(call);
}

} // namespace pxv
