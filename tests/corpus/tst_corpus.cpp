// Feeds every file of the damaged-file corpus through the editor control, each in a child
// process of this executable with a deadline: a crash, a hang or a sanitizer report fails with
// the file's name, and the other files still run.

#include "corpuschild.h"

#include <QApplication>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

const char kChildOption[] = "--corpus-file";
// Generous: a file takes a few seconds at most here, and sanitizers slow it down several times
// over. Only a hang comes near this.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kDeadlineMs = 120000;
#else
constexpr int kDeadlineMs = 30000;
#endif
const QRegularExpression kSanitizerReport(
    QStringLiteral("runtime error:|ERROR: AddressSanitizer|ERROR: LeakSanitizer|WARNING: ThreadSanitizer"));

bool isCorpusFile(const QString& path)
{
    return !path.endsWith(QLatin1String(".password")) && !path.endsWith(QLatin1String(".wrong-password"))
           && !path.endsWith(QLatin1String(".md"));
}

QStringList corpusFiles()
{
    QStringList files;
    QDirIterator it(QStringLiteral(VP_DAMAGED_DIR), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (isCorpusFile(path))
            files.append(path);
    }
    files.sort();
    return files;
}

} // namespace

class TestCorpus : public QObject
{
    Q_OBJECT

private slots:
    void corpusIsComplete()
    {
        const QStringList files = corpusFiles();
        QVERIFY2(files.size() >= 100, qPrintable(QStringLiteral("only %1 files").arg(files.size())));
        // Every sidecar belongs to a file.
        QDirIterator it(QStringLiteral(VP_DAMAGED_DIR), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!isCorpusFile(path) && !path.endsWith(QLatin1String(".md")))
                QVERIFY2(files.contains(path.left(path.lastIndexOf(QLatin1Char('.')))), qPrintable(path));
        }
    }

    void eachFile_data()
    {
        QTest::addColumn<QString>("path");
        const QDir root(QStringLiteral(VP_DAMAGED_DIR));
        for (const QString& path : corpusFiles())
            QTest::newRow(qPrintable(root.relativeFilePath(path))) << path;
    }

    void eachFile()
    {
        QFETCH(QString, path);
        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QString::fromLatin1(kChildOption), path});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start();
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        const bool finished = child.waitForFinished(kDeadlineMs);
        if (!finished) {
            child.kill();
            child.waitForFinished();
        }
        const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
        const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
        const QString report = QStringLiteral("%1\n%2%3").arg(path, output, errors.right(6000));
        if (!finished)
            QFAIL(qPrintable(QStringLiteral("hangs (no end within %1 s): ").arg(kDeadlineMs / 1000) + report));
        if (child.exitStatus() != QProcess::NormalExit)
            QFAIL(qPrintable(QStringLiteral("crashes: ") + report));
        if (child.exitCode() != 0)
            QFAIL(qPrintable(QStringLiteral("exit code %1: ").arg(child.exitCode()) + report));
        // UndefinedBehaviorSanitizer reports and carries on unless told otherwise.
        if (kSanitizerReport.match(errors).hasMatch())
            QFAIL(qPrintable(QStringLiteral("sanitizer report: ") + report));
        qInfo("%s", qPrintable(output.simplified()));
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], kChildOption) == 0) {
        QApplication app(argc, argv);
        return corpus::runCorpusFile(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestCorpus test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_corpus.moc"
