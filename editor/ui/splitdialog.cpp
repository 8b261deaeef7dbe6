#include "splitdialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pxv {

SplitDialog::SplitDialog(bool hasOutline, const SplitChoice& initial, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Split Document"));
    setMinimumWidth(fontMetrics().averageCharWidth() * 60); // room for a folder's path

    m_everyCount = new QRadioButton(tr("&Every"), this);
    m_count = new QSpinBox(this);
    m_count->setRange(1, 100000);
    m_count->setValue(initial.count);
    m_eachPage = new QRadioButton(tr("One file for each &page"), this);
    m_outline = new QRadioButton(tr("At top-level &bookmarks"), this);
    m_outline->setEnabled(hasOutline);
    if (!hasOutline)
        m_outline->setToolTip(tr("The document has no bookmarks."));
    switch (initial.way) {
    case SplitChoice::Way::EachPage:
        m_eachPage->setChecked(true);
        break;
    case SplitChoice::Way::Outline:
        (hasOutline ? m_outline : m_everyCount)->setChecked(true);
        break;
    default:
        m_everyCount->setChecked(true);
        break;
    }

    auto* howBox = new QGroupBox(tr("Split"), this);
    auto* how = new QGridLayout(howBox);
    how->addWidget(m_everyCount, 0, 0);
    how->addWidget(m_count, 0, 1);
    how->addWidget(new QLabel(tr("pages"), this), 0, 2);
    how->setColumnStretch(3, 1);
    how->addWidget(m_eachPage, 1, 0, 1, 4);
    how->addWidget(m_outline, 2, 0, 1, 4);

    m_folder = new QLineEdit(initial.folder, this);
    auto* browse = new QPushButton(tr("B&rowse…"), this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("&Split"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(howBox);
    layout->addWidget(new QLabel(tr("Write the files into the folder:"), this));
    layout->addLayout(folderRow);
    layout->addWidget(m_buttons);

    connect(browse, &QPushButton::clicked, this, &SplitDialog::browse);
    connect(m_everyCount, &QRadioButton::toggled, this, &SplitDialog::update);
    connect(m_folder, &QLineEdit::textChanged, this, &SplitDialog::update);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    update();
}

SplitChoice SplitDialog::choice() const
{
    SplitChoice result;
    result.way = m_eachPage->isChecked()  ? SplitChoice::Way::EachPage
                 : m_outline->isChecked() ? SplitChoice::Way::Outline
                                          : SplitChoice::Way::EveryCount;
    result.count = m_count->value();
    result.folder = m_folder->text().trimmed();
    return result;
}

void SplitDialog::browse()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Folder for the Files"), m_folder->text());
    if (!folder.isEmpty())
        m_folder->setText(folder);
}

void SplitDialog::update()
{
    m_count->setEnabled(m_everyCount->isChecked());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_folder->text().trimmed().isEmpty());
}

} // namespace pxv
