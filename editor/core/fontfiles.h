#pragma once

#include "core/layer.h"

// Font families of the system, found as font data that MuPDF can lay text out with and embed.

#include <QByteArray>
#include <QString>

namespace pxv {

// The TrueType or OpenType font of family's regular face, as fontconfig finds it (letter case
// aside): the file's bytes, or for a face of a collection (.ttc) that face alone as a font of
// its own, since MuPDF reads a collection's first face only and cannot embed collections.
// Empty when no installed family of that name has such a face, or its file cannot be read.
QByteArray fontForFamily(const QString& family);

// Face index of the collection data as a font file of its own: the face's tables copied
// behind a table directory of their own. Data that is no collection comes back as it is for
// index 0; empty when the data is damaged or has no such face.
QByteArray singleFace(const QByteArray& data, int index);

} // namespace pxv
