#include "mudocument_p.h"
#include "mutrim.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>

namespace pxv::mu {

namespace {

std::unique_ptr<MuDocument::Impl> newImpl(ContextPtr context)
{
    auto impl = std::make_unique<MuDocument::Impl>();
    impl->context = std::move(context);
    return impl;
}

// An encrypted document's page tree can only be read, and so mended, after authentication.
void mendUnlocked(MuDocument::Impl& impl)
{
    int locked = 0;
    guarded(impl.ctx(), [&] { locked = pdf_needs_password(impl.ctx(), impl.pdf()); });
    if (!locked)
        impl.mendIfSuspect();
}

// The file at path opened in context.
std::unique_ptr<MuDocument::Impl> openedFile(ContextPtr context, const QString& path)
{
    auto impl = newImpl(std::move(context));
    const QByteArray name = QFile::encodeName(path);
    fz_context* ctx = impl->ctx();
    pdf_document* doc = nullptr;
    guarded(ctx, [&] { doc = pdf_open_document(ctx, name.constData()); });
    impl->doc = PdfDocumentHandle(ctx, doc);
    impl->baseStartXref = doc->startxref;
    impl->baseIsFile = true;
    mendUnlocked(*impl);
    return impl;
}

// A PDF held in memory opened in context.
std::unique_ptr<MuDocument::Impl> openedBytes(ContextPtr context, const QByteArray& bytes)
{
    auto impl = newImpl(std::move(context));
    impl->fileBytes = bytes; // shared, not copied: nothing writes to it
    fz_context* ctx = impl->ctx();
    pdf_document* doc = nullptr;
    guarded(ctx, [&] {
        fz_buffer* buffer = fz_new_buffer_from_shared_data(
            ctx, reinterpret_cast<const unsigned char*>(impl->fileBytes.constData()), size_t(impl->fileBytes.size()));
        fz_stream* stream = nullptr;
        fz_var(stream);
        fz_try(ctx)
        {
            stream = fz_open_buffer(ctx, buffer);
            doc = pdf_open_document_with_stream(ctx, stream);
        }
        fz_always(ctx)
        {
            fz_drop_stream(ctx, stream);
            fz_drop_buffer(ctx, buffer);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    impl->doc = PdfDocumentHandle(ctx, doc);
    mendUnlocked(*impl);
    return impl;
}

QString fromUtf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

void MuDocument::Impl::dropParsedObjects()
{
    fz_context* ctx = this->ctx();
    if (treeMended || pdf_has_unsaved_changes(ctx, pdf()))
        return;
    pdf_clear_xref(ctx, pdf());
    pagesReadSinceObjectsDropped = 0;
}

void MuDocument::Impl::notePagesRead(int pages)
{
    pagesReadSinceObjectsDropped += pages;
    if (pagesReadSinceObjectsDropped >= kPagesReadBetweenObjectDrops)
        dropParsedObjects();
}

void MuDocument::Impl::checkPage(int page) const
{
    int count = 0;
    guarded(ctx(), [&] { count = pdf_count_pages(ctx(), pdf()); });
    if (page < 0 || page >= std::min(count, kMaxPages))
        throw MuError(FZ_ERROR_GENERIC, "page " + std::to_string(page + 1) + " does not exist");
}

MuDocument::MuDocument(std::unique_ptr<Impl> impl) : d(std::move(impl))
{
}

MuDocument::~MuDocument()
{
    d.reset();
    // A closed document's memory goes back to the system instead of staying with the
    // allocator's pool of the thread that happened to close it.
    trimFreedMemory();
}

std::unique_ptr<MuDocument> MuDocument::openFile(const QString& path, size_t storeBytes)
{
    return std::unique_ptr<MuDocument>(new MuDocument(openedFile(std::make_shared<Context>(storeBytes), path)));
}

std::unique_ptr<MuDocument> MuDocument::openBytes(const QByteArray& bytes, size_t storeBytes)
{
    return std::unique_ptr<MuDocument>(new MuDocument(openedBytes(std::make_shared<Context>(storeBytes), bytes)));
}

std::unique_ptr<MuDocument> MuDocument::createEmpty()
{
    auto impl = newImpl(std::make_shared<Context>(kModelStoreBytes));
    fz_context* ctx = impl->ctx();
    pdf_document* doc = nullptr;
    guarded(ctx, [&] { doc = pdf_create_document(ctx); });
    impl->doc = PdfDocumentHandle(ctx, doc);
    return std::unique_ptr<MuDocument>(new MuDocument(std::move(impl)));
}

std::unique_ptr<MuDocument> MuDocument::openSibling(const QString& path)
{
    return std::unique_ptr<MuDocument>(new MuDocument(openedFile(d->context, path)));
}

std::unique_ptr<MuDocument> MuDocument::openSiblingBytes(const QByteArray& bytes)
{
    return std::unique_ptr<MuDocument>(new MuDocument(openedBytes(d->context, bytes)));
}

std::unique_ptr<MuDocument> MuDocument::createSibling()
{
    auto impl = newImpl(d->context);
    fz_context* ctx = impl->ctx();
    pdf_document* doc = nullptr;
    guarded(ctx, [&] { doc = pdf_create_document(ctx); });
    impl->doc = PdfDocumentHandle(ctx, doc);
    return std::unique_ptr<MuDocument>(new MuDocument(std::move(impl)));
}

bool MuDocument::needsPassword() const
{
    int needs = 0;
    guarded(d->ctx(), [&] { needs = pdf_needs_password(d->ctx(), d->pdf()); });
    return needs != 0;
}

bool MuDocument::authenticate(const QByteArray& password)
{
    int ok = 0;
    guarded(d->ctx(), [&] { ok = pdf_authenticate_password(d->ctx(), d->pdf(), password.constData()); });
    if (ok) {
        d->password = password;
        d->mendIfSuspect();
    }
    return ok != 0;
}

bool MuDocument::isPermissionsPassword(const QByteArray& candidate, const QByteArray& accepted)
{
    fz_context* ctx = d->ctx();
    int result = 0;
    guarded(ctx, [&] {
        if (!d->pdf()->crypt) {
            result = 4;
        } else {
            // Bit 2: the owner password; bit 1: the user password, after which MuPDF restores
            // its keys itself.
            result = pdf_authenticate_password(ctx, d->pdf(), candidate.constData());
            if (!(result & 6))
                pdf_authenticate_password(ctx, d->pdf(), accepted.constData());
        }
    });
    return (result & 4) != 0;
}

bool MuDocument::wasRepaired() const
{
    int repaired = 0;
    guarded(d->ctx(), [&] { repaired = pdf_was_repaired(d->ctx(), d->pdf()); });
    return repaired != 0;
}

int MuDocument::pageCount() const
{
    int count = 0;
    guarded(d->ctx(), [&] { count = pdf_count_pages(d->ctx(), d->pdf()); });
    return std::min(count, kMaxPages);
}

int quarterTurns(fz_context* ctx, pdf_obj* page)
{
    return ((pdf_to_int(ctx, pdf_dict_get_inheritable(ctx, page, PDF_NAME(Rotate))) % 360 + 405) % 360) / 90;
}

QRectF objectBounds(fz_context* ctx, pdf_obj* page)
{
    fz_rect bounds{};
    guarded(ctx, [&] {
        fz_rect mediabox;
        fz_matrix ctm;
        pdf_page_obj_transform(ctx, page, &mediabox, &ctm);
        bounds = fz_transform_rect(mediabox, ctm);
    });
    return QRectF(bounds.x0, bounds.y0, bounds.x1 - bounds.x0, bounds.y1 - bounds.y0);
}

QRectF MuDocument::pageBounds(int page) const
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    pdf_obj* object = nullptr;
    guarded(ctx, [&] { object = pdf_lookup_page_obj(ctx, d->pdf(), page); });
    return objectBounds(ctx, object);
}

void MuDocument::mendPageTree()
{
    d->mendPageTree();
}

bool MuDocument::pageTreeMended() const
{
    return d->treeMended;
}

QString MuDocument::metadataTitle() const
{
    char buffer[512] = {0};
    guarded(d->ctx(),
            [&] { fz_lookup_metadata(d->ctx(), &d->pdf()->super, FZ_META_INFO_TITLE, buffer, sizeof buffer); });
    return QString::fromUtf8(buffer).simplified();
}

bool MuDocument::hasOutline() const
{
    int has = 0;
    fz_context* ctx = d->ctx();
    guarded(ctx,
            [&] { has = pdf_is_dict(ctx, pdf_dict_getp(ctx, pdf_trailer(ctx, d->pdf()), "Root/Outlines/First")); });
    return has != 0;
}

QList<PageLink> MuDocument::links(int page) const
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    fz_document* doc = &d->pdf()->super;
    fz_page* fzPage = nullptr;
    guarded(ctx, [&] { fzPage = fz_load_page(ctx, doc, page); });
    PageHandle pageOwner(ctx, fzPage);
    fz_link* first = nullptr;
    guarded(ctx, [&] { first = fz_load_links(ctx, fzPage); });
    LinkHandle linkOwner(ctx, first);

    QList<PageLink> result;
    for (fz_link* link = first; link; link = link->next) {
        if (!link->uri)
            continue;
        PageLink item;
        item.area = QRectF(link->rect.x0, link->rect.y0, link->rect.x1 - link->rect.x0, link->rect.y1 - link->rect.y0);
        item.uri = fromUtf8(link->uri);
        if (!fz_is_external_link(ctx, link->uri)) {
            int number = -1;
            float x = 0, y = 0;
            guarded(ctx, [&] {
                fz_location location = fz_resolve_link(ctx, doc, link->uri, &x, &y);
                number = fz_page_number_from_location(ctx, doc, location);
            });
            if (number < 0)
                continue; // a dead internal link: nothing to follow
            item.targetPage = number;
            item.targetPosition = QPointF(std::isnan(x) ? 0 : x, std::isnan(y) ? 0 : y);
        }
        result.append(item);
    }
    return result;
}

int MuDocument::rotatePage(int page, int degrees)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    int rotated = 0;
    guarded(ctx, [&] {
        pdf_obj* object = lookupPageObject(ctx, d->pdf(), page);
        const int current = pdf_to_int(ctx, pdf_dict_get_inheritable(ctx, object, PDF_NAME(Rotate)));
        // Turned from what is shown: a damaged /Rotate (any int) snaps to the nearest right
        // angle, as MuPDF draws it.
        const int shown = (current % 360 + 360) % 360;
        rotated = ((shown + 45) / 90 * 90 + degrees % 360 + 360) % 360;
        pdf_dict_put_int(ctx, object, PDF_NAME(Rotate), rotated);
    });
    return rotated;
}

void MuDocument::movePages(const QVector<int>& pages, int target)
{
    for (int page : pages)
        d->checkPage(page);
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    std::vector<pdf_obj*> objects;
    objects.reserve(size_t(pages.size()));
    try {
        for (int page : pages)
            guarded(ctx, [&] { objects.push_back(pdf_keep_obj(ctx, lookupPageObject(ctx, doc, page))); });
        // Taken out from the back so that the pages before keep their numbers, then put in
        // together: the objects themselves move, so links and outline entries follow them.
        for (int i = pages.size() - 1; i >= 0; --i)
            guarded(ctx, [&] { pdf_delete_page(ctx, doc, pages[i]); });
        for (size_t i = 0; i < objects.size(); ++i)
            guarded(ctx, [&] { pdf_insert_page(ctx, doc, target + int(i), objects[i]); });
    } catch (...) {
        for (pdf_obj* object : objects)
            pdf_drop_obj(ctx, object);
        throw;
    }
    for (pdf_obj* object : objects)
        pdf_drop_obj(ctx, object);
}

} // namespace pxv::mu
