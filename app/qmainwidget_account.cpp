// The title-bar menu, the account area and the links to the converter products.
#include "qmainwidget.h"

#include "qcommonmethod.h"
#include "qhomewidget.h"
#include "scale.h"

#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace {

const QString& menuStyle()
{
    static const QString style = QStringLiteral(
        "QMenu {background-color: white;border-style: solid;border-width: 1px 1px 1px 1px;border-color: "
        "#D8D8D8;padding:8px 10px 8px 10px;border-radius:2px;}QMenu::item{width:130px;height:24px;font-size: "
        "14px;font-family:Microsoft YaHei;color:rgba(51,51,51,1);padding-left:20px;border-radius:4px;}"
        "QMenu::item:hover {color:#347AEB;}QMenu::item:selected {color:#347AEB;}QMenu::item:pressed "
        "{color:#347AEB;}");
    return style;
}

} // namespace

void QMainWidget::initMenu()
{
    m_menu = std::make_unique<QMenu>(this);
    m_menu->setStyleSheet(scaledStyleSheet(menuStyle()));

    auto* home = new QAction(tr("产品官网"), this);
    connect(home, &QAction::triggered, this, [] { QCommonMethod::openUrl(QStringLiteral("home"), QString()); });
    auto* registerAction = new QAction(tr("Register"), this);
    connect(registerAction, SIGNAL(triggered()), &m_userHelp, SLOT(onUserRegister()));
    auto* help = new QAction(tr("帮助中心"), this);
    connect(help, SIGNAL(triggered()), this, SLOT(onMenuHelp()));
    auto* update = new QAction(tr("检查更新"), this);
    connect(update, SIGNAL(triggered()), this, SLOT(onMenuUpdate()));
    auto* about = new QAction(tr("关于我们"), this);
    connect(about, SIGNAL(triggered()), this, SLOT(onMenuAbout()));

    m_menu->addAction(home);
    m_menu->addAction(registerAction);
    m_menu->addSeparator();
    m_menu->addAction(help);
    m_menu->addAction(update);
    m_menu->addAction(about);
}

void QMainWidget::initConnections()
{
    connect(ui.btnLogin, SIGNAL(clicked()), this, SLOT(onBtnLogin()));
    connect(ui.btnCustomer, SIGNAL(clicked()), this, SLOT(onBtnCustomer()));
    connect(ui.btnMenu, SIGNAL(clicked()), this, SLOT(onBtnMenu()));
    connect(ui.btnMin, SIGNAL(clicked()), this, SLOT(onBtnMin()));
    connect(ui.btnMax, SIGNAL(clicked()), this, SLOT(onBtnMax()));
    connect(ui.btnClose, SIGNAL(clicked()), this, SLOT(onBtnClose()));
    nameTitleButtons();

    connect(&m_userHelp, SIGNAL(signal_avatar(const QPixmap&)), this, SLOT(onUserAvatar(const QPixmap&)));
    connect(&m_userHelp, SIGNAL(signal_login(const QString&)), this, SLOT(onUserLogin(const QString&)));
    connect(&m_userHelp, SIGNAL(signal_logout()), this, SLOT(onUserLogout()));

    QHomeWidget* home = m_homeWidget.get();
    connect(home, SIGNAL(signal_login()), this, SLOT(onBtnLogin()));
    connect(home, SIGNAL(signal_new_blank_doc()), this, SLOT(onNewBlankDoc()));
    connect(home, SIGNAL(signal_open_doc()), this, SLOT(onOpenDoc()));
    connect(home, SIGNAL(signal_merge()), this, SLOT(onMergePDF()));

    connect(&m_userHelp, SIGNAL(signal_avatar(const QPixmap&)), home, SLOT(onUserAvatar(const QPixmap&)));
    connect(&m_userHelp, SIGNAL(signal_login(const QString&)), home, SLOT(onUserLogin(const QString&)));
    connect(&m_userHelp, SIGNAL(signal_logout()), home, SLOT(onUserLogout()));
}

void QMainWidget::nameTitleButtons()
{
    // Icon-only buttons: screen readers and tooltips need the words the artwork leaves out.
    const auto name = [](QPushButton* button, const QString& text) {
        button->setToolTip(text);
        button->setAccessibleName(text);
    };
    name(ui.btnMin, tr("最小化"));
    name(ui.btnClose, tr("关闭"));
    name(ui.btnMax, tr("最大化"));
    connect(ui.btnMax, &QPushButton::toggled, this,
            [this, name](bool maximized) { name(ui.btnMax, maximized ? tr("还原") : tr("最大化")); });
}

void QMainWidget::onBtnLogin()
{
    m_userHelp.onUserRegister();
}

void QMainWidget::onBtnCustomer()
{
    const QPoint button = mapToGlobal(ui.btnCustomer->pos());
    m_userHelp.showCustomerWidget(
        QPoint(button.x() + ui.btnCustomer->width() / 2, mapToGlobal(ui.axWidget->pos()).y()));
}

void QMainWidget::onBtnMenu()
{
    // Before its first showing a menu has no laid-out width yet; its size hint is what it will get.
    const int d = (m_menu->sizeHint().width() - ui.btnMenu->width()) / 2;
    m_menu->exec(QPoint(mapToGlobal(ui.btnMenu->pos()).x() - d, mapToGlobal(ui.axWidget->pos()).y()));
}

void QMainWidget::onMenuHelp()
{
    QCommonMethod::openUrl(QStringLiteral("tutorial"), QString());
}

void QMainWidget::onMenuAbout()
{
    m_userHelp.showAboutDialog();
}

void QMainWidget::onMenuUpdate()
{
    m_userHelp.checkUpdate(true);
}

void QMainWidget::onUserLogin(const QString& name)
{
    if (m_pdfCtl)
        m_pdfCtl->inst()->settings()->setString(QStringLiteral("Comments.Author"), name);
    ui.labelNickname->setText(name);
    ui.frameUser->show();
    ui.btnLogin->hide();
    QTimer::singleShot(50, this, [this] { updateTitleBar(); });
}

void QMainWidget::onUserLogout()
{
    if (m_pdfCtl)
        m_pdfCtl->inst()->settings()->setString(QStringLiteral("Comments.Author"), QString());
    ui.btnLogin->show();
    ui.frameUser->hide();
    QTimer::singleShot(50, this, [this] { updateTitleBar(); });
    updateDocViews();
}

void QMainWidget::onUserAvatar(const QPixmap& avatar)
{
    ui.labelAvatar->setScaledContents(true);
    ui.labelAvatar->setPixmap(avatar);
    QTimer::singleShot(50, this, [this] { updateTitleBar(); });
}

void QMainWidget::updateTitleBar()
{
    for (QWidget* widget : {static_cast<QWidget*>(ui.btnLogin), static_cast<QWidget*>(ui.labelNickname),
                            static_cast<QWidget*>(ui.labelAvatar), static_cast<QWidget*>(ui.frameUser),
                            static_cast<QWidget*>(ui.frameTitle)})
        widget->update();
}

void QMainWidget::accountAreaEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_userPressed = true;
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_userPressed) {
            m_userPressed = false;
            const QPoint frame = mapToGlobal(ui.frameUser->pos());
            m_userHelp.showUserWidget(
                QPoint(frame.x() + ui.frameUser->width() / 2, mapToGlobal(ui.axWidget->pos()).y()));
        }
        break;
    case QEvent::Enter:
    case QEvent::HoverEnter:
        ui.labelNickname->setStyleSheet(QStringLiteral("color: #3A53D2;border-color: #3A53D2;"));
        break;
    case QEvent::Leave:
    case QEvent::HoverLeave:
        ui.labelNickname->setStyleSheet(QStringLiteral("color: #2D2D2D;border-color: #2D2D2D;"));
        break;
    default:
        break;
    }
}

void QMainWidget::onPagemorphClicked()
{
    QCommonMethod::openLink(QStringLiteral("pagemorph_win"), QStringLiteral("producthome"), QString());
}

void QMainWidget::onDraftmorphClicked()
{
    QCommonMethod::openLink(QStringLiteral("draftmorph_win"), QStringLiteral("producthome"), QString());
}
