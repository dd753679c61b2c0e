#include "TfLinnadVallad.h"

#include "AddRecordRow.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "ui/TDBEditBtn.h"

TfLinnadVallad::TfLinnadVallad(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
    , m_code(new TDBEdit(Panel2()))
    , m_name(new TDBEdit(Panel2()))
    , m_country(new TDBEditBtn(Panel2()))
{
    setObjectName(QStringLiteral("fLinnadVallad"));
    setWindowTitle(Translate(QStringLiteral("Linnad-vallad")));
    data::DataSet *places = context.data ? context.data->dataSet(QStringLiteral("taLinnadVallad")) : nullptr;
    if (places) {
        for (const auto &[field, label] : {std::pair<const char *, const char *>{"LINNVALDKOOD", "LinnValdKood"},
                                           {"LINNVALDNIMI", "LinnValdNimi"},
                                           {"RIIKID", "RiikID"},
                                           {"RIIGINIMI", "Riik"}})
            places->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromLatin1(label)));
    }
    if (!setDataSet(places))
        return;
    if (data::DataSet *countries = context.data->dataSet(QStringLiteral("taRiigidL"));
        countries && !countries->isActive())
        countries->open();

    // The code is drawn by the database: shown, not typed.
    m_code->setObjectName(QStringLiteral("edLinnValdKood"));
    m_code->setReadOnly(true);
    m_code->setFrame(false);
    m_code->setFocusPolicy(Qt::NoFocus);
    m_code->bind(DataSource1(), QStringLiteral("LINNVALDKOOD"), context.ui);
    m_name->setObjectName(QStringLiteral("edLinnValdNimi"));
    m_name->setMaxLength(60);
    m_name->bind(DataSource1(), QStringLiteral("LINNVALDNIMI"), context.ui);
    m_country->setObjectName(QStringLiteral("edRiik"));
    m_country->bind(DataSource1(), QStringLiteral("RIIGINIMI"), context.ui);
    auto *form = new QFormLayout(Panel2());
    AddRecordRow(form, DataSource1(), "LINNVALDKOOD", m_code);
    AddRecordRow(form, DataSource1(), "LINNVALDNIMI", m_name);
    AddRecordRow(form, DataSource1(), "RIIGINIMI", m_country);
    connect(m_country, &TDBEditBtn::OnBtnClick, this, [this] { runCommand([this] { edRiikBtnClick(); }); });
}

void TfLinnadVallad::edRiikBtnClick()
{
    data::DataSet *countries = context().data->dataSet(QStringLiteral("taRiigidL"));
    data::DataSet *place = dataSet();
    if (!countries || !place || !ui())
        return;
    if (!countries->isActive())
        countries->open();
    data::RecordChoice choice;
    choice.caption = Translate(QStringLiteral("Riigid"));
    choice.dataSet = countries;
    choice.keyField = QStringLiteral("RIIKID");
    choice.currentKey = place->isEmpty() && !place->isEditing() ? QString() : place->field("RIIKID").text();
    QString key;
    if (!ui()->selectRecord(choice, key) || key.isEmpty())
        return;
    const QVariant id = countries->field("RIIKID").value();
    const QVariant name = countries->field("RIIGINIMI").value();
    if (!m_country->link().edit())
        return;
    m_country->link().guard([place, &id, &name] {
        place->field("RIIKID").setValue(id);
        place->field("RIIGINIMI").setValue(name);
    });
}
