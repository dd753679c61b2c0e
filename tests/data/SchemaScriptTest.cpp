#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "data/SchemaScript.h"

using data::SchemaScript;

TEST(SchemaScriptTest, SplitsAtTerminatorsOutsideQuotesAndComments)
{
    const QString script = QStringLiteral(
        "-- a comment; with a semicolon\n"
        "create table A (X varchar(10) default 'a;b');\n"
        "/* block; comment */ insert into A values ('it''s; fine');\n"
        "SET TERM ^ ;\n"
        "create procedure P as begin\n  insert into A values (';');\nend^\n"
        "SET TERM ; ^\n"
        "grant select on A to role R;\n"
        "  \n");
    const QStringList parts = SchemaScript::split(script);
    ASSERT_EQ(parts.size(), 4) << parts.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(parts[0], QStringLiteral("create table A (X varchar(10) default 'a;b')"));
    EXPECT_EQ(parts[1], QStringLiteral("insert into A values ('it''s; fine')"));
    EXPECT_TRUE(parts[2].startsWith(QStringLiteral("create procedure P as begin")));
    EXPECT_TRUE(parts[2].endsWith(QStringLiteral("end")));
    EXPECT_TRUE(parts[2].contains(QStringLiteral("values (';');")));
    EXPECT_EQ(parts[3], QStringLiteral("grant select on A to role R"));
}

TEST(SchemaScriptTest, BundledScriptHasNoDatabaseStatement)
{
    const QStringList parts = SchemaScript::split(SchemaScript::bundled());
    EXPECT_GT(parts.size(), 100);
    for (const QString &p : parts) {
        EXPECT_FALSE(p.startsWith(QStringLiteral("CREATE DATABASE"), Qt::CaseInsensitive));
        EXPECT_FALSE(p.startsWith(QStringLiteral("SET TERM"), Qt::CaseInsensitive)) << p.toStdString();
    }
}
