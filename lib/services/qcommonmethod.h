#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

// Opens product pages and links by key.
class QCommonMethod
{
    Q_DECLARE_TR_FUNCTIONS(QCommonMethod)

public:
    static void openUrl(const QString& key, const QString& extra);
    static void openLink(const QString& softId, const QString& key, const QString& extra);

    // Handles links to products that the program itself stands in for: returns true when it
    // did, false to let openLink say there is no page. The program sets it; an empty handler
    // removes it.
    using LinkHandler = std::function<bool(const QString& softId, const QString& key, const QString& extra)>;
    static void setLinkHandler(LinkHandler handler);
};
