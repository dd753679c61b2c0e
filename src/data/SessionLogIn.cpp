#include "SessionLogIn.h"

#include "Translate.h"
#include "Session.h"
#include "SqlStatement.h"
#include "TData1.h"
#include "UserInterface.h"
#include "fb/FbError.h"

SessionLogIn::SessionLogIn(data::TData1 &data, data::Session &session, CredentialsPrompt &prompt, data::UserInterface *ui)
    : m_data(data), m_session(session), m_prompt(prompt), m_ui(ui)
{
}

bool SessionLogIn::ConnectAndLogIn(bool reuseCredentials)
{
    m_data.Disconnect();
    m_session.IsDbAdmin = false;
    m_session.LoggedIn = false;
    m_settings.clear();
    m_attempts = 0;
    fb::ConnectParams &params = m_data.Database1Params();

    while (!m_data.Connected() && m_attempts < MaxAttempts) {
        ++m_attempts;
        if (!reuseCredentials) {
            QString user = params.user, password;
            if (!m_prompt.askCredentials(Translate(QStringLiteral("Logi sisse")), user, password))
                return false;
            params.user = user;
            params.password = password;
        }
        try {
            m_data.Connect();
        } catch (const fb::FbError &e) {
            if (e.gdsCode() != fb::FbError::LoginError)
                throw;
            reuseCredentials = false;
        }
    }
    if (!m_data.Connected())
        return false;

    m_session.UserCode = params.user.toUpper();
    try {
        data::SqlStatement version(m_data.IBTransaction1());
        version.setSql(QStringLiteral("select * from DBVERSION"));
        version.scalar();
        m_session.IsDbAdmin = true;
        m_session.LoggedIn = true;
    } catch (const fb::FbError &e) {
        if (!e.isNoPermission())
            throw;
    }
    readUser();
    // A session that did not log in has no rights of any kind, the owner's included.
    if (!m_session.LoggedIn)
        m_session.clear();
    return m_session.LoggedIn;
}

void SessionLogIn::readUser()
{
    data::SqlStatement q(m_data.IBTransaction1());
    // The name is bound as a value: a log-in name cannot change the statement.
    q.setSql(QStringLiteral("select KASKOOD, KASNIMI, NIVOO, AGENTKOOD, AGENTNIMI, VAIKIMPROJID, PROJEKTIVALIKLUBATUD, "
                            "USERSETTINGS1 from USERSK where UPPER(KASKOOD)=:USERCODE"));
    q.setParam(QStringLiteral("USERCODE"), m_session.UserCode);
    try {
        q.exec();
        if (q.next()) {
            m_session.UserCode = q.value(0).toString();
            m_session.UserName = q.value(1).toString();
            m_session.Level = m_session.IsDbAdmin ? 5 : q.value(2).toInt();
            m_session.AgentCode = q.value(3).toInt();
            m_session.AgentName = q.value(4).toString();
            m_session.DefaultProjectId = q.value(5).toInt();
            m_session.ProjectChoiceAllowed = q.value(6).toString() == QLatin1String("Y");
            m_settings = q.value(7).toString();
            m_session.LoggedIn = true;
        } else if (m_session.IsDbAdmin) {
            m_session.UserName = m_session.UserCode;
            m_session.Level = 5;
            m_session.AgentCode = 0;
            m_session.AgentName.clear();
            m_session.DefaultProjectId = 0;
            m_session.ProjectChoiceAllowed = true;
        } else if (m_ui) {
            m_ui->showMessage(Translate(QStringLiteral("Kasutaja omadused kirjeldamata")), Translate(QStringLiteral("Logi sisse")));
        }
    } catch (const fb::FbError &e) {
        if (!e.isNoPermission())
            throw;
        m_session.LoggedIn = false;
        if (m_ui)
            m_ui->showMessage(Translate(QStringLiteral("Juurdepääs andmebaasile keelatud")), Translate(QStringLiteral("Logi sisse")));
    }
}
