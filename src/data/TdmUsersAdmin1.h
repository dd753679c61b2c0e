#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class CredentialsPrompt;

namespace fb {
class Services;
}
namespace data {
class TData1;
class UserInterface;
struct Session;
} // namespace data

// The server's accounts of the program's users and their role grants. Operations run through the
// server's account service with the session's own credentials first, then with administrator
// credentials that the user types once per run.
class TdmUsersAdmin1
{
public:
    TdmUsersAdmin1(data::TData1 &data, data::Session &session, data::UserInterface *ui, CredentialsPrompt *prompt);

    QStringList ListAccounts(bool refresh = false); // upper-cased names, cached
    bool IsActive(const QString &user, QString *fullName = nullptr);
    bool AddAccount(const QString &user, const QString &password);
    bool DeleteAccount(const QString &user);
    bool ChangeAccountPassword(const QString &user, const QString &password);
    bool GrantRole(const QString &user);
    bool RevokeRole(const QString &user);
    bool Activate(const QString &user, const QString &password);
    bool Deactivate(const QString &user, bool deleteAccount);

    struct PasswordCheck
    {
        bool connected = false;
        bool hasRights = false;
    };
    PasswordCheck CheckPassword(const QString &user, const QString &password);

    // The password dialog's part: current and new password, false when cancelled.
    using PasswordDialog = std::function<bool(const QString &userCode, QString &current, QString &newPassword)>;
    // Changes a server account's password; from the users window the account must be active.
    bool ChangePassword(const QString &userCode, bool fromUsersWindow, const PasswordDialog &dialog);

    bool hasTypedAdminCredentials() const { return !m_adminUser.isEmpty(); }

private:
    // One try of an operation with the given credentials; sets `connected` once the server took them.
    using Attempt = std::function<void(const QString &user, const QString &password, bool &connected)>;
    // The session's own credentials first; when they fail, the error is shown and the operation is
    // repeated with the administrator's credentials (typed once per run), or, for the database's
    // owner whose connection failed, with his own once more. False when it finally failed.
    bool runUnderCredentialRule(const Attempt &attempt);
    // Runs an account operation under the credential rule; false when it finally failed.
    bool runAccountOperation(const std::function<void(fb::Services &)> &operation);
    bool runRoleStatement(const QString &sql, const QStringList &more = {});
    bool askAdminCredentials();
    QString server() const;
    void showError(const QString &message);

    data::TData1 &m_data;
    data::Session &m_session;
    data::UserInterface *m_ui;
    CredentialsPrompt *m_prompt;
    QString m_adminUser;
    QString m_adminPassword;
    QStringList m_accounts;
    bool m_accountsRead = false;
};
