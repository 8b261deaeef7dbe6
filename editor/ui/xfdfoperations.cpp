#include "xfdfoperations.h"

#include "core/xfdf.h"
#include "cpxvdocument.h"
#include "operationregistry.h"

#include <QHash>

namespace pxv {

namespace {

const QString kPath = QStringLiteral("Path");
const QString kWhat = QStringLiteral("What");

QString xfdfPath(OperationCall& call, const QString& missing)
{
    const QString path = call.has(kPath) ? call.text(kPath) : QString();
    if (path.trimmed().isEmpty())
        throw call.invalid(kPath, missing);
    return path;
}

} // namespace

void exportCommentsAndFields(OperationCall& call)
{
    static const QHash<QString, XfdfContent> contents{{QStringLiteral("fields"), XfdfContent::Fields},
                                                      {QStringLiteral("comments"), XfdfContent::Comments},
                                                      {QStringLiteral("both"), XfdfContent::Both}};
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QString path = xfdfPath(call, OperationRegistry::tr("the file to write is missing"));
    const QString what = call.has(kWhat) ? call.text(kWhat).trimmed().toLower() : QStringLiteral("both");
    if (!contents.contains(what))
        throw call.invalid(
            kWhat, OperationRegistry::tr("“%1” is not one of “fields”, “comments” or “both”").arg(call.text(kWhat)));
    modelCall([&] { document->model()->exportXfdf(path, contents.value(what)); });
    call.setOutputValue(path);
}

void importCommentsAndFields(OperationCall& call)
{
    const std::shared_ptr<CPXVDocument> document = call.document();
    const QString path = xfdfPath(call, OperationRegistry::tr("the file to read is missing"));
    const XfdfImport done = modelCall([&] { return document->model()->importXfdf(path); });
    call.setOutputValue(QVariantMap{{QStringLiteral("Fields"), done.fields},
                                    {QStringLiteral("Comments"), done.comments},
                                    {QStringLiteral("SkippedFields"), done.skippedFields},
                                    {QStringLiteral("SkippedComments"), done.skippedComments}});
}

} // namespace pxv
