#pragma once

// PDFs written object by object: every feature a test looks for is placed exactly where the test
// expects it, and long documents are written in a fraction of the time a painter needs.

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>

namespace testpdfs {

// A PDF from object bodies numbered from 1 in list order, with a correct cross-reference table.
// An object whose body starts with "<< /Producer" becomes the Info dictionary.
QByteArray build(const QList<QByteArray>& objects, int rootObject = 1);

struct Sample
{
    int pages = 3; // US Letter; the second page has /Rotate 90
    bool outline = false; // "Chapter 1" -> page 1, "Chapter 2" -> page 2 with child
                          // "Section 2.1" -> page 3 through the named destination "sec21"
    bool links = false; // on page 1: GoTo last page, named destination "sec21", a URI
    QString fieldName{}; // a text field on page 1 with this name, when not empty
    QString title{}; // the Info dictionary's /Title, when not empty
    int sharedFormBytes = 0; // when > 0, every page draws one form XObject of about this size
};

QByteArray sample(const Sample& options);

// A PDF whose page tree contains itself.
QByteArray cyclicPageTree();

// A page tree too large to be checked on opening: two inner nodes, the first holding
// firstPages pages of firstSize and the second secondPages pages of secondSize (in points).
// Damaged: the first node's /Count says 1 and the root's says 50 pages fewer than there are,
// and the second node lists the root among its kids.
struct LargeTree
{
    int firstPages = 1000;
    QSizeF firstSize = QSizeF(300, 400);
    int secondPages = 1100;
    QSizeF secondSize = QSizeF(500, 700);
    bool damaged = false;
};
QByteArray largePageTree(const LargeTree& tree);

// A long document: A4 pages of forty lines of text each, every line naming its page.
QByteArray longDocument(int pages);

// Writes bytes to path; returns path, or an empty string when it cannot be written.
QString writeBytes(const QString& path, const QByteArray& bytes);

// build(objects) written to path; returns path, or an empty string on failure.
QString writeObjects(const QString& path, const QList<QByteArray>& objects);

// Two US Letter pages; page 1 has a link from the area (100, 600)-(300, 700) in PDF user space
// to the top of page 2, and one from (100, 400)-(300, 500) to uri.
QString writeWithLinks(const QString& path, const QString& uri);

} // namespace testpdfs
