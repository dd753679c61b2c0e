#include "TfKlassif1Gr.h"

#include <QFormLayout>

#include "data/DataSet.h"
#include "data/Field.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBEdit.h"
#include "ui/TDBMemo.h"
#include "ui/THDBTitleLabel.h"

TfKlassif1Gr::TfKlassif1Gr(const WindowContext &context, QWidget *parent)
    : TfLk2Vorm01(context, parent)
    , m_id(new TDBEdit(Panel2()))
    , m_name(new TDBEdit(Panel2()))
    , m_comment(new TDBMemo(Panel2()))
{
    setObjectName(QStringLiteral("fKlassif1Gr"));
    setWindowTitle(Translate(QStringLiteral("Klassifikaatorite grupid")));
    data::DataSet *groups = context.data ? context.data->dataSet(QStringLiteral("taKlassif1Gr")) : nullptr;
    if (groups) {
        groups->defineField(QStringLiteral("KL1GRID")).setDisplayLabel(Translate(QStringLiteral("ID")));
        groups->defineField(QStringLiteral("KL1GRNIMI")).setDisplayLabel(Translate(QStringLiteral("Nimetus")));
        groups->defineField(QStringLiteral("KL1GRKOMMENT")).setDisplayLabel(Translate(QStringLiteral("Kommentaarid")));
    }
    if (!setDataSet(groups))
        return;

    m_id->setObjectName(QStringLiteral("edKl1GrId"));
    m_id->bind(DataSource1(), QStringLiteral("KL1GRID"), context.ui);
    m_name->setObjectName(QStringLiteral("edKl1GrNimi"));
    m_name->setMaxLength(60);
    m_name->bind(DataSource1(), QStringLiteral("KL1GRNIMI"), context.ui);
    m_comment->setObjectName(QStringLiteral("mKl1GrKomment"));
    m_comment->bind(DataSource1(), QStringLiteral("KL1GRKOMMENT"), context.ui);
    auto *form = new QFormLayout(Panel2());
    for (auto [edit, field] :
         {std::pair<QWidget *, const char *>{m_id, "KL1GRID"}, {m_name, "KL1GRNIMI"}, {m_comment, "KL1GRKOMMENT"}}) {
        auto *title = new THDBTitleLabel(Panel2());
        title->bind(DataSource1(), QString::fromLatin1(field));
        title->setBuddy(edit);
        form->addRow(title, edit);
    }
}
