#include "dialoglayouts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pxv {

QVBoxLayout* layOutBesidePreview(QDialog* dialog, QWidget* preview, QWidget* pages, QWidget* buttons)
{
    auto* side = new QVBoxLayout;
    side->addWidget(pages);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(preview, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    return side;
}

QPushButton* addTargetRow(QFormLayout* form, QLineEdit* target)
{
    QWidget* owner = form->parentWidget();
    auto* browse = new QPushButton(QCoreApplication::translate("pxv::DialogLayouts", "&Browse…"), owner);
    auto* row = new QHBoxLayout;
    row->addWidget(target, 1);
    row->addWidget(browse);
    auto* label = new QLabel(QCoreApplication::translate("pxv::DialogLayouts", "&Save to:"), owner);
    label->setBuddy(target);
    form->addRow(label, row);
    return browse;
}

} // namespace pxv
