#include "layerspane.h"

#include "core/document.h"
#include "panerefresh.h"

namespace pxv {

namespace {
constexpr int kObjectRole = Qt::UserRole;
}

LayersPane::LayersPane(Document* document, QWidget* parent) : QTreeWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("layersView"));
    setHeaderLabel(tr("Layers"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTreeWidget::itemChanged, this, &LayersPane::onItemChanged);
    // An edit may add or take away a group (a watermark has one of its own).
    refreshWhileShown(this, document, [this] { refresh(); });
}

void LayersPane::refresh()
{
    m_filling = true;
    clear();
    if (m_document) {
        for (const ContentGroup& group : m_document->contentGroups()) {
            auto* item = new QTreeWidgetItem(this);
            item->setText(0, group.name.isEmpty() ? tr("(unnamed layer)") : group.name);
            item->setData(0, kObjectRole, group.object);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(0, m_document->isGroupShown(group.object) ? Qt::Checked : Qt::Unchecked);
        }
        if (topLevelItemCount() == 0) {
            auto* none = new QTreeWidgetItem(this);
            none->setText(0, tr("The document has no layers."));
            none->setFlags(Qt::NoItemFlags);
        }
    }
    m_filling = false;
}

void LayersPane::onItemChanged(QTreeWidgetItem* item)
{
    if (m_filling || !m_document)
        return;
    m_document->setGroupShown(item->data(0, kObjectRole).toInt(), item->checkState(0) == Qt::Checked);
}

void LayersPane::showEvent(QShowEvent* event)
{
    refresh();
    QTreeWidget::showEvent(event);
}

} // namespace pxv
