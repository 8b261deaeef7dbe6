#include "sourcecopy.h"

#include "../mupdf/muerror.h"

namespace pxv {

std::unique_ptr<mu::MuDocument> openSourceCopy(const RenderSource& source, size_t storeBytes)
{
    auto document = source.bytes.isEmpty() ? mu::MuDocument::openFile(source.path, storeBytes)
                                           : mu::MuDocument::openBytes(source.bytes, storeBytes);
    if (document->needsPassword() && !document->authenticate(source.password))
        throw MuError(0, "the password is not accepted");
    if (source.mendPageTree)
        document->mendPageTree();
    for (auto it = source.rotations.cbegin(); it != source.rotations.cend(); ++it)
        document->setPageRotation(it.key(), it.value());
    return document;
}

} // namespace pxv
