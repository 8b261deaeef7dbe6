#include "resizedialog.h"

#include "core/papersizes.h"
#include "pagechoicebox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pxv {

ResizeDialog::ResizeDialog(int pageCount, int currentPage, const QVector<int>& selected, QWidget* parent)
    : QDialog(parent), m_toSize(new QRadioButton(tr("&Paper size:"), this)),
      m_toScale(new QRadioButton(tr("S&cale:"), this)), m_paper(new QComboBox(this)), m_width(new QDoubleSpinBox(this)),
      m_height(new QDoubleSpinBox(this)), m_orientation(new QComboBox(this)), m_percent(new QSpinBox(this)),
      m_pages(new PageChoiceBox(pageCount, currentPage, selected, PageChoiceBox::Initially::CurrentPage, this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Resize Pages"));

    for (const PaperSize& paper : paperSizes())
        m_paper->addItem(paper.name, paper.name);
    m_paper->addItem(tr("Custom"));
    for (QDoubleSpinBox* length : {m_width, m_height}) {
        length->setRange(1, 14400);
        length->setDecimals(1);
        length->setSuffix(tr(" pt"));
    }
    m_orientation->addItem(tr("As each page stands"), QStringLiteral("auto"));
    m_orientation->addItem(tr("Portrait"), QStringLiteral("portrait"));
    m_orientation->addItem(tr("Landscape"), QStringLiteral("landscape"));
    m_percent->setRange(10, 1000);
    m_percent->setSuffix(tr(" %"));
    m_percent->setValue(100);

    auto* sizeBox = new QGroupBox(tr("New size"), this);
    auto* grid = new QGridLayout(sizeBox);
    grid->addWidget(m_toSize, 0, 0);
    grid->addWidget(m_paper, 0, 1, 1, 3);
    auto* widthLabel = new QLabel(tr("&Width:"), sizeBox);
    widthLabel->setBuddy(m_width);
    grid->addWidget(widthLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(m_width, 1, 1);
    auto* heightLabel = new QLabel(tr("&Height:"), sizeBox);
    heightLabel->setBuddy(m_height);
    grid->addWidget(heightLabel, 1, 2, Qt::AlignRight);
    grid->addWidget(m_height, 1, 3);
    auto* orientationLabel = new QLabel(tr("&Orientation:"), sizeBox);
    orientationLabel->setBuddy(m_orientation);
    grid->addWidget(orientationLabel, 2, 0, Qt::AlignRight);
    grid->addWidget(m_orientation, 2, 1, 1, 3);
    grid->addWidget(m_toScale, 3, 0);
    grid->addWidget(m_percent, 3, 1);
    grid->addWidget(new QLabel(tr("The content is scaled to fit and centred."), sizeBox), 4, 0, 1, 4);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sizeBox);
    layout->addWidget(m_pages);
    layout->addWidget(m_buttons);

    m_toSize->setChecked(true);
    m_paper->setCurrentText(QStringLiteral("A4"));
    onPaperChosen();
    connect(m_paper, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ResizeDialog::onPaperChosen);
    for (QDoubleSpinBox* length : {m_width, m_height})
        connect(length, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &ResizeDialog::onSizeEdited);
    connect(m_toSize, &QRadioButton::toggled, this, &ResizeDialog::updateEnabled);
    connect(m_pages, &PageChoiceBox::changed, this, &ResizeDialog::updateEnabled);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateEnabled();
}

QVariantMap ResizeDialog::parameters() const
{
    QVariantMap parameters{{QStringLiteral("Pages"), m_pages->range()}};
    if (m_toScale->isChecked()) {
        parameters.insert(QStringLiteral("Scale"), m_percent->value() / 100.0);
        return parameters;
    }
    const QString paper = m_paper->currentData().toString();
    if (paper.isEmpty()) {
        parameters.insert(QStringLiteral("Width"), m_width->value());
        parameters.insert(QStringLiteral("Height"), m_height->value());
    } else {
        parameters.insert(QStringLiteral("Size"), paper);
    }
    parameters.insert(QStringLiteral("Orientation"), m_orientation->currentData());
    return parameters;
}

void ResizeDialog::onPaperChosen()
{
    const QSizeF points = paperSize(m_paper->currentData().toString());
    if (points.isEmpty())
        return; // custom: the lengths stay as they are
    const QSignalBlocker width(m_width);
    const QSignalBlocker height(m_height);
    m_width->setValue(points.width());
    m_height->setValue(points.height());
}

void ResizeDialog::onSizeEdited()
{
    const QSignalBlocker blocker(m_paper);
    m_paper->setCurrentIndex(m_paper->count() - 1); // lengths typed in make a custom size
}

void ResizeDialog::updateEnabled()
{
    const bool toSize = m_toSize->isChecked();
    for (QWidget* widget : std::initializer_list<QWidget*>{m_paper, m_width, m_height, m_orientation})
        widget->setEnabled(toSize);
    m_percent->setEnabled(!toSize);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_pages->problem().isEmpty());
}

} // namespace pxv
