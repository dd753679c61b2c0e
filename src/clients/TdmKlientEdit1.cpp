#include "TdmKlientEdit1.h"

#include <cstring>

#include <QFileInfo>
#include <QUrl>

#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSetRules.h"
#include "data/DataSource.h"
#include "data/FieldTextRules.h"
#include "data/FilterBuilder.h"
#include "data/MainServices.h"
#include "data/ProgramParameters.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"

using data::DataSet;
using data::Field;

namespace {

int s_instances = 0;

const QString Kliendid = QStringLiteral("Kliendid");

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || !a.isValid() || b.isNull() || !b.isValid())
        return (a.isNull() || !a.isValid()) == (b.isNull() || !b.isValid());
    return a.toString() == b.toString();
}

// Windows forms of a name: a drive letter with its colon, or a network name.
bool isWindowsFull(const QString &name)
{
    return (name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter()) ||
           name.startsWith(QStringLiteral("\\\\"));
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

} // namespace

TdmKlientEdit1::TdmKlientEdit1(data::TData1 &data, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_prefix(QStringLiteral("dmKlientEdit%1.").arg(++s_instances))
{
    DocumentTypes = {QStringLiteral("file"), QStringLiteral("web")};
    setUpClient();
    setUpDetails();
}

TdmKlientEdit1::~TdmKlientEdit1()
{
    // Details go before their master and its source.
    m_sources.clear();
    for (auto *ds : {&m_persons, &m_plans, &m_contacts, &m_products, &m_classifiers, &m_documents, &m_sales, &m_agents})
        ds->reset();
    m_dsKlient.reset();
    m_taKlient.reset();
}

std::function<void(TdmKlientEdit1 &)> &TdmKlientEdit1::CardReport()
{
    static std::function<void(TdmKlientEdit1 &)> report;
    return report;
}

TdmKlientEdit1 *TdmKlientEdit1::Acquire(data::TData1 &data, QObject *card)
{
    TdmKlientEdit1 *module = nullptr;
    for (const auto &m : data.ClientCardModules()) {
        auto *candidate = qobject_cast<TdmKlientEdit1 *>(m.get());
        if (candidate && !candidate->m_card) {
            module = candidate;
            module->m_freshForCard = false;
            break;
        }
    }
    if (!module) {
        data.ClientCardModules().push_back(std::make_unique<TdmKlientEdit1>(data));
        module = static_cast<TdmKlientEdit1 *>(data.ClientCardModules().back().get());
        module->m_freshForCard = true;
    }
    module->m_card = card;
    module->m_pageOpened.fill(false);
    module->m_new = false;
    module->m_clientCode = 0;
    module->m_classifierGroup = 0;
    module->applyFilters();
    return module;
}

void TdmKlientEdit1::Release(bool discard)
{
    closePages();
    m_taKlient->close();
    m_card = nullptr;
    if (!discard || !m_freshForCard)
        return;
    auto &pool = m_data.ClientCardModules();
    for (auto it = pool.begin(); it != pool.end(); ++it) {
        if (it->get() == this) {
            pool.erase(it); // this module is gone now
            return;
        }
    }
}

void TdmKlientEdit1::closePages()
{
    for (DataSet *ds : {m_persons.get(), m_plans.get(), m_contacts.get(), m_products.get(), m_classifiers.get(),
                        m_documents.get(), m_sales.get(), m_agents.get()}) {
        if (ds->isEditing())
            ds->cancel();
        ds->close();
    }
}

std::unique_ptr<DataSet> TdmKlientEdit1::makeDataSet(const QString &name, const QString &select)
{
    // The registry of filters goes by name: each module's datasets have names of their own, so that
    // one card's page filters never reach another card or the main module's lists.
    auto ds = std::make_unique<DataSet>(m_data.IBTransaction1(), m_prefix + name);
    ds->setSelectSql(select);
    data::AttachTextRulesByType(*ds);
    if (m_dsKlient)
        m_sources.push_back(std::make_unique<data::DataSource>(ds.get()));
    return ds;
}

data::DataSource *TdmKlientEdit1::source(const DataSet *dataSet) const
{
    if (dataSet == m_taKlient.get())
        return m_dsKlient.get();
    for (const auto &s : m_sources)
        if (s->dataSet() == dataSet)
            return s.get();
    return nullptr;
}

DataSet *TdmKlientEdit1::pageDataSet(int page) const
{
    switch (page) {
    case Main:
        return m_persons.get();
    case Plans:
        return m_plans.get();
    case Contacts:
        return m_contacts.get();
    case Products:
        return m_products.get();
    case Classifiers:
        return m_classifiers.get();
    case Documents:
        return m_documents.get();
    case Sales:
        return m_sales.get();
    case Agents:
        return m_agents.get();
    default:
        return nullptr;
    }
}

void TdmKlientEdit1::refuse(const QString &message, const QString &caption)
{
    if (m_data.ui())
        m_data.ui()->showMessage(message, caption);
    throw data::Abort();
}

void TdmKlientEdit1::setUpClient()
{
    const QString select = QStringLiteral("select K1.*, K2.KLINIMI AS EMAFIRMANIMI\n"
                                          "from KLIENTK K1 left join KLIENTK K2\n"
                                          "on K2.KLIKOOD = K1.EMAFIRMAKOOD\n"
                                          "where K1.KLIKOOD=:KLIKOOD");
    m_taKlient = makeDataSet(QStringLiteral("taKlient"), select);
    m_dsKlient = std::make_unique<data::DataSource>(m_taKlient.get());
    DataSet &client = *m_taKlient;
    data::TData1::MakeEditable(client, QStringLiteral("KLIENTK"), data::TData1::ClientColumns(),
                               {QStringLiteral("KLIKOOD")}, QStringLiteral("KLIENTK_KLIKOOD_GEN"));
    // The mother company's name comes with the row after every save as well.
    client.setRefreshSql(
        QString(select).replace(QStringLiteral("K1.KLIKOOD=:KLIKOOD"), QStringLiteral("K1.KLIKOOD = :KLIKOOD")));
    client.defineField(QStringLiteral("EMAFIRMANIMI"), fb::FieldKind::Text, Field::Kind::Computed);
    m_data.AttachClientRules(client);
    // Renaming needs level 2 and a new code level 3.
    client.defineField(QStringLiteral("KLIKOOD")).setTag(3);
    client.field(QStringLiteral("KLIKOOD")).setDisplayLabel(QStringLiteral("Kood"));
    client.field(QStringLiteral("KLINIMI")).setTag(2);
    m_data.AttachColumnRights(client);
    client.defineField(QStringLiteral("KLIALE")).setDisplayFormat(QStringLiteral("######0.00 '%'"));
    client.defineField(QStringLiteral("KLIKAIVE")).setDisplayFormat(QStringLiteral("### ### ### ###"));

    // Another country: the places of the old one no longer fit.
    client.defineField(QStringLiteral("RIIKID")).onValidate = [](Field &f, const QVariant &value) {
        if (sameValue(f.value(), value))
            return;
        DataSet &d = f.dataSet();
        for (const char *name : {"LINNVALDKOOD", "LINNVALDNIMI", "LINNVALDKOOD2", "LINNVALDNIMI2"})
            if (Field *place = d.findField(QString::fromLatin1(name)); place && !place->isNull())
                place->setValue(QVariant());
    };
    client.beforeDelete.push_back([this](DataSet &) {
        data::UserInterface *ui = m_data.ui();
        if (!ui || ui->ask(Translate(QStringLiteral("Kustutame aktiivse kliendi ?")), Translate(Kliendid),
                           data::UserInterface::Buttons::YesNo) != data::UserInterface::Answer::Yes)
            throw data::Abort();
    });
    client.beforePost.push_back([this](DataSet &d) { m_wasInserting = d.state() == DataSet::State::Insert; });
    client.afterPost.push_back([this](DataSet &) { clientSaved(); });
    client.afterCancel.push_back([this](DataSet &d) {
        if (m_new && d.isEmpty())
            emit closeRequested();
    });
}

void TdmKlientEdit1::clientSaved()
{
    DataSet &client = *m_taKlient;
    m_clientCode = static_cast<int>(client.field(QStringLiteral("KLIKOOD")).asInt());
    if (m_wasInserting) {
        m_new = false;
        // The new client's agent row was written with it.
        if (m_agents->isActive())
            m_agents->reopen();
    }
    m_wasInserting = false;
    emit captionChanged();
}

void TdmKlientEdit1::setUpDetails()
{
    auto lookups = [this](DataSet &ds, const QStringList &names) {
        data::AttachTextRule(
            ds, names, [module = &m_data](Field &f, const QString &text) { module->OnKoodNimiPaarSetText(f, text); });
    };
    auto detail = [this](DataSet &ds) {
        ds.setMasterSource(m_dsKlient.get());
        m_data.AttachClientDetailRules(ds);
        data::CommitAfterChanges(ds);
    };

    // Page 0: contact persons, new ones at the end.
    m_persons = makeDataSet(QStringLiteral("taKliKontaktIsikud"),
                            QStringLiteral("select * from KLIKISIK where KLIKOOD = :KLIKOOD\norder by KLIKISIKKOOD\n"));
    data::TData1::MakeEditable(*m_persons, QStringLiteral("KLIKISIK"),
                               {"KLIKISIKKOOD", "KLIKOOD", "KONTAKTISIKNIMI", "KONTAKTISIKTEL", "KONTAKTISIKTEL2",
                                "KONTAKTISIKFAX", "KONTAKTISIKEMAIL", "KONTAKTISIKKOMMENT", "AMETID",
                                "KONTAKTISIKAKTIIVNE", "KISIKTELTRIM", "KISIKTEL2TRIM", "KISIKUKOOD", "KISIKPAKKUMOK"},
                               {QStringLiteral("KLIKISIKKOOD")}, QStringLiteral("KLIKISIK_KLIKISIKKOOD_GEN"));
    m_persons->setMasterSource(m_dsKlient.get());
    m_data.AttachContactPersonRules(*m_persons);

    // Pages 1 and 2: planned and past contacts, read only.
    m_plans = makeDataSet(QStringLiteral("taKliJargmKontaktid"),
                          QStringLiteral("select * from KLIJKONT where KLIKOOD = :KLIKOOD\n"
                                         "order by KLIKOOD, JKONTAKTKUUP, JKONTAKTKELL\n"));
    m_plans->setMasterSource(m_dsKlient.get());
    m_contacts = makeDataSet(QStringLiteral("taKontaktidKliendil"),
                             QStringLiteral("select * from KONTAKT where KLIKOOD = :KLIKOOD\n"
                                            "ORDER BY KONTAKTKUUP DESC, KONTAKTKELL DESC\n"));
    m_contacts->setMasterSource(m_dsKlient.get());

    // Page 3: products in use.
    m_products = makeDataSet(QStringLiteral("taTootedKliendil"),
                             QStringLiteral("select * from KLITOODE where KliKood = :KLIKOOD\n"
                                            "order by KLITOODEID, KLITOODEALATESKUUP, KLITOODEKUNIKUUP\n"));
    data::TData1::MakeEditable(*m_products, QStringLiteral("KLITOODE"),
                               {"KLITOODEID", "KLIKOOD", "TOOTEGRID", "TOOTEID", "TOOTELISAID", "KLITOODEALATESKUUP",
                                "KLITOODEKUNIKUUP", "KLITOODEKOGUS", "KLITOODEKOMMENT", "TOOTEUUDISEDOK"},
                               {QStringLiteral("KLITOODEID")}, QStringLiteral("KLITOODE_KLITOODEID_GEN"));
    m_products->defineField(QStringLiteral("KLITOODEKOGUS")).setDefaultValue(1);
    m_products->defineField(QStringLiteral("TOOTEUUDISEDOK")).setDefaultValue(QStringLiteral("Y"));
    m_products->defineField(QStringLiteral("TOOTEGRID")).setRequired(true);
    m_products->defineField(QStringLiteral("TOOTEID")).setRequired(true);
    // A product and its refinement belong to their group: another group drops them.
    m_products->field(QStringLiteral("TOOTEGRID")).onValidate = [](Field &f, const QVariant &value) {
        if (sameValue(f.value(), value))
            return;
        DataSet &d = f.dataSet();
        for (const char *name : {"TOOTEID", "TOOTENIMI", "TOOTELISAID", "TOOTELISANIMI"})
            if (Field *other = d.findField(QString::fromLatin1(name)); other && !other->isNull())
                other->setValue(QVariant());
    };
    lookups(*m_products, {"TOOTEGRNIMI", "TOOTENIMI", "TOOTEID", "TOOTELISANIMI"});
    detail(*m_products);

    // Page 4: classifiers.
    const QString classifierColumns = QStringLiteral(
        "select KL1KLI.*, (select g.KL1GRNIMI from KL1GR g where g.KL1GRID = KL1KLI.KL1GRID) as KL1GRNIMI, "
        "(select c.KL1NIMI from KLASSIF1 c where c.KL1ID = KL1KLI.KL1ID) as KL1NIMI\nfrom KL1KLI ");
    // Joins rather than sub-selects: the group filter goes into the statement's own where clause.
    m_classifiers =
        makeDataSet(QStringLiteral("taKlassif1Kli"),
                    QStringLiteral("select KL1KLI.*, G.KL1GRNIMI, C.KL1NIMI\nfrom KL1KLI\n"
                                   "left join KL1GR G on G.KL1GRID = KL1KLI.KL1GRID\n"
                                   "left join KLASSIF1 C on C.KL1ID = KL1KLI.KL1ID\n"
                                   "where KL1KLI.KLIKOOD = :KLIKOOD\norder by KL1KLI.KL1GRID, KL1KLI.KL1ID\n"));
    data::TData1::MakeEditable(*m_classifiers, QStringLiteral("KL1KLI"),
                               {"KLIKOOD", "KL1GRID", "KL1ID", "KL1KLIKOMMENT"}, {"KLIKOOD", "KL1GRID", "KL1ID"});
    m_classifiers->setRefreshSql(classifierColumns +
                                 QStringLiteral("where KLIKOOD = :KLIKOOD and KL1GRID = :KL1GRID and KL1ID = :KL1ID"));
    for (const char *name : {"KL1GRNIMI", "KL1NIMI"})
        m_classifiers->defineField(QString::fromLatin1(name), fb::FieldKind::Text, Field::Kind::Computed);
    m_classifiers->defineField(QStringLiteral("KL1GRID")).setRequired(true);
    m_classifiers->defineField(QStringLiteral("KL1ID")).setRequired(true);
    m_classifiers->field(QStringLiteral("KL1GRID")).onValidate = [](Field &f, const QVariant &value) {
        if (sameValue(f.value(), value))
            return;
        DataSet &d = f.dataSet();
        for (const char *name : {"KL1ID", "KL1NIMI"})
            if (Field *other = d.findField(QString::fromLatin1(name)); other && !other->isNull())
                other->setValue(QVariant());
    };
    lookups(*m_classifiers, {"KL1GRNIMI", "KL1NIMI"});
    detail(*m_classifiers);

    // Page 5: documents.
    m_documents = makeDataSet(QStringLiteral("taKliendiDokum"),
                              QStringLiteral("select * from KLIDOKUM where KLIKOOD = :KLIKOOD\norder by KLIDOKID\n"));
    data::TData1::MakeEditable(
        *m_documents, QStringLiteral("KLIDOKUM"),
        {"KLIDOKID", "KLIKOOD", "KLIDOKTYYP", "KLIDOKFILENAME", "KLIDOKKOMMENT", "KLIDOKASUKOHT"},
        {QStringLiteral("KLIDOKID")}, QStringLiteral("KLIDOKUM_KLIDOKID_GEN"));
    m_documents->defineField(QStringLiteral("KLIDOKTYYP")).setDefaultValue(DocumentTypes.first());
    m_documents->defineField(QStringLiteral("KLIDOKFILENAME")).setRequired(true);
    m_documents->field(QStringLiteral("KLIDOKTYYP")).onSetText = [this](Field &f, const QString &text) {
        QString type = text.trimmed().toLower();
        if (type.isEmpty())
            type = DocumentTypes.first();
        if (DocumentTypes.contains(type))
            f.setValue(type);
    };
    m_documents->field(QStringLiteral("KLIDOKFILENAME")).onSetText = [this](Field &f, const QString &text) {
        const QString stored = StoreDocumentPath(text, f.dataSet().field(QStringLiteral("KLIDOKTYYP")).asString());
        f.setValue(stored.isEmpty() ? QVariant() : QVariant(stored));
    };
    detail(*m_documents);

    // Page 6: sales per period.
    m_sales =
        makeDataSet(QStringLiteral("taKliPerMyyk"), QStringLiteral("select * from PERMYYK where KLIKOOD = :KLIKOOD\n"
                                                                   "order by PERALGUS DESC, PERLOPP DESC\n"));
    data::TData1::MakeEditable(*m_sales, QStringLiteral("PERMYYK"),
                               {"PERMYYKID", "PERALGUS", "PERLOPP", "KLIKOOD", "AGENTKOOD", "PERMYYKSUMMA",
                                "TEHINGUTE_ARV", "TOOTEGRID", "TOOTEID", "TOOTEKOGUS", "PERMYYKKOMMENT", "PROJID",
                                "PARITOLU"},
                               {QStringLiteral("PERMYYKID")}, QStringLiteral("GEN_PERMYYK_ID"));
    for (const char *name : {"PERALGUS", "PERLOPP", "PERMYYKSUMMA"})
        m_sales->defineField(QString::fromLatin1(name)).setRequired(true);
    m_sales->defineField(QStringLiteral("PARITOLU")).setDefaultValue(0);
    lookups(*m_sales, {"AGENTNIMI", "TOOTEGRNIMI", "TOOTENIMI", "PROJNIMI"});
    detail(*m_sales);
    m_sales->onNewRecord.push_back([this](DataSet &d) {
        const data::Session &s = m_data.session();
        if (s.AgentCode > 0) {
            d.field(QStringLiteral("AGENTKOOD")).setValue(s.AgentCode);
            if (Field *name = d.findField(QStringLiteral("AGENTNIMI")))
                name->setValue(s.AgentName);
        }
        if (s.ActiveProjectId > 0) {
            d.field(QStringLiteral("PROJID")).setValue(s.ActiveProjectId);
            if (Field *name = d.findField(QStringLiteral("PROJNIMI")))
                name->setValue(s.ActiveProjectName);
        }
    });
    m_sales->beforePost.push_back([](DataSet &d) {
        Field &end = d.field(QStringLiteral("PERLOPP"));
        const Field &start = d.field(QStringLiteral("PERALGUS"));
        if (end.isNull() && !start.isNull())
            end.setValue(start.value());
    });

    // Page 7: the client's agents.
    m_agents = makeDataSet(QStringLiteral("taKliendiAgendid"),
                           QStringLiteral("select * from KLIAGENT where KLIKOOD = :KLIKOOD\norder by AGENTKOOD\n"));
    data::TData1::MakeEditable(*m_agents, QStringLiteral("KLIAGENT"), {"KLIKOOD", "AGENTKOOD", "AGENTVASTUTAV"},
                               {"KLIKOOD", "AGENTKOOD"});
    m_agents->defineField(QStringLiteral("AGENTVASTUTAV")).setDefaultValue(QString::fromLatin1(data::TData1::No));
    m_agents->defineField(QStringLiteral("AGENTKOOD")).setRequired(true);
    lookups(*m_agents, {"AGENTNIMI"});
    detail(*m_agents);
    // Below level 3 an agent answers for the own row of an own client only.
    auto ownAgentRow = [this](DataSet &d) {
        const data::Session &s = m_data.session();
        if (s.Level <= 2 && d.field(QStringLiteral("AGENTKOOD")).asInt() != s.AgentCode)
            refuse(Translate(QStringLiteral("Agendil lubatud muuta vaid oma andmeid !")), Translate(Kliendid));
    };
    m_agents->beforeEdit.push_back(ownAgentRow);
    m_agents->beforeDelete.push_back(ownAgentRow);
}

void TdmKlientEdit1::applyFilters()
{
    const data::TData1::CardFilterStates &states = m_data.CardFilters;
    data::ApplyWhere(*m_persons, states.activePersons ? QStringLiteral("KONTAKTISIKAKTIIVNE='") +
                                                            QLatin1String(data::TData1::Yes) + QLatin1Char('\'')
                                                      : QString());
    data::ApplyWhere(*m_plans, PlansCondition());
    data::ApplyWhere(*m_contacts, ContactsCondition());
    data::ApplyWhere(*m_classifiers, QString());
}

void TdmKlientEdit1::OpenNew()
{
    m_new = true;
    m_clientCode = 0;
    m_taKlient->setParam(QStringLiteral("KLIKOOD"), -1);
    m_taKlient->open();
    m_taKlient->append();
    for (DataSet *ds : {m_persons.get(), m_plans.get(), m_agents.get()})
        ds->open();
    emit captionChanged();
}

bool TdmKlientEdit1::OpenClient(int clientCode)
{
    m_new = false;
    m_taKlient->setParam(QStringLiteral("KLIKOOD"), clientCode);
    m_taKlient->open();
    if (m_taKlient->isEmpty() || m_taKlient->field(QStringLiteral("KLIKOOD")).asInt() != clientCode) {
        m_taKlient->close();
        if (m_data.ui())
            m_data.ui()->showMessage(Translate(QStringLiteral("Ei leia klienti '%1' !")).arg(clientCode),
                                     Translate(QStringLiteral("Viga")));
        return false;
    }
    m_clientCode = clientCode;
    for (DataSet *ds : {m_persons.get(), m_plans.get(), m_agents.get()})
        ds->open();
    emit captionChanged();
    return true;
}

QString TdmKlientEdit1::Caption() const
{
    const DataSet &client = *m_taKlient;
    const bool inserting = client.state() == DataSet::State::Insert;
    QString caption = Translate(inserting ? QStringLiteral("Uus klient") : QStringLiteral("Klient"));
    if (!client.isActive() || (client.isEmpty() && !inserting))
        return caption;
    return caption + QStringLiteral(" - ") + client.field(QStringLiteral("KLINIMI")).asString() + QLatin1Char(' ') +
           client.field(QStringLiteral("KLIOMVORM")).asString();
}

void TdmKlientEdit1::PageShown(int page)
{
    if (page < 0 || page >= PageCount)
        return;
    // The past contacts are read whenever their page is shown, so that contacts recorded meanwhile show.
    if (page != Contacts && m_contacts->isActive())
        m_contacts->close();
    if (page == Contacts) {
        if (m_contacts->isActive())
            m_contacts->reopen();
        else
            m_contacts->open();
    } else if (page >= Products && page <= Sales && !m_pageOpened[static_cast<size_t>(page)]) {
        if (DataSet *ds = pageDataSet(page); !ds->isActive())
            ds->open();
    }
    m_pageOpened[static_cast<size_t>(page)] = true;
}

void TdmKlientEdit1::RefreshContactPages(int planId, int contactId)
{
    for (DataSet *ds : {m_plans.get(), m_contacts.get()}) {
        if (!ds->isActive())
            continue;
        const bool plans = ds == m_plans.get();
        const QString keyField = plans ? QStringLiteral("JKONTAKTID") : QStringLiteral("KONTAKTID");
        const int chosen = plans ? planId : contactId;
        const QVariant key = chosen > 0 ? QVariant(chosen) : ds->isEmpty() ? QVariant() : ds->field(keyField).value();
        ds->reopen();
        // On the row named, or back on the row the user stood on, looked for among the client's few rows.
        if (key.isValid() && !key.isNull())
            ds->locate(keyField, key);
    }
}

void TdmKlientEdit1::RefreshOpenCards(data::TData1 &data, int clientCode, int planId, int contactId)
{
    if (clientCode <= 0)
        return;
    for (const auto &m : data.ClientCardModules()) {
        auto *module = qobject_cast<TdmKlientEdit1 *>(m.get());
        if (module && module->m_card && module->m_clientCode == clientCode)
            module->RefreshContactPages(planId, contactId);
    }
}

void TdmKlientEdit1::SetActivePersonsOnly(bool on)
{
    m_data.CardFilters.activePersons = on;
    data::ApplyWhere(*m_persons,
                     on ? QStringLiteral("KONTAKTISIKAKTIIVNE='") + QLatin1String(data::TData1::Yes) + QLatin1Char('\'')
                        : QString());
}

void TdmKlientEdit1::SetOwnPlansOnly(bool on)
{
    m_data.CardFilters.ownPlans = on;
    data::ApplyWhere(*m_plans, PlansCondition());
}

void TdmKlientEdit1::SetContactFilters(bool ownOnly, bool activeProjectOnly)
{
    m_data.CardFilters.ownContacts = ownOnly;
    m_data.CardFilters.activeProjectContacts = activeProjectOnly;
    data::ApplyWhere(*m_contacts, ContactsCondition());
}

void TdmKlientEdit1::SetClassifierGroup(int groupId)
{
    m_classifierGroup = groupId > 0 ? groupId : 0;
    data::ApplyWhere(*m_classifiers,
                     m_classifierGroup > 0 ? QStringLiteral("KL1KLI.Kl1GrID=%1").arg(m_classifierGroup) : QString());
}

QString TdmKlientEdit1::PlansCondition() const
{
    const int agent = m_data.session().AgentCode;
    return m_data.CardFilters.ownPlans && agent > 0 ? QStringLiteral("AgentKood=%1").arg(agent) : QString();
}

QString TdmKlientEdit1::ContactsCondition() const
{
    const data::Session &s = m_data.session();
    QString condition;
    if (m_data.CardFilters.activeProjectContacts && s.ActiveProjectId > 0)
        condition = QStringLiteral("(ProjID=%1)").arg(s.ActiveProjectId);
    // Without an agent of the session there is nothing to narrow to: the page shows every contact.
    if (m_data.CardFilters.ownContacts && s.AgentCode > 0) {
        if (!condition.isEmpty())
            condition += QStringLiteral(" AND ");
        condition += QStringLiteral("(AgentKood=%1)").arg(s.AgentCode);
    }
    return condition;
}

bool TdmKlientEdit1::IsOwn()
{
    if (!m_taKlient->isActive() || m_taKlient->isEmpty())
        return false;
    const QVariant code = m_taKlient->field(QStringLiteral("KLIKOOD")).oldValue();
    return !code.isNull() && code.isValid() && m_data.IsOwnClient(code.toInt());
}

bool TdmKlientEdit1::CanDelete(bool allowed)
{
    const int level = m_data.session().Level;
    if (level <= 1)
        return false;
    if (level >= 3)
        return allowed;
    return allowed && IsOwn();
}

void TdmKlientEdit1::CheckOwnForCommand()
{
    if (m_data.session().Level <= 2 && !IsOwn())
        refuse(Translate(QStringLiteral("Agendile lubatud vaid omad kliendid !")), Caption());
}

QString TdmKlientEdit1::DocumentsRoot() const
{
    return m_data.GetParameter(QString::fromLatin1(ProgramParameters::DocumentsRootDirectory)).trimmed();
}

bool TdmKlientEdit1::IsFullPath(const QString &name)
{
    const QString n = name.trimmed();
    return n.startsWith(QLatin1Char('/')) || isWindowsFull(n);
}

QString TdmKlientEdit1::JoinPath(const QString &root, const QString &name)
{
    QString r = root.trimmed();
    QString n = name.trimmed();
    if (r.isEmpty())
        return n;
    if (n.isEmpty())
        return r;
    // The root's own kind of separator; exactly one between the two.
    const QChar separator = isWindowsFull(r) || (r.contains(QLatin1Char('\\')) && !r.contains(QLatin1Char('/')))
                                ? QLatin1Char('\\')
                                : QLatin1Char('/');
    while (r.size() > 1 && isSeparator(r.back()))
        r.chop(1);
    while (!n.isEmpty() && isSeparator(n.front()))
        n.remove(0, 1);
    if (r.size() == 1 && isSeparator(r.front()))
        return r + n;
    return r + separator + n;
}

namespace {

// A full name in the form other workstations reach it by; names in Windows form stay as written.
QString networkForm(const QString &full)
{
    return full.startsWith(QLatin1Char('/')) ? data::TData1::ToNetworkPath(full) : full;
}

} // namespace

QString TdmKlientEdit1::StoreDocumentPath(const QString &name, const QString &type) const
{
    const QString text = name.trimmed();
    const QString kind = type.trimmed().toLower();
    if (text.isEmpty() || !(kind.isEmpty() || kind == QLatin1String("file")))
        return text;
    const QString root = DocumentsRoot();
    const QString full = networkForm(IsFullPath(text) ? text : JoinPath(root, text));
    if (root.isEmpty())
        return full;
    QString rootFull = networkForm(root);
    while (rootFull.size() > 1 && isSeparator(rootFull.back()))
        rootFull.chop(1);
    // Under the root only on a folder boundary: "/x/docs" holds "/x/docs/a.pdf", not "/x/docs2/a.pdf".
    const Qt::CaseSensitivity cs = isWindowsFull(rootFull) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (full.size() > rootFull.size() + 1 && full.startsWith(rootFull, cs) && isSeparator(full.at(rootFull.size())))
        return full.mid(rootFull.size() + 1);
    return full;
}

QString TdmKlientEdit1::ResolveDocumentPath(const QString &name, const QString &type) const
{
    const QString kind = type.trimmed().toLower();
    if (!(kind.isEmpty() || kind == QLatin1String("file")))
        return name;
    const QString root = DocumentsRoot();
    if (root.isEmpty() || IsFullPath(name))
        return name;
    if (name.trimmed().isEmpty())
        return root;
    return JoinPath(root, name);
}

QString TdmKlientEdit1::CurrentDocumentPath() const
{
    const DataSet &docs = *m_documents;
    if (!docs.isActive() || (docs.isEmpty() && !docs.isEditing()))
        return QString();
    const QString name = docs.field(QStringLiteral("KLIDOKFILENAME")).asString();
    if (name.trimmed().isEmpty())
        return QString();
    return ResolveDocumentPath(name, docs.field(QStringLiteral("KLIDOKTYYP")).asString());
}

void TdmKlientEdit1::OpenCurrentDocument()
{
    CheckOwnForCommand();
    const QString path = CurrentDocumentPath();
    if (path.isEmpty())
        return;
    data::UserInterface *ui = m_data.ui();
    if (!ui)
        return;
    const QString type = m_documents->field(QStringLiteral("KLIDOKTYYP")).asString().trimmed().toLower();
    const QString cannot = QStringLiteral("Cannot open file '") + path + QStringLiteral("'\n");
    if (!(type.isEmpty() || type == QLatin1String("file"))) {
        // An address is opened only as a web page or a mail: never as a file or a program.
        const QString scheme = QUrl(path.trimmed()).scheme().toLower();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")) {
            if (!ui->openUrl(path.trimmed()))
                ui->showMessage(cannot + QStringLiteral("No program opens the address"), Caption());
        } else {
            ui->showMessage(cannot + QStringLiteral("Only http, https and mailto addresses are opened"), Caption());
        }
        return;
    }
    if (!QFileInfo::exists(path)) {
        ui->showMessage(cannot + QString::fromLocal8Bit(std::strerror(ENOENT)) +
                            QStringLiteral(" (errorcode %1)").arg(ENOENT),
                        Caption());
        return;
    }
    QString error;
    if (!ui->openDocument(path, &error))
        ui->showMessage(cannot + error, Caption());
}

QString TdmKlientEdit1::askDocumentFile()
{
    data::UserInterface *ui = m_data.ui();
    if (!ui)
        return QString();
    const QString current = CurrentDocumentPath();
    return ui->askOpenFileName(Translate(QStringLiteral("Select File")), current.isEmpty() ? DocumentsRoot() : current);
}

bool TdmKlientEdit1::InsertDocument()
{
    CheckOwnForCommand();
    const QString file = askDocumentFile();
    if (file.isEmpty())
        return false;
    m_documents->append();
    m_documents->field(QStringLiteral("KLIDOKFILENAME")).setText(file);
    return true;
}

bool TdmKlientEdit1::ChooseDocumentFile()
{
    if (!m_documents->isActive() || (m_documents->isEmpty() && !m_documents->isEditing()))
        return false;
    const QString file = askDocumentFile();
    if (file.isEmpty())
        return false;
    if (!m_documents->isEditing())
        m_documents->edit();
    m_documents->field(QStringLiteral("KLIDOKFILENAME")).setText(file);
    return true;
}

void TdmKlientEdit1::RecordContact(bool plannedContactChosen)
{
    data::MainServices *main = m_data.mainServices();
    if (m_clientCode <= 0 || !main)
        return;
    const QString clientName = m_taKlient->field(QStringLiteral("KLINIMI")).asString();
    if (plannedContactChosen && m_plans->isActive() && !m_plans->isEmpty()) {
        const DataSet &p = *m_plans;
        main->RegisterContact(m_clientCode, static_cast<int>(p.field(QStringLiteral("AGENTKOOD")).asInt()),
                              p.field(QStringLiteral("AGENTNIMI")).asString(),
                              p.field(QStringLiteral("KONTAKTISIKNIMI")).asString(), clientName,
                              static_cast<int>(p.field(QStringLiteral("JKONTAKTID")).asInt()),
                              static_cast<int>(p.field(QStringLiteral("KLIKISIKKOOD")).asInt()));
        return;
    }
    const data::Session &s = m_data.session();
    main->RegisterContact(m_clientCode, s.AgentCode, s.AgentName, QString(), clientName, 0, 0);
}

void TdmKlientEdit1::PlanContact()
{
    data::MainServices *main = m_data.mainServices();
    if (m_clientCode <= 0 || !main)
        return;
    main->PlanContact(m_clientCode, m_taKlient->field(QStringLiteral("KLINIMI")).asString(), nullptr, QString(), 0);
}

void TdmKlientEdit1::OpenCurrentPlan()
{
    data::MainServices *main = m_data.mainServices();
    if (main && m_plans->isActive() && !m_plans->isEmpty())
        main->OpenNextContact(static_cast<int>(m_plans->field(QStringLiteral("JKONTAKTID")).asInt()));
}

void TdmKlientEdit1::OpenCurrentContact()
{
    data::MainServices *main = m_data.mainServices();
    if (!main || !m_contacts->isActive() || m_contacts->isEmpty())
        return;
    // A contact made by a mass offer is seen in that offer.
    const int group = static_cast<int>(m_contacts->field(QStringLiteral("KONTAKTIDGRUPP")).asInt());
    if (group > 0)
        main->OpenMassOffer(group);
    else
        main->OpenContact(static_cast<int>(m_contacts->field(QStringLiteral("KONTAKTID")).asInt()));
}

void TdmKlientEdit1::OpenCurrentProduct()
{
    data::MainServices *main = m_data.mainServices();
    if (!main || !m_products->isActive() || (m_products->isEmpty() && !m_products->isEditing()))
        return;
    const Field &product = m_products->field(QStringLiteral("TOOTEID"));
    if (!product.isNull())
        main->OpenProduct(static_cast<int>(product.asInt()));
}

void TdmKlientEdit1::PrintCard()
{
    CheckOwnForCommand();
    for (DataSet *ds : {m_products.get(), m_classifiers.get(), m_documents.get(), m_agents.get()})
        if (!ds->isActive())
            ds->open();
    if (CardReport())
        CardReport()(*this);
}

void TdmKlientEdit1::SendEMail(bool person, bool attachDocument)
{
    CheckOwnForCommand();
    QString address, name;
    if (person && m_persons->isActive() && !m_persons->isEmpty()) {
        address = m_persons->field(QStringLiteral("KONTAKTISIKEMAIL")).asString().trimmed();
        name = m_persons->field(QStringLiteral("KONTAKTISIKNIMI")).asString();
    }
    if (address.isEmpty()) {
        address = m_taKlient->field(QStringLiteral("KLIEMAIL")).asString().trimmed();
        name = m_taKlient->field(QStringLiteral("KLINIMI")).asString();
        const QString form = m_taKlient->field(QStringLiteral("KLIOMVORM")).asString();
        if (!form.isEmpty())
            name += QLatin1Char(' ') + form;
    }
    QStringList attachments;
    if (attachDocument && m_documents->isActive() && !m_documents->isEmpty()) {
        // Only files travel with a mail: a web address is no attachment.
        const QString type = m_documents->field(QStringLiteral("KLIDOKTYYP")).asString().trimmed().toLower();
        const QString path = CurrentDocumentPath();
        if ((type.isEmpty() || type == QLatin1String("file")) && !path.isEmpty())
            attachments << path;
    }
    const QString type = m_data.GetParameter(QString::fromLatin1(ProgramParameters::DefaultMailMsgType));
    if (m_data.ui())
        m_data.ui()->composeMail(address, name, type, attachments);
}

void TdmKlientEdit1::Dial(bool person, bool personSecondNumber, bool clientSecondNumber)
{
    CheckOwnForCommand();
    const QString clientName = m_taKlient->field(QStringLiteral("KLINIMI")).asString();
    if (person && m_persons->isActive() && !m_persons->isEmpty()) {
        const QString second = m_persons->field(QStringLiteral("KONTAKTISIKTEL2")).asString().trimmed();
        const QString number = personSecondNumber && !second.isEmpty()
                                   ? second
                                   : m_persons->field(QStringLiteral("KONTAKTISIKTEL")).asString().trimmed();
        if (!number.isEmpty()) {
            m_data.DialNumber(number, m_persons->field(QStringLiteral("KONTAKTISIKNIMI")).asString() +
                                          QStringLiteral(" - ") + clientName);
            return;
        }
    }
    const QString number =
        m_taKlient->field(clientSecondNumber ? QStringLiteral("KLITEL2") : QStringLiteral("KLITEL")).asString();
    m_data.DialNumber(number, clientName);
}

bool TdmKlientEdit1::ChooseMotherCompany()
{
    DataSet *list = m_data.dataSet(QStringLiteral("taKliendidL"));
    data::UserInterface *ui = m_data.ui();
    if (!list || !ui || !m_taKlient->isActive())
        return false;
    if (!list->isActive())
        list->open();
    data::RecordChoice choice;
    choice.caption = Translate(QStringLiteral("Emafirma valik"));
    choice.dataSet = list;
    choice.keyField = QStringLiteral("KLIKOOD");
    choice.currentKey = m_taKlient->isEmpty() && !m_taKlient->isEditing()
                            ? QString()
                            : m_taKlient->field(QStringLiteral("EMAFIRMAKOOD")).text(false);
    QString key;
    if (!ui->selectRecord(choice, key) || key.isEmpty())
        return false;
    const QVariant code = list->field(QStringLiteral("KLIKOOD")).value();
    const QVariant name = list->field(QStringLiteral("KLINIMI")).value();
    if (!m_taKlient->isEditing())
        m_taKlient->edit();
    m_taKlient->field(QStringLiteral("EMAFIRMAKOOD")).setValue(code);
    m_taKlient->field(QStringLiteral("EMAFIRMANIMI")).setValue(name);
    return true;
}

int TdmKlientEdit1::MotherCompany() const
{
    return static_cast<int>(m_taKlient->field(QStringLiteral("EMAFIRMAKOOD")).asInt());
}
