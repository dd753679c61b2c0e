#include "TdmUsersAdmin1.h"

#include "SessionLogIn.h"
#include "Translate.h"
#include "Session.h"
#include "SqlStatement.h"
#include "TData1.h"
#include "UserInterface.h"
#include "fb/FbError.h"
#include "fb/Services.h"
#include "fb/Transaction.h"

namespace {

// Account names travel as quoted identifiers: the typed name is the name, never SQL.
QString quotedName(const QString &user)
{
    QString u = user.toUpper();
    u.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + u + QLatin1Char('"');
}

} // namespace

TdmUsersAdmin1::TdmUsersAdmin1(data::TData1 &data, data::Session &session, data::UserInterface *ui, CredentialsPrompt *prompt)
    : m_data(data), m_session(session), m_ui(ui), m_prompt(prompt)
{
}

QString TdmUsersAdmin1::server() const
{
    QString srv, path;
    fb::Services::splitDatabaseName(m_data.Database1Params().database, &srv, &path);
    return srv;
}

void TdmUsersAdmin1::showError(const QString &message)
{
    if (m_ui)
        m_ui->showMessage(message, Translate(QStringLiteral("Kasutajad")));
}

bool TdmUsersAdmin1::askAdminCredentials()
{
    if (!m_prompt)
        return false;
    QString user = m_adminUser.isEmpty() ? QStringLiteral("SYSDBA") : m_adminUser, password;
    if (!m_prompt->askCredentials(Translate(QStringLiteral("Login as administrator")), user, password))
        return false;
    m_adminUser = user;
    m_adminPassword = password;
    return true;
}

bool TdmUsersAdmin1::runUnderCredentialRule(const Attempt &attempt)
{
    const auto rightsRefused = [](const fb::FbError &e) {
        return e.hasCode(fb::FbError::MetadataUpdate) || e.hasCode(fb::FbError::NoPermission);
    };
    if (m_adminUser.isEmpty()) {
        const fb::ConnectParams &own = m_data.Database1Params();
        bool connected = false;
        try {
            attempt(own.user, own.password, connected);
            return true;
        } catch (const fb::FbError &e) {
            // The person learns why before being asked for anything.
            showError(e.message());
            if (connected && !rightsRefused(e))
                return false;
            if (!connected && m_session.IsDbAdmin) {
                // The database's owner does not need anybody else's credentials: once more with his own.
                bool again = false;
                try {
                    attempt(own.user, own.password, again);
                    return true;
                } catch (const fb::FbError &retry) {
                    showError(retry.message());
                    if (!again || !rightsRefused(retry))
                        return false;
                }
            }
        }
        if (!askAdminCredentials())
            return false;
    }
    try {
        bool connected = false;
        attempt(m_adminUser, m_adminPassword, connected);
        return true;
    } catch (const fb::FbError &e) {
        showError(e.message());
        if (e.gdsCode() == fb::FbError::LoginError)
            m_adminUser.clear();
        return false;
    }
}

bool TdmUsersAdmin1::runAccountOperation(const std::function<void(fb::Services &)> &operation)
{
    return runUnderCredentialRule([&](const QString &user, const QString &password, bool &connected) {
        fb::Services svc = fb::Services::attach(server(), user, password);
        connected = true;
        operation(svc);
        svc.detach();
    });
}

QStringList TdmUsersAdmin1::ListAccounts(bool refresh)
{
    if (m_accountsRead && !refresh)
        return m_accounts;
    QStringList names;
    if (runAccountOperation([&](fb::Services &svc) {
            for (const fb::UserAccount &u : svc.users())
                names << u.name.toUpper();
        })) {
        m_accounts = names;
        m_accountsRead = true;
    }
    return m_accounts;
}

bool TdmUsersAdmin1::IsActive(const QString &user, QString *fullName)
{
    bool found = false;
    runAccountOperation([&](fb::Services &svc) {
        for (const fb::UserAccount &u : svc.users()) {
            if (u.name.compare(user, Qt::CaseInsensitive) == 0) {
                found = true;
                if (fullName)
                    *fullName = QStringLiteral("%1 (%2 %3 %4)").arg(u.name, u.firstName, u.middleName, u.lastName);
            }
        }
    });
    return found;
}

bool TdmUsersAdmin1::AddAccount(const QString &user, const QString &password)
{
    m_accountsRead = false;
    return runAccountOperation([&](fb::Services &svc) {
        for (const fb::UserAccount &u : svc.users())
            if (u.name.compare(user, Qt::CaseInsensitive) == 0)
                return; // exists already
        svc.addUser(fb::UserAccount{user.toUpper(), {}, {}, {}, false}, password);
    });
}

bool TdmUsersAdmin1::DeleteAccount(const QString &user)
{
    m_accountsRead = false;
    return runAccountOperation([&](fb::Services &svc) { svc.deleteUser(user.toUpper()); });
}

bool TdmUsersAdmin1::ChangeAccountPassword(const QString &user, const QString &password)
{
    return runAccountOperation([&](fb::Services &svc) { svc.changePassword(user.toUpper(), password); });
}

bool TdmUsersAdmin1::runRoleStatement(const QString &sql, const QStringList &more)
{
    // A second connection with the same credentials grants and revokes, in a transaction of its own.
    return runUnderCredentialRule([&](const QString &user, const QString &password, bool &connected) {
        fb::ConnectParams p = m_data.Database1Params();
        p.role.clear();
        p.user = user;
        p.password = password;
        fb::Attachment att = fb::Attachment::attach(p);
        connected = true;
        fb::Transaction tr(att, fb::Transaction::Isolation::Snapshot);
        tr.start();
        att.executeImmediate(tr, sql);
        for (const QString &s : more)
            att.executeImmediate(tr, s);
        tr.commit();
    });
}

bool TdmUsersAdmin1::GrantRole(const QString &user)
{
    return runRoleStatement(QStringLiteral("GRANT ") + m_data.Database1Params().role + QStringLiteral(" TO ") + quotedName(user));
}

bool TdmUsersAdmin1::RevokeRole(const QString &user)
{
    const QString role = m_data.Database1Params().role;
    return runRoleStatement(QStringLiteral("GRANT ") + role + QStringLiteral(" TO ") + quotedName(user),
                            {QStringLiteral("REVOKE ") + role + QStringLiteral(" FROM ") + quotedName(user)});
}

bool TdmUsersAdmin1::Activate(const QString &user, const QString &password)
{
    return AddAccount(user, password) && GrantRole(user);
}

bool TdmUsersAdmin1::Deactivate(const QString &user, bool deleteAccount)
{
    if (deleteAccount && !DeleteAccount(user))
        return false;
    return RevokeRole(user);
}

TdmUsersAdmin1::PasswordCheck TdmUsersAdmin1::CheckPassword(const QString &user, const QString &password)
{
    PasswordCheck result;
    fb::ConnectParams p = m_data.Database1Params();
    p.user = user;
    p.password = password;
    try {
        fb::Attachment att = fb::Attachment::attach(p);
        result.connected = true;
        fb::Transaction tr(att);
        data::SqlStatement q(tr);
        q.setSql(QStringLiteral("select KASKOOD from USERSK where UPPER(KASKOOD) = :USERCODE"));
        q.setParam(QStringLiteral("USERCODE"), user.toUpper());
        q.scalar();
        result.hasRights = true;
    } catch (const fb::FbError &e) {
        if (result.connected && !e.isNoPermission())
            showError(e.message());
    }
    return result;
}

bool TdmUsersAdmin1::ChangePassword(const QString &userCode, bool fromUsersWindow, const PasswordDialog &dialog)
{
    if (fromUsersWindow && !IsActive(userCode)) {
        if (m_ui)
            m_ui->showMessage(Translate(QStringLiteral("Kasutaja '%1' aktiveerimata !")).arg(userCode),
                              Translate(QStringLiteral("Kasutajad")));
        return false;
    }
    QString current, fresh;
    if (!dialog(userCode, current, fresh))
        return false;
    return ChangeAccountPassword(userCode, fresh);
}
