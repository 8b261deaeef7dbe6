#include "perflog.h"

namespace pxv {
Q_LOGGING_CATEGORY(lcPerf, "vellumpad.perf", QtWarningMsg)
} // namespace pxv
