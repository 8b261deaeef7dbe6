#include "quserpanel.h"

#include "quser.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const int kAvatarSize = 48;
}

QUserPanel::QUserPanel(QWidget* parent) : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("QUserPanel"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);

    QUser* user = QUser::Instance();
    auto* avatar = new QLabel(this);
    avatar->setFixedSize(kAvatarSize, kAvatarSize);
    avatar->setScaledContents(true);
    if (!user->avatar().isNull())
        avatar->setPixmap(user->avatar());
    else
        avatar->setPixmap(QPixmap(QStringLiteral(":/Images/user.avatar.png")));

    auto* name = new QLabel(user->name(), this);
    name->setObjectName(QStringLiteral("labelName"));
    name->setTextFormat(Qt::PlainText);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);

    auto* signOut = new QPushButton(tr("Sign out"), this);
    signOut->setObjectName(QStringLiteral("btnSignOut"));
    connect(signOut, &QPushButton::clicked, this, &QUserPanel::onSignOut);

    auto* top = new QHBoxLayout;
    top->addWidget(avatar);
    top->addWidget(name, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(signOut);
}

void QUserPanel::popup(const QPoint& anchor)
{
    adjustSize();
    QRect area = QRect(anchor.x() - width() / 2, anchor.y(), width(), height());
    if (const QScreen* screen = QGuiApplication::screenAt(anchor)) {
        const QRect available = screen->availableGeometry();
        area.moveLeft(qBound(available.left(), area.left(), available.right() - area.width() + 1));
        area.moveTop(qBound(available.top(), area.top(), available.bottom() - area.height() + 1));
    }
    move(area.topLeft());
    show();
}

void QUserPanel::onSignOut()
{
    close();
    QUser::Instance()->signOut();
}
