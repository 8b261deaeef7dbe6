#pragma once

#include <QHash>
#include <QStringList>

#include <functional>

// Real PDFs from Debian's documentation packages, chosen by their page counts.
struct Documents
{
    QString manual; // the R reference manual (2,415 pages in Debian 12)
    QString scroll; // the shortest document of at least 1,000 pages besides the manual
    QStringList firstPage; // the longest document of each package
    QStringList combine; // those again in turn until they total at least 5,000 pages
    QString vector; // the Asymptote manual, its figures drawn as paths
    QHash<QString, int> pages;

    int pagesOf(const QStringList& paths) const;
};

// Searches the files of the installed documentation packages; page counts come from countPages.
// Throws std::runtime_error when a package or a long enough document is missing.
Documents findDocuments(const std::function<int(const QString&)>& countPages);
