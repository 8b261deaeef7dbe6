#include "annotationbar.h"

#include "annotationfields.h"
#include "core/document.h"
#include "pageview.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace pxv {

AnnotationBar::AnnotationBar(Document* document, PageView* pages, QWidget* parent)
    : QFrame(parent), m_document(document), m_pages(pages)
{
    setObjectName(QStringLiteral("annotationBar"));
    connect(pages, &PageView::annotationSelectionChanged, this, &AnnotationBar::showSelected);
    connect(document, &Document::pagesChanged, this, &AnnotationBar::showSelected);
    hide();
}

void AnnotationBar::buildContents()
{
    // Made when a comment is first selected: every open pays for what is made with its view.
    if (layout())
        return;
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    m_color = AnnotationFields::color(this);
    m_color->setObjectName(QStringLiteral("annotationColor"));
    m_fill = AnnotationFields::fill(this);
    m_fill->setObjectName(QStringLiteral("annotationFill"));
    m_opacity = AnnotationFields::opacity(this);
    m_opacity->setObjectName(QStringLiteral("annotationOpacity"));
    m_width = AnnotationFields::width(this);
    m_width->setObjectName(QStringLiteral("annotationWidth"));
    m_fontSize = AnnotationFields::fontSize(this);
    m_fontSize->setObjectName(QStringLiteral("annotationFontSize"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("annotationText"));
    m_text->setPlaceholderText(tr("Comment text"));
    layout->addWidget(new QLabel(tr("Colour"), this));
    layout->addWidget(m_color);
    layout->addWidget(new QLabel(tr("Fill"), this));
    layout->addWidget(m_fill);
    layout->addWidget(new QLabel(tr("Opacity"), this));
    layout->addWidget(m_opacity);
    layout->addWidget(new QLabel(tr("Width"), this));
    layout->addWidget(m_width);
    layout->addWidget(new QLabel(tr("Font size"), this));
    layout->addWidget(m_fontSize);
    layout->addWidget(m_text, 1);

    connect(m_color, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const QColor color = m_color->itemData(index).value<QColor>();
        apply([color](Annotation& a) { a.color = color; });
    });
    connect(m_fill, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        const QColor fill = m_fill->itemData(index).value<QColor>();
        apply([fill](Annotation& a) { a.fill = fill; });
    });
    // Steps follow finished edits, not every arrow click on the way.
    connect(m_opacity, &QSpinBox::editingFinished, this,
            [this] { apply([value = m_opacity->value()](Annotation& a) { a.opacity = value / 100.0; }); });
    connect(m_width, &QDoubleSpinBox::editingFinished, this,
            [this] { apply([value = m_width->value()](Annotation& a) { a.borderWidth = value; }); });
    connect(m_fontSize, &QSpinBox::editingFinished, this,
            [this] { apply([value = m_fontSize->value()](Annotation& a) { a.fontSize = value; }); });
    connect(m_text, &QLineEdit::editingFinished, this,
            [this] { apply([text = m_text->text()](Annotation& a) { a.contents = text; }); });
}

void AnnotationBar::showSelected()
{
    const std::optional<Annotation> selected = m_pages ? m_pages->selectedAnnotationValue() : std::nullopt;
    if (selected)
        buildContents();
    setVisible(selected.has_value());
    if (!selected)
        return;
    m_showing = true;
    AnnotationFields::showColor(m_color, selected->color);
    AnnotationFields::showColor(m_fill, selected->fill);
    m_fill->setEnabled(selected->type == AnnotationType::Square || selected->type == AnnotationType::Circle
                       || selected->type == AnnotationType::Polygon || selected->type == AnnotationType::Line);
    m_opacity->setValue(qRound(selected->opacity * 100));
    m_width->setValue(selected->borderWidth);
    m_fontSize->setValue(qRound(selected->fontSize));
    m_fontSize->setEnabled(selected->type == AnnotationType::FreeText);
    m_width->setEnabled(selected->type == AnnotationType::Ink || selected->type == AnnotationType::Line
                        || selected->type == AnnotationType::Square || selected->type == AnnotationType::Circle
                        || selected->type == AnnotationType::Polygon || selected->type == AnnotationType::PolyLine);
    if (m_text->text() != selected->contents)
        m_text->setText(selected->contents);
    m_showing = false;
}

void AnnotationBar::apply(const std::function<void(Annotation&)>& change)
{
    if (m_showing || !m_pages || !m_document)
        return;
    std::optional<Annotation> selected = m_pages->selectedAnnotationValue();
    if (!selected)
        return;
    Annotation changed = *selected;
    change(changed);
    if (changed.color == selected->color && changed.fill == selected->fill && changed.opacity == selected->opacity
        && changed.borderWidth == selected->borderWidth && changed.fontSize == selected->fontSize
        && changed.contents == selected->contents)
        return;
    try {
        m_document->changeAnnotation(m_pages->selectedAnnotation().page, changed);
    } catch (const DocumentError& error) {
        emit m_pages->editFailed(error.message());
    }
}

} // namespace pxv
