#pragma once

// What a document says about itself, for its properties.

#include <QDateTime>
#include <QList>
#include <QString>

namespace pxv {

struct FontUse
{
    QString name; // as the file names it, subset prefix and all
    QString type; // Type1, TrueType, Type0, ...
    bool embedded = false;
};

struct DocumentInfo
{
    QString title;
    QString author;
    QString subject;
    QString keywords;
    QString creator;
    QString producer;
    QDateTime created; // invalid when the file does not say
    QDateTime modified;
    QString format; // "PDF 1.7"
    QString encryption; // how, as MuPDF names it; empty when not encrypted
    bool tagged = false;
    bool linearized = false;
    qint64 fileSize = -1; // -1 without a file
    QList<FontUse> fonts;
};

// The fields of the Info dictionary that can be edited.
struct EditableInfo
{
    QString title;
    QString author;
    QString subject;
    QString keywords;
};

} // namespace pxv
