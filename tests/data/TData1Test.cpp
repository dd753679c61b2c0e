// The rules of the main data module at the access levels they tell apart, on a real database, with a
// scripted user interface.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QScopeGuard>

#include "QtPrinters.h"
#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/FilterBuilder.h"
#include "data/Translate.h"
#include "data/MainServices.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "fb/Statement.h"

using data::DataSet;
using Answer = data::UserInterface::Answer;

namespace {

class TData1Test : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("rules.fdb"));
        s_db->execute({
            "insert into RIIK (RIIKID, RIIGINIMI) values (1, 'Eesti')",
            "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (1, 'Tallinn', 1)",
            "execute block as declare i integer = 1; begin while (i <= 8) do begin "
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI, AGTEL) values (:i, 'Agent', 'Nr ' || :i, '5000000'); "
            "i = i + 1; end end",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Balti Puit')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (2, 'Tartu Kivi')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIENTAKTIIVNE) values (3, 'Vana Klient', 'N')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (4, 'Kustutatav')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (2, 3, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (3, 7, 'Y')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI) values (1, 'Telefonikõne')",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTOIMUS, KONTAKTTEEMA) "
            "values (1, 7, 1, current_date, 1, 'Y', 'Kinnitatud')",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTOIMUS, KONTAKTTEEMA) "
            "values (2, 7, 1, current_date, 1, 'N', 'Kinnitamata')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (1, 'Arvutid')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (2, 'Mööbel')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (1, 1, 'Sulearvuti Pro')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (2, 1, 'Lauaarvuti')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (3, 2, 'Kirjutuslaud')",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (1, 1, 2, 3)",
            "insert into PYHAD (KUUPAEV, PYHANIMI) values ('24.02.2026', 'Iseseisvuspäev')",
            "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values ('AS', 'Aktsiaselts')",
            "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values ('5', 'Viies vorm')",
            "insert into KL1GR (KL1GRID, KL1GRNIMI) values (1, 'Suurus')",
            "insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI) values (1, 1, 'Suur')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (1, 1, 'Mari Maasikas')",
            "alter sequence KLIENTK_KLIKOOD_GEN restart with 100",
            "alter sequence TOOTEGR_TOOTEGRID_GEN restart with 100",
            "alter sequence KLIKISIK_KLIKISIKKOOD_GEN restart with 100",
        });
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 2;
        session.AgentCode = 7;
        module = std::make_unique<data::TData1>(&ui, &mainWindow, &session);
        module->Database1Params() = s_db->params();
        module->Connect();
    }
    void TearDown() override { module.reset(); }

    void exec(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        q.exec();
        module->IBTransaction1().commitRetaining();
    }
    qint64 count(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        return q.scalar().toLongLong();
    }

    static TempDatabase *s_db;
    ScriptedUserInterface ui;
    RecordingMain mainWindow;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};
TempDatabase *TData1Test::s_db = nullptr;

TEST_F(TData1Test, ReferenceDataNeedsLevelThreeAndProtectedColumnsTheirTag)
{
    DataSet &agents = *module->taAgendid();
    agents.open();
    for (int level : {0, 1, 2}) {
        session.Level = level;
        ui.expectMessage("Kasutajanivoo liiga madal !", "Lumora-Contact");
        EXPECT_THROW(agents.edit(), data::Abort);
        EXPECT_EQ(agents.state(), DataSet::State::Browse);
        ui.expectMessage("Kasutajanivoo liiga madal !", "Lumora-Contact");
        EXPECT_THROW(agents.append(), data::Abort);
    }
    session.Level = 3;
    agents.edit();
    agents.field("AGTEL").setText("5111111");
    agents.field("AGEESNIMI").setText("Mare");
    agents.post();
    EXPECT_EQ(count("select count(*) from AGENTK where AGTEL = '5111111'"), 1);

    // A user whose level dropped below the column's tag while editing may not change it.
    agents.edit();
    session.Level = 2;
    ui.expectMessage("Veergu 'AGTEL' keelatud muuta !", "Lumora-Contact");
    EXPECT_THROW(agents.field("AGTEL").setText("5222222"), data::Abort);
    EXPECT_EQ(agents.field("AGTEL").asString(), QStringLiteral("5111111"));
    agents.field("OSAKOND").setText("Müük"); // an unprotected column
    agents.cancel();
    // A new agent's protected columns may be typed.
    session.Level = 3;
    agents.append();
    session.Level = 2;
    EXPECT_NO_THROW(agents.field("AGTEL").setText("5333333"));
    agents.cancel();
}

TEST_F(TData1Test, ClientsOfOtherAgentsAreChangedFromLevelThree)
{
    DataSet &clients = *module->taKliendid();
    clients.open();
    ASSERT_TRUE(clients.locate("KLIKOOD", 2));
    EXPECT_FALSE(module->IsOwnClient(2));
    EXPECT_TRUE(module->IsOwnClient(1));

    session.Level = 2;
    ui.expectMessage("Agendil lubatud muuta vaid oma kliente !", "Kliendid");
    EXPECT_THROW(clients.edit(), data::Abort);
    ui.expectMessage("Agendil lubatud muuta vaid oma kliente !", "Kliendid");
    EXPECT_THROW(clients.remove(), data::Abort);
    // Its contact persons are the client's too.
    DataSet &persons = *module->taKliKontaktIsikud();
    persons.open();
    ui.expectMessage("Agendil lubatud muuta vaid oma kliente !", "Kliendid");
    EXPECT_THROW(persons.append(), data::Abort);

    session.Level = 3;
    clients.edit();
    clients.field("KLITEL").setText("6 600 100");
    clients.post();
    EXPECT_EQ(clients.field("KLITELTRIM").asString(), QStringLiteral("6600100"));

    // Own client at level 2; deleting is refused at level 1 and below whoever owns the client.
    session.Level = 2;
    ASSERT_TRUE(clients.locate("KLIKOOD", 1));
    clients.edit();
    clients.cancel();
    for (int level : {0, 1}) {
        session.Level = level;
        ui.expectMessage("Kliendi kustutamine keelatud !", "Kliendid");
        EXPECT_THROW(clients.remove(), data::Abort);
    }
    session.Level = 5;
    ASSERT_TRUE(clients.locate("KLIKOOD", 4));
    clients.remove();
    EXPECT_EQ(count("select count(*) from KLIENTK where KLIKOOD = 4"), 0);
}

TEST_F(TData1Test, DuplicateClientNameIsQuestioned)
{
    DataSet &clients = *module->taKliendid();
    clients.open();
    clients.append();
    ui.expectQuestion("Klient 'balti puit' on juba olemas, tühistame ja näitame olemasolevat ?", "Kliendid", Answer::No);
    EXPECT_THROW(clients.field("KLINIMI").setText("  balti puit "), data::Abort);
    EXPECT_EQ(clients.state(), DataSet::State::Insert);
    EXPECT_TRUE(clients.field("KLINIMI").isNull()); // the typed name is not taken
    EXPECT_TRUE(mainWindow.openedCards.isEmpty());

    ui.expectQuestion("Klient 'BALTI PUIT' on juba olemas, tühistame ja näitame olemasolevat ?", "Kliendid", Answer::Yes);
    EXPECT_THROW(clients.field("KLINIMI").setText("BALTI PUIT"), data::Abort);
    EXPECT_EQ(clients.state(), DataSet::State::Browse);
    ASSERT_EQ(mainWindow.openedCards.size(), 1);
    EXPECT_EQ(mainWindow.openedCards[0], qMakePair(1, 0));

    // Editing a client does not find itself.
    session.Level = 5;
    ASSERT_TRUE(clients.locate("KLIKOOD", 1));
    clients.edit();
    clients.field("KLINIMI").setText("Balti Puit");
    clients.cancel();

    ui.expectQuestion("Klient 'Tartu Kivi' on juba olemas, näitame ?", "Import", Answer::No);
    EXPECT_TRUE(module->ClientNameExists("Tartu Kivi", "Import", true));
    EXPECT_FALSE(module->ClientNameExists("Pole Olemas", "Import", true));
}

TEST_F(TData1Test, NewClientGetsTheUsersAgentAsResponsible)
{
    DataSet &clients = *module->taKliendid();
    clients.open();
    clients.append();
    EXPECT_EQ(clients.field("KLILISAMKUUP").asDate(), QDate::currentDate());
    clients.field("KLINIMI").setText(" Uus Klient OÜ ");
    clients.field("KLITEL2").setText("+372 5123 4567");
    clients.post();
    const qint64 code = clients.field("KLIKOOD").asInt();
    EXPECT_GT(code, 100);
    EXPECT_EQ(clients.field("KLINIMI").asString(), QStringLiteral("Uus Klient OÜ"));
    EXPECT_EQ(clients.field("KLITEL2TRIM").asString(), QStringLiteral("37251234567"));
    EXPECT_EQ(clients.field("KLIENTAKTIIVNE").asString(), QStringLiteral("Y"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIAGENT where KLIKOOD = %1 and AGENTKOOD = 7 and "
                                   "AGENTVASTUTAV = 'Y'").arg(code)),
              1);
    EXPECT_EQ(clients.field("KLISUHTETYYP").text(), QStringLiteral("Klient"));
    session.Level = 5;
    clients.edit();
    clients.field("KLISUHTETYYP").setText("11");
    EXPECT_EQ(clients.field("KLISUHTETYYP").text(), QStringLiteral("Partner"));
    clients.field("KLISUHTETYYP").setText("5"); // no such relation: unchanged
    EXPECT_EQ(clients.field("KLISUHTETYYP").asInt(), 11);
    clients.cancel();
}

TEST_F(TData1Test, ConfirmedContactsAtLevelOne)
{
    session.Level = 1;
    DataSet &contacts = *module->taKontaktid();
    contacts.open();
    ASSERT_TRUE(contacts.locate("KONTAKTID", 1)); // confirmed
    contacts.edit();
    contacts.field("KONTAKTKOMMENT").setText("Kommentaari võib muuta");
    ui.expectMessage("Agendil lubatud muuta kinnitatud kontaktil vaid kommentaari veergu !", "Toimunud kontaktid");
    EXPECT_THROW(contacts.field("KONTAKTTEEMA").setText("Muu teema"), data::Abort);
    ui.expectMessage("Agendil lubatud muuta kinnitatud kontaktil vaid kommentaari veergu !", "Toimunud kontaktid");
    EXPECT_THROW(contacts.field("KONTAKTTOIMUS").setText("N"), data::Abort);
    contacts.post();

    ASSERT_TRUE(contacts.locate("KONTAKTID", 2)); // not confirmed: may be changed and confirmed
    contacts.edit();
    contacts.field("KONTAKTTEEMA").setText("Uus teema");
    contacts.field("KONTAKTTOIMUS").setText("Y");
    contacts.post();
    EXPECT_EQ(count("select count(*) from KONTAKT where KONTAKTID = 2 and KONTAKTTOIMUS = 'Y'"), 1);

    session.Level = 2;
    contacts.edit();
    contacts.field("KONTAKTTOIMUS").setText("N"); // level 2 may change confirmed contacts
    contacts.post();
}

TEST_F(TData1Test, PricesWithAndWithoutTax)
{
    EXPECT_EQ(data::TData1::PriceWithoutTax(fb::Numeric{2440, 2}, fb::Numeric{22, 0}), (fb::Numeric{20000, 3}));
    EXPECT_EQ(data::TData1::PriceWithTax(fb::Numeric{20000, 3}, fb::Numeric{22, 0}), (fb::Numeric{2440, 2}));
    EXPECT_EQ(data::TData1::PriceWithTax(fb::Numeric{1005, 3}, fb::Numeric{0, 0}), (fb::Numeric{101, 2}));
    EXPECT_EQ(data::TData1::PriceWithoutTax(fb::Numeric{100, 2}, fb::Numeric{300, 1}), (fb::Numeric{769, 3}));

    session.Level = 3;
    DataSet &products = *module->taTooted();
    products.open();
    ASSERT_TRUE(products.locate("TOOTEID", 3));
    products.edit();
    products.field("TOOTEKMPROC").setText("22");
    products.field("TOOTEHINDKMGA").setText("24,40");
    EXPECT_EQ(products.field("TOOTEHINDKMTA").text(), QStringLiteral("20.000"));
    products.field("TOOTEHINDKMTA").setText("1 000.0004");
    EXPECT_EQ(products.field("TOOTEHINDKMTA").text(), QStringLiteral("1000.000"));
    EXPECT_EQ(products.field("TOOTEHINDKMGA").text(), QStringLiteral("1220.000"));
    products.field("TOOTEKMPROC").setText("kakskümmend"); // not a number: 0
    EXPECT_EQ(products.field("TOOTEHINDKMGA").text(), QStringLiteral("1000.000"));
    products.post();
    EXPECT_EQ(count("select count(*) from TOOTED where TOOTEID = 3 and TOOTEHINDKMTA = 1000"), 1);
}

TEST_F(TData1Test, CodeByNameLookUp)
{
    session.Level = 5;
    DataSet row(module->IBTransaction1(), QStringLiteral("taKliTooted"));
    row.setSelectSql("select KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID, TOOTENIMI from KLITOODE where KLITOODEID = 1");
    row.setModifySql("update KLITOODE set TOOTEGRID = :TOOTEGRID, TOOTEID = :TOOTEID where KLITOODEID = :OLD_KLITOODEID");
    row.open();
    row.edit();
    row.field("TOOTEGRID").setValue(QVariant());

    // By number: that product, directly.
    module->OnKoodNimiPaarSetText(row.field("TOOTENIMI"), "2");
    EXPECT_EQ(row.field("TOOTEID").asInt(), 2);
    EXPECT_EQ(row.field("TOOTEGRID").asInt(), 1); // the product's group comes with it
    // By whole name, in any letter case.
    row.field("TOOTEGRID").setValue(QVariant());
    module->OnKoodNimiPaarSetText(row.field("TOOTENIMI"), " sulearvuti pro ");
    EXPECT_EQ(row.field("TOOTEID").asInt(), 1);
    // A word contained in two names: the selection list with the two.
    row.field("TOOTEGRID").setValue(QVariant());
    QStringList shown;
    ui.expectRecordSelection("Tooted", true, 0, &shown, "TOOTENIMI");
    module->OnKoodNimiPaarSetText(row.field("TOOTENIMI"), "arvuti");
    EXPECT_EQ(shown, (QStringList{"Lauaarvuti", "Sulearvuti Pro"}));
    EXPECT_EQ(row.field("TOOTEID").asInt(), 2);
    EXPECT_EQ(row.field("TOOTENIMI").asString(), QStringLiteral("Lauaarvuti"));
    EXPECT_TRUE(ui.lastRecordChoice().filterMode);
    EXPECT_EQ(ui.lastRecordChoice().extraCondition, QStringLiteral("TOOTENIMI CONTAINING 'arvuti'"));
    EXPECT_EQ(ui.lastRecordChoice().filterOffCaption, QStringLiteral("&Näita kõiki"));
    EXPECT_EQ(ui.lastRecordChoice().currentKey, QStringLiteral("1")); // opened on the row's key
    EXPECT_EQ(module->dataSet("taTootedL")->recordCount(), 3);     // the look-up list is whole again
    // No match: the whole list is offered; cancelling leaves the row as it was.
    row.field("TOOTEGRID").setValue(QVariant());
    ui.expectRecordSelection("Tooted", false, 0, &shown, "TOOTENIMI");
    EXPECT_THROW(module->OnKoodNimiPaarSetText(row.field("TOOTENIMI"), "xyz"), data::Abort);
    EXPECT_EQ(shown.size(), 3);
    EXPECT_FALSE(ui.lastRecordChoice().filterMode);
    EXPECT_EQ(row.field("TOOTEID").asInt(), 2);
    // A product group set on the row restricts the look-up.
    row.field("TOOTEGRID").setValue(2);
    ui.expectRecordSelection("Tooted", false, 0, &shown, "TOOTENIMI");
    EXPECT_THROW(module->OnKoodNimiPaarSetText(row.field("TOOTENIMI"), "Lauaarvuti"), data::Abort);
    EXPECT_EQ(shown, (QStringList{"Kirjutuslaud"}));
    // Typed text cannot break the look-up statement.
    ui.expectRecordSelection("Tooted", false, 0);
    EXPECT_THROW(module->OnKoodNimiPaarSetText(row.field("TOOTENIMI"), "x' or 1=1 --"), data::Abort);
    // Empty text clears the key.
    module->OnKoodNimiPaarSetText(row.field("TOOTENIMI"), "  ");
    EXPECT_TRUE(row.field("TOOTEID").isNull());
    row.cancel();
}

TEST_F(TData1Test, SessionFiltersShowTheAgentsActiveClients)
{
    session.Level = 2;
    session.DefaultAgentFilter = true;
    module->SetSessionFilters();
    DataSet &clients = *module->taKliendid();
    clients.open();
    // Agent 7's active clients: client 1 and those added by other tests; client 3 is not active.
    EXPECT_EQ(clients.recordCount(), count("select count(*) from KLIENTK k join KLIAGENT a on a.KLIKOOD = k.KLIKOOD "
                                           "where a.AGENTKOOD = 7 and k.KLIENTAKTIIVNE = 'Y'"));
    EXPECT_TRUE(clients.locate("KLIKOOD", 1));
    EXPECT_FALSE(clients.locate("KLIKOOD", 3));
    EXPECT_FALSE(clients.locate("KLIKOOD", 2));
    QString value;
    EXPECT_TRUE(data::FindAtom(data::FilterFor(clients), "AgentKood", &value));
    EXPECT_EQ(value, QStringLiteral("7"));
    DataSet &agents = *module->taAgendid();
    agents.open();
    EXPECT_EQ(agents.recordCount(), 1); // below level 3 only the own agent
    for (const char *name : {"taAgendid", "taAgendidOmaL", "taTanasedKliKontaktid", "taKliendid", "taKontaktid",
                             "taKliKontaktIsikudKoond"})
        EXPECT_TRUE(module->dataSet(name)->isFiltered()) << name;
    EXPECT_FALSE(module->dataSet("taTooted")->isFiltered());
    DataSet &contacts = *module->taKontaktid();
    contacts.open();
    EXPECT_EQ(contacts.recordCount(), 2);

    // The preset filter of a dataset that a later window creates takes effect when it registers.
    DataSet offers(module->IBTransaction1(), QStringLiteral("taPakkumised"));
    offers.setSelectSql("select * from KONTAKT\norder by KONTAKTID\n");
    data::FilterFor(offers);
    EXPECT_TRUE(offers.selectSql().contains(QStringLiteral("AgentKood=7")));
}

TEST_F(TData1Test, HolidaysAndNetworkPaths)
{
    EXPECT_TRUE(module->IsHoliday(QDate(2026, 2, 24)));
    EXPECT_FALSE(module->IsHoliday(QDate(2026, 2, 25)));
    const QString abs = data::TData1::ToNetworkPath(QStringLiteral("docs/../leping.pdf"));
    EXPECT_TRUE(QFileInfo(abs).isAbsolute());
    EXPECT_TRUE(abs.endsWith(QStringLiteral("/leping.pdf")));
    EXPECT_FALSE(abs.contains(QStringLiteral("..")));
}

TEST_F(TData1Test, SharedFieldsTakeTypedTextByTheirRules)
{
    // Client 1 is agent 7's own: a level-2 user may change it.
    DataSet &clients = *module->taKliendid();
    clients.open();
    ASSERT_TRUE(clients.locate("KLIKOOD", 1));
    clients.edit();
    clients.field("KLIBOONUS").setText("jah");
    clients.field("KLIPYSI").setText("ei");
    clients.field("KLIMPAKKUMOK").setText("");
    clients.field("KLILISAMKUUP").setText("24-02-2026");
    const QString memo = QString(60, QLatin1Char('a')) + QStringLiteral("\r\n") + QString(60, QLatin1Char('b'));
    clients.field("KLIKOMMENT").setText(memo);
    clients.field("KLIKOODLAOS").setText("");
    clients.post();
    EXPECT_EQ(count("select count(*) from KLIENTK where KLIKOOD = 1 and KLIBOONUS = 'Y' and KLIPYSI = 'N' and "
                    "KLIMPAKKUMOK = 'N' and KLILISAMKUUP = '24.02.2026' and KLIKOODLAOS is null"),
              1);
    // A grid shows the memo's short form on one line; an edit gets all of it.
    EXPECT_EQ(clients.field("KLIKOMMENT").text(true), QString(60, QLatin1Char('a')) + QStringLiteral("  ") +
                                                            QString(35, QLatin1Char('b')) + QStringLiteral("..."));
    EXPECT_EQ(clients.field("KLIKOMMENT").text(false), memo);

    DataSet &contacts = *module->taKontaktid();
    contacts.open();
    ASSERT_TRUE(contacts.locate("KONTAKTID", 2));
    contacts.edit();
    contacts.field("KONTAKTKELL").setText("9.30");
    contacts.field("KONTAKTKELLKUNI").setText("");
    contacts.field("KONTAKTTOIMUS").setText("true");
    contacts.post();
    EXPECT_EQ(contacts.field("KONTAKTKELL").value().toTime(), QTime(9, 30));
    EXPECT_TRUE(contacts.field("KONTAKTKELLKUNI").text().isEmpty());
    EXPECT_EQ(count("select count(*) from KONTAKT where KONTAKTID = 2 and KONTAKTTOIMUS = 'Y' and KONTAKTKELL = '09:30'"), 1);

    // Names that must not be empty strings store null, so the required-name check catches them.
    session.Level = 3;
    DataSet &groups = *module->dataSet("taTooteGrupid");
    groups.open();
    groups.append();
    groups.field("TOOTEGRNIMI").setText("");
    EXPECT_TRUE(groups.field("TOOTEGRNIMI").isNull());
    EXPECT_THROW(groups.post(), data::DataError);
    groups.cancel();
}

TEST_F(TData1Test, ReferenceTablesCommitAndReloadTheirLists)
{
    session.Level = 3;
    DataSet &groups = *module->dataSet("taTooteGrupid");
    DataSet &groupList = *module->dataSet("taTooteGrupidL");
    groups.open();
    groupList.open();
    const int before = groupList.recordCount();
    groups.append();
    groups.field("TOOTEGRNIMI").setText("Kontoritarbed");
    groups.post();
    EXPECT_EQ(groupList.recordCount(), before + 1);
    // Further properties follow their group and take its code.
    DataSet &specs = *module->dataSet("taTooteLisa");
    specs.open();
    EXPECT_EQ(specs.recordCount(), 0);
    specs.append();
    specs.field("TOOTELISANIMI").setText("A4");
    specs.post();
    EXPECT_EQ(specs.field("TOOTEGRID").asInt(), groups.field("TOOTEGRID").asInt());
    ASSERT_TRUE(groups.locate("TOOTEGRID", 1));
    EXPECT_EQ(specs.recordCount(), 0);

    // Classifiers, positions, parameters and the own company are edited and committed too.
    for (const char *name : {"taKlassif1Gr", "taKlassif1", "taAmetid", "taParameetrid", "taOmaFirma", "taRiigid"})
        EXPECT_NO_THROW(module->dataSet(name)->open()) << name;
    DataSet &positions = *module->dataSet("taAmetid");
    positions.append();
    positions.field("AMET").setText("Juhataja");
    positions.post();
    DataSet &company = *module->dataSet("taOmaFirma");
    company.append();
    company.field("FIRNIMI").setText("Lumora OÜ");
    company.post();
    EXPECT_EQ(count("select count(*) from KAMETID where AMET = 'Juhataja'"), 1);
    EXPECT_EQ(count("select count(*) from OMAFIRMA"), 1);

    // An agent's history is changed at level 3 only.
    DataSet &agents = *module->taAgendid();
    agents.open();
    ASSERT_TRUE(agents.locate("AGENTKOOD", 7));
    DataSet &salary = *module->dataSet("taAgPohiPalk");
    salary.open();
    session.Level = 2;
    ui.expectMessage("Kasutajanivoo liiga madal !", "Lumora-Contact");
    EXPECT_THROW(salary.append(), data::Abort);
    session.Level = 3;
    salary.append();
    salary.field("PALGUSKUUP").setText("01.01.2026");
    salary.field("POHIPALK").setText("1500");
    salary.post();
    EXPECT_EQ(count("select count(*) from AGPPALK where AGENTKOOD = 7 and PALGUSKUUP = '01.01.2026'"), 1);

    // Parameters through the main data module.
    EXPECT_EQ(module->GetParameter("SMTPServerHost", "puudub"), QStringLiteral("puudub"));
    module->SetParameter("SMTPServerHost", "smtp.example.ee");
    EXPECT_EQ(module->GetParameter("SMTPServerHost"), QStringLiteral("smtp.example.ee"));
}

TEST_F(TData1Test, ClientDetailsFollowTheClientAndItsRules)
{
    exec("update KLIENTK set KLIOMVORM = 'AS' where KLIKOOD = 1");
    DataSet &clients = *module->taKliendid();
    clients.open();
    ASSERT_TRUE(clients.locate("KLIKOOD", 1));
    DataSet &classifiers = *module->dataSet("taKlassif1Kli");
    DataSet &documents = *module->dataSet("taKliendiDokum");
    DataSet &agents = *module->dataSet("taKliendiAgendid");
    DataSet &products = *module->dataSet("taTootedKliendil");
    for (DataSet *d : {&classifiers, &documents, &agents, &products})
        d->open();
    EXPECT_EQ(agents.recordCount(), 1);
    EXPECT_EQ(products.recordCount(), 1);
    EXPECT_EQ(products.field("TOOTENIMI").asString(), QStringLiteral("Kirjutuslaud"));

    classifiers.append();
    module->OnKoodNimiPaarSetText(classifiers.field("KL1GRNIMI"), "suurus");
    module->OnKoodNimiPaarSetText(classifiers.field("KL1NIMI"), "Suur");
    classifiers.post();
    EXPECT_EQ(classifiers.field("KL1NIMI").asString(), QStringLiteral("Suur"));
    EXPECT_EQ(count("select count(*) from KL1KLI where KLIKOOD = 1 and KL1GRID = 1 and KL1ID = 1"), 1);

    documents.append();
    documents.field("KLIDOKFILENAME").setText("lepingud/../leping.pdf");
    documents.post();
    EXPECT_TRUE(QFileInfo(documents.field("KLIDOKFILENAME").asString()).isAbsolute());
    EXPECT_EQ(documents.field("KLIDOKTYYP").asString(), QStringLiteral("file"));
    EXPECT_EQ(documents.field("KLIKOOD").asInt(), 1);

    // Another agent's client: its details are as closed to a level-2 user as the client itself.
    ASSERT_TRUE(clients.locate("KLIKOOD", 2));
    EXPECT_EQ(classifiers.recordCount(), 0);
    ui.expectMessage("Agendil lubatud muuta vaid oma kliente !", "Kliendid");
    EXPECT_THROW(documents.append(), data::Abort);
    ui.expectMessage("Agendil lubatud muuta vaid oma kliente !", "Kliendid");
    EXPECT_THROW(agents.append(), data::Abort);

    // Contacts show the client with its legal form.
    DataSet &contacts = *module->taKontaktid();
    contacts.open();
    ASSERT_TRUE(contacts.locate("KONTAKTID", 1));
    EXPECT_EQ(contacts.field("KLIENDINIMI").asString(), QStringLiteral("Balti Puit AS"));
    exec("update KLIENTK set KLIOMVORM = null where KLIKOOD = 1");
}

TEST_F(TData1Test, ClientRulesServeAnyDatasetOverClients)
{
    // A client card's own datasets: one client and its contact persons.
    DataSet card(module->IBTransaction1(), QStringLiteral("taKliendid"));
    card.setSelectSql("select KLIENTK.* from KLIENTK where KLIKOOD = :KLIKOOD");
    card.setParam("KLIKOOD", 2);
    card.setRefreshSql("select * from KLIENTK where KLIKOOD = :KLIKOOD");
    card.setInsertSql("insert into KLIENTK (KLIKOOD, KLINIMI, KLILISAMKUUP, KLITEL, KLITELTRIM) "
                      "values (:KLIKOOD, :KLINIMI, :KLILISAMKUUP, :KLITEL, :KLITELTRIM)");
    card.setModifySql("update KLIENTK set KLINIMI = :KLINIMI, KLITEL = :KLITEL, KLITELTRIM = :KLITELTRIM "
                      "where KLIKOOD = :OLD_KLIKOOD");
    card.setDeleteSql("delete from KLIENTK where KLIKOOD = :OLD_KLIKOOD");
    module->AttachClientRules(card);
    data::DataSource cardSource(&card);
    DataSet persons(module->IBTransaction1(), QStringLiteral("taKliKontaktIsikud"));
    persons.setSelectSql("select * from KLIKISIK where KLIKOOD = :KLIKOOD");
    persons.setInsertSql("insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, KISIKTELTRIM) "
                         "values (:KLIKISIKKOOD, :KLIKOOD, :KONTAKTISIKNIMI, :KONTAKTISIKTEL, :KISIKTELTRIM)");
    persons.setGenerator("KLIKISIKKOOD", "KLIKISIK_KLIKISIKKOOD_GEN");
    persons.setMasterSource(&cardSource);
    module->AttachContactPersonRules(persons);
    card.open();
    persons.open();

    session.Level = 2;
    ui.expectMessage("Agendil lubatud muuta vaid oma kliente !", "Kliendid");
    EXPECT_THROW(card.edit(), data::Abort);
    ui.expectMessage("Agendil lubatud muuta vaid oma kliente !", "Kliendid");
    EXPECT_THROW(persons.append(), data::Abort);
    session.Level = 3;
    // The module's own client list stands elsewhere: the card's client is the one that counts.
    module->taKliendid()->open();
    ASSERT_TRUE(module->taKliendid()->locate("KLIKOOD", 1));
    persons.append();
    persons.field("KONTAKTISIKNIMI").setText("Jüri Kask");
    persons.field("KONTAKTISIKTEL").setText("0 5123-456");
    persons.post();
    EXPECT_EQ(count("select count(*) from KLIKISIK where KLIKOOD = 2 and KONTAKTISIKNIMI = 'Jüri Kask' and "
                    "KISIKTELTRIM = '5123456'"),
              1);

    // A new client through the card: its code is known to the rules after the post, and the user's
    // agent becomes responsible for it.
    int pendingAfterPost = -1;
    card.afterPost.insert(card.afterPost.begin(), [&](DataSet &) { pendingAfterPost = module->PendingNewClientCode(); });
    card.append();
    ui.expectQuestion("Klient 'tartu kivi' on juba olemas, tühistame ja näitame olemasolevat ?", "Kliendid", Answer::No);
    EXPECT_THROW(card.field("KLINIMI").setText("tartu kivi"), data::Abort);
    card.field("KLINIMI").setText("Kaardi Klient");
    card.field("KLITEL").setText("+372 600 0000");
    card.post();
    const qint64 code = card.field("KLIKOOD").asInt();
    EXPECT_EQ(pendingAfterPost, code);
    EXPECT_EQ(module->PendingNewClientCode(), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIAGENT where KLIKOOD = %1 and AGENTKOOD = 7 and "
                                   "AGENTVASTUTAV = 'Y'").arg(code)),
              1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIENTK where KLIKOOD = %1 and KLITELTRIM = '3726000000'").arg(code)), 1);
}

TEST_F(TData1Test, LegalFormsAreLookedUpByTheirTextKey)
{
    session.Level = 5;
    DataSet &clients = *module->taKliendid();
    clients.open();
    ASSERT_TRUE(clients.locate("KLIKOOD", 2));
    clients.edit();
    // "5" is a legal form's abbreviation, not a row number.
    clients.field("KLIOMVORM").setText("5");
    EXPECT_EQ(clients.field("KLIOMVORM").asString(), QStringLiteral("5"));
    clients.field("KLIOMVORM").setText("as");
    EXPECT_EQ(clients.field("KLIOMVORM").asString(), QStringLiteral("AS"));
    clients.cancel();
}

TEST_F(TData1Test, TranslatedTextsFollowTheLanguage)
{
    EXPECT_EQ(module->JahText, QStringLiteral("Jah"));
    SetMessageTranslations({{QStringLiteral("Jah"), QStringLiteral("Yes")},
                            {QStringLiteral("&Näita kõiki"), QStringLiteral("&Show all")},
                            {QStringLiteral("Kalender"), QStringLiteral("Calendar")}});
    const auto restore = qScopeGuard([] { SetMessageTranslations({}); });
    EXPECT_EQ(module->JahText, QStringLiteral("Yes"));
    EXPECT_EQ(module->EiText, QStringLiteral("Ei"));
    EXPECT_EQ(module->KalenderText, QStringLiteral("Calendar"));

    session.Level = 5;
    DataSet row(module->IBTransaction1(), QStringLiteral("taKliTooted"));
    row.setSelectSql("select KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID, TOOTENIMI from KLITOODE where KLITOODEID = 1");
    row.setModifySql("update KLITOODE set TOOTEGRID = :TOOTEGRID, TOOTEID = :TOOTEID where KLITOODEID = :OLD_KLITOODEID");
    row.open();
    row.edit();
    row.field("TOOTEGRID").setValue(QVariant());
    ui.expectRecordSelection("Tooted", true, 0);
    module->OnKoodNimiPaarSetText(row.field("TOOTENIMI"), "arvuti");
    EXPECT_EQ(ui.lastRecordChoice().filterOffCaption, QStringLiteral("&Show all"));
    row.cancel();

    // The dataset layer's own refusals speak the language too.
    SetMessageTranslations({{QStringLiteral("Field '%1' must have a value"), QStringLiteral("Value of '%1' is required")}});
    DataSet &groups = *module->dataSet("taTooteGrupid");
    groups.open();
    groups.append();
    try {
        groups.post();
        ADD_FAILURE() << "a group without a name was posted";
    } catch (const data::DataError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Value of 'TOOTEGRNIMI' is required"));
    }
    groups.cancel();

    SetMessageTranslations({});
    EXPECT_EQ(module->JahText, QStringLiteral("Jah"));
}

TEST_F(TData1Test, PhoneSearchIsRebuiltOverEveryClientAndPersonOnce)
{
    exec("update or insert into KLIENTK (KLIKOOD, KLINIMI, KLITEL, KLITELTRIM, KLITEL2, KLITEL2TRIM, KLIENTAKTIIVNE) "
         "values (301, 'Vale Number', '0-512', '999', null, '1', 'N') matching (KLIKOOD)");
    exec("update or insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, KISIKTELTRIM, "
         "KISIKTEL2TRIM) values (301, 2, 'Jaan Vale', '+372 (0)5 12', null, null) matching (KLIKISIKKOOD)");
    // The session's filters narrow the shared client list; the rebuild is not narrowed by them.
    session.DefaultAgentFilter = true;
    module->SetSessionFilters();
    int lastDone = 0, lastTotal = -1;
    const int written = module->RebuildPhoneSearch([&](int done, int total) {
        lastDone = done;
        lastTotal = total;
    });
    EXPECT_GE(written, 2);
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(count("select count(*) from KLIENTK where KLIKOOD = 301 and KLITELTRIM = '512' and KLITEL2TRIM is null"), 1);
    EXPECT_EQ(count("select count(*) from KLIKISIK where KLIKISIKKOOD = 301 and KISIKTELTRIM = '3720512' and "
                    "KISIKTEL2TRIM = ''"),
              1);
    EXPECT_EQ(count("select count(*) from KLIENTK where KLITEL is null and KLITELTRIM is not null"), 0);
    // Nothing left to change: a second run writes nothing.
    EXPECT_EQ(module->RebuildPhoneSearch(), 0);
}

TEST_F(TData1Test, DiallingGoesThroughTheOutsideLineAndTheUsersDialler)
{
    try {
        module->DialNumber("  ", "Mari");
        ADD_FAILURE() << "an empty number was dialled";
    } catch (const data::DataError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Telefoninumber väärtustamata !"));
    }
    module->SetParameter("DialerOutsideLineAccess", "0");
    // The number as stored, with whatever it holds: the dialler takes it as one argument.
    module->DialNumber("5 12; rm -rf ~", "Mari Tamm");
    ASSERT_EQ(ui.dialled().size(), 1);
    EXPECT_EQ(ui.dialled().first(), qMakePair(QStringLiteral("05 12; rm -rf ~"), QStringLiteral("Mari Tamm")));
    module->SetParameter("DialerOutsideLineAccess", "");
}

} // namespace
