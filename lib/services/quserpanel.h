#pragma once

#include <QFrame>

// A small popup under the account area: avatar, display name and a button to sign out.
class QUserPanel : public QFrame
{
    Q_OBJECT
public:
    explicit QUserPanel(QWidget* parent);

    // Shows the panel centred horizontally on the anchor, hanging from it, kept on its screen.
    void popup(const QPoint& anchor);

private:
    void onSignOut();
};
