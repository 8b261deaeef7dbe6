// Form fields: reading a page's widgets, filling them, resetting the form, and whether the
// document's scripts run. MuPDF writes the widgets' appearance streams when their page is
// updated, so other readers show the values without drawing fields themselves.

#include "mudocument_p.h"

#include <QByteArray>
#include <QHash>

#include <cstring>
#include <unordered_set>
#include <vector>

namespace pxv::mu {

namespace {

// Deeper /Fields trees are damaged or hostile.
constexpr int kMaxFieldDepth = 32;

FieldType fromPdf(enum pdf_widget_type type)
{
    switch (type) {
    case PDF_WIDGET_TYPE_TEXT:
        return FieldType::Text;
    case PDF_WIDGET_TYPE_CHECKBOX:
        return FieldType::CheckBox;
    case PDF_WIDGET_TYPE_RADIOBUTTON:
        return FieldType::RadioButton;
    case PDF_WIDGET_TYPE_BUTTON:
        return FieldType::PushButton;
    case PDF_WIDGET_TYPE_COMBOBOX:
        return FieldType::ComboBox;
    case PDF_WIDGET_TYPE_LISTBOX:
        return FieldType::ListBox;
    case PDF_WIDGET_TYPE_SIGNATURE:
        return FieldType::Signature;
    default:
        return FieldType::Other;
    }
}

QStringList toList(const std::vector<const char*>& strings)
{
    QStringList list;
    for (const char* s : strings)
        list.append(QString::fromUtf8(s));
    return list;
}

pdf_annot* findWidget(fz_context* ctx, pdf_page* page, int id)
{
    pdf_annot* found = nullptr;
    guarded(ctx, [&] {
        for (pdf_annot* w = pdf_first_widget(ctx, page); w && !found; w = pdf_next_widget(ctx, w)) {
            if (pdf_to_num(ctx, pdf_annot_obj(ctx, w)) == id)
                found = w;
        }
    });
    if (!found)
        throw MuError(FZ_ERROR_GENERIC, "no such form field on the page");
    return found;
}

FormField read(fz_context* ctx, pdf_annot* widget, int page, int turns)
{
    FormField field;
    field.page = page;
    field.quarterTurns = turns;
    enum pdf_widget_type type = PDF_WIDGET_TYPE_UNKNOWN;
    fz_rect rect{};
    char* name = nullptr;
    const char* tooltip = nullptr;
    const char* value = nullptr;
    const char* onState = nullptr;
    const char* state = nullptr;
    int flags = 0, maxLength = 0, optionCount = 0, selectedCount = 0;
    bool readOnly = false, isSigned = false;
    guarded(ctx, [&] {
        pdf_obj* obj = pdf_annot_obj(ctx, widget);
        field.id = pdf_to_num(ctx, obj);
        type = pdf_widget_type(ctx, widget);
        rect = pdf_bound_widget(ctx, widget);
        name = pdf_field_name(ctx, obj);
        tooltip = pdf_to_text_string(ctx, pdf_dict_get_inheritable(ctx, obj, PDF_NAME(TU)));
        value = pdf_field_value(ctx, obj);
        flags = pdf_field_flags(ctx, obj);
        readOnly = pdf_widget_is_readonly(ctx, widget);
        if (type == PDF_WIDGET_TYPE_CHECKBOX || type == PDF_WIDGET_TYPE_RADIOBUTTON) {
            onState = pdf_to_name(ctx, pdf_button_field_on_state(ctx, obj));
            state = pdf_to_name(ctx, pdf_dict_get(ctx, obj, PDF_NAME(AS)));
        } else if (type == PDF_WIDGET_TYPE_TEXT) {
            maxLength = pdf_text_widget_max_len(ctx, widget);
        } else if (type == PDF_WIDGET_TYPE_COMBOBOX || type == PDF_WIDGET_TYPE_LISTBOX) {
            optionCount = pdf_choice_widget_options(ctx, widget, 0, nullptr);
            selectedCount = pdf_choice_widget_value(ctx, widget, nullptr);
        } else if (type == PDF_WIDGET_TYPE_SIGNATURE) {
            isSigned = pdf_widget_is_signed(ctx, widget);
        }
    });
    field.name = QString::fromUtf8(name);
    fz_free(ctx, name);
    field.type = fromPdf(type);
    field.rect = QRectF(QPointF(rect.x0, rect.y0), QPointF(rect.x1, rect.y1));
    field.tooltip = QString::fromUtf8(tooltip);
    field.value = QString::fromUtf8(value);
    field.onState = QString::fromUtf8(onState);
    field.checked = onState && state && qstrcmp(onState, state) == 0;
    field.maxLength = maxLength;
    field.readOnly = readOnly;
    field.isSigned = isSigned;
    field.multiline = flags & PDF_TX_FIELD_IS_MULTILINE;
    field.password = flags & PDF_TX_FIELD_IS_PASSWORD;
    field.comb = (flags & PDF_TX_FIELD_IS_COMB) && maxLength > 0;
    field.editable = type == PDF_WIDGET_TYPE_COMBOBOX && (flags & PDF_CH_FIELD_IS_EDIT);
    field.multiSelect = type == PDF_WIDGET_TYPE_LISTBOX && (flags & PDF_CH_FIELD_IS_MULTI_SELECT);
    if (optionCount > 0) {
        std::vector<const char*> shown(static_cast<size_t>(optionCount)), exported(static_cast<size_t>(optionCount));
        guarded(ctx, [&] {
            pdf_choice_widget_options(ctx, widget, 0, shown.data());
            pdf_choice_widget_options(ctx, widget, 1, exported.data());
        });
        field.options = toList(shown);
        field.exportValues = toList(exported);
    }
    if (selectedCount > 0) {
        std::vector<const char*> chosen(static_cast<size_t>(selectedCount));
        guarded(ctx, [&] { pdf_choice_widget_value(ctx, widget, chosen.data()); });
        field.selected = toList(chosen);
    }
    return field;
}

// MuPDF 1.21 gives the ZapfDingbats font of the check marks it draws the WinAnsi encoding, under
// which other readers find no glyph for the mark: the font's own encoding is the one meant.
// Inside fz_try only.
void keepSymbolEncodings(fz_context* ctx, pdf_obj* widget)
{
    pdf_obj* states = pdf_dict_getp(ctx, widget, "AP/N");
    for (int i = 0; i < pdf_dict_len(ctx, states); ++i) {
        pdf_obj* fonts = pdf_dict_getp(ctx, pdf_dict_get_val(ctx, states, i), "Resources/Font");
        for (int k = 0; k < pdf_dict_len(ctx, fonts); ++k) {
            pdf_obj* font = pdf_dict_get_val(ctx, fonts, k);
            if (std::strcmp(pdf_dict_get_name(ctx, font, PDF_NAME(BaseFont)), "ZapfDingbats") == 0)
                pdf_dict_del(ctx, font, PDF_NAME(Encoding));
        }
    }
}

// Visits every node of the form's /Fields tree depth first, in order, telling whether it is a
// widget (a node without kids); visit runs inside fz_try. Nodes met twice and nodes too deep are
// skipped: only a damaged or hostile file has them.
template <typename Visit>
void walkFields(fz_context* ctx, pdf_document* doc, Visit&& visit)
{
    std::vector<std::pair<pdf_obj*, int>> stack; // a node and its depth
    std::unordered_set<int> seen;
    guarded(ctx, [&] {
        pdf_obj* fields = pdf_dict_getl(ctx, pdf_trailer(ctx, doc), PDF_NAME(Root), PDF_NAME(AcroForm),
                                        PDF_NAME(Fields), nullptr);
        for (int i = pdf_array_len(ctx, fields) - 1; i >= 0; --i)
            stack.emplace_back(pdf_array_get(ctx, fields, i), 0);
        while (!stack.empty()) {
            const auto [node, depth] = stack.back();
            stack.pop_back();
            const int number = pdf_to_num(ctx, node);
            if (!pdf_is_dict(ctx, node) || depth > kMaxFieldDepth || (number > 0 && !seen.insert(number).second))
                continue;
            pdf_obj* kids = pdf_dict_get(ctx, node, PDF_NAME(Kids));
            visit(node, !pdf_is_array(ctx, kids) && number > 0);
            for (int i = pdf_array_len(ctx, kids) - 1; i >= 0; --i)
                stack.emplace_back(pdf_array_get(ctx, kids, i), depth + 1);
        }
    });
}

// Whether the field tree that holds obj is a tree: MuPDF marks a changed field's widgets by
// walking its kids without looking for loops, which a tree that holds itself makes endless.
// Inside guarded() only.
bool isSoundTree(fz_context* ctx, pdf_obj* obj, std::unordered_set<int>& seen,
                 std::vector<std::pair<pdf_obj*, int>>& stack)
{
    pdf_obj* top = obj;
    for (int depth = 0; pdf_is_dict(ctx, pdf_dict_get(ctx, top, PDF_NAME(Parent))); ++depth) {
        if (depth > kMaxFieldDepth)
            return false;
        top = pdf_dict_get(ctx, top, PDF_NAME(Parent));
    }
    stack.emplace_back(top, 0);
    while (!stack.empty()) {
        const auto [node, depth] = stack.back();
        stack.pop_back();
        const int number = pdf_to_num(ctx, node);
        if (depth > kMaxFieldDepth || (number > 0 && !seen.insert(number).second))
            return false;
        pdf_obj* kids = pdf_dict_get(ctx, node, PDF_NAME(Kids));
        for (int i = 0; i < pdf_array_len(ctx, kids); ++i)
            stack.emplace_back(pdf_array_get(ctx, kids, i), depth + 1);
    }
    return true;
}

// Draws again the widgets of a page that changed, which MuPDF left marked as such, and marks
// what its list boxes have chosen.
void redrawWidgets(fz_context* ctx, pdf_page* page)
{
    std::vector<pdf_annot*> lists;
    guarded(ctx, [&] {
        pdf_update_page(ctx, page);
        for (pdf_annot* widget = pdf_first_widget(ctx, page); widget; widget = pdf_next_widget(ctx, widget)) {
            if (pdf_widget_type(ctx, widget) == PDF_WIDGET_TYPE_LISTBOX)
                lists.push_back(widget);
        }
    });
    for (pdf_annot* list : lists)
        markListSelection(ctx, list);
}

void updatePages(fz_context* ctx, pdf_document* doc, const QVector<int>& pages)
{
    for (int page : pages)
        redrawWidgets(ctx, pdfPage(loadPage(ctx, doc, page)));
}

// MuPDF draws a password field's value as it is; its appearance shows as many asterisks
// instead, drawn from a stand-in value that the real one then replaces unseen.
void drawMasked(fz_context* ctx, pdf_annot* widget, const char* value, const char* masked)
{
    pdf_obj* field = pdf_annot_obj(ctx, widget);
    while (!pdf_dict_get(ctx, field, PDF_NAME(T)) && pdf_is_dict(ctx, pdf_dict_get(ctx, field, PDF_NAME(Parent))))
        field = pdf_dict_get(ctx, field, PDF_NAME(Parent));
    pdf_dict_put_text_string(ctx, field, PDF_NAME(V), masked);
    pdf_dirty_annot(ctx, widget);
    pdf_update_annot(ctx, widget);
    pdf_dict_put_text_string(ctx, field, PDF_NAME(V), value);
    pdf_clean_obj(ctx, field);
    pdf_clean_obj(ctx, pdf_annot_obj(ctx, widget));
}

// What a document asks of the program beyond its own pages (opening an address, mailing,
// submitting, printing, menu items, alerts) reaches it through this callback only, which does
// nothing with it: every such event is refused, and an alert's reply stays as if dismissed.
void refuseEvent(fz_context*, pdf_document*, pdf_doc_event*, void*)
{
}

} // namespace

QList<FormField> MuDocument::formFields(int page) const
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    // Asked for every page the view paints: a document without a form must not load its pages
    // on the GUI thread for nothing.
    int fields = 0;
    guarded(ctx, [&] {
        fields = pdf_array_len(ctx, pdf_dict_getp(ctx, pdf_trailer(ctx, d->pdf()), "Root/AcroForm/Fields"));
    });
    if (fields == 0)
        return {};
    const PageHandle loaded = loadPage(ctx, d->pdf(), page);
    std::vector<pdf_annot*> widgets;
    int turns = 0;
    guarded(ctx, [&] {
        turns = quarterTurns(ctx, pdfPage(loaded)->obj);
        for (pdf_annot* w = pdf_first_widget(ctx, pdfPage(loaded)); w; w = pdf_next_widget(ctx, w))
            widgets.push_back(w);
    });
    QList<FormField> list;
    for (pdf_annot* widget : widgets)
        list.append(read(ctx, widget, page, turns));
    return list;
}

QVector<QPair<int, int>> MuDocument::fieldOrder() const
{
    fz_context* ctx = d->ctx();
    struct Widget
    {
        int id;
        int pageNumber;
    };
    std::vector<Widget> widgets;
    walkFields(ctx, d->pdf(), [&](pdf_obj* node, bool widget) {
        if (widget)
            widgets.push_back({pdf_to_num(ctx, node), pdf_to_num(ctx, pdf_dict_get(ctx, node, PDF_NAME(P)))});
    });
    // Mapping the page tree costs more than reading the form: only for a document with one.
    if (widgets.empty())
        return {};
    QHash<int, int> pageOf;
    const QVector<int> pages = pageObjectNumbers();
    for (int page = 0; page < pages.size(); ++page)
        pageOf.insert(pages[page], page);
    QVector<QPair<int, int>> order;
    for (const Widget& widget : widgets) {
        const auto page = pageOf.constFind(widget.pageNumber);
        if (page != pageOf.constEnd())
            order.append({*page, widget.id});
    }
    return order;
}

bool MuDocument::setFieldValue(int page, int id, const FieldValue& value)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    const PageHandle loaded = loadPage(ctx, d->pdf(), page);
    pdf_annot* widget = findWidget(ctx, pdfPage(loaded), id);
    const QByteArray text = value.text.toUtf8();
    const QByteArray masked(int(value.text.toUcs4().size()), '*');
    std::vector<QByteArray> chosen;
    for (const QString& option : value.selected)
        chosen.push_back(option.toUtf8());
    std::vector<const char*> options;
    for (const QByteArray& option : chosen)
        options.push_back(option.constData());
    int accepted = 1;
    QVector<int> pages{page};
    std::unordered_set<int> seen;
    std::vector<std::pair<pdf_obj*, int>> stack;
    guarded(ctx, [&] {
        pdf_obj* obj = pdf_annot_obj(ctx, widget);
        if (!isSoundTree(ctx, obj, seen, stack))
            fz_throw(ctx, FZ_ERROR_GENERIC, "the form field is damaged");
        switch (pdf_widget_type(ctx, widget)) {
        case PDF_WIDGET_TYPE_TEXT:
            accepted = pdf_set_text_field_value(ctx, widget, text.constData());
            if (accepted && (pdf_field_flags(ctx, obj) & PDF_TX_FIELD_IS_PASSWORD))
                drawMasked(ctx, widget, text.constData(), masked.constData());
            break;
        case PDF_WIDGET_TYPE_COMBOBOX:
            accepted = pdf_set_choice_field_value(ctx, widget, text.constData());
            break;
        case PDF_WIDGET_TYPE_LISTBOX:
            pdf_choice_widget_set_value(ctx, widget, int(options.size()), options.data());
            break;
        case PDF_WIDGET_TYPE_CHECKBOX:
        case PDF_WIDGET_TYPE_RADIOBUTTON: {
            pdf_obj* onState = pdf_button_field_on_state(ctx, obj);
            const bool on = pdf_name_eq(ctx, pdf_dict_get(ctx, obj, PDF_NAME(AS)), onState);
            const bool lacksLook = !pdf_dict_get(ctx, pdf_dict_getp(ctx, obj, "AP/N"), onState);
            if (on != value.checked)
                pdf_toggle_widget(ctx, widget);
            // A button without a look for its on state stays off however its value is set. Its
            // looks are drawn into the document (MuPDF does so only once the document has a
            // change, as the toggle just made), and it is switched on again.
            if (!on && value.checked && lacksLook) {
                pdf_annot_request_resynthesis(ctx, widget);
                pdf_update_annot(ctx, widget);
                keepSymbolEncodings(ctx, obj);
                pdf_toggle_widget(ctx, widget);
            }
            break;
        }
        default:
            fz_throw(ctx, FZ_ERROR_GENERIC, "this kind of form field cannot be filled");
        }
        // The field's other widgets (a radio group's buttons, a field shown twice) may stand
        // on other pages.
        pdf_obj* kids = pdf_dict_getl(ctx, obj, PDF_NAME(Parent), PDF_NAME(Kids), nullptr);
        for (int i = 0; i < pdf_array_len(ctx, kids); ++i) {
            pdf_obj* kidPage = pdf_dict_get(ctx, pdf_array_get(ctx, kids, i), PDF_NAME(P));
            const int other = pdf_is_indirect(ctx, kidPage) ? pdf_lookup_page_number(ctx, d->pdf(), kidPage) : -1;
            if (other >= 0 && other != page && !pages.contains(other))
                pages.append(other);
        }
    });
    redrawWidgets(ctx, pdfPage(loaded));
    pages.removeFirst();
    updatePages(ctx, d->pdf(), pages);
    return accepted != 0;
}

void MuDocument::resetForm()
{
    // Only the fields away from their defaults are reset and drawn again: a long form's every
    // page would take far longer, and the step would hold every field.
    fz_context* ctx = d->ctx();
    std::vector<pdf_obj*> changed;
    walkFields(ctx, d->pdf(), [&](pdf_obj* node, bool) {
        if (pdf_objcmp_resolve(ctx, pdf_dict_get(ctx, node, PDF_NAME(V)), pdf_dict_get(ctx, node, PDF_NAME(DV))))
            changed.push_back(node);
    });
    std::vector<int> pageNumbers;
    std::unordered_set<int> seen;
    std::vector<std::pair<pdf_obj*, int>> stack;
    guarded(ctx, [&] {
        for (pdf_obj* field : changed) {
            seen.clear();
            stack.clear();
            if (!isSoundTree(ctx, field, seen, stack))
                continue; // a damaged field keeps its value
            pdf_field_reset(ctx, d->pdf(), field);
            pdf_obj* kids = pdf_dict_get(ctx, field, PDF_NAME(Kids));
            pageNumbers.push_back(pdf_to_num(ctx, pdf_dict_get(ctx, field, PDF_NAME(P))));
            for (int i = 0; i < pdf_array_len(ctx, kids); ++i)
                pageNumbers.push_back(pdf_to_num(ctx, pdf_dict_get(ctx, pdf_array_get(ctx, kids, i), PDF_NAME(P))));
        }
    });
    QVector<int> pages;
    for (int number : pageNumbers) {
        const int page = number > 0 ? pageIndexOfObject(number) : -1;
        if (page >= 0 && !pages.contains(page))
            pages.append(page);
    }
    updatePages(ctx, d->pdf(), pages);
}

void MuDocument::setScriptsEnabled(bool enabled)
{
    fz_context* ctx = d->ctx();
    guarded(ctx, [&] {
        pdf_set_doc_event_callback(ctx, d->pdf(), refuseEvent, nullptr, nullptr);
        if (enabled)
            pdf_enable_js(ctx, d->pdf());
        else
            pdf_disable_js(ctx, d->pdf());
    });
}

bool MuDocument::scriptsEnabled() const
{
    int supported = 0;
    guarded(d->ctx(), [&] { supported = pdf_js_supported(d->ctx(), d->pdf()); });
    return supported != 0;
}

} // namespace pxv::mu
