#pragma once

#include "core/layer.h"

// XFDF, the XML form in which programs exchange a PDF's form field values and comments: what a
// file holds, read and written with Qt's XML streams. Geometry here is in each page's PDF user
// space (origin at the bottom left, unrotated), as the format has it.

#include "values/exchange.h"
#include "values/annotation.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace pxv {

struct XfdfComment
{
    int page = 0; // 0-based
    Annotation annotation;
    AnnotationExtras extras;
};

struct Xfdf
{
    QString href; // the PDF the data belongs to, by file name
    QList<NamedFieldValue> fields;
    QList<XfdfComment> comments;
    int skippedComments = 0; // elements of kinds the editor does not create
};

// What an import did.
struct XfdfImport
{
    int fields = 0;
    int comments = 0;
    int skippedFields = 0; // named no field of the document
    int skippedComments = 0; // of kinds the editor does not create
};

// What to export.
enum class XfdfContent { Fields, Comments, Both };

QByteArray writeXfdf(const Xfdf& xfdf);
// Reads XFDF for a document of pageCount pages. Throws DocumentError with a sentence for the
// user when bytes are not XML, not XFDF, or place a comment on a page the document lacks or
// give it numbers that are not numbers.
Xfdf readXfdf(const QByteArray& bytes, int pageCount);

// Dates as PDF writes them ("D:20240131153000+01'00'"); an invalid QDateTime for a text that is
// none.
QString pdfDate(const QDateTime& time);
QDateTime parsePdfDate(const QString& text);

} // namespace pxv
