#pragma once

#include <QString>

using QAppType = int;

// The product's identity towards the account service.
struct QDtaProduct
{
    QDtaProduct() = default;
    QDtaProduct(QAppType type, const QString& id, const QString& name, const QString& version)
        : appType(type), productId(id), productName(name), productVersion(version)
    {
    }

    QAppType appType = 0;
    QString productId;
    QString productName;
    QString productVersion;
};
