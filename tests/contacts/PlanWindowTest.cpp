// The plan window offscreen: its caption, the calendar buttons, registering a contact against the plan
// with the save question, and deleting.

#include <tuple>

#include <QAction>
#include <QDate>
#include <QPointer>
#include <QToolButton>

#include "PlanFixture.h"
#include "WindowDriver.h"
#include "contacts/TdmJKontaktEdit.h"
#include "contacts/TfJKontaktEdit.h"
#include "data/DataSet.h"
#include "ui/EditButton.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBValComboBox.h"
#include "ui/TMonthCalendarFix.h"
#include "ui/TdlgCalendar.h"

using data::DataSet;
using data::UserInterface;

namespace {

const QString SaveQuestion = QStringLiteral("Andmeid on muudetud!\nKas salvestada ?");

class PlanWindowTest : public PlanFixture
{
protected:
    WindowContext context() { return WindowContext{module.get(), &ui}; }
    std::unique_ptr<TfJKontaktEdit> newPlanWindow(int client = 1, const QString &name = QStringLiteral("Oma Klient"))
    {
        auto w = std::make_unique<TfJKontaktEdit>(context(), -1, client, name, 0, QString());
        w->show();
        return w;
    }
    std::unique_ptr<TfJKontaktEdit> planWindow(int id)
    {
        auto w = std::make_unique<TfJKontaktEdit>(context(), id);
        w->show();
        return w;
    }
    static void fillRequired(TfJKontaktEdit &w)
    {
        DataSet &p = *w.module()->taKliJargmKontakt();
        p.field(QStringLiteral("JKONTAKTKUUP")).setText(QStringLiteral("21.12.2026"));
        p.field(QStringLiteral("JKONTAKTLIIK")).setValue(1);
    }
    static void trigger(TfJKontaktEdit &w, const char *action)
    {
        QAction *a = w.findChild<QAction *>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
    qint64 plansOfClient(int client)
    {
        return count(QStringLiteral("select count(*) from KLIJKONT where KLIKOOD = %1").arg(client));
    }
};

TEST_F(PlanWindowTest, CaptionFollowsTheRecord)
{
    auto w = newPlanWindow();
    EXPECT_TRUE(w->isOpened());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Uus planeering - Oma Klient"));
    EXPECT_EQ(w->agreement()->currentText(), QStringLiteral("Määramata (?)"));
    fillRequired(*w);
    w->Save();
    EXPECT_EQ(w->module()->taKliJargmKontakt()->state(), DataSet::State::Browse);
    EXPECT_GT(w->PlanId(), 0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Planeeritud kontakt - Oma Klient"));

    auto existing = planWindow(w->PlanId());
    EXPECT_EQ(existing->windowTitle(), QStringLiteral("Planeeritud kontakt - Oma Klient"));
    EXPECT_EQ(existing->edit(QStringLiteral("KLINIMI"))->text(), QStringLiteral("Oma Klient"));
    EXPECT_FALSE(TfJKontaktEdit(context(), 99999).isOpened());
}

TEST_F(PlanWindowTest, CommandsAreInTheMenuAndTheBar)
{
    auto w = newPlanWindow();
    for (const auto &[action, button, keys] :
         {std::tuple{"Naitaklienti1", "bShowClient", "Alt+E"}, std::tuple{"Kontaktkirja1", "bTeeKontakt", "Alt+A"}}) {
        QAction *a = w->findChild<QAction *>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(keys)));
        EXPECT_NE(w->findChild<QToolButton *>(QString::fromLatin1(button)), nullptr) << button;
    }
    EXPECT_EQ(w->findChild<QAction *>(QStringLiteral("Naitaklienti1"))->text(), QStringLiteral("Näita klienti"));
    trigger(*w, "Naitaklienti1");
    ASSERT_EQ(mainWindow.openedCards.size(), 1);
    EXPECT_EQ(mainWindow.openedCards.front(), qMakePair(1, 0));
}

TEST_F(PlanWindowTest, CalendarButtonWritesTheChosenDateAndCancelChangesNothing)
{
    const int id = seedPlan(1, 7, 7, "Y");
    auto w = planWindow(id);
    DataSet &p = *w->module()->taKliJargmKontakt();

    QDate opened;
    whenModal<TdlgCalendar>([&opened](TdlgCalendar *dlg) {
        opened = dlg->calendar()->selectedDate();
        dlg->reject();
    });
    static_cast<TDBEditBtn *>(w->edit(QStringLiteral("JKONTTAHTAEG")))->editButton().click();
    EXPECT_EQ(opened, QDate::currentDate());
    EXPECT_EQ(p.state(), DataSet::State::Browse);
    EXPECT_TRUE(p.field(QStringLiteral("JKONTTAHTAEG")).isNull());

    whenModal<TdlgCalendar>([&opened](TdlgCalendar *dlg) {
        opened = dlg->calendar()->selectedDate();
        dlg->calendar()->setSelectedDate(QDate(2026, 12, 20));
        dlg->accept();
    });
    static_cast<TDBEditBtn *>(w->edit(QStringLiteral("JKONTAKTKUUP")))->editButton().click();
    EXPECT_EQ(opened, QDate(2026, 12, 10));
    EXPECT_EQ(p.state(), DataSet::State::Edit);
    EXPECT_EQ(p.field(QStringLiteral("JKONTAKTKUUP")).asDate(), QDate(2026, 12, 20));
    EXPECT_EQ(w->edit(QStringLiteral("JKONTAKTKUUP"))->text(), QStringLiteral("20.12.2026"));
    w->Save();
    EXPECT_EQ(one(QStringLiteral("select JKONTAKTKUUP from KLIJKONT where JKONTAKTID = %1").arg(id)).toDate(),
              QDate(2026, 12, 20));
}

TEST_F(PlanWindowTest, RegisteringAgainstANewPlanAsksToSaveItFirst)
{
    const qint64 before = plansOfClient(1);
    {
        auto w = newPlanWindow();
        fillRequired(*w);
        ui.expectQuestion(SaveQuestion, QStringLiteral("Uus planeering - Oma Klient"), UserInterface::Answer::Cancel);
        trigger(*w, "Kontaktkirja1");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->module()->taKliJargmKontakt()->state(), DataSet::State::Insert);
        EXPECT_TRUE(mainWindow.registrations.isEmpty());

        ui.expectQuestion(SaveQuestion, QStringLiteral("Uus planeering - Oma Klient"), UserInterface::Answer::No);
        trigger(*w, "Kontaktkirja1");
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(mainWindow.registrations.isEmpty());
        EXPECT_EQ(plansOfClient(1), before);
    }
    auto w = newPlanWindow();
    fillRequired(*w);
    ui.expectQuestion(SaveQuestion, QStringLiteral("Uus planeering - Oma Klient"), UserInterface::Answer::Yes);
    trigger(*w, "Kontaktkirja1");
    EXPECT_EQ(plansOfClient(1), before + 1);
    ASSERT_EQ(mainWindow.registrations.size(), 1);
    EXPECT_EQ(mainWindow.registrations.front().planId, w->PlanId());
    EXPECT_EQ(mainWindow.registrations.front().agentCode, 7);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(PlanWindowTest, RefusedRegistrationKeepsTheWindow)
{
    const int id = seedPlan(1, 7, 7, "Y");
    auto w = planWindow(id);
    mainWindow.registrationTaken = false;
    trigger(*w, "Kontaktkirja1");
    ASSERT_EQ(mainWindow.registrations.size(), 1);
    EXPECT_EQ(mainWindow.registrations.front().planId, id);
    EXPECT_TRUE(w->isVisible());
    mainWindow.registrationTaken = true;
    trigger(*w, "Kontaktkirja1");
    EXPECT_EQ(mainWindow.registrations.size(), 2);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(PlanWindowTest, DeleteAsksTheModulesQuestionAndCloses)
{
    const int id = seedPlan(1, 7, 7, "Y");
    auto w = planWindow(id);
    ui.expectQuestion(QStringLiteral("Tühistame kontakti planeeringu ?"),
                      QStringLiteral("Planeeritud kontakt - Oma Klient"), UserInterface::Answer::No);
    trigger(*w, "Kustuta1");
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIJKONT where JKONTAKTID = %1").arg(id)), 1);
    ui.expectQuestion(QStringLiteral("Tühistame kontakti planeeringu ?"),
                      QStringLiteral("Planeeritud kontakt - Oma Klient"), UserInterface::Answer::Yes);
    trigger(*w, "Kustuta1");
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(count(QStringLiteral("select count(*) from KLIJKONT where JKONTAKTID = %1").arg(id)), 0);
}

TEST_F(PlanWindowTest, PlannerAndProjectAreEnabledByRights)
{
    auto w = newPlanWindow();
    EXPECT_FALSE(w->edit(QStringLiteral("REGAGENTNIMI"))->isEnabled());
    EXPECT_FALSE(w->edit(QStringLiteral("PROJNIMI"))->isEnabled());
    EXPECT_TRUE(w->edit(QStringLiteral("AGENTNIMI"))->isEnabled());
    session.Level = 3;
    session.ProjectChoiceAllowed = true;
    auto manager = newPlanWindow();
    EXPECT_TRUE(manager->edit(QStringLiteral("REGAGENTNIMI"))->isEnabled());
    EXPECT_TRUE(manager->edit(QStringLiteral("PROJNIMI"))->isEnabled());
}

TEST_F(PlanWindowTest, AgentButtonOffersTheClientsAgents)
{
    auto w = newPlanWindow(2, QStringLiteral("Võõras Klient"));
    QStringList offered;
    ui.expectRecordSelection(QStringLiteral("Agendid"), true, 0, &offered, QStringLiteral("AGENTKOOD"));
    static_cast<TDBEditBtn *>(w->edit(QStringLiteral("AGENTNIMI")))->editButton().click();
    EXPECT_EQ(offered, QStringList{QStringLiteral("3")});
    DataSet &p = *w->module()->taKliJargmKontakt();
    EXPECT_EQ(p.field(QStringLiteral("AGENTKOOD")).asInt(), 3);
    EXPECT_EQ(w->edit(QStringLiteral("AGENTNIMI"))->text(), QStringLiteral("Agent Nr 3"));
    // Closing with the unsaved plan: dropped.
    ui.expectQuestion(SaveQuestion, QStringLiteral("Uus planeering - Võõras Klient"), UserInterface::Answer::No);
    w->close();
}

} // namespace
