// XFDF read and written with Qt's XML streams. Elements are matched by local name, so files that
// leave out the namespace read as well; elements and attributes the editor has no use for are
// passed over.

#include "xfdf.h"

#include "document_p.h"

#include <QColor>
#include <QRegularExpression>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace pxv {

namespace {

const QString kNamespace = QStringLiteral("http://ns.adobe.com/xfdf/");

struct Kind
{
    AnnotationType type;
    const char* element;
};

constexpr Kind kKinds[] = {
    {AnnotationType::Text, "text"},
    {AnnotationType::FreeText, "freetext"},
    {AnnotationType::Line, "line"},
    {AnnotationType::Square, "square"},
    {AnnotationType::Circle, "circle"},
    {AnnotationType::Polygon, "polygon"},
    {AnnotationType::PolyLine, "polyline"},
    {AnnotationType::Highlight, "highlight"},
    {AnnotationType::Underline, "underline"},
    {AnnotationType::StrikeOut, "strikeout"},
    {AnnotationType::Squiggly, "squiggly"},
    {AnnotationType::Stamp, "stamp"},
    {AnnotationType::Ink, "ink"},
};

// The annotation flags by their bit, from bit 0 on.
const char* const kFlags[] = {"invisible", "hidden",   "print",  "nozoom",       "norotate",
                              "noview",    "readonly", "locked", "togglenoview", "lockedcontents"};

const char* const kEndings[] = {"None",        "Square", "Circle",     "Diamond",      "OpenArrow",
                                "ClosedArrow", "Butt",   "ROpenArrow", "RClosedArrow", "Slash"};

bool isTextMarkup(AnnotationType type)
{
    return type == AnnotationType::Highlight || type == AnnotationType::Underline || type == AnnotationType::StrikeOut
           || type == AnnotationType::Squiggly;
}

bool hasBorder(AnnotationType type)
{
    return type == AnnotationType::FreeText || type == AnnotationType::Ink || type == AnnotationType::Line
           || type == AnnotationType::Polygon || type == AnnotationType::PolyLine || type == AnnotationType::Square
           || type == AnnotationType::Circle;
}

QString number(double value)
{
    return QString::number(value, 'g', 8);
}

QString point(const QPointF& p)
{
    return number(p.x()) + QLatin1Char(',') + number(p.y());
}

QString points(const QPolygonF& polygon)
{
    QStringList list;
    for (const QPointF& p : polygon)
        list.append(point(p));
    return list.join(QLatin1Char(';'));
}

QString flagNames(int flags)
{
    QStringList names;
    for (int bit = 0; bit < int(std::size(kFlags)); ++bit) {
        if (flags & (1 << bit))
            names.append(QString::fromLatin1(kFlags[bit]));
    }
    return names.join(QLatin1Char(','));
}

// Fields nested by the parts of their full names, as the format has them.
struct FieldNode
{
    QStringList values;
    bool hasValue = false;
    std::vector<std::pair<QString, FieldNode>> kids; // in the order first met
    FieldNode& kid(const QString& name)
    {
        for (auto& entry : kids) {
            if (entry.first == name)
                return entry.second;
        }
        kids.emplace_back(name, FieldNode());
        return kids.back().second;
    }
};

void writeField(QXmlStreamWriter& xml, const QString& name, const FieldNode& node)
{
    xml.writeStartElement(QStringLiteral("field"));
    xml.writeAttribute(QStringLiteral("name"), name);
    for (const auto& kid : node.kids)
        writeField(xml, kid.first, kid.second);
    if (node.hasValue) {
        for (const QString& value : node.values)
            xml.writeTextElement(QStringLiteral("value"), value);
    }
    xml.writeEndElement();
}

void writeComment(QXmlStreamWriter& xml, const XfdfComment& comment)
{
    const Annotation& a = comment.annotation;
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                   [&](const Kind& k) { return k.type == a.type; });
    if (kind == std::end(kKinds))
        return;
    xml.writeStartElement(QString::fromLatin1(kind->element));
    xml.writeAttribute(QStringLiteral("page"), QString::number(comment.page));
    const QRectF r = a.rect.normalized();
    xml.writeAttribute(QStringLiteral("rect"),
                       QStringList{number(r.left()), number(r.top()), number(r.right()), number(r.bottom())}.join(','));
    if (a.type != AnnotationType::FreeText && a.color.isValid())
        xml.writeAttribute(QStringLiteral("color"), a.color.name().toUpper());
    xml.writeAttribute(QStringLiteral("opacity"), number(a.opacity));
    if (hasBorder(a.type))
        xml.writeAttribute(QStringLiteral("width"), number(a.borderWidth));
    if (!comment.extras.name.isEmpty())
        xml.writeAttribute(QStringLiteral("name"), comment.extras.name);
    if (!a.author.isEmpty())
        xml.writeAttribute(QStringLiteral("title"), a.author);
    if (!comment.extras.subject.isEmpty())
        xml.writeAttribute(QStringLiteral("subject"), comment.extras.subject);
    if (a.modified.isValid())
        xml.writeAttribute(QStringLiteral("date"), pdfDate(a.modified));
    if (comment.extras.created.isValid())
        xml.writeAttribute(QStringLiteral("creationdate"), pdfDate(comment.extras.created));
    if (comment.extras.flags >= 0)
        xml.writeAttribute(QStringLiteral("flags"), flagNames(comment.extras.flags));
    if ((a.type == AnnotationType::Text || a.type == AnnotationType::Stamp) && !a.icon.isEmpty())
        xml.writeAttribute(QStringLiteral("icon"), a.icon);
    if (isTextMarkup(a.type)) {
        // Each quad as the format orders its corners: upper left, upper right, lower left, lower right.
        QStringList coords;
        for (const QPolygonF& quad : a.quads)
            coords.append(
                points(QPolygonF({quad.value(0), quad.value(1), quad.value(3), quad.value(2)})).replace(';', ','));
        xml.writeAttribute(QStringLiteral("coords"), coords.join(QLatin1Char(',')));
    }
    if (a.type == AnnotationType::Line) {
        xml.writeAttribute(QStringLiteral("start"), point(a.line.p1()));
        xml.writeAttribute(QStringLiteral("end"), point(a.line.p2()));
        xml.writeAttribute(QStringLiteral("head"), QString::fromLatin1(kEndings[int(a.lineStart)]));
        xml.writeAttribute(QStringLiteral("tail"), QString::fromLatin1(kEndings[int(a.lineEnd)]));
    }
    xml.writeTextElement(QStringLiteral("contents"), a.contents);
    if (a.type == AnnotationType::FreeText) {
        xml.writeTextElement(
            QStringLiteral("defaultappearance"),
            QStringLiteral("/Helv %1 Tf %2 %3 %4 rg")
                .arg(number(a.fontSize), number(a.color.redF()), number(a.color.greenF()), number(a.color.blueF())));
    }
    if (a.type == AnnotationType::Ink) {
        xml.writeStartElement(QStringLiteral("inklist"));
        for (const QPolygonF& stroke : a.strokes)
            xml.writeTextElement(QStringLiteral("gesture"), points(stroke));
        xml.writeEndElement();
    }
    if (a.type == AnnotationType::Polygon || a.type == AnnotationType::PolyLine)
        xml.writeTextElement(QStringLiteral("vertices"), points(a.vertices));
    xml.writeEndElement();
}

class Reader
{
public:
    Reader(const QByteArray& bytes, int pageCount) : m_xml(bytes), m_pageCount(pageCount) {}

    Xfdf read()
    {
        if (!m_xml.readNextStartElement())
            notXml();
        if (m_xml.name() != QLatin1String("xfdf"))
            fail(Document::tr("The file is not XFDF: its first element is “%1”, not “xfdf”.").arg(m_xml.name()));
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("f")) {
                m_result.href = m_xml.attributes().value(QStringLiteral("href")).toString();
                m_xml.skipCurrentElement();
            } else if (m_xml.name() == QLatin1String("fields")) {
                while (m_xml.readNextStartElement())
                    readField(QString());
            } else if (m_xml.name() == QLatin1String("annots")) {
                readAnnots();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        // A file cut short shows only at its end.
        while (!m_xml.atEnd())
            m_xml.readNext();
        if (m_xml.hasError())
            notXml();
        return m_result;
    }

private:
    [[noreturn]] void fail(const QString& message) { throw DocumentError(DocumentError::Failed, message); }

    [[noreturn]] void notXml()
    {
        if (!m_xml.hasError())
            fail(Document::tr("The file is not XFDF: it holds no XML element."));
        fail(Document::tr("The file is not XFDF: it is not well-formed XML (%1 at line %2).")
                 .arg(m_xml.errorString())
                 .arg(m_xml.lineNumber()));
    }

    void readField(const QString& prefix)
    {
        if (m_xml.name() != QLatin1String("field")) {
            m_xml.skipCurrentElement();
            return;
        }
        const QString part = m_xml.attributes().value(QStringLiteral("name")).toString();
        const QString full = prefix.isEmpty() ? part : prefix + QLatin1Char('.') + part;
        QStringList values;
        bool hasValue = false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("value")) {
                values.append(m_xml.readElementText());
                hasValue = true;
            } else {
                readField(full);
            }
        }
        if (hasValue && !part.isEmpty())
            m_result.fields.append({full, values});
    }

    void readAnnots()
    {
        while (m_xml.readNextStartElement()) {
            const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                           [&](const Kind& k) { return m_xml.name() == QLatin1String(k.element); });
            if (kind == std::end(kKinds)) {
                ++m_result.skippedComments;
                m_xml.skipCurrentElement();
                continue;
            }
            readComment(kind->type);
        }
    }

    // The numbers of a list ("1,2;3 4"); fails unless there are a multiple of step, at least one.
    QVector<double> numbers(const QString& what, const QString& text, int step)
    {
        static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
        QVector<double> list;
        for (const QString& part : text.split(separators, Qt::SkipEmptyParts)) {
            bool ok = false;
            const double value = part.toDouble(&ok);
            if (!ok || !std::isfinite(value)) {
                list.clear();
                break;
            }
            list.append(value);
        }
        if (list.isEmpty() || list.size() % step != 0)
            fail(Document::tr("The %1 comment on page %2 has a “%3” that is not a list of numbers: “%4”.")
                     .arg(m_element)
                     .arg(m_page + 1)
                     .arg(what, text.left(80)));
        return list;
    }

    QVector<double> attributeNumbers(const QString& attribute, int step, bool required)
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        if (!attributes.hasAttribute(attribute)) {
            if (required)
                fail(Document::tr("The %1 comment on page %2 has no “%3”.")
                         .arg(m_element)
                         .arg(m_page + 1)
                         .arg(attribute));
            return {};
        }
        return numbers(attribute, attributes.value(attribute).toString(), step);
    }

    QPolygonF polygon(const QVector<double>& list)
    {
        QPolygonF polygon;
        for (int i = 0; i + 1 < list.size(); i += 2)
            polygon.append(QPointF(list[i], list[i + 1]));
        return polygon;
    }

    double boundedNumber(const QString& attribute, double fallback, double low, double high)
    {
        const QVector<double> list = attributeNumbers(attribute, 1, false);
        if (list.isEmpty())
            return fallback;
        if (list.size() != 1 || list[0] < low || list[0] > high)
            fail(Document::tr("The %1 comment on page %2 has a “%3” of “%4”, which is not a number from %5 to %6.")
                     .arg(m_element)
                     .arg(m_page + 1)
                     .arg(attribute, m_xml.attributes().value(attribute).toString().left(80))
                     .arg(low)
                     .arg(high));
        return list[0];
    }

    void readComment(AnnotationType type)
    {
        m_element = m_xml.name().toString();
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const auto text = [&](const char* name) { return attributes.value(QLatin1String(name)).toString(); };
        bool ok = false;
        m_page = text("page").toInt(&ok);
        if (!ok)
            fail(Document::tr("The %1 comment has no page number it belongs on (“%2”).").arg(m_element, text("page")));
        if (m_page < 0 || m_page >= m_pageCount)
            fail(Document::tr("The %1 comment belongs on page %2, but the document has %3 pages.")
                     .arg(m_element)
                     .arg(m_page + 1)
                     .arg(m_pageCount));
        XfdfComment comment;
        comment.page = m_page;
        Annotation& a = comment.annotation;
        a.type = type;
        a.subtype = m_element;
        const bool hasBox = type == AnnotationType::Text || type == AnnotationType::FreeText
                            || type == AnnotationType::Square || type == AnnotationType::Circle
                            || type == AnnotationType::Stamp;
        const QVector<double> rect = attributeNumbers(QStringLiteral("rect"), 4, hasBox);
        if (!rect.isEmpty())
            a.rect = QRectF(QPointF(rect[0], rect[1]), QPointF(rect[2], rect[3])).normalized();
        if (attributes.hasAttribute(QLatin1String("color"))) {
            a.color = QColor(text("color"));
            if (!a.color.isValid())
                fail(Document::tr("The %1 comment on page %2 has a colour that is none: “%3”.")
                         .arg(m_element)
                         .arg(m_page + 1)
                         .arg(text("color").left(80)));
        }
        a.opacity = boundedNumber(QStringLiteral("opacity"), 1.0, 0.0, 1.0);
        a.borderWidth = boundedNumber(QStringLiteral("width"), a.borderWidth, 0.0, 1000.0);
        a.author = text("title");
        a.modified = parsePdfDate(text("date"));
        a.icon = text("icon");
        comment.extras.name = text("name");
        comment.extras.subject = text("subject");
        comment.extras.created = parsePdfDate(text("creationdate"));
        if (attributes.hasAttribute(QLatin1String("flags"))) {
            comment.extras.flags = 0;
            for (const QString& flag : text("flags").split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const auto bit = std::find_if(std::begin(kFlags), std::end(kFlags),
                                              [&](const char* name) { return flag.trimmed() == QLatin1String(name); });
                if (bit != std::end(kFlags))
                    comment.extras.flags |= 1 << int(bit - std::begin(kFlags));
            }
        }
        if (isTextMarkup(type)) {
            // Corners as the format orders them (upper left, upper right, lower left, lower right),
            // kept in the model's order, round the quad.
            const QVector<double> coords = attributeNumbers(QStringLiteral("coords"), 8, true);
            for (int i = 0; i < coords.size(); i += 8) {
                const QPolygonF corners = polygon(coords.mid(i, 8));
                a.quads.append(QPolygonF({corners[0], corners[1], corners[3], corners[2]}));
            }
        }
        if (type == AnnotationType::Line) {
            const QPolygonF start = polygon(attributeNumbers(QStringLiteral("start"), 2, true));
            const QPolygonF end = polygon(attributeNumbers(QStringLiteral("end"), 2, true));
            a.line = QLineF(start.value(0), end.value(0));
            a.lineStart = ending(text("head"));
            a.lineEnd = ending(text("tail"));
        }
        while (m_xml.readNextStartElement()) {
            const auto name = m_xml.name();
            if (name == QLatin1String("contents")) {
                a.contents = m_xml.readElementText();
            } else if (name == QLatin1String("defaultappearance")) {
                readAppearance(m_xml.readElementText(), &a);
            } else if (name == QLatin1String("vertices")) {
                a.vertices = polygon(numbers(QStringLiteral("vertices"), m_xml.readElementText(), 2));
            } else if (name == QLatin1String("inklist")) {
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("gesture"))
                        a.strokes.append(polygon(numbers(QStringLiteral("gesture"), m_xml.readElementText(), 2)));
                    else
                        m_xml.skipCurrentElement();
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if ((type == AnnotationType::Ink && a.strokes.isEmpty())
            || ((type == AnnotationType::Polygon || type == AnnotationType::PolyLine) && a.vertices.isEmpty()))
            fail(Document::tr("The %1 comment on page %2 has no points.").arg(m_element).arg(m_page + 1));
        m_result.comments.append(comment);
    }

    static LineEnding ending(const QString& name)
    {
        for (int i = 0; i < int(std::size(kEndings)); ++i) {
            if (name.compare(QLatin1String(kEndings[i]), Qt::CaseInsensitive) == 0)
                return static_cast<LineEnding>(i);
        }
        return LineEnding::None;
    }

    // A free text's font size and text colour from its default appearance ("/Helv 12 Tf 0 0 1 rg").
    static void readAppearance(const QString& appearance, Annotation* a)
    {
        static const QRegularExpression size(QStringLiteral("([0-9.]+)\\s+Tf\\b"));
        static const QRegularExpression rgb(QStringLiteral("([0-9.]+)\\s+([0-9.]+)\\s+([0-9.]+)\\s+rg\\b"));
        static const QRegularExpression gray(QStringLiteral("([0-9.]+)\\s+g\\b"));
        const QRegularExpressionMatch sized = size.match(appearance);
        if (sized.hasMatch() && sized.captured(1).toDouble() > 0)
            a->fontSize = sized.captured(1).toDouble();
        const QRegularExpressionMatch coloured = rgb.match(appearance);
        const QRegularExpressionMatch grayed = gray.match(appearance);
        const auto channel = [](const QString& text) { return qBound(0.0, text.toDouble(), 1.0); };
        if (coloured.hasMatch())
            a->color = QColor::fromRgbF(channel(coloured.captured(1)), channel(coloured.captured(2)),
                                        channel(coloured.captured(3)));
        else if (grayed.hasMatch())
            a->color = QColor::fromRgbF(channel(grayed.captured(1)), channel(grayed.captured(1)),
                                        channel(grayed.captured(1)));
    }

    QXmlStreamReader m_xml;
    int m_pageCount;
    Xfdf m_result;
    QString m_element; // of the comment being read, for messages
    int m_page = 0;
};

} // namespace

QByteArray writeXfdf(const Xfdf& xfdf)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kNamespace);
    xml.writeStartElement(kNamespace, QStringLiteral("xfdf"));
    xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    if (!xfdf.href.isEmpty()) {
        xml.writeStartElement(QStringLiteral("f"));
        xml.writeAttribute(QStringLiteral("href"), xfdf.href);
        xml.writeEndElement();
    }
    if (!xfdf.fields.isEmpty()) {
        FieldNode root;
        for (const NamedFieldValue& field : xfdf.fields) {
            FieldNode* node = &root;
            for (const QString& part : field.name.split(QLatin1Char('.')))
                node = &node->kid(part);
            node->values = field.values;
            node->hasValue = true;
        }
        xml.writeStartElement(QStringLiteral("fields"));
        for (const auto& kid : root.kids)
            writeField(xml, kid.first, kid.second);
        xml.writeEndElement();
    }
    xml.writeStartElement(QStringLiteral("annots"));
    for (const XfdfComment& comment : xfdf.comments)
        writeComment(xml, comment);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

Xfdf readXfdf(const QByteArray& bytes, int pageCount)
{
    return Reader(bytes, pageCount).read();
}

QString pdfDate(const QDateTime& time)
{
    const int offset = time.offsetFromUtc() / 60;
    QString zone = QStringLiteral("Z");
    if (offset != 0)
        zone = QStringLiteral("%1%2'%3'")
                   .arg(offset < 0 ? '-' : '+')
                   .arg(std::abs(offset) / 60, 2, 10, QLatin1Char('0'))
                   .arg(std::abs(offset) % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("D:") + time.toString(QStringLiteral("yyyyMMddHHmmss")) + zone;
}

QDateTime parsePdfDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(
        "^(?:D:)?(\\d{4})(\\d{2})?(\\d{2})?(\\d{2})?(\\d{2})?(\\d{2})?(?:([Zz+-])(\\d{2})?'?(\\d{2})?'?)?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return {};
    const auto part = [&](int index, int fallback) {
        return match.captured(index).isEmpty() ? fallback : match.captured(index).toInt();
    };
    const QDate date(part(1, 0), part(2, 1), part(3, 1));
    const QTime clock(part(4, 0), part(5, 0), part(6, 0));
    if (!date.isValid() || !clock.isValid())
        return {};
    const QString sign = match.captured(7);
    if (sign.isEmpty())
        return QDateTime(date, clock);
    const int offset = (part(8, 0) * 60 + part(9, 0)) * 60 * (sign == QLatin1String("-") ? -1 : 1);
    return QDateTime(date, clock, QTimeZone(offset));
}

} // namespace pxv
