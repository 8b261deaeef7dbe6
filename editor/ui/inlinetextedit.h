#pragma once

#include "ui/layer.h"

#include "values/annotation.h"

#include <QPlainTextEdit>

namespace pxv {

// The text of a text box or note typed where it lies on the page: a box over the page in the
// annotation's font size and colour at the view's scale. Ctrl+Enter or a click elsewhere (the
// box losing the focus) commits, Esc cancels; either happens once, and the box then goes.
class InlineTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    // value is the annotation being typed: a new one (id 0) or one of the page's.
    InlineTextEdit(int page, const Annotation& value, double scale, QWidget* parent);

    int page() const { return m_page; }
    const Annotation& annotation() const { return m_value; }
    // Follows the view's scale: the font and the box grow and shrink with the page.
    void setScale(double scale);

signals:
    void committed(const pxv::Annotation& value);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void finish(bool commit);

    int m_page;
    Annotation m_value;
    bool m_finished = false;
};

} // namespace pxv
