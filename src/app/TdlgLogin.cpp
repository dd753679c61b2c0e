#include "TdlgLogin.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "data/Translate.h"
#include "ui/EnterMovesOn.h"

TdlgLogin::TdlgLogin(QWidget *parent) : QDialog(parent), m_user(new QLineEdit(this)), m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("dlgLogin"));
    m_user->setObjectName(QStringLiteral("edUser"));
    m_password->setObjectName(QStringLiteral("edPassword"));
    m_user->setToolTip(Translate(QStringLiteral("Kasutaja nimi või lühendnimi")));
    m_password->setToolTip(Translate(QStringLiteral("Kasutaja parool")));
    m_password->setEchoMode(QLineEdit::Password);
    auto *form = new QFormLayout;
    form->addRow(Translate(QStringLiteral("Kasutaja:")), m_user);
    form->addRow(Translate(QStringLiteral("Parool:")), m_password);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Translate(QStringLiteral("OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(Translate(QStringLiteral("Loobu")));
    buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in the name moves to the password; only Enter in the password is OK, so that a log-in is
    // never tried (and one of its attempts used up) with a password not yet typed.
    new EnterMovesOn({m_user, m_password}, [this] { accept(); }, this);
    setMinimumWidth(360);
}

void TdlgLogin::prepare(const QString &caption, const QString &user)
{
    setWindowTitle(caption + QStringLiteral(" - ") + QApplication::applicationDisplayName());
    m_user->setText(user);
    m_password->clear();
    (user.isEmpty() ? m_user : m_password)->setFocus();
}

QString TdlgLogin::userName() const
{
    return m_user->text().trimmed();
}

QString TdlgLogin::password() const
{
    return m_password->text();
}

bool DialogCredentialsPrompt::askCredentials(const QString &caption, QString &user, QString &password)
{
    TdlgLogin dlg(m_parent);
    dlg.prepare(caption, user);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    user = dlg.userName();
    password = dlg.password();
    return true;
}
