// The main window offscreen: its panels and commands, the rights check, closing, macros from other
// programs, the second start and the error log.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "QtPrinters.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "app/DdeServer.h"
#include "app/ErrorLog.h"
#include "app/TdlgChangePassw.h"
#include "app/TfMain.h"
#include "data/DataSet.h"
#include "ui/TdlgValikuList.h"
#include <QCheckBox>
#include <QTableView>
#include "data/DataError.h"
#include "data/FilterBuilder.h"
#include "data/Session.h"
#include "data/TData1.h"
#include "fb/FbError.h"

using Answer = data::UserInterface::Answer;

namespace {

class TfMainTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("main.fdb"));
        s_db->execute({"insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (7, 'Mari', 'Tamm')",
                                "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (3, 'Jaan', 'Saar')",
                                "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Oma Klient')",
                                "insert into KLIENTK (KLIKOOD, KLINIMI) values (2, 'Võõras Klient')",
                                "insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (1, 7)",
                                "insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (2, 3)",
                                "insert into PROJEKT (PROJID, PROJNIMI, PROJAKTIIVNE) values (1, 'Kevadkampaania', 'Y')",
                                "insert into PROJEKT (PROJID, PROJNIMI, PROJAKTIIVNE) values (2, 'Vana projekt', 'N')"});
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 5;
        session.AgentCode = 7;
        session.ProjectChoiceAllowed = true;
        module = std::make_unique<data::TData1>(&ui, nullptr, &session);
        module->Database1Params() = s_db->params();
        module->Connect();
        window = std::make_unique<TfMain>(module.get(), &session, &ui);
        window->onOpenWindow = [this](const QString &h) { opened << h; };
    }
    void TearDown() override
    {
        window->confirmClose = false;
        window.reset();
        module.reset();
    }

    static TempDatabase *s_db;
    ScriptedUserInterface ui;
    data::Session session;
    std::unique_ptr<data::TData1> module;
    std::unique_ptr<TfMain> window;
    QStringList opened;
};
TempDatabase *TfMainTest::s_db = nullptr;

TEST_F(TfMainTest, PanelsMenusAndCommands)
{
    window->show();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Lumora-Contact"));
    EXPECT_EQ(window->statusPanel(0)->text(), QStringLiteral("Kasutaja"));
    EXPECT_EQ(window->statusPanel(2)->text(), QStringLiteral("Agent"));
    EXPECT_EQ(window->statusPanel(4)->text(), QStringLiteral("Projekt"));
    EXPECT_NE(window->statusPanel(6), nullptr);
    EXPECT_EQ(window->statusPanel(7), nullptr);
    window->SetStatusUser("Mari Tamm", "Mari Tamm (agent)");
    EXPECT_EQ(window->statusPanel(1)->text(), QStringLiteral("Mari Tamm"));
    EXPECT_EQ(window->statusPanel(3)->text(), QStringLiteral("Mari Tamm (agent)"));

    EXPECT_EQ(window->menuTitles(), (QStringList{"&Seadistused", "A&ndmed", "A&ruanded", "Küsitlused", "Lisad", "&Aknad",
                                                  "Abiinfo", "Sulge"}));
    const QList<QPair<const char *, const char *>> someCommands = {
        {"Kontaktiliigid1Click", "Kontaktiliigid"},       {"Nulliakendesuurustemlu1Click", "Nulli akende suuruste mälu"},
        {"Kasutajad1Click", "Kasutajad"},                 {"Avaklientnr1Click", "Ava klient nr..."},
        {"Kliendid1Click", "&Kliendid"},                  {"Kontaktisikutekoondtabel1Click", "Kontakt&isikute koondtabel"},
        {"Ksimused1Click", "Küsimused"},                  {"Vastustekoondaruanne1Click", "Vastuste koond"},
        {"Vlinekliendibaas1Click", "Väline kliendibaas"}, {"CloseAllChilds1Click", "Sulge kõik"},
        {"Programmist1Click", "Progr&ammist..."},         {"Riigid2Click", "Riigid"},
    };
    for (const auto &[handler, caption] : someCommands) {
        QAction *a = window->command(QString::fromLatin1(handler));
        ASSERT_NE(a, nullptr) << handler;
        EXPECT_EQ(a->text(), QString::fromUtf8(caption)) << handler;
    }
    EXPECT_EQ(window->findChildren<QAction *>().size() >= 55, true);
    EXPECT_EQ(window->command("Help1Click")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(window->command("Kontaktiregistreerimiselavaklient1Click")->isCheckable());

    // Hints go to the last panel; a command's hint is its caption without the accelerator.
    EXPECT_EQ(window->command("Kliendid1Click")->statusTip(), QStringLiteral("Kliendid"));
    EXPECT_EQ(window->command("Help1Click")->statusTip(), QStringLiteral("Abiinfo F1"));
    window->command("Kliendid1Click")->showStatusText(window.get());
    EXPECT_EQ(window->statusPanel(6)->text(), QStringLiteral("Kliendid"));

    // Commands of windows that other parts build are handed on by name.
    window->command("Kliendid1Click")->trigger();
    EXPECT_EQ(opened, QStringList{"Kliendid1Click"});
    // Closing all with no child windows does nothing.
    window->command("CloseAllChilds1Click")->trigger();
}

TEST_F(TfMainTest, RightsAreCheckedByLevel)
{
    const QString refusal = QStringLiteral("Kasutajaõigused puuduvad !\r\nPöörduge süsteemi administraatori poole.");
    session.Level = 0;
    ui.expectMessage(refusal, "Teade");
    EXPECT_FALSE(window->CheckRights(false));
    session.Level = 1;
    EXPECT_TRUE(window->CheckRights(false));
    session.Level = 4;
    ui.expectMessage(refusal, "Teade");
    EXPECT_FALSE(window->CheckRights(true));
    // An administrator command at level 4 does nothing after the refusal.
    ui.expectMessage(refusal, "Teade");
    window->command("Kasutajad1Click")->trigger();
    EXPECT_TRUE(opened.isEmpty());
    session.Level = 5;
    EXPECT_TRUE(window->CheckRights(true));
    window->command("Kasutajad1Click")->trigger();
    EXPECT_EQ(opened, QStringList{"Kasutajad1Click"});
    // The attached users list names this connection.
    ui.expectMessage("Andmebaasi kasutajad:\r\nSYSDBA", "Lumora-Contact");
    window->command("Nitaandmebaasikasutajaid1Click")->trigger();
}

TEST_F(TfMainTest, ProjectsAndClientByNumber)
{
    window->ActivateProject(1);
    EXPECT_EQ(session.ActiveProjectId, 1);
    EXPECT_EQ(window->statusPanel(5)->text(), QStringLiteral("Kevadkampaania"));
    window->ActivateProject(99);
    EXPECT_EQ(session.ActiveProjectId, 0);
    EXPECT_TRUE(window->statusPanel(5)->text().isEmpty());

    // The choice offers the active projects only.
    QStringList shown;
    ui.expectSelection("Projekti valik - Lumora-Contact", true, 0, &shown);
    window->command("Aktiivseprojektivalik1Click")->trigger();
    EXPECT_EQ(shown, QStringList{"Kevadkampaania"});
    EXPECT_EQ(session.ActiveProjectId, 1);
    session.ProjectChoiceAllowed = false;
    ui.expectMessage("Projekti valik pole kasutajale lubatud", "Lumora-Contact");
    window->command("Eikasutaprojekti1Click")->trigger();
    EXPECT_EQ(session.ActiveProjectId, 1);

    ui.expectInput("Ava klient", "Sisestage kliendi kood:", true, "2");
    window->command("Avaklientnr1Click")->trigger();
    EXPECT_EQ(opened, QStringList{"OpenClientCard:2:0"});
    ui.expectInput("Ava klient", "Sisestage kliendi kood:", true, "kaks");
    EXPECT_THROW(window->command("Avaklientnr1Click")->trigger(), data::DataError);
}

TEST_F(TfMainTest, RegisteringContactsAtLevelTwo)
{
    session.Level = 2;
    ui.expectMessage("Teise agendi klientidega kontaktide registreerimiseks vajalik kõrgem kasutajanivoo !",
                     "Kontakti registreerimine");
    EXPECT_FALSE(window->RegisterContact(2, 0, "", "", "Võõras Klient", 0, 0));
    ui.expectMessage("Agendil lubatud registreerida vaid oma kontaktiplaneeringuid !", "Kontakti registreerimine");
    EXPECT_FALSE(window->RegisterContact(1, 3, "Jaan Saar", "", "Oma Klient", 5, 0));
    // The own client passes the checks; with the preference on, its card opens on the second page.
    session.NewContactOpenClient = true;
    window->RegisterContact(1, 7, "Mari Tamm", "", "Oma Klient", 0, 0);
    EXPECT_EQ(opened, QStringList{"OpenClientCard:1:1"});
    session.Level = 3;
    window->RegisterContact(2, 0, "", "", "Võõras Klient", 0, 0);
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(TfMainTest, SelectionDialogPicksAKeyUnderConditions)
{
    data::DataSet *projects = module->dataSet("taProjektidL");
    data::DataSet target(module->IBTransaction1(), "taKasutaja");
    target.setSelectSql("select KASKOOD, VAIKIMPROJID from USERSK");
    target.setInsertSql("insert into USERSK (KASKOOD, VAIKIMPROJID) values (:KASKOOD, :VAIKIMPROJID)");
    target.open();
    target.append();
    target.field("KASKOOD").setText("TEST");
    target.field("VAIKIMPROJID").setText("2");

    // The target's key positions the grid; the extra condition hides inactive projects until relaxed.
    TdlgValikuList dlg(window.get(), nullptr, &target.field("VAIKIMPROJID"), "PROJID", projects, "Projekti valik");
    dlg.setFilterMode(true);
    dlg.setExtraCondition("ProjAktiivne='Y'");
    dlg.setFilterOffCaption("&Näita kõiki");
    dlg.show();
    EXPECT_TRUE(dlg.filterOff()->isVisible());
    EXPECT_EQ(dlg.filterOff()->text(), QStringLiteral("&Näita kõiki"));
    EXPECT_EQ(projects->recordCount(), 1);
    dlg.filterOff()->click();
    EXPECT_EQ(projects->recordCount(), 2);
    dlg.grid()->setCurrentIndex(dlg.grid()->model()->index(1, 0)); // "Vana projekt"
    EXPECT_EQ(dlg.currentKeyText(), QStringLiteral("2"));
    dlg.filterOff()->click(); // the row is hidden again: the grid keeps a visible row
    EXPECT_EQ(projects->recordCount(), 1);
    dlg.filterOff()->click();
    dlg.grid()->setCurrentIndex(dlg.grid()->model()->index(0, 0));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(target.field("VAIKIMPROJID").asInt(), 1);
    EXPECT_EQ(projects->recordCount(), 2); // closing left only the (empty) base condition
    target.cancel();

    // Into a text; a row without a key is refused.
    QString result = "2";
    TdlgValikuList plain(window.get(), &result, nullptr, "PROJID", projects, "Projektid");
    plain.show();
    EXPECT_EQ(plain.currentKeyText(), QStringLiteral("2"));
    plain.accept();
    EXPECT_EQ(result, QStringLiteral("2"));
    data::DataSet empty(module->IBTransaction1(), "qTyhi");
    empty.setSelectSql("select cast(null as integer) as PROJID, 'tühi' as PROJNIMI from RDB$DATABASE");
    TdlgValikuList none(window.get(), &result, nullptr, "PROJID", &empty, "Tühi");
    none.show();
    none.accept();
    EXPECT_TRUE(none.isVisible());
    none.reject();
}

TEST_F(TfMainTest, ClosingAsksAndStoresTheSettings)
{
    int stored = 0;
    window->onStoreSettings = [&] { ++stored; };
    window->show();
    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::No);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(stored, 0);
    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(stored, 1);
}

TEST_F(TfMainTest, MacrosFromOtherProgramsAreTakenWhenIdle)
{
    const QString service = QStringLiteral("velkora1IB-test-%1").arg(QCoreApplication::applicationPid());
    DdeServer server(service);
    ASSERT_TRUE(server.listen());
    QObject::connect(&server, &DdeServer::macroReceived, window.get(),
                     [this](const QString &name, int value) { window->takeMacro(name, value); });
    window->show();

    ASSERT_TRUE(DdeServer::send(service, "ShowClient=123"));
    QTRY_COMPARE_WITH_TIMEOUT(opened, QStringList{"OpenClientCard:123:0"}, 3000);
    EXPECT_EQ(window->PendingClientId, 0);

    // A value that is not a number opens nothing; other names are ignored.
    ASSERT_TRUE(DdeServer::send(service, "ShowClient=abc"));
    ASSERT_TRUE(DdeServer::send(service, "Unknown=5"));
    ASSERT_TRUE(DdeServer::send(service, QString(10000, QLatin1Char('x'))));
    QTest::qWait(300);
    EXPECT_EQ(opened.size(), 1);

    ASSERT_TRUE(DdeServer::send(service, "ActivateProject=1\nShowClient=9"));
    QTRY_COMPARE_WITH_TIMEOUT(session.ActiveProjectId, 1, 3000);
    EXPECT_EQ(opened.size(), 1); // only the first line counts
    session.ProjectChoiceAllowed = false;
    window->ActivateProject(0);
    ASSERT_TRUE(DdeServer::send(service, "ActivateProject=1"));
    QTest::qWait(300);
    EXPECT_EQ(session.ActiveProjectId, 0);

    QString name;
    int value = -1;
    EXPECT_TRUE(DdeServer::parse("ShowClient=42\nActivateProject=1", &name, &value));
    EXPECT_EQ(name, QStringLiteral("ShowClient"));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(DdeServer::parse("no equals sign", &name, &value));
}

TEST(ChangePasswordDialogTest, NewPasswordsMustMatch)
{
    ScriptedUserInterface ui;
    TdlgChangePassw dlg("MARI", &ui);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Kasutaja parooli muutmine"));
    EXPECT_EQ(dlg.field(0)->text(), QStringLiteral("MARI"));
    EXPECT_TRUE(dlg.field(0)->isReadOnly());
    dlg.show();
    dlg.field(1)->setText("vana");
    dlg.field(2)->setText("uus1");
    dlg.field(3)->setText("uus2");
    ui.expectQuestion("Vale parool ! Proovime veel ?", "Viga", Answer::Ok);
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible()); // back to the check field
    dlg.field(3)->setText("uus1");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.newPassword(), QStringLiteral("uus1"));
    EXPECT_EQ(dlg.currentPassword(), QStringLiteral("vana"));

    TdlgChangePassw other("MARI", &ui);
    other.show();
    other.field(2)->setText("a");
    other.field(3)->setText("b");
    ui.expectQuestion("Vale parool ! Proovime veel ?", "Viga", Answer::Cancel);
    other.accept();
    EXPECT_EQ(other.result(), QDialog::Rejected);
}

TEST(ErrorLogTest, LineFormatAndAppend)
{
    const QDateTime when(QDate(2026, 12, 9), QTime(14, 5, 6));
    EXPECT_EQ(ErrorLog::line(when, "EDatabaseError", "lock conflict\non no wait", "fKliendid", "gridKliendid",
                             qMakePair(-901, 335544345L)),
              QStringLiteral("09.12.2026 14:05:06 EDatabaseError: lock conflict on no wait( Form: 'fKliendid' Control: "
                             "'gridKliendid') SQLCode/IBErrorCode: -901/335544345\r\n"));
    EXPECT_EQ(ErrorLog::line(when, "EDataError", "'kaks' is not a valid integer value", QString(), QString(), std::nullopt),
              QStringLiteral("09.12.2026 14:05:06 EDataError: 'kaks' is not a valid integer value()\r\n"));

    QTemporaryDir dir;
    ErrorLog log(dir.filePath("velkora1IB.errorlog"));
    log.append(data::DataError("esimene"), "fMain", QString());
    log.append(fb::FbError(-901, 335544344, {335544344}, "I/O error"), QString(), "edDatabaseName");
    QFile f(log.fileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith("EDataError: esimene( Form: 'fMain')\r"));
    EXPECT_TRUE(lines[1].endsWith("EDatabaseError: I/O error( Control: 'edDatabaseName') SQLCode/IBErrorCode: -901/335544344\r"));
    EXPECT_EQ(ErrorLog::defaultFileName("/opt/lumora/velkora1IB"), QDir::current().filePath("velkora1IB.errorlog"));
    // A log that cannot be written is ignored.
    ErrorLog("/nonexistent/dir/x.errorlog").append(data::DataError("x"), QString(), QString());
}

TEST(SecondInstanceTest, SecondStartHandsOverAndExitsWithOne)
{
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("USER", QStringLiteral("instancetest%1").arg(QCoreApplication::applicationPid()));
    QProcess first;
    first.setProcessEnvironment(env);
    first.setWorkingDirectory(dir.path());
    first.start(QStringLiteral(VELKORA1_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    QTest::qWait(1500); // it waits at its first question: no database is configured
    QProcess second;
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(dir.path());
    second.start(QStringLiteral(VELKORA1_PROGRAM), {"--dde", "ShowClient=123"});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(5000);
}

} // namespace

int main(int argc, char **argv)
{
    // Windows are driven offscreen, also when the test list is read at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora-Contact"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
