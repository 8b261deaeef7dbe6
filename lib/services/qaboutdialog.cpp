#include "qaboutdialog.h"

#include "cglobal.h"

#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include <sqlite3.h>

namespace {

// The build day reads as 2026-12-08 rather than 20261208.
QString buildDay()
{
    const QString digits = QString::number(CGlobal::getBuildDate());
    const QDate day = QDate::fromString(digits, QStringLiteral("yyyyMMdd"));
    return day.isValid() ? day.toString(Qt::ISODate) : digits;
}

} // namespace

QStringList QAboutDialog::facts()
{
    return {tr("Version %1").arg(CGlobal::getVersion()), tr("Built on %1").arg(buildDay()),
            tr("Qt %1, MuPDF %2, SQLite %3")
                .arg(QString::fromLatin1(qVersion()), QStringLiteral(VP_MUPDF_VERSION),
                     QString::fromLatin1(sqlite3_libversion())),
            tr("Licence: GNU Affero General Public License, version 3 or later (AGPL-3.0-or-later)")};
}

QAboutDialog::QAboutDialog(QWidget* parent) : QDialog(parent)
{
    const QString title = CGlobal::getAppTitle().isEmpty() ? QStringLiteral("Vellumpad") : CGlobal::getAppTitle();
    setWindowTitle(tr("About %1").arg(title));

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));

    auto* heading = new QLabel(title, this);
    heading->setObjectName(QStringLiteral("labelProduct"));
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    heading->setFont(big);

    auto* details = new QLabel(facts().join(QLatin1Char('\n')), this);
    details->setObjectName(QStringLiteral("labelFacts"));
    details->setTextFormat(Qt::PlainText);
    details->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* licence = new QLabel(
        QStringLiteral("<a href=\"https://www.gnu.org/licenses/agpl-3.0.html\">%1</a>").arg(tr("Read the licence")),
        this);
    licence->setOpenExternalLinks(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(details);
    text->addWidget(licence);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
