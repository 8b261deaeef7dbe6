// Filling a form in the real program: Tab into the first field, type a name, Tab on to the
// check box and tick it with Space, save, and read the values back from the file.

#include "e2eharness.h"
#include "testpdfs.h"

#include "core/document.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

class TstE2EForms : public QObject
{
    Q_OBJECT

private slots:
    void typeTickAndSave();

private:
    QTemporaryDir m_files;
};

namespace {

// The field named name as the saved file holds it.
pxv::FormField savedField(const QString& path, const QString& name)
{
    const auto document = pxv::Document::open(path);
    for (const pxv::FormField& field : document->formFields(0)) {
        if (field.name == name)
            return field;
    }
    return {};
}

} // namespace

void TstE2EForms::typeTickAndSave()
{
    E2EHarness harness(true);
    E2E_REQUIRE(harness);
    const QString path = testpdfs::writeBytes(m_files.filePath("form.pdf"), testpdfs::formSample({}));
    QVERIFY(!path.isEmpty());
    QVERIFY(!savedField(path, "agree").checked);
    harness.startProgram({path});
    const qulonglong window = harness.waitForWindow("OrvantoPDF", 20000);
    QVERIFY(window != 0);
    QVERIFY(harness.waitForDocument());
    QElapsedTimer timer;

    // The form's first field is the name, whose editor selects the text it holds.
    harness.typeKeys(window, "Tab");
    QThread::msleep(300);
    harness.xdotool({"type", "--delay", "30", "Wanda Quest"});
    harness.xdotool({"key", "Tab"});
    QThread::msleep(300);
    harness.xdotool({"key", "space"});
    QThread::msleep(300);
    harness.screenshot(harness.home() + "/filled.png");
    harness.typeKeys(window, "ctrl+s");

    for (timer.restart(); !savedField(path, "agree").checked && timer.elapsed() < E2EHarness::slow(10000);
         QThread::msleep(200)) {
    }
    QVERIFY(savedField(path, "agree").checked);
    QCOMPARE(savedField(path, "name").value, QStringLiteral("Wanda Quest"));
    QVERIFY(testpdfs::popplerText(path, 0).contains("Wanda Quest"));
    QCOMPARE(testpdfs::qpdfProblems(path), QString());
}

QTEST_MAIN(TstE2EForms)
#include "tst_e2e_forms.moc"
