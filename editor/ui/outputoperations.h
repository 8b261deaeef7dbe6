#pragma once

#include "ui/layer.h"

// Operations that write a document out in other forms.

namespace pxv {

class OperationCall;

// "op.document.exportToImages"
void exportToImages(OperationCall& call);
// "op.document.convert"
void convertDocument(OperationCall& call);
// "op.document.compress"
void compressDocument(OperationCall& call);
// "op.document.printPages"
void printDocument(OperationCall& call);
// "op.imagesToDoc"
void imagesToDoc(OperationCall& call);
// "op.textToDoc"
void textToDoc(OperationCall& call);

} // namespace pxv
