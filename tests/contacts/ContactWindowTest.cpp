// The contact window in the main window: registering a contact at each level, the plan choice, the
// calendar of the date fields, opening an existing contact once.

#include "ContactsFixture.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "WindowDriver.h"
#include "app/TfMain.h"
#include "app/WindowCatalog.h"
#include "contacts/TdmJKontaktEdit.h"
#include "contacts/TfJKontaktEdit.h"
#include "contacts/TfKontaktEdit.h"
#include "contacts/TfKontaktidKoond.h"
#include "contacts/TfPlaneeritudKontaktid.h"
#include "ui/TfChildBtnBarForm01.h"
#include "data/DataSet.h"
#include "fb/Attachment.h"
#include "fb/Transaction.h"
#include "ui/TDBEdit.h"
#include "ui/TDBEditBtn.h"
#include "ui/EditButton.h"
#include "ui/TMonthCalendarFix.h"
#include "ui/TdlgCalendar.h"

using Answer = data::UserInterface::Answer;

class ContactWindowTest : public ContactsFixture
{
protected:
    void SetUp() override
    {
        ContactsFixture::SetUp();
        window = std::make_unique<TfMain>(module.get(), &session, &ui);
        module->setMainServices(window.get());
        window->onOpenWindow = [this](const QString &h) { opened << h; };
        window->show();
        QApplication::setActiveWindow(window.get());
    }
    void TearDown() override
    {
        window->confirmClose = false;
        window.reset();
        ContactsFixture::TearDown();
    }
    int windows() const
    {
        int n = 0;
        for (QMdiSubWindow *sub : window->mdiArea()->subWindowList())
            if (qobject_cast<TfKontaktEdit *>(sub->widget()) && sub->isVisible())
                ++n; // a closed window may wait a moment to be deleted
        return n;
    }
    // Drops the new contact the registration opened.
    void dropNewContact()
    {
        TfKontaktEdit *w = window->lastNewContactWindow();
        ASSERT_NE(w, nullptr);
        w->Cancel();
        QApplication::processEvents();
    }

    std::unique_ptr<TfMain> window;
    QStringList opened;
};

TEST_F(ContactWindowTest, RegisteringIsRefusedByLevelOwnClientAndOtherAgentsPlans)
{
    const QString title = QStringLiteral("Kontakti registreerimine");
    const QString otherClients = QStringLiteral("Teise agendi klientidega kontaktide registreerimiseks vajalik kõrgem kasutajanivoo !");
    const QString otherPlans = QStringLiteral("Agendil lubatud registreerida vaid oma kontaktiplaneeringuid !");
    for (int level : {0, 1, 2, 3, 5}) {
        SCOPED_TRACE(level);
        session.Level = level;
        // The own client, by the session's agent or with no agent named.
        for (int agent : {0, 7}) {
            ASSERT_TRUE(window->RegisterContact(1, agent, QString(), QString(), QStringLiteral("Oma Klient"), 0, 0));
            dropNewContact();
        }
        // Another agent's client; another agent's plan.
        if (level <= 2)
            ui.expectMessage(otherClients, title);
        EXPECT_EQ(window->RegisterContact(2, 0, QString(), QString(), QStringLiteral("Võõras Klient"), 0, 0), level >= 3);
        if (level >= 3)
            dropNewContact();
        if (level <= 2)
            ui.expectMessage(otherPlans, title);
        EXPECT_EQ(window->RegisterContact(1, 3, QStringLiteral("Agent Nr 3"), QString(), QStringLiteral("Oma Klient"), 0, 0),
                  level >= 3);
        if (level >= 3)
            dropNewContact();
        EXPECT_EQ(windows(), 0);
    }
    EXPECT_EQ(count("select count(*) from KONTAKT"), 0);
}

TEST_F(ContactWindowTest, ANewContactFromAPlanIsSavedThroughTheWindowAndOpensOnce)
{
    const QDate today = QDate::currentDate();
    plan(101, 3, 7, today, QStringLiteral("Helistada"), QStringLiteral("09:15"));
    plan(102, 3, 7, today.addDays(-1), QStringLiteral("Eilne"));
    // Cancel in the plan choice: no window, no row.
    ui.expectRowChoice(QStringLiteral("Valige registreeritav planeering"), QStringLiteral("Klient - 'Kolme Plaaniga'"),
                       Answer::Cancel);
    EXPECT_FALSE(window->RegisterContact(3, 7, QStringLiteral("Agent Nr 7"), QString(), QStringLiteral("Kolme Plaaniga"), 0, 0));
    EXPECT_EQ(windows(), 0);

    ui.expectRowChoice(QStringLiteral("Valige registreeritav planeering"), QStringLiteral("Klient - 'Kolme Plaaniga'"),
                       Answer::Yes, 1);
    ASSERT_TRUE(window->RegisterContact(3, 7, QStringLiteral("Agent Nr 7"), QString(), QStringLiteral("Kolme Plaaniga"), 0, 0));
    TfKontaktEdit *w = window->lastNewContactWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(windows(), 1);
    EXPECT_EQ(w->windowTitle(), "Kontakti reg - Kolme Plaaniga");
    auto *topic = qobject_cast<TDBEdit *>(w->control("KONTAKTTEEMA"));
    ASSERT_NE(topic, nullptr);
    EXPECT_EQ(topic->text(), "Helistada");
    auto *time = qobject_cast<TDBEdit *>(w->control("KONTAKTKELL"));
    EXPECT_EQ(time->text(), "09:15");
    auto *client = qobject_cast<TDBEdit *>(w->control("KLIENDINIMI"));
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->text(), "Kolme Plaaniga");
    // Only level 3 names the registering agent; projects only when the session may choose them.
    EXPECT_FALSE(w->control("REGAGENTNIMI")->isEnabled());
    EXPECT_FALSE(w->control("PROJNIMI")->isEnabled());

    topic->setFocus();
    replaceText(topic, QStringLiteral("Helistatud"));
    w->findChild<QAction *>("Salvesta1")->trigger();
    QApplication::processEvents();
    const int id = w->ContactId();
    ASSERT_GT(id, 0);
    EXPECT_EQ(w->windowTitle(), "Toimunud kontakt - Kolme Plaaniga");
    EXPECT_EQ(count("select count(*) from KLIJKONT where JKONTAKTID = 101"), 0);
    EXPECT_EQ(count("select count(*) from KLIJKONT where JKONTAKTID = 102"), 1);
    EXPECT_EQ(one(QStringLiteral("select KONTAKTTEEMA from KONTAKT where KONTAKTID = %1").arg(id)).toString(), "Helistatud");

    // Opening the same contact brings this window forward.
    window->OpenContact(id);
    EXPECT_EQ(windows(), 1);
    w->close();
    QApplication::processEvents();
    window->OpenContact(id);
    EXPECT_EQ(windows(), 1);
    auto *shown = qobject_cast<TfKontaktEdit *>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->ContactId(), id);
    EXPECT_EQ(shown->windowTitle(), "Toimunud kontakt - Kolme Plaaniga");
}

TEST_F(ContactWindowTest, TheCalendarButtonWritesTheChosenDayAndCancelLeavesTheRecord)
{
    const QDate day = QDate::currentDate().addDays(-20);
    contact(111, 1, 7, day, QStringLiteral("N"));
    window->OpenContact(111);
    auto *w = qobject_cast<TfKontaktEdit *>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(w, nullptr);
    auto *date = qobject_cast<TDBEditBtn *>(w->control("KONTAKTKUUP"));
    ASSERT_NE(date, nullptr);
    data::DataSet *row = w->module()->taKontakt();

    whenModal<TdlgCalendar>([](TdlgCalendar *dlg) { dlg->reject(); });
    emit date->OnBtnClick();
    EXPECT_EQ(row->state(), data::DataSet::State::Browse);
    EXPECT_EQ(row->field("KONTAKTKUUP").asDate(), day);

    // The calendar opens on the field's day; Page Down and Enter take the same day a month later.
    QDate shownDay;
    whenModal<TdlgCalendar>([&shownDay](TdlgCalendar *dlg) {
        shownDay = dlg->selectedDate();
        QTest::keyClick(dlg->calendar(), Qt::Key_PageDown);
        QTest::keyClick(dlg->calendar(), Qt::Key_Return);
    });
    emit date->OnBtnClick();
    EXPECT_EQ(shownDay, day);
    EXPECT_EQ(row->state(), data::DataSet::State::Edit);
    const QDate expected = day.addMonths(1);
    EXPECT_EQ(row->field("KONTAKTKUUP").asDate(), expected);
    EXPECT_EQ(date->text(), expected.toString(QStringLiteral("dd.MM.yyyy")));
    w->Cancel();
    EXPECT_EQ(row->field("KONTAKTKUUP").asDate(), day);
}

TEST_F(ContactWindowTest, ContactFromThePlannedListLeavesItAndShowsInThePerformedList)
{
    window->windowFactory = [this](const QString &className) {
        return WindowCatalog::create(className, WindowContext{module.get(), &ui});
    };
    const QDate today = QDate::currentDate();
    plan(121, 3, 7, today, QStringLiteral("Listist"), QStringLiteral("08:00"));
    plan(122, 1, 7, today, QStringLiteral("Jääb listi"), QStringLiteral("09:00"));
    window->command(QStringLiteral("Kontaktid1Click"))->trigger();
    auto *performed = qobject_cast<TfKontaktidKoond *>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(performed, nullptr);
    window->command(QStringLiteral("Tnaseksplaneeritudkontaktid1Click"))->trigger();
    auto *planned = qobject_cast<TfPlaneeritudKontaktid *>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(planned, nullptr);
    data::DataSet *plans = planned->dataSet();
    data::DataSet *contacts = performed->dataSet();
    ASSERT_TRUE(plans->locate(QStringLiteral("JKONTAKTID"), 121));
    EXPECT_EQ(plans->field("KLIENDINIMI").asString(), "Kolme Plaaniga");

    planned->findChild<QAction *>(QStringLiteral("Kontaktkirja1"))->trigger();
    TfKontaktEdit *w = window->lastNewContactWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->module()->ChosenPlan(), 121);
    EXPECT_EQ(w->windowTitle(), "Kontakti reg - Kolme Plaaniga");
    w->findChild<QAction *>(QStringLiteral("Salvesta1"))->trigger();
    QApplication::processEvents();
    const int id = w->ContactId();
    ASSERT_GT(id, 0);

    // The plan has left the list at once, the other plan is still there, and the contact is listed.
    EXPECT_FALSE(plans->locate(QStringLiteral("JKONTAKTID"), 121));
    EXPECT_TRUE(plans->locate(QStringLiteral("JKONTAKTID"), 122));
    ASSERT_TRUE(contacts->locate(QStringLiteral("KONTAKTID"), id));
    EXPECT_EQ(contacts->field("KONTAKTTEEMA").asString(), "Listist");
}

TEST_F(ContactWindowTest, TheNextContactIsPlannedFromAContactAndRecordedFromItsWindow)
{
    const QDate day = QDate::currentDate().addDays(-1);
    contact(131, 1, 7, day);
    run(QStringLiteral("update KONTAKT set KONTAKTKOMMENT = 'Helistada tagasi', TOOTEGRID = 2, TOOTEID = 2, "
                       "KLIKISIKKOOD = 1 where KONTAKTID = 131"));
    window->OpenContact(131);
    auto *contactWindow = qobject_cast<TfKontaktEdit *>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(contactWindow, nullptr);
    contactWindow->findChild<QAction *>(QStringLiteral("Planeerijargminekontakt1"))->trigger();
    auto *planWindow = qobject_cast<TfJKontaktEdit *>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(planWindow, nullptr);
    data::DataSet *plan = planWindow->module()->taKliJargmKontakt();
    EXPECT_EQ(plan->state(), data::DataSet::State::Insert);
    EXPECT_EQ(plan->field("KLIKOOD").asInt(), 1);
    EXPECT_EQ(plan->field("KLIKISIKKOOD").asInt(), 1);
    EXPECT_EQ(plan->field("JKONTAKTTEEMA").asString(), "Teema");
    EXPECT_EQ(plan->field("JKONTAKTKOMMENT").asString(), "Helistada tagasi");
    EXPECT_EQ(plan->field("TOOTEID").asInt(), 2);
    EXPECT_EQ(plan->field("AGENTKOOD").asInt(), 7); // an own client
    plan->field("JKONTAKTKUUP").setValue(QDate::currentDate());
    plan->field("JKONTAKTKELL").setText(QStringLiteral("14:00"));
    plan->field("JKONTAKTLIIKNIMI").setText(QStringLiteral("Visiit"));
    planWindow->findChild<QAction *>(QStringLiteral("Salvesta1"))->trigger();
    const int planId = planWindow->PlanId();
    ASSERT_GT(planId, 0);
    EXPECT_EQ(one(QStringLiteral("select JKONTAKTKELLKUNI from KLIJKONT where JKONTAKTID = %1").arg(planId)).toTime(),
              QTime(14, 15));

    // Opened again, the same window comes forward.
    const int before = static_cast<int>(window->mdiArea()->subWindowList().size());
    window->OpenNextContact(planId);
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), before);
    EXPECT_EQ(window->mdiArea()->activeSubWindow()->widget(), planWindow);

    // "Kontakt kirja" in the plan window records the contact against this plan; the plan window closes.
    planWindow->findChild<QAction *>(QStringLiteral("Kontaktkirja1"))->trigger();
    QApplication::processEvents();
    TfKontaktEdit *recorded = window->lastNewContactWindow();
    ASSERT_NE(recorded, nullptr);
    EXPECT_EQ(recorded->module()->ChosenPlan(), planId);
    EXPECT_EQ(recorded->module()->taKontakt()->field("KONTAKTLIIK").asInt(), 2);
    recorded->findChild<QAction *>(QStringLiteral("Salvesta1"))->trigger();
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIJKONT where JKONTAKTID = %1").arg(planId)), 0);
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 1"), 2);
}

TEST_F(ContactWindowTest, APlanHeldElsewhereIsReportedAndTheContactIsSavedOnce)
{
    plan(141, 3, 7, QDate::currentDate(), QStringLiteral("Hoitud"));
    ASSERT_TRUE(window->RegisterContact(3, 7, QStringLiteral("Agent Nr 7"), QString(), QStringLiteral("Kolme Plaaniga"), 141, 0));
    TfKontaktEdit *w = window->lastNewContactWindow();
    ASSERT_NE(w, nullptr);
    fb::Attachment other = contactsDatabase().connect();
    fb::Transaction otherTr(other);
    otherTr.start();
    other.executeImmediate(otherTr, QStringLiteral("update KLIJKONT set JKONTAKTTEEMA = 'Muudan' where JKONTAKTID = 141"));

    QString shown;
    ui.expectMessageText(QStringLiteral("Toimunud kontakt - Kolme Plaaniga"), &shown);
    w->findChild<QAction *>(QStringLiteral("Salvesta1"))->trigger();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Kontakt on salvestatud, kuid planeeringut ei saanud tühistada:\n")))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("concurrent update"))) << shown.toStdString();
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3"), 1);
    // Nothing is left to save: a second Save adds no contact.
    EXPECT_FALSE(w->findChild<QAction *>(QStringLiteral("Salvesta1"))->isEnabled());
    w->findChild<QAction *>(QStringLiteral("Salvesta1"))->trigger();
    EXPECT_EQ(count("select count(*) from KONTAKT where KLIKOOD = 3"), 1);
    otherTr.rollback();
    EXPECT_EQ(count("select count(*) from KLIJKONT where JKONTAKTID = 141"), 1);
}
