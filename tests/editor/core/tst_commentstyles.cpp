// The looks of new comments: kept as a text that survives what a hand-edited settings file may
// hold, and put on comments only where the kinds share a property.

#include "core/commentstyles.h"

#include <QtTest>

using pxv::Annotation;
using pxv::AnnotationType;
using pxv::CommentKind;
using pxv::CommentStyle;
using pxv::CommentStyles;

class TestCommentStyles : public QObject
{
    Q_OBJECT

private slots:
    void textKeepsChoicesAndSurvivesBadValues()
    {
        CommentStyles styles;
        CommentStyle chosen = CommentStyles::builtIn(CommentKind::Ellipse);
        chosen.color = QColor(10, 20, 30);
        chosen.fill = QColor(200, 210, 220);
        chosen.opacity = 0.35;
        chosen.width = 0;
        styles.setStyle(CommentKind::Ellipse, chosen);
        const CommentStyles read = CommentStyles::fromText(styles.toText());
        QVERIFY(read.style(CommentKind::Ellipse) == chosen);
        QVERIFY(read.style(CommentKind::Rectangle) == CommentStyles::builtIn(CommentKind::Rectangle));

        // Choosing the built-in look again is no choice: nothing is left to keep.
        styles.setStyle(CommentKind::Ellipse, CommentStyles::builtIn(CommentKind::Ellipse));
        QVERIFY(styles.toText().isEmpty());

        // What cannot be a comment's look keeps the built-in value, property by property.
        const CommentStyles bad = CommentStyles::fromText(
            "{\"Pen\": {\"color\": \"no colour\", \"opacity\": 7, \"width\": -3, \"fontSize\": \"big\"},"
            " \"Nothing\": {\"color\": \"#ffffff\"}}");
        QVERIFY(bad.style(CommentKind::Pen) == CommentStyles::builtIn(CommentKind::Pen));
        QVERIFY(CommentStyles::fromText("not json").toText().isEmpty());
    }

    void restyleTouchesOnlySharedProperties()
    {
        CommentStyle pen = CommentStyles::builtIn(CommentKind::Pen);
        pen.color = QColor(1, 2, 3);
        pen.width = 7;
        pen.opacity = 0.5;
        Annotation box;
        box.type = AnnotationType::FreeText;
        box.fontSize = 20;
        box.borderWidth = 0;
        CommentStyles::restyle(CommentKind::Pen, pen, box);
        QCOMPARE(box.color, pen.color);
        QCOMPARE(box.opacity, 0.5);
        QCOMPARE(box.borderWidth, 0.0); // a text box has no line to widen
        QCOMPARE(box.fontSize, 20.0);

        Annotation arrow;
        arrow.type = AnnotationType::Line;
        arrow.lineEnd = pxv::LineEnding::OpenArrow;
        QCOMPARE(CommentStyles::kindOf(arrow), std::optional(CommentKind::Arrow));
        arrow.fill = QColor(9, 9, 9);
        const CommentStyle taken = CommentStyles::styleOf(CommentKind::Arrow, arrow, pen);
        QCOMPARE(taken.fill, QColor(9, 9, 9));
        QCOMPARE(taken.width, arrow.borderWidth);
    }
};

QTEST_APPLESS_MAIN(TestCommentStyles)
#include "tst_commentstyles.moc"
