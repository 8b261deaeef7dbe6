// Filling a form on the pages as a user does: a click or Tab puts an editor over the field,
// typing and Enter commit one step, Esc reverts, buttons toggle; the editor follows the zoom;
// the tint and Reset Form from the Form menu; signature fields listed with their state.

#include "hostedcontrol.h"
#include "testpdfs.h"

#include "core/document.h"
#include "ui/actionset.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/fieldeditor.h"
#include "ui/formfiller.h"
#include "ui/nametable.h"
#include "ui/pageview.h"
#include "ui/signaturespane.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

using pxv::FieldType;
using pxv::FormField;

class TestFormFill : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        registerPXVEditor();
    }

    void init()
    {
        QVERIFY(m_hosted.create());
        const QString path = m_dir.filePath("form.pdf");
        QVERIFY(!testpdfs::writeBytes(path, testpdfs::formSample({})).isEmpty());
        m_hosted.control->openPath(path, 0);
        QTRY_VERIFY(pages() && pages()->hasPaintedPage());
        pages()->setFocus();
    }

    void cleanup() { m_hosted.destroy(); }

    void typingTabbingAndTogglingFillTheForm()
    {
        // A click into the name field: an editor over it, at the field's place.
        click(field("name"));
        pxv::FieldEditor* editor = currentEditor();
        QVERIFY(editor);
        QCOMPARE(editor->field().name, QString("name"));
        QVERIFY(QRectF(editor->geometry()).adjusted(-2, -2, 2, 2).contains(pages()->areaRect(0, field("name").rect)));
        auto* line = qobject_cast<QLineEdit*>(editor->input());
        QVERIFY(line && line->hasFocus());
        line->selectAll();
        QTest::keyClicks(line, "Max Mustermann");
        const int steps = model()->historyPosition();
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(model()->historyPosition(), steps + 1);
        QCOMPARE(value("name").value, QString("Max Mustermann"));
        QVERIFY(!currentEditor());

        // Tab goes on in the form's order: the check box, which Space ticks.
        QTest::keyClick(pages(), Qt::Key_Tab);
        QCOMPARE(currentEditor()->field().name, QString("agree"));
        QTest::keyClick(currentEditor(), Qt::Key_Space);
        QVERIFY(value("agree").checked);
        // A multi-line field takes Enter as a line break; Ctrl+Enter commits.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(currentEditor()->field().name, QString("notes"));
        QVERIFY(qobject_cast<QPlainTextEdit*>(currentEditor()->input()));
        QTest::keyClicks(currentEditor()->input(), "one");
        QTest::keyClick(currentEditor()->input(), Qt::Key_Return);
        QTest::keyClicks(currentEditor()->input(), "two");
        QTest::keyClick(currentEditor()->input(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(value("notes").value, QString("one\ntwo"));

        // Shift+Tab from the first field wraps to the last fillable one; Tab comes back.
        pages()->forms()->activate(field("name"), false);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(currentEditor()->field().name, QString("second"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(currentEditor()->field().name, QString("name"));

        // Esc reverts what was typed and leaves no step.
        pages()->forms()->activate(field("code"), false);
        auto* comb = qobject_cast<QLineEdit*>(currentEditor()->input());
        QTest::keyClicks(comb, "ABCDEFGH");
        QCOMPARE(comb->text(), QString("ABCDEF")); // its maximum length
        const int before = model()->historyPosition();
        QTest::keyClick(comb, Qt::Key_Escape);
        QVERIFY(!currentEditor());
        QCOMPARE(model()->historyPosition(), before);
        QCOMPARE(value("code").value, QString());

        // A password is typed masked; clicking elsewhere on the page keeps it.
        pages()->forms()->activate(field("secret"), false);
        QCOMPARE(qobject_cast<QLineEdit*>(currentEditor()->input())->echoMode(), QLineEdit::Password);
        QTest::keyClicks(currentEditor()->input(), "pw");
        QTest::mouseClick(pages()->viewport(), Qt::LeftButton, {},
                          pages()->areaRect(0, QRectF(520, 200, 1, 1)).center().toPoint());
        QVERIFY(!currentEditor());
        QCOMPARE(value("secret").value, QString("pw"));

        // The editable combo box takes a typed entry; the list box several choices.
        pages()->forms()->activate(field("fruit"), false);
        auto* combo = qobject_cast<QComboBox*>(currentEditor()->input());
        QVERIFY(combo && combo->isEditable());
        QCOMPARE(combo->currentText(), QString("Banana"));
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), "Kiwi");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(value("fruit").value, QString("Kiwi"));
        pages()->forms()->activate(field("colours"), false);
        auto* list = qobject_cast<QListWidget*>(currentEditor()->input());
        QCOMPARE(list->selectionMode(), QAbstractItemView::MultiSelection);
        list->item(0)->setSelected(true);
        list->item(2)->setSelected(true);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(value("colours").selected, QStringList({"r", "b"}));

        // A click on a radio button turns it on, one step, and its group's other off.
        click(field("color", "Red"));
        QVERIFY(value("color", "Red").checked);
        click(field("color", "Green"));
        QVERIFY(value("color", "Green").checked && !value("color", "Red").checked);
    }

    void theClickThatOpensAListActsOnIt()
    {
        // On a combo box's arrow it opens the list; on a list box's entry it picks the entry.
        click(field("fruit"), [](const QRectF& r) { return QPointF(r.right() - 3, r.center().y()); });
        auto* combo = qobject_cast<QComboBox*>(currentEditor()->input());
        QVERIFY(combo);
        QTRY_VERIFY(combo->view()->isVisible());
        combo->hidePopup();
        click(field("colours"), [](const QRectF& r) { return r.topLeft() + QPointF(10, 4); });
        auto* list = qobject_cast<QListWidget*>(currentEditor()->input());
        QVERIFY(list);
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->selectedItems().first()->text(), QString("Red"));
    }

    void theEditorFollowsTheZoomAndTheRotatedPage()
    {
        pages()->forms()->activate(field("name"), false);
        pages()->setZoom(2.0);
        QTRY_VERIFY(QRectF(currentEditor()->geometry())
                        .adjusted(-2, -2, 2, 2)
                        .contains(pages()->areaRect(0, field("name").rect)));
        const QSize wide = currentEditor()->size();
        pages()->setZoom(1.0);
        QVERIFY(currentEditor()->width() < wide.width() * 0.6);

        // On the page turned a quarter, the editor stands where the page shows the field.
        pages()->forms()->activate(field("second"), false);
        const QRectF shown = pages()->areaRect(1, field("second").rect);
        QVERIFY(shown.height() > shown.width());
        QVERIFY(QRectF(currentEditor()->geometry()).adjusted(-2, -2, 2, 2).contains(shown));
    }

    void formMenuTintsResetsAndListsSignatures()
    {
        const QPoint centre = pages()->areaRect(0, field("notes").rect).center().toPoint();
        const QRgb tinted = pages()->viewport()->grab().toImage().pixel(centre);
        QAction* tint = m_hosted.widget->actions()->action(pxv::names::kHighlightFields);
        QVERIFY(tint->isChecked());
        tint->trigger();
        QVERIFY(!pages()->forms()->isTinted());
        const QRgb plain = pages()->viewport()->grab().toImage().pixel(centre);
        QVERIFY(qBlue(tinted) > qRed(tinted) && plain == qRgb(255, 255, 255));
        tint->trigger();
        QVERIFY(pages()->forms()->isTinted());

        pages()->forms()->activate(field("name"), false);
        QTest::keyClicks(currentEditor()->input(), "Changed");
        QTest::keyClick(currentEditor()->input(), Qt::Key_Return);
        const int steps = model()->historyPosition();
        m_hosted.widget->actions()->action(pxv::names::kResetForm)->trigger();
        QCOMPARE(model()->historyPosition(), steps + 1);
        QCOMPARE(value("name").value, QString("Ann"));

        // Form scripts are off until the Form menu (or the host's setting) turns them on.
        QVERIFY(!model()->scriptsEnabled());
        m_hosted.widget->actions()->action(pxv::names::kRunFormScripts)->trigger();
        QVERIFY(model()->scriptsEnabled());
        QVERIFY(m_hosted.control->inst()->settings()->getBool("Forms.Scripts"));
        m_hosted.control->inst()->settings()->setBool("Forms.Scripts", false);
        QVERIFY(!model()->scriptsEnabled());
        QVERIFY(!m_hosted.widget->actions()->action(pxv::names::kRunFormScripts)->isChecked());

        m_hosted.widget->actions()->action(pxv::names::kShowSignatures)->trigger();
        pxv::SignaturesPane* pane = m_hosted.widget->activeView()->signaturesPane();
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->objectName(), QString("signaturesView"));
        QCOMPARE(pane->topLevelItemCount(), 1);
        QCOMPARE(pane->topLevelItem(0)->text(0), QString("sign"));
        QCOMPARE(pane->topLevelItem(0)->text(2), QString("Not signed"));
        QVERIFY(pxv::FormFiller::tooltip(field("sign")).contains("not signed"));
    }

private:
    pxv::PageView* pages() const
    {
        pxv::DocumentView* view = m_hosted.widget->activeView();
        return view ? view->pageView() : nullptr;
    }
    pxv::Document* model() const { return m_hosted.widget->activeView()->document()->model(); }
    pxv::FieldEditor* currentEditor() const { return pages()->forms()->editor(); }

    FormField value(const QString& name, const QString& state = QString()) const { return field(name, state); }
    FormField field(const QString& name, const QString& state = QString()) const
    {
        for (int page = 0; page < model()->pageCount(); ++page) {
            for (const FormField& f : model()->formFields(page)) {
                if (f.name == name && (state.isEmpty() || f.onState == state))
                    return f;
            }
        }
        return {};
    }

    // On the field's middle, or on the point of the page that where picks from its rect.
    void click(const FormField& f, const std::function<QPointF(const QRectF&)>& where = {})
    {
        pages()->showArea(f.page, f.rect);
        const QPointF point = where ? where(f.rect) : f.rect.center();
        const QPoint at = pages()->areaRect(f.page, QRectF(point, QSizeF(0.01, 0.01))).center().toPoint();
        QTest::mouseClick(pages()->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir m_dir;
    HostedControl m_hosted;
};

QTEST_MAIN(TestFormFill)
#include "tst_formfill.moc"
