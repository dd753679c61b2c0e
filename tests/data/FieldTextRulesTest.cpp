// The shared text rules of fields and the SQL text helpers.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "data/DataError.h"
#include "data/FieldText.h"
#include "data/FieldTextRules.h"
#include "data/PhoneDigits.h"
#include "data/SqlHelpers.h"

using namespace data;

TEST(SqlHelpersTest, DateLiteralsRangesAndPeriods)
{
    const QDate from(2004, 3, 5), to(2004, 12, 31);
    EXPECT_EQ(SqlDateLiteral(from), QStringLiteral("'05.03.2004'"));
    EXPECT_EQ(SqlDateRange("KONTAKTKUUP", from, to), QStringLiteral("KONTAKTKUUP BETWEEN '05.03.2004' AND '31.12.2004'"));
    EXPECT_EQ(SqlDateRange("KONTAKTKUUP", from, QDate()), QStringLiteral("KONTAKTKUUP>='05.03.2004'"));
    EXPECT_EQ(SqlDateRange("KONTAKTKUUP", QDate(), to), QStringLiteral("KONTAKTKUUP<='31.12.2004'"));
    EXPECT_EQ(SqlDateRange("KONTAKTKUUP", QDate(), QDate()), QString());

    EXPECT_EQ(PeriodText("Periood", from, to), QStringLiteral("Periood 05.03.2004...31.12.2004"));
    EXPECT_EQ(PeriodText("Periood", from, from), QStringLiteral("Periood=05.03.2004"));
    EXPECT_EQ(PeriodText("", from, QDate()), QStringLiteral(">=05.03.2004"));
    EXPECT_EQ(PeriodText("P", QDate(), to), QStringLiteral("P<=31.12.2004"));
    EXPECT_EQ(PeriodText("Periood", QDate(), QDate()), QString());
}

TEST(SqlHelpersTest, TypedDatesAcceptEverySeparator)
{
    for (const char *text : {"5.3.2004", "05-03-2004", "5/3/2004", "5,3,2004", "05:03:2004", " 5.03.2004 "})
        EXPECT_EQ(ParseUserDate(QString::fromLatin1(text)), QDate(2004, 3, 5)) << text;
    EXPECT_FALSE(ParseUserDate("").isValid());
    EXPECT_THROW(ParseUserDate("31.02.2004"), DataError);
    EXPECT_THROW(ParseUserDate("eile"), DataError);
}

TEST(SqlHelpersTest, QuotedTextCannotChangeAStatement)
{
    EXPECT_EQ(SqlQuote("O'Brien"), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(SqlQuote("x' or 1=1 --"), QStringLiteral("'x'' or 1=1 --'"));
    EXPECT_EQ(SqlQuote(""), QStringLiteral("''"));
}

TEST(FieldTextTest, ConversionsOfTypedText)
{
    EXPECT_EQ(FieldText::toValue(fb::FieldKind::Integer, " 42 ", 0, "Kood").toInt(), 42);
    EXPECT_FALSE(FieldText::toValue(fb::FieldKind::Integer, "", 0, "Kood").isValid());
    EXPECT_THROW(FieldText::toValue(fb::FieldKind::Integer, "4x", 0, "Kood"), DataError);
    EXPECT_THROW(FieldText::toValue(fb::FieldKind::SmallInt, "40000", 0, "Kood"), DataError);
    EXPECT_EQ(FieldText::toValue(fb::FieldKind::Numeric, "24,40", 3, "Hind").value<fb::Numeric>(), (fb::Numeric{24400, 3}));
    EXPECT_EQ(FieldText::toValue(fb::FieldKind::Time, "9.30", 0, "Kell").toTime(), QTime(9, 30));
    EXPECT_EQ(FieldText::toText(fb::FieldKind::Date, QDate(2024, 1, 2), 0), QStringLiteral("02.01.2024"));
    EXPECT_EQ(FieldText::toText(fb::FieldKind::Time, QTime(14, 5), 0), QStringLiteral("14:05"));
    EXPECT_EQ(FieldText::toText(fb::FieldKind::Numeric, QVariant::fromValue(fb::Numeric{2000, 2}), 3),
              QStringLiteral("20.000"));
    try {
        FieldText::toValue(fb::FieldKind::Date, "32.01.2024", 0, "Kuupäev");
        FAIL();
    } catch (const DataError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Kuupäev")));
    }
}

TEST(FieldTextTest, LongCommentsAreShortenedForGrids)
{
    const QString exactly100(100, QLatin1Char('a'));
    EXPECT_EQ(PikkKommentText(exactly100), exactly100);
    const QString text101 = QString(100, QLatin1Char('b')) + QLatin1Char('c');
    const QString shown = PikkKommentText(text101);
    EXPECT_EQ(shown, QString(97, QLatin1Char('b')) + QStringLiteral("..."));
    EXPECT_EQ(PikkKommentText("rida 1\r\nrida 2\nrida 3"), QStringLiteral("rida 1  rida 2 rida 3"));
    // Estonian letters count as one byte each, as stored.
    const QString estonian(100, QChar(u'õ'));
    EXPECT_EQ(PikkKommentText(estonian), estonian);
}

TEST(FieldTextTest, NumbersShownInTheirPictures)
{
    using fb::FieldKind;
    const QString percent = QStringLiteral("######0.00 '%'");
    const QString grouped = QStringLiteral("### ### ### ###");
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Double, 12.5, 0, percent), QStringLiteral("12.50 %"));
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Double, 0.0, 0, percent), QStringLiteral("0.00 %"));
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Double, -3.456, 0, percent), QStringLiteral("-3.46 %"));
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Double, 1234567.0, 0, percent), QStringLiteral("1234567.00 %"));
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Integer, 1234567, 0, grouped), QStringLiteral("1 234 567"));
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Integer, 999, 0, grouped), QStringLiteral("999"));
    EXPECT_EQ(FieldText::formatNumber(FieldKind::BigInt, -123456789012LL, 0, grouped),
              QStringLiteral("-123 456 789 012"));
    // "#" places alone show zero as nothing, as the classic pictures do.
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Integer, 0, 0, grouped), QString());
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Numeric, QVariant::fromValue(fb::Numeric{123456, 2}), 2,
                                      QStringLiteral("# ##0.0")),
              QStringLiteral("1 234.6"));
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Integer, QVariant(), 0, grouped), QString());
    EXPECT_EQ(FieldText::formatNumber(FieldKind::Text, QStringLiteral("abc"), 0, grouped), QStringLiteral("abc"));
}

TEST(PhoneDigitsTest, OnlyDigitsWithoutLeadingZeros)
{
    EXPECT_EQ(PhoneDigits("+372 (0)5 123-456"), QStringLiteral("37205123456"));
    EXPECT_EQ(PhoneDigits("0 5123 456"), QStringLiteral("5123456"));
    EXPECT_EQ(PhoneDigits("00372 6 600 100"), QStringLiteral("3726600100"));
    EXPECT_EQ(PhoneDigits("5 0 0"), QStringLiteral("500"));
    EXPECT_EQ(PhoneDigits("000"), QString());
    EXPECT_EQ(PhoneDigits("tel. puudub"), QString());
    EXPECT_EQ(PhoneDigits(""), QString());
    EXPECT_EQ(PhoneDigits(QStringLiteral("５１２３")), QString()); // only the digits 0 to 9 count
}
