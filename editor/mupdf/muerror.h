#pragma once

#include "mupdf/layer.h"

#include <stdexcept>
#include <string>

namespace pxv {

// A MuPDF call failed; what() carries MuPDF's own message.
class MuError : public std::runtime_error
{
public:
    MuError(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}

    // MuPDF's error code (FZ_ERROR_GENERIC, FZ_ERROR_SYNTAX, FZ_ERROR_ABORT, ...).
    int code() const { return m_code; }
    // The work was stopped on request, not because it failed.
    bool isCancellation() const;

private:
    int m_code;
};

} // namespace pxv
