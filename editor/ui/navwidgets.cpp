#include "navwidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

namespace pxv {

PageBox::PageBox(QWidget* parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setAlignment(Qt::AlignRight);
    m_edit->setFixedWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    m_edit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_edit->setToolTip(tr("Page number: type a page and press Enter"));
    m_total = new QLabel(this);
    // Digits only, in any range: a number past the last page must still reach Enter, which a
    // range would hold back as unfinished.
    m_validator = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,7}")), this);

    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(m_edit);
    layout->addWidget(m_total);

    connect(m_edit, &QLineEdit::returnPressed, this, &PageBox::onEditingFinished);
    refresh();
}

void PageBox::setPage(int page, int count)
{
    m_page = page;
    m_count = count;
    refresh();
}

void PageBox::setNoValueText(const QString& text)
{
    m_noValueText = text;
    refresh();
}

QString PageBox::text() const
{
    return m_edit->text() + QLatin1Char(' ') + m_total->text();
}

void PageBox::refresh()
{
    const bool hasPages = m_count > 0;
    m_edit->setEnabled(hasPages);
    if (!hasPages) {
        m_edit->setValidator(nullptr);
        m_edit->setText(m_noValueText);
        m_total->setText(QStringLiteral("/ %1").arg(m_noValueText));
        return;
    }
    m_edit->setValidator(m_validator);
    m_edit->setText(QString::number(m_page + 1));
    m_total->setText(QStringLiteral("/ %1").arg(m_count));
}

void PageBox::onEditingFinished()
{
    bool ok = false;
    const int page = m_edit->text().toInt(&ok);
    // A number past the end goes to the last page; nothing usable puts back the current one.
    if (ok && page >= 1 && m_count > 0)
        emit signal_pageRequested(std::min(page, m_count) - 1);
    refresh();
}

ZoomBox::ZoomBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setToolTip(tr("Zoom"));
    addItem(tr("Fit Width"), QVariant::fromValue(int(Fit::Width)));
    addItem(tr("Fit Page"), QVariant::fromValue(int(Fit::Page)));
    for (int percent : {25, 50, 75, 100, 125, 150, 200, 300, 400, 800})
        addItem(QStringLiteral("%1 %").arg(percent), percent / 100.0);
    setMinimumContentsLength(8);
    connect(this, QOverload<int>::of(&QComboBox::activated), this, &ZoomBox::onActivated);
    connect(lineEdit(), &QLineEdit::returnPressed, this, &ZoomBox::onTextEntered);
}

void ZoomBox::setZoom(Fit fit, double zoom)
{
    m_fit = fit;
    m_zoom = zoom;
    m_updating = true;
    if (fit == Fit::Width)
        setCurrentIndex(0);
    else if (fit == Fit::Page)
        setCurrentIndex(1);
    else
        setEditText(QStringLiteral("%1 %").arg(std::lround(zoom * 100)));
    m_updating = false;
}

void ZoomBox::onActivated(int index)
{
    if (m_updating)
        return;
    const QVariant data = itemData(index);
    if (index < 2)
        emit signal_fitRequested(Fit(data.toInt()));
    else
        emit signal_zoomRequested(data.toDouble());
}

void ZoomBox::onTextEntered()
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d+(?:[.,]\\d+)?)\\s*%?\\s*$"));
    const QRegularExpressionMatch match = number.match(currentText());
    if (match.hasMatch())
        emit signal_zoomRequested(match.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble() / 100.0);
    // Shows the zoom as it now is: kept within its limits, or as it was for text that is no number.
    setZoom(m_fit, m_zoom);
}

} // namespace pxv
