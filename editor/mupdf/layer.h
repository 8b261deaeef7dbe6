#pragma once

// The MuPDF layer is reached through the document core only: widgets that called MuPDF directly
// would share a context across threads behind the core's back.
#ifdef PXV_LAYER_UI
#error "Widgets must not include the MuPDF layer; go through the document core"
#endif
