#pragma once

// A file embedded in a document, as its attachments list shows it.

#include <QDateTime>
#include <QString>

namespace pxv {

struct Attachment
{
    QString name; // the key it is filed under: unique within the document
    QString fileName; // the name it asks to be saved as (usually the same)
    qint64 size = -1; // bytes, -1 when it cannot be read
    QString description;
    QDateTime modified; // invalid when the document does not say
};

} // namespace pxv
