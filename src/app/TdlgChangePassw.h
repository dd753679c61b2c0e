#pragma once

#include <QDialog>

class QLineEdit;

namespace data {
class UserInterface;
}

// "Kasutaja parooli muutmine": the current password and the new one twice.
class TdlgChangePassw : public QDialog
{
    Q_OBJECT

public:
    TdlgChangePassw(const QString &userCode, data::UserInterface *ui, QWidget *parent = nullptr);

    QString currentPassword() const;
    QString newPassword() const;
    QLineEdit *field(int index) const; // 0 user, 1 current, 2 new, 3 check

    void accept() override;

private:
    data::UserInterface *m_ui;
    QLineEdit *m_user;
    QLineEdit *m_current;
    QLineEdit *m_new;
    QLineEdit *m_check;
};
