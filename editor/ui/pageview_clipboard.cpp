// The page view's clipboard: selected text copied, comments cut, copied and pasted, pictures
// pasted as stamps.
#include "pageview.h"

#include "core/document.h"

#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryFile>

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
    return m_document && data && (data->hasFormat(kCommentFormat) || data->hasImage());
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
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    // At the given point of a page; else a comment where it was on the page in view, and a
    // picture amid the view.
    const QPair<int, QPointF> point = at ? pagePoint(*at) : QPair<int, QPointF>(-1, QPointF());
    int page = point.first >= 0 ? point.first : m_currentPage;
    std::optional<QPointF> centre = point.first >= 0 ? std::optional<QPointF>(point.second) : std::nullopt;
    int id = 0;
    bool pasted = false;
    if (data->hasFormat(kCommentFormat)) {
        const QByteArray copied = data->data(kCommentFormat);
        pasted = edit([&] { id = m_document->pasteAnnotation(page, copied, centre); });
    } else {
        if (!centre) {
            const QPair<int, QPointF> middle = pagePoint(viewport()->rect().center());
            page = middle.first >= 0 ? middle.first : m_currentPage;
            centre = middle.first >= 0 ? middle.second : QPointF();
        }
        pasted = edit([&] { id = pastePicture(qvariant_cast<QImage>(data->imageData()), page, *centre); });
    }
    if (pasted) {
        setTool(CommentTool::Select);
        selectAnnotation(page, id);
    }
}

int PageView::pastePicture(const QImage& picture, int page, const QPointF& centre)
{
    // The stamp reads its picture from a file.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/pasted-XXXXXX.png"));
    if (picture.isNull() || !file.open() || !picture.save(&file, "PNG") || !file.flush())
        throw DocumentError(DocumentError::Failed, tr("The picture on the clipboard could not be read."));
    // At the screen's usual 96 dots an inch, and no larger than half the page.
    const QSizeF pageSize = m_document->pageSize(page);
    QSizeF size = QSizeF(picture.size()) * (72.0 / 96.0);
    if (size.width() > pageSize.width() / 2 || size.height() > pageSize.height() / 2)
        size.scale(pageSize / 2, Qt::KeepAspectRatio);
    Annotation stamp;
    stamp.type = AnnotationType::Stamp;
    stamp.rect = QRectF(centre - QPointF(size.width(), size.height()) / 2, size);
    stamp.imageFile = file.fileName();
    return m_document->addAnnotation(page, stamp);
}

void PageView::pasteAtPointer()
{
    const QPoint pointer = viewport()->mapFromGlobal(QCursor::pos());
    paste(viewport()->rect().contains(pointer) ? std::optional<QPoint>(pointer) : std::nullopt);
}

} // namespace pxv
