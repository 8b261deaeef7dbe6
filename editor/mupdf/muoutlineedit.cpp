// Editing the outline: entries are found by their path of indices from the top level and
// changed through MuPDF's outline iterator, which writes the /Outlines tree. The iterator cannot
// move an entry, so a move relinks the entry's dictionary itself: it keeps its action, style and
// the entries below it as they are.

#include "mudocument_p.h"

namespace pxv::mu {

namespace {

// Moves the iterator to the entry at path; the last index may be one past the last entry of
// its level (the place to append). Throws when there is no such entry.
void seek(fz_context* ctx, fz_outline_iterator* it, const QVector<int>& path)
{
    for (int level = 0; level < path.size(); ++level) {
        if (level > 0 && fz_outline_iterator_down(ctx, it) < 0)
            fz_throw(ctx, FZ_ERROR_GENERIC, "no outline entry at that place");
        for (int i = 0; i < path[level]; ++i) {
            if (fz_outline_iterator_next(ctx, it) != 0 && !(level == path.size() - 1 && i == path[level] - 1))
                fz_throw(ctx, FZ_ERROR_GENERIC, "no outline entry at that place");
        }
    }
}

// Runs edit with the iterator at path.
template <typename Edit>
void atEntry(fz_context* ctx, pdf_document* doc, const QVector<int>& path, Edit edit)
{
    guarded(ctx, [&] {
        fz_outline_iterator* it = fz_new_outline_iterator(ctx, &doc->super);
        fz_try(ctx)
        {
            seek(ctx, it, path);
            edit(it);
        }
        fz_always(ctx)
        {
            fz_drop_outline_iterator(ctx, it);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

} // namespace

void MuDocument::insertOutlineEntry(const QVector<int>& path, const QString& title, int page, const QPointF& position)
{
    d->checkPage(page);
    const QByteArray text = title.toUtf8();
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    atEntry(ctx, doc, path, [&](fz_outline_iterator* it) {
        char* uri = fz_format_link_uri(ctx, &doc->super,
                                       fz_make_link_dest_xyz(0, page, float(position.x()), float(position.y()), 0));
        fz_try(ctx)
        {
            fz_outline_item item{const_cast<char*>(text.constData()), uri, 0};
            fz_outline_iterator_insert(ctx, it, &item);
        }
        fz_always(ctx)
        {
            fz_free(ctx, uri);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

void MuDocument::renameOutlineEntry(const QVector<int>& path, const QString& title)
{
    const QByteArray text = title.toUtf8();
    fz_context* ctx = d->ctx();
    atEntry(ctx, d->pdf(), path, [&](fz_outline_iterator* it) {
        fz_outline_item* now = fz_outline_iterator_item(ctx, it);
        if (!now)
            fz_throw(ctx, FZ_ERROR_GENERIC, "no outline entry at that place");
        fz_outline_item item{const_cast<char*>(text.constData()), now->uri, now->is_open};
        fz_outline_iterator_update(ctx, it, &item);
    });
}

void MuDocument::deleteOutlineEntry(const QVector<int>& path)
{
    fz_context* ctx = d->ctx();
    atEntry(ctx, d->pdf(), path, [&](fz_outline_iterator* it) {
        if (!fz_outline_iterator_item(ctx, it))
            fz_throw(ctx, FZ_ERROR_GENERIC, "no outline entry at that place");
        fz_outline_iterator_delete(ctx, it);
    });
}

namespace {

constexpr int kMaxDepth = 64;

// The dictionary of the entry at path, or with allowEnd and a last index one past its level's
// last entry, null; parent is set to the dictionary that holds the level. Throws when there is
// no such place.
pdf_obj* entryAt(fz_context* ctx, pdf_obj* root, const QVector<int>& path, bool allowEnd, pdf_obj** parent)
{
    pdf_obj* level = root;
    pdf_obj* entry = nullptr;
    for (int depth = 0; depth < path.size(); ++depth) {
        if (depth > 0)
            level = entry;
        entry = pdf_dict_get(ctx, level, PDF_NAME(First));
        for (int i = 0; i < path[depth] && entry; ++i)
            entry = pdf_dict_get(ctx, entry, PDF_NAME(Next));
        if (!entry && !(allowEnd && depth == path.size() - 1))
            fz_throw(ctx, FZ_ERROR_GENERIC, "no outline entry at that place");
    }
    *parent = level;
    return entry;
}

void unlink(fz_context* ctx, pdf_obj* entry)
{
    pdf_obj* parent = pdf_dict_get(ctx, entry, PDF_NAME(Parent));
    pdf_obj* prev = pdf_dict_get(ctx, entry, PDF_NAME(Prev));
    pdf_obj* next = pdf_dict_get(ctx, entry, PDF_NAME(Next));
    if (prev)
        pdf_dict_put(ctx, prev, PDF_NAME(Next), next);
    else if (next)
        pdf_dict_put(ctx, parent, PDF_NAME(First), next);
    else
        pdf_dict_del(ctx, parent, PDF_NAME(First));
    if (next)
        pdf_dict_put(ctx, next, PDF_NAME(Prev), prev);
    else if (prev)
        pdf_dict_put(ctx, parent, PDF_NAME(Last), prev);
    else
        pdf_dict_del(ctx, parent, PDF_NAME(Last));
    if (prev && !next)
        pdf_dict_del(ctx, prev, PDF_NAME(Next));
    if (next && !prev)
        pdf_dict_del(ctx, next, PDF_NAME(Prev));
    pdf_dict_del(ctx, entry, PDF_NAME(Prev));
    pdf_dict_del(ctx, entry, PDF_NAME(Next));
}

// Links entry into parent's level before before, or last when before is null.
void linkBefore(fz_context* ctx, pdf_obj* parent, pdf_obj* entry, pdf_obj* before)
{
    pdf_obj* prev = before ? pdf_dict_get(ctx, before, PDF_NAME(Prev)) : pdf_dict_get(ctx, parent, PDF_NAME(Last));
    pdf_dict_put(ctx, entry, PDF_NAME(Parent), parent);
    if (prev) {
        pdf_dict_put(ctx, entry, PDF_NAME(Prev), prev);
        pdf_dict_put(ctx, prev, PDF_NAME(Next), entry);
    } else {
        pdf_dict_put(ctx, parent, PDF_NAME(First), entry);
    }
    if (before) {
        pdf_dict_put(ctx, entry, PDF_NAME(Next), before);
        pdf_dict_put(ctx, before, PDF_NAME(Prev), entry);
    } else {
        pdf_dict_put(ctx, parent, PDF_NAME(Last), entry);
    }
}

// Sets each /Count below node to what it must say now (the entries shown below an open entry;
// negated for a closed one), writing only the counts that differ. Returns node's own total.
int recount(fz_context* ctx, pdf_obj* node, int depth)
{
    int shown = 0;
    if (depth > kMaxDepth)
        return shown;
    for (pdf_obj* child = pdf_dict_get(ctx, node, PDF_NAME(First)); child;
         child = pdf_dict_get(ctx, child, PDF_NAME(Next))) {
        const int below = recount(ctx, child, depth + 1);
        const bool open = pdf_dict_get_int(ctx, child, PDF_NAME(Count)) > 0;
        const int count = open ? below : -below;
        if (pdf_dict_get_int(ctx, child, PDF_NAME(Count)) != count) {
            if (count == 0)
                pdf_dict_del(ctx, child, PDF_NAME(Count));
            else
                pdf_dict_put_int(ctx, child, PDF_NAME(Count), count);
        }
        shown += 1 + (open ? below : 0);
        if (child == pdf_dict_get(ctx, node, PDF_NAME(Last)))
            break;
    }
    return shown;
}

} // namespace

void MuDocument::moveOutlineEntry(const QVector<int>& from, const QVector<int>& to)
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    guarded(ctx, [&] {
        pdf_obj* root = pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/Outlines");
        pdf_obj* oldParent = nullptr;
        pdf_obj* newParent = nullptr;
        pdf_obj* entry = entryAt(ctx, root, from, false, &oldParent);
        pdf_obj* before = entryAt(ctx, root, to, true, &newParent);
        for (pdf_obj* up = newParent; up; up = pdf_dict_get(ctx, up, PDF_NAME(Parent))) {
            if (pdf_objcmp(ctx, up, entry) == 0)
                fz_throw(ctx, FZ_ERROR_GENERIC, "an outline entry cannot go below itself");
            if (pdf_objcmp(ctx, up, root) == 0)
                break;
        }
        if (before && pdf_objcmp(ctx, before, entry) == 0)
            fz_throw(ctx, FZ_ERROR_GENERIC, "the outline entry is there already");
        unlink(ctx, entry);
        linkBefore(ctx, newParent, entry, before);
        pdf_dict_put_int(ctx, root, PDF_NAME(Count), recount(ctx, root, 0));
    });
}

} // namespace pxv::mu
