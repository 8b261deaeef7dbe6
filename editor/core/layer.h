#pragma once

// The document core sits above the MuPDF layer: the layer knows nothing of documents, steps or
// views.
#ifdef PXV_LAYER_MUPDF
#error "The MuPDF layer must not include the document core"
#endif
