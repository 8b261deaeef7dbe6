#include "mudocument_p.h"

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

} // namespace

QList<TextHit> MuDocument::findText(int page, const QString& text) const
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
    return hits;
}

} // namespace pxv::mu
