#include <gtest/gtest.h>

#include "TempDatabase.h"
#include "data/DemoData.h"
#include "data/SchemaScript.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

qint64 count(fb::Transaction &tr, const char *sql)
{
    fb::Statement st(tr, QString::fromLatin1(sql));
    st.execute();
    return st.fetch() ? st.value(0).toLongLong() : -1;
}

} // namespace

// The demo register is what new users and the benches see first: its rows must follow the rules the
// program keeps for rows it writes itself.
TEST(DemoDataTest, PlansAndContactsFollowTheProgramsOwnRules)
{
    TempDatabase db(QStringLiteral("demo.fdb"));
    data::DemoData::Counts counts;
    {
        fb::Attachment att = db.connect();
        data::DemoData::Options o;
        o.referenceDate = QDate(2026, 12, 1);
        counts = data::DemoData::fill(att, o);
    }
    fb::Attachment att = db.connect();
    fb::Transaction tr(att);
    tr.start();
    ASSERT_GT(counts.plans, 0);
    EXPECT_EQ(count(tr, "select count(*) from KLIJKONT"), counts.plans);
    // Agreement is agreed, refused or open; every kind occurs.
    EXPECT_EQ(count(tr, "select count(*) from KLIJKONT where JKONTAKTKOKKULEPE is null "
                        "or JKONTAKTKOKKULEPE not in ('+', '-', '?')"),
              0);
    EXPECT_EQ(count(tr, "select count(distinct JKONTAKTKOKKULEPE) from KLIJKONT"), 3);
    // A contact counts the planned minutes of its type as its units.
    EXPECT_EQ(count(tr, "select count(*) from KONTAKT k join KONTLIIK t on t.KONTAKTLIIKKOOD = k.KONTAKTLIIK "
                        "where k.KONTAKTYHIKUID is distinct from t.PLAANMINUTEID"),
              0);
    EXPECT_GT(count(tr, "select count(*) from KONTAKT where KONTAKTYHIKUID > 1"), 0);
    // The indexes know the rows they hold, as after a restore: a list of one agent's month of
    // contacts is read through the agent and date index.
    EXPECT_EQ(count(tr, "select count(*) from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG, 0) = 0 "
                        "and RDB$INDEX_NAME in ('IX_KONTAKT_AGENTKOOD_KUUP', 'PK_KONTAKT', 'IX_KLIJKONT_AGENTKOOD_KUUP') "
                        "and RDB$STATISTICS > 0"),
              3);
}
