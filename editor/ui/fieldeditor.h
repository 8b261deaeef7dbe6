#pragma once

#include "ui/layer.h"

#include "values/formfield.h"

#include <QWidget>

namespace pxv {

// The editor put over a form field on the page while it is filled: a line or a box of text, a
// combo box or a list for the field's kind, or for a button a focus frame that Space toggles.
// Enter commits (Ctrl+Enter in a multi-line field), Esc reverts; Tab is left to the view, which
// goes on to the next field.
class FieldEditor : public QWidget
{
    Q_OBJECT
public:
    FieldEditor(const FormField& field, QWidget* parent);

    const FormField& field() const { return m_field; }
    // The value as edited, and whether it differs from the field's.
    FieldValue value() const;
    bool isChanged() const;
    // Fits the editor to the field drawn at area (viewport coordinates) at scale pixels per point.
    void place(const QRectF& area, double scale);
    // The widget that takes the typing.
    QWidget* input() const { return m_input; }

signals:
    void commitRequested();
    void revertRequested();
    // A button was toggled with Space.
    void toggleRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildInput();
    void keepToMaxLength();

    FormField m_field;
    QWidget* m_input = nullptr;
};

} // namespace pxv
