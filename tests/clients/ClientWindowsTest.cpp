// The client list and the contact persons summary as windows offscreen: opened from the main menu on
// the session's filters, driven by keys and mouse, closed and opened again.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "ClientsDatabase.h"
#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "WindowDriver.h"
#include "app/TfMain.h"
#include "app/WindowCatalog.h"
#include "clients/TdmKlientEdit1.h"
#include "clients/TfKliendidList.h"
#include "clients/TfKontaktIsikudKoond.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/TData1.h"
#include "data/TdmUserSettings1.h"
#include "ui/DataSetModel.h"
#include "ui/TDBGrid.h"
#include "ui/TDynFilterComboBox.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/TDynFilterEdit.h"
#include "ui/TEditBtn.h"

namespace {

class ClientWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 5;
        session.AgentCode = 7;
        session.AgentName = QStringLiteral("Jaan Juurikas");
        session.DefaultAgentFilter = true;
        module = std::make_unique<data::TData1>(&ui, nullptr, &session);
        module->Database1Params() = clientsDatabase().params();
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
        main->onOpenWindow = [this](const QString &handler) { opened << handler; };
        main->resize(1300, 900);
        main->show();
        module->SetSessionFilters();
    }
    void TearDown() override
    {
        main->confirmClose = false;
        main.reset();
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
    static QStringList column(TDBGrid *grid, const char *field)
    {
        data::DataSet *ds = grid->dataSet();
        ds->fetchAll();
        QStringList values;
        const int f = ds->field(QString::fromLatin1(field)).index();
        for (int row = 0; row < ds->fetchedCount(); ++row)
            values << ds->valueAt(row, f).toString();
        return values;
    }
    static QStringList sorted(QStringList l)
    {
        l.sort();
        return l;
    }
    static void enter(QWidget *w)
    {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        QApplication::processEvents();
    }
    static int gridColumn(TDBGrid *grid, const char *field)
    {
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            if (grid->dataModel()->fieldIndex(c) == grid->dataSet()->field(QString::fromLatin1(field)).index())
                return c;
        return -1;
    }

    QTemporaryDir dir;
    ScriptedUserInterface ui;
    data::Session session;
    std::unique_ptr<data::TData1> module;
    std::unique_ptr<TdmUserSettings1> settings;
    std::unique_ptr<TfMain> main;
    QStringList opened;
};

TEST_F(ClientWindowsTest, TheListOpensOnTheOwnActiveClientsFiltersSortsAndOpensACard)
{
    auto *list = open<TfKliendidList>("Kliendid1Click");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Kliendid"));
    TDBGrid *grid = list->DBGrid1();
    // The agent's active clients, with the agent shown in the panel.
    EXPECT_EQ(list->dfdbcAgentKood()->keyValue(), QStringLiteral("7"));
    EXPECT_EQ(list->dfdbcAgentKood()->currentText(), QStringLiteral("Jaan Juurikas"));
    EXPECT_EQ(list->dfcbKlientAktiivne()->value(), QStringLiteral("Y"));
    EXPECT_EQ(sorted(column(grid, "KLIKOOD")), (QStringList{"1", "5"}));

    // The grid: captions in the order the user knows, search columns and codes hidden, several rows
    // selectable, nothing editable.
    QStringList headers;
    for (int v = 0; v < grid->model()->columnCount() && headers.size() < 8; ++v)
        if (const int c = grid->horizontalHeader()->logicalIndex(v); !grid->isColumnHidden(c))
            headers << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"Kood", "Nimi", "OmV", "KoodLaos", "Aadress", "LinnVald", "PostiIndeks", "Riik"}));
    for (const char *hidden : {"KLITELTRIM", "KLITEL2TRIM", "LINNVALDKOOD", "RIIKID", "LINNVALDKOOD2"})
        EXPECT_FALSE(grid->dataSet()->field(QString::fromLatin1(hidden)).isVisible()) << hidden;
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    // "Agent puudub" empties the agent and lists exactly the clients nobody is assigned to.
    list->cbFilterAgentNull()->setChecked(true);
    EXPECT_TRUE(list->dfdbcAgentKood()->keyValue().isEmpty());
    enter(list->dfeKliNimi());
    EXPECT_EQ(sorted(column(grid, "KLIKOOD")), (QStringList{"3"}));
    list->cbFilterAgentNull()->setChecked(false);

    // A typed name stays text, apostrophe and all.
    typeText(list->dfeKliNimi(), QStringLiteral("x' OR '1'='1"));
    enter(list->dfeKliNimi());
    EXPECT_EQ(column(grid, "KLIKOOD"), (QStringList{"2"}));
    list->dfeKliNimi()->clear();
    enter(list->dfeKliNimi());
    EXPECT_EQ(sorted(column(grid, "KLIKOOD")), (QStringList{"1", "2", "3", "5"}));

    // Sorting by the name column.
    grid->setCurrentIndex(grid->model()->index(0, gridColumn(grid, "KLINIMI")));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(column(grid, "KLINIMI"), (QStringList{"Kaks Klassi", "O'Brien Ltd", "Tartu Kivi", "x' OR '1'='1 AS"}));
    EXPECT_TRUE(grid->dataSet()->selectSql().contains(QStringLiteral("ORDER BY KLIENTK.KLINIMI")));

    // A double-click opens the card of the client under the mouse.
    const QModelIndex cell = grid->model()->index(1, gridColumn(grid, "KLINIMI"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    EXPECT_EQ(opened, QStringList{"OpenClientCard:1:0"});
    // Alt+E does the same for the current row; "Uus klient" asks for an empty card.
    list->findChild<QAction *>("Avaklient1")->trigger();
    list->findChild<QAction *>("Uusklient1")->trigger();
    EXPECT_EQ(opened, (QStringList{"OpenClientCard:1:0", "OpenClientCard:1:0", "NewClientCard"}));
    EXPECT_EQ(list->findChild<QAction *>("Avaklient1")->shortcut(), QKeySequence("Alt+E"));
    EXPECT_EQ(list->findChild<QAction *>("Uusklient1")->shortcut(), QKeySequence("Alt+U"));
    EXPECT_EQ(list->findChild<QAction *>("Kontaktkirja1")->shortcut(), QKeySequence("Alt+A"));
    EXPECT_EQ(list->findChild<QAction *>("Planeerikontakt1")->shortcut(), QKeySequence("Alt+L"));
    EXPECT_EQ(list->findChild<QAction *>("Nimekirjav1")->shortcut(), QKeySequence("Alt+P"));
    EXPECT_EQ(list->printColumns(), (QStringList{"KLIKOOD", "KLINIMI", "KLIOMVORM", "KLIAADRESS", "LINNVALDNIMI",
                                                 "KLIPOSTIINDEX", "RIIGINIMI", "KLITEL", "KLITEL2", "KLIFAX"}));
    closeWindow(list);
}

TEST_F(ClientWindowsTest, AnImpossibleDateOrNumberLeavesTheRowsAsTheyWere)
{
    auto *list = open<TfKliendidList>("Kliendid1Click");
    ASSERT_NE(list, nullptr);
    const QString statement = list->dataSet()->selectSql();
    list->cbKuupVordlusTehe()->setCurrentText("<");
    typeText(list->edbKlientLisatudKpFilt(), QStringLiteral("31.02.2004"));
    ui.expectMessage("'31.02.2004' is not a valid date", "Kliendid");
    enter(list->edbKlientLisatudKpFilt());
    EXPECT_EQ(list->dataSet()->selectSql(), statement);
    EXPECT_EQ(sorted(column(list->DBGrid1(), "KLIKOOD")), (QStringList{"1", "5"}));

    list->edbKlientLisatudKpFilt()->clear();
    typeText(list->dfeTootajateArv(), QStringLiteral("10 OR 1=1"));
    ui.expectMessage("Töötajate_arv: '10 OR 1=1' ei ole arv !", "Kliendid");
    enter(list->dfeTootajateArv());
    EXPECT_EQ(list->dataSet()->selectSql(), statement);

    // The same date the right way round: clients without a date count as added before it.
    list->dfeTootajateArv()->clear();
    list->dfdbcAgentKood()->clearValue();
    typeText(list->edbKlientLisatudKpFilt(), QStringLiteral("05.03.2004"));
    enter(list->edbKlientLisatudKpFilt());
    EXPECT_EQ(sorted(column(list->DBGrid1(), "KLIKOOD")), (QStringList{"1", "3"}));
    closeWindow(list);
}

TEST_F(ClientWindowsTest, ClosingAndReopeningTheListRestoresEveryCriterion)
{
    auto *list = open<TfKliendidList>("Kliendid1Click");
    ASSERT_NE(list, nullptr);
    list->cbFilterAgentNull()->setChecked(true);
    typeText(list->dfeKliNimi(), QStringLiteral("O'Brien"));
    list->dfcbSuhteTyyp()->setValue("1");
    typeText(list->dfeKliAadress(), QStringLiteral("Pikk"));
    list->dfdbcKlassif1Gr()->setKeyValue("1");
    // The classifier is picked from the classifiers of the chosen group.
    QStringList shownClassifiers;
    ui.expectRecordSelection("Klassifikaatorid", true, 1, &shownClassifiers, "KL1NIMI");
    emit list->edbKlassif1Filter()->OnBtnClick();
    EXPECT_EQ(shownClassifiers, (QStringList{"Keskmine", "Suur"}));
    EXPECT_EQ(list->edbKlassif1Filter()->text(), QStringLiteral("Suur"));
    EXPECT_EQ(ui.lastRecordChoice().baseCondition, QStringLiteral("KL1GRID=1"));
    list->dfcbKliPysi()->setValue("Y");
    list->dfcbHinnang()->setValue("1");
    list->dfcbKlientAktiivne()->setValue("Y");
    ui.expectRecordSelection("Linnad-vallad", true, 0, nullptr, "LINNVALDNIMI");
    emit list->edbLinnValdFilter()->OnBtnClick();
    EXPECT_EQ(list->edbLinnValdFilter()->text(), QStringLiteral("Tallinn, Eesti"));
    list->cbTootajateArvVordlus()->setCurrentText("<=");
    typeText(list->dfeTootajateArv(), QStringLiteral("1 000,50"));
    list->cbKaiveVordlus()->setCurrentText("<>");
    typeText(list->dfeKaive(), QStringLiteral("7"));
    // A product of another group brings its group along.
    ui.expectRecordSelection("Tooted", true, 2, nullptr, "TOOTENIMI");
    emit list->edbTooteFilter()->OnBtnClick();
    EXPECT_EQ(list->edbTooteFilter()->text(), QStringLiteral("Sulearvuti"));
    EXPECT_EQ(list->dfdbcTooteGrFilter()->keyValue(), QStringLiteral("1"));
    list->cbKuupVordlusTehe()->setCurrentText("<");
    typeText(list->edbKlientLisatudKpFilt(), QStringLiteral("05.03.2004"));
    enter(list->dfeKliNimi());
    EXPECT_EQ(column(list->DBGrid1(), "KLIKOOD"), QStringList{});
    const QString description = list->FilterDescription();
    EXPECT_EQ(description,
              QStringLiteral("Agent määramata & KliendiNimi: '%O'Brien%' & Suhe: 'Klient' & Aadress: '%Pikk%' & "
                             "Suurus='Suur' & Püsiklient: 'Jah' & Hinnang: 'Hea' & Aktiivne: 'Jah' & "
                             "Linn-vald: 'Tallinn, Eesti' & Töötajate_arv<='1 000,50' & Käive<>'7' & "
                             "Toode: 'Sulearvuti' & Klient lisatud<'05.03.2004'"));
    const QString statement = list->dataSet()->selectSql();
    closeWindow(list);

    list = open<TfKliendidList>("Kliendid1Click");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->cbFilterAgentNull()->isChecked());
    EXPECT_EQ(list->dfeKliNimi()->text(), QStringLiteral("O'Brien"));
    EXPECT_EQ(list->dfcbSuhteTyyp()->currentText(), QStringLiteral("Klient"));
    EXPECT_EQ(list->dfeKliAadress()->text(), QStringLiteral("Pikk"));
    EXPECT_EQ(list->dfdbcKlassif1Gr()->currentText(), QStringLiteral("Suurus"));
    EXPECT_EQ(list->edbKlassif1Filter()->text(), QStringLiteral("Suur"));
    EXPECT_EQ(TfKliendidList::pickedId(list->edbKlassif1Filter()), 1);
    EXPECT_EQ(list->dfcbKliPysi()->currentText(), QStringLiteral("Jah"));
    EXPECT_EQ(list->dfcbHinnang()->currentText(), QStringLiteral("Hea"));
    EXPECT_EQ(list->dfcbKlientAktiivne()->currentText(), QStringLiteral("Jah"));
    EXPECT_EQ(list->edbLinnValdFilter()->text(), QStringLiteral("Tallinn, Eesti"));
    EXPECT_EQ(list->cbTootajateArvVordlus()->currentText(), QStringLiteral("<="));
    EXPECT_EQ(list->dfeTootajateArv()->text(), QStringLiteral("1 000,50"));
    EXPECT_EQ(list->cbKaiveVordlus()->currentText(), QStringLiteral("<>"));
    EXPECT_EQ(list->dfeKaive()->text(), QStringLiteral("7"));
    EXPECT_EQ(list->dfdbcTooteGrFilter()->currentText(), QStringLiteral("Arvutid"));
    EXPECT_EQ(list->edbTooteFilter()->text(), QStringLiteral("Sulearvuti"));
    EXPECT_EQ(list->cbKuupVordlusTehe()->currentText(), QStringLiteral("<"));
    EXPECT_EQ(list->edbKlientLisatudKpFilt()->text(), QStringLiteral("05.03.2004"));
    EXPECT_EQ(list->FilterDescription(), description);
    EXPECT_EQ(list->dataSet()->selectSql(), statement);

    // Choosing another product group empties the product.
    list->dfdbcTooteGrFilter()->setCurrentIndex(list->dfdbcTooteGrFilter()->findText("Mööbel"));
    emit list->dfdbcTooteGrFilter()->OnFilterChange();
    EXPECT_TRUE(list->edbTooteFilter()->text().isEmpty());
    closeWindow(list);
}

TEST_F(ClientWindowsTest, CommandsHandTheCurrentRowToTheMainWindow)
{
    RecordingMain recording;
    module->setMainServices(&recording);
    TfKliendidList list(WindowContext{module.get(), &ui});
    list.dfdbcAgentKood()->clearValue();
    typeText(list.dfeKliNimi(), QStringLiteral("Tartu"));
    enter(list.dfeKliNimi());
    list.findChild<QAction *>("Kontaktkirja1")->trigger();
    list.findChild<QAction *>("Planeerikontakt1")->trigger();
    EXPECT_EQ(recording.registeredContacts, QList<int>{3});
    EXPECT_EQ(recording.plannedContacts, QStringList{"3|Tartu Kivi|0||0"});
    // On an empty list the commands do nothing.
    list.dfeKliNimi()->setText(QStringLiteral("nobody"));
    enter(list.dfeKliNimi());
    list.findChild<QAction *>("Kontaktkirja1")->trigger();
    list.findChild<QAction *>("Avaklient1")->trigger();
    EXPECT_EQ(recording.registeredContacts.size(), 1);
    EXPECT_TRUE(recording.openedCards.isEmpty());

    TfKontaktIsikudKoond summary(WindowContext{module.get(), &ui});
    summary.dfdbcAgentKood()->clearValue();
    typeText(summary.dfeKIsikNimi(), QStringLiteral("Sean"));
    enter(summary.dfeKIsikNimi());
    summary.findChild<QAction *>("Kontaktkirja1")->trigger();
    summary.findChild<QAction *>("Planeerikontakt1")->trigger();
    summary.findChild<QAction *>("Naitaklienti1")->trigger();
    EXPECT_EQ(recording.registeredContacts, (QList<int>{3, 1}));
    EXPECT_EQ(recording.plannedContacts, (QStringList{"3|Tartu Kivi|0||0", "1|O'Brien Ltd|0|Sean O'Brien|1"}));
    EXPECT_EQ(recording.openedCards, (QList<QPair<int, int>>{{1, 0}}));
    module->setMainServices(main.get());
}

TEST_F(ClientWindowsTest, TheSummaryFiltersAsTypedAndShowsAPersonSavedInACard)
{
    auto *summary = open<TfKontaktIsikudKoond>("Kontaktisikutekoondtabel1Click");
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->windowTitle(), QStringLiteral("Kontaktisikute koondtabel"));
    TDBGrid *grid = summary->DBGrid1();
    // The presets of the log-in: the own agent's active persons of active clients.
    EXPECT_EQ(summary->dfdbcAgentKood()->keyValue(), QStringLiteral("7"));
    EXPECT_EQ(summary->dfcbKontaktIsikAktiivne()->value(), QStringLiteral("Y"));
    EXPECT_EQ(summary->dfcbKlientAktiivne()->value(), QStringLiteral("Y"));
    EXPECT_EQ(column(grid, "KLIKISIKKOOD"), QStringList{"1"});
    EXPECT_EQ(column(grid, "KLIENDINIMI"), QStringList{"O'Brien Ltd"});

    summary->dfdbcAgentKood()->clearValue();
    summary->dfcbKlientAktiivne()->setCurrentIndex(-1);
    // The name applies by itself a moment after the last key.
    summary->dfeKIsikNimi()->setFocus();
    typeText(summary->dfeKIsikNimi(), QStringLiteral("x' OR '1'='1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return column(grid, "KLIKISIKKOOD") == QStringList{"2"}; }, 5000));
    replaceText(summary->dfeKIsikNimi(), QStringLiteral("kliendita"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return column(grid, "KLIKISIKKOOD") == QStringList{"3"}; }, 5000));
    summary->dfeKIsikNimi()->clear();
    enter(summary->dfeKIsikNimi());
    EXPECT_EQ(sorted(column(grid, "KLIKISIKKOOD")), (QStringList{"1", "2", "3", "4"}));

    // A person saved in a client card (the card's own module) appears in the open summary; so does
    // one saved through the main data module's persons, and a removed one leaves it.
    {
        QObject card;
        TdmKlientEdit1 *m = TdmKlientEdit1::Acquire(*module, &card);
        ASSERT_TRUE(m->OpenClient(3));
        data::DataSet &cardPersons = *m->taKliKontaktIsikud();
        cardPersons.append();
        cardPersons.field("KONTAKTISIKNIMI").setText(QStringLiteral("Kaardi Isik"));
        cardPersons.post();
        QStringList names = column(grid, "KONTAKTISIKNIMI");
        EXPECT_TRUE(names.contains(QStringLiteral("Kaardi Isik"))) << names.join(", ").toStdString();
        cardPersons.remove();
        EXPECT_FALSE(column(grid, "KONTAKTISIKNIMI").contains(QStringLiteral("Kaardi Isik")));
        m->Release();
    }
    data::DataSet &clients = *module->taKliendid();
    clients.open();
    data::ApplyWhere(clients, QString());
    ASSERT_TRUE(clients.locate("KLIKOOD", 3));
    data::DataSet &persons = *module->taKliKontaktIsikud();
    if (!persons.isActive())
        persons.open();
    persons.append();
    persons.field("KONTAKTISIKNIMI").setText(QStringLiteral("Uus Isik"));
    persons.post();
    QStringList names = column(grid, "KONTAKTISIKNIMI");
    EXPECT_TRUE(names.contains(QStringLiteral("Uus Isik"))) << names.join(", ").toStdString();
    persons.remove();
    EXPECT_FALSE(column(grid, "KONTAKTISIKNIMI").contains(QStringLiteral("Uus Isik")));

    // The client chosen with "...", kept when the window opens again, as is the emptied activity.
    ui.expectRecordSelection("Kliendi valik", true, 0, nullptr, "KLINIMI");
    summary->bSelClient()->click();
    const QString chosen = summary->dfdbcKliKood()->keyValue();
    EXPECT_FALSE(chosen.isEmpty());
    enter(summary->dfeKIsikNimi());
    closeWindow(summary);
    summary = open<TfKontaktIsikudKoond>("Kontaktisikutekoondtabel1Click");
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->dfdbcKliKood()->keyValue(), chosen);
    EXPECT_EQ(summary->dfcbKlientAktiivne()->currentIndex(), -1);
    EXPECT_TRUE(summary->dfdbcAgentKood()->keyValue().isEmpty());
    closeWindow(summary);
}

} // namespace
