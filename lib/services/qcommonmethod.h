#pragma once

#include <QString>

// Opens product pages and links by key.
class QCommonMethod
{
public:
    static void openUrl(const QString& key, const QString& extra);
    static void openLink(const QString& softId, const QString& key, const QString& extra);
};
