#include "quser.h"

#include "qtcompat.h"

#include "cglobal.h"

#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTimer>

QUser* QUser::Instance()
{
    static QUser user;
    return &user;
}

void QUser::setProduct(const QDtaProduct& product)
{
    m_product = product;
}

QString QUser::accountFile() const
{
    return CGlobal::getAppDataPath() + QStringLiteral("account.ini");
}

QString QUser::avatarFile() const
{
    return CGlobal::getAppDataPath() + QStringLiteral("avatar.png");
}

void QUser::online()
{
    QTimer::singleShot(0, this, [this] {
        QSettings settings(accountFile(), QSettings::IniFormat);
        qtcompat::useUtf8(settings);
        m_name = settings.value(QStringLiteral("user/name")).toString();
        m_avatar = QPixmap();
        if (!m_name.isEmpty() && QFile::exists(avatarFile()))
            m_avatar.load(avatarFile());
        announce();
    });
}

bool QUser::signIn(const QString& name, const QString& imageFile)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return false;
    QSettings settings(accountFile(), QSettings::IniFormat);
    qtcompat::useUtf8(settings);
    settings.setValue(QStringLiteral("user/name"), trimmed);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return false;
    m_avatar = QPixmap();
    QFile::remove(avatarFile());
    if (!imageFile.isEmpty()) {
        const QImage image(imageFile);
        if (!image.isNull()) {
            // Fill a 200 x 200 square and cut the overhang evenly, so a photo is not squashed.
            const QImage cover = image.scaled(200, 200, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
            const QImage square = cover.copy((cover.width() - 200) / 2, (cover.height() - 200) / 2, 200, 200);
            if (square.save(avatarFile(), "PNG"))
                m_avatar = QPixmap::fromImage(square);
        }
    }
    m_name = trimmed;
    announce();
    return true;
}

void QUser::signOut()
{
    QSettings settings(accountFile(), QSettings::IniFormat);
    settings.remove(QStringLiteral("user"));
    QFile::remove(avatarFile());
    m_name.clear();
    m_avatar = QPixmap();
    announce();
}

void QUser::announce()
{
    if (m_name.isEmpty()) {
        emit signal_logout();
        return;
    }
    emit signal_login(m_name);
    // Without a picture of their own, users get the default avatar rather than an empty square.
    const QPixmap avatar = m_avatar.isNull() ? QPixmap(QStringLiteral(":/Images/user.avatar.png")) : m_avatar;
    if (!avatar.isNull())
        emit signal_avatar(avatar);
}
