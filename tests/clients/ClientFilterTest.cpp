// The client list's and the contact persons summary's filters on a real database: every criterion
// alone, typed text that must stay text, the restored panel and the words of the print subtitle.

#include <gtest/gtest.h>

#include <QApplication>

#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "ClientsDatabase.h"
#include "TempDatabase.h"
#include "WindowDriver.h"
#include "clients/ClientFilter.h"
#include "clients/ContactPersonFilter.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"

namespace {

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
        if (!ds.isActive())
            ds.open();
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

using clients::ClientFilter;
using clients::ClientFilterValues;

// Every clause alone, on all clients (active or not) unless the clause is the activity itself.
TEST_F(ClientFilterTest, EachCriterionAloneFindsItsClients)
{
    data::DataSet &list = *module->taKliendid();
    list.open();
    struct Case
    {
        const char *what;
        std::function<void(ClientFilterValues &)> set;
        QList<int> expected;
    };
    const std::vector<Case> cases = {
        {"nothing", [](ClientFilterValues &) {}, {1, 2, 3, 4, 5}},
        {"agent", [](ClientFilterValues &v) { v.agentCode = "7"; }, {1, 5}},
        {"agent wins over no agent", [](ClientFilterValues &v) { v.agentCode = "3", v.noAgent = true; }, {2, 5}},
        {"no agent", [](ClientFilterValues &v) { v.noAgent = true; }, {3, 4}},
        {"name with apostrophe", [](ClientFilterValues &v) { v.name = "O'Brien"; }, {1}},
        {"name that tries to change the statement", [](ClientFilterValues &v) { v.name = "x' OR '1'='1"; }, {2}},
        {"relation partner", [](ClientFilterValues &v) { v.relationType = "11"; }, {2}},
        {"relation client", [](ClientFilterValues &v) { v.relationType = "1"; }, {1, 3, 4, 5}},
        {"relation not on the list", [](ClientFilterValues &v) { v.relationType = "1 OR 1=1"; }, {1, 2, 3, 4, 5}},
        {"address, also the second one", [](ClientFilterValues &v) { v.address = "O'Brien"; }, {3}},
        {"address that tries to change the statement", [](ClientFilterValues &v) { v.address = "x' OR '1'='1"; }, {2}},
        {"classifier group alone lists a client once per classifier",
         [](ClientFilterValues &v) { v.classifierGroupId = "1"; },
         {1, 5, 5}},
        {"classifier", [](ClientFilterValues &v) { v.classifierGroupId = "1", v.classifierId = "2"; }, {5}},
        {"classifier without its group", [](ClientFilterValues &v) { v.classifierId = "2"; }, {1, 2, 3, 4, 5}},
        {"regular client", [](ClientFilterValues &v) { v.regular = "Y"; }, {1}},
        {"not a regular client", [](ClientFilterValues &v) { v.regular = "N"; }, {2, 3, 4, 5}},
        {"rating missing", [](ClientFilterValues &v) { v.rating = "NULL"; }, {2, 5}},
        {"rating good", [](ClientFilterValues &v) { v.rating = "1"; }, {1}},
        {"rating average", [](ClientFilterValues &v) { v.rating = "0"; }, {4}},
        {"rating bad", [](ClientFilterValues &v) { v.rating = "-1"; }, {3}},
        {"active", [](ClientFilterValues &v) { v.active = "Y"; }, {1, 2, 3, 5}},
        {"inactive", [](ClientFilterValues &v) { v.active = "N"; }, {4}},
        {"place, also the second one", [](ClientFilterValues &v) { v.placeId = "1"; }, {1, 2}},
        {"employees at least a decimal number with a thousands blank",
         [](ClientFilterValues &v) { v.employeesOperator = ">=", v.employees = "1 000,50"; },
         {2}},
        {"employees below", [](ClientFilterValues &v) { v.employeesOperator = "<", v.employees = "1 000,50"; }, {1, 5}},
        {"employees not equal", [](ClientFilterValues &v) { v.employeesOperator = "<>", v.employees = "10"; }, {2, 5}},
        {"turnover above", [](ClientFilterValues &v) { v.turnoverOperator = ">", v.turnover = "1000"; }, {1, 5}},
        {"turnover equal", [](ClientFilterValues &v) { v.turnoverOperator = "=", v.turnover = "1000.0"; }, {2}},
        {"turnover at most", [](ClientFilterValues &v) { v.turnoverOperator = "<=", v.turnover = "1001"; }, {2, 5}},
        {"product group lists a client once", [](ClientFilterValues &v) { v.productGroupId = "1"; }, {5}},
        {"product", [](ClientFilterValues &v) { v.productGroupId = "2", v.productId = "3"; }, {3}},
        {"refinement", [](ClientFilterValues &v) { v.productGroupId = "1", v.refinementId = "1"; }, {5}},
        {"product and refinement",
         [](ClientFilterValues &v) { v.productGroupId = "1", v.productId = "2", v.refinementId = "1"; },
         {}},
        {"product without its group", [](ClientFilterValues &v) { v.productId = "3"; }, {1, 2, 3, 4, 5}},
        {"added before includes clients without a date",
         [](ClientFilterValues &v) { v.dateOperator = "<", v.dateAdded = "05.03.2004"; },
         {1, 3}},
        {"added at most", [](ClientFilterValues &v) { v.dateOperator = "<=", v.dateAdded = "5-3-2004"; }, {1, 2, 3}},
        {"added since excludes clients without a date",
         [](ClientFilterValues &v) { v.dateOperator = ">=", v.dateAdded = "05/03/2004"; },
         {2, 4, 5}},
        {"added on", [](ClientFilterValues &v) { v.dateOperator = "=", v.dateAdded = "10,01,2004"; }, {1}},
        {"added after, colons", [](ClientFilterValues &v) { v.dateOperator = ">", v.dateAdded = "01:06:2010"; }, {5}},
    };
    for (const Case &c : cases) {
        ClientFilterValues v;
        v.active.clear();
        c.set(v);
        ASSERT_TRUE(ClientFilter::Apply(list, v).applied) << c.what;
        EXPECT_EQ(codes(list), c.expected) << c.what;
    }
}

TEST_F(ClientFilterTest, TheFilterGivesItsConditionTablesAndDistinct)
{
    data::DataSet &list = *module->taKliendid();
    list.open();
    ClientFilterValues v;
    v.agentCode = "7";
    v.productGroupId = "1";
    v.productId = "1";
    v.refinementId = "1";
    const clients::ClientFilterResult r = ClientFilter::Apply(list, v);
    ASSERT_TRUE(r.applied);
    EXPECT_EQ(r.where, QStringLiteral("KLIAGENT.KliKood=KLIENTK.KliKood and KLIAGENT.AGENTKOOD=7 AND "
                                      "KLIENTK.KlientAktiivne='Y' AND KLITOODE.KliKood = KLIENTK.KliKood and "
                                      "KLITOODE.TooteID=1 AND KLITOODE.TooteLisaID=1"));
    EXPECT_EQ(r.extraTables, QStringLiteral("KLIAGENT, KLITOODE"));
    EXPECT_TRUE(r.distinct);
    EXPECT_TRUE(list.selectSql().trimmed().startsWith(QStringLiteral("select DISTINCT "), Qt::CaseInsensitive));
    EXPECT_EQ(codes(list), QList<int>{5});

    // The classifier group alone asks for no DISTINCT; the next filter drops the earlier one's.
    ClientFilterValues g;
    g.classifierGroupId = "1";
    const clients::ClientFilterResult r2 = ClientFilter::Apply(list, g);
    EXPECT_FALSE(r2.distinct);
    EXPECT_EQ(r2.extraTables, QStringLiteral("KL1KLI"));
    EXPECT_FALSE(list.selectSql().contains(QStringLiteral("DISTINCT"), Qt::CaseInsensitive));

    ClientFilterValues none;
    none.noAgent = true;
    EXPECT_EQ(ClientFilter::Apply(list, none).where,
              QStringLiteral("NOT EXISTS (select 1 from KLIAGENT where KLIAGENT.KliKood=KLIENTK.KliKood) AND "
                             "KLIENTK.KlientAktiivne='Y'"));
}

// Typed numbers and dates either parse or stop the filter with a message; what the list showed stays.
TEST_F(ClientFilterTest, TextThatIsNoNumberOrDateChangesNothing)
{
    data::DataSet &list = *module->taKliendid();
    list.open();
    ClientFilterValues before;
    before.agentCode = "7";
    ASSERT_TRUE(ClientFilter::Apply(list, before).applied);
    const QString statement = list.selectSql();
    const QString where = data::FilterFor(list).appliedWhere;

    auto refused = [&](const std::function<void(ClientFilterValues &)> &set) {
        ClientFilterValues v;
        set(v);
        try {
            ClientFilter::Apply(list, v);
        } catch (const data::DataError &e) {
            EXPECT_EQ(list.selectSql(), statement);
            EXPECT_EQ(data::FilterFor(list).appliedWhere, where);
            EXPECT_EQ(codes(list), (QList<int>{1, 5}));
            return e.message();
        }
        return QStringLiteral("<applied>");
    };
    EXPECT_EQ(refused([](ClientFilterValues &v) { v.employees = "10 OR 1=1"; }),
              QStringLiteral("Töötajate_arv: '10 OR 1=1' ei ole arv !"));
    EXPECT_EQ(refused([](ClientFilterValues &v) { v.turnover = "abc"; }), QStringLiteral("Käive: 'abc' ei ole arv !"));
    EXPECT_EQ(refused([](ClientFilterValues &v) { v.turnover = "1,000,5"; }),
              QStringLiteral("Käive: '1,000,5' ei ole arv !"));
    EXPECT_EQ(refused([](ClientFilterValues &v) { v.dateAdded = "31.02.2004"; }),
              QStringLiteral("'31.02.2004' is not a valid date"));
    EXPECT_EQ(refused([](ClientFilterValues &v) { v.dateAdded = "05.03.2004' OR 1=1 --"; }),
              QStringLiteral("'05.03.2004' OR 1=1 --' is not a valid date"));

    EXPECT_EQ(ClientFilter::ParseNumber("1 000,50", "x"), QStringLiteral("1000.50"));
    EXPECT_EQ(ClientFilter::ParseNumber(" -7 ", "x"), QStringLiteral("-7"));
}

// Operators come only from the fixed list, whatever a stored condition says.
TEST_F(ClientFilterTest, OperatorsComeFromTheFixedList)
{
    data::DataSet &list = *module->taKliendid();
    list.open();
    ClientFilterValues v;
    v.active.clear();
    v.employeesOperator = "=0 OR KLIENTK.KLIKOOD>";
    v.employees = "10";
    ASSERT_TRUE(ClientFilter::Apply(list, v).applied);
    EXPECT_EQ(codes(list), QList<int>{1});

    // A stored atom whose operator is not on the list comes back as "=".
    data::TMySQLDataSetFilter &entry = data::FilterFor(list);
    data::BeginFilter(entry);
    data::SetAtom(entry, "TootajateArv", "1500", ">= 0 OR 1=1 OR KLIENTK.TootajateArv>", "KLIENTK.TootajateArv>=1500");
    data::SetAtom(entry, "KliKaive", "1000", "<=", "KLIENTK.KliKaive<=1000");
    data::SetAtom(entry, "KliLisamKuup", "05.03.2004", "", "");
    ASSERT_TRUE(data::CommitFilter(entry));
    const ClientFilterValues restored = ClientFilter::Restore(entry);
    EXPECT_EQ(restored.employeesOperator, QStringLiteral("="));
    EXPECT_EQ(restored.turnoverOperator, QStringLiteral("<="));
    EXPECT_EQ(restored.dateOperator, QStringLiteral("="));
    ASSERT_TRUE(ClientFilter::Apply(list, restored).applied);
    EXPECT_EQ(codes(list), QList<int>{2});
}

TEST_F(ClientFilterTest, TheRestoredPanelIsThePanelThatWasApplied)
{
    data::DataSet &list = *module->taKliendid();
    list.open();
    ClientFilterValues v;
    v.agentCode = "7";
    v.agentName = "Jaan Juurikas";
    v.name = "O'Brien";
    v.relationType = "1";
    v.address = "x' OR '1'='1";
    v.classifierGroupId = "1";
    v.classifierGroupName = "Suurus";
    v.classifierId = "2";
    v.classifierName = "Keskmine";
    v.regular = "N";
    v.rating = "NULL";
    v.active = "N";
    v.placeId = "1";
    v.placeText = "Tallinn, Eesti";
    v.employeesOperator = "<>";
    v.employees = "1 000";
    v.turnoverOperator = "<";
    v.turnover = "5,5";
    v.productGroupId = "1";
    v.productGroupName = "Arvutid";
    v.productId = "2";
    v.productName = "Lauaarvuti";
    v.refinementId = "1";
    v.refinementName = "Garantiiga";
    v.dateOperator = "<=";
    v.dateAdded = "05.03.2004";
    ASSERT_TRUE(ClientFilter::Apply(list, v).applied);
    const ClientFilterValues r = ClientFilter::Restore(data::FilterFor(list));
    EXPECT_EQ(r.agentCode, v.agentCode);
    EXPECT_EQ(r.agentName, v.agentName);
    EXPECT_FALSE(r.noAgent);
    for (auto [got, want] : std::vector<std::pair<QString, QString>>{{r.name, v.name},
                                                                     {r.relationType, v.relationType},
                                                                     {r.address, v.address},
                                                                     {r.classifierGroupId, v.classifierGroupId},
                                                                     {r.classifierGroupName, v.classifierGroupName},
                                                                     {r.classifierId, v.classifierId},
                                                                     {r.classifierName, v.classifierName},
                                                                     {r.regular, v.regular},
                                                                     {r.rating, v.rating},
                                                                     {r.active, v.active},
                                                                     {r.placeId, v.placeId},
                                                                     {r.placeText, v.placeText},
                                                                     {r.employeesOperator, v.employeesOperator},
                                                                     {r.employees, v.employees},
                                                                     {r.turnoverOperator, v.turnoverOperator},
                                                                     {r.turnover, v.turnover},
                                                                     {r.productGroupId, v.productGroupId},
                                                                     {r.productGroupName, v.productGroupName},
                                                                     {r.productId, v.productId},
                                                                     {r.productName, v.productName},
                                                                     {r.refinementId, v.refinementId},
                                                                     {r.refinementName, v.refinementName},
                                                                     {r.dateOperator, v.dateOperator},
                                                                     {r.dateAdded, v.dateAdded}})
        EXPECT_EQ(got, want);

    // "All" of the activity list is kept as a choice of its own.
    ClientFilterValues all;
    all.active.clear();
    all.noAgent = true;
    ASSERT_TRUE(ClientFilter::Apply(list, all).applied);
    const ClientFilterValues r2 = ClientFilter::Restore(data::FilterFor(list));
    EXPECT_TRUE(r2.active.isEmpty());
    EXPECT_TRUE(r2.noAgent);
}

TEST_F(ClientFilterTest, TheDescriptionNamesEveryCriterion)
{
    ClientFilterValues v;
    v.agentCode = "7";
    v.agentName = "Jaan Juurikas";
    v.noAgent = true;
    v.name = "O'Brien";
    v.relationType = "11";
    v.relationText = "Partner";
    v.address = "Pikk";
    v.classifierGroupId = "1";
    v.classifierGroupName = "Suurus";
    v.classifierId = "2";
    v.classifierName = "Keskmine";
    v.regular = "Y";
    v.regularText = "Jah";
    v.rating = "NULL";
    v.ratingText = "Puudub";
    v.activeText = "Jah";
    v.placeId = "1";
    v.placeText = "Tallinn, Eesti";
    v.employeesOperator = ">=";
    v.employees = "10";
    v.turnoverOperator = "<";
    v.turnover = "1 000,50";
    v.productGroupId = "1";
    v.productGroupName = "Arvutid";
    v.productId = "2";
    v.productName = "Lauaarvuti";
    v.refinementId = "1";
    v.refinementName = "Garantiiga";
    v.dateOperator = "<";
    v.dateAdded = "05.03.2004";
    EXPECT_EQ(
        ClientFilter::Description(v),
        QStringLiteral("Agent: 'Jaan Juurikas' & KliendiNimi: '%O'Brien%' & Suhe: 'Partner' & Aadress: '%Pikk%' & "
                       "Suurus='Keskmine' & Püsiklient: 'Jah' & Hinnang: 'Puudub' & Aktiivne: 'Jah' & "
                       "Linn-vald: 'Tallinn, Eesti' & Töötajate_arv>='10' & Käive<'1 000,50' & Toode: 'Lauaarvuti' & "
                       "Toote täpsustus: 'Garantiiga' & Klient lisatud<'05.03.2004'"));

    ClientFilterValues w;
    w.noAgent = true;
    w.classifierGroupId = "1";
    w.classifierGroupName = "Suurus";
    w.productGroupId = "2";
    w.productGroupName = "Mööbel";
    EXPECT_EQ(ClientFilter::Description(w),
              QStringLiteral("Agent määramata & Klassif.grupp='Suurus' & Tootegrupp: 'Mööbel'"));
    EXPECT_EQ(ClientFilter::Description(ClientFilterValues()), QString());
}

TEST_F(ClientFilterTest, SummaryCriteriaAloneAndRestored)
{
    using clients::ContactPersonFilter;
    using clients::ContactPersonFilterValues;
    data::DataSet &summary = *module->dataSet(QStringLiteral("taKliKontaktIsikudKoond"));
    summary.open();
    struct Case
    {
        const char *what;
        std::function<void(ContactPersonFilterValues &)> set;
        QList<int> expected;
    };
    const std::vector<Case> cases = {
        {"active persons of active clients", [](ContactPersonFilterValues &) {}, {1, 2}},
        {"all", [](ContactPersonFilterValues &v) { v.personActive.clear(), v.clientActive.clear(); }, {1, 2, 3, 4, 5}},
        {"inactive clients", [](ContactPersonFilterValues &v) { v.personActive.clear(), v.clientActive = "N"; }, {4}},
        {"inactive persons", [](ContactPersonFilterValues &v) { v.personActive = "N", v.clientActive.clear(); }, {5}},
        {"agent", [](ContactPersonFilterValues &v) { v.agentCode = "7", v.personActive.clear(); }, {1, 5}},
        {"client", [](ContactPersonFilterValues &v) { v.clientCode = "2"; }, {2}},
        {"position", [](ContactPersonFilterValues &v) { v.positionId = "1"; }, {1}},
        {"name with apostrophe", [](ContactPersonFilterValues &v) { v.name = "O'Brien"; }, {1}},
        {"name that tries to change the statement", [](ContactPersonFilterValues &v) { v.name = "x' OR '1'='1"; }, {2}},
        {"person without a client",
         [](ContactPersonFilterValues &v) { v.clientActive.clear(), v.name = "kliendita"; },
         {3}},
    };
    for (const Case &c : cases) {
        ContactPersonFilterValues v;
        c.set(v);
        bool applied = false;
        ContactPersonFilter::Apply(summary, v, &applied);
        ASSERT_TRUE(applied) << c.what;
        EXPECT_EQ(codes(summary, "KLIKISIKKOOD"), c.expected) << c.what;
    }

    ContactPersonFilterValues v;
    v.agentCode = "7";
    v.agentName = "Jaan Juurikas";
    v.clientCode = "1";
    v.clientName = "O'Brien Ltd";
    v.positionId = "1";
    v.positionName = "Juhataja";
    v.personActive.clear();
    v.name = "Sean";
    EXPECT_EQ(ContactPersonFilter::Apply(summary, v),
              QStringLiteral("KLIAGENT.KliKood=KLIKISIK_KOOND_VIEW.KliKood and KLIAGENT.AGENTKOOD=7 AND "
                             "KLIKISIK_KOOND_VIEW.KliKood=1 AND AMETID=1 AND KlientAktiivne='Y' AND "
                             "KontaktIsikNimi CONTAINING 'Sean'"));
    const ContactPersonFilterValues r = ContactPersonFilter::Restore(data::FilterFor(summary));
    EXPECT_EQ(r.agentCode, v.agentCode);
    EXPECT_EQ(r.clientCode, v.clientCode);
    EXPECT_EQ(r.clientName, v.clientName);
    EXPECT_EQ(r.positionId, v.positionId);
    EXPECT_EQ(r.personActive, QString());
    EXPECT_EQ(r.clientActive, QStringLiteral("Y"));
    EXPECT_EQ(r.name, v.name);
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
