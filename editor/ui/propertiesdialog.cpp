#include "propertiesdialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pxv {

namespace {

QLabel* value(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString when(const QDateTime& time)
{
    return time.isValid() ? QLocale().toString(time.toLocalTime(), QLocale::LongFormat)
                          : QCoreApplication::translate("pxv::PropertiesDialog", "not given");
}

} // namespace

PropertiesDialog::PropertiesDialog(const DocumentInfo& info, const QSizeF& pageSize, int pageCount, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Document Properties"));
    auto* tabs = new QTabWidget(this);

    auto* description = new QWidget(tabs);
    auto* form = new QFormLayout(description);
    const QString labels[4] = {tr("&Title:"), tr("&Author:"), tr("&Subject:"), tr("&Keywords:")};
    const QString values[4] = {info.title, info.author, info.subject, info.keywords};
    for (int i = 0; i < 4; ++i) {
        m_fields[i] = new QLineEdit(values[i], description);
        form->addRow(labels[i], m_fields[i]);
    }
    form->addRow(tr("Creator:"), value(info.creator, description));
    form->addRow(tr("Producer:"), value(info.producer, description));
    form->addRow(tr("Created:"), value(when(info.created), description));
    form->addRow(tr("Modified:"), value(when(info.modified), description));
    tabs->addTab(description, tr("&Description"));

    auto* document = new QWidget(tabs);
    auto* facts = new QFormLayout(document);
    const auto yesNo = [this](bool yes) { return yes ? tr("Yes") : tr("No"); };
    facts->addRow(tr("Format:"), value(info.format, document));
    facts->addRow(tr("Page size:"), value(tr("%1 × %2 pt (%3 × %4 mm)")
                                              .arg(pageSize.width(), 0, 'f', 1)
                                              .arg(pageSize.height(), 0, 'f', 1)
                                              .arg(pageSize.width() * 25.4 / 72, 0, 'f', 0)
                                              .arg(pageSize.height() * 25.4 / 72, 0, 'f', 0),
                                          document));
    facts->addRow(tr("Pages:"), value(QString::number(pageCount), document));
    facts->addRow(
        tr("File size:"),
        value(info.fileSize < 0 ? tr("not saved yet") : QLocale().formattedDataSize(info.fileSize), document));
    facts->addRow(tr("Tagged:"), value(yesNo(info.tagged), document));
    facts->addRow(tr("Linearized:"), value(yesNo(info.linearized), document));
    facts->addRow(tr("Encrypted:"), value(info.encryption.isEmpty() ? tr("No") : info.encryption, document));
    tabs->addTab(document, tr("D&ocument"));

    auto* fonts = new QTreeWidget(tabs);
    fonts->setRootIsDecorated(false);
    fonts->setHeaderLabels({tr("Font"), tr("Type"), tr("Embedded")});
    for (const FontUse& font : info.fonts) {
        // Type 3 fonts often carry no name at all.
        const QString name = font.name.isEmpty() ? tr("(no name)") : font.name;
        fonts->addTopLevelItem(new QTreeWidgetItem({name, font.type, yesNo(font.embedded)}));
    }
    fonts->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tabs->addTab(fonts, tr("&Fonts"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(520, 400);
}

EditableInfo PropertiesDialog::edited() const
{
    return {m_fields[0]->text(), m_fields[1]->text(), m_fields[2]->text(), m_fields[3]->text()};
}

} // namespace pxv
