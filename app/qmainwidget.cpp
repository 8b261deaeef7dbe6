#include "qmainwidget.h"

#include "firstpaint.h"
#include "qcommonmethod.h"
#include "qfloatexwidget.h"
#include "qhomewidget.h"
#include "quser.h"
#include "scale.h"

#include <QMenu>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimer>

#include <utility>

QMainWidget::QMainWidget(QWidget* parent) : QWidget(parent), m_userHelp(this, nullptr)
{
    ui.setupUi(this);
    QUser::Instance()->online();

    m_userHelp.preLogin();
    m_userHelp.checkUpdate(false);
    // X11 window managers maximise only windows that declare it, hence the maximise hint. The flags
    // go first: changing them re-parents the window, which applies a style sheet set before to
    // every child a second time (5 % of the start).
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    setStyleSheet(readStyleSheet(QStringLiteral(":/qss/main.css")));
    setWindowTitle(QObject::tr("OrvantoPDF编辑器"));
    ui.labelTitle->setText(QObject::tr("OrvantoPDF编辑器"));
    ui.frameUser->hide();
    m_homeWidget = std::make_unique<QHomeWidget>(this);
    ui.btnLogin->hide();
    ui.btnCustomer->hide();
    ui.btnMenu->setStyleSheet(QStringLiteral(
        "QPushButton#btnMenu {border-image: url(:/Images/btn.menu.png);font-size: 14px;font-family: Microsoft "
        "YaHei;color:black;padding-left: 24px;padding-bottom: 2px;}"));
    // The editor is made once the home page is on screen, or earlier when something needs it, so
    // that the first paint does not wait for it; the floating panel when a document first shows.
    callAfterFirstPaint(m_homeWidget.get(), [this] {
        m_homePainted = true;
        completeSetup();
        if (!m_toPrepare.isEmpty())
            prepareToShow(std::exchange(m_toPrepare, QString()));
    });
    initMenu();
    initConnections();
    installConvertHandler();

    for (QObject* watched :
         {static_cast<QObject*>(this), static_cast<QObject*>(ui.frameMain), static_cast<QObject*>(ui.frameTitle),
          static_cast<QObject*>(ui.frameUser), static_cast<QObject*>(ui.axWidget)})
        watched->installEventFilter(this);
    for (QWidget* tracked : {static_cast<QWidget*>(this), static_cast<QWidget*>(ui.frameMain),
                             static_cast<QWidget*>(ui.frameTitle), static_cast<QWidget*>(ui.axWidget)})
        tracked->setMouseTracking(true);
}

QMainWidget::~QMainWidget()
{
    QCommonMethod::setLinkHandler({});
}

void QMainWidget::completeSetup()
{
    // A control that failed to come up is tried again (and fails loudly again) on the next need.
    if (!m_pdfCtl)
        initControl();
}

QFloatExWidget* QMainWidget::floatExWidget()
{
    if (!m_floatExWidget) {
        m_floatExWidget = std::make_unique<QFloatExWidget>(this);
        placeFloatingWindows();
    }
    return m_floatExWidget.get();
}

IPXV_Control* QMainWidget::control()
{
    completeSetup();
    return m_pdfCtl;
}

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

void QMainWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // The home page is a tool window of this one, so it is first shown once this one is on its way
    // to the screen: shown before, the window manager would not take it for this window's. Hiding
    // and showing it again instead races the window manager, which may drop it off screen for good.
    QTimer::singleShot(0, this, [this] { updateDocViews(); });
}

bool QMainWidget::focusNextPrevChild(bool next)
{
    // While the home page stands in for the document, Tab leads the keyboard into it: it is a
    // window of its own, so the focus chain of this one never reaches it.
    if (m_homeWidget && m_homeWidget->isVisible()) {
        m_homeWidget->takeKeyboardFocus(next);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void QMainWidget::raiseFloatingWindows()
{
    // Not every window manager keeps tool windows above their owner, so the owner lifts them
    // whenever it comes to the front.
    for (QWidget* floating :
         {static_cast<QWidget*>(m_homeWidget.get()), static_cast<QWidget*>(m_floatExWidget.get())}) {
        if (floating && floating->isVisible())
            floating->raise();
    }
}

void QMainWidget::placeFloatingWindows()
{
    if (m_homeWidget) {
        const int x = (width() - m_homeWidget->width()) / 2;
        const int y = (height() - m_homeWidget->height() - 210) / 2 + 210;
        m_homeWidget->move(mapToGlobal(QPoint(x, y)));
    }
    if (m_floatExWidget) {
        const int x = width() - m_floatExWidget->width() - 30;
        m_floatExWidget->move(mapToGlobal(QPoint(x, scaled(240))));
    }
}
