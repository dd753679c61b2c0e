#include "TfKliendidList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QMenu>

#include "data/DataSet.h"
#include "data/FieldText.h"
#include "data/FilterBuilder.h"
#include "data/MainServices.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "reference/GridColumnOrder.h"
#include "ui/TDBGrid.h"
#include "ui/TDynFilterComboBox.h"
#include "ui/TDynFilterDBCombo.h"
#include "ui/TDynFilterEdit.h"
#include "ui/TEditBtn.h"
#include "ui/TdlgCalendar.h"

using clients::ClientFilter;
using clients::ClientFilterValues;

namespace {

// The grid's columns in the order the user knows, with their captions.
const std::pair<const char *, const char *> Columns[] = {
    {"KLIKOOD", "Kood"},
    {"KLINIMI", "Nimi"},
    {"KLIOMVORM", "OmV"},
    {"KLIKOODLAOS", "KoodLaos"},
    {"KLIAADRESS", "Aadress"},
    {"LINNVALDNIMI", "LinnVald"},
    {"KLIPOSTIINDEX", "PostiIndeks"},
    {"RIIGINIMI", "Riik"},
    {"KLITEL", "Telefon"},
    {"KLITEL2", "Telefon2"},
    {"KLIFAX", "Fax"},
    {"KLIEMAIL", "EMail"},
    {"KLIKOMMENT", "KliendiKomment"},
    {"KLISUHTETYYP", "SuhteTüüp"},
    {"KLILEPINGUNR", "LepinguNr"},
    {"KLIALE", "Soodustus"},
    {"KLIMAKSEAEG", "MakseAeg"},
    {"KLIBOONUS", "Boonus"},
    {"KLIKVALITEET", "Hinnang"},
    {"KLIPYSI", "Püsiklient"},
    {"KLILISAMKUUP", "KlientLisatud"},
    {"KLIENTAKTIIVNE", "KlientAktiivne"},
    {"TOOTAJATEARV", "TöötajateArv"},
    {"KLIREGNR", "RegistriNr"},
    {"KLIKAIVE", "Käive"},
    {"KLIMPAKKUMOK", "SoovibMassPakkumisi"},
    {"EMAFIRMAKOOD", "EmaFirmaKood"},
    {"KLIAADRESS2", "Aadress2"},
    {"LINNVALDNIMI2", "LinnVald2"},
    {"KLIPOSTIINDEX2", "PostiIndeks2"},
};
const char *const HiddenColumns[] = {"LINNVALDKOOD", "RIIKID", "LINNVALDKOOD2", "KLITELTRIM", "KLITEL2TRIM"};

// Code, name, legal form, address, place, postcode, country, the two telephones and the fax.
const QStringList PrintColumns = {"KLIKOOD",       "KLINIMI",   "KLIOMVORM", "KLIAADRESS", "LINNVALDNIMI",
                                  "KLIPOSTIINDEX", "RIIGINIMI", "KLITEL",    "KLITEL2",    "KLIFAX"};

const char *const PickedId = "pickedId";
const char *const PickedGroup = "pickedGroup";

QComboBox *operatorList(const QString &name, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(ClientFilter::Operators());
    c->setCurrentText(QStringLiteral(">="));
    return c;
}

TEditBtn *picker(const QString &name, QWidget *parent)
{
    auto *e = new TEditBtn(parent);
    e->setObjectName(name);
    // Clearing the text forgets the chosen record.
    QObject::connect(e, &QLineEdit::textChanged, e, [e](const QString &text) {
        if (text.isEmpty()) {
            e->setProperty(PickedId, 0);
            e->setProperty(PickedGroup, 0);
        }
    });
    return e;
}

TDynFilterComboBox *valueList(const QString &name, const QStringList &items, const QStringList &values, QWidget *parent)
{
    auto *c = new TDynFilterComboBox(parent);
    c->setObjectName(name);
    QStringList shown;
    for (const QString &i : items)
        shown << Translate(i);
    c->setItemsAndValues(shown, values);
    c->setCurrentIndex(-1);
    return c;
}

QString shownText(const TDynFilterComboBox *c)
{
    return c->currentIndex() >= 0 && !c->value().isEmpty() ? c->currentText() : QString();
}

} // namespace

TfKliendidList::TfKliendidList(const WindowContext &context, QWidget *parent)
    : TfDataListForm1(context, parent)
{
    setObjectName(QStringLiteral("fKliendidList"));
    setWindowTitle(Translate(QStringLiteral("Kliendid")));
    QWidget *panel = panFilter();
    m_agent = new TDynFilterDBCombo(panel);
    m_noAgent = new QCheckBox(Translate(QStringLiteral("Agent puudub")), panel);
    m_name = new TDynFilterEdit(panel);
    m_relation =
        valueList(QStringLiteral("dfcbSuhteTyyp"), {QString(), QStringLiteral("Klient"), QStringLiteral("Partner")},
                  {QString(), QStringLiteral("1"), QStringLiteral("11")}, panel);
    m_address = new TDynFilterEdit(panel);
    m_classifierGroup = new TDynFilterDBCombo(panel);
    m_classifier = picker(QStringLiteral("edbKlassif1Filter"), panel);
    m_regular = valueList(QStringLiteral("dfcbKliPysi"), {QStringLiteral("Jah"), QStringLiteral("Ei")},
                          {QStringLiteral("Y"), QStringLiteral("N")}, panel);
    m_rating =
        valueList(QStringLiteral("dfcbHinnang"),
                  {QStringLiteral("Puudub"), QStringLiteral("Hea"), QStringLiteral("Keskmine"), QStringLiteral("Halb")},
                  {QStringLiteral("NULL"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("-1")}, panel);
    m_active = valueList(QStringLiteral("dfcbKlientAktiivne"), {QStringLiteral("Jah"), QStringLiteral("Ei")},
                         {QStringLiteral("Y"), QStringLiteral("N")}, panel);
    m_active->setValue(QStringLiteral("Y"));
    m_place = picker(QStringLiteral("edbLinnValdFilter"), panel);
    m_employeesOp = operatorList(QStringLiteral("cbTootajateArvVordlus"), panel);
    m_employees = new TDynFilterEdit(panel);
    m_turnoverOp = operatorList(QStringLiteral("cbKaiveVordlus"), panel);
    m_turnover = new TDynFilterEdit(panel);
    m_productGroup = new TDynFilterDBCombo(panel);
    m_product = picker(QStringLiteral("edbTooteFilter"), panel);
    m_refinement = picker(QStringLiteral("edbTooteLisaFilter"), panel);
    m_dateOp = operatorList(QStringLiteral("cbKuupVordlusTehe"), panel);
    m_date = picker(QStringLiteral("edbKlientLisatudKpFilt"), panel);

    m_agent->setObjectName(QStringLiteral("dfdbcAgentKood"));
    m_noAgent->setObjectName(QStringLiteral("cbFilterAgentNull"));
    m_name->setObjectName(QStringLiteral("dfeKliNimi"));
    m_address->setObjectName(QStringLiteral("dfeKliAadress"));
    m_classifierGroup->setObjectName(QStringLiteral("dfdbcKlassif1Gr"));
    m_productGroup->setObjectName(QStringLiteral("dfdbcTooteGrFilter"));
    for (QComboBox *c : {static_cast<QComboBox *>(m_agent), static_cast<QComboBox *>(m_classifierGroup),
                         static_cast<QComboBox *>(m_productGroup)})
        c->setMinimumContentsLength(10);
    for (QLineEdit *e :
         std::initializer_list<QLineEdit *>{m_name, m_address, m_classifier, m_place, m_product, m_refinement})
        e->setMinimumWidth(100);
    for (QLineEdit *e : std::initializer_list<QLineEdit *>{m_employees, m_turnover, m_date})
        e->setMinimumWidth(70);
    for (QComboBox *c : {m_employeesOp, m_turnoverOp, m_dateOp})
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    // Four rows of criteria beside the filter switch.
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    filterLayout()->insertLayout(filterLayout()->count() - 1, grid, 1);
    auto add = [this, grid](std::initializer_list<QWidget *> controls, int row, int column, const char *label,
                            int span = 1) {
        addFilterControls(controls, grid, row, column, Translate(QString::fromUtf8(label)), span);
    };
    add({m_agent, m_noAgent}, 0, 0, "Agent:");
    add({m_name}, 0, 2, "Kliendi nimi:");
    add({m_relation}, 0, 4, "Suhte tüüp:");
    add({m_address}, 1, 0, "Aadress:");
    add({m_classifierGroup, m_classifier}, 1, 2, "Liigitus:");
    add({m_regular}, 1, 4, "Püsiklient:");
    add({m_rating}, 2, 0, "Hinnang:");
    add({m_active}, 2, 2, "Aktiivne:");
    add({m_place}, 2, 4, "Linn-vald:");
    add({m_employeesOp, m_employees}, 3, 0, "Töötajate_arv:");
    add({m_turnoverOp, m_turnover}, 3, 2, "Käive:");
    add({m_dateOp, m_date}, 3, 4, "Salvest.kp:");
    add({m_productGroup, m_product, m_refinement}, 4, 0, "Toode:", 3);

    data::TData1 *module = context.data;
    if (module) {
        m_agent->setList(module->dataSet(QStringLiteral("taAgendidL")), QStringLiteral("AGENTKOOD"),
                         QStringLiteral("AGKOGUNIMI"));
        m_classifierGroup->setList(module->dataSet(QStringLiteral("taKlassif1GrL")), QStringLiteral("KL1GRID"),
                                   QStringLiteral("KL1GRNIMI"));
        m_productGroup->setList(module->dataSet(QStringLiteral("taTooteGrupidL")), QStringLiteral("TOOTEGRID"),
                                QStringLiteral("TOOTEGRNIMI"));
    }

    // Coupled controls.
    connect(m_noAgent, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_agent->clearValue();
    });
    connect(m_classifierGroup, &TDynFilterDBCombo::OnFilterChange, this, [this] {
        if (m_classifier->property(PickedGroup).toString() != m_classifierGroup->keyValue())
            m_classifier->clear();
    });
    connect(m_productGroup, &TDynFilterDBCombo::OnFilterChange, this, [this] {
        for (TEditBtn *p : {m_product, m_refinement})
            if (p->property(PickedGroup).toString() != m_productGroup->keyValue())
                p->clear();
    });
    connect(m_classifier, &TEditBtn::OnBtnClick, this, [this] { runCommand([this] { pickClassifier(); }); });
    connect(m_product, &TEditBtn::OnBtnClick, this, [this] {
        runCommand([this] {
            pickProduct(m_product, QStringLiteral("taTootedL"), QStringLiteral("TOOTEID"), QStringLiteral("TOOTENIMI"),
                        Translate(QStringLiteral("Tooted")), m_refinement);
        });
    });
    connect(m_refinement, &TEditBtn::OnBtnClick, this, [this] {
        runCommand([this] {
            pickProduct(m_refinement, QStringLiteral("taTooteLisaL"), QStringLiteral("TOOTELISAID"),
                        QStringLiteral("TOOTELISANIMI"), Translate(QStringLiteral("Toote täpsustused")), m_product);
        });
    });
    connect(m_place, &TEditBtn::OnBtnClick, this, [this] { runCommand([this] { pickPlace(); }); });
    connect(m_date, &TEditBtn::OnBtnClick, this, [this] { runCommand([this] { pickDate(); }); });

    // The commands, before the framework's own in the window menu.
    addOwnCommand("Avaklient1", "Ava klient", "Alt+E", "bAvaKlient", [this] { OpenClient(); });
    addOwnCommand("Uusklient1", "Uus klient", "Alt+U", "bNewClient", [this] { NewClient(); });
    addOwnCommand("Kontaktkirja1", "Kontakt kirja", "Alt+A", "bTeeKontakt", [this] { RegisterContact(); });
    addOwnCommand("Planeerikontakt1", "Planeeri kontakt", "Alt+L", "bPlaneeriKontakt", [this] { PlanContact(); });
    addOwnCommand("Nimekirjav1", "Klientide nimekirja väljatrükk", "Alt+P", "bPrintNimekiri", [this] { PrintList(); });

    TDBGrid *g = DBGrid1();
    g->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(g, &QAbstractItemView::doubleClicked, this, [this] { runCommand([this] { OpenClient(); }); });

    data::DataSet *clientsSet = module ? module->taKliendid() : nullptr;
    if (!clientsSet)
        return;
    for (const auto &[field, caption] : Columns)
        clientsSet->defineField(QString::fromLatin1(field)).setDisplayLabel(Translate(QString::fromUtf8(caption)));
    for (const char *field : HiddenColumns)
        clientsSet->defineField(QString::fromLatin1(field)).setVisible(false);
    setPrintColumns(PrintColumns);
    QStringList order;
    for (const auto &[field, caption] : Columns)
        order << QString::fromLatin1(field);
    // The panel's filter goes on before the list is read, so that a register of a million clients is
    // not read twice on the way.
    restorePanel(*clientsSet);
    setDataSet(clientsSet);
    SetGridColumnOrder(g, order);
    resize(1000, 560);
}

void TfKliendidList::restorePanel(data::DataSet &clientsSet)
{
    const ClientFilterValues v = ClientFilter::Restore(data::FilterFor(clientsSet));
    m_noAgent->setChecked(v.noAgent);
    if (!v.noAgent)
        m_agent->setKeyValue(v.agentCode);
    m_name->setText(v.name);
    m_relation->setValue(v.relationType);
    m_address->setText(v.address);
    m_classifierGroup->setKeyValue(v.classifierGroupId);
    setPicked(m_classifier, v.classifierId.toInt(), v.classifierName);
    m_classifier->setProperty(PickedGroup, v.classifierGroupId);
    m_regular->setValue(v.regular);
    m_rating->setValue(v.rating);
    m_active->setValue(v.active);
    if (v.active.isEmpty())
        m_active->setCurrentIndex(-1);
    setPicked(m_place, v.placeId.toInt(), v.placeText);
    m_employeesOp->setCurrentText(v.employeesOperator);
    m_employees->setText(v.employees);
    m_turnoverOp->setCurrentText(v.turnoverOperator);
    m_turnover->setText(v.turnover);
    m_productGroup->setKeyValue(v.productGroupId);
    setPicked(m_product, v.productId.toInt(), v.productName);
    setPicked(m_refinement, v.refinementId.toInt(), v.refinementName);
    for (TEditBtn *p : {m_product, m_refinement})
        p->setProperty(PickedGroup, v.productGroupId);
    m_dateOp->setCurrentText(v.dateOperator);
    m_date->setText(v.dateAdded);
    runCommand([this, &clientsSet] { ClientFilter::Apply(clientsSet, panelValues()); });
}

int TfKliendidList::pickedId(const TEditBtn *picker)
{
    return picker->text().isEmpty() ? 0 : picker->property(PickedId).toInt();
}

void TfKliendidList::setPicked(TEditBtn *picker, int id, const QString &text)
{
    picker->setText(id > 0 ? text : QString());
    picker->setProperty(PickedId, id > 0 ? id : 0);
}

ClientFilterValues TfKliendidList::panelValues() const
{
    auto id = [](const TEditBtn *p) {
        const int i = pickedId(p);
        return i > 0 ? QString::number(i) : QString();
    };
    ClientFilterValues v;
    v.agentCode = m_agent->keyValue();
    v.agentName = v.agentCode.isEmpty() ? QString() : m_agent->currentText();
    v.noAgent = m_noAgent->isChecked();
    v.name = m_name->text();
    v.relationType = m_relation->value();
    v.relationText = shownText(m_relation);
    v.address = m_address->text();
    v.classifierGroupId = m_classifierGroup->keyValue();
    v.classifierGroupName = v.classifierGroupId.isEmpty() ? QString() : m_classifierGroup->currentText();
    v.classifierId = id(m_classifier);
    v.classifierName = m_classifier->text();
    v.regular = m_regular->value();
    v.regularText = shownText(m_regular);
    v.rating = m_rating->value();
    v.ratingText = shownText(m_rating);
    v.active = m_active->value();
    v.activeText = shownText(m_active);
    v.placeId = id(m_place);
    v.placeText = m_place->text();
    v.employeesOperator = m_employeesOp->currentText();
    v.employees = m_employees->text();
    v.turnoverOperator = m_turnoverOp->currentText();
    v.turnover = m_turnover->text();
    v.productGroupId = m_productGroup->keyValue();
    v.productGroupName = v.productGroupId.isEmpty() ? QString() : m_productGroup->currentText();
    v.productId = id(m_product);
    v.productName = m_product->text();
    v.refinementId = id(m_refinement);
    v.refinementName = m_refinement->text();
    v.dateOperator = m_dateOp->currentText();
    v.dateAdded = m_date->text();
    return v;
}

clients::ClientFilterResult TfKliendidList::BuildClientFilter()
{
    if (!dataSet())
        return {};
    return ClientFilter::Apply(*dataSet(), panelValues());
}

QString TfKliendidList::ApplyFilter()
{
    return BuildClientFilter().where;
}

QString TfKliendidList::FilterDescription()
{
    return ClientFilter::Description(panelValues());
}

bool TfKliendidList::currentClient(int &code, QString &name) const
{
    data::DataSet *ds = dataSet();
    if (!ds || !ds->isActive() || ds->isEmpty())
        return false;
    code = static_cast<int>(ds->field(QStringLiteral("KLIKOOD")).asInt());
    name = ds->field(QStringLiteral("KLINIMI")).asString();
    return true;
}

void TfKliendidList::OpenClient()
{
    int code = 0;
    QString name;
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (main && currentClient(code, name))
        main->OpenClientCard(code, 0);
}

void TfKliendidList::NewClient()
{
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (!main)
        return;
    data::WaitCursor wait(ui());
    main->NewClientCard();
}

void TfKliendidList::RegisterContact()
{
    int code = 0;
    QString name;
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (!main || !currentClient(code, name))
        return;
    const data::Session &s = context().data->session();
    main->RegisterContact(code, s.AgentCode, s.AgentName, QString(), name, 0, 0);
}

void TfKliendidList::PlanContact()
{
    int code = 0;
    QString name;
    data::MainServices *main = context().data ? context().data->mainServices() : nullptr;
    if (main && currentClient(code, name))
        main->PlanContact(code, name, nullptr, QString(), 0);
}

bool TfKliendidList::pick(TEditBtn *picker, const QString &listName, const QString &keyField, const QString &nameField,
                          const QString &caption, const QString &groupCondition)
{
    data::DataSet *list = context().data ? context().data->dataSet(listName) : nullptr;
    if (!list || !ui())
        return false;
    if (!list->isActive())
        list->open();
    data::RecordChoice choice;
    choice.caption = caption;
    choice.dataSet = list;
    choice.keyField = keyField;
    const int current = pickedId(picker);
    choice.currentKey = current > 0 ? QString::number(current) : QString();
    choice.filterMode = !groupCondition.isEmpty();
    choice.baseCondition = groupCondition;
    QString key;
    const bool chosen = ui()->selectRecord(choice, key);
    if (chosen && list->locate(keyField, key.toInt()))
        setPicked(picker, key.toInt(), list->field(nameField).asString());
    // The look-up list is shared: it shows every row again for the next one who opens it.
    if (choice.filterMode)
        data::ApplyWhere(*list, QString());
    return chosen;
}

void TfKliendidList::pickClassifier()
{
    const QString group = ClientFilter::KeyText(m_classifierGroup->keyValue());
    if (pick(m_classifier, QStringLiteral("taKlassif1L"), QStringLiteral("KL1ID"), QStringLiteral("KL1NIMI"),
             Translate(QStringLiteral("Klassifikaatorid")),
             group.isEmpty() ? QString() : QStringLiteral("KL1GRID=") + group)) {
        const QString chosenGroup =
            context().data->dataSet(QStringLiteral("taKlassif1L"))->field(QStringLiteral("KL1GRID")).asString();
        m_classifier->setProperty(PickedGroup, chosenGroup);
        if (chosenGroup != m_classifierGroup->keyValue())
            m_classifierGroup->setKeyValue(chosenGroup);
    }
}

void TfKliendidList::pickProduct(TEditBtn *picker, const QString &listName, const QString &keyField,
                                 const QString &nameField, const QString &caption, TEditBtn *other)
{
    const QString group = ClientFilter::KeyText(m_productGroup->keyValue());
    if (!pick(picker, listName, keyField, nameField, caption,
              group.isEmpty() ? QString() : QStringLiteral("TOOTEGRID=") + group))
        return;
    const QString chosenGroup = context().data->dataSet(listName)->field(QStringLiteral("TOOTEGRID")).asString();
    picker->setProperty(PickedGroup, chosenGroup);
    if (chosenGroup != m_productGroup->keyValue()) {
        m_productGroup->setKeyValue(chosenGroup);
        other->clear();
    }
}

void TfKliendidList::pickPlace()
{
    if (!pick(m_place, QStringLiteral("taLinnadValladL"), QStringLiteral("LINNVALDKOOD"),
              QStringLiteral("LINNVALDNIMI"), Translate(QStringLiteral("Linnad-vallad")), QString()))
        return;
    data::DataSet *places = context().data->dataSet(QStringLiteral("taLinnadValladL"));
    data::SqlStatement q(context().data->IBTransaction1());
    q.setSql(QStringLiteral("select RIIGINIMI from RIIK where RIIKID = :RIIKID"));
    q.setParam(QStringLiteral("RIIKID"), places->field(QStringLiteral("RIIKID")).value());
    const QString country = q.scalar().toString();
    if (!country.isEmpty())
        setPicked(m_place, pickedId(m_place), m_place->text() + QStringLiteral(", ") + country);
}

void TfKliendidList::pickDate()
{
    QDate date = data::FieldText::parseDate(m_date->text());
    if (!date.isValid())
        date = QDate::currentDate();
    data::TData1 *module = context().data;
    if (TdlgCalendar::Run(this, module ? module->KalenderText : Translate(QStringLiteral("Kalender")), date,
                          [module](const QDate &d) { return module && module->IsHoliday(d); }))
        m_date->setText(date.toString(data::FieldText::dateFormat()));
}
