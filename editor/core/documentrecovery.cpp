// Recovery records of a document's unsaved changes, and documents opened again from them.

#include "document_p.h"
#include "sourcecopy.h"

#include <QFile>
#include <QFileInfo>

namespace pxv {

namespace {

// A record of a whole document is written in full on every change: beyond this size the disk
// would be kept too busy, so such documents keep none.
constexpr qint64 kWholeRecordLimit = 64 << 20;

} // namespace

bool Document::recoveryRecord(RecoveryRecord* record, RecordFinish* finish) const
{
    if (!d->modified() || d->locked || d->mu->isEncrypted())
        return false;
    RecoveryRecord next;
    next.sourcePath = d->path;
    next.title = title();
    RecordFinish finishing;
    try {
        if (!d->path.isNull() && !d->repaired && d->mu->canSaveIncrementally()) {
            if (!d->baseIdentity)
                d->baseIdentity = std::make_shared<const LazyFileIdentity>(d->path);
            const std::shared_ptr<const LazyFileIdentity> identity = d->baseIdentity;
            if (identity->size() < 0)
                return false; // the file is gone: nothing to apply an update to
            next.kind = RecoveryRecord::Kind::Update;
            next.objects.assign(d->dirty.begin(), d->dirty.end());
            next.payload = d->mu->incrementalUpdate(identity->size(), next.objects);
            finishing = [identity](RecoveryRecord* update) {
                update->source = identity->get();
                return update->source.size >= 0;
            };
        } else if (d->path.isNull() && d->createdFile && d->mu->canSaveIncrementally()) {
            // A document made in a scratch file: that file as it is and the changes since, as a
            // save would write them, instead of the whole document written anew.
            const std::shared_ptr<const ScratchFile> file = d->createdFile;
            const qint64 size = file->size();
            if (size < 0 || size > kWholeRecordLimit)
                return false;
            next.kind = RecoveryRecord::Kind::Document;
            const QByteArray update
                = d->mu->incrementalUpdate(size, std::vector<int>(d->dirty.begin(), d->dirty.end()));
            finishing = [file, size, update](RecoveryRecord* whole) {
                QFile scratch(file->path());
                if (!scratch.open(QIODevice::ReadOnly))
                    return false;
                whole->payload = scratch.read(size);
                whole->payload += update;
                return whole->payload.size() == size + update.size();
            };
        } else {
            const qint64 size = !d->path.isNull() ? QFileInfo(d->path).size() : d->createdBytes.size();
            if (size > kWholeRecordLimit)
                return false;
            next.kind = RecoveryRecord::Kind::Document;
            finishing = [version = d->source](RecoveryRecord* whole) {
                try {
                    whole->payload = openSourceCopy(*version, mu::MuDocument::kModelStoreBytes)->toBytes();
                } catch (const MuError&) {
                    return false;
                }
                return true;
            };
        }
    } catch (const MuError&) {
        return false;
    }
    if (finish)
        *finish = std::move(finishing);
    else if (!finishing(&next))
        return false;
    *record = std::move(next);
    return true;
}

std::unique_ptr<Document> Document::restore(const RecoveryRecord& record, const QString& source)
{
    if (record.kind == RecoveryRecord::Kind::Document) {
        std::unique_ptr<Document> document(new Document);
        try {
            document->d->mu = mu::MuDocument::openBytes(record.payload);
            if (document->d->mu->needsPassword())
                throw MuError(0, "the kept document is encrypted");
        } catch (const MuError& error) {
            throw DocumentError(DocumentError::Damaged,
                                tr("The kept changes cannot be read (%1).").arg(QString::fromUtf8(error.what())));
        }
        document->d->neverSaved = true;
        document->d->createdBytes = record.payload;
        document->d->resetPages();
        document->d->startNewBase();
        return document;
    }

    const QString path = source.isNull() ? record.sourcePath : source;
    std::unique_ptr<Document> document = open(path);
    if (document->needsPassword())
        throw DocumentError(DocumentError::Failed, tr("The file \"%1\" is encrypted now.").arg(nativePath(path)));
    QFile file(document->filePath());
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(DocumentError::NotFound,
                            tr("The file \"%1\" cannot be read: %2").arg(nativePath(path), file.errorString()));
    // The update read as MuPDF reads any updated file: appended to the bytes it was made for.
    QVector<QPair<int, std::shared_ptr<const ObjectState>>> states;
    try {
        const std::unique_ptr<mu::MuDocument> updated = mu::MuDocument::openBytes(file.readAll() + record.payload);
        for (int number : record.objects)
            states.append({number, std::make_shared<ObjectState>(updated->objectState(number))});
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Damaged,
                            tr("The kept changes cannot be read (%1).").arg(QString::fromUtf8(error.what())));
    }
    document->runStep(tr("Restore Unsaved Changes"), StepKind::Structure,
                      [&] { document->d->mu->applyObjectStates(states); });
    return document;
}

} // namespace pxv
