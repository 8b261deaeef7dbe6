#pragma once

// Small PDFs written by hand for the core tests: every feature the tests look for is placed
// exactly where the test expects it.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testpdf {

// A PDF from object bodies numbered from 1 in list order, with a correct cross-reference table.
QByteArray build(const QList<QByteArray>& objects, int rootObject);

struct Sample
{
    int pages = 3;             // US Letter; the second page has /Rotate 90
    bool outline = false;      // "Chapter 1" -> page 1, "Chapter 2" -> page 2 with child
                               // "Section 2.1" -> page 3 through the named destination "sec21"
    bool links = false;        // on page 1: GoTo last page, named destination "sec21", a URI
    QString fieldName;         // a text field on page 1 with this name, when not empty
    QString title;             // the Info dictionary's /Title, when not empty
    int sharedFormBytes = 0;   // when > 0, every page draws one form XObject of about this size
};

QByteArray sample(const Sample& options);

// A PDF whose page tree contains itself.
QByteArray cyclicPageTree();

bool writeFile(const QString& path, const QByteArray& data);

// Runs qpdf --check; returns its output when it finds a problem, an empty string when the file is
// sound.
QString qpdfProblems(const QString& path, const QString& password = QString());

} // namespace testpdf
