// The page view's clipboard: selected text copied, comments cut, copied and pasted.
#include "pageview.h"

#include "core/document.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>

namespace pxv {

namespace {

// A comment on the clipboard: a small PDF holding it with its look (Document::copyAnnotation).
const QString kCommentFormat = QStringLiteral("application/x-vellumpad-comment");

} // namespace

void PageView::copySelection()
{
    if (!m_selector.isEmpty())
        QGuiApplication::clipboard()->setText(m_selector.text());
}

bool PageView::canCopy() const
{
    return m_selectedAnnot.page >= 0 || !m_selector.isEmpty();
}

bool PageView::canPaste() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return m_document && data && data->hasFormat(kCommentFormat);
}

void PageView::copy()
{
    const std::optional<Annotation> selected = selectedAnnotationValue();
    if (!selected) {
        copySelection();
        return;
    }
    QByteArray copied;
    if (!edit([&] { copied = m_document->copyAnnotation(m_selectedAnnot.page, selected->id); }))
        return;
    auto* data = new QMimeData;
    data->setData(kCommentFormat, copied);
    // Other programs get what the comment says.
    if (!selected->contents.isEmpty())
        data->setText(selected->contents);
    QGuiApplication::clipboard()->setMimeData(data);
}

void PageView::cut()
{
    if (m_selectedAnnot.page < 0)
        return;
    copy();
    deleteSelectedAnnotation();
}

void PageView::paste(std::optional<QPoint> at)
{
    if (!canPaste())
        return;
    const QByteArray copied = QGuiApplication::clipboard()->mimeData()->data(kCommentFormat);
    // At the given point of a page, else where the comment was, on the page in view.
    const QPair<int, QPointF> point = at ? pagePoint(*at) : QPair<int, QPointF>(-1, QPointF());
    const int page = point.first >= 0 ? point.first : m_currentPage;
    const std::optional<QPointF> centre = point.first >= 0 ? std::optional<QPointF>(point.second) : std::nullopt;
    int id = 0;
    if (edit([&] { id = m_document->pasteAnnotation(page, copied, centre); })) {
        setTool(CommentTool::Select);
        selectAnnotation(page, id);
    }
}

void PageView::pasteAtPointer()
{
    const QPoint pointer = viewport()->mapFromGlobal(QCursor::pos());
    paste(viewport()->rect().contains(pointer) ? std::optional<QPoint>(pointer) : std::nullopt);
}

} // namespace pxv
