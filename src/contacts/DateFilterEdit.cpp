#include "DateFilterEdit.h"

#include "data/FieldText.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TEditBtn.h"
#include "ui/TdlgCalendar.h"

TEditBtn *DateFilterEdit::create(const QString &objectName, QWidget *parent, data::TData1 *module)
{
    auto *edit = new TEditBtn(parent);
    edit->setObjectName(objectName);
    edit->setMinimumWidth(90);
    // The date-range menu of the list window opens on these fields.
    edit->setProperty("dateFilter", true);
    QObject::connect(edit, &TEditBtn::OnBtnClick, edit, [edit, module] {
        QDate date = data::FieldText::parseDate(edit->text());
        if (!date.isValid())
            date = QDate::currentDate();
        if (TdlgCalendar::Run(edit->window(), module ? module->KalenderText : Translate(QStringLiteral("Kalender")),
                              date, [module](const QDate &d) { return module && module->IsHoliday(d); }))
            setDate(edit, date);
    });
    return edit;
}

void DateFilterEdit::setDate(TEditBtn *edit, const QDate &date)
{
    edit->setText(date.isValid() ? date.toString(data::FieldText::dateFormat()) : QString());
}
