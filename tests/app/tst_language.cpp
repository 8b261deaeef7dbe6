#include "apptest.h"
#include "cwinapp.h"
#include "ipxv.h"
#include "pxveditor.h"
#include "qmainwidget.h"
#include "qmsgbox.h"
#include "qtcompat.h"

#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <functional>

// One language everywhere: with the shipped translation of a language loaded the way the
// program loads it, the main window with the editor in it shows no text of the other language.
class TstLanguage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void windowSpeaksOneLanguage_data();
    void windowSpeaksOneLanguage();
    void qtStandardButtonsFollowTheLanguage();
};

namespace {

// Where a text shows, for the failure message.
struct ShownText
{
    QString where;
    QString text;
    bool tooltip = false;
};

void collectMenu(QMenu* menu, const QString& path, QList<ShownText>& texts)
{
    // Entries filled in only when a menu opens.
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        const QString where = path + " > " + action->text();
        // After a tab, the keys that do it.
        texts.append({where, action->text().section('\t', 0, 0)});
        texts.append({where, action->text().section('\t', 1), true});
        if (action->menu())
            collectMenu(action->menu(), where, texts);
    }
}

QList<ShownText> shownTexts(QWidget* window)
{
    QList<ShownText> texts;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>())
        for (QAction* action : bar->actions())
            if (action->menu()) {
                texts.append({"menu bar", action->text()});
                collectMenu(action->menu(), action->text(), texts);
            }
    // Menus of their own, such as the title bar's.
    for (QMenu* menu : window->findChildren<QMenu*>())
        if (!qtcompat::isAddedToWidgets(menu->menuAction()))
            collectMenu(menu, menu->objectName(), texts);
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        for (QAction* action : bar->actions())
            if (!action->isSeparator())
                texts.append({"tooltip of " + action->text(), action->toolTip(), true});
    for (QToolButton* button : window->findChildren<QToolButton*>())
        texts.append({"tooltip of button " + button->objectName(), button->toolTip(), true});
    return texts;
}

// Words of the Latin alphabet that are no names of products or formats, nor, where keysAllowed,
// names of keys ("Ctrl+O", "Shift+F3", "Esc"); single letters are the accelerators written in
// brackets after Chinese texts.
QStringList latinWords(QString text, bool keysAllowed)
{
    static const QStringList names = {"PDF", "Word", "Excel", "PPT", "CAD", "JPEG", "PNG", "XFDF", "OK"};
    static const QStringList keys = {"Enter", "Return", "Esc", "Tab", "Del", "Ins", "PgUp", "PgDown", "Home", "End"};
    static const QRegularExpression modifier(QStringLiteral("\\b(Ctrl|Shift|Alt|Meta)\\+"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    if (keysAllowed)
        text.remove(modifier);
    QStringList found;
    for (auto words = word.globalMatch(text); words.hasNext();) {
        const QString w = words.next().captured();
        if (!names.contains(w) && !(keysAllowed && keys.contains(w)))
            found << w;
    }
    return found;
}

bool hasCjk(const QString& text)
{
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return cjk.match(text).hasMatch();
}

// Messages of the editor from outside its widgets, each from another translation context: the
// instance's, the operations', the page ranges'. Names of parameters and operations, which stand
// in quotes in any language, are left out.
QStringList editorRefusals(IPXV_Inst* inst)
{
    static const QRegularExpression quoted(QStringLiteral("“[^”]*”"));
    QStringList messages;
    const auto refuse = [&](const std::function<void()>& call) {
        try {
            call();
        } catch (const PXV_Error& error) {
            messages << QString(error.message()).remove(quoted);
        }
    };
    const auto run = [inst](const QString& operationName, const QVariantMap& parameters) {
        const std::shared_ptr<IPXV_Operation> operation = inst->createOperation(inst->nameToId(operationName, true));
        for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
            operation->params()->child(it.key())->setValue(it.value());
        inst->runOperation(operation.get(), 0);
    };
    refuse([&] { run("op.document.importCommentsAndFields", {}); });
    refuse([&] { run("op.document.rotatePages", {{"Pages", "0"}}); });
    refuse([&] { run("op.document.rotatePages", {{"Angle", 45}}); });
    refuse([&] { inst->nameToId("op.noSuchThing", true); });
    return messages;
}

} // namespace

void TstLanguage::initTestCase()
{
    QMsgBox::setHandler([](QMsgBox::Kind, const QString& text) { qWarning() << "message:" << text; });
}

void TstLanguage::windowSpeaksOneLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "en";
    QTest::newRow("Chinese") << "zh";
}

void TstLanguage::windowSpeaksOneLanguage()
{
    QFETCH(QString, language);
    QTranslator qt;
    QTranslator own;
    QVERIFY(CWinApp::loadQtTranslation(qt, language));
    QVERIFY(CWinApp::loadTranslation(own, QStringLiteral(VP_BIN_DIR "/"), language));
    QCoreApplication::installTranslator(&qt);
    QCoreApplication::installTranslator(&own);

    QMainWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.onNewBlankDoc();
    QTRY_VERIFY(!window.control()->activeDocPath().isNull());
    QList<ShownText> texts = shownTexts(&window);
    // Enough of the menus and tools to matter: the editor's and the window's own.
    QVERIFY2(texts.size() > 60, qPrintable(QString::number(texts.size())));
    const QStringList refusals = editorRefusals(window.control()->inst());
    QCOMPARE(refusals.size(), 4);
    for (const QString& refusal : refusals)
        texts.append({"message", refusal});

    QStringList offending;
    for (const ShownText& shown : texts) {
        const bool foreign = language == "en" ? hasCjk(shown.text) : !latinWords(shown.text, shown.tooltip).isEmpty();
        if (foreign)
            offending << shown.where + ": " + shown.text;
    }
    offending.removeDuplicates();
    QVERIFY2(offending.isEmpty(), qPrintable("Texts in the other language:\n" + offending.join('\n')));
}

void TstLanguage::qtStandardButtonsFollowTheLanguage()
{
    QTranslator qt;
    QVERIFY(CWinApp::loadQtTranslation(qt, "zh"));
    QCoreApplication::installTranslator(&qt);
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    for (QAbstractButton* button : box.buttons())
        QVERIFY2(hasCjk(button->text()) && latinWords(button->text(), false).isEmpty(), qPrintable(button->text()));
    // A language without Qt's translation stays English, without complaint.
    QTranslator none;
    QVERIFY(!CWinApp::loadQtTranslation(none, "xx"));
}

int main(int argc, char** argv)
{
    return runAppTest<TstLanguage>(argc, argv);
}

#include "tst_language.moc"
