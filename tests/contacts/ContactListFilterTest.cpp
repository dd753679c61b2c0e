// The planned and performed contacts lists' filters and datasets on a real database: typed dates in
// every accepted form, text that must stay text, the deadline's operators, a flag never set, the
// restored panels, the level that keeps the agent, and the rows re-read after changes elsewhere.

#include <gtest/gtest.h>

#include "ContactListsDatabase.h"
#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "contacts/ContactFilter.h"
#include "contacts/ContactListCommands.h"
#include "contacts/PlannedContactFilter.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/TData1.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"
#include "ui/DateRange.h"

using contacts::ContactFilter;
using contacts::ContactFilterValues;
using contacts::ContactListCommands;
using contacts::PlannedContactFilter;
using contacts::PlannedContactFilterValues;

namespace {

class ContactListFilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 5;
        session.AgentCode = 7;
        session.DefaultAgentFilter = false;
        module = std::make_unique<data::TData1>(&ui, &mainWindow, &session);
        module->Database1Params() = contactListsDatabase().params();
        module->Connect();
        data::SetFilterUserInterface(&ui);
    }
    void TearDown() override
    {
        data::SetFilterUserInterface(nullptr);
        module.reset();
        EXPECT_TRUE(ui.allSeen());
    }
    data::DataSet &plans() { return *module->dataSet(QStringLiteral("taTanasedKliKontaktid")); }
    data::DataSet &contactRows() { return *module->taKontaktid(); }
    // The keys of the rows in the order the list shows them.
    static QList<int> keys(data::DataSet &ds, const char *field)
    {
        if (!ds.isActive())
            ds.open();
        ds.fetchAll();
        const int column = ds.field(QString::fromLatin1(field)).index();
        QList<int> result;
        for (int row = 0; row < ds.fetchedCount(); ++row)
            result << ds.valueAt(row, column).toInt();
        return result;
    }
    static QList<int> sortedKeys(data::DataSet &ds, const char *field)
    {
        QList<int> k = keys(ds, field);
        std::sort(k.begin(), k.end());
        return k;
    }
    QList<int> planned(const PlannedContactFilterValues &v, int level = 5)
    {
        EXPECT_TRUE(PlannedContactFilter::Apply(plans(), v, level).applied);
        return keys(plans(), "JKONTAKTID");
    }
    QList<int> performed(const ContactFilterValues &v)
    {
        EXPECT_TRUE(ContactFilter::Apply(contactRows(), v).applied);
        return sortedKeys(contactRows(), "KONTAKTID");
    }
    // The text of a field of the plan with that key.
    QString planText(int planId, const char *field)
    {
        data::DataSet &p = plans();
        EXPECT_TRUE(p.locate(QStringLiteral("JKONTAKTID"), planId));
        return p.field(QString::fromLatin1(field)).text();
    }
    // A change made by another workstation: its own connection, committed.
    static void elsewhere(const char *sql) { contactListsDatabase().execute({sql}); }

    ScriptedUserInterface ui;
    RecordingMain mainWindow;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};

TEST_F(ContactListFilterTest, PlansComeInDateAndTimeOrderWithTheClientsAndPersonsValues)
{
    EXPECT_EQ(keys(plans(), "JKONTAKTID"), (QList<int>{4, 2, 1, 3}));
    // The client with its legal form; the address with its place.
    EXPECT_EQ(planText(1, "KLIENDINIMI"), QStringLiteral("O'Brien Ltd AS"));
    EXPECT_EQ(planText(2, "KLIENDINIMI"), QStringLiteral("Tartu Kivi"));
    EXPECT_EQ(planText(1, "AADRESS"), QStringLiteral("Pikk 1, Tallinn"));
    EXPECT_EQ(planText(2, "AADRESS"), QStringLiteral("Tallinn"));
    EXPECT_EQ(planText(3, "AADRESS"), QStringLiteral("Lai 3"));
    // The person's numbers where the person has them, the client's otherwise.
    EXPECT_EQ(planText(1, "TELEFON"), QStringLiteral("5111 1111"));
    EXPECT_EQ(planText(1, "FAX"), QStringLiteral("600 1112"));
    EXPECT_EQ(planText(1, "EMAIL"), QStringLiteral("sean@obrien.ee"));
    EXPECT_EQ(planText(2, "TELEFON"), QStringLiteral("700 2222"));
    EXPECT_EQ(planText(2, "EMAIL"), QStringLiteral("kivi@tartu.ee"));
    EXPECT_EQ(planText(3, "TELEFON"), QStringLiteral("733 3333"));
    EXPECT_EQ(planText(4, "TELEFON"), QStringLiteral("600 1111"));
    // Names the database gives beside the codes, and times without seconds.
    EXPECT_EQ(planText(1, "KONTAKTISIKNIMI"), QStringLiteral("Sean O'Brien"));
    EXPECT_EQ(planText(2, "JKONTAKTLIIKNIMI"), QStringLiteral("Visiit"));
    EXPECT_EQ(planText(2, "REGAGENTNIMI"), QStringLiteral("Kati Karu"));
    EXPECT_EQ(planText(1, "PROJNIMI"), QStringLiteral("Kevad"));
    EXPECT_EQ(planText(3, "JKONTAKTKELL"), QStringLiteral("11:30"));
    // The look-up lists of the panel open with the list.
    for (const char *list : {"taKliendidL", "taProjektidL", "taTavaKontaktiLiigid"})
        EXPECT_TRUE(module->dataSet(QString::fromLatin1(list))->isActive()) << list;
}

TEST_F(ContactListFilterTest, EveryWayOfTypingADateGivesTheSameRows)
{
    PlannedContactFilterValues v;
    QList<QList<int>> found;
    for (const char *typed : {"1-2-2024", "1/2/2024", "01.02.2024", "1.2.2024"}) {
        v.dateFrom = v.dateTo = QString::fromLatin1(typed);
        found << planned(v);
    }
    for (const QList<int> &rows : found)
        EXPECT_EQ(rows, (QList<int>{2, 1}));

    ContactFilterValues c;
    c.dateFrom = QStringLiteral("2/2/2024");
    c.dateTo = QStringLiteral("2-2-2024");
    EXPECT_EQ(performed(c), (QList<int>{2, 3}));
}

TEST_F(ContactListFilterTest, EqualDatesAreOneDayAndOnlyAToDateIncludesThatDay)
{
    PlannedContactFilterValues v;
    v.dateFrom = v.dateTo = QStringLiteral("1.2.2024");
    const auto same = PlannedContactFilter::Apply(plans(), v, 5);
    EXPECT_EQ(same.where, QStringLiteral("JKontaktKuup BETWEEN '01.02.2024' AND '01.02.2024'"));
    EXPECT_EQ(PlannedContactFilter::Description(v), QStringLiteral("Kuupäev=01.02.2024"));

    v.dateFrom.clear();
    v.dateTo = QStringLiteral("01.02.2024");
    EXPECT_EQ(planned(v), (QList<int>{4, 2, 1}));
    EXPECT_EQ(PlannedContactFilter::Description(v), QStringLiteral("Kuupäev<=01.02.2024"));
    v.dateFrom = QStringLiteral("01.02.2024");
    v.dateTo.clear();
    EXPECT_EQ(planned(v), (QList<int>{2, 1, 3}));
    v.dateTo = QStringLiteral("02.02.2024");
    EXPECT_EQ(PlannedContactFilter::Description(v), QStringLiteral("Kuupäev 01.02.2024...02.02.2024"));

    ContactFilterValues c;
    c.dateTo = QStringLiteral("02.02.2024");
    EXPECT_EQ(performed(c), (QList<int>{1, 2, 3, 6}));
}

TEST_F(ContactListFilterTest, TextThatIsNoDateIsRefusedAndChangesNothing)
{
    PlannedContactFilterValues v;
    v.agentCode = QStringLiteral("7");
    ASSERT_EQ(planned(v), (QList<int>{2, 1}));
    const QString applied = data::FilterFor(plans()).appliedWhere;

    const QString injected = QStringLiteral("01.01.2024' OR '1'='1");
    for (const QString &typed : {QStringLiteral("32.01.2024"), injected}) {
        for (int field = 0; field < 3; ++field) {
            PlannedContactFilterValues bad;
            (field == 0 ? bad.dateFrom : field == 1 ? bad.dateTo : bad.deadline) = typed;
            try {
                PlannedContactFilter::Apply(plans(), bad, 5);
                ADD_FAILURE() << "accepted " << qPrintable(typed);
            } catch (const data::DataError &e) {
                EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid date").arg(typed));
            }
        }
    }
    // The agent's plans are still what the list shows.
    EXPECT_EQ(data::FilterFor(plans()).appliedWhere, applied);
    EXPECT_EQ(keys(plans(), "JKONTAKTID"), (QList<int>{2, 1}));

    ContactFilterValues c;
    c.dateTo = injected;
    EXPECT_THROW(ContactFilter::Apply(contactRows(), c), data::DataError);
    EXPECT_EQ(sortedKeys(contactRows(), "KONTAKTID"), (QList<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(ContactListFilterTest, DeadlineOperatorsAndPlansWithoutADeadline)
{
    PlannedContactFilterValues v;
    v.deadline = QStringLiteral("05.02.2024");
    v.deadlineOperator = QStringLiteral(">=");
    // A plan without a deadline is never overdue.
    EXPECT_EQ(planned(v), (QList<int>{2, 1, 3}));
    EXPECT_EQ(PlannedContactFilter::Apply(plans(), v, 5).where,
              QStringLiteral("(JKontTahtaeg>='05.02.2024' OR JKontTahtaeg IS NULL)"));
    v.deadlineOperator = QStringLiteral(">");
    EXPECT_EQ(planned(v), (QList<int>{2, 3}));
    v.deadlineOperator = QStringLiteral("<=");
    EXPECT_EQ(planned(v), (QList<int>{4, 1}));
    EXPECT_EQ(PlannedContactFilter::Description(v), QStringLiteral("Tähtaeg<='05.02.2024'"));
    v.deadlineOperator = QStringLiteral("<>");
    EXPECT_EQ(planned(v), (QList<int>{4, 3}));
    // No operator: the same day.
    v.deadlineOperator.clear();
    EXPECT_EQ(planned(v), (QList<int>{1}));
    EXPECT_EQ(PlannedContactFilter::Description(v), QStringLiteral("Tähtaeg='05.02.2024'"));

    // Anything else is refused before the filter changes.
    for (const char *op : {"=>", "LIKE", "= 1 OR 1", "<= '01.01.2000') OR (1=1"}) {
        v.deadlineOperator = QString::fromLatin1(op);
        try {
            PlannedContactFilter::Apply(plans(), v, 5);
            ADD_FAILURE() << "accepted " << op;
        } catch (const data::DataError &e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("Tähtaeg: '%1' ei ole lubatud võrdlus !").arg(QString::fromLatin1(op)));
        }
    }
    EXPECT_EQ(keys(plans(), "JKONTAKTID"), (QList<int>{1}));
    // Without a date the operator does not matter.
    v.deadline.clear();
    EXPECT_EQ(planned(v), (QList<int>{4, 2, 1, 3}));
}

TEST_F(ContactListFilterTest, PlannedCriteriaAloneWithNamesOnlyInTheDescription)
{
    PlannedContactFilterValues v;
    v.clientCode = QStringLiteral("1");
    v.clientName = QStringLiteral("O'Brien Ltd");
    EXPECT_EQ(planned(v), (QList<int>{4, 1}));
    EXPECT_EQ(PlannedContactFilter::Apply(plans(), v, 5).where, QStringLiteral("KLIJKONT.KliKood=1"));
    EXPECT_EQ(PlannedContactFilter::Description(v), QStringLiteral("Klient: 'O'Brien Ltd'"));

    v = {};
    v.agentCode = QStringLiteral("3");
    v.agentName = QStringLiteral("Kati Karu");
    EXPECT_EQ(planned(v), (QList<int>{4, 3}));
    v.typeCode = QStringLiteral("1");
    v.typeName = QStringLiteral("Telefonikõne");
    v.agreement = QStringLiteral("?");
    v.agreementText = QStringLiteral("?");
    EXPECT_EQ(planned(v), (QList<int>{3}));
    EXPECT_EQ(PlannedContactFilter::Description(v),
              QStringLiteral("Agent: 'Kati Karu' & Kontaktiliik: 'Telefonikõne' & Kokkulepe: ?"));

    v = {};
    v.agreement = QStringLiteral("+");
    EXPECT_EQ(planned(v), (QList<int>{4, 1}));
    // A key that is no number and an agreement not in the list are no condition.
    v.agreement = QStringLiteral("' OR '1'='1");
    v.clientCode = QStringLiteral("1 OR 1=1");
    EXPECT_EQ(planned(v), (QList<int>{4, 2, 1, 3}));
}

TEST_F(ContactListFilterTest, TheRestoredPlannedPanelIsThePanelThatWasApplied)
{
    PlannedContactFilterValues v;
    v.agentCode = QStringLiteral("7");
    v.agentName = QStringLiteral("Jaan Juurikas");
    v.clientCode = QStringLiteral("2");
    v.clientName = QStringLiteral("Tartu Kivi");
    v.typeCode = QStringLiteral("2");
    v.typeName = QStringLiteral("Visiit");
    v.agreement = QStringLiteral("-");
    v.dateFrom = QStringLiteral("1-2-2024");
    v.dateTo = QStringLiteral("3/2/2024");
    v.deadlineOperator = QStringLiteral(">");
    v.deadline = QStringLiteral("4.2.2024");
    EXPECT_EQ(planned(v), (QList<int>{2}));
    const PlannedContactFilterValues r = PlannedContactFilter::Restore(data::FilterFor(plans()));
    EXPECT_EQ(r.agentCode, v.agentCode);
    EXPECT_EQ(r.agentName, v.agentName);
    EXPECT_EQ(r.clientCode, v.clientCode);
    EXPECT_EQ(r.clientName, v.clientName);
    EXPECT_EQ(r.typeCode, v.typeCode);
    EXPECT_EQ(r.typeName, v.typeName);
    EXPECT_EQ(r.agreement, v.agreement);
    EXPECT_EQ(r.dateFrom, QStringLiteral("01.02.2024"));
    EXPECT_EQ(r.dateTo, QStringLiteral("03.02.2024"));
    EXPECT_EQ(r.deadlineOperator, QStringLiteral(">"));
    EXPECT_EQ(r.deadline, QStringLiteral("04.02.2024"));
    // Applied again from what was restored, the list is the same.
    EXPECT_EQ(planned(r), (QList<int>{2}));
}

TEST_F(ContactListFilterTest, BelowLevelTwoTheSessionsAgentStays)
{
    session.Level = 1;
    session.DefaultAgentFilter = true;
    module->SetSessionFilters();
    EXPECT_FALSE(PlannedContactFilter::AgentChoiceAllowed(1));
    EXPECT_TRUE(PlannedContactFilter::AgentChoiceAllowed(2));

    PlannedContactFilterValues v = PlannedContactFilter::Restore(data::FilterFor(plans()));
    ASSERT_EQ(v.agentCode, QStringLiteral("7"));
    v.agentCode = QStringLiteral("3");
    EXPECT_EQ(planned(v, 1), (QList<int>{2, 1}));
    v.agentCode.clear();
    v.agreement = QStringLiteral("+");
    EXPECT_EQ(planned(v, 1), (QList<int>{1}));
    // At level two the agent may be changed and cleared.
    v.agentCode = QStringLiteral("3");
    EXPECT_EQ(planned(v, 2), (QList<int>{4}));
    v.agentCode.clear();
    EXPECT_EQ(planned(v, 2), (QList<int>{4, 1}));
}

TEST_F(ContactListFilterTest, PerformedCriteriaAloneAndAFlagNeverSetCountsAsNotPerformed)
{
    ContactFilterValues v;
    EXPECT_EQ(performed(v), (QList<int>{1, 2, 3, 4, 5, 6}));
    v.performed = QStringLiteral("N");
    EXPECT_EQ(performed(v), (QList<int>{2, 3}));
    EXPECT_EQ(ContactFilter::Apply(contactRows(), v).where,
              QStringLiteral("(KontaktToimus='N' OR KontaktToimus IS NULL)"));
    v.performed = QStringLiteral("Y");
    EXPECT_EQ(performed(v), (QList<int>{1, 4, 5, 6}));

    auto one = [this](auto set) {
        ContactFilterValues c;
        set(c);
        return performed(c);
    };
    EXPECT_EQ(one([](ContactFilterValues &c) { c.agentCode = "7"; }), (QList<int>{1, 2, 6}));
    EXPECT_EQ(one([](ContactFilterValues &c) { c.clientCode = "1"; }), (QList<int>{1, 3}));
    EXPECT_EQ(one([](ContactFilterValues &c) { c.personCode = "1"; }), (QList<int>{1}));
    EXPECT_EQ(one([](ContactFilterValues &c) { c.typeCode = "3"; }), (QList<int>{4, 5}));
    EXPECT_EQ(one([](ContactFilterValues &c) { c.projectId = "1"; }), (QList<int>{1}));
    EXPECT_EQ(one([](ContactFilterValues &c) { c.regAgentCode = "3"; }), (QList<int>{2, 3, 4, 5}));
    EXPECT_EQ(one([](ContactFilterValues &c) { c.clientCode = "1 OR 1=1"; }), (QList<int>{1, 2, 3, 4, 5, 6}));

    // All criteria together, restored as they were applied.
    v = {};
    v.agentCode = "7";
    v.agentName = "Jaan Juurikas";
    v.clientCode = "2";
    v.clientName = "Tartu Kivi";
    v.personCode = "2";
    v.personName = "Mari Maasikas";
    v.typeCode = "2";
    v.typeName = "Visiit";
    v.regAgentCode = "3";
    v.regAgentName = "Kati Karu";
    v.performed = "N";
    v.dateFrom = "1.2.2024";
    v.dateTo = "2/2/2024";
    EXPECT_EQ(performed(v), (QList<int>{2}));
    const ContactFilterValues r = ContactFilter::Restore(data::FilterFor(contactRows()));
    EXPECT_EQ(r.agentCode, v.agentCode);
    EXPECT_EQ(r.agentName, v.agentName);
    EXPECT_EQ(r.clientCode, v.clientCode);
    EXPECT_EQ(r.personCode, v.personCode);
    EXPECT_EQ(r.personName, v.personName);
    EXPECT_EQ(r.typeCode, v.typeCode);
    EXPECT_EQ(r.regAgentCode, v.regAgentCode);
    EXPECT_EQ(r.regAgentName, v.regAgentName);
    EXPECT_TRUE(r.projectId.isEmpty());
    EXPECT_EQ(r.performed, v.performed);
    EXPECT_EQ(r.dateFrom, QStringLiteral("01.02.2024"));
    EXPECT_EQ(r.dateTo, QStringLiteral("02.02.2024"));
}

TEST_F(ContactListFilterTest, ThePastPeriodsOfTheDateMenu)
{
    const QDate wednesday(2026, 1, 7);
    EXPECT_EQ(DateRangeForTag(-1, wednesday), std::make_pair(QDate(2026, 1, 6), QDate(2026, 1, 6)));
    EXPECT_EQ(DateRangeForTag(-7, wednesday), std::make_pair(QDate(2025, 12, 29), QDate(2026, 1, 4)));
    EXPECT_EQ(DateRangeForTag(-31, wednesday), std::make_pair(QDate(2025, 12, 1), QDate(2025, 12, 31)));
    EXPECT_EQ(DateRangeForTag(-356, wednesday), std::make_pair(QDate(2025, 1, 1), QDate(2025, 12, 31)));
    // On a Monday last week ends yesterday; on the first of March last month is February.
    EXPECT_EQ(DateRangeForTag(-7, QDate(2024, 3, 4)), std::make_pair(QDate(2024, 2, 26), QDate(2024, 3, 3)));
    EXPECT_EQ(DateRangeForTag(-31, QDate(2024, 3, 1)), std::make_pair(QDate(2024, 2, 1), QDate(2024, 2, 29)));
    EXPECT_EQ(DateRangeForTag(-1, QDate(2024, 1, 1)), std::make_pair(QDate(2023, 12, 31), QDate(2023, 12, 31)));
}

TEST_F(ContactListFilterTest, ASavedPlanIsReadAgainInPlace)
{
    data::DataSet &p = plans();
    ASSERT_EQ(keys(p, "JKONTAKTID"), (QList<int>{4, 2, 1, 3}));
    p.moveTo(2);
    ASSERT_EQ(p.field(QStringLiteral("JKONTAKTID")).asInt(), 1);
    const int opened = p.fetchedCount();
    elsewhere("update KLIJKONT set JKONTAKTTEEMA = 'Uus teema' where JKONTAKTID in (1, 2)");
    elsewhere("update KLIKISIK set KONTAKTISIKFAX = '5222 2222' where KLIKISIKKOOD = 1");
    module->PlanSaved(1);
    EXPECT_EQ(p.currentRow(), 2);
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTTEEMA")).asString(), QStringLiteral("Uus teema"));
    // The person's number comes with the plan: the joined columns are read again too.
    EXPECT_EQ(p.field(QStringLiteral("FAX")).asString(), QStringLiteral("5222 2222"));
    // Only that row: the plan beside it still shows what the list read.
    EXPECT_EQ(p.valueAt(1, p.field(QStringLiteral("JKONTAKTTEEMA")).index()).toString(), QStringLiteral("Visiit"));
    EXPECT_EQ(p.fetchedCount(), opened);

    elsewhere("update KLIJKONT set JKONTAKTTEEMA = 'Visiit' where JKONTAKTID = 2");
    elsewhere("update KLIJKONT set JKONTAKTTEEMA = 'Pakkumine' where JKONTAKTID = 1");
    elsewhere("update KLIKISIK set KONTAKTISIKFAX = null where KLIKISIKKOOD = 1");
}

TEST_F(ContactListFilterTest, ListsReadAgainAfterChangesKeepTheirFilterAndRow)
{
    PlannedContactFilterValues v;
    v.agentCode = QStringLiteral("7");
    ASSERT_EQ(planned(v), (QList<int>{2, 1}));
    plans().moveTo(1);
    ContactFilterValues c;
    c.agentCode = QStringLiteral("7");
    ASSERT_EQ(performed(c), (QList<int>{1, 2, 6}));
    contactRows().moveTo(1);
    const qint64 contactStood = contactRows().field(QStringLiteral("KONTAKTID")).asInt();

    elsewhere("insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTLIIK) "
              "values (50, 1, 7, '15.01.2024', 1)");
    elsewhere("insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTLIIK) "
              "values (51, 1, 3, '15.01.2024', 1)");
    elsewhere("insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK) "
              "values (50, 7, 1, '15.01.2024', 1)");
    elsewhere("insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK) "
              "values (51, 3, 1, '15.01.2024', 1)");
    module->PlansChanged();
    module->ContactsChanged();
    EXPECT_EQ(plans().field(QStringLiteral("JKONTAKTID")).asInt(), 2);
    EXPECT_EQ(contactRows().field(QStringLiteral("KONTAKTID")).asInt(), contactStood);
    EXPECT_EQ(keys(plans(), "JKONTAKTID"), (QList<int>{50, 2, 1}));
    EXPECT_EQ(sortedKeys(contactRows(), "KONTAKTID"), (QList<int>{1, 2, 6, 50}));

    elsewhere("delete from KLIJKONT where JKONTAKTID in (50, 51)");
    elsewhere("delete from KONTAKT where KONTAKTID in (50, 51)");
}

TEST_F(ContactListFilterTest, CommandsHandTheRowToTheMainWindow)
{
    data::DataSet &p = plans();
    p.open();
    ASSERT_TRUE(p.locate(QStringLiteral("JKONTAKTID"), 1));
    ContactListCommands::OpenPlan(*module, p);
    ContactListCommands::RegisterContact(*module, p);
    ContactListCommands::ShowClient(*module, p);
    EXPECT_EQ(mainWindow.openedNextContacts, QList<int>{1});
    EXPECT_EQ(mainWindow.registeredContacts, QList<int>{1});
    EXPECT_EQ(mainWindow.openedCards, (QList<QPair<int, int>>{{1, 0}}));

    data::DataSet &c = contactRows();
    c.open();
    for (int id : {4, 5}) {
        ASSERT_TRUE(c.locate(QStringLiteral("KONTAKTID"), id));
        ui.expectMessage(QStringLiteral("Masspakkumiste aken pole veel saadaval"),
                         QStringLiteral("Toimunud kontaktid"));
        ContactListCommands::OpenContact(*module, c, &ui);
    }
    // The offer's own row has no client to show.
    ASSERT_TRUE(c.locate(QStringLiteral("KONTAKTID"), 4));
    ContactListCommands::ShowClient(*module, c);
    ASSERT_TRUE(c.locate(QStringLiteral("KONTAKTID"), 2));
    ContactListCommands::OpenContact(*module, c, &ui);
    ContactListCommands::ShowClient(*module, c);
    EXPECT_EQ(mainWindow.openedContacts, QList<int>{2});
    EXPECT_TRUE(mainWindow.openedMassOffers.isEmpty());
    EXPECT_EQ(mainWindow.openedCards, (QList<QPair<int, int>>{{1, 0}, {2, 0}}));

    // An empty list opens nothing.
    ContactFilterValues none;
    none.clientCode = QStringLiteral("999");
    ASSERT_TRUE(performed(none).isEmpty());
    ContactListCommands::OpenContact(*module, c, &ui);
    EXPECT_EQ(mainWindow.openedContacts, QList<int>{2});
}

} // namespace
