// Recording a contact: the choice of plan, the prefill from it, the save rules, the plan removed only
// once the contact is in the database, and who may change or delete which contact.

#include "ContactsFixture.h"

#include <QTime>

#include "clients/TdmKlientEdit1.h"
#include "contacts/ContactTimes.h"
#include "contacts/TdmKontaktEdit.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "fb/Attachment.h"
#include "fb/FbError.h"
#include "fb/Statement.h"

using contacts::ContactRequest;
using contacts::TdmKontaktEdit;
using Answer = data::UserInterface::Answer;

namespace {

ContactRequest requestFor(int client, const QString &clientName, int agent, int planId = 0)
{
    ContactRequest r;
    r.clientCode = client;
    r.clientName = clientName;
    r.agentCode = agent;
    r.agentName = QStringLiteral("Agent Nr %1").arg(agent);
    r.planId = planId;
    return r;
}

const QString PlanChoice = QStringLiteral("Valige registreeritav planeering");
const QString Toimunud = QStringLiteral("Toimunud kontaktid");

} // namespace

class ContactRecordTest : public ContactsFixture
{
protected:
    std::unique_ptr<TdmKontaktEdit> edit()
    {
        return std::make_unique<TdmKontaktEdit>(*module);
    }
    QStringList planIds(int client)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(QStringLiteral("select JKONTAKTID from KLIJKONT where KLIKOOD = %1 order by JKONTAKTID").arg(client));
        q.exec();
        QStringList ids;
        while (q.next())
            ids << q.value(0).toString();
        return ids;
    }
    data::DataSet &c(TdmKontaktEdit &m) { return *m.taKontakt(); }
};

TEST_F(ContactRecordTest, TheChosenOfThreePlansFillsTheContactAndOnlyItGoesOnSave)
{
    const QDate today = QDate::currentDate();
    plan(11, 3, 7, today.addDays(-2), QStringLiteral("Esimene"), QStringLiteral("09:00"));
    plan(12, 3, 7, today, QStringLiteral("Teine"), QStringLiteral("11:30"), 2);
    plan(13, 3, 7, today.addDays(-1), QStringLiteral("Kolmas"));
    run(QStringLiteral("update KLIJKONT set KLIKISIKKOOD = 2, PROJID = 1, TOOTEGRID = 1, TOOTEID = 1 where JKONTAKTID = 12"));
    // Another agent's plan of the same client is not offered.
    plan(14, 3, 3, today, QStringLiteral("Võõras"));

    // The client's card is open on its plans and past contacts.
    QObject cardWindow;
    TdmKlientEdit1 *card = TdmKlientEdit1::Acquire(*module, &cardWindow);
    ASSERT_TRUE(card->OpenClient(3));
    card->PageShown(TdmKlientEdit1::Plans);
    card->PageShown(TdmKlientEdit1::Contacts);
    EXPECT_EQ(card->taKliJargmKontaktid()->recordCount(), 4);
    EXPECT_EQ(card->taKontaktidKliendil()->recordCount(), 0);

    auto m = edit();
    m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7));
    QStringList shown;
    ui.expectRowChoice(PlanChoice, QStringLiteral("Klient - 'Kolme Plaaniga'"), Answer::Yes, 2, &shown,
                       QStringLiteral("JKONTAKTTEEMA"));
    ASSERT_TRUE(m->Prepare());
    // In planned order: the second of the client's plans by date is the one of today.
    EXPECT_EQ(shown, (QStringList{"Esimene", "Kolmas", "Teine"}));
    EXPECT_EQ(m->ChosenPlan(), 12);
    m->Append();
    data::DataSet &row = c(*m);
    EXPECT_EQ(row.field("KONTAKTKUUP").asDate(), today);
    EXPECT_EQ(row.field("KONTAKTKELL").value().toTime(), QTime(11, 30));
    EXPECT_EQ(row.field("KONTAKTLIIK").asInt(), 2);
    EXPECT_EQ(row.field("KONTAKTTEEMA").asString(), "Teine");
    EXPECT_EQ(row.field("KONTAKTKOMMENT").asString(), "Kommentaar Teine");
    EXPECT_EQ(row.field("KLIKISIKKOOD").asInt(), 2);
    EXPECT_EQ(row.field("KONTAKTISIKNIMI").asString(), "Peeter Plaan");
    EXPECT_EQ(row.field("PROJID").asInt(), 1);
    EXPECT_EQ(row.field("TOOTEGRID").asInt(), 1);
    EXPECT_EQ(row.field("TOOTEID").asInt(), 1);
    EXPECT_EQ(row.field("AGENTKOOD").asInt(), 7);
    EXPECT_EQ(row.field("REGAGENTKOOD").asInt(), 7);
    EXPECT_EQ(m->Caption(), "Kontakti reg - Kolme Plaaniga");
    row.post();

    EXPECT_EQ(planIds(3), (QStringList{"11", "13", "14"}));
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3 and KONTAKTTEEMA = 'Teine' and KONTAKTYHIKUID = 15 "
                    "and KONTAKTKELLKUNI = '11:45' and TOOTEID = 1"),
              1);
    EXPECT_GT(m->ContactId(), 0);
    EXPECT_EQ(m->Caption(), "Toimunud kontakt - Kolme Plaaniga");
    // The plans are forgotten once the contact is saved.
    EXPECT_FALSE(m->taKliJargmKontaktidL()->isActive());
    // The card shows the plan gone and stands on the new contact.
    EXPECT_FALSE(card->taKliJargmKontaktid()->locate(QStringLiteral("JKONTAKTID"), 12));
    EXPECT_EQ(card->taKliJargmKontaktid()->recordCount(), 3);
    EXPECT_EQ(card->taKontaktidKliendil()->field(QStringLiteral("KONTAKTID")).asInt(), m->ContactId());
    card->Release();
}

TEST_F(ContactRecordTest, APlanStaysWhenTheContactIsCancelledOrRefused)
{
    const QDate today = QDate::currentDate();
    plan(21, 3, 7, today, QStringLiteral("Jääb"));

    {
        // Cancelled.
        auto m = edit();
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 21));
        ASSERT_TRUE(m->Prepare());
        m->Append();
        c(*m).cancel();
    }
    EXPECT_EQ(planIds(3), QStringList{"21"});

    {
        // Refused by a rule: a level-1 user keeps the future date.
        session.Level = 1;
        auto m = edit();
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 21));
        ASSERT_TRUE(m->Prepare());
        m->Append();
        c(*m).field("KONTAKTKUUP").setValue(today.addDays(1));
        ui.expectQuestion(QStringLiteral("Hoiatus: Kontakti kuupäev ei saa olla suurem tänasest !\nKas paneme tänase kuupäeva ?"),
                          Toimunud, Answer::No);
        EXPECT_THROW(c(*m).post(), data::Abort);
        EXPECT_EQ(c(*m).state(), data::DataSet::State::Insert);
        c(*m).cancel();
        session.Level = 2;
    }
    EXPECT_EQ(planIds(3), QStringList{"21"});

    {
        // Refused by the database: a contact type that does not exist.
        auto m = edit();
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 21));
        ASSERT_TRUE(m->Prepare());
        m->Append();
        c(*m).field("KONTAKTLIIK").setValue(99);
        EXPECT_THROW(c(*m).post(), fb::FbError);
        EXPECT_EQ(c(*m).state(), data::DataSet::State::Insert);
        c(*m).cancel();
    }
    EXPECT_EQ(planIds(3), QStringList{"21"});
    EXPECT_EQ(count("select count(*) from KONTAKT"), 0);
}

TEST_F(ContactRecordTest, APlanHeldByAnotherConnectionStaysAndTheContactIsSavedOnce)
{
    const QDate today = QDate::currentDate();
    plan(31, 3, 7, today, QStringLiteral("Lukus"));
    auto m = edit();
    m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 31));
    ASSERT_TRUE(m->Prepare());
    m->Append();

    // Another workstation is changing the plan and has not committed.
    fb::Attachment other = contactsDatabase().connect();
    fb::Transaction otherTr(other);
    otherTr.start();
    other.executeImmediate(otherTr, QStringLiteral("update KLIJKONT set JKONTAKTTEEMA = 'Muudan' where JKONTAKTID = 31"));
    try {
        c(*m).post();
        ADD_FAILURE() << "the plan held elsewhere was not reported";
    } catch (const data::DataError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Kontakt on salvestatud, kuid planeeringut ei saanud tühistada:\n")))
            << e.message().toStdString();
    }
    // The contact is in the database once and the window is no longer inserting.
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3"), 1);
    EXPECT_EQ(c(*m).state(), data::DataSet::State::Browse);
    c(*m).post(); // saving again adds nothing
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3"), 1);
    otherTr.rollback();
    EXPECT_EQ(planIds(3), QStringList{"31"});
}

TEST_F(ContactRecordTest, NoRecordsWithoutAPlanCancelRecordsNothing)
{
    const QDate today = QDate::currentDate();
    plan(41, 3, 7, today, QStringLiteral("Üks"));
    plan(42, 3, 7, today, QStringLiteral("Teine"));
    {
        auto m = edit();
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7));
        ui.expectRowChoice(PlanChoice, QStringLiteral("Klient - 'Kolme Plaaniga'"), Answer::No);
        ASSERT_TRUE(m->Prepare());
        EXPECT_FALSE(m->taKliJargmKontaktidL()->isActive());
        m->Append();
        EXPECT_TRUE(c(*m).field("KONTAKTTEEMA").isNull());
        c(*m).field("KONTAKTLIIK").setValue(1);
        c(*m).post();
    }
    EXPECT_EQ(planIds(3), (QStringList{"41", "42"}));
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3"), 1);
    {
        auto m = edit();
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7));
        ui.expectRowChoice(PlanChoice, QStringLiteral("Klient - 'Kolme Plaaniga'"), Answer::Cancel);
        EXPECT_FALSE(m->Prepare());
    }
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3"), 1);
    // A client without plans of the agent, or no agent at all, asks nothing.
    {
        auto m = edit();
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 3));
        EXPECT_TRUE(m->Prepare());
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 0));
        EXPECT_TRUE(m->Prepare());
    }
}

TEST_F(ContactRecordTest, APlanDeletedMeanwhileLeavesAContactWithoutPlan)
{
    const QDate today = QDate::currentDate();
    plan(51, 3, 7, today.addDays(-3), QStringLiteral("Kadunud"));
    run(QStringLiteral("delete from KLIJKONT where JKONTAKTID = 51"));
    auto m = edit();
    m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 51));
    ASSERT_TRUE(m->Prepare());
    EXPECT_EQ(m->ChosenPlan(), 0);
    m->Append();
    EXPECT_EQ(c(*m).field("KONTAKTKUUP").asDate(), today);
    c(*m).field("KONTAKTLIIK").setValue(1);
    c(*m).post();
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3"), 1);

    // Gone between the choice and the save: the contact is saved all the same.
    plan(52, 3, 7, today, QStringLiteral("Läheb"));
    auto second = edit();
    second->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 52));
    ASSERT_TRUE(second->Prepare());
    second->Append();
    run(QStringLiteral("delete from KLIJKONT where JKONTAKTID = 52"));
    c(*second).post();
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3 and KONTAKTTEEMA = 'Läheb'"), 1);
}

TEST_F(ContactRecordTest, AnEarlierDateOrAnotherAgentAsksBeforeThePlanGoes)
{
    const QDate today = QDate::currentDate();
    plan(61, 3, 7, today.addDays(7), QStringLiteral("Järgmine nädal"), QStringLiteral("14:00"));
    const QString question =
        QStringLiteral("Kinnita:\nAgent 'Agent Nr 7':\nKliendiga 'Kolme Plaaniga' planeeritud kontakt %1 14:00 'Kõne'\n"
                       "Kontaktisik: \nTeema: Järgmine nädal\nKommentaarid: Kommentaar Järgmine nädal\n\n"
                       "Kas tühistame planeeringu ?")
            .arg(today.addDays(7).toString(QStringLiteral("dd.MM.yyyy")));
    {
        auto m = edit();
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 61));
        ASSERT_TRUE(m->Prepare());
        m->Append();
        // A plan of next week registered today is dated today.
        EXPECT_EQ(c(*m).field("KONTAKTKUUP").asDate(), today);
        ui.expectQuestion(question, QStringLiteral("Toimunud kontakt - Kolme Plaaniga"), Answer::No);
        c(*m).post();
    }
    EXPECT_EQ(planIds(3), QStringList{"61"});
    {
        auto m = edit();
        m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 61));
        ASSERT_TRUE(m->Prepare());
        m->Append();
        ui.expectQuestion(question, QStringLiteral("Toimunud kontakt - Kolme Plaaniga"), Answer::Yes);
        c(*m).post();
    }
    EXPECT_TRUE(planIds(3).isEmpty());

    // The planned day by the plan's own agent: no question.
    plan(62, 3, 7, today, QStringLiteral("Täna"));
    auto m = edit();
    m->OpenNew(requestFor(3, QStringLiteral("Kolme Plaaniga"), 7, 62));
    ASSERT_TRUE(m->Prepare());
    m->Append();
    c(*m).post();
    EXPECT_TRUE(planIds(3).isEmpty());
}

TEST_F(ContactRecordTest, EndTimesFollowTheTypeAndPassMidnightIntoTheNextDay)
{
    const QDate today = QDate::currentDate();
    auto m = edit();
    m->OpenNew(requestFor(1, QStringLiteral("Oma Klient"), 7));
    ASSERT_TRUE(m->Prepare());
    m->Append();
    data::DataSet &row = c(*m);
    row.field("KONTAKTKUUP").setValue(today.addDays(-1));
    row.field("KONTAKTKELL").setText(QStringLiteral("23.45"));
    row.field("KONTAKTLIIK").setValue(1);
    row.post();
    EXPECT_EQ(row.field("KONTAKTKELLKUNI").value().toTime(), QTime(0, 15));
    EXPECT_EQ(row.field("KONTAKTKUUPKUNI").asDate(), today);
    EXPECT_EQ(row.field("KONTAKTYHIKUID").asInt(), 30);

    // 10:00 with 30 planned minutes ends 10:30 the same day.
    auto second = edit();
    second->OpenNew(requestFor(1, QStringLiteral("Oma Klient"), 7));
    ASSERT_TRUE(second->Prepare());
    second->Append();
    c(*second).field("KONTAKTKELL").setText(QStringLiteral("10:00"));
    c(*second).field("KONTAKTLIIK").setValue(1);
    c(*second).post();
    EXPECT_EQ(c(*second).field("KONTAKTKELLKUNI").value().toTime(), QTime(10, 30));
    EXPECT_EQ(c(*second).field("KONTAKTKUUPKUNI").asDate(), today);
    EXPECT_EQ(c(*second).field("KONTAKTYHIKUID").asInt(), 30);

    EXPECT_EQ(contacts::ContactTimes::EndOf(QDate(2024, 2, 28), QTime(23, 0), 24 * 60 + 90).date, QDate(2024, 3, 1));
    EXPECT_EQ(contacts::ContactTimes::EndOf(QDate(2024, 2, 28), QTime(23, 0), 24 * 60 + 90).time, QTime(0, 30));

    // A contact without start and end time saves as it is.
    contact(71, 1, 7, today.addDays(-5));
    run(QStringLiteral("update KONTAKT set KONTAKTKELL = null, KONTAKTKELLKUNI = null where KONTAKTID = 71"));
    auto third = edit();
    ASSERT_TRUE(third->OpenExisting(71));
    c(*third).edit();
    c(*third).field("KONTAKTKOMMENT").setValue(QStringLiteral("ilma kellata"));
    c(*third).post();
    EXPECT_EQ(one("select KONTAKTKOMMENT from KONTAKT where KONTAKTID = 71").toString(), "ilma kellata");
    EXPECT_TRUE(one("select KONTAKTKELLKUNI from KONTAKT where KONTAKTID = 71").isNull());
}

TEST_F(ContactRecordTest, AFutureDateIsAskedAboutAndOnlyLevelOneMustTakeToday)
{
    const QDate today = QDate::currentDate();
    const QString question = QStringLiteral("Hoiatus: Kontakti kuupäev ei saa olla suurem tänasest !\nKas paneme tänase kuupäeva ?");
    auto m = edit();
    m->OpenNew(requestFor(1, QStringLiteral("Oma Klient"), 7));
    ASSERT_TRUE(m->Prepare());
    m->Append();
    c(*m).field("KONTAKTLIIK").setValue(1);
    c(*m).field("KONTAKTKUUP").setValue(today.addDays(1));
    ui.expectQuestion(question, Toimunud, Answer::Yes);
    c(*m).post();
    EXPECT_EQ(c(*m).field("KONTAKTKUUP").asDate(), today);

    auto second = edit();
    second->OpenNew(requestFor(1, QStringLiteral("Oma Klient"), 7));
    ASSERT_TRUE(second->Prepare());
    second->Append();
    c(*second).field("KONTAKTLIIK").setValue(1);
    c(*second).field("KONTAKTKUUP").setValue(today.addDays(1));
    ui.expectQuestion(question, Toimunud, Answer::No);
    c(*second).post(); // level 2 keeps the future date
    EXPECT_EQ(one(QStringLiteral("select KONTAKTKUUP from KONTAKT where KONTAKTID = %1").arg(second->ContactId())).toDate(),
              today.addDays(1));

    // Without a client nothing is saved.
    auto third = edit();
    third->OpenNew(requestFor(0, QString(), 7));
    ASSERT_TRUE(third->Prepare());
    third->Append();
    c(*third).field("KONTAKTLIIK").setValue(1);
    ui.expectMessage(QStringLiteral("Viga: klient väärtustamata !"), Toimunud);
    EXPECT_THROW(c(*third).post(), data::Abort);
}

TEST_F(ContactRecordTest, WhoMayChangeAndDeleteWhichContact)
{
    const QDate day = QDate::currentDate().addDays(-10);
    contact(81, 1, 7, day);                          // own, performed
    contact(82, 1, 3, day);                          // another agent's
    contact(83, 1, 3, day, QStringLiteral("N"), 7); // another agent's, registered by the session's agent
    contact(84, 1, 7, day, QStringLiteral("N"));     // own, not performed
    run(QStringLiteral("update KONTAKT set KONTAKTIDGRUPP = 5 where KONTAKTID = 84"));
    contact(85, 1, 7, day, QStringLiteral("N"));     // own, not performed

    const QString notOwn = QStringLiteral("Agendil lubatud muuta vaid oma kontakte !");
    const QString notOwnDelete = QStringLiteral("Agendil lubatud muuta / kustutada vaid oma kontakte!");
    const QString confirmedDelete = QStringLiteral("Kinnitatud kontakti muutmiseks / kustutamiseks vajalik kõrgem kasutajanivoo !");
    auto open = [this](int id) {
        auto m = std::make_unique<TdmKontaktEdit>(*module);
        EXPECT_TRUE(m->OpenExisting(id));
        return m;
    };

    for (int level : {0, 1, 2, 3, 5}) {
        SCOPED_TRACE(level);
        session.Level = level;
        auto other = open(82);
        if (level <= 3) {
            ui.expectMessage(notOwn, Toimunud);
            EXPECT_THROW(c(*other).edit(), data::Abort);
            ui.expectMessage(level <= 1 ? confirmedDelete : notOwnDelete, QStringLiteral("Kontaktid"));
            EXPECT_THROW(other->CheckDelete(), data::Abort);
        } else {
            c(*other).edit();
            c(*other).cancel();
            EXPECT_NO_THROW(other->CheckDelete());
        }
        // Below level 3 only the own agent's contact may be deleted; level 1 no performed one.
        EXPECT_EQ(other->CanDelete(true), level >= 3);
        EXPECT_EQ(open(81)->CanDelete(true), level >= 2);
        EXPECT_TRUE(open(85)->CanDelete(true));
        EXPECT_FALSE(open(84)->CanDelete(true)); // a mass offer's contact
        // Registered by the session's agent: it may be changed.
        auto registered = open(83);
        if (level <= 3 && level > 1) {
            c(*registered).edit();
            c(*registered).cancel();
        }
    }

    // Level 1 on a performed contact: the comment may change, the date may not.
    session.Level = 1;
    auto own = open(81);
    c(*own).edit();
    c(*own).field("KONTAKTKOMMENT").setValue(QStringLiteral("uus kommentaar"));
    c(*own).field("KONTAKTTEEMA").setValue(QStringLiteral("uus teema"));
    ui.expectMessage(QStringLiteral("Agendil lubatud muuta kinnitatud kontaktil vaid kommentaari veergu !"), Toimunud);
    EXPECT_THROW(c(*own).field("KONTAKTKUUP").setValue(day.addDays(1)), data::Abort);
    ui.expectMessage(QStringLiteral("Agendil lubatud muuta kinnitatud kontaktil vaid kommentaari veergu !"), Toimunud);
    EXPECT_THROW(c(*own).field("KONTAKTKELL").setText(QStringLiteral("11:00")), data::Abort);
    ui.expectMessage(QStringLiteral("Agendil lubatud muuta kinnitatud kontaktil vaid kommentaari veergu !"), Toimunud);
    EXPECT_THROW(c(*own).field("KONTAKTTOIMUS").setValue(QStringLiteral("N")), data::Abort);
    c(*own).post();
    EXPECT_EQ(one("select KONTAKTKOMMENT from KONTAKT where KONTAKTID = 81").toString(), "uus kommentaar");
    EXPECT_EQ(one("select KONTAKTKUUP from KONTAKT where KONTAKTID = 81").toDate(), day);
    ui.expectMessage(confirmedDelete, QStringLiteral("Kontaktid"));
    EXPECT_THROW(c(*own).remove(), data::Abort);

    // Not yet performed: it may be confirmed, and then it is fixed.
    auto pending = open(85);
    c(*pending).edit();
    c(*pending).field("KONTAKTKUUP").setValue(day.addDays(1));
    c(*pending).field("KONTAKTTOIMUS").setValue(QStringLiteral("Y"));
    c(*pending).post();
    EXPECT_EQ(one("select KONTAKTTOIMUS from KONTAKT where KONTAKTID = 85").toString(), "Y");

    // Level 2 deletes its own contact: the lists and the module hear of it.
    session.Level = 2;
    auto gone = open(81);
    bool closed = false;
    QObject::connect(gone.get(), &TdmKontaktEdit::closeRequested, [&closed] { closed = true; });
    c(*gone).remove();
    EXPECT_TRUE(closed);
    EXPECT_EQ(count("select count(*) from KONTAKT where KONTAKTID = 81"), 0);
}

TEST_F(ContactRecordTest, TypeAndProductGroupChangesAndPlanningTheNextContact)
{
    const QDate day = QDate::currentDate().addDays(-2);
    contact(91, 1, 7, day, QStringLiteral("N"));
    run(QStringLiteral("update KONTAKT set TOOTEGRID = 1, TOOTEID = 1, KONTAKTYHIKUID = 30 where KONTAKTID = 91"));
    auto m = edit();
    ASSERT_TRUE(m->OpenExisting(91));
    EXPECT_EQ(m->Caption(), "Toimunud kontakt - Oma Klient AS");
    c(*m).edit();
    c(*m).field("KONTAKTLIIKNIMI").setText(QStringLiteral("Visiit"));
    EXPECT_EQ(c(*m).field("KONTAKTLIIK").asInt(), 2);
    EXPECT_EQ(c(*m).field("KONTAKTYHIKUID").asInt(), 15);
    c(*m).field("TOOTEGRID").setValue(2);
    EXPECT_TRUE(c(*m).field("TOOTEID").isNull());
    EXPECT_TRUE(c(*m).field("TOOTENIMI").isNull());
    c(*m).post();
    EXPECT_EQ(one("select KONTAKTYHIKUID from KONTAKT where KONTAKTID = 91").toInt(), 15);
    EXPECT_TRUE(one("select TOOTEID from KONTAKT where KONTAKTID = 91").isNull());

    m->PlanNextContact();
    EXPECT_EQ(mainWindow.plannedContacts, QStringList{"1|Oma Klient|91||0"});
    m->ShowClient();
    EXPECT_EQ(mainWindow.openedCards, (QList<QPair<int, int>>{{1, 0}}));
}
