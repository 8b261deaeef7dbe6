#include "formfiller.h"

#include "fieldeditor.h"

#include "core/document.h"
#include "qtcompat.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace pxv {

namespace {

const QColor kFieldTint(60, 120, 255, 40);
const QColor kFieldEdge(60, 120, 255, 110);

} // namespace

FormFiller::FormFiller(Document* document, QWidget* viewport, std::function<QRectF(int, const QRectF&)> area,
                       std::function<double()> scale)
    : QObject(viewport), m_document(document), m_viewport(viewport), m_area(std::move(area)), m_scale(std::move(scale))
{
    connect(qApp, &QApplication::focusChanged, this, &FormFiller::onFocusChanged);
}

FormFiller::~FormFiller() = default;

void FormFiller::setTinted(bool tinted)
{
    m_tinted = tinted;
    m_viewport->update();
}

const QList<FormField>& FormFiller::fieldsOf(int page)
{
    auto found = m_fields.find(page);
    if (found == m_fields.end())
        found = m_fields.insert(page, m_document ? m_document->formFields(page) : QList<FormField>());
    return *found;
}

const FormField* FormFiller::fieldAt(int page, const QPointF& point)
{
    const QList<FormField>& fields = fieldsOf(page);
    for (auto it = fields.crbegin(); it != fields.crend(); ++it) {
        if (it->rect.contains(point))
            return &*it;
    }
    return nullptr;
}

bool FormFiller::isFillable(const FormField& field)
{
    switch (field.type) {
    case FieldType::Text:
    case FieldType::CheckBox:
    case FieldType::RadioButton:
    case FieldType::ComboBox:
    case FieldType::ListBox:
        return !field.readOnly;
    default:
        return false;
    }
}

QString FormFiller::tooltip(const FormField& field)
{
    const QString name = field.tooltip.isEmpty() ? field.name : field.tooltip;
    if (field.type == FieldType::Signature)
        return field.isSigned ? tr("%1: signed").arg(name) : tr("%1: not signed").arg(name);
    return name;
}

void FormFiller::paint(QPainter& painter, int page)
{
    if (!m_tinted)
        return;
    const QList<FormField>& fields = fieldsOf(page);
    if (fields.isEmpty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (const FormField& field : fields) {
        if (!isFillable(field) && field.type != FieldType::Signature)
            continue;
        painter.setPen(QPen(kFieldEdge, 1));
        painter.setBrush(kFieldTint);
        painter.drawRect(m_area(page, field.rect));
    }
    painter.restore();
}

void FormFiller::activate(const FormField& field, bool byPointer)
{
    if (!isFillable(field))
        return;
    if (!m_editor || m_editor->field().id != field.id) {
        commit();
        open(field, !byPointer);
    }
    if (byPointer && (field.type == FieldType::CheckBox || field.type == FieldType::RadioButton))
        toggle(field);
}

void FormFiller::pressEditor(const QMouseEvent& press)
{
    if (!m_editor || (m_editor->field().type != FieldType::ComboBox && m_editor->field().type != FieldType::ListBox))
        return;
    const QPoint inEditor = m_editor->mapFrom(m_viewport, press.pos());
    QWidget* target = m_editor->childAt(inEditor);
    if (!target)
        return;
    QMouseEvent passed(press.type(), target->mapFrom(m_editor, inEditor), qtcompat::globalPos(&press), press.button(),
                       press.buttons(), press.modifiers());
    QCoreApplication::sendEvent(target, &passed);
}

void FormFiller::open(const FormField& field, bool bringIntoView)
{
    auto* editor = new FieldEditor(field, m_viewport);
    m_editor = editor;
    connect(editor, &FieldEditor::commitRequested, this, &FormFiller::commit);
    connect(editor, &FieldEditor::revertRequested, this, &FormFiller::revert);
    connect(editor, &FieldEditor::toggleRequested, this, [this] {
        if (m_editor)
            toggle(m_editor->field());
    });
    if (bringIntoView)
        emit showRequested(field.page, field.rect);
    place();
    editor->show();
    editor->setFocus(Qt::TabFocusReason);
}

void FormFiller::close()
{
    if (!m_editor)
        return;
    FieldEditor* editor = m_editor;
    m_editor = nullptr;
    m_lastField = editor->field().id;
    // The view takes the focus first: hiding the widget that has it would pass it on along
    // the focus chain, which here is Tab to the next field.
    if (editor->isAncestorOf(QApplication::focusWidget()) || editor->hasFocus())
        emit closed();
    editor->hide();
    editor->deleteLater();
}

void FormFiller::commit()
{
    if (!m_editor || m_committing)
        return;
    const FormField field = m_editor->field();
    const bool changed = m_editor->isChanged();
    const FieldValue value = m_editor->value();
    close();
    if (changed)
        change(field, value);
}

void FormFiller::revert()
{
    close();
}

void FormFiller::toggle(const FormField& field)
{
    // The state as it is now: an undo may have turned it since the page was read.
    const FormField* now = nullptr;
    for (const FormField& f : fieldsOf(field.page)) {
        if (f.id == field.id)
            now = &f;
    }
    FieldValue value;
    value.checked = !(now ? now->checked : field.checked);
    // A radio button that is on stays on: another button of its group turns it off.
    if (field.type == FieldType::RadioButton && !value.checked)
        return;
    change(field, value);
}

void FormFiller::change(const FormField& field, const FieldValue& value)
{
    if (!m_document)
        return;
    m_committing = true;
    try {
        m_document->setFieldValue(field.page, field.id, value);
    } catch (const DocumentError& error) {
        m_committing = false;
        emit editFailed(error.message());
        return;
    }
    m_committing = false;
}

bool FormFiller::step(bool forward)
{
    if (!m_document)
        return false;
    QVector<QPair<int, int>> order = m_document->fieldOrder();
    QVector<FormField> fillable;
    for (const auto& [page, id] : order) {
        for (const FormField& field : fieldsOf(page)) {
            if (field.id == id && isFillable(field))
                fillable.append(field);
        }
    }
    if (fillable.isEmpty())
        return false;
    // From the field being filled, or the one filled last.
    const int current = m_editor ? m_editor->field().id : m_lastField;
    int at = -1;
    for (int i = 0; i < fillable.size(); ++i) {
        if (fillable[i].id == current)
            at = i;
    }
    const int count = int(fillable.size());
    const int next = at < 0 ? (forward ? 0 : count - 1) : (at + (forward ? 1 : count - 1)) % count;
    const FormField target = fillable[next];
    commit();
    open(target, true);
    return true;
}

FieldEditor* FormFiller::editor() const
{
    return m_editor;
}

void FormFiller::place()
{
    if (m_editor)
        m_editor->place(m_area(m_editor->field().page, m_editor->field().rect), m_scale());
}

void FormFiller::forget(int page)
{
    m_fields.remove(page);
}

void FormFiller::forgetAll()
{
    m_fields.clear();
}

void FormFiller::onFocusChanged(QWidget*, QWidget* now)
{
    // Clicking or tabbing elsewhere commits, as leaving a field does in other readers; a
    // combo box's list is a window of its own, yet part of the editor.
    if (!m_editor || !now)
        return;
    for (QWidget* w = now; w; w = w->parentWidget()) {
        if (w == m_editor)
            return;
    }
    commit();
}

} // namespace pxv
