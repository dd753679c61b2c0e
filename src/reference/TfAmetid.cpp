#include "TfAmetid.h"

#include <QFormLayout>
#include <QToolButton>

#include "data/DataSet.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBEdit.h"
#include "ui/THDBTitleLabel.h"

TfAmetid::TfAmetid(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent), m_id(new TDBEdit(Panel2())), m_name(new TDBEdit(Panel2()))
{
    setObjectName(QStringLiteral("fAmetid"));
    setWindowTitle(Translate(QStringLiteral("Ametid")));
    data::DataSet *positions = context.data ? context.data->dataSet(QStringLiteral("taAmetid")) : nullptr;
    if (positions) {
        positions->defineField(QStringLiteral("AMETID")).setDisplayLabel(Translate(QStringLiteral("AmetiID")));
        positions->defineField(QStringLiteral("AMET")).setDisplayLabel(Translate(QStringLiteral("Amet")));
    }
    if (!setDataSet(positions))
        return;
    // Positions are too few and too short to be worth copying.
    bKoopia()->hide();

    m_id->setObjectName(QStringLiteral("edAmetId"));
    m_id->bind(DataSource1(), QStringLiteral("AMETID"), context.ui);
    m_name->setObjectName(QStringLiteral("edAmet"));
    m_name->setMaxLength(30);
    m_name->bind(DataSource1(), QStringLiteral("AMET"), context.ui);
    auto *form = new QFormLayout(Panel2());
    for (auto [edit, field] : {std::pair<QWidget *, const char *>{m_id, "AMETID"}, {m_name, "AMET"}}) {
        auto *title = new THDBTitleLabel(Panel2());
        title->bind(DataSource1(), QString::fromLatin1(field));
        title->setBuddy(edit);
        form->addRow(title, edit);
    }
}
