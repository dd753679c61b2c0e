#include "TfAgMinutMaxMyyk.h"

#include "AddRecordRow.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/FieldText.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBEditBtn.h"
#include "ui/TdlgCalendar.h"

TfAgMinutMaxMyyk::TfAgMinutMaxMyyk(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
    , m_date(new TDBEditBtn(Panel2()))
    , m_minutes(new TDBEdit(Panel2()))
    , m_maxSales(new TDBEdit(Panel2()))
{
    setObjectName(QStringLiteral("fAgMinutMaxMyyk"));
    setWindowTitle(Translate(QStringLiteral("Max müük ja minutid")));
    data::DataSet *plan = context.data ? context.data->dataSet(QStringLiteral("taAgMinutMaxMyyk")) : nullptr;
    if (plan) {
        plan->defineField(QStringLiteral("MALGUSKUUP")).setDisplayLabel(Translate(QStringLiteral("Alates_kuupäevast")));
        plan->defineField(QStringLiteral("MINUTID")).setDisplayLabel(Translate(QStringLiteral("Minutid")));
        plan->defineField(QStringLiteral("MAXMYYK")).setDisplayLabel(Translate(QStringLiteral("Max_müük")));
    }
    if (!setDataSet(plan))
        return;

    m_date->setObjectName(QStringLiteral("edAlatesKuupaevast"));
    m_date->bind(DataSource1(), QStringLiteral("MALGUSKUUP"), context.ui);
    m_minutes->setObjectName(QStringLiteral("edMinutid"));
    m_minutes->bind(DataSource1(), QStringLiteral("MINUTID"), context.ui);
    m_maxSales->setObjectName(QStringLiteral("edMaxMyyk"));
    m_maxSales->bind(DataSource1(), QStringLiteral("MAXMYYK"), context.ui);
    auto *form = new QFormLayout(Panel2());
    AddRecordRow(form, DataSource1(), "MALGUSKUUP", m_date, Translate(QStringLiteral("AlatesKuupäevast")));
    AddRecordRow(form, DataSource1(), "MINUTID", m_minutes);
    AddRecordRow(form, DataSource1(), "MAXMYYK", m_maxSales);
    connect(m_date, &TDBEditBtn::OnBtnClick, this, [this] { runCommand([this] { edAlatesKuupaevastBtnClick(); }); });
}

void TfAgMinutMaxMyyk::edAlatesKuupaevastBtnClick()
{
    // What is typed counts, saved or not; no text, no date.
    QDate date = data::FieldText::parseDate(m_date->text());
    if (!TdlgCalendar::Run(this, context().data->KalenderText, date,
                           [this](const QDate &d) { return context().data->IsHoliday(d); }))
        return;
    if (m_date->link().edit())
        m_date->link().setText(date.toString(data::FieldText::dateFormat()));
}
