#pragma once

#include "ui/layer.h"

#include "values/annotation.h"

#include <QTextEdit>

namespace pxv {

// The text of a text box or note typed where it lies on the page: a box over the page in the
// annotation's font size and colour at the view's scale. Ctrl+Enter or a click elsewhere (the
// box losing the focus) commits, Esc cancels; either happens once, and the box then goes.
class InlineTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    // value is the annotation being typed: a new one (id 0) or one of the page's.
    InlineTextEdit(int page, const Annotation& value, double scale, QWidget* parent);

    int page() const { return m_page; }
    const Annotation& annotation() const { return m_value; }
    // Follows the view's scale: the font and the box grow and shrink with the page.
    void setScale(double scale);
    // Puts the box over the annotation's area at box (in the parent's pixels). A text box's
    // reaches out of it so that its text lies where the page then draws it, and down as far as
    // its lines need.
    void place(const QRect& box);

signals:
    void committed(const pxv::Annotation& value);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool isOnPage() const;
    // The height, in points, the page needs to draw the text as it is wrapped here.
    double textHeight() const;
    void finish(bool commit);

    int m_page;
    Annotation m_value;
    QMargins m_outset;
    QRect m_box;
    double m_scale = 1.0;
    bool m_finished = false;
};

} // namespace pxv
