#include "inlinetextedit.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace pxv {

namespace {

constexpr int kFrame = 1; // the dashed border's width, in pixels
// How the page lays out a text box's lines, in font sizes: the first baseline below the inset,
// from one baseline to the next, and below the last one.
constexpr double kFirstBaseline = 0.8;
constexpr double kLineHeight = 1.2;
constexpr double kDescent = 0.25;

} // namespace

InlineTextEdit::InlineTextEdit(int page, const Annotation& value, double scale, QWidget* parent)
    : QTextEdit(parent), m_page(page), m_value(value)
{
    setObjectName(QStringLiteral("inlineTextEdit"));
    // Marked as a box being typed, as the selection frame marks a comment.
    setStyleSheet(QStringLiteral("QTextEdit { border: %1px dashed #0078d7; }").arg(kFrame));
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette colors = palette();
    colors.setColor(QPalette::Text, value.type == AnnotationType::FreeText ? value.color : QColor(Qt::black));
    colors.setColor(QPalette::Base, QColor(255, 255, 255, 230));
    setPalette(colors);
    // Setting up is no step for Ctrl+Z to take back.
    document()->setUndoRedoEnabled(false);
    setPlainText(value.contents);
    selectAll();
    setScale(scale);
    document()->setUndoRedoEnabled(true);
    // A text box grows downwards with its lines, as the page will draw them all.
    connect(this, &QTextEdit::textChanged, this, [this] { place(m_box); });
}

bool InlineTextEdit::isOnPage() const
{
    return m_value.type == AnnotationType::FreeText;
}

void InlineTextEdit::setScale(double scale)
{
    m_scale = scale;
    QFont shown = font();
    shown.setFamily(QStringLiteral("Helvetica"));
    // A note's text is not drawn on the page; it is typed at a size that reads well.
    shown.setPixelSize(std::max(6, qRound((isOnPage() ? m_value.fontSize : 10.0) * scale)));
    setFont(shown);
    if (!isOnPage())
        return;
    // The page draws a text box's text inset by twice its border width. Typed at the same place,
    // the text stays put when it is committed; the box reaches out of the area where the font's
    // ascent needs the room. The right margin is a little wider, so that a line wraps here no
    // later than on the page and the box is never too short for the page's lines.
    document()->setDocumentMargin(0);
    const double inset = 2 * m_value.borderWidth * scale;
    const double baseline = inset + kFirstBaseline * m_value.fontSize * scale;
    const QFontMetricsF metrics(shown);
    const double ascent = metrics.ascent();
    const int top = qRound(std::max(0.0, baseline - ascent));
    const int side = qRound(inset);
    setViewportMargins(side, top, side + 2, 0);
    // Lines as far apart as the page sets them; a fixed height would move the first one too.
    QTextBlockFormat spacing;
    spacing.setLineHeight(kLineHeight * m_value.fontSize * scale - metrics.height(),
                          QTextBlockFormat::LineDistanceHeight);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(spacing);
    m_outset = QMargins(kFrame, qRound(kFrame + top + ascent - baseline), kFrame, kFrame);
}

void InlineTextEdit::place(const QRect& box)
{
    m_box = box;
    if (!isOnPage()) {
        setGeometry(box);
        return;
    }
    QRect area = box;
    area.setHeight(std::max(box.height(), int(std::ceil(textHeight() * m_scale))));
    setGeometry(area.marginsAdded(m_outset));
    // Every line fits: the box never scrolls, where the page draws the text from its top.
    verticalScrollBar()->setValue(0);
}

double InlineTextEdit::textHeight() const
{
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
    const double insets = 2 * 2 * m_value.borderWidth; // above and below
    return insets + m_value.fontSize * (kFirstBaseline + kLineHeight * (lines - 1) + kDescent);
}

void InlineTextEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        finish(false);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & Qt::ControlModifier)) {
        finish(true);
        return;
    }
    QTextEdit::keyPressEvent(event);
    // Typing scrolled the caret into view before the box had grown to the new line.
    if (isOnPage())
        verticalScrollBar()->setValue(0);
}

void InlineTextEdit::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    // A menu or the pop-up of the text's own context menu takes the focus for a moment only.
    if (event->reason() != Qt::PopupFocusReason)
        finish(true);
}

void InlineTextEdit::finish(bool commit)
{
    if (m_finished)
        return;
    m_finished = true;
    if (commit) {
        m_value.contents = toPlainText();
        if (isOnPage())
            m_value.rect.setHeight(std::max(m_value.rect.height(), textHeight()));
        emit committed(m_value);
    } else {
        emit cancelled();
    }
    hide();
    deleteLater();
}

} // namespace pxv
