#pragma once

#include "ui/layer.h"

#include <QDialog>
#include <QMarginsF>
#include <QVariantMap>
#include <QVector>

class QDialogButtonBox;
class QDoubleSpinBox;

namespace pxv {

class CropPreview;
class Document;
class PageChoiceBox;
class PageRenderer;

// Chooses the margins to crop pages by and the pages, over a preview of the current page.
class CropDialog : public QDialog
{
    Q_OBJECT
public:
    // currentPage and selected (the thumbnails' selection, may be empty) are 0-based.
    CropDialog(Document* document, int currentPage, const QVector<int>& selected, QWidget* parent = nullptr);

    // What the margins take off the media box of the page as shown, in points.
    QMarginsF margins() const;
    // The parameters of the crop operation: Pages, Left, Top, Right, Bottom.
    QVariantMap parameters() const;

    CropPreview* preview() const { return m_preview; }

private:
    void setMargins(const QMarginsF& margins);
    void onMarginsEdited();
    void requestPreview();
    void updateOk();

    Document* m_document;
    int m_page;
    QMarginsF m_cropped; // what the page is cropped by already: the preview shows the rest
    PageRenderer* m_renderer;
    CropPreview* m_preview;
    QDoubleSpinBox* m_edges[4]; // left, top, right, bottom
    PageChoiceBox* m_pages;
    QDialogButtonBox* m_buttons;
};

} // namespace pxv
