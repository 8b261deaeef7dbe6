// Page operations: delete, insert, replace and extract pages, each one step of the history.

#include "document_p.h"

#include "core/pagerange.h"
#include "mupdf/muerror.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <numeric>

namespace pxv {

namespace {

void checkPosition(int position, int count)
{
    if (position < 0 || position > count)
        throw DocumentError(DocumentError::Failed,
                            Document::tr("Pages can be inserted before pages 1 to %1 or after the last "
                                         "page, not at page %2.")
                                .arg(count)
                                .arg(position + 1));
}

void checkPageSize(const QSizeF& size)
{
    if (!Document::isPageSizeAllowed(size))
        throw DocumentError(DocumentError::Failed,
                            Document::tr("A page of %1 × %2 points cannot be made: pages are 1 to 14400 "
                                         "points wide and high.")
                                .arg(size.width())
                                .arg(size.height()));
}

} // namespace

bool Document::isPageSizeAllowed(const QSizeF& size)
{
    return size.width() >= 1 && size.height() >= 1 && size.width() <= 14400 && size.height() <= 14400;
}

QVector<int> Document::Private::sortedPages(const QVector<int>& pages) const
{
    QVector<int> sorted = pages;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (int page : sorted) {
        if (page < 0 || page >= count)
            throw DocumentError(DocumentError::Failed, Document::tr("Page %1 does not exist.").arg(page + 1));
    }
    return sorted;
}

void Document::deletePages(const QVector<int>& pages)
{
    const QVector<int> sorted = d->sortedPages(pages);
    if (sorted.isEmpty())
        return;
    if (sorted.size() == pageCount())
        throw DocumentError(DocumentError::Failed,
                            tr("All pages cannot be deleted: a document keeps at least one page."));
    runStep(sorted.size() == 1 ? tr("Delete Page") : tr("Delete Pages"), StepKind::Structure,
            [&] { d->mu->deletePages(sorted); });
}

void Document::insertBlankPages(int position, int count, const QSizeF& size)
{
    checkPosition(position, pageCount());
    if (count < 1 || count > 10000)
        throw DocumentError(DocumentError::Failed,
                            tr("%1 is not a number of pages to insert (1 to 10000).").arg(count));
    checkPageSize(size);
    runStep(count == 1 ? tr("Insert Blank Page") : tr("Insert Blank Pages"), StepKind::Structure,
            [&] { d->mu->insertBlankPages(position, count, size); });
}

void Document::insertPages(const QString& path, const QString& range, int position, const PasswordProvider& passwords)
{
    checkPosition(position, pageCount());
    const QString clean = cleanAbsolute(path);
    const auto source = openSourceFile(*d->mu, clean, passwords, tr("Inserting pages was cancelled."));
    const QVector<int> chosen = PageRange::parse(range, source->pageCount());
    runStep(chosen.size() == 1 ? tr("Insert Page") : tr("Insert Pages"), StepKind::Structure,
            [&] { d->mu->insertPagesOf(*source, chosen, position); });
}

void Document::insertPagesOf(const Document& source, const QVector<int>& pages, int position)
{
    checkPosition(position, pageCount());
    if (source.d->locked)
        throw DocumentError(DocumentError::Failed, tr("The document is still locked by its password."));
    const QVector<int> sorted = source.d->sortedPages(pages);
    if (sorted.isEmpty())
        return;
    // MuPDF objects never go from one context to another, and each document has its own: the
    // pages travel as a PDF of their own, as the source shows them now, unsaved edits included.
    std::unique_ptr<mu::MuDocument> carried;
    try {
        const auto carrier = source.d->mu->createSibling();
        carrier->insertPagesOf(*source.d->mu, sorted, 0);
        carried = d->mu->openSiblingBytes(carrier->toBytes());
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("The pages could not be copied: %1").arg(QString::fromUtf8(error.what())));
    }
    QVector<int> all(sorted.size());
    std::iota(all.begin(), all.end(), 0);
    runStep(all.size() == 1 ? tr("Insert Page") : tr("Insert Pages"), StepKind::Structure,
            [&] { d->mu->insertPagesOf(*carried, all, position); });
}

void Document::replacePages(const QVector<int>& pages, const QString& path, const QString& range,
                            const PasswordProvider& passwords)
{
    const QVector<int> sorted = d->sortedPages(pages);
    if (sorted.isEmpty())
        return;
    const QString clean = cleanAbsolute(path);
    const auto source = openSourceFile(*d->mu, clean, passwords, tr("Replacing pages was cancelled."));
    const QVector<int> chosen = PageRange::parse(range, source->pageCount());
    runStep(sorted.size() == 1 ? tr("Replace Page") : tr("Replace Pages"), StepKind::Structure, [&] {
        // The new pages go in first, so that the document never lacks a page on the way.
        d->mu->insertPagesOf(*source, chosen, sorted.first());
        QVector<int> shifted = sorted;
        for (int& page : shifted)
            page += chosen.size();
        d->mu->deletePages(shifted);
    });
}

void Document::cropPages(const QVector<int>& pages, const QMarginsF& margins)
{
    const QVector<int> sorted = d->sortedPages(pages);
    if (margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0)
        throw DocumentError(DocumentError::Failed, tr("Margins to crop cannot be negative."));
    if (sorted.isEmpty())
        return;
    runStep(sorted.size() == 1 ? tr("Crop Page") : tr("Crop Pages"), StepKind::Content, [&] {
        for (int page : sorted)
            d->mu->cropPage(page, margins);
    });
}

void Document::resizePages(const QVector<int>& pages, const QSizeF& size, Orientation orientation)
{
    checkPageSize(size);
    resizeEach(d->sortedPages(pages), [&](int page) {
        const QSizeF now = pageSize(page);
        const bool landscape = orientation == Orientation::AsPage ? now.width() > now.height()
                                                                  : orientation == Orientation::Landscape;
        return landscape == (size.width() > size.height()) || size.width() == size.height() ? size : size.transposed();
    });
}

void Document::scalePages(const QVector<int>& pages, double factor)
{
    if (!(factor >= 0.1 && factor <= 10))
        throw DocumentError(DocumentError::Failed, tr("Pages can be scaled by 0.1 to 10, not by %1.").arg(factor));
    resizeEach(d->sortedPages(pages), [&](int page) { return pageSize(page) * factor; });
}

void Document::resizeEach(const QVector<int>& pages, const std::function<QSizeF(int page)>& shownSize)
{
    // Every size is checked before the step, so that a bad one changes nothing.
    QVector<QSizeF> sizes;
    for (int page : pages) {
        sizes.append(shownSize(page));
        checkPageSize(sizes.last());
    }
    if (pages.isEmpty())
        return;
    runStep(pages.size() == 1 ? tr("Resize Page") : tr("Resize Pages"), StepKind::Content,
            [&] { d->mu->resizePages(pages, sizes); });
}

QMarginsF Document::cropMargins(int page) const
{
    if (page < 0 || page >= pageCount())
        return QMarginsF();
    try {
        return d->mu->cropMargins(page);
    } catch (const MuError&) {
        return QMarginsF();
    }
}

std::unique_ptr<mu::MuDocument> Document::Private::extracted(const QVector<int>& sorted) const
{
    if (sorted.isEmpty())
        throw DocumentError(DocumentError::Failed, Document::tr("There are no pages to extract."));
    try {
        std::unique_ptr<mu::MuDocument> extract = mu->createSibling();
        extract->insertPagesOf(*mu, sorted, 0, {true, QString()});
        return extract;
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            Document::tr("The pages could not be extracted: %1").arg(QString::fromUtf8(error.what())));
    }
}

std::unique_ptr<Document> Document::extractPages(const QVector<int>& pages) const
{
    std::unique_ptr<Document> extract(new Document);
    extract->d->mu = d->extracted(d->sortedPages(pages));
    extract->d->neverSaved = true;
    extract->d->resetPages();
    extract->d->startNewBase();
    return extract;
}

} // namespace pxv
