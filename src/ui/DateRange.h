#pragma once

#include <utility>

#include <QDate>

// The ranges of the date-range menu of list windows, by the menu item's tag: 1 today, 7 this week,
// 31 this month, 356 this year, 2 tomorrow, 8 next week, 32 next month, 357 next year, -1 yesterday,
// -7 last week, -31 last month, -356 last year, 0 no range (two null dates). Weeks run from Monday
// to Sunday.
std::pair<QDate, QDate> DateRangeForTag(int tag, const QDate &today);
