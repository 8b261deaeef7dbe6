// Editing the outline: entries are found by their path of indices from the top level and
// changed through MuPDF's outline iterator, which writes the /Outlines tree.

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
        fz_always(ctx) { fz_drop_outline_iterator(ctx, it); }
        fz_catch(ctx) { fz_rethrow(ctx); }
    });
}

} // namespace

void MuDocument::insertOutlineEntry(const QVector<int>& path, const QString& title, int page)
{
    d->checkPage(page);
    const QByteArray text = title.toUtf8();
    const QByteArray uri = "#page=" + QByteArray::number(page + 1);
    fz_context* ctx = d->ctx();
    atEntry(ctx, d->pdf(), path, [&](fz_outline_iterator* it) {
        fz_outline_item item{const_cast<char*>(text.constData()), const_cast<char*>(uri.constData()), 0};
        fz_outline_iterator_insert(ctx, it, &item);
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

} // namespace pxv::mu
