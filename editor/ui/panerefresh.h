#pragma once

#include "ui/layer.h"

#include <functional>

class QWidget;

namespace pxv {

class Document;

// A side pane rereads the document after every step and when it is replaced, but only while it
// is shown: a hidden pane rereads when it is shown again.
void refreshWhileShown(QWidget* pane, Document* document, const std::function<void()>& refresh);

} // namespace pxv
