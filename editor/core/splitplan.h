#pragma once

#include "core/layer.h"

// How a document is cut into files, and what the files are called.

#include "values/types.h"

#include <QList>
#include <QString>
#include <QVector>

namespace pxv {

// One file of a split: its pages (0-based, ascending), the outline entry it starts at (empty
// when none) and its file name.
struct SplitPart
{
    QVector<int> pages;
    QString title;
    QString fileName;
};

namespace split {

// One part for each of pages, in page order.
QList<SplitPart> eachPage(const QVector<int>& pages);
// Parts of count pages (count ≥ 1) in page order; the last holds what is left.
QList<SplitPart> everyCount(const QVector<int>& pages, int count);
// One part for each comma-separated item of a page range text ("1-3,7": two parts). Throws
// PageRangeError for a text that PageRange does not accept.
QList<SplitPart> byRanges(const QString& text, int pageCount);
// One part for each top-level entry of outline that leads to a page, from that page up to the
// next such entry's page, entries taken in page order; the pages before the first entry form a
// part of their own. Only pages among chosen count; parts left without pages are dropped.
QList<SplitPart> byOutline(const QList<OutlineItem>& outline, const QVector<int>& chosen, int pageCount);

// Gives each part a file name in baseName's folder: its title made safe for a file name when it
// has one, else baseName followed by its pages ("report - pages 1-3.pdf", "report - page 7.pdf").
// Names that would be equal (ignoring case) are numbered: "Intro (2).pdf".
void nameParts(const QString& baseName, QList<SplitPart>& parts);
// title without the characters file systems refuse or that separate folders (/ \ : * ? " < > |
// and control characters, each becoming "_"), without spaces and dots at its ends, at most
// kMaxNameBytes long in UTF-8. Empty when nothing is left.
QString safeFileName(const QString& title);
constexpr int kMaxNameBytes = 180;

} // namespace split

} // namespace pxv
