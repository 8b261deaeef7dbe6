#pragma once

#include <QString>

// PDFs made by the tests themselves.
namespace testpdfs {

// A PDF with pageCount A4 pages, each saying its number.
QString write(const QString& path, int pageCount);
// Two US Letter pages; page 1 has a link from the area (100, 600)-(300, 700) in PDF user space
// to the top of page 2, and one from (100, 400)-(300, 500) to uri.
QString writeWithLinks(const QString& path, const QString& uri);
// A PDF of the given objects (numbered from 1; object 1 is the catalogue) with a correct
// cross-reference table.
QString writeObjects(const QString& path, const QList<QByteArray>& objects);
// An encrypted copy of source (made with qpdf); empty when qpdf is missing.
QString writeEncrypted(const QString& source, const QString& path, const QString& password);
// Files that are not PDFs or are damaged.
QString writeBytes(const QString& path, const QByteArray& bytes);
// Runs `qpdf --check` on a file; true when qpdf finds no errors.
bool qpdfCheck(const QString& path, QString* output = nullptr);

} // namespace testpdfs
