#include "textlayoutdialog.h"

#include "core/papersizes.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QFormLayout>

namespace pxv {

TextLayoutDialog::TextLayoutDialog(const QString& fileName, QWidget* parent)
    : QDialog(parent), m_font(new QFontComboBox(this)), m_fontSize(new QDoubleSpinBox(this)),
      m_margin(new QDoubleSpinBox(this)), m_paper(new QComboBox(this))
{
    setWindowTitle(tr("New from Text File: %1").arg(fileName));
    // Only outline fonts can be embedded; plain text reads best in a monospaced one by default.
    m_font->setFontFilters(QFontComboBox::ScalableFonts);
    QFont typewriter(QStringLiteral("monospace"));
    typewriter.setStyleHint(QFont::TypeWriter);
    m_font->setCurrentFont(QFont(QFontInfo(typewriter).family()));
    m_fontSize->setRange(4, 72);
    m_fontSize->setDecimals(1);
    m_fontSize->setValue(10);
    m_fontSize->setSuffix(tr(" pt"));
    // Leaves room for text on the smallest paper offered.
    m_margin->setRange(0, 96);
    m_margin->setDecimals(1);
    m_margin->setValue(56);
    m_margin->setSuffix(tr(" pt"));
    for (const PaperSize& paper : paperSizes())
        m_paper->addItem(paper.name, paper.name);
    m_paper->setCurrentIndex(qMax(0, m_paper->findData(QStringLiteral("A4"))));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Font:"), m_font);
    form->addRow(tr("Font &size:"), m_fontSize);
    form->addRow(tr("&Margins:"), m_margin);
    form->addRow(tr("&Page size:"), m_paper);
    form->addRow(buttons);
}

QVariantMap TextLayoutDialog::parameters() const
{
    return {{QStringLiteral("Font"), m_font->currentFont().family()},
            {QStringLiteral("FontSize"), m_fontSize->value()},
            {QStringLiteral("Margin"), m_margin->value()},
            {QStringLiteral("Size"), m_paper->currentData()}};
}

} // namespace pxv
