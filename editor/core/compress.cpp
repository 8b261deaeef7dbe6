#include "compress.h"

#include "atomicfile.h"
#include "document_p.h"
#include "objectstreams.h"
#include "sourcecopy.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace pxv {

namespace {

// Replaces file by what write makes of it in a temporary file when that is smaller.
void keepSmaller(const QString& file, const std::function<bool(const QString& candidate)>& write)
{
    QTemporaryFile candidate;
    if (!candidate.open())
        throw DocumentError(DocumentError::SaveFailed, candidate.errorString());
    if (write(candidate.fileName()) && QFileInfo(candidate.fileName()).size() < QFileInfo(file).size())
        copyFileContents(candidate.fileName(), file);
}

} // namespace

CompressResult compressDocument(const RenderSource& source, const QString& file, bool edited, const QString& path,
                                const CompressSettings& settings, const SplitProgress& progress)
{
    const int steps = settings.lossy ? 3 : 2;
    bool stopped = false; // the atomic write reports any failure as one of writing
    const auto goOn = [&](int step) {
        stopped = stopped || (progress && !progress(step, steps, path));
        return !stopped;
    };
    CompressResult result;
    try {
        replaceFileAtomically(path, [&](const QString& temp) {
            if (!goOn(0))
                throw DocumentError(DocumentError::Cancelled, QString());
            openSourceCopy(source, mu::MuDocument::kModelStoreBytes)->saveCompacted(temp);
            if (settings.lossy) {
                keepSmaller(temp, [&](const QString& lossy) {
                    const std::unique_ptr<mu::MuDocument> copy = openSourceCopy(source,
                                                                                mu::MuDocument::kModelStoreBytes);
                    copy->recompressImages(settings.dpi, settings.quality, [&] { return goOn(1); });
                    copy->saveCompacted(lossy);
                    return true;
                });
            }
            if (!goOn(steps - 1))
                throw DocumentError(DocumentError::Cancelled, QString());
            keepSmaller(temp, [&](const QString& packed) { return packObjectStreams(temp, packed); });
            result.after = QFileInfo(temp).size();
            result.before = file.isNull() ? 0 : QFileInfo(file).size();
            if (!file.isNull() && !edited && result.after > result.before) {
                copyFileContents(file, temp);
                result.after = result.before;
            }
        });
    } catch (const DocumentError&) {
        if (stopped)
            throw DocumentError(DocumentError::Cancelled, Document::tr("Compressing was cancelled."));
        throw;
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed, QString::fromUtf8(error.what()));
    }
    return result;
}

} // namespace pxv
