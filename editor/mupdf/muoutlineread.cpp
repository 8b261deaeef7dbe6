#include "mudocument_p.h"

#include <cmath>
#include <memory>
#include <unordered_set>

namespace pxv::mu {

namespace {

// Outlines of damaged files can be absurdly deep or long; views gain nothing beyond these.
constexpr int kMaxOutlineDepth = 64;
constexpr int kMaxOutlineItems = 100000;

struct FreeString
{
    fz_context* ctx;
    void operator()(char* text) const { fz_free(ctx, text); }
};

// Reads the outline as MuPDF's outline iterator does, but without loading the whole page tree
// first: that resolves every page object, and so parses every object stream holding one, for
// faster numbering. Here a destination is numbered through its page's parents, and the parsed
// objects are dropped now and then, so a long outline of a long document stays small.
class OutlineReader
{
public:
    OutlineReader(MuDocument::Impl& d, MuDocument::OutlineTargets targets) : m_d(d), m_ctx(d.ctx()), m_targets(targets)
    {
    }

    // Reads the level starting at first (borrowed from a node the caller keeps) into out. A
    // damaged entry ends its level; what was read before it stays.
    void readLevel(pdf_obj* first, QList<OutlineItem>& out, int depth)
    {
        try {
            ObjectHandle node = keepResolved(first);
            while (node && m_budget > 0) {
                --m_budget;
                OutlineItem item = readItem(node.get());
                if (depth < kMaxOutlineDepth)
                    readLevel(borrowed(node.get(), PDF_NAME(First)), item.children, depth + 1);
                out.append(item);
                node = keepResolved(borrowed(node.get(), PDF_NAME(Next)));
            }
        } catch (const MuError&) {
        }
    }

private:
    pdf_obj* borrowed(pdf_obj* node, pdf_obj* key)
    {
        pdf_obj* value = nullptr;
        guarded(m_ctx, [&] { value = pdf_dict_get(m_ctx, node, key); });
        return value;
    }

    // The entry ref leads to, held so that dropping parsed objects leaves it alone; null at the
    // end of a level, at anything but a dictionary, and at an entry already read (a loop).
    ObjectHandle keepResolved(pdf_obj* ref)
    {
        const int number = pdf_to_num(m_ctx, ref);
        if (number > 0 && !m_seen.insert(number).second)
            return {};
        pdf_obj* node = nullptr;
        guarded(m_ctx, [&] {
            pdf_obj* resolved = pdf_resolve_indirect(m_ctx, ref);
            if (pdf_is_dict(m_ctx, resolved))
                node = pdf_keep_obj(m_ctx, resolved);
        });
        return ObjectHandle(m_ctx, node);
    }

    OutlineItem readItem(pdf_obj* node)
    {
        OutlineItem item;
        const char* title = nullptr;
        int count = 0;
        guarded(m_ctx, [&] {
            title = pdf_dict_get_text_string(m_ctx, node, PDF_NAME(Title));
            count = pdf_dict_get_int(m_ctx, node, PDF_NAME(Count));
        });
        item.title = QString::fromUtf8(title).simplified();
        item.open = count > 0;
        if (m_targets == MuDocument::OutlineTargets::Later) {
            item.targetPending = borrowed(node, PDF_NAME(Dest)) || borrowed(node, PDF_NAME(A));
            return item;
        }
        try {
            resolveTarget(node, item);
        } catch (const MuError&) {
            // a destination that leads nowhere leaves the entry as a heading
        }
        return item;
    }

    void resolveTarget(pdf_obj* node, OutlineItem& item)
    {
        fz_context* ctx = m_ctx;
        pdf_document* doc = m_d.pdf();
        char* raw = nullptr;
        guarded(ctx, [&] {
            if (pdf_obj* dest = pdf_dict_get(ctx, node, PDF_NAME(Dest)))
                raw = pdf_parse_link_dest(ctx, doc, dest);
            else if (pdf_obj* action = pdf_dict_get(ctx, node, PDF_NAME(A)))
                raw = pdf_parse_link_action(ctx, doc, action, -1);
        });
        const std::unique_ptr<char, FreeString> uri(raw, FreeString{ctx});
        if (!uri)
            return;
        if (fz_is_external_link(ctx, uri.get())) {
            item.uri = QString::fromUtf8(uri.get());
            return;
        }
        int number = -1;
        float x = 0, y = 0;
        guarded(ctx, [&] {
            const fz_location location = fz_resolve_link(ctx, &doc->super, uri.get(), &x, &y);
            number = fz_page_number_from_location(ctx, &doc->super, location);
        });
        item.page = number;
        item.position = QPointF(std::isnan(x) ? 0 : x, std::isnan(y) ? 0 : y);
        m_d.notePagesRead(1); // numbering it parsed its page and the page's parents
    }

    MuDocument::Impl& m_d;
    fz_context* m_ctx;
    MuDocument::OutlineTargets m_targets;
    int m_budget = kMaxOutlineItems;
    std::unordered_set<int> m_seen;
};

} // namespace

QList<OutlineItem> MuDocument::outline(OutlineTargets targets) const
{
    fz_context* ctx = d->ctx();
    pdf_obj* outlines = nullptr;
    pdf_obj* first = nullptr;
    guarded(ctx, [&] {
        outlines = pdf_resolve_indirect(ctx, pdf_dict_getp(ctx, pdf_trailer(ctx, d->pdf()), "Root/Outlines"));
        first = pdf_dict_get(ctx, outlines, PDF_NAME(First));
    });
    QList<OutlineItem> items;
    OutlineReader(*d, targets).readLevel(first, items, 0);
    return items;
}

} // namespace pxv::mu
