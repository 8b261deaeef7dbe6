// The document's properties: what it says about itself, and the fields users may edit.

#include "document_p.h"

#include "mupdf/muerror.h"

#include <QFile>
#include <QFileInfo>

namespace pxv {

DocumentInfo Document::info() const
{
    DocumentInfo info;
    try {
        info = d->mu->info();
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            documentText("The document's properties cannot be read: %1").arg(QString::fromUtf8(error.what())));
    }
    if (!filePath().isNull()) {
        info.fileSize = QFileInfo(filePath()).size();
        // A linearization dictionary must lie within the file's first kilobyte.
        QFile file(filePath());
        if (file.open(QIODevice::ReadOnly))
            info.linearized = file.read(1024).contains("/Linearized");
    }
    return info;
}

void Document::setInfo(const EditableInfo& info)
{
    runStep(documentText("Edit Properties"), StepKind::Content, [&] { d->mu->setInfo(info); });
}

} // namespace pxv
