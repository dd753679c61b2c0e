// Server accounts of the program's users: added, granted the role, re-passworded and removed through
// the account service, with the administrator-credential rule.

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "ScriptedUserInterface.h"
#include "TestServer.h"
#include "data/SessionLogIn.h"
#include "data/TdmUsersAdmin1.h"
#include "data/Session.h"
#include "data/TData1.h"
#include "fb/FbError.h"
#include "fb/Services.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

struct AdminPrompt : CredentialsPrompt
{
    QStringList captions;
    bool answer = true;
    // How many messages the person had seen when asked.
    const ScriptedUserInterface *ui = nullptr;
    QList<qsizetype> messagesSeen;
    bool askCredentials(const QString &caption, QString &user, QString &password) override
    {
        captions << caption;
        if (ui)
            messagesSeen << ui->shown().size();
        user = QStringLiteral("SYSDBA");
        password = TestServer::sysdbaPassword();
        return answer;
    }
};

class UsersAdminTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_database = TestServer::createDatabase(QStringLiteral("users.fdb"));
        fb::Services svc = fb::Services::attach(TestServer::server(), "SYSDBA", TestServer::sysdbaPassword());
        for (const char *name : {"NEWAGENT", "PLAIN1"})
            try {
                svc.deleteUser(QString::fromLatin1(name));
            } catch (const fb::FbError &) {
            }
        svc.addUser(fb::UserAccount{"PLAIN1", {}, {}, {}, false}, "plain1pw");
    }

    void connectAs(const QString &user, const QString &password, bool admin)
    {
        session.IsDbAdmin = admin;
        session.Level = admin ? 5 : 3;
        module = std::make_unique<data::TData1>(&ui, nullptr, &session);
        module->Database1Params().database = s_database;
        module->Database1Params().user = user;
        module->Database1Params().password = password;
        module->Database1Params().role = QStringLiteral("VELKORA1USERS");
        module->Connect();
    }

    bool canReadClients(const QString &user, const QString &password)
    {
        fb::ConnectParams p = TestServer::sysdba(s_database);
        p.user = user;
        p.password = password;
        p.role = QStringLiteral("VELKORA1USERS");
        try {
            fb::Attachment att = fb::Attachment::attach(p);
            fb::Transaction tr(att);
            fb::Statement st(tr, "select count(*) from KLIENTK");
            st.execute();
            return st.fetch();
        } catch (const fb::FbError &) {
            return false;
        }
    }

    static QString s_database;
    ScriptedUserInterface ui;
    AdminPrompt prompt;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};
QString UsersAdminTest::s_database;

TEST_F(UsersAdminTest, AdministratorActivatesChangesAndDeactivatesAUser)
{
    connectAs("SYSDBA", TestServer::sysdbaPassword(), true);
    TdmUsersAdmin1 admin(*module, session, &ui, &prompt);
    EXPECT_FALSE(admin.IsActive("newagent"));
    ASSERT_TRUE(admin.Activate("newagent", "first"));
    EXPECT_TRUE(admin.ListAccounts(true).contains(QStringLiteral("NEWAGENT")));
    QString fullName;
    EXPECT_TRUE(admin.IsActive("NewAgent", &fullName));
    EXPECT_TRUE(fullName.startsWith(QStringLiteral("NEWAGENT (")));
    EXPECT_TRUE(canReadClients("NEWAGENT", "first"));
    EXPECT_TRUE(admin.Activate("NEWAGENT", "ignored")); // an existing account is kept as it is
    EXPECT_TRUE(canReadClients("NEWAGENT", "first"));

    auto check = admin.CheckPassword("NEWAGENT", "wrong");
    EXPECT_FALSE(check.connected);
    check = admin.CheckPassword("NEWAGENT", "first");
    EXPECT_TRUE(check.connected);
    EXPECT_TRUE(check.hasRights);

    // The password dialog's values go to the account; the current one is not checked.
    EXPECT_TRUE(admin.ChangePassword("NEWAGENT", true, [](const QString &user, QString &current, QString &fresh) {
        EXPECT_EQ(user, QStringLiteral("NEWAGENT"));
        current = QStringLiteral("not checked");
        fresh = QStringLiteral("second");
        return true;
    }));
    EXPECT_FALSE(canReadClients("NEWAGENT", "first"));
    EXPECT_TRUE(canReadClients("NEWAGENT", "second"));
    EXPECT_FALSE(admin.ChangePassword("NEWAGENT", false, [](const QString &, QString &, QString &) { return false; }));

    ASSERT_TRUE(admin.Deactivate("NEWAGENT", false)); // the role goes, the account stays
    EXPECT_FALSE(canReadClients("NEWAGENT", "second"));
    EXPECT_TRUE(admin.CheckPassword("NEWAGENT", "second").connected);
    ASSERT_TRUE(admin.Deactivate("NEWAGENT", true));
    EXPECT_FALSE(admin.IsActive("NEWAGENT"));
    ui.expectMessage("Kasutaja 'NEWAGENT' aktiveerimata !", "Kasutajad");
    EXPECT_FALSE(admin.ChangePassword("NEWAGENT", true, [](const QString &, QString &, QString &) { return true; }));
    EXPECT_TRUE(prompt.captions.isEmpty()); // the administrator's own credentials sufficed
}

TEST_F(UsersAdminTest, OrdinaryUserIsAskedForAdministratorCredentialsOnce)
{
    connectAs("PLAIN1", "plain1pw", false);
    TdmUsersAdmin1 admin(*module, session, &ui, &prompt);
    prompt.ui = &ui;
    // The refusal under the user's own credentials is shown before the administrator's are asked for.
    QString refusal;
    ui.expectMessageText("Kasutajad", &refusal);
    ASSERT_TRUE(admin.AddAccount("NEWAGENT", "pw"));
    EXPECT_EQ(prompt.captions, QStringList{"Login as administrator"});
    EXPECT_EQ(prompt.messagesSeen, QList<qsizetype>{1});
    EXPECT_FALSE(refusal.isEmpty());
    EXPECT_TRUE(admin.hasTypedAdminCredentials());
    ASSERT_TRUE(admin.GrantRole("NEWAGENT"));
    EXPECT_TRUE(canReadClients("NEWAGENT", "pw"));
    ASSERT_TRUE(admin.DeleteAccount("NEWAGENT"));
    EXPECT_EQ(prompt.captions.size(), 1); // typed credentials stay for the run

    // Refusing to type them leaves everything as it was.
    TdmUsersAdmin1 again(*module, session, &ui, &prompt);
    prompt.answer = false;
    ui.expectMessageText("Kasutajad", &refusal);
    EXPECT_FALSE(again.AddAccount("NEWAGENT", "pw"));
    prompt.answer = true;
    TdmUsersAdmin1 check(*module, session, &ui, &prompt);
    EXPECT_FALSE(check.ListAccounts().contains(QStringLiteral("NEWAGENT")));
}

TEST_F(UsersAdminTest, RoleIsGrantedAndRevokedUnderTheCredentialRule)
{
    {
        fb::Services svc = fb::Services::attach(TestServer::server(), "SYSDBA", TestServer::sysdbaPassword());
        svc.addUser(fb::UserAccount{"NEWAGENT", {}, {}, {}, false}, "pw");
    }
    connectAs("PLAIN1", "plain1pw", false);
    TdmUsersAdmin1 admin(*module, session, &ui, &prompt);
    prompt.ui = &ui;
    // A user without the right to grant is told so and then asked for the administrator's credentials.
    QString refusal;
    ui.expectMessageText("Kasutajad", &refusal);
    ASSERT_TRUE(admin.GrantRole("NEWAGENT"));
    EXPECT_EQ(prompt.captions, QStringList{"Login as administrator"});
    EXPECT_EQ(prompt.messagesSeen, QList<qsizetype>{1});
    EXPECT_TRUE(canReadClients("NEWAGENT", "pw"));
    // The typed credentials stay for the next operation.
    ASSERT_TRUE(admin.RevokeRole("NEWAGENT"));
    EXPECT_FALSE(canReadClients("NEWAGENT", "pw"));
    EXPECT_EQ(prompt.captions.size(), 1);

    // Refusing to type them grants nothing.
    TdmUsersAdmin1 refused(*module, session, &ui, &prompt);
    prompt.answer = false;
    ui.expectMessageText("Kasutajad", &refusal);
    EXPECT_FALSE(refused.GrantRole("NEWAGENT"));
    EXPECT_FALSE(canReadClients("NEWAGENT", "pw"));
    prompt.answer = true;
    fb::Services svc = fb::Services::attach(TestServer::server(), "SYSDBA", TestServer::sysdbaPassword());
    svc.deleteUser("NEWAGENT");
}

} // namespace
