// The register windows of agents, contact types, work-plan settings, projects, legal forms,
// countries and places, and the own company dialog, on the demo database offscreen.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "WindowDriver.h"
#include "app/TfMain.h"
#include "app/WindowCatalog.h"
#include "data/DataSet.h"
#include "data/DemoData.h"
#include "data/FilterBuilder.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "data/TdmUserSettings1.h"
#include "reference/TdlgOmaFirmaAndmed.h"
#include "reference/TfAgMinutMaxMyyk.h"
#include "reference/TfAgendid.h"
#include "reference/TfKontaktiLiigid.h"
#include "reference/TfLinnadVallad.h"
#include "reference/TfOmandiVormid.h"
#include "reference/TfProjektid.h"
#include "reference/TfRiigid.h"
#include "ui/DataSetModel.h"
#include "ui/EditButton.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEdit.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBGrid.h"
#include "ui/TEditBtn.h"
#include "ui/THDBNavigator.h"
#include "ui/TdlgCalendar.h"

using Answer = data::UserInterface::Answer;

namespace {

const char *const LevelTooLow = "Kasutajanivoo liiga madal !";
const char *const DeleteQuestion = "Kustutame kirje ?";

QStringList headers(TDBGrid *grid)
{
    QStringList h;
    for (int c = 0; c < grid->dataModel()->columnCount(); ++c)
        h << grid->dataModel()->headerData(c, Qt::Horizontal).toString();
    return h;
}

QStringList column(data::DataSet &ds, const char *field)
{
    ds.fetchAll();
    QStringList values;
    for (int r = 0; r < ds.fetchedCount(); ++r)
        values << ds.valueAt(r, ds.field(QString::fromLatin1(field)).index()).toString();
    return values;
}

class RegisterWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 5;
        session.AgentCode = 0;
        module = std::make_unique<data::TData1>(&ui, nullptr, &session);
        module->Database1Params() = TempDatabase::demo().params();
        module->Connect();
        settings =
            std::make_unique<TdmUserSettings1>(dir.filePath("velkora1IB"), dir.path(), dir.filePath("registry.ini"));
        settings->load(QString());
        main = std::make_unique<TfMain>(module.get(), &session, &ui);
        module->setMainServices(main.get());
        main->setUserSettings(settings.get());
        main->windowFactory = [this](const QString &c) {
            return WindowCatalog::create(c, WindowContext{module.get(), &ui});
        };
        main->resize(1100, 800);
        main->show();
    }
    void TearDown() override
    {
        main->confirmClose = false;
        for (QMdiSubWindow *sub : main->mdiArea()->subWindowList())
            if (auto *child = qobject_cast<TfChildBtnBarForm01 *>(sub->widget()))
                child->CancelAll();
        main.reset();
        module.reset();
        EXPECT_TRUE(ui.allSeen());
    }
    qint64 count(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        return q.scalar().toLongLong();
    }
    QVariant one(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        return q.scalar();
    }
    void exec(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        q.exec();
        module->IBTransaction1().commitRetaining();
    }
    template <typename T> T *open(const char *handler)
    {
        main->command(QString::fromLatin1(handler))->trigger();
        QApplication::processEvents();
        return qobject_cast<T *>(main->mdiArea()->activeSubWindow() ? main->mdiArea()->activeSubWindow()->widget()
                                                                    : nullptr);
    }
    static void run(QWidget *w, const char *command)
    {
        w->findChild<QAction *>(QString::fromLatin1(command))->trigger();
    }
    static void type(TDBEdit *edit, const QString &text)
    {
        replaceText(edit, text);
        edit->updateRecord();
    }

    QTemporaryDir dir;
    ScriptedUserInterface ui;
    data::Session session;
    std::unique_ptr<data::TData1> module;
    std::unique_ptr<TdmUserSettings1> settings;
    std::unique_ptr<TfMain> main;
};

TEST_F(RegisterWindowsTest, EachWindowShowsItsColumnsUnderItsCaption)
{
    struct Expected
    {
        const char *handler;
        const char *caption;
        QStringList columns;
        bool copy;
    };
    const Expected windows[] = {
        {"Agendid1Click",
         "Agendid",
         {"Kood", "EesNimi", "PerekonnaNimi", "Telefon", "Fax", "Email", "AgentAktiivne", "Aadress", "IsikuKood",
          "LinnVald", "Osakond", "MeieLiin1", "MeieLiin2"},
         true},
        {"Kontaktiliigid1Click",
         "Kontaktiliigid",
         {"Kood", "Nimetus", "MassKontakt", "KontaktiLiikAktiivne", "PlaanilineKestvus"},
         true},
        {"Maxmkjaminutid1Click", "Max müük ja minutid", {"Alates_kuupäevast", "Minutid", "Max_müük"}, true},
        {"Projektid1Click",
         "Projektid",
         {"ProjID", "ProjNimi", "ProjKomment", "ProjURL", "Aktiivne", "VälisLiin1", "VälisLiin2", "MeieLiin1",
          "MeieLiin2"},
         true},
        {"Omandivormid1Click", "Omandivormid", {"OmandiVorm", "Kirjeldus"}, false},
        {"Riigid1Click", "Riigid", {"RiikID", "RiigiNimi"}, false},
        {"Linnadvallad1Click", "Linnad-vallad", {"LinnValdKood", "LinnValdNimi", "RiikID", "Riik"}, true},
    };
    for (const Expected &e : windows) {
        auto *w = open<TfLk2Vorm01>(e.handler);
        ASSERT_NE(w, nullptr) << e.handler;
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(e.caption));
        EXPECT_EQ(headers(w->DBGrid2()), e.columns) << e.caption;
        EXPECT_EQ(w->bKoopia()->isHidden(), !e.copy) << e.caption;
        EXPECT_FALSE(w->dataSet()->isEmpty()) << e.caption;
    }
    auto *agents = qobject_cast<TfAgendid *>(main->openWindow("TfAgendid"));
    ASSERT_NE(agents, nullptr);
    EXPECT_EQ(agents->APageControl1()->tabText(2), QStringLiteral("&Põhipalk"));
    EXPECT_EQ(agents->APageControl1()->tabText(3), QStringLiteral("Müügikä&ive"));
    EXPECT_EQ(headers(agents->grPohiPalk()), (QStringList{"AlatesKuupäevast", "Põhipalk"}));
    EXPECT_EQ(headers(agents->grMyygiKaive()), (QStringList{"Perioodialgus", "Perioodilõpp", "Müügikäive"}));
}

TEST_F(RegisterWindowsTest, LevelTwoIsRefusedOnEveryGuardedRegisterAndNothingChanges)
{
    struct Guarded
    {
        const char *handler;
        const char *table;
    };
    const Guarded registers[] = {{"Agendid1Click", "AGENTK"},
                                 {"Kontaktiliigid1Click", "KONTLIIK"},
                                 {"Maxmkjaminutid1Click", "MINMAXM"},
                                 {"Projektid1Click", "PROJEKT"},
                                 {"Omandivormid1Click", "OMVORM"}};
    session.Level = 2;
    for (const Guarded &g : registers) {
        const QString table = QString::fromLatin1(g.table);
        const qint64 rows = count("select count(*) from " + table);
        auto *w = open<TfLk2Vorm01>(g.handler);
        ASSERT_NE(w, nullptr) << g.handler;
        ui.expectMessage(LevelTooLow, main->windowTitle());
        run(w, "Uuskirje1");
        ui.expectMessage(LevelTooLow, main->windowTitle());
        run(w, "Muudakirjet1");
        ui.expectQuestion(DeleteQuestion, main->windowTitle(), Answer::Yes);
        ui.expectMessage(LevelTooLow, main->windowTitle());
        run(w, "Kustutakirje1");
        EXPECT_TRUE(ui.allSeen()) << g.handler;
        EXPECT_EQ(w->dataSet()->state(), data::DataSet::State::Browse) << g.handler;
        EXPECT_EQ(count("select count(*) from " + table), rows) << g.handler;
    }

    // The agent's history rows are guarded the same way, in the grid and by its navigator.
    auto *agents = qobject_cast<TfAgendid *>(main->openWindow("TfAgendid"));
    ASSERT_NE(agents, nullptr);
    const qint64 salaries = count("select count(*) from AGPPALK");
    ui.expectMessage(LevelTooLow, main->windowTitle());
    agents->navPohiPalk()->click(THDBNavigator::Insert);
    ui.expectMessage(LevelTooLow, main->windowTitle());
    agents->navMyygiKaive()->click(THDBNavigator::Insert);
    EXPECT_EQ(count("select count(*) from AGPPALK"), salaries);
    EXPECT_FALSE(agents->grPohiPalk()->dataSet()->isEditing());
}

TEST_F(RegisterWindowsTest, ProtectedAgentColumnsNeedTheirLevelWhileOthersMayChange)
{
    auto *agents = open<TfAgendid>("Agendid1Click");
    ASSERT_NE(agents, nullptr);
    data::DataSet &ds = *agents->dataSet();
    const int code = static_cast<int>(ds.field("AGENTKOOD").asInt());
    const QString phone = ds.field("AGTEL").asString();
    run(agents, "Muudakirjet1");
    ASSERT_EQ(ds.state(), data::DataSet::State::Edit);

    // Below the columns' tag the row may still be edited, but not in these columns.
    session.Level = 2;
    for (const auto &[field, caption] :
         {std::pair<const char *, const char *>{"AGTEL", "Telefon"}, {"AGEESNIMI", "EesNimi"}, {"AGEMAIL", "Email"}}) {
        const QVariant before = ds.field(field).value();
        ui.expectMessage(QStringLiteral("Veergu '%1' keelatud muuta !").arg(caption), main->windowTitle());
        type(agents->edit(field), QStringLiteral("x1"));
        EXPECT_EQ(ds.field(field).value(), before) << field;
    }
    type(agents->edit("AGAADRESS"), QStringLiteral("Pikk 1"));
    EXPECT_EQ(ds.field("AGAADRESS").asString(), QStringLiteral("Pikk 1"));

    session.Level = 3;
    type(agents->edit("AGTEL"), QStringLiteral("5550001"));
    run(agents, "Salvesta1");
    EXPECT_EQ(
        one(QStringLiteral("select AGTEL || '/' || AGAADRESS from AGENTK where AGENTKOOD = %1").arg(code)).toString(),
        QStringLiteral("5550001/Pikk 1"));
    EXPECT_NE(phone, QStringLiteral("5550001"));
}

TEST_F(RegisterWindowsTest, PlacePickerSetsThePlaceAndItsCountryAndDeleteClearsBoth)
{
    exec("update or insert into RIIK (RIIKID, RIIGINIMI) values (9101, 'Valimaa') matching (RIIKID)");
    exec("update or insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (9101, 'Aaaküla', 9101) "
         "matching (LINNVALDKOOD)");
    auto *agents = open<TfAgendid>("Agendid1Click");
    ASSERT_NE(agents, nullptr);
    data::DataSet &ds = *agents->dataSet();
    const int code = static_cast<int>(ds.field("AGENTKOOD").asInt());

    // The list is by name: the new place comes first.
    QStringList shown;
    ui.expectRecordSelection("Linna-valla valik", true, 0, &shown, "LINNVALDNIMI");
    agents->edLinnVald()->editButton().click();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), QStringLiteral("Aaaküla"));
    EXPECT_EQ(ui.lastRecordChoice().keyField, QStringLiteral("LINNVALDKOOD"));
    EXPECT_EQ(ds.field("LINNVALDKOOD").asInt(), 9101);
    EXPECT_EQ(ds.field("RIIKID").asInt(), 9101);
    EXPECT_EQ(agents->edLinnVald()->text(), QStringLiteral("Aaaküla"));
    run(agents, "Salvesta1");
    EXPECT_EQ(count(QStringLiteral("select count(*) from AGENTK where AGENTKOOD = %1 and LINNVALDKOOD = 9101 "
                                   "and RIIKID = 9101")
                        .arg(code)),
              1);

    // Delete in the place empties the place and its code.
    agents->edLinnVald()->setFocus();
    QTest::keyClick(agents->edLinnVald(), Qt::Key_Delete);
    EXPECT_TRUE(ds.field("LINNVALDKOOD").isNull());
    EXPECT_TRUE(agents->edLinnVald()->text().isEmpty());
    run(agents, "Salvesta1");
    EXPECT_EQ(
        count(QStringLiteral("select count(*) from AGENTK where AGENTKOOD = %1 and LINNVALDKOOD is null").arg(code)),
        1);
}

TEST_F(RegisterWindowsTest, HistoryDatesComeFromTheCalendarInTheGrid)
{
    auto *agents = open<TfAgendid>("Agendid1Click");
    ASSERT_NE(agents, nullptr);
    const int code = static_cast<int>(agents->dataSet()->field("AGENTKOOD").asInt());
    data::DataSet &salary = *agents->grPohiPalk()->dataSet();
    agents->APageControl1()->setCurrentIndex(2);
    agents->navPohiPalk()->click(THDBNavigator::Insert);
    ASSERT_EQ(salary.state(), data::DataSet::State::Insert);
    TDBGrid *grid = agents->grPohiPalk();

    // On the amount column the button does nothing.
    grid->setCurrentIndex(grid->dataModel()->index(salary.currentRow(), grid->dataModel()->columnOfField("POHIPALK")));
    agents->HistoryDateBtnClick(grid);

    const QModelIndex dateCell =
        grid->dataModel()->index(salary.currentRow(), grid->dataModel()->columnOfField("PALGUSKUUP"));
    grid->setCurrentIndex(dateCell);
    grid->edit(dateCell);
    QPointer<TEditBtn> editor = qobject_cast<TEditBtn *>(grid->indexWidget(dateCell));
    ASSERT_FALSE(editor.isNull());
    whenModal<TdlgCalendar>([](TdlgCalendar *dlg) {
        dlg->findChild<QCalendarWidget *>()->setSelectedDate(QDate(2031, 3, 1));
        dlg->accept();
    });
    emit editor->OnBtnClick();
    EXPECT_EQ(salary.field("PALGUSKUUP").asDate(), QDate(2031, 3, 1));
    // Closing the cell's edit, if the calendar left it open, keeps the chosen date.
    if (editor)
        QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(salary.field("PALGUSKUUP").asDate(), QDate(2031, 3, 1));
    salary.field("POHIPALK").setText(QStringLiteral("1234.5"));
    EXPECT_EQ(salary.field("POHIPALK").text(true), QStringLiteral("1234.50"));
    agents->navPohiPalk()->click(THDBNavigator::Post);
    EXPECT_EQ(count(QStringLiteral("select count(*) from AGPPALK where AGENTKOOD = %1 and PALGUSKUUP = '1.3.2031' "
                                   "and POHIPALK = 1234.5")
                        .arg(code)),
              1);
}

TEST_F(RegisterWindowsTest, WorkPlanStartDateFromTheCalendarOpensOnTheTypedDate)
{
    auto *plan = open<TfAgMinutMaxMyyk>("Maxmkjaminutid1Click");
    ASSERT_NE(plan, nullptr);
    run(plan, "Uuskirje1");
    replaceText(plan->edAlatesKuupaevast(), QStringLiteral("3.4.2033"));
    QDate shownOn;
    whenModal<TdlgCalendar>([&shownOn](TdlgCalendar *dlg) {
        shownOn = dlg->selectedDate();
        dlg->findChild<QCalendarWidget *>()->setSelectedDate(QDate(2033, 4, 5));
        dlg->accept();
    });
    plan->edAlatesKuupaevast()->editButton().click();
    EXPECT_EQ(shownOn, QDate(2033, 4, 3));
    EXPECT_EQ(plan->edAlatesKuupaevast()->text(), QStringLiteral("05.04.2033"));
    type(plan->edMinutid(), QStringLiteral("900"));
    run(plan, "Salvesta1");
    EXPECT_EQ(count("select count(*) from MINMAXM where MALGUSKUUP = '5.4.2033' and MINUTID = 900"), 1);
}

TEST_F(RegisterWindowsTest, CountryTypedByNameIsFoundInAnyCaseAndAnUnknownOneChangesNothing)
{
    exec("update or insert into RIIK (RIIKID, RIIGINIMI) values (9201, 'Kaugemaa') matching (RIIKID)");
    exec("update or insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (9201, 'Kaugküla', 1) "
         "matching (LINNVALDKOOD)");
    auto *places = open<TfLinnadVallad>("Linnadvallad1Click");
    ASSERT_NE(places, nullptr);
    data::DataSet &ds = *places->dataSet();
    ASSERT_TRUE(ds.locate("LINNVALDKOOD", 9201));
    run(places, "Muudakirjet1");
    type(places->edRiik(), QStringLiteral("kAUGEMAA"));
    EXPECT_EQ(ds.field("RIIKID").asInt(), 9201);
    EXPECT_EQ(places->edRiik()->text(), QStringLiteral("kAUGEMAA"));
    // No question, no list: the country stays as it was.
    type(places->edRiik(), QStringLiteral("Kauge"));
    EXPECT_EQ(ds.field("RIIKID").asInt(), 9201);
    run(places, "Salvesta1");
    EXPECT_EQ(count("select count(*) from LINNVALD where LINNVALDKOOD = 9201 and RIIKID = 9201"), 1);
    EXPECT_EQ(places->edRiik()->text(), QStringLiteral("Kaugemaa"));

    // The "..." lists the countries by name.
    QStringList shown;
    ui.expectRecordSelection("Riigid", true, 0, &shown, "RIIGINIMI");
    places->edRiik()->editButton().click();
    EXPECT_EQ(shown, column(*module->dataSet("taRiigidL"), "RIIGINIMI"));
    const QVariant first = one("select first 1 RIIKID from RIIK order by RIIGINIMI");
    EXPECT_EQ(ds.field("RIIKID").value().toInt(), first.toInt());
    run(places, "Salvesta1");
    EXPECT_EQ(count(QStringLiteral("select count(*) from LINNVALD where LINNVALDKOOD = 9201 and RIIKID = %1")
                        .arg(first.toInt())),
              1);
}

TEST_F(RegisterWindowsTest, RenamedCountryShowsInTheOpenPlacesWindowAndTheLookupCopies)
{
    exec("update or insert into RIIK (RIIKID, RIIGINIMI) values (9301, 'Vanamaa') matching (RIIKID)");
    exec("update or insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (9301, 'Vanaküla', 9301) "
         "matching (LINNVALDKOOD)");
    auto *places = open<TfLinnadVallad>("Linnadvallad1Click");
    ASSERT_NE(places, nullptr);
    ASSERT_TRUE(places->dataSet()->locate("LINNVALDKOOD", 9301));
    EXPECT_EQ(places->dataSet()->field("RIIGINIMI").asString(), QStringLiteral("Vanamaa"));
    data::DataSet &countryList = *module->dataSet("taRiigidL");

    auto *countries = open<TfRiigid>("Riigid1Click");
    ASSERT_NE(countries, nullptr);
    ASSERT_TRUE(countries->dataSet()->locate("RIIKID", 9301));
    run(countries, "Muudakirjet1");
    type(countries->edRiigiNimi(), QStringLiteral("Uusmaa"));
    run(countries, "Salvesta1");

    EXPECT_EQ(places->dataSet()->field("LINNVALDKOOD").asInt(), 9301);
    EXPECT_EQ(places->dataSet()->field("RIIGINIMI").asString(), QStringLiteral("Uusmaa"));
    const int shownAt = places->DBGrid2()->dataModel()->columnOfField("RIIGINIMI");
    EXPECT_EQ(places->DBGrid2()->dataModel()->index(places->dataSet()->currentRow(), shownAt).data().toString(),
              QStringLiteral("Uusmaa"));
    EXPECT_TRUE(column(countryList, "RIIGINIMI").contains(QStringLiteral("Uusmaa")));
    EXPECT_FALSE(column(countryList, "RIIGINIMI").contains(QStringLiteral("Vanamaa")));
}

TEST_F(RegisterWindowsTest, CountryInUseIsNotDeletedAndTheUserIsToldWhy)
{
    exec("update or insert into RIIK (RIIKID, RIIGINIMI) values (9401, 'Kasutusmaa') matching (RIIKID)");
    exec("update or insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (9401, 'Kasutusküla', 9401) "
         "matching (LINNVALDKOOD)");
    auto *countries = open<TfRiigid>("Riigid1Click");
    ASSERT_NE(countries, nullptr);
    data::DataSet &ds = *countries->dataSet();
    ASSERT_TRUE(ds.locate("RIIKID", 9401));
    const int rows = ds.recordCount();
    ui.expectQuestion(DeleteQuestion, main->windowTitle(), Answer::Yes);
    // The navigator stands in the main window's tool bar: its messages carry the main caption.
    ui.expectMessage("Kirjet ei saa kustutada: see on kasutusel (Linnad-vallad).", main->windowTitle());
    run(countries, "Kustutakirje1");
    EXPECT_EQ(count("select count(*) from RIIK where RIIKID = 9401"), 1);
    EXPECT_EQ(ds.recordCount(), rows);
    EXPECT_EQ(ds.field("RIIKID").asInt(), 9401);

    // Not in use, it goes.
    exec("delete from LINNVALD where LINNVALDKOOD = 9401");
    ui.expectQuestion(DeleteQuestion, main->windowTitle(), Answer::Yes);
    run(countries, "Kustutakirje1");
    EXPECT_EQ(count("select count(*) from RIIK where RIIKID = 9401"), 0);
}

TEST_F(RegisterWindowsTest, LookupCopiesAreReloadedAfterEveryPost)
{
    for (const char *list : {"taAgendidL", "taKontaktiLiigidL", "taTavaKontaktiLiigid", "taMassKontaktiLiigid",
                             "taProjektidL", "taOmandiVormidL", "taRiigidL"})
        module->dataSet(QString::fromLatin1(list))->open();

    auto *agents = open<TfAgendid>("Agendid1Click");
    ASSERT_NE(agents, nullptr);
    run(agents, "Uuskirje1");
    type(agents->edit("AGEESNIMI"), QStringLiteral("Uuno"));
    type(agents->edit("AGPERENIMI"), QStringLiteral("Uustulnuk"));
    run(agents, "Salvesta1");
    EXPECT_TRUE(column(*module->dataSet("taAgendidL"), "AGKOGUNIMI").contains(QStringLiteral("Uuno Uustulnuk")));

    auto *types = open<TfKontaktiLiigid>("Kontaktiliigid1Click");
    ASSERT_NE(types, nullptr);
    run(types, "Uuskirje1");
    type(types->edNimetus(), QStringLiteral("Messikülastus"));
    QTest::mouseClick(types->cbMassKontakt(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, types->cbMassKontakt()->height() / 2));
    EXPECT_EQ(types->dataSet()->field("MASSKONTAKT").asString(), QStringLiteral("Y"));
    EXPECT_TRUE(types->cbMassKontakt()->isVisible());
    run(types, "Salvesta1");
    EXPECT_EQ(count("select count(*) from KONTLIIK where KONTAKTLIIKNIMI = 'Messikülastus' and MASSKONTAKT = 'Y'"), 1);
    EXPECT_TRUE(
        column(*module->dataSet("taKontaktiLiigidL"), "KONTAKTLIIKNIMI").contains(QStringLiteral("Messikülastus")));
    EXPECT_TRUE(
        column(*module->dataSet("taMassKontaktiLiigid"), "KONTAKTLIIKNIMI").contains(QStringLiteral("Messikülastus")));
    EXPECT_FALSE(
        column(*module->dataSet("taTavaKontaktiLiigid"), "KONTAKTLIIKNIMI").contains(QStringLiteral("Messikülastus")));

    auto *projects = open<TfProjektid>("Projektid1Click");
    ASSERT_NE(projects, nullptr);
    run(projects, "Uuskirje1");
    type(projects->edProjNimi(), QStringLiteral("Talvekampaania"));
    run(projects, "Salvesta1");
    EXPECT_TRUE(column(*module->dataSet("taProjektidL"), "PROJNIMI").contains(QStringLiteral("Talvekampaania")));
    EXPECT_EQ(count("select count(*) from PROJEKT where PROJNIMI = 'Talvekampaania' and PROJAKTIIVNE = 'Y'"), 1);

    auto *forms = open<TfOmandiVormid>("Omandivormid1Click");
    ASSERT_NE(forms, nullptr);
    run(forms, "Uuskirje1");
    type(forms->edOmandiVorm(), QStringLiteral("SIHTAS"));
    type(forms->edKirjeldus(), QStringLiteral("Sihtasutus"));
    run(forms, "Salvesta1");
    EXPECT_TRUE(column(*module->dataSet("taOmandiVormidL"), "OMANDIVORM").contains(QStringLiteral("SIHTAS")));

    auto *countries = open<TfRiigid>("Riigid1Click");
    ASSERT_NE(countries, nullptr);
    run(countries, "Uuskirje1");
    type(countries->edRiigiNimi(), QStringLiteral("Islandi"));
    run(countries, "Salvesta1");
    EXPECT_TRUE(column(*module->dataSet("taRiigidL"), "RIIGINIMI").contains(QStringLiteral("Islandi")));
}

TEST_F(RegisterWindowsTest, OwnCompanyNeedsLevelFiveAndANameOfThreeCharacters)
{
    session.Level = 4;
    bool opened = false;
    main->onOpenWindow = [&opened](const QString &) { opened = true; };
    ui.expectMessage("Kasutajaõigused puuduvad !\r\nPöörduge süsteemi administraatori poole.", "Teade");
    main->command("Omafirmaandmed1Click")->trigger();
    EXPECT_FALSE(opened);
    session.Level = 5;
    main->command("Omafirmaandmed1Click")->trigger();
    EXPECT_TRUE(opened);

    const QString before = one("select FIRNIMI || '/' || coalesce(FIRTEL, '') from OMAFIRMA").toString();
    data::DataSet &company = *module->dataSet("taOmaFirma");
    {
        TdlgOmaFirmaAndmed dlg(module.get(), &ui, main.get());
        dlg.show();
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Oma firma andmed"));
        type(dlg.edit("FIRNIMI"), QStringLiteral("  AB  "));
        type(dlg.edit("FIRTEL"), QStringLiteral("6000000"));
        ui.expectMessage("Firma nime minimaalne pikkus on 3 sümbolit", "Oma firma andmed");
        dlg.bOK()->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(company.isEditing());
        EXPECT_EQ(dlg.edit("FIRNIMI")->text(), QStringLiteral("  AB  "));
        // Cancel drops what was typed.
        dlg.bCancel()->click();
        EXPECT_FALSE(company.isEditing());
    }
    EXPECT_EQ(one("select FIRNIMI || '/' || coalesce(FIRTEL, '') from OMAFIRMA").toString(), before);

    TdlgOmaFirmaAndmed dlg(module.get(), &ui, main.get());
    dlg.show();
    type(dlg.edit("FIRNIMI"), QStringLiteral(" ABC "));
    type(dlg.edit("FIRTEL"), QStringLiteral("6000000"));
    dlg.bOK()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(count("select count(*) from OMAFIRMA where trim(FIRNIMI) = 'ABC' and FIRTEL = '6000000'"), 1);
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
