#pragma once

#include "ui/layer.h"

#include <QLoggingCategory>

namespace pxv {
// Timing milestones, off unless enabled with QT_LOGGING_RULES="vellumpad.perf=true".
Q_DECLARE_LOGGING_CATEGORY(lcPerf)
} // namespace pxv
