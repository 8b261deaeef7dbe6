#pragma once

// What the tests ask of qpdf: encrypted copies, and an independent check of written files.

#include <QString>

namespace testpdfs {

// An encrypted copy of source (AES-256, owner password `password` + "-owner"); returns path, or
// an empty string when qpdf is missing or fails.
QString writeEncrypted(const QString& source, const QString& path, const QString& password);

// Runs qpdf --check; returns its output when it finds a problem, an empty string when the file is
// sound.
QString qpdfProblems(const QString& path, const QString& password = QString());

// The bytes of the file embedded under name, as qpdf reads them; empty when it finds none.
QByteArray qpdfAttachment(const QString& path, const QString& name);

// qpdfProblems() as a yes/no answer; output, when given, receives the problems found.
bool qpdfCheck(const QString& path, QString* output = nullptr);

} // namespace testpdfs
