#pragma once

#include "ui/layer.h"

// Pages dragged out of a thumbnails pane, as drag-and-drop data that another pane of the same
// program can take: which document they come from and which pages.

#include <QVector>

#include <optional>

class QMimeData;

namespace pxv {

class Document;

struct DraggedPages
{
    // Only an identity to look up among the open documents: the document may be gone by the
    // time of the drop, so it is never used without being found there first.
    const Document* source = nullptr;
    QVector<int> pages; // 0-based
};

QMimeData* pagesMimeData(const DraggedPages& pages);
// The pages a drag carries; nothing when it carries none, or comes from another process.
std::optional<DraggedPages> draggedPages(const QMimeData* data);

} // namespace pxv
