// The page view's context menus: for a comment, for selected text, and for pasting a comment.
#include "pageview.h"

#include "core/document.h"
#include "icons.h"
#include "nametable.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace pxv {

void PageView::contextMenuEvent(QContextMenuEvent* event)
{
    const QPair<int, QPointF> at = pagePoint(event->pos());
    const AnnotationRef hit = m_tool == CommentTool::Select && at.first >= 0 ? annotationAt(at.first, at.second)
                                                                             : AnnotationRef();
    if (hit.page < 0 && !m_selector.isEmpty()) {
        showSelectionMenu(event->globalPos());
        return;
    }
    if (hit.page < 0 && at.first >= 0 && canPaste()) {
        QMenu menu(this);
        menu.addAction(QIcon::fromTheme(QStringLiteral("edit-paste")), tr("&Paste"), this,
                       [this, pos = event->pos()] { paste(pos); });
        menu.exec(event->globalPos());
        return;
    }
    if (hit.page < 0) {
        QAbstractScrollArea::contextMenuEvent(event);
        return;
    }
    selectAnnotation(hit.page, hit.id);
    const std::optional<Annotation> selected = selectedAnnotationValue();
    if (!selected)
        return;
    QMenu menu(this);
    if (selected->type == AnnotationType::FreeText || selected->type == AnnotationType::Text)
        menu.addAction(tr("Edit Text"), this, [this, hit, value = *selected] { editText(hit.page, value); });
    QMenu* colors = menu.addMenu(tr("Colour"));
    for (const auto& [name, color] : commentColors()) {
        QPixmap swatch(14, 14);
        swatch.fill(color);
        QAction* choice = colors->addAction(QIcon(swatch), name, this, [this, hit, value = *selected, color = color] {
            Annotation changed = value;
            changed.color = color;
            edit([&] { m_document->changeAnnotation(hit.page, changed); });
        });
        choice->setCheckable(true);
        choice->setChecked(selected->color == color);
    }
    menu.addSeparator();
    menu.addAction(QIcon::fromTheme(QStringLiteral("edit-cut")), tr("Cu&t"), this, &PageView::cut)
        ->setShortcut(QKeySequence::Cut);
    menu.addAction(QIcon::fromTheme(QStringLiteral("edit-copy")), tr("&Copy"), this, &PageView::copy)
        ->setShortcut(QKeySequence::Copy);
    menu.addAction(QIcon::fromTheme(QStringLiteral("edit-delete")), tr("&Delete"), this,
                   &PageView::deleteSelectedAnnotation)
        ->setShortcut(QKeySequence::Delete);
    menu.exec(event->globalPos());
}

void PageView::showSelectionMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QIcon::fromTheme(QStringLiteral("edit-copy")), tr("&Copy"), this,
                                   &PageView::copySelection);
    copy->setShortcut(QKeySequence::Copy);
    menu.addSeparator();
    for (const auto& [tool, command, text] : std::initializer_list<std::tuple<CommentTool, QString, QString>>{
             {CommentTool::Highlight, names::kToolHighlight, tr("&Highlight")},
             {CommentTool::Underline, names::kToolUnderline, tr("&Underline")},
             {CommentTool::StrikeOut, names::kToolStrikeOut, tr("Stri&keout")}})
        menu.addAction(icons::commentTool(command), text, this, [this, tool = tool] { markSelection(tool); });
    menu.exec(globalPos);
}

} // namespace pxv
