// Which modify statements a post may narrow to the changed columns, and what it then runs.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "data/ModifyStatement.h"

using data::ModifyStatement;

namespace {

TEST(ModifyStatementTest, PlainAssignmentsAreNarrowedToTheChangedColumns)
{
    const ModifyStatement modify("update KLIENTK set KLIKOOD = :KLIKOOD, KLINIMI = :KLINIMI,\n  KLIKOMMENT = "
                                 ":KLIKOMMENT where KLIKOOD = :OLD_KLIKOOD");
    ASSERT_TRUE(modify.isNarrowable());
    EXPECT_EQ(modify.columns(), (QStringList{"KLIKOOD", "KLINIMI", "KLIKOMMENT"}));

    const data::ParamSql &two = modify.narrowed({1, 2});
    EXPECT_EQ(two.original(), QStringLiteral("update KLIENTK set KLINIMI = :KLINIMI, KLIKOMMENT = :KLIKOMMENT "
                                             "where (KLIKOOD = :OLD_KLIKOOD) and KLINIMI is not distinct from "
                                             ":OLD_KLINIMI and KLIKOMMENT is not distinct from :OLD_KLIKOMMENT"));
    EXPECT_EQ(two.names(), (QStringList{"KLINIMI", "KLIKOMMENT", "OLD_KLIKOOD", "OLD_KLINIMI", "OLD_KLIKOMMENT"}));
    // A changed key is written and found by its old value.
    EXPECT_EQ(modify.narrowed({0}).names(), (QStringList{"KLIKOOD", "OLD_KLIKOOD", "OLD_KLIKOOD"}));
    // Built once for each set of columns.
    EXPECT_EQ(&modify.narrowed({1, 2}), &two);
}

TEST(ModifyStatementTest, QuotedQualifiedAndLowerCaseNamesAndTextInTheCondition)
{
    const ModifyStatement quoted(
        "UPDATE klikisik k SET k.\"KONTAKTISIKNIMI\" = :kontaktisiknimi, -- the name\n  k.AmetId=:AMETID "
        "WHERE k.KLIKISIKKOOD = :OLD_KLIKISIKKOOD and k.KONTAKTISIKKOMMENT <> 'x, where y = :z'");
    ASSERT_TRUE(quoted.isNarrowable());
    EXPECT_EQ(quoted.columns(), (QStringList{"KONTAKTISIKNIMI", "AMETID"}));
    EXPECT_EQ(quoted.narrowed({0, 1}).original(),
              QStringLiteral("UPDATE klikisik k SET k.\"KONTAKTISIKNIMI\" = :kontaktisiknimi, k.AmetId=:AMETID where "
                             "(k.KLIKISIKKOOD = :OLD_KLIKISIKKOOD and k.KONTAKTISIKKOMMENT <> 'x, where y = :z') and "
                             "k.\"KONTAKTISIKNIMI\" is not distinct from :OLD_KONTAKTISIKNIMI and k.AmetId is not "
                             "distinct from :OLD_AMETID"));
}

TEST(ModifyStatementTest, OtherFormsRunAsWritten)
{
    for (const char *sql : {
             "update KLIENTK set KLINIMI = upper(:KLINIMI) where KLIKOOD = :OLD_KLIKOOD",
             "update KLIKISIK set KONTAKTISIKKOMMENT = :KOHT where KLIKISIKKOOD = :OLD_KLIKISIKKOOD",
             "update KLIENTK set KLINIMI = :OLD_KLINIMI where KLIKOOD = :OLD_KLIKOOD",
             "update KLIENTK set KLINIMI = :KLINIMI, KLINIMI = :KLINIMI where KLIKOOD = :OLD_KLIKOOD",
             "update KLIENTK set KLIALE = (select max(KLIALE) from KLIENTK) where KLIKOOD = :OLD_KLIKOOD",
             "update KLIENTK set KLINIMI = :KLINIMI",
             "update KLIENTK set KLINIMI = :KLINIMI where KLIKOOD = :OLD_KLIKOOD returning KLINIMI",
             "update or insert into KLIENTK (KLIKOOD, KLINIMI) values (:KLIKOOD, :KLINIMI) matching (KLIKOOD)",
             "execute procedure KLIENT_MUUDA :KLIKOOD, :KLINIMI",
             "",
         }) {
        EXPECT_FALSE(ModifyStatement(QString::fromUtf8(sql)).isNarrowable()) << sql;
    }
}

} // namespace
