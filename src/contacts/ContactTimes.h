#pragma once

#include <QDate>
#include <QTime>

namespace data {
class TData1;
} // namespace data

namespace contacts {

// When a contact or a plan ends, from its start and the minutes its type plans for it.
struct ContactEnd
{
    QDate date;
    QTime time;
};

class ContactTimes
{
public:
    // Start plus minutes; an end past midnight falls on the next day (or later), never before the
    // start on the same day.
    static ContactEnd EndOf(const QDate &startDate, const QTime &startTime, int minutes);
    // The minutes a contact type plans for a contact, read from the database now (another
    // workstation may have changed them); 0 when the type is not found or has none.
    static int PlannedMinutes(data::TData1 &data, int contactType);
};

} // namespace contacts
