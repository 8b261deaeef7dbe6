#include "sourcecopy.h"

#include "mupdf/muerror.h"

namespace pxv {

std::unique_ptr<mu::MuDocument> openBaseCopy(const RenderBase& base, size_t storeBytes)
{
    auto document = base.bytes.isEmpty() ? mu::MuDocument::openFile(base.path, storeBytes)
                                         : mu::MuDocument::openBytes(base.bytes, storeBytes);
    if (document->needsPassword() && !document->authenticate(base.password))
        throw MuError(0, "the password is not accepted");
    if (base.mendPageTree)
        document->mendPageTree();
    return document;
}

bool applyVersion(mu::MuDocument& copy, const ObjectStates& applied, const ObjectStates& wanted)
{
    for (auto it = applied.cbegin(); it != applied.cend(); ++it) {
        if (!wanted.contains(it.key()))
            return false;
    }
    QVector<QPair<int, std::shared_ptr<const ObjectState>>> changes;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        if (applied.value(it.key()) != it.value())
            changes.append({it.key(), it.value()});
    }
    if (!changes.isEmpty())
        copy.applyObjectStates(changes);
    return true;
}

std::unique_ptr<mu::MuDocument> openSourceCopy(const RenderSource& source, size_t storeBytes)
{
    auto document = openBaseCopy(*source.base, storeBytes);
    applyVersion(*document, {}, source.objects);
    return document;
}

} // namespace pxv
