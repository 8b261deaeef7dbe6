#include "fieldeditor.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace pxv {

namespace {

// Text in single-line fields fills most of their height, as readers draw an automatic size;
// multi-line fields and lists use a usual body size.
constexpr double kLineFill = 0.62;
constexpr double kBodyPoints = 11.0;

bool isButton(FieldType type)
{
    return type == FieldType::CheckBox || type == FieldType::RadioButton;
}

} // namespace

FieldEditor::FieldEditor(const FormField& field, QWidget* parent) : QWidget(parent), m_field(field)
{
    setObjectName(QStringLiteral("fieldEditor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_input = buildInput();
    if (m_input) {
        layout->addWidget(m_input);
        m_input->installEventFilter(this);
        setFocusProxy(m_input);
    } else {
        setFocusPolicy(Qt::StrongFocus);
    }
    setToolTip(field.tooltip.isEmpty() ? field.name : field.tooltip);
}

QWidget* FieldEditor::buildInput()
{
    switch (m_field.type) {
    case FieldType::Text:
        if (m_field.multiline) {
            auto* edit = new QPlainTextEdit(m_field.value, this);
            edit->setTabChangesFocus(true);
            connect(edit, &QPlainTextEdit::textChanged, this, &FieldEditor::keepToMaxLength);
            return edit;
        } else {
            auto* edit = new QLineEdit(m_field.value, this);
            if (m_field.maxLength > 0)
                edit->setMaxLength(m_field.maxLength);
            if (m_field.password)
                edit->setEchoMode(QLineEdit::Password);
            edit->selectAll();
            connect(edit, &QLineEdit::returnPressed, this, &FieldEditor::commitRequested);
            return edit;
        }
    case FieldType::ComboBox: {
        auto* box = new QComboBox(this);
        box->addItems(m_field.options);
        box->setEditable(m_field.editable);
        const int chosen = m_field.exportValues.indexOf(m_field.value);
        if (chosen >= 0)
            box->setCurrentIndex(chosen);
        else if (m_field.editable)
            box->setEditText(m_field.value);
        else
            box->setCurrentIndex(-1);
        // A choice from the list is the whole edit; a typed entry waits for Enter.
        connect(box, QOverload<int>::of(&QComboBox::activated), this, &FieldEditor::commitRequested);
        if (m_field.editable) {
            box->setInsertPolicy(QComboBox::NoInsert);
            box->lineEdit()->installEventFilter(this);
            connect(box->lineEdit(), &QLineEdit::returnPressed, this, &FieldEditor::commitRequested);
        }
        return box;
    }
    case FieldType::ListBox: {
        auto* list = new QListWidget(this);
        list->addItems(m_field.options);
        list->setSelectionMode(m_field.multiSelect ? QAbstractItemView::MultiSelection
                                                   : QAbstractItemView::SingleSelection);
        for (int i = 0; i < m_field.exportValues.size(); ++i)
            list->item(i)->setSelected(m_field.selected.contains(m_field.exportValues[i]));
        return list;
    }
    default:
        return nullptr;
    }
}

void FieldEditor::keepToMaxLength()
{
    auto* edit = qobject_cast<QPlainTextEdit*>(m_input);
    if (m_field.maxLength <= 0 || edit->toPlainText().size() <= m_field.maxLength)
        return;
    QTextCursor cursor = edit->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor,
                        edit->toPlainText().size() - m_field.maxLength);
    cursor.removeSelectedText();
}

FieldValue FieldEditor::value() const
{
    FieldValue value;
    value.checked = m_field.checked;
    if (auto* line = qobject_cast<QLineEdit*>(m_input)) {
        value.text = line->text();
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(m_input)) {
        value.text = box->toPlainText();
    } else if (auto* combo = qobject_cast<QComboBox*>(m_input)) {
        // A typed entry that matches an option is that option.
        const int shown = m_field.options.indexOf(combo->currentText());
        value.text = shown >= 0 ? m_field.exportValues.value(shown) : combo->currentText();
    } else if (auto* list = qobject_cast<QListWidget*>(m_input)) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->isSelected())
                value.selected.append(m_field.exportValues.value(i));
        }
    }
    return value;
}

bool FieldEditor::isChanged() const
{
    const FieldValue now = value();
    switch (m_field.type) {
    case FieldType::Text:
    case FieldType::ComboBox:
        return now.text != m_field.value;
    case FieldType::ListBox:
        return now.selected != m_field.selected;
    default:
        return false;
    }
}

void FieldEditor::place(const QRectF& area, double scale)
{
    QRect rect = area.toAlignedRect();
    QFont font = this->font();
    const double points = m_field.multiline || m_field.type == FieldType::ListBox
                              ? kBodyPoints
                              : std::min(kBodyPoints * 1.2, area.height() / scale * kLineFill);
    font.setPixelSize(std::max(6, int(points * scale)));
    if (m_input)
        m_input->setFont(font);
    // A combo box or list too small to use grows to what it needs.
    if (m_input && m_field.type == FieldType::ComboBox)
        rect.setHeight(std::max(rect.height(), m_input->sizeHint().height()));
    if (isButton(m_field.type))
        rect.adjust(-2, -2, 2, 2);
    setGeometry(rect);
}

bool FieldEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            emit revertRequested();
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool lineBreak = m_field.multiline && !(key->modifiers() & Qt::ControlModifier);
        if (enter && !lineBreak && m_field.type != FieldType::ComboBox) {
            emit commitRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FieldEditor::keyPressEvent(QKeyEvent* event)
{
    // Only buttons have no input of their own.
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit toggleRequested();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        emit revertRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FieldEditor::paintEvent(QPaintEvent*)
{
    if (m_input)
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().highlight().color(), 1.5, Qt::DashLine));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

} // namespace pxv
