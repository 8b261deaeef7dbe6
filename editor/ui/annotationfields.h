#pragma once

#include "ui/layer.h"

class QColor;
class QComboBox;
class QDoubleSpinBox;
class QIcon;
class QSpinBox;
class QWidget;

namespace pxv {

// The fields in which a comment's look is edited, alike wherever they show: the selected
// comment's properties bar and the Comment Styles pane.
struct AnnotationFields
{
    // A small square of color, as the colours are shown in the fields.
    static QIcon swatch(const QColor& color);
    // The offered colours, each with its swatch; the colour in Qt::UserRole.
    static QComboBox* color(QWidget* parent);
    // The same after "None" (an invalid colour).
    static QComboBox* fill(QWidget* parent);
    // In percent.
    static QSpinBox* opacity(QWidget* parent);
    // In points.
    static QDoubleSpinBox* width(QWidget* parent);
    static QSpinBox* fontSize(QWidget* parent);
    // Shows color in a colour or fill box: its entry, or one entry for a colour the box does
    // not offer (chosen elsewhere, or by another program), named by its hex code.
    static void showColor(QComboBox* box, const QColor& color);
};

} // namespace pxv
