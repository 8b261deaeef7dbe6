// Password protection: set, changed and removed on the next save, and read back by qpdf, which
// must open the file with the password and not without it.

#include "core/document.h"
#include "pdffolder.h"
#include "popplerview.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using pxv::Document;
using pxv::Protection;
using testpdfs::popplerText;

namespace {

// qpdf --show-encryption's report ("Incorrect password supplied" when it could not open the file).
QString encryption(const QString& path, const QString& password, int* exitCode)
{
    QProcess process;
    process.start("qpdf", {"--show-encryption", "--password=" + password, path});
    process.waitForFinished(30000);
    *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

} // namespace

class TestSecurity : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("qpdf").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("qpdf or poppler-utils is missing");
    }

    void protectionSetOnSaveOpensOnlyWithThePassword()
    {
        const QString original = m_dir.write("plain.pdf", testpdfs::sample({}));
        auto document = Document::open(original);
        QVERIFY(document->protection().method.isEmpty());
        document->setProtection({"open sesame", "owner", pxv::PermitPrint});
        QVERIFY(document->isModified());
        QVERIFY(document->protection().pending);
        QVERIFY(document->historySteps().isEmpty());
        const QString locked = m_dir.filePath("locked.pdf");
        document->save(locked);
        QVERIFY(!document->isModified());
        QVERIFY(!document->protection().pending);
        QVERIFY(document->protection().openPassword);

        int code = 0;
        const QString report = encryption(locked, "open sesame", &code);
        QCOMPARE(code, 0);
        QVERIFY2(report.contains("R = 6") && report.contains("User password = open sesame"),
                 qPrintable(report)); // AES-256
        QVERIFY2(report.contains(QRegularExpression("print high resolution: allowed")), qPrintable(report));
        QVERIFY2(report.contains(QRegularExpression("extract for any purpose: not allowed")), qPrintable(report));
        QVERIFY2(report.contains(QRegularExpression("modify other: not allowed")), qPrintable(report));
        QVERIFY(encryption(locked, "wrong", &code).contains("Incorrect password"));
        QVERIFY(!testpdfs::qpdfProblems(locked, "wrong").isEmpty());
        QCOMPARE(testpdfs::qpdfProblems(locked, "open sesame"), QString());
        QVERIFY(popplerText(locked, 0).isEmpty());
        QVERIFY(!testpdfs::popplerText(locked, 0, "open sesame").isEmpty());

        // Saved again, the file keeps the new protection, not the one the document came with.
        document->setInfo({"Locked", {}, {}, {}});
        document->save(locked);
        QCOMPARE(encryption(locked, "open sesame", &code).contains("R = 6"), true);
        QCOMPARE(code, 0);

        auto reopened = Document::open(locked);
        QVERIFY(reopened->needsPassword());
        QVERIFY(!reopened->authenticate("owner-not"));
        QVERIFY(reopened->authenticate("open sesame"));
        QVERIFY(reopened->protection().method.contains("AES"));
        QVERIFY(reopened->protection().openPassword);
        QCOMPARE(reopened->protection().permissions, int(pxv::PermitPrint));

        // Taken off by the one who opened it with the password.
        reopened->setProtection({});
        const QString open = m_dir.filePath("open.pdf");
        reopened->save(open);
        QVERIFY(encryption(open, QString(), &code).contains("not encrypted"));
        QCOMPARE(code, 0);
        QVERIFY(testpdfs::qpdfCheck(open));
        QVERIFY(!popplerText(open, 0).isEmpty());
        QVERIFY(!Document::open(open)->needsPassword());
        QVERIFY(reopened->protection().method.isEmpty());
    }

    void permissionsOnlyOpenWithoutAPassword()
    {
        const QString original = m_dir.write("perm.pdf", testpdfs::sample({}));
        auto document = Document::open(original);
        document->setProtection({{}, "owner", pxv::PermitCopy | pxv::PermitFillForms});
        const QString path = m_dir.filePath("restricted.pdf");
        document->save(path);
        int code = 0;
        const QString report = encryption(path, QString(), &code);
        QCOMPARE(code, 0);
        QVERIFY2(report.contains("print high resolution: not allowed"), qPrintable(report));
        QVERIFY2(report.contains("extract for any purpose: allowed"), qPrintable(report));
        QVERIFY(!Document::open(path)->needsPassword());
        QVERIFY(!popplerText(path, 0).isEmpty());
        QVERIFY_EXCEPTION_THROWN(document->setProtection({QString(200, 'x'), {}, pxv::PermitAll}), pxv::DocumentError);
        QVERIFY(!document->protection().needsPermissionsPassword); // chosen here

        // Opened without the permissions password, the restrictions stay until it is given.
        auto reopened = Document::open(path);
        QVERIFY(reopened->protection().needsPermissionsPassword);
        QVERIFY_EXCEPTION_THROWN(reopened->setProtection({}), pxv::DocumentError);
        QVERIFY(!reopened->unlockProtection("wrong"));
        QVERIFY(!reopened->pageText(0).text.isEmpty()); // a wrong guess leaves the file readable
        QVERIFY(reopened->protection().needsPermissionsPassword);
        QVERIFY(reopened->unlockProtection("owner"));
        QVERIFY(!reopened->protection().needsPermissionsPassword);
        reopened->setProtection({});
        const QString open = m_dir.filePath("unrestricted.pdf");
        reopened->save(open);
        QVERIFY(testpdfs::qpdfCheck(open));
        QVERIFY2(encryption(open, QString(), &code).contains("File is not encrypted"),
                 qPrintable(encryption(open, QString(), &code)));
    }
};

QTEST_APPLESS_MAIN(TestSecurity)
#include "tst_security.moc"
