#include "mudocument_p.h"

#include <vector>

namespace pxv::mu {

namespace {

// MuPDF fills a caller's array and stops when it is full: a selection that fills it is asked
// again with a larger one, up to a bound no page of text reaches.
constexpr int kFirstQuads = 512;
constexpr int kMaxQuads = 1 << 18;

QPolygonF toPolygon(const fz_quad& quad)
{
    return QPolygonF({QPointF(quad.ul.x, quad.ul.y), QPointF(quad.ur.x, quad.ur.y), QPointF(quad.lr.x, quad.lr.y),
                      QPointF(quad.ll.x, quad.ll.y)});
}

int snapMode(TextUnit unit)
{
    switch (unit) {
    case TextUnit::Words:
        return FZ_SELECT_WORDS;
    case TextUnit::Lines:
        return FZ_SELECT_LINES;
    case TextUnit::Characters:
        break;
    }
    return FZ_SELECT_CHARS;
}

} // namespace

fz_stext_page* MuDocument::Impl::pageText(int page)
{
    if (textPageIndex == page && textPage)
        return textPage.get();
    checkPage(page);
    textPage.reset();
    textPageIndex = -1;
    fz_context* c = ctx();
    fz_stext_page* text = nullptr;
    guarded(c, [&] {
        fz_page* fzPage = fz_load_page(c, &pdf()->super, page);
        fz_try(c)
        {
            text = fz_new_stext_page_from_page(c, fzPage, nullptr);
        }
        fz_always(c)
        {
            fz_drop_page(c, fzPage);
        }
        fz_catch(c)
        {
            fz_rethrow(c);
        }
    });
    textPage = TextPageHandle(c, text);
    textPageIndex = page;
    return text;
}

void MuDocument::Impl::forgetPageContent()
{
    lists.clear();
    textPage.reset();
    textPageIndex = -1;
}

TextSelection MuDocument::selectText(int page, const QPointF& from, const QPointF& to, TextUnit unit) const
{
    fz_context* ctx = d->ctx();
    fz_stext_page* text = d->pageText(page);
    fz_point a = fz_make_point(float(from.x()), float(from.y()));
    fz_point b = fz_make_point(float(to.x()), float(to.y()));
    std::vector<fz_quad> quads(kFirstQuads);
    int count = 0;
    char* copied = nullptr;
    if (unit != TextUnit::Characters)
        guarded(ctx, [&] { fz_snap_selection(ctx, text, &a, &b, snapMode(unit)); });
    for (;;) {
        guarded(ctx, [&] { count = fz_highlight_selection(ctx, text, a, b, quads.data(), int(quads.size())); });
        if (count < int(quads.size()) || quads.size() >= size_t(kMaxQuads))
            break;
        quads.resize(quads.size() * 4);
    }
    guarded(ctx, [&] { copied = fz_copy_selection(ctx, text, a, b, 0); });
    TextSelection selection;
    selection.page = page;
    selection.text = QString::fromUtf8(copied);
    fz_free(ctx, copied);
    for (int i = 0; i < count; ++i)
        selection.quads.append(toPolygon(quads[size_t(i)]));
    return selection;
}

TextSelection MuDocument::pageText(int page) const
{
    // From the leading edge of the first character to the trailing edge of the last: a page's
    // corners are not where its text begins once the page or its text is turned.
    const fz_stext_page* text = d->pageText(page);
    const fz_stext_char* first = nullptr;
    const fz_stext_char* last = nullptr;
    for (const fz_stext_block* block = text->first_block; block; block = block->next) {
        if (block->type != FZ_STEXT_BLOCK_TEXT)
            continue;
        for (const fz_stext_line* line = block->u.t.first_line; line; line = line->next) {
            for (const fz_stext_char* ch = line->first_char; ch; ch = ch->next) {
                if (!first)
                    first = ch;
                last = ch;
            }
        }
    }
    if (!first)
        return TextSelection{page, {}, {}};
    const auto middle = [](const fz_point& a, const fz_point& b) { return QPointF((a.x + b.x) / 2, (a.y + b.y) / 2); };
    return selectText(page, middle(first->quad.ul, first->quad.ll), middle(last->quad.ur, last->quad.lr),
                      TextUnit::Characters);
}

} // namespace pxv::mu
