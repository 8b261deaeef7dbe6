#pragma once

#include "ui/layer.h"

#include "values/protection.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;

namespace pxv {

// Shows how a document is protected and chooses the protection its next save gives it.
class SecurityDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SecurityDialog(const ProtectionState& state, QWidget* parent = nullptr);

    Protection protection() const;

private:
    void updateOk();

    QCheckBox* m_needsOpen;
    QLineEdit* m_open[2]; // the password and its repetition
    QCheckBox* m_restricts;
    QLineEdit* m_owner[2];
    QCheckBox* m_permits[5]; // print, copy, edit, annotate, fill forms
    QDialogButtonBox* m_buttons;
};

} // namespace pxv
