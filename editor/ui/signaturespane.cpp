#include "signaturespane.h"

#include "pageview.h"

#include "core/document.h"
#include "panerefresh.h"

#include <QHeaderView>

namespace pxv {

namespace {

enum Role { PageRole = Qt::UserRole, AreaRole };

} // namespace

SignaturesPane::SignaturesPane(Document* document, PageView* pages, QWidget* parent)
    : QTreeWidget(parent), m_document(document), m_pages(pages)
{
    setObjectName(QStringLiteral("signaturesView"));
    setColumnCount(3);
    setHeaderLabels({tr("Signature"), tr("Page"), tr("State")});
    setRootIsDecorated(false);
    header()->setStretchLastSection(true);
    refreshWhileShown(this, document, [this] { refresh(); });
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (m_pages)
            m_pages->showArea(item->data(0, PageRole).toInt(), item->data(0, AreaRole).toRectF());
    });
}

void SignaturesPane::refresh()
{
    clear();
    if (!m_document)
        return;
    QList<int> pages;
    for (const auto& [page, id] : m_document->fieldOrder()) {
        if (!pages.contains(page))
            pages.append(page);
    }
    for (int page : pages) {
        for (const FormField& field : m_document->formFields(page)) {
            if (field.type != FieldType::Signature)
                continue;
            auto* item = new QTreeWidgetItem(
                this, {field.name, QString::number(page + 1), field.isSigned ? tr("Signed") : tr("Not signed")});
            item->setData(0, PageRole, page);
            item->setData(0, AreaRole, field.rect);
            item->setToolTip(0, field.tooltip.isEmpty() ? field.name : field.tooltip);
        }
    }
    if (topLevelItemCount() == 0) {
        auto* none = new QTreeWidgetItem(this, {tr("The document has no signature fields.")});
        none->setFlags(Qt::NoItemFlags);
        none->setFirstColumnSpanned(true);
    }
}

void SignaturesPane::showEvent(QShowEvent* event)
{
    QTreeWidget::showEvent(event);
    refresh();
}

} // namespace pxv
