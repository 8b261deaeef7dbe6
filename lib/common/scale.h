#pragma once

#include <QString>

// One display scale factor (1.0, 1.25, 1.5, 1.75 or 2.0), decided once at start-up from the
// primary screen's logical DPI. Sizes in code are design pixels scaled by it.
void initScaleFactor();
float scaleFactorForDpi(double logicalDpi);
float scaleFactor();
void setScaleFactor(float factor);

int scaled(int size);

// Rewrites "font-size: Npx;" declarations of the size ladder for the display.
void scaleFontSizes(QString& styleSheet);
QString scaledStyleSheet(const QString& styleSheet);
QString readStyleSheet(const QString& path);
