// The forms of database name: taken apart into server, port, protocol and path, and put together
// again in the form of the chosen protocol.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "data/DatabaseName.h"

namespace {

using Protocol = DatabaseName::Protocol;

struct Expected
{
    QString name;
    QString server;
    QString port;
    Protocol protocol;
    QString path;
};

void expectRoundTrip(const Expected &e)
{
    SCOPED_TRACE(e.name.toStdString());
    const DatabaseName::Parts parts = DatabaseName::split(e.name);
    EXPECT_TRUE(parts.ok);
    EXPECT_EQ(parts.server, e.server);
    EXPECT_EQ(parts.port, e.port);
    EXPECT_EQ(static_cast<int>(parts.protocol), static_cast<int>(e.protocol));
    EXPECT_EQ(parts.path, e.path);
    EXPECT_EQ(DatabaseName::compose(parts), e.name);
    EXPECT_EQ(DatabaseName::compose(e.server, e.protocol, e.port, e.path), e.name);
}

TEST(DatabaseNameTest, TcpNameWithPortAndDriveLetterPathRoundTrips)
{
    expectRoundTrip({"dbhost/3051:C:\\Data\\velkora1.fdb", "dbhost", "3051", Protocol::Tcp, "C:\\Data\\velkora1.fdb"});
    expectRoundTrip({"dbhost:C:\\Data\\velkora1.fdb", "dbhost", "", Protocol::Tcp, "C:\\Data\\velkora1.fdb"});
    // The host ends at the first "/", the server part at the first ":".
    expectRoundTrip({"dbhost/gds_db:D:/a/b:c.fdb", "dbhost", "gds_db", Protocol::Tcp, "D:/a/b:c.fdb"});
}

TEST(DatabaseNameTest, BarePathsAreLocal)
{
    expectRoundTrip({"C:\\Data\\velkora1.fdb", "", "", Protocol::None, "C:\\Data\\velkora1.fdb"});
    expectRoundTrip({"Data/velkora1.FDB", "", "", Protocol::None, "Data/velkora1.FDB"});
    expectRoundTrip({"/var/db/x.fdb", "", "", Protocol::None, "/var/db/x.fdb"});
    expectRoundTrip({"velkora1", "", "", Protocol::None, "velkora1"});
    expectRoundTrip({"", "", "", Protocol::None, ""});
    // A drive letter followed by a later colon is still a drive letter.
    expectRoundTrip({"C:\\a:b.fdb", "", "", Protocol::None, "C:\\a:b.fdb"});
}

TEST(DatabaseNameTest, LinuxPathsOverTcp)
{
    expectRoundTrip({"host:/var/db/x.fdb", "host", "", Protocol::Tcp, "/var/db/x.fdb"});
    expectRoundTrip({"127.0.0.1/3057:/tmp/x y/õäöü.fdb", "127.0.0.1", "3057", Protocol::Tcp, "/tmp/x y/õäöü.fdb"});
    // An alias of databases.conf is a path as far as the name is concerned.
    expectRoundTrip({"server:velkora1", "server", "", Protocol::Tcp, "velkora1"});
}

TEST(DatabaseNameTest, BracketedIpv6HostKeepsItsColons)
{
    expectRoundTrip({"[::1]/3051:/var/db/x.fdb", "[::1]", "3051", Protocol::Tcp, "/var/db/x.fdb"});
    expectRoundTrip({"[fe80::1]:C:\\x.fdb", "[fe80::1]", "", Protocol::Tcp, "C:\\x.fdb"});
}

TEST(DatabaseNameTest, NamedPipeNames)
{
    expectRoundTrip({"\\\\srv\\d\\x.fdb", "srv", "", Protocol::NetBeui, "d\\x.fdb"});
    expectRoundTrip({"\\\\srv\\C:\\Data\\velkora1.fdb", "srv", "", Protocol::NetBeui, "C:\\Data\\velkora1.fdb"});
}

TEST(DatabaseNameTest, NamedPipeWithoutBackslashAfterServerIsAnError)
{
    for (const QString &name : {QStringLiteral("\\\\srv"), QStringLiteral("\\\\srv:x.fdb"), QStringLiteral("\\\\")}) {
        SCOPED_TRACE(name.toStdString());
        const DatabaseName::Parts parts = DatabaseName::split(name);
        EXPECT_FALSE(parts.ok);
        // Nothing is lost for whoever shows the parts: the whole name is the path.
        EXPECT_EQ(parts.server, QString());
        EXPECT_EQ(parts.port, QString());
        EXPECT_EQ(parts.path, name);
        EXPECT_EQ(DatabaseName::compose(parts), name);
    }
    EXPECT_TRUE(DatabaseName::split(QStringLiteral("\\\\srv\\x")).ok);
    EXPECT_TRUE(DatabaseName::split(QStringLiteral("host:/x")).ok);
}

TEST(DatabaseNameTest, SpxNames)
{
    expectRoundTrip({"srv@vol:x.fdb", "srv", "", Protocol::Spx, "vol:x.fdb"});
    expectRoundTrip({"srv@SYS:\\DATA\\velkora1.fdb", "srv", "", Protocol::Spx, "SYS:\\DATA\\velkora1.fdb"});
    // An "@" anywhere makes a server name an SPX one, after the colon too.
    expectRoundTrip({"host:/home/a@b/x.fdb", "host:/home/a", "", Protocol::Spx, "b/x.fdb"});
    expectRoundTrip({"dbhost/3051:C:\\mail@home\\x.fdb", "dbhost/3051:C:\\mail", "", Protocol::Spx, "home\\x.fdb"});
}

TEST(DatabaseNameTest, PortCountsOnlyForTcp)
{
    EXPECT_EQ(DatabaseName::compose("srv", Protocol::NetBeui, "3051", "d\\x.fdb"), "\\\\srv\\d\\x.fdb");
    EXPECT_EQ(DatabaseName::compose("srv", Protocol::Spx, "3051", "vol:x.fdb"), "srv@vol:x.fdb");
    EXPECT_EQ(DatabaseName::compose("srv", Protocol::Tcp, "3051", "/x.fdb"), "srv/3051:/x.fdb");
    // No protocol chosen but a server given: the TCP form.
    EXPECT_EQ(DatabaseName::compose("srv", Protocol::None, "3051", "/x.fdb"), "srv/3051:/x.fdb");
    EXPECT_EQ(DatabaseName::compose("srv", Protocol::None, "", "/x.fdb"), "srv:/x.fdb");
}

TEST(DatabaseNameTest, EmptyServerGivesThePathAloneWhateverTheProtocol)
{
    for (const Protocol p : {Protocol::None, Protocol::Tcp, Protocol::NetBeui, Protocol::Spx})
        EXPECT_EQ(DatabaseName::compose("", p, "3051", "C:\\Data\\velkora1.fdb"), "C:\\Data\\velkora1.fdb");
}

} // namespace
