// The start of the program as a whole, up to the main window and back out, on real databases with
// the person at the screen scripted.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "QtPrinters.h"
#include "ScriptedPrompt.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "clients/TfKlientEdit.h"
#include "WindowDriver.h"
#include "app/StartUp.h"
#include "app/TfMain.h"
#include "app/VelkoraApplication.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/IniText.h"
#include "data/TData1.h"
#include "fb/Statement.h"
#include "fb/TerminationRequest.h"
#include "fb/Transaction.h"

using Answer = data::UserInterface::Answer;

namespace {

class StartUpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        ASSERT_TRUE(dir.isValid());
        programPath = dir.filePath(QStringLiteral("velkora1IB"));
        previousDirectory = QDir::currentPath();
        // The error log is written in the current directory.
        QDir::setCurrent(dir.path());
        ports.ui = &ui;
        ports.prompt = &prompt;
        ports.serviceName = QStringLiteral("velkora1IB-start-%1-%2").arg(QCoreApplication::applicationPid()).arg(++s_run);
    }
    void TearDown() override
    {
        startUp.reset();
        QDir::setCurrent(previousDirectory);
    }

    void writeConfiguration(const QString &database)
    {
        QFile f(dir.filePath(QStringLiteral("velkora1IB.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[Database Settings]\r\ndatabase=%1\r\nlc_ctype=ISO8859_1\r\n").arg(database).toLocal8Bit());
    }
    QByteArray configuration() const
    {
        QFile f(dir.filePath(QStringLiteral("velkora1IB.ini")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The program started on the configuration written, logged in as the prompt answers, up to its
    // main window.
    TfMain *start()
    {
        startUp = std::make_unique<StartUp>(*static_cast<VelkoraApplication *>(QCoreApplication::instance()),
                                            QStringList{programPath}, ports);
        const int code = startUp->run();
        EXPECT_EQ(code, 0);
        return code == 0 ? startUp->mainWindow() : nullptr;
    }

    static int s_run;
    QTemporaryDir dir;
    QString programPath;
    QString previousDirectory;
    ScriptedUserInterface ui;
    ScriptedPrompt prompt;
    StartUp::Ports ports;
    // The program goes before its database.
    std::unique_ptr<TempDatabase> database;
    std::unique_ptr<StartUp> startUp;

    TempDatabase &makeDatabase(const char *name)
    {
        database = std::make_unique<TempDatabase>(QString::fromLatin1(name));
        return *database;
    }
};
int StartUpTest::s_run = 0;

TEST_F(StartUpTest, MissingDatabaseIsReportedAndDecliningTheSetUpEndsTheProgram)
{
    const QString missing = dir.filePath(QStringLiteral("puudub/velkora1.FDB"));
    writeConfiguration(missing);
    const QByteArray before = configuration();
    prompt.answers = {{"SYSDBA", "x"}};
    QString error;
    ui.expectMessageText("Lumora-Contact", &error);
    ui.expectQuestion("Seadistame andmebaasi ?", "Lumora-Contact", Answer::No);

    StartUp startUp(*static_cast<VelkoraApplication *>(QCoreApplication::instance()), {programPath}, ports);
    EXPECT_EQ(startUp.run(), 2);
    EXPECT_EQ(startUp.mainWindow(), nullptr);
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();
    // The failed start leaves the configuration as it was and a line in the error log.
    EXPECT_EQ(configuration(), before);
    QFile log(dir.filePath(QStringLiteral("velkora1IB.errorlog")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("EDatabaseError"));
}

TEST_F(StartUpTest, UserStartsWhereTheLastSessionEndedAndClosingStoresIt)
{
    TempDatabase &db = makeDatabase("start.fdb");
    db.execute({"insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (7, 'Mari', 'Tamm')",
                "insert into PROJEKT (PROJID, PROJNIMI, PROJAKTIIVNE) values (1, 'Kevadkampaania', 'Y')",
                "insert into USERSK (KASKOOD, KASNIMI, NIVOO, AGENTKOOD, VAIKIMPROJID, PROJEKTIVALIKLUBATUD, USERSETTINGS1) "
                "values ('SYSDBA', 'Juhataja', 5, 7, 1, 'Y', '[Preferences]' || ascii_char(13) || ascii_char(10) || "
                "'NewContactOpenClient=1' || ascii_char(13) || ascii_char(10) || 'AndmeteleVaikimisiAgendiFilter=0' || "
                "ascii_char(13) || ascii_char(10) || '[MainWindow]' || ascii_char(10) || 'Maximized=0' || ascii_char(10) || "
                "'Left=30' || ascii_char(10) || 'Top=40' || ascii_char(10) || 'Width=820' || ascii_char(10) || "
                "'Height=530' || ascii_char(10))"});
    writeConfiguration(db.path());
    prompt.answers = {{"sysdba", "x"}};

    TfMain *main = start();
    ASSERT_NE(main, nullptr);
    QTest::qWait(20); // the default project is taken once the window is up
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->size(), QSize(820, 530));
    EXPECT_TRUE(main->command("Kontaktiregistreerimiselavaklient1Click")->isChecked());
    EXPECT_FALSE(main->command("Andmetelevaikimisiagendifilter1Click")->isChecked());
    EXPECT_EQ(main->statusPanel(1)->text(), QStringLiteral("Juhataja"));
    EXPECT_EQ(main->statusPanel(5)->text(), QStringLiteral("Kevadkampaania"));

    main->command("Kontaktiregistreerimiselavaklient1Click")->trigger();
    main->resize(700, 480);
    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(main->close());
    const data::IniText row = data::IniText::parse(db.userSettings("SYSDBA"));
    EXPECT_EQ(row.value("Preferences", "NewContactOpenClient"), QStringLiteral("0"));
    EXPECT_EQ(row.value("Preferences", "AndmeteleVaikimisiAgendiFilter"), QStringLiteral("0"));
    EXPECT_EQ(row.value("MainWindow", "Width"), QStringLiteral("700"));
    EXPECT_EQ(row.value("MainWindow", "Height"), QStringLiteral("480"));
    // The database that was reached stays named in the configuration.
    EXPECT_TRUE(configuration().contains(QFileInfo(db.path()).fileName().toLocal8Bit()));
}

TEST_F(StartUpTest, DataRulesReachTheRealMainWindow)
{
    TempDatabase &db = makeDatabase("services.fdb");
    db.execute({"insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Balti Puit')",
                "insert into USERSK (KASKOOD, KASNIMI, NIVOO, PROJEKTIVALIKLUBATUD) values ('SYSDBA', 'Juhataja', 5, 'N')"});
    writeConfiguration(db.path());
    prompt.answers = {{"SYSDBA", "x"}};
    TfMain *main = start();
    ASSERT_NE(main, nullptr);
    data::TData1 &module = *startUp->dataModule();

    // Yes to the duplicate name drops the new row and opens the existing client's card.
    data::DataSet &clients = *module.taKliendid();
    clients.open();
    clients.append();
    ui.expectQuestion("Klient 'balti puit' on juba olemas, tühistame ja näitame olemasolevat ?", "Kliendid", Answer::Yes);
    EXPECT_THROW(clients.field("KLINIMI").setText(" balti puit"), data::Abort);
    EXPECT_EQ(clients.state(), data::DataSet::State::Browse);
    ASSERT_NE(main->clientCard(1), nullptr);
    EXPECT_EQ(main->clientCard(1)->windowTitle(), QStringLiteral("Klient - Balti Puit "));

    // Level refusals carry the main window's caption.
    module.session().Level = 2;
    data::DataSet &agents = *module.taAgendid();
    agents.open();
    ui.expectMessage("Kasutajanivoo liiga madal !", main->windowTitle());
    EXPECT_THROW(agents.append(), data::Abort);
    EXPECT_FALSE(main->windowTitle().isEmpty());

    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(main->close());
}

TEST_F(StartUpTest, SettingsThatAreNotSectionsAndKeysGiveTheDefaultsAndAreReplaced)
{
    TempDatabase &db = makeDatabase("start2.fdb");
    db.execute({"insert into USERSK (KASKOOD, NIVOO, PROJEKTIVALIKLUBATUD, USERSETTINGS1) "
                "values ('SYSDBA', 5, 'N', ascii_char(0) || ascii_char(1) || 'Width' || ascii_char(0) || '=' || ascii_char(255))"});
    writeConfiguration(db.path());
    prompt.answers = {{"SYSDBA", "x"}};

    TfMain *main = start();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->command("Kontaktiregistreerimiselavaklient1Click")->isChecked());
    EXPECT_TRUE(main->command("Andmetelevaikimisiagendifilter1Click")->isChecked());
    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(main->close());
    const data::IniText row = data::IniText::parse(db.userSettings("SYSDBA"));
    EXPECT_EQ(row.value("Preferences", "AndmeteleVaikimisiAgendiFilter"), QStringLiteral("1"));
    EXPECT_FALSE(db.userSettings("SYSDBA").contains(QChar(0)));
}

TEST_F(StartUpTest, RequestToEndFromOutsideClosesTheProgramAndStoresTheSettings)
{
    TempDatabase &db = makeDatabase("start3.fdb");
    db.execute({"insert into USERSK (KASKOOD, NIVOO, PROJEKTIVALIKLUBATUD, USERSETTINGS1) values ('SYSDBA', 5, 'N', '')"});
    writeConfiguration(db.path());
    prompt.answers = {{"SYSDBA", "x"}};

    TfMain *main = start();
    ASSERT_NE(main, nullptr);
    main->resize(640, 400);
    QTest::qWait(20);
    // No question is asked: whoever ends the session is not at the screen to answer it.
    ::kill(::getpid(), SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main->isVisible(); }, 5000));
    const data::IniText row = data::IniText::parse(db.userSettings("SYSDBA"));
    EXPECT_EQ(row.value("MainWindow", "Width"), QStringLiteral("640"));
    EXPECT_EQ(row.value("Preferences", "NewContactOpenClient"), QStringLiteral("0"));
}

// Notes whether the error log already existed when a message came on the screen.
struct LogWatchingInterface : ScriptedUserInterface
{
    QString logFile;
    bool loggedBeforeMessage = false;
    void showMessage(const QString &text, const QString &caption) override
    {
        loggedBeforeMessage = QFile::exists(logFile);
        ScriptedUserInterface::showMessage(text, caption);
    }
};

TEST_F(StartUpTest, ErrorOfACommandIsShownAndThenLogged)
{
    TempDatabase &db = makeDatabase("start4.fdb");
    db.execute({"insert into USERSK (KASKOOD, NIVOO, PROJEKTIVALIKLUBATUD, USERSETTINGS1) values ('SYSDBA', 5, 'N', '')"});
    writeConfiguration(db.path());
    prompt.answers = {{"SYSDBA", "x"}};
    LogWatchingInterface screen;
    screen.logFile = dir.filePath(QStringLiteral("velkora1IB.errorlog"));
    ports.ui = &screen;
    TfMain *main = start();
    ASSERT_NE(main, nullptr);
    QTest::qWait(20);

    screen.expectInput("Ava klient", "Sisestage kliendi kood:", true, "kaks");
    screen.expectMessage("'kaks' is not a valid integer value", "Lumora-Contact");
    EXPECT_NO_THROW(main->command("Avaklientnr1Click")->trigger());
    EXPECT_TRUE(screen.allSeen());
    EXPECT_FALSE(screen.loggedBeforeMessage);
    QFile log(screen.logFile);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray lines = log.readAll();
    EXPECT_TRUE(lines.contains("EDataError: 'kaks' is not a valid integer value(")) << lines.constData();
    EXPECT_EQ(lines.count("\r\n"), 1);

    screen.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(main->close());
    startUp.reset();
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    // As the program does, before any thread starts.
    fb::TerminationRequest::install({});
    VelkoraApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
