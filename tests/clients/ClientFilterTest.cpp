// The client list's and the contact persons summary's filters on a real database: every criterion
// alone, typed text that must stay text, the restored panel and the words of the print subtitle.

#include <gtest/gtest.h>

#include <QApplication>

#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "WindowDriver.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"

namespace {

TempDatabase &clientsDatabase()
{
    static TempDatabase *db = [] {
        auto *d = new TempDatabase(QStringLiteral("clients.fdb"));
        d->execute({
            "insert into RIIK (RIIKID, RIIGINIMI) values (1, 'Eesti')",
            "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (1, 'Tallinn', 1)",
            "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (2, 'Tartu', 1)",
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (3, 'Kati', 'Karu')",
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (7, 'Jaan', 'Juurikas')",
            "insert into KAMETID (AMETID, AMET) values (1, 'Juhataja')",
            "insert into KAMETID (AMETID, AMET) values (2, 'Raamatupidaja')",
            "insert into KL1GR (KL1GRID, KL1GRNIMI) values (1, 'Suurus')",
            "insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI) values (1, 1, 'Suur')",
            "insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI) values (2, 1, 'Keskmine')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (1, 'Arvutid')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (2, 'Mööbel')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (1, 1, 'Sulearvuti')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (2, 1, 'Lauaarvuti')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (3, 2, 'Laud')",
            "insert into TOOTELISA (TOOTELISAID, TOOTEGRID, TOOTELISANIMI) values (1, 1, 'Garantiiga')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, LINNVALDKOOD, KLILISAMKUUP, TOOTAJATEARV, KLIKAIVE, KLIPYSI, "
            "KLIKVALITEET, KLISUHTETYYP) values (1, 'O''Brien Ltd', 'Pikk 1', 1, '10.01.2004', 10, 5000, 'Y', 1, 1)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, LINNVALDKOOD2, KLILISAMKUUP, TOOTAJATEARV, KLIKAIVE, KLIPYSI, "
            "KLIKVALITEET, KLISUHTETYYP) values (2, 'x'' OR ''1''=''1 AS', 'x'' OR ''1''=''1 tn 2', 1, '05.03.2004', 1500, 1000, "
            "'N', null, 11)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS2, LINNVALDKOOD, KLILISAMKUUP, TOOTAJATEARV, KLIKAIVE, KLIKVALITEET) "
            "values (3, 'Tartu Kivi', 'O''Brieni tee 5', 2, null, null, null, -1)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, KLIENTAKTIIVNE, KLILISAMKUUP, KLIKVALITEET) "
            "values (4, 'Vana Klient', 'Lai 4', 'N', '01.06.2010', 0)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, KLILISAMKUUP, TOOTAJATEARV, KLIKAIVE) "
            "values (5, 'Kaks Klassi', 'Lai 5', '20.12.2020', 1000, 1001)",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (2, 3, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (5, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (5, 3, 'N')",
            "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (5, 1, 1)",
            "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (5, 1, 2)",
            "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (1, 1, 1)",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID, TOOTELISAID) values (1, 5, 1, 1, 1)",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (2, 5, 1, 2)",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (3, 5, 1, 1)",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (4, 3, 2, 3)",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, AMETID) values (1, 1, 'Sean O''Brien', 1)",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, AMETID) values (2, 2, 'x'' OR ''1''=''1', 2)",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (3, null, 'Ilma Kliendita')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (4, 4, 'Vana Isik')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE) values (5, 5, 'Endine Isik', 'N')",
            "alter sequence KLIKISIK_KLIKISIKKOOD_GEN restart with 100",
        });
        return d;
    }();
    return *db;
}

class ClientFilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 5;
        session.AgentCode = 7;
        session.DefaultAgentFilter = false;
        module = std::make_unique<data::TData1>(&ui, &mainWindow, &session);
        module->Database1Params() = clientsDatabase().params();
        module->Connect();
        data::SetFilterUserInterface(&ui);
    }
    void TearDown() override
    {
        data::SetFilterUserInterface(nullptr);
        module.reset();
        EXPECT_TRUE(ui.allSeen());
    }
    static QList<int> codes(data::DataSet &ds, const char *field = "KLIKOOD")
    {
        ds.fetchAll();
        const int column = ds.field(QString::fromLatin1(field)).index();
        QList<int> result;
        for (int row = 0; row < ds.fetchedCount(); ++row)
            result << ds.valueAt(row, column).toInt();
        std::sort(result.begin(), result.end());
        return result;
    }

    ScriptedUserInterface ui;
    RecordingMain mainWindow;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};

TEST_F(ClientFilterTest, SummaryListsEveryPersonWithOnlyTheViewsColumns)
{
    data::DataSet &summary = *module->dataSet(QStringLiteral("taKliKontaktIsikudKoond"));
    summary.open();
    const int columns = summary.fieldCount();
    // A person without a client is a contact person too.
    EXPECT_EQ(codes(summary, "KLIKISIKKOOD"), (QList<int>{1, 2, 3, 4, 5}));

    data::TMySQLDataSetFilter &filter = data::FilterFor(summary);
    data::BeginFilter(filter);
    data::SetAtom(filter, QStringLiteral("AgentKood"), QStringLiteral("7"), QString(),
                  QStringLiteral("KLIAGENT.KliKood=KLIKISIK_KOOND_VIEW.KliKood and KLIAGENT.AGENTKOOD=7"));
    data::AddTable(filter, QStringLiteral("KLIAGENT"));
    ASSERT_TRUE(data::CommitFilter(filter));
    // The agent's table joins in without adding columns to the grid.
    EXPECT_EQ(summary.fieldCount(), columns);
    EXPECT_EQ(codes(summary, "KLIKISIKKOOD"), (QList<int>{1, 5}));
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
