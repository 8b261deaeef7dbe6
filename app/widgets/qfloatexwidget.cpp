#include "qfloatexwidget.h"

#include "ui_qfloatexwidget.h"

#include "scale.h"

#include <QCursor>
#include <QEasingCurve>
#include <QPropertyAnimation>
#include <QTimerEvent>

namespace {
// A button slides from exactly over its icon to cover the whole row.
const QRect kSlideFrom(90, 0, 44, 44);
const QRect kSlideTo(0, 0, 134, 44);
const int kSlideMs = 300;
const int kPollMs = 200;

// The icons are round and the buttons round-ended; one pixel of slack keeps their anti-aliased
// edges whole.
QRegion roundEnded(const QRect& rect)
{
    const QRect r = rect.adjusted(-1, -1, 1, 1);
    const int d = r.height();
    if (r.width() <= d)
        return QRegion(r, QRegion::Ellipse);
    return QRegion(QRect(r.left(), r.top(), d, d), QRegion::Ellipse) + QRegion(r.adjusted(d / 2, 0, -d / 2, 0))
           + QRegion(QRect(r.right() - d + 1, r.top(), d, d), QRegion::Ellipse);
}
} // namespace

QFloatExWidget::QFloatExWidget(QWidget* parent) : QWidget(parent), ui(new Ui::QFloatExWidget)
{
    ui->setupUi(this);
    setStyleSheet(readStyleSheet(QStringLiteral(":/qss/float_ex.css")));
    // Its artwork carries the text further right than the other buttons'.
    ui->btnToImage->setStyleSheet(
        QStringLiteral("QPushButton#btnToImage{font-size:14px;color:white;font-family:Microsoft YaHei;"
                       "border-image: url(:/Images/btn.to.image.png);padding-left: 26px;}"));
    initialize();
}

QFloatExWidget::~QFloatExWidget() = default;

void QFloatExWidget::initialize()
{
    setAttribute(Qt::WA_TranslucentBackground, true);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    for (int row = 1; row < RowCount; ++row)
        frame(row)->hide();

    for (int row = 0; row < RowCount; ++row) {
        auto animation = std::make_unique<QPropertyAnimation>(button(row), QByteArrayLiteral("geometry"));
        animation->setDuration(kSlideMs);
        animation->setStartValue(kSlideFrom);
        animation->setEndValue(kSlideTo);
        animation->setEasingCurve(QEasingCurve::OutSine);
        // A button sliding out widens the drawn area as it goes.
        connect(animation.get(), &QVariantAnimation::valueChanged, this, [this] { updateMask(); });
        m_animations[size_t(row)] = std::move(animation);

        label(row)->installEventFilter(this);
        button(row)->installEventFilter(this);
        // Folded, a button shows only its icon; the tooltip gives its words.
        button(row)->setToolTip(button(row)->text());
        label(row)->setToolTip(button(row)->text());
    }
    installEventFilter(this);
    updateMask();

    if (QWidget* owner = parentWidget()) {
        for (int row = 0; row < RowCount - 1; ++row)
            connect(button(row), SIGNAL(clicked()), owner, SLOT(onPagemorphClicked()));
        connect(button(RowCount - 1), SIGNAL(clicked()), owner, SLOT(onDraftmorphClicked()));
    }
}

QFrame* QFloatExWidget::frame(int row) const
{
    QFrame* const frames[RowCount] = {ui->frameToWord, ui->frameToExcel, ui->frameToPPT, ui->frameToImage,
                                      ui->frameToCAD};
    return frames[row];
}

QLabel* QFloatExWidget::label(int row) const
{
    QLabel* const labels[RowCount] = {ui->labelToWord, ui->labelToExcel, ui->labelToPPT, ui->labelToImage,
                                      ui->labelToCAD};
    return labels[row];
}

QPushButton* QFloatExWidget::button(int row) const
{
    QPushButton* const buttons[RowCount] = {ui->btnToWord, ui->btnToExcel, ui->btnToPPT, ui->btnToImage, ui->btnToCAD};
    return buttons[row];
}

bool QFloatExWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter) {
        if (watched == ui->labelToWord) {
            unfold();
        } else {
            for (int row = 1; row < RowCount; ++row) {
                if (watched == label(row))
                    showRow(row);
            }
        }
    } else if (event->type() == QEvent::Leave) {
        for (int row = 0; row < RowCount; ++row) {
            if (watched == button(row)) {
                button(row)->hide();
                updateMask();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QFloatExWidget::unfold()
{
    for (int row = 1; row < RowCount; ++row)
        frame(row)->show();
    showRow(0);
    updateMask();
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_timerId = startTimer(kPollMs, Qt::CoarseTimer);
}

void QFloatExWidget::fold()
{
    killTimer(m_timerId);
    m_timerId = -1;
    for (int row = 1; row < RowCount; ++row)
        frame(row)->hide();
    for (int row = 0; row < RowCount; ++row)
        button(row)->hide();
    updateMask();
}

void QFloatExWidget::showRow(int row)
{
    for (int other = 0; other < RowCount; ++other)
        button(other)->setVisible(other == row);
    m_animations[size_t(row)]->start();
    updateMask();
}

void QFloatExWidget::updateMask()
{
    // Only the icons and the button that is out are drawn. Masking off the rest lets the pointer
    // through to the document and keeps the panel see-through where no compositing manager
    // blends its translucent background (which would otherwise show as a black box).
    QRegion drawn;
    for (int row = 0; row < RowCount; ++row) {
        if (frame(row)->isHidden())
            continue;
        const QRect rowRect = frame(row)->geometry();
        QRegion rowDrawn = roundEnded(label(row)->geometry());
        if (!button(row)->isHidden())
            rowDrawn += roundEnded(button(row)->geometry());
        drawn += rowDrawn.translated(rowRect.topLeft()) & rowRect;
    }
    setMask(drawn);
}

void QFloatExWidget::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timerId)
        return;
    if (!geometry().contains(QCursor::pos()))
        fold();
}
