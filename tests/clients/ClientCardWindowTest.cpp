// The client card as a window under the real main window, offscreen: opening, the pages, typing and
// saving with the keyboard, new clients and the cards found again by their code.

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "ClientCardFixture.h"
#include "WindowDriver.h"
#include "app/TfMain.h"
#include "clients/TdmKlientEdit1.h"
#include "clients/TfKlientEdit.h"
#include "data/DataSet.h"
#include "data/ProgramParameters.h"
#include "reference/TfTooted.h"
#include "ui/DataSetModel.h"
#include "ui/TDBEdit.h"
#include "ui/TDBGrid.h"
#include "ui/TDBValComboBox.h"
#include "ui/THDBNavigator.h"

using Answer = data::UserInterface::Answer;

namespace {

class ClientCardWindow : public ClientCardFixture
{
protected:
    void SetUp() override
    {
        ClientCardFixture::SetUp();
        main = std::make_unique<TfMain>(module.get(), &session, &ui);
        module->setMainServices(main.get());
        main->clientCardFactory = [this](int code, int page) {
            return new TfKlientEdit(WindowContext{module.get(), &ui}, code, page);
        };
        main->resize(1200, 900);
        main->show();
        QApplication::setActiveWindow(main.get());
    }
    void TearDown() override
    {
        main->confirmClose = false;
        for (QMdiSubWindow *sub : main->mdiArea()->subWindowList())
            if (auto *child = qobject_cast<TfChildBtnBarForm01 *>(sub->widget()))
                child->CancelAll();
        main.reset();
        ClientCardFixture::TearDown();
    }
    TfKlientEdit *activeCard() const
    {
        QMdiSubWindow *sub = main->mdiArea()->activeSubWindow();
        return sub ? qobject_cast<TfKlientEdit *>(sub->widget()) : nullptr;
    }
    static void closeCard(TfKlientEdit *card)
    {
        card->parentWidget()->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The grid's cursor on a field of its current row; false when the grid shows no such column.
    static bool selectCell(TDBGrid *grid, const char *fieldName)
    {
        const int column = grid->dataModel()->columnOfField(QString::fromLatin1(fieldName));
        const int row = std::max(grid->dataSet()->currentRow(), 0);
        if (column < 0)
            return false;
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(row, column));
        QApplication::processEvents();
        return true;
    }
    static void clickCellButton(TDBGrid *grid)
    {
        ASSERT_TRUE(grid->cellButton()->isVisible());
        QTest::mouseClick(grid->cellButton(), Qt::LeftButton);
        QApplication::processEvents();
    }

    std::unique_ptr<TfMain> main;
};

TEST_F(ClientCardWindow, PagesShowAndATypedChangeIsSavedWithAltS)
{
    main->OpenClientCard(1, 1);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Klient - Oma Klient AS"));
    EXPECT_EQ(card->pages()->currentIndex(), 1);
    EXPECT_EQ(card->pages()->count(), 8);
    const QStringList captions = {"Põhiandm&ed",
                                  "Pla&neeritud kontaktid",
                                  "Senised kon&taktid",
                                  "Kasutatava&d tooted",
                                  "Täiendav &liigitus",
                                  "Dokumend&id",
                                  "Müük",
                                  "Agendid"};
    for (int page = 0; page < card->pages()->count(); ++page) {
        EXPECT_EQ(card->pages()->tabText(page), captions.at(page));
        card->ShowPage(page);
        QApplication::processEvents();
        TDBGrid *grid = card->grid(page);
        ASSERT_NE(grid, nullptr) << page;
        EXPECT_TRUE(grid->dataSet()->isActive()) << page;
        if (page != TdmKlientEdit1::Sales)
            EXPECT_GT(grid->model()->rowCount(), 0) << page;
    }
    // The past contacts are closed again once their page is left.
    EXPECT_FALSE(card->module()->taKontaktidKliendil()->isActive());
    TDBGrid *persons = card->grid(TdmKlientEdit1::Main);
    EXPECT_EQ(persons->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nimi"));

    card->ShowPage(0);
    // The relation type shows its name and stores its number.
    auto *relation = card->findChild<TDBValComboBox *>("dbcbSuhteTyyp");
    ASSERT_NE(relation, nullptr);
    EXPECT_EQ(relation->currentText(), QStringLiteral("Klient"));
    TDBEdit *fax = card->edit("KLIFAX");
    ASSERT_NE(fax, nullptr);
    windowdriver::replaceText(fax, "6 111 222");
    QTest::keyClick(fax, Qt::Key_S, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_EQ(committedCount("select count(*) from KLIENTK where KLIKOOD = 1 and KLIFAX = '6 111 222'"), 1);
    EXPECT_EQ(card->module()->taKlient()->state(), data::DataSet::State::Browse);

    // The same client again: the open card comes forward on the asked page.
    main->OpenClientCard(1, 4);
    EXPECT_EQ(activeCard(), card);
    EXPECT_EQ(card->pages()->currentIndex(), 4);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
}

TEST_F(ClientCardWindow, NewClientCardSavesOneAgentRowAndIsFoundAgainByItsCode)
{
    main->NewClientCard();
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Uus klient -  "));
    TDBEdit *name = card->edit("KLINIMI");
    windowdriver::replaceText(name, "Akna Firma");
    QTest::keyClick(name, Qt::Key_S, Qt::AltModifier);
    QApplication::processEvents();
    const int code = card->ClientCode();
    ASSERT_GT(code, 0);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Klient - Akna Firma "));
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from KLIAGENT where KLIKOOD = %1").arg(code)), 1);
    EXPECT_EQ(main->clientCard(code), card);
    main->OpenClientCard(code, 0);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
}

TEST_F(ClientCardWindow, UnknownCodeOpensNothingAndADeleteTheDatabaseRefusesKeepsTheCard)
{
    const size_t pool = module->ClientCardModules().size();
    ui.expectMessage("Ei leia klienti '4711' !", "Viga");
    main->OpenClientCard(4711, 0);
    EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(module->ClientCardModules().size(), pool);

    session.Level = 3;
    main->OpenClientCard(3, 0);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    ui.expectQuestion("Kustutame aktiivse kliendi ?", "Kliendid", Answer::Yes);
    QString error;
    ui.expectMessageText("Klient - Kontaktidega ", &error);
    card->findChild<QAction *>("Kustuta1")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(error.contains("FOREIGN KEY", Qt::CaseInsensitive)) << error.toStdString();
    EXPECT_EQ(main->clientCard(3), card);
    EXPECT_EQ(committedCount("select count(*) from KLIENTK where KLIKOOD = 3"), 1);

    // A level-1 user gets no delete button at all.
    session.Level = 1;
    card->module()->taKlient()->refresh();
    EXPECT_FALSE(card->CanDelete(true));
    closeCard(card);
    EXPECT_EQ(main->clientCard(3), nullptr);
}

TEST_F(ClientCardWindow, ClosedCardsModuleServesTheNextCard)
{
    main->OpenClientCard(1, 0);
    TfKlientEdit *first = activeCard();
    ASSERT_NE(first, nullptr);
    TdmKlientEdit1 *module1 = first->module();
    first->cbAktiivsed()->setChecked(true);
    EXPECT_EQ(first->grid(0)->model()->rowCount(), 1);
    closeCard(first);
    main->OpenClientCard(2, 0);
    TfKlientEdit *second = activeCard();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->module(), module1);
    EXPECT_TRUE(second->cbAktiivsed()->isChecked());
    EXPECT_EQ(second->grid(0)->model()->index(0, 0).data().toString(), QStringLiteral("Jaan Saar"));
    second->cbAktiivsed()->setChecked(false);
}

TEST_F(ClientCardWindow, PageGridsShowTheirColumnsInTheListedOrder)
{
    main->OpenClientCard(1, TdmKlientEdit1::Products);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    auto firstShown = [](TDBGrid *grid, int count) {
        QStringList names;
        auto *model = grid->dataModel();
        for (int visual = 0; visual < count; ++visual) {
            const int column = grid->horizontalHeader()->logicalIndex(visual);
            names << model->headerData(column, Qt::Horizontal).toString();
        }
        return names;
    };
    EXPECT_EQ(firstShown(card->grid(TdmKlientEdit1::Products), 3),
              (QStringList{"TooteGrupp", "TooteKood", "TooteNimi"}));
    EXPECT_EQ(firstShown(card->grid(0), 3), (QStringList{"Nimi", "Amet", "Tel"}));
}

TEST_F(ClientCardWindow, GridNameButtonsPickTheKeyAndNameFromTheirLists)
{
    main->OpenClientCard(1, TdmKlientEdit1::Products);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    TDBGrid *products = card->grid(TdmKlientEdit1::Products);
    data::DataSet &rows = *products->dataSet();
    ASSERT_FALSE(rows.isEmpty());

    // Only the name columns carry the button; the refinement's title is drawn as not typed into.
    ASSERT_TRUE(selectCell(products, "KLITOODEKOGUS"));
    EXPECT_FALSE(products->cellButton()->isVisible());
    ASSERT_TRUE(selectCell(products, "TOOTELISATIITEL"));
    EXPECT_FALSE(products->cellButton()->isVisible());
    EXPECT_EQ(products->currentIndex().data(Qt::BackgroundRole).value<QBrush>().color(),
              card->palette().color(QPalette::Button));
    EXPECT_FALSE(products->model()->flags(products->currentIndex()) & Qt::ItemIsEditable);

    // Another group: its key and name land in the row, and the product of the old group goes.
    ASSERT_TRUE(selectCell(products, "TOOTEGRNIMI"));
    QStringList groups;
    ui.expectRecordSelection("Tootegrupid", true, 1, &groups, "TOOTEGRNIMI");
    clickCellButton(products);
    EXPECT_EQ(groups, (QStringList{"Arvutid", "Mööbel"}));
    EXPECT_EQ(rows.state(), data::DataSet::State::Edit);
    EXPECT_EQ(rows.field("TOOTEGRID").asInt(), 2);
    EXPECT_EQ(rows.field("TOOTEGRNIMI").asString(), QStringLiteral("Mööbel"));
    EXPECT_TRUE(rows.field("TOOTEID").isNull());
    // The products offered are those of the row's group.
    ASSERT_TRUE(selectCell(products, "TOOTENIMI"));
    QStringList shown;
    ui.expectRecordSelection("Tooted", true, 0, &shown, "TOOTENIMI");
    QTest::keyClick(products, Qt::Key_Return, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(shown, QStringList{"Kirjutuslaud"});
    EXPECT_EQ(rows.field("TOOTEID").asInt(), 2);
    EXPECT_EQ(rows.field("TOOTENIMI").asString(), QStringLiteral("Kirjutuslaud"));
    rows.cancel();

    // Cancelling the list leaves a row in browse as it was.
    ASSERT_TRUE(selectCell(products, "TOOTEGRNIMI"));
    ui.expectRecordSelection("Tootegrupid", false, 0);
    clickCellButton(products);
    EXPECT_EQ(rows.state(), data::DataSet::State::Browse);
    EXPECT_EQ(rows.field("TOOTEGRID").asInt(), 1);

    // Classifiers of the row's group only.
    card->ShowPage(TdmKlientEdit1::Classifiers);
    TDBGrid *classifiers = card->grid(TdmKlientEdit1::Classifiers);
    classifiers->dataSet()->first();
    ASSERT_TRUE(selectCell(classifiers, "KL1NIMI"));
    QStringList shownClassifiers;
    ui.expectRecordSelection("Klassifikaatorid", false, 0, &shownClassifiers, "KL1NIMI");
    clickCellButton(classifiers);
    EXPECT_EQ(shownClassifiers, QStringList{"Suur"});

    // A contact person's occupation.
    exec("update or insert into KAMETID (AMETID, AMET) values (1, 'Juhataja') matching (AMETID)");
    card->ShowPage(TdmKlientEdit1::Main);
    TDBGrid *persons = card->grid(TdmKlientEdit1::Main);
    ASSERT_TRUE(selectCell(persons, "KONTAKTISIKAMET"));
    ui.expectRecordSelection("Ametid", true, 0);
    clickCellButton(persons);
    EXPECT_EQ(persons->dataSet()->field("AMETID").asInt(), 1);
    EXPECT_EQ(persons->dataSet()->field("KONTAKTISIKAMET").asString(), QStringLiteral("Juhataja"));
    persons->dataSet()->cancel();

    // Sales and agents have their buttons as well.
    card->ShowPage(TdmKlientEdit1::Sales);
    for (const char *field : {"AGENTNIMI", "TOOTEGRNIMI", "TOOTENIMI", "PROJNIMI"})
        EXPECT_TRUE(card->grid(TdmKlientEdit1::Sales)->hasButton(field)) << field;
    EXPECT_TRUE(card->grid(TdmKlientEdit1::Agents)->hasButton("AGENTNIMI"));
}

TEST_F(ClientCardWindow, GridNameButtonOnAnotherAgentsClientIsRefusedBeforeTheList)
{
    main->OpenClientCard(2, TdmKlientEdit1::Agents);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    TDBGrid *agents = card->grid(TdmKlientEdit1::Agents);
    ASSERT_FALSE(agents->dataSet()->isEmpty());
    ASSERT_TRUE(selectCell(agents, "AGENTNIMI"));
    ui.expectMessage("Agendil lubatud muuta vaid oma kliente !", "Kliendid");
    clickCellButton(agents);
    EXPECT_EQ(agents->dataSet()->state(), data::DataSet::State::Browse);
    EXPECT_EQ(agents->dataSet()->field("AGENTKOOD").asInt(), 3);
}

TEST_F(ClientCardWindow, DocumentsAreChosenFromTheFilesOnInsertAndWithTheFileButton)
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/docs";
    ASSERT_TRUE(QDir(dir.path()).mkpath("docs/a"));
    for (const QString &f : {root + "/a/b.pdf", root + "/c.pdf"}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString rootParameter = QString::fromLatin1(ProgramParameters::DocumentsRootDirectory);
    ASSERT_TRUE(module->SetParameter(rootParameter, root));

    main->OpenClientCard(1, TdmKlientEdit1::Documents);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    data::DataSet &docs = *card->module()->taKliendiDokum();
    THDBNavigator *navigator = card->navigator(TdmKlientEdit1::Documents);
    const int before = docs.recordCount();

    // A chosen file becomes a new row holding its name under the root.
    ui.expectOpenFileName("Select File", true, root + "/a/b.pdf");
    QTest::mouseClick(navigator->button(THDBNavigator::Insert), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(docs.state(), data::DataSet::State::Insert);
    EXPECT_EQ(docs.field("KLIDOKFILENAME").asString(), QStringLiteral("a/b.pdf"));
    EXPECT_EQ(docs.field("KLIDOKTYYP").asString(), QStringLiteral("file"));
    QTest::mouseClick(navigator->button(THDBNavigator::Post), Qt::LeftButton);
    EXPECT_EQ(committedCount("select count(*) from KLIDOKUM where KLIKOOD = 1 and KLIDOKFILENAME = 'a/b.pdf'"), 1);

    // The dialog starts at the current document; Cancel adds nothing.
    QString start;
    ui.expectOpenFileName("Select File", false, QString(), &start);
    QTest::mouseClick(navigator->button(THDBNavigator::Insert), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(QDir::cleanPath(start), QDir::cleanPath(root + "/a/b.pdf"));
    EXPECT_EQ(docs.state(), data::DataSet::State::Browse);
    EXPECT_EQ(docs.recordCount(), before + 1);

    // The file column's button changes the current row's file.
    TDBGrid *grid = card->grid(TdmKlientEdit1::Documents);
    ASSERT_TRUE(selectCell(grid, "KLIDOKFILENAME"));
    start.clear();
    ui.expectOpenFileName("Select File", true, root + "/c.pdf", &start);
    clickCellButton(grid);
    EXPECT_EQ(QDir::cleanPath(start), QDir::cleanPath(root + "/a/b.pdf"));
    EXPECT_EQ(docs.state(), data::DataSet::State::Edit);
    EXPECT_EQ(docs.field("KLIDOKFILENAME").asString(), QStringLiteral("c.pdf"));
    // Cancel on that dialog leaves the row alone.
    docs.cancel();
    ui.expectOpenFileName("Select File", false, QString());
    clickCellButton(grid);
    EXPECT_EQ(docs.state(), data::DataSet::State::Browse);
    EXPECT_EQ(docs.field("KLIDOKFILENAME").asString(), QStringLiteral("a/b.pdf"));

    // Another agent's client gets no dialog.
    main->OpenClientCard(2, TdmKlientEdit1::Documents);
    TfKlientEdit *other = activeCard();
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other, card);
    ui.expectMessage("Agendile lubatud vaid omad kliendid !", "Klient - Võõras Klient ");
    QTest::mouseClick(other->navigator(TdmKlientEdit1::Documents)->button(THDBNavigator::Insert), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(other->module()->taKliendiDokum()->state(), data::DataSet::State::Browse);

    exec("delete from KLIDOKUM where KLIKOOD = 1 and KLIDOKFILENAME = 'a/b.pdf'");
    module->SetParameter(rootParameter, QString());
}

TEST_F(ClientCardWindow, PageButtonsAndDoubleClicksOpenTheRowsInTheirWindows)
{
    exec("insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTEEMA, KONTAKTIDGRUPP) "
         "values (21, 7, 3, '04.11.2026', 1, 'Pakkumine', 20)");
    exec("update KLIENTK set EMAFIRMAKOOD = 5 where KLIKOOD = 4");
    auto doubleClickRow = [](TDBGrid *grid, int row, const char *field) {
        ASSERT_LT(row, grid->dataSet()->recordCount());
        const QRect cell =
            grid->visualRect(grid->model()->index(row, grid->dataModel()->columnOfField(QString::fromLatin1(field))));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QApplication::processEvents();
    };

    main->OpenClientCard(1, TdmKlientEdit1::Plans);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    // Plans, contacts and mass offers have no windows under this test: what was asked is recorded.
    module->setMainServices(&mainWindow);
    auto *openPlan = card->findChild<QPushButton *>("bAvaPlaneering");
    ASSERT_NE(openPlan, nullptr);
    EXPECT_EQ(openPlan->text(), QStringLiteral("A&va planeering"));
    EXPECT_EQ(openPlan->toolTip(), QStringLiteral("Ava valitud planeering"));
    QTest::mouseClick(openPlan, Qt::LeftButton);
    doubleClickRow(card->grid(TdmKlientEdit1::Plans), 1, "JKONTAKTTEEMA");
    EXPECT_EQ(mainWindow.openedNextContacts, (QList<int>{1, 2}));

    module->setMainServices(main.get());
    main->OpenClientCard(3, TdmKlientEdit1::Contacts);
    TfKlientEdit *contacts = activeCard();
    ASSERT_NE(contacts, card);
    module->setMainServices(&mainWindow);
    // The newest first: the mass offer's line opens the offer, the plain contact itself.
    auto *openContact = contacts->findChild<QPushButton *>("bAvaKontakt");
    ASSERT_NE(openContact, nullptr);
    EXPECT_EQ(openContact->text(), QStringLiteral("A&va kontakt"));
    QTest::mouseClick(openContact, Qt::LeftButton);
    doubleClickRow(contacts->grid(TdmKlientEdit1::Contacts), 1, "KONTAKTTEEMA");
    EXPECT_EQ(mainWindow.openedMassOffers, QList<int>{20});
    EXPECT_EQ(mainWindow.openedContacts, QList<int>{3});

    // The mother company's card, on its first page; none without one.
    module->setMainServices(main.get());
    main->OpenClientCard(4, TdmKlientEdit1::Classifiers);
    TfKlientEdit *daughter = activeCard();
    module->setMainServices(&mainWindow);
    QTest::mouseClick(daughter->findChild<QPushButton *>("bAvaEmafirma"), Qt::LeftButton);
    card->ShowPage(TdmKlientEdit1::Classifiers);
    QTest::mouseClick(card->findChild<QPushButton *>("bAvaEmafirma"), Qt::LeftButton);
    EXPECT_EQ(mainWindow.openedCards, (QList<QPair<int, int>>{{5, 0}}));

    // The product opens in the products window, standing on it.
    module->setMainServices(main.get());
    main->windowFactory = [this](const QString &className) -> QWidget * {
        return className == QLatin1String("TfTooted") ? new TfTooted(WindowContext{module.get(), &ui}) : nullptr;
    };
    card->ShowPage(TdmKlientEdit1::Products);
    TDBGrid *products = card->grid(TdmKlientEdit1::Products);
    ASSERT_FALSE(products->dataSet()->isEmpty());
    auto *openProduct = card->findChild<QPushButton *>("bAvaToode");
    ASSERT_NE(openProduct, nullptr);
    EXPECT_EQ(openProduct->text(), QStringLiteral("A&va toode"));
    QTest::mouseClick(openProduct, Qt::LeftButton);
    auto *productList = qobject_cast<TfTooted *>(main->openWindow("TfTooted"));
    ASSERT_NE(productList, nullptr);
    ASSERT_TRUE(productList->dataSet()->isActive());
    EXPECT_EQ(productList->dataSet()->field("TOOTEID").asInt(), 1);
    // Standing elsewhere, a double-click on the card's row brings it back to the product.
    productList->dataSet()->locate("TOOTEID", 2);
    ASSERT_NE(productList->dataSet()->field("TOOTEID").asInt(), 1);
    main->OpenClientCard(1, TdmKlientEdit1::Products);
    doubleClickRow(products, 0, "KLITOODEKOMMENT");
    EXPECT_EQ(products->dataSet()->state(), data::DataSet::State::Browse);
    EXPECT_EQ(productList->dataSet()->field("TOOTEID").asInt(), 1);

    exec("delete from KONTAKT where KONTAKTID = 21");
    exec("update KLIENTK set EMAFIRMAKOOD = null where KLIKOOD = 4");
}

TEST_F(ClientCardWindow, SaveQuestionComesBeforePlanningMailingAndCalling)
{
    main->OpenClientCard(1, TdmKlientEdit1::Main);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    module->setMainServices(&mainWindow);
    data::DataSet &client = *card->module()->taKlient();

    struct Command
    {
        const char *name;
        std::function<void()> run;
        std::function<qsizetype()> done;
    };
    auto trigger = [card](const char *action) {
        return [card, action] { card->findChild<QAction *>(action)->trigger(); };
    };
    const std::vector<Command> commands = {
        {"Planeeri kontakt", trigger("Planeerikontakt1"), [this] { return mainWindow.plannedContacts.size(); }},
        {"&Uus",
         [card] {
             card->ShowPage(TdmKlientEdit1::Plans);
             QTest::mouseClick(card->findChild<QPushButton *>("bUusPlaan"), Qt::LeftButton);
         },
         [this] { return mainWindow.plannedContacts.size(); }},
        {"Saada e-mail", trigger("Saadaemail1"), [this] { return ui.composedMails().size(); }},
        {"Helista", trigger("Helista1"), [this] { return ui.dialled().size(); }},
    };
    int typed = 0;
    for (const Command &command : commands) {
        for (Answer answer : {Answer::Cancel, Answer::Yes, Answer::No}) {
            SCOPED_TRACE(std::string(command.name) + " answered " + std::to_string(static_cast<int>(answer)));
            card->ShowPage(TdmKlientEdit1::Main);
            const QString fax = QStringLiteral("7 000 %1").arg(++typed);
            // Typed and still in the edit, as when the tool bar's button is clicked.
            windowdriver::replaceText(card->edit("KLIFAX"), fax);
            const qsizetype before = command.done();
            ui.expectQuestion("Andmeid on muudetud!\nKas salvestada ?", card->windowTitle(), answer);
            command.run();
            QApplication::processEvents();
            const QString saved =
                QStringLiteral("select count(*) from KLIENTK where KLIKOOD = 1 and KLIFAX = '%1'").arg(fax);
            switch (answer) {
            case Answer::Cancel:
                EXPECT_EQ(command.done(), before);
                EXPECT_EQ(client.state(), data::DataSet::State::Edit);
                EXPECT_EQ(client.field("KLIFAX").asString(), fax);
                EXPECT_EQ(committedCount(saved), 0);
                client.cancel();
                break;
            case Answer::Yes:
                EXPECT_EQ(command.done(), before + 1);
                EXPECT_EQ(client.state(), data::DataSet::State::Browse);
                EXPECT_EQ(committedCount(saved), 1);
                break;
            default:
                EXPECT_EQ(command.done(), before + 1);
                EXPECT_EQ(client.state(), data::DataSet::State::Browse);
                EXPECT_NE(client.field("KLIFAX").asString(), fax);
                EXPECT_EQ(committedCount(saved), 0);
                break;
            }
        }
    }
}

TEST_F(ClientCardWindow, DiscountAndTurnoverShowInTheirPicturesAndAreTypedPlain)
{
    exec("update KLIENTK set KLIALE = 12.5, KLIKAIVE = 1234567 where KLIKOOD = 4");
    main->OpenClientCard(4, TdmKlientEdit1::Main);
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    TDBEdit *discount = card->edit("KLIALE");
    TDBEdit *turnover = card->edit("KLIKAIVE");
    card->edit("KLINIMI")->setFocus();
    EXPECT_EQ(discount->text(), QStringLiteral("12.50 %"));
    EXPECT_EQ(turnover->text(), QStringLiteral("1 234 567"));

    // In the edit the plain number is typed over; left, the picture shows again.
    discount->setFocus();
    EXPECT_EQ(discount->text(), QStringLiteral("12.5"));
    windowdriver::replaceText(discount, "7.25");
    windowdriver::replaceText(turnover, "2500000");
    EXPECT_EQ(discount->text(), QStringLiteral("7.25 %"));
    card->edit("KLINIMI")->setFocus();
    EXPECT_EQ(turnover->text(), QStringLiteral("2 500 000"));
    card->findChild<QAction *>("Salvesta1")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(committedCount("select count(*) from KLIENTK where KLIKOOD = 4 and KLIALE = 7.25 and KLIKAIVE = 2500000"),
              1);
    EXPECT_EQ(discount->text(), QStringLiteral("7.25 %"));
    EXPECT_EQ(turnover->text(), QStringLiteral("2 500 000"));
    // The grids' model shows the same pictures.
    data::DataSet &client = *card->module()->taKlient();
    int discountIndex = 0;
    while (discountIndex < client.fieldCount() && client.fieldAt(discountIndex).fieldName() != QLatin1String("KLIALE"))
        ++discountIndex;
    EXPECT_EQ(client.textAt(client.currentRow(), discountIndex, true), QStringLiteral("7.25 %"));
    EXPECT_EQ(client.textAt(client.currentRow(), discountIndex, false), QStringLiteral("7.25"));
    exec("update KLIENTK set KLIALE = null, KLIKAIVE = null where KLIKOOD = 4");
}

TEST_F(ClientCardWindow, NewClientWhoseAgentRowFailsStaysBeingInsertedWithWhatWasTyped)
{
    // The session's agent is unknown to the database: the client's agent row cannot be written.
    session.AgentCode = 99;
    main->NewClientCard();
    TfKlientEdit *card = activeCard();
    ASSERT_NE(card, nullptr);
    data::DataSet &client = *card->module()->taKlient();
    windowdriver::replaceText(card->edit("KLINIMI"), "Orb Aknast");
    windowdriver::replaceText(card->edit("KLIFAX"), "6 999 000");
    card->edit("KLIEMAIL")->setFocus();
    QString error;
    ui.expectMessageText(card->windowTitle(), &error);
    card->findChild<QAction *>("Salvesta1")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(error.contains("FOREIGN KEY", Qt::CaseInsensitive)) << error.toStdString();
    EXPECT_EQ(committedCount("select count(*) from KLIENTK where KLINIMI = 'Orb Aknast'"), 0);
    EXPECT_EQ(count("select count(*) from KLIENTK where KLINIMI = 'Orb Aknast'"), 0);
    EXPECT_EQ(client.state(), data::DataSet::State::Insert);
    EXPECT_EQ(client.field("KLINIMI").asString(), QStringLiteral("Orb Aknast"));
    EXPECT_EQ(client.field("KLIFAX").asString(), QStringLiteral("6 999 000"));
    EXPECT_TRUE(card->module()->IsNew());
    EXPECT_TRUE(card->windowTitle().startsWith(QStringLiteral("Uus klient")));

    // With an agent the database knows, the same typed client is saved.
    session.AgentCode = 7;
    card->findChild<QAction *>("Salvesta1")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(client.state(), data::DataSet::State::Browse);
    EXPECT_EQ(committedCount("select count(*) from KLIENTK K join KLIAGENT A on A.KLIKOOD = K.KLIKOOD "
                             "where K.KLINIMI = 'Orb Aknast' and A.AGENTKOOD = 7"),
              1);
    EXPECT_EQ(card->windowTitle(), QStringLiteral("Klient - Orb Aknast "));
}

} // namespace
