// The per-user settings on a real database: the store carried through the user's row, rows that do
// not hold settings, window placement and child sizes, the default language and the file locations.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "TempDatabase.h"
#include "data/TdmUserSettings1.h"
#include "data/IniText.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

using WindowState = TdmUserSettings1::WindowState;

const QString kPreferences = QStringLiteral("Preferences");
const QString kLanguage = QStringLiteral("Language");
const QString kWindows = QStringLiteral("Windows");

class TdmUserSettings1Test : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("settings.fdb"));
        // Users without an agent: the settings need nothing else of the row.
        s_db->execute({"insert into USERSK (KASKOOD, KASNIMI, NIVOO) values ('Kati', 'Kati Kask', 1)",
                       "insert into USERSK (KASKOOD, KASNIMI, NIVOO) values ('MaRi', 'Mari Mets', 2)",
                       "insert into USERSK (KASKOOD, KASNIMI, NIVOO) values ('PROOV', 'Proov', 1)"});
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        program = dir.filePath(QStringLiteral("bin/velkora1IB"));
        QDir().mkpath(dir.filePath(QStringLiteral("bin")));
        QDir().mkpath(dir.filePath(QStringLiteral("work")));
        registry = dir.filePath(QStringLiteral("config/Lumora/Velkora1/registry.ini"));
    }

    // A module of a program in the test's own folder, with a registry file of its own.
    std::unique_ptr<TdmUserSettings1> module() const
    {
        return std::make_unique<TdmUserSettings1>(program, dir.filePath(QStringLiteral("work")), registry);
    }
    QString configFile() const { return dir.filePath(QStringLiteral("bin/velkora1IB.ini")); }

    static void storeBytes(const QString &user, const QByteArray &bytes)
    {
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        fb::Statement st(tr, "update USERSK set USERSETTINGS1 = ? where KASKOOD = ?");
        st.setBytes(0, bytes);
        st.setString(1, user);
        st.execute();
        tr.commit();
    }

    static TempDatabase *s_db;
    QTemporaryDir dir;
    QString program;
    QString registry;
};
TempDatabase *TdmUserSettings1Test::s_db = nullptr;

TEST_F(TdmUserSettings1Test, SettingsTravelThroughTheUsersRow)
{
    storeBytes(QStringLiteral("Kati"), QByteArray());
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    {
        auto s = module();
        EXPECT_TRUE(s->loadFromUser(tr, QStringLiteral("Kati")));
        EXPECT_TRUE(s->isLoaded());
        EXPECT_FALSE(s->ReadBool(kPreferences, QStringLiteral("NewContactOpenClient"), false));
        EXPECT_TRUE(s->ReadBool(kPreferences, QStringLiteral("AndmeteleVaikimisiAgendiFilter"), true));
        s->WriteBool(kPreferences, QStringLiteral("NewContactOpenClient"), true);
        s->WriteBool(kPreferences, QStringLiteral("AndmeteleVaikimisiAgendiFilter"), false);
        s->WriteSetting(QStringLiteral("Märkmed"), QStringLiteral("Viimane"), QStringLiteral("Šoti pööre, ža'ke = 1"));
        s->WriteInteger(kWindows, QStringLiteral("TfKliendid.Width"), 812);
        EXPECT_TRUE(s->saveToUser(tr, QStringLiteral("Kati")));
    }
    // Committed: another connection reads the lines of the text.
    const QString text = s_db->userSettings("Kati");
    EXPECT_TRUE(
        text.contains(QStringLiteral("[Preferences]\r\nNewContactOpenClient=1\r\nAndmeteleVaikimisiAgendiFilter=0")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("[Windows]\r\nTfKliendid.Width=812\r\n"))) << text.toStdString();

    auto again = module();
    EXPECT_TRUE(again->loadFromUser(tr, QStringLiteral("Kati")));
    EXPECT_TRUE(again->ReadBool(kPreferences, QStringLiteral("NewContactOpenClient"), false));
    EXPECT_FALSE(again->ReadBool(kPreferences, QStringLiteral("AndmeteleVaikimisiAgendiFilter"), true));
    EXPECT_EQ(again->ReadSetting(QStringLiteral("märkmed"), QStringLiteral("viimane")),
              QStringLiteral("Šoti pööre, ža'ke = 1"));
    EXPECT_EQ(again->ReadInteger(kWindows, QStringLiteral("TfKliendid.Width"), 0), 812);
    EXPECT_EQ(again->toText(), text);
}

TEST_F(TdmUserSettings1Test, UserCodeIsMatchedWithoutRegardToCase)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    {
        auto s = module();
        EXPECT_TRUE(s->loadFromUser(tr, QStringLiteral("mari")));
        s->WriteSetting(QStringLiteral("Proov"), QStringLiteral("Kes"), QStringLiteral("mari"));
        EXPECT_TRUE(s->saveToUser(tr, QStringLiteral("MARI")));
    }
    EXPECT_TRUE(s_db->userSettings("MaRi").contains(QStringLiteral("Kes=mari")));
    auto s = module();
    EXPECT_TRUE(s->loadFromUser(tr, QStringLiteral("mArI")));
    EXPECT_EQ(s->ReadSetting(QStringLiteral("Proov"), QStringLiteral("Kes")), QStringLiteral("mari"));

    // The code is a value, never part of the statement.
    auto odd = module();
    EXPECT_FALSE(odd->loadFromUser(tr, QStringLiteral("x' or '1'='1")));
    EXPECT_TRUE(odd->isLoaded());
    odd->WriteSetting(QStringLiteral("Proov"), QStringLiteral("Kes"), QStringLiteral("keegi"));
    EXPECT_FALSE(odd->saveToUser(tr, QStringLiteral("x' or '1'='1")));
    EXPECT_TRUE(s_db->userSettings("MaRi").contains(QStringLiteral("Kes=mari")));
}

TEST_F(TdmUserSettings1Test, UserWithoutRowGetsDefaultsAndNoRowIsWritten)
{
    const QString kati = s_db->userSettings("Kati");
    const QString mari = s_db->userSettings("MaRi");
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    auto s = module();
    EXPECT_FALSE(s->loadFromUser(tr, QStringLiteral("SYSDBA")));
    EXPECT_TRUE(s->isLoaded());
    EXPECT_EQ(s->ReadSetting(kPreferences, QStringLiteral("NewContactOpenClient"), QStringLiteral("0")),
              QStringLiteral("0"));
    EXPECT_TRUE(s->ReadBool(kPreferences, QStringLiteral("AndmeteleVaikimisiAgendiFilter"), true));
    s->WriteBool(kPreferences, QStringLiteral("NewContactOpenClient"), true);
    EXPECT_FALSE(s->saveToUser(tr, QStringLiteral("SYSDBA")));
    tr.commit();
    EXPECT_EQ(s_db->userSettings("Kati"), kati);
    EXPECT_EQ(s_db->userSettings("MaRi"), mari);
}

TEST_F(TdmUserSettings1Test, RowsThatHoldNoSettingsLoadWithoutHarm)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);

    // Binary data: nothing of it is taken.
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(20240229);
    for (char &c : garbage)
        c = static_cast<char>(random.bounded(256));
    garbage.replace(0, 20, "[Preferences]\r\nA=1\r\n");
    storeBytes(QStringLiteral("PROOV"), garbage);
    {
        auto s = module();
        EXPECT_FALSE(s->loadFromUser(tr, QStringLiteral("proov")));
        EXPECT_TRUE(s->isLoaded());
        EXPECT_TRUE(s->store().isEmpty());
        EXPECT_EQ(s->ReadSetting(kPreferences, QStringLiteral("A"), QStringLiteral("vaikimisi")),
                  QStringLiteral("vaikimisi"));
        // The damaged row is replaced by the settings of this run.
        s->WriteInteger(kWindows, QStringLiteral("TfAgendid.Width"), 300);
        EXPECT_TRUE(s->saveToUser(tr, QStringLiteral("PROOV")));
        EXPECT_EQ(s_db->userSettings("PROOV"), QStringLiteral("[Windows]\r\nTfAgendid.Width=300\r\n"));
    }

    // 8-bit text written by a Windows workstation.
    storeBytes(QStringLiteral("PROOV"), QByteArray("[Preferences]\r\nNimi=J\xF5geva \x8A\x9E\r\n[Language]\r\n"
                                                   "CurrentLanguage=English\r\n"));
    {
        auto s = module();
        EXPECT_TRUE(s->loadFromUser(tr, QStringLiteral("PROOV")));
        EXPECT_EQ(s->ReadSetting(kPreferences, QStringLiteral("Nimi")), QStringLiteral("Jõgeva Šž"));
        EXPECT_EQ(s->CurrentLanguage(), QStringLiteral("English"));
    }

    // A megabyte in one value is still one key.
    const QString big = QString(1024 * 1024, QLatin1Char('x'));
    storeBytes(QStringLiteral("PROOV"), ("[Suur]\r\nVaartus=" + big + "\r\n").toLatin1());
    {
        auto s = module();
        EXPECT_TRUE(s->loadFromUser(tr, QStringLiteral("PROOV")));
        EXPECT_EQ(s->ReadSetting(QStringLiteral("Suur"), QStringLiteral("Vaartus")).size(), big.size());
    }

    // A megabyte of lines is no user's settings.
    QByteArray lines;
    for (int i = 0; lines.size() < 1024 * 1024; ++i)
        lines += "Voti" + QByteArray::number(i) + "=" + QByteArray::number(i * 7) + "\r\n";
    storeBytes(QStringLiteral("PROOV"), "[Palju]\r\n" + lines);
    {
        auto s = module();
        EXPECT_FALSE(s->loadFromUser(tr, QStringLiteral("PROOV")));
        EXPECT_TRUE(s->store().isEmpty());
    }
    storeBytes(QStringLiteral("PROOV"), QByteArray());
}

TEST_F(TdmUserSettings1Test, TextsThatAreNotSectionsAndKeys)
{
    struct Case
    {
        const char *what;
        QString text;
        bool read;
        QStringList sections;
    };
    const Case cases[] = {
        {"empty", QString(), true, {"Language"}},
        {"prose", QStringLiteral("Tere!\r\nSee ei ole seadete fail.\r\n"), true, {"Language"}},
        {"keys before any section", QStringLiteral("A=1\r\nB=2\r\n[S]\r\nC=3\r\n"), true, {"S", "Language"}},
        {"half a section line", QStringLiteral("[S\r\nA=1\r\n"), true, {"Language"}},
        {"only line feeds and tabs", QStringLiteral("[S]\n\tA=1\n"), true, {"S", "Language"}},
        {"a zero character", QStringLiteral("[S]\r\nA=1") + QChar(0) + QStringLiteral("\r\n"), false, {}},
        {"escape codes", QStringLiteral("\x1b[2J[S]\r\n"), false, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        auto s = module();
        EXPECT_EQ(s->load(c.text), c.read);
        EXPECT_TRUE(s->isLoaded());
        EXPECT_EQ(s->store().sections(), c.sections);
    }
}

TEST_F(TdmUserSettings1Test, StoreIsLoadedOnceAndUntilThenGivesDefaults)
{
    auto s = module();
    EXPECT_FALSE(s->isLoaded());
    s->WriteSetting(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("enne"));
    s->WriteBool(kPreferences, QStringLiteral("NewContactOpenClient"), true);
    s->SaveChildSize(QStringLiteral("TfKliendid"), QSize(10, 20));
    EXPECT_EQ(s->ReadSetting(QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("vaikimisi")),
              QStringLiteral("vaikimisi"));
    EXPECT_EQ(s->ReadInteger(QStringLiteral("S"), QStringLiteral("A"), 7), 7);
    EXPECT_EQ(s->toText(), QString());

    EXPECT_TRUE(s->load(QStringLiteral("[S]\r\nA=1\r\nN=  42 \r\nB=ei\r\nT=2\r\n")));
    EXPECT_EQ(s->ReadSetting(QStringLiteral("s"), QStringLiteral("a")), QStringLiteral("1"));
    EXPECT_EQ(s->ReadInteger(QStringLiteral("S"), QStringLiteral("N"), 0), 42);
    EXPECT_EQ(s->ReadInteger(QStringLiteral("S"), QStringLiteral("B"), -1), -1);
    EXPECT_FALSE(s->ReadBool(QStringLiteral("S"), QStringLiteral("B"), false));
    EXPECT_TRUE(s->ReadBool(QStringLiteral("S"), QStringLiteral("T"), false));
    EXPECT_FALSE(s->hasSetting(kPreferences, QStringLiteral("NewContactOpenClient")));

    // A second load changes nothing.
    EXPECT_TRUE(s->load(QStringLiteral("[S]\r\nA=2\r\n")));
    EXPECT_EQ(s->ReadSetting(QStringLiteral("S"), QStringLiteral("A")), QStringLiteral("1"));
}

TEST_F(TdmUserSettings1Test, MaximisedWindowKeepsItsNormalPlacement)
{
    auto s = module();
    ASSERT_TRUE(s->load(QString()));
    EXPECT_FALSE(s->RestoreWindowPlacement(QStringLiteral("MainWindow"), QRect(1, 2, 3, 4)).has_value());

    s->SaveWindowPlacement(QStringLiteral("MainWindow"), WindowState::Normal, QRect(40, 30, 900, 600));
    EXPECT_EQ(s->ReadSetting(QStringLiteral("MainWindow"), QStringLiteral("Maximized")), QStringLiteral("0"));
    s->SaveWindowPlacement(QStringLiteral("MainWindow"), WindowState::Maximized, QRect(0, 0, 1920, 1080));
    EXPECT_EQ(s->ReadSetting(QStringLiteral("MainWindow"), QStringLiteral("Maximized")), QStringLiteral("1"));
    EXPECT_EQ(s->ReadInteger(QStringLiteral("MainWindow"), QStringLiteral("Width"), 0), 900);
    auto p = s->RestoreWindowPlacement(QStringLiteral("MainWindow"), QRect(1, 2, 3, 4));
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->geometry, QRect(40, 30, 900, 600));
    EXPECT_TRUE(p->maximized);

    // Minimised: neither maximised nor a size worth keeping.
    s->SaveWindowPlacement(QStringLiteral("MainWindow"), WindowState::Minimized, QRect(0, 0, 160, 30));
    p = s->RestoreWindowPlacement(QStringLiteral("MainWindow"), QRect());
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->geometry, QRect(40, 30, 900, 600));
    EXPECT_FALSE(p->maximized);

    // Keys that are missing keep what the window has.
    auto partial = module();
    ASSERT_TRUE(partial->load(QStringLiteral("[MainWindow]\r\nMaximized=1\r\nLeft=5\r\nWidth=abc\r\n")));
    p = partial->RestoreWindowPlacement(QStringLiteral("MainWindow"), QRect(1, 2, 3, 4));
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->geometry, QRect(5, 2, 3, 4));
    EXPECT_TRUE(p->maximized);
    EXPECT_TRUE(p->state.isEmpty());
}

TEST_F(TdmUserSettings1Test, ForgettingChildSizesErasesOnlyThem)
{
    auto s = module();
    ASSERT_TRUE(s->load(QStringLiteral("[Preferences]\r\nNewContactOpenClient=1\r\n")));
    s->SaveWindowPlacement(QStringLiteral("MainWindow"), WindowState::Normal, QRect(1, 2, 300, 200));
    s->SaveChildSize(QStringLiteral("TfKliendid"), QSize(640, 480));
    s->SaveChildSize(QStringLiteral("TfAgendid"), QSize(320, 240));
    EXPECT_EQ(s->RestoreChildSize(QStringLiteral("TfKliendid"), QSize(1, 1)), QSize(640, 480));
    EXPECT_EQ(s->RestoreChildSize(QStringLiteral("TfKontaktid"), QSize(11, 12)), QSize(11, 12));
    EXPECT_EQ(s->ReadInteger(kWindows, QStringLiteral("TfAgendid.Height"), 0), 240);

    s->ForgetChildSizes();
    EXPECT_FALSE(s->store().hasSection(kWindows));
    EXPECT_EQ(s->RestoreChildSize(QStringLiteral("TfKliendid"), QSize(100, 90)), QSize(100, 90));
    EXPECT_TRUE(s->ReadBool(kPreferences, QStringLiteral("NewContactOpenClient"), false));
    EXPECT_TRUE(s->RestoreWindowPlacement(QStringLiteral("MainWindow"), QRect()).has_value());
    EXPECT_EQ(s->store().sections(), QStringList({"Preferences", "Language", "MainWindow"}));

    // Sizes stored afterwards are remembered again.
    s->SaveChildSize(QStringLiteral("TfKliendid"), QSize(700, 500));
    EXPECT_EQ(s->RestoreChildSize(QStringLiteral("TfKliendid"), QSize()), QSize(700, 500));
}

TEST_F(TdmUserSettings1Test, DefaultLanguageFromTheRegistryFile)
{
    data::IniText reg;
    reg.setValue(QStringLiteral("Language"), QStringLiteral("DefaultLanguage"), QStringLiteral("English"));
    QDir().mkpath(QFileInfo(registry).absolutePath());
    ASSERT_TRUE(reg.save(registry));
    data::IniText config;
    config.setValue(QStringLiteral("Language"), QStringLiteral("DefaultLanguage"), QStringLiteral("Russian"));
    ASSERT_TRUE(config.save(configFile()));

    auto s = module();
    EXPECT_EQ(s->DefaultLanguage(), QStringLiteral("English"));
    EXPECT_TRUE(s->defaultLanguageInRegistry());
    EXPECT_EQ(s->CurrentLanguage(), QStringLiteral("English"));
    // A user who chose a language of their own keeps it.
    ASSERT_TRUE(s->load(QStringLiteral("[Language]\r\nCurrentLanguage=Finnish\r\n")));
    EXPECT_EQ(s->CurrentLanguage(), QStringLiteral("Finnish"));

    // The registry value is written back with the settings.
    ASSERT_TRUE(QFile::remove(registry));
    s->SaveSettings();
    EXPECT_EQ(data::IniText::load(registry).value(QStringLiteral("Language"), QStringLiteral("DefaultLanguage")),
              QStringLiteral("English"));

    // A user without a language of their own takes the default.
    auto fresh = module();
    ASSERT_TRUE(fresh->load(QStringLiteral("[Preferences]\r\nNewContactOpenClient=1\r\n")));
    EXPECT_EQ(fresh->ReadSetting(kLanguage, QStringLiteral("CurrentLanguage")), QStringLiteral("English"));
}

TEST_F(TdmUserSettings1Test, DefaultLanguageFromTheConfigurationFileStaysThere)
{
    data::IniText config;
    config.setValue(QStringLiteral("Database Settings"), QStringLiteral("Database"), QStringLiteral("C:\\Data\\x.fdb"));
    config.setValue(QStringLiteral("Language"), QStringLiteral("DefaultLanguage"), QStringLiteral(" Russian "));
    ASSERT_TRUE(config.save(configFile()));

    auto s = module();
    EXPECT_EQ(s->DefaultLanguage(), QStringLiteral("Russian"));
    EXPECT_FALSE(s->defaultLanguageInRegistry());
    ASSERT_TRUE(s->load(QString()));
    EXPECT_EQ(s->CurrentLanguage(), QStringLiteral("Russian"));
    s->SaveSettings();
    EXPECT_FALSE(QFile::exists(registry));

    // Found at start: setting another leaves the configuration file alone, and goes to the registry.
    s->SetDefaultLanguage(QStringLiteral("English"));
    EXPECT_EQ(s->CurrentLanguage(), QStringLiteral("English"));
    EXPECT_EQ(data::IniText::load(configFile()).value(QStringLiteral("Language"), QStringLiteral("DefaultLanguage")),
              QStringLiteral(" Russian "));
    s->SaveSettings();
    EXPECT_EQ(data::IniText::load(registry).value(QStringLiteral("Language"), QStringLiteral("DefaultLanguage")),
              QStringLiteral("English"));
}

TEST_F(TdmUserSettings1Test, DefaultLanguageSetWhenNoneWasFound)
{
    data::IniText config;
    config.setValue(QStringLiteral("Database Settings"), QStringLiteral("Database"), QStringLiteral("C:\\Data\\x.fdb"));
    ASSERT_TRUE(config.save(configFile()));

    auto s = module();
    EXPECT_EQ(s->DefaultLanguage(), QString());
    EXPECT_EQ(s->CurrentLanguage(), QString());
    // Before log-in: the user's own language follows at the next load, over what the row says.
    s->SetDefaultLanguage(QStringLiteral("Latvian"));
    EXPECT_TRUE(s->defaultLanguageInRegistry());
    EXPECT_EQ(s->CurrentLanguage(), QStringLiteral("Latvian"));
    const data::IniText written = data::IniText::load(configFile());
    EXPECT_EQ(written.value(QStringLiteral("Language"), QStringLiteral("DefaultLanguage")), QStringLiteral("Latvian"));
    EXPECT_EQ(written.value(QStringLiteral("Database Settings"), QStringLiteral("Database")),
              QStringLiteral("C:\\Data\\x.fdb"));

    ASSERT_TRUE(s->load(QStringLiteral("[Language]\r\nCurrentLanguage=Finnish\r\n")));
    EXPECT_EQ(s->CurrentLanguage(), QStringLiteral("Latvian"));
    s->SetCurrentLanguage(QStringLiteral("Finnish"));
    EXPECT_EQ(s->CurrentLanguage(), QStringLiteral("Finnish"));
    EXPECT_TRUE(s->toText().contains(QStringLiteral("CurrentLanguage=Finnish")));
    s->SaveSettings();
    EXPECT_EQ(data::IniText::load(registry).value(QStringLiteral("Language"), QStringLiteral("DefaultLanguage")),
              QStringLiteral("Latvian"));
}

TEST_F(TdmUserSettings1Test, FileLocationsOfTheProgram)
{
    auto s = module();
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString work = dir.filePath(QStringLiteral("work"));
    EXPECT_EQ(s->programDirectory(), bin);
    EXPECT_EQ(s->currentDirectory(), work);
    EXPECT_EQ(s->baseName(), QStringLiteral("velkora1IB"));
    EXPECT_EQ(s->configFile(), bin + QStringLiteral("/velkora1IB.ini"));
    EXPECT_EQ(s->localSettingsFile(), work + QStringLiteral("/velkora1IBL.ini"));
    EXPECT_EQ(s->errorLogFile(), work + QStringLiteral("/velkora1IB.errorlog"));
    EXPECT_EQ(s->helpDirectory(), bin + QStringLiteral("/Help"));
    EXPECT_EQ(s->userManual(), bin + QStringLiteral("/Help/manual-ee.pdf"));

    EXPECT_EQ(TdmUserSettings1::JoinPath(QStringLiteral("/a/b/"), QStringLiteral("/c")), QStringLiteral("/a/b/c"));
    EXPECT_EQ(TdmUserSettings1::JoinPath(QStringLiteral(" /a/b "), QStringLiteral(" c ")), QStringLiteral("/a/b/c"));
    EXPECT_EQ(TdmUserSettings1::JoinPath(QStringLiteral("C:\\Data\\"), QStringLiteral("\\x.fdb")),
              QStringLiteral("C:\\Data/x.fdb"));
    EXPECT_EQ(TdmUserSettings1::JoinPath(QString(), QStringLiteral("c")), QStringLiteral("c"));
    EXPECT_EQ(TdmUserSettings1::JoinPath(QStringLiteral("/a"), QStringLiteral("  ")), QStringLiteral("/a"));
    EXPECT_EQ(TdmUserSettings1::JoinPath(QStringLiteral("/"), QStringLiteral("c")), QStringLiteral("/c"));
    EXPECT_TRUE(TdmUserSettings1::defaultRegistryFile().endsWith(QStringLiteral("/Lumora/Velkora1/registry.ini")));
}

TEST_F(TdmUserSettings1Test, StoreOfAFileIsWrittenBackWhenTheModuleGoes)
{
    const QString local = dir.filePath(QStringLiteral("work/velkora1IBL.ini"));
    {
        auto s = module();
        EXPECT_TRUE(s->loadFromFile(local));
        EXPECT_EQ(s->fileName(), local);
        s->WriteSetting(QStringLiteral("Kohalik"), QStringLiteral("A"), QStringLiteral("Õun"));
    }
    EXPECT_EQ(data::IniText::load(local).value(QStringLiteral("Kohalik"), QStringLiteral("A")), QStringLiteral("Õun"));
    {
        auto s = module();
        EXPECT_TRUE(s->loadFromFile(local));
        EXPECT_EQ(s->ReadSetting(QStringLiteral("Kohalik"), QStringLiteral("A")), QStringLiteral("Õun"));
    }

    // The store of the user's row has no file: nothing is written anywhere.
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    {
        auto s = module();
        s->loadFromUser(tr, QStringLiteral("Kati"));
        EXPECT_TRUE(s->fileName().isEmpty());
    }
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("work"))).entryList(QDir::Files), QStringList{"velkora1IBL.ini"});
}

} // namespace
