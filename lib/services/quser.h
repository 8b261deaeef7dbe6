#pragma once

#include "qdtaproduct.h"

#include <QObject>
#include <QPixmap>
#include <QString>

// The local account: there is no account server, so the display name and avatar live in the
// application data folder and come back on the next start.
class QUser : public QObject
{
    Q_OBJECT
public:
    static QUser* Instance();

    void setProduct(const QDtaProduct& product);
    const QDtaProduct& product() const { return m_product; }

    // Restores the stored account once the event loop runs and announces it.
    void online();

    bool isSignedIn() const { return !m_name.isEmpty(); }
    QString name() const { return m_name; }
    QPixmap avatar() const { return m_avatar; }

    // Returns false when the account could not be stored.
    bool signIn(const QString& name, const QString& avatarFile);
    void signOut();

signals:
    void signal_login(const QString& name);
    void signal_logout();
    void signal_avatar(const QPixmap& avatar);

private:
    QUser() = default;
    QString accountFile() const;
    QString avatarFile() const;
    void announce();

    QDtaProduct m_product;
    QString m_name;
    QPixmap m_avatar;
};
