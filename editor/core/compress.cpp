#include "compress.h"

#include "atomicfile.h"
#include "document_p.h"
#include "sourcecopy.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace pxv {

CompressResult compressDocument(const RenderSource& source, const QString& file, bool edited, const QString& path,
                                const CompressSettings& settings, const SplitProgress& progress)
{
    const int steps = settings.lossy ? 2 : 1;
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
                QTemporaryFile lossy;
                if (!lossy.open())
                    throw DocumentError(DocumentError::SaveFailed, lossy.errorString());
                const std::unique_ptr<mu::MuDocument> copy = openSourceCopy(source, mu::MuDocument::kModelStoreBytes);
                copy->recompressImages(settings.dpi, settings.quality, [&] { return goOn(1); });
                copy->saveCompacted(lossy.fileName());
                if (QFileInfo(lossy.fileName()).size() < QFileInfo(temp).size())
                    copyFileContents(lossy.fileName(), temp);
            }
            result.after = QFileInfo(temp).size();
            result.before = file.isNull() ? 0 : QFileInfo(file).size();
            if (!file.isNull() && !edited && result.after > result.before) {
                copyFileContents(file, temp);
                result.after = result.before;
            }
        });
    } catch (const DocumentError&) {
        if (stopped)
            throw DocumentError(DocumentError::Cancelled, documentText("Compressing was cancelled."));
        throw;
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed, QString::fromUtf8(error.what()));
    }
    return result;
}

} // namespace pxv
