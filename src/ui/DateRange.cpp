#include "DateRange.h"

std::pair<QDate, QDate> DateRangeForTag(int tag, const QDate &today)
{
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    const QDate firstOfMonth(today.year(), today.month(), 1);
    switch (tag) {
    case 1: return {today, today};
    case 2: return {today.addDays(1), today.addDays(1)};
    case 7: return {monday, monday.addDays(6)};
    case 8: return {monday.addDays(7), monday.addDays(13)};
    case 31: return {firstOfMonth, firstOfMonth.addMonths(1).addDays(-1)};
    case 32: return {firstOfMonth.addMonths(1), firstOfMonth.addMonths(2).addDays(-1)};
    case 356: return {QDate(today.year(), 1, 1), QDate(today.year(), 12, 31)};
    case 357: return {QDate(today.year() + 1, 1, 1), QDate(today.year() + 1, 12, 31)};
    case -1: return {today.addDays(-1), today.addDays(-1)};
    case -7: return {monday.addDays(-7), monday.addDays(-1)};
    case -31: return {firstOfMonth.addMonths(-1), firstOfMonth.addDays(-1)};
    case -356: return {QDate(today.year() - 1, 1, 1), QDate(today.year() - 1, 12, 31)};
    default: return {QDate(), QDate()};
    }
}
