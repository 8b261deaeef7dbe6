#include "stampdialog.h"

#include "dialoglayouts.h"
#include "core/document.h"
#include "core/pagerange.h"
#include "core/pagerenderer.h"
#include "pagechoicebox.h"
#include "pagepicture.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace pxv {

namespace {

struct PositionChoice
{
    const char* label;
    const char* name; // as the operations take it
    StampPosition position;
};

const PositionChoice kPositions[] = {
    {QT_TRANSLATE_NOOP("pxv::StampDialog", "Centre"), "center", StampPosition::Center},
    {QT_TRANSLATE_NOOP("pxv::StampDialog", "Tiled over the page"), "tile", StampPosition::Tile},
    {QT_TRANSLATE_NOOP("pxv::StampDialog", "Top left"), "top-left", StampPosition::TopLeft},
    {QT_TRANSLATE_NOOP("pxv::StampDialog", "Top centre"), "top", StampPosition::Top},
    {QT_TRANSLATE_NOOP("pxv::StampDialog", "Top right"), "top-right", StampPosition::TopRight},
    {QT_TRANSLATE_NOOP("pxv::StampDialog", "Bottom left"), "bottom-left", StampPosition::BottomLeft},
    {QT_TRANSLATE_NOOP("pxv::StampDialog", "Bottom centre"), "bottom", StampPosition::Bottom},
    {QT_TRANSLATE_NOOP("pxv::StampDialog", "Bottom right"), "bottom-right", StampPosition::BottomRight},
};

} // namespace

StampDialog::StampDialog(StampKind kind, Document* document, int currentPage, const QVector<int>& selected,
                         QWidget* parent)
    : QDialog(parent), m_kind(kind), m_document(document), m_page(currentPage),
      m_copy(document->extractPages({currentPage})), m_renderer(new PageRenderer(m_copy.get(), this)),
      m_preview(new PagePicture(this)), m_pause(new QTimer(this)), m_text(new QLineEdit(this)),
      m_fontSize(new QDoubleSpinBox(this)), m_colorButton(new QPushButton(this)), m_opacity(new QSpinBox(this)),
      m_rotation(new QSpinBox(this)), m_position(new QComboBox(this)),
      m_behind(new QCheckBox(tr("Be&hind the page's content"), this)),
      m_pages(
          new PageChoiceBox(document->pageCount(), currentPage, selected, PageChoiceBox::Initially::AllPages, this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    const bool watermark = kind == StampKind::Watermark;
    setWindowTitle(watermark ? tr("Watermark") : tr("Header and Footer"));
    auto* form = new QFormLayout;
    m_text->setText(watermark ? tr("CONFIDENTIAL") : tr("Page {n} of {N}"));
    if (!watermark)
        m_text->setToolTip(tr("{n}: the page's number, {N}: the last number, {date}: today, {file}: the file's name"));
    form->addRow(tr("&Text:"), m_text);
    if (watermark) {
        m_image = new QLineEdit(this);
        m_image->setPlaceholderText(tr("a PNG or JPEG file instead of the text"));
        auto* browse = new QPushButton(tr("&Browse…"), this);
        auto* row = new QHBoxLayout;
        row->addWidget(m_image, 1);
        row->addWidget(browse);
        auto* label = new QLabel(tr("&Image:"), this); // a row of a layout gets no buddy by itself
        label->setBuddy(m_image);
        form->addRow(label, row);
        connect(browse, &QPushButton::clicked, this, [this] {
            const QString path = QFileDialog::getOpenFileName(this, tr("Watermark Image"), m_image->text(),
                                                              tr("Images (*.png *.jpg *.jpeg)"));
            if (!path.isEmpty())
                m_image->setText(path);
        });
        connect(m_image, &QLineEdit::textChanged, m_pause, qOverload<>(&QTimer::start));
        connect(m_image, &QLineEdit::textChanged, this, &StampDialog::updateOk);
        m_imageScale = new QSpinBox(this);
        m_imageScale->setRange(0, 1000);
        m_imageScale->setSuffix(tr(" %"));
        m_imageScale->setSpecialValueText(tr("Fit to the page"));
        m_imageScale->setToolTip(
            tr("The image's size as a share of its own; at the lowest, shrunk to fit when larger than the page"));
        form->addRow(tr("Image s&cale:"), m_imageScale);
        connect(m_imageScale, qOverload<int>(&QSpinBox::valueChanged), m_pause, qOverload<>(&QTimer::start));
        m_imageScale->setEnabled(false);
        connect(m_image, &QLineEdit::textChanged, m_imageScale,
                [this](const QString& path) { m_imageScale->setEnabled(!path.trimmed().isEmpty()); });
    }
    m_fontSize->setRange(1, 1000);
    m_fontSize->setDecimals(1);
    m_fontSize->setSuffix(tr(" pt"));
    m_fontSize->setValue(watermark ? 48 : 10);
    form->addRow(tr("Font &size:"), m_fontSize);
    form->addRow(tr("&Colour:"), m_colorButton);
    setColor(watermark ? QColor(128, 128, 128) : QColor(Qt::black));
    m_opacity->setRange(0, 100);
    m_opacity->setSuffix(tr(" %"));
    m_opacity->setValue(watermark ? 50 : 100);
    form->addRow(tr("&Opacity:"), m_opacity);
    m_rotation->setRange(-180, 180);
    m_rotation->setSuffix(tr("°"));
    m_rotation->setValue(watermark ? 45 : 0);
    form->addRow(tr("&Rotation:"), m_rotation);
    for (const PositionChoice& choice : kPositions) {
        if (watermark || (choice.position != StampPosition::Center && choice.position != StampPosition::Tile))
            m_position->addItem(tr(choice.label), QString::fromLatin1(choice.name));
    }
    m_position->setCurrentIndex(watermark ? 0 : m_position->findData(QStringLiteral("bottom")));
    form->addRow(tr("&Position:"), m_position);
    if (!watermark) {
        m_marginX = new QDoubleSpinBox(this);
        m_marginY = new QDoubleSpinBox(this);
        for (QDoubleSpinBox* margin : {m_marginX, m_marginY}) {
            margin->setRange(0, 1000);
            margin->setSuffix(tr(" pt"));
            margin->setValue(36);
            connect(margin, qOverload<double>(&QDoubleSpinBox::valueChanged), m_pause, qOverload<>(&QTimer::start));
        }
        form->addRow(tr("Side &margin:"), m_marginX);
        form->addRow(tr("&Top and bottom margin:"), m_marginY);
        m_firstNumber = new QSpinBox(this);
        m_firstNumber->setRange(0, 1000000);
        m_firstNumber->setValue(1);
        form->addRow(tr("&First number:"), m_firstNumber);
        connect(m_firstNumber, qOverload<int>(&QSpinBox::valueChanged), m_pause, qOverload<>(&QTimer::start));
    }
    form->addRow(QString(), m_behind);

    layOutBesidePreview(this, m_preview, m_pages, m_buttons)->insertLayout(0, form);

    // Typing goes on for a moment: the preview is stamped once it pauses.
    m_pause->setSingleShot(true);
    m_pause->setInterval(200);
    connect(m_pause, &QTimer::timeout, this, &StampDialog::updatePreviewNow);
    connect(m_text, &QLineEdit::textChanged, m_pause, qOverload<>(&QTimer::start));
    connect(m_text, &QLineEdit::textChanged, this, &StampDialog::updateOk);
    connect(m_fontSize, qOverload<double>(&QDoubleSpinBox::valueChanged), m_pause, qOverload<>(&QTimer::start));
    connect(m_opacity, qOverload<int>(&QSpinBox::valueChanged), m_pause, qOverload<>(&QTimer::start));
    connect(m_rotation, qOverload<int>(&QSpinBox::valueChanged), m_pause, qOverload<>(&QTimer::start));
    connect(m_position, qOverload<int>(&QComboBox::currentIndexChanged), m_pause, qOverload<>(&QTimer::start));
    connect(m_behind, &QCheckBox::toggled, m_pause, qOverload<>(&QTimer::start));
    connect(m_colorButton, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(m_color, this, tr("Colour"));
        if (chosen.isValid()) {
            setColor(chosen);
            m_pause->start();
        }
    });
    connect(m_preview, &PagePicture::scaleChanged, this, &StampDialog::requestPreview);
    connect(m_renderer, &PageRenderer::pageReady, m_preview, [this](int page, double, const QImage& image) {
        if (page == 0)
            m_preview->setImage(image);
    });
    connect(m_pages, &PageChoiceBox::changed, this, &StampDialog::updateOk);
    if (!watermark) // the chosen pages number the line
        connect(m_pages, &PageChoiceBox::changed, m_pause, qOverload<>(&QTimer::start));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_preview->setPageSize(m_copy->pageSize(0));
    updatePreviewNow();
    updateOk();
}

StampDialog::~StampDialog()
{
    delete m_renderer; // before the copy it draws
}

StampStyle StampDialog::style() const
{
    StampStyle style;
    style.kind = m_kind;
    style.imagePath = m_image ? m_image->text().trimmed() : QString();
    style.imageScale = m_imageScale ? m_imageScale->value() / 100.0 : 0;
    style.fontSize = m_fontSize->value();
    style.color = m_color;
    style.opacity = m_opacity->value() / 100.0;
    style.rotation = m_rotation->value();
    style.behind = m_behind->isChecked();
    for (const PositionChoice& choice : kPositions) {
        if (positionName() == QLatin1String(choice.name))
            style.position = choice.position;
    }
    if (m_marginX)
        style.margins = QMarginsF(m_marginX->value(), m_marginY->value(), m_marginX->value(), m_marginY->value());
    return style;
}

QString StampDialog::positionName() const
{
    return m_position->currentData().toString();
}

QVariantMap StampDialog::parameters() const
{
    const StampStyle chosen = style();
    QVariantMap parameters{
        {QStringLiteral("Pages"), m_pages->range()},
        {QStringLiteral("FontSize"), chosen.fontSize},
        {QStringLiteral("Color"), chosen.color.name()},
        {QStringLiteral("Opacity"), chosen.opacity},
        {QStringLiteral("Rotation"), chosen.rotation},
        {QStringLiteral("Position"), positionName()},
        {QStringLiteral("Behind"), chosen.behind ? QStringLiteral("true") : QStringLiteral("false")}};
    if (!chosen.imagePath.isEmpty())
        parameters.insert(QStringLiteral("Image"), chosen.imagePath);
    if (!chosen.imagePath.isEmpty() && chosen.imageScale > 0)
        parameters.insert(QStringLiteral("Scale"), chosen.imageScale);
    else
        parameters.insert(QStringLiteral("Text"), m_text->text());
    if (m_kind == StampKind::HeaderFooter) {
        parameters.insert(QStringLiteral("Left"), chosen.margins.left());
        parameters.insert(QStringLiteral("Right"), chosen.margins.right());
        parameters.insert(QStringLiteral("Top"), chosen.margins.top());
        parameters.insert(QStringLiteral("Bottom"), chosen.margins.bottom());
        parameters.insert(QStringLiteral("StartNumber"), m_firstNumber->value());
    }
    return parameters;
}

void StampDialog::setColor(const QColor& color)
{
    m_color = color;
    QPixmap swatch(24, 14);
    swatch.fill(color);
    m_colorButton->setIcon(QIcon(swatch));
    m_colorButton->setText(color.name());
}

void StampDialog::updatePreviewNow()
{
    m_pause->stop();
    // The copy keeps one step at most: the stamp as last chosen.
    if (m_copy->canUndo())
        m_copy->undo();
    try {
        const StampStyle chosen = style();
        if (m_kind == StampKind::Watermark)
            m_copy->addWatermark({0}, m_text->text(), chosen);
        else
            m_copy->addHeaderFooter({0}, previewLine(), m_firstNumber->value(), chosen);
    } catch (const DocumentError&) {
        // a choice not complete yet (no text, a missing image) shows the page as it is
    }
    requestPreview();
}

QString StampDialog::previewLine() const
{
    // The copy, one page of no file, would number its page 1 of 1 and name itself.
    QVector<int> pages{m_page};
    try {
        pages = PageRange::parse(m_pages->range(), m_document->pageCount());
    } catch (const PageRangeError&) {
        // the box shows what is wrong; the preview keeps the current page's number
    }
    return m_document->headerFooterLine(pages, m_page, m_text->text(), m_firstNumber->value());
}

void StampDialog::requestPreview()
{
    const double scale = m_preview->pixelsPerPoint();
    if (scale > 0)
        m_renderer->request(0, scale, 1);
}

void StampDialog::updateOk()
{
    const bool hasImage = m_image && !m_image->text().trimmed().isEmpty();
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled((hasImage || !m_text->text().trimmed().isEmpty()) && m_pages->problem().isEmpty());
}

} // namespace pxv
