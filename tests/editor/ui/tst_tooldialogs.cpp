// The Document menu's dialogs: the watermark and header dialog's preview, a copy of the current
// page stamped as chosen and drawn by the render workers, and what its choices make of the
// operation's parameters; the properties dialog.

#include "testpdfs.h"

#include "core/document.h"
#include "ui/pagepicture.h"
#include "ui/propertiesdialog.h"
#include "ui/securitydialog.h"
#include "ui/stampdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QtTest>

using pxv::Document;
using pxv::StampKind;

namespace {

QPushButton* ok(QWidget& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

// Pixels of the picture that are neither white nor near it.
int inked(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
    }
    return count;
}

} // namespace

class TestToolDialogs : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void previewShowsTheStampWithoutTouchingTheDocument()
    {
        const QString path = testpdfs::writeBytes(m_dir.filePath("blank.pdf"),
                                                  testpdfs::build({
                                                      "<< /Type /Catalog /Pages 2 0 R >>",
                                                      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                                      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>",
                                                  }));
        auto document = Document::open(path);
        pxv::StampDialog dialog(StampKind::Watermark, document.get(), 0, {});
        dialog.resize(760, 560);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        pxv::PagePicture* preview = dialog.preview();
        QTRY_VERIFY(inked(preview->image()) > 0);
        if (qEnvironmentVariableIsSet("VP_GRAB"))
            dialog.grab().save(qEnvironmentVariable("VP_GRAB"));

        dialog.textEdit()->clear();
        dialog.updatePreviewNow();
        QTRY_COMPARE(inked(preview->image()), 0);
        QVERIFY(!ok(dialog)->isEnabled());
        dialog.textEdit()->setText("Draft");
        dialog.updatePreviewNow();
        QTRY_VERIFY(inked(preview->image()) > 0);
        QVERIFY(ok(dialog)->isEnabled());
        QVERIFY(document->historySteps().isEmpty());

        const QVariantMap parameters = dialog.parameters();
        QCOMPARE(parameters.value("Text").toString(), QString("Draft"));
        QCOMPARE(parameters.value("Pages").toString(), QString("all"));
        QCOMPARE(parameters.value("Position").toString(), QString("center"));
        // What the dialog asks for is what the document takes.
        pxv::StampStyle style;
        style.opacity = parameters.value("Opacity").toDouble();
        style.rotation = parameters.value("Rotation").toDouble();
        style.fontSize = parameters.value("FontSize").toDouble();
        style.color = QColor(parameters.value("Color").toString());
        document->addWatermark({0}, parameters.value("Text").toString(), style);
        QCOMPARE(document->historySteps().size(), 1);
    }

    void headersStandAtAnEdgeAndCountFromTheirFirstNumber()
    {
        const QString path = testpdfs::writeBytes(m_dir.filePath("sample.pdf"), testpdfs::sample({}));
        auto document = Document::open(path);
        pxv::StampDialog dialog(StampKind::HeaderFooter, document.get(), 1, {0, 2});
        QComboBox* positions = dialog.findChild<QComboBox*>();
        QCOMPARE(positions->count(), 6);
        QCOMPARE(positions->findData("center"), -1);
        const QVariantMap parameters = dialog.parameters();
        QCOMPARE(parameters.value("Position").toString(), QString("bottom"));
        QCOMPARE(parameters.value("Pages").toString(), QString("1,3"));
        QVERIFY(parameters.value("Text").toString().contains("{n}"));
        QVERIFY(parameters.contains("StartNumber") && parameters.contains("Bottom"));
        QVERIFY(!parameters.contains("Image"));
        // The thumbnails' one selected page is where they are, not a choice: the document is stamped.
        QCOMPARE(pxv::StampDialog(StampKind::HeaderFooter, document.get(), 1, {1}).parameters().value("Pages"),
                 QVariant("all"));
    }

    void securityNeedsEachPasswordTwiceAlike()
    {
        pxv::ProtectionState state;
        state.method = "AES 256";
        state.openPassword = true;
        state.permissions = pxv::PermitPrint;
        pxv::SecurityDialog dialog(state);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        if (qEnvironmentVariableIsSet("VP_GRAB"))
            dialog.grab().save(qEnvironmentVariable("VP_GRAB") + ".security.png");
        const QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>();
        QCOMPARE(edits.size(), 4);
        QVERIFY(!ok(dialog)->isEnabled()); // both boxes ticked, no password typed
        edits[0]->setText("one");
        edits[1]->setText("one");
        edits[2]->setText("two");
        edits[3]->setText("tow");
        QVERIFY(!ok(dialog)->isEnabled());
        edits[3]->setText("two");
        QVERIFY(ok(dialog)->isEnabled());
        pxv::Protection chosen = dialog.protection();
        QCOMPARE(chosen.openPassword, QString("one"));
        QCOMPARE(chosen.permissionsPassword, QString("two"));
        QCOMPARE(chosen.permissions, int(pxv::PermitPrint));
        // Both boxes cleared: the protection goes.
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
            if (box->text().contains("password"))
                box->setChecked(false);
        }
        QVERIFY(ok(dialog)->isEnabled());
        QVERIFY(!dialog.protection().encrypts());
    }

    void propertiesShowTheFileAndEditItsDescription()
    {
        pxv::DocumentInfo info;
        info.title = "A title";
        info.keywords = "k";
        info.fonts = {{"ABCDEF+Serif", "TrueType", true}, {"Helvetica", "Type1", false}};
        pxv::PropertiesDialog dialog(info, QSizeF(595.3, 841.9), 12);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        if (qEnvironmentVariableIsSet("VP_GRAB"))
            dialog.grab().save(qEnvironmentVariable("VP_GRAB") + ".properties.png");
        QCOMPARE(dialog.findChild<QTreeWidget*>()->topLevelItemCount(), 2);
        QLineEdit* title = dialog.findChild<QLineEdit*>();
        QCOMPARE(title->text(), QString("A title"));
        title->setText("Another");
        const pxv::EditableInfo edited = dialog.edited();
        QCOMPARE(edited.title, QString("Another"));
        QCOMPARE(edited.keywords, QString("k"));
        QVERIFY(edited.author.isEmpty());
    }
};

QTEST_MAIN(TestToolDialogs)
#include "tst_tooldialogs.moc"
