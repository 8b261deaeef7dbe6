#include "scale.h"

#include "textconv.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

float g_scaleFactor = 1.0f;

// Largest first, so that a rewritten size is never matched again by a later step.
const int kFontLadder[] = {26, 24, 22, 20, 18, 16, 15, 14, 13, 12};

} // namespace

float scaleFactorForDpi(double logicalDpi)
{
    const double ratio = float(logicalDpi / 96.0);
    if (ratio < 1.1)
        return 1.0f;
    if (ratio < 1.4)
        return 1.25f;
    if (ratio < 1.6)
        return 1.5f;
    if (ratio < 1.8)
        return 1.75f;
    return 2.0f;
}

void initScaleFactor()
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return;
    g_scaleFactor = scaleFactorForDpi(screens.first()->logicalDotsPerInch());
}

float scaleFactor()
{
    return g_scaleFactor;
}

void setScaleFactor(float factor)
{
    g_scaleFactor = factor;
}

int scaled(int size)
{
    return int(float(size) * g_scaleFactor);
}

void scaleFontSizes(QString& styleSheet)
{
    if (std::fabs(g_scaleFactor - 1.0f) < 1e-7f)
        return;
    for (int size : kFontLadder) {
        replaceAll(styleSheet, QStringLiteral("font-size: %1px;").arg(size),
                   QStringLiteral("font-size: %1px;").arg(scaled(size)));
    }
}

QString scaledStyleSheet(const QString& styleSheet)
{
    QString copy = styleSheet;
    scaleFontSizes(copy);
    return copy;
}

QString readStyleSheet(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(file.readAll());
    scaleFontSizes(text);
    return text;
}
