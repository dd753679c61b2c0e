#pragma once

#include <QDate>
#include <QString>

class QWidget;
class TEditBtn;

namespace data {
class TData1;
}

// The date fields of the contact lists' filter panels: a typed date, or one chosen in the calendar
// with the field's "..." button (holidays shown). The typed text is checked when the filter applies.
class DateFilterEdit
{
public:
    static TEditBtn *create(const QString &objectName, QWidget *parent, data::TData1 *module);
    // A date as the field shows it; an invalid date empties the field.
    static void setDate(TEditBtn *edit, const QDate &date);
};
