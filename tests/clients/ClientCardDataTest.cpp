// The client card's data module on a real database: the pool, the pages and their filters, the rights,
// saving and deleting, and the documents.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ClientCardFixture.h"
#include "clients/TdmKlientEdit1.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/ProgramParameters.h"
#include "fb/FbError.h"

using data::DataSet;
using Answer = data::UserInterface::Answer;

namespace {

class ClientCardData : public ClientCardFixture
{
protected:
    TdmKlientEdit1 *openCard(int code, QObject *card)
    {
        TdmKlientEdit1 *m = TdmKlientEdit1::Acquire(*module, card);
        EXPECT_TRUE(m->OpenClient(code));
        return m;
    }
    static QStringList column(DataSet &ds, const char *field)
    {
        QStringList values;
        if (!ds.isActive())
            return values;
        for (int r = 0; r < ds.recordCount(); ++r)
            values << ds.textAt(r, ds.field(QString::fromLatin1(field)).index(), false);
        return values;
    }
    QObject cardA, cardB;
};

TEST_F(ClientCardData, NewClientsAgentRowIsWrittenWithTheClientOrNotAtAll)
{
    // The session's agent is unknown to the database: its row cannot be written, and then neither
    // may the client be, or its level-2 creator could never change it.
    session.AgentCode = 99;
    DataSet &clients = *module->taKliendid();
    clients.open();
    clients.append();
    clients.field("KLINIMI").setText("Orb Klient");
    EXPECT_THROW(clients.post(), fb::FbError);
    EXPECT_EQ(committedCount("select count(*) from KLIENTK where KLINIMI = 'Orb Klient'"), 0);
    EXPECT_EQ(count("select count(*) from KLIENTK where KLINIMI = 'Orb Klient'"), 0);

    // The same from a card.
    TdmKlientEdit1 *card = TdmKlientEdit1::Acquire(*module, &cardA);
    card->OpenNew();
    card->taKlient()->field("KLINIMI").setText("Orb Kaardilt");
    EXPECT_THROW(card->taKlient()->post(), fb::FbError);
    EXPECT_EQ(committedCount("select count(*) from KLIENTK where KLINIMI = 'Orb Kaardilt'"), 0);
    card->Release();
}

TEST_F(ClientCardData, NewClientGetsExactlyOneAgentRowAndNoneWithoutAnAgent)
{
    TdmKlientEdit1 *card = TdmKlientEdit1::Acquire(*module, &cardA);
    card->OpenNew();
    EXPECT_EQ(card->Caption(), QStringLiteral("Uus klient -  "));
    card->taKlient()->field("KLINIMI").setText("  Uus Firma ");
    EXPECT_EQ(card->taKlient()->field("KLILISAMKUUP").asDate(), QDate::currentDate());
    EXPECT_EQ(card->taKlient()->field("KLIENTAKTIIVNE").asString(), "Y");
    card->taKlient()->post();
    const int code = card->ClientCode();
    EXPECT_GE(code, 100);
    EXPECT_FALSE(card->IsNew());
    EXPECT_EQ(card->Caption(), QStringLiteral("Klient - Uus Firma "));
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from KLIAGENT where KLIKOOD = %1 and AGENTKOOD = 7 "
                                            "and AGENTVASTUTAV = 'Y'")
                                 .arg(code)),
              1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIAGENT where KLIKOOD = %1").arg(code)), 1);
    // The agents page shows it.
    EXPECT_EQ(column(*card->taKliendiAgendid(), "AGENTKOOD"), QStringList{"7"});
    card->Release();

    session.AgentCode = 0;
    card = TdmKlientEdit1::Acquire(*module, &cardA);
    card->OpenNew();
    card->taKlient()->field("KLINIMI").setText("Agendita Firma");
    card->taKlient()->post();
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIAGENT where KLIKOOD = %1").arg(card->ClientCode())), 0);
    card->Release();
}

TEST_F(ClientCardData, DeletingFromACardTakesTheClientOutOfTheOpenClientList)
{
    exec("insert into KLIENTK (KLIKOOD, KLINIMI) values (60, 'Lahkuv')");
    exec("insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (60, 7)");
    DataSet &list = *module->taKliendid();
    list.open();
    ASSERT_TRUE(list.locate("KLIKOOD", 60));
    list.first();

    TdmKlientEdit1 *card = openCard(60, &cardA);
    ui.expectQuestion("Kustutame aktiivse kliendi ?", "Kliendid", Answer::Yes);
    card->taKlient()->remove();
    EXPECT_EQ(committedCount("select count(*) from KLIENTK where KLIKOOD = 60"), 0);
    EXPECT_FALSE(list.locate("KLIKOOD", 60));
    card->Release();
}

TEST_F(ClientCardData, DeletingAClientWithContactsPlansOrSalesIsRefusedByTheDatabase)
{
    session.Level = 3;
    DataSet &list = *module->taKliendid();
    list.open();
    for (int code : {3, 4, 5}) {
        TdmKlientEdit1 *card = openCard(code, &cardA);
        ui.expectQuestion("Kustutame aktiivse kliendi ?", "Kliendid", Answer::Yes);
        EXPECT_THROW(card->taKlient()->remove(), fb::FbError) << code;
        EXPECT_EQ(committedCount(QStringLiteral("select count(*) from KLIENTK where KLIKOOD = %1").arg(code)), 1);
        EXPECT_EQ(committedCount(QStringLiteral("select count(*) from KLIAGENT where KLIKOOD = %1").arg(code)), 1);
        EXPECT_FALSE(card->taKlient()->isEmpty());
        EXPECT_TRUE(list.locate("KLIKOOD", code));
        card->Release();
    }
    // Contact persons, agents and the like go with the client.
    TdmKlientEdit1 *card = openCard(6, &cardA);
    ui.expectQuestion("Kustutame aktiivse kliendi ?", "Kliendid", Answer::Yes);
    card->taKlient()->remove();
    EXPECT_EQ(committedCount("select count(*) from KLIENTK where KLIKOOD = 6"), 0);
    EXPECT_EQ(committedCount("select count(*) from KLIKISIK where KLIKOOD = 6"), 0);
    EXPECT_FALSE(list.locate("KLIKOOD", 6));
    card->Release();
}

TEST_F(ClientCardData, PooledModuleShowsTheNextClientOnEveryPage)
{
    TdmKlientEdit1 *a = openCard(1, &cardA);
    for (int page = 0; page < TdmKlientEdit1::PageCount; ++page)
        a->PageShown(page);
    EXPECT_EQ(column(*a->taKliKontaktIsikud(), "KONTAKTISIKNIMI"), (QStringList{"Mari Maasikas", "Vana Isik"}));
    EXPECT_EQ(column(*a->taKlassif1Kli(), "KL1NIMI"), (QStringList{"Suur", "Ehitus"}));
    a->Release();
    EXPECT_FALSE(a->taKlient()->isActive());
    EXPECT_FALSE(a->taKliKontaktIsikud()->isActive());
    const size_t poolSize = module->ClientCardModules().size();

    TdmKlientEdit1 *b = openCard(5, &cardB);
    EXPECT_EQ(b, a);
    EXPECT_EQ(module->ClientCardModules().size(), poolSize);
    for (int page = 0; page < TdmKlientEdit1::PageCount; ++page) {
        b->PageShown(page);
        DataSet &ds = *b->pageDataSet(page);
        ASSERT_TRUE(ds.isActive()) << page;
        for (int r = 0; r < ds.recordCount(); ++r)
            EXPECT_EQ(ds.valueAt(r, ds.field("KLIKOOD").index()).toInt(), 5) << page;
    }
    EXPECT_EQ(column(*b->taKliPerMyyk(), "PERMYYKSUMMA"), QStringList{"100.00"});
    EXPECT_EQ(b->Caption(), QStringLiteral("Klient - Müügiga "));
    b->Release();
}

TEST_F(ClientCardData, TwoCardsKeepTheirOwnRowsAndFiltersApartFromTheMainModule)
{
    DataSet &mainPersons = *module->taKliKontaktIsikud();
    DataSet &mainClients = *module->taKliendid();
    mainClients.open();
    ASSERT_TRUE(mainClients.locate("KLIKOOD", 2));
    mainPersons.open();
    TdmKlientEdit1 *a = openCard(1, &cardA);
    TdmKlientEdit1 *b = openCard(2, &cardB);
    ASSERT_NE(a, b);
    a->SetActivePersonsOnly(true);
    EXPECT_EQ(column(*a->taKliKontaktIsikud(), "KONTAKTISIKNIMI"), QStringList{"Mari Maasikas"});
    EXPECT_EQ(column(*b->taKliKontaktIsikud(), "KONTAKTISIKNIMI"), QStringList{"Jaan Saar"});
    EXPECT_EQ(column(mainPersons, "KONTAKTISIKNIMI"), QStringList{"Jaan Saar"});
    EXPECT_EQ(b->taKliKontaktIsikud()->selectSql().contains("KONTAKTISIKAKTIIVNE"), false);

    // A person added on one card is that card's client's.
    a->taKliKontaktIsikud()->append();
    a->taKliKontaktIsikud()->field("KONTAKTISIKNIMI").setText("Uus Isik");
    a->taKliKontaktIsikud()->post();
    EXPECT_EQ(count("select KLIKOOD from KLIKISIK where KONTAKTISIKNIMI = 'Uus Isik'"), 1);
    EXPECT_EQ(column(*b->taKliKontaktIsikud(), "KONTAKTISIKNIMI"), QStringList{"Jaan Saar"});
    // The state is the session's: the next card opens with it.
    a->Release();
    b->Release();
    TdmKlientEdit1 *c = openCard(1, &cardA);
    EXPECT_EQ(column(*c->taKliKontaktIsikud(), "KONTAKTISIKNIMI"), (QStringList{"Mari Maasikas", "Uus Isik"}));
    c->SetActivePersonsOnly(false);
    c->Release();
    exec("delete from KLIKISIK where KONTAKTISIKNIMI = 'Uus Isik'");
}

TEST_F(ClientCardData, UnknownCodeIsSaidAndThePoolDoesNotGrow)
{
    const size_t before = module->ClientCardModules().size();
    TdmKlientEdit1 *card = TdmKlientEdit1::Acquire(*module, &cardA);
    ui.expectMessage("Ei leia klienti '4711' !", "Viga");
    EXPECT_FALSE(card->OpenClient(4711));
    card->Release(true);
    EXPECT_EQ(module->ClientCardModules().size(), before);
}

TEST_F(ClientCardData, PastContactsFollowTheirFiltersAndAreReadAgainWhenShown)
{
    TdmKlientEdit1 *card = openCard(1, &cardA);
    card->SetContactFilters(false, false);
    card->PageShown(TdmKlientEdit1::Contacts);
    EXPECT_EQ(column(*card->taKontaktidKliendil(), "KONTAKTTEEMA"), (QStringList{"Teise kõne", "Oma kõne"}));
    card->PageShown(TdmKlientEdit1::Main);
    EXPECT_FALSE(card->taKontaktidKliendil()->isActive());
    card->SetContactFilters(true, false);
    exec("insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTEEMA) "
         "values (50, 7, 1, '05.11.2026', 1, 'Vahepeal')");
    card->PageShown(TdmKlientEdit1::Contacts);
    EXPECT_EQ(column(*card->taKontaktidKliendil(), "KONTAKTTEEMA"), (QStringList{"Vahepeal", "Oma kõne"}));
    session.ActiveProjectId = 1;
    card->SetContactFilters(true, true);
    EXPECT_EQ(card->ContactsCondition(), QStringLiteral("(ProjID=1) AND (AgentKood=7)"));
    EXPECT_EQ(column(*card->taKontaktidKliendil(), "KONTAKTTEEMA"), QStringList{"Oma kõne"});

    // Without an agent of the session "own only" narrows nothing, as on the plans page.
    session.AgentCode = 0;
    session.ActiveProjectId = 0;
    card->SetContactFilters(true, false);
    card->SetOwnPlansOnly(true);
    EXPECT_EQ(card->ContactsCondition(), QString());
    EXPECT_EQ(column(*card->taKontaktidKliendil(), "KONTAKTTEEMA"),
              (QStringList{"Vahepeal", "Teise kõne", "Oma kõne"}));
    EXPECT_EQ(column(*card->taKliJargmKontaktid(), "JKONTAKTTEEMA"), (QStringList{"Oma plaan", "Teise plaan"}));
    session.AgentCode = 7;
    card->SetOwnPlansOnly(true);
    EXPECT_EQ(column(*card->taKliJargmKontaktid(), "JKONTAKTTEEMA"), QStringList{"Oma plaan"});
    // A plan made elsewhere shows once the card hears of it.
    exec("insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTLIIK, JKONTAKTTEEMA) "
         "values (50, 1, 7, '04.12.2026', 1, 'Uus plaan')");
    EXPECT_EQ(column(*card->taKliJargmKontaktid(), "JKONTAKTTEEMA"), QStringList{"Oma plaan"});
    card->RefreshContactPages();
    EXPECT_EQ(column(*card->taKliJargmKontaktid(), "JKONTAKTTEEMA"), (QStringList{"Oma plaan", "Uus plaan"}));
    exec("delete from KLIJKONT where JKONTAKTID = 50");
    card->SetOwnPlansOnly(false);
    card->SetContactFilters(false, false);
    card->Release();
    exec("delete from KONTAKT where KONTAKTID = 50");
}

// What a user of a level may do with an own and another agent's client.
TEST_F(ClientCardData, RightsByLevelOnOwnAndOtherClients)
{
    const QString caption = QStringLiteral("Lumora-Contact");
    const QString notOwn = QStringLiteral("Agendil lubatud muuta vaid oma kliente !");
    const QString noDelete = QStringLiteral("Kliendi kustutamine keelatud !");
    const QString ownRows = QStringLiteral("Agendil lubatud muuta vaid oma andmeid !");
    const QString nameLocked = QStringLiteral("Veergu 'Nimi' keelatud muuta !");
    const QString codeLocked = QStringLiteral("Veergu 'Kood' keelatud muuta !");
    // Expected message per action (empty: allowed); "?" for delete means the question comes.
    struct Row
    {
        int level;
        bool own;
        QString edit, rename, code, remove, person, otherAgent;
    };
    const QString ask = QStringLiteral("?");
    const std::vector<Row> rows = {
        {0, true, {}, nameLocked, codeLocked, noDelete, {}, ownRows},
        {0, false, notOwn, notOwn, notOwn, noDelete, notOwn, notOwn},
        {1, true, {}, nameLocked, codeLocked, noDelete, {}, ownRows},
        {1, false, notOwn, notOwn, notOwn, noDelete, notOwn, notOwn},
        {2, true, {}, {}, codeLocked, ask, {}, ownRows},
        {2, false, notOwn, notOwn, notOwn, notOwn, notOwn, notOwn},
        {3, true, {}, {}, {}, ask, {}, {}},
        {3, false, {}, {}, {}, ask, {}, {}},
        {5, true, {}, {}, {}, ask, {}, {}},
        {5, false, {}, {}, {}, ask, {}, {}},
    };
    exec("insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (2, 4)");
    for (const Row &r : rows) {
        SCOPED_TRACE(QStringLiteral("level %1 %2").arg(r.level).arg(r.own ? "own" : "other").toStdString());
        session.Level = r.level;
        const int code = r.own ? 1 : 2;
        const int otherAgent = r.own ? 3 : 4;
        TdmKlientEdit1 *card = openCard(code, &cardA);
        DataSet &client = *card->taKlient();
        auto attempt = [&](const QString &expected, const QString &expectedCaption,
                           const std::function<void()> &action) {
            if (expected.isEmpty()) {
                EXPECT_NO_THROW(action());
            } else {
                ui.expectMessage(expected, expectedCaption);
                EXPECT_THROW(action(), data::Abort);
            }
        };
        attempt(r.edit, "Kliendid", [&] { client.edit(); });
        client.cancel();
        attempt(r.rename, r.rename == notOwn ? "Kliendid" : caption, [&] {
            if (!client.isEditing())
                client.edit();
            client.field("KLINIMI").setText(r.own ? "Oma Klient Uus" : "Võõras Klient Uus");
        });
        client.cancel();
        attempt(r.code, r.code == notOwn ? "Kliendid" : caption, [&] {
            if (!client.isEditing())
                client.edit();
            client.field("KLIKOOD").setValue(r.own ? 901 : 902);
        });
        client.cancel();
        EXPECT_EQ(card->CanDelete(true), r.remove == ask || r.remove.isEmpty());
        if (r.remove == ask) {
            ui.expectQuestion("Kustutame aktiivse kliendi ?", "Kliendid", Answer::No);
            EXPECT_THROW(client.remove(), data::Abort);
        } else {
            attempt(r.remove, "Kliendid", [&] { client.remove(); });
        }
        attempt(r.person, "Kliendid", [&] { card->taKliKontaktIsikud()->append(); });
        card->taKliKontaktIsikud()->cancel();
        DataSet &agents = *card->taKliendiAgendid();
        ASSERT_TRUE(agents.locate("AGENTKOOD", otherAgent));
        attempt(r.otherAgent, "Kliendid", [&] { agents.remove(); });
        if (r.otherAgent.isEmpty())
            exec(QStringLiteral("insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (%1, %2)").arg(code).arg(otherAgent));
        EXPECT_EQ(count(QStringLiteral("select count(*) from KLIENTK where KLIKOOD in (1, 2)")), 2);
        card->Release();
    }
}

TEST_F(ClientCardData, LevelTwoMayAddAnAgentRowToAnOwnClientButNotChangeAnother)
{
    TdmKlientEdit1 *card = openCard(1, &cardA);
    DataSet &agents = *card->taKliendiAgendid();
    agents.append();
    agents.field("AGENTKOOD").setValue(5);
    agents.post();
    EXPECT_EQ(count("select count(*) from KLIAGENT where KLIKOOD = 1 and AGENTKOOD = 5"), 1);
    ASSERT_TRUE(agents.locate("AGENTKOOD", 3));
    ui.expectMessage("Agendil lubatud muuta vaid oma andmeid !", "Kliendid");
    EXPECT_THROW(agents.edit(), data::Abort);
    // The card's client decides, not the main module's current client.
    DataSet &list = *module->taKliendid();
    list.open();
    ASSERT_TRUE(list.locate("KLIKOOD", 2));
    ASSERT_TRUE(agents.locate("AGENTKOOD", 7));
    agents.edit();
    agents.field("AGENTVASTUTAV").setText("N");
    agents.post();
    agents.edit();
    agents.field("AGENTVASTUTAV").setText("J");
    agents.post();
    ASSERT_TRUE(agents.locate("AGENTKOOD", 5));
    ui.expectMessage("Agendil lubatud muuta vaid oma andmeid !", "Kliendid");
    EXPECT_THROW(agents.remove(), data::Abort);
    exec("delete from KLIAGENT where KLIKOOD = 1 and AGENTKOOD = 5");
    card->Release();
}

TEST_F(ClientCardData, TelephoneSearchColumnsFollowTheNumbers)
{
    TdmKlientEdit1 *card = openCard(1, &cardA);
    DataSet &client = *card->taKlient();
    // Punctuation alone: the search column is not written.
    exec("update KLIENTK set KLITELTRIM = 'kept' where KLIKOOD = 1");
    client.refresh();
    client.edit();
    client.field("KLITEL").setText("05 123 456");
    client.post();
    EXPECT_EQ(one("select KLITELTRIM from KLIENTK where KLIKOOD = 1").toString(), "5123456");
    exec("update KLIENTK set KLITELTRIM = '5123456' where KLIKOOD = 1");
    client.refresh();
    client.edit();
    client.field("KLITEL").setText("(05) 123-456");
    EXPECT_EQ(client.field("KLITELTRIM").asString(), "5123456");
    client.post();
    EXPECT_EQ(one("select KLITEL from KLIENTK where KLIKOOD = 1").toString(), "(05) 123-456");
    // Cleared: the search column is null.
    client.edit();
    client.field("KLITEL").setText("");
    client.field("KLITEL2").setText("6 222 333");
    client.post();
    EXPECT_TRUE(one("select KLITELTRIM from KLIENTK where KLIKOOD = 1").isNull());
    EXPECT_EQ(one("select KLITEL2TRIM from KLIENTK where KLIKOOD = 1").toString(), "6222333");
    client.edit();
    client.field("KLITEL").setText("(0)5 123-456");
    client.field("KLITEL2").setText("");
    client.post();
    EXPECT_EQ(one("select KLITELTRIM from KLIENTK where KLIKOOD = 1").toString(), "5123456");
    EXPECT_TRUE(one("select KLITEL2TRIM from KLIENTK where KLIKOOD = 1").isNull());
    card->Release();
}

TEST_F(ClientCardData, DuplicateNameIsAskedAboutBothWaysButNotForTheOwnName)
{
    session.Level = 3;
    TdmKlientEdit1 *card = openCard(1, &cardA);
    DataSet &client = *card->taKlient();
    client.edit();
    // The own name in another case asks nothing.
    client.field("KLINIMI").setText("OMA KLIENT");
    EXPECT_EQ(client.field("KLINIMI").asString(), "OMA KLIENT");
    // No keeps the previous value.
    ui.expectQuestion("Klient 'võõras klient' on juba olemas, tühistame ja näitame olemasolevat ?", "Kliendid",
                      Answer::No);
    EXPECT_THROW(client.field("KLINIMI").setText(" võõras klient "), data::Abort);
    EXPECT_EQ(client.field("KLINIMI").asString(), "OMA KLIENT");
    client.cancel();
    card->Release();

    // Yes on a new card drops the row, asks the card to close and opens the existing client.
    card = TdmKlientEdit1::Acquire(*module, &cardA);
    card->OpenNew();
    int closeRequests = 0;
    QObject::connect(card, &TdmKlientEdit1::closeRequested, [&] { ++closeRequests; });
    ui.expectQuestion("Klient 'Võõras Klient' on juba olemas, tühistame ja näitame olemasolevat ?", "Kliendid",
                      Answer::Yes);
    EXPECT_THROW(card->taKlient()->field("KLINIMI").setText("Võõras Klient"), data::Abort);
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(mainWindow.openedCards, (QList<QPair<int, int>>{{2, 0}}));
    card->Release();
    QObject::disconnect(card, nullptr, nullptr, nullptr);
}

TEST_F(ClientCardData, CountryProductAndClassifierChangesClearWhatDependsOnThem)
{
    session.Level = 3;
    TdmKlientEdit1 *card = openCard(1, &cardA);
    DataSet &client = *card->taKlient();
    client.edit();
    client.field("RIIGINIMI").setText("Läti");
    EXPECT_EQ(client.field("RIIKID").asInt(), 2);
    EXPECT_TRUE(client.field("LINNVALDKOOD").isNull());
    EXPECT_TRUE(client.field("LINNVALDNIMI").isNull());
    client.cancel();

    card->PageShown(TdmKlientEdit1::Products);
    DataSet &products = *card->taTootedKliendil();
    products.edit();
    products.field("TOOTEGRNIMI").setText("Mööbel");
    EXPECT_EQ(products.field("TOOTEGRID").asInt(), 2);
    EXPECT_TRUE(products.field("TOOTEID").isNull());
    products.field("TOOTENIMI").setText("Kirjutuslaud");
    EXPECT_EQ(products.field("TOOTEID").asInt(), 2);
    products.cancel();

    card->PageShown(TdmKlientEdit1::Classifiers);
    DataSet &classifiers = *card->taKlassif1Kli();
    card->SetClassifierGroup(2);
    EXPECT_EQ(column(classifiers, "KL1NIMI"), QStringList{"Ehitus"});
    card->SetClassifierGroup(0);
    classifiers.first();
    classifiers.edit();
    classifiers.field("KL1GRNIMI").setText("Valdkond");
    EXPECT_TRUE(classifiers.field("KL1ID").isNull());
    EXPECT_TRUE(classifiers.field("KL1NIMI").isNull());
    classifiers.cancel();
    card->Release();
}

TEST_F(ClientCardData, SalesTakeTheAgentAndProjectAndAnEndDate)
{
    session.ActiveProjectId = 1;
    session.ActiveProjectName = QStringLiteral("Kevad");
    TdmKlientEdit1 *card = openCard(5, &cardA);
    card->PageShown(TdmKlientEdit1::Sales);
    DataSet &sales = *card->taKliPerMyyk();
    sales.append();
    EXPECT_EQ(sales.field("AGENTKOOD").asInt(), 7);
    EXPECT_EQ(sales.field("PROJID").asInt(), 1);
    EXPECT_EQ(sales.field("PARITOLU").asInt(), 0);
    sales.field("PERALGUS").setText("01.02.2026");
    sales.field("PERMYYKSUMMA").setText("250");
    sales.post();
    EXPECT_EQ(one("select PERLOPP from PERMYYK where KLIKOOD = 5 and PERALGUS = '01.02.2026'").toDate(),
              QDate(2026, 2, 1));
    exec("delete from PERMYYK where KLIKOOD = 5 and PERALGUS = '01.02.2026'");
    card->Release();
}

TEST_F(ClientCardData, DocumentsAreStoredUnderTheRootAndOpenedSafely)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("docs/a"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("docs2"));
    const QString root = dir.path() + "/docs";
    for (const QString &f : {root + "/a/b.pdf", dir.path() + "/docs2/c.pdf"}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(module->SetParameter(QString::fromLatin1(ProgramParameters::DocumentsRootDirectory), root + "/"));

    TdmKlientEdit1 *card = openCard(1, &cardA);
    EXPECT_EQ(card->StoreDocumentPath(root + "/a/b.pdf", "file"), QStringLiteral("a/b.pdf"));
    EXPECT_EQ(card->StoreDocumentPath(dir.path() + "/docs2/c.pdf", ""), dir.path() + "/docs2/c.pdf");
    EXPECT_EQ(card->StoreDocumentPath("a/b.pdf", "file"), QStringLiteral("a/b.pdf"));
    EXPECT_EQ(card->StoreDocumentPath("https://oma.ee/x", "web"), QStringLiteral("https://oma.ee/x"));
    EXPECT_EQ(card->ResolveDocumentPath("a/b.pdf", "file"), root + "/a/b.pdf");
    EXPECT_EQ(card->ResolveDocumentPath("", "file"), root + "/");
    EXPECT_EQ(TdmKlientEdit1::JoinPath("\\\\srv\\docs\\", "\\a\\b.pdf"), QStringLiteral("\\\\srv\\docs\\a\\b.pdf"));
    EXPECT_EQ(TdmKlientEdit1::JoinPath("/x/docs", "a.pdf"), QStringLiteral("/x/docs/a.pdf"));
    EXPECT_TRUE(TdmKlientEdit1::IsFullPath("C:\\a.pdf"));
    EXPECT_TRUE(TdmKlientEdit1::IsFullPath("/a.pdf"));
    EXPECT_FALSE(TdmKlientEdit1::IsFullPath("a\\b.pdf"));

    card->PageShown(TdmKlientEdit1::Documents);
    DataSet &docs = *card->taKliendiDokum();
    docs.append();
    EXPECT_EQ(docs.field("KLIDOKTYYP").asString(), "file");
    docs.field("KLIDOKFILENAME").setText(root + "/a/b.pdf");
    docs.post();
    EXPECT_EQ(one("select KLIDOKFILENAME from KLIDOKUM where KLIKOOD = 1 and KLIDOKTYYP = 'file'").toString(),
              "a/b.pdf");
    card->OpenCurrentDocument();
    EXPECT_EQ(ui.openedDocuments(), QStringList{root + "/a/b.pdf"});
    // Mail takes the file along.
    card->SendEMail(false, true);
    ASSERT_EQ(ui.composedMails().size(), 1);
    EXPECT_EQ(ui.composedMails().first().attachments, QStringList{root + "/a/b.pdf"});
    EXPECT_EQ(ui.composedMails().first().address, "info@oma.ee");
    EXPECT_EQ(ui.composedMails().first().name, "Oma Klient AS");

    // A sibling folder whose name begins like the root's is not under it.
    docs.edit();
    docs.field("KLIDOKFILENAME").setText(dir.path() + "/docs2/c.pdf");
    docs.post();
    EXPECT_EQ(docs.field("KLIDOKFILENAME").asString(), dir.path() + "/docs2/c.pdf");

    // A file that is gone.
    docs.edit();
    docs.field("KLIDOKFILENAME").setText("a/gone.pdf");
    docs.post();
    ui.expectMessage("Cannot open file '" + root + "/a/gone.pdf'\nNo such file or directory (errorcode 2)",
                     "Klient - Oma Klient AS");
    card->OpenCurrentDocument();

    // Type rule: trimmed and lower-cased; an unknown type changes nothing.
    docs.edit();
    docs.field("KLIDOKTYYP").setText(" WEB ");
    EXPECT_EQ(docs.field("KLIDOKTYYP").asString(), "web");
    docs.field("KLIDOKTYYP").setText("ftp");
    EXPECT_EQ(docs.field("KLIDOKTYYP").asString(), "web");
    // A web row with a file address is neither opened nor attached.
    docs.field("KLIDOKFILENAME").setText("file:///etc/passwd");
    docs.post();
    EXPECT_EQ(docs.field("KLIDOKFILENAME").asString(), "file:///etc/passwd");
    ui.expectMessage("Cannot open file 'file:///etc/passwd'\nOnly http, https and mailto addresses are opened",
                     "Klient - Oma Klient AS");
    card->OpenCurrentDocument();
    card->SendEMail(false, true);
    EXPECT_TRUE(ui.composedMails().last().attachments.isEmpty());
    EXPECT_EQ(ui.openedDocuments().size(), 1);
    EXPECT_TRUE(ui.openedUrls().isEmpty());
    docs.edit();
    docs.field("KLIDOKFILENAME").setText("https://oma.ee/hinnakiri");
    docs.post();
    card->OpenCurrentDocument();
    EXPECT_EQ(ui.openedUrls(), QStringList{"https://oma.ee/hinnakiri"});
    docs.remove();
    module->SetParameter(QString::fromLatin1(ProgramParameters::DocumentsRootDirectory), QString());
    card->Release();
}

TEST_F(ClientCardData, CommandsReachTheMainWindowMailAndTelephoneForOwnClientsOnly)
{
    TdmKlientEdit1 *card = openCard(1, &cardA);
    card->RecordContact(false);
    EXPECT_EQ(mainWindow.registeredContacts, QList<int>{1});
    card->Dial(false, false, false);
    ASSERT_EQ(ui.dialled().size(), 1);
    EXPECT_EQ(ui.dialled().first(), (QPair<QString, QString>{"(0)5 123-456", "Oma Klient"}));
    ASSERT_TRUE(card->taKliKontaktIsikud()->locate("KONTAKTISIKNIMI", "Mari Maasikas"));
    card->Dial(true, true, false);
    EXPECT_EQ(ui.dialled().last(), (QPair<QString, QString>{"5555 111", "Mari Maasikas - Oma Klient"}));
    card->SendEMail(true, false);
    EXPECT_EQ(ui.composedMails().last().address, "mari@oma.ee");
    EXPECT_EQ(ui.composedMails().last().name, "Mari Maasikas");
    card->Release();

    card = openCard(2, &cardA);
    ui.expectMessage("Agendile lubatud vaid omad kliendid !", "Klient - Võõras Klient ");
    EXPECT_THROW(card->SendEMail(false, false), data::Abort);
    ui.expectMessage("Agendile lubatud vaid omad kliendid !", "Klient - Võõras Klient ");
    EXPECT_THROW(card->Dial(false, false, false), data::Abort);
    ui.expectMessage("Agendile lubatud vaid omad kliendid !", "Klient - Võõras Klient ");
    EXPECT_THROW(card->PrintCard(), data::Abort);
    EXPECT_EQ(ui.dialled().size(), 2);
    card->Release();
}

TEST_F(ClientCardData, MotherCompanyIsChosenFromAllClients)
{
    TdmKlientEdit1 *card = openCard(1, &cardA);
    ui.expectRecordSelection("Emafirma valik", true, 0);
    ASSERT_TRUE(card->ChooseMotherCompany());
    const int mother = card->MotherCompany();
    EXPECT_GT(mother, 0);
    card->taKlient()->post();
    EXPECT_EQ(one("select EMAFIRMAKOOD from KLIENTK where KLIKOOD = 1").toInt(), mother);
    EXPECT_FALSE(card->taKlient()->field("EMAFIRMANIMI").asString().isEmpty());
    exec("update KLIENTK set EMAFIRMAKOOD = null where KLIKOOD = 1");
    card->Release();
}

} // namespace
