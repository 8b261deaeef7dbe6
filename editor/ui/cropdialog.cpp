#include "cropdialog.h"

#include "dialoglayouts.h"
#include "core/document.h"
#include "core/pagerenderer.h"
#include "croppreview.h"
#include "pagechoicebox.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace pxv {

CropDialog::CropDialog(Document* document, int currentPage, const QVector<int>& selected, QWidget* parent)
    : QDialog(parent), m_document(document), m_page(currentPage), m_cropped(document->cropMargins(currentPage)),
      m_renderer(new PageRenderer(document, this)), m_preview(new CropPreview(this)),
      m_pages(
          new PageChoiceBox(document->pageCount(), currentPage, selected, PageChoiceBox::Initially::CurrentPage, this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Crop Pages"));

    auto* marginBox = new QGroupBox(tr("Margins"), this);
    auto* form = new QFormLayout(marginBox);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const QString labels[4] = {tr("&Left:"), tr("&Top:"), tr("&Right:"), tr("&Bottom:")};
    for (int i = 0; i < 4; ++i) {
        m_edges[i] = new QDoubleSpinBox(marginBox);
        m_edges[i]->setRange(0, 14400);
        m_edges[i]->setDecimals(1);
        m_edges[i]->setSuffix(tr(" pt"));
        form->addRow(labels[i], m_edges[i]);
        connect(m_edges[i], QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &CropDialog::onMarginsEdited);
    }

    layOutBesidePreview(this, m_preview, m_pages, m_buttons)->insertWidget(0, marginBox);

    m_preview->setPageSize(document->pageSize(currentPage));
    setMargins(m_cropped);
    connect(m_preview, &CropPreview::marginsDragged, this,
            [this](const QMarginsF& shown) { setMargins(shown + m_cropped); });
    connect(m_preview, &CropPreview::scaleChanged, this, &CropDialog::requestPreview);
    connect(m_renderer, &PageRenderer::pageReady, this, [this](int page, double, const QImage& image) {
        if (page == m_page)
            m_preview->setImage(image);
    });
    connect(m_pages, &PageChoiceBox::changed, this, &CropDialog::updateOk);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateOk();
}

QMarginsF CropDialog::margins() const
{
    return QMarginsF(m_edges[0]->value(), m_edges[1]->value(), m_edges[2]->value(), m_edges[3]->value());
}

QVariantMap CropDialog::parameters() const
{
    const QMarginsF chosen = margins();
    return {{QStringLiteral("Pages"), m_pages->range()},
            {QStringLiteral("Left"), chosen.left()},
            {QStringLiteral("Top"), chosen.top()},
            {QStringLiteral("Right"), chosen.right()},
            {QStringLiteral("Bottom"), chosen.bottom()}};
}

void CropDialog::setMargins(const QMarginsF& margins)
{
    const double values[4] = {margins.left(), margins.top(), margins.right(), margins.bottom()};
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker blocker(m_edges[i]);
        m_edges[i]->setValue(values[i]);
    }
    onMarginsEdited();
}

void CropDialog::onMarginsEdited()
{
    m_preview->setMargins(margins() - m_cropped);
    updateOk();
}

void CropDialog::requestPreview()
{
    const double scale = m_preview->pixelsPerPoint();
    if (scale > 0)
        m_renderer->request(m_page, scale, 1);
}

void CropDialog::updateOk()
{
    // Margins that leave nothing of the page shown cannot be right for any page.
    const QMarginsF chosen = margins() - m_cropped;
    const QSizeF shown = m_document->pageSize(m_page);
    const bool leavesSome = chosen.left() + chosen.right() < shown.width() - 1
                            && chosen.top() + chosen.bottom() < shown.height() - 1;
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(leavesSome && m_pages->problem().isEmpty());
}

} // namespace pxv
