#pragma once

#include "ui/layer.h"

#include <QDialog>
#include <QVariantMap>
#include <QVector>

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;

namespace pxv {

class PageChoiceBox;

// Chooses a new size for pages, a paper size or width and height, or a scale, and the pages.
class ResizeDialog : public QDialog
{
    Q_OBJECT
public:
    // currentPage and selected (the thumbnails' selection, may be empty) are 0-based.
    ResizeDialog(int pageCount, int currentPage, const QVector<int>& selected, QWidget* parent = nullptr);

    // The parameters of the resize operation: Pages and either Size or Width and Height with
    // Orientation, or Scale.
    QVariantMap parameters() const;

private:
    void onPaperChosen();
    void onSizeEdited();
    void updateEnabled();

    QRadioButton* m_toSize;
    QRadioButton* m_toScale;
    QComboBox* m_paper;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QComboBox* m_orientation;
    QSpinBox* m_percent;
    PageChoiceBox* m_pages;
    QDialogButtonBox* m_buttons;
};

} // namespace pxv
