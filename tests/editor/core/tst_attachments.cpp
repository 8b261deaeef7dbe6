// Files embedded as steps: listed with their size and description, saved out byte for byte,
// removed, taken back by undo, and still there after save and reopen as qpdf reads them.

#include "core/document.h"
#include "pdffolder.h"

#include <QRandomGenerator>
#include <QtTest>

using pxv::Document;

namespace {

QStringList names(const QList<pxv::Attachment>& list)
{
    QStringList out;
    for (const pxv::Attachment& attachment : list)
        out << attachment.name;
    return out;
}

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

} // namespace

class TestAttachments : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;

private slots:
    void addedSavedOutRemovedAndUndone()
    {
        const QByteArray binary = randomBytes(70000);
        const QByteArray text = QString::fromUtf8("Grüße\n").repeated(20).toUtf8();
        const QString binaryPath = m_dir.write("data.bin", binary);
        const QString textPath = m_dir.write("notes.txt", text);

        auto document = Document::open(m_dir.write("plain.pdf", testpdfs::sample({2})));
        QVERIFY(document->attachments().isEmpty());
        QCOMPARE(document->addAttachment(binaryPath), QString("data.bin"));
        QCOMPARE(document->addAttachment(textPath, QString::fromUtf8("Notizen – 笔记")), QString("notes.txt"));
        // A second file of a taken name gets a name of its own.
        const QString second = document->addAttachment(textPath);
        QVERIFY(second != "notes.txt" && second.endsWith(".txt"));
        QCOMPARE(document->historySteps(), QStringList({"Add Attachment", "Add Attachment", "Add Attachment"}));

        const QList<pxv::Attachment> listed = document->attachments();
        QCOMPARE(names(listed).size(), 3);
        for (const pxv::Attachment& attachment : listed) {
            const QByteArray expected = attachment.name == "data.bin" ? binary : text;
            QCOMPARE(attachment.size, qint64(expected.size()));
            QCOMPARE(document->attachmentData(attachment.name), expected);
            QCOMPARE(attachment.description,
                     attachment.name == "notes.txt" ? QString::fromUtf8("Notizen – 笔记") : QString());
        }

        const QString out = m_dir.filePath("out.bin");
        document->saveAttachment("data.bin", out);
        QFile saved(out);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), binary);
        QVERIFY_EXCEPTION_THROWN(document->saveAttachment("missing", out), pxv::DocumentError);
        QVERIFY_EXCEPTION_THROWN(document->addAttachment(m_dir.filePath("missing.txt")), pxv::DocumentError);

        document->removeAttachment("notes.txt");
        QVERIFY(!names(document->attachments()).contains("notes.txt"));
        QVERIFY_EXCEPTION_THROWN(document->removeAttachment("notes.txt"), pxv::DocumentError);
        QCOMPARE(document->historySteps().size(), 4);

        const QString pdf = m_dir.filePath("attached.pdf");
        document->save(pdf);
        QVERIFY(testpdfs::qpdfCheck(pdf));
        QCOMPARE(testpdfs::qpdfAttachment(pdf, "data.bin"), binary);
        QCOMPARE(testpdfs::qpdfAttachment(pdf, second), text);
        QVERIFY(testpdfs::qpdfAttachment(pdf, "notes.txt").isEmpty());
        QCOMPARE(names(Document::open(pdf)->attachments()), names(document->attachments()));

        document->undo();
        QVERIFY(names(document->attachments()).contains("notes.txt"));
        document->setHistoryPosition(0);
        QVERIFY(document->attachments().isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestAttachments)
#include "tst_attachments.moc"
