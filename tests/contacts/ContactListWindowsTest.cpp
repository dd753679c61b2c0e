// The planned and performed contacts lists as windows offscreen: opened from the main menu on the
// session's filters, filtered through their controls, their commands handed to the main window,
// closed and opened again.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "ContactListsDatabase.h"
#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "WindowDriver.h"
#include "app/TfMain.h"
#include "app/WindowCatalog.h"
#include "contacts/TfKontaktidKoond.h"
#include "contacts/TfPlaneeritudKontaktid.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/TData1.h"
#include "data/TdmUserSettings1.h"
#include "ui/DataSetModel.h"
#include "ui/DateRange.h"
#include "ui/TDBGrid.h"
#include "ui/TDynFilterComboBox.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/TEditBtn.h"

namespace {

class ContactListWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 5;
        session.AgentCode = 7;
        session.AgentName = QStringLiteral("Jaan Juurikas");
        session.DefaultAgentFilter = true;
    }
    // The program as the user starts it: logged in, the session's filters set, the main window up.
    void start()
    {
        module = std::make_unique<data::TData1>(&ui, nullptr, &session);
        module->Database1Params() = contactListsDatabase().params();
        module->Connect();
        data::SetFilterUserInterface(&ui);
        settings =
            std::make_unique<TdmUserSettings1>(dir.filePath("velkora1IB"), dir.path(), dir.filePath("registry.ini"));
        settings->load(QString());
        main = std::make_unique<TfMain>(module.get(), &session, &ui);
        module->setMainServices(main.get());
        main->setUserSettings(settings.get());
        main->windowFactory = [this](const QString &c) {
            return WindowCatalog::create(c, WindowContext{module.get(), &ui});
        };
        main->resize(1300, 900);
        main->show();
        module->SetSessionFilters();
    }
    void TearDown() override
    {
        if (main) {
            main->confirmClose = false;
            main.reset();
        }
        data::SetFilterUserInterface(nullptr);
        module.reset();
        EXPECT_TRUE(ui.allSeen());
    }
    template <typename T> T *open(const char *handler)
    {
        main->command(QString::fromLatin1(handler))->trigger();
        QApplication::processEvents();
        return qobject_cast<T *>(main->mdiArea()->activeSubWindow() ? main->mdiArea()->activeSubWindow()->widget()
                                                                    : nullptr);
    }
    void closeWindow(QWidget *w)
    {
        w->parentWidget()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    static QList<int> keys(TDBGrid *grid, const char *field)
    {
        data::DataSet *ds = grid->dataSet();
        ds->fetchAll();
        QList<int> values;
        const int f = ds->field(QString::fromLatin1(field)).index();
        for (int row = 0; row < ds->fetchedCount(); ++row)
            values << ds->valueAt(row, f).toInt();
        return values;
    }
    static QList<int> sorted(QList<int> l)
    {
        std::sort(l.begin(), l.end());
        return l;
    }
    static QStringList headers(TDBGrid *grid, int count)
    {
        QStringList h;
        for (int visual = 0; visual < count; ++visual)
            h << grid->model()->headerData(grid->horizontalHeader()->logicalIndex(visual), Qt::Horizontal).toString();
        return h;
    }
    static void enter(QWidget *w)
    {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        QApplication::processEvents();
    }
    static void choose(TDynFilterComboBox *c, const QString &text) { c->setCurrentIndex(c->findText(text)); }

    QTemporaryDir dir;
    ScriptedUserInterface ui;
    data::Session session;
    std::unique_ptr<data::TData1> module;
    std::unique_ptr<TdmUserSettings1> settings;
    std::unique_ptr<TfMain> main;
};

TEST_F(ContactListWindowsTest, PlannedListOpensOnceOnTheOwnPlansWithItsColumns)
{
    start();
    auto *list = open<TfPlaneeritudKontaktid>("Tnaseksplaneeritudkontaktid1Click");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Planeeritud kontaktid"));
    EXPECT_EQ(list->dfdbcAgentKood()->keyValue(), QStringLiteral("7"));
    EXPECT_EQ(list->dfdbcAgentKood()->currentText(), QStringLiteral("Jaan Juurikas"));
    EXPECT_TRUE(list->dfdbcAgentKood()->isEnabled());
    EXPECT_EQ(list->cbTahtaegVordlus()->currentText(), QStringLiteral("<="));
    EXPECT_EQ(keys(list->DBGrid1(), "JKONTAKTID"), (QList<int>{2, 1}));
    EXPECT_EQ(
        headers(list->DBGrid1(), 21),
        (QStringList{"Kuupäev",   "Kell",    "Kuupäev_kuni", "Kuni",          "Klient",  "Kontaktisik", "KontaktiLiik",
                     "Kokkulepe", "Teema",   "Kommentaarid", "Aadress",       "Telefon", "Fax",         "EMail",
                     "Agent",     "Tähtaeg", "Planeerija",   "AgentTutvunud", "Projekt", "TooteGrupp",  "Toode"}));
    // The client's name and address are computed here, yet get the room of a name.
    TDBGrid *grid = list->DBGrid1();
    int clientColumn = -1;
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (grid->dataModel()->fieldIndex(c) == grid->dataSet()->field(QStringLiteral("KLIENDINIMI")).index())
            clientColumn = c;
    }
    ASSERT_GE(clientColumn, 0);
    EXPECT_GT(grid->columnWidth(clientColumn), grid->fontMetrics().averageCharWidth() * 25);
    // Only the types of ordinary contacts are offered, not the mass offers' one.
    list->dfdbcJKontaktLiik()->setKeyValue(QStringLiteral("2"));
    EXPECT_EQ(list->dfdbcJKontaktLiik()->currentText(), QStringLiteral("Visiit"));
    list->dfdbcJKontaktLiik()->setKeyValue(QStringLiteral("3"));
    EXPECT_EQ(list->dfdbcJKontaktLiik()->currentIndex(), -1);
    for (const char *name : {"bAvaPlanKontakt", "bTeeKontakt", "bShowClient", "bPrint"})
        EXPECT_NE(list->buttonBar()->findChild<QToolButton *>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(list->findChild<QAction *>("Avaplaneering1")->shortcut(), QKeySequence(QStringLiteral("Alt+V")));
    EXPECT_EQ(list->findChild<QAction *>("Kontaktkirja1")->shortcut(), QKeySequence(QStringLiteral("Alt+A")));
    EXPECT_EQ(list->findChild<QAction *>("Naitaklienti1")->shortcut(), QKeySequence(QStringLiteral("Alt+E")));
    EXPECT_EQ(list->findChild<QAction *>("Valjatrukk1")->shortcut(), QKeySequence(QStringLiteral("Alt+P")));

    // The command again brings the same window forward.
    EXPECT_EQ(open<TfPlaneeritudKontaktid>("Tnaseksplaneeritudkontaktid1Click"), list);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
    closeWindow(list);
}

TEST_F(ContactListWindowsTest, PlannedFilterThroughTheControlsAndBackAfterReopening)
{
    start();
    auto *list = open<TfPlaneeritudKontaktid>("Tnaseksplaneeritudkontaktid1Click");
    ASSERT_NE(list, nullptr);
    list->dfdbcAgentKood()->clearValue();
    typeText(list->dfeJKontaktKuup(), QStringLiteral("1-2-2024"));
    typeText(list->dfeJKontaktKuupL(), QStringLiteral("1/2/2024"));
    enter(list->dfeJKontaktKuupL());
    EXPECT_EQ(keys(list->DBGrid1(), "JKONTAKTID"), (QList<int>{2, 1}));
    const QString statement = list->dataSet()->selectSql();

    // An impossible date is said and the rows stay.
    replaceText(list->dfeJKontaktKuupL(), QStringLiteral("32.01.2024"));
    ui.expectMessage(QStringLiteral("'32.01.2024' is not a valid date"), QStringLiteral("Planeeritud kontaktid"));
    enter(list->dfeJKontaktKuupL());
    EXPECT_EQ(list->dataSet()->selectSql(), statement);
    EXPECT_EQ(keys(list->DBGrid1(), "JKONTAKTID"), (QList<int>{2, 1}));

    list->dfeJKontaktKuupL()->clear();
    list->dfeJKontaktKuup()->clear();
    list->cbTahtaegVordlus()->setCurrentText(QStringLiteral(">="));
    typeText(list->dfeJKontaktTahtaeg(), QStringLiteral("5.2.2024"));
    enter(list->dfeJKontaktTahtaeg());
    EXPECT_EQ(keys(list->DBGrid1(), "JKONTAKTID"), (QList<int>{2, 1, 3}));
    choose(list->dfcbKokkulepe(), QStringLiteral("Jah"));
    list->dfdbcKliKood()->setKeyValue(QStringLiteral("1"));
    enter(list->dfcbKokkulepe());
    EXPECT_EQ(keys(list->DBGrid1(), "JKONTAKTID"), (QList<int>{1}));
    EXPECT_EQ(list->FilterDescription(),
              QStringLiteral("Klient: 'O'Brien Ltd' & Tähtaeg>='5.2.2024' & Kokkulepe: Jah"));
    const QString filtered = list->dataSet()->selectSql();
    closeWindow(list);

    list = open<TfPlaneeritudKontaktid>("Tnaseksplaneeritudkontaktid1Click");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->dfdbcAgentKood()->keyValue().isEmpty());
    EXPECT_EQ(list->dfdbcKliKood()->currentText(), QStringLiteral("O'Brien Ltd"));
    EXPECT_EQ(list->dfcbKokkulepe()->currentText(), QStringLiteral("Jah"));
    EXPECT_EQ(list->cbTahtaegVordlus()->currentText(), QStringLiteral(">="));
    EXPECT_EQ(list->dfeJKontaktTahtaeg()->text(), QStringLiteral("05.02.2024"));
    EXPECT_TRUE(list->dfeJKontaktKuup()->text().isEmpty());
    EXPECT_EQ(list->dataSet()->selectSql(), filtered);
    EXPECT_EQ(keys(list->DBGrid1(), "JKONTAKTID"), (QList<int>{1}));

    // The date-range menu writes both dates; "Näita kõiki" empties them.
    list->popKuupValik()->findChild<QAction *>("Jrgminekuu1")->trigger();
    const auto next = DateRangeForTag(32, QDate::currentDate());
    EXPECT_EQ(list->dfeJKontaktKuup()->text(), next.first.toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_EQ(list->dfeJKontaktKuupL()->text(), next.second.toString(QStringLiteral("dd.MM.yyyy")));
    list->popKuupValik()->findChild<QAction *>("mnuKuupNitakiki1")->trigger();
    EXPECT_TRUE(list->dfeJKontaktKuup()->text().isEmpty());
    EXPECT_TRUE(list->dfeJKontaktKuupL()->text().isEmpty());
    // The planned list has no past periods in its menu.
    EXPECT_EQ(list->popKuupValik()->findChild<QAction *>("Eile1"), nullptr);
    closeWindow(list);
}

TEST_F(ContactListWindowsTest, LevelOneKeepsTheAgentOfTheSession)
{
    session.Level = 1;
    start();
    auto *list = open<TfPlaneeritudKontaktid>("Tnaseksplaneeritudkontaktid1Click");
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->dfdbcAgentKood()->isEnabled());
    EXPECT_EQ(list->dfdbcAgentKood()->keyValue(), QStringLiteral("7"));
    // Even a cleared agent field leaves the agent's plans.
    list->dfdbcAgentKood()->clearValue();
    enter(list->dfeJKontaktKuup());
    EXPECT_EQ(keys(list->DBGrid1(), "JKONTAKTID"), (QList<int>{2, 1}));
    closeWindow(list);
}

TEST_F(ContactListWindowsTest, PlannedCommandsHandThePlanToTheMainWindowAndPrintInDateOrder)
{
    start();
    RecordingMain recording;
    module->setMainServices(&recording);
    {
        TfPlaneeritudKontaktid list(WindowContext{module.get(), &ui});
        list.show();
        list.dfdbcAgentKood()->clearValue();
        QStringList clients;
        ui.expectRecordSelection(QStringLiteral("Kliendi valik"), true, 0, &clients, QStringLiteral("KLINIMI"));
        list.bSelClient()->click();
        EXPECT_EQ(clients, (QStringList{"Lai Pood", "O'Brien Ltd", "Tartu Kivi"}));
        EXPECT_EQ(list.dfdbcKliKood()->currentText(), QStringLiteral("Lai Pood"));
        enter(list.dfeJKontaktKuup());
        EXPECT_EQ(keys(list.DBGrid1(), "JKONTAKTID"), QList<int>{3});
        list.findChild<QAction *>("Avaplaneering1")->trigger();
        list.findChild<QAction *>("Kontaktkirja1")->trigger();
        list.findChild<QAction *>("Naitaklienti1")->trigger();
        emit list.DBGrid1()->doubleClicked(list.DBGrid1()->model()->index(0, 0));
        EXPECT_EQ(recording.openedNextContacts, (QList<int>{3, 3}));
        EXPECT_EQ(recording.registeredContacts, QList<int>{3});
        EXPECT_EQ(recording.openedCards, (QList<QPair<int, int>>{{3, 0}}));

        // Printing sorts by planned date and time whatever the grid was sorted by.
        list.dfdbcKliKood()->clearValue();
        enter(list.dfeJKontaktKuup());
        data::ApplyOrder(*list.dataSet(), QStringLiteral("KLIJKONT.JKONTAKTTEEMA"));
        ASSERT_NE(keys(list.DBGrid1(), "JKONTAKTID"), (QList<int>{4, 2, 1, 3}));
        whenModal<QDialog>([](QDialog *d) { d->reject(); });
        list.findChild<QAction *>("Valjatrukk1")->trigger();
        EXPECT_EQ(keys(list.DBGrid1(), "JKONTAKTID"), (QList<int>{4, 2, 1, 3}));
        EXPECT_EQ(data::FilterFor(*list.dataSet()).appliedOrder, QStringLiteral("JKONTAKTKUUP;JKONTAKTKELL"));

        // On an empty list the commands do nothing.
        list.dfdbcKliKood()->setKeyValue(QStringLiteral("3"));
        typeText(list.dfeJKontaktKuupL(), QStringLiteral("01.01.2024"));
        enter(list.dfeJKontaktKuupL());
        ASSERT_TRUE(keys(list.DBGrid1(), "JKONTAKTID").isEmpty());
        list.findChild<QAction *>("Avaplaneering1")->trigger();
        list.findChild<QAction *>("Kontaktkirja1")->trigger();
        EXPECT_EQ(recording.openedNextContacts.size(), 2);
        EXPECT_EQ(recording.registeredContacts.size(), 1);
    }
    module->setMainServices(main.get());
}

TEST_F(ContactListWindowsTest, PerformedListFiltersOpensContactsAndComesBackAsLeft)
{
    start();
    auto *list = open<TfKontaktidKoond>("Kontaktid1Click");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Toimunud kontaktid"));
    EXPECT_EQ(list->dfdbcAgentKood()->currentText(), QStringLiteral("Jaan Juurikas"));
    EXPECT_EQ(sorted(keys(list->DBGrid1(), "KONTAKTID")), (QList<int>{1, 2, 6}));
    EXPECT_EQ(headers(list->DBGrid1(), 19),
              (QStringList{"ID", "Agent", "KliKood", "KliendiNimi", "Kuupäev", "Kell", "Kuupäev_kuni", "Kuni",
                           "KontaktiLiik", "KontaktToimus", "Teema", "Kommentaarid", "PakkumiseID", "KontaktIsik",
                           "Projekt", "Registreerija", "PlaanÜhikuid", "TooteGrupp", "Toode"}));

    list->dfdbcAgentKood()->clearValue();
    choose(list->dbcbKontaktToimus(), QStringLiteral("Ei"));
    enter(list->dbcbKontaktToimus());
    EXPECT_EQ(sorted(keys(list->DBGrid1(), "KONTAKTID")), (QList<int>{2, 3}));

    QStringList persons;
    ui.expectRecordSelection(QStringLiteral("Kontaktisiku valik"), true, 1, &persons,
                             QStringLiteral("KONTAKTISIKNIMI"));
    list->bSelKontaktIsik()->click();
    EXPECT_EQ(persons, (QStringList{"Mari Maasikas", "Sean O'Brien"}));
    EXPECT_EQ(list->dfdbcKliKIsikKood()->currentText(), QStringLiteral("Sean O'Brien"));
    list->dbcbKontaktToimus()->setCurrentIndex(-1);
    enter(list->dfdbcKliKIsikKood());
    EXPECT_EQ(keys(list->DBGrid1(), "KONTAKTID"), QList<int>{1});

    // The past periods after the framework's items, behind a separator.
    const QList<QAction *> items = list->popKuupValik()->actions();
    QStringList last;
    for (qsizetype i = items.size() - 4; i < items.size(); ++i)
        last << items.at(i)->text();
    EXPECT_EQ(last, (QStringList{"Eile", "Eelmine nädal", "Eelmine kuu", "Eelmine aasta"}));
    EXPECT_TRUE(items.at(items.size() - 5)->isSeparator());
    for (const auto &[name, tag] :
         {std::pair{"Eile1", -1}, {"Eelminendal1", -7}, {"Eelminekuu1", -31}, {"Eelmineaasta1", -356}}) {
        list->popKuupValik()->findChild<QAction *>(QString::fromLatin1(name))->trigger();
        const auto range = DateRangeForTag(tag, QDate::currentDate());
        EXPECT_EQ(list->dfeKontaktKuupA()->text(), range.first.toString(QStringLiteral("dd.MM.yyyy"))) << name;
        EXPECT_EQ(list->dfeKontaktKuupL()->text(), range.second.toString(QStringLiteral("dd.MM.yyyy"))) << name;
    }
    list->dfdbcKliKIsikKood()->clearValue();
    replaceText(list->dfeKontaktKuupA(), QStringLiteral("3.2.2024"));
    replaceText(list->dfeKontaktKuupL(), QStringLiteral("3-2-2024"));
    enter(list->dfeKontaktKuupA());
    EXPECT_EQ(sorted(keys(list->DBGrid1(), "KONTAKTID")), (QList<int>{4, 5}));

    // The mass offer's rows are not opened as contacts; a contact is.
    RecordingMain recording;
    module->setMainServices(&recording);
    ASSERT_TRUE(list->dataSet()->locate(QStringLiteral("KONTAKTID"), 4));
    ui.expectMessage(QStringLiteral("Masspakkumiste aken pole veel saadaval"), QStringLiteral("Toimunud kontaktid"));
    list->findChild<QAction *>("Avakontakt1")->trigger();
    list->findChild<QAction *>("Naitaklienti1")->trigger();
    EXPECT_TRUE(recording.openedCards.isEmpty());
    replaceText(list->dfeKontaktKuupA(), QStringLiteral("31.01.2024"));
    replaceText(list->dfeKontaktKuupL(), QString());
    list->dfdbcKliKood()->setKeyValue(QStringLiteral("3"));
    enter(list->dfeKontaktKuupA());
    EXPECT_EQ(sorted(keys(list->DBGrid1(), "KONTAKTID")), (QList<int>{5, 6}));
    ASSERT_TRUE(list->dataSet()->locate(QStringLiteral("KONTAKTID"), 6));
    emit list->DBGrid1()->doubleClicked(list->DBGrid1()->model()->index(list->dataSet()->currentRow(), 0));
    list->findChild<QAction *>("Naitaklienti1")->trigger();
    EXPECT_EQ(recording.openedContacts, QList<int>{6});
    EXPECT_EQ(recording.openedCards, (QList<QPair<int, int>>{{3, 0}}));
    module->setMainServices(main.get());
    const QString statement = list->dataSet()->selectSql();
    closeWindow(list);

    list = open<TfKontaktidKoond>("Kontaktid1Click");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->dfdbcAgentKood()->keyValue().isEmpty());
    EXPECT_EQ(list->dfdbcKliKood()->currentText(), QStringLiteral("Lai Pood"));
    EXPECT_EQ(list->dfeKontaktKuupA()->text(), QStringLiteral("31.01.2024"));
    EXPECT_TRUE(list->dfeKontaktKuupL()->text().isEmpty());
    EXPECT_EQ(list->dbcbKontaktToimus()->currentIndex(), -1);
    EXPECT_EQ(list->dataSet()->selectSql(), statement);
    closeWindow(list);
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
