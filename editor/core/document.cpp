#include "document_p.h"

#include "atomicfile.h"
#include "mupdf/mudocument.h"
#include "mupdf/muerror.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

namespace pxv {

namespace {

constexpr QSizeF kA4Points(595.2756, 841.8898); // 210 mm × 297 mm
// Page sizes read while opening: the pages of the first screen at a fitting zoom. The rest are
// read in slices once the first page is on screen; every one read here delays it.
constexpr int kPagesReadOnOpening = 2;

quint64 nextSourceKey()
{
    static QAtomicInteger<quint64> counter(0);
    return ++counter;
}

} // namespace

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// MuPDF repairs most damage on its own; what is left to tell apart before and after trying is
// whether there is a readable file and whether it looks like a PDF at all.
void checkReadablePdf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw DocumentError(DocumentError::NotFound,
                            Document::tr("The file \"%1\" does not exist.").arg(nativePath(path)));
    if (info.isDir())
        throw DocumentError(DocumentError::NotFound,
                            Document::tr("\"%1\" is a folder, not a PDF file.").arg(nativePath(path)));
    // A FIFO would block the open until some writer appears, and a device such as /dev/zero
    // never ends: only regular files (also through links) are read.
    if (!info.isFile())
        throw DocumentError(DocumentError::NotPdf,
                            Document::tr("\"%1\" is a device, pipe or socket, not a PDF file.").arg(nativePath(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(
            DocumentError::NotFound,
            Document::tr("The file \"%1\" cannot be read: %2").arg(nativePath(path), file.errorString()));
    if (file.size() == 0)
        throw DocumentError(DocumentError::NotPdf, Document::tr("The file \"%1\" is empty.").arg(nativePath(path)));
    // The header may follow some junk; readers accept it within the first kilobyte.
    if (!file.read(1024).contains("%PDF-"))
        throw DocumentError(DocumentError::NotPdf,
                            Document::tr("The file \"%1\" is not a PDF document.").arg(nativePath(path)));
}

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

std::unique_ptr<mu::MuDocument> openSourceFile(mu::MuDocument& target, const QString& clean,
                                               const PasswordProvider& passwords, const QString& cancelled)
{
    checkReadablePdf(clean);
    std::unique_ptr<mu::MuDocument> source;
    try {
        source = target.openSibling(clean);
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Damaged,
                            Document::tr("The file \"%1\" is damaged and its pages cannot be used (%2).")
                                .arg(nativePath(clean), QString::fromUtf8(error.what())));
    }
    bool unlocked = !source->needsPassword();
    for (bool retry = false; !unlocked; retry = true) {
        QString password;
        if (!passwords)
            throw DocumentError(DocumentError::WrongPassword,
                                Document::tr("The file \"%1\" is protected by a password.").arg(nativePath(clean)));
        if (!passwords(clean, retry, &password))
            throw DocumentError(DocumentError::Cancelled, cancelled);
        unlocked = source->authenticate(password.toUtf8());
    }
    return source;
}

DocumentError::DocumentError(Kind kind, const QString& message)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message)
{
}

bool Document::Private::modified() const
{
    return neverSaved || protectionPending || mu->historyPosition() != savedPosition;
}

PageId Document::Private::idOf(int page) const
{
    PageId id = 0;
    if (idsKnown && page < ids.size()) {
        id = ids.at(page);
    } else if (size_t(page) < idCache.size() && idCache[size_t(page)] != 0) {
        id = idCache[size_t(page)];
    } else {
        try {
            id = mu->pageObjectNumber(page);
        } catch (const MuError&) {
        }
        if (id > 0 && size_t(page) < idCache.size())
            idCache[size_t(page)] = id;
    }
    // A page that is no object of its own (a damaged tree) is known by its place.
    return id > 0 ? id : -(page + 1);
}

void Document::Private::startNewBase()
{
    dirty.clear();
    baseIdentity.reset();
    auto next = std::make_shared<RenderBase>();
    next->key = nextSourceKey();
    next->password = password;
    next->mendPageTree = mu->pageTreeMended();
    if (path.isNull() && createdFile) {
        next->path = createdFile->path();
        next->scratch = createdFile;
    } else if (path.isNull()) {
        if (createdBytes.isEmpty()) {
            try {
                createdBytes = mu->toBytes();
            } catch (const MuError& error) {
                throw DocumentError(DocumentError::Failed,
                                    Document::tr("The document cannot be prepared for display: %1")
                                        .arg(QString::fromUtf8(error.what())));
            }
        }
        next->bytes = createdBytes;
    } else {
        next->path = path;
    }
    baseStamp = path.isNull() ? std::nullopt : fileStamp(path);
    base = std::move(next);
    auto version = std::make_shared<RenderSource>();
    version->base = base;
    version->key = nextSourceKey();
    source = std::move(version);
}

void Document::Private::replaceBase()
{
    auto next = std::make_shared<RenderBase>(*base);
    next->key = nextSourceKey();
    next->password = password;
    next->mendPageTree = mu->pageTreeMended();
    base = std::move(next);
    auto version = std::make_shared<RenderSource>(*source);
    version->base = base;
    version->key = nextSourceKey();
    source = std::move(version);
}

void Document::Private::refreshSource(const std::vector<int>& changed)
{
    auto version = std::make_shared<RenderSource>(*source);
    version->key = nextSourceKey();
    for (int number : changed)
        version->objects.insert(number, std::make_shared<ObjectState>(mu->objectState(number)));
    source = std::move(version);
}

Document::Document() : d(std::make_unique<Private>())
{
    // Views may hear of changes through queued connections.
    qRegisterMetaType<PageChanges>();
}

Document::~Document() = default;

std::unique_ptr<Document> Document::open(const QString& path)
{
    const QString clean = cleanAbsolute(path);
    checkReadablePdf(clean);
    std::unique_ptr<Document> document(new Document);
    try {
        document->d->mu = mu::MuDocument::openFile(clean);
        document->d->locked = document->d->mu->needsPassword();
        document->d->resetPages();
        // The first pages at once: a short document is laid out exactly from the start, a long
        // one at least where it opens, at a cost that does not grow with the page count.
        document->d->scanSizes(kPagesReadOnOpening);
        if (!document->d->locked && !document->d->hasReadablePage())
            throw MuError(0, "no page can be read");
        document->d->repaired = document->d->mu->wasRepaired();
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Damaged, tr("The file \"%1\" is damaged and cannot be opened (%2).")
                                                        .arg(nativePath(clean), QString::fromUtf8(error.what())));
    } catch (const std::bad_alloc&) {
        throw DocumentError(
            DocumentError::Damaged,
            tr("The file \"%1\" cannot be opened: it needs more memory than there is.").arg(nativePath(clean)));
    }
    document->d->path = clean;
    document->d->startNewBase();
    return document;
}

std::unique_ptr<Document> Document::createBlank()
{
    std::unique_ptr<Document> document(new Document);
    try {
        document->d->mu = mu::MuDocument::createEmpty();
        document->d->mu->appendBlankPage(kA4Points);
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("Could not create a new document: %1").arg(QString::fromUtf8(error.what())));
    }
    document->d->neverSaved = true;
    document->d->resetPages();
    document->d->startNewBase();
    return document;
}

std::unique_ptr<Document> Document::combine(const QStringList& paths, const PasswordProvider& passwords,
                                            const CombineProgress& progress)
{
    if (paths.isEmpty())
        throw DocumentError(DocumentError::Failed, tr("There are no files to combine."));
    std::unique_ptr<Document> document(new Document);
    try {
        document->d->mu = mu::MuDocument::createEmpty();
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("Could not create a new document: %1").arg(QString::fromUtf8(error.what())));
    }
    // The result goes to a file of its own as it grows, a slice of pages at a time, so that
    // combining long files does not hold them in memory; without such a file, it is held.
    std::shared_ptr<ScratchFile> scratch = ScratchFile::create();
    mu::MuDocument::Spill spill;
    if (scratch) {
        spill = [path = scratch->path()](std::unique_ptr<mu::MuDocument> combined) {
            try {
                return combined->spillTo(path);
            } catch (const MuError& error) {
                throw DocumentError(DocumentError::Failed,
                                    tr("Could not combine the files: the temporary file could not be written (%1).")
                                        .arg(QString::fromUtf8(error.what())));
            }
        };
    }
    for (int index = 0; index < paths.size(); ++index) {
        const QString clean = cleanAbsolute(paths.at(index));
        if (progress && !progress(index, clean))
            throw DocumentError(DocumentError::Cancelled, tr("Combining was cancelled."));
        const std::unique_ptr<mu::MuDocument> source = openSourceFile(*document->d->mu, clean, passwords,
                                                                      tr("Combining was cancelled."));
        try {
            document->d->mu = mu::MuDocument::append(std::move(document->d->mu), *source, QFileInfo(clean).fileName(),
                                                     spill);
        } catch (const MuError& error) {
            throw DocumentError(DocumentError::Damaged, tr("The file \"%1\" could not be combined (%2).")
                                                            .arg(nativePath(clean), QString::fromUtf8(error.what())));
        }
        if (spill)
            document->d->mu = spill(std::move(document->d->mu));
    }
    document->d->createdFile = std::move(scratch);
    document->d->neverSaved = true;
    document->d->resetPages();
    document->d->startNewBase();
    return document;
}

bool Document::needsPassword() const
{
    return d->locked;
}

bool Document::authenticate(const QString& password)
{
    if (!d->locked)
        return true;
    const QByteArray utf8 = password.toUtf8();
    if (!d->mu->authenticate(utf8))
        return false;
    d->locked = false;
    d->password = utf8;
    d->openedWithPassword = true;
    d->resetPages();
    d->replaceBase();
    emit sourceChanged();
    return true;
}

QString Document::filePath() const
{
    return d->path;
}

QString Document::title() const
{
    if (!d->locked) {
        try {
            const QString title = d->mu->metadataTitle();
            if (!title.isEmpty())
                return title;
        } catch (const MuError&) {
        }
    }
    return d->path.isNull() ? tr("Untitled") : QFileInfo(d->path).fileName();
}

bool Document::wasRepaired() const
{
    return d->repaired;
}

int Document::pageCount() const
{
    return d->count;
}

QSizeF Document::pageSize(int page) const
{
    if (page < 0 || page >= d->count)
        return QSizeF();
    return d->sizeOf(page);
}

bool Document::isPageSizeKnown(int page) const
{
    return page >= 0 && page < d->count && d->known[size_t(page)];
}

bool Document::areAllPageSizesKnown() const
{
    return d->scanDone || d->locked;
}

bool Document::readPageSizes(int maxPages)
{
    const int before = d->count;
    const bool mended = d->mu && d->mu->pageTreeMended();
    const bool over = d->scanSizes(maxPages);
    if (d->mu && d->mu->pageTreeMended() != mended) {
        // The pages behind the damage may have moved: workers must mend their copies too.
        d->replaceBase();
        emit sourceChanged();
    }
    return over && d->count == before;
}

void Document::readPageSizesThrough(int page)
{
    page = std::min(page, d->count - 1);
    while (page >= 0 && d->scanReached <= page && !readPageSizes(std::max(64, page + 1 - d->scanReached))) {
    }
}

bool Document::hasOutline() const
{
    if (d->locked)
        return false;
    try {
        return d->mu->hasOutline();
    } catch (const MuError&) {
        return false;
    }
}

QList<OutlineItem> Document::outline() const
{
    if (d->locked)
        return {};
    try {
        return d->mu->outline();
    } catch (const MuError&) {
        return {}; // a broken outline is no reason to refuse the pages
    }
}

QList<PageLink> Document::links(int page) const
{
    if (d->locked)
        return {};
    try {
        return d->mu->links(page);
    } catch (const MuError&) {
        return {};
    }
}

QList<TextHit> Document::findText(int page, const QString& text, const SearchOptions& options) const
{
    if (d->locked || page < 0 || page >= pageCount())
        return {};
    try {
        return d->mu->findText(page, text, options);
    } catch (const MuError&) {
        return {}; // a page that cannot be read has nothing to find
    }
}

TextSelection Document::selectText(int page, const QPointF& from, const QPointF& to, TextUnit unit) const
{
    if (d->locked || page < 0 || page >= pageCount())
        return {};
    try {
        return d->mu->selectText(page, from, to, unit);
    } catch (const MuError&) {
        return {}; // a page that cannot be read has no text to select
    }
}

TextSelection Document::pageText(int page) const
{
    if (d->locked || page < 0 || page >= pageCount())
        return {};
    try {
        return d->mu->pageText(page);
    } catch (const MuError&) {
        return {};
    }
}

bool Document::isModified() const
{
    return d->modified();
}

void Document::save(const QString& path)
{
    const QString target = cleanAbsolute(path);
    if (d->locked)
        throw DocumentError(
            DocumentError::SaveFailed,
            tr("Could not save \"%1\": the document is still locked by its password.").arg(nativePath(target)));
    emit aboutToSave();
    // A new document made in a file of its own is saved from that file as a document is from
    // its own.
    const QString base = d->path.isNull() && d->createdFile ? d->createdFile->path() : d->path;
    // Another program may have put another file in place of the document's, or removed it: its
    // bytes are then no base to copy or append to, and MuPDF, which still reads the file it
    // opened, writes the whole document. Written over in place, that file is gone too.
    const std::optional<FileStamp> now = d->path.isNull() ? std::nullopt : fileStamp(d->path);
    if (now && d->baseStamp && now->isSameFile(*d->baseStamp) && *now != *d->baseStamp)
        throw DocumentError(DocumentError::SaveFailed,
                            tr("Could not save \"%1\": another program wrote over \"%2\" while it was open here, and "
                               "the parts of the document that were not changed here went with it. Reload the file "
                               "to see what it holds now.")
                                .arg(nativePath(target), nativePath(d->path)));
    const bool hasFile = !base.isNull() && (d->path.isNull() || (now && d->baseStamp && *now == *d->baseStamp));
    const bool wasModified = d->protectionPending || d->mu->historyPosition() != d->savedPosition
                             || (d->neverSaved && !d->createdFile);
    qint64 startXref = -1;
    replaceFileAtomically(target, [&](const QString& temp) {
        if (hasFile && !wasModified && !d->repaired) {
            // Nothing changed: the file as it is, not MuPDF's rewrite of it.
            copyFileContents(base, temp);
        } else if (hasFile && !d->repaired && d->mu->canSaveIncrementally()) {
            // The saved bytes stay as they are and the changes since follow them.
            copyFileContents(base, temp);
            startXref = d->mu->appendIncrementalSave(temp, std::vector<int>(d->dirty.begin(), d->dirty.end()));
        } else {
            d->mu->saveFull(temp);
        }
    });

    // From now on the document is the saved file: the next incremental save appends to it and
    // workers open it. The document itself stays in memory with its undo history.
    const bool pathChanged = d->path != target;
    d->mu->rebase(target, startXref);
    d->path = target;
    d->repaired = false;
    d->neverSaved = false;
    d->createdBytes.clear();
    d->createdFile.reset();
    d->savedPosition = d->mu->historyPosition();
    if (d->protectionPending) {
        // The file now opens with the new password, or with none; so do the workers' copies.
        d->protectionPending = false;
        d->password = d->newOpenPassword;
        d->openedWithPassword = !d->password.isEmpty();
    }
    d->startNewBase();
    if (pathChanged)
        emit filePathChanged();
    if (wasModified)
        emit modifiedChanged(false);
    emit saved();
}

std::shared_ptr<const RenderSource> Document::renderSource() const
{
    return d->source;
}

} // namespace pxv
