#include "DateFieldCalendar.h"

#include "TdlgCalendar.h"
#include "TfChildBtnBarForm01.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/TData1.h"

bool ChooseDateForField(TfChildBtnBarForm01 &window, data::DataSource &source, const QString &fieldName)
{
    data::DataSet *ds = source.dataSet();
    data::TData1 *module = window.context().data;
    if (!ds || !ds->isActive() || !module)
        return false;
    window.UpdateFocusedControl();
    QDate date = ds->isEmpty() && !ds->isEditing() ? QDate() : ds->field(fieldName).asDate();
    if (!TdlgCalendar::Run(&window, module->KalenderText, date, [module](const QDate &d) { return module->IsHoliday(d); }))
        return false;
    return window.runCommand([ds, &fieldName, &date] {
        if (!ds->isEditing())
            ds->edit();
        ds->field(fieldName).setText(date.toString(QStringLiteral("dd.MM.yyyy")));
    });
}
