// Saving: whole documents through MuPDF's writer, incremental updates by our own writer.
//
// MuPDF 1.21's incremental save changes the document it saves (it adds its cross-reference
// stream as an object, which lands in the current undo step and cuts off redo) and writes a
// broken section when the same document is saved incrementally a second time. Ours only reads
// the document: it appends the objects the undo history says were changed since the last save,
// as they are now, with a cross-reference table of their own.

#include "mudocument_p.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <unistd.h>

namespace pxv::mu {

namespace {

// MuPDF 1.21 writes encrypted files in clear even when asked to keep their encryption, so the
// encryption is set up again: same method and permissions, and the password that opened the
// file for both user and owner, since the owner password itself is not known.
void keepEncryption(fz_context* ctx, pdf_crypt* crypt, const QByteArray& password, pdf_write_options* options)
{
    const char* method = pdf_crypt_method(ctx, crypt);
    const int bits = pdf_crypt_length(ctx, crypt);
    if (!strcmp(method, "AESV3"))
        options->do_encrypt = PDF_ENCRYPT_AES_256;
    else if (!strcmp(method, "AESV2"))
        options->do_encrypt = PDF_ENCRYPT_AES_128;
    else if (!strcmp(method, "RC4"))
        options->do_encrypt = bits <= 40 ? PDF_ENCRYPT_RC4_40 : PDF_ENCRYPT_RC4_128;
    else
        options->do_encrypt = PDF_ENCRYPT_AES_256;
    options->permissions = pdf_crypt_permissions(ctx, crypt);
    fz_strlcpy(options->upwd_utf8, password.constData(), sizeof options->upwd_utf8);
    fz_strlcpy(options->opwd_utf8, password.constData(), sizeof options->opwd_utf8);
}

// PDF permission bits (ISO 32000 table 22) for what is permitted.
int permissionBits(int permitted)
{
    int bits = ~(4 | 8 | 16 | 32 | 256 | 1024 | 2048); // the others are reserved and set
    if (permitted & PermitPrint)
        bits |= 4 | 2048;
    if (permitted & PermitEdit)
        bits |= 8 | 1024;
    if (permitted & PermitCopy)
        bits |= 16;
    if (permitted & PermitAnnotate)
        bits |= 32;
    if (permitted & PermitFillForms)
        bits |= 256;
    return bits;
}

void applyProtection(const Protection& protection, pdf_write_options* options)
{
    if (!protection.encrypts()) {
        options->do_encrypt = PDF_ENCRYPT_NONE;
        return;
    }
    const QByteArray user = protection.openPassword.toUtf8();
    // Without a permissions password the open password lifts restrictions, and there are none.
    const QByteArray owner = protection.permissionsPassword.isEmpty() ? user : protection.permissionsPassword.toUtf8();
    options->do_encrypt = PDF_ENCRYPT_AES_256;
    options->permissions = permissionBits(protection.permissionsPassword.isEmpty() ? PermitAll
                                                                                   : protection.permissions);
    fz_strlcpy(options->upwd_utf8, user.constData(), sizeof options->upwd_utf8);
    fz_strlcpy(options->opwd_utf8, owner.constData(), sizeof options->opwd_utf8);
}

// Where the last cross-reference section of a PDF file starts, from its "startxref" line.
qint64 readStartXref(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    file.seek(std::max<qint64>(0, file.size() - 1024));
    const QByteArray tail = file.readAll();
    const int at = tail.lastIndexOf("startxref");
    if (at < 0)
        return -1;
    bool ok = false;
    const qint64 offset = tail.mid(at + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    return ok ? offset : -1;
}

// An fz_output's write callback that appends to the QByteArray given as its state. Called by
// MuPDF: a failure must become a MuPDF error, never an exception through its C frames.
void appendToBytes(fz_context* ctx, void* state, const void* data, size_t size)
{
    auto* bytes = static_cast<QByteArray*>(state);
    bool grown = size <= size_t(std::numeric_limits<int>::max() - bytes->size());
    if (grown) {
        try {
            bytes->append(static_cast<const char*>(data), int(size));
        } catch (const std::bad_alloc&) {
            grown = false;
        }
    }
    if (!grown)
        fz_throw(ctx, FZ_ERROR_MEMORY, "the document is too large to be held in memory");
}

int64_t bytesWritten(fz_context*, void* state)
{
    return static_cast<const QByteArray*>(state)->size();
}

} // namespace

int fileGeneration(pdf_document* doc, int number)
{
    // The sections read from the file follow those held in memory, the latest first.
    for (int i = doc->num_incremental_sections; i < doc->num_xref_sections; ++i) {
        for (pdf_xref_subsec* sub = doc->xref_sections[i].subsec; sub; sub = sub->next) {
            if (number < sub->start || number >= sub->start + sub->len)
                continue;
            const pdf_xref_entry& entry = sub->table[number - sub->start];
            if (entry.type == 'o')
                return 0;
            if (entry.type)
                return entry.gen;
        }
    }
    return 0; // made since the file was read
}

QByteArray objectText(int number, int generation, const ObjectState& state)
{
    QByteArray text = QByteArray::number(number) + ' ' + QByteArray::number(generation) + " obj\n";
    text += state.exists ? state.object : QByteArray("null");
    if (state.isStream)
        text += "\nstream\n" + state.stream + "\nendstream";
    return text + "\nendobj\n";
}

std::vector<std::pair<size_t, size_t>> numberRuns(const std::vector<int>& numbers)
{
    std::vector<std::pair<size_t, size_t>> runs;
    for (size_t first = 0; first < numbers.size();) {
        size_t last = first;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1)
            ++last;
        runs.emplace_back(first, last);
        first = last + 1;
    }
    return runs;
}

MuError fileError(const char* what, const QString& path, const QString& reason)
{
    return MuError(FZ_ERROR_GENERIC,
                   std::string(what) + ' ' + QFile::encodeName(path).toStdString() + ": " + reason.toStdString());
}

QByteArray trailerEntries(fz_context* ctx, pdf_document* doc)
{
    pdf_obj* root = nullptr;
    pdf_obj* info = nullptr;
    pdf_obj* id = nullptr;
    guarded(ctx, [&] {
        pdf_obj* dict = pdf_trailer(ctx, doc);
        root = pdf_dict_get(ctx, dict, PDF_NAME(Root));
        info = pdf_dict_get(ctx, dict, PDF_NAME(Info));
        id = pdf_dict_get(ctx, dict, PDF_NAME(ID));
    });
    QByteArray entries = "/Root " + printObject(ctx, root);
    if (info)
        entries += "/Info " + printObject(ctx, info);
    if (id)
        entries += "/ID " + printObject(ctx, id);
    return entries;
}

void writeFull(fz_context* ctx, pdf_document* doc, const QString& path, const pdf_write_options& options)
{
    const QByteArray name = QFile::encodeName(path);
    if (::truncate(name.constData(), 0) != 0)
        throw MuError(FZ_ERROR_GENERIC, "cannot empty " + name.toStdString() + ": " + std::strerror(errno));
    guarded(ctx, [&] {
        fz_output* out = fz_new_output_with_path(ctx, name.constData(), 1);
        fz_try(ctx)
        {
            pdf_write_document(ctx, doc, out, &options);
            fz_close_output(ctx, out);
        }
        fz_always(ctx)
        {
            fz_drop_output(ctx, out);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

bool MuDocument::canSaveIncrementally() const
{
    int can = 0;
    // MuPDF 1.21 writes an incremental section of an encrypted file without /Encrypt and its
    // objects in clear, which makes the older, encrypted objects unreadable: encrypted files
    // are saved in full, keeping their encryption.
    guarded(d->ctx(), [&] { can = pdf_can_be_saved_incrementally(d->ctx(), d->pdf()) && !d->pdf()->crypt; });
    return can && d->baseIsFile && d->baseStartXref >= 0 && !d->treeMendedSinceBase && !d->protection;
}

bool MuDocument::isEncrypted() const
{
    return d->pdf()->crypt != nullptr;
}

qint64 MuDocument::appendIncrementalSave(const QString& path, const std::vector<int>& objects)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        throw fileError("cannot open", path, file.errorString());
    qint64 xref = 0;
    const QByteArray out = incrementalUpdate(file.size(), objects, &xref);
    if (file.write(out) != out.size() || !file.flush())
        throw fileError("cannot write", path, file.errorString());
    return xref;
}

std::unique_ptr<MuDocument> MuDocument::spillTo(const QString& path)
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    std::vector<int> objects;
    guarded(ctx, [&] {
        // A document opened from path has what changed since in MuPDF's incremental section,
        // and only there; one that has no file yet has every object to write.
        if (d->baseIsFile && doc->num_incremental_sections == 0)
            return;
        const int length = pdf_xref_len(ctx, doc);
        for (int number = 1; number < length; ++number) {
            if (!d->baseIsFile || pdf_xref_is_incremental(ctx, doc, number))
                objects.push_back(number);
        }
    });
    if (!objects.empty())
        appendPackedSection(path, objects, d->baseIsFile ? d->baseStartXref : -1);
    return openSibling(path);
}

QByteArray MuDocument::incrementalUpdate(qint64 offset, const std::vector<int>& objects, qint64* startXref) const
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    QByteArray out("\n");
    std::vector<int> numbers;
    std::vector<int> generations;
    std::vector<qint64> offsets;
    int length = 0;
    guarded(ctx, [&] { length = pdf_xref_len(ctx, doc); });
    for (int number : objects) {
        if (number <= 0 || number >= length)
            continue;
        numbers.push_back(number);
        generations.push_back(fileGeneration(doc, number));
        offsets.push_back(offset + out.size());
        // An object a step made and an undo took away again reads as null, as a free one would.
        out += objectText(number, generations.back(), objectState(number));
    }

    const qint64 xref = offset + out.size();
    out += "xref\n";
    for (const auto& [first, last] : numberRuns(numbers)) {
        out += QByteArray::number(numbers[first]) + ' ' + QByteArray::number(qint64(last - first + 1)) + '\n';
        for (size_t i = first; i <= last; ++i)
            out += QByteArray::number(offsets[i]).rightJustified(10, '0') + ' '
                   + QByteArray::number(generations[i]).rightJustified(5, '0') + " n\r\n";
    }
    const QByteArray trailer = "<</Size " + QByteArray::number(length) + trailerEntries(ctx, doc) + "/Prev "
                               + QByteArray::number(d->baseStartXref) + ">>";
    out += "trailer\n" + trailer + "\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    if (startXref)
        *startXref = xref;
    return out;
}

void MuDocument::saveFull(const QString& path)
{
    fz_context* ctx = d->ctx();
    pdf_write_options options = pdf_default_write_options;
    // Collecting garbage keeps the object numbers; it only leaves out what nothing uses, and
    // with an undo history an undo could make such an object used again.
    options.do_garbage = historyCount() == 0 ? 1 : 0;
    options.do_compress = 1;
    options.do_compress_fonts = 1;
    if (d->protection)
        applyProtection(*d->protection, &options);
    else if (d->pdf()->crypt)
        guarded(ctx, [&] { keepEncryption(ctx, d->pdf()->crypt, d->password, &options); });
    writeFull(ctx, d->pdf(), path, options);
}

int MuDocument::permissions() const
{
    if (!d->pdf()->crypt)
        return PermitAll;
    int bits = 0;
    guarded(d->ctx(), [&] { bits = pdf_crypt_permissions(d->ctx(), d->pdf()->crypt); });
    return ((bits & 4) ? PermitPrint : 0) | ((bits & 8) ? PermitEdit : 0) | ((bits & 16) ? PermitCopy : 0)
           | ((bits & 32) ? PermitAnnotate : 0) | ((bits & 256) ? PermitFillForms : 0);
}

void MuDocument::setProtection(const Protection& protection)
{
    d->protection = std::make_unique<Protection>(protection);
}

const Protection* MuDocument::newProtection() const
{
    return d->protection.get();
}

void MuDocument::rebase(const QString& path, qint64 startXref)
{
    d->baseStartXref = startXref >= 0 ? startXref : readStartXref(path);
    d->baseIsFile = true;
    d->treeMendedSinceBase = false;
}

QByteArray MuDocument::toBytes()
{
    fz_context* ctx = d->ctx();
    QByteArray bytes;
    guarded(ctx, [&] {
        // Written straight into the array: through an fz_buffer the whole file would be held
        // twice at the end, plus the buffer's spare room.
        fz_output* out = fz_new_output(ctx, 64 * 1024, &bytes, appendToBytes, nullptr, nullptr);
        out->tell = bytesWritten; // the writer records where each object starts
        fz_try(ctx)
        {
            pdf_write_options options = pdf_default_write_options;
            options.do_encrypt = PDF_ENCRYPT_NONE;
            pdf_write_document(ctx, d->pdf(), out, &options);
            fz_close_output(ctx, out);
        }
        fz_always(ctx)
        {
            fz_drop_output(ctx, out);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    return bytes;
}

} // namespace pxv::mu
