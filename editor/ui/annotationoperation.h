#pragma once

#include "ui/layer.h"

#include <QStringList>

namespace pxv {

class OperationCall;

// "op.document.addAnnot": one annotation made by name, as the tools make them.
QStringList annotationParameters();
void addAnnotation(OperationCall& call);

} // namespace pxv
