#include "TMonthCalendarFix.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QTextCharFormat>

TMonthCalendarFix::TMonthCalendarFix(QWidget *parent)
    : QCalendarWidget(parent)
{
    setObjectName(QStringLiteral("MonthCalendar1"));
    setFirstDayOfWeek(Qt::Monday);
    setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    setGridVisible(false);
    // The day grid has the focus; its own keys are taken before it sees them.
    if (auto *view = findChild<QAbstractItemView *>())
        view->installEventFilter(this);
    connect(this, &QCalendarWidget::currentPageChanged, this, [this] { markBoldDays(); });
}

void TMonthCalendarFix::setBoldDayTest(std::function<bool(const QDate &)> test)
{
    m_boldDay = std::move(test);
    markBoldDays();
}

QDate TMonthCalendarFix::moved(const QDate &from, int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Down: return from.addDays(7);
    case Qt::Key_Up: return from.addDays(-7);
    case Qt::Key_Right: return from.addDays(1);
    case Qt::Key_Left: return from.addDays(-1);
    // QDate keeps the day where the month has it and takes the month's last day otherwise.
    case Qt::Key_PageUp: return ctrl ? from.addYears(-1) : from.addMonths(-1);
    case Qt::Key_PageDown: return ctrl ? from.addYears(1) : from.addMonths(1);
    default: return from;
    }
}

void TMonthCalendarFix::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit chosen();
        return;
    }
    const QDate to = moved(selectedDate(), key, event->modifiers());
    if (to != selectedDate()) {
        setSelectedDate(to);
        setCurrentPage(to.year(), to.month());
        return;
    }
    // Esc and the rest go on to the dialog.
    event->ignore();
}

bool TMonthCalendarFix::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            keyPressEvent(key);
            return true;
        default:
            break;
        }
    }
    return QCalendarWidget::eventFilter(watched, event);
}

void TMonthCalendarFix::markBoldDays()
{
    setDateTextFormat(QDate(), QTextCharFormat()); // forgets the marks of the month shown before
    if (!m_boldDay)
        return;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    // The grid shows six weeks from the Monday on or before the first of the month.
    const QDate first(yearShown(), monthShown(), 1);
    const QDate start = first.addDays(-(first.dayOfWeek() - 1));
    for (QDate d = start; d < start.addDays(42); d = d.addDays(1))
        if (m_boldDay(d))
            setDateTextFormat(d, bold);
}
