#include "commentstylespane.h"

#include "annotationfields.h"
#include "commentsample.h"
#include "core/document.h"
#include "dialogprovider.h"
#include "pageview.h"
#include "settings.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pxv {

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kSampleWidth = 56;

const char* kindLabel(CommentKind kind)
{
    switch (kind) {
    case CommentKind::Highlight:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Highlight");
    case CommentKind::Underline:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Underline");
    case CommentKind::StrikeOut:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Strikeout");
    case CommentKind::Squiggly:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Squiggly");
    case CommentKind::Note:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Sticky Note");
    case CommentKind::TextBox:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Text Box");
    case CommentKind::Pen:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Pen");
    case CommentKind::Line:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Line");
    case CommentKind::Arrow:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Arrow");
    case CommentKind::Rectangle:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Rectangle");
    case CommentKind::Ellipse:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Ellipse");
    case CommentKind::Polygon:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Polygon");
    case CommentKind::PolyLine:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Polyline");
    case CommentKind::Stamp:
        return QT_TRANSLATE_NOOP("pxv::CommentStylesPane", "Stamp");
    }
    return "";
}

// A row: the sample at the left, the kind's name beside it. The style to draw is the item's
// Qt::UserRole + 1 data, set by the pane as the styles change.
class SampleDelegate : public QStyledItemDelegate
{
public:
    SampleDelegate(std::function<CommentStyle(CommentKind)> style, QObject* parent)
        : QStyledItemDelegate(parent), m_style(std::move(style))
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem text = option;
        initStyleOption(&text, index);
        text.rect.setLeft(text.rect.left() + kSampleWidth);
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &text, painter, option.widget);
        // The sample sits on white, as on a page, whatever the row's colour.
        const QRectF sample(option.rect.left() + 2, option.rect.top() + 2, kSampleWidth - 4, option.rect.height() - 4);
        painter->fillRect(sample, Qt::white);
        const auto kind = static_cast<CommentKind>(index.data(kKindRole).toInt());
        painter->save();
        painter->setFont(option.font);
        paintCommentSample(*painter, sample, kind, m_style(kind));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return QSize(size.width() + kSampleWidth, std::max(size.height() + 8, 28));
    }

private:
    std::function<CommentStyle(CommentKind)> m_style;
};

} // namespace

CommentStylesPane::CommentStylesPane(IPXV_Settings* settings, DialogProvider* dialogs, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("commentStylesView"));
    m_list = new QListWidget(this);
    m_list->setItemDelegate(new SampleDelegate([this](CommentKind kind) { return styles().style(kind); }, m_list));
    for (const CommentKind kind : CommentStyles::kinds()) {
        auto* item = new QListWidgetItem(tr(kindLabel(kind)), m_list);
        item->setData(kKindRole, static_cast<int>(kind));
        item->setToolTip(tr("The look the next one gets; double-click to choose its colour"));
    }
    m_color = new QToolButton(this);
    m_color->setObjectName(QStringLiteral("styleColor"));
    m_color->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_color->setText(tr("Choose…"));
    m_fill = AnnotationFields::fill(this);
    m_fill->setObjectName(QStringLiteral("styleFill"));
    m_opacity = AnnotationFields::opacity(this);
    m_opacity->setObjectName(QStringLiteral("styleOpacity"));
    m_width = AnnotationFields::width(this);
    m_width->setObjectName(QStringLiteral("styleWidth"));
    m_fontSize = AnnotationFields::fontSize(this);
    m_fontSize->setObjectName(QStringLiteral("styleFontSize"));
    m_apply = new QPushButton(tr("Apply to Selected"), this);
    m_apply->setObjectName(QStringLiteral("styleApply"));
    m_apply->setToolTip(tr("Give the selected comment this look"));
    m_use = new QPushButton(tr("Use Selected"), this);
    m_use->setObjectName(QStringLiteral("styleUse"));
    m_use->setToolTip(tr("New comments of the selected comment's kind look like it"));
    m_reset = new QPushButton(tr("Reset"), this);
    m_reset->setObjectName(QStringLiteral("styleReset"));
    m_reset->setToolTip(tr("Back to this kind's built-in look"));

    auto* fields = new QFormLayout;
    fields->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    fields->addRow(tr("Colour"), m_color);
    fields->addRow(tr("Fill"), m_fill);
    fields->addRow(tr("Opacity"), m_opacity);
    fields->addRow(tr("Width"), m_width);
    fields->addRow(tr("Font size"), m_fontSize);
    fields->setContentsMargins(6, 0, 6, 0);
    auto* buttons = new QGridLayout;
    buttons->setContentsMargins(6, 0, 6, 0);
    buttons->addWidget(m_apply, 0, 0, 1, 2);
    buttons->addWidget(m_use, 1, 0);
    buttons->addWidget(m_reset, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(m_list, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &CommentStylesPane::showCurrent);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CommentStylesPane::chooseColor);
    connect(m_color, &QToolButton::clicked, this, &CommentStylesPane::chooseColor);
    connect(m_fill, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        change([fill = m_fill->itemData(index).value<QColor>()](CommentStyle& style) { style.fill = fill; });
    });
    // A look changes with finished edits, not with every arrow click on the way.
    connect(m_opacity, &QSpinBox::editingFinished, this,
            [this] { change([value = m_opacity->value()](CommentStyle& style) { style.opacity = value / 100.0; }); });
    connect(m_width, &QDoubleSpinBox::editingFinished, this,
            [this] { change([value = m_width->value()](CommentStyle& style) { style.width = value; }); });
    connect(m_fontSize, &QSpinBox::editingFinished, this,
            [this] { change([value = m_fontSize->value()](CommentStyle& style) { style.fontSize = value; }); });
    connect(m_apply, &QPushButton::clicked, this, &CommentStylesPane::applyToSelected);
    connect(m_use, &QPushButton::clicked, this, &CommentStylesPane::useSelected);
    connect(m_reset, &QPushButton::clicked, this, &CommentStylesPane::reset);
    m_list->setCurrentRow(0);
    showSelection();
}

void CommentStylesPane::setPages(Document* document, PageView* pages)
{
    disconnect(m_selection);
    m_document = document;
    m_pages = pages;
    if (pages)
        m_selection = connect(pages, &PageView::annotationSelectionChanged, this, &CommentStylesPane::showSelection);
    showSelection();
}

CommentStyles CommentStylesPane::styles() const
{
    return CommentStyles::fromText(m_settings->getString(Settings::kCommentStyles));
}

CommentKind CommentStylesPane::currentKind() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? static_cast<CommentKind>(item->data(kKindRole).toInt()) : CommentStyles::kinds().first();
}

void CommentStylesPane::showStyles()
{
    m_list->viewport()->update();
    showCurrent();
}

void CommentStylesPane::showCurrent()
{
    const CommentKind kind = currentKind();
    const CommentStyle style = styles().style(kind);
    m_showing = true;
    m_color->setIcon(AnnotationFields::swatch(style.color));
    m_color->setEnabled(CommentStyles::has(kind, StyleProperty::Color));
    AnnotationFields::showColor(m_fill, style.fill);
    m_fill->setEnabled(CommentStyles::has(kind, StyleProperty::Fill));
    m_opacity->setValue(qRound(style.opacity * 100));
    m_width->setValue(style.width);
    m_width->setEnabled(CommentStyles::has(kind, StyleProperty::Width));
    m_fontSize->setValue(qRound(style.fontSize));
    m_fontSize->setEnabled(CommentStyles::has(kind, StyleProperty::FontSize));
    m_reset->setEnabled(style != CommentStyles::builtIn(kind));
    m_showing = false;
}

void CommentStylesPane::showSelection()
{
    const bool selected = m_pages && m_document && m_pages->selectedAnnotation().page >= 0;
    m_apply->setEnabled(selected);
    m_use->setEnabled(selected);
}

void CommentStylesPane::change(const std::function<void(CommentStyle&)>& edit)
{
    if (m_showing)
        return;
    CommentStyles all = styles();
    CommentStyle style = all.style(currentKind());
    edit(style);
    all.setStyle(currentKind(), style);
    m_settings->setString(Settings::kCommentStyles, all.toText());
    showStyles();
}

void CommentStylesPane::chooseColor()
{
    const CommentKind kind = currentKind();
    if (!m_dialogs || !CommentStyles::has(kind, StyleProperty::Color))
        return;
    const QColor color = m_dialogs->chooseColor(window(), styles().style(kind).color,
                                                tr("Colour of New Comments: %1").arg(tr(kindLabel(kind))));
    if (color.isValid())
        change([color](CommentStyle& style) { style.color = color; });
}

void CommentStylesPane::applyToSelected()
{
    if (!m_pages || !m_document)
        return;
    const std::optional<Annotation> selected = m_pages->selectedAnnotationValue();
    if (!selected)
        return;
    Annotation changed = *selected;
    CommentStyles::restyle(currentKind(), styles().style(currentKind()), changed);
    try {
        m_document->changeAnnotation(m_pages->selectedAnnotation().page, changed);
    } catch (const DocumentError& error) {
        emit m_pages->editFailed(error.message());
    }
}

void CommentStylesPane::useSelected()
{
    const std::optional<Annotation> selected = m_pages ? m_pages->selectedAnnotationValue() : std::nullopt;
    const std::optional<CommentKind> kind = selected ? CommentStyles::kindOf(*selected) : std::nullopt;
    if (!kind)
        return;
    m_list->setCurrentRow(CommentStyles::kinds().indexOf(*kind));
    change([&](CommentStyle& style) { style = CommentStyles::styleOf(*kind, *selected, style); });
}

void CommentStylesPane::reset()
{
    change([kind = currentKind()](CommentStyle& style) { style = CommentStyles::builtIn(kind); });
}

} // namespace pxv
