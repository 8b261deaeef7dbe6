// Optional-content groups: listed from the document's OCProperties, and hidden on screen through
// MuPDF's in-memory layer states, which drawing consults and saving never writes.

#include "mudocument_p.h"

#include <algorithm>

namespace pxv::mu {

namespace {

bool listed(fz_context* ctx, pdf_obj* array, pdf_obj* group)
{
    for (int i = 0; i < pdf_array_len(ctx, array); ++i) {
        if (pdf_to_num(ctx, pdf_array_get(ctx, array, i)) == pdf_to_num(ctx, group))
            return true;
    }
    return false;
}

} // namespace

QList<ContentGroup> MuDocument::contentGroups() const
{
    fz_context* ctx = d->ctx();
    pdf_obj* properties = nullptr;
    int count = 0;
    guarded(ctx, [&] {
        properties = pdf_dict_getp(ctx, pdf_trailer(ctx, d->pdf()), "Root/OCProperties");
        count = pdf_array_len(ctx, pdf_dict_get(ctx, properties, PDF_NAME(OCGs)));
    });
    QList<ContentGroup> groups;
    for (int i = 0; i < count; ++i) {
        int object = 0;
        const char* name = nullptr;
        bool shown = true;
        guarded(ctx, [&] {
            pdf_obj* group = pdf_array_get(ctx, pdf_dict_get(ctx, properties, PDF_NAME(OCGs)), i);
            pdf_obj* config = pdf_dict_get(ctx, properties, PDF_NAME(D));
            object = pdf_to_num(ctx, group);
            name = pdf_dict_get_text_string(ctx, group, PDF_NAME(Name));
            const bool baseOff = pdf_name_eq(ctx, pdf_dict_get(ctx, config, PDF_NAME(BaseState)), PDF_NAME(OFF));
            shown = baseOff ? listed(ctx, pdf_dict_get(ctx, config, PDF_NAME(ON)), group)
                            : !listed(ctx, pdf_dict_get(ctx, config, PDF_NAME(OFF)), group);
        });
        if (object > 0)
            groups.append({object, QString::fromUtf8(name), shown});
    }
    return groups;
}

void MuDocument::setHiddenGroups(const std::vector<int>& objects)
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    bool changed = false;
    guarded(ctx, [&] {
        pdf_obj* groups = pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/OCProperties/OCGs");
        const int count = pdf_array_len(ctx, groups);
        // MuPDF reads the groups once, on opening: an edit that added or removed one since
        // (a watermark) needs them read again. Its descriptor is freed but not forgotten.
        if (count != pdf_count_layers(ctx, doc)) {
            pdf_drop_ocg(ctx, doc);
            doc->ocg = nullptr;
            pdf_read_ocg(ctx, doc);
            changed = true;
        }
        // The descriptor holds the groups in the order of the OCGs array.
        const int layers = std::min(count, pdf_count_layers(ctx, doc));
        for (int i = 0; i < layers; ++i) {
            const int number = pdf_to_num(ctx, pdf_array_get(ctx, groups, i));
            const bool enabled = !std::binary_search(objects.begin(), objects.end(), number);
            if (bool(pdf_layer_is_enabled(ctx, doc, i)) != enabled) {
                pdf_enable_layer(ctx, doc, i, enabled);
                changed = true;
            }
        }
    });
    if (changed)
        d->forgetPageContent();
}

} // namespace pxv::mu
