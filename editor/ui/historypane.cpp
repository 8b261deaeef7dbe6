#include "historypane.h"

#include "core/document.h"

#include <QPalette>

namespace pxv {

HistoryPane::HistoryPane(Document* document, QWidget* parent) : QListWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("historyPane"));
    setAccessibleName(tr("Undo history"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(document, &Document::historyChanged, this, &HistoryPane::onHistoryChanged);
    connect(this, &QListWidget::itemClicked, this, &HistoryPane::onRowClicked);
    onHistoryChanged();
}

void HistoryPane::onHistoryChanged()
{
    if (!m_document)
        return;
    const QStringList steps = m_document->historySteps();
    const int position = m_document->historyPosition();
    clear();
    addItem(m_document->filePath().isNull() ? tr("New document") : tr("Opened"));
    for (const QString& step : steps)
        addItem(step);
    const QColor undone = palette().color(QPalette::Disabled, QPalette::Text);
    for (int row = position + 1; row < count(); ++row)
        item(row)->setForeground(undone);
    setCurrentRow(position);
    scrollToItem(item(position));
}

void HistoryPane::onRowClicked(QListWidgetItem* clicked)
{
    if (!m_document)
        return;
    try {
        m_document->setHistoryPosition(row(clicked));
    } catch (const DocumentError&) {
        // The steps that could be taken are taken; the list shows where the document stands.
    }
    onHistoryChanged();
}

} // namespace pxv
