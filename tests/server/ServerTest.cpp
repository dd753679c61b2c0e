// Several users, rights, accounts and restore on the private Firebird server started by CTest.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "TestServer.h"
#include "data/SessionLogIn.h"
#include "data/Session.h"
#include "data/TData1.h"
#include "data/SchemaScript.h"
#include "fb/FbError.h"
#include "fb/Services.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

class ServerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_database = TestServer::createDatabase(QStringLiteral("server.fdb"));
        fb::Services svc = fb::Services::attach(TestServer::server(), "SYSDBA", TestServer::sysdbaPassword());
        for (const char *name : {"AGENT1", "OUTSIDER"}) {
            try {
                svc.deleteUser(QString::fromLatin1(name));
            } catch (const fb::FbError &) {
                // not there from an earlier run
            }
        }
        svc.addUser(fb::UserAccount{"AGENT1", "Mari", {}, "Tamm", false}, "agent1pw");
        svc.addUser(fb::UserAccount{"OUTSIDER", {}, {}, {}, false}, "outsiderpw");
        fb::Attachment att = fb::Attachment::attach(TestServer::sysdba(s_database));
        fb::Transaction tr(att);
        tr.start();
        att.executeImmediate(tr, "GRANT VELKORA1USERS TO AGENT1");
        att.executeImmediate(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Balti Puit')");
        att.executeImmediate(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (2, 'Tartu Kivi')");
        tr.commit();
    }

    static fb::ConnectParams as(const QString &user, const QString &password, const QString &role = "VELKORA1USERS")
    {
        fb::ConnectParams p;
        p.database = s_database;
        p.user = user;
        p.password = password;
        p.role = role;
        return p;
    }

    static QString s_database;
};
QString ServerTest::s_database;

qint64 count(fb::Attachment &att, const QString &sql)
{
    fb::Transaction tr(att);
    fb::Statement st(tr, sql);
    st.execute();
    return st.fetch() ? st.getInt(0) : -1;
}

TEST_F(ServerTest, UserWithTheRoleWorksOnClientsButCannotReadTheVersion)
{
    fb::Attachment att = fb::Attachment::attach(as("agent1", "agent1pw"));
    EXPECT_EQ(count(att, "select count(*) from KLIENTK"), 2);
    {
        fb::Transaction tr(att);
        fb::Statement up(tr, "update KLIENTK set KLITEL = ? where KLIKOOD = 1");
        up.setString(0, u"6 123 456");
        up.execute();
        EXPECT_EQ(up.affectedRows(), 1);
        fb::Statement gen(tr, "select gen_id(KLIENTK_KLIKOOD_GEN, 1) from RDB$DATABASE");
        EXPECT_NO_THROW(gen.execute());
        tr.commit();
    }
    try {
        count(att, "select count(*) from DBVERSION");
        FAIL() << "an ordinary user read DBVERSION";
    } catch (const fb::FbError &e) {
        EXPECT_TRUE(e.isNoPermission()) << e.message().toStdString();
    }
    // The administrator reads it.
    fb::Attachment admin = fb::Attachment::attach(TestServer::sysdba(s_database));
    EXPECT_EQ(count(admin, "select count(*) from DBVERSION"), 1);
}

TEST_F(ServerTest, UserWithoutTheRoleIsRefused)
{
    fb::Attachment att = fb::Attachment::attach(as("OUTSIDER", "outsiderpw"));
    try {
        count(att, "select count(*) from KLIENTK");
        FAIL() << "a user without the role read the clients";
    } catch (const fb::FbError &e) {
        EXPECT_TRUE(e.isNoPermission()) << e.message().toStdString();
        EXPECT_EQ(e.gdsCode(), fb::FbError::NoPermission);
    }
}

TEST_F(ServerTest, WrongPasswordIsALoginError)
{
    try {
        fb::Attachment::attach(as("AGENT1", "wrong"));
        FAIL() << "a wrong password was accepted";
    } catch (const fb::FbError &e) {
        EXPECT_EQ(e.gdsCode(), fb::FbError::LoginError) << e.message().toStdString();
        EXPECT_FALSE(e.message().isEmpty());
    }
    try {
        fb::ConnectParams p = as("AGENT1", "agent1pw");
        p.database = TestServer::databaseName("missing.fdb");
        fb::Attachment::attach(p);
        FAIL() << "a missing database was opened";
    } catch (const fb::FbError &e) {
        EXPECT_EQ(e.gdsCode(), fb::FbError::IoError) << e.message().toStdString();
    }
}

TEST_F(ServerTest, SecondWriterOfARowGetsTheLockConflictAtOnceAndNothingIsLost)
{
    fb::Attachment a = fb::Attachment::attach(as("AGENT1", "agent1pw"));
    fb::Attachment b = fb::Attachment::attach(TestServer::sysdba(s_database));
    fb::Transaction ta(a);
    fb::Transaction tb(b);
    fb::Statement first(ta, "update KLIENTK set KLIEMAIL = ? where KLIKOOD = 2");
    first.setString(0, u"esimene@kivi.ee");
    first.execute();

    fb::Statement second(tb, "update KLIENTK set KLIEMAIL = ? where KLIKOOD = 2");
    second.setString(0, u"teine@kivi.ee");
    QElapsedTimer waited;
    waited.start();
    try {
        second.execute();
        FAIL() << "the second writer was not stopped";
    } catch (const fb::FbError &e) {
        EXPECT_TRUE(e.isLockConflict()) << e.message().toStdString();
        EXPECT_TRUE(e.hasCode(fb::FbError::UpdateConflict) || e.hasCode(fb::FbError::LockConflict)) << e.message().toStdString();
    }
    EXPECT_LT(waited.elapsed(), 3000) << "the second writer waited for the lock";

    ta.commitRetaining();
    tb.rollback();
    fb::Attachment c = fb::Attachment::attach(TestServer::sysdba(s_database));
    fb::Transaction tc(c);
    fb::Statement check(tc, "select KLIEMAIL from KLIENTK where KLIKOOD = 2");
    check.execute();
    ASSERT_TRUE(check.fetch());
    EXPECT_EQ(check.getString(0), QStringLiteral("esimene@kivi.ee"));

    // Once the first commits, the second may write.
    fb::Transaction tb2(b);
    fb::Statement again(tb2, "update KLIENTK set KLIEMAIL = ? where KLIKOOD = 2");
    again.setString(0, u"teine@kivi.ee");
    EXPECT_NO_THROW(again.execute());
    tb2.commit();
}

TEST_F(ServerTest, BackupThenRestoreGivesTheSameRowCounts)
{
    const QString backup = TestServer::root() + "/server.fbk";
    const QString restoredPath = TestServer::root() + "/restored.fdb";
    QFile::remove(backup);
    QFile::remove(restoredPath);

    fb::Services svc = fb::Services::attach(TestServer::server(), "SYSDBA", TestServer::sysdbaPassword());
    QStringList backupLines;
    svc.backup(TestServer::root() + "/server.fdb", backup, [&](const QString &l) { backupLines << l; });
    EXPECT_TRUE(QFile::exists(backup));
    EXPECT_FALSE(backupLines.isEmpty());

    QStringList restoreLines;
    svc.restore(backup, restoredPath, false, [&](const QString &l) { restoreLines << l; });
    EXPECT_GT(restoreLines.size(), 10);
    EXPECT_TRUE(restoreLines.join('\n').contains("KLIENTK")) << restoreLines.join('\n').toStdString();

    fb::Attachment original = fb::Attachment::attach(TestServer::sysdba(s_database));
    fb::Attachment restored = fb::Attachment::attach(TestServer::sysdba(TestServer::databaseName("restored.fdb")));
    for (const char *table : {"KLIENTK", "DBVERSION", "RDB$USER_PRIVILEGES", "RDB$GENERATORS", "RDB$PROCEDURES"}) {
        const QString sql = QStringLiteral("select count(*) from %1").arg(QLatin1String(table));
        EXPECT_EQ(count(original, sql), count(restored, sql)) << table;
    }

    // A restore onto an existing file without replace is refused; the error arrives from the service.
    try {
        svc.restore(backup, restoredPath, false);
        FAIL() << "restore overwrote an existing database";
    } catch (const fb::FbError &e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    // A backup file that does not exist.
    EXPECT_THROW(svc.restore(TestServer::root() + "/none.fbk", TestServer::root() + "/none.fdb", false), fb::FbError);
}

TEST_F(ServerTest, AccountIsAddedRepasswordedAndDeleted)
{
    fb::Services svc = fb::Services::attach(TestServer::server(), "SYSDBA", TestServer::sysdbaPassword());
    try {
        svc.deleteUser("TEMPUSER");
    } catch (const fb::FbError &) {
    }
    svc.addUser(fb::UserAccount{"TEMPUSER", "Tiiu", {}, "Kask", false}, "first");
    bool found = false;
    for (const fb::UserAccount &u : svc.users()) {
        if (u.name == QLatin1String("TEMPUSER")) {
            found = true;
            EXPECT_EQ(u.firstName, QStringLiteral("Tiiu"));
            EXPECT_EQ(u.lastName, QStringLiteral("Kask"));
        }
    }
    EXPECT_TRUE(found);
    EXPECT_NO_THROW(fb::Attachment::attach(as("TEMPUSER", "first", QString())));

    // Adding it twice is an error of the server.
    EXPECT_THROW(svc.addUser(fb::UserAccount{"TEMPUSER", {}, {}, {}, false}, "x"), fb::FbError);

    svc.changePassword("TEMPUSER", "second");
    EXPECT_THROW(fb::Attachment::attach(as("TEMPUSER", "first", QString())), fb::FbError);
    EXPECT_NO_THROW(fb::Attachment::attach(as("TEMPUSER", "second", QString())));

    svc.deleteUser("TEMPUSER");
    for (const fb::UserAccount &u : svc.users())
        EXPECT_NE(u.name, QStringLiteral("TEMPUSER"));
    try {
        fb::Attachment::attach(as("TEMPUSER", "second", QString()));
        FAIL() << "a deleted account logged in";
    } catch (const fb::FbError &e) {
        EXPECT_EQ(e.gdsCode(), fb::FbError::LoginError);
    }

    // An ordinary user may not manage accounts.
    fb::Services user = fb::Services::attach(TestServer::server(), "AGENT1", "agent1pw");
    EXPECT_THROW(user.addUser(fb::UserAccount{"SNEAKY", {}, {}, {}, false}, "x"), fb::FbError);
}

} // namespace

namespace {

struct WrongPasswords : CredentialsPrompt
{
    int asked = 0;
    QStringList prefilled;
    bool askCredentials(const QString &, QString &user, QString &password) override
    {
        prefilled << user;
        ++asked;
        user = QStringLiteral("AGENT1");
        password = QStringLiteral("wrong %1").arg(asked);
        return true;
    }
};

TEST_F(ServerTest, ThreeRefusedLogInsEndTheLogIn)
{
    data::Session session;
    data::TData1 module(nullptr, nullptr, &session);
    module.Database1Params() = as("AGENT1", QString());
    WrongPasswords prompt;
    SessionLogIn login(module, session, prompt, nullptr);
    EXPECT_FALSE(login.ConnectAndLogIn(false));
    EXPECT_EQ(prompt.asked, 3);
    EXPECT_EQ(login.attemptsUsed(), 3);
    EXPECT_FALSE(module.Connected());
    EXPECT_EQ(prompt.prefilled.value(1), QStringLiteral("AGENT1")); // the name entered before is offered again
}

} // namespace
