// Embedded files: the document's EmbeddedFiles name tree, read flattened and written back as one
// node with a sorted /Names array whenever a file is added or removed.

#include "mudocument_p.h"

#include <algorithm>

namespace pxv::mu {

namespace {

// The tree flattened into a dictionary from keys (as names) to file dictionaries; an empty
// handle when there is none.
ObjectHandle loadTree(fz_context* ctx, pdf_document* doc)
{
    pdf_obj* tree = nullptr;
    guarded(ctx, [&] { tree = pdf_load_name_tree(ctx, doc, PDF_NAME(EmbeddedFiles)); });
    return ObjectHandle(ctx, tree);
}

struct Entry
{
    QByteArray key; // UTF-8
    pdf_obj* fileDict; // borrowed from the loaded tree
};

QList<Entry> entriesOf(fz_context* ctx, pdf_obj* tree)
{
    QList<Entry> entries;
    const int count = tree ? pdf_dict_len(ctx, tree) : 0;
    for (int i = 0; i < count; ++i)
        entries.append({QByteArray(pdf_to_name(ctx, pdf_dict_get_key(ctx, tree, i))), pdf_dict_get_val(ctx, tree, i)});
    return entries;
}

// Writes entries as the whole tree, or takes the tree away when there are none. Keys are
// compared as the bytes the file holds: ASCII keys are written as such, others in UTF-16BE
// after a byte order mark, which sorts them after every ASCII key and among themselves as
// QString orders them.
void writeTree(fz_context* ctx, pdf_document* doc, QList<Entry> entries)
{
    const auto sortKey = [](const Entry& entry) {
        const QString text = QString::fromUtf8(entry.key);
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
        return std::make_pair(!ascii, text);
    };
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) { return sortKey(a) < sortKey(b); });
    const QList<Entry>& sorted = entries; // read only from here: no copy made inside fz_try
    guarded(ctx, [&] {
        pdf_obj* root = pdf_dict_get(ctx, pdf_trailer(ctx, doc), PDF_NAME(Root));
        pdf_obj* names = pdf_dict_get(ctx, root, PDF_NAME(Names));
        if (!pdf_is_dict(ctx, names))
            names = pdf_dict_put_dict(ctx, root, PDF_NAME(Names), 1);
        if (sorted.isEmpty()) {
            pdf_dict_del(ctx, names, PDF_NAME(EmbeddedFiles));
        } else {
            pdf_obj* node = pdf_dict_put_dict(ctx, names, PDF_NAME(EmbeddedFiles), 1);
            pdf_obj* array = pdf_dict_put_array(ctx, node, PDF_NAME(Names), 2 * sorted.size());
            for (int i = 0; i < sorted.size(); ++i) {
                pdf_array_push_text_string(ctx, array, sorted.at(i).key.constData());
                pdf_array_push(ctx, array, sorted.at(i).fileDict);
            }
        }
    });
}

// The file dictionary filed under name, borrowed from tree; throws when there is none.
pdf_obj* fileDictOf(fz_context* ctx, pdf_obj* tree, const QString& name)
{
    const QByteArray key = name.toUtf8();
    pdf_obj* fileDict = nullptr;
    if (tree)
        guarded(ctx, [&] { fileDict = pdf_dict_gets(ctx, tree, key.constData()); });
    if (!fileDict)
        throw MuError(FZ_ERROR_GENERIC, QStringLiteral("no attachment named %1").arg(name).toStdString());
    return fileDict;
}

} // namespace

QList<Attachment> MuDocument::attachments() const
{
    fz_context* ctx = d->ctx();
    const ObjectHandle tree = loadTree(ctx, d->pdf());
    QList<Attachment> out;
    for (const Entry& entry : entriesOf(ctx, tree.get())) {
        bool isFile = false;
        pdf_embedded_file_params params{};
        const char* description = nullptr;
        guarded(ctx, [&] {
            isFile = pdf_is_embedded_file(ctx, entry.fileDict);
            if (isFile) {
                pdf_get_embedded_file_params(ctx, entry.fileDict, &params);
                description = pdf_dict_get_text_string(ctx, entry.fileDict, PDF_NAME(Desc));
            }
        });
        if (!isFile)
            continue;
        Attachment attachment;
        attachment.name = QString::fromUtf8(entry.key);
        attachment.fileName = params.filename && *params.filename ? QString::fromUtf8(params.filename)
                                                                  : attachment.name;
        attachment.description = QString::fromUtf8(description);
        attachment.size = params.size;
        if (attachment.size <= 0) {
            // Files often do not say their size: the contents tell it.
            try {
                attachment.size = attachmentData(attachment.name).size();
            } catch (const MuError&) {
                attachment.size = -1;
            }
        }
        if (params.modified >= 0)
            attachment.modified = QDateTime::fromSecsSinceEpoch(params.modified);
        out.append(attachment);
    }
    return out;
}

QByteArray MuDocument::attachmentData(const QString& name) const
{
    fz_context* ctx = d->ctx();
    const ObjectHandle tree = loadTree(ctx, d->pdf());
    pdf_obj* fileDict = fileDictOf(ctx, tree.get(), name);
    fz_buffer* raw = nullptr;
    guarded(ctx, [&] { raw = pdf_load_embedded_file_contents(ctx, fileDict); });
    const BufferHandle buffer(ctx, raw);
    unsigned char* data = nullptr;
    const size_t size = raw ? fz_buffer_storage(ctx, raw, &data) : 0;
    return QByteArray(reinterpret_cast<const char*>(data), int(size));
}

void MuDocument::addAttachment(const QString& name, const QByteArray& contents, const QString& mimeType,
                               const QString& description, const QDateTime& modified)
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    const ObjectHandle tree = loadTree(ctx, doc);
    QList<Entry> entries = entriesOf(ctx, tree.get());
    const QByteArray key = name.toUtf8();
    const QByteArray mime = mimeType.toUtf8();
    const QByteArray text = description.toUtf8();
    const int64_t time = modified.isValid() ? modified.toSecsSinceEpoch() : -1;
    pdf_obj* raw = nullptr;
    guarded(ctx, [&] {
        fz_buffer* buffer = fz_new_buffer_from_copied_data(
            ctx, reinterpret_cast<const unsigned char*>(contents.constData()), size_t(contents.size()));
        fz_try(ctx)
        {
            raw = pdf_add_embedded_file(ctx, doc, key.constData(), mime.isEmpty() ? nullptr : mime.constData(), buffer,
                                        time, time, 1);
            if (!text.isEmpty())
                pdf_dict_put_text_string(ctx, raw, PDF_NAME(Desc), text.constData());
        }
        fz_always(ctx)
        {
            fz_drop_buffer(ctx, buffer);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    const ObjectHandle fileDict(ctx, raw);
    entries.erase(std::remove_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.key == key; }),
                  entries.end());
    entries.append({key, fileDict.get()});
    writeTree(ctx, doc, entries);
}

void MuDocument::removeAttachment(const QString& name)
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    const ObjectHandle tree = loadTree(ctx, doc);
    fileDictOf(ctx, tree.get(), name);
    QList<Entry> entries = entriesOf(ctx, tree.get());
    const QByteArray key = name.toUtf8();
    entries.erase(std::remove_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.key == key; }),
                  entries.end());
    writeTree(ctx, doc, entries);
}

} // namespace pxv::mu
