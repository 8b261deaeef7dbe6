// Damage done to whole files: truncation, random bytes, cross-reference tables and trailers,
// encryption, and files that are no PDF at all.

#include "corpusfiles.h"
#include "damage.h"

namespace corpus {

namespace {

int at(const QByteArray& pdf, const QByteArray& what)
{
    const int found = pdf.lastIndexOf(what);
    if (found < 0)
        qFatal("the source PDF has no \"%s\"", what.constData());
    return found;
}

// The first object stream's data in a file qpdf wrote with object streams.
int objectStreamData(const QByteArray& pdf)
{
    const int type = pdf.indexOf("/Type /ObjStm");
    if (type < 0)
        qFatal("the source PDF has no object stream");
    return pdf.indexOf("stream\n", type) + 7;
}

int xrefStreamData(const QByteArray& pdf)
{
    return pdf.indexOf("stream\n", at(pdf, "/Type /XRef")) + 7;
}

} // namespace

QList<CorpusFile> truncatedFiles(const Sources& s)
{
    const QByteArray& pdf = s.sample;
    return {
        {"truncated-header-only", cut(pdf, pdf.indexOf('\n') + 1)},
        {"truncated-at-quarter", cut(pdf, pdf.size() / 4)},
        {"truncated-at-half", cut(pdf, pdf.size() / 2)},
        {"truncated-mid-stream", cut(pdf, streamData(pdf, 2) + 10)},
        {"truncated-before-xref", cut(pdf, at(pdf, "xref\n"))},
        {"truncated-mid-xref", cut(pdf, at(pdf, "xref\n") + 60)},
        {"truncated-missing-trailer", cut(pdf, at(pdf, "trailer"))},
        {"truncated-missing-startxref", cut(pdf, at(pdf, "startxref"))},
        {"truncated-missing-eof-marker", cut(pdf, at(pdf, "%%EOF"))},
        {"truncated-painted-at-half", cut(s.painted, s.painted.size() / 2)},
        {"truncated-objstm-at-half", cut(s.objstm, s.objstm.size() / 2)},
        {"truncated-objstm-mid-xref-stream", cut(s.objstm, xrefStreamData(s.objstm) + 20)},
    };
}

QList<CorpusFile> scrambledFiles(const Sources& s)
{
    QByteArray everywhere = s.sample;
    for (int i = 1; i < 40; ++i)
        everywhere = scramble(everywhere, everywhere.size() * i / 40, 6, quint32(i));
    return {
        {"random-middle-seed1", scramble(s.sample, s.sample.size() / 3, 400, 1)},
        {"random-middle-seed2", scramble(s.sample, s.sample.size() / 2, 1500, 2)},
        {"random-painted-middle-seed3", scramble(s.painted, s.painted.size() / 3, 600, 3)},
        {"random-painted-font-seed4", scramble(s.painted, s.painted.size() * 2 / 3, 300, 4)},
        {"random-objstm-middle-seed5", scramble(s.objstm, s.objstm.size() / 2, 500, 5)},
        {"random-small-spots-everywhere", everywhere},
        {"objstm-data-random", scramble(s.objstm, objectStreamData(s.objstm), 200, 6)},
        {"objstm-count-huge", replaceShifting(s.objstm, "/N ", "/N 99999999 /Old ")},
        {"xrefstm-data-random", scramble(s.objstm, xrefStreamData(s.objstm), 40, 7)},
        {"xrefstm-widths-wrong", replaceShifting(s.objstm, "/W [", "/W [ 9 9 9 ] /Old [")},
        {"xrefstm-index-huge", replaceShifting(s.objstm, "/Type /XRef", "/Type /XRef /Index [ 0 2147483647 ]")},
    };
}

QList<CorpusFile> xrefFiles(const Sources& s)
{
    const QByteArray& pdf = s.sample;
    QByteArray offsets = pdf;
    const int xref = at(offsets, "xref\n");
    for (int i = offsets.indexOf(" 00000 n", xref) - 10; i > 0; i = offsets.indexOf(" 00000 n", i + 20) - 10)
        offsets.replace(i, 10, "0000000003");
    const int startxref = at(pdf, "startxref\n") + 10;
    const QByteArray xrefOffset = pdf.mid(startxref, pdf.indexOf('\n', startxref) - startxref);
    return {
        {"xref-offsets-wrong", offsets},
        {"xref-entries-random", scramble(pdf, xref + 30, 120, 8)},
        {"xref-subsection-count-huge", replaceShifting(pdf, "xref\n0 ", "xref\n0 2147483647\n0 ")},
        {"xref-keyword-missing", patch(pdf, "\nxref\n", "\nxzzf\n")},
        {"xref-prev-points-at-itself", replaceShifting(pdf, "trailer\n<<", "trailer\n<< /Prev " + xrefOffset)},
        {"startxref-wrong", patch(pdf, "startxref\n" + xrefOffset, "startxref\n" + QByteArray(xrefOffset.size(), '9'))},
        {"startxref-beyond-end", replaceShifting(pdf, "startxref\n" + xrefOffset, "startxref\n999999999999")},
        {"trailer-size-huge", replaceShifting(pdf, "trailer\n<< /Size", "trailer\n<< /Size 2147483647 /Old")},
        {"trailer-root-missing-object", replaceShifting(pdf, "/Root 1 0 R", "/Root 999 0 R")},
        {"trailer-root-not-a-dictionary", replaceShifting(pdf, "/Root 1 0 R", "/Root (text)")},
        {"object-number-huge", replaceShifting(pdf, "3 0 obj", "2147483647 0 obj")},
        {"object-generation-huge", replaceShifting(pdf, "3 0 obj", "3 99999999999 obj")},
        {"junk-before-header", QByteArray(500, '#') + pdf},
    };
}

QList<CorpusFile> encryptedFiles(const Sources& s)
{
    CorpusFile known{"encrypted-user-password-known", s.encrypted};
    known.password = "user";
    CorpusFile wrong{"encrypted-user-password-wrong", s.encrypted};
    wrong.wrongPassword = "guess";
    CorpusFile objstm{"encrypted-objstm-password-known", s.encryptedObjstm};
    objstm.password = "user";
    return {
        {"encrypted-empty-user-password", s.encryptedEmpty},
        {"encrypted-user-password-not-given", s.encrypted},
        known,
        wrong,
        objstm,
        {"encrypted-truncated-at-half", cut(s.encryptedEmpty, s.encryptedEmpty.size() / 2)},
        {"encrypted-random-middle-seed9", scramble(s.encryptedEmpty, s.encryptedEmpty.size() / 2, 300, 9)},
        {"encrypted-dictionary-damaged", patch(s.encryptedEmpty, "/Filter /Standard", "/Filter /Standarx")},
    };
}

QList<CorpusFile> notPdfFiles()
{
    return {
        {"empty", QByteArray()},
        {"not-pdf-text", QByteArray("This is a plain text file that someone named .pdf.\n").repeated(40)},
        {"not-pdf-zip", QByteArray("PK\x03\x04\x14\x00\x00\x00\x08\x00", 10) + QByteArray(300, '\0')},
        {"header-only-no-newline", QByteArray("%PDF-1.7")},
        {"header-then-random", scramble(QByteArray("%PDF-1.7\n") + QByteArray(4000, ' '), 9, 4000, 10)},
    };
}

} // namespace corpus
