#include "commentstyles.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace pxv {

namespace {

// The keys in the written text: these outlive the enum's order.
const QMap<CommentKind, QString>& kindNames()
{
    static const QMap<CommentKind, QString> names{
        {CommentKind::Highlight, QStringLiteral("Highlight")},
        {CommentKind::Underline, QStringLiteral("Underline")},
        {CommentKind::StrikeOut, QStringLiteral("StrikeOut")},
        {CommentKind::Squiggly, QStringLiteral("Squiggly")},
        {CommentKind::Note, QStringLiteral("Note")},
        {CommentKind::TextBox, QStringLiteral("TextBox")},
        {CommentKind::Pen, QStringLiteral("Pen")},
        {CommentKind::Line, QStringLiteral("Line")},
        {CommentKind::Arrow, QStringLiteral("Arrow")},
        {CommentKind::Rectangle, QStringLiteral("Rectangle")},
        {CommentKind::Ellipse, QStringLiteral("Ellipse")},
        {CommentKind::Polygon, QStringLiteral("Polygon")},
        {CommentKind::PolyLine, QStringLiteral("PolyLine")},
        {CommentKind::Stamp, QStringLiteral("Stamp")},
    };
    return names;
}

const QColor kYellow(255, 210, 0);
const QColor kGreen(0, 160, 60);
const QColor kBlue(0, 90, 220);
const QColor kRed(220, 30, 30);

// Values outside what a comment can have (a hand-edited settings file) keep the built-in one.
double within(const QJsonValue& value, double low, double high, double otherwise)
{
    const double number = value.toDouble(otherwise);
    return number >= low && number <= high ? number : otherwise;
}

} // namespace

bool CommentStyle::operator==(const CommentStyle& other) const
{
    return color == other.color && fill == other.fill && qFuzzyCompare(opacity, other.opacity)
           && qFuzzyCompare(1 + width, 1 + other.width) && qFuzzyCompare(fontSize, other.fontSize);
}

QList<CommentKind> CommentStyles::kinds()
{
    return kindNames().keys();
}

bool CommentStyles::has(CommentKind kind, StyleProperty property)
{
    switch (property) {
    case StyleProperty::Color:
        // MuPDF draws the standard stamps in their own red.
        return kind != CommentKind::Stamp;
    case StyleProperty::Fill:
        return kind == CommentKind::Rectangle || kind == CommentKind::Ellipse || kind == CommentKind::Polygon
               || kind == CommentKind::Line || kind == CommentKind::Arrow;
    case StyleProperty::Opacity:
        return true;
    case StyleProperty::Width:
        return kind == CommentKind::Pen || kind == CommentKind::Line || kind == CommentKind::Arrow
               || kind == CommentKind::Rectangle || kind == CommentKind::Ellipse || kind == CommentKind::Polygon
               || kind == CommentKind::PolyLine;
    case StyleProperty::FontSize:
        return kind == CommentKind::TextBox;
    }
    return false;
}

CommentStyle CommentStyles::builtIn(CommentKind kind)
{
    CommentStyle style;
    style.color = kRed;
    style.width = 2;
    switch (kind) {
    case CommentKind::Highlight:
    case CommentKind::Note:
        style.color = kYellow;
        break;
    case CommentKind::Underline:
    case CommentKind::Squiggly:
        style.color = kGreen;
        break;
    case CommentKind::Pen:
        style.color = kBlue;
        break;
    case CommentKind::TextBox:
        // A text box is its text: no frame.
        style.color = Qt::black;
        style.width = 0;
        style.fontSize = 14;
        break;
    default:
        break;
    }
    return style;
}

std::optional<CommentKind> CommentStyles::kindOf(const Annotation& annotation)
{
    switch (annotation.type) {
    case AnnotationType::Text:
        return CommentKind::Note;
    case AnnotationType::FreeText:
        return CommentKind::TextBox;
    case AnnotationType::Line:
        return annotation.lineEnd == LineEnding::None ? CommentKind::Line : CommentKind::Arrow;
    case AnnotationType::Square:
        return CommentKind::Rectangle;
    case AnnotationType::Circle:
        return CommentKind::Ellipse;
    case AnnotationType::Polygon:
        return CommentKind::Polygon;
    case AnnotationType::PolyLine:
        return CommentKind::PolyLine;
    case AnnotationType::Highlight:
        return CommentKind::Highlight;
    case AnnotationType::Underline:
        return CommentKind::Underline;
    case AnnotationType::StrikeOut:
        return CommentKind::StrikeOut;
    case AnnotationType::Squiggly:
        return CommentKind::Squiggly;
    case AnnotationType::Stamp:
        return CommentKind::Stamp;
    case AnnotationType::Ink:
        return CommentKind::Pen;
    case AnnotationType::Other:
        break;
    }
    return std::nullopt;
}

void CommentStyles::restyle(CommentKind kind, const CommentStyle& style, Annotation& annotation)
{
    const std::optional<CommentKind> own = kindOf(annotation);
    const auto both = [&](StyleProperty property) { return own && has(*own, property) && has(kind, property); };
    if (both(StyleProperty::Color))
        annotation.color = style.color;
    if (both(StyleProperty::Fill))
        annotation.fill = style.fill;
    if (both(StyleProperty::Opacity))
        annotation.opacity = style.opacity;
    if (both(StyleProperty::Width))
        annotation.borderWidth = style.width;
    if (both(StyleProperty::FontSize))
        annotation.fontSize = style.fontSize;
}

CommentStyle CommentStyles::styleOf(CommentKind kind, const Annotation& annotation, CommentStyle base)
{
    if (has(kind, StyleProperty::Color))
        base.color = annotation.color;
    if (has(kind, StyleProperty::Fill))
        base.fill = annotation.fill;
    base.opacity = annotation.opacity;
    if (has(kind, StyleProperty::Width))
        base.width = annotation.borderWidth;
    if (has(kind, StyleProperty::FontSize))
        base.fontSize = annotation.fontSize;
    return base;
}

CommentStyles CommentStyles::fromText(const QString& text)
{
    CommentStyles styles;
    const QJsonObject all = QJsonDocument::fromJson(text.toUtf8()).object();
    for (auto it = kindNames().cbegin(); it != kindNames().cend(); ++it) {
        const QJsonObject one = all.value(it.value()).toObject();
        if (one.isEmpty())
            continue;
        const CommentStyle standard = builtIn(it.key());
        CommentStyle style;
        style.color = QColor(one.value(QLatin1String("color")).toString());
        if (!style.color.isValid())
            style.color = standard.color;
        style.fill = QColor(one.value(QLatin1String("fill")).toString());
        style.opacity = within(one.value(QLatin1String("opacity")), 0.01, 1, standard.opacity);
        style.width = within(one.value(QLatin1String("width")), 0, 100, standard.width);
        style.fontSize = within(one.value(QLatin1String("fontSize")), 1, 500, standard.fontSize);
        styles.setStyle(it.key(), style);
    }
    return styles;
}

QString CommentStyles::toText() const
{
    if (m_chosen.isEmpty())
        return QString();
    QJsonObject all;
    for (auto it = m_chosen.cbegin(); it != m_chosen.cend(); ++it) {
        all.insert(kindNames().value(it.key()),
                   QJsonObject{{QLatin1String("color"), it->color.name()},
                               {QLatin1String("fill"), it->fill.isValid() ? it->fill.name() : QString()},
                               {QLatin1String("opacity"), it->opacity},
                               {QLatin1String("width"), it->width},
                               {QLatin1String("fontSize"), it->fontSize}});
    }
    return QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Compact));
}

CommentStyle CommentStyles::style(CommentKind kind) const
{
    return m_chosen.value(kind, builtIn(kind));
}

void CommentStyles::setStyle(CommentKind kind, const CommentStyle& style)
{
    if (style == builtIn(kind))
        m_chosen.remove(kind);
    else
        m_chosen.insert(kind, style);
}

void CommentStyles::dress(CommentKind kind, Annotation& annotation) const
{
    const CommentStyle chosen = style(kind);
    annotation.color = chosen.color;
    annotation.fill = chosen.fill;
    annotation.opacity = chosen.opacity;
    annotation.borderWidth = chosen.width;
    annotation.fontSize = chosen.fontSize;
}

} // namespace pxv
