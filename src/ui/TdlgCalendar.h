#pragma once

#include <functional>

#include <QDate>
#include <QDialog>

class QCalendarWidget;

// The calendar: opened on a date, returns the chosen one on OK. Holidays show in bold.
class TdlgCalendar : public QDialog
{
    Q_OBJECT

public:
    TdlgCalendar(const QString &caption, const QDate &date, const std::function<bool(const QDate &)> &isHoliday,
                 QWidget *parent = nullptr);
    QDate selectedDate() const;

    static bool Run(QWidget *parent, const QString &caption, QDate &date,
                    const std::function<bool(const QDate &)> &isHoliday = {});

private:
    void markHolidays(int year, int month);

    QCalendarWidget *m_calendar;
    std::function<bool(const QDate &)> m_isHoliday;
};
