#pragma once

#include <functional>

#include <QCalendarWidget>

// The month calendar of the date dialogs. It takes every key itself, so that the arrows move by a day
// or a week, Page Up/Down by a month (with Ctrl by a year) and Enter chooses, and it marks the days a
// test names (the holidays) in bold in every month it shows, the neighbours' days in the grid too.
class TMonthCalendarFix : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit TMonthCalendarFix(QWidget *parent = nullptr);

    // Asked for each day on show; the days it answers true for are bold.
    void setBoldDayTest(std::function<bool(const QDate &)> test);
    // The date the key would move to from `from` (the same day in another month or year comes back to
    // the last day that month has); `from` itself for a key that moves nothing.
    static QDate moved(const QDate &from, int key, Qt::KeyboardModifiers modifiers);

signals:
    // Enter on the chosen day.
    void chosen();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void markBoldDays();

    std::function<bool(const QDate &)> m_boldDay;
};
