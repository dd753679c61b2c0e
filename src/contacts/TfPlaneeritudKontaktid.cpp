#include "TfPlaneeritudKontaktid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "DateFilterEdit.h"
#include "contacts/ContactListCommands.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "reference/GridColumnOrder.h"
#include "ui/TDBGrid.h"
#include "ui/TDynFilterComboBox.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/TEditBtn.h"

using contacts::ContactListCommands;
using contacts::PlannedContactFilter;
using contacts::PlannedContactFilterValues;

namespace {

// The grid's columns in the order the user knows, with their captions.
const std::pair<const char *, const char *> Columns[] = {
    {"JKONTAKTKUUP", "Kuupäev"},
    {"JKONTAKTKELL", "Kell"},
    {"JKONTAKTKUUPKUNI", "Kuupäev_kuni"},
    {"JKONTAKTKELLKUNI", "Kuni"},
    {"KLIENDINIMI", "Klient"},
    {"KONTAKTISIKNIMI", "Kontaktisik"},
    {"JKONTAKTLIIKNIMI", "KontaktiLiik"},
    {"JKONTAKTKOKKULEPE", "Kokkulepe"},
    {"JKONTAKTTEEMA", "Teema"},
    {"JKONTAKTKOMMENT", "Kommentaarid"},
    {"AADRESS", "Aadress"},
    {"TELEFON", "Telefon"},
    {"FAX", "Fax"},
    {"EMAIL", "EMail"},
    {"AGENTNIMI", "Agent"},
    {"JKONTTAHTAEG", "Tähtaeg"},
    {"REGAGENTNIMI", "Planeerija"},
    {"AGENTTUTVUNUD", "AgentTutvunud"},
    {"PROJNIMI", "Projekt"},
    {"TOOTEGRNIMI", "TooteGrupp"},
    {"TOOTENIMI", "Toode"},
};
// Keys behind the names, and the client's and person's own values behind the shown ones.
const char *const HiddenColumns[] = {
    "JKONTAKTID", "KLIKOOD",      "AGENTKOOD",      "JKONTAKTLIIK",   "KLIKISIKKOOD",    "REGAGENTKOOD", "PROJID",
    "TOOTEGRID",  "TOOTEID",      "KLINIMI",        "KLIOMVORM",      "KLIAADRESS",      "KLITEL",       "KLIFAX",
    "KLIEMAIL",   "LINNVALDNIMI", "KONTAKTISIKTEL", "KONTAKTISIKFAX", "KONTAKTISIKEMAIL"};

} // namespace

TfPlaneeritudKontaktid::TfPlaneeritudKontaktid(const WindowContext &context, QWidget *parent)
    : TfDataListForm1(context, parent)
{
    setObjectName(QStringLiteral("fPlaneeritudKontaktid"));
    setWindowTitle(Translate(QStringLiteral("Planeeritud kontaktid")));
    data::TData1 *module = context.data;
    QWidget *panel = panFilter();
    m_agent = new TDynFilterDBCombo(panel);
    m_agent->setObjectName(QStringLiteral("dfdbcAgentKood"));
    m_client = new TDynFilterDBCombo(panel);
    m_client->setObjectName(QStringLiteral("dfdbcKliKood"));
    m_selectClient = new QToolButton(panel);
    m_selectClient->setObjectName(QStringLiteral("bSelClient"));
    m_selectClient->setText(QStringLiteral("..."));
    m_type = new TDynFilterDBCombo(panel);
    m_type->setObjectName(QStringLiteral("dfdbcJKontaktLiik"));
    m_agreement = new TDynFilterComboBox(panel);
    m_agreement->setObjectName(QStringLiteral("dfcbKokkulepe"));
    m_agreement->setItemsAndValues(
        {Translate(QStringLiteral("Jah")), Translate(QStringLiteral("Ei")), QStringLiteral("?")},
        PlannedContactFilter::Agreements());
    m_agreement->setCurrentIndex(-1);
    m_from = DateFilterEdit::create(QStringLiteral("dfeJKontaktKuup"), panel, module);
    m_to = DateFilterEdit::create(QStringLiteral("dfeJKontaktKuupL"), panel, module);
    m_deadlineOp = new QComboBox(panel);
    m_deadlineOp->setObjectName(QStringLiteral("cbTahtaegVordlus"));
    m_deadlineOp->addItems(PlannedContactFilter::DeadlineOperators());
    m_deadlineOp->setCurrentText(QStringLiteral("<="));
    m_deadlineOp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_deadline = DateFilterEdit::create(QStringLiteral("dfeJKontaktTahtaeg"), panel, module);
    for (QComboBox *c :
         {static_cast<QComboBox *>(m_agent), static_cast<QComboBox *>(m_client), static_cast<QComboBox *>(m_type)})
        c->setMinimumContentsLength(14);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    filterLayout()->insertLayout(filterLayout()->count() - 1, grid, 1);
    auto *dash = new QLabel(QStringLiteral("-"), panel);
    addFilterControls({m_agent}, grid, 0, 0, Translate(QStringLiteral("Agent:")));
    addFilterControls({m_client, m_selectClient}, grid, 0, 2, Translate(QStringLiteral("Klient:")));
    addFilterControls({m_type}, grid, 0, 4, Translate(QStringLiteral("Kontaktiliik:")));
    addFilterControls({m_agreement}, grid, 1, 0, Translate(QStringLiteral("Kokkulepe:")));
    addFilterControls({m_from, dash, m_to}, grid, 1, 2, Translate(QStringLiteral("Kuupäev:")));
    addFilterControls({m_deadlineOp, m_deadline}, grid, 1, 4, Translate(QStringLiteral("Tähtaeg:")));
    dash->removeEventFilter(this);
    dash->setContextMenuPolicy(Qt::DefaultContextMenu);

    // The commands, before the framework's own in the window menu.
    addOwnCommand("Avaplaneering1", "Ava planeering", "Alt+V", "bAvaPlanKontakt", [this] { OpenPlan(); });
    addOwnCommand("Kontaktkirja1", "Kontakt kirja", "Alt+A", "bTeeKontakt", [this] { RegisterContact(); });
    addOwnCommand("Naitaklienti1", "Näita klienti", "Alt+E", "bShowClient", [this] { ShowClient(); });
    addOwnCommand("Valjatrukk1", "Väljatrükk", "Alt+P", "bPrint", [this] { Print(); });
    connect(DBGrid1(), &QAbstractItemView::doubleClicked, this, [this] { runCommand([this] { OpenPlan(); }); });
    connect(m_selectClient, &QToolButton::clicked, this, [this] { runCommand([this] { SelectClient(); }); });

    data::DataSet *plans = module ? module->dataSet(QStringLiteral("taTanasedKliKontaktid")) : nullptr;
    if (!plans)
        return;
    m_agent->setList(module->dataSet(QStringLiteral("taAgendidL")), QStringLiteral("AGENTKOOD"),
                     QStringLiteral("AGKOGUNIMI"));
    m_client->setList(module->dataSet(QStringLiteral("taKliendidL")), QStringLiteral("KLIKOOD"),
                      QStringLiteral("KLINIMI"));
    m_type->setList(module->dataSet(QStringLiteral("taTavaKontaktiLiigid")), QStringLiteral("KONTAKTLIIKKOOD"),
                    QStringLiteral("KONTAKTLIIKNIMI"));
    m_agent->setEnabled(PlannedContactFilter::AgentChoiceAllowed(module->session().Level));

    for (const auto &[field, caption] : Columns)
        plans->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromUtf8(caption)));
    for (const char *field : HiddenColumns)
        plans->defineField(QString::fromLatin1(field)).setVisible(false);
    // Fields the program computes have no column size: as wide as a client's name or address.
    plans->defineField(QStringLiteral("KLIENDINIMI")).setDisplayWidth(30);
    plans->defineField(QStringLiteral("AADRESS")).setDisplayWidth(30);
    plans->defineField(QStringLiteral("TELEFON")).setDisplayWidth(12);
    plans->defineField(QStringLiteral("FAX")).setDisplayWidth(12);
    plans->defineField(QStringLiteral("EMAIL")).setDisplayWidth(20);
    QStringList order;
    for (const auto &[field, caption] : Columns)
        order << QString::fromLatin1(field);
    setPrintColumns({"JKONTAKTKUUP", "JKONTAKTKELL", "KLIENDINIMI", "KONTAKTISIKNIMI", "JKONTAKTLIIKNIMI",
                     "JKONTAKTTEEMA", "AADRESS", "TELEFON", "AGENTNIMI"});
    // The panel's filter goes on before the list is read: the plans are read once.
    restorePanel(*plans);
    setDataSet(plans);
    SetGridColumnOrder(DBGrid1(), order);
    resize(1000, 520);
}

void TfPlaneeritudKontaktid::restorePanel(data::DataSet &plans)
{
    const PlannedContactFilterValues v = PlannedContactFilter::Restore(data::FilterFor(plans));
    m_agent->setKeyValue(v.agentCode);
    m_client->setKeyValue(v.clientCode);
    m_type->setKeyValue(v.typeCode);
    m_agreement->setValue(v.agreement);
    m_from->setText(v.dateFrom);
    m_to->setText(v.dateTo);
    m_deadlineOp->setCurrentText(v.deadlineOperator);
    m_deadline->setText(v.deadline);
    runCommand([this] { ApplyFilter(); });
}

PlannedContactFilterValues TfPlaneeritudKontaktid::panelValues() const
{
    PlannedContactFilterValues v;

    m_agent->chosen(v.agentCode, v.agentName);
    m_client->chosen(v.clientCode, v.clientName);
    m_type->chosen(v.typeCode, v.typeName);
    v.agreement = m_agreement->value();
    v.agreementText = v.agreement.isEmpty() ? QString() : m_agreement->currentText();
    v.dateFrom = m_from->text();
    v.dateTo = m_to->text();
    v.deadlineOperator = m_deadlineOp->currentText();
    v.deadline = m_deadline->text();
    return v;
}

QString TfPlaneeritudKontaktid::ApplyFilter()
{
    if (!dataSet() || !context().data)
        return QString();
    return PlannedContactFilter::Apply(*dataSet(), panelValues(), context().data->session().Level).where;
}

QString TfPlaneeritudKontaktid::FilterDescription()
{
    return PlannedContactFilter::Description(panelValues());
}

void TfPlaneeritudKontaktid::SetDateRange(const QDate &from, const QDate &to)
{
    DateFilterEdit::setDate(m_from, from);
    DateFilterEdit::setDate(m_to, to);
}

void TfPlaneeritudKontaktid::OpenPlan()
{
    if (dataSet() && context().data)
        ContactListCommands::OpenPlan(*context().data, *dataSet());
}

void TfPlaneeritudKontaktid::RegisterContact()
{
    if (dataSet() && context().data)
        ContactListCommands::RegisterContact(*context().data, *dataSet());
}

void TfPlaneeritudKontaktid::ShowClient()
{
    if (dataSet() && context().data)
        ContactListCommands::ShowClient(*context().data, *dataSet());
}

void TfPlaneeritudKontaktid::Print()
{
    if (!dataSet())
        return;
    ContactListCommands::SortForPrint(*dataSet());
    PrintList();
}

void TfPlaneeritudKontaktid::SelectClient()
{
    data::DataSet *list = context().data ? context().data->dataSet(QStringLiteral("taKliendidL")) : nullptr;
    if (!list || !ui())
        return;
    data::RecordChoice choice;
    choice.caption = Translate(QStringLiteral("Kliendi valik"));
    choice.dataSet = list;
    choice.keyField = QStringLiteral("KLIKOOD");
    choice.currentKey = m_client->keyValue();
    QString key;
    if (ui()->selectRecord(choice, key))
        m_client->setKeyValue(key);
}
