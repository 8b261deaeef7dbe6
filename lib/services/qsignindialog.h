#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The local sign-in: a display name and, optionally, an avatar image. Accepting stores both
// through QUser, which announces the account.
class QSignInDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QSignInDialog(QWidget* parent);

    QString name() const;
    QString avatarFile() const { return m_avatarFile; }
    // Also used by the "Choose…" button once the user has picked a file.
    void setAvatarFile(const QString& file);

public slots:
    void accept() override;

private:
    void onChooseAvatar();
    void updateOkButton();

    QLineEdit* m_editName;
    QLabel* m_labelPreview;
    QPushButton* m_btnClearAvatar;
    QPushButton* m_btnOk;
    QString m_avatarFile;
};
