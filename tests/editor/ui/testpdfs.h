#pragma once

#include <QString>

// PDFs made by the tests themselves.
namespace testpdfs {

// A PDF with pageCount A4 pages, each saying its number.
QString write(const QString& path, int pageCount);
// An encrypted copy of source (made with qpdf); empty when qpdf is missing.
QString writeEncrypted(const QString& source, const QString& path, const QString& password);
// Files that are not PDFs or are damaged.
QString writeBytes(const QString& path, const QByteArray& bytes);
// Runs `qpdf --check` on a file; true when qpdf finds no errors.
bool qpdfCheck(const QString& path, QString* output = nullptr);

} // namespace testpdfs
