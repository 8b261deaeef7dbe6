#pragma once

// One PDF object as a step left it, in a form that another copy of the document (a render
// worker's, in its own MuPDF context) can take over without sharing anything.

#include <QByteArray>
#include <QHash>

#include <memory>

namespace pxv {

struct ObjectState
{
    bool exists = true; // false: the object is gone (the step that made it was undone)
    bool isStream = false;
    QByteArray object; // the object in PDF syntax; for a stream, its dictionary
    QByteArray stream; // a stream's data, still encoded as its /Filter says
};

// Object number -> its state now. Entries are shared between versions of a document: a new
// version copies the map and replaces only the objects its step changed.
using ObjectStates = QHash<int, std::shared_ptr<const ObjectState>>;

} // namespace pxv
