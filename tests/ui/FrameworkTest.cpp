// The window framework on real windows offscreen: the two register windows opened from the main
// menu, and a list window over the demo clients with a filter panel.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "WindowDriver.h"
#include "data/TdmUserSettings1.h"
#include "app/TfMain.h"
#include "app/WindowCatalog.h"
#include "data/DataSet.h"
#include "data/DemoData.h"
#include "data/DataSource.h"
#include "data/FieldTextRules.h"
#include "data/FilterBuilder.h"
#include "data/SqlHelpers.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "reference/TfAmetid.h"
#include "reference/TfPyhad.h"
#include "reference/TfOmandiVormid.h"
#include "ui/DataSetModel.h"
#include "ui/DateRange.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEdit.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBGrid.h"
#include "ui/TDBValComboBox.h"
#include "ui/TDynFilterEdit.h"
#include "ui/TfDataListForm1.h"
#include "ui/TfQuickSearch.h"
#include "ui/TdlgSelectTableCols.h"

using Answer = data::UserInterface::Answer;

namespace {

const char *const SaveQuestion = "Andmeid on muudetud!\nKas salvestada ?";

class FrameworkTest : public ::testing::Test
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
        settings = std::make_unique<TdmUserSettings1>(dir.filePath("velkora1IB"), dir.path(), dir.filePath("registry.ini"));
        settings->load(QString());
        main = std::make_unique<TfMain>(module.get(), &session, &ui);
        module->setMainServices(main.get());
        main->setUserSettings(settings.get());
        main->windowFactory = [this](const QString &c) { return WindowCatalog::create(c, WindowContext{module.get(), &ui}); };
        main->resize(1100, 800);
        main->show();
    }
    void TearDown() override
    {
        if (!main)
            return;
        main->confirmClose = false;
        for (QMdiSubWindow *sub : main->mdiArea()->subWindowList())
            if (auto *child = qobject_cast<TfChildBtnBarForm01 *>(sub->widget()))
                child->CancelAll();
        main.reset();
        module.reset();
    }
    qint64 count(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        return q.scalar().toLongLong();
    }
    template <typename T> T *open(const char *handler)
    {
        main->command(QString::fromLatin1(handler))->trigger();
        QApplication::processEvents();
        return qobject_cast<T *>(main->mdiArea()->activeSubWindow() ? main->mdiArea()->activeSubWindow()->widget() : nullptr);
    }
    QAction *windowCommand(QWidget *w, const char *name) { return w->findChild<QAction *>(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    ScriptedUserInterface ui;
    data::Session session;
    std::unique_ptr<data::TData1> module;
    std::unique_ptr<TdmUserSettings1> settings;
    std::unique_ptr<TfMain> main;
};

TEST_F(FrameworkTest, RegisterWindowsOpenOnceWithTheirBarAndMenu)
{
    auto *holidays = open<TfPyhad>("Riigiphad1Click");
    ASSERT_NE(holidays, nullptr);
    EXPECT_EQ(holidays->windowTitle(), QStringLiteral("Riigipühad"));
    EXPECT_EQ(main->activeButtonBar(), holidays->buttonBar());
    EXPECT_TRUE(main->menuTitles().contains(QStringLiteral("Aktii&vne aken")));
    EXPECT_EQ(holidays->DBGrid2()->dataModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kuupäev"));

    auto *positions = open<TfAmetid>("Ametid1Click");
    ASSERT_NE(positions, nullptr);
    EXPECT_EQ(main->activeButtonBar(), positions->buttonBar());
    EXPECT_TRUE(positions->bKoopia()->isHidden());
    // A second command brings the first window forward instead of opening another.
    EXPECT_EQ(open<TfPyhad>("Riigiphad1Click"), holidays);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(main->activeButtonBar(), holidays->buttonBar());
    // Minimised, it shows no bar and its menu goes when another window is active.
    holidays->parentWidget()->showMinimized();
    QApplication::processEvents();
    EXPECT_EQ(main->activeButtonBar(), nullptr);

    // Closed, the next command opens a new one.
    holidays->parentWidget()->showNormal();
    QPointer<TfPyhad> gone = holidays;
    holidays->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(main->openWindow("TfPyhad"), nullptr);
    auto *again = open<TfPyhad>("Riigiphad1Click");
    ASSERT_NE(again, nullptr);
}

TEST_F(FrameworkTest, SizesAreKeptPerClassAndOneThatNoLongerFitsOpensTopLeft)
{
    auto *holidays = open<TfPyhad>("Riigiphad1Click");
    ASSERT_NE(holidays, nullptr);
    QWidget *sub = holidays->parentWidget();
    sub->move(40, 30);
    sub->resize(500, 350);
    sub->close();
    QApplication::processEvents();
    EXPECT_EQ(settings->ReadInteger("Windows", "TfPyhad.Width", 0), 500);
    auto *reopened = open<TfPyhad>("Riigiphad1Click");
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->parentWidget()->size(), QSize(500, 350));
    reopened->parentWidget()->close();
    QApplication::processEvents();

    // Remembered larger than the main area now is: it opens at the top left with that size.
    settings->WriteInteger("Windows", "TfPyhad.Width", 2000);
    auto *tooWide = open<TfPyhad>("Riigiphad1Click");
    ASSERT_NE(tooWide, nullptr);
    EXPECT_EQ(tooWide->parentWidget()->pos(), QPoint(0, 0));
    EXPECT_EQ(tooWide->parentWidget()->width(), 2000);
    tooWide->parentWidget()->close();
    QApplication::processEvents();

    // Never given a size by the user but made larger than the main area: it opens within the area.
    settings->ForgetChildSizes();
    auto *designed = new TfPyhad(WindowContext{module.get(), &ui});
    designed->resize(4000, 3000);
    main->ShowChild(designed);
    const QSize room = main->mdiArea()->viewport()->size();
    EXPECT_LE(designed->parentWidget()->width(), room.width());
    EXPECT_LE(designed->parentWidget()->height(), room.height());
    designed->parentWidget()->close();
    QApplication::processEvents();
}

TEST_F(FrameworkTest, AltShortcutTypedInAnEditSavesWhatWasTypedAndTypesNothing)
{
    auto *holidays = open<TfPyhad>("Riigiphad1Click");
    ASSERT_NE(holidays, nullptr);
    windowCommand(holidays, "Uuskirje1")->trigger();
    QApplication::processEvents();
    replaceText(holidays->edKuupaev(), "17-06-2027");
    holidays->edPyhaNimi()->setFocus();
    typeText(holidays->edPyhaNimi(), "Kesksuvi");
    // Alt+S as the user presses it: to the edit that has the focus, offered as a shortcut first.
    QWidget *focused = QApplication::focusWidget();
    ASSERT_EQ(focused, holidays->edPyhaNimi());
    QKeyEvent over(QEvent::ShortcutOverride, Qt::Key_S, Qt::AltModifier, QStringLiteral("s"));
    QApplication::sendEvent(focused, &over);
    if (!over.isAccepted())
        QTest::keyClick(focused, Qt::Key_S, Qt::AltModifier);
    else {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier, QStringLiteral("s"));
        QApplication::sendEvent(focused, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_S, Qt::AltModifier, QStringLiteral("s"));
        QApplication::sendEvent(focused, &release);
    }
    EXPECT_EQ(count("select count(*) from PYHAD where KUUPAEV = '17.06.2027' and PYHANIMI = 'Kesksuvi'"), 1);
    EXPECT_EQ(holidays->edPyhaNimi()->text(), QStringLiteral("Kesksuvi"));
    EXPECT_EQ(holidays->dataSet()->state(), data::DataSet::State::Browse);
}

TEST_F(FrameworkTest, TheFirstKeyInAnEditPutsTheRecordIntoEditOrIsRefusedAtOnce)
{
    auto *holidays = open<TfPyhad>("Riigiphad1Click");
    ASSERT_NE(holidays, nullptr);
    holidays->APageControl1()->setCurrentIndex(1);
    holidays->edPyhaNimi()->setFocus();
    const QString before = holidays->edPyhaNimi()->text();
    EXPECT_EQ(holidays->dataSet()->state(), data::DataSet::State::Browse);
    QTest::keyClick(holidays->edPyhaNimi(), Qt::Key_X);
    EXPECT_EQ(holidays->dataSet()->state(), data::DataSet::State::Edit);
    EXPECT_EQ(holidays->edPyhaNimi()->text(), before + QStringLiteral("x"));
    EXPECT_TRUE(windowCommand(holidays, "Salvesta1")->isEnabled());
    windowCommand(holidays, "Jta1")->trigger();
    EXPECT_EQ(holidays->edPyhaNimi()->text(), before);

    // A register the user's level may not change: the message comes with the first key, which is
    // not taken.
    session.Level = 2;
    auto *forms = open<TfOmandiVormid>("Omandivormid1Click");
    ASSERT_NE(forms, nullptr);
    TDBEdit *edit = nullptr;
    for (TDBEdit *e : forms->findChildren<TDBEdit *>())
        if (e->isEnabled() && !e->isReadOnly() && !e->text().isEmpty()) {
            edit = e;
            break;
        }
    ASSERT_NE(edit, nullptr);
    const QString stored = edit->text();
    ui.expectMessage(QStringLiteral("Kasutajanivoo liiga madal !"), main->windowTitle());
    QTest::keyClick(edit, Qt::Key_X);
    EXPECT_TRUE(ui.allSeen());
    EXPECT_EQ(edit->text(), stored);
    EXPECT_EQ(forms->dataSet()->state(), data::DataSet::State::Browse);
}

TEST_F(FrameworkTest, NewHolidayIsTypedOnTheRecordTabAndSaved)
{
    auto *holidays = open<TfPyhad>("Riigiphad1Click");
    ASSERT_NE(holidays, nullptr);
    windowCommand(holidays, "Uuskirje1")->trigger();
    QApplication::processEvents();
    // An insert switches to the record tab, on the second column's control.
    EXPECT_EQ(holidays->APageControl1()->currentIndex(), 1);
    EXPECT_TRUE(holidays->edPyhaNimi()->hasFocus());
    replaceText(holidays->edKuupaev(), "15-06-2027");
    replaceText(holidays->edPyhaNimi(), "Suvepäev");
    holidays->edPyhaNimi()->updateRecord();
    windowCommand(holidays, "Salvesta1")->trigger();
    EXPECT_EQ(count("select count(*) from PYHAD where KUUPAEV = '15.06.2027' and PYHANIMI = 'Suvepäev'"), 1);

    // Copying takes the values of the row into a new one for the user to finish.
    windowCommand(holidays, "Koopia1")->trigger();
    EXPECT_EQ(holidays->dataSet()->state(), data::DataSet::State::Insert);
    EXPECT_EQ(holidays->edPyhaNimi()->text(), QStringLiteral("Suvepäev"));
    replaceText(holidays->edKuupaev(), "16.06.2027");
    holidays->edKuupaev()->updateRecord();
    windowCommand(holidays, "Salvesta1")->trigger();
    EXPECT_EQ(count("select count(*) from PYHAD where PYHANIMI = 'Suvepäev'"), 2);
}

TEST_F(FrameworkTest, ChangesInProgressAreNeverLostSilently)
{
    auto *positions = open<TfAmetid>("Ametid1Click");
    ASSERT_NE(positions, nullptr);
    windowCommand(positions, "Muudakirjet1")->trigger();
    replaceText(positions->edAmet(), "Peaarhitekt");
    positions->edAmet()->updateRecord();

    // Refresh and sort ask first; Cancel keeps the typed value.
    ui.expectQuestion(SaveQuestion, "Ametid", Answer::Cancel);
    windowCommand(positions, "Vrskenda1")->trigger();
    EXPECT_EQ(positions->dataSet()->field("AMET").asString(), QStringLiteral("Peaarhitekt"));
    positions->DBGrid2()->setCurrentIndex(positions->DBGrid2()->model()->index(0, 1));
    ui.expectQuestion(SaveQuestion, "Ametid", Answer::Cancel);
    windowCommand(positions, "Sorteeri2")->trigger();
    EXPECT_TRUE(positions->dataSet()->isEditing());

    // Closing asks; Cancel keeps the window with the change.
    ui.expectQuestion(SaveQuestion, "Ametid", Answer::Cancel);
    EXPECT_FALSE(positions->parentWidget()->close());
    EXPECT_EQ(positions->edAmet()->text(), QStringLiteral("Peaarhitekt"));

    // Closing the program asks the window before asking to leave; Cancel keeps everything.
    ui.expectQuestion(SaveQuestion, "Ametid", Answer::Cancel);
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(positions->dataSet()->isEditing());
    // Yes saves, then the program asks whether to leave.
    ui.expectQuestion(SaveQuestion, "Ametid", Answer::Yes);
    ui.expectQuestion("Kas soovite väljuda ?", main->windowTitle(), Answer::No);
    EXPECT_FALSE(main->close());
    EXPECT_EQ(count("select count(*) from KAMETID where AMET = 'Peaarhitekt'"), 1);
    // A new row dropped with No.
    windowCommand(positions, "Uuskirje1")->trigger();
    replaceText(positions->edAmet(), "Praktikant");
    positions->edAmet()->updateRecord();
    ui.expectQuestion(SaveQuestion, "Ametid", Answer::No);
    EXPECT_TRUE(positions->parentWidget()->close());
    EXPECT_EQ(count("select count(*) from KAMETID where AMET = 'Praktikant'"), 0);
}

TEST_F(FrameworkTest, CommandsBelowTheirLevelAreRefused)
{
    session.Level = 2;
    ui.expectMessage("Antud toimingu jaoks kasutajanivoo liiga madal !", main->windowTitle());
    main->command("KLiendid2Click")->trigger();
    EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
}

// A list of the demo clients with a name filter, as the client list will have it.
class ClientList : public TfDataListForm1
{
public:
    explicit ClientList(const WindowContext &c) : TfDataListForm1(c), name(new TDynFilterEdit)
    {
        setWindowTitle(QStringLiteral("Kliendid"));
        addFilterControl(name, QStringLiteral("Nimi:"));
        setDataSet(c.data->taKliendid());
    }
    QString ApplyFilter() override
    {
        data::TMySQLDataSetFilter &f = data::FilterFor(*dataSet());
        data::BeginFilter(f);
        const QString text = name->text().trimmed();
        const QString condition = text.isEmpty() ? QString() : QStringLiteral("KLINIMI CONTAINING ") + data::SqlQuote(text);
        if (!condition.isEmpty())
            data::SetAtom(f, QStringLiteral("KliNimi"), text, text, condition);
        data::CommitFilter(f);
        return condition;
    }
    TDynFilterEdit *name;
};

TEST_F(FrameworkTest, ListFilterSortAndQuickSearch)
{
    auto *list = new ClientList(WindowContext{module.get(), &ui});
    main->ShowChild(list);
    data::DataSet &clients = *list->dataSet();
    const qint64 all = count("select count(*) from KLIENTK");

    // Enter in a filter control applies the filter.
    replaceText(list->name, "Puit");
    QTest::keyClick(list->name, Qt::Key_Return);
    const qint64 containing = count("select count(*) from KLIENTK where KLINIMI containing 'Puit'");
    ASSERT_GT(containing, 0);
    EXPECT_LT(containing, all);
    EXPECT_EQ(clients.recordCount(), containing);

    // Unchecking shows all rows while the control keeps its text; checking applies it again.
    QTest::mouseClick(list->cbUseFilter(), Qt::LeftButton);
    EXPECT_EQ(clients.recordCount(), all);
    EXPECT_EQ(list->name->text(), QStringLiteral("Puit"));
    EXPECT_FALSE(windowCommand(list, "FilterLubatudMenuItem1")->isChecked());
    QTest::mouseClick(list->cbUseFilter(), Qt::LeftButton);
    EXPECT_EQ(clients.recordCount(), containing);

    // Sorting by a column keeps the filter.
    TDBGrid *grid = list->DBGrid1();
    grid->setCurrentIndex(grid->dataModel()->index(0, grid->dataModel()->columnOfField("KLINIMI")));
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(clients.selectSql().contains(QStringLiteral("KLINIMI")));
    EXPECT_EQ(clients.recordCount(), containing);
    QStringList shown, sorted;
    for (int r = 0; r < clients.fetchedCount(); ++r)
        shown << clients.textAt(r, clients.field("KLINIMI").index());
    data::SqlStatement q(module->IBTransaction1());
    q.setSql("select KLINIMI from KLIENTK where KLINIMI containing 'Puit' order by KLINIMI");
    q.exec();
    while (q.next())
        sorted << q.value(0).toString();
    EXPECT_EQ(shown, sorted);

    // Typed text is text: an apostrophe or an attempt at SQL filters by that literal text.
    for (const char *typed : {"O'Brien", "x' OR '1'='1"}) {
        replaceText(list->name, QString::fromUtf8(typed));
        QTest::keyClick(list->name, Qt::Key_Return);
        EXPECT_EQ(clients.recordCount(), 0) << typed;
    }

    // No column selected: the sort says so.
    QTest::mouseClick(list->cbUseFilter(), Qt::LeftButton);
    grid->setCurrentIndex(QModelIndex());
    ui.expectMessage("Ühtegi välja pole valitud !", "Sorteerimine");
    windowCommand(list, "Sorteeri2")->trigger();
}

TEST_F(FrameworkTest, QuickSearchReachesRowsNotYetFetched)
{
    auto *list = new ClientList(WindowContext{module.get(), &ui});
    main->ShowChild(list);
    data::DataSet &clients = *list->dataSet();
    TDBGrid *grid = list->DBGrid1();
    grid->setCurrentIndex(grid->dataModel()->index(0, grid->dataModel()->columnOfField("KLINIMI")));
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(clients.isFullyFetched());
    data::SqlStatement last(module->IBTransaction1());
    last.setSql("select first 1 KLINIMI from KLIENTK order by KLINIMI desc");
    const QString lastName = last.scalar().toString();
    const QString typed = lastName.left(2).toLower();
    QTest::keyClicks(grid, typed.left(1));
    QApplication::processEvents();
    auto *search = main->findChild<TfQuickSearch *>();
    ASSERT_NE(search, nullptr);
    QTest::keyClicks(search->edit(), typed.mid(1));
    EXPECT_TRUE(clients.field("KLINIMI").asString().startsWith(lastName.left(2), Qt::CaseInsensitive));
    QTest::keyClick(search->edit(), Qt::Key_Escape);
}

void tickAll(QListWidget *list, const QString &text)
{
    for (QListWidgetItem *item : list->findItems(text, Qt::MatchExactly))
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(item).center());
}

TEST_F(FrameworkTest, ListExportNeedsLevelThreeAndWritesTheChosenColumns)
{
    data::SqlStatement insert(module->IBTransaction1());
    insert.setSql("update or insert into KLIENTK (KLIKOOD, KLINIMI) values (99001, 'Šokolaadi Žanr') matching (KLIKOOD)");
    insert.exec();
    module->IBTransaction1().commitRetaining();
    auto *list = new ClientList(WindowContext{module.get(), &ui});
    main->ShowChild(list);
    data::DataSet &clients = *list->dataSet();
    // Two columns under one caption each give their own values.
    clients.field("KLIKOOD").setDisplayLabel(QStringLiteral("Kood"));
    clients.field("KLIKOODLAOS").setDisplayLabel(QStringLiteral("Kood"));
    clients.field("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
    replaceText(list->name, QStringLiteral("Šokolaadi"));
    QTest::keyClick(list->name, Qt::Key_Return);
    ASSERT_EQ(clients.recordCount(), 1);
    const QString file = dir.filePath("eksport.txt");

    session.Level = 2;
    ui.expectMessage("Antud toimingu jaoks kasutajanivoo liiga madal !", "Kliendid: eksport tekstifaili");
    windowCommand(list, "Nimekirjaeksporttekstifaililikelauale1")->trigger();
    EXPECT_FALSE(QFile::exists(file));

    session.Level = 3;
    whenModal<TdlgSelectTableCols>([](TdlgSelectTableCols *dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Kliendid - Eksporditavate veergude valik"));
        EXPECT_EQ(dlg->cbAdditionalFlag1()->text(), QStringLiteral("Kopeeri lõikelauale"));
        tickAll(dlg->liAllFields(), QStringLiteral("Kood"));
        tickAll(dlg->liAllFields(), QStringLiteral("Nimi"));
        dlg->OKBtn()->click();
    });
    QString proposed;
    ui.expectSaveFileName("Salvesta", true, file, &proposed);
    windowCommand(list, "Nimekirjaeksporttekstifaililikelauale1")->trigger();
    EXPECT_EQ(proposed, QStringLiteral("velkora1export.txt"));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    // Windows-1252 as the program's other files; an empty last column keeps its place.
    const QByteArray expected = QByteArray("Kood\tNimi\tKood\r\n99001\t") + QByteArray("\x8A" "okolaadi \x8E" "anr") + "\t\r\n";
    EXPECT_EQ(written.readAll(), expected);

    // The next export starts from the choice made; this time to the clipboard.
    whenModal<TdlgSelectTableCols>([](TdlgSelectTableCols *dlg) {
        dlg->cbAdditionalFlag1()->setChecked(true);
        dlg->OKBtn()->click();
    });
    windowCommand(list, "Nimekirjaeksporttekstifaililikelauale1")->trigger();
    EXPECT_TRUE(list->exportsToClipboard());
    EXPECT_EQ(ui.clipboardText(), QStringLiteral("Kood\tNimi\tKood\r\n99001\tŠokolaadi Žanr\t\r\n"));
}

TEST_F(FrameworkTest, DataControlsGoThroughTheFieldsAndTheirRules)
{
    // One client in a dataset of its own, with the place's name looked up through its key.
    data::DataSet client(module->IBTransaction1(), QStringLiteral("taKlient"));
    client.setSelectSql("select KLIKOOD, KLINIMI, LINNVALDKOOD, KLISUHTETYYP, KLIBOONUS from KLIENTK where KLIKOOD = 99002");
    client.setModifySql("update KLIENTK set KLINIMI = :KLINIMI, LINNVALDKOOD = :LINNVALDKOOD, KLISUHTETYYP = :KLISUHTETYYP, "
                        "KLIBOONUS = :KLIBOONUS where KLIKOOD = :OLD_KLIKOOD");
    data::DataSet &places = *module->dataSet("taLinnadValladL");
    places.open();
    data::SqlStatement q(module->IBTransaction1());
    q.setSql("update or insert into KLIENTK (KLIKOOD, KLINIMI, LINNVALDKOOD, KLISUHTETYYP, KLIBOONUS) "
             "values (99002, 'Juhtelemendid', (select min(LINNVALDKOOD) from LINNVALD), 5, 'N') matching (KLIKOOD)");
    q.exec();
    module->IBTransaction1().commitRetaining();
    client.defineField("LINNANIMI", fb::FieldKind::Text, data::Field::Kind::Lookup)
        .setLookup(&places, "LINNVALDKOOD", "LINNVALDKOOD", "LINNVALDNIMI");
    data::AttachTextRulesByType(client);
    client.open();
    data::DataSource source(&client);
    QWidget panel;
    auto *place = new TDBEdit(&panel);
    place->bind(&source, "LINNANIMI", &ui);
    place->setClearingKeys(true);
    auto *relation = new TDBValComboBox(&panel);
    relation->bind(&source, "KLISUHTETYYP", &ui);
    relation->setItemsAndValues({"Klient", "Partner"}, {"1", "11"});
    auto *bonus = new TDBCheckBox("Boonus", &panel);
    bonus->bind(&source, "KLIBOONUS", &ui);
    panel.show();

    EXPECT_FALSE(place->text().isEmpty());
    // A code that is not among the values shows no choice and stays as it is.
    EXPECT_EQ(relation->currentIndex(), -1);
    EXPECT_EQ(client.field("KLISUHTETYYP").asInt(), 5);

    // Delete in the name of a look-up clears the key behind it, and the name goes with it.
    place->setFocus();
    QTest::keyClick(place, Qt::Key_Delete);
    EXPECT_TRUE(client.field("LINNVALDKOOD").isNull());
    EXPECT_TRUE(place->text().isEmpty());
    relation->setCurrentIndex(1);
    emit relation->activated(1);
    EXPECT_EQ(client.field("KLISUHTETYYP").asInt(), 11);
    QTest::mouseClick(bonus, Qt::LeftButton);
    EXPECT_EQ(client.field("KLIBOONUS").asString(), QStringLiteral("Y"));
    client.post();
    EXPECT_EQ(count("select count(*) from KLIENTK where KLIKOOD = 99002 and LINNVALDKOOD is null and KLISUHTETYYP = 11 "
                    "and KLIBOONUS = 'Y'"),
              1);
}

TEST(DateRangeTest, MonthsAndWeeksAroundTheYearEnd)
{
    // In December "next month" is January of the next year.
    const QDate december(2026, 12, 10);
    EXPECT_EQ(DateRangeForTag(32, december), std::make_pair(QDate(2027, 1, 1), QDate(2027, 1, 31)));
    EXPECT_EQ(DateRangeForTag(31, december), std::make_pair(QDate(2026, 12, 1), QDate(2026, 12, 31)));
    EXPECT_EQ(DateRangeForTag(357, december), std::make_pair(QDate(2027, 1, 1), QDate(2027, 12, 31)));
    // On a Sunday the week began the Monday before.
    const QDate sunday(2026, 12, 13);
    EXPECT_EQ(DateRangeForTag(7, sunday), std::make_pair(QDate(2026, 12, 7), QDate(2026, 12, 13)));
    EXPECT_EQ(DateRangeForTag(8, sunday), std::make_pair(QDate(2026, 12, 14), QDate(2026, 12, 20)));
    EXPECT_EQ(DateRangeForTag(2, december), std::make_pair(QDate(2026, 12, 11), QDate(2026, 12, 11)));
    EXPECT_EQ(DateRangeForTag(0, december), std::make_pair(QDate(), QDate()));
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
