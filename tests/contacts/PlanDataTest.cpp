// The plan's data module on a real database: who gets the plan, what saving adds, who may change it,
// and what a contact hands over to a new plan.

#include <QDate>
#include <QTime>

#include "PlanFixture.h"
#include "contacts/TdmJKontaktEdit.h"
#include "data/DataError.h"
#include "data/DataSet.h"

using data::DataSet;

namespace {

const QString OwnPlansOnly = QStringLiteral("Agendil lubatud muuta vaid oma kontaktiplaneeringuid !");
const QString Kliendid = QStringLiteral("Kliendid");

class PlanDataTest : public PlanFixture
{
protected:
    // A new plan of the client (by default the own client 1), standing in insert state.
    DataSet &openNew(TdmJKontaktEdit &plan, int client = 1, const QString &clientName = QStringLiteral("Oma Klient"))
    {
        plan.OpenNew(client, clientName, 0, QString());
        return *plan.taKliJargmKontakt();
    }
    // What a plan cannot be saved without besides its agent: the date and the contact type.
    static void setDateAndType(DataSet &p, const QString &date, int type)
    {
        p.field(QStringLiteral("JKONTAKTKUUP")).setText(date);
        p.field(QStringLiteral("JKONTAKTLIIK")).setValue(type);
    }
    QString seen(int planId)
    {
        return one(QStringLiteral("select AGENTTUTVUNUD from KLIJKONT where JKONTAKTID = %1").arg(planId)).toString();
    }
    // Opens the plan and saves a new topic.
    void changeTopic(int planId, const QString &topic)
    {
        TdmJKontaktEdit plan(*module);
        ASSERT_TRUE(plan.OpenPlan(planId));
        DataSet &p = *plan.taKliJargmKontakt();
        p.edit();
        p.field(QStringLiteral("JKONTAKTTEEMA")).setText(topic);
        p.post();
    }
};

TEST_F(PlanDataTest, NewPlanOfOwnClientIsTheSessionAgentsInTheActiveProject)
{
    session.ActiveProjectId = 1;
    session.ActiveProjectName = QStringLiteral("Kevad");
    TdmJKontaktEdit plan(*module);
    plan.OpenNew(1, QStringLiteral("Oma Klient"), 1, QStringLiteral("Mari Maasikas"));
    const DataSet &p = *plan.taKliJargmKontakt();
    EXPECT_EQ(p.state(), DataSet::State::Insert);
    EXPECT_EQ(p.field(QStringLiteral("KLIKOOD")).asInt(), 1);
    EXPECT_EQ(p.field(QStringLiteral("KLIKISIKKOOD")).asInt(), 1);
    EXPECT_EQ(p.field(QStringLiteral("KONTAKTISIKNIMI")).asString(), QStringLiteral("Mari Maasikas"));
    EXPECT_EQ(p.field(QStringLiteral("AGENTKOOD")).asInt(), 7);
    EXPECT_EQ(p.field(QStringLiteral("AGENTNIMI")).asString(), QStringLiteral("Agent Nr 7"));
    EXPECT_EQ(p.field(QStringLiteral("REGAGENTKOOD")).asInt(), 7);
    EXPECT_EQ(p.field(QStringLiteral("PROJID")).asInt(), 1);
    EXPECT_EQ(p.field(QStringLiteral("PROJNIMI")).asString(), QStringLiteral("Kevad"));
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKOKKULEPE")).asString(), QStringLiteral("?"));
    EXPECT_EQ(plan.Caption(), QStringLiteral("Uus planeering - Oma Klient"));
}

TEST_F(PlanDataTest, ManagerPlansForAnAgentWhoMarksItSeenBySaving)
{
    actAs(1, 3);
    TdmJKontaktEdit plan(*module);
    DataSet &p = openNew(plan);
    // Client 1 is not the manager's: the agent is left to be chosen, the planner is the manager.
    EXPECT_TRUE(p.field(QStringLiteral("AGENTKOOD")).isNull());
    EXPECT_EQ(p.field(QStringLiteral("REGAGENTKOOD")).asInt(), 1);
    p.field(QStringLiteral("AGENTNIMI")).setText(QStringLiteral("agent nr 7"));
    EXPECT_EQ(p.field(QStringLiteral("AGENTKOOD")).asInt(), 7);
    setDateAndType(p, QStringLiteral("10.12.2026"), 1);
    p.post();
    const int id = plan.PlanId();
    ASSERT_GT(id, 0);
    EXPECT_EQ(seen(id), QStringLiteral("N"));
    EXPECT_EQ(plan.Caption(), QStringLiteral("Planeeritud kontakt - Oma Klient"));
    // The names come back with the row.
    EXPECT_EQ(p.field(QStringLiteral("REGAGENTNIMI")).asString(), QStringLiteral("Agent Nr 1"));

    actAs(7, 2);
    changeTopic(id, QStringLiteral("Nähtud"));
    EXPECT_EQ(seen(id), QStringLiteral("Y"));
}

TEST_F(PlanDataTest, PlannerMayChangeThePlanUntilItsAgentHasSavedIt)
{
    actAs(3, 2);
    TdmJKontaktEdit plan(*module);
    DataSet &p = openNew(plan);
    EXPECT_EQ(p.field(QStringLiteral("AGENTKOOD")).asInt(), 3);
    p.field(QStringLiteral("AGENTNIMI")).setText(QStringLiteral("Agent Nr 7"));
    setDateAndType(p, QStringLiteral("11.12.2026"), 1);
    p.post();
    const int id = plan.PlanId();
    EXPECT_EQ(seen(id), QStringLiteral("N"));

    changeTopic(id, QStringLiteral("Planeerija muutis"));
    EXPECT_EQ(seen(id), QStringLiteral("N"));

    actAs(7, 2);
    changeTopic(id, QStringLiteral("Agent nägi"));
    EXPECT_EQ(seen(id), QStringLiteral("Y"));

    actAs(3, 2);
    TdmJKontaktEdit again(*module);
    ASSERT_TRUE(again.OpenPlan(id));
    ui.expectMessage(OwnPlansOnly, Kliendid);
    EXPECT_THROW(again.taKliJargmKontakt()->edit(), data::Abort);
    EXPECT_EQ(again.taKliJargmKontakt()->state(), DataSet::State::Browse);
    ui.expectMessage(OwnPlansOnly, Kliendid);
    EXPECT_THROW(again.taKliJargmKontakt()->remove(), data::Abort);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIJKONT where JKONTAKTID = %1").arg(id)), 1);
}

TEST_F(PlanDataTest, PlanOfAnotherAgentsClientNeedsOneOfTheClientsAgents)
{
    TdmJKontaktEdit plan(*module);
    DataSet &p = openNew(plan, 2, QStringLiteral("Võõras Klient"));
    EXPECT_TRUE(p.field(QStringLiteral("AGENTKOOD")).isNull());
    EXPECT_EQ(p.field(QStringLiteral("REGAGENTKOOD")).asInt(), 7);
    setDateAndType(p, QStringLiteral("12.12.2026"), 1);
    EXPECT_THROW(p.post(), data::DataError);
    EXPECT_EQ(p.state(), DataSet::State::Insert);

    // An agent who is not the client's is not offered: the list holds the client's agents only.
    QStringList offered;
    ui.expectRecordSelection(QStringLiteral("Agendid"), false, 0, &offered, QStringLiteral("AGENTKOOD"));
    EXPECT_THROW(p.field(QStringLiteral("AGENTNIMI")).setText(QStringLiteral("Agent Nr 5")), data::Abort);
    EXPECT_EQ(offered, QStringList{QStringLiteral("3")});
    EXPECT_TRUE(p.field(QStringLiteral("AGENTKOOD")).isNull());

    p.field(QStringLiteral("AGENTNIMI")).setText(QStringLiteral("Agent Nr 3"));
    EXPECT_EQ(p.field(QStringLiteral("AGENTKOOD")).asInt(), 3);
    p.post();
    EXPECT_EQ(one(QStringLiteral("select AGENTKOOD from KLIJKONT where JKONTAKTID = %1").arg(plan.PlanId())).toInt(),
              3);
    EXPECT_EQ(seen(plan.PlanId()), QStringLiteral("N"));
}

TEST_F(PlanDataTest, EndFollowsFromTheTypesPlannedMinutes)
{
    TdmJKontaktEdit plan(*module);
    DataSet &p = openNew(plan);
    p.field(QStringLiteral("JKONTAKTKUUP")).setText(QStringLiteral("14.12.2026"));
    p.field(QStringLiteral("JKONTAKTKELL")).setText(QStringLiteral("14:00"));
    p.field(QStringLiteral("JKONTAKTLIIKNIMI")).setText(QStringLiteral("telefon"));
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTLIIK")).asInt(), 1);
    p.post();
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKELLKUNI")).value().toTime(), QTime(14, 15));
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKUUPKUNI")).asDate(), QDate(2026, 12, 14));
}

TEST_F(PlanDataTest, EndPastMidnightFallsOnTheNextDay)
{
    TdmJKontaktEdit plan(*module);
    DataSet &p = openNew(plan);
    p.field(QStringLiteral("JKONTAKTKUUP")).setText(QStringLiteral("31.12.2026"));
    p.field(QStringLiteral("JKONTAKTKELL")).setText(QStringLiteral("23:45"));
    p.field(QStringLiteral("JKONTAKTLIIK")).setValue(2);
    p.post();
    const int id = plan.PlanId();
    EXPECT_EQ(one(QStringLiteral("select JKONTAKTKELLKUNI from KLIJKONT where JKONTAKTID = %1").arg(id)).toTime(),
              QTime(0, 15));
    EXPECT_EQ(one(QStringLiteral("select JKONTAKTKUUPKUNI from KLIJKONT where JKONTAKTID = %1").arg(id)).toDate(),
              QDate(2027, 1, 1));
}

TEST_F(PlanDataTest, PlannedMinutesAreReadWhenSavingAndAGivenEndStays)
{
    TdmJKontaktEdit plan(*module);
    DataSet &p = openNew(plan);
    p.field(QStringLiteral("JKONTAKTKUUP")).setText(QStringLiteral("15.12.2026"));
    p.field(QStringLiteral("JKONTAKTKUUPKUNI")).setText(QStringLiteral("13.12.2026"));
    p.field(QStringLiteral("JKONTAKTKELL")).setText(QStringLiteral("09:00"));
    p.field(QStringLiteral("JKONTAKTLIIK")).setValue(3);
    // Another workstation changes the type meanwhile.
    exec(QStringLiteral("update KONTLIIK set PLAANMINUTEID = 50 where KONTAKTLIIKKOOD = 3"));
    p.post();
    exec(QStringLiteral("update KONTLIIK set PLAANMINUTEID = 45 where KONTAKTLIIKKOOD = 3"));
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKELLKUNI")).value().toTime(), QTime(9, 50));
    // An end date before the date becomes the date.
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKUUPKUNI")).asDate(), QDate(2026, 12, 15));

    p.edit();
    p.field(QStringLiteral("JKONTAKTKELLKUNI")).setText(QStringLiteral("11:30"));
    p.field(QStringLiteral("JKONTAKTKUUPKUNI")).setText(QStringLiteral("16.12.2026"));
    p.post();
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKELLKUNI")).value().toTime(), QTime(11, 30));
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKUUPKUNI")).asDate(), QDate(2026, 12, 16));
}

TEST_F(PlanDataTest, ContactHandsTopicCommentAndProductsToTheNewPlan)
{
    DataSet &contacts = *module->taKontaktid();
    contacts.open();
    ASSERT_TRUE(contacts.locate(QStringLiteral("KONTAKTID"), 1));
    TdmJKontaktEdit plan(*module);
    plan.OpenNew(1, QStringLiteral("Oma Klient"), 0, QString());
    plan.CopyFromSource(contacts);
    DataSet &p = *plan.taKliJargmKontakt();
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTTEEMA")).asString(), QStringLiteral("Hinnapakkumine"));
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKOMMENT")).asString(), QStringLiteral("Soovib kolme sülearvutit"));
    EXPECT_EQ(p.field(QStringLiteral("TOOTEGRID")).asInt(), 1);
    EXPECT_EQ(p.field(QStringLiteral("TOOTEGRNIMI")).asString(), QStringLiteral("Arvutid"));
    EXPECT_EQ(p.field(QStringLiteral("TOOTEID")).asInt(), 1);
    EXPECT_EQ(p.field(QStringLiteral("TOOTENIMI")).asString(), QStringLiteral("Sülearvuti"));
    setDateAndType(p, QStringLiteral("17.12.2026"), 1);
    p.post();
    EXPECT_EQ(one(QStringLiteral("select TOOTEID from KLIJKONT where JKONTAKTID = %1").arg(plan.PlanId())).toInt(), 1);

    ASSERT_TRUE(contacts.locate(QStringLiteral("KONTAKTID"), 2));
    TdmJKontaktEdit second(*module);
    DataSet &q = openNew(second);
    second.CopyFromSource(contacts);
    EXPECT_EQ(q.field(QStringLiteral("JKONTAKTTEEMA")).asString(), QStringLiteral("Ainult grupp"));
    EXPECT_TRUE(q.field(QStringLiteral("JKONTAKTKOMMENT")).isNull());
    EXPECT_EQ(q.field(QStringLiteral("TOOTEGRID")).asInt(), 1);
    EXPECT_TRUE(q.field(QStringLiteral("TOOTEID")).isNull());
    EXPECT_TRUE(q.field(QStringLiteral("TOOTENIMI")).isNull());
}

TEST_F(PlanDataTest, AnotherProductGroupClearsTheProduct)
{
    TdmJKontaktEdit plan(*module);
    DataSet &p = openNew(plan);
    p.field(QStringLiteral("TOOTENIMI")).setText(QStringLiteral("1"));
    EXPECT_EQ(p.field(QStringLiteral("TOOTEGRID")).asInt(), 1);
    EXPECT_EQ(p.field(QStringLiteral("TOOTEID")).asInt(), 1);
    p.field(QStringLiteral("TOOTEGRID")).setValue(1);
    EXPECT_EQ(p.field(QStringLiteral("TOOTEID")).asInt(), 1);
    p.field(QStringLiteral("TOOTEGRNIMI")).setText(QStringLiteral("Toolid"));
    EXPECT_EQ(p.field(QStringLiteral("TOOTEGRID")).asInt(), 2);
    EXPECT_TRUE(p.field(QStringLiteral("TOOTEID")).isNull());
    EXPECT_TRUE(p.field(QStringLiteral("TOOTENIMI")).isNull());
}

TEST_F(PlanDataTest, AgreementTakesOnlyItsThreeSigns)
{
    TdmJKontaktEdit plan(*module);
    plan.OpenNew(1, QStringLiteral("Oma Klient"), 0, QString());
    data::Field &agreement = plan.taKliJargmKontakt()->field(QStringLiteral("JKONTAKTKOKKULEPE"));
    agreement.setText(QStringLiteral("+"));
    EXPECT_EQ(agreement.asString(), QStringLiteral("+"));
    agreement.setText(QStringLiteral("x"));
    EXPECT_EQ(agreement.asString(), QStringLiteral("+"));
    agreement.setText(QStringLiteral("Jah (+)"));
    EXPECT_EQ(agreement.asString(), QStringLiteral("+"));
    agreement.setText(QStringLiteral("-"));
    EXPECT_EQ(agreement.asString(), QStringLiteral("-"));
    agreement.setText(QString());
    EXPECT_EQ(agreement.asString(), QStringLiteral("?"));
    EXPECT_EQ(TdmJKontaktEdit::AgreementTexts(),
              (QStringList{QStringLiteral("Jah (+)"), QStringLiteral("Ei  (-)"), QStringLiteral("Määramata (?)")}));
    EXPECT_EQ(TdmJKontaktEdit::AgreementValues(),
              (QStringList{QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("?")}));
}

TEST_F(PlanDataTest, OtherAgentsSeenPlanIsChangedAndDeletedFromLevelThreeOnly)
{
    const int id = seedPlan(1, 3, 3, "Y");
    for (int level : {1, 2}) {
        actAs(7, level);
        TdmJKontaktEdit plan(*module);
        ASSERT_TRUE(plan.OpenPlan(id));
        ui.expectMessage(OwnPlansOnly, Kliendid);
        EXPECT_THROW(plan.taKliJargmKontakt()->edit(), data::Abort) << "level " << level;
        ui.expectMessage(OwnPlansOnly, Kliendid);
        EXPECT_THROW(plan.taKliJargmKontakt()->remove(), data::Abort) << "level " << level;
    }
    actAs(7, 3);
    TdmJKontaktEdit plan(*module);
    ASSERT_TRUE(plan.OpenPlan(id));
    DataSet &p = *plan.taKliJargmKontakt();
    p.edit();
    p.cancel();
    ui.expectQuestion(QStringLiteral("Tühistame kontakti planeeringu ?"), plan.Caption(),
                      data::UserInterface::Answer::No);
    EXPECT_THROW(p.remove(), data::Abort);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIJKONT where JKONTAKTID = %1").arg(id)), 1);
    ui.expectQuestion(QStringLiteral("Tühistame kontakti planeeringu ?"), plan.Caption(),
                      data::UserInterface::Answer::Yes);
    p.remove();
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIJKONT where JKONTAKTID = %1").arg(id)), 0);
}

TEST_F(PlanDataTest, OwnPlanIsChangedAndDeletedAtLevelOne)
{
    const int id = seedPlan(1, 7, 3, "N");
    actAs(7, 1);
    TdmJKontaktEdit plan(*module);
    ASSERT_TRUE(plan.OpenPlan(id));
    DataSet &p = *plan.taKliJargmKontakt();
    p.edit();
    p.cancel();
    ui.expectQuestion(QStringLiteral("Tühistame kontakti planeeringu ?"), plan.Caption(),
                      data::UserInterface::Answer::Yes);
    p.remove();
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIJKONT where JKONTAKTID = %1").arg(id)), 0);
}

TEST_F(PlanDataTest, SavedPlanRefreshesItsRowOfTheListInPlace)
{
    const int first = seedPlan(1, 7, 7, "Y", QStringLiteral("Esimene"));
    const int id = seedPlan(1, 7, 7, "Y", QStringLiteral("Vana teema"));
    DataSet &list = *module->dataSet(QStringLiteral("taTanasedKliKontaktid"));
    list.open();
    ASSERT_TRUE(list.locate(QStringLiteral("JKONTAKTID"), id));
    const int row = list.currentRow();
    changeTopic(id, QStringLiteral("Uus teema"));
    EXPECT_EQ(list.currentRow(), row);
    EXPECT_EQ(list.field(QStringLiteral("JKONTAKTID")).asInt(), id);
    EXPECT_EQ(list.field(QStringLiteral("JKONTAKTTEEMA")).asString(), QStringLiteral("Uus teema"));

    // Standing on another plan, the list is read again and shows the change as well.
    ASSERT_TRUE(list.locate(QStringLiteral("JKONTAKTID"), first));
    changeTopic(id, QStringLiteral("Veel uuem"));
    EXPECT_EQ(list.field(QStringLiteral("JKONTAKTID")).asInt(), first);
    ASSERT_TRUE(list.locate(QStringLiteral("JKONTAKTID"), id));
    EXPECT_EQ(list.field(QStringLiteral("JKONTAKTTEEMA")).asString(), QStringLiteral("Veel uuem"));
}

TEST_F(PlanDataTest, ContactIsRegisteredWithThePlansValues)
{
    TdmJKontaktEdit plan(*module);
    plan.OpenNew(1, QStringLiteral("Oma Klient"), 1, QStringLiteral("Mari Maasikas"));
    // Nothing to register against while the plan is not saved.
    EXPECT_FALSE(plan.RegisterContact());
    EXPECT_TRUE(mainWindow.registrations.isEmpty());
    DataSet &p = *plan.taKliJargmKontakt();
    setDateAndType(p, QStringLiteral("18.12.2026"), 1);
    p.post();
    EXPECT_TRUE(plan.RegisterContact());
    ASSERT_EQ(mainWindow.registrations.size(), 1);
    const auto &r = mainWindow.registrations.front();
    EXPECT_EQ(r.clientCode, 1);
    EXPECT_EQ(r.agentCode, 7);
    EXPECT_EQ(r.agentName, QStringLiteral("Agent Nr 7"));
    EXPECT_EQ(r.personName, QStringLiteral("Mari Maasikas"));
    EXPECT_EQ(r.clientName, QStringLiteral("Oma Klient"));
    EXPECT_EQ(r.planId, plan.PlanId());
    EXPECT_EQ(r.personCode, 1);
    mainWindow.registrationTaken = false;
    EXPECT_FALSE(plan.RegisterContact());
}

TEST_F(PlanDataTest, PlannerAndProjectNamesFollowTheSessionsRights)
{
    TdmJKontaktEdit plan(*module);
    DataSet &p = openNew(plan);
    EXPECT_FALSE(plan.PlannerEditable());
    EXPECT_FALSE(plan.ProjectEditable());
    EXPECT_THROW(p.field(QStringLiteral("REGAGENTNIMI")).setText(QStringLiteral("Agent Nr 3")), data::Abort);
    EXPECT_EQ(p.field(QStringLiteral("REGAGENTKOOD")).asInt(), 7);
    EXPECT_THROW(p.field(QStringLiteral("PROJNIMI")).setText(QStringLiteral("Kevad")), data::Abort);
    EXPECT_FALSE(plan.PickName(QStringLiteral("REGAGENTNIMI")));

    session.Level = 3;
    session.ProjectChoiceAllowed = true;
    EXPECT_TRUE(plan.PlannerEditable());
    p.field(QStringLiteral("REGAGENTNIMI")).setText(QStringLiteral("Agent Nr 3"));
    EXPECT_EQ(p.field(QStringLiteral("REGAGENTKOOD")).asInt(), 3);
    p.field(QStringLiteral("PROJNIMI")).setText(QStringLiteral("kevad"));
    EXPECT_EQ(p.field(QStringLiteral("PROJID")).asInt(), 1);
}

TEST_F(PlanDataTest, MissingPlanDoesNotOpen)
{
    TdmJKontaktEdit plan(*module);
    EXPECT_FALSE(plan.OpenPlan(99999));
    EXPECT_FALSE(plan.taKliJargmKontakt()->isActive());
}

} // namespace
