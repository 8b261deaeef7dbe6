#pragma once

#include "ui/layer.h"

#include <QDialog>
#include <QVariantMap>
#include <QVector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace pxv {

class PageChoiceBox;

// What a conversion starts from: the format chosen first ("docx", "png", ...) and a line for
// the user about it (empty when none).
struct ConvertPreset
{
    QString format;
    QString note;
};

// Chooses the format, the pages and the file or folder of a conversion.
class ConvertDialog : public QDialog
{
    Q_OBJECT

public:
    // currentPage and selected (the thumbnails' selection, may be empty) are 0-based;
    // documentPath (null for a document without a file) suggests where the result goes.
    ConvertDialog(int pageCount, int currentPage, const QVector<int>& selected, const QString& documentPath,
                  const ConvertPreset& preset, QWidget* parent = nullptr);

    // The parameters of the convert operation: Format, Pages, Path and, for images, Resolution.
    QVariantMap parameters() const;

private:
    QString suffix() const;
    void onFormatChosen();
    void browse();
    void updateEnabled();

    int m_pageCount;
    QString m_baseName;
    QComboBox* m_format;
    QSpinBox* m_resolution;
    QCheckBox* m_perPage;
    QLineEdit* m_target;
    PageChoiceBox* m_pages;
    QDialogButtonBox* m_buttons;
};

} // namespace pxv
