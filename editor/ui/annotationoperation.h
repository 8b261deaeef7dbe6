#pragma once

#include "ui/layer.h"

#include <QStringList>

namespace pxv {

class OperationCall;

// "op.document.addAnnot": one annotation made by name, as the tools make them.
QStringList annotationParameters();
void addAnnotation(OperationCall& call);
// "op.document.summarizeAnnots": a new document listing the comments page by page.
void summarizeAnnotations(OperationCall& call);

} // namespace pxv
