// Writes the damaged-file corpus: makecorpus <folder>. The same bytes on every run, so that the
// committed files can be made again and compared.

#include "corpusfiles.h"

#include "testpdfs.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// Runs qpdf; exit code 3 means it wrote the file with warnings, which damaged input may cause.
QByteArray qpdf(const QTemporaryDir& dir, const QByteArray& input, QStringList args)
{
    const QString in = dir.filePath(QStringLiteral("in.pdf"));
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    if (testpdfs::writeBytes(in, input).isEmpty())
        qFatal("cannot write %s", qPrintable(in));
    // A fixed /ID and fixed AES vectors instead of random ones: reproducible, and no weaker
    // for test files whose passwords are in the folder anyway.
    args.prepend(QStringLiteral("--static-id"));
    args << in << out;
    QProcess process;
    process.start(QStringLiteral("qpdf"), args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || (process.exitCode() != 0 && process.exitCode() != 3))
        qFatal("qpdf %s failed: %s", qPrintable(args.join(' ')), process.readAllStandardError().constData());
    return readAll(out);
}

QStringList encryption(const QString& userPassword)
{
    // AES-128: qpdf's AES-256 salts are random even with its static options.
    return {QStringLiteral("--static-aes-iv"),
            QStringLiteral("--encrypt"),
            userPassword,
            QStringLiteral("owner"),
            QStringLiteral("128"),
            QStringLiteral("--use-aes=y"),
            QStringLiteral("--")};
}

corpus::Sources makeSources(const QTemporaryDir& dir)
{
    const QStringList objectStreams{QStringLiteral("--object-streams=generate"), QStringLiteral("--compress-streams=y"),
                                    QStringLiteral("--stream-data=compress")};
    corpus::Sources s;
    testpdfs::Sample sample;
    sample.pages = 6;
    sample.outline = true;
    sample.links = true;
    sample.fieldName = QStringLiteral("name");
    sample.title = QStringLiteral("Damaged sample");
    s.sample = testpdfs::sample(sample);

    // QPdfWriter stamps the time of writing; a fixed one of the same length keeps every offset.
    const QString painted = testpdfs::write(dir.filePath(QStringLiteral("painted.pdf")), 3);
    s.painted = readAll(painted);
    static const QRegularExpression stamp(QStringLiteral("\\(D:\\d{14}[^)]*\\)"));
    QString text = QString::fromLatin1(s.painted);
    for (auto match = stamp.match(text); match.hasMatch(); match = stamp.match(text, match.capturedEnd())) {
        const QString fixed = QStringLiteral("(D:20260101000000") + match.captured().mid(17);
        text.replace(match.capturedStart(), fixed.size(), fixed);
    }
    s.painted = text.toLatin1();

    s.objstm = qpdf(dir, s.sample, objectStreams);
    s.encrypted = qpdf(dir, s.sample, encryption(QStringLiteral("user")));
    s.encryptedEmpty = qpdf(dir, s.sample, encryption(QString()));
    s.encryptedObjstm = qpdf(dir, s.sample, objectStreams + encryption(QStringLiteral("user")));
    return s;
}

void writeSidecar(const QDir& folder, const QString& name, const QString& suffix, const QString& password)
{
    if (!password.isEmpty() && testpdfs::writeBytes(folder.filePath(name + suffix), password.toUtf8()).isEmpty())
        qFatal("cannot write the %s sidecar of %s", qPrintable(suffix), qPrintable(name));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path()))
        qFatal("cannot create %s", argv[1]);
    QTemporaryDir work;
    const corpus::Sources sources = makeSources(work);

    const QList<corpus::CorpusFile> files = corpus::truncatedFiles(sources) + corpus::scrambledFiles(sources)
                                            + corpus::xrefFiles(sources) + corpus::encryptedFiles(sources)
                                            + corpus::pageTreeFiles() + corpus::nestingFiles() + corpus::streamFiles()
                                            + corpus::notPdfFiles();
    qint64 total = 0;
    for (const corpus::CorpusFile& file : files) {
        const QString name = file.name + QStringLiteral(".pdf");
        if (folder.exists(name))
            qFatal("two corpus files are named %s", qPrintable(name));
        if (testpdfs::writeBytes(folder.filePath(name), file.bytes).isEmpty())
            qFatal("cannot write %s", qPrintable(folder.filePath(name)));
        writeSidecar(folder, name, QStringLiteral(".password"), file.password);
        writeSidecar(folder, name, QStringLiteral(".wrong-password"), file.wrongPassword);
        total += file.bytes.size();
    }
    std::printf("%lld files, %lld bytes in %s\n", static_cast<long long>(files.size()), static_cast<long long>(total),
                argv[1]);
    return 0;
}
