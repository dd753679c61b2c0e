// The filter builder: statement rewriting, the atom registry and reopening on the real schema.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "TempDatabase.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/SqlHelpers.h"
#include "data/UserInterface.h"
#include "fb/Transaction.h"

using namespace data;

namespace {

// Records the messages (their text comes from the server); anything else is unexpected.
struct RecordingUi : UserInterface
{
    QStringList messages;
    void showMessage(const QString &text, const QString &caption) override { messages << caption + ": " + text; }
    Answer ask(const QString &text, const QString &, Buttons, Icon) override
    {
        ADD_FAILURE() << "unexpected question " << text.toStdString();
        return Answer::Cancel;
    }
    bool inputBox(const QString &, const QString &prompt, QString &) override
    {
        ADD_FAILURE() << "unexpected input box " << prompt.toStdString();
        return false;
    }
    bool selectFromList(const QString &caption, const QStringList &, int &) override
    {
        ADD_FAILURE() << "unexpected selection " << caption.toStdString();
        return false;
    }
    bool selectRecord(const RecordChoice &choice, QString &) override
    {
        ADD_FAILURE() << "unexpected selection dialog " << choice.caption.toStdString();
        return false;
    }
    Answer chooseRow(const QString &, const QString &, data::DataSet &) override { return Answer::Cancel; }
    void beginWait() override {}
    void endWait() override {}
};

TEST(BuildSelectTest, ConditionsLandWhereTheStatementAllows)
{
    // The example of the filter builder: the extra table lands where ORDER BY was found.
    const QString base = "select * from KONTAKT\norder by KONTAKTID\n";
    EXPECT_EQ(BuildSelect(base, "KONTAKT.AGENTKOOD=5", QString(), false, "KLIAGENT"),
              QStringLiteral("select * from KONTAKT\n, KLIAGENT WHERE KONTAKT.AGENTKOOD=5\norder by KONTAKTID\n"));
    // A base WHERE keeps its conditions after the user's.
    EXPECT_EQ(BuildSelect("select * from KLIENTK where KLIENTAKTIIVNE = 'Y'\n", "KLINIMI CONTAINING 'puit'", QString(),
                          false, QString()),
              QStringLiteral("select * from KLIENTK where KLINIMI CONTAINING 'puit' AND KLIENTAKTIIVNE = 'Y'\n"));
    // With extra tables the table goes before the base WHERE.
    EXPECT_EQ(BuildSelect("select KLIENTK.* from KLIENTK where KLIENTAKTIIVNE = 'Y'\n", "KLIAGENT.AGENTKOOD=1", QString(),
                          false, "KLIAGENT"),
              QStringLiteral("select KLIENTK.* from KLIENTK , KLIAGENT where KLIAGENT.AGENTKOOD=1 AND KLIENTAKTIIVNE = 'Y'\n"));
    // GROUP BY without WHERE.
    EXPECT_EQ(BuildSelect("select AGENTKOOD, count(*) from KONTAKT group by AGENTKOOD\n", "KONTAKTLIIK=1", QString(),
                          false, QString()),
              QStringLiteral("select AGENTKOOD, count(*) from KONTAKT WHERE KONTAKTLIIK=1\ngroup by AGENTKOOD\n"));
    // No keyword at all: the condition follows on a line of its own.
    EXPECT_EQ(BuildSelect("select * from RIIK", "RIIKID=1", QString(), false, QString()),
              QStringLiteral("select * from RIIK\nWHERE RIIKID=1\n"));
    // An empty WHERE leaves FROM alone even with extra tables pending.
    EXPECT_EQ(BuildSelect(base, QString(), QString(), false, "KLIAGENT"), base);
}

TEST(BuildSelectTest, DistinctAndOrder)
{
    const QString base = "select KLIENTK.KLIKOOD from KLIENTK order by KLINIMI\n";
    EXPECT_EQ(BuildSelect(base, QString(), QString(), true, QString()),
              QStringLiteral("SELECT DISTINCT KLIENTK.KLIKOOD from KLIENTK order by KLINIMI\n"));
    EXPECT_EQ(BuildSelect("select distinct A from T\n", QString(), QString(), true, QString()),
              QStringLiteral("select distinct A from T\n"));
    EXPECT_EQ(BuildSelect(base, QString(), "KLIKOOD;KLINIMI", false, QString()),
              QStringLiteral("select KLIENTK.KLIKOOD from KLIENTK ORDER BY KLIKOOD,KLINIMI\n"));
    EXPECT_EQ(BuildSelect(base, QString(), "KLIKOOD;", false, QString()),
              QStringLiteral("select KLIENTK.KLIKOOD from KLIENTK ORDER BY KLIKOOD;\n"));
}

TEST(FilterAtomTest, AddTableKeepsWholeNamesOnce)
{
    TMySQLDataSetFilter e;
    AddTable(e, "kl1kli");
    AddTable(e, "KLIAGENT");
    EXPECT_EQ(e.pendingTables, QStringLiteral("KL1KLI, KLIAGENT"));
    AddTable(e, "KLIAGENT");
    AddTable(e, "kl1kli");
    EXPECT_EQ(e.pendingTables, QStringLiteral("KL1KLI, KLIAGENT"));
    AddTable(e, "AGENT"); // only part of a listed name
    EXPECT_EQ(e.pendingTables, QStringLiteral("KL1KLI, KLIAGENT, AGENT"));
    EXPECT_TRUE(e.modified);
}

class FilterDataSetTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("filters.fdb"));
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        tr.start();
        att.executeImmediate(tr, "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (1, 'Mari', 'Tamm')");
        att.executeImmediate(tr, "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (2, 'Jaan', 'Saar')");
        const char *names[] = {"Balti Puit", "O'Brien Pubi", "Tartu Puit", "Pärnu Kivi", "Viru Klaas"};
        for (int i = 0; i < 5; ++i) {
            att.executeImmediate(tr, QStringLiteral("insert into KLIENTK (KLIKOOD, KLINIMI) values (%1, %2)")
                                         .arg(i + 1)
                                         .arg(SqlQuote(QString::fromUtf8(names[i]))));
            att.executeImmediate(tr, QStringLiteral("insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (%1, %2)")
                                         .arg(i + 1)
                                         .arg(i % 2 + 1));
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
        ClearFilterRegistry();
        SetFilterUserInterface(&ui);
        att = s_db->connect();
        tr = std::make_unique<fb::Transaction>(att);
        ds = std::make_unique<DataSet>(*tr, QStringLiteral("taKliendid"));
        ds->setSelectSql("select KLIENTK.KLIKOOD, KLIENTK.KLINIMI from KLIENTK\norder by KLIENTK.KLIKOOD\n");
        ds->afterOpen.push_back([this](DataSet &) { ++opens; });
        ds->open();
    }
    void TearDown() override
    {
        SetFilterUserInterface(nullptr);
        ds.reset();
        tr.reset();
    }
    QList<qint64> keys() { return keysOf(*ds); }
    static QList<qint64> keysOf(DataSet &d)
    {
        QList<qint64> k;
        d.fetchAll();
        for (int r = 0; r < d.fetchedCount(); ++r)
            k << d.valueAt(r, d.field("KLIKOOD").index()).toLongLong();
        return k;
    }

    static TempDatabase *s_db;
    RecordingUi ui;
    fb::Attachment att;
    std::unique_ptr<fb::Transaction> tr;
    std::unique_ptr<DataSet> ds;
    int opens = 0;
};
TempDatabase *FilterDataSetTest::s_db = nullptr;

TEST_F(FilterDataSetTest, AtomsNarrowTheListAndTheSameFilterDoesNotReopen)
{
    TMySQLDataSetFilter &f = FilterFor(*ds);
    BeginFilter(f);
    SetAtom(f, "Nimi", "puit", "puit", "KLIENTK.KLINIMI CONTAINING " + SqlQuote("puit"));
    SetAtom(f, "Agent", "1", "Mari Tamm", "KLIAGENT.KLIKOOD = KLIENTK.KLIKOOD AND KLIAGENT.AGENTKOOD = 1");
    AddTable(f, "KLIAGENT");
    SetAtom(f, "Tyhi", "", "", ""); // an empty condition is skipped
    ASSERT_TRUE(CommitFilter(f));
    EXPECT_EQ(keys(), (QList<qint64>{1, 3}));
    EXPECT_EQ(opens, 2);
    QString value, shown;
    ASSERT_TRUE(FindAtom(f, "Agent", &value, &shown));
    EXPECT_EQ(value, QStringLiteral("1"));
    EXPECT_EQ(shown, QStringLiteral("Mari Tamm"));
    EXPECT_FALSE(FindAtom(f, "agent"));

    // The same filter again: the statement is the same, nothing is reopened.
    BeginFilter(f);
    SetAtom(f, "Nimi", "puit", "puit", "KLIENTK.KLINIMI CONTAINING " + SqlQuote("puit"));
    SetAtom(f, "Agent", "1", "Mari Tamm", "KLIAGENT.KLIKOOD = KLIENTK.KLIKOOD AND KLIAGENT.AGENTKOOD = 1");
    AddTable(f, "KLIAGENT");
    ASSERT_TRUE(CommitFilter(f));
    EXPECT_EQ(opens, 2);
    EXPECT_TRUE(CommitFilter(f)); // nothing pending
    EXPECT_EQ(opens, 2);

    // The same registry entry serves another dataset of the same name (a window opened again).
    {
        DataSet twin(*tr, QStringLiteral("taKliendid"));
        EXPECT_EQ(&FilterFor(twin), &f);
        EXPECT_TRUE(FindAtom(f, "Nimi"));
    }
    EXPECT_EQ(&FilterFor(*ds), &f);

    // A filter with DISTINCT followed by one without it.
    BeginFilter(f);
    SetAtom(f, "Agent", "", "", "KLIAGENT.KLIKOOD = KLIENTK.KLIKOOD");
    AddTable(f, "KLIAGENT");
    SetDistinct(f);
    ASSERT_TRUE(CommitFilter(f));
    EXPECT_TRUE(ds->selectSql().contains(QStringLiteral("SELECT DISTINCT ")));
    EXPECT_EQ(keys().size(), 5);
    BeginFilter(f);
    ASSERT_TRUE(CommitFilter(f));
    EXPECT_FALSE(ds->selectSql().contains(QStringLiteral("DISTINCT"), Qt::CaseInsensitive));
    EXPECT_EQ(ds->selectSql(), QStringLiteral("select KLIENTK.KLIKOOD, KLIENTK.KLINIMI from KLIENTK\norder by KLIENTK.KLIKOOD\n"));
}

TEST_F(FilterDataSetTest, TypedTextCannotChangeTheStatement)
{
    ASSERT_TRUE(ApplyWhere(*ds, "KLIENTK.KLINIMI = " + SqlQuote("O'Brien Pubi")));
    EXPECT_EQ(keys(), (QList<qint64>{2}));
    ASSERT_TRUE(ApplyWhere(*ds, "KLIENTK.KLINIMI = " + SqlQuote("x' or 1=1 --")));
    EXPECT_TRUE(keys().isEmpty());
    ASSERT_TRUE(ApplyWhere(*ds, "KLIENTK.KLINIMI CONTAINING " + SqlQuote("'; delete from KLIENTK; --")));
    EXPECT_TRUE(keys().isEmpty());
    ASSERT_TRUE(ApplyWhere(*ds, QString()));
    EXPECT_EQ(keys().size(), 5);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(FilterDataSetTest, RejectedStatementLeavesThePreviousInForce)
{
    ASSERT_TRUE(ApplyWhere(*ds, "KLIENTK.KLIKOOD <= 2"));
    const QString good = ds->selectSql();
    EXPECT_EQ(keys(), (QList<qint64>{1, 2}));
    EXPECT_FALSE(ApplyWhere(*ds, "NO_SUCH_COLUMN = 1"));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].startsWith(QStringLiteral("SQL Error: "))) << ui.messages[0].toStdString();
    EXPECT_TRUE(ui.messages[0].contains(QStringLiteral("NO_SUCH_COLUMN")));
    EXPECT_EQ(ds->selectSql(), good);
    EXPECT_TRUE(ds->isActive());
    EXPECT_EQ(keys(), (QList<qint64>{1, 2}));

    // A failed commit keeps its pending build and the applied state.
    TMySQLDataSetFilter &f = FilterFor(*ds);
    BeginFilter(f);
    SetAtom(f, "Vale", "", "", "KLIENTK.PUUDUB = 1");
    EXPECT_FALSE(CommitFilter(f));
    EXPECT_TRUE(f.modified);
    EXPECT_EQ(f.appliedWhere, QStringLiteral("KLIENTK.KLIKOOD <= 2"));
}

TEST_F(FilterDataSetTest, SortOrderKeepsTheFilter)
{
    ASSERT_TRUE(ApplyWhere(*ds, "KLIENTK.KLIKOOD <= 3"));
    ASSERT_TRUE(ApplyOrder(*ds, "KLIENTK.KLINIMI"));
    EXPECT_EQ(keys(), (QList<qint64>{1, 2, 3}));        // Balti, O'Brien, Tartu
    ASSERT_TRUE(ApplyOrder(*ds, "KLIENTK.KLINIMI desc"));
    EXPECT_EQ(keys(), (QList<qint64>{3, 2, 1}));
    ASSERT_TRUE(ApplyWhere(*ds, "KLIENTK.KLIKOOD >= 2"));
    EXPECT_EQ(keys(), (QList<qint64>{5, 3, 4, 2}));     // the order stays in force
    EXPECT_EQ(SortTextFor(ds->field("KLINIMI")), QStringLiteral("KLIENTK.KLINIMI"));
    Field &calc = ds->field("KLIKOOD");
    EXPECT_EQ(SortTextFor(calc), QStringLiteral("KLIENTK.KLIKOOD"));
}

TEST_F(FilterDataSetTest, EveryLiveDatasetOfTheNameFollowsItsConditions)
{
    // A second window's list of the same name, with a statement of its own.
    auto card = std::make_unique<DataSet>(*tr, QStringLiteral("taKliendid"));
    card->setSelectSql("select KLIENTK.KLIKOOD, KLIENTK.KLINIMI from KLIENTK where KLIENTK.KLIKOOD >= 2\n"
                       "order by KLIENTK.KLINIMI\n");
    card->open();
    TMySQLDataSetFilter &f = FilterFor(*ds);
    EXPECT_EQ(&FilterFor(*card), &f);
    BeginFilter(f);
    SetAtom(f, "Nimi", "puit", "puit", "KLIENTK.KLINIMI CONTAINING " + SqlQuote("puit"));
    ASSERT_TRUE(CommitFilter(f));
    EXPECT_EQ(keys(), (QList<qint64>{1, 3}));
    EXPECT_EQ(keysOf(*card), (QList<qint64>{3})); // its own statement under the name's conditions

    // The card closes: the list keeps following the conditions.
    card.reset();
    BeginFilter(f);
    SetAtom(f, "Nimi", "kivi", "kivi", "KLIENTK.KLINIMI CONTAINING " + SqlQuote("kivi"));
    ASSERT_TRUE(CommitFilter(f));
    EXPECT_EQ(keys(), (QList<qint64>{4}));
    ASSERT_TRUE(ApplyOrder(*ds, "KLIENTK.KLINIMI desc"));
    EXPECT_EQ(keys(), (QList<qint64>{4}));

    // A list registered later takes the conditions in force, on its own statement.
    DataSet later(*tr, QStringLiteral("taKliendid"));
    later.setSelectSql("select KLIENTK.KLIKOOD from KLIENTK\norder by KLIENTK.KLIKOOD\n");
    FilterFor(later);
    later.open();
    EXPECT_EQ(keysOf(later), (QList<qint64>{4}));
    EXPECT_TRUE(later.selectSql().startsWith(QStringLiteral("select KLIENTK.KLIKOOD from KLIENTK\n")));

    // A statement the server rejects for one of them leaves both on their previous statements.
    const QString before = ds->selectSql();
    BeginFilter(f);
    SetAtom(f, "Nimi", "", "", "KLIENTK.KLINIMI = 'x'");
    SetAtom(f, "Vale", "", "", "KLINIMI2 = 1");
    EXPECT_FALSE(CommitFilter(f));
    EXPECT_EQ(ds->selectSql(), before);
    EXPECT_EQ(keysOf(later), (QList<qint64>{4}));
    ASSERT_EQ(ui.messages.size(), 1);
}

} // namespace
