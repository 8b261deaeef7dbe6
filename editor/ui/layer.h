#pragma once

// Widgets sit on top: neither the document core nor the MuPDF layer may depend on them.
#if defined(PXV_LAYER_CORE) || defined(PXV_LAYER_MUPDF)
#error "The document core and the MuPDF layer must not include widgets"
#endif
