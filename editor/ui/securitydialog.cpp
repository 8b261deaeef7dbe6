#include "securitydialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pxv {

namespace {

const Permission kPermissions[5] = {PermitPrint, PermitCopy, PermitEdit, PermitAnnotate, PermitFillForms};

} // namespace

SecurityDialog::SecurityDialog(const ProtectionState& state, QWidget* parent)
    : QDialog(parent), m_needsOpen(new QCheckBox(tr("Require a password to &open the document"), this)),
      m_restricts(new QCheckBox(tr("&Restrict what can be done without a permissions password"), this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Security"));
    QString now = state.method.isEmpty()
                      ? tr("The document is not protected.")
                      : tr("The document is encrypted (%1)%2.")
                            .arg(state.method, state.openPassword ? tr(" and opens with a password") : QString());
    if (state.pending)
        now += QLatin1Char(' ') + tr("A new protection is applied when the document is next saved.");
    auto* summary = new QLabel(now, this);
    summary->setWordWrap(true);

    const auto passwordPair = [this](QLineEdit** pair, QFormLayout* form) {
        for (int i = 0; i < 2; ++i) {
            pair[i] = new QLineEdit(this);
            pair[i]->setEchoMode(QLineEdit::Password);
            connect(pair[i], &QLineEdit::textChanged, this, &SecurityDialog::updateOk);
        }
        form->addRow(tr("Password:"), pair[0]);
        form->addRow(tr("Again:"), pair[1]);
    };
    auto* openBox = new QGroupBox(this);
    auto* openForm = new QFormLayout(openBox);
    openForm->addRow(m_needsOpen);
    passwordPair(m_open, openForm);

    auto* ownerBox = new QGroupBox(this);
    auto* ownerForm = new QFormLayout(ownerBox);
    ownerForm->addRow(m_restricts);
    passwordPair(m_owner, ownerForm);
    const QString labels[5] = {tr("&Print"), tr("&Copy text and images"), tr("&Edit pages"), tr("&Annotate"),
                               tr("&Fill in forms")};
    for (int i = 0; i < 5; ++i) {
        m_permits[i] = new QCheckBox(labels[i], ownerBox);
        m_permits[i]->setChecked(state.permissions & kPermissions[i]);
        ownerForm->addRow(m_permits[i]);
    }

    m_needsOpen->setChecked(state.openPassword);
    m_restricts->setChecked(state.permissions != PermitAll);
    connect(m_needsOpen, &QCheckBox::toggled, this, &SecurityDialog::updateOk);
    connect(m_restricts, &QCheckBox::toggled, this, &SecurityDialog::updateOk);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* note = new QLabel(tr("Protected documents are encrypted with AES-256 when saved. Clear both boxes to "
                               "remove the protection."),
                            this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(openBox);
    layout->addWidget(ownerBox);
    layout->addWidget(note);
    layout->addWidget(m_buttons);
    updateOk();
}

Protection SecurityDialog::protection() const
{
    Protection chosen;
    if (m_needsOpen->isChecked())
        chosen.openPassword = m_open[0]->text();
    if (m_restricts->isChecked()) {
        chosen.permissionsPassword = m_owner[0]->text();
        chosen.permissions = 0;
        for (int i = 0; i < 5; ++i)
            chosen.permissions |= m_permits[i]->isChecked() ? kPermissions[i] : 0;
    }
    return chosen;
}

void SecurityDialog::updateOk()
{
    // A box that is ticked needs a password typed the same twice.
    const auto pairOk = [](QCheckBox* box, QLineEdit* const* pair) {
        return !box->isChecked() || (!pair[0]->text().isEmpty() && pair[0]->text() == pair[1]->text());
    };
    for (QLineEdit* edit : {m_open[0], m_open[1]})
        edit->setEnabled(m_needsOpen->isChecked());
    for (QLineEdit* edit : {m_owner[0], m_owner[1]})
        edit->setEnabled(m_restricts->isChecked());
    for (QCheckBox* permit : m_permits)
        permit->setEnabled(m_restricts->isChecked());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(pairOk(m_needsOpen, m_open) && pairOk(m_restricts, m_owner));
}

} // namespace pxv
