// Selecting text as a reader drags over it: the quads and the text in reading order, widened to
// words and lines, on plain and rotated pages.

#include "core/document.h"
#include "pdffolder.h"
#include "wordpdf.h"

#include <QPainter>
#include <QPdfWriter>
#include <QtTest>

using pxv::Document;
using pxv::TextSelection;
using pxv::TextUnit;

namespace {

constexpr double kRightColumn = 320.0;

// Two columns of two lines side by side, each column painted whole before the next, as a
// typesetter writes them.
void writeColumns(const QString& path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    const QList<QPair<double, QStringList>> columns = {{wordpdf::kLeft, {"left one", "left two"}},
                                                       {kRightColumn, {"right one", "right two"}}};
    for (const auto& column : columns) {
        for (int line = 0; line < column.second.size(); ++line)
            painter.drawText(QPointF(column.first, wordpdf::kFirstBaseline + line * wordpdf::kLineHeight),
                             column.second[line]);
    }
}

// Where the second line's baseline runs, a little above it: inside its characters.
double secondLine()
{
    return wordpdf::kFirstBaseline + wordpdf::kLineHeight - 4;
}

QStringList lines(const QString& text)
{
    return text.split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestTextSelect : public QObject
{
    Q_OBJECT

private:
    PdfFolder m_dir;
    QString m_columns;

private slots:
    void initTestCase()
    {
        m_columns = m_dir.filePath("columns.pdf");
        writeColumns(m_columns);
    }

    void wholePageReadsColumnAfterColumn()
    {
        auto document = Document::open(m_columns);
        const TextSelection all = document->pageText(0);
        QCOMPARE(all.page, 0);
        QCOMPARE(lines(all.text), QStringList({"left one", "left two", "right one", "right two"}));
        const QRectF page(QPointF(0, 0), document->pageSize(0));
        QVERIFY(!all.quads.isEmpty());
        for (const QPolygonF& quad : all.quads)
            QVERIFY(page.contains(quad.boundingRect()));
    }

    void dragFromOneColumnIntoTheOther()
    {
        auto document = Document::open(m_columns);
        // From inside "two" of the left column to inside "one" of the right.
        const TextSelection dragged = document->selectText(0, QPointF(wordpdf::kLeft + 40, secondLine()),
                                                           QPointF(kRightColumn + 20, wordpdf::kFirstBaseline - 4));
        // The rest of the left column's last line, then the start of the right column's first.
        const QStringList got = lines(dragged.text);
        QCOMPARE(got.size(), 2);
        QVERIFY2(!got.first().isEmpty() && QString("two").endsWith(got.first()), qPrintable(dragged.text));
        QVERIFY2(got.last().size() < 5 && QString("right").startsWith(got.last()), qPrintable(dragged.text));
    }

    void wordsAndLinesWiden()
    {
        auto document = Document::open(m_columns);
        const QPointF inTwo(wordpdf::kLeft + 40, secondLine());
        QCOMPARE(document->selectText(0, inTwo, inTwo, TextUnit::Words).text.trimmed(), QString("two"));
        QCOMPARE(document->selectText(0, inTwo, inTwo, TextUnit::Lines).text.trimmed(), QString("left two"));
        QVERIFY(document->selectText(0, inTwo, inTwo, TextUnit::Characters).text.trimmed().size() <= 1);
    }

    void rotatedPageSelectsTheSameText()
    {
        auto document = Document::open(m_columns);
        const QSizeF upright = document->pageSize(0);
        document->rotatePage(0, 90);
        const TextSelection all = document->pageText(0);
        QCOMPARE(lines(all.text), QStringList({"left one", "left two", "right one", "right two"}));
        // A quarter turn clockwise: the left column's start now lies near the top right.
        const QRectF page(QPointF(0, 0), document->pageSize(0));
        QCOMPARE(page.size(), upright.transposed());
        const QRectF first = all.quads.first().boundingRect();
        QVERIFY(page.contains(first));
        QVERIFY2(first.left() > page.width() / 2 && first.top() < page.height() / 2,
                 qPrintable(QStringLiteral("%1,%2").arg(first.left()).arg(first.top())));
        // Dragging over the first line as it now stands, top to bottom, gives that line.
        const QPointF start(page.width() - wordpdf::kFirstBaseline + 4, wordpdf::kLeft + 1);
        const QPointF end(start.x(), wordpdf::kLeft + 40);
        QVERIFY2(document->selectText(0, start, end).text.startsWith("left"),
                 qPrintable(document->selectText(0, start, end).text));
    }

    void badPagesSelectNothing()
    {
        auto document = Document::open(m_columns);
        QVERIFY(document->pageText(-1).isEmpty());
        QVERIFY(document->pageText(1).isEmpty());
    }
};

QTEST_MAIN(TestTextSelect)
#include "tst_textselect.moc"
