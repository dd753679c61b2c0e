// Values of every column type read back through a dataset exactly as they were written and exactly as
// the client layer reads them: from fetched rows, rows being edited, posted rows and re-read rows.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QDateTime>

#include "TempDatabase.h"
#include "data/DataSet.h"
#include "data/FieldText.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

using data::DataSet;

namespace {

const char *const Columns = "ID, SI, I, BI, N2, N3, N4, F, D, DT, TM, TS, YN, C, V, M, BIN, BO";

QVariant numeric(qint64 scaled, int scale)
{
    return QVariant::fromValue(fb::Numeric{scaled, scale});
}

QByteArray everyByte()
{
    QByteArray b(40000, '\0'); // more than one blob segment
    for (int i = 0; i < b.size(); ++i)
        b[i] = static_cast<char>(i * 7);
    return b;
}

// The rows of the table, in column order; ID n is row n - 1.
std::vector<QVariantList> expectedRows()
{
    const QString memo = QString(40000, QLatin1Char('m')) + QStringLiteral("\r\nŠokolaad ja žürii, õäöü");
    return {
        // Every column but the key null.
        {1, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}},
        // Extremes, and texts at their full declared length with š and ž.
        {2, -32768, 2147483647, Q_INT64_C(-9223372036854775807), numeric(Q_INT64_C(999999999999999999), 2),
         numeric(Q_INT64_C(-123456789012345678), 3), numeric(-99999999, 4), 1.5, 1234.5678e10, QDate(2024, 2, 29),
         QTime(23, 59, 59, 999), QDateTime(QDate(1858, 11, 17), QTime(0, 0)), QStringLiteral("Ž"),
         QStringLiteral("ŠžšŽõäöüÕÄ"),
         QStringLiteral("Šokolaaditehas Žürii OÜ, Pärnu mnt 10, Tallinn ").leftJustified(60, QChar(u'š')), memo,
         everyByte(), true},
        // Ordinary values: blanks at the end of a VARCHAR are kept, those of a CHAR are padding; empty
        // texts are not null; zero is not null.
        {3, 0, -1, Q_INT64_C(0), numeric(5, 2), numeric(-5, 3), numeric(0, 4), -0.25, 0.0, QDate(2026, 12, 1),
         QTime(0, 0), QDateTime(QDate(2026, 12, 1), QTime(13, 45, 30, 250)), QStringLiteral("N"), QStringLiteral("ab"),
         QStringLiteral("Klient  "), QString(QLatin1String("")), QByteArray(""), false},
    };
}

class DataSetRowsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("rows.fdb"));
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        tr.start();
        att.executeImmediate(tr, "create table ALLTYPES (ID integer not null primary key, SI smallint, I integer, "
                                 "BI bigint, N2 numeric(18,2), N3 numeric(18,3), N4 numeric(9,4), F float, "
                                 "D double precision, DT date, TM time, TS timestamp, YN char(1), C char(10), "
                                 "V varchar(60), M blob sub_type text, BIN blob sub_type binary, BO boolean)");
        att.executeImmediate(tr, "create table UTEXT (ID integer not null primary key, "
                                 "C char(5) character set UTF8, V varchar(20) character set UTF8)");
        tr.commit();
        tr.start();
        fb::Statement ins(tr, QStringLiteral("insert into ALLTYPES (%1) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                             "?, ?, ?, ?, ?, ?)")
                                  .arg(QLatin1String(Columns)));
        for (const QVariantList &row : expectedRows()) {
            for (int c = 0; c < row.size(); ++c)
                ins.setValue(c, row[c]);
            ins.execute();
        }
        tr.commit();
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    void SetUp() override
    {
        att = s_db->connect();
        tr = std::make_unique<fb::Transaction>(att);
        tr->start();
    }
    void TearDown() override
    {
        tr.reset();
        att.detach();
    }

    std::unique_ptr<DataSet> allTypes()
    {
        auto ds = std::make_unique<DataSet>(*tr, QStringLiteral("taAllTypes"));
        ds->setSelectSql(QStringLiteral("select %1 from ALLTYPES order by ID").arg(QLatin1String(Columns)));
        ds->setRefreshSql(QStringLiteral("select %1 from ALLTYPES where ID = :ID").arg(QLatin1String(Columns)));
        ds->setModifySql("update ALLTYPES set SI = :SI, I = :I, BI = :BI, N2 = :N2, N3 = :N3, N4 = :N4, F = :F, "
                         "D = :D, DT = :DT, TM = :TM, TS = :TS, YN = :YN, C = :C, V = :V, M = :M, BIN = :BIN, "
                         "BO = :BO where ID = :OLD_ID");
        return ds;
    }

    // What the client layer itself reads for the rows of the table.
    std::vector<QVariantList> readByStatement()
    {
        std::vector<QVariantList> rows;
        fb::Statement st(*tr, QStringLiteral("select %1 from ALLTYPES order by ID").arg(QLatin1String(Columns)));
        st.execute();
        while (st.fetch()) {
            QVariantList row;
            for (int c = 0; c < st.columnCount(); ++c)
                row << st.value(c);
            rows.push_back(row);
        }
        return rows;
    }

    static TempDatabase *s_db;
    fb::Attachment att;
    std::unique_ptr<fb::Transaction> tr;
};
TempDatabase *DataSetRowsTest::s_db = nullptr;

// The same type and the same value; a null is an invalid QVariant.
void expectSame(const QVariant &actual, const QVariant &expected, const QString &where)
{
    if (!expected.isValid()) {
        EXPECT_FALSE(actual.isValid()) << where.toStdString();
        return;
    }
    EXPECT_EQ(actual.metaType(), expected.metaType()) << where.toStdString() << ": " << actual.typeName();
    EXPECT_EQ(actual, expected) << where.toStdString();
}

void expectRow(DataSet &ds, int row, const QVariantList &expected, const QString &when)
{
    for (int f = 0; f < static_cast<int>(expected.size()); ++f) {
        const data::Field &field = ds.fieldAt(f);
        const QString where = QStringLiteral("%1, ID %2, %3").arg(when).arg(row + 1).arg(field.fieldName());
        expectSame(ds.valueAt(row, f), expected[f], where);
        EXPECT_EQ(ds.textAt(row, f), data::FieldText::toText(field.dataType(), expected[f], field.scale()))
            << where.toStdString();
        if (row == ds.currentRow()) {
            expectSame(field.value(), expected[f], where + QStringLiteral(" (current row)"));
            EXPECT_EQ(field.isNull(), !expected[f].isValid()) << where.toStdString();
        }
    }
}

TEST_F(DataSetRowsTest, FetchedRowsGiveBackEveryTypeAsWrittenAndAsTheClientLayerReadsIt)
{
    const std::vector<QVariantList> expected = expectedRows();
    const std::vector<QVariantList> byStatement = readByStatement();
    ASSERT_EQ(byStatement.size(), expected.size());

    auto ds = allTypes();
    ds->open();
    ds->fetchAll();
    ASSERT_EQ(ds->fetchedCount(), static_cast<int>(expected.size()));
    ASSERT_EQ(ds->fieldCount(), static_cast<int>(expected[0].size()));
    for (int r = 0; r < ds->fetchedCount(); ++r) {
        expectRow(*ds, r, expected[static_cast<size_t>(r)], QStringLiteral("written"));
        expectRow(*ds, r, byStatement[static_cast<size_t>(r)], QStringLiteral("client layer"));
    }
    // Read through the current row, in an order that is not the order of the columns.
    for (int r = ds->fetchedCount() - 1; r >= 0; --r) {
        ds->moveTo(r);
        for (int f = ds->fieldCount() - 1; f >= 0; --f)
            expectSame(ds->fieldAt(f).value(), expected[static_cast<size_t>(r)][f],
                       QStringLiteral("backwards, ID %1, %2").arg(r + 1).arg(ds->fieldAt(f).fieldName()));
    }
    EXPECT_TRUE(ds->locate("V", QStringLiteral("Klient  ")));
    EXPECT_EQ(ds->currentRow(), 2);
    EXPECT_TRUE(ds->locate("N2", numeric(Q_INT64_C(999999999999999999), 2)));
    EXPECT_EQ(ds->currentRow(), 1);
    EXPECT_EQ(ds->lookup({QStringLiteral("C")}, {QStringLiteral("ŠžšŽõäöüÕÄ")}, QStringLiteral("ID")), QVariant(2));
}

TEST_F(DataSetRowsTest, EditedPostedAndRereadRowsKeepEveryValue)
{
    std::vector<QVariantList> expected = expectedRows();
    auto ds = allTypes();
    ds->open();
    ds->fetchAll();
    for (int r = 0; r < ds->fetchedCount(); ++r) {
        ds->moveTo(r);
        ds->edit();
        QVariantList &row = expected[static_cast<size_t>(r)];
        // While edited, the buffer holds the row's values and the row the values as read.
        expectRow(*ds, r, row, QStringLiteral("editing"));
        for (int f = 0; f < ds->fieldCount(); ++f)
            expectSame(ds->fieldAt(f).oldValue(), row[f],
                       QStringLiteral("old value of %1").arg(ds->fieldAt(f).fieldName()));
        // Every column is written back as it was read, one changed.
        ds->field("I").setValue(100 + r);
        row[2] = 100 + r;
        expectSame(ds->field("I").oldValue(), expectedRows()[static_cast<size_t>(r)][2], QStringLiteral("old I"));
        ds->post();
        expectRow(*ds, r, row, QStringLiteral("posted and re-read"));
    }
    // A row edited and then cancelled shows what it showed before.
    ds->moveTo(1);
    ds->edit();
    ds->field("V").setValue(QStringLiteral("muudetud"));
    ds->field("M").clear();
    ds->cancel();
    expectRow(*ds, 1, expected[1], QStringLiteral("cancelled"));

    // Fetched again after a reopen, and re-read from the database one row at a time.
    ds->reopen();
    ds->fetchAll();
    for (int r = 0; r < ds->fetchedCount(); ++r)
        expectRow(*ds, r, expected[static_cast<size_t>(r)], QStringLiteral("reopened"));
    for (int r = 0; r < ds->fetchedCount(); ++r) {
        ds->moveTo(r);
        ds->refresh();
    }
    for (int r = 0; r < ds->fetchedCount(); ++r)
        expectRow(*ds, r, expected[static_cast<size_t>(r)], QStringLiteral("refreshed"));
    tr->rollback();
}

TEST_F(DataSetRowsTest, TextOfAUtf8ConnectionKeepsItsCharactersAndLength)
{
    tr.reset();
    att.detach();
    att = s_db->connect(QStringLiteral("UTF8"));
    tr = std::make_unique<fb::Transaction>(att);
    tr->start();
    const QString full = QStringLiteral("šžŠŽõäöüÕÄšžŠŽõäöüÕÄ");
    att.executeImmediate(*tr, QStringLiteral("insert into UTEXT (ID, C, V) values (1, 'žš', '%1')").arg(full));
    att.executeImmediate(*tr, "insert into UTEXT (ID, C, V) values (2, 'ŽŽŽŽŽ', 'a ')");

    DataSet ds(*tr, QStringLiteral("qUtext"));
    ds.setSelectSql("select ID, C, V from UTEXT order by ID");
    ds.open();
    ds.fetchAll();
    ASSERT_EQ(ds.fetchedCount(), 2);
    EXPECT_EQ(ds.field("V").size(), 20);
    EXPECT_EQ(ds.valueAt(0, 1), QVariant(QStringLiteral("žš")));
    EXPECT_EQ(ds.valueAt(0, 2), QVariant(full));
    EXPECT_EQ(ds.valueAt(1, 1), QVariant(QStringLiteral("ŽŽŽŽŽ")));
    EXPECT_EQ(ds.valueAt(1, 2), QVariant(QStringLiteral("a ")));
    tr->rollback();
}

} // namespace
