#include "annotationoperation.h"

#include "core/commentstyles.h"
#include "cpxvdocument.h"
#include "cpxvcontrol.h"
#include "operationregistry.h"
#include "outputoperations.h"

#include <QFileInfo>
#include <QHash>

#include <utility>

namespace pxv {

namespace {

const QString kInput = QStringLiteral("Input");
const QString kPage = QStringLiteral("Page");
const QString kType = QStringLiteral("Type");
const QString kRect = QStringLiteral("Rect");
const QString kPoints = QStringLiteral("Points");
const QString kColor = QStringLiteral("Color");
const QString kFillColor = QStringLiteral("FillColor");
const QString kOpacity = QStringLiteral("Opacity");
const QString kWidth = QStringLiteral("Width");
const QString kContents = QStringLiteral("Contents");
const QString kAuthor = QStringLiteral("Author");
const QString kFontSize = QStringLiteral("FontSize");
const QString kIcon = QStringLiteral("Icon");
const QString kLineEnd = QStringLiteral("LineEnd");
const QString kImageFile = QStringLiteral("ImageFile");

const QHash<QString, AnnotationType>& types()
{
    static const QHash<QString, AnnotationType> names = {
        {"Text", AnnotationType::Text},
        {"FreeText", AnnotationType::FreeText},
        {"Line", AnnotationType::Line},
        {"Square", AnnotationType::Square},
        {"Circle", AnnotationType::Circle},
        {"Polygon", AnnotationType::Polygon},
        {"PolyLine", AnnotationType::PolyLine},
        {"Highlight", AnnotationType::Highlight},
        {"Underline", AnnotationType::Underline},
        {"StrikeOut", AnnotationType::StrikeOut},
        {"Squiggly", AnnotationType::Squiggly},
        {"Stamp", AnnotationType::Stamp},
        {"Ink", AnnotationType::Ink},
    };
    return names;
}

const QHash<QString, LineEnding>& endings()
{
    static const QHash<QString, LineEnding> names = {
        {"None", LineEnding::None},
        {"Square", LineEnding::Square},
        {"Circle", LineEnding::Circle},
        {"Diamond", LineEnding::Diamond},
        {"OpenArrow", LineEnding::OpenArrow},
        {"ClosedArrow", LineEnding::ClosedArrow},
        {"Butt", LineEnding::Butt},
        {"ROpenArrow", LineEnding::ROpenArrow},
        {"RClosedArrow", LineEnding::RClosedArrow},
        {"Slash", LineEnding::Slash},
    };
    return names;
}

// A list of numbers, a multiple of group long (at least one group).
QVector<double> numbers(OperationCall& call, const QString& parameter, int group)
{
    QVector<double> values;
    for (const QString& text : call.texts(parameter)) {
        bool ok = false;
        values.append(text.toDouble(&ok));
        if (!ok)
            throw call.invalid(parameter, OperationRegistry::tr("\"%1\" is not a number").arg(text));
    }
    if (values.isEmpty() || values.size() % group != 0)
        throw call.invalid(
            parameter,
            OperationRegistry::tr("%1 numbers were given; it takes a multiple of %2").arg(values.size()).arg(group));
    return values;
}

QPolygonF polygon(const QVector<double>& values, int from, int count)
{
    QPolygonF points;
    for (int i = from; i < from + count * 2; i += 2)
        points.append(QPointF(values[i], values[i + 1]));
    return points;
}

} // namespace

QStringList annotationParameters()
{
    return {kInput, kPage,     kType,   kRect,     kPoints, kColor,   kFillColor, kOpacity,
            kWidth, kContents, kAuthor, kFontSize, kIcon,   kLineEnd, kImageFile};
}

void addAnnotation(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const int page = call.integer(kPage, 1);
    if (page < 1 || page > document->pageCount())
        throw call.invalid(kPage, OperationRegistry::tr("the document has no page %1").arg(page));
    const QString typeName = call.text(kType);
    if (!types().contains(typeName))
        throw call.invalid(kType, OperationRegistry::tr("\"%1\" is not a kind of annotation").arg(typeName));
    Annotation value;
    value.type = types().value(typeName);
    switch (value.type) {
    case AnnotationType::Line: {
        const QVector<double> line = numbers(call, kPoints, 4);
        value.line = QLineF(line[0], line[1], line[2], line[3]);
        break;
    }
    case AnnotationType::Polygon:
    case AnnotationType::PolyLine:
        value.vertices = polygon(numbers(call, kPoints, 2), 0, call.texts(kPoints).size() / 2);
        break;
    case AnnotationType::Ink:
        value.strokes = {polygon(numbers(call, kPoints, 2), 0, call.texts(kPoints).size() / 2)};
        break;
    case AnnotationType::Highlight:
    case AnnotationType::Underline:
    case AnnotationType::StrikeOut:
    case AnnotationType::Squiggly: {
        const QVector<double> quads = numbers(call, kPoints, 8);
        for (int i = 0; i < quads.size(); i += 8)
            value.quads.append(polygon(quads, i, 4));
        break;
    }
    default: {
        const QVector<double> rect = numbers(call, kRect, 4);
        if (rect.size() != 4 || rect[2] <= 0 || rect[3] <= 0)
            throw call.invalid(kRect, OperationRegistry::tr(
                                          "it takes four numbers: left, top, width and height, the last two above 0"));
        value.rect = QRectF(rect[0], rect[1], rect[2], rect[3]);
        break;
    }
    }
    if (call.has(kLineEnd)) {
        if (!endings().contains(call.text(kLineEnd)))
            throw call.invalid(kLineEnd, OperationRegistry::tr("\"%1\" is not a line ending").arg(call.text(kLineEnd)));
        value.lineEnd = endings().value(call.text(kLineEnd));
    }
    // The look the user chose for this kind, unless the call says otherwise.
    if (const std::optional<CommentKind> kind = CommentStyles::kindOf(value))
        call.control().commentStyles().dress(*kind, value);
    for (const auto& [parameter, color] : {std::pair(kColor, &value.color), std::pair(kFillColor, &value.fill)}) {
        if (!call.has(parameter))
            continue;
        *color = QColor(call.text(parameter));
        if (!color->isValid())
            throw call.invalid(parameter, OperationRegistry::tr("\"%1\" is not a colour").arg(call.text(parameter)));
    }
    value.opacity = call.number(kOpacity, value.opacity);
    if (value.opacity <= 0 || value.opacity > 1)
        throw call.invalid(kOpacity, OperationRegistry::tr("%1 is not above 0 and at most 1").arg(value.opacity));
    value.borderWidth = call.number(kWidth, value.borderWidth);
    if (value.borderWidth < 0)
        throw call.invalid(kWidth, OperationRegistry::tr("a width cannot be negative"));
    value.fontSize = call.number(kFontSize, value.fontSize);
    if (value.fontSize <= 0)
        throw call.invalid(kFontSize, OperationRegistry::tr("a font size must be above 0"));
    if (call.has(kContents))
        value.contents = call.text(kContents);
    if (call.has(kAuthor))
        value.author = call.text(kAuthor);
    if (call.has(kIcon))
        value.icon = call.text(kIcon);
    if (call.has(kImageFile)) {
        value.imageFile = call.text(kImageFile);
        if (value.type != AnnotationType::Stamp)
            throw call.invalid(kImageFile, OperationRegistry::tr("only a stamp is drawn from an image"));
        if (!QFileInfo(value.imageFile).isFile())
            throw call.invalid(kImageFile, OperationRegistry::tr("\"%1\" is not a file").arg(value.imageFile));
    }
    const int id = modelCall([&] { return document->model()->addAnnotation(page - 1, value); });
    call.setOutputValue(id);
}

void summarizeAnnotations(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QString path = call.has(QStringLiteral("Path")) ? call.text(QStringLiteral("Path")) : QString();
    if (call.has(QStringLiteral("Path")) && path.trimmed().isEmpty())
        throw call.invalid(QStringLiteral("Path"), OperationRegistry::tr("it is empty"));
    // The pages' pictures take long on a long document: drawn from a copy on a worker.
    const std::shared_ptr<const RenderSource> source = document->model()->renderSource();
    const QString title = document->model()->title();
    const std::shared_ptr<CPXVDocument> summary = outputNew(
        call, [&](const SplitProgress& progress) { return Document::summarizeAnnotations(*source, title, progress); });
    if (!path.isEmpty())
        call.control().saveTo(*summary, path);
}

} // namespace pxv
