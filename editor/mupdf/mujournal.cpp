// The undo history through MuPDF's journal, and objects handed between copies of a document.

#include "mudocument_p.h"

#include <algorithm>

namespace pxv::mu {

namespace {

// MuPDF 1.21 keeps the journal's layout private, yet which objects a step changed is exactly
// what render workers and incremental saves need: these mirror its structures (pdf-object.c),
// read only. tst_journal checks them against the objects a known edit changes.
struct JournalFragment
{
    JournalFragment* next;
    JournalFragment* prev;
    int objectNumber;
    int newObject;
    pdf_obj* inactive;
    fz_buffer* stream;
};

struct JournalEntry
{
    JournalEntry* prev;
    JournalEntry* next;
    char* title;
    JournalFragment* head;
    JournalFragment* tail;
};

struct Journal
{
    JournalEntry* head;
    JournalEntry* current;
    int nesting;
    JournalEntry* pending;
    JournalEntry* pendingTail;
};

static_assert(FZ_VERSION_MAJOR == 1 && FZ_VERSION_MINOR == 21, "the journal layout above is MuPDF 1.21's");

Journal* journalOf(pdf_document* doc)
{
    return reinterpret_cast<Journal*>(doc->journal);
}

std::vector<int> objectsOf(const JournalEntry* entry)
{
    std::vector<int> numbers;
    for (const JournalFragment* fragment = entry ? entry->head : nullptr; fragment; fragment = fragment->next)
        numbers.push_back(fragment->objectNumber);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

// The entry the next redo re-applies.
const JournalEntry* nextEntry(const Journal* journal)
{
    return journal->current ? journal->current->next : journal->head;
}

// MuPDF 1.21's pdf_update_object() replaces an object without telling the journal. Inside a
// step, the object is first touched in place (a dictionary or array that MuPDF journals as any
// edit: its value before is kept for undo and the step lists it); the touch does not last, as
// the object is replaced right after. Objects that are neither stay out of the step's undo.
void keepForUndo(fz_context* ctx, pdf_document* doc, int number)
{
    const Journal* journal = journalOf(doc);
    if (!journal || journal->nesting == 0)
        return;
    pdf_obj* before = pdf_load_object(ctx, doc, number);
    fz_try(ctx)
    {
        if (pdf_is_dict(ctx, before))
            pdf_dict_put(ctx, before, PDF_NAME(Type), pdf_dict_get(ctx, before, PDF_NAME(Type)));
        else if (pdf_is_array(ctx, before))
            pdf_array_push(ctx, before, PDF_NULL);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, before);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
}

} // namespace

QByteArray printObject(fz_context* ctx, pdf_obj* object)
{
    QByteArray text;
    guarded(ctx, [&] {
        fz_buffer* buffer = fz_new_buffer(ctx, 256);
        fz_output* out = nullptr;
        fz_var(out);
        fz_try(ctx)
        {
            out = fz_new_output_with_buffer(ctx, buffer);
            pdf_print_obj(ctx, out, object, 1, 0);
            fz_close_output(ctx, out);
        }
        fz_always(ctx)
        {
            fz_drop_output(ctx, out);
        }
        fz_catch(ctx)
        {
            fz_drop_buffer(ctx, buffer);
            fz_rethrow(ctx);
        }
        unsigned char* data = nullptr;
        const size_t size = fz_buffer_storage(ctx, buffer, &data);
        text = QByteArray(reinterpret_cast<const char*>(data), int(size));
        fz_drop_buffer(ctx, buffer);
    });
    return text;
}

namespace {

bool nameIs(fz_context* ctx, pdf_obj* dict, pdf_obj* key, pdf_obj* name)
{
    return pdf_name_eq(ctx, pdf_dict_get(ctx, dict, key), name);
}

} // namespace

void MuDocument::beginStep(const QString& name)
{
    fz_context* ctx = d->ctx();
    const QByteArray title = name.toUtf8();
    d->stepStart = historyPosition();
    guarded(ctx, [&] {
        if (!d->journalEnabled)
            pdf_enable_journal(ctx, d->pdf());
        pdf_begin_operation(ctx, d->pdf(), title.constData());
    });
    d->journalEnabled = true;
}

std::vector<int> MuDocument::endStep()
{
    fz_context* ctx = d->ctx();
    guarded(ctx, [&] { pdf_end_operation(ctx, d->pdf()); });
    d->forgetPageContent();
    if (historyPosition() == d->stepStart)
        return {}; // MuPDF drops a step that changed nothing
    return objectsOf(journalOf(d->pdf())->current);
}

int MuDocument::historyPosition() const
{
    if (!d->journalEnabled)
        return 0;
    int steps = 0;
    int position = 0;
    guarded(d->ctx(), [&] { position = pdf_undoredo_state(d->ctx(), d->pdf(), &steps); });
    return position;
}

int MuDocument::historyCount() const
{
    if (!d->journalEnabled)
        return 0;
    int steps = 0;
    guarded(d->ctx(), [&] { pdf_undoredo_state(d->ctx(), d->pdf(), &steps); });
    return steps;
}

QString MuDocument::historyStepName(int step) const
{
    if (step < 0 || step >= historyCount())
        return QString();
    const char* title = nullptr;
    guarded(d->ctx(), [&] { title = pdf_undoredo_step(d->ctx(), d->pdf(), step); });
    return QString::fromUtf8(title ? title : "");
}

std::vector<int> MuDocument::undo()
{
    if (historyPosition() == 0)
        return {};
    std::vector<int> changed = objectsOf(journalOf(d->pdf())->current);
    guarded(d->ctx(), [&] { pdf_undo(d->ctx(), d->pdf()); });
    d->forgetPageContent();
    return changed;
}

std::vector<int> MuDocument::redo()
{
    if (historyPosition() >= historyCount())
        return {};
    std::vector<int> changed = objectsOf(nextEntry(journalOf(d->pdf())));
    guarded(d->ctx(), [&] { pdf_redo(d->ctx(), d->pdf()); });
    d->forgetPageContent();
    return changed;
}

ObjectState MuDocument::objectState(int number) const
{
    fz_context* ctx = d->ctx();
    ObjectState state;
    int length = 0;
    guarded(ctx, [&] { length = pdf_xref_len(ctx, d->pdf()); });
    pdf_obj* object = nullptr;
    if (number > 0 && number < length) {
        try {
            guarded(ctx, [&] { object = pdf_load_object(ctx, d->pdf(), number); });
        } catch (const MuError&) {
            // A free entry: an object that a step made and an undo took away again.
        }
    }
    if (!object || pdf_is_null(ctx, object)) {
        pdf_drop_obj(ctx, object);
        state.exists = false;
        return state;
    }
    fz_buffer* raw = nullptr;
    pdf_obj* dict = nullptr;
    try {
        guarded(ctx, [&] {
            if (pdf_obj_num_is_stream(ctx, d->pdf(), number)) {
                raw = pdf_load_raw_stream_number(ctx, d->pdf(), number);
                // The data goes as it is stored, so its length is what the dictionary must say.
                dict = pdf_copy_dict(ctx, object);
                pdf_dict_put_int(ctx, dict, PDF_NAME(Length), int64_t(fz_buffer_storage(ctx, raw, nullptr)));
            }
        });
        state.object = printObject(ctx, dict ? dict : object);
        if (raw) {
            unsigned char* data = nullptr;
            const size_t size = fz_buffer_storage(ctx, raw, &data);
            state.isStream = true;
            state.stream = QByteArray(reinterpret_cast<const char*>(data), int(size));
        }
    } catch (...) {
        fz_drop_buffer(ctx, raw);
        pdf_drop_obj(ctx, dict);
        pdf_drop_obj(ctx, object);
        throw;
    }
    fz_drop_buffer(ctx, raw);
    pdf_drop_obj(ctx, dict);
    pdf_drop_obj(ctx, object);
    return state;
}

void MuDocument::applyObjectStates(const QVector<QPair<int, std::shared_ptr<const ObjectState>>>& states)
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    bool keepStore = true;
    for (const auto& [number, state] : states) {
        const QByteArray& text = state->object;
        guarded(ctx, [&] {
            // Nothing decoded can be kept for an object the copy did not have yet.
            bool fresh = number >= pdf_xref_len(ctx, doc);
            if (!fresh) {
                pdf_obj* existing = pdf_new_indirect(ctx, doc, number, 0);
                fz_try(ctx)
                {
                    fresh = pdf_is_null(ctx, pdf_resolve_indirect(ctx, existing));
                }
                fz_always(ctx)
                {
                    pdf_drop_obj(ctx, existing);
                }
                fz_catch(ctx)
                {
                    fz_rethrow(ctx);
                }
            }
            while (pdf_xref_len(ctx, doc) <= number)
                pdf_create_object(ctx, doc);
            keepForUndo(ctx, doc, number);
            if (!state->exists) {
                pdf_update_object(ctx, doc, number, PDF_NULL);
                keepStore = false;
                return;
            }
            fz_stream* in = nullptr;
            pdf_obj* object = nullptr;
            pdf_obj* ref = nullptr;
            fz_buffer* data = nullptr;
            pdf_lexbuf lexbuf;
            pdf_lexbuf_init(ctx, &lexbuf, PDF_LEXBUF_SMALL);
            fz_var(in);
            fz_var(object);
            fz_var(ref);
            fz_var(data);
            fz_try(ctx)
            {
                in = fz_open_memory(ctx, reinterpret_cast<const unsigned char*>(text.constData()), size_t(text.size()));
                object = pdf_parse_stm_obj(ctx, doc, in, &lexbuf);
                if (!fresh && !nameIs(ctx, object, PDF_NAME(Type), PDF_NAME(Page)))
                    keepStore = false;
                pdf_update_object(ctx, doc, number, object);
                if (state->isStream) {
                    ref = pdf_new_indirect(ctx, doc, number, 0);
                    data = fz_new_buffer_from_copied_data(
                        ctx, reinterpret_cast<const unsigned char*>(state->stream.constData()),
                        size_t(state->stream.size()));
                    pdf_update_stream(ctx, doc, ref, data, 1);
                }
            }
            fz_always(ctx)
            {
                fz_drop_buffer(ctx, data);
                pdf_drop_obj(ctx, ref);
                pdf_drop_obj(ctx, object);
                fz_drop_stream(ctx, in);
                pdf_lexbuf_fin(ctx, &lexbuf);
            }
            fz_catch(ctx)
            {
                fz_rethrow(ctx);
            }
        });
    }
    d->forgetPageContent();
    // Fonts and images decoded from an object that changed would be found again by its
    // number; a page dictionary (a rotation, a new annotation list) and objects new to the copy
    // (a new annotation and its appearance) change none of them.
    if (!keepStore)
        guarded(ctx, [&] { fz_empty_store(ctx); });
}

int MuDocument::pageObjectNumber(int page) const
{
    d->checkPage(page);
    int number = 0;
    guarded(d->ctx(), [&] { number = ownNumber(d->ctx(), d->pdf(), lookupPageObject(d->ctx(), d->pdf(), page)); });
    d->notePagesRead(1);
    return number;
}

QVector<int> MuDocument::pageObjectNumbers() const
{
    QVector<int> numbers;
    fz_context* ctx = d->ctx();
    PageTreeVisitor visitor;
    visitor.page = [&](pdf_obj* page, int) {
        int number = 0;
        guarded(ctx, [&] { number = ownNumber(ctx, d->pdf(), page); });
        numbers.append(number);
    };
    walkPageTree(ctx, d->pdf(), visitor);
    return numbers;
}

namespace {

// FNV-1a: 64 bits, so that two different pages practically never look alike.
quint64 digestOf(const QByteArray& text)
{
    quint64 digest = 14695981039346656037ull;
    for (char byte : text)
        digest = (digest ^ quint8(byte)) * 1099511628211ull;
    return digest;
}

} // namespace

MuDocument::PageLook MuDocument::pageLook(int number) const
{
    fz_context* ctx = d->ctx();
    QByteArray content;
    QByteArray annotations;
    pdf_obj* page = nullptr;
    pdf_obj* own = nullptr;
    guarded(ctx, [&] {
        page = pdf_load_object(ctx, d->pdf(), number);
        own = pdf_copy_dict(ctx, page);
        pdf_dict_del(ctx, own, PDF_NAME(Parent));
        pdf_dict_del(ctx, own, PDF_NAME(Annots));
    });
    try {
        content = printObject(ctx, own);
        for (pdf_obj* key : {PDF_NAME(MediaBox), PDF_NAME(CropBox), PDF_NAME(Rotate), PDF_NAME(Resources)}) {
            pdf_obj* value = nullptr;
            guarded(ctx, [&] { value = pdf_dict_get_inheritable(ctx, page, key); });
            content += '|' + printObject(ctx, value);
        }
        pdf_obj* list = nullptr;
        guarded(ctx, [&] { list = pdf_dict_get(ctx, page, PDF_NAME(Annots)); });
        annotations = printObject(ctx, list);
    } catch (...) {
        pdf_drop_obj(ctx, own);
        pdf_drop_obj(ctx, page);
        throw;
    }
    pdf_drop_obj(ctx, own);
    pdf_drop_obj(ctx, page);
    return {digestOf(content + '|' + annotations), digestOf(content)};
}

int MuDocument::pageIndexOfObject(int number) const
{
    fz_context* ctx = d->ctx();
    int index = -1;
    guarded(ctx, [&] {
        if (number <= 0 || number >= pdf_xref_len(ctx, d->pdf()))
            return;
        pdf_obj* page = pdf_new_indirect(ctx, d->pdf(), number, 0);
        fz_try(ctx)
        {
            index = pdf_lookup_page_number(ctx, d->pdf(), page);
        }
        fz_always(ctx)
        {
            pdf_drop_obj(ctx, page);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    return index;
}

MuDocument::ObjectRole MuDocument::objectRole(int number) const
{
    fz_context* ctx = d->ctx();
    ObjectRole role = ObjectRole::Other;
    guarded(ctx, [&] {
        if (number <= 0)
            return;
        // An undo takes objects its step made back to free entries, or out of the table.
        bool free = number >= pdf_xref_len(ctx, d->pdf());
        if (!free) {
            fz_try(ctx)
            {
                const char type = pdf_get_xref_entry_no_null(ctx, d->pdf(), number)->type;
                free = type != 'n' && type != 'o';
            }
            fz_catch(ctx)
            {
                free = true;
            }
        }
        if (free) {
            role = ObjectRole::Free;
            return;
        }
        pdf_obj* root = pdf_dict_get(ctx, pdf_trailer(ctx, d->pdf()), PDF_NAME(Root));
        if (pdf_to_num(ctx, root) == number) {
            role = ObjectRole::Catalog;
            return;
        }
        pdf_obj* object = pdf_load_object(ctx, d->pdf(), number);
        if (!object || pdf_is_null(ctx, object))
            role = ObjectRole::Free;
        else if (nameIs(ctx, object, PDF_NAME(Type), PDF_NAME(Page)))
            role = ObjectRole::Page;
        else if ((pdf_is_indirect(ctx, pdf_dict_get(ctx, object, PDF_NAME(P)))
                  && (nameIs(ctx, object, PDF_NAME(Type), PDF_NAME(Annot))
                      || pdf_dict_get(ctx, object, PDF_NAME(Rect))))
                 || (nameIs(ctx, object, PDF_NAME(Subtype), PDF_NAME(Popup))
                     && pdf_is_indirect(ctx, pdf_dict_get(ctx, object, PDF_NAME(Parent)))))
            role = ObjectRole::Annotation;
        else if (pdf_is_array(ctx, pdf_dict_get(ctx, object, PDF_NAME(Fields)))
                 || (!pdf_dict_get(ctx, object, PDF_NAME(Rect))
                     && (pdf_dict_get(ctx, object, PDF_NAME(FT)) || pdf_dict_get(ctx, object, PDF_NAME(T)))))
            role = ObjectRole::FormField;
        else if (nameIs(ctx, object, PDF_NAME(Type), PDF_NAME(Pages)))
            role = ObjectRole::PageTreeNode;
        else if (nameIs(ctx, object, PDF_NAME(Type), PDF_NAME(Outlines))
                 || (pdf_dict_get(ctx, object, PDF_NAME(Title)) && pdf_dict_get(ctx, object, PDF_NAME(Parent))))
            role = ObjectRole::Outline;
        pdf_drop_obj(ctx, object);
    });
    return role;
}

int MuDocument::annotationPage(int number) const
{
    fz_context* ctx = d->ctx();
    int page = 0;
    guarded(ctx, [&] {
        pdf_obj* object = pdf_load_object(ctx, d->pdf(), number);
        // A note's pop-up names its note (/Parent) and may name no page of its own.
        pdf_obj* owner = pdf_dict_get(ctx, object, PDF_NAME(P)) ? object : pdf_dict_get(ctx, object, PDF_NAME(Parent));
        page = pdf_to_num(ctx, pdf_dict_get(ctx, owner, PDF_NAME(P)));
        pdf_drop_obj(ctx, object);
    });
    return page;
}

int MuDocument::annotationListPage(int number) const
{
    fz_context* ctx = d->ctx();
    int page = 0;
    guarded(ctx, [&] {
        pdf_obj* object = pdf_load_object(ctx, d->pdf(), number);
        // Only an array can be such a list; every page is looked at only for one.
        if (pdf_is_array(ctx, object)) {
            const int count = pdf_count_pages(ctx, d->pdf());
            for (int i = 0; i < count && page == 0; ++i) {
                pdf_obj* candidate = pdf_lookup_page_obj(ctx, d->pdf(), i);
                pdf_obj* list = pdf_dict_get(ctx, candidate, PDF_NAME(Annots));
                if (pdf_is_indirect(ctx, list) && pdf_to_num(ctx, list) == number)
                    page = pdf_to_num(ctx, candidate);
            }
        }
        pdf_drop_obj(ctx, object);
    });
    return page;
}

std::vector<int> MuDocument::appearanceStreams(int number) const
{
    fz_context* ctx = d->ctx();
    std::vector<int> streams;
    std::vector<pdf_obj*> pending;
    const auto add = [&](pdf_obj* entry) {
        if (pdf_is_indirect(ctx, entry))
            pending.push_back(entry);
    };
    guarded(ctx, [&] {
        pdf_obj* object = pdf_load_object(ctx, d->pdf(), number);
        pdf_obj* ap = pdf_dict_get(ctx, object, PDF_NAME(AP));
        for (int i = 0; i < pdf_dict_len(ctx, ap); ++i) {
            pdf_obj* look = pdf_dict_get_val(ctx, ap, i);
            if (pdf_is_stream(ctx, look)) {
                add(look);
            } else {
                for (int k = 0; k < pdf_dict_len(ctx, look); ++k)
                    add(pdf_dict_get_val(ctx, look, k));
            }
        }
        pdf_drop_obj(ctx, object);
        // What the streams draw with (their resources: fonts, images, graphics states) is the
        // annotation's too. Arrays and dictionaries inline in them are walked, indirect objects once.
        while (!pending.empty()) {
            pdf_obj* entry = pending.back();
            pending.pop_back();
            if (pdf_is_indirect(ctx, entry)) {
                const int found = pdf_to_num(ctx, entry);
                if (std::find(streams.begin(), streams.end(), found) != streams.end())
                    continue;
                streams.push_back(found);
            }
            if (pdf_is_array(ctx, entry)) {
                for (int i = 0; i < pdf_array_len(ctx, entry); ++i)
                    pending.push_back(pdf_array_get(ctx, entry, i));
            } else if (pdf_is_dict(ctx, entry)) {
                for (int i = 0; i < pdf_dict_len(ctx, entry); ++i) {
                    pdf_obj* key = pdf_dict_get_key(ctx, entry, i);
                    // A page or a parent is not drawn with.
                    if (!pdf_name_eq(ctx, key, PDF_NAME(Parent)) && !pdf_name_eq(ctx, key, PDF_NAME(P)))
                        pending.push_back(pdf_dict_get_val(ctx, entry, i));
                }
            }
        }
    });
    return streams;
}

} // namespace pxv::mu
