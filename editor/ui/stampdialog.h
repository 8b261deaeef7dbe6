#pragma once

#include "ui/layer.h"

#include "values/stamp.h"

#include <QDialog>
#include <QVariantMap>
#include <QVector>

#include <memory>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace pxv {

class Document;
class PageChoiceBox;
class PagePicture;
class PageRenderer;

// Chooses a watermark, or a header or footer line, and the pages, over a preview of the current
// page stamped as chosen: a copy of that page, drawn by the render workers.
class StampDialog : public QDialog
{
    Q_OBJECT
public:
    // currentPage and selected (the thumbnails' selection, may be empty) are 0-based.
    StampDialog(StampKind kind, Document* document, int currentPage, const QVector<int>& selected,
                QWidget* parent = nullptr);
    ~StampDialog() override;

    // The parameters of "op.document.addWatermarks" or "op.document.addHeaderFooter".
    QVariantMap parameters() const;

    PagePicture* preview() const { return m_preview; }
    QLineEdit* textEdit() const { return m_text; }
    // Stamps the preview's copy now rather than after the pause that gathers quick edits.
    void updatePreviewNow();

private:
    StampStyle style() const;
    QString positionName() const;
    void setColor(const QColor& color);
    // The header or footer line the current page gets in the document.
    QString previewLine() const;
    void requestPreview();
    void updateOk();

    StampKind m_kind;
    Document* m_document;
    int m_page;
    std::unique_ptr<Document> m_copy; // the current page alone, stamped as chosen
    PageRenderer* m_renderer;
    PagePicture* m_preview;
    QTimer* m_pause;
    QLineEdit* m_text;
    QLineEdit* m_image = nullptr;
    QSpinBox* m_imageScale = nullptr;
    QDoubleSpinBox* m_fontSize;
    QPushButton* m_colorButton;
    QColor m_color;
    QSpinBox* m_opacity;
    QSpinBox* m_rotation;
    QComboBox* m_position;
    QCheckBox* m_behind;
    QDoubleSpinBox* m_marginX = nullptr;
    QDoubleSpinBox* m_marginY = nullptr;
    QSpinBox* m_firstNumber = nullptr;
    PageChoiceBox* m_pages;
    QDialogButtonBox* m_buttons;
};

} // namespace pxv
