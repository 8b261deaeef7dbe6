#pragma once

#include "ui/layer.h"

#include "core/commentstyles.h"

class QPainter;
class QRectF;

namespace pxv {

// Draws a small comment of kind in style within area, as the page would show it: a line of
// text marked, a note, a text box's letters, a stroke or a shape.
void paintCommentSample(QPainter& painter, const QRectF& area, CommentKind kind, const CommentStyle& style);

} // namespace pxv
