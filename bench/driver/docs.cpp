#include "docs.h"

#include <QFileInfo>
#include <QProcess>
#include <QSet>

#include <stdexcept>

namespace {

// The R manuals first: the reference manual is the one the memory target is about.
const char* const kPackages[] = {"r-doc-pdf", "octave-doc", "gnuplot-doc", "debian-reference-en"};
// Its manual draws its many figures as paths: the most per page of the documentation packages.
const char* const kVectorPackage = "asymptote-doc";
constexpr int kScrollPages = 1000;
constexpr int kCombinePages = 5000;

QStringList pdfsOf(const char* package)
{
    QProcess dpkg;
    dpkg.start(QStringLiteral("dpkg"), {QStringLiteral("-L"), QString::fromLatin1(package)});
    if (!dpkg.waitForFinished(30000) || dpkg.exitCode() != 0)
        throw std::runtime_error(std::string("the package ") + package + " is not installed");
    QStringList found;
    for (const QString& line : QString::fromLocal8Bit(dpkg.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        // Packages may list a manual twice, through a link; each file counts once.
        const QString path = QFileInfo(line).canonicalFilePath();
        if (line.endsWith(QLatin1String(".pdf")) && QFileInfo(path).isFile() && !found.contains(path))
            found.append(path);
    }
    return found;
}

// The package's document with the most pages, its PDFs' page counts added to docs.
QString longestOf(const char* package, Documents& docs, const std::function<int(const QString&)>& countPages)
{
    QString longest;
    for (const QString& path : pdfsOf(package)) {
        docs.pages[path] = countPages(path);
        // Of equal page counts the shorter name wins: "refman" before "fullrefman".
        const int pages = docs.pages[path];
        const int best = docs.pages.value(longest, -1);
        if (pages > best || (pages == best && QFileInfo(path).fileName().size() < QFileInfo(longest).fileName().size()))
            longest = path;
    }
    if (longest.isEmpty())
        throw std::runtime_error(std::string("the package ") + package + " has no PDF");
    return longest;
}

} // namespace

int Documents::pagesOf(const QStringList& paths) const
{
    int total = 0;
    for (const QString& path : paths)
        total += pages.value(path);
    return total;
}

Documents findDocuments(const std::function<int(const QString&)>& countPages)
{
    Documents docs;
    for (const char* package : kPackages)
        docs.firstPage.append(longestOf(package, docs, countPages));
    docs.vector = longestOf(kVectorPackage, docs, countPages);
    docs.manual = docs.firstPage.first();

    for (auto it = docs.pages.cbegin(); it != docs.pages.cend(); ++it) {
        if (it.value() >= kScrollPages && it.value() != docs.pages[docs.manual]
            && (docs.scroll.isEmpty() || it.value() < docs.pages[docs.scroll]))
            docs.scroll = it.key();
    }
    if (docs.scroll.isEmpty())
        docs.scroll = docs.manual;

    if (docs.pagesOf(docs.firstPage) == 0)
        throw std::runtime_error("the documentation PDFs have no pages");
    while (docs.pagesOf(docs.combine) < kCombinePages)
        docs.combine.append(docs.firstPage.at(docs.combine.size() % docs.firstPage.size()));
    return docs;
}
