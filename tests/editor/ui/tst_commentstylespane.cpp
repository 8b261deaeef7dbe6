// The Comment Styles pane: a look chosen there is the look of the next comment of its kind,
// drawn or added by operation, and outlives the control; the selected comment takes a row's look
// as one step, or gives its own to its kind.

#include "hostedcontrol.h"
#include "pagemouse.h"
#include "testpdfs.h"
#include "testtools.h"
#include "wordpdf.h"

#include "core/commentstyles.h"
#include "core/document.h"
#include "ui/actionset.h"
#include "ui/commentstylespane.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/pageview.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using pxv::Annotation;
using pxv::CommentKind;
using pxv::CommentStyles;

class TestCommentStylesPane : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        registerPXVEditor();
        wordpdf::write(m_dir.filePath("words.pdf"), wordpdf::kAlphaPages);
    }

    void init() { open(false); }

    void cleanup() { m_hosted.destroy(); }

    void chosenLookIsTheNextCommentsAndIsKept()
    {
        const QColor chosen(40, 90, 150);
        QVERIFY(chosen != CommentStyles::builtIn(CommentKind::Rectangle).color);
        m_hosted.dialogs->colorAnswer = chosen;
        // Once the pane is laid out, so that the double-click lands on the row.
        QTRY_VERIFY(pane()->list()->viewport()->rect().contains(rowCenter(CommentKind::Rectangle)));
        // A double-click's first press and release come before it, as from a mouse.
        QTest::mouseClick(pane()->list()->viewport(), Qt::LeftButton, {}, rowCenter(CommentKind::Rectangle));
        QTest::mouseDClick(pane()->list()->viewport(), Qt::LeftButton, {}, rowCenter(CommentKind::Rectangle));
        QCOMPARE(m_hosted.dialogs->colorAsks.size(), 1);
        setOpacity(40);
        // A cancelled colour question changes nothing.
        m_hosted.dialogs->colorAnswer = QColor();
        pane()->chooseColor();

        // Drawn with the mouse, and added by operation with and without a look of its own.
        pages()->setFocus();
        QTest::keyClick(pages(), Qt::Key_R);
        drag(QPointF(100, 300), QPointF(250, 400));
        run("op.document.addAnnot", {{"Type", "Square"}, {"Rect", QStringList{"50", "50", "80", "40"}}});
        run("op.document.addAnnot",
            {{"Type", "Square"}, {"Rect", QStringList{"50", "150", "80", "40"}}, {"Color", "#00ff00"}, {"Opacity", 1}});
        const QString path = m_dir.filePath("styled.pdf");
        run("op.document.save", {{"Path", path}});
        QVERIFY(testpdfs::qpdfCheck(path));
        QList<QPair<QColor, double>> looks = squareLooks(path);
        QCOMPARE(looks.size(), 3);
        std::sort(looks.begin(), looks.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        for (int i : {0, 1}) {
            QCOMPARE(looks[i].first.name(), chosen.name());
            QCOMPARE(looks[i].second, 0.4);
        }
        QCOMPARE(looks[2].first, QColor(0, 255, 0));
        QCOMPARE(looks[2].second, 1.0);

        // A new control, as after a restart, starts from the same look.
        m_hosted.destroy();
        open(true);
        QCOMPARE(m_hosted.widget->commentStyles().style(CommentKind::Rectangle).color.name(), chosen.name());
        run("op.document.addAnnot", {{"Type", "Square"}, {"Rect", QStringList{"50", "50", "80", "40"}}});
        QCOMPARE(model()->annotations(0).last().color.name(), chosen.name());

        // Reset brings the built-in look back, for that kind only.
        chooseRow(CommentKind::Rectangle);
        pane()->reset();
        QVERIFY(m_hosted.widget->commentStyles().style(CommentKind::Rectangle)
                == CommentStyles::builtIn(CommentKind::Rectangle));
    }

    void selectedCommentTakesAndGivesALook()
    {
        run("op.document.addAnnot", {{"Type", "Circle"}, {"Rect", QStringList{"60", "60", "120", "80"}}});
        const Annotation before = model()->annotations(0).first();
        pages()->selectAnnotation(0, before.id);
        chooseRow(CommentKind::Pen);
        m_hosted.dialogs->colorAnswer = QColor(120, 0, 120);
        pane()->chooseColor();
        auto* width = pane()->findChild<QDoubleSpinBox*>("styleWidth");
        width->setValue(5);
        emit width->editingFinished();

        // The pen's colour and width go to the ellipse, as one step that undo takes back.
        const int steps = model()->historyPosition();
        pane()->findChild<QPushButton*>("styleApply")->click();
        QCOMPARE(model()->historyPosition(), steps + 1);
        const Annotation applied = model()->annotations(0).first();
        QCOMPARE(applied.color, QColor(120, 0, 120));
        QCOMPARE(applied.borderWidth, 5.0);
        // The properties bar shows a colour it does not offer as it is.
        QCOMPARE(m_hosted.widget->findChild<QComboBox*>("annotationColor")->currentData().value<QColor>(),
                 QColor(120, 0, 120));
        model()->undo();
        QCOMPARE(model()->annotations(0).first().color, before.color);

        // The ellipse as it is now becomes the look of new ellipses.
        model()->redo();
        pages()->selectAnnotation(0, before.id);
        pane()->findChild<QPushButton*>("styleUse")->click();
        QCOMPARE(pane()->list()->currentItem()->text(), QString("Ellipse"));
        QCOMPARE(m_hosted.widget->commentStyles().style(CommentKind::Ellipse).color, QColor(120, 0, 120));
        QCOMPARE(pane()->findChild<QDoubleSpinBox*>("styleWidth")->value(), 5.0);
        pages()->setFocus();
        QTest::keyClick(pages(), Qt::Key_Escape);
        m_hosted.widget->runCommand("cmd.tool.ellipse");
        drag(QPointF(100, 300), QPointF(250, 400));
        const Annotation drawn = model()->annotations(0).last();
        QCOMPARE(drawn.color, QColor(120, 0, 120));
        QCOMPARE(drawn.borderWidth, 5.0);
    }

private:
    // The words document open and the pane shown; afterRestart keeps the looks chosen before.
    void open(bool afterRestart)
    {
        QVERIFY(m_hosted.create(afterRestart));
        m_hosted.control->openPath(m_dir.filePath("words.pdf"), 0);
        QTRY_VERIFY(pages() && pages()->pageRect(0).width() > 0);
        m_hosted.widget->runCommand("cmd.showCommentStyles");
        QVERIFY(pane() && pane()->isVisible());
        QVERIFY(m_hosted.widget->actions()->action("cmd.showCommentStyles")->isChecked());
    }

    pxv::PageView* pages() const
    {
        pxv::DocumentView* view = m_hosted.widget->activeView();
        return view ? view->pageView() : nullptr;
    }
    pxv::Document* model() const { return m_hosted.widget->activeView()->document()->model(); }
    pxv::CommentStylesPane* pane() const
    {
        return m_hosted.widget->findChild<pxv::CommentStylesPane*>("commentStylesView");
    }

    void run(const QString& name, const QVariantMap& parameters) { m_hosted.run(name, parameters); }

    void chooseRow(CommentKind kind) { pane()->list()->setCurrentRow(CommentStyles::kinds().indexOf(kind)); }

    QPoint rowCenter(CommentKind kind) const
    {
        QListWidgetItem* item = pane()->list()->item(CommentStyles::kinds().indexOf(kind));
        pane()->list()->scrollToItem(item);
        return pane()->list()->visualItemRect(item).center();
    }

    void setOpacity(int percent)
    {
        auto* opacity = pane()->findChild<QSpinBox*>("styleOpacity");
        opacity->setValue(percent);
        emit opacity->editingFinished();
    }

    // Each square's /C and /CA as qpdf reads the file.
    static QList<QPair<QColor, double>> squareLooks(const QString& path)
    {
        QList<QPair<QColor, double>> looks;
        const QByteArray json = testtools::toolOutput("qpdf", {"--json=2", "--json-key=qpdf", path});
        const QJsonObject objects = QJsonDocument::fromJson(json)["qpdf"][1].toObject();
        for (const QJsonValue& object : objects) {
            const QJsonObject value = object["value"].toObject();
            if (value["/Subtype"] != "/Square")
                continue;
            const QJsonArray c = value["/C"].toArray();
            looks.append(
                {QColor::fromRgbF(c[0].toDouble(), c[1].toDouble(), c[2].toDouble()), value["/CA"].toDouble(1.0)});
        }
        return looks;
    }

    void drag(const QPointF& from, const QPointF& to) { pagemouse::drag(pages(), model(), from, to); }

    QTemporaryDir m_dir;
    HostedControl m_hosted;
};

QTEST_MAIN(TestCommentStylesPane)
#include "tst_commentstylespane.moc"
