// The installation helper library against the private Firebird server, called the way an installer
// calls it: through dlopen, and through the sorvel1 front end.

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "Sorvel1Library.h"
#include "TestServer.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

std::string serverName()
{
    return TestServer::server().toStdString();
}

std::string password()
{
    return TestServer::sysdbaPassword().toStdString();
}

// A path in the server's folder, where the server may read and write.
std::string serverPath(const QString &fileName)
{
    return (TestServer::root() + QLatin1Char('/') + fileName).toStdString();
}

// A loopback port on which nothing listens: the system hands out a free one and it is closed again.
int unusedPort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr *>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
}

// Rows of every table of the database, by table name.
std::map<QString, qint64> rowCounts(const QString &database)
{
    fb::Attachment att = fb::Attachment::attach(TestServer::sysdba(database));
    std::map<QString, qint64> counts;
    {
        fb::Transaction tr(att);
        fb::Statement tables(tr, "select trim(RDB$RELATION_NAME) from RDB$RELATIONS "
                                 "where coalesce(RDB$SYSTEM_FLAG, 0) = 0 and RDB$VIEW_BLR is null");
        tables.execute();
        while (tables.fetch())
            counts[tables.getString(0)] = -1;
        for (auto &[table, rows] : counts) {
            fb::Statement count(tr, QStringLiteral("select count(*) from \"%1\"").arg(table));
            count.execute();
            rows = count.fetch() ? count.getInt(0) : -1;
        }
    }
    att.detach();
    return counts;
}

struct FrontEndRun
{
    int exitCode = -1;
    QString errorOutput;
};

FrontEndRun runFrontEnd(const QStringList &arguments,
                        const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(SORVEL1_PROGRAM), arguments);
    p.waitForFinished(120000);
    return FrontEndRun{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                       QString::fromLocal8Bit(p.readAllStandardError())};
}

// The error text: the server's messages, the further ones on lines of their own beginning with "-",
// then the SQL code's text with the code in brackets.
const std::regex kErrorText("[^\r\n]+(\r\n-[^\r\n]+)*\r\n\r\nSQL error: [^\r\n]+ \\(-[0-9]+\\)");

class Sorvel1Test : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(lib.loaded()) << lib.error(); }

    Sorvel1Library lib;
};

TEST_F(Sorvel1Test, TellsAUsableClientLibraryFromAMissingOrIncompleteOne)
{
    EXPECT_EQ(lib.verifyClient(), 1) << "the system's libfbclient.so.2";

    QTemporaryDir empty;
    lib.setClientDir(empty.path().toStdString());
    EXPECT_EQ(lib.verifyClient(), 0) << "a folder without a client library";

    lib.setClientDir(CLIENT_INCOMPLETE_DIR);
    EXPECT_EQ(lib.verifyClient(), -1) << "a library without isc_drop_database";

    // The calls of an attachment are all there, the services are not: the client counts as
    // installed, but nothing that needs the server can be done with it.
    lib.setClientDir(CLIENT_ATTACHONLY_DIR "/");
    EXPECT_EQ(lib.verifyClient(), 1);
    EXPECT_EQ(lib.verifyServerLogin(serverName(), "SYSDBA", password()), 0);
    EXPECT_EQ(lib.restore(serverName(), "SYSDBA", password(), serverPath("none.fbk"), serverPath("none.fdb"), true), 0);
    EXPECT_TRUE(lib.messages.empty());
}

TEST_F(Sorvel1Test, KeepsTheCallersWorkingDirectory)
{
    QTemporaryDir workDir;
    ASSERT_TRUE(QDir::setCurrent(workDir.path()));
    lib.setClientDir(CLIENT_ATTACHONLY_DIR);
    EXPECT_EQ(lib.verifyClient(), 1);
    EXPECT_EQ(QDir::currentPath(), workDir.path());
}

TEST_F(Sorvel1Test, ServerLogInAcceptedRefusedOrUnreachableWithoutMessages)
{
    EXPECT_EQ(lib.verifyServerLogin(serverName(), "SYSDBA", password()), 2);
    EXPECT_EQ(lib.verifyServerLogin(serverName(), "SYSDBA", "wrong" + password()), 1);
    EXPECT_EQ(lib.verifyServer(serverName()), 1) << "the server's administrator has a password of its own";
    EXPECT_EQ(lib.verifyServerLogin("127.0.0.1/" + std::to_string(unusedPort()), "SYSDBA", password()), 0);
    EXPECT_TRUE(lib.messages.empty());
}

// The client configured so that its local service manager is the private server (the Loopback
// provider reaches "service_mgr" without a host name over TCP).
TEST(Sorvel1LocalServerTest, EmptyServerNameAsksTheLocalServiceManager)
{
    QTemporaryDir clientRoot;
    auto configure = [&](int port) {
        QFile conf(clientRoot.filePath(QStringLiteral("firebird.conf")));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
        conf.write(QStringLiteral("Providers = Loopback\nRemoteServicePort = %1\n").arg(port).toLatin1());
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), clientRoot.path());
    env.insert(QStringLiteral("FIREBIRD_MSG"), TestServer::root() + QStringLiteral("/conf"));

    configure(TestServer::server().section(QLatin1Char('/'), -1).toInt());
    EXPECT_EQ(runFrontEnd({"verify-server"}, env).exitCode, 1) << "the default account is refused";
    EXPECT_EQ(runFrontEnd({"verify-server", "", "SYSDBA", TestServer::sysdbaPassword()}, env).exitCode, 2);
    EXPECT_EQ(runFrontEnd({"verify-server", "SYSDBA", TestServer::sysdbaPassword()}, env).exitCode, 2);

    configure(unusedPort());
    const FrontEndRun unreachable = runFrontEnd({"verify-server", "SYSDBA", TestServer::sysdbaPassword()}, env);
    EXPECT_EQ(unreachable.exitCode, 0);
    EXPECT_EQ(unreachable.errorOutput, QString());
}

TEST(Sorvel1FrontEndTest, ClientCheckAndWrongArguments)
{
    EXPECT_EQ(runFrontEnd({"verify-client"}).exitCode, 1);
    EXPECT_EQ(runFrontEnd({"--client-dir", CLIENT_INCOMPLETE_DIR, "verify-client"}).exitCode, 255);
    EXPECT_EQ(runFrontEnd({"--client-dir", "/nonexistent", "verify-client"}).exitCode, 0);
    EXPECT_EQ(runFrontEnd({"restore", "a", "b"}).exitCode, 64);
    EXPECT_EQ(runFrontEnd({"--help"}).exitCode, 0);
}

// A database on the server with clients in it, and its backup written by the database tool.
class Sorvel1RestoreTest : public Sorvel1Test
{
protected:
    static void SetUpTestSuite()
    {
        s_source = TestServer::createDatabase(QStringLiteral("installer_source.fdb"));
        fb::Attachment att = fb::Attachment::attach(TestServer::sysdba(s_source));
        {
            fb::Transaction tr(att);
            tr.start();
            att.executeImmediate(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Balti Puit')");
            att.executeImmediate(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (2, 'Tartu Kivi')");
            att.executeImmediate(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (3, 'Parnu Kala')");
            tr.commit();
        }
        att.detach();
        QFile::remove(QString::fromStdString(backupFile()));
        QProcess tool;
        tool.start(QStringLiteral(VELKORA1DB_PROGRAM),
                   {"backup", s_source, QString::fromStdString(backupFile()), "--user", "SYSDBA", "--password",
                    TestServer::sysdbaPassword()});
        tool.waitForFinished(120000);
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }

    static std::string backupFile() { return serverPath(QStringLiteral("installer.fbk")); }

    // A fresh target file name in the server's folder.
    static std::string target(const QString &fileName)
    {
        QFile::remove(QString::fromStdString(serverPath(fileName)));
        return serverPath(fileName);
    }

    int restore(const std::string &database, bool replace)
    {
        return lib.restore(serverName(), "SYSDBA", password(), backupFile(), database, replace);
    }

    static QString s_source;
};
QString Sorvel1RestoreTest::s_source;

TEST_F(Sorvel1RestoreTest, RestoresTheBackupWithTheSameRows)
{
    const std::string database = target(QStringLiteral("installer_restored.fdb"));
    ASSERT_EQ(restore(database, false), 1);
    EXPECT_TRUE(lib.messages.empty());
    const auto restored = rowCounts(TestServer::server() + QLatin1Char(':') + QString::fromStdString(database));
    EXPECT_EQ(restored, rowCounts(s_source));
    EXPECT_EQ(restored.at(QStringLiteral("KLIENTK")), 3);
}

TEST_F(Sorvel1RestoreTest, CreatesOnlyANewFileUnlessToldToReplace)
{
    const std::string database = target(QStringLiteral("installer_existing.fdb"));
    ASSERT_EQ(restore(database, false), 1);

    EXPECT_EQ(restore(database, false), 0);
    ASSERT_EQ(lib.messages.size(), 1u);
    EXPECT_EQ(lib.messages[0].caption, "Error");
    EXPECT_TRUE(std::regex_match(lib.messages[0].text, kErrorText)) << lib.messages[0].text;
    EXPECT_EQ(lib.messages[0].text.rfind("database " + database + " already exists", 0), 0u) << lib.messages[0].text;

    lib.messages.clear();
    EXPECT_EQ(restore(database, true), 1);
    EXPECT_TRUE(lib.messages.empty());
}

TEST_F(Sorvel1RestoreTest, AFileThatIsNoBackupIsReported)
{
    const std::string notABackup = target(QStringLiteral("installer_notabackup.fbk"));
    QFile file(QString::fromStdString(notABackup));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("velkora1 contacts export\r\n1;Balti Puit\r\n");
    file.close();

    EXPECT_EQ(lib.restore(serverName(), "SYSDBA", password(), notABackup, target("installer_fromtext.fdb"), false), 0);
    ASSERT_EQ(lib.messages.size(), 1u);
    EXPECT_EQ(lib.messages[0].caption, "Error");
    EXPECT_TRUE(std::regex_match(lib.messages[0].text, kErrorText)) << lib.messages[0].text;
}

TEST_F(Sorvel1RestoreTest, FrontEndRestoresAndPrintsTheErrorOnStandardError)
{
    const QString database = QString::fromStdString(target(QStringLiteral("installer_frontend.fdb")));
    const QStringList args{
        "restore", TestServer::server(), "SYSDBA", TestServer::sysdbaPassword(), QString::fromStdString(backupFile()),
        database};
    EXPECT_EQ(runFrontEnd(args).exitCode, 1);

    const FrontEndRun again = runFrontEnd(args);
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.errorOutput.startsWith(QStringLiteral("Error: "))) << again.errorOutput.toStdString();
    EXPECT_TRUE(again.errorOutput.contains(QStringLiteral("\n\nSQL error: "))) << again.errorOutput.toStdString();

    EXPECT_EQ(runFrontEnd(args + QStringList{"--replace"}).exitCode, 1);
}

} // namespace
