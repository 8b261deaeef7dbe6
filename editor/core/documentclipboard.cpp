// Comments copied and pasted, within a document or between two.

#include "document_p.h"

#include "mupdf/muerror.h"

#include <algorithm>
#include <cmath>

namespace pxv {

namespace {

// A copy pasted beside its original moves this far right and down (points), so that both show.
constexpr double kPasteStep = 12.0;

bool samePlace(const QRectF& a, const QRectF& b)
{
    constexpr double kTolerance = 0.5;
    return std::abs(a.left() - b.left()) < kTolerance && std::abs(a.top() - b.top()) < kTolerance
           && std::abs(a.right() - b.right()) < kTolerance && std::abs(a.bottom() - b.bottom()) < kTolerance;
}

// How far the pasted comment moves from where the copy put it, on a page of size with others on it.
QPointF pasteOffset(const Annotation& pasted, const QList<Annotation>& others, const QSizeF& size,
                    std::optional<QPointF> centre)
{
    QPointF offset = centre ? *centre - pasted.rect.center() : QPointF();
    const auto coversOne = [&](const QPointF& shift) {
        return std::any_of(others.cbegin(), others.cend(), [&](const Annotation& other) {
            return other.id != pasted.id && other.type == pasted.type
                   && samePlace(other.rect, pasted.rect.translated(shift));
        });
    };
    for (int tries = 0; !centre && tries <= others.size() && coversOne(offset); ++tries)
        offset += QPointF(kPasteStep, kPasteStep);
    // Inside the page; its top left corner stays on it when it is larger than the page.
    QRectF moved = pasted.rect.translated(offset);
    const QPointF overRightBottom(std::max(0.0, moved.right() - size.width()),
                                  std::max(0.0, moved.bottom() - size.height()));
    moved.translate(-overRightBottom);
    offset += QPointF(std::max(0.0, -moved.left()), std::max(0.0, -moved.top())) - overRightBottom;
    return offset;
}

} // namespace

QByteArray Document::copyAnnotation(int page, int id) const
{
    if (d->locked || page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, tr("Page %1 does not exist.").arg(page + 1));
    try {
        return d->mu->annotationCopy(page, id);
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("The comment could not be copied: %1").arg(QString::fromUtf8(error.what())));
    }
}

int Document::pasteAnnotation(int page, const QByteArray& copy, std::optional<QPointF> centre)
{
    if (page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, tr("Page %1 does not exist.").arg(page + 1));
    int id = 0;
    runStep(tr("Paste Comment"), StepKind::Content, [&] {
        id = d->mu->pasteAnnotation(page, copy);
        const QList<Annotation> onPage = d->mu->annotations(page);
        const auto pasted = std::find_if(onPage.cbegin(), onPage.cend(),
                                         [id](const Annotation& a) { return a.id == id; });
        if (pasted == onPage.cend())
            return;
        const QPointF offset = pasteOffset(*pasted, onPage, pageSize(page), centre);
        if (!offset.isNull())
            d->mu->translateAnnotation(page, id, offset);
    });
    return id;
}

} // namespace pxv
