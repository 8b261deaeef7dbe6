#include "qpdftool.h"

#include <QProcess>
#include <QStringList>

namespace testpdfs {

QString writeEncrypted(const QString& source, const QString& path, const QString& password)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--encrypt"), password, password + QStringLiteral("-owner"),
                                        QStringLiteral("256"), QStringLiteral("--"), source, path});
    if (!qpdf.waitForFinished(30000) || qpdf.exitStatus() != QProcess::NormalExit || qpdf.exitCode() != 0)
        return QString();
    return path;
}

QString qpdfProblems(const QString& path, const QString& password)
{
    QProcess qpdf;
    QStringList args{QStringLiteral("--check"), path};
    if (!password.isEmpty())
        args.prepend(QStringLiteral("--password=") + password);
    qpdf.start(QStringLiteral("qpdf"), args);
    if (!qpdf.waitForFinished(30000))
        return QStringLiteral("qpdf did not finish: ") + qpdf.errorString();
    // Exit code 3 is "warnings only": damage that qpdf could work around is still damage here.
    if (qpdf.exitStatus() != QProcess::NormalExit || qpdf.exitCode() != 0)
        return QStringLiteral("qpdf --check failed:\n")
               + QString::fromLocal8Bit(qpdf.readAllStandardOutput() + qpdf.readAllStandardError());
    return QString();
}

QByteArray qpdfAttachment(const QString& path, const QString& name)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--show-attachment=") + name, path});
    if (!qpdf.waitForFinished(30000) || qpdf.exitStatus() != QProcess::NormalExit || qpdf.exitCode() != 0)
        return QByteArray();
    return qpdf.readAllStandardOutput();
}

bool qpdfCheck(const QString& path, QString* output)
{
    const QString problems = qpdfProblems(path);
    if (output)
        *output = problems;
    return problems.isEmpty();
}

} // namespace testpdfs
