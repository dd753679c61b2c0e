// The log-in: who gets which session, on a real database.

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "ScriptedPrompt.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "data/SessionLogIn.h"
#include "data/FilterBuilder.h"
#include "data/Session.h"
#include "data/TData1.h"
#include "fb/FbError.h"

namespace {

class SessionLogInTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("login.fdb"));
        s_db->execute(
             {"insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (1, 'Mari', 'Tamm')",
              "insert into USERSK (KASKOOD, KASNIMI, NIVOO, AGENTKOOD, VAIKIMPROJID, PROJEKTIVALIKLUBATUD, USERSETTINGS1) "
              "values ('Mari', 'Mari Tamm', 1, 1, 2, 'N', '[Preferences]' || ascii_char(13) || ascii_char(10) || "
              "'NewContactOpenClient=1')",
              "GRANT VELKORA1USERS TO MARI", "GRANT VELKORA1USERS TO VOORAS", "GRANT SELECT ON DBVERSION TO VERSIONONLY"});
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    void SetUp() override
    {
        data::ClearFilterRegistry();
        module = std::make_unique<data::TData1>(&ui, nullptr, &session);
        module->Database1Params() = s_db->params();
        module->Database1Params().role = QStringLiteral("VELKORA1USERS");
        module->Database1Params().user.clear();
    }

    static TempDatabase *s_db;
    ScriptedUserInterface ui;
    ScriptedPrompt prompt;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};
TempDatabase *SessionLogInTest::s_db = nullptr;

TEST_F(SessionLogInTest, DatabaseOwnerWithoutUserRowIsAdministrator)
{
    prompt.answers = {{"sysdba", "any"}};
    SessionLogIn login(*module, session, prompt, &ui);
    ASSERT_TRUE(login.ConnectAndLogIn(false));
    EXPECT_EQ(prompt.captions, QStringList{"Logi sisse"});
    EXPECT_TRUE(session.LoggedIn);
    EXPECT_TRUE(session.IsDbAdmin);
    EXPECT_EQ(session.UserCode, QStringLiteral("SYSDBA"));
    EXPECT_EQ(session.UserName, QStringLiteral("SYSDBA"));
    EXPECT_EQ(session.Level, 5);
    EXPECT_EQ(session.AgentCode, 0);
    EXPECT_TRUE(session.ProjectChoiceAllowed);
    EXPECT_TRUE(login.settingsText().isEmpty());
}

TEST_F(SessionLogInTest, UserRowGivesLevelAgentAndStoredSpelling)
{
    prompt.answers = {{"mari", "x"}};
    SessionLogIn login(*module, session, prompt, &ui);
    ASSERT_TRUE(login.ConnectAndLogIn(false));
    EXPECT_FALSE(session.IsDbAdmin);
    EXPECT_EQ(session.UserCode, QStringLiteral("Mari"));
    EXPECT_EQ(session.UserName, QStringLiteral("Mari Tamm"));
    EXPECT_EQ(session.Level, 1);
    EXPECT_EQ(session.AgentCode, 1);
    EXPECT_EQ(session.AgentName, QStringLiteral("Mari Tamm"));
    EXPECT_EQ(session.DefaultProjectId, 2);
    EXPECT_FALSE(session.ProjectChoiceAllowed);
    EXPECT_TRUE(login.settingsText().contains(QStringLiteral("NewContactOpenClient=1")));
}

TEST_F(SessionLogInTest, AdministratorWithALowLevelRowStillGetsLevelFive)
{
    s_db->execute({"update or insert into USERSK (KASKOOD, KASNIMI, NIVOO) values ('SysDba', 'Admin', 1) matching (KASKOOD)"});
    prompt.answers = {{"SYSDBA", "x"}};
    SessionLogIn login(*module, session, prompt, &ui);
    ASSERT_TRUE(login.ConnectAndLogIn(false));
    EXPECT_EQ(session.Level, 5);
    EXPECT_EQ(session.UserCode, QStringLiteral("SysDba"));
    module->Disconnect();
    s_db->execute({"delete from USERSK where KASKOOD = 'SysDba'"});
}

TEST_F(SessionLogInTest, UserWithoutPropertiesOrRightsIsNotLoggedIn)
{
    prompt.answers = {{"vooras", "x"}};
    ui.expectMessage("Kasutaja omadused kirjeldamata", "Logi sisse");
    SessionLogIn login(*module, session, prompt, &ui);
    EXPECT_FALSE(login.ConnectAndLogIn(false));
    EXPECT_FALSE(session.LoggedIn);
    EXPECT_TRUE(session.UserCode.isEmpty());

    // Without the role the user rows cannot be read at all.
    ScriptedPrompt other;
    other.answers = {{"norole", "x"}};
    ui.expectMessage("Juurdepääs andmebaasile keelatud", "Logi sisse");
    SessionLogIn login2(*module, session, other, &ui);
    EXPECT_FALSE(login2.ConnectAndLogIn(false));
    // A user name cannot change the statement that finds the user.
    ScriptedPrompt sneaky;
    sneaky.answers = {{"x' or '1'='1", "x"}};
    ui.expectMessage("Juurdepääs andmebaasile keelatud", "Logi sisse");
    SessionLogIn login3(*module, session, sneaky, &ui);
    EXPECT_FALSE(login3.ConnectAndLogIn(false));
}

TEST_F(SessionLogInTest, FailedLogInKeepsNoAdministratorRights)
{
    // Reading the version makes the user the database's owner, but the user rows stay closed to him.
    prompt.answers = {{"versiononly", "x"}};
    ui.expectMessage("Juurdepääs andmebaasile keelatud", "Logi sisse");
    SessionLogIn login(*module, session, prompt, &ui);
    EXPECT_FALSE(login.ConnectAndLogIn(false));
    EXPECT_FALSE(session.LoggedIn);
    EXPECT_FALSE(session.IsDbAdmin);
    EXPECT_EQ(session.Level, 0);
    EXPECT_TRUE(session.UserCode.isEmpty());
}

TEST_F(SessionLogInTest, CancelledDialogAndReusedCredentials)
{
    prompt.answers = {{"", ""}};
    SessionLogIn login(*module, session, prompt, &ui);
    EXPECT_FALSE(login.ConnectAndLogIn(false));
    EXPECT_FALSE(module->Connected());

    // With the credentials of an earlier attempt no dialog is shown.
    module->Database1Params().user = QStringLiteral("MARI");
    ScriptedPrompt none;
    SessionLogIn again(*module, session, none, &ui);
    EXPECT_TRUE(again.ConnectAndLogIn(true));
    EXPECT_TRUE(none.captions.isEmpty());
}

TEST_F(SessionLogInTest, MissingDatabaseIsPassedToTheCaller)
{
    module->Database1Params().database = s_db->folder() + QStringLiteral("/none/velkora1.FDB");
    prompt.answers = {{"SYSDBA", "x"}};
    SessionLogIn login(*module, session, prompt, &ui);
    try {
        login.ConnectAndLogIn(false);
        FAIL() << "a missing database logged in";
    } catch (const fb::FbError &e) {
        EXPECT_EQ(e.gdsCode(), fb::FbError::IoError);
    }
}

} // namespace
