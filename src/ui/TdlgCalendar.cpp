#include "TdlgCalendar.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "TMonthCalendarFix.h"
#include "data/Translate.h"

TdlgCalendar::TdlgCalendar(const QString &caption, const QDate &date, const std::function<bool(const QDate &)> &isHoliday,
                           QWidget *parent)
    : QDialog(parent), m_calendar(new TMonthCalendarFix(this))
{
    setObjectName(QStringLiteral("dlgCalendar"));
    setWindowTitle(caption);
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
    connect(m_calendar, &TMonthCalendarFix::chosen, this, &QDialog::accept);
    m_calendar->setBoldDayTest(isHoliday);
    m_calendar->setFocus();
}

void TdlgCalendar::changeEvent(QEvent *event)
{
    // Minimising the dialog minimises the program, whose window it blocks.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && parentWidget())
        parentWidget()->window()->showMinimized();
    QDialog::changeEvent(event);
}

QDate TdlgCalendar::selectedDate() const
{
    return m_calendar->selectedDate();
}

bool TdlgCalendar::Run(QWidget *parent, const QString &caption, QDate &date, const std::function<bool(const QDate &)> &isHoliday)
{
    TdlgCalendar dlg(caption, date, isHoliday, parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    date = dlg.selectedDate();
    return true;
}
