#pragma once

#include "ui/layer.h"

// Layouts that several of the component's dialogs share.

class QDialog;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace pxv {

// A page preview on the left, beside it the choice of pages, buttons below both. Returns the
// column beside the preview, for the caller to put its settings in above the pages.
QVBoxLayout* layOutBesidePreview(QDialog* dialog, QWidget* preview, QWidget* pages, QWidget* buttons);

// A "Save to" row: the target field and a Browse button, which is returned for the caller to
// connect.
QPushButton* addTargetRow(QFormLayout* form, QLineEdit* target);

} // namespace pxv
