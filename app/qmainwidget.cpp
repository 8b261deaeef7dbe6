#include "qmainwidget.h"

#include "quser.h"
#include "scale.h"

#include <QMoveEvent>
#include <QResizeEvent>

QMainWidget::QMainWidget(QWidget* parent) : QWidget(parent), m_userHelp(this, nullptr)
{
    ui.setupUi(this);
    QUser::Instance()->online();

    m_userHelp.preLogin();
    m_userHelp.checkUpdate(false);
    setStyleSheet(readStyleSheet(QStringLiteral(":/qss/main.css")));
    // X11 window managers maximise only windows that declare it, hence the maximise hint.
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    setWindowTitle(QObject::tr("OrvantoPDF编辑器"));
    ui.labelTitle->setText(QObject::tr("OrvantoPDF编辑器"));
    ui.frameUser->hide();
    ui.btnLogin->hide();
    ui.btnCustomer->hide();
    ui.btnMenu->setStyleSheet(QStringLiteral(
        "QPushButton#btnMenu {border-image: url(:/Images/btn.menu.png);font-size: 14px;font-family: Microsoft "
        "YaHei;color:black;padding-left: 24px;padding-bottom: 2px;}"));

    connect(ui.btnMin, SIGNAL(clicked()), this, SLOT(onBtnMin()));
    connect(ui.btnMax, SIGNAL(clicked()), this, SLOT(onBtnMax()));
    connect(ui.btnClose, SIGNAL(clicked()), this, SLOT(onBtnClose()));

    for (QObject* watched : {static_cast<QObject*>(this), static_cast<QObject*>(ui.frameMain),
                             static_cast<QObject*>(ui.frameTitle), static_cast<QObject*>(ui.frameUser),
                             static_cast<QObject*>(ui.axWidget)})
        watched->installEventFilter(this);
    for (QWidget* tracked : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui.frameMain),
                             static_cast<QWidget*>(ui.frameTitle), static_cast<QWidget*>(ui.axWidget)})
        tracked->setMouseTracking(true);
}

QMainWidget::~QMainWidget() = default;

void QMainWidget::onBtnMin()
{
    showMinimized();
}

void QMainWidget::onBtnMax()
{
    if (isMaximized()) {
        ui.btnMax->setChecked(false);
        showNormal();
    } else {
        ui.btnMax->setChecked(true);
        showMaximized();
    }
}

void QMainWidget::onBtnClose()
{
    close();
}

void QMainWidget::onOpenFile(const QString&)
{
}

void QMainWidget::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    placeFloatingWindows();
}

void QMainWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeFloatingWindows();
}

void QMainWidget::placeFloatingWindows()
{
}
