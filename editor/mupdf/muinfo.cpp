// What a document says about itself: its Info dictionary, format, encryption and the fonts its
// pages use; and the editable Info fields written back.

#include "mudocument_p.h"
#include "xmppacket.h"

#include <set>

namespace pxv::mu {

namespace {

// A PDF date ("D:YYYYMMDDHHmmSS+HH'mm'", most parts optional) as a date and time.
QDateTime pdfDate(const QString& text)
{
    QString digits = text.startsWith(QLatin1String("D:")) ? text.mid(2) : text;
    if (digits.size() < 4)
        return QDateTime();
    const QString stamp = digits.left(14).leftJustified(14, QLatin1Char('0'));
    QString padded = stamp;
    // Month and day count from 1: a date cut short keeps January the first.
    if (digits.size() < 6)
        padded.replace(4, 2, QStringLiteral("01"));
    if (digits.size() < 8)
        padded.replace(6, 2, QStringLiteral("01"));
    QDateTime when = QDateTime::fromString(padded, QStringLiteral("yyyyMMddHHmmss"));
    const QString zone = digits.mid(14);
    if (zone.startsWith(QLatin1Char('Z'))) {
        when.setTimeSpec(Qt::UTC);
    } else if (zone.startsWith(QLatin1Char('+')) || zone.startsWith(QLatin1Char('-'))) {
        const int hours = zone.mid(1, 2).toInt();
        const int minutes = zone.mid(4, 2).toInt();
        when.setOffsetFromUtc((zone.startsWith(QLatin1Char('-')) ? -1 : 1) * (hours * 3600 + minutes * 60));
    }
    return when;
}

bool hasFontFile(fz_context* ctx, pdf_obj* descriptor)
{
    return pdf_dict_get(ctx, descriptor, PDF_NAME(FontFile)) || pdf_dict_get(ctx, descriptor, PDF_NAME(FontFile2))
           || pdf_dict_get(ctx, descriptor, PDF_NAME(FontFile3));
}

struct FontFinder
{
    fz_context* ctx;
    std::set<pdf_obj*> seen; // fonts and resource dictionaries already looked at
    QList<FontUse> fonts;

    void resources(pdf_obj* dict, int depth)
    {
        if (!pdf_is_dict(ctx, dict) || depth > 8 || !seen.insert(pdf_resolve_indirect(ctx, dict)).second)
            return;
        pdf_obj* fontDict = pdf_dict_get(ctx, dict, PDF_NAME(Font));
        for (int i = 0; i < pdf_dict_len(ctx, fontDict); ++i)
            font(pdf_dict_get_val(ctx, fontDict, i));
        pdf_obj* xobjects = pdf_dict_get(ctx, dict, PDF_NAME(XObject));
        for (int i = 0; i < pdf_dict_len(ctx, xobjects); ++i)
            resources(pdf_dict_get(ctx, pdf_dict_get_val(ctx, xobjects, i), PDF_NAME(Resources)), depth + 1);
    }

    void font(pdf_obj* object)
    {
        if (!pdf_is_dict(ctx, object) || !seen.insert(pdf_resolve_indirect(ctx, object)).second)
            return;
        FontUse use;
        use.name = QString::fromUtf8(pdf_to_name(ctx, pdf_dict_get(ctx, object, PDF_NAME(BaseFont))));
        use.type = QString::fromUtf8(pdf_to_name(ctx, pdf_dict_get(ctx, object, PDF_NAME(Subtype))));
        pdf_obj* described = object;
        if (pdf_name_eq(ctx, pdf_dict_get(ctx, object, PDF_NAME(Subtype)), PDF_NAME(Type0)))
            described = pdf_array_get(ctx, pdf_dict_get(ctx, object, PDF_NAME(DescendantFonts)), 0);
        use.embedded = hasFontFile(ctx, pdf_dict_get(ctx, described, PDF_NAME(FontDescriptor)));
        if (pdf_name_eq(ctx, pdf_dict_get(ctx, object, PDF_NAME(Subtype)), PDF_NAME(Type3)))
            use.embedded = true; // its glyphs are drawn in the file
        fonts.append(use);
        resources(pdf_dict_get(ctx, object, PDF_NAME(Resources)), 1);
    }
};

QString lookup(fz_context* ctx, pdf_document* doc, const char* key)
{
    char buffer[2048] = {0};
    guarded(ctx, [&] { fz_lookup_metadata(ctx, &doc->super, key, buffer, sizeof buffer); });
    return QString::fromUtf8(buffer);
}

} // namespace

DocumentInfo MuDocument::info() const
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    DocumentInfo info;
    info.title = lookup(ctx, doc, FZ_META_INFO_TITLE);
    info.author = lookup(ctx, doc, FZ_META_INFO_AUTHOR);
    info.subject = lookup(ctx, doc, FZ_META_INFO_SUBJECT);
    info.keywords = lookup(ctx, doc, FZ_META_INFO_KEYWORDS);
    info.creator = lookup(ctx, doc, FZ_META_INFO_CREATOR);
    info.producer = lookup(ctx, doc, FZ_META_INFO_PRODUCER);
    info.created = pdfDate(lookup(ctx, doc, FZ_META_INFO_CREATIONDATE));
    info.modified = pdfDate(lookup(ctx, doc, FZ_META_INFO_MODIFICATIONDATE));
    info.format = lookup(ctx, doc, FZ_META_FORMAT);
    info.encryption = encryptionMethod();
    int tagged = 0;
    guarded(ctx, [&] { tagged = pdf_to_bool(ctx, pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/MarkInfo/Marked")); });
    info.tagged = tagged != 0;

    FontFinder finder{ctx, {}, {}};
    PageTreeVisitor visitor;
    visitor.page = [&](pdf_obj* page, int) {
        if (page)
            finder.resources(pdf_dict_get_inheritable(ctx, page, PDF_NAME(Resources)), 0);
    };
    guarded(ctx, [&] { walkPageTree(ctx, doc, visitor); });
    info.fonts = finder.fonts;
    return info;
}

QString MuDocument::encryptionMethod() const
{
    return d->pdf()->crypt ? lookup(d->ctx(), d->pdf(), FZ_META_ENCRYPTION) : QString();
}

void MuDocument::setInfo(const EditableInfo& info)
{
    const QByteArray values[] = {info.title.toUtf8(), info.author.toUtf8(), info.subject.toUtf8(),
                                 info.keywords.toUtf8()};
    const QDateTime when = QDateTime::currentDateTimeUtc();
    const QByteArray now = when.toString(QStringLiteral("'D:'yyyyMMddHHmmss'Z'")).toLatin1();
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();

    // An XMP stream says the same again, and readers that prefer it must not show the old
    // values: it is brought in line, or, when it cannot be read, it goes.
    pdf_obj* metadata = nullptr;
    fz_buffer* raw = nullptr;
    guarded(ctx, [&] {
        metadata = pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/Metadata");
        if (pdf_is_stream(ctx, metadata))
            raw = pdf_load_stream(ctx, metadata);
    });
    const BufferHandle old(ctx, raw);
    QByteArray packet;
    if (raw) {
        unsigned char* data = nullptr;
        const size_t size = fz_buffer_storage(ctx, raw, &data);
        packet = packetWithInfo(QByteArray(reinterpret_cast<const char*>(data), int(size)), info, when);
    }

    guarded(ctx, [&] {
        pdf_obj* dict = pdf_dict_get(ctx, pdf_trailer(ctx, doc), PDF_NAME(Info));
        if (!pdf_is_dict(ctx, dict)) {
            dict = pdf_add_new_dict(ctx, doc, 5);
            // Adding the object may start a new section with a trailer of its own: only now
            // is the trailer to change known.
            pdf_dict_put_drop(ctx, pdf_trailer(ctx, doc), PDF_NAME(Info), dict);
        }
        pdf_obj* const keys[] = {PDF_NAME(Title), PDF_NAME(Author), PDF_NAME(Subject), PDF_NAME(Keywords)};
        for (int i = 0; i < 4; ++i) {
            if (values[i].isEmpty())
                pdf_dict_del(ctx, dict, keys[i]);
            else
                pdf_dict_put_text_string(ctx, dict, keys[i], values[i].constData());
        }
        pdf_dict_put_text_string(ctx, dict, PDF_NAME(ModDate), now.constData());
        if (!packet.isEmpty()) {
            fz_buffer* updated = fz_new_buffer_from_copied_data(
                ctx, reinterpret_cast<const unsigned char*>(packet.constData()), size_t(packet.size()));
            fz_try(ctx)
            {
                // Left uncompressed, as XMP is meant to be readable by tools that know no PDF.
                pdf_update_stream(ctx, doc, metadata, updated, 0);
                pdf_dict_del(ctx, metadata, PDF_NAME(Filter));
                pdf_dict_del(ctx, metadata, PDF_NAME(DecodeParms));
            }
            fz_always(ctx)
            {
                fz_drop_buffer(ctx, updated);
            }
            fz_catch(ctx)
            {
                fz_rethrow(ctx);
            }
        } else if (metadata) {
            pdf_dict_del(ctx, pdf_dict_get(ctx, pdf_trailer(ctx, doc), PDF_NAME(Root)), PDF_NAME(Metadata));
        }
    });
}

} // namespace pxv::mu
