#include "TfTooted.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>

#include "GridColumnOrder.h"
#include "PickPairName.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/FilterBuilder.h"
#include "data/SqlHelpers.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "ui/TDBCheckBox.h"
#include "ui/TDBEditBtn.h"
#include "ui/TDBMemo.h"
#include "ui/TDynFilterComboBox.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/TDynFilterEdit.h"

namespace {

const QString GroupAtom = QStringLiteral("TooteGrID");
const QString ActiveAtom = QStringLiteral("ToodeAktiivne");
const QString NameAtom = QStringLiteral("TooteNimi");

} // namespace

TfTooted::TfTooted(const WindowContext &context, QWidget *parent)
    : TfLk2FilterVorm1(context, parent)
    , m_filterGroup(new TDynFilterDBCombo())
    , m_filterActive(new TDynFilterComboBox())
    , m_filterName(new TDynFilterEdit())
    , m_group(new TDBEditBtn(Panel2()))
    , m_active(new TDBCheckBox(Translate(QStringLiteral("Aktiivne")), Panel2()))
    , m_comment(new TDBMemo(Panel2()))
{
    setObjectName(QStringLiteral("fTooted"));
    setWindowTitle(Translate(QStringLiteral("Tooted")));
    data::DataSet *products = context.data ? context.data->dataSet(QStringLiteral("taTooted")) : nullptr;
    if (products) {
        for (auto [field, label] : {std::pair<const char *, const char *>{"TOOTEID", "TooteKood"},
                                    {"TOOTENIMI", "TooteNimi"},
                                    {"TOOTEGRNIMI", "Tootegrupp"},
                                    {"TOOTETOOTJA", "Tootja"},
                                    {"TOOTEKOODLAOS", "KoodLaos"},
                                    {"TOOTEKULUMAT", "TooteKuluMaterjal"},
                                    {"TOOTEKOMMENT", "Kommentaarid"},
                                    {"TOODEAKTIIVNE", "ToodeAktiivne"},
                                    {"TOOTEHINDKMTA", "HindKMta"},
                                    {"TOOTEKMPROC", "KMProts"},
                                    {"TOOTEHINDKMGA", "HindKMga"},
                                    {"TOOTEYHIK", "Ühik"}})
            products->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromUtf8(label)));
        products->defineField(QStringLiteral("TOOTEGRID")).setVisible(false);
    }
    if (!setDataSet(products))
        return;
    SetGridColumnOrder(DBGrid2(),
                       {QStringLiteral("TOOTEID"), QStringLiteral("TOOTENIMI"), QStringLiteral("TOOTEGRNIMI")});

    m_filterGroup->setObjectName(QStringLiteral("dfdbcTooteGrupp"));
    m_filterGroup->setMinimumContentsLength(16);
    m_filterGroup->setList(context.data->dataSet(QStringLiteral("taTooteGrupidL")), QStringLiteral("TOOTEGRID"),
                           QStringLiteral("TOOTEGRNIMI"));
    addFilterControl(m_filterGroup, Translate(QStringLiteral("Grupp:")));
    m_filterActive->setObjectName(QStringLiteral("dfcbToodeAktiivne"));
    m_filterActive->setMinimumContentsLength(4);
    m_filterActive->setItemsAndValues({context.data->JahText, context.data->EiText},
                                      {QString::fromLatin1(data::TData1::Yes), QString::fromLatin1(data::TData1::No)});
    addFilterControl(m_filterActive, Translate(QStringLiteral("Aktiivne:")));
    m_filterName->setObjectName(QStringLiteral("dfeTooteNimi"));
    addFilterControl(m_filterName, Translate(QStringLiteral("Nimetus:")));

    auto *form = new QFormLayout(Panel2());
    auto addEdit = [&](const char *field, const char *caption, int maxLength) {
        auto *e = new TDBEdit(Panel2());
        e->setObjectName(QStringLiteral("ed") + QString::fromLatin1(field));
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        e->bind(DataSource1(), QString::fromLatin1(field), context.ui);
        auto *title = new QLabel(Translate(QString::fromUtf8(caption)), Panel2());
        title->setBuddy(e);
        form->addRow(title, e);
        m_edits << e;
        return e;
    };
    addEdit("TOOTEID", "Kood", 0);
    addEdit("TOOTENIMI", "Nimetus", 60);
    addEdit("TOOTETOOTJA", "Tootja", 60);
    addEdit("TOOTEKULUMAT", "Kulumaterjal", 60);
    addEdit("TOOTEKOODLAOS", "KoodLaos", 20);
    m_group->setObjectName(QStringLiteral("edTOOTEGRNIMI"));
    m_group->bind(DataSource1(), QStringLiteral("TOOTEGRNIMI"), context.ui);
    auto *groupTitle = new QLabel(Translate(QStringLiteral("Tootegrupp")), Panel2());
    groupTitle->setBuddy(m_group);
    form->addRow(groupTitle, m_group);
    m_active->setObjectName(QStringLiteral("cbToodeAktiivne"));
    m_active->bind(DataSource1(), QStringLiteral("TOODEAKTIIVNE"), context.ui);
    form->addRow(QString(), m_active);
    m_prices << addEdit("TOOTEHINDKMTA", "HindKMta", 0) << addEdit("TOOTEKMPROC", "KM%", 0)
             << addEdit("TOOTEHINDKMGA", "HindKMga", 0);
    for (TDBEdit *price : std::as_const(m_prices))
        price->installEventFilter(this);
    addEdit("TOOTEYHIK", "Ühik", 10);
    m_comment->setObjectName(QStringLiteral("mTooteKomment"));
    m_comment->bind(DataSource1(), QStringLiteral("TOOTEKOMMENT"), context.ui);
    auto *commentTitle = new QLabel(Translate(QStringLiteral("Kommentaarid")), Panel2());
    commentTitle->setBuddy(m_comment);
    form->addRow(commentTitle, m_comment);

    connect(m_group, &TDBEditBtn::OnBtnClick, this, [this, context] {
        runCommand([this, context] {
            PickPairName(*context.data, *m_group, QStringLiteral("taTooteGrupidL"), QStringLiteral("TOOTEGRID"),
                         Translate(QStringLiteral("Tootegrupid")));
        });
    });

    // A filter set in this window earlier in the run comes back with it.
    data::TMySQLDataSetFilter &filter = data::FilterFor(*products);
    QString value;
    bool restored = false;
    if (data::FindAtom(filter, GroupAtom, &value)) {
        m_filterGroup->setKeyValue(value);
        restored = true;
    }
    if (data::FindAtom(filter, ActiveAtom, &value)) {
        m_filterActive->setValue(value);
        restored = true;
    }
    if (data::FindAtom(filter, NameAtom, &value)) {
        m_filterName->setText(value);
        restored = true;
    }
    if (restored)
        runCommand([this] { ApplyFilter(); });
}

TDBEdit *TfTooted::edit(const QString &fieldName) const
{
    for (TDBEdit *e : m_edits)
        if (e->link().fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return e;
    return fieldName.compare(QStringLiteral("TOOTEGRNIMI"), Qt::CaseInsensitive) == 0 ? m_group : nullptr;
}

QString TfTooted::ApplyFilter()
{
    data::DataSet *products = dataSet();
    if (!products)
        return QString();
    data::TMySQLDataSetFilter &filter = data::FilterFor(*products);
    data::BeginFilter(filter);
    QStringList parts;
    const QString group = m_filterGroup->keyValue();
    if (!group.isEmpty()) {
        const QString condition = QStringLiteral("TooteGrID=") + QString::number(group.toLongLong());
        data::SetAtom(filter, GroupAtom, group, m_filterGroup->currentText(), condition);
        parts << condition;
    }
    const QString active = m_filterActive->value();
    if (active.isEmpty()) {
        data::SetAtom(filter, ActiveAtom, QString(), QString(), QString());
    } else {
        const QString condition = QStringLiteral("ToodeAktiivne=") + data::SqlQuote(active);
        data::SetAtom(filter, ActiveAtom, active, m_filterActive->currentText(), condition);
        parts << condition;
    }
    const QString name = m_filterName->text();
    if (!name.isEmpty()) {
        // The typed text stays text, whatever apostrophes it holds.
        const QString condition = QStringLiteral("TooteNimi CONTAINING ") + data::SqlQuote(name);
        data::SetAtom(filter, NameAtom, name, name, condition);
        parts << condition;
    }
    data::CommitFilter(filter);
    return parts.join(QStringLiteral(" AND "));
}

bool TfTooted::eventFilter(QObject *watched, QEvent *event)
{
    // A decimal point or comma typed into a price is the decimal separator of the user's locale.
    if (event->type() == QEvent::KeyPress && m_prices.contains(qobject_cast<TDBEdit *>(watched))) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QString separator = QLocale().decimalPoint();
        if ((key->text() == QLatin1String(".") || key->text() == QLatin1String(",")) && key->text() != separator) {
            QKeyEvent replaced(QEvent::KeyPress, 0, key->modifiers(), separator);
            QCoreApplication::sendEvent(watched, &replaced);
            return true;
        }
    }
    return TfLk2FilterVorm1::eventFilter(watched, event);
}
