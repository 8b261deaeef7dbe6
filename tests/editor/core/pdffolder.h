#pragma once

// The temporary folder a core test case writes its PDFs into, removed with the test object.

#include "testpdfs.h"

#include <QTemporaryDir>

class PdfFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Writes data under name and returns the full path; a test cannot go on without its file,
    // so failing to write ends the test program.
    QString write(const QString& name, const QByteArray& data) const;

private:
    QTemporaryDir m_dir;
};
