#include "TfRiigid.h"

#include <QToolButton>

#include "AddRecordRow.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBEdit.h"

TfRiigid::TfRiigid(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
    , m_id(new TDBEdit(Panel2()))
    , m_name(new TDBEdit(Panel2()))
{
    setObjectName(QStringLiteral("fRiigid"));
    setWindowTitle(Translate(QStringLiteral("Riigid")));
    data::DataSet *countries = context.data ? context.data->dataSet(QStringLiteral("taRiigid")) : nullptr;
    if (countries) {
        countries->defineField(QStringLiteral("RIIKID")).setDisplayLabel(Translate(QStringLiteral("RiikID")));
        countries->defineField(QStringLiteral("RIIGINIMI")).setDisplayLabel(Translate(QStringLiteral("RiigiNimi")));
    }
    if (!setDataSet(countries))
        return;
    // A copy would only be a second country of the same name.
    bKoopia()->hide();
    if (data::DataSet *byName = context.data->dataSet(QStringLiteral("taRiigidL")); byName && !byName->isActive())
        byName->open();

    m_id->setObjectName(QStringLiteral("edRiikId"));
    m_id->bind(DataSource1(), QStringLiteral("RIIKID"), context.ui);
    m_name->setObjectName(QStringLiteral("edRiigiNimi"));
    m_name->setMaxLength(60);
    m_name->bind(DataSource1(), QStringLiteral("RIIGINIMI"), context.ui);
    auto *form = new QFormLayout(Panel2());
    AddRecordRow(form, DataSource1(), "RIIKID", m_id);
    AddRecordRow(form, DataSource1(), "RIIGINIMI", m_name);
}
