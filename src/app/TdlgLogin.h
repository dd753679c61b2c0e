#pragma once

#include <QDialog>

#include "data/SessionLogIn.h"

class QLineEdit;

// The log-in dialog: user name and password.
class TdlgLogin : public QDialog
{
    Q_OBJECT

public:
    explicit TdlgLogin(QWidget *parent = nullptr);

    // Title: the caption, " - " and the application title.
    void prepare(const QString &caption, const QString &user);
    QString userName() const;
    QString password() const;

    QLineEdit *userEdit() const { return m_user; }
    QLineEdit *passwordEdit() const { return m_password; }

private:
    QLineEdit *m_user;
    QLineEdit *m_password;
};

// The log-in dialog as the log-in asks for credentials.
class DialogCredentialsPrompt : public CredentialsPrompt
{
public:
    explicit DialogCredentialsPrompt(QWidget *parent) : m_parent(parent) {}
    bool askCredentials(const QString &caption, QString &user, QString &password) override;

private:
    QWidget *m_parent;
};
