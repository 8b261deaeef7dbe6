#include "mudocument_p.h"

#include <algorithm>
#include <vector>

namespace pxv::mu {

namespace {

// MuPDF fills a caller's array and stops when it is full; a page holding more matches is
// searched again with a larger one, up to a bound that keeps a search for "e" on a dense page
// from taking megabytes.
constexpr int kFirstQuads = 256;
constexpr int kMaxQuads = 1 << 16;

QRectF toRect(const fz_quad& quad)
{
    const fz_rect box = fz_rect_from_quad(quad);
    return QRectF(box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0);
}

// A page's characters in reading order, each line ending in a space, as a hit is matched.
struct PageChars
{
    QString text; // one QChar per character (characters beyond 16 bits stand as U+FFFD)
    std::vector<QPointF> centres; // of each character's box; a line's end has none
};

PageChars pageChars(fz_stext_page* textPage)
{
    PageChars chars;
    for (fz_stext_block* block = textPage->first_block; block; block = block->next) {
        if (block->type != FZ_STEXT_BLOCK_TEXT)
            continue;
        for (fz_stext_line* line = block->u.t.first_line; line; line = line->next) {
            for (fz_stext_char* ch = line->first_char; ch; ch = ch->next) {
                chars.text.append(ch->c < 0x10000 ? QChar(ch->c) : QChar(QChar::ReplacementCharacter));
                const fz_rect box = fz_rect_from_quad(ch->quad);
                chars.centres.emplace_back((box.x0 + box.x1) / 2, (box.y0 + box.y1) / 2);
            }
            chars.text.append(QLatin1Char(' '));
            chars.centres.emplace_back(qQNaN(), qQNaN());
        }
    }
    return chars;
}

// Whether MuPDF's hit (which ignores case and word edges) is one that options ask for.
bool keeps(const TextHit& hit, const PageChars& chars, const QString& text, const SearchOptions& options)
{
    int first = -1;
    int last = -1;
    for (int i = 0; i < chars.text.size(); ++i) {
        const QPointF& centre = chars.centres[size_t(i)];
        const bool inside = !qIsNaN(centre.x())
                            && std::any_of(hit.areas.cbegin(), hit.areas.cend(),
                                           [&](const QRectF& area) { return area.contains(centre); });
        if (inside && first < 0)
            first = i;
        if (inside)
            last = i;
    }
    if (first < 0)
        return false;
    const QString found = chars.text.mid(first, last - first + 1);
    if (options.matchCase && found.simplified() != text.simplified())
        return false;
    const auto isWordChar = [&](int i) {
        return i >= 0 && i < chars.text.size() && chars.text.at(i).isLetterOrNumber();
    };
    return !options.wholeWords || (!isWordChar(first - 1) && !isWordChar(last + 1));
}

} // namespace

QList<TextHit> MuDocument::findText(int page, const QString& text, const SearchOptions& options) const
{
    d->checkPage(page);
    const QByteArray needle = text.toUtf8();
    if (text.trimmed().isEmpty())
        return {};
    fz_context* ctx = d->ctx();
    fz_stext_page* textPage = d->pageText(page);

    std::vector<fz_quad> quads(kFirstQuads);
    std::vector<int> marks(kFirstQuads);
    int count = 0;
    for (;;) {
        guarded(ctx, [&] {
            count = fz_search_stext_page(ctx, textPage, needle.constData(), marks.data(), quads.data(),
                                         int(quads.size()));
        });
        if (count < int(quads.size()) || quads.size() >= size_t(kMaxQuads))
            break;
        quads.resize(quads.size() * 2);
        marks.resize(quads.size());
    }

    // A match that runs over a line break comes as several quads; MuPDF marks the first of each.
    QList<TextHit> hits;
    for (int i = 0; i < count; ++i) {
        if (marks[size_t(i)] || hits.isEmpty())
            hits.append(TextHit{page, {}});
        hits.last().areas.append(toRect(quads[size_t(i)]));
    }
    if (hits.isEmpty() || options == SearchOptions())
        return hits;
    const PageChars chars = pageChars(textPage);
    hits.erase(
        std::remove_if(hits.begin(), hits.end(), [&](const TextHit& hit) { return !keeps(hit, chars, text, options); }),
        hits.end());
    return hits;
}

} // namespace pxv::mu
