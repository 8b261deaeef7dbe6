#pragma once

#include "ui/layer.h"

// Operations that write a document out in other forms.

#include "core/document.h"

#include <functional>
#include <memory>

class CPXVDocument;

namespace pxv {

class OperationCall;

// Makes a new document on a worker, telling the call's progress, and hands it to the calling
// thread as "Output"; returns it.
std::shared_ptr<CPXVDocument> outputNew(OperationCall& call,
                                        const std::function<std::unique_ptr<Document>(const SplitProgress&)>& make);

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
