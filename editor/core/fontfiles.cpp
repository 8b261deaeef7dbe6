#include "fontfiles.h"

#include <QFile>
#include <QtEndian>

#include <fontconfig/fontconfig.h>

#include <memory>

namespace pxv {

namespace {

using Pattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;
using FontSet = std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)>;

QString text(const FcPattern* pattern, const char* object, int n = 0)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, n, &value) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

bool hasFamily(const FcPattern* pattern, const QString& family)
{
    for (int n = 0;; ++n) {
        const QString name = text(pattern, FC_FAMILY, n);
        if (name.isNull())
            return false;
        if (name.compare(family, Qt::CaseInsensitive) == 0)
            return true;
    }
}

// Big-endian numbers of the font data at offset, or 0 beyond its end.
quint32 read32(const QByteArray& data, qint64 offset)
{
    return offset >= 0 && offset + 4 <= data.size() ? qFromBigEndian<quint32>(data.constData() + offset) : 0;
}

quint16 read16(const QByteArray& data, qint64 offset)
{
    return offset >= 0 && offset + 2 <= data.size() ? qFromBigEndian<quint16>(data.constData() + offset) : 0;
}

void append32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QByteArray singleFace(const QByteArray& data, int index)
{
    if (!data.startsWith("ttcf"))
        return index == 0 ? data : QByteArray();
    if (index < 0 || quint32(index) >= read32(data, 8))
        return {};
    const qint64 face = read32(data, 12 + 4 * qint64(index));
    const int tables = read16(data, face + 4);
    const qint64 records = face + 12;
    if (tables == 0 || records + 16 * qint64(tables) > data.size())
        return {};
    // The face's header and table records as they are, each record pointing into the new file.
    QByteArray out = data.mid(int(face), 12);
    QByteArray body;
    qint64 next = 12 + 16 * qint64(tables);
    for (int i = 0; i < tables; ++i) {
        const qint64 record = records + 16 * i;
        const qint64 offset = read32(data, record + 8);
        const qint64 length = read32(data, record + 12);
        if (offset + length > data.size())
            return {};
        out.append(data.mid(int(record), 8)); // tag and checksum
        append32(out, quint32(next));
        append32(out, quint32(length));
        body.append(data.mid(int(offset), int(length)));
        body.append(int((4 - length % 4) % 4), '\0'); // tables start on four-byte boundaries
        next += (length + 3) / 4 * 4;
    }
    return out + body;
}

QByteArray fontForFamily(const QString& family)
{
    if (family.trimmed().isEmpty())
        return {};
    const Pattern wanted(FcPatternCreate(), FcPatternDestroy);
    FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    // Sorted best first: the family's regular face comes before its bold and italic ones, and
    // fontconfig's substitutes for an unknown family follow, which the family check leaves out.
    FcResult result = FcResultNoMatch;
    const FontSet sorted(FcFontSort(nullptr, wanted.get(), FcFalse, nullptr, &result), FcFontSetDestroy);
    if (!sorted)
        return {};
    for (int i = 0; i < sorted->nfont; ++i) {
        const FcPattern* font = sorted->fonts[i];
        const QString format = text(font, FC_FONTFORMAT);
        if (!hasFamily(font, family) || (format != QLatin1String("TrueType") && format != QLatin1String("CFF")))
            continue;
        int index = 0;
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        QFile file(text(font, FC_FILE));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        // Variable fonts keep their named instances in the index's upper half; the file is one face.
        return singleFace(file.readAll(), index & 0xffff);
    }
    return {};
}

} // namespace pxv
