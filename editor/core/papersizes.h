#pragma once

#include "core/layer.h"

// The paper sizes pages can be made or resized to, by name.

#include <QSizeF>
#include <QString>
#include <QVector>

namespace pxv {

struct PaperSize
{
    QString name; // as operations take it and lists show it: "A4", "Letter"
    QSizeF points; // portrait
};

const QVector<PaperSize>& paperSizes();

// The portrait size of the paper of that name, ignoring case; an empty size for none.
QSizeF paperSize(const QString& name);

} // namespace pxv
