#pragma once

// An optional-content group ("layer") of a document, as its layers list shows it.

#include <QString>

namespace pxv {

struct ContentGroup
{
    int object = 0; // the group's object number: its identity
    QString name;
    bool shownByDefault = true; // as the document's default configuration has it
};

} // namespace pxv
