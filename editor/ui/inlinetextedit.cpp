#include "inlinetextedit.h"

#include <QKeyEvent>

#include <algorithm>

namespace pxv {

InlineTextEdit::InlineTextEdit(int page, const Annotation& value, double scale, QWidget* parent)
    : QPlainTextEdit(parent), m_page(page), m_value(value)
{
    setObjectName(QStringLiteral("inlineTextEdit"));
    // Marked as a box being typed, as the selection frame marks a comment.
    setStyleSheet(QStringLiteral("QPlainTextEdit { border: 1px dashed #0078d7; }"));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette colors = palette();
    colors.setColor(QPalette::Text, value.type == AnnotationType::FreeText ? value.color : QColor(Qt::black));
    colors.setColor(QPalette::Base, QColor(255, 255, 255, 230));
    setPalette(colors);
    setPlainText(value.contents);
    selectAll();
    setScale(scale);
}

void InlineTextEdit::setScale(double scale)
{
    QFont shown = font();
    shown.setFamily(QStringLiteral("Helvetica"));
    // A note's text is not drawn on the page; it is typed at a size that reads well.
    const double points = m_value.type == AnnotationType::FreeText ? m_value.fontSize : 10.0;
    shown.setPixelSize(std::max(6, qRound(points * scale)));
    setFont(shown);
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
    QPlainTextEdit::keyPressEvent(event);
}

void InlineTextEdit::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
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
        emit committed(m_value);
    } else {
        emit cancelled();
    }
    hide();
    deleteLater();
}

} // namespace pxv
