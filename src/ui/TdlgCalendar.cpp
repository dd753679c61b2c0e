#include "TdlgCalendar.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "data/Translate.h"

TdlgCalendar::TdlgCalendar(const QString &caption, const QDate &date, const std::function<bool(const QDate &)> &isHoliday,
                           QWidget *parent)
    : QDialog(parent), m_calendar(new QCalendarWidget(this)), m_isHoliday(isHoliday)
{
    setObjectName(QStringLiteral("dlgCalendar"));
    setWindowTitle(caption);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setSelectedDate(date.isValid() ? date : QDate::currentDate());
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(Translate(QStringLiteral("&OK")), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Translate(QStringLiteral("&Cancel")), QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &TdlgCalendar::markHolidays);
    markHolidays(m_calendar->yearShown(), m_calendar->monthShown());
}

QDate TdlgCalendar::selectedDate() const
{
    return m_calendar->selectedDate();
}

void TdlgCalendar::markHolidays(int year, int month)
{
    if (!m_isHoliday)
        return;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const QDate first(year, month, 1);
    for (QDate d = first; d.month() == month; d = d.addDays(1))
        m_calendar->setDateTextFormat(d, m_isHoliday(d) ? bold : QTextCharFormat());
}

bool TdlgCalendar::Run(QWidget *parent, const QString &caption, QDate &date, const std::function<bool(const QDate &)> &isHoliday)
{
    TdlgCalendar dlg(caption, date, isHoliday, parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    date = dlg.selectedDate();
    return true;
}
