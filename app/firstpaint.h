#pragma once

#include <functional>

class QWidget;

// Calls done once, from the event loop, right after the first paint of widget has reached its
// window. Nothing happens if the widget is destroyed before it is painted.
void callAfterFirstPaint(QWidget* widget, std::function<void()> done);
