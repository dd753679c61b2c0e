// The main window offscreen: its panels and commands, the rights check, closing, macros from other
// programs, the second start and the error log.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "QtPrinters.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "WindowDriver.h"
#include "app/DdeServer.h"
#include "data/ErrorLog.h"
#include "app/TAboutBox.h"
#include "app/TdlgChangePassw.h"
#include "app/TdlgLogin.h"
#include "data/TdmUserSettings1.h"
#include "app/TfMain.h"
#include "data/DataSet.h"
#include "ui/QtUserInterface.h"
#include "ui/TdlgValikuList.h"
#include <QCheckBox>
#include <QTableView>
#include "data/DataError.h"
#include "data/FilterBuilder.h"
#include "data/IniText.h"
#include "data/Session.h"
#include "data/TData1.h"
#include "fb/FbError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

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
    window->command("Masspakkumised1Click")->trigger();
    EXPECT_EQ(opened, QStringList{"Masspakkumised1Click"});
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
    session.ActiveProjectId = 0;
    ui.expectRecordSelection("Projekti valik - Lumora-Contact", true, 0, &shown, "PROJNIMI");
    window->command("Aktiivseprojektivalik1Click")->trigger();
    EXPECT_EQ(shown, QStringList{"Kevadkampaania"});
    EXPECT_EQ(session.ActiveProjectId, 1);
    EXPECT_EQ(ui.lastRecordChoice().keyField, QStringLiteral("PROJID"));
    EXPECT_EQ(ui.lastRecordChoice().currentKey, QString());
    EXPECT_EQ(ui.lastRecordChoice().filterOffCaption, QStringLiteral("&Näita kõiki"));
    // The list opens on the active project, and the restriction goes with the dialog.
    ui.expectRecordSelection("Projekti valik - Lumora-Contact", false, 0);
    window->command("Aktiivseprojektivalik1Click")->trigger();
    EXPECT_EQ(ui.lastRecordChoice().currentKey, QStringLiteral("1"));
    EXPECT_EQ(module->dataSet("taProjektidL")->recordCount(), 2);
    session.ProjectChoiceAllowed = false;
    ui.expectMessage("Projekti valik pole kasutajale lubatud", "Lumora-Contact");
    window->command("Eikasutaprojekti1Click")->trigger();
    EXPECT_EQ(session.ActiveProjectId, 1);

    ui.expectInput("Ava klient", "Sisestage kliendi kood:", true, "2");
    window->command("Avaklientnr1Click")->trigger();
    EXPECT_EQ(opened, QStringList{"OpenClientCard:2:0"});
    // An error of a command stops at the command: it goes to the error hook, never on through the menus.
    QStringList hooked;
    window->onCommandError = [&](const std::exception &e) { hooked << ErrorLog::messageOf(e); };
    ui.expectInput("Ava klient", "Sisestage kliendi kood:", true, "kaks");
    EXPECT_NO_THROW(window->command("Avaklientnr1Click")->trigger());
    EXPECT_EQ(hooked, QStringList{"'kaks' is not a valid integer value"});
    // A rule that refused has said so itself: nothing more is shown.
    window->onOpenWindow = [](const QString &) { throw data::Abort(); };
    EXPECT_NO_THROW(window->command("Kontaktid1Click")->trigger());
    EXPECT_EQ(hooked.size(), 1);
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

TEST_F(TfMainTest, WindowInterfaceShowsTheSelectionDialogForARecordChoice)
{
    QtUserInterface screen(window.get());
    data::DataSet *projects = module->dataSet("taProjektidL");
    data::RecordChoice choice;
    choice.caption = QStringLiteral("Projekti valik - Lumora-Contact");
    choice.dataSet = projects;
    choice.keyField = QStringLiteral("PROJID");
    choice.currentKey = QStringLiteral("2");
    choice.filterMode = true;
    choice.extraCondition = QStringLiteral("ProjAktiivne='Y'");
    choice.filterOffCaption = QStringLiteral("&Näita kõiki");

    // The current project is hidden by the condition, so the list opens on the visible one; the
    // person relaxes the condition, moves to the inactive project and takes it.
    QString seenCaption, keyOnShow;
    whenModal<TdlgValikuList>([&](TdlgValikuList *dlg) {
        seenCaption = dlg->windowTitle();
        keyOnShow = dlg->currentKeyText();
        dlg->filterOff()->click();
        dlg->grid()->setCurrentIndex(dlg->grid()->model()->index(1, 0));
        dlg->accept();
    });
    QString key;
    EXPECT_TRUE(screen.selectRecord(choice, key));
    EXPECT_EQ(seenCaption, choice.caption);
    EXPECT_EQ(keyOnShow, QStringLiteral("1"));
    EXPECT_EQ(key, QStringLiteral("2"));
    EXPECT_EQ(projects->field("PROJID").asInt(), 2);

    // Without conditions the list opens on the given key; closing the dialog takes nothing.
    choice.filterMode = false;
    choice.currentKey = QStringLiteral("1");
    whenModal<TdlgValikuList>([&](TdlgValikuList *dlg) {
        keyOnShow = dlg->currentKeyText();
        dlg->close();
    });
    key.clear();
    EXPECT_FALSE(screen.selectRecord(choice, key));
    EXPECT_EQ(keyOnShow, QStringLiteral("1"));
    EXPECT_TRUE(key.isEmpty());
}

TEST_F(TfMainTest, ClosingAsksAndStoresTheSettings)
{
    s_db->execute({"insert into USERSK (KASKOOD, NIVOO, AGENTKOOD, USERSETTINGS1) values ('Mari', 2, 7, "
                   "'[Preferences]' || ascii_char(10) || 'NewContactOpenClient=0' || ascii_char(10) || "
                   "'[Other]' || ascii_char(10) || 'Keep=yes' || ascii_char(10))"});
    const QString before = s_db->userSettings("Mari");
    QTemporaryDir dir;
    TdmUserSettings1 settings(dir.filePath("velkora1IB"), dir.path(), dir.filePath("registry.ini"));
    session.UserCode = QStringLiteral("Mari");
    // The log-in name may differ from the stored code in letter case.
    ASSERT_TRUE(settings.loadFromUser(module->IBTransaction1(), QStringLiteral("MARI")));
    window->setUserSettings(&settings);
    EXPECT_FALSE(window->restorePlacement());

    int stored = 0;
    window->onStoreSettings = [&] { ++stored; };
    window->show();
    window->setGeometry(QRect(40, 50, 900, 640));
    window->command("Kontaktiregistreerimiselavaklient1Click")->trigger();
    EXPECT_TRUE(session.NewContactOpenClient);
    window->command("Andmetelevaikimisiagendifilter1Click")->setChecked(true);
    window->command("Andmetelevaikimisiagendifilter1Click")->trigger();
    EXPECT_FALSE(session.DefaultAgentFilter);

    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::No);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(s_db->userSettings("Mari"), before);

    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(stored, 1);
    const data::IniText row = data::IniText::parse(s_db->userSettings("Mari"));
    EXPECT_EQ(row.value("Preferences", "NewContactOpenClient"), QStringLiteral("1"));
    EXPECT_EQ(row.value("Preferences", "AndmeteleVaikimisiAgendiFilter"), QStringLiteral("0"));
    EXPECT_EQ(row.value("MainWindow", "Maximized"), QStringLiteral("0"));
    EXPECT_EQ(row.value("MainWindow", "Width"), QStringLiteral("900"));
    EXPECT_EQ(row.value("MainWindow", "Height"), QStringLiteral("640"));
    EXPECT_EQ(row.value("Other", "Keep"), QStringLiteral("yes"));

    // The next start of the same user puts the window back; maximised, it keeps the old normal size.
    TdmUserSettings1 next(dir.filePath("velkora1IB"), dir.path(), dir.filePath("registry.ini"));
    ASSERT_TRUE(next.loadFromUser(module->IBTransaction1(), QStringLiteral("mari")));
    TfMain again(module.get(), &session, &ui);
    again.setUserSettings(&next);
    ASSERT_TRUE(again.restorePlacement());
    again.show();
    EXPECT_EQ(again.size(), QSize(900, 640));
    again.showMaximized();
    QApplication::processEvents();
    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(again.close());
    const data::IniText maximised = data::IniText::parse(s_db->userSettings("Mari"));
    EXPECT_EQ(maximised.value("MainWindow", "Maximized"), QStringLiteral("1"));
    EXPECT_EQ(maximised.value("MainWindow", "Width"), QStringLiteral("900"));
    s_db->execute({"delete from USERSK where KASKOOD = 'Mari'"});
}

TEST_F(TfMainTest, OwnerWithoutRowClosesWithoutWritingAnyRow)
{
    s_db->execute({"insert into USERSK (KASKOOD, NIVOO, USERSETTINGS1) values ('JUHAN', 1, 'x=1')"});
    QTemporaryDir dir;
    TdmUserSettings1 settings(dir.filePath("velkora1IB"), dir.path(), dir.filePath("registry.ini"));
    session.UserCode = QStringLiteral("SYSDBA");
    EXPECT_FALSE(settings.loadFromUser(module->IBTransaction1(), session.UserCode));
    window->setUserSettings(&settings);
    window->show();
    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(s_db->userSettings("JUHAN"), QStringLiteral("x=1"));
    EXPECT_EQ(s_db->userSettings("SYSDBA"), QStringLiteral("<no row>"));
    s_db->execute({"delete from USERSK where KASKOOD = 'JUHAN'"});
}

namespace {
// A child window of a kind of its own, as the registers are.
class SizedChild : public QWidget
{
    Q_OBJECT
public:
    QSize sizeHint() const override { return {300, 200}; }
};
} // namespace

TEST(AboutBoxTest, VersionAddressesAndMessage)
{
    EXPECT_EQ(TAboutBox::versionText(1, 0, 0, 0), QStringLiteral("Version 1.0"));
    EXPECT_EQ(TAboutBox::versionText(2, 3, 4, 0), QStringLiteral("Version 2.3.4"));
    EXPECT_EQ(TAboutBox::versionText(2, 3, 0, 7), QStringLiteral("Version 2.3.0.7"));
    EXPECT_EQ(TAboutBox::versionLine(QStringLiteral("1.0")), QStringLiteral("Version 1.0  (19.01.2004)"));
    EXPECT_EQ(TAboutBox::mailTo(QStringLiteral("Müük Lumora <myyk@lumora.ee>")).toString(QUrl::FullyEncoded),
              QStringLiteral("mailto:M%C3%BC%C3%BCk%20Lumora%20%3Cmyyk@lumora.ee%3E"));

    ScriptedUserInterface ui;
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
    ui.expectMessage("Litsents aegub 31.12.2026", "Programmist");
    TAboutBox box(&ui, QStringLiteral("Litsents aegub 31.12.2026"));
    box.show();
    QApplication::processEvents();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Programmist"));
    EXPECT_EQ(box.findChild<QLabel *>("Version")->text(), QStringLiteral("Version 1.2.3  (19.01.2004)"));
    EXPECT_TRUE(box.findChild<QLabel *>("Sales")->text().contains(QStringLiteral("href=\"mailto:myyk@lumora.ee\"")));
    EXPECT_TRUE(box.findChild<QLabel *>("HomePage")->text().contains(QStringLiteral("https://www.lumora.ee")));
    QStringList rows;
    for (QLabel *l : box.findChildren<QLabel *>())
        rows << l->text();
    EXPECT_TRUE(rows.contains(QStringLiteral("Kasutajatugi:")));
    // Shown again, the box has nothing more to say.
    box.hide();
    box.show();
    QApplication::processEvents();
    QCoreApplication::setApplicationVersion(QString());
}

TEST_F(TfMainTest, AboutBoxOpensFromTheMenu)
{
    window->show();
    QString title;
    whenModal<TAboutBox>([&](TAboutBox *box) {
        title = box->windowTitle();
        box->accept();
    });
    window->command("Programmist1Click")->trigger();
    EXPECT_EQ(title, QStringLiteral("Programmist"));
}

// A child window with a button bar of its own, as the registers and reports have.
static QWidget *childWithBar(const QString &buttonText)
{
    auto *child = new QWidget;
    auto *bar = new QWidget(child);
    bar->setObjectName(QStringLiteral("panToolBar"));
    auto *button = new QPushButton(buttonText, bar);
    button->setObjectName(buttonText);
    return child;
}

TEST_F(TfMainTest, ToolBarShowsTheButtonBarOfTheActiveChild)
{
    window->show();
    EXPECT_EQ(window->activeButtonBar(), nullptr);
    QWidget *first = childWithBar(QStringLiteral("Esimene"));
    window->ShowChild(first);
    QApplication::processEvents();
    ASSERT_NE(window->activeButtonBar(), nullptr);
    EXPECT_NE(window->activeButtonBar()->findChild<QPushButton *>("Esimene"), nullptr);
    EXPECT_EQ(first->findChild<QWidget *>("panToolBar"), nullptr); // the bar moved to the main window

    QWidget *second = childWithBar(QStringLiteral("Teine"));
    window->ShowChild(second);
    QApplication::processEvents();
    ASSERT_NE(window->activeButtonBar(), nullptr);
    EXPECT_NE(window->activeButtonBar()->findChild<QPushButton *>("Teine"), nullptr);

    // A child without a bar leaves the tool bar's variable part empty.
    window->ShowChild(new QWidget);
    QApplication::processEvents();
    EXPECT_EQ(window->activeButtonBar(), nullptr);

    window->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    QApplication::processEvents();
    ASSERT_NE(window->activeButtonBar(), nullptr);
    EXPECT_NE(window->activeButtonBar()->findChild<QPushButton *>("Esimene"), nullptr);
    // Minimised, the active child shows no bar.
    first->parentWidget()->showMinimized();
    QApplication::processEvents();
    EXPECT_EQ(window->activeButtonBar(), nullptr);
    first->parentWidget()->showNormal();
    QApplication::processEvents();
    EXPECT_NE(window->activeButtonBar(), nullptr);

    // Closing a child takes its bar along.
    first->parentWidget()->close();
    // The window goes at the next turn of the event loop, its bar at the one after.
    for (int turn = 0; turn < 2; ++turn) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(window->findChild<QPushButton *>("Esimene"), nullptr);
    EXPECT_NE(window->findChild<QPushButton *>("Teine"), nullptr);
}

// The entries of "&Aknad" after its commands, as the person sees them when the menu opens.
static QStringList windowEntries(TfMain &window)
{
    QMenu *menu = window.findChild<QMenu *>(QStringLiteral("&Aknad"));
    emit menu->aboutToShow();
    QStringList entries;
    bool afterCommands = false;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            afterCommands = true;
        else if (afterCommands)
            entries << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
    }
    return entries;
}

static QWidget *titledChild(const QString &title)
{
    auto *child = new SizedChild;
    child->setWindowTitle(title);
    return child;
}

TEST_F(TfMainTest, WindowMenuListsTheChildWindowsThatAreOpen)
{
    window->show();
    EXPECT_TRUE(windowEntries(*window).isEmpty());
    QWidget *first = titledChild(QStringLiteral("Kliendid"));
    QWidget *second = titledChild(QStringLiteral("Riigid"));
    QWidget *third = titledChild(QStringLiteral("Ametid"));
    window->ShowChild(first);
    window->ShowChild(second);
    window->ShowChild(third);
    EXPECT_EQ(windowEntries(*window), (QStringList{"&1 Kliendid", "&2 Riigid", "&3 Ametid *"}));

    // A window closed while another one stays active leaves the list.
    QPointer<QWidget> closed = second->parentWidget();
    closed->close();
    QTRY_VERIFY(closed.isNull());
    EXPECT_EQ(windowEntries(*window), (QStringList{"&1 Kliendid", "&2 Ametid *"}));

    // An entry brings its window forward.
    QMenu *menu = window->findChild<QMenu *>(QStringLiteral("&Aknad"));
    emit menu->aboutToShow();
    menu->actions().at(menu->actions().size() - 2)->trigger();
    EXPECT_EQ(window->mdiArea()->activeSubWindow(), first->parentWidget());
    EXPECT_EQ(windowEntries(*window), (QStringList{"&1 Kliendid *", "&2 Ametid"}));
}

TEST_F(TfMainTest, WindowsAreTiledInRowsOrColumnsAndIconsLinedUp)
{
    window->resize(1000, 800);
    window->show();
    QWidget *area = window->mdiArea()->viewport();
    QList<QMdiSubWindow *> subs;
    for (const char *title : {"Kliendid", "Riigid", "Ametid", "Tooted"}) {
        window->ShowChild(titledChild(QString::fromLatin1(title)));
        subs << window->mdiArea()->activeSubWindow();
    }
    // Two of them are minimised; tiling leaves them where they are.
    subs[2]->showMinimized();
    subs[3]->showMinimized();
    QApplication::processEvents();
    const QRect icon2 = subs[2]->geometry(), icon3 = subs[3]->geometry();

    // Horizontally: one above the other, each as wide as the area.
    window->command("TileHoriz1Click")->trigger();
    QApplication::processEvents();
    for (QMdiSubWindow *s : {subs[0], subs[1]}) {
        EXPECT_EQ(s->geometry().left(), 0);
        EXPECT_EQ(s->geometry().width(), area->width());
    }
    EXPECT_EQ(subs[0]->geometry().top(), 0);
    EXPECT_GE(subs[1]->geometry().top(), subs[0]->geometry().bottom());
    EXPECT_TRUE(subs[2]->isMinimized());
    EXPECT_EQ(subs[2]->geometry(), icon2);

    // Vertically: side by side, each as high as the area.
    window->command("TileVert1Click")->trigger();
    QApplication::processEvents();
    for (QMdiSubWindow *s : {subs[0], subs[1]}) {
        EXPECT_EQ(s->geometry().top(), 0);
        EXPECT_EQ(s->geometry().height(), area->height());
    }
    EXPECT_EQ(subs[0]->geometry().left(), 0);
    EXPECT_GE(subs[1]->geometry().left(), subs[0]->geometry().right());
    EXPECT_EQ(subs[3]->geometry(), icon3);

    // Arranging the icons lines the minimised windows up along the bottom and touches no other.
    subs[2]->move(300, 120);
    subs[3]->move(40, 200);
    const QRect normal0 = subs[0]->geometry(), normal1 = subs[1]->geometry();
    window->command("ArrangeIcons1Click")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(subs[0]->geometry(), normal0);
    EXPECT_EQ(subs[1]->geometry(), normal1);
    EXPECT_TRUE(subs[2]->isMinimized());
    EXPECT_TRUE(subs[3]->isMinimized());
    EXPECT_EQ(subs[2]->geometry().bottom(), area->height() - 1);
    EXPECT_EQ(subs[3]->geometry().bottom(), area->height() - 1);
    EXPECT_EQ(subs[2]->geometry().left(), 0);
    EXPECT_EQ(subs[3]->geometry().left(), subs[2]->geometry().right() + 1);
}

TEST_F(TfMainTest, ChildWindowsReopenAtTheSizeTheyWereClosedAt)
{
    QTemporaryDir dir;
    TdmUserSettings1 settings(dir.filePath("velkora1IB"), dir.path(), dir.filePath("registry.ini"));
    settings.load(QString());
    window->setUserSettings(&settings);
    window->resize(1200, 900);
    window->show();

    auto *first = new SizedChild;
    window->ShowChild(first);
    QWidget *sub = first->parentWidget();
    const QSize designed = sub->size();
    sub->resize(designed + QSize(150, 90));
    sub->close();
    QApplication::processEvents();
    EXPECT_EQ(settings.ReadInteger("Windows", "SizedChild.Width", 0), designed.width() + 150);

    auto *second = new SizedChild;
    window->ShowChild(second);
    EXPECT_EQ(second->parentWidget()->size(), designed + QSize(150, 90));
    // A maximised child leaves the remembered size alone.
    second->parentWidget()->showMaximized();
    second->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_EQ(settings.ReadInteger("Windows", "SizedChild.Width", 0), designed.width() + 150);

    // "Nulli akende suuruste mälu" closes the children, and the next one opens at its designed size.
    auto *third = new SizedChild;
    window->ShowChild(third);
    window->command("Nulliakendesuurustemlu1Click")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(settings.hasSetting("Windows", "SizedChild.Width"));
    auto *fourth = new SizedChild;
    window->ShowChild(fourth);
    EXPECT_EQ(fourth->parentWidget()->size(), designed);

    // A child still open when the program ends counts as closed at its size.
    fourth->parentWidget()->resize(designed + QSize(10, 20));
    ui.expectQuestion("Kas soovite väljuda ?", "Lumora-Contact", Answer::Yes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(settings.ReadInteger("Windows", "SizedChild.Height", 0), designed.height() + 20);
    // The frame is taken apart (after this test) with a child in it and the settings already gone.
    window->ShowChild(new SizedChild);
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

    // A request may arrive in pieces: it counts once the sender has hung up.
    {
        QLocalSocket sender;
        sender.connectToServer(DdeServer::socketName(service));
        ASSERT_TRUE(sender.waitForConnected(3000));
        sender.write("DdeServerConv1\nShow");
        ASSERT_TRUE(sender.waitForBytesWritten(3000));
        QTest::qWait(200); // the program reads the first piece before the rest is sent
        sender.write("Client=77\n");
        ASSERT_TRUE(sender.waitForBytesWritten(3000));
        sender.disconnectFromServer();
    }
    QTRY_COMPARE_WITH_TIMEOUT(opened, (QStringList{"OpenClientCard:123:0", "OpenClientCard:77:0"}), 3000);

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

TEST(ChangePasswordDialogTest, EnterMovesThroughTheFieldsAndOnlyTheLastTakesTheDialog)
{
    ScriptedUserInterface ui;
    TdlgChangePassw dlg("MARI", &ui);
    QStringList openAfterEnter;
    whenModal<TdlgChangePassw>([&](TdlgChangePassw *d) {
        // Enter with nothing typed yet: the new password must not become empty.
        QTest::keyClick(d->field(1), Qt::Key_Return);
        openAfterEnter << (d->isVisible() && d->focusWidget() == d->field(2) ? "new" : "closed");
        typeText(d->field(2), "uus");
        QTest::keyClick(d->field(2), Qt::Key_Enter, Qt::KeypadModifier);
        openAfterEnter << (d->isVisible() && d->focusWidget() == d->field(3) ? "check" : "closed");
        typeText(d->field(3), "uus");
        QTest::keyClick(d->field(3), Qt::Key_Return);
        if (d->isVisible())
            d->reject();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(openAfterEnter, (QStringList{"new", "check"}));
    EXPECT_EQ(dlg.currentPassword(), QString());
    EXPECT_EQ(dlg.newPassword(), QStringLiteral("uus"));
}

TEST(LoginDialogTest, EnterInTheNameMovesToThePasswordAndEnterThereIsOk)
{
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora-Contact"));
    DialogCredentialsPrompt prompt(nullptr);
    QString title, afterName;
    whenModal<TdlgLogin>([&](TdlgLogin *d) {
        title = d->windowTitle();
        EXPECT_EQ(d->focusWidget(), d->userEdit());
        typeText(d->userEdit(), "mari");
        QTest::keyClick(d->userEdit(), Qt::Key_Return);
        afterName = d->isVisible() && d->focusWidget() == d->passwordEdit() ? "password" : "closed";
        typeText(d->passwordEdit(), "salajane");
        QTest::keyClick(d->passwordEdit(), Qt::Key_Return);
        if (d->isVisible())
            d->reject();
    });
    QString user, password;
    ASSERT_TRUE(prompt.askCredentials("Logi sisse", user, password));
    EXPECT_EQ(title, QStringLiteral("Logi sisse - Lumora-Contact"));
    EXPECT_EQ(afterName, QStringLiteral("password"));
    EXPECT_EQ(user, QStringLiteral("mari"));
    EXPECT_EQ(password, QStringLiteral("salajane"));

    // With the name given, the dialog opens in the password; Esc cancels.
    whenModal<TdlgLogin>([&](TdlgLogin *d) {
        afterName = d->focusWidget() == d->passwordEdit() ? "password" : "name";
        QTest::keyClick(d->passwordEdit(), Qt::Key_Escape);
    });
    user = QStringLiteral("MARI");
    EXPECT_FALSE(prompt.askCredentials("Login as administrator", user, password));
    EXPECT_EQ(afterName, QStringLiteral("password"));
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

    // Asked to end, the first one goes the orderly way and takes its lock and its socket along.
    first.terminate();
    EXPECT_TRUE(first.waitForFinished(10000));
    if (first.state() != QProcess::NotRunning) {
        first.kill();
        first.waitForFinished(5000);
    }
    const QString leftBehind = QDir::temp().filePath(QStringLiteral("velkora1IB-") + env.value("USER"));
    EXPECT_FALSE(QFile::exists(leftBehind + QStringLiteral(".lock")));
    EXPECT_FALSE(QFile::exists(leftBehind));
    QFile::remove(leftBehind + QStringLiteral(".lock"));
    QLocalServer::removeServer(QStringLiteral("velkora1IB-") + env.value("USER"));
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora-Contact"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "TfMainTest.moc"
