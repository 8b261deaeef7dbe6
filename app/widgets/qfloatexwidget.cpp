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
}

QFloatExWidget::QFloatExWidget(QWidget* parent) : QWidget(parent), ui(new Ui::QFloatExWidget)
{
    ui->setupUi(this);
    setStyleSheet(readStyleSheet(QStringLiteral(":/qss/float_ex.css")));
    // Its artwork carries the text further right than the other buttons'.
    ui->btnToImage->setStyleSheet(QStringLiteral(
        "QPushButton#btnToImage{font-size:14px;color:white;font-family:Microsoft YaHei;"
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
        m_animations[size_t(row)] = std::move(animation);

        label(row)->installEventFilter(this);
        button(row)->installEventFilter(this);
    }
    installEventFilter(this);

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
    QPushButton* const buttons[RowCount] = {ui->btnToWord, ui->btnToExcel, ui->btnToPPT, ui->btnToImage,
                                            ui->btnToCAD};
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
            if (watched == button(row))
                button(row)->hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QFloatExWidget::unfold()
{
    for (int row = 1; row < RowCount; ++row)
        frame(row)->show();
    showRow(0);
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
}

void QFloatExWidget::showRow(int row)
{
    for (int other = 0; other < RowCount; ++other)
        button(other)->setVisible(other == row);
    m_animations[size_t(row)]->start();
}

void QFloatExWidget::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timerId)
        return;
    if (!geometry().contains(QCursor::pos()))
        fold();
}
