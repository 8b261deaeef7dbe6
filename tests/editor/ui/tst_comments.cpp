// Comment tools on the pages, driven as a user drives them: keys pick tools, drags draw shapes
// and select text, the select tool picks an annotation up, moves, deletes, cuts and pastes it.

#include "hostedcontrol.h"
#include "pagemouse.h"
#include "testpdfs.h"
#include "wordpdf.h"

#include "core/document.h"
#include "ui/commentspane.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/inlinetextedit.h"
#include "ui/pageview.h"
#include "ui/actionset.h"
#include "ui/stampspane.h"

#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QToolBar>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QTimer>
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
        QVERIFY2(list.first().rect.contains(QRectF(102, 302, 146, 96))
                     && QRectF(90, 290, 170, 120).contains(list.first().rect),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(list.first().rect.left())
                                .arg(list.first().rect.top())
                                .arg(list.first().rect.width())
                                .arg(list.first().rect.height())));
        QCOMPARE(model()->undoName(), QString("Add Rectangle"));

        // Picked up by its edge with the select tool and dragged: one step for the whole drag.
        QTest::keyClick(pages(), Qt::Key_Escape);
        QCOMPARE(pages()->tool(), CommentTool::Select);
        const int steps = model()->historyPosition();
        drag(QPointF(100, 350), QPointF(160, 330), 5);
        QCOMPARE(model()->historyPosition(), steps + 1);
        QCOMPARE(model()->undoName(), QString("Move Rectangle"));
        const QRectF moved = model()->annotations(0).first().rect;
        QVERIFY2(qAbs(moved.left() - list.first().rect.left() - 60) < 2
                     && qAbs(moved.top() - list.first().rect.top() + 20) < 2,
                 qPrintable(QStringLiteral("%1,%2").arg(moved.left()).arg(moved.top())));
        QCOMPARE(pages()->selectedAnnotation().page, 0);

        QTest::keyClick(pages(), Qt::Key_Delete);
        QVERIFY(model()->annotations(0).isEmpty());
        QCOMPARE(pages()->selectedAnnotation().page, -1);
        model()->undo();
        QCOMPARE(model()->annotations(0).size(), 1);
    }

    void pagesStayOnScreenWhileBarsComeAndGo()
    {
        // Where a point of page 1 is in the window, as the bars above the pages come and go.
        const auto viewTop = [this] { return pages()->mapTo(m_hosted.host.get(), QPoint()).y(); };
        const auto pointInWindow = [this] {
            return pages()->viewport()->mapTo(m_hosted.host.get(), pagemouse::at(pages(), model(), QPointF(100, 300)));
        };
        QTRY_VERIFY(pages()->hasPaintedPage());
        const QPoint before = pointInWindow();
        int top = viewTop();

        QTest::keyClick(pages(), Qt::Key_R); // the comment toolbar comes with the tool
        QTRY_VERIFY(viewTop() > top);
        QCOMPARE(pointInWindow(), before);
        drag(QPointF(100, 300), QPointF(250, 400));
        QTest::keyClick(pages(), Qt::Key_Escape);

        // Picking the rectangle up brings its properties' bar; a click beside it takes it away, as
        // does Escape.
        for (const bool escape : {false, true}) {
            top = viewTop();
            drag(QPointF(100, 350), QPointF(100, 350), 1);
            QTRY_VERIFY(viewTop() > top);
            QCOMPARE(pointInWindow(), before);
            top = viewTop();
            if (escape)
                QTest::keyClick(pages(), Qt::Key_Escape);
            else
                drag(QPointF(400, 700), QPointF(400, 700), 1);
            QCOMPARE(pages()->selectedAnnotation().page, -1);
            QTRY_VERIFY(viewTop() < top);
            QCOMPARE(pointInWindow(), before);
        }
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

        QTest::keyClick(pages(), Qt::Key_V);
        QTest::keySequence(pages(), QKeySequence::SelectAll);
        QCOMPARE(pages()->selectedText().size(), 1);
        QVERIFY(pages()->selectedText().first().text.contains("delta"));
        // Right-clicked, the selection is marked from its menu; the tool stays.
        chooseFromMenu(QPointF(wordpdf::kLeft + 10, wordpdf::kFirstBaseline + 40), "Underline");
        QCOMPARE(model()->annotations(0).size(), 2);
        QCOMPARE(model()->annotations(0).last().type, AnnotationType::Underline);
        QCOMPARE(pages()->tool(), pxv::CommentTool::Select);
    }

    void paneListsSelectsAndDeletes()
    {
        pxv::Document::setAnnotationAuthor("Pane Tester");
        run("op.document.addAnnot", {{"Page", 3},
                                     {"Type", "Square"},
                                     {"Rect", QStringList{"100", "100", "50", "50"}},
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

    void polygonsArePlacedClickByClick()
    {
        m_hosted.widget->runCommand("cmd.tool.polygon");
        QCOMPARE(pages()->tool(), CommentTool::Polygon);
        const QList<QPointF> corners = {{100, 300}, {250, 320}, {180, 450}};
        // Esc drops the shape under way and keeps the tool.
        click(corners[0]);
        click(corners[1]);
        QTest::keyClick(pages(), Qt::Key_Escape);
        QCOMPARE(pages()->tool(), CommentTool::Polygon);
        QVERIFY(model()->annotations(0).isEmpty());
        // A double-click places the last corner and ends the shape: one step.
        const int steps = model()->historyPosition();
        click(corners[0]);
        click(corners[1]);
        click(corners[2]);
        QTest::mouseDClick(pages()->viewport(), Qt::LeftButton, {}, at(corners[2]));
        QCOMPARE(model()->historyPosition(), steps + 1);
        QList<Annotation> list = model()->annotations(0);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().type, AnnotationType::Polygon);
        QCOMPARE(list.first().vertices.size(), corners.size());
        for (int i = 0; i < corners.size(); ++i)
            QVERIFY(QLineF(list.first().vertices[i], corners[i]).length() < 2);

        // A polyline ends with Enter, its vertex under the pointer not placed.
        m_hosted.widget->runCommand("cmd.tool.polyline");
        click(QPointF(300, 500));
        click(QPointF(400, 520));
        QTest::mouseMove(pages()->viewport(), at(QPointF(450, 600)));
        QTest::keyClick(pages(), Qt::Key_Return);
        list = model()->annotations(0);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.last().type, AnnotationType::PolyLine);
        QCOMPARE(list.last().vertices.size(), 2);

        // The polygon gets a fill from the bar, one step.
        QTest::keyClick(pages(), Qt::Key_Escape);
        QTest::keyClick(pages(), Qt::Key_Escape);
        QCOMPARE(pages()->tool(), CommentTool::Select);
        pages()->selectAnnotation(0, list.first().id);
        auto* fill = m_hosted.widget->findChild<QComboBox*>("annotationFill");
        QTRY_VERIFY(fill->isVisible() && fill->isEnabled());
        emit fill->activated(1);
        QCOMPARE(model()->annotations(0).first().fill, fill->itemData(1).value<QColor>());
        QCOMPARE(model()->historyPosition(), steps + 3);
    }

    void textIsTypedOnThePage()
    {
        QTest::keyClick(pages(), Qt::Key_T);
        const int steps = model()->historyPosition();
        click(QPointF(120, 300));
        pxv::InlineTextEdit* typing = pages()->textEdit();
        QVERIFY(typing && typing->isVisible());
        QVERIFY(typing->geometry().contains(at(QPointF(130, 305))));
        QVERIFY(model()->annotations(0).isEmpty());
        QTest::keyClicks(typing, "Typed");
        QTest::keyClick(typing, Qt::Key_Return);
        QTest::keyClicks(typing, "on three");
        QTest::keyClick(typing, Qt::Key_Return);
        QTest::keyClicks(typing, "lines");
        // The text stays where it was typed once the page draws it, every line of it.
        typing->setCursorWidth(0);
        const QRect box = typing->geometry();
        const QRect typed = inkIn(box);
        QTest::keyClick(typing, Qt::Key_Return, Qt::ControlModifier);
        QTRY_VERIFY(!inkIn(box).isEmpty());
        const QRect drawn = inkIn(box);
        QVERIFY2(!typed.isEmpty() && qAbs(drawn.left() - typed.left()) <= 1 && qAbs(drawn.top() - typed.top()) <= 1
                     && qAbs(drawn.bottom() - typed.bottom()) <= 1,
                 qPrintable(QStringLiteral("typed at %1,%2-%3, drawn at %4,%5-%6")
                                .arg(typed.left())
                                .arg(typed.top())
                                .arg(typed.bottom())
                                .arg(drawn.left())
                                .arg(drawn.top())
                                .arg(drawn.bottom())));
        QCOMPARE(model()->historyPosition(), steps + 1);
        QList<Annotation> list = model()->annotations(0);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().type, AnnotationType::FreeText);
        QCOMPARE(list.first().contents, QString("Typed\non three\nlines"));
        QTRY_VERIFY(!pages()->textEdit());

        // With the select tool, a double-click on it types its text again; Esc keeps it as it was.
        QTest::keyClick(pages(), Qt::Key_V);
        const QPoint inside = at(list.first().rect.center());
        QTest::mouseClick(pages()->viewport(), Qt::LeftButton, {}, inside);
        QTest::mouseDClick(pages()->viewport(), Qt::LeftButton, {}, inside);
        typing = pages()->textEdit();
        QVERIFY(typing);
        QCOMPARE(typing->toPlainText(), QString("Typed\non three\nlines"));
        QTest::keyClicks(typing, "Changed");
        QTest::keyClick(typing, Qt::Key_Escape);
        QCOMPARE(model()->annotations(0).first().contents, QString("Typed\non three\nlines"));
        QTest::mouseDClick(pages()->viewport(), Qt::LeftButton, {}, inside);
        QTRY_VERIFY(pages()->textEdit());
        QTest::keyClicks(pages()->textEdit(), "Changed");
        QTest::keyClick(pages()->textEdit(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(model()->annotations(0).first().contents, QString("Changed"));
        QCOMPARE(model()->historyPosition(), steps + 2);
    }

    void handlesResizeAndRightClickEdits()
    {
        run("op.document.addAnnot",
            {{"Page", 1}, {"Type", "Circle"}, {"Rect", QStringList{"100", "300", "100", "60"}}});
        const Annotation circle = model()->annotations(0).first();
        pages()->selectAnnotation(0, circle.id);
        // The bottom-right handle dragged out: the opposite corner stays, one step.
        const int steps = model()->historyPosition();
        drag(circle.rect.bottomRight() + QPointF(1, 1), circle.rect.bottomRight() + QPointF(60, 40));
        QCOMPARE(model()->historyPosition(), steps + 1);
        const QRectF stretched = model()->annotations(0).first().rect;
        QVERIFY2(qAbs(stretched.left() - circle.rect.left()) < 2 && qAbs(stretched.top() - circle.rect.top()) < 2
                     && qAbs(stretched.width() - circle.rect.width() - 60) < 4
                     && qAbs(stretched.height() - circle.rect.height() - 40) < 4,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(stretched.left())
                                .arg(stretched.top())
                                .arg(stretched.width())
                                .arg(stretched.height())));

        // Right-click on it: its colour from the menu, then Delete.
        const QPointF centre = model()->annotations(0).first().rect.center();
        chooseFromMenu(centre, "Colour/Blue");
        QCOMPARE(model()->annotations(0).first().color, QColor(0, 90, 220));
        chooseFromMenu(centre, "Delete");
        QVERIFY(model()->annotations(0).isEmpty());
        QCOMPARE(model()->historyPosition(), steps + 3);
    }

    void commentsAreCutCopiedAndPasted()
    {
        run("op.document.addAnnot",
            {{"Page", 1}, {"Type", "Circle"}, {"Rect", QStringList{"100", "300", "100", "60"}}});
        pages()->selectAnnotation(0, model()->annotations(0).first().id);
        QTest::keyClick(pages(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(model()->annotations(0).isEmpty());

        // Pasted from the menu of a place: centred there, and picked to be moved on.
        chooseFromMenu(QPointF(300, 200), "Paste");
        QList<Annotation> list = model()->annotations(0);
        QCOMPARE(list.size(), 1);
        QVERIFY(QLineF(list.first().rect.center(), QPointF(300, 200)).length() < 1);
        QCOMPARE(pages()->selectedAnnotation().id, list.first().id);
        QCOMPARE(model()->undoName(), QString("Paste Comment"));

        // Copied, and pasted from the Edit menu twice: each beside the one before.
        QTest::keyClick(pages(), Qt::Key_C, Qt::ControlModifier);
        m_hosted.control->inst()->runCommand("cmd.paste", 0);
        m_hosted.control->inst()->runCommand("cmd.paste", 0);
        list = model()->annotations(0);
        QCOMPARE(list.size(), 3);
        QVERIFY(QLineF(list.last().rect.topLeft(), list.first().rect.topLeft() + QPointF(24, 24)).length() < 1);

        // A picture on the clipboard is pasted as a stamp of its proportions, amid the view.
        QImage picture(160, 80, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QGuiApplication::clipboard()->setImage(picture);
        m_hosted.control->inst()->runCommand("cmd.paste", 0);
        const Annotation stamp = model()->annotations(0).last();
        QCOMPARE(stamp.type, AnnotationType::Stamp);
        QVERIFY(qAbs(stamp.rect.width() - 2 * stamp.rect.height()) < 1);
        QVERIFY(pages()->areaRect(0, stamp.rect).contains(pages()->viewport()->rect().center()));
    }

    void arrowsNudgeTheSelectedCommentInOneStep()
    {
        run("op.document.addAnnot",
            {{"Page", 1}, {"Type", "Circle"}, {"Rect", QStringList{"100", "300", "100", "60"}}});
        const Annotation circle = model()->annotations(0).first();
        pages()->selectAnnotation(0, circle.id);
        const int steps = model()->historyPosition();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(pages(), Qt::Key_Right);
        QTest::keyClick(pages(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(model()->historyPosition(), steps + 1);
        QVERIFY(QLineF(model()->annotations(0).first().rect.topLeft(), circle.rect.topLeft() + QPointF(3, 10)).length()
                < 0.5);
        model()->undo();
        QVERIFY(QLineF(model()->annotations(0).first().rect.topLeft(), circle.rect.topLeft()).length() < 0.5);
    }

    void middleButtonDragsThePagesAlongWhateverTheTool()
    {
        pages()->setZoom(3.0);
        QTest::keyClick(pages(), Qt::Key_R);
        QTRY_VERIFY(pages()->horizontalScrollBar()->maximum() > 100);
        const QPoint start(pages()->horizontalScrollBar()->value(), pages()->verticalScrollBar()->value());
        QTest::mousePress(pages()->viewport(), Qt::MiddleButton, {}, QPoint(300, 300));
        const QPoint to(260, 250);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(pages()->viewport()->mapToGlobal(to)), Qt::NoButton,
                         Qt::MiddleButton, {});
        QCoreApplication::sendEvent(pages()->viewport(), &move);
        QTest::mouseRelease(pages()->viewport(), Qt::MiddleButton, {}, to);
        QCOMPARE(pages()->horizontalScrollBar()->value(), start.x() + 40);
        QCOMPARE(pages()->verticalScrollBar()->value(), start.y() + 50);
        QVERIFY(model()->annotations(0).isEmpty());
    }

    void imageStampIsPlacedWithItsProportions()
    {
        QImage picture(90, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString file = m_dir.filePath("seal.png");
        QVERIFY(picture.save(file));
        m_hosted.dialogs->pictureAnswer = file;
        m_hosted.widget->runCommand("cmd.tool.imageStamp");
        QCOMPARE(pages()->tool(), CommentTool::Stamp);
        click(QPointF(100, 200));
        const QList<Annotation> list = model()->annotations(0);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().type, AnnotationType::Stamp);
        QVERIFY2(qAbs(list.first().rect.width() - 3 * list.first().rect.height()) < 2,
                 qPrintable(QStringLiteral("%1x%2").arg(list.first().rect.width()).arg(list.first().rect.height())));
        // The picture goes with the tool: the stamp key afterwards places a named stamp.
        QTest::keyClick(pages(), Qt::Key_V);
        QVERIFY(pages()->stampImage().isEmpty());
    }

    void squigglyMarksDraggedText()
    {
        m_hosted.widget->runCommand("cmd.tool.squiggly");
        const double line = wordpdf::kFirstBaseline - 5;
        drag(QPointF(wordpdf::kLeft - 2, line), QPointF(wordpdf::kLeft + 75, line));
        const QList<Annotation> list = model()->annotations(0);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().type, AnnotationType::Squiggly);
        QVERIFY(list.first().contents.startsWith("alpha"));
    }

    void paneReadsOnlyChangedPagesAndSummaryOpens()
    {
        m_hosted.widget->runCommand("cmd.showComments");
        pxv::CommentsPane* pane = m_hosted.widget->activeView()->commentsPane();
        QVERIFY(pane->isVisible() && model()->pageCount() > 2);
        const auto add = [this](int page, const QString& text) {
            run("op.document.addAnnot",
                {{"Page", page}, {"Type", "Text"}, {"Rect", QStringList{"50", "50", "20", "20"}}, {"Contents", text}});
        };
        int read = pane->pagesRead();
        // Pages written by Qt keep their list of annotations in an object of its own.
        add(3, "third");
        add(1, "first");
        QCOMPARE(pane->pagesRead(), read + 2);
        QCOMPARE(pane->topLevelItemCount(), 2);
        QCOMPARE(pane->topLevelItem(0)->child(0)->text(3), QString("first"));
        QCOMPARE(pane->topLevelItem(1)->child(0)->text(3), QString("third"));
        model()->undo();
        QCOMPARE(pane->topLevelItemCount(), 1);
        QCOMPARE(pane->topLevelItem(0)->child(0)->text(3), QString("third"));

        // Filtered by kind: a rectangle alone lists, then everything again.
        run("op.document.addAnnot", {{"Page", 2}, {"Type", "Square"}, {"Rect", QStringList{"50", "50", "20", "20"}}});
        auto* filter = m_hosted.widget->findChild<QComboBox*>("commentsFilter");
        QVERIFY(filter && filter->isVisible());
        filter->setCurrentIndex(filter->findText("Rectangle"));
        QCOMPARE(pane->topLevelItemCount(), 1);
        QCOMPARE(pane->topLevelItem(0)->child(0)->text(0), QString("Rectangle"));
        filter->setCurrentIndex(0);
        QCOMPARE(pane->topLevelItemCount(), 2);

        const int tabs = m_hosted.widget->documentCount();
        m_hosted.widget->runCommand("cmd.summarizeComments");
        QTRY_COMPARE(m_hosted.widget->documentCount(), tabs + 1);
        QVERIFY(model()->pageText(0).text.contains("third"));
    }

    void operationAddsByNameAndRefusesBadValues()
    {
        const QVariant id = run("op.document.addAnnot", {{"Page", 1},
                                                         {"Type", "Stamp"},
                                                         {"Rect", QStringList{"300", "500", "150", "50"}},
                                                         {"Icon", "Draft"},
                                                         {"Author", "Script"}});
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

    void commentBarShowsForAToolAndKeepsItsSetting()
    {
        auto* bar = m_hosted.widget->findChild<QToolBar*>("cmdbar.commenting");
        IPXV_Settings* settings = m_hosted.control->inst()->settings();
        QAction* toggle = m_hosted.widget->actions()->action("cmd.showCommentBar");
        QVERIFY(bar && toggle);
        QVERIFY(!bar->isVisible());
        QVERIFY(!toggle->isChecked());
        // The Comment menu's tools, with their icons.
        auto* menu = m_hosted.widget->findChild<QMenuBar*>();
        QAction* commentMenu = nullptr;
        for (QAction* entry : menu->actions())
            commentMenu = entry->text().remove('&') == "Comment" ? entry : commentMenu;
        QVERIFY(commentMenu);
        int tools = 0;
        for (QAction* action : commentMenu->menu()->actions()) {
            if (!action->objectName().startsWith("cmd.tool.") || action->objectName() == "cmd.tool.imageStamp")
                continue;
            ++tools;
            QVERIFY2(bar->actions().contains(action) && !action->icon().isNull(), qPrintable(action->objectName()));
        }
        QVERIFY(tools > 10);

        // The select tool is no reason to show it; a drawing tool's key is.
        QTest::keyClick(pages(), Qt::Key_V);
        QVERIFY(!bar->isVisible());
        QTest::keyClick(pages(), Qt::Key_E);
        QVERIFY(bar->isVisible());
        QVERIFY(toggle->isChecked());
        QVERIFY(settings->getBool("View.CommentBar"));

        // Hidden from the View menu, and kept so in the settings, which a host sets back.
        toggle->trigger();
        QVERIFY(!bar->isVisible());
        QVERIFY(!settings->getBool("View.CommentBar", true));
        settings->setBool("View.CommentBar", true);
        QVERIFY(bar->isVisible());
        QVERIFY(toggle->isChecked());

        // The choice outlives the control, as it does the program.
        HostedControl next;
        QVERIFY(next.create(true));
        QVERIFY(next.widget->findChild<QToolBar*>("cmdbar.commenting")->isVisible());
    }

    void stampsPaneArmsTheChosenStampThatIsSavedByName()
    {
        m_hosted.widget->runCommand("cmd.showStamps");
        auto* pane = m_hosted.widget->findChild<pxv::StampsPane*>("stampsView");
        QVERIFY(pane && pane->isVisible());
        // The last standard stamp: not the one the stamp key places before any choice.
        const int row = pane->count() - 2;
        const QString name = pane->item(row)->data(Qt::UserRole).toString();
        QVERIFY(!name.isEmpty());
        QTest::keyClick(pages(), Qt::Key_S);
        click(QPointF(100, 100));
        const QString before = model()->annotations(0).first().icon;
        QVERIFY(before != name);

        pane->scrollToItem(pane->item(row));
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->visualItemRect(pane->item(row)).center());
        QCOMPARE(pages()->tool(), CommentTool::Stamp);
        click(QPointF(100, 300));
        QCOMPARE(model()->annotations(0).size(), 2);
        QCOMPARE(model()->annotations(0).last().icon, name);
        const QString path = m_dir.filePath("stamped.pdf");
        run("op.document.save", {{"Path", path}});
        QVERIFY(testpdfs::qpdfCheck(path));
        QProcess qpdf;
        qpdf.start("qpdf", {"--json=2", "--json-key=qpdf", path});
        QVERIFY(qpdf.waitForFinished(30000));
        QStringList names;
        const QJsonObject objects = QJsonDocument::fromJson(qpdf.readAllStandardOutput())["qpdf"][1].toObject();
        for (const QJsonValue& object : objects) {
            const QJsonObject value = object["value"].toObject();
            if (value["/Subtype"] == "/Stamp")
                names.append(value["/Name"].toString());
        }
        names.sort();
        QStringList expected{"/" + before, "/" + name};
        expected.sort();
        QCOMPARE(names, expected);

        // The picture entry asks for the picture; a standard one chosen afterwards drops it.
        m_hosted.dialogs->pictureAnswer = m_dir.filePath("seal.png");
        pane->choose(pane->count() - 1);
        QCOMPARE(pages()->stampImage(), m_hosted.dialogs->pictureAnswer);
        pane->choose(row);
        QVERIFY(pages()->stampImage().isEmpty());
    }

    void summaryShowsEachCommentedPage()
    {
        for (int page : {1, 3})
            run("op.document.addAnnot",
                {{"Page", page}, {"Type", "Square"}, {"Rect", QStringList{"50", "50", "80", "40"}}});
        const QString path = m_dir.filePath("summary.pdf");
        run("op.document.summarizeAnnots", {{"Path", path}});
        QVERIFY(testpdfs::qpdfCheck(path));
        QProcess images;
        images.start("pdfimages", {"-list", path});
        QVERIFY(images.waitForFinished(30000));
        // Two heading lines, then one line per image.
        const QStringList lines = QString::fromUtf8(images.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size() - 2, 2);
        // Each comment's kind is said once, before who made it.
        QCOMPARE(testpdfs::popplerText(path, 0).count("Rectangle"), 2);
    }

private:
    QVariant run(const QString& name, const QVariantMap& parameters) { return m_hosted.run(name, parameters); }

    pxv::PageView* pages() const
    {
        pxv::DocumentView* view = m_hosted.widget->activeView();
        return view ? view->pageView() : nullptr;
    }
    pxv::Document* model() const { return m_hosted.widget->activeView()->document()->model(); }

    QPoint at(const QPointF& point) const { return pagemouse::at(pages(), model(), point); }

    void click(const QPointF& point) { QTest::mouseClick(pages()->viewport(), Qt::LeftButton, {}, at(point)); }

    // Right-clicks point of page 1 and takes path ("Colour/Blue") through the menu that opens.
    void chooseFromMenu(const QPointF& point, const QString& path)
    {
        QTimer::singleShot(0, [path] {
            QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (const QString& text : path.split('/')) {
                const QList<QAction*> actions = menu->actions();
                const auto found = std::find_if(actions.cbegin(), actions.cend(),
                                                [&](QAction* a) { return QString(a->text()).remove('&') == text; });
                QVERIFY2(found != actions.cend(), qPrintable(text));
                if ((*found)->menu()) {
                    menu = (*found)->menu();
                    continue;
                }
                (*found)->trigger();
            }
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        const QPoint pos = at(point);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, pages()->viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(pages()->viewport(), &event);
    }

    // The bounds of the black pixels in area of the view as it is drawn, typing boxes included.
    QRect inkIn(const QRect& area) const
    {
        const QImage shot = pages()->viewport()->grab(area).toImage();
        QRect found;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QColor color = shot.pixelColor(x, y);
                if (std::max({color.red(), color.green(), color.blue()}) < 100)
                    found |= QRect(x, y, 1, 1);
            }
        }
        return found;
    }

    void drag(const QPointF& from, const QPointF& to, int moves = 3)
    {
        pagemouse::drag(pages(), model(), from, to, moves);
    }

    QTemporaryDir m_dir;
    HostedControl m_hosted;
};

QTEST_MAIN(TestComments)
#include "tst_comments.moc"
