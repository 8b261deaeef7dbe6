#pragma once

#include <QString>

// Process-wide paths, title and build identity, and the log receiver.
class CGlobal
{
public:
    static void init();
    static void release();

    // Both end in a separator, so callers append file names directly.
    static const QString& getAppPath();
    static const QString& getAppDataPath();

    static void setAppTitle(const QString& title);
    static const QString& getAppTitle();

    // The build day as YYYYMMDD.
    static int getBuildDate();
    static QString getVersion();
};
