// Comment tools on the pages, driven as a user drives them: keys pick tools, drags draw shapes
// and select text, the select tool picks an annotation up, moves it and deletes it.

#include "hostedcontrol.h"
#include "testpdfs.h"
#include "wordpdf.h"

#include "core/document.h"
#include "ui/commentspane.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/pageview.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

using pxv::Annotation;
using pxv::AnnotationType;
using pxv::CommentTool;

class TestComments : public QObject
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
        const QString path = m_dir.filePath("words.pdf");
        wordpdf::write(path, wordpdf::kAlphaPages);
        m_hosted.control->openPath(path, 0);
        QTRY_VERIFY(pages() && pages()->pageRect(0).width() > 0);
        pages()->setFocus();
    }

    void cleanup() { m_hosted.destroy(); }

    void shapeIsDrawnMovedAndDeleted()
    {
        QTest::keyClick(pages(), Qt::Key_R);
        QCOMPARE(pages()->tool(), CommentTool::Rectangle);
        drag(QPointF(100, 300), QPointF(250, 400));
        QList<Annotation> list = model()->annotations(0);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().type, AnnotationType::Square);
        QVERIFY2(list.first().rect.contains(QRectF(102, 302, 146, 96)) && QRectF(90, 290, 170, 120).contains(list.first().rect),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(list.first().rect.left()).arg(list.first().rect.top())
                                .arg(list.first().rect.width()).arg(list.first().rect.height())));
        QCOMPARE(model()->undoName(), QString("Add Rectangle"));

        // Picked up by its edge with the select tool and dragged: one step for the whole drag.
        QTest::keyClick(pages(), Qt::Key_Escape);
        QCOMPARE(pages()->tool(), CommentTool::Select);
        const int steps = model()->historyPosition();
        drag(QPointF(100, 350), QPointF(160, 330), 5);
        QCOMPARE(model()->historyPosition(), steps + 1);
        QCOMPARE(model()->undoName(), QString("Move Rectangle"));
        const QRectF moved = model()->annotations(0).first().rect;
        QVERIFY2(qAbs(moved.left() - list.first().rect.left() - 60) < 2 && qAbs(moved.top() - list.first().rect.top() + 20) < 2,
                 qPrintable(QStringLiteral("%1,%2").arg(moved.left()).arg(moved.top())));
        QCOMPARE(pages()->selectedAnnotation().page, 0);

        QTest::keyClick(pages(), Qt::Key_Delete);
        QVERIFY(model()->annotations(0).isEmpty());
        QCOMPARE(pages()->selectedAnnotation().page, -1);
        model()->undo();
        QCOMPARE(model()->annotations(0).size(), 1);
    }

    void selectedTextIsCopiedAndHighlighted()
    {
        // Over "alpha beta" of the first line, from before it to the middle of "beta".
        const double line = wordpdf::kFirstBaseline - 5;
        drag(QPointF(wordpdf::kLeft - 2, line), QPointF(wordpdf::kLeft + 75, line));
        QCOMPARE(pages()->selectedText().size(), 1);
        QTest::keySequence(pages(), QKeySequence::Copy);
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.startsWith("alpha b") && !copied.contains("gamma"), qPrintable(copied));

        QTest::keyClick(pages(), Qt::Key_H);
        QVERIFY(pages()->selectedText().isEmpty());
        const QList<Annotation> list = model()->annotations(0);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().type, AnnotationType::Highlight);
        QCOMPARE(list.first().contents, copied.trimmed());
        QVERIFY(!list.first().quads.isEmpty());

        QTest::keySequence(pages(), QKeySequence::SelectAll);
        QCOMPARE(pages()->selectedText().size(), 1);
        QVERIFY(pages()->selectedText().first().text.contains("delta"));
    }

    void paneListsSelectsAndDeletes()
    {
        pxv::Document::setAnnotationAuthor("Pane Tester");
        run("op.document.addAnnot", {{"Page", 3}, {"Type", "Square"}, {"Rect", QStringList{"100", "100", "50", "50"}},
                                     {"Contents", "look here"}});
        pxv::Document::setAnnotationAuthor(QString());
        m_hosted.widget->runCommand("cmd.showComments");
        pxv::CommentsPane* pane = m_hosted.widget->activeView()->commentsPane();
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->topLevelItemCount(), 1);
        QTreeWidgetItem* item = pane->topLevelItem(0)->child(0);
        QCOMPARE(item->text(1), QString("Pane Tester"));
        QCOMPARE(item->text(3), QString("look here"));

        // A click shows it on its page, selected, with its properties in the bar.
        // Once the pane is laid out, so that the click lands on the row.
        QTRY_VERIFY(pane->viewport()->rect().contains(pane->visualItemRect(item).center()));
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->visualItemRect(item).center());
        QCOMPARE(pages()->selectedAnnotation().page, 2);
        auto* text = m_hosted.widget->findChild<QLineEdit*>("annotationText");
        QTRY_VERIFY(text->isVisible());
        QCOMPARE(text->text(), QString("look here"));
        const int steps = model()->historyPosition();
        text->setText("looked");
        emit text->editingFinished();
        auto* color = m_hosted.widget->findChild<QComboBox*>("annotationColor");
        color->setCurrentIndex(color->count() - 1);
        emit color->activated(color->count() - 1);
        QCOMPARE(model()->historyPosition(), steps + 2);
        const Annotation changed = model()->annotations(2).first();
        QCOMPARE(changed.contents, QString("looked"));
        QCOMPARE(changed.color, color->itemData(color->count() - 1).value<QColor>());
        QCOMPARE(pane->topLevelItem(0)->child(0)->text(3), QString("looked"));

        pane->setCurrentItem(pane->topLevelItem(0)->child(0));
        QTest::keyClick(pane, Qt::Key_Delete);
        QVERIFY(model()->annotations(2).isEmpty());
        QCOMPARE(pane->topLevelItemCount(), 0);
        QCOMPARE(pages()->selectedAnnotation().page, -1);
        QVERIFY(!text->isVisible());
    }

    void operationAddsByNameAndRefusesBadValues()
    {
        const QVariant id = run("op.document.addAnnot", {{"Page", 1}, {"Type", "Stamp"}, {"Rect", QStringList{"300", "500", "150", "50"}},
                                                          {"Icon", "Draft"}, {"Author", "Script"}});
        const QList<Annotation> list = model()->annotations(0);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().id, id.toInt());
        QCOMPARE(list.first().icon, QString("Draft"));
        QCOMPARE(list.first().author, QString("Script"));
        const int steps = model()->historyPosition();
        for (const auto& [parameters, named] : QList<QPair<QVariantMap, QString>>{
                 {{{"Type", "Cloud"}}, "Type"},
                 {{{"Type", "Line"}, {"Points", QStringList{"1", "2", "3"}}}, "Points"},
                 {{{"Type", "Square"}, {"Rect", QStringList{"1", "2", "wide", "4"}}}, "Rect"},
                 {{{"Type", "Square"}, {"Rect", QStringList{"1", "2", "3", "4"}}, {"Opacity", 2}}, "Opacity"},
                 {{{"Type", "Text"}, {"Page", 9}, {"Rect", QStringList{"1", "2", "3", "4"}}}, "Page"}}) {
            try {
                run("op.document.addAnnot", parameters);
                QFAIL(qPrintable(named));
            } catch (const PXV_Error& error) {
                QCOMPARE(error.code(), int(PXV_Error::InvalidArgument));
                QVERIFY2(error.message().contains(named), qPrintable(error.message()));
            }
        }
        QCOMPARE(model()->historyPosition(), steps);
    }

private:
    QVariant run(const QString& name, const QVariantMap& parameters)
    {
        IPXV_Inst* inst = m_hosted.control->inst();
        const std::shared_ptr<IPXV_Operation> operation = inst->createOperation(inst->nameToId(name, true));
        for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
            operation->params()->child(it.key())->setValue(it.value());
        inst->runOperation(operation.get(), 0);
        return operation->params()->child("Output")->value();
    }

    pxv::PageView* pages() const
    {
        pxv::DocumentView* view = m_hosted.widget->activeView();
        return view ? view->pageView() : nullptr;
    }
    pxv::Document* model() const { return m_hosted.widget->activeView()->document()->model(); }

    // Where a point of page 1 (in points) is in the view.
    QPoint at(const QPointF& point) const
    {
        const QRectF page = pages()->pageRect(0);
        return (page.topLeft() + point * (page.width() / model()->pageSize(0).width())).toPoint();
    }

    // Press, moves with the button held, release: the drag as the view receives it.
    void drag(const QPointF& from, const QPointF& to, int moves = 3)
    {
        const auto send = [this](QEvent::Type type, const QPoint& pos, Qt::MouseButtons held) {
            QMouseEvent event(type, pos, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
            QCoreApplication::sendEvent(pages()->viewport(), &event);
        };
        send(QEvent::MouseButtonPress, at(from), Qt::LeftButton);
        for (int i = 1; i <= moves; ++i)
            send(QEvent::MouseMove, at(from + (to - from) * i / moves), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, at(to), Qt::NoButton);
    }

    QTemporaryDir m_dir;
    HostedControl m_hosted;
};

QTEST_MAIN(TestComments)
#include "tst_comments.moc"
