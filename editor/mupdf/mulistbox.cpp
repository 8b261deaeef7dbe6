// MuPDF draws a list box as its options one per line and leaves the chosen ones unmarked (1.21),
// so that neither this reader nor any other could see what was chosen. The lines it drew are
// found again as text, and the chosen ones get a band of colour behind them, as other programs
// draw them.
#include "mudocument_p.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace pxv::mu {

namespace {

// Tags the bands, so that an appearance is marked once. MuPDF draws the widget's background
// and border within its /Tx tag, and then the lines of text, which the bands go just before.
constexpr char kMarkTag[] = "/Selection BMC";
constexpr char kTextTag[] = "/Tx BMC";
constexpr char kTextStart[] = "BT";
// MuPDF's lines of a list are this many times the font size apart, the baseline this far above
// the bottom of a line's space.
constexpr float kLineSpacing = 1.116f;
constexpr float kBaselineRise = 0.22f;
// The colour other programs mark chosen options with.
constexpr char kBand[] = "0.6 0.757 0.855 rg";

std::string lineText(fz_stext_line* line)
{
    std::string text;
    char utf8[8];
    for (fz_stext_char* c = line->first_char; c; c = c->next)
        text.append(utf8, size_t(fz_runetochar(utf8, c->c)));
    return text;
}

// The shown texts of the chosen options of a list box; none for any other widget.
std::vector<std::string> chosenTexts(fz_context* ctx, pdf_annot* widget)
{
    int options = 0;
    int values = 0;
    guarded(ctx, [&] {
        if (pdf_widget_type(ctx, widget) == PDF_WIDGET_TYPE_LISTBOX) {
            options = pdf_choice_widget_options(ctx, widget, 0, nullptr);
            values = pdf_choice_widget_value(ctx, widget, nullptr);
        }
    });
    if (options <= 0 || values <= 0)
        return {};
    std::vector<const char*> shown(static_cast<size_t>(options)), exported(shown.size()),
        chosen(static_cast<size_t>(values));
    guarded(ctx, [&] {
        pdf_choice_widget_options(ctx, widget, 0, shown.data());
        pdf_choice_widget_options(ctx, widget, 1, exported.data());
        pdf_choice_widget_value(ctx, widget, chosen.data());
    });
    std::vector<std::string> texts;
    for (const char* value : chosen) {
        for (size_t i = 0; i < shown.size(); ++i) {
            if (std::strcmp(exported[i], value) == 0 || std::strcmp(shown[i], value) == 0) {
                texts.emplace_back(shown[i]);
                break;
            }
        }
    }
    return texts;
}

} // namespace

void markListSelection(fz_context* ctx, pdf_annot* widget)
{
    const std::vector<std::string> chosen = chosenTexts(ctx, widget);
    if (chosen.empty())
        return;
    pdf_obj* normal = nullptr;
    QByteArray content;
    guarded(ctx, [&] {
        normal = pdf_dict_getp(ctx, pdf_annot_obj(ctx, widget), "AP/N");
        if (!pdf_is_stream(ctx, normal))
            return;
        fz_buffer* loaded = pdf_load_stream(ctx, normal);
        unsigned char* data = nullptr;
        const size_t size = fz_buffer_storage(ctx, loaded, &data);
        content = QByteArray(reinterpret_cast<const char*>(data), int(size));
        fz_drop_buffer(ctx, loaded);
    });
    const int tagAt = content.indexOf(kTextTag);
    const int textAt = tagAt < 0 ? -1 : content.indexOf(kTextStart, tagAt);
    if (textAt < 0 || content.contains(kMarkTag))
        return;

    // Where the chosen lines stand, taken back from the page into the appearance's own space.
    std::vector<std::pair<float, float>> bands; // bottom and height of each, in the appearance's space
    fz_rect box{};
    float border = 0;
    guarded(ctx, [&] {
        fz_stext_page* text = nullptr;
        fz_device* device = nullptr;
        fz_var(text);
        fz_var(device);
        fz_try(ctx)
        {
            text = fz_new_stext_page(ctx, fz_infinite_rect);
            device = fz_new_stext_device(ctx, text, nullptr);
            pdf_run_annot(ctx, widget, device, fz_identity, nullptr);
            fz_close_device(ctx, device);
            fz_matrix page;
            pdf_page_transform(ctx, pdf_annot_page(ctx, widget), nullptr, &page);
            const fz_matrix toForm = fz_invert_matrix(fz_concat(
                fz_concat(pdf_dict_get_matrix(ctx, normal, PDF_NAME(Matrix)), pdf_annot_transform(ctx, widget)), page));
            box = pdf_dict_get_rect(ctx, normal, PDF_NAME(BBox));
            border = pdf_annot_border(ctx, widget);
            for (fz_stext_block* block = text->first_block; block; block = block->next) {
                for (fz_stext_line* line = block->type == FZ_STEXT_BLOCK_TEXT ? block->u.t.first_line : nullptr; line;
                     line = line->next) {
                    if (line->first_char
                        && std::find(chosen.cbegin(), chosen.cend(), lineText(line)) != chosen.cend()) {
                        const fz_point baseline = fz_transform_point(line->first_char->origin, toForm);
                        const float size = line->first_char->size * fz_matrix_expansion(toForm);
                        bands.emplace_back(baseline.y - kBaselineRise * size, kLineSpacing * size);
                    }
                }
            }
        }
        fz_always(ctx)
        {
            fz_drop_device(ctx, device);
            fz_drop_stext_page(ctx, text);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    if (bands.empty())
        return;

    // The bands go behind the text and above the background.
    QByteArray bandsText = QByteArray(kMarkTag) + " q " + kBand + "\n";
    for (const auto& [bottom, height] : bands)
        bandsText += QStringLiteral("%1 %2 %3 %4 re f\n")
                         .arg(box.x0 + border)
                         .arg(bottom)
                         .arg(box.x1 - box.x0 - 2 * border)
                         .arg(height)
                         .toLatin1();
    bandsText += "Q EMC\n";
    content.insert(textAt, bandsText);
    guarded(ctx, [&] {
        fz_buffer* marked = fz_new_buffer_from_copied_data(
            ctx, reinterpret_cast<const unsigned char*>(content.constData()), size_t(content.size()));
        fz_try(ctx)
        {
            pdf_update_stream(ctx, pdf_get_bound_document(ctx, normal), normal, marked, 0);
        }
        fz_always(ctx)
        {
            fz_drop_buffer(ctx, marked);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

} // namespace pxv::mu
