// Comments on the R manual: an annotation added to page 1,000 until it is repainted, against
// MuPDF alone drawing that page, and what an incremental save of one annotation adds to the file.

#include "cases.h"
#include "rows.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <stdexcept>

namespace {

// The objects an incremental update appended, by number: each "N G obj … endobj" whole.
QHash<int, QByteArray> appendedObjects(const QByteArray& update)
{
    QHash<int, QByteArray> objects;
    static const QRegularExpression object(QStringLiteral("(\\d+) \\d+ obj\\b.*?\\bendobj"),
                                           QRegularExpression::DotMatchesEverythingOption);
    // Latin-1 keeps one character per byte, binary stream data included.
    const QString text = QString::fromLatin1(update);
    auto matches = object.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        objects.insert(match.captured(1).toInt(), match.captured(0).toLatin1());
    }
    return objects;
}

// The bytes of the annotation's own objects in the update: its dictionary and what it refers to
// there (its appearance streams and their resources), but not its page (/P) or anything else.
qint64 annotationBytes(const QHash<int, QByteArray>& objects, int id)
{
    static const QRegularExpression reference(QStringLiteral("(\\d+) \\d+ R\\b"));
    static const QRegularExpression page(QStringLiteral("/P\\s+(\\d+) \\d+ R\\b"));
    const QRegularExpressionMatch pageMatch = page.match(QString::fromLatin1(objects.value(id)));
    const int pageNumber = pageMatch.hasMatch() ? pageMatch.captured(1).toInt() : 0;
    QSet<int> seen;
    QList<int> pending{id};
    qint64 bytes = 0;
    while (!pending.isEmpty()) {
        const int number = pending.takeFirst();
        if (number == pageNumber || seen.contains(number) || !objects.contains(number))
            continue;
        seen.insert(number);
        const QByteArray& body = objects.value(number);
        bytes += body.size();
        auto refs = reference.globalMatch(QString::fromLatin1(body));
        while (refs.hasNext())
            pending.append(refs.next().captured(1).toInt());
    }
    return bytes;
}

} // namespace

void Bench::comments()
{
    const QString file = m_docs.manual;
    const ChildRun editor = editorRun({QStringLiteral("annotate"), file});
    std::vector<double> ours, first, call, alone;
    ChildResult last;
    for (int i = 0; i < kLongRuns; ++i) {
        last = mustRun(editor);
        ours.push_back(last.value("annotate-ms"));
        first.push_back(last.value("first-annotate-ms"));
        call.push_back(last.value("call-ms"));
        // At the scale the editor painted.
        const ChildRun engine = mupdfPageRun(file, int(last.value("page")), last.value("pixels-per-point"));
        std::vector<double> draws;
        for (int draw = 0; draw < int(last.value("annotations")); ++draw)
            draws.push_back(mustRun(engine).value("page-ms"));
        alone.push_back(median(draws));
    }
    const QString page = countText(last.value("page"));
    m_rows.append(
        ratioRow(QStringLiteral("Add an annotation to page %1 of %2 until repainted, vs MuPDF alone drawing that page")
                     .arg(page, describe(file)),
                 median(ours), median(alone), QStringLiteral("ms"), 1.5));

    const QString output = m_workDir + QStringLiteral("/annotated.pdf");
    const ChildResult saved = mustRun(editorRun({QStringLiteral("annotate-save"), file, output}));
    QFile source(file), result(output);
    if (!source.open(QIODevice::ReadOnly) || !result.open(QIODevice::ReadOnly))
        throw std::runtime_error("the annotated file or its source cannot be read");
    const QByteArray original = source.readAll();
    const QByteArray written = result.readAll();
    if (!written.startsWith(original))
        throw std::runtime_error("the save with an annotation was not incremental: the original bytes changed");
    const qint64 own = annotationBytes(appendedObjects(written.mid(original.size())), int(saved.value("id")));
    if (own <= 0)
        throw std::runtime_error("the annotation's objects were not found in the saved update");
    m_rows.append(
        ratioRow(QStringLiteral("Save one annotation on page %1 of %2: bytes added, vs the annotation's own objects")
                     .arg(page, describe(file)),
                 double(written.size() - original.size()), double(own), QStringLiteral("B"), 0));
    m_notes.append(QStringLiteral("%1 rectangles added to page %2 of %3 one by one, painted at %4 dpi; the first took "
                                  "%5 ms to the repaint, the row is the median of all, of which the operation call "
                                  "took %6 ms; the save added %7 bytes for an annotation of %8 bytes")
                       .arg(countText(last.value("annotations")), page, QFileInfo(file).fileName())
                       .arg(last.value("pixels-per-point") * 72.0, 0, 'f', 1)
                       .arg(median(first), 0, 'f', 0)
                       .arg(median(call), 0, 'f', 1)
                       .arg(written.size() - original.size())
                       .arg(own));
}
