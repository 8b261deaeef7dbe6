#include "ui/combinedialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using pxv::CombineDialog;

class TestCombineDialog : public QObject
{
    Q_OBJECT

private slots:
    void okNeedsFiles();
    void filesMoveAndGo();
    void imagesChoosePaper();

private:
    static QPushButton* button(CombineDialog& dialog, const QString& text);
};

QPushButton* TestCombineDialog::button(CombineDialog& dialog, const QString& text)
{
    for (QPushButton* candidate : dialog.findChildren<QPushButton*>()) {
        if (candidate->text().remove('&') == text)
            return candidate;
    }
    return nullptr;
}

void TestCombineDialog::okNeedsFiles()
{
    CombineDialog dialog;
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QVERIFY(!ok->isEnabled());
    dialog.addFiles({"/tmp/a.pdf"});
    QVERIFY(ok->isEnabled());
    button(dialog, "Remove")->click();
    QVERIFY(!ok->isEnabled());
    QVERIFY(dialog.files().isEmpty());
}

void TestCombineDialog::filesMoveAndGo()
{
    CombineDialog dialog;
    dialog.addFiles({"/tmp/a.pdf", "/tmp/b.pdf", "/tmp/c.pdf"});
    auto* list = dialog.findChild<QListWidget*>();
    QPushButton* up = button(dialog, "Move Up");
    QPushButton* down = button(dialog, "Move Down");
    QVERIFY(up && down);

    // The last added file is selected: it cannot go further down.
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(!down->isEnabled());
    up->click();
    up->click();
    QCOMPARE(dialog.files(), QStringList({"/tmp/c.pdf", "/tmp/a.pdf", "/tmp/b.pdf"}));
    QVERIFY(!up->isEnabled());
    down->click();
    QCOMPARE(dialog.files(), QStringList({"/tmp/a.pdf", "/tmp/c.pdf", "/tmp/b.pdf"}));
    button(dialog, "Remove")->click();
    QCOMPARE(dialog.files(), QStringList({"/tmp/a.pdf", "/tmp/b.pdf"}));
    QCOMPARE(list->item(0)->text(), QString("a.pdf"));

    const QString shots = qEnvironmentVariable("VP_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(QDir(shots).filePath("combine-dialog.png")));
    }
}

void TestCombineDialog::imagesChoosePaper()
{
    CombineDialog dialog(nullptr, CombineDialog::Kind::Images);
    dialog.addFiles({"/tmp/b.png", "/tmp/a.jpg"});
    QCOMPARE(dialog.files(), QStringList({"/tmp/b.png", "/tmp/a.jpg"}));
    // The image's own size unless a paper is chosen.
    QCOMPARE(dialog.paperSize(), QString());
    auto* paper = dialog.findChild<QComboBox*>();
    QVERIFY(paper);
    QStringList sizes;
    for (int i = 1; i < paper->count(); ++i) {
        paper->setCurrentIndex(i);
        sizes.append(dialog.paperSize());
    }
    QCOMPARE(sizes, QStringList({"A4", "Letter"}));
    QVERIFY(!CombineDialog().findChild<QComboBox*>());

    const QString shots = qEnvironmentVariable("VP_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(QDir(shots).filePath("images-dialog.png")));
    }
}

QTEST_MAIN(TestCombineDialog)
#include "tst_combinedialog.moc"
