#pragma once

#include "ui/layer.h"

#include <QDialog>
#include <QVariantMap>

class QDialogButtonBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace pxv {

// Chooses how to make a smaller copy of a document and where it goes; shows the size now.
class CompressDialog : public QDialog
{
    Q_OBJECT

public:
    // documentPath is the document's file (null when it has none), of size bytes.
    CompressDialog(const QString& documentPath, qint64 size, QWidget* parent = nullptr);

    // The parameters of the compress operation: Level, Path and, when lossy, Resolution and
    // Quality.
    QVariantMap parameters() const;

private:
    void browse();
    void updateEnabled();

    QString m_documentPath;
    QRadioButton* m_lossless;
    QRadioButton* m_lossy;
    QSpinBox* m_resolution;
    QSpinBox* m_quality;
    QLineEdit* m_target;
    QDialogButtonBox* m_buttons;
};

} // namespace pxv
