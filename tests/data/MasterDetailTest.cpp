// The client and its contact persons as the main data module links them, on a real database: changes
// of a contact person while the client is being edited, and the registered filters across a reconnect.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "data/FilterBuilder.h"
#include "data/MainServices.h"
#include "data/TData1.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

using data::DataSet;

namespace {

class MasterDetailTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("masterdetail.fdb"));
        s_db->execute({
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (7, 'Mari', 'Tamm')",
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (3, 'Jaan', 'Saar')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Balti Puit')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (2, 'Tartu Kivi')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (2, 3, 'Y')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (1, 1, 'Anne')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (2, 1, 'Boris')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (3, 1, 'Cecilia')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (4, 2, 'Dora')",
            "alter sequence KLIKISIK_KLIKISIKKOOD_GEN restart with 10",
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
        session.Level = 3;
        session.AgentCode = 7;
        module = std::make_unique<data::TData1>(&ui, &mainWindow, &session);
        module->Database1Params() = s_db->params();
        module->Connect();
    }
    void TearDown() override
    {
        module.reset();
        data::ClearFilterRegistry();
    }

    // What another user sees: every text of the first column, one row after another.
    static QStringList onOtherConnection(const QString &sql)
    {
        fb::Attachment other = s_db->connect();
        fb::Transaction t(other);
        fb::Statement st(t, sql);
        st.execute();
        QStringList rows;
        while (st.fetch())
            rows << st.getString(0);
        return rows;
    }

    static TempDatabase *s_db;
    ScriptedUserInterface ui;
    RecordingMain mainWindow;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};
TempDatabase *MasterDetailTest::s_db = nullptr;

TEST_F(MasterDetailTest, ContactPersonChangesLandOnTheChosenRowWhileTheClientIsEdited)
{
    DataSet &clients = *module->taKliendid();
    DataSet &persons = *module->taKliKontaktIsikud();
    clients.open();
    ASSERT_TRUE(clients.locate("KLIKOOD", 1));
    persons.open();
    ASSERT_EQ(persons.recordCount(), 3);
    const QString names =
        QStringLiteral("select KONTAKTISIKNIMI from KLIKISIK where KLIKOOD = 1 order by KLIKISIKKOOD");
    const QString note = QStringLiteral("select KLIKOMMENT from KLIENTK where KLIKOOD = 1");

    // The third contact person is changed while the client's note is being typed: the client is
    // posted first and the change goes to the person chosen.
    clients.edit();
    clients.field("KLIKOMMENT").setText(QStringLiteral("Esimene märkus"));
    persons.moveTo(2);
    persons.edit();
    EXPECT_EQ(clients.state(), DataSet::State::Browse);
    EXPECT_EQ(persons.currentRow(), 2);
    EXPECT_EQ(persons.field("KONTAKTISIKNIMI").asString(), QStringLiteral("Cecilia"));
    persons.field("KONTAKTISIKNIMI").setText(QStringLiteral("Cecilia Uus"));
    persons.post();
    EXPECT_EQ(onOtherConnection(names), (QStringList{"Anne", "Boris", "Cecilia Uus"}));
    EXPECT_EQ(onOtherConnection(note), QStringList{"Esimene märkus"});

    // Deleted the same way: that person goes, the others stay.
    clients.edit();
    clients.field("KLIKOMMENT").setText(QStringLiteral("Teine märkus"));
    ASSERT_TRUE(persons.locate("KLIKISIKKOOD", 3));
    persons.remove();
    EXPECT_EQ(onOtherConnection(names), (QStringList{"Anne", "Boris"}));
    EXPECT_EQ(onOtherConnection(note), QStringList{"Teine märkus"});
    EXPECT_EQ(persons.recordCount(), 2);

    // Appended the same way: a new row at the end, written for this client.
    clients.edit();
    clients.field("KLIKOMMENT").setText(QStringLiteral("Kolmas märkus"));
    persons.append();
    EXPECT_EQ(persons.state(), DataSet::State::Insert);
    EXPECT_EQ(persons.currentRow(), 2);
    EXPECT_EQ(persons.fetchedCount(), 3);
    persons.field("KONTAKTISIKNIMI").setText(QStringLiteral("Eero"));
    persons.post();
    EXPECT_EQ(onOtherConnection(names), (QStringList{"Anne", "Boris", "Eero"}));
    EXPECT_EQ(onOtherConnection(note), QStringList{"Kolmas märkus"});

    // Inserted before the second row the same way.
    clients.edit();
    clients.field("KLIKOMMENT").setText(QStringLiteral("Neljas märkus"));
    persons.moveTo(1);
    persons.insert();
    EXPECT_EQ(persons.currentRow(), 1);
    EXPECT_EQ(persons.fetchedCount(), 4);
    persons.field("KONTAKTISIKNIMI").setText(QStringLiteral("Berit"));
    persons.post();
    EXPECT_EQ(onOtherConnection(names), (QStringList{"Anne", "Boris", "Eero", "Berit"}));

    // Moving the client still brings its own contact persons.
    ASSERT_TRUE(clients.locate("KLIKOOD", 2));
    EXPECT_EQ(persons.recordCount(), 1);
    EXPECT_EQ(persons.field("KONTAKTISIKNIMI").asString(), QStringLiteral("Dora"));
}

TEST_F(MasterDetailTest, RegisteredFiltersOutliveAReconnect)
{
    session.Level = 2;
    session.DefaultAgentFilter = true;
    module->SetSessionFilters();
    // A window's own client list, registered under the shared name, outlives the connection.
    auto own = std::make_unique<DataSet>(module->IBTransaction1(), QStringLiteral("taKliendid"));
    own->setSelectSql("select KLIENTK.* from KLIENTK\norder by KLIENTK.KLIKOOD\n");
    data::FilterFor(*own);

    module->Connect();
    QString value;
    EXPECT_TRUE(data::FindAtom(data::FilterForName(QStringLiteral("taKliendid")), QStringLiteral("AgentKood"), &value));
    EXPECT_EQ(value, QStringLiteral("7"));
    own.reset();

    // The new connection's list takes the registered conditions when it registers.
    DataSet &clients = *module->taKliendid();
    data::FilterFor(clients);
    clients.open();
    EXPECT_TRUE(clients.locate("KLIKOOD", 1));
    EXPECT_FALSE(clients.locate("KLIKOOD", 2)); // another agent's client
}

} // namespace
