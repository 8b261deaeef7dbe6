#include "compressdialog.h"

#include "dialoglayouts.h"
#include "outputfolder.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pxv {

CompressDialog::CompressDialog(const QString& documentPath, qint64 size, QWidget* parent)
    : QDialog(parent), m_documentPath(documentPath),
      m_lossless(new QRadioButton(tr("&Lossless: drop unused data and compress what is left"), this)),
      m_lossy(new QRadioButton(tr("Smaller &images: lower their resolution and store them as JPEG"), this)),
      m_resolution(new QSpinBox(this)), m_quality(new QSpinBox(this)), m_target(new QLineEdit(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Compress"));
    m_resolution->setRange(10, 1200);
    m_resolution->setValue(150);
    m_resolution->setSuffix(tr(" dpi"));
    m_quality->setRange(1, 100);
    m_quality->setValue(75);
    const QFileInfo document(documentPath);
    const QString folder = outputFolder(documentPath);
    const QString name = documentPath.isNull() ? tr("Untitled") : document.completeBaseName();
    m_target->setText(QDir(folder).filePath(tr("%1 (compressed).pdf").arg(name)));

    auto* form = new QFormLayout;
    form->addRow(tr("Size now:"), new QLabel(size > 0 ? QLocale().formattedDataSize(size) : tr("not saved yet"), this));
    form->addRow(m_lossless);
    form->addRow(m_lossy);
    form->addRow(tr("&Resolution:"), m_resolution);
    form->addRow(tr("&Quality:"), m_quality);
    QPushButton* browse = addTargetRow(form, m_target);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);

    m_lossless->setChecked(true);
    connect(m_lossy, &QRadioButton::toggled, this, &CompressDialog::updateEnabled);
    connect(m_target, &QLineEdit::textChanged, this, &CompressDialog::updateEnabled);
    connect(browse, &QPushButton::clicked, this, &CompressDialog::browse);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateEnabled();
}

QVariantMap CompressDialog::parameters() const
{
    QVariantMap parameters{
        {QStringLiteral("Path"), m_target->text().trimmed()},
        {QStringLiteral("Level"), m_lossy->isChecked() ? QStringLiteral("lossy") : QStringLiteral("lossless")}};
    if (m_lossy->isChecked()) {
        parameters.insert(QStringLiteral("Resolution"), m_resolution->value());
        parameters.insert(QStringLiteral("Quality"), m_quality->value());
    }
    return parameters;
}

void CompressDialog::browse()
{
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Save Compressed Copy"), m_target->text(),
                                                        tr("PDF documents (*.pdf)"));
    if (!chosen.isEmpty())
        m_target->setText(chosen);
}

void CompressDialog::updateEnabled()
{
    m_resolution->setEnabled(m_lossy->isChecked());
    m_quality->setEnabled(m_lossy->isChecked());
    const QFileInfo target(m_target->text().trimmed());
    // The document's own file is never the target: the copy must not replace it silently.
    const bool own = !m_documentPath.isNull()
                     && target.absoluteFilePath() == QFileInfo(m_documentPath).absoluteFilePath();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_target->text().trimmed().isEmpty() && !own);
}

} // namespace pxv
