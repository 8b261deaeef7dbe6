#include "qsignindialog.h"

#include "qmsgbox.h"
#include "quser.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {
const int kPreviewSize = 64;
}

QSignInDialog::QSignInDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Sign in"));
    setMinimumWidth(380);

    m_editName = new QLineEdit(this);
    m_editName->setObjectName(QStringLiteral("editName"));
    m_editName->setMaxLength(64);
    m_editName->setPlaceholderText(tr("Your name"));
    m_editName->setText(QUser::Instance()->name());

    m_labelPreview = new QLabel(this);
    m_labelPreview->setFixedSize(kPreviewSize, kPreviewSize);
    m_labelPreview->setFrameShape(QFrame::StyledPanel);
    m_labelPreview->setAlignment(Qt::AlignCenter);
    m_labelPreview->setText(tr("None"));

    auto* btnChoose = new QPushButton(tr("Choose…"), this);
    m_btnClearAvatar = new QPushButton(tr("No image"), this);
    connect(btnChoose, &QPushButton::clicked, this, &QSignInDialog::onChooseAvatar);
    connect(m_btnClearAvatar, &QPushButton::clicked, this, [this] { setAvatarFile(QString()); });

    auto* avatarButtons = new QVBoxLayout;
    avatarButtons->addWidget(btnChoose);
    avatarButtons->addWidget(m_btnClearAvatar);
    avatarButtons->addStretch();
    auto* avatarRow = new QHBoxLayout;
    avatarRow->addWidget(m_labelPreview);
    avatarRow->addLayout(avatarButtons);
    avatarRow->addStretch();

    auto* form = new QFormLayout;
    form->addRow(tr("Display name:"), m_editName);
    form->addRow(tr("Avatar:"), avatarRow);

    auto* note = new QLabel(tr("Your account stays on this computer; nothing is sent anywhere."), this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_btnOk = buttons->button(QDialogButtonBox::Ok);
    m_btnOk->setText(tr("Sign in"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QSignInDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QSignInDialog::reject);
    connect(m_editName, &QLineEdit::textChanged, this, &QSignInDialog::updateOkButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);

    setAvatarFile(QString());
    updateOkButton();
}

QString QSignInDialog::name() const
{
    return m_editName->text().trimmed();
}

void QSignInDialog::setAvatarFile(const QString& file)
{
    m_avatarFile = file;
    const QPixmap preview = file.isEmpty() ? QPixmap() : QPixmap(file);
    if (preview.isNull()) {
        m_labelPreview->setPixmap(QPixmap());
        m_labelPreview->setText(tr("None"));
    } else {
        m_labelPreview->setPixmap(
            preview.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    m_btnClearAvatar->setEnabled(!m_avatarFile.isEmpty());
}

void QSignInDialog::onChooseAvatar()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Choose an avatar image"), QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        tr("Images (%1)").arg(patterns.join(QLatin1Char(' '))));
    if (file.isEmpty())
        return;
    if (QImageReader(file).canRead())
        setAvatarFile(file);
    else
        QMsgBox::showWarning(tr("This file is not an image that can be read:\n%1").arg(file));
}

void QSignInDialog::updateOkButton()
{
    m_btnOk->setEnabled(!name().isEmpty());
}

void QSignInDialog::accept()
{
    if (name().isEmpty())
        return;
    if (!QUser::Instance()->signIn(name(), m_avatarFile)) {
        QMsgBox::showError(tr("Your account could not be saved in the application data folder."));
        return;
    }
    QDialog::accept();
}
