#include "TfOmandiVormid.h"

#include <QToolButton>

#include "AddRecordRow.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBEdit.h"

TfOmandiVormid::TfOmandiVormid(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
    , m_form(new TDBEdit(Panel2()))
    , m_description(new TDBEdit(Panel2()))
{
    setObjectName(QStringLiteral("fOmandiVormid"));
    setWindowTitle(Translate(QStringLiteral("Omandivormid")));
    data::DataSet *forms = context.data ? context.data->dataSet(QStringLiteral("taOmandiVormid")) : nullptr;
    if (forms) {
        forms->defineField(QStringLiteral("OMANDIVORM")).setDisplayLabel(Translate(QStringLiteral("OmandiVorm")));
        forms->defineField(QStringLiteral("OMANDIVORMNIMI")).setDisplayLabel(Translate(QStringLiteral("Kirjeldus")));
    }
    if (!setDataSet(forms))
        return;
    // The key is typed by the user: a copy would only be refused as a duplicate.
    bKoopia()->hide();
    if (data::DataSet *list = context.data->dataSet(QStringLiteral("taOmandiVormidL")); list && !list->isActive())
        list->open();

    m_form->setObjectName(QStringLiteral("edOmandiVorm"));
    m_form->setMaxLength(10);
    m_form->bind(DataSource1(), QStringLiteral("OMANDIVORM"), context.ui);
    m_description->setObjectName(QStringLiteral("edKirjeldus"));
    m_description->setMaxLength(60);
    m_description->bind(DataSource1(), QStringLiteral("OMANDIVORMNIMI"), context.ui);
    auto *form = new QFormLayout(Panel2());
    AddRecordRow(form, DataSource1(), "OMANDIVORM", m_form);
    AddRecordRow(form, DataSource1(), "OMANDIVORMNIMI", m_description);
}
