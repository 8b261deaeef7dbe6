// The crop and resize dialogs: what their choices make of the operation's parameters, the crop
// preview drawn by the render workers, and a rectangle dragged over it choosing the margins.

#include "testpdfs.h"

#include "core/document.h"
#include "ui/cropdialog.h"
#include "ui/croppreview.h"
#include "ui/resizedialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using pxv::Document;

namespace {

QRadioButton* radio(QWidget& dialog, const QString& text)
{
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
        if (button->text().remove('&').startsWith(text))
            return button;
    }
    return nullptr;
}

QPushButton* ok(QWidget& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

// Drags over widget from one point to another given as fractions of rect, through the window
// as a user's mouse would.
void drag(QWidget* widget, const QRectF& rect, const QPointF& from, const QPointF& to)
{
    QWindow* window = widget->window()->windowHandle();
    const auto at = [&](const QPointF& fraction) {
        const QPointF local(rect.left() + rect.width() * fraction.x(), rect.top() + rect.height() * fraction.y());
        return widget->mapTo(widget->window(), local.toPoint());
    };
    QTest::mousePress(window, Qt::LeftButton, {}, at(from));
    QTest::mouseMove(window, at((from + to) / 2));
    QTest::mouseMove(window, at(to));
    QTest::mouseRelease(window, Qt::LeftButton, {}, at(to));
}

bool near(const QMarginsF& a, const QMarginsF& b, double tolerance)
{
    return qAbs(a.left() - b.left()) <= tolerance && qAbs(a.top() - b.top()) <= tolerance
           && qAbs(a.right() - b.right()) <= tolerance && qAbs(a.bottom() - b.bottom()) <= tolerance;
}

} // namespace

class TestPageDialogs : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void cropPreviewDragChoosesMarginsOfTheMediaBox()
    {
        const QString path = testpdfs::writeBytes(m_dir.filePath("crop.pdf"), testpdfs::sample({}));
        auto document = Document::open(path);
        // Cropped already: the preview shows what is left, the margins count from the media box.
        const QMarginsF cropped(72, 36, 0, 0);
        document->cropPages({0}, cropped);
        pxv::CropDialog dialog(document.get(), 0, {1, 2});
        dialog.resize(640, 520);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.margins(), cropped);
        pxv::CropPreview* preview = dialog.preview();
        QTRY_VERIFY(!preview->image().isNull());
        // Drawn at the size shown, not stretched: the renderer rounds a fractional size up, so the
        // two may differ by a pixel.
        const QSize drawn = preview->image().size();
        const QSizeF shownPixels = preview->pageRect().size() * preview->devicePixelRatioF();
        QVERIFY2(qAbs(drawn.width() - shownPixels.width()) < 1 && qAbs(drawn.height() - shownPixels.height()) < 1,
                 qPrintable(QStringLiteral("%1x%2 drawn for %3x%4 shown")
                                .arg(drawn.width())
                                .arg(drawn.height())
                                .arg(shownPixels.width())
                                .arg(shownPixels.height())));

        drag(preview, preview->pageRect(), {0.25, 0.1}, {0.75, 0.6});
        const QSizeF shown = document->pageSize(0); // 540 x 756
        const QMarginsF expected = cropped
                                   + QMarginsF(shown.width() * 0.25, shown.height() * 0.1, shown.width() * 0.25,
                                               shown.height() * 0.4);
        // A pixel of the preview is about two points of the page.
        QVERIFY2(near(dialog.margins(), expected, 3), qPrintable(QString("%1 %2 %3 %4")
                                                                     .arg(dialog.margins().left())
                                                                     .arg(dialog.margins().top())
                                                                     .arg(dialog.margins().right())
                                                                     .arg(dialog.margins().bottom())));
        // The thumbnails' selection is the default choice of pages.
        QVariantMap parameters = dialog.parameters();
        QCOMPARE(parameters.value("Pages").toString(), QString("2,3"));
        QCOMPARE(parameters.value("Left").toDouble(), dialog.margins().left());
        radio(dialog, "Odd")->click();
        QCOMPARE(dialog.parameters().value("Pages").toString(), QString("odd"));

        // Margins that leave nothing, or pages that do not exist, cannot be accepted.
        QVERIFY(ok(dialog)->isEnabled());
        dialog.findChildren<QDoubleSpinBox*>().first()->setValue(600);
        QVERIFY(!ok(dialog)->isEnabled());
        dialog.findChildren<QDoubleSpinBox*>().first()->setValue(72);
        QVERIFY(ok(dialog)->isEnabled());
        QTest::keyClicks(dialog.findChild<QLineEdit*>(), "2-9");
        QVERIFY(!ok(dialog)->isEnabled());
    }

    void resizeDialogChoosesPaperCustomOrScale()
    {
        pxv::ResizeDialog dialog(5, 3, {});
        auto* paper = dialog.findChildren<QComboBox*>().first();
        auto* orientation = dialog.findChildren<QComboBox*>().last();
        paper->setCurrentText("Letter");
        orientation->setCurrentIndex(orientation->findData("landscape"));
        QCOMPARE(dialog.parameters(), QVariantMap({{"Pages", "4"}, {"Size", "Letter"}, {"Orientation", "landscape"}}));

        // A length typed in makes the size custom; the other length stays the paper's.
        auto* width = dialog.findChildren<QDoubleSpinBox*>().first();
        width->setValue(500);
        QVariantMap custom = dialog.parameters();
        QCOMPARE(custom.value("Width").toDouble(), 500.0);
        QCOMPARE(custom.value("Height").toDouble(), 792.0);
        QVERIFY(!custom.contains("Size"));

        radio(dialog, "Scale")->click();
        radio(dialog, "All")->click();
        dialog.findChild<QSpinBox*>()->setValue(50);
        QCOMPARE(dialog.parameters(), QVariantMap({{"Pages", "all"}, {"Scale", 0.5}}));
        QVERIFY(!width->isEnabled());
    }
};

QTEST_MAIN(TestPageDialogs)
#include "tst_pagedialogs.moc"
