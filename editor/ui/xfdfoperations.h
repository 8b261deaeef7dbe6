#pragma once

#include "ui/layer.h"

// Operations that exchange a document's comments and form fields with other programs as XFDF.

namespace pxv {

class OperationCall;

// "op.document.exportCommentsAndFields"
void exportCommentsAndFields(OperationCall& call);
// "op.document.importCommentsAndFields"
void importCommentsAndFields(OperationCall& call);

} // namespace pxv
