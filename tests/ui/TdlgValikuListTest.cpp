// The selection dialog's grid driven with the keyboard, offscreen: the quick search that a typed
// character opens, and sorting by the selected column.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>

#include "TempDatabase.h"
#include "WindowDriver.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "fb/Transaction.h"
#include "ui/DataSetModel.h"
#include "ui/TdlgValikuList.h"
#include "ui/TfQuickSearch.h"

namespace {

class SelectionDialogKeysTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("selection.fdb"));
        s_db->execute({"execute block as declare i integer = 1; begin while (i <= 1000) do begin "
                       "insert into KLIENTK (KLIKOOD, KLINIMI, KLILISAMKUUP, KLIALE) values "
                       "(:i, 'Klient ' || :i, dateadd(:i day to date '2020-01-01'), :i + 0.25); i = i + 1; end end",
                       // Beyond the rows that the grid has fetched when the dialog opens.
                       "insert into KLIENTK (KLIKOOD, KLINIMI) values (1001, 'Abakus')",
                       "insert into KLIENTK (KLIKOOD, KLINIMI) values (1002, 'abieluring')",
                       "insert into KLIENTK (KLIKOOD, KLINIMI) values (1003, 'Zeta1Firma')",
                       "insert into KLIENTK (KLIKOOD, KLINIMI) values (1004, 'Zeta%Firma')",
                       "insert into KLIENTK (KLIKOOD, KLINIMI) values (1005, 'ZetaXb')",
                       "insert into KLIENTK (KLIKOOD, KLINIMI) values (1006, 'Zeta_b')",
                       "insert into KLIENTK (KLIKOOD, KLINIMI) values (1500, 'Õunapuu')"});
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    void SetUp() override
    {
        data::ClearFilterRegistry();
        att = s_db->connect();
        tr = std::make_unique<fb::Transaction>(att);
        clients = std::make_unique<data::DataSet>(*tr, QStringLiteral("taKliendidValik"));
        clients->setSelectSql("select KLIKOOD, KLINIMI, KLILISAMKUUP, KLIALE from KLIENTK order by KLIKOOD");
        clients->defineField("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
        clients->defineField("KLILISAMKUUP").setDisplayLabel(QStringLiteral("Lisatud"));
        clients->defineField("KLIALE").setDisplayLabel(QStringLiteral("Allahindlus"));
        dlg = std::make_unique<TdlgValikuList>(nullptr, &result, nullptr, "KLIKOOD", clients.get(), "Kliendi valik");
        dlg->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        dlg.reset();
        clients.reset();
        tr.reset();
    }

    // Selects a column of the grid (the row stays) and types into the grid.
    void selectColumn(const QString &field)
    {
        auto *model = static_cast<DataSetModel *>(dlg->grid()->model());
        dlg->grid()->setCurrentIndex(model->index(std::max(clients->currentRow(), 0), model->columnOfField(field)));
    }
    // The quick search window on the screen (a closed one is gone at the next turn of the event loop).
    QWidget *quickSearch() const
    {
        for (QWidget *w : dlg->findChildren<QWidget *>(QStringLiteral("fQuickSearch")))
            if (w->isVisible())
                return w;
        return nullptr;
    }
    QLineEdit *searchEdit() const { return quickSearch() ? quickSearch()->findChild<QLineEdit *>() : nullptr; }
    int currentCode() const { return static_cast<int>(clients->field("KLIKOOD").asInt()); }
    int gridRow() const { return dlg->grid()->currentIndex().row(); }

    static TempDatabase *s_db;
    fb::Attachment att;
    std::unique_ptr<fb::Transaction> tr;
    std::unique_ptr<data::DataSet> clients;
    QString result;
    std::unique_ptr<TdlgValikuList> dlg;
};
TempDatabase *SelectionDialogKeysTest::s_db = nullptr;

TEST_F(SelectionDialogKeysTest, TypedCharacterOpensTheQuickSearchOnTheSelectedColumn)
{
    ASSERT_LT(clients->fetchedCount(), 1000);
    selectColumn("KLINIMI");
    QTest::keyClick(dlg->grid(), 'a');
    ASSERT_NE(quickSearch(), nullptr);
    ASSERT_NE(searchEdit(), nullptr);
    EXPECT_EQ(quickSearch()->windowTitle(), QStringLiteral("Nimi"));
    EXPECT_EQ(searchEdit()->text(), QStringLiteral("a"));
    EXPECT_EQ(searchEdit()->cursorPosition(), 1);
    // The first name that starts with the text, whatever the letter case, in rows not fetched before.
    EXPECT_EQ(currentCode(), 1001);
    EXPECT_EQ(gridRow(), clients->currentRow());
    typeText(searchEdit(), "BI");
    EXPECT_EQ(currentCode(), 1002);
    EXPECT_EQ(gridRow(), clients->currentRow());
    typeText(searchEdit(), "q");
    EXPECT_EQ(currentCode(), 1002); // nothing starts so: the row stays
    QTest::keyClick(searchEdit(), Qt::Key_Backspace);
    QTest::keyClick(searchEdit(), Qt::Key_Backspace);
    EXPECT_EQ(currentCode(), 1001);

    // Enter closes the window; the grid keeps the row found.
    QPointer<QWidget> window = quickSearch();
    QTest::keyClick(searchEdit(), Qt::Key_Return);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(currentCode(), 1001);
    EXPECT_TRUE(dlg->isVisible());

    // Letters outside ASCII, and Esc.
    typeText(dlg->grid(), QStringLiteral("õu"));
    ASSERT_NE(searchEdit(), nullptr);
    EXPECT_EQ(searchEdit()->text(), QStringLiteral("õu"));
    EXPECT_EQ(currentCode(), 1500);
    window = quickSearch();
    QTest::keyClick(searchEdit(), Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(dlg->isVisible());

    // Wildcards of SQL are letters like any other.
    typeText(dlg->grid(), QStringLiteral("zeta%"));
    EXPECT_EQ(currentCode(), 1004);
    QTest::keyClick(searchEdit(), Qt::Key_Escape);
    typeText(dlg->grid(), QStringLiteral("zeta_"));
    EXPECT_EQ(currentCode(), 1006);
    QTest::keyClick(searchEdit(), Qt::Key_Escape);
    EXPECT_EQ(result, QString());
}

TEST_F(SelectionDialogKeysTest, DateAndNumberColumnsTakeTheirSeparators)
{
    selectColumn("KLILISAMKUUP");
    typeText(dlg->grid(), QStringLiteral("15,03"));
    ASSERT_NE(searchEdit(), nullptr);
    EXPECT_EQ(quickSearch()->windowTitle(), QStringLiteral("Lisatud"));
    EXPECT_EQ(searchEdit()->text(), QStringLiteral("15.03"));
    EXPECT_EQ(clients->field("KLILISAMKUUP").asDate(), QDate(2020, 3, 15));
    QTest::keyClick(searchEdit(), Qt::Key_Escape);

    selectColumn("KLIALE");
    typeText(dlg->grid(), QStringLiteral("12,2"));
    ASSERT_NE(searchEdit(), nullptr);
    EXPECT_EQ(searchEdit()->text(), QStringLiteral("12.2"));
    EXPECT_EQ(currentCode(), 12);
    QTest::keyClick(searchEdit(), Qt::Key_Escape);

    // A text column takes the characters as they are typed.
    selectColumn("KLINIMI");
    typeText(dlg->grid(), QStringLiteral("klient 1,"));
    ASSERT_NE(searchEdit(), nullptr);
    EXPECT_EQ(searchEdit()->text(), QStringLiteral("klient 1,"));
    QTest::keyClick(searchEdit(), Qt::Key_Escape);
}

TEST_F(SelectionDialogKeysTest, CtrlSSortsBySelectedColumnUnderTheConditions)
{
    dlg.reset();
    clients->close();
    dlg = std::make_unique<TdlgValikuList>(nullptr, &result, nullptr, "KLIKOOD", clients.get(), "Kliendi valik");
    dlg->setFilterMode(true);
    dlg->setExtraCondition(QStringLiteral("KLIENTK.KLIKOOD > 990"));
    dlg->show();
    QApplication::processEvents();
    ASSERT_EQ(clients->recordCount(), 17);
    clients->locate("KLIKOOD", 995);
    selectColumn("KLINIMI");
    QTest::keyClick(dlg->grid(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(clients->recordCount(), 17); // the condition stays in force
    QStringList names;
    for (int row = 0; row < clients->fetchedCount(); ++row)
        names << clients->valueAt(row, clients->field("KLINIMI").index()).toString();
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString &a, const QString &b) { return a.toLatin1() < b.toLatin1(); });
    EXPECT_EQ(names.first(), QStringLiteral("Abakus"));
    EXPECT_EQ(names, sorted);
    // The row the person was on stays current, and the grid shows it.
    EXPECT_EQ(currentCode(), 995);
    EXPECT_EQ(gridRow(), clients->currentRow());
    EXPECT_EQ(quickSearch(), nullptr);

    // Relaxing the condition keeps the order.
    dlg->filterOff()->click();
    EXPECT_EQ(clients->recordCount(), 1007);
    EXPECT_EQ(clients->valueAt(0, clients->field("KLINIMI").index()).toString(), QStringLiteral("Abakus"));
}

TEST_F(SelectionDialogKeysTest, QuickSearchServesAnyGridOverADataSet)
{
    dlg.reset();
    QWidget list;
    auto *grid = new QTableView(&list);
    DataSetModel model(clients.get());
    grid->setModel(&model);
    list.show();
    grid->setCurrentIndex(model.index(0, model.columnOfField("KLINIMI")));

    QKeyEvent letter(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"));
    QKeyEvent save(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_TRUE(TfQuickSearch::opensSearch(&letter));
    EXPECT_FALSE(TfQuickSearch::opensSearch(&save));
    EXPECT_FALSE(TfQuickSearch::opensSearch(&enter));

    QPointer<TfQuickSearch> search = TfQuickSearch::open(grid, QStringLiteral("k"));
    ASSERT_FALSE(search.isNull());
    EXPECT_EQ(search->parentWidget(), &list);
    EXPECT_EQ(search->windowTitle(), QStringLiteral("Nimi"));
    typeText(search->edit(), QStringLiteral("lient 5"));
    EXPECT_EQ(currentCode(), 5);
    EXPECT_EQ(grid->currentIndex().row(), clients->currentRow());
    EXPECT_EQ(grid->currentIndex().column(), model.columnOfField("KLINIMI"));
    QTest::keyClick(search->edit(), Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(search.isNull());
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
