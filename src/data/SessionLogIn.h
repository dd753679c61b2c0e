#pragma once

#include <QString>

namespace data {
class TData1;
class UserInterface;
struct Session;
} // namespace data

// Asks the user for a name and a password (the log-in dialog in the program).
class CredentialsPrompt
{
public:
    virtual ~CredentialsPrompt() = default;
    // `user` comes pre-filled; false when the user cancels.
    virtual bool askCredentials(const QString &caption, QString &user, QString &password) = 0;
};

// Connects with the user's server account and fills the session from the user's USERSK row.
class SessionLogIn
{
public:
    SessionLogIn(data::TData1 &data, data::Session &session, CredentialsPrompt &prompt, data::UserInterface *ui);

    // Up to three attempts; a refused password asks again. Database errors other than a refused
    // log-in are passed to the caller. Returns whether the session is logged in.
    bool ConnectAndLogIn(bool reuseCredentials);

    // The user's settings text as stored in the user's row (empty without one).
    const QString &settingsText() const { return m_settings; }
    int attemptsUsed() const { return m_attempts; }

    static constexpr int MaxAttempts = 3;

private:
    void readUser();

    data::TData1 &m_data;
    data::Session &m_session;
    CredentialsPrompt &m_prompt;
    data::UserInterface *m_ui;
    QString m_settings;
    int m_attempts = 0;
};
