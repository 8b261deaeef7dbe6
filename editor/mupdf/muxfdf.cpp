// Form fields' values by full name and the annotation entries that exchange with other
// programs carries beyond what the annotation layer reads and writes.

#include "mudocument_p.h"

#include <QHash>
#include <QSet>

#include <vector>

namespace pxv::mu {

namespace {

// The pages that hold widgets, loaded, with their widgets: a widget lives as long as its page.
struct FormPages
{
    std::vector<PageHandle> pages;
    std::vector<pdf_annot*> widgets;
};

pdf_obj* acroFormFields(fz_context* ctx, pdf_document* doc)
{
    pdf_obj* fields = nullptr;
    guarded(ctx, [&] { fields = pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/AcroForm/Fields"); });
    return fields;
}

FormPages loadFormPages(fz_context* ctx, pdf_document* doc, int pageCount)
{
    FormPages form;
    int count = 0;
    guarded(ctx, [&] { count = pdf_array_len(ctx, acroFormFields(ctx, doc)); });
    if (count == 0)
        return form;
    for (int index = 0; index < pageCount; ++index) {
        pdf_page* page = nullptr;
        guarded(ctx, [&] { page = pdf_load_page(ctx, doc, index); });
        form.pages.emplace_back(ctx, &page->super);
        guarded(ctx, [&] {
            for (pdf_annot* widget = pdf_first_widget(ctx, page); widget; widget = pdf_next_widget(ctx, widget))
                form.widgets.push_back(widget);
        });
    }
    return form;
}

QString fieldName(fz_context* ctx, pdf_annot* widget)
{
    char* name = nullptr;
    guarded(ctx, [&] { name = pdf_field_name(ctx, pdf_annot_obj(ctx, widget)); });
    const QString text = QString::fromUtf8(name);
    fz_free(ctx, name);
    return text;
}

bool isChoice(int type)
{
    return type == PDF_WIDGET_TYPE_COMBOBOX || type == PDF_WIDGET_TYPE_LISTBOX;
}

bool holdsValue(int type)
{
    return type != PDF_WIDGET_TYPE_UNKNOWN && type != PDF_WIDGET_TYPE_BUTTON && type != PDF_WIDGET_TYPE_SIGNATURE;
}

QStringList widgetValues(fz_context* ctx, pdf_annot* widget, int type)
{
    if (!isChoice(type)) {
        const char* value = nullptr;
        guarded(ctx, [&] { value = pdf_field_value(ctx, pdf_annot_obj(ctx, widget)); });
        return {QString::fromUtf8(value)};
    }
    int count = 0;
    guarded(ctx, [&] { count = pdf_choice_widget_value(ctx, widget, nullptr); });
    std::vector<const char*> chosen(size_t(count), nullptr);
    if (count > 0)
        guarded(ctx, [&] { pdf_choice_widget_value(ctx, widget, chosen.data()); });
    QStringList values;
    for (const char* value : chosen)
        values.append(QString::fromUtf8(value));
    if (values.isEmpty())
        values.append(QString()); // nothing chosen
    return values;
}

// Switches a check box or radio group to the state named value (Off when none of its widgets has
// that state) by its /V and its widgets' /AS. pdf_set_field_value would mark the widgets for new
// appearances, and MuPDF's replace the file's own drawings of the states.
void setButtonState(fz_context* ctx, pdf_obj* field, const char* value)
{
    pdf_obj* kids = pdf_dict_get(ctx, field, PDF_NAME(Kids));
    if (kids) {
        for (int i = 0; i < pdf_array_len(ctx, kids); ++i)
            setButtonState(ctx, pdf_array_get(ctx, kids, i), value);
    } else {
        const bool has = pdf_dict_gets(ctx, pdf_dict_getp(ctx, field, "AP/N"), value) != nullptr;
        pdf_dict_put_name(ctx, field, PDF_NAME(AS), has ? value : "Off");
    }
    if (pdf_dict_get(ctx, field, PDF_NAME(T)))
        pdf_dict_put_name(ctx, field, PDF_NAME(V), value);
}

int widgetType(fz_context* ctx, pdf_annot* widget)
{
    int type = PDF_WIDGET_TYPE_UNKNOWN;
    guarded(ctx, [&] { type = pdf_widget_type(ctx, widget); });
    return type;
}

} // namespace

QList<NamedFieldValue> MuDocument::fieldValues() const
{
    fz_context* ctx = d->ctx();
    const FormPages form = loadFormPages(ctx, d->pdf(), pageCount());
    QList<NamedFieldValue> values;
    QSet<QString> seen;
    for (pdf_annot* widget : form.widgets) {
        const int type = widgetType(ctx, widget);
        const QString name = fieldName(ctx, widget);
        if (!holdsValue(type) || name.isEmpty() || seen.contains(name))
            continue;
        seen.insert(name);
        values.append({name, widgetValues(ctx, widget, type)});
    }
    return values;
}

QStringList MuDocument::setFieldValues(const QList<NamedFieldValue>& values)
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    const FormPages form = loadFormPages(ctx, doc, pageCount());
    QHash<QString, pdf_annot*> widgets;
    for (pdf_annot* widget : form.widgets) {
        const QString name = fieldName(ctx, widget);
        if (!widgets.contains(name) && holdsValue(widgetType(ctx, widget)))
            widgets.insert(name, widget);
    }
    pdf_obj* fields = acroFormFields(ctx, doc);
    QStringList unknown;
    for (const NamedFieldValue& value : values) {
        pdf_annot* widget = widgets.value(value.name);
        if (!widget) {
            unknown.append(value.name);
            continue;
        }
        const int type = widgetType(ctx, widget);
        std::vector<QByteArray> texts;
        for (const QString& text : value.values)
            texts.push_back(text.toUtf8());
        if (texts.empty())
            texts.emplace_back();
        std::vector<const char*> chosen;
        for (const QByteArray& text : texts)
            chosen.push_back(text.constData());
        const QByteArray name = value.name.toUtf8();
        guarded(ctx, [&] {
            // The field that carries the name: a radio group's parent, whose kids all switch.
            pdf_obj* field = pdf_lookup_field(ctx, fields, name.constData());
            if (!field)
                field = pdf_annot_obj(ctx, widget);
            if (isChoice(type))
                pdf_choice_widget_set_value(ctx, widget, int(chosen.size()), chosen.data());
            else if (type == PDF_WIDGET_TYPE_CHECKBOX || type == PDF_WIDGET_TYPE_RADIOBUTTON)
                setButtonState(ctx, field, chosen[0]);
            else
                pdf_set_field_value(ctx, doc, field, chosen[0], 1);
        });
    }
    for (const PageHandle& page : form.pages)
        guarded(ctx, [&] { pdf_update_page(ctx, reinterpret_cast<pdf_page*>(page.get())); });
    return unknown;
}

QTransform MuDocument::pageTransform(int page) const
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    fz_matrix ctm = fz_identity;
    guarded(ctx, [&] {
        fz_rect mediabox;
        pdf_page_obj_transform(ctx, lookupPageObject(ctx, d->pdf(), page), &mediabox, &ctm);
    });
    return QTransform(ctm.a, ctm.b, ctm.c, ctm.d, ctm.e, ctm.f);
}

AnnotationExtras MuDocument::annotationExtras(int id) const
{
    fz_context* ctx = d->ctx();
    const char* name = nullptr;
    const char* subject = nullptr;
    int64_t created = 0;
    int flags = -1;
    pdf_obj* annot = nullptr;
    guarded(ctx, [&] { annot = pdf_load_object(ctx, d->pdf(), id); });
    try {
        guarded(ctx, [&] {
            name = pdf_to_text_string(ctx, pdf_dict_gets(ctx, annot, "NM"));
            subject = pdf_to_text_string(ctx, pdf_dict_gets(ctx, annot, "Subj"));
            created = pdf_dict_get_date(ctx, annot, PDF_NAME(CreationDate));
            if (pdf_dict_get(ctx, annot, PDF_NAME(F)))
                flags = pdf_dict_get_int(ctx, annot, PDF_NAME(F));
        });
    } catch (...) {
        pdf_drop_obj(ctx, annot);
        throw;
    }
    AnnotationExtras extras;
    extras.name = QString::fromUtf8(name);
    extras.subject = QString::fromUtf8(subject);
    if (created > 0)
        extras.created = QDateTime::fromSecsSinceEpoch(created);
    extras.flags = flags;
    pdf_drop_obj(ctx, annot);
    return extras;
}

void MuDocument::setAnnotationExtras(int id, const AnnotationExtras& extras)
{
    fz_context* ctx = d->ctx();
    const QByteArray name = extras.name.toUtf8();
    const QByteArray subject = extras.subject.toUtf8();
    const qint64 created = extras.created.isValid() ? extras.created.toSecsSinceEpoch() : 0;
    pdf_obj* annot = nullptr;
    guarded(ctx, [&] {
        annot = pdf_load_object(ctx, d->pdf(), id);
        fz_try(ctx)
        {
            if (!name.isEmpty())
                pdf_dict_puts_drop(ctx, annot, "NM", pdf_new_text_string(ctx, name.constData()));
            if (!subject.isEmpty())
                pdf_dict_puts_drop(ctx, annot, "Subj", pdf_new_text_string(ctx, subject.constData()));
            if (created > 0)
                pdf_dict_put_date(ctx, annot, PDF_NAME(CreationDate), created);
            if (extras.flags >= 0)
                pdf_dict_put_int(ctx, annot, PDF_NAME(F), extras.flags);
        }
        fz_always(ctx)
        {
            pdf_drop_obj(ctx, annot);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

} // namespace pxv::mu
