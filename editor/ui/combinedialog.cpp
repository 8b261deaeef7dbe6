#include "combinedialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pxv {

CombineDialog::CombineDialog(QWidget* parent, Kind kind) : QDialog(parent), m_kind(kind)
{
    setWindowTitle(kind == Kind::Images ? tr("New from Images") : tr("Combine Files"));
    resize(560, 380);

    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAlternatingRowColors(true);

    auto* add = new QPushButton(tr("&Add…"), this);
    m_remove = new QPushButton(tr("&Remove"), this);
    m_up = new QPushButton(tr("Move &Up"), this);
    m_down = new QPushButton(tr("Move &Down"), this);

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(m_remove);
    side->addSpacing(12);
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(m_list, 1);
    middle->addLayout(side);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(kind == Kind::Images ? tr("C&reate") : tr("&Combine"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(kind == Kind::Images
                                     ? tr("Each of these images, in this order, makes a page of the new document:")
                                     : tr("The pages of these files, in this order, make the new document:"),
                                 this));
    layout->addLayout(middle, 1);
    if (kind == Kind::Images) {
        m_paper = new QComboBox(this);
        m_paper->addItem(tr("The image's own size (from its resolution)"), QString());
        m_paper->addItem(tr("Fitted to A4, with a margin"), QStringLiteral("A4"));
        m_paper->addItem(tr("Fitted to Letter, with a margin"), QStringLiteral("Letter"));
        auto* paper = new QFormLayout;
        paper->addRow(tr("&Page size:"), m_paper);
        layout->addLayout(paper);
    }
    layout->addWidget(m_buttons);

    connect(add, &QPushButton::clicked, this, &CombineDialog::onAdd);
    connect(m_remove, &QPushButton::clicked, this, &CombineDialog::onRemove);
    connect(m_up, &QPushButton::clicked, this, &CombineDialog::onMoveUp);
    connect(m_down, &QPushButton::clicked, this, &CombineDialog::onMoveDown);
    connect(m_list, &QListWidget::currentRowChanged, this, &CombineDialog::onSelectionChanged);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    onSelectionChanged();
}

QStringList CombineDialog::files() const
{
    QStringList result;
    for (int i = 0; i < m_list->count(); ++i)
        result.append(m_list->item(i)->data(Qt::UserRole).toString());
    return result;
}

void CombineDialog::addFiles(const QStringList& files)
{
    for (const QString& file : files) {
        auto* item = new QListWidgetItem(QFileInfo(file).fileName(), m_list);
        item->setData(Qt::UserRole, file);
        item->setToolTip(file);
    }
    if (!files.isEmpty())
        m_list->setCurrentRow(m_list->count() - 1);
    onSelectionChanged();
}

QString CombineDialog::paperSize() const
{
    return m_paper ? m_paper->currentData().toString() : QString();
}

void CombineDialog::onAdd()
{
    const QStringList chosen = QFileDialog::getOpenFileNames(
        this, tr("Add Files"), m_lastDir,
        m_kind == Kind::Images ? tr("Images (*.jpg *.jpeg *.png *.tif *.tiff *.JPG *.JPEG *.PNG *.TIF *.TIFF)")
                               : tr("PDF documents (*.pdf *.PDF);;All files (*)"));
    if (chosen.isEmpty())
        return;
    m_lastDir = QFileInfo(chosen.last()).absolutePath();
    addFiles(chosen);
}

void CombineDialog::onRemove()
{
    delete m_list->takeItem(m_list->currentRow());
    onSelectionChanged();
}

void CombineDialog::onMoveUp()
{
    move(-1);
}

void CombineDialog::onMoveDown()
{
    move(1);
}

void CombineDialog::move(int delta)
{
    const int row = m_list->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    QListWidgetItem* item = m_list->takeItem(row);
    m_list->insertItem(target, item);
    m_list->setCurrentRow(target);
}

void CombineDialog::onSelectionChanged()
{
    const int row = m_list->currentRow();
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row < m_list->count() - 1);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_list->count() > 0);
}

} // namespace pxv
