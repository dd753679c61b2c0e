#include "TfKontaktidKoond.h"

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

using contacts::ContactFilter;
using contacts::ContactFilterValues;
using contacts::ContactListCommands;

namespace {

const std::pair<const char *, const char *> Columns[] = {
    {"KONTAKTID", "ID"},
    {"AGENTNIMI", "Agent"},
    {"KLIKOOD", "KliKood"},
    {"KLIENDINIMI", "KliendiNimi"},
    {"KONTAKTKUUP", "Kuupäev"},
    {"KONTAKTKELL", "Kell"},
    {"KONTAKTKUUPKUNI", "Kuupäev_kuni"},
    {"KONTAKTKELLKUNI", "Kuni"},
    {"KONTAKTLIIKNIMI", "KontaktiLiik"},
    {"KONTAKTTOIMUS", "KontaktToimus"},
    {"KONTAKTTEEMA", "Teema"},
    {"KONTAKTKOMMENT", "Kommentaarid"},
    {"KONTAKTIDGRUPP", "PakkumiseID"},
    {"KONTAKTISIKNIMI", "KontaktIsik"},
    {"PROJNIMI", "Projekt"},
    {"REGAGENTNIMI", "Registreerija"},
    {"KONTAKTYHIKUID", "PlaanÜhikuid"},
    {"TOOTEGRNIMI", "TooteGrupp"},
    {"TOOTENIMI", "Toode"},
};
// The codes behind the names; the client's name shows with its legal form in "KliendiNimi".
const char *const HiddenColumns[] = {"AGENTKOOD", "KONTAKTLIIK", "KLIKISIKKOOD", "PROJID",   "REGAGENTKOOD",
                                     "TOOTEGRID", "TOOTEID",     "KLINIMI",      "KLIOMVORM"};

TDynFilterDBCombo *lookUp(const char *name, QWidget *parent)
{
    auto *c = new TDynFilterDBCombo(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setMinimumContentsLength(12);
    return c;
}

QToolButton *dots(const char *name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QStringLiteral("..."));
    return b;
}

} // namespace

TfKontaktidKoond::TfKontaktidKoond(const WindowContext &context, QWidget *parent)
    : TfDataListForm1(context, parent)
{
    setObjectName(QStringLiteral("fKontaktidKoond"));
    setWindowTitle(Translate(QStringLiteral("Toimunud kontaktid")));
    data::TData1 *module = context.data;
    QWidget *panel = panFilter();
    m_agent = lookUp("dfdbcAgentKood", panel);
    m_client = lookUp("dfdbcKliKood", panel);
    m_selectClient = dots("bSelClient", panel);
    m_person = lookUp("dfdbcKliKIsikKood", panel);
    m_selectPerson = dots("bSelKontaktIsik", panel);
    m_type = lookUp("dfdbcKontaktLiik", panel);
    m_project = lookUp("dfdbcProjekt", panel);
    m_regAgent = lookUp("dfdbcRegAgentKood", panel);
    m_performed = new TDynFilterComboBox(panel);
    m_performed->setObjectName(QStringLiteral("dbcbKontaktToimus"));
    m_performed->setItemsAndValues({Translate(QStringLiteral("Jah")), Translate(QStringLiteral("Ei"))},
                                   {QStringLiteral("Y"), QStringLiteral("N")});
    m_performed->setCurrentIndex(-1);
    m_from = DateFilterEdit::create(QStringLiteral("dfeKontaktKuupA"), panel, module);
    m_to = DateFilterEdit::create(QStringLiteral("dfeKontaktKuupL"), panel, module);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    filterLayout()->insertLayout(filterLayout()->count() - 1, grid, 1);
    auto *dash = new QLabel(QStringLiteral("-"), panel);
    addFilterControls({m_agent}, grid, 0, 0, Translate(QStringLiteral("Agent:")));
    addFilterControls({m_client, m_selectClient}, grid, 0, 2, Translate(QStringLiteral("Klient:")));
    addFilterControls({m_person, m_selectPerson}, grid, 0, 4, Translate(QStringLiteral("Kontaktisik:")));
    addFilterControls({m_type}, grid, 0, 6, Translate(QStringLiteral("Kontaktiliik:")));
    addFilterControls({m_project}, grid, 1, 0, Translate(QStringLiteral("Projekt:")));
    addFilterControls({m_regAgent}, grid, 1, 2, Translate(QStringLiteral("Registreerija:")));
    addFilterControls({m_performed}, grid, 1, 4, Translate(QStringLiteral("Kontakt toimus:")));
    addFilterControls({m_from, dash, m_to}, grid, 1, 6, Translate(QStringLiteral("Kuupäev:")));
    dash->removeEventFilter(this);
    dash->setContextMenuPolicy(Qt::DefaultContextMenu);

    // This list looks back: the date-range menu offers the past periods too.
    popKuupValik()->addSeparator();
    addDateRangeItem(QStringLiteral("Eile1"), Translate(QStringLiteral("Eile")), -1);
    addDateRangeItem(QStringLiteral("Eelminendal1"), Translate(QStringLiteral("Eelmine nädal")), -7);
    addDateRangeItem(QStringLiteral("Eelminekuu1"), Translate(QStringLiteral("Eelmine kuu")), -31);
    addDateRangeItem(QStringLiteral("Eelmineaasta1"), Translate(QStringLiteral("Eelmine aasta")), -356);

    addOwnCommand("Avakontakt1", "Ava kontakt", "Alt+A", "bAvaKontakt", [this] { OpenContact(); });
    addOwnCommand("Naitaklienti1", "Näita klienti", "Alt+E", "bShowClient", [this] { ShowClient(); });
    connect(DBGrid1(), &QAbstractItemView::doubleClicked, this, [this] { runCommand([this] { OpenContact(); }); });
    connect(m_selectClient, &QToolButton::clicked, this, [this] {
        runCommand([this] {
            select(m_client, QStringLiteral("taKliendidL"), QStringLiteral("KLIKOOD"),
                   Translate(QStringLiteral("Kliendi valik")));
        });
    });
    connect(m_selectPerson, &QToolButton::clicked, this, [this] {
        runCommand([this] {
            select(m_person, QStringLiteral("taKliKontaktIsikudL"), QStringLiteral("KLIKISIKKOOD"),
                   Translate(QStringLiteral("Kontaktisiku valik")));
        });
    });

    data::DataSet *contactsSet = module ? module->taKontaktid() : nullptr;
    if (!contactsSet)
        return;
    m_agent->setList(module->dataSet(QStringLiteral("taAgendidL")), QStringLiteral("AGENTKOOD"),
                     QStringLiteral("AGKOGUNIMI"));
    m_client->setList(module->dataSet(QStringLiteral("taKliendidL")), QStringLiteral("KLIKOOD"),
                      QStringLiteral("KLINIMI"));
    m_person->setList(module->dataSet(QStringLiteral("taKliKontaktIsikudL")), QStringLiteral("KLIKISIKKOOD"),
                      QStringLiteral("KONTAKTISIKNIMI"));
    m_type->setList(module->dataSet(QStringLiteral("taKontaktiLiigidL")), QStringLiteral("KONTAKTLIIKKOOD"),
                    QStringLiteral("KONTAKTLIIKNIMI"));
    m_project->setList(module->dataSet(QStringLiteral("taProjektidL")), QStringLiteral("PROJID"),
                       QStringLiteral("PROJNIMI"));
    m_regAgent->setList(module->dataSet(QStringLiteral("taAgendidL")), QStringLiteral("AGENTKOOD"),
                        QStringLiteral("AGKOGUNIMI"));

    for (const auto &[field, caption] : Columns)
        contactsSet->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromUtf8(caption)));
    for (const char *field : HiddenColumns)
        contactsSet->defineField(QString::fromLatin1(field)).setVisible(false);
    // Fields the program computes have no column size: as wide as a client's name or address.
    contactsSet->defineField(QStringLiteral("KLIENDINIMI")).setDisplayWidth(30);
    QStringList order;
    for (const auto &[field, caption] : Columns)
        order << QString::fromLatin1(field);
    // Filtered before it is read: a million contacts are not read on the way to the agent's own.
    restorePanel(*contactsSet);
    setDataSet(contactsSet);
    SetGridColumnOrder(DBGrid1(), order);
    resize(1000, 520);
}

void TfKontaktidKoond::restorePanel(data::DataSet &contactsSet)
{
    const ContactFilterValues v = ContactFilter::Restore(data::FilterFor(contactsSet));
    m_agent->setKeyValue(v.agentCode);
    m_client->setKeyValue(v.clientCode);
    m_person->setKeyValue(v.personCode);
    m_type->setKeyValue(v.typeCode);
    m_project->setKeyValue(v.projectId);
    m_regAgent->setKeyValue(v.regAgentCode);
    m_performed->setValue(v.performed);
    m_from->setText(v.dateFrom);
    m_to->setText(v.dateTo);
    runCommand([this] { ApplyFilter(); });
}

ContactFilterValues TfKontaktidKoond::panelValues() const
{
    ContactFilterValues v;
    m_agent->chosen(v.agentCode, v.agentName);
    m_client->chosen(v.clientCode, v.clientName);
    m_person->chosen(v.personCode, v.personName);
    m_type->chosen(v.typeCode, v.typeName);
    m_project->chosen(v.projectId, v.projectName);
    m_regAgent->chosen(v.regAgentCode, v.regAgentName);
    v.performed = m_performed->value();
    v.dateFrom = m_from->text();
    v.dateTo = m_to->text();
    return v;
}

QString TfKontaktidKoond::ApplyFilter()
{
    return dataSet() ? ContactFilter::Apply(*dataSet(), panelValues()).where : QString();
}

void TfKontaktidKoond::SetDateRange(const QDate &from, const QDate &to)
{
    DateFilterEdit::setDate(m_from, from);
    DateFilterEdit::setDate(m_to, to);
}

void TfKontaktidKoond::OpenContact()
{
    if (dataSet() && context().data)
        ContactListCommands::OpenContact(*context().data, *dataSet(), ui());
}

void TfKontaktidKoond::ShowClient()
{
    if (dataSet() && context().data)
        ContactListCommands::ShowClient(*context().data, *dataSet());
}

void TfKontaktidKoond::select(TDynFilterDBCombo *combo, const QString &listName, const QString &keyField,
                              const QString &caption)
{
    data::DataSet *list = context().data ? context().data->dataSet(listName) : nullptr;
    if (!list || !ui())
        return;
    data::RecordChoice choice;
    choice.caption = caption;
    choice.dataSet = list;
    choice.keyField = keyField;
    choice.currentKey = combo->keyValue();
    QString key;
    if (ui()->selectRecord(choice, key))
        combo->setKeyValue(key);
}
