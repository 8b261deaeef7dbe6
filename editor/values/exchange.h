#pragma once

// What exchanging comments and form fields with other programs needs of a document beyond the
// annotation model: the fields' values by full name, and the annotation entries the model does
// not carry.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace pxv {

// A field's value by its full name ("person.name"): one for most fields (a check box's or radio
// group's export value, "Off" when none is on), one for each choice of a list with multiple
// selection.
struct NamedFieldValue
{
    QString name;
    QStringList values;
};

// An annotation's /NM, /Subj, /CreationDate and /F; flags -1 when not known, and empty
// entries are left alone when written.
struct AnnotationExtras
{
    QString name;
    QString subject;
    QDateTime created;
    int flags = -1;
};

} // namespace pxv
