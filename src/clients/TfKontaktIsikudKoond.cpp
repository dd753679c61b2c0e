#include "TfKontaktIsikudKoond.h"

#include <QGridLayout>
#include <QMenu>
#include <QToolButton>

#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/MainServices.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "reference/GridColumnOrder.h"
#include "ui/TDBGrid.h"
#include "ui/TDynFilterComboBox.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/TDynFilterEdit.h"

using clients::ContactPersonFilter;
using clients::ContactPersonFilterValues;

namespace {

const std::pair<const char *, const char *> Columns[] = {
    {"KONTAKTISIKNIMI", "KontaktIsikNimi"},
    {"KLIKOOD", "KliKood"},
    {"KLIENDINIMI", "KliendiNimi"},
    {"KONTAKTISIKTEL", "KontaktIsikTel"},
    {"KONTAKTISIKTEL2", "KontaktIsikTel2"},
    {"KONTAKTISIKFAX", "KontaktIsikFax"},
    {"KONTAKTISIKEMAIL", "KontaktIsikEMail"},
    {"KONTAKTISIKKOMMENT", "KontaktIsikKomment"},
    {"KONTAKTISIKAMET", "KontaktIsikAmet"},
    {"KISIKUKOOD", "IsikuKood"},
    {"KISIKPAKKUMOK", "SoovibMassPakkumisi"},
    {"KLIAADRESS", "Aadress"},
    {"LINNVALDNIMI", "LinnVald"},
    {"KLIPOSTIINDEX", "PostiIndeks"},
    {"RIIGINIMI", "Riik"},
    {"KONTAKTISIKAKTIIVNE", "KontaktIsikAktiivne"},
    {"KLIENTAKTIIVNE", "KlientAktiivne"},
};
// The client's name shows with its legal form in "KliendiNimi".
const char *const HiddenColumns[] = {"KLIKISIKKOOD", "AMETID", "KLIOMVORM", "KISIKTELTRIM", "KISIKTEL2TRIM", "KLINIMI"};

TDynFilterComboBox *yesNo(const QString &name, QWidget *parent)
{
    auto *c = new TDynFilterComboBox(parent);
    c->setObjectName(name);
    c->setItemsAndValues({Translate(QStringLiteral("Jah")), Translate(QStringLiteral("Ei"))},
                         {QStringLiteral("Y"), QStringLiteral("N")});
    c->setValue(QStringLiteral("Y"));
    return c;
}

} // namespace

TfKontaktIsikudKoond::TfKontaktIsikudKoond(const WindowContext &context, QWidget *parent)
    : TfDataListForm1(context, parent)
{
    setObjectName(QStringLiteral("fKontaktIsikudKoond"));
    setWindowTitle(Translate(QStringLiteral("Kontaktisikute koondtabel")));
    QWidget *panel = panFilter();
    m_agent = new TDynFilterDBCombo(panel);
    m_agent->setObjectName(QStringLiteral("dfdbcAgentKood"));
    m_client = new TDynFilterDBCombo(panel);
    m_client->setObjectName(QStringLiteral("dfdbcKliKood"));
    m_selectClient = new QToolButton(panel);
    m_selectClient->setObjectName(QStringLiteral("bSelClient"));
    m_selectClient->setText(QStringLiteral("..."));
    m_position = new TDynFilterDBCombo(panel);
    m_position->setObjectName(QStringLiteral("dfdbcAmet"));
    m_personActive = yesNo(QStringLiteral("dfcbKontaktIsikAktiivne"), panel);
    m_clientActive = yesNo(QStringLiteral("dfcbKlientAktiivne"), panel);
    m_name = new TDynFilterEdit(panel);
    m_name->setObjectName(QStringLiteral("dfeKIsikNimi"));
    m_name->setUpdateDelay(500);
    for (QComboBox *c :
         {static_cast<QComboBox *>(m_agent), static_cast<QComboBox *>(m_client), static_cast<QComboBox *>(m_position)})
        c->setMinimumContentsLength(14);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    filterLayout()->insertLayout(filterLayout()->count() - 1, grid, 1);
    addFilterControls({m_agent}, grid, 0, 0, Translate(QStringLiteral("Agent:")));
    addFilterControls({m_client, m_selectClient}, grid, 0, 2, Translate(QStringLiteral("Klient:")));
    addFilterControls({m_position}, grid, 0, 4, Translate(QStringLiteral("Amet:")));
    addFilterControls({m_personActive}, grid, 1, 0, Translate(QStringLiteral("Aktiivne:")));
    addFilterControls({m_clientActive}, grid, 1, 2, Translate(QStringLiteral("Klient aktiivne:")));
    addFilterControls({m_name}, grid, 1, 4, Translate(QStringLiteral("Nimi:")));

    data::TData1 *module = context.data;
    data::DataSet *persons = module ? module->dataSet(QStringLiteral("taKliKontaktIsikudKoond")) : nullptr;
    if (!persons)
        return;
    m_agent->setList(module->dataSet(QStringLiteral("taAgendidL")), QStringLiteral("AGENTKOOD"),
                     QStringLiteral("AGKOGUNIMI"));
    m_client->setList(module->dataSet(QStringLiteral("taKliendidL")), QStringLiteral("KLIKOOD"),
                      QStringLiteral("KLINIMI"));
    m_position->setList(module->dataSet(QStringLiteral("taAmetidL")), QStringLiteral("AMETID"), QStringLiteral("AMET"));

    // The name narrows the list a moment after the last key, without Enter.
    connect(m_name, &TDynFilterEdit::OnFilterChange, this, [this] { runCommand([this] { UpdateFilter(); }); });
    connect(m_selectClient, &QToolButton::clicked, this, [this] { runCommand([this] { SelectClient(); }); });

    addOwnCommand("Naitaklienti1", "Näita klienti", "Alt+E", "bShowClient", [this] { ShowClient(); });
    addOwnCommand("Kontaktkirja1", "Kontakt kirja", "Alt+A", "bTeeKontakt", [this] { RegisterContact(); });
    addOwnCommand("Planeerikontakt1", "Planeeri kontakt", "Alt+L", "bPlaneeriKontakt", [this] { PlanContact(); });
    connect(DBGrid1(), &QAbstractItemView::doubleClicked, this, [this] { runCommand([this] { ShowClient(); }); });

    for (const auto &[field, caption] : Columns)
        persons->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromLatin1(caption)));
    for (const char *field : HiddenColumns)
        persons->defineField(QString::fromLatin1(field)).setVisible(false);
    QStringList order;
    for (const auto &[field, caption] : Columns)
        order << QString::fromLatin1(field);
    // Filtered before it is read: the persons are read once.
    restorePanel(*persons);
    setDataSet(persons);
    SetGridColumnOrder(DBGrid1(), order);
    resize(1000, 520);
}

void TfKontaktIsikudKoond::restorePanel(data::DataSet &persons)
{
    const ContactPersonFilterValues v = ContactPersonFilter::Restore(data::FilterFor(persons));
    m_agent->setKeyValue(v.agentCode);
    m_client->setKeyValue(v.clientCode);
    m_position->setKeyValue(v.positionId);
    m_personActive->setValue(v.personActive);
    if (v.personActive.isEmpty())
        m_personActive->setCurrentIndex(-1);
    m_clientActive->setValue(v.clientActive);
    if (v.clientActive.isEmpty())
        m_clientActive->setCurrentIndex(-1);
    m_name->setText(v.name);
    runCommand([this, &persons] { ContactPersonFilter::Apply(persons, panelValues()); });
}

ContactPersonFilterValues TfKontaktIsikudKoond::panelValues() const
{
    ContactPersonFilterValues v;
    v.agentCode = m_agent->keyValue();
    v.agentName = v.agentCode.isEmpty() ? QString() : m_agent->currentText();
    v.clientCode = m_client->keyValue();
    v.clientName = v.clientCode.isEmpty() ? QString() : m_client->currentText();
    v.positionId = m_position->keyValue();
    v.positionName = v.positionId.isEmpty() ? QString() : m_position->currentText();
    v.personActive = m_personActive->value();
    v.clientActive = m_clientActive->value();
    v.name = m_name->text();
    return v;
}

QString TfKontaktIsikudKoond::ApplyFilter()
{
    return dataSet() ? ContactPersonFilter::Apply(*dataSet(), panelValues()) : QString();
}

bool TfKontaktIsikudKoond::currentPerson(int &clientCode, QString &clientName, QString &personName,
                                         int &personCode) const
{
    data::DataSet *ds = dataSet();
    if (!ds || !ds->isActive() || ds->isEmpty())
        return false;
    clientCode = static_cast<int>(ds->field(QStringLiteral("KLIKOOD")).asInt());
    clientName = ds->field(QStringLiteral("KLINIMI")).asString();
    personName = ds->field(QStringLiteral("KONTAKTISIKNIMI")).asString();
    personCode = static_cast<int>(ds->field(QStringLiteral("KLIKISIKKOOD")).asInt());
    return true;
}

void TfKontaktIsikudKoond::ShowClient()
{
    int client = 0, person = 0;
    QString clientName, personName;
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (main && currentPerson(client, clientName, personName, person) && client > 0)
        main->OpenClientCard(client, 0);
}

void TfKontaktIsikudKoond::RegisterContact()
{
    int client = 0, person = 0;
    QString clientName, personName;
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (!main || !currentPerson(client, clientName, personName, person) || client <= 0)
        return;
    const data::Session &s = context().data->session();
    main->RegisterContact(client, s.AgentCode, s.AgentName, personName, clientName, 0, person);
}

void TfKontaktIsikudKoond::PlanContact()
{
    int client = 0, person = 0;
    QString clientName, personName;
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (main && currentPerson(client, clientName, personName, person))
        main->PlanContact(client, clientName, nullptr, personName, person);
}

void TfKontaktIsikudKoond::SelectClient()
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
