// The windows of products, product groups, classifiers and classifier groups, the telephone search
// window and the rebuild of its search columns, on real windows offscreen over the demo register.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
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
#include "data/PhoneDigits.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "data/TdmUserSettings1.h"
#include "fb/Numeric.h"
#include "reference/PhoneNumberSearch.h"
#include "reference/TfKlassif1.h"
#include "reference/TfKlassif1Gr.h"
#include "reference/TfOtsiKliTelefon.h"
#include "reference/TfTooteGrupid.h"
#include "reference/TfTooted.h"
#include "ui/DataSetModel.h"
#include "ui/EditButton.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBGrid.h"
#include "ui/TDynFilterComboBox.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/TDynFilterEdit.h"
#include "ui/THDBNavigator.h"

using Answer = data::UserInterface::Answer;

namespace {

class ReferenceWindowsTest : public ::testing::Test
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
        main->onOpenWindow = [this](const QString &handler) { opened << handler; };
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
    void closeWindow(QWidget *w)
    {
        w->parentWidget()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    QAction *windowCommand(QWidget *w, const char *name) { return w->findChild<QAction *>(QString::fromLatin1(name)); }
    // Types into a record-tab edit and leaves it, as the user does.
    void type(QLineEdit *edit, const QString &text)
    {
        replaceText(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void filterBy(QLineEdit *edit, const QString &text)
    {
        replaceText(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QStringList shown(data::DataSet &ds, const char *field)
    {
        ds.fetchAll();
        QStringList names;
        for (int r = 0; r < ds.fetchedCount(); ++r)
            names << ds.valueAt(r, ds.field(QString::fromLatin1(field)).index()).toString();
        return names;
    }

    QTemporaryDir dir;
    ScriptedUserInterface ui;
    data::Session session;
    std::unique_ptr<data::TData1> module;
    std::unique_ptr<TdmUserSettings1> settings;
    std::unique_ptr<TfMain> main;
    QStringList opened;
};

TEST_F(ReferenceWindowsTest, ProductCopyIsANewRowWithTheSameValues)
{
    exec("update or insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI, TOOTETOOTJA, TOOTEKOODLAOS, TOOTEKULUMAT, "
         "TOODEAKTIIVNE, TOOTEHINDKMTA, TOOTEKMPROC, TOOTEHINDKMGA, TOOTEYHIK) values (9001, (select min(TOOTEGRID) "
         "from TOOTEGR), 'Kopeeritav tolmuimeja', 'Imur AS', 'L-77', 'Kotid', 'N', 100.5, 20, 120.6, 'tk') "
         "matching (TOOTEID)");
    auto *products = open<TfTooted>("menuAndmeDTootedClick");
    ASSERT_NE(products, nullptr);
    EXPECT_EQ(products->windowTitle(), QStringLiteral("Tooted"));
    // The group's name stands beside the product's name, not at the end of the row.
    TDBGrid *grid = products->DBGrid2();
    EXPECT_EQ(grid->model()->headerData(grid->horizontalHeader()->logicalIndex(2), Qt::Horizontal).toString(),
              QStringLiteral("Tootegrupp"));
    EXPECT_FALSE(products->bKoopia()->isHidden());
    data::DataSet &ds = *products->dataSet();
    ASSERT_TRUE(ds.locate("TOOTEID", 9001));
    data::DataSet &list = *module->dataSet("taTootedL");
    list.open();

    windowCommand(products, "Koopia1")->trigger();
    EXPECT_EQ(ds.state(), data::DataSet::State::Insert);
    EXPECT_EQ(products->APageControl1()->currentIndex(), 1);
    EXPECT_EQ(products->edit("TOOTENIMI")->text(), QStringLiteral("Kopeeritav tolmuimeja"));
    windowCommand(products, "Salvesta1")->trigger();
    EXPECT_EQ(ds.state(), data::DataSet::State::Browse);
    EXPECT_EQ(count("select count(*) from TOOTED where TOOTENIMI = 'Kopeeritav tolmuimeja'"), 2);
    EXPECT_EQ(
        count("select count(*) from TOOTED t join TOOTED o on o.TOOTEID = 9001 where t.TOOTEID <> 9001 and "
              "t.TOOTENIMI = o.TOOTENIMI and t.TOOTEGRID = o.TOOTEGRID and t.TOOTETOOTJA = o.TOOTETOOTJA and "
              "t.TOOTEKOODLAOS = o.TOOTEKOODLAOS and t.TOOTEKULUMAT = o.TOOTEKULUMAT and t.TOODEAKTIIVNE = 'N' and "
              "t.TOOTEHINDKMTA = o.TOOTEHINDKMTA and t.TOOTEKMPROC = o.TOOTEKMPROC and "
              "t.TOOTEHINDKMGA = o.TOOTEHINDKMGA and t.TOOTEYHIK = o.TOOTEYHIK"),
        1);
    // The copy's key came from the generator, and the look-up copy knows the product already.
    EXPECT_GT(ds.field("TOOTEID").asInt(), 0);
    EXPECT_NE(ds.field("TOOTEID").asInt(), 9001);
    EXPECT_EQ(shown(list, "TOOTENIMI").count(QStringLiteral("Kopeeritav tolmuimeja")), 2);
}

TEST_F(ReferenceWindowsTest, ProductPricesWithAndWithoutTaxStayInStep)
{
    auto *products = open<TfTooted>("menuAndmeDTootedClick");
    ASSERT_NE(products, nullptr);
    data::DataSet &ds = *products->dataSet();
    windowCommand(products, "Uuskirje1")->trigger();
    // An insert goes to the record tab on the name, the second column.
    EXPECT_TRUE(products->edit("TOOTENIMI")->hasFocus());
    type(products->edit("TOOTENIMI"), "Hinnatud kohvik");
    // The group is picked from the list of groups behind the "..." button.
    ui.expectRecordSelection("Tootegrupid", true, 0);
    products->edTooteGrNimi()->editButton().click();
    EXPECT_FALSE(ds.field("TOOTEGRID").isNull());
    EXPECT_FALSE(products->edTooteGrNimi()->text().isEmpty());
    type(products->edit("TOOTEHINDKMTA"), "100");
    type(products->edit("TOOTEKMPROC"), "18");
    EXPECT_EQ(products->edit("TOOTEHINDKMGA")->text(), fb::Numeric(118000, 3).toString());
    // The same price with tax typed again changes neither price.
    type(products->edit("TOOTEHINDKMGA"), "118");
    EXPECT_EQ(ds.field("TOOTEHINDKMTA").value().value<fb::Numeric>(), fb::Numeric(100000, 3));
    EXPECT_EQ(ds.field("TOOTEHINDKMGA").value().value<fb::Numeric>(), fb::Numeric(118000, 3));
    windowCommand(products, "Salvesta1")->trigger();
    EXPECT_EQ(count("select count(*) from TOOTED where TOOTENIMI = 'Hinnatud kohvik' and TOOTEHINDKMTA = 100 and "
                    "TOOTEKMPROC = 18 and TOOTEHINDKMGA = 118"),
              1);

    // A price with tax typed in goes back to the price without tax, and the price with tax follows
    // from that; a comma or a point is the decimal separator.
    windowCommand(products, "Muudakirjet1")->trigger();
    replaceText(products->edit("TOOTEHINDKMGA"), "24");
    QTest::keyClick(products->edit("TOOTEHINDKMGA"), Qt::Key_Comma);
    QTest::keyClicks(products->edit("TOOTEHINDKMGA"), "40");
    QTest::keyClick(products->edit("TOOTEHINDKMGA"), Qt::Key_Return);
    EXPECT_EQ(ds.field("TOOTEHINDKMTA").value().value<fb::Numeric>(), fb::Numeric(20678, 3)); // 24.40 / 1.18
    EXPECT_EQ(ds.field("TOOTEHINDKMGA").value().value<fb::Numeric>(), fb::Numeric(24400, 3));
    type(products->edit("TOOTEHINDKMTA"), "letters");
    EXPECT_EQ(ds.field("TOOTEHINDKMTA").value().value<fb::Numeric>(), fb::Numeric(0, 3));
    EXPECT_EQ(ds.field("TOOTEHINDKMGA").value().value<fb::Numeric>(), fb::Numeric(0, 3));
    windowCommand(products, "Jta1")->trigger();
    EXPECT_EQ(count("select count(*) from TOOTED where TOOTENIMI = 'Hinnatud kohvik' and TOOTEHINDKMGA = 118"), 1);
}

TEST_F(ReferenceWindowsTest, ProductFilterTakesTypedTextAsTextAndComesBackOnReopening)
{
    exec("update or insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI, TOODEAKTIIVNE) values (9101, "
         "(select min(TOOTEGRID) from TOOTEGR), 'O''Brien kohvimasin', 'Y') matching (TOOTEID)");
    exec("update or insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI, TOODEAKTIIVNE) values (9102, "
         "(select min(TOOTEGRID) from TOOTEGR), 'Vana kohvimasin', 'N') matching (TOOTEID)");
    auto *products = open<TfTooted>("menuAndmeDTootedClick");
    ASSERT_NE(products, nullptr);
    data::DataSet &ds = *products->dataSet();
    const qint64 all = count("select count(*) from TOOTED");
    EXPECT_EQ(ds.recordCount(), all);

    filterBy(products->dfeTooteNimi(), "O'Brien");
    EXPECT_EQ(shown(ds, "TOOTENIMI"), QStringList{QStringLiteral("O'Brien kohvimasin")});
    filterBy(products->dfeTooteNimi(), "x' OR '1'='1");
    EXPECT_EQ(ds.recordCount(), 0);
    EXPECT_TRUE(products->isVisible());

    // Inactive products with "kohvimasin" in their name: the parts in their order.
    products->dfcbToodeAktiivne()->setCurrentIndex(1);
    replaceText(products->dfeTooteNimi(), "kohvimasin");
    EXPECT_EQ(products->ApplyFilter(), QStringLiteral("ToodeAktiivne='N' AND TooteNimi CONTAINING 'kohvimasin'"));
    EXPECT_EQ(shown(ds, "TOOTENIMI"), QStringList{QStringLiteral("Vana kohvimasin")});
    const QString group = QString::number(count("select min(TOOTEGRID) from TOOTEGR"));
    products->dfdbcTooteGrupp()->setKeyValue(group);
    QTest::keyClick(products->dfeTooteNimi(), Qt::Key_Return);
    EXPECT_EQ(ds.recordCount(), 1);

    // Closed and opened again, the window shows the same filter and the same rows.
    closeWindow(products);
    products = open<TfTooted>("menuAndmeDTootedClick");
    ASSERT_NE(products, nullptr);
    EXPECT_EQ(products->dfdbcTooteGrupp()->keyValue(), group);
    EXPECT_EQ(products->dfcbToodeAktiivne()->value(), QStringLiteral("N"));
    EXPECT_EQ(products->dfeTooteNimi()->text(), QStringLiteral("kohvimasin"));
    EXPECT_EQ(shown(*products->dataSet(), "TOOTENIMI"), QStringList{QStringLiteral("Vana kohvimasin")});

    // With nothing set there is no condition, and every product shows.
    products->dfdbcTooteGrupp()->clearValue();
    products->dfcbToodeAktiivne()->setCurrentIndex(-1);
    products->dfeTooteNimi()->clear();
    EXPECT_EQ(products->ApplyFilter(), QString());
    EXPECT_EQ(products->dataSet()->recordCount(), all);
}

TEST_F(ReferenceWindowsTest, ClassifierFilterTakesTypedTextAsTextAndComesBackOnReopening)
{
    exec("update or insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI) values (9201, (select min(KL1GRID) from KL1GR), "
         "'O''Brien partner') matching (KL1ID)");
    auto *classifiers = open<TfKlassif1>("Klassifikaatorid1Click");
    ASSERT_NE(classifiers, nullptr);
    EXPECT_EQ(classifiers->windowTitle(), QStringLiteral("Klassifikaatorid"));
    EXPECT_EQ(classifiers->DBGrid2()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ID"));
    data::DataSet &ds = *classifiers->dataSet();

    filterBy(classifiers->dfeKlassifNimi(), "O'Brien");
    EXPECT_EQ(shown(ds, "KL1NIMI"), QStringList{QStringLiteral("O'Brien partner")});
    filterBy(classifiers->dfeKlassifNimi(), "x' OR '1'='1");
    EXPECT_EQ(ds.recordCount(), 0);

    const QString group = QString::number(count("select min(KL1GRID) from KL1GR"));
    classifiers->dfdbcKlassifGr()->setKeyValue(group);
    filterBy(classifiers->dfeKlassifNimi(), "Brien");
    EXPECT_EQ(shown(ds, "KL1NIMI"), QStringList{QStringLiteral("O'Brien partner")});
    const QString groupName = classifiers->dfdbcKlassifGr()->currentText();

    // A new group reloads the list of groups; the filter keeps the group it had.
    auto *groups = open<TfKlassif1Gr>("Klassifikaatoritegrupid1Click");
    ASSERT_NE(groups, nullptr);
    windowCommand(groups, "Uuskirje1")->trigger();
    type(groups->edKl1GrNimi(), "Aaa uus grupp");
    windowCommand(groups, "Salvesta1")->trigger();
    EXPECT_EQ(count("select count(*) from KL1GR where KL1GRNIMI = 'Aaa uus grupp'"), 1);
    EXPECT_EQ(classifiers->dfdbcKlassifGr()->keyValue(), group);
    EXPECT_EQ(classifiers->dfdbcKlassifGr()->currentText(), groupName);

    closeWindow(classifiers);
    classifiers = open<TfKlassif1>("Klassifikaatorid1Click");
    ASSERT_NE(classifiers, nullptr);
    EXPECT_EQ(classifiers->dfdbcKlassifGr()->keyValue(), group);
    EXPECT_EQ(classifiers->dfeKlassifNimi()->text(), QStringLiteral("Brien"));
    EXPECT_EQ(shown(*classifiers->dataSet(), "KL1NIMI"), QStringList{QStringLiteral("O'Brien partner")});

    // The classifier's group is picked by the "..." beside it.
    const qint64 otherGroup = count("select KL1GRID from KL1GR where KL1GRNIMI = 'Aaa uus grupp'");
    classifiers->dataSet()->first();
    windowCommand(classifiers, "Muudakirjet1")->trigger();
    ui.expectRecordSelection("Klassifikaatorite grupid", true, 0);
    classifiers->edKl1GrNimi()->editButton().click();
    EXPECT_EQ(classifiers->dataSet()->field("KL1GRID").asInt(), otherGroup);
    EXPECT_EQ(classifiers->edKl1GrNimi()->text(), QStringLiteral("Aaa uus grupp"));
    windowCommand(classifiers, "Salvesta1")->trigger();
    EXPECT_EQ(count(QStringLiteral("select KL1GRID from KLASSIF1 where KL1ID = 9201")), otherGroup);
}

TEST_F(ReferenceWindowsTest, ProductGroupsKeepTheirFurtherPropertiesAndAGroupInUseStays)
{
    auto *groups = open<TfTooteGrupid>("Tootegrupid1Click");
    ASSERT_NE(groups, nullptr);
    EXPECT_EQ(groups->windowTitle(), QStringLiteral("Tootegrupid"));
    windowCommand(groups, "Uuskirje1")->trigger();
    type(groups->edTooteGrNimi(), "Kohvimasinad");
    type(groups->edTooteLisaTiitel(), "Mahutavus");
    windowCommand(groups, "Salvesta1")->trigger();
    const qint64 id = count("select TOOTEGRID from TOOTEGR where TOOTEGRNIMI = 'Kohvimasinad'");
    ASSERT_GT(id, 0);

    // A further property is typed into the grid of the group's further properties.
    groups->APageControl1()->setCurrentIndex(1);
    groups->navTooteLisa()->click(THDBNavigator::Insert);
    DataSetModel *model = groups->dbgTooteLisa()->dataModel();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nimetus"));
    ASSERT_TRUE(model->setData(model->index(0, model->columnOfField("TOOTELISANIMI")), QStringLiteral("1,5 l")));
    groups->navTooteLisa()->click(THDBNavigator::Post);
    EXPECT_EQ(
        count(
            QStringLiteral("select count(*) from TOOTELISA where TOOTEGRID = %1 and TOOTELISANIMI = '1,5 l'").arg(id)),
        1);

    // A group that products belong to cannot go: the database says why and the group stays.
    exec(QStringLiteral("insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (9301, %1, 'Espresso')").arg(id));
    QString why;
    // The navigator stands in the main window's tool bar: its question and message carry that caption.
    ui.expectQuestion("Kustutame kirje ?", main->windowTitle(), Answer::Yes);
    ui.expectMessageText(main->windowTitle(), &why);
    windowCommand(groups, "Kustutakirje1")->trigger();
    // The user reads that the group is in use and by which register.
    EXPECT_TRUE(why.contains(QStringLiteral("kasutusel")) && why.contains(QStringLiteral("Tooted"))) << why.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from TOOTEGR where TOOTEGRID = %1").arg(id)), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from TOOTELISA where TOOTEGRID = %1").arg(id)), 1);
}

TEST_F(ReferenceWindowsTest, RegistersWithoutALevelRuleTakeChangesFromLevelTwo)
{
    session.Level = 2;
    auto *groups = open<TfKlassif1Gr>("Klassifikaatoritegrupid1Click");
    ASSERT_NE(groups, nullptr);
    EXPECT_EQ(groups->windowTitle(), QStringLiteral("Klassifikaatorite grupid"));
    windowCommand(groups, "Uuskirje1")->trigger();
    type(groups->edKl1GrNimi(), "Taseme kaks grupp");
    windowCommand(groups, "Salvesta1")->trigger();
    EXPECT_EQ(count("select count(*) from KL1GR where KL1GRNIMI = 'Taseme kaks grupp'"), 1);
}

// The telephone search.

class PhoneSearchTest : public ReferenceWindowsTest
{
protected:
    void SetUp() override
    {
        ReferenceWindowsTest::SetUp();
        exec("update or insert into KLIENTK (KLIKOOD, KLINIMI, KLITEL, KLITELTRIM) values (9401, 'Viis Kaksteist OÜ', "
             "'5 12', '512') matching (KLIKOOD)");
        exec("update or insert into KLIENTK (KLIKOOD, KLINIMI, KLITEL, KLITELTRIM, KLITEL2, KLITEL2TRIM) values (9402, "
             "'Jagatud Liin AS', '6 600 700', '6600700', '+372 6 600 701', '3726600701') matching (KLIKOOD)");
        exec("update or insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, KISIKTELTRIM, "
             "KISIKTEL2TRIM) values (9402, 9402, 'Mari Liin', '(0)6 600-700', '6600700', '') matching (KLIKISIKKOOD)");
    }
    TfOtsiKliTelefon *searchFor(const QString &typed)
    {
        auto *w = qobject_cast<TfOtsiKliTelefon *>(main->openWindow("TfOtsiKliTelefon"));
        if (!w)
            w = open<TfOtsiKliTelefon>("Telefoninumbriotsing1Click");
        if (w) {
            replaceText(w->edOtsiTelefNo(), typed);
            QTest::keyClick(w->edOtsiTelefNo(), Qt::Key_Return);
        }
        return w;
    }
};

TEST_F(PhoneSearchTest, AnyWayOfWritingTheNumberFindsIt)
{
    TfOtsiKliTelefon *w = searchFor("0-512");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Telefoninumbri otsing"));
    data::DataSet &result = w->search().qOtsiKliTelefon();
    EXPECT_EQ(shown(result, "KLINIMI"), QStringList{QStringLiteral("Viis Kaksteist OÜ")});
    DataSetModel *model = w->DBGrid1()->dataModel();
    ASSERT_NE(model, nullptr);
    QStringList headers;
    for (int c = 0; c < model->columnCount(); ++c)
        headers << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"Klient", "Kontaktisik", "Tel", "Tel2"}));
    EXPECT_TRUE(w->bNaitaKlienti()->isEnabled());
    QTest::mouseClick(w->bNaitaKlienti(), Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{QStringLiteral("OpenClientCard:9401:0")});

    // The second number is searched as well.
    searchFor("+372 (6) 600 701");
    EXPECT_EQ(shown(result, "KLINIMI"), QStringList{QStringLiteral("Jagatud Liin AS")});
}

TEST_F(PhoneSearchTest, ANumberOfAClientAndItsPersonIsListedTwiceThePersonOnlyOnItsOwnRow)
{
    TfOtsiKliTelefon *w = searchFor("6-600-700");
    ASSERT_NE(w, nullptr);
    data::DataSet &result = w->search().qOtsiKliTelefon();
    ASSERT_EQ(result.recordCount(), 2);
    QStringList persons;
    for (const QString &p : shown(result, "KONTAKTISIKNIMI"))
        persons << p.trimmed();
    persons.sort();
    EXPECT_EQ(persons, (QStringList{QString(), QStringLiteral("Mari Liin")}));
    EXPECT_EQ(shown(result, "KLINIMI"), (QStringList{"Jagatud Liin AS", "Jagatud Liin AS"}));
}

TEST_F(PhoneSearchTest, NoDigitsOrTooManyDigitsFindNothingQuietly)
{
    TfOtsiKliTelefon *w = searchFor("tel.");
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->search().qOtsiKliTelefon().isActive());
    EXPECT_FALSE(w->bNaitaKlienti()->isEnabled());
    searchFor(QString(30, QLatin1Char('7')));
    EXPECT_TRUE(w->search().qOtsiKliTelefon().isActive());
    EXPECT_EQ(w->search().qOtsiKliTelefon().recordCount(), 0);
    EXPECT_FALSE(w->bNaitaKlienti()->isEnabled());
    // Longer than any column: still nothing, and still no error.
    PhoneNumberSearch longer(module->IBTransaction1());
    EXPECT_TRUE(longer.Search(QString(150, QLatin1Char('7'))));
    EXPECT_EQ(longer.qOtsiKliTelefon().recordCount(), 0);
}

TEST_F(PhoneSearchTest, RebuildCommandFixesEveryClientAndPersonWhateverTheListsShow)
{
    // Numbers whose search columns went wrong, among clients no agent filter would show.
    exec("update KLIENTK set KLITELTRIM = 'vale', KLIENTAKTIIVNE = 'N' where KLIKOOD in (9401, 9402)");
    exec("update KLIKISIK set KISIKTELTRIM = null, KISIKTEL2TRIM = '1' where KLIKISIKKOOD = 9402");
    exec("update KLIENTK set KLITELTRIM = null where KLITEL is not null and KLIKOOD < 9000 and mod(KLIKOOD, 7) = 0");
    session.AgentCode = 1;
    session.DefaultAgentFilter = true;
    module->SetSessionFilters();

    // Below the administrator's level the command is refused.
    session.Level = 4;
    ui.expectMessage("Kasutajaõigused puuduvad !\r\nPöörduge süsteemi administraatori poole.", "Teade");
    main->command("Telefoninumbriteotsingutabelikorrastamine1Click")->trigger();
    EXPECT_EQ(count("select count(*) from KLIENTK where KLITELTRIM = 'vale'"), 2);

    session.Level = 5;
    main->command("Telefoninumbriteotsingutabelikorrastamine1Click")->trigger();
    int wrong = 0;
    data::SqlStatement q(module->IBTransaction1());
    q.setSql("select KLITEL, KLITELTRIM, KLITEL2, KLITEL2TRIM from KLIENTK");
    q.exec();
    while (q.next())
        for (int c : {0, 2})
            if (q.value(c).toString().isEmpty() ? !q.value(c + 1).isNull()
                                                : data::PhoneDigits(q.value(c).toString()) != q.value(c + 1).toString())
                ++wrong;
    q.setSql("select KONTAKTISIKTEL, KISIKTELTRIM, KONTAKTISIKTEL2, KISIKTEL2TRIM from KLIKISIK");
    q.exec();
    while (q.next())
        for (int c : {0, 2})
            if (data::PhoneDigits(q.value(c).toString()) != q.value(c + 1).toString() || q.value(c + 1).isNull())
                ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(count("select count(*) from KLIENTK where KLIKOOD = 9402 and KLITELTRIM = '6600700'"), 1);
    // Nothing is left to change.
    EXPECT_EQ(module->RebuildPhoneSearch(), 0);
    // The search finds the fixed person again.
    TfOtsiKliTelefon *w = searchFor("6600700");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->search().qOtsiKliTelefon().recordCount(), 2);
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
