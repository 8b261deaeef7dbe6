// Forms: a field of every kind filled, saved incrementally and read back, by this reader and by
// poppler, buttons without a look too; the document's field order; each fill and a reset one step;
// scripts off unless enabled.

#include "core/document.h"
#include "pdffolder.h"

#include <QSignalSpy>
#include <QtTest>

using pxv::Document;
using pxv::FieldType;
using pxv::FieldValue;
using pxv::FormField;

namespace {

// Every widget of the document by field name ("color" has one per button, by on state).
QHash<QString, FormField> widgets(const Document& document)
{
    QHash<QString, FormField> found;
    for (int page = 0; page < document.pageCount(); ++page) {
        for (const FormField& field : document.formFields(page))
            found.insert(field.type == FieldType::RadioButton ? field.name + "." + field.onState : field.name, field);
    }
    return found;
}

FieldValue text(const QString& value)
{
    FieldValue v;
    v.text = value;
    return v;
}

FieldValue checked(bool on)
{
    FieldValue v;
    v.checked = on;
    return v;
}

FieldValue chosen(const QStringList& options)
{
    FieldValue v;
    v.selected = options;
    return v;
}

void fill(Document& document, const QString& name, const FieldValue& value)
{
    const FormField field = widgets(document).value(name);
    QVERIFY2(field.id > 0, qPrintable(name));
    document.setFieldValue(field.page, field.id, value);
}

// Whether poppler draws anything but white inside the widget's rectangle.
bool inked(const QString& path, const FormField& field)
{
    const QImage page = testpdfs::popplerPage(path, field.page);
    const QRect area = field.rect.adjusted(3, 3, -3, -3).toAlignedRect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(page.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

// How many separate bands of the colour that marks chosen options poppler draws down the middle
// of the widget.
int bandsIn(const QString& path, const FormField& field)
{
    const QImage page = testpdfs::popplerPage(path, field.page);
    const QRect area = field.rect.toAlignedRect();
    int bands = 0;
    bool inBand = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QColor c = page.pixelColor(area.center().x(), y);
        const bool band = qAbs(c.red() - 153) < 12 && qAbs(c.green() - 193) < 12 && qAbs(c.blue() - 218) < 12;
        bands += band && !inBand ? 1 : 0;
        inBand = band;
    }
    return bands;
}

} // namespace

class TestForms : public QObject
{
    Q_OBJECT

private slots:
    void fieldsAreReadWithTheirKindsInTheDocumentsOrder();
    void everyKindFilledIsSavedWithAppearancesOthersShow();
    void eachFillAndAResetAreOneStep();
    void scriptsRunOnlyWhenEnabled();
    void aFieldTreeThatHoldsItselfIsReadButNotFilled();
    void buttonsWithoutALookShowWhatTheyAreSetTo();

private:
    PdfFolder m_folder;
};

void TestForms::fieldsAreReadWithTheirKindsInTheDocumentsOrder()
{
    const auto document = Document::open(m_folder.write("order.pdf", testpdfs::formSample({3, false})));
    const QHash<QString, FormField> all = widgets(*document);
    QCOMPARE(all.value("name").type, FieldType::Text);
    QCOMPARE(all.value("name").value, QStringLiteral("Ann"));
    QCOMPARE(all.value("name").tooltip, QStringLiteral("Your name"));
    QVERIFY(all.value("notes").multiline && !all.value("name").multiline);
    QVERIFY(all.value("code").comb);
    QCOMPARE(all.value("code").maxLength, 6);
    QVERIFY(all.value("secret").password && !all.value("notes").password);
    QCOMPARE(all.value("agree").type, FieldType::CheckBox);
    QCOMPARE(all.value("agree").onState, QStringLiteral("Yes"));
    QVERIFY(!all.value("agree").checked);
    QCOMPARE(all.value("color.Green").type, FieldType::RadioButton);
    QCOMPARE(all.value("fruit").type, FieldType::ComboBox);
    QVERIFY(all.value("fruit").editable);
    QCOMPARE(all.value("fruit").options, QStringList({"Apple", "Banana", "Cherry"}));
    QCOMPARE(all.value("colours").type, FieldType::ListBox);
    QVERIFY(all.value("colours").multiSelect && !all.value("fruit").multiSelect);
    QCOMPARE(all.value("colours").options, QStringList({"Red", "Green", "Blue"}));
    QCOMPARE(all.value("colours").exportValues, QStringList({"r", "g", "b"}));
    QCOMPARE(all.value("sign").type, FieldType::Signature);
    QVERIFY(!all.value("sign").isSigned);

    // On the rotated page the field stands where the page shows it: inside the turned page.
    const FormField second = all.value("second");
    QCOMPARE(second.page, 1);
    QCOMPARE(second.quarterTurns, 1);
    QVERIFY(QRectF(QPointF(), document->pageSize(1)).contains(second.rect));
    QVERIFY(second.rect.height() > second.rect.width());

    // Tab goes by the form's list of fields, a radio group's buttons in turn.
    QStringList order;
    for (const auto& [page, id] : document->fieldOrder()) {
        for (const FormField& field : document->formFields(page)) {
            if (field.id == id && !order.contains(field.name))
                order.append(field.name);
        }
    }
    QCOMPARE(order, testpdfs::formOrder(3));
    QCOMPARE(document->fieldOrder().size(), all.size());
}

void TestForms::everyKindFilledIsSavedWithAppearancesOthersShow()
{
    const QString path = m_folder.write("filled.pdf", testpdfs::formSample({}));
    const qint64 originalSize = QFileInfo(path).size();
    const QByteArray original = [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    {
        const auto document = Document::open(path);
        fill(*document, "name", text("Zoe Quill"));
        fill(*document, "notes", text("first line\nsecond line"));
        fill(*document, "code", text("AB12CD"));
        fill(*document, "secret", text("hunter7"));
        fill(*document, "agree", checked(true));
        fill(*document, "color.Green", checked(true));
        fill(*document, "fruit", text("Dragonfruit"));
        fill(*document, "colours", chosen({"r", "b"}));
        fill(*document, "second", text("Sideways"));
        document->save(path);
    }
    QVERIFY2(testpdfs::qpdfCheck(path), qPrintable(testpdfs::qpdfProblems(path)));
    // Saved incrementally: the file as it was, and the changes after it.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(QFileInfo(path).size() > originalSize);
    QVERIFY(file.readAll().startsWith(original));

    const auto reopened = Document::open(path);
    const QHash<QString, FormField> all = widgets(*reopened);
    QCOMPARE(all.value("name").value, QStringLiteral("Zoe Quill"));
    QCOMPARE(all.value("notes").value, QStringLiteral("first line\nsecond line"));
    QCOMPARE(all.value("code").value, QStringLiteral("AB12CD"));
    QCOMPARE(all.value("secret").value, QStringLiteral("hunter7"));
    QVERIFY(all.value("agree").checked);
    QVERIFY(all.value("color.Green").checked);
    QVERIFY(!all.value("color.Red").checked);
    QCOMPARE(all.value("fruit").value, QStringLiteral("Dragonfruit"));
    QCOMPARE(all.value("colours").selected, QStringList({"r", "b"}));

    // Another reader shows what was typed, the password masked, and the ticked boxes.
    const QString shown = testpdfs::popplerText(path, 0);
    for (const char* typed : {"Zoe Quill", "first line", "second line", "Dragonfruit"})
        QVERIFY2(shown.contains(QLatin1String(typed)), qPrintable(shown));
    QVERIFY2(shown.contains("A") && shown.contains("D"), qPrintable(shown));
    QVERIFY2(!shown.contains("hunter7"), qPrintable(shown));
    QVERIFY(testpdfs::popplerText(path, 1).contains("Sideways"));
    QVERIFY(inked(path, all.value("agree")));
    QVERIFY(inked(path, all.value("color.Green")));
    QVERIFY(!inked(path, all.value("color.Red")));
    // Red and Blue chosen, Green between them not.
    QCOMPARE(bandsIn(path, all.value("colours")), 2);
}

void TestForms::eachFillAndAResetAreOneStep()
{
    const QString path = m_folder.write("steps.pdf", testpdfs::formSample({}));
    const auto document = Document::open(path);
    // A fill changes the page its field is on, and nothing else: the view stays where it is.
    QSignalSpy changes(document.get(), &Document::pagesChanged);
    fill(*document, "name", text("Bo"));
    QCOMPARE(changes.size(), 1);
    const auto changed = changes.first().first().value<pxv::PageChanges>();
    QVERIFY(!changed.everything && !changed.structure);
    QCOMPARE(changed.changed, QList<pxv::PageId>({document->pageId(0)}));
    fill(*document, "agree", checked(true));
    fill(*document, "fruit", text("Cherry"));
    fill(*document, "colours", chosen({"g"}));
    fill(*document, "color.Red", checked(true));
    QCOMPARE(document->historyPosition(), 5);
    for (const QList<QVariant>& told : changes)
        QVERIFY(!told.first().value<pxv::PageChanges>().everything);

    document->undo();
    QVERIFY(!widgets(*document).value("color.Red").checked);
    QCOMPARE(widgets(*document).value("colours").selected, QStringList({"g"}));
    document->undo();
    QVERIFY(widgets(*document).value("colours").selected.isEmpty());
    QCOMPARE(widgets(*document).value("fruit").value, QStringLiteral("Cherry"));
    document->redo();
    document->redo();

    document->resetForm();
    QCOMPARE(document->historyPosition(), 6);
    QCOMPARE(document->undoName(), QStringLiteral("Reset Form"));
    QHash<QString, FormField> all = widgets(*document);
    QCOMPARE(all.value("name").value, QStringLiteral("Ann"));
    QCOMPARE(all.value("fruit").value, QStringLiteral("Banana"));
    QVERIFY(!all.value("agree").checked);
    QVERIFY(all.value("colours").selected.isEmpty());

    QVERIFY(!widgets(*document).value("color.Red").checked);
    // A reset of a form at its defaults changes nothing and leaves no step.
    document->resetForm();
    QCOMPARE(document->historyPosition(), 6);

    document->undo();
    all = widgets(*document);
    QCOMPARE(all.value("name").value, QStringLiteral("Bo"));
    QVERIFY(all.value("agree").checked);
    QCOMPARE(all.value("colours").selected, QStringList({"g"}));
    QVERIFY(all.value("color.Red").checked && !all.value("color.Green").checked);

    document->redo();
    document->save(path);
    QVERIFY(testpdfs::qpdfCheck(path));
    const QString shown = testpdfs::popplerText(path, 0);
    QVERIFY2(shown.contains("Ann") && !shown.contains("Bo"), qPrintable(shown));
    QVERIFY(!inked(path, widgets(*document).value("agree")));

    // A field that does not exist on the page changes nothing.
    const int steps = document->historyPosition();
    QVERIFY_EXCEPTION_THROWN(document->setFieldValue(1, widgets(*document).value("name").id, text("x")),
                             pxv::DocumentError);
    QCOMPARE(document->historyPosition(), steps);
}

void TestForms::scriptsRunOnlyWhenEnabled()
{
    const auto document = Document::open(m_folder.write("scripts.pdf", testpdfs::formSample({2, true})));
    QVERIFY(!document->scriptsEnabled());
    fill(*document, "name", text("ab"));
    QCOMPARE(widgets(*document).value("total").value, QString());

    document->setScriptsEnabled(true);
    QVERIFY(document->scriptsEnabled());
    // Its keystroke script asks to open an address and submit the form: refused, the value
    // still taken; the calculation runs.
    fill(*document, "name", text("cd"));
    QCOMPARE(widgets(*document).value("name").value, QStringLiteral("cd"));
    QCOMPARE(widgets(*document).value("total").value, QStringLiteral("cdcd"));

    document->setScriptsEnabled(false);
    fill(*document, "name", text("ef"));
    QCOMPARE(widgets(*document).value("total").value, QStringLiteral("cdcd"));
}

void TestForms::aFieldTreeThatHoldsItselfIsReadButNotFilled()
{
    const QString path = m_folder.write(
        "loop.pdf",
        testpdfs::build({"<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [4 0 R] /DA (/Helv 12 Tf 0 g) >> >>",
                         "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Annots [5 0 R] >>",
                         "<< /T (loop) /FT /Tx /DV (start) /V (typed) /Kids [5 0 R 4 0 R] >>",
                         "<< /Type /Annot /Subtype /Widget /Parent 4 0 R /Rect [72 700 300 724] /P 3 0 R"
                         " /DA (/Helv 12 Tf 0 g) >>"}));
    const auto document = Document::open(path);
    QCOMPARE(document->fieldOrder(), (QVector<QPair<int, int>>{{0, 5}}));
    // Read, but refused for filling, and left alone by a reset: MuPDF would follow the loop.
    QCOMPARE(widgets(*document).value("loop").value, QStringLiteral("typed"));
    QVERIFY_EXCEPTION_THROWN(document->setFieldValue(0, 5, text("changed")), pxv::DocumentError);
    document->resetForm();
    QCOMPARE(document->historyPosition(), 0);
    QCOMPARE(widgets(*document).value("loop").value, QStringLiteral("typed"));
}

void TestForms::buttonsWithoutALookShowWhatTheyAreSetTo()
{
    // A check box and a radio group as some writers leave them: no appearance at all, so nothing
    // to show their on states with.
    const QString path = m_folder.write(
        "bare-buttons.pdf",
        testpdfs::build({"<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [4 0 R 5 0 R] >> >>",
                         "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Annots [4 0 R 6 0 R 7 0 R] >>",
                         "<< /Type /Annot /Subtype /Widget /FT /Btn /T (agree) /Rect [72 700 90 718] /P 3 0 R"
                         " /V /Off /AS /Off /MK << /BC [0 0 0] >> >>",
                         "<< /FT /Btn /Ff 49152 /T (pick) /V /Off /Kids [6 0 R 7 0 R] >>",
                         "<< /Type /Annot /Subtype /Widget /Parent 5 0 R /Rect [72 650 90 668] /P 3 0 R"
                         " /MK << /BC [0 0 0] >> >>",
                         "<< /Type /Annot /Subtype /Widget /Parent 5 0 R /Rect [110 650 128 668] /P 3 0 R"
                         " /MK << /BC [0 0 0] >> >>"}));
    {
        const auto document = Document::open(path);
        fill(*document, "agree", checked(true));
        QVERIFY(widgets(*document).value("agree").checked);
        const QList<FormField> fields = document->formFields(0);
        const FormField second = *std::find_if(fields.cbegin(), fields.cend(),
                                               [](const FormField& f) { return f.id == 7; });
        document->setFieldValue(0, second.id, checked(true));
        QVERIFY(document->formFields(0).last().checked);
        document->undo();
        QVERIFY(!document->formFields(0).last().checked);
        document->redo();
        document->save(path);
    }
    const auto reopened = Document::open(path);
    const QList<FormField> fields = reopened->formFields(0);
    QVERIFY(fields.first().checked);
    QVERIFY(fields.last().checked);
    QVERIFY(!fields.at(1).checked);
    QVERIFY(inked(path, fields.first()));
    QVERIFY(inked(path, fields.last()));
    QVERIFY(!inked(path, fields.at(1)));
}

QTEST_APPLESS_MAIN(TestForms)
#include "tst_forms.moc"
