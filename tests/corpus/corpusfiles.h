#pragma once

// The damaged files of the corpus, each made from a good PDF the tests can write.

#include <QByteArray>
#include <QList>
#include <QString>

namespace corpus {

struct CorpusFile
{
    QString name; // file name without ".pdf": what is damaged, and how
    QByteArray bytes;
    // Empty unless set; most files are listed by name and bytes alone.
    QString password{}; // written as a "<name>.pdf.password" sidecar: the runner must render the file
    QString wrongPassword{}; // written as "<name>.pdf.wrong-password": the runner offers it and expects a retry
};

// The good files the damage starts from.
struct Sources
{
    QByteArray sample; // six pages with outline, links, a form field and a title; plain streams
    QByteArray painted; // QPdfWriter's output: compressed streams, an embedded font subset
    QByteArray objstm; // the sample rewritten by qpdf with object streams and an xref stream
    QByteArray encrypted; // the sample encrypted with the user password "user"
    QByteArray encryptedEmpty; // encrypted with an empty user password
    QByteArray encryptedObjstm; // object streams, encrypted with the user password "user"
};

QList<CorpusFile> truncatedFiles(const Sources& sources);
QList<CorpusFile> scrambledFiles(const Sources& sources);
QList<CorpusFile> xrefFiles(const Sources& sources);
QList<CorpusFile> encryptedFiles(const Sources& sources);
QList<CorpusFile> pageTreeFiles();
QList<CorpusFile> nestingFiles();
QList<CorpusFile> streamFiles();
QList<CorpusFile> notPdfFiles();

} // namespace corpus
