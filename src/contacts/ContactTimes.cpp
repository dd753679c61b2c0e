#include "ContactTimes.h"

#include "data/SqlStatement.h"
#include "data/TData1.h"

namespace contacts {

ContactEnd ContactTimes::EndOf(const QDate &startDate, const QTime &startTime, int minutes)
{
    const int startSeconds = startTime.msecsSinceStartOfDay() / 1000;
    const qint64 endSeconds = static_cast<qint64>(startSeconds) + static_cast<qint64>(minutes) * 60;
    const qint64 day = 24 * 60 * 60;
    qint64 days = endSeconds / day;
    qint64 rest = endSeconds % day;
    if (rest < 0) {
        rest += day;
        --days;
    }
    ContactEnd end;
    end.time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(rest) * 1000);
    end.date = startDate.isValid() ? startDate.addDays(days) : QDate();
    return end;
}

int ContactTimes::PlannedMinutes(data::TData1 &data, int contactType)
{
    data::SqlStatement &q = data.qFastSQL1();
    q.setSql(QStringLiteral("select PLAANMINUTEID from KONTLIIK where KONTAKTLIIKKOOD = :KONTAKTLIIKKOOD"));
    q.clearParams();
    q.setParam(QStringLiteral("KONTAKTLIIKKOOD"), contactType);
    const QVariant minutes = q.scalar();
    return minutes.isValid() && !minutes.isNull() ? minutes.toInt() : 0;
}

} // namespace contacts
