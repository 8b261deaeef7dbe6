#pragma once

// One-page PDFs written object by object, for damage inside the objects themselves.

#include <QByteArray>
#include <QList>

namespace corpus {

// A stream object with a correct /Length; dict holds any further entries.
QByteArray stream(const QByteArray& data, const QByteArray& dict = QByteArray());

// Object numbers of onePage(): 1 catalog, 2 page tree, 3 page, 4 contents, 5 resources,
// 6 font F1, then `extra` from 7 on (resources name the first extra object /X1 as an XObject).
struct OnePage
{
    QByteArray contents = "BT /F1 24 Tf 72 700 Td (One page) Tj ET";
    QByteArray pageEntries; // more entries of the page dictionary
    QByteArray mediaBox = "[0 0 612 792]";
    QByteArray pageTree = "<< /Type /Pages /Kids [3 0 R] /Count 1 >>";
    QByteArray catalogEntries;
    QByteArray font = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    QList<QByteArray> extra;
};

QByteArray onePage(const OnePage& page);

} // namespace corpus
