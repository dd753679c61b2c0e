#include <gtest/gtest.h>

#include <limits>

#include "fb/Numeric.h"

using fb::Numeric;

TEST(NumericTest, TextFormsAreExact)
{
    EXPECT_EQ((Numeric{-1250, 2}).toString(), QStringLiteral("-12.50"));
    EXPECT_EQ((Numeric{5, 3}).toString(), QStringLiteral("0.005"));
    EXPECT_EQ((Numeric{-5, 3}).toString(), QStringLiteral("-0.005"));
    EXPECT_EQ((Numeric{42, 0}).toString(), QStringLiteral("42"));
    EXPECT_EQ((Numeric{std::numeric_limits<qint64>::min(), 2}).toString(), QStringLiteral("-92233720368547758.08"));

    bool ok = false;
    EXPECT_EQ(Numeric::fromString(QStringLiteral("24,40"), 3, &ok), (Numeric{24400, 3}));
    EXPECT_TRUE(ok);
    EXPECT_EQ(Numeric::fromString(QStringLiteral("-0.125"), 2, &ok), (Numeric{-13, 2}));
    EXPECT_EQ(Numeric::fromString(QStringLiteral(".5"), 1, &ok), (Numeric{5, 1}));
    EXPECT_TRUE(ok);
    Numeric::fromString(QStringLiteral("12a"), 2, &ok);
    EXPECT_FALSE(ok);
    Numeric::fromString(QStringLiteral(""), 2, &ok);
    EXPECT_FALSE(ok);
    Numeric::fromString(QStringLiteral("-"), 2, &ok);
    EXPECT_FALSE(ok);
}

TEST(NumericTest, RescalingRoundsHalfAwayFromZero)
{
    EXPECT_EQ((Numeric{24400, 3}).rescaled(2), (Numeric{2440, 2}));
    EXPECT_EQ((Numeric{1005, 3}).rescaled(2), (Numeric{101, 2}));
    EXPECT_EQ((Numeric{-1005, 3}).rescaled(2), (Numeric{-101, 2}));
    EXPECT_EQ((Numeric{1004, 3}).rescaled(2), (Numeric{100, 2}));
    EXPECT_EQ((Numeric{7, 0}).rescaled(3), (Numeric{7000, 3}));
    EXPECT_DOUBLE_EQ((Numeric{2440, 2}).toDouble(), 24.40);
    EXPECT_EQ(Numeric::fromDouble(20.0004, 3), (Numeric{20000, 3}));
}
