#pragma once

#include "mupdf/layer.h"

// An XMP metadata packet brought in line with the Info dictionary's editable fields.

#include "values/docinfo.h"

#include <QByteArray>
#include <QDateTime>

namespace pxv::mu {

// packet with its title (dc:title), author (dc:creator), subject (dc:description) and keywords
// (pdf:Keywords) set to info's (an empty field takes the property out) and its modification and
// metadata dates set to when; everything else is kept. Properties missing from the packet are
// added to its first description. An empty result when packet is not XML that can be read.
QByteArray packetWithInfo(const QByteArray& packet, const EditableInfo& info, const QDateTime& when);

} // namespace pxv::mu
