#include "TfKontaktiLiigid.h"

#include "AddRecordRow.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEdit.h"

TfKontaktiLiigid::TfKontaktiLiigid(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
    , m_code(new TDBEdit(Panel2()))
    , m_name(new TDBEdit(Panel2()))
    , m_minutes(new TDBEdit(Panel2()))
    , m_mass(new TDBCheckBox(Translate(QStringLiteral("Masskontakt")), Panel2()))
    , m_active(new TDBCheckBox(Translate(QStringLiteral("Aktiivne")), Panel2()))
{
    setObjectName(QStringLiteral("fKontaktiLiigid"));
    setWindowTitle(Translate(QStringLiteral("Kontaktiliigid")));
    data::DataSet *types = context.data ? context.data->dataSet(QStringLiteral("taKontaktiLiigid")) : nullptr;
    if (types) {
        for (const auto &[field, label] : {std::pair<const char *, const char *>{"KONTAKTLIIKKOOD", "Kood"},
                                           {"KONTAKTLIIKNIMI", "Nimetus"},
                                           {"MASSKONTAKT", "MassKontakt"},
                                           {"KONTAKTLIIKAKTIIVNE", "KontaktiLiikAktiivne"},
                                           {"PLAANMINUTEID", "PlaanilineKestvus"}})
            types->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromLatin1(label)));
    }
    if (!setDataSet(types))
        return;

    m_code->setObjectName(QStringLiteral("edKood"));
    m_code->bind(DataSource1(), QStringLiteral("KONTAKTLIIKKOOD"), context.ui);
    m_name->setObjectName(QStringLiteral("edNimetus"));
    m_name->setMaxLength(30);
    m_name->bind(DataSource1(), QStringLiteral("KONTAKTLIIKNIMI"), context.ui);
    m_minutes->setObjectName(QStringLiteral("edPlaanMinuteid"));
    m_minutes->bind(DataSource1(), QStringLiteral("PLAANMINUTEID"), context.ui);
    m_mass->setObjectName(QStringLiteral("cbMassKontakt"));
    m_mass->bind(DataSource1(), QStringLiteral("MASSKONTAKT"), context.ui);
    m_active->setObjectName(QStringLiteral("cbAktiivne"));
    m_active->bind(DataSource1(), QStringLiteral("KONTAKTLIIKAKTIIVNE"), context.ui);
    auto *form = new QFormLayout(Panel2());
    AddRecordRow(form, DataSource1(), "KONTAKTLIIKKOOD", m_code);
    AddRecordRow(form, DataSource1(), "KONTAKTLIIKNIMI", m_name);
    AddRecordRow(form, DataSource1(), "PLAANMINUTEID", m_minutes,
                 Translate(QStringLiteral("PlaanilineKestvus (minutites)")));
    form->addRow(QString(), m_mass);
    form->addRow(QString(), m_active);
}
