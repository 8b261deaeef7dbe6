#pragma once

#include "ui/layer.h"

#include "dialogprovider.h"

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace pxv {

// Asks how to split a document (every so many pages, one file per page, at top-level outline
// entries) and the folder the files go into.
class SplitDialog : public QDialog
{
    Q_OBJECT
public:
    // Splitting at outline entries can be chosen only when hasOutline.
    SplitDialog(bool hasOutline, const SplitChoice& initial, QWidget* parent = nullptr);

    SplitChoice choice() const;

private:
    void browse();
    void update();

    QRadioButton* m_everyCount;
    QSpinBox* m_count;
    QRadioButton* m_eachPage;
    QRadioButton* m_outline;
    QLineEdit* m_folder;
    QDialogButtonBox* m_buttons;
};

} // namespace pxv
