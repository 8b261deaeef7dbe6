#pragma once

#include "core/layer.h"

#include "values/annotation.h"

#include <QList>
#include <QMap>

#include <optional>

namespace pxv {

// The kinds of comment that have a look of their own: one for each drawing tool.
enum class CommentKind {
    Highlight,
    Underline,
    StrikeOut,
    Squiggly,
    Note,
    TextBox,
    Pen,
    Line,
    Arrow,
    Rectangle,
    Ellipse,
    Polygon,
    PolyLine,
    Stamp,
};

// The parts of a look; which of them a kind has depends on the kind.
enum class StyleProperty { Color, Fill, Opacity, Width, FontSize };

// The look a new comment of one kind gets.
struct CommentStyle
{
    QColor color;
    QColor fill; // invalid for none
    double opacity = 1.0;
    double width = 1.0;
    double fontSize = 12.0;

    bool operator==(const CommentStyle& other) const;
    bool operator!=(const CommentStyle& other) const { return !(*this == other); }
};

// The look each kind of new comment gets: a built-in one, replaced kind by kind by the user's
// choice. Written as a text so that the component's settings can keep it.
class CommentStyles
{
public:
    static QList<CommentKind> kinds();
    static bool has(CommentKind kind, StyleProperty property);
    static CommentStyle builtIn(CommentKind kind);
    // The kind an annotation is of (a line with an ending at its end is an arrow); nothing for
    // kinds the editor does not make.
    static std::optional<CommentKind> kindOf(const Annotation& annotation);
    // The properties of kind's style that annotation's own kind has too, put on annotation; the
    // others stay as they are.
    static void restyle(CommentKind kind, const CommentStyle& style, Annotation& annotation);
    // base with the properties of annotation's look that kind has.
    static CommentStyle styleOf(CommentKind kind, const Annotation& annotation, CommentStyle base);

    // Reads what toText() wrote; a kind it cannot read keeps its built-in look.
    static CommentStyles fromText(const QString& text);
    // Only the kinds whose look was chosen; empty when none was.
    QString toText() const;

    CommentStyle style(CommentKind kind) const;
    // A style equal to the built-in one is no choice of the user's.
    void setStyle(CommentKind kind, const CommentStyle& style);
    // Gives a new annotation of kind every property of its look.
    void dress(CommentKind kind, Annotation& annotation) const;

private:
    QMap<CommentKind, CommentStyle> m_chosen;
};

} // namespace pxv
