// Field values and comments exchanged with other programs as XFDF.

#include "document_p.h"
#include "xfdf.h"

#include "atomicfile.h"

#include <QFile>
#include <QFileInfo>

namespace pxv {

namespace {

// The annotation with every point of its geometry mapped by transform.
Annotation mapped(Annotation value, const QTransform& transform)
{
    value.rect = transform.mapRect(value.rect);
    for (QPolygonF& quad : value.quads)
        quad = transform.map(quad);
    for (QPolygonF& stroke : value.strokes)
        stroke = transform.map(stroke);
    value.vertices = transform.map(value.vertices);
    value.line = transform.map(value.line);
    return value;
}

} // namespace

void Document::exportXfdf(const QString& path, XfdfContent what) const
{
    if (d->locked)
        throw DocumentError(DocumentError::Failed, tr("The document is still locked by its password."));
    Xfdf xfdf;
    if (!d->path.isNull())
        xfdf.href = QFileInfo(d->path).fileName();
    try {
        if (what != XfdfContent::Comments)
            xfdf.fields = d->mu->fieldValues();
        if (what != XfdfContent::Fields) {
            for (int page = 0; page < pageCount(); ++page) {
                const QList<Annotation> list = annotations(page);
                if (list.isEmpty())
                    continue;
                const QTransform toPdf = d->mu->pageTransform(page).inverted();
                for (const Annotation& annotation : list) {
                    if (annotation.type != AnnotationType::Other)
                        xfdf.comments.append({page, mapped(annotation, toPdf), d->mu->annotationExtras(annotation.id)});
                }
            }
        }
    } catch (const MuError& error) {
        throw DocumentError(DocumentError::Failed,
                            tr("The comments and fields could not be read: %1").arg(QString::fromUtf8(error.what())));
    }
    const QByteArray bytes = writeXfdf(xfdf);
    replaceFileAtomically(path, [&](const QString& tempPath) {
        QFile file(tempPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            throw DocumentError(DocumentError::SaveFailed,
                                tr("%1 could not be written: %2").arg(nativePath(path), file.errorString()));
    });
}

XfdfImport Document::importXfdf(const QString& path)
{
    if (d->locked)
        throw DocumentError(DocumentError::Failed, tr("The document is still locked by its password."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(DocumentError::NotFound,
                            tr("%1 cannot be read: %2").arg(nativePath(path), file.errorString()));
    // Everything is read and checked before the step begins, so a bad file changes nothing.
    const Xfdf xfdf = readXfdf(file.readAll(), pageCount());
    XfdfImport done;
    done.skippedComments = xfdf.skippedComments;
    runStep(tr("Import Comments and Fields"), StepKind::Content, [&] {
        if (!xfdf.fields.isEmpty()) {
            done.skippedFields = d->mu->setFieldValues(xfdf.fields).size();
            done.fields = xfdf.fields.size() - done.skippedFields;
        }
        for (const XfdfComment& comment : xfdf.comments) {
            const int id = d->mu->addAnnotation(comment.page,
                                                mapped(comment.annotation, d->mu->pageTransform(comment.page)));
            d->mu->setAnnotationExtras(id, comment.extras);
            ++done.comments;
        }
    });
    return done;
}

} // namespace pxv
