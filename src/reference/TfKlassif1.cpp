#include "TfKlassif1.h"

#include <QFormLayout>
#include <QLabel>

#include "GridColumnOrder.h"
#include "PickPairName.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/FilterBuilder.h"
#include "data/SqlHelpers.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBMemo.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/TDynFilterEdit.h"

namespace {

const QString GroupAtom = QStringLiteral("Kl1GrID");
const QString NameAtom = QStringLiteral("Kl1Nimi");

} // namespace

TfKlassif1::TfKlassif1(const WindowContext &context, QWidget *parent)
    : TfLk2FilterVorm1(context, parent)
    , m_filterGroup(new TDynFilterDBCombo())
    , m_filterName(new TDynFilterEdit())
    , m_id(new TDBEdit(Panel2()))
    , m_name(new TDBEdit(Panel2()))
    , m_code(new TDBEdit(Panel2()))
    , m_group(new TDBEditBtn(Panel2()))
    , m_comment(new TDBMemo(Panel2()))
{
    setObjectName(QStringLiteral("fKlassif1"));
    setWindowTitle(Translate(QStringLiteral("Klassifikaatorid")));
    data::DataSet *classifiers = context.data ? context.data->dataSet(QStringLiteral("taKlassif1")) : nullptr;
    if (classifiers) {
        for (auto [field, label] : {std::pair<const char *, const char *>{"KL1ID", "ID"},
                                    {"KL1NIMI", "Nimetus"},
                                    {"KL1GRNIMI", "Grupp"},
                                    {"KL1KOOD", "LisaKood"},
                                    {"KL1KOMMENT", "Kommentaarid"}})
            classifiers->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromLatin1(label)));
    }
    if (!setDataSet(classifiers))
        return;
    SetGridColumnOrder(DBGrid2(), {QStringLiteral("KL1ID"), QStringLiteral("KL1NIMI"), QStringLiteral("KL1GRNIMI"),
                                   QStringLiteral("KL1KOOD"), QStringLiteral("KL1KOMMENT")});

    m_filterGroup->setObjectName(QStringLiteral("dfdbcKlassifGr"));
    m_filterGroup->setMinimumContentsLength(20);
    m_filterGroup->setList(context.data->dataSet(QStringLiteral("taKlassif1GrL")), QStringLiteral("KL1GRID"),
                           QStringLiteral("KL1GRNIMI"));
    addFilterControl(m_filterGroup, Translate(QStringLiteral("Grupp:")));
    m_filterName->setObjectName(QStringLiteral("dfeKlassifNimi"));
    addFilterControl(m_filterName, Translate(QStringLiteral("Nimetus:")));

    m_id->setObjectName(QStringLiteral("edKl1Id"));
    m_id->bind(DataSource1(), QStringLiteral("KL1ID"), context.ui);
    m_name->setObjectName(QStringLiteral("edKl1Nimi"));
    m_name->setMaxLength(60);
    m_name->bind(DataSource1(), QStringLiteral("KL1NIMI"), context.ui);
    m_code->setObjectName(QStringLiteral("edKl1Kood"));
    m_code->bind(DataSource1(), QStringLiteral("KL1KOOD"), context.ui);
    m_group->setObjectName(QStringLiteral("edKl1GrNimi"));
    m_group->bind(DataSource1(), QStringLiteral("KL1GRNIMI"), context.ui);
    m_comment->setObjectName(QStringLiteral("mKl1Komment"));
    m_comment->bind(DataSource1(), QStringLiteral("KL1KOMMENT"), context.ui);
    auto *form = new QFormLayout(Panel2());
    for (auto [edit, caption] : {std::pair<QWidget *, const char *>{m_id, "ID"},
                                 {m_name, "Nimetus"},
                                 {m_code, "LisaKood"},
                                 {m_group, "Grupp"},
                                 {m_comment, "Kommentaarid"}}) {
        auto *title = new QLabel(Translate(QString::fromLatin1(caption)), Panel2());
        title->setBuddy(edit);
        form->addRow(title, edit);
    }
    connect(m_group, &TDBEditBtn::OnBtnClick, this, [this, context] {
        runCommand([this, context] {
            PickPairName(*context.data, *m_group, QStringLiteral("taKlassif1GrL"), QStringLiteral("KL1GRID"),
                         Translate(QStringLiteral("Klassifikaatorite grupid")));
        });
    });

    // A filter set in this window earlier in the run comes back with it.
    data::TMySQLDataSetFilter &filter = data::FilterFor(*classifiers);
    QString value;
    bool restored = false;
    if (data::FindAtom(filter, GroupAtom, &value)) {
        m_filterGroup->setKeyValue(value);
        restored = true;
    }
    if (data::FindAtom(filter, NameAtom, &value)) {
        m_filterName->setText(value);
        restored = true;
    }
    if (restored)
        runCommand([this] { ApplyFilter(); });
}

QString TfKlassif1::ApplyFilter()
{
    data::DataSet *classifiers = dataSet();
    if (!classifiers)
        return QString();
    data::TMySQLDataSetFilter &filter = data::FilterFor(*classifiers);
    data::BeginFilter(filter);
    QStringList parts;
    const QString group = m_filterGroup->keyValue();
    if (!group.isEmpty()) {
        const QString condition = QStringLiteral("Kl1GrID=") + QString::number(group.toLongLong());
        data::SetAtom(filter, GroupAtom, group, m_filterGroup->currentText(), condition);
        parts << condition;
    }
    const QString name = m_filterName->text();
    if (!name.isEmpty()) {
        // The typed text stays text, whatever apostrophes it holds.
        const QString condition = QStringLiteral("Kl1Nimi CONTAINING ") + data::SqlQuote(name);
        data::SetAtom(filter, NameAtom, name, name, condition);
        parts << condition;
    }
    data::CommitFilter(filter);
    return parts.join(QStringLiteral(" AND "));
}
