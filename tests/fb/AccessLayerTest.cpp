// The Firebird access layer against a real embedded database created from the program's script.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QDir>

#include "TempDatabase.h"
#include "fb/FbError.h"
#include "fb/Statement.h"
#include "fb/Trace.h"
#include "fb/Transaction.h"

namespace {

class AccessLayerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("access.fdb"));
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        tr.start();
        att.executeImmediate(tr, "create table RT (ID integer not null primary key, S smallint, I integer, B bigint, "
                                 "D double precision, N2 numeric(18,2), N3 numeric(18,3), N4 numeric(9,4), DT date, "
                                 "TM time, TS timestamp, C char(5), V varchar(20), M blob sub_type text, BIN blob, "
                                 "BO boolean)");
        tr.commit();
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    static TempDatabase *s_db;
};
TempDatabase *AccessLayerTest::s_db = nullptr;

TEST_F(AccessLayerTest, EveryTypeRoundTripsThroughParametersAndResults)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    fb::Statement ins(tr, "insert into RT (ID, S, I, B, D, N2, N3, N4, DT, TM, TS, C, V, M, BIN, BO) "
                          "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    ASSERT_EQ(ins.paramCount(), 16);
    const QString memo = QString(70000, QLatin1Char('x')) + QStringLiteral("\r\nLõpp"); // more than one segment
    QByteArray binary(50000, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7);
    const QDateTime ts(QDate(2024, 2, 29), QTime(23, 59, 58, 123));

    ins.setInt(0, 1);
    ins.setInt(1, -32768);
    ins.setInt(2, 2147483647);
    ins.setInt(3, Q_INT64_C(-9223372036854775807));
    ins.setDouble(4, 1234.5678e10);
    ins.setNumeric(5, fb::Numeric{Q_INT64_C(999999999999999999), 2});
    ins.setNumeric(6, fb::Numeric{Q_INT64_C(-123456789012345678), 3});
    ins.setNumeric(7, fb::Numeric{12345678, 4});
    ins.setDate(8, QDate(1858, 11, 17));
    ins.setTime(9, QTime(7, 8, 9, 500));
    ins.setTimestamp(10, ts);
    ins.setString(11, u"ab");
    ins.setString(12, u"Tere, maailm");
    ins.setString(13, memo);
    ins.setBytes(14, binary);
    ins.setBool(15, true);
    ins.execute();
    EXPECT_EQ(ins.affectedRows(), 1);

    // A second row with every column null.
    ins.clearParams();
    ins.setInt(0, 2);
    ins.execute();
    tr.commit();

    fb::Transaction tr2(att);
    fb::Statement sel(tr2, "select ID, S, I, B, D, N2, N3, N4, DT, TM, TS, C, V, M, BIN, BO from RT order by ID");
    EXPECT_EQ(sel.type(), fb::Statement::Type::Select);
    ASSERT_EQ(sel.columnCount(), 16);
    EXPECT_EQ(sel.column(5).kind, fb::FieldKind::Numeric);
    EXPECT_EQ(sel.column(5).scale, -2);
    EXPECT_EQ(sel.column(13).kind, fb::FieldKind::TextBlob);
    EXPECT_EQ(sel.column(12).relation, QStringLiteral("RT"));
    EXPECT_EQ(sel.column(12).charLength, 20);
    EXPECT_EQ(sel.columnIndex("v"), 12);
    sel.execute();
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(sel.getInt(1), -32768);
    EXPECT_EQ(sel.getInt(2), 2147483647);
    EXPECT_EQ(sel.getInt(3), Q_INT64_C(-9223372036854775807));
    EXPECT_DOUBLE_EQ(sel.getDouble(4), 1234.5678e10);
    EXPECT_EQ(sel.getNumeric(5), (fb::Numeric{Q_INT64_C(999999999999999999), 2}));
    EXPECT_EQ(sel.getString(5), QStringLiteral("9999999999999999.99"));
    EXPECT_EQ(sel.getNumeric(6), (fb::Numeric{Q_INT64_C(-123456789012345678), 3}));
    EXPECT_EQ(sel.getString(6), QStringLiteral("-123456789012345.678"));
    EXPECT_EQ(sel.getString(7), QStringLiteral("1234.5678"));
    EXPECT_EQ(sel.getDate(8), QDate(1858, 11, 17));
    EXPECT_EQ(sel.getTime(9), QTime(7, 8, 9, 500));
    EXPECT_EQ(sel.getTimestamp(10), ts);
    EXPECT_EQ(sel.getString(11), QStringLiteral("ab")); // CHAR padding is not part of the value
    EXPECT_EQ(sel.getString(12), QStringLiteral("Tere, maailm"));
    EXPECT_EQ(sel.getString(13), memo);
    EXPECT_EQ(sel.getBytes(14), binary);
    EXPECT_TRUE(sel.getBool(15));
    EXPECT_EQ(sel.value(5).value<fb::Numeric>(), (fb::Numeric{Q_INT64_C(999999999999999999), 2}));
    EXPECT_EQ(sel.value(8).toDate(), QDate(1858, 11, 17));
    for (int i = 0; i < sel.columnCount(); ++i)
        EXPECT_FALSE(sel.isNull(i)) << i;

    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(sel.getInt(0), 2);
    for (int i = 1; i < sel.columnCount(); ++i) {
        EXPECT_TRUE(sel.isNull(i)) << i;
        EXPECT_FALSE(sel.value(i).isValid()) << i;
    }
    EXPECT_FALSE(sel.fetch());
    EXPECT_FALSE(sel.fetch());
}

TEST_F(AccessLayerTest, ValuesConvertToTheDeclaredTypeOnTheServer)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    fb::Statement ins(tr, "insert into RT (ID, N2, N3, DT, V, I) values (?, ?, ?, ?, ?, ?)");
    ins.setInt(0, 10);
    ins.setString(1, u"12.345");                      // rounds to the column's two decimals
    ins.setNumeric(2, fb::Numeric{5, 0});              // 5 -> 5.000
    ins.setString(3, u"24.12.2025");                  // the server's own date text
    ins.setInt(4, 42);                                // a number into a text column
    ins.setDouble(5, 7.0);
    ins.execute();
    fb::Statement sel(tr, "select N2, N3, DT, V, I from RT where ID = ?");
    sel.setInt(0, 10);
    sel.execute();
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(sel.getString(0), QStringLiteral("12.35"));
    EXPECT_EQ(sel.getNumeric(1), (fb::Numeric{5000, 3}));
    EXPECT_EQ(sel.getDate(2), QDate(2025, 12, 24));
    EXPECT_EQ(sel.getString(3), QStringLiteral("42"));
    EXPECT_EQ(sel.getInt(4), 7);
    tr.rollback();
}

TEST_F(AccessLayerTest, EstonianTextSurvivesAnIso88591Connection)
{
    const QString text = QStringLiteral("Šokolaad Žürii õäöüÕÄÖÜ");
    fb::Attachment att = s_db->connect(QStringLiteral("ISO8859_1"));
    fb::Transaction tr(att);
    fb::Statement ins(tr, "insert into RT (ID, V, M) values (?, ?, ?)");
    ins.setInt(0, 20);
    ins.setString(1, text.left(20));
    ins.setString(2, text);
    ins.execute();
    tr.commit();

    // Read back over a fresh connection of each 8-bit kind.
    for (const char *cs : {"ISO8859_1", "NONE"}) {
        fb::Attachment other = s_db->connect(QString::fromLatin1(cs));
        fb::Transaction t(other);
        fb::Statement sel(t, "select V, M from RT where ID = 20");
        sel.execute();
        ASSERT_TRUE(sel.fetch()) << cs;
        EXPECT_EQ(sel.getString(0), text.left(20)) << cs;
        EXPECT_EQ(sel.getString(1), text) << cs;
    }
    // The text may also appear in the statement itself.
    fb::Transaction t2(att);
    fb::Statement lit(t2, "select count(*) from RT where V = 'Šokolaad Žürii õäöüÕ'");
    lit.execute();
    ASSERT_TRUE(lit.fetch());
    EXPECT_EQ(lit.getInt(0), 1);
}

TEST_F(AccessLayerTest, UnrepresentableCharacterIsAnErrorNotAReplacement)
{
    {
        fb::Attachment utf8 = s_db->connect(QStringLiteral("UTF8"));
        fb::Transaction tr(utf8);
        fb::Statement ins(tr, "insert into RT (ID, V) values (?, ?)");
        ins.setInt(0, 30);
        ins.setString(1, u"Šokolaad"); // Š is not in ISO 8859-1: the server refuses it over UTF8
        try {
            ins.execute();
            FAIL() << "the server stored text its column cannot hold";
        } catch (const fb::FbError &e) {
            EXPECT_TRUE(e.hasCode(fb::FbError::Transliteration) || e.sqlCode() != 0) << e.message().toStdString();
            EXPECT_FALSE(e.message().isEmpty());
        }
        ins.setString(1, u"Привет"); // Cyrillic
        EXPECT_THROW(ins.execute(), fb::FbError);
        // A character the column can hold passes over the same connection.
        ins.setString(1, u"Jõhvi");
        EXPECT_NO_THROW(ins.execute());
        tr.rollback();
    }
    {
        fb::Attachment latin = s_db->connect(QStringLiteral("ISO8859_1"));
        fb::Transaction tr(latin);
        fb::Statement ins(tr, "insert into RT (ID, V) values (?, ?)");
        EXPECT_THROW(ins.setString(1, u"Привет"), fb::FbError);
    }
}

TEST_F(AccessLayerTest, TextLongerThanItsColumnIsAClearError)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    fb::Statement ins(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (?, ?)");
    ins.setInt(0, 900001);
    ins.setString(1, QString(61, QLatin1Char('A')));
    try {
        ins.execute();
        FAIL() << "61 characters were accepted into VARCHAR(60)";
    } catch (const fb::FbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("truncation"), Qt::CaseInsensitive)) << e.message().toStdString();
        EXPECT_NE(e.gdsCode(), 0);
    }
    ins.setString(1, QString(60, QLatin1Char('A')));
    EXPECT_NO_THROW(ins.execute());
    tr.rollback();
}

TEST_F(AccessLayerTest, ReturningAndProcedureResultsArriveAsOneRow)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    fb::Statement ins(tr, "insert into RT (ID, V) values (?, ?) returning ID, V");
    ins.setInt(0, 40);
    ins.setString(1, u"tagasi");
    ins.execute();
    ASSERT_TRUE(ins.fetch());
    EXPECT_EQ(ins.getInt(0), 40);
    EXPECT_EQ(ins.getString(1), QStringLiteral("tagasi"));
    EXPECT_FALSE(ins.fetch());

    fb::Statement gen(tr, "select gen_id(KONTAKT_KONTAKTID_GEN, 0) from RDB$DATABASE");
    gen.execute();
    ASSERT_TRUE(gen.fetch());
    EXPECT_GE(gen.getInt(0), 0);
    tr.rollback();
}

TEST_F(AccessLayerTest, CommitRetainingKeepsCursorsAndOtherConnectionsSeeTheChange)
{
    fb::Attachment a = s_db->connect();
    fb::Attachment b = s_db->connect();
    fb::Transaction ta(a);
    fb::Transaction tb(b);
    fb::Statement ins(ta, "insert into RT (ID) values (?)");
    for (int id = 100; id < 110; ++id) {
        ins.setInt(0, id);
        ins.execute();
    }
    fb::Statement count(tb, "select count(*) from RT where ID between 100 and 109");
    count.execute();
    ASSERT_TRUE(count.fetch());
    EXPECT_EQ(count.getInt(0), 0); // not committed yet

    fb::Statement cur(ta, "select ID from RT where ID between 100 and 109 order by ID");
    cur.execute();
    ASSERT_TRUE(cur.fetch());
    ta.commitRetaining();
    EXPECT_TRUE(ta.isActive());
    int seen = 1;
    while (cur.fetch())
        ++seen;
    EXPECT_EQ(seen, 10); // the cursor survived the commit

    count.execute();
    ASSERT_TRUE(count.fetch());
    EXPECT_EQ(count.getInt(0), 10);
}

TEST_F(AccessLayerTest, DestructorRollsBackAndNeverCommits)
{
    fb::Attachment att = s_db->connect();
    {
        fb::Transaction tr(att);
        fb::Statement ins(tr, "insert into RT (ID) values (500)");
        ins.execute();
    }
    fb::Transaction tr(att);
    fb::Statement count(tr, "select count(*) from RT where ID = 500");
    count.execute();
    ASSERT_TRUE(count.fetch());
    EXPECT_EQ(count.getInt(0), 0);
}

TEST_F(AccessLayerTest, BadInputGivesTheErrorCodesTheProgramReactsTo)
{
    fb::ConnectParams missing = s_db->params();
    missing.database = QDir(s_db->folder()).filePath(QStringLiteral("no-such-folder/none.fdb"));
    try {
        fb::Attachment::attach(missing);
        FAIL() << "a missing database file was opened";
    } catch (const fb::FbError &e) {
        EXPECT_EQ(e.gdsCode(), fb::FbError::IoError) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("none.fdb"))) << e.message().toStdString();
    }

    fb::ConnectParams unreachable = s_db->params();
    unreachable.database = QStringLiteral("127.0.0.1/1:/nowhere/velkora1.fdb"); // nothing listens on port 1
    try {
        fb::Attachment::attach(unreachable);
        FAIL() << "an unreachable server answered";
    } catch (const fb::FbError &e) {
        EXPECT_EQ(e.gdsCode(), fb::FbError::NetworkError) << e.message().toStdString();
        EXPECT_FALSE(e.message().isEmpty());
    }

    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    try {
        fb::Statement bad(tr, "select NO_SUCH_COLUMN from KLIENTK");
        FAIL() << "a statement with an unknown column was prepared";
    } catch (const fb::FbError &e) {
        EXPECT_EQ(e.sqlCode(), -206) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("NO_SUCH_COLUMN")));
    }
    fb::Statement ok(tr, "select KLIKOOD from KLIENTK where KLIKOOD = ?");
    EXPECT_THROW(ok.setInt(1, 5), fb::FbError);
    EXPECT_THROW(ok.getInt(3), fb::FbError);
    EXPECT_THROW(fb::TextCodec(QStringLiteral("NO_SUCH_CHARSET_XYZ")), fb::FbError);
}

TEST_F(AccessLayerTest, AttachedUserNamesListsTheConnections)
{
    fb::Attachment a = s_db->connect();
    fb::Attachment b = s_db->connect();
    const QStringList names = a.attachedUserNames();
    EXPECT_GE(names.count(QStringLiteral("SYSDBA")), 2) << names.join(',').toStdString();

    // More connections than a first small answer holds: the answer is asked for again, whole.
    std::vector<fb::Attachment> many;
    for (int i = 0; i < 60; ++i)
        many.push_back(s_db->connect());
    EXPECT_GE(a.attachedUserNames().count(QStringLiteral("SYSDBA")), 62);
}

TEST_F(AccessLayerTest, TraceRecordsStatementsParametersTimesAndErrors)
{
    const QString path = QDir(s_db->folder()).filePath(QStringLiteral("velkora1IB.trace"));
    fb::Trace::enable(path);
    {
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        fb::Statement st(tr, "select count(*) from RT where ID > ? and V = ?");
        st.setInt(0, 5);
        st.setString(1, u"Jõgeva");
        st.execute();
        EXPECT_THROW(fb::Statement(tr, "select nothing from nowhere"), fb::FbError);
        tr.commit();
    }
    fb::Trace::disable();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("connect: "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("execute: select count(*) from RT where ID > ? and V = ?  params: 5, 'Jõgeva'")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(" ms"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("error: "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("transaction: commit"))) << text.toStdString();
}

TEST_F(AccessLayerTest, CreateAndDropDatabase)
{
    const QString path = QDir(s_db->folder()).filePath(QStringLiteral("dropme.fdb"));
    fb::ConnectParams p = s_db->params();
    p.database = path;
    {
        fb::Attachment att = fb::Attachment::create(p);
        fb::Transaction tr(att);
        fb::Statement q(tr, "select MON$SQL_DIALECT, MON$PAGE_SIZE from MON$DATABASE");
        q.execute();
        ASSERT_TRUE(q.fetch());
        EXPECT_EQ(q.getInt(0), 3);
        EXPECT_EQ(q.getInt(1), 8192);
        tr.commit();
        att.dropDatabase();
        EXPECT_FALSE(att.isAttached());
    }
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
