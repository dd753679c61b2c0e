#include "TdlgChangePassw.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "data/Translate.h"
#include "data/UserInterface.h"
#include "ui/EnterMovesOn.h"

TdlgChangePassw::TdlgChangePassw(const QString &userCode, data::UserInterface *ui, QWidget *parent)
    : QDialog(parent), m_ui(ui), m_user(new QLineEdit(userCode, this)), m_current(new QLineEdit(this)),
      m_new(new QLineEdit(this)), m_check(new QLineEdit(this))
{
    setObjectName(QStringLiteral("dlgChangePassw"));
    setWindowTitle(Translate(QStringLiteral("Kasutaja parooli muutmine")));
    m_user->setReadOnly(true);
    for (QLineEdit *e : {m_current, m_new, m_check})
        e->setEchoMode(QLineEdit::Password);
    auto *form = new QFormLayout;
    form->addRow(Translate(QStringLiteral("Kasutajatunnus:")), m_user);
    form->addRow(Translate(QStringLiteral("Praegune parool:")), m_current);
    form->addRow(Translate(QStringLiteral("Uus parool:")), m_new);
    form->addRow(Translate(QStringLiteral("Uue parooli kontroll:")), m_check);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QPushButton *b : {buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel)})
        b->setAutoDefault(false);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgChangePassw::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter moves to the next field and takes the dialog only from the last one: the new password is
    // never set before both of its fields had their turn.
    new EnterMovesOn({m_current, m_new, m_check}, [this] { accept(); }, this);
    m_current->setFocus();
}

QString TdlgChangePassw::currentPassword() const
{
    return m_current->text();
}

QString TdlgChangePassw::newPassword() const
{
    return m_new->text();
}

QLineEdit *TdlgChangePassw::field(int index) const
{
    const QList<QLineEdit *> fields = {m_user, m_current, m_new, m_check};
    return fields.value(index);
}

void TdlgChangePassw::accept()
{
    if (m_new->text() != m_check->text()) {
        const auto answer = m_ui ? m_ui->ask(Translate(QStringLiteral("Vale parool ! Proovime veel ?")),
                                             Translate(QStringLiteral("Viga")), data::UserInterface::Buttons::OkCancel,
                                             data::UserInterface::Icon::Error)
                                 : data::UserInterface::Answer::Cancel;
        if (answer == data::UserInterface::Answer::Ok) {
            m_check->setFocus();
            m_check->selectAll();
            return;
        }
        reject();
        return;
    }
    QDialog::accept();
}
