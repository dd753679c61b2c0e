#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QTextCharFormat>

#include "WindowDriver.h"
#include "ui/TMonthCalendarFix.h"
#include "ui/TdlgCalendar.h"

namespace {

// Keys go where the user's keys go: to the day grid that has the focus.
void press(TdlgCalendar &dlg, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *grid = dlg.calendar()->findChild<QAbstractItemView *>();
    ASSERT_NE(grid, nullptr);
    QTest::keyClick(grid, static_cast<Qt::Key>(key), modifiers);
}

bool bold(const TdlgCalendar &dlg, const QDate &d)
{
    return dlg.calendar()->dateTextFormat(d).fontWeight() == QFont::Bold;
}

} // namespace

TEST(CalendarTest, KeysMoveByDayWeekMonthAndYearKeepingToDaysThatExist)
{
    TdlgCalendar dlg(QStringLiteral("Kalender"), QDate(2024, 1, 31), {});
    dlg.show();
    press(dlg, Qt::Key_PageDown);
    EXPECT_EQ(dlg.selectedDate(), QDate(2024, 2, 29)); // leap year: the last day February has
    press(dlg, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(dlg.selectedDate(), QDate(2023, 2, 28));
    press(dlg, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(dlg.selectedDate(), QDate(2024, 2, 28));
    press(dlg, Qt::Key_Down);
    EXPECT_EQ(dlg.selectedDate(), QDate(2024, 3, 6));
    press(dlg, Qt::Key_Up);
    press(dlg, Qt::Key_Up);
    EXPECT_EQ(dlg.selectedDate(), QDate(2024, 2, 21));
    press(dlg, Qt::Key_Right);
    press(dlg, Qt::Key_Left);
    press(dlg, Qt::Key_Left);
    EXPECT_EQ(dlg.selectedDate(), QDate(2024, 2, 20));
    press(dlg, Qt::Key_PageUp);
    EXPECT_EQ(dlg.selectedDate(), QDate(2024, 1, 20));
    EXPECT_EQ(dlg.calendar()->monthShown(), 1);
    // Enter chooses.
    press(dlg, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    // From the 31st of a month to one of thirty days, and to February of a common year.
    TdlgCalendar other(QStringLiteral("Kalender"), QDate(2023, 1, 31), {});
    other.show();
    press(other, Qt::Key_PageDown);
    EXPECT_EQ(other.selectedDate(), QDate(2023, 2, 28));
    TdlgCalendar may(QStringLiteral("Kalender"), QDate(2024, 5, 31), {});
    may.show();
    press(may, Qt::Key_PageDown);
    EXPECT_EQ(may.selectedDate(), QDate(2024, 6, 30));
}

TEST(CalendarTest, HolidaysAreBoldInEveryMonthShownAfterPaging)
{
    const QList<QDate> holidays = {QDate(2024, 2, 24), QDate(2024, 3, 1), QDate(2024, 1, 1)};
    int asked = 0;
    TdlgCalendar dlg(QStringLiteral("Kalender"), QDate(2024, 1, 31), [&](const QDate &d) {
        ++asked;
        return holidays.contains(d);
    });
    dlg.show();
    EXPECT_TRUE(bold(dlg, QDate(2024, 1, 1)));
    EXPECT_FALSE(bold(dlg, QDate(2024, 1, 2)));
    press(dlg, Qt::Key_PageDown);
    // February, and the first days of March that its grid shows.
    EXPECT_TRUE(bold(dlg, QDate(2024, 2, 24)));
    EXPECT_TRUE(bold(dlg, QDate(2024, 3, 1)));
    EXPECT_FALSE(bold(dlg, QDate(2024, 2, 23)));
    // A month no longer shown keeps no marks of its own.
    EXPECT_FALSE(bold(dlg, QDate(2024, 1, 1)));
    EXPECT_GT(asked, 0);
}

TEST(CalendarTest, CancelChangesNothingAndNoDateMeansToday)
{
    QMainWindow main;
    main.show();
    QDate date(2024, 3, 15);
    whenModal<TdlgCalendar>([](TdlgCalendar *dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Kalender"));
        press(*dlg, Qt::Key_PageDown);
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    EXPECT_FALSE(TdlgCalendar::Run(&main, QStringLiteral("Kalender"), date));
    EXPECT_EQ(date, QDate(2024, 3, 15));

    whenModal<TdlgCalendar>([](TdlgCalendar *dlg) { press(*dlg, Qt::Key_Right); press(*dlg, Qt::Key_Enter); });
    EXPECT_TRUE(TdlgCalendar::Run(&main, QStringLiteral("Kalender"), date));
    EXPECT_EQ(date, QDate(2024, 3, 16));

    QDate none;
    whenModal<TdlgCalendar>([](TdlgCalendar *dlg) {
        EXPECT_EQ(dlg->selectedDate(), QDate::currentDate());
        dlg->accept();
    });
    EXPECT_TRUE(TdlgCalendar::Run(&main, QStringLiteral("Kalender"), none));
    EXPECT_EQ(none, QDate::currentDate());
}
