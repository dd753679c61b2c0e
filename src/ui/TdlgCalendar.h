#pragma once

#include <functional>

#include <QDate>
#include <QDialog>

class TMonthCalendarFix;

// The calendar: opened on a date (today when it has none), returns the chosen one on OK; Cancel
// changes nothing. Holidays show in bold.
class TdlgCalendar : public QDialog
{
    Q_OBJECT

public:
    TdlgCalendar(const QString &caption, const QDate &date, const std::function<bool(const QDate &)> &isHoliday,
                 QWidget *parent = nullptr);
    QDate selectedDate() const;
    TMonthCalendarFix *calendar() const { return m_calendar; }

    static bool Run(QWidget *parent, const QString &caption, QDate &date,
                    const std::function<bool(const QDate &)> &isHoliday = {});

protected:
    void changeEvent(QEvent *event) override;

private:
    TMonthCalendarFix *m_calendar;
};
