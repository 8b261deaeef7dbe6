#include "annotationfields.h"

#include "annotationbar.h"
#include "annotationdraft.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPixmap>
#include <QSpinBox>

namespace pxv {

namespace {

constexpr int kOtherColorRole = Qt::UserRole + 1;

void addColors(QComboBox* box)
{
    for (const auto& [name, color] : commentColors())
        box->addItem(AnnotationFields::swatch(color), name, color);
}

} // namespace

QIcon AnnotationFields::swatch(const QColor& color)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(color);
    return QIcon(pixmap);
}

QComboBox* AnnotationFields::color(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    addColors(box);
    return box;
}

QComboBox* AnnotationFields::fill(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItem(AnnotationBar::tr("None"), QColor());
    addColors(box);
    return box;
}

QSpinBox* AnnotationFields::opacity(QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(10, 100);
    box->setSuffix(QStringLiteral(" %"));
    return box;
}

QDoubleSpinBox* AnnotationFields::width(QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0, 20);
    box->setDecimals(1);
    box->setSuffix(AnnotationBar::tr(" pt"));
    return box;
}

void AnnotationFields::showColor(QComboBox* box, const QColor& color)
{
    int index = box->findData(color);
    if (index < 0) {
        index = box->findData(true, kOtherColorRole);
        if (index < 0) {
            box->addItem(QString());
            index = box->count() - 1;
            box->setItemData(index, true, kOtherColorRole);
        }
        box->setItemText(index, color.name());
        box->setItemIcon(index, swatch(color));
        box->setItemData(index, color);
    }
    box->setCurrentIndex(index);
}

QSpinBox* AnnotationFields::fontSize(QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(6, 72);
    return box;
}

} // namespace pxv
