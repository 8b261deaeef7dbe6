// Update sections with object streams: MuPDF 1.21 writes every object on its own, and a combined
// document of long manuals is then a third larger, mostly its links' small dictionaries.

#include "mudocument_p.h"

#include <QFile>

#include <algorithm>

namespace pxv::mu {

namespace {

// Objects per object stream, as other writers pack them: larger streams compress little better
// and make each object slower to reach.
constexpr int kObjectsPerStream = 100;
// What is gathered before it is written.
constexpr int kWriteBytes = 1 << 20;

struct XrefEntry
{
    int number;
    int type; // 1: at an offset in the file; 2: in an object stream
    qint64 where; // the offset, or the object stream's number
    int index; // the generation, or the place in the object stream
};

QByteArray deflated(fz_context* ctx, const QByteArray& data)
{
    size_t size = 0;
    guarded(ctx, [&] { size = fz_deflate_bound(ctx, size_t(data.size())); });
    QByteArray packed(int(size), '\0');
    guarded(ctx, [&] {
        fz_deflate(ctx, reinterpret_cast<unsigned char*>(packed.data()), &size,
                   reinterpret_cast<const unsigned char*>(data.constData()), size_t(data.size()), FZ_DEFLATE_DEFAULT);
    });
    packed.resize(int(size));
    return packed;
}

QByteArray bigEndian(qint64 value, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = bytes - 1; i >= 0; --i, value >>= 8)
        out[i] = char(value & 0xff);
    return out;
}

} // namespace

qint64 MuDocument::appendPackedSection(const QString& path, const std::vector<int>& objects, qint64 previous)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        throw fileError("cannot open", path, file.errorString());
    // Written as it goes: a slice of a long document brings megabytes of streams.
    qint64 written = file.size();
    QByteArray out = previous < 0 ? QByteArray("%PDF-1.7\n%\xe2\xe3\xcf\xd3\n") : QByteArray("\n");
    const auto here = [&] { return written + out.size(); };
    const auto writeOut = [&] {
        if (file.write(out) != out.size())
            throw fileError("cannot write", path, file.errorString());
        written += out.size();
        out.clear();
    };
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    int next = 0; // numbers for the object streams and the cross-reference stream, after the document's
    guarded(ctx, [&] { next = pdf_xref_len(ctx, doc); });
    std::vector<XrefEntry> entries;
    if (previous < 0)
        entries.push_back({0, 0, 0, 65535});

    QByteArray offsets;
    QByteArray bodies;
    int packed = 0;
    const auto closeStream = [&] {
        if (packed == 0)
            return;
        const int number = next++;
        const QByteArray data = deflated(ctx, offsets + bodies);
        entries.push_back({number, 1, here(), 0});
        const QByteArray dictionary = "<</Type/ObjStm/N " + QByteArray::number(packed) + "/First "
                                      + QByteArray::number(offsets.size()) + "/Filter/FlateDecode/Length "
                                      + QByteArray::number(data.size()) + ">>";
        out += objectText(number, 0, {true, true, dictionary, data});
        offsets.clear();
        bodies.clear();
        packed = 0;
    };
    for (int number : objects) {
        const ObjectState state = objectState(number);
        const int generation = fileGeneration(doc, number);
        if (state.isStream || generation != 0) { // neither may live in an object stream
            entries.push_back({number, 1, here(), generation});
            out += objectText(number, generation, state);
            if (out.size() >= kWriteBytes)
                writeOut();
            continue;
        }
        // An object a step made and an undo took away again reads as null, as a free one would.
        const QByteArray body = state.exists ? state.object : QByteArray("null");
        entries.push_back({number, 2, next, packed});
        offsets += QByteArray::number(number) + ' ' + QByteArray::number(bodies.size()) + ' ';
        bodies += body + '\n';
        if (++packed == kObjectsPerStream)
            closeStream();
    }
    closeStream();

    // The cross-reference stream lists itself too.
    const int xrefNumber = next++;
    const qint64 xref = here();
    entries.push_back({xrefNumber, 1, xref, 0});
    std::sort(entries.begin(), entries.end(), [](const XrefEntry& a, const XrefEntry& b) { return a.number < b.number; });
    std::vector<int> numbers;
    QByteArray rows;
    for (const XrefEntry& entry : entries) {
        numbers.push_back(entry.number);
        rows += bigEndian(entry.type, 1) + bigEndian(entry.where, 5) + bigEndian(entry.index, 2);
    }
    QByteArray index;
    for (const auto& [first, last] : numberRuns(numbers))
        index += QByteArray::number(numbers[first]) + ' ' + QByteArray::number(qint64(last - first + 1)) + ' ';
    const QByteArray data = deflated(ctx, rows);

    QByteArray dictionary = "<</Type/XRef/Size " + QByteArray::number(next) + "/W[1 5 2]/Index["
                            + index.trimmed() + "]" + trailerEntries(ctx, doc);
    if (previous >= 0)
        dictionary += "/Prev " + QByteArray::number(previous);
    dictionary += "/Filter/FlateDecode/Length " + QByteArray::number(data.size()) + ">>";
    out += objectText(xrefNumber, 0, {true, true, dictionary, data}) + "startxref\n" + QByteArray::number(xref)
           + "\n%%EOF\n";

    writeOut();
    if (!file.flush())
        throw fileError("cannot write", path, file.errorString());
    return xref;
}

} // namespace pxv::mu
