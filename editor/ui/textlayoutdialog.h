#pragma once

#include "ui/layer.h"

#include <QDialog>
#include <QVariantMap>

class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;

namespace pxv {

// Chooses how a text file is laid out as a new document: font, font size, margins, paper.
class TextLayoutDialog : public QDialog
{
    Q_OBJECT
public:
    // fileName is the text file's, shown in the title.
    explicit TextLayoutDialog(const QString& fileName, QWidget* parent = nullptr);

    // The parameters of "op.textToDoc" other than the file: Font, FontSize, Margin and Size.
    QVariantMap parameters() const;

private:
    QFontComboBox* m_font;
    QDoubleSpinBox* m_fontSize;
    QDoubleSpinBox* m_margin;
    QComboBox* m_paper;
};

} // namespace pxv
