#include "convertdialog.h"

#include "dialoglayouts.h"
#include "core/pagerange.h"
#include "outputfolder.h"
#include "pagechoicebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pxv {

namespace {

bool isImage(const QString& format)
{
    return format == QLatin1String("png") || format == QLatin1String("jpeg");
}

bool isOnePage(const QString& format)
{
    return isImage(format) || format == QLatin1String("svg");
}

} // namespace

ConvertDialog::ConvertDialog(int pageCount, int currentPage, const QVector<int>& selected, const QString& documentPath,
                             const ConvertPreset& preset, QWidget* parent)
    : QDialog(parent), m_pageCount(pageCount), m_format(new QComboBox(this)), m_resolution(new QSpinBox(this)),
      m_perPage(new QCheckBox(tr("One file per page, into a &folder"), this)), m_target(new QLineEdit(this)),
      m_pages(new PageChoiceBox(pageCount, currentPage, selected, PageChoiceBox::Initially::AllPages, this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Convert"));
    m_format->addItem(tr("Word document (.docx)"), QStringLiteral("docx"));
    m_format->addItem(tr("OpenDocument text (.odt)"), QStringLiteral("odt"));
    m_format->addItem(tr("Plain text (.txt)"), QStringLiteral("txt"));
    m_format->addItem(tr("Web page (.html)"), QStringLiteral("html"));
    m_format->addItem(tr("Drawing (.svg)"), QStringLiteral("svg"));
    m_format->addItem(tr("PNG image (.png)"), QStringLiteral("png"));
    m_format->addItem(tr("JPEG image (.jpg)"), QStringLiteral("jpeg"));
    m_format->setCurrentIndex(qMax(0, m_format->findData(preset.format)));
    m_resolution->setRange(10, 1200);
    m_resolution->setValue(150);
    m_resolution->setSuffix(tr(" dpi"));
    const QFileInfo document(documentPath);
    m_baseName = documentPath.isNull() ? tr("Untitled") : document.completeBaseName();
    m_target->setText(QDir(outputFolder(documentPath)).filePath(m_baseName));

    m_target->setMinimumWidth(m_target->fontMetrics().averageCharWidth() * 45);
    auto* form = new QFormLayout;
    form->addRow(tr("&Format:"), m_format);
    form->addRow(tr("&Resolution:"), m_resolution);
    QPushButton* browse = addTargetRow(form, m_target);
    form->addRow(QString(), m_perPage);

    auto* layout = new QVBoxLayout(this);
    if (!preset.note.isEmpty()) {
        auto* note = new QLabel(preset.note, this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addLayout(form);
    layout->addWidget(m_pages);
    layout->addWidget(m_buttons);

    onFormatChosen();
    connect(m_format, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ConvertDialog::onFormatChosen);
    connect(m_perPage, &QCheckBox::toggled, this, &ConvertDialog::onFormatChosen);
    connect(browse, &QPushButton::clicked, this, &ConvertDialog::browse);
    connect(m_target, &QLineEdit::textChanged, this, &ConvertDialog::updateEnabled);
    connect(m_pages, &PageChoiceBox::changed, this, &ConvertDialog::updateEnabled);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QVariantMap ConvertDialog::parameters() const
{
    const QString format = m_format->currentData().toString();
    QVariantMap parameters{{QStringLiteral("Format"), format},
                           {QStringLiteral("Pages"), m_pages->range()},
                           {QStringLiteral("Path"), m_target->text().trimmed()}};
    if (isImage(format))
        parameters.insert(QStringLiteral("Resolution"), m_resolution->value());
    return parameters;
}

QString ConvertDialog::suffix() const
{
    const QString format = m_format->currentData().toString();
    return format == QLatin1String("jpeg") ? QStringLiteral(".jpg") : QLatin1Char('.') + format;
}

void ConvertDialog::onFormatChosen()
{
    const QString format = m_format->currentData().toString();
    m_resolution->setEnabled(isImage(format));
    // A file target follows the format's suffix; a folder stays as it is.
    const QFileInfo target(m_target->text().trimmed());
    const QString folder = m_perPage->isChecked() && target.isDir() ? target.filePath() : target.absolutePath();
    m_target->setText(m_perPage->isChecked() ? folder : QDir(folder).filePath(m_baseName + suffix()));
    updateEnabled();
}

void ConvertDialog::browse()
{
    const QString chosen = m_perPage->isChecked()
                               ? QFileDialog::getExistingDirectory(this, tr("Convert into Folder"), m_target->text())
                               : QFileDialog::getSaveFileName(this, tr("Convert to File"), m_target->text());
    if (!chosen.isEmpty())
        m_target->setText(chosen);
}

void ConvertDialog::updateEnabled()
{
    const QString format = m_format->currentData().toString();
    // Formats of one page per file need a folder unless a single page is chosen.
    const bool single = m_pages->problem().isEmpty() && PageRange::parse(m_pages->range(), m_pageCount).size() == 1;
    const bool needsFolder = isOnePage(format) && !single;
    if (needsFolder && !m_perPage->isChecked())
        m_perPage->setChecked(true); // calls back here
    m_perPage->setEnabled(!needsFolder);
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(m_pages->problem().isEmpty() && !m_target->text().trimmed().isEmpty());
}

} // namespace pxv
