// The grid model over a dataset: fetching while scrolling, edits through the field rules, and the
// model contract checked by QAbstractItemModelTester while rows arrive, are inserted and deleted.

#include <gtest/gtest.h>

#include <QApplication>

#include "WindowDriver.h"

#include "QtPrinters.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>

#include "TempDatabase.h"
#include "data/DataSet.h"
#include "data/DataSetRules.h"
#include "data/FieldTextRules.h"
#include "fb/Transaction.h"
#include "ui/DataSetModel.h"

namespace {

class DataSetModelTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("model.fdb"));
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        tr.start();
        att.executeImmediate(tr, "execute block as declare i integer = 1; begin while (i <= 1000) do begin "
                                 "insert into KLIENTK (KLIKOOD, KLINIMI, KLILISAMKUUP, KLIKOMMENT) values "
                                 "(:i, 'Klient ' || :i, dateadd(:i day to date '2020-01-01'), "
                                 "iif(:i = 1, lpad('', 150, 'x'), null)); i = i + 1; end end");
        att.executeImmediate(tr, "alter sequence KLIENTK_KLIKOOD_GEN restart with 1000");
        tr.commit();
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    static TempDatabase *s_db;
};
TempDatabase *DataSetModelTest::s_db = nullptr;

TEST_F(DataSetModelTest, FetchesAsTheViewScrollsAndKeepsTheModelContract)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    data::DataSet ds(tr, QStringLiteral("taKliendid"));
    ds.setSelectSql("select KLIKOOD, KLINIMI, KLILISAMKUUP, KLIKOMMENT, KLIPYSI from KLIENTK order by KLIKOOD");
    ds.setInsertSql("insert into KLIENTK (KLIKOOD, KLINIMI, KLIPYSI) values (:KLIKOOD, :KLINIMI, :KLIPYSI)");
    ds.setModifySql("update KLIENTK set KLINIMI = :KLINIMI, KLIPYSI = :KLIPYSI, KLILISAMKUUP = :KLILISAMKUUP "
                    "where KLIKOOD = :OLD_KLIKOOD");
    ds.setDeleteSql("delete from KLIENTK where KLIKOOD = :OLD_KLIKOOD");
    ds.setRefreshSql("select KLIKOOD, KLINIMI, KLILISAMKUUP, KLIKOMMENT, KLIPYSI from KLIENTK where KLIKOOD = :KLIKOOD");
    ds.setGenerator("KLIKOOD", "KLIENTK_KLIKOOD_GEN");
    ds.defineField("KLIKOOD").setVisible(false);
    ds.defineField("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
    ds.defineField("KLIPYSI").onSetText = data::MyBoolFieldSetText;
    ds.defineField("KLIKOMMENT").onGetText = data::PikkKommentVeergGetText;
    ds.field("KLIKOMMENT").setReadOnly(true);
    data::CommitAfterChanges(ds);

    DataSetModel model(&ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ds.open();
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nimi"));
    EXPECT_LE(model.rowCount(), 1);
    EXPECT_TRUE(model.canFetchMore(QModelIndex()));

    model.fetchMore(QModelIndex());
    EXPECT_EQ(model.rowCount(), 1 + DataSetModel::FetchBatch);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("Klient 1"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("02.01.2020"));
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), QString(97, QLatin1Char('x')) + QStringLiteral("..."));
    EXPECT_FALSE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);

    while (model.canFetchMore(QModelIndex()))
        model.fetchMore(QModelIndex());
    EXPECT_EQ(model.rowCount(), 1000);

    // Editing a cell goes through the field's text rule and is posted when the row is left.
    EXPECT_TRUE(model.setData(model.index(5, 3), QStringLiteral("jah")));
    EXPECT_TRUE(model.setData(model.index(5, 1), QStringLiteral("01-02-2021")));
    EXPECT_EQ(ds.state(), data::DataSet::State::Edit);
    QString refused;
    QObject::connect(&model, &DataSetModel::editRefused, [&](const QString &m) { refused = m; });
    EXPECT_FALSE(model.setData(model.index(5, 1), QStringLiteral("30.02.2021")));
    EXPECT_FALSE(refused.isEmpty());
    ds.moveTo(6);
    EXPECT_EQ(ds.state(), data::DataSet::State::Browse);
    EXPECT_EQ(model.data(model.index(5, 3)).toString(), QStringLiteral("Y"));
    EXPECT_EQ(model.data(model.index(5, 1)).toString(), QStringLiteral("01.02.2021"));

    // Rows inserted and deleted through the dataset.
    ds.moveTo(10);
    ds.insert();
    EXPECT_EQ(model.rowCount(), 1001);
    ds.field("KLINIMI").setText(QStringLiteral("Uus klient"));
    ds.post();
    EXPECT_EQ(model.data(model.index(10, 0)).toString(), QStringLiteral("Uus klient"));
    ds.remove();
    EXPECT_EQ(model.rowCount(), 1000);
    ds.append();
    ds.cancel();
    EXPECT_EQ(model.rowCount(), 1000);

    ds.close();
    EXPECT_EQ(model.rowCount(), 0);
    ds.open();
    EXPECT_GE(model.rowCount(), 1);
}

TEST_F(DataSetModelTest, ColumnsTheServerComputesAreNotEditable)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    tr.start();
    att.executeImmediate(tr, "update or insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI) values (1, 'Tallinn')");
    att.executeImmediate(tr, "update or insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI) values (2, 'Tartu')");
    att.executeImmediate(tr, "update KLIENTK set LINNVALDKOOD = 1 where KLIKOOD = 2");
    tr.commitRetaining();
    data::DataSet ds(tr, QStringLiteral("taKliendid"));
    ds.setSelectSql("select KLIKOOD, KLINIMI, LINNVALDKOOD, LINNVALDNIMI from KLIENTK where KLIKOOD = 2");
    ds.setModifySql("update KLIENTK set KLINIMI = :KLINIMI, LINNVALDKOOD = :LINNVALDKOOD where KLIKOOD = :OLD_KLIKOOD");
    ds.setRefreshSql("select KLIKOOD, KLINIMI, LINNVALDKOOD, LINNVALDNIMI from KLIENTK where KLIKOOD = :KLIKOOD");
    DataSetModel model(&ds);
    ds.open();
    const QModelIndex place = model.index(0, model.columnOfField("LINNVALDNIMI"));
    EXPECT_EQ(model.data(place).toString(), QStringLiteral("Tallinn"));
    EXPECT_FALSE(model.flags(place) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(place, QStringLiteral("Tartu")));
    EXPECT_EQ(ds.state(), data::DataSet::State::Browse);
    EXPECT_TRUE(model.flags(model.index(0, model.columnOfField("KLINIMI"))) & Qt::ItemIsEditable);

    // A name column that looks its code up takes typed text: the rule stores the code, the server the name.
    ds.field("LINNVALDNIMI").onSetText = [](data::Field &f, const QString &text) {
        f.dataSet().field("LINNVALDKOOD").setValue(text == QLatin1String("Tartu") ? 2 : 1);
    };
    EXPECT_TRUE(model.flags(place) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.setData(place, QStringLiteral("Tartu")));
    ds.post();
    EXPECT_EQ(model.data(place).toString(), QStringLiteral("Tartu"));
    tr.rollback();
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows(); // the calendar's tests show widgets, with no screen at hand
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
