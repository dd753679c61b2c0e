// The connection settings in the configuration file beside the program: what is read, what is
// written, what is kept, and that the settings read really connect under the role and character set.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "TempDatabase.h"
#include "data/DatabaseSettings.h"
#include "data/IniText.h"
#include "fb/FbError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

class DatabaseSettingsTest : public ::testing::Test
{
protected:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("velkora1IB.ini")); }

    void writeFile(const QByteArray &bytes)
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readFile() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static DatabaseSettings nonDefault()
    {
        DatabaseSettings s;
        s.setDatabaseName(QStringLiteral("before:/x.fdb"));
        s.setSqlRoleName(QStringLiteral("BEFOREROLE"));
        s.setLcCtype(QStringLiteral("WIN1257"));
        return s;
    }

    static void expectUnchanged(const DatabaseSettings &s)
    {
        EXPECT_EQ(s.databaseName(), QStringLiteral("before:/x.fdb"));
        EXPECT_EQ(s.sqlRoleName(), QStringLiteral("BEFOREROLE"));
        EXPECT_EQ(s.lcCtype(), QStringLiteral("WIN1257"));
    }

    QTemporaryDir m_dir;
};

TEST_F(DatabaseSettingsTest, InitialValuesAreALocalDatabaseUnderTheProgramRole)
{
    const DatabaseSettings s;
    EXPECT_EQ(s.databaseName(), QStringLiteral("Data/velkora1.FDB"));
    EXPECT_EQ(s.lcCtype(), QStringLiteral("ISO8859_1"));
    EXPECT_EQ(s.sqlRoleName(), QStringLiteral("VELKORA1USERS"));

    const fb::ConnectParams p = s.toConnectParams(QStringLiteral("MARI"), QStringLiteral("salakala"));
    EXPECT_EQ(p.database, QStringLiteral("Data/velkora1.FDB"));
    EXPECT_EQ(p.user, QStringLiteral("MARI"));
    EXPECT_EQ(p.password, QStringLiteral("salakala"));
    EXPECT_EQ(p.role, QStringLiteral("VELKORA1USERS"));
    EXPECT_EQ(p.charset, QStringLiteral("ISO8859_1"));
}

TEST_F(DatabaseSettingsTest, ConfigurationFileIsTheProgramBaseNameWithIniBesideIt)
{
    EXPECT_EQ(DatabaseSettings::configFilePath(QStringLiteral("/opt/x/velkora1IB")),
              QStringLiteral("/opt/x/velkora1IB.ini"));
    EXPECT_EQ(DatabaseSettings::configFilePath(QStringLiteral("/opt/x/velkora1IB.exe")),
              QStringLiteral("/opt/x/velkora1IB.ini"));
    EXPECT_EQ(DatabaseSettings::configFilePath(QStringLiteral("/opt/v1.2/bin/velkora1IB")),
              QStringLiteral("/opt/v1.2/bin/velkora1IB.ini"));
}

TEST_F(DatabaseSettingsTest, MissingFileOrDatabaseLeavesTheSettingsAsTheyWere)
{
    DatabaseSettings s = nonDefault();
    EXPECT_FALSE(s.ReadDatabaseSettings(iniPath()));
    expectUnchanged(s);

    writeFile("[Database Settings]\r\ndatabase=\r\nsql_role=OTHER\r\nlc_ctype=UTF8\r\n");
    EXPECT_FALSE(s.ReadDatabaseSettings(iniPath()));
    expectUnchanged(s);

    writeFile("[Database Settings]\r\ndatabase=   \r\nlc_ctype=UTF8\r\n");
    EXPECT_FALSE(s.ReadDatabaseSettings(iniPath()));
    expectUnchanged(s);

    writeFile("[Language]\r\nLanguage=English\r\n");
    EXPECT_FALSE(s.ReadDatabaseSettings(iniPath()));
    expectUnchanged(s);

    writeFile("");
    EXPECT_FALSE(s.ReadDatabaseSettings(iniPath()));
    expectUnchanged(s);

    // A database under another section does not count.
    writeFile("[Other]\r\ndatabase=host:/x.fdb\r\n");
    EXPECT_FALSE(s.ReadDatabaseSettings(iniPath()));
    expectUnchanged(s);
}

TEST_F(DatabaseSettingsTest, EmptyRoleAndCharacterSetGiveTheDefaults)
{
    DatabaseSettings s = nonDefault();
    writeFile("[Database Settings]\r\ndatabase=dbhost/3051:C:\\Data\\velkora1.fdb\r\nsql_role=\r\nlc_ctype=\r\n");
    ASSERT_TRUE(s.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(s.databaseName(), QStringLiteral("dbhost/3051:C:\\Data\\velkora1.fdb"));
    EXPECT_EQ(s.sqlRoleName(), QStringLiteral("VELKORA1USERS"));
    EXPECT_EQ(s.lcCtype(), QStringLiteral("ISO8859_1"));

    s = nonDefault();
    writeFile("[Database Settings]\r\ndatabase=/var/db/x.fdb\r\n");
    ASSERT_TRUE(s.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(s.databaseName(), QStringLiteral("/var/db/x.fdb"));
    EXPECT_EQ(s.sqlRoleName(), QStringLiteral("VELKORA1USERS"));
    EXPECT_EQ(s.lcCtype(), QStringLiteral("ISO8859_1"));
}

TEST_F(DatabaseSettingsTest, ValuesReadAreTakenWithoutSurroundingBlanksAndKeysInAnyCase)
{
    DatabaseSettings s;
    writeFile("[database settings]\nDATABASE =  host:/var/db/x.fdb  \nSql_Role= MYROLE \nLC_CTYPE=\tUTF8\n");
    ASSERT_TRUE(s.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(s.databaseName(), QStringLiteral("host:/var/db/x.fdb"));
    EXPECT_EQ(s.sqlRoleName(), QStringLiteral("MYROLE"));
    EXPECT_EQ(s.lcCtype(), QStringLiteral("UTF8"));
}

TEST_F(DatabaseSettingsTest, WrittenRoleGoesToItsOwnKeyAndDoesNotComeBack)
{
    DatabaseSettings s;
    s.setDatabaseName(QStringLiteral("\\\\srv\\d\\x.fdb"));
    s.setSqlRoleName(QStringLiteral("WRITTENROLE"));
    s.setLcCtype(QStringLiteral("WIN1257"));
    ASSERT_TRUE(s.WriteDatabaseSettings(iniPath())); // the file is created

    const data::IniText ini = data::IniText::load(iniPath());
    EXPECT_EQ(ini.value("Database Settings", "database"), QStringLiteral("\\\\srv\\d\\x.fdb"));
    EXPECT_EQ(ini.value("Database Settings", "sql_role_name"), QStringLiteral("WRITTENROLE"));
    EXPECT_EQ(ini.value("Database Settings", "lc_ctype"), QStringLiteral("WIN1257"));
    EXPECT_FALSE(ini.hasKey("Database Settings", "sql_role"));

    DatabaseSettings next;
    next.setSqlRoleName(QStringLiteral("SOMETHINGELSE"));
    ASSERT_TRUE(next.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(next.databaseName(), QStringLiteral("\\\\srv\\d\\x.fdb"));
    EXPECT_EQ(next.sqlRoleName(), QStringLiteral("VELKORA1USERS"));
    EXPECT_EQ(next.lcCtype(), QStringLiteral("WIN1257"));

    // With a configured role that one is read, whatever was written.
    writeFile(readFile() + "sql_role=CONFIGURED\r\n");
    ASSERT_TRUE(next.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(next.sqlRoleName(), QStringLiteral("CONFIGURED"));
    ASSERT_TRUE(s.WriteDatabaseSettings(iniPath()));
    ASSERT_TRUE(next.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(next.sqlRoleName(), QStringLiteral("CONFIGURED"));
}

TEST_F(DatabaseSettingsTest, WritingKeepsTheRestOfTheFile)
{
    writeFile("[Language]\r\nLanguage=Eesti\r\nLangFile=C:\\Program Files\\velkora1\\eng.lng\r\n\r\n"
              "[Database Settings]\r\ndatabase=old:/x.fdb\r\nsql_role=CONFIGURED\r\nExtra=kept\r\n\r\n"
              "[External PhoneBook 1]\r\nDatabase=C:\\Phone\\book.gdb\r\n");
    DatabaseSettings s;
    s.setDatabaseName(QStringLiteral("new/3051:/var/db/x.fdb"));
    ASSERT_TRUE(s.WriteDatabaseSettings(iniPath()));

    const data::IniText ini = data::IniText::load(iniPath());
    EXPECT_EQ(ini.sections(), QStringList({"Language", "Database Settings", "External PhoneBook 1"}));
    EXPECT_EQ(ini.value("Language", "Language"), QStringLiteral("Eesti"));
    EXPECT_EQ(ini.value("Language", "LangFile"), QStringLiteral("C:\\Program Files\\velkora1\\eng.lng"));
    EXPECT_EQ(ini.value("External PhoneBook 1", "Database"), QStringLiteral("C:\\Phone\\book.gdb"));
    EXPECT_EQ(ini.value("Database Settings", "database"), QStringLiteral("new/3051:/var/db/x.fdb"));
    EXPECT_EQ(ini.value("Database Settings", "sql_role"), QStringLiteral("CONFIGURED"));
    EXPECT_EQ(ini.value("Database Settings", "sql_role_name"), QStringLiteral("VELKORA1USERS"));
    EXPECT_EQ(ini.value("Database Settings", "lc_ctype"), QStringLiteral("ISO8859_1"));
    EXPECT_EQ(ini.value("Database Settings", "Extra"), QStringLiteral("kept"));
    EXPECT_EQ(ini.keys("Database Settings")
                  .filter(QRegularExpression(QStringLiteral("^database$"), QRegularExpression::CaseInsensitiveOption))
                  .size(),
              1);
}

TEST_F(DatabaseSettingsTest, WindowsFileWithGarbageAndEightBitTextReads)
{
    // Windows-1252: 0xF5 is "õ", 0x8A is "Š" (not in ISO 8859-1), 0xFC is "ü".
    QByteArray bytes("stray line before any section\r\norphan=1\r\n"
                     "[Language]\r\nLanguage=Eesti\r\n"
                     "\x01\x02\xff\xfe\x80 binary\r\n"
                     "[Database Settings]\r\n"
                     "just words\r\n=no key\r\n[unclosed\r\n");
    bytes += QByteArray("database=C:\\Andmed\\K\xf5ik\\\x8aokolaad\\velkora1.fdb\r\n");
    bytes += QByteArray("\x00\x00\x00 nul bytes\r\n", 15);
    bytes += QByteArray("sql_role=R\xfc\r\nlc_ctype=WIN1252\r\n");
    bytes += QByteArray("\xc3\x28\xa0\xa1 more\r\n");
    writeFile(bytes);

    DatabaseSettings s;
    ASSERT_TRUE(s.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(s.databaseName(), QString::fromUtf8("C:\\Andmed\\Kõik\\Šokolaad\\velkora1.fdb"));
    EXPECT_EQ(s.sqlRoleName(), QString::fromUtf8("Rü"));
    EXPECT_EQ(s.lcCtype(), QStringLiteral("WIN1252"));

    // Written back, the 8-bit text survives the next start.
    ASSERT_TRUE(s.WriteDatabaseSettings(iniPath()));
    DatabaseSettings again;
    ASSERT_TRUE(again.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(again.databaseName(), QString::fromUtf8("C:\\Andmed\\Kõik\\Šokolaad\\velkora1.fdb"));
    EXPECT_EQ(data::IniText::load(iniPath()).value("Language", "Language"), QStringLiteral("Eesti"));
}

TEST_F(DatabaseSettingsTest, Utf8FileReads)
{
    writeFile("\xef\xbb\xbf[Database Settings]\ndatabase=/srv/andmed/k\xc3\xb5ik.fdb\n");
    DatabaseSettings s;
    ASSERT_TRUE(s.ReadDatabaseSettings(iniPath()));
    EXPECT_EQ(s.databaseName(), QString::fromUtf8("/srv/andmed/kõik.fdb"));
}

TEST_F(DatabaseSettingsTest, UnreadableFileIsNotReplaced)
{
    // A folder in the file's place cannot be read nor written over.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("velkora1IB.ini")));
    DatabaseSettings s = nonDefault();
    EXPECT_FALSE(s.ReadDatabaseSettings(iniPath()));
    expectUnchanged(s);
    EXPECT_FALSE(s.WriteDatabaseSettings(iniPath()));
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
}

// The settings read from the file are the ones the connection works under.
TEST_F(DatabaseSettingsTest, SettingsReadConnectUnderTheRoleAndCharacterSet)
{
    TempDatabase db(QStringLiteral("settings.fdb"));
    {
        fb::Attachment att = db.connect();
        fb::Transaction tr(att);
        tr.start();
        att.executeImmediate(tr, "grant VELKORA1USERS to MARI");
        tr.commit();
    }
    writeFile("[Database Settings]\r\ndatabase=" + db.path().toUtf8() + "\r\nsql_role=\r\nlc_ctype=WIN1252\r\n");
    DatabaseSettings s;
    ASSERT_TRUE(s.ReadDatabaseSettings(iniPath()));

    fb::Attachment att = fb::Attachment::attach(s.toConnectParams(QStringLiteral("MARI"), QStringLiteral("x")));
    fb::Transaction tr(att);
    tr.start();
    fb::Statement st(tr, "select current_user, current_role, trim(c.RDB$CHARACTER_SET_NAME) "
                         "from MON$ATTACHMENTS a join RDB$CHARACTER_SETS c "
                         "on c.RDB$CHARACTER_SET_ID = a.MON$CHARACTER_SET_ID "
                         "where a.MON$ATTACHMENT_ID = current_connection");
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.getString(0).trimmed(), QStringLiteral("MARI"));
    EXPECT_EQ(st.getString(1).trimmed(), QStringLiteral("VELKORA1USERS"));
    EXPECT_EQ(st.getString(2), QStringLiteral("WIN1252"));
    // The role's rights are in effect: without it the same user cannot read the clients.
    fb::Statement clients(tr, "select count(*) from KLIENTK");
    clients.execute();
    EXPECT_TRUE(clients.fetch());
    tr.commit();

    fb::ConnectParams noRole = s.toConnectParams(QStringLiteral("MARI"), QStringLiteral("x"));
    noRole.role.clear();
    fb::Attachment plain = fb::Attachment::attach(noRole);
    fb::Transaction tr2(plain);
    tr2.start();
    EXPECT_THROW(
        {
            fb::Statement denied(tr2, "select count(*) from KLIENTK");
            denied.execute();
            denied.fetch();
        },
        fb::FbError);
}

} // namespace
