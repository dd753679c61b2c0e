#include "TData1.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStorageInfo>

#include "DataSetRules.h"
#include "DataSource.h"
#include "FieldTextRules.h"
#include "FilterBuilder.h"
#include "MainServices.h"
#include "PhoneDigits.h"
#include "SqlHelpers.h"
#include "SqlStatement.h"
#include "Translate.h"
#include "UserInterface.h"
#include "fb/FbError.h"
#include "fb/Statement.h"

namespace data {

namespace {

// Prices are multiplied before they are divided: the products need more than 64 bits.
__extension__ typedef __int128 Wide;

QString insertSql(const QString &table, const QStringList &cols)
{
    QStringList params;
    for (const QString &c : cols)
        params << QLatin1Char(':') + c;
    return QStringLiteral("insert into %1 (%2) values (%3)").arg(table, cols.join(QStringLiteral(", ")),
                                                               params.join(QStringLiteral(", ")));
}

QString modifySql(const QString &table, const QStringList &cols, const QStringList &keys)
{
    QStringList sets, where;
    for (const QString &c : cols)
        sets << c + QStringLiteral(" = :") + c;
    for (const QString &k : keys)
        where << k + QStringLiteral(" = :OLD_") + k;
    return QStringLiteral("update %1 set %2 where %3")
        .arg(table, sets.join(QStringLiteral(", ")), where.join(QStringLiteral(" and ")));
}

QString deleteSql(const QString &table, const QStringList &keys)
{
    QStringList where;
    for (const QString &k : keys)
        where << k + QStringLiteral(" = :OLD_") + k;
    return QStringLiteral("delete from %1 where %2").arg(table, where.join(QStringLiteral(" and ")));
}

QString refreshSql(const QString &table, const QStringList &keys)
{
    QStringList where;
    for (const QString &k : keys)
        where << k + QStringLiteral(" = :") + k;
    return QStringLiteral("select * from %1 where %2").arg(table, where.join(QStringLiteral(" and ")));
}

// An editable dataset over one table: every statement written from the column list and the key.
void makeEditable(DataSet &ds, const QString &table, const QStringList &cols, const QStringList &keys,
                  const QString &generator = QString())
{
    ds.setRefreshSql(refreshSql(table, keys));
    ds.setInsertSql(insertSql(table, cols));
    ds.setModifySql(modifySql(table, cols, keys));
    ds.setDeleteSql(deleteSql(table, keys));
    if (!generator.isEmpty())
        ds.setGenerator(keys.first(), generator);
}

const QStringList ClientColumnList = {
    "KLIKOOD", "KLINIMI", "KLIOMVORM", "KLIKOODLAOS", "KLIAADRESS", "LINNVALDKOOD", "KLIPOSTIINDEX", "RIIKID",
    "KLITEL", "KLITEL2", "KLIFAX", "KLIEMAIL", "KLIKOMMENT", "KLILEPINGUNR", "KLIALE", "KLIMAKSEAEG", "KLIBOONUS",
    "KLIKVALITEET", "KLIPYSI", "KLILISAMKUUP", "KLIENTAKTIIVNE", "TOOTAJATEARV", "KLITELTRIM", "KLITEL2TRIM",
    "KLIREGNR", "KLIKAIVE", "KLIMPAKKUMOK", "EMAFIRMAKOOD", "KLISUHTETYYP", "KLIAADRESS2", "LINNVALDKOOD2",
    "KLIPOSTIINDEX2"};
const QStringList PersonColumns = {"KLIKISIKKOOD", "KLIKOOD", "KONTAKTISIKNIMI", "KONTAKTISIKTEL", "KONTAKTISIKTEL2",
                                   "KONTAKTISIKFAX", "KONTAKTISIKEMAIL", "KONTAKTISIKKOMMENT", "AMETID",
                                   "KONTAKTISIKAKTIIVNE", "KISIKTELTRIM", "KISIKTEL2TRIM", "KISIKUKOOD", "KISIKPAKKUMOK"};
const QStringList ContactColumnList = {"KONTAKTID", "AGENTKOOD", "KLIKOOD", "KONTAKTKUUP", "KONTAKTKELL",
                                    "KONTAKTKUUPKUNI", "KONTAKTKELLKUNI", "KONTAKTLIIK", "KONTAKTYHIKUID",
                                    "KONTAKTTOIMUS", "KONTAKTTEEMA", "KONTAKTKOMMENT", "KONTAKTIDGRUPP",
                                    "KLIKISIKKOOD", "PROJID", "REGAGENTKOOD", "TOOTEGRID", "TOOTEID"};
const QStringList AgentColumns = {"AGENTKOOD", "AGEESNIMI", "AGPERENIMI", "AGTEL", "AGFAX", "AGEMAIL", "AGENTAKTIIVNE",
                                  "MEIELIIN1", "MEIELIIN2", "AGAADRESS", "LINNVALDKOOD", "AGISIKUKOOD", "OSAKOND", "RIIKID"};
const QStringList ProductColumns = {"TOOTEID", "TOOTEGRID", "TOOTENIMI", "TOOTETOOTJA", "TOOTEKOODLAOS", "TOOTEKULUMAT",
                                    "TOOTEKOMMENT", "TOODEAKTIIVNE", "TOOTEHINDKMTA", "TOOTEKMPROC", "TOOTEHINDKMGA",
                                    "TOOTEYHIK"};

const QString AgentFullName = QStringLiteral("TRIM(COALESCE(AGEESNIMI, '') || ' ' || COALESCE(AGPERENIMI, ''))");

} // namespace

void TData1::MakeEditable(DataSet &dataSet, const QString &table, const QStringList &columns, const QStringList &keys,
                          const QString &generator)
{
    makeEditable(dataSet, table, columns, keys, generator);
}

const QStringList &TData1::ClientColumns()
{
    return ClientColumnList;
}

const QStringList &TData1::ContactColumns()
{
    return ContactColumnList;
}

TData1::TData1(UserInterface *ui, MainServices *main, Session *session, QObject *parent)
    : QObject(parent), m_ui(ui), m_main(main), m_session(session), m_tr(std::make_unique<fb::Transaction>(m_db)),
      m_parameters(*m_tr)
{
    m_params.database = QStringLiteral("Data/velkora1.FDB");
    m_params.charset = QStringLiteral("ISO8859_1");
    m_params.role = QStringLiteral("VELKORA1USERS");
    SetFilterUserInterface(ui);
    RenewTranslatedTexts();
    m_languageListener = AddLanguageListener([this] { RenewTranslatedTexts(); });
}

TData1::~TData1()
{
    RemoveLanguageListener(m_languageListener);
    m_cardModules.clear();
    m_sources.clear();
    m_dsKliendid.reset();
    m_dataSets.clear();
    m_fast.reset();
    m_tr.reset();
}

void TData1::RenewTranslatedTexts()
{
    JahText = Translate(QStringLiteral("Jah"));
    EiText = Translate(QStringLiteral("Ei"));
    NaitaKoikiText = Translate(QStringLiteral("&Näita kõiki"));
    KalenderText = Translate(QStringLiteral("Kalender"));
}

void TData1::Connect()
{
    Disconnect();
    m_db = fb::Attachment::attach(m_params);
    m_tr->start();
    createDataSets();
}

void TData1::Disconnect()
{
    // The cards' modules work on this connection's transaction.
    m_cardModules.clear();
    m_sources.clear();
    m_dsKliendid.reset();
    m_dataSets.clear();
    m_fast.reset();
    if (m_tr->isActive()) {
        try {
            m_tr->commit();
        } catch (const fb::FbError &) {
            // the connection is going anyway; nothing is left uncommitted by the datasets
        }
    }
    if (m_db.isAttached()) {
        try {
            m_db.detach();
        } catch (const fb::FbError &) {
        }
    }
}

SqlStatement &TData1::qFastSQL1()
{
    if (!m_fast)
        m_fast = std::make_unique<SqlStatement>(*m_tr);
    return *m_fast;
}

QString TData1::GetParameter(const QString &name, const QString &defaultValue)
{
    return m_parameters.GetParameter(name, defaultValue);
}

bool TData1::SetParameter(const QString &name, const QString &value)
{
    return m_parameters.SetParameter(name, value);
}

DataSet *TData1::dataSet(const QString &name) const
{
    const auto it = m_dataSets.find(name);
    return it == m_dataSets.end() ? nullptr : it->second.get();
}

DataSource *TData1::dataSource(const QString &dataSetName) const
{
    const auto it = m_sources.find(dataSetName);
    return it == m_sources.end() ? nullptr : it->second.get();
}

DataSet &TData1::make(const QString &name, const QString &select)
{
    auto ds = std::make_unique<DataSet>(*m_tr, name);
    ds->setSelectSql(select);
    AttachTextRulesByType(*ds);
    DataSet &ref = *ds;
    m_dataSets[name] = std::move(ds);
    m_sources[name] = std::make_unique<DataSource>(&ref);
    return ref;
}

DataSet &TData1::makeDetail(const QString &name, const QString &select, const QString &master)
{
    DataSet &ds = make(name, select);
    ds.setMasterSource(dataSource(master));
    return ds;
}

void TData1::SaveChangesAfterPost(DataSet &dataSet)
{
    data::SaveChangesAfterPost(dataSet);
}

void TData1::commitAndReload(DataSet &ds, const QStringList &lists)
{
    auto after = [this, lists](DataSet &d) {
        SaveChangesAfterPost(d);
        for (const QString &l : lists)
            reopenIfOpen(l);
    };
    ds.afterPost.push_back(after);
    ds.afterDelete.push_back(after);
}

void TData1::attachLookups(DataSet &ds, const QStringList &nameFields)
{
    AttachTextRule(ds, nameFields, [this](Field &field, const QString &text) { OnKoodNimiPaarSetText(field, text); });
}

void TData1::addClientNameField(DataSet &ds)
{
    // The client as lists show it: the name, then the legal form when there is one.
    Field &f = ds.defineField(QStringLiteral("KLIENDINIMI"), fb::FieldKind::Text, Field::Kind::Calculated);
    f.setDisplayLabel(QStringLiteral("KliendiNimi"));
    ds.onCalcFields.push_back([](DataSet &d) {
        const QString form = d.field(QStringLiteral("KLIOMVORM")).asString();
        const QString name = d.field(QStringLiteral("KLINIMI")).asString();
        d.field(QStringLiteral("KLIENDINIMI")).setValue(form.isEmpty() ? name : name + QLatin1Char(' ') + form);
    });
}

void TData1::addPlanContactFields(DataSet &ds)
{
    // The address with its place, and the numbers to call: the plan's contact person's own when the
    // plan names a person who has one, otherwise the client's.
    const std::pair<const char *, const char *> numbers[] = {
        {"TELEFON", "Telefon"}, {"FAX", "Fax"}, {"EMAIL", "EMail"}};
    ds.defineField(QStringLiteral("AADRESS"), fb::FieldKind::Text, Field::Kind::Calculated)
        .setDisplayLabel(QStringLiteral("Aadress"));
    for (const auto &[name, label] : numbers)
        ds.defineField(QString::fromLatin1(name), fb::FieldKind::Text, Field::Kind::Calculated)
            .setDisplayLabel(QString::fromLatin1(label));
    ds.onCalcFields.push_back([](DataSet &d) {
        const QString address = d.field(QStringLiteral("KLIAADRESS")).asString();
        const QString place = d.field(QStringLiteral("LINNVALDNIMI")).asString();
        d.field(QStringLiteral("AADRESS"))
            .setValue(place.isEmpty() ? address : address.isEmpty() ? place : address + QStringLiteral(", ") + place);
        const bool person = !d.field(QStringLiteral("KLIKISIKKOOD")).isNull();
        auto choose = [&d, person](const char *target, const char *personColumn, const char *clientColumn) {
            const QString own = person ? d.field(QString::fromLatin1(personColumn)).asString() : QString();
            d.field(QString::fromLatin1(target))
                .setValue(own.isEmpty() ? d.field(QString::fromLatin1(clientColumn)).asString() : own);
        };
        choose("TELEFON", "KONTAKTISIKTEL", "KLITEL");
        choose("FAX", "KONTAKTISIKFAX", "KLIFAX");
        choose("EMAIL", "KONTAKTISIKEMAIL", "KLIEMAIL");
    });
}

void TData1::openLists(std::initializer_list<const char *> names)
{
    for (const char *name : names)
        if (DataSet *list = dataSet(QString::fromLatin1(name)); list && !list->isActive())
            list->open();
}

void TData1::createDataSets()
{
    m_sources.clear();
    m_dsKliendid.reset();
    m_dataSets.clear();

    // Clients and their detail rows.
    DataSet &clients = make("taKliendid", "select KLIENTK.* from KLIENTK\norder by KLIENTK.KLIKOOD\n");
    makeEditable(clients, "KLIENTK", ClientColumnList, {"KLIKOOD"}, "KLIENTK_KLIKOOD_GEN");
    m_dsKliendid = std::make_unique<DataSource>(&clients);
    AttachClientRules(clients);

    DataSet &persons = make("taKliKontaktIsikud", "select * from KLIKISIK where KLIKOOD = :KLIKOOD order by KONTAKTISIKNIMI");
    makeEditable(persons, "KLIKISIK", PersonColumns, {"KLIKISIKKOOD"}, "KLIKISIK_KLIKISIKKOOD_GEN");
    persons.setMasterSource(m_dsKliendid.get());
    AttachContactPersonRules(persons);

    DataSet &classifiers = make("taKlassif1Kli",
                                "select KL1KLI.*, (select g.KL1GRNIMI from KL1GR g where g.KL1GRID = KL1KLI.KL1GRID) as KL1GRNIMI, "
                                "(select c.KL1NIMI from KLASSIF1 c where c.KL1ID = KL1KLI.KL1ID) as KL1NIMI\n"
                                "from KL1KLI where KLIKOOD = :KLIKOOD\norder by KL1GRID, KL1ID\n");
    makeEditable(classifiers, "KL1KLI", {"KLIKOOD", "KL1GRID", "KL1ID", "KL1KLIKOMMENT"}, {"KLIKOOD", "KL1GRID", "KL1ID"});
    classifiers.setRefreshSql("select KL1KLI.*, (select g.KL1GRNIMI from KL1GR g where g.KL1GRID = KL1KLI.KL1GRID) as KL1GRNIMI, "
                              "(select c.KL1NIMI from KLASSIF1 c where c.KL1ID = KL1KLI.KL1ID) as KL1NIMI from KL1KLI "
                              "where KLIKOOD = :KLIKOOD and KL1GRID = :KL1GRID and KL1ID = :KL1ID");
    for (const char *name : {"KL1GRNIMI", "KL1NIMI"})
        classifiers.defineField(name, fb::FieldKind::Text, Field::Kind::Computed);
    classifiers.defineField("KL1GRID").setRequired(true);
    classifiers.defineField("KL1ID").setRequired(true);
    attachLookups(classifiers, {"KL1GRNIMI", "KL1NIMI"});

    DataSet &clientProducts = make("taTootedKliendil", "select * from KLITOODE where KLIKOOD = :KLIKOOD\n"
                                                       "order by KLITOODEID, KLITOODEALATESKUUP, KLITOODEKUNIKUUP\n");
    makeEditable(clientProducts, "KLITOODE",
                 {"KLITOODEID", "KLIKOOD", "TOOTEGRID", "TOOTEID", "TOOTELISAID", "KLITOODEALATESKUUP", "KLITOODEKUNIKUUP",
                  "KLITOODEKOGUS", "KLITOODEKOMMENT", "TOOTEUUDISEDOK"},
                 {"KLITOODEID"}, "KLITOODE_KLITOODEID_GEN");
    clientProducts.defineField("KLITOODEKOGUS").setDefaultValue(1);
    clientProducts.defineField("TOOTEUUDISEDOK").setDefaultValue(QStringLiteral("Y"));
    clientProducts.defineField("TOOTEGRID").setRequired(true);
    clientProducts.defineField("TOOTEID").setRequired(true);
    attachLookups(clientProducts, {"TOOTEGRNIMI", "TOOTENIMI", "TOOTEID", "TOOTELISANIMI"});

    DataSet &clientAgents = make("taKliendiAgendid", "select * from KLIAGENT where KLIKOOD = :KLIKOOD\norder by AGENTKOOD\n");
    makeEditable(clientAgents, "KLIAGENT", {"KLIKOOD", "AGENTKOOD", "AGENTVASTUTAV"}, {"KLIKOOD", "AGENTKOOD"});
    clientAgents.defineField("AGENTVASTUTAV").setDefaultValue(QString::fromLatin1(No));
    clientAgents.defineField("AGENTKOOD").setRequired(true);
    attachLookups(clientAgents, {"AGENTNIMI"});

    DataSet &documents = make("taKliendiDokum", "select * from KLIDOKUM where KLIKOOD = :KLIKOOD\norder by KLIDOKID\n");
    makeEditable(documents, "KLIDOKUM", {"KLIDOKID", "KLIKOOD", "KLIDOKTYYP", "KLIDOKFILENAME", "KLIDOKKOMMENT", "KLIDOKASUKOHT"},
                 {"KLIDOKID"}, "KLIDOKUM_KLIDOKID_GEN");
    documents.defineField("KLIDOKTYYP").setDefaultValue(QStringLiteral("file"));
    documents.defineField("KLIDOKFILENAME").setRequired(true);
    // Documents are opened from other workstations too: the name is kept in its network form.
    documents.field("KLIDOKFILENAME").onSetText = [](Field &f, const QString &text) {
        const QString name = text.trimmed();
        f.setValue(name.isEmpty() ? QVariant() : QVariant(ToNetworkPath(name)));
    };

    for (DataSet *detail : {&classifiers, &clientProducts, &clientAgents, &documents}) {
        detail->setMasterSource(m_dsKliendid.get());
        AttachClientDetailRules(*detail);
        commitAndReload(*detail, {});
    }

    DataSet &contacts = make("taKontaktid", "select * from KONTAKT\norder by KONTAKTID\n");
    makeEditable(contacts, "KONTAKT", ContactColumnList, {"KONTAKTID"}, "KONTAKT_KONTAKTID_GEN");
    for (const QString &c : ContactColumnList)
        contacts.defineField(c); // the confirmation rule is attached to each of them
    contacts.defineField("KONTAKTTOIMUS").setDefaultValue(QStringLiteral("Y"));
    contacts.defineField("KONTAKTIDGRUPP").setDefaultValue(0);
    attachLookups(contacts, {"AGENTNIMI", "REGAGENTNIMI", "KONTAKTLIIKNIMI", "KONTAKTISIKNIMI", "PROJNIMI", "TOOTEGRNIMI",
                             "TOOTENIMI"});
    addClientNameField(contacts);
    commitAndReload(contacts, {});
    contacts.afterOpen.push_back([this](DataSet &) { openLists({"taKliendidL", "taKliKontaktIsikudL", "taProjektidL"}); });

    // Plans with their client's address and numbers and their contact person's numbers, read in one
    // statement: the person comes in by a join, not by a procedure called for every column of every row.
    const QString planColumns = QStringLiteral(
        "select KLIJKONT.JKONTAKTID, KLIJKONT.KLIKOOD, KLIJKONT.AGENTKOOD, KLIJKONT.JKONTAKTKUUP, "
        "KLIJKONT.JKONTAKTKELL, KLIJKONT.JKONTAKTKUUPKUNI, KLIJKONT.JKONTAKTKELLKUNI, KLIJKONT.JKONTAKTLIIK, "
        "KLIJKONT.JKONTAKTKOKKULEPE, KLIJKONT.JKONTAKTTEEMA, KLIJKONT.JKONTAKTKOMMENT, KLIJKONT.KLIKISIKKOOD, "
        "KLIJKONT.JKONTTAHTAEG, KLIJKONT.REGAGENTKOOD, KLIJKONT.AGENTTUTVUNUD, KLIJKONT.PROJID, KLIJKONT.TOOTEGRID, "
        "KLIJKONT.TOOTEID, KLIJKONT.AGENTNIMI, KLIJKONT.REGAGENTNIMI, KLIJKONT.JKONTAKTLIIKNIMI, "
        "KLIKISIK.KONTAKTISIKNIMI, KLIJKONT.PROJNIMI, KLIJKONT.TOOTEGRNIMI, KLIJKONT.TOOTENIMI, "
        "KLIENTK.KLINIMI, KLIENTK.KLIOMVORM, KLIENTK.KLIAADRESS, KLIENTK.KLITEL, KLIENTK.KLIFAX, KLIENTK.KLIEMAIL, "
        "KLIENTK.LINNVALDNIMI, KLIKISIK.KONTAKTISIKTEL, KLIKISIK.KONTAKTISIKFAX, KLIKISIK.KONTAKTISIKEMAIL\n"
        "from KLIJKONT left join KLIKISIK on KLIKISIK.KLIKISIKKOOD = KLIJKONT.KLIKISIKKOOD, KLIENTK\n"
        "where KLIENTK.KLIKOOD=KLIJKONT.KLIKOOD");
    DataSet &plans = make("taTanasedKliKontaktid", planColumns + QStringLiteral("\norder by JKONTAKTKUUP, JKONTAKTKELL\n"));
    plans.setRefreshSql(planColumns + QStringLiteral(" and KLIJKONT.JKONTAKTID = :JKONTAKTID\n"));
    addClientNameField(plans);
    addPlanContactFields(plans);
    plans.afterOpen.push_back([this](DataSet &) { openLists({"taKliendidL", "taProjektidL", "taTavaKontaktiLiigid"}); });
    make("taKliendidL", "select KLIKOOD, KLINIMI, KLIOMVORM from KLIENTK order by KLINIMI");
    make("taKliKontaktIsikudL", "select KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE, "
                                "(select KLINIMI from KLIENTK k where k.KLIKOOD = KLIKISIK.KLIKOOD) as KLINIMI "
                                "from KLIKISIK order by KONTAKTISIKNIMI");
    // Only the view's columns, also when the agent filter joins KLIAGENT in.
    addClientNameField(make("taKliKontaktIsikudKoond", "select KLIKISIK_KOOND_VIEW.* from KLIKISIK_KOOND_VIEW"));

    // Agents and their history.
    // Columns in the order the agents' list shows them.
    DataSet &agents = make("taAgendid", "select AGENTKOOD, AGEESNIMI, AGPERENIMI, AGTEL, AGFAX, AGEMAIL, AGENTAKTIIVNE, "
                                        "AGAADRESS, AGISIKUKOOD, LINNVALDNIMI, OSAKOND, MEIELIIN1, MEIELIIN2, "
                                        "LINNVALDKOOD, RIIKID from AGENTK\norder by AGENTKOOD\n");
    makeEditable(agents, "AGENTK", AgentColumns, {"AGENTKOOD"}, "AGENTK_AGENTKOOD_GEN");
    agents.defineField("AGENTAKTIIVNE").setDefaultValue(QStringLiteral("Y"));
    for (const char *f : {"AGENTKOOD", "AGEESNIMI", "AGPERENIMI", "AGTEL", "AGFAX", "AGEMAIL"})
        agents.defineField(f).setTag(3);
    AttachTextRule(agents, {"AGEESNIMI"}, VeergSetEmptyText);
    attachLookups(agents, {"LINNVALDNIMI"});
    agents.defineField("AGKOGUNIMI", fb::FieldKind::Text, Field::Kind::Calculated).setVisible(false);
    const QString agentList = QStringLiteral("select AGENTKOOD, AGEESNIMI, AGPERENIMI, AGTEL, AGFAX, AGEMAIL, "
                                             "AGENTAKTIIVNE, OSAKOND from AGENTK\norder by AGEESNIMI, AGPERENIMI\n");
    make("taAgendidL", agentList);
    make("taAgendidOmaL", agentList);
    for (const char *name : {"taAgendid", "taAgendidL", "taAgendidOmaL"}) {
        DataSet &l = *dataSet(name);
        l.defineField("AGKOGUNIMI", fb::FieldKind::Text, Field::Kind::Calculated);
        l.onCalcFields.push_back([](DataSet &d) {
            d.field("AGKOGUNIMI").setValue(d.field("AGEESNIMI").asString() + QLatin1Char(' ') + d.field("AGPERENIMI").asString());
        });
    }
    DataSet &salary = makeDetail("taAgPohiPalk", "select * from AGPPALK where AGENTKOOD = :AGENTKOOD\norder by PALGUSKUUP\n",
                                 "taAgendid");
    makeEditable(salary, "AGPPALK", {"AGENTKOOD", "PALGUSKUUP", "POHIPALK"}, {"AGENTKOOD", "PALGUSKUUP"});
    DataSet &turnover = makeDetail("taAgMyygiKaivePer",
                                   "select * from AGMYKAIV where AGENTKOOD = :AGENTKOOD\norder by PERALGUS, PERLOPP\n",
                                   "taAgendid");
    makeEditable(turnover, "AGMYKAIV", {"AGENTKOOD", "PERALGUS", "PERLOPP", "MYYGIKAIVE"}, {"AGENTKOOD", "PERALGUS", "PERLOPP"});
    salary.defineField("PALGUSKUUP").setRequired(true);
    turnover.defineField("PERALGUS").setRequired(true);
    turnover.defineField("PERLOPP").setRequired(true);
    for (DataSet *history : {&salary, &turnover}) {
        // The agent's history is changed at level 3, with the agent posted first.
        auto check = [this](DataSet &d) {
            PostMasterBeforeDetChange(d);
            checkMiddleLevel(d);
        };
        history->beforeInsert.push_back(check);
        history->beforeEdit.push_back(check);
        history->beforeDelete.push_back(check);
        history->onNewRecord.push_back([](DataSet &d) {
            d.field("AGENTKOOD").setValue(d.masterSource()->dataSet()->field("AGENTKOOD").value());
        });
        commitAndReload(*history, {});
    }

    // Reference tables changed at level 3.
    DataSet &workPlan = make("taAgMinutMaxMyyk", "select * from MINMAXM order by MALGUSKUUP");
    makeEditable(workPlan, "MINMAXM", {"MALGUSKUUP", "MINUTID", "MAXMYYK"}, {"MALGUSKUUP"});
    DataSet &projects = make("taProjektid", "select * from PROJEKT order by PROJID");
    makeEditable(projects, "PROJEKT",
                 {"PROJID", "PROJNIMI", "PROJKOMMENT", "PROJURL", "PROJAKTIIVNE", "VALISLIIN1", "VALISLIIN2", "MEIELIIN1",
                  "MEIELIIN2"},
                 {"PROJID"}, "PROJEKT_PROJID_GEN");
    projects.defineField("PROJAKTIIVNE").setDefaultValue(QStringLiteral("Y"));
    AttachTextRule(projects, {"PROJNIMI"}, VeergSetEmptyText);
    DataSet &forms = make("taOmandiVormid", "select * from OMVORM order by OMANDIVORM");
    makeEditable(forms, "OMVORM", {"OMANDIVORM", "OMANDIVORMNIMI"}, {"OMANDIVORM"});
    forms.defineField("OMANDIVORM").setRequired(true);
    AttachTextRule(forms, {"OMANDIVORM"}, OnKoodSetText);
    DataSet &types = make("taKontaktiLiigid", "select KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, MASSKONTAKT, KONTAKTLIIKAKTIIVNE, "
                                              "PLAANMINUTEID from KONTLIIK order by KONTAKTLIIKKOOD");
    makeEditable(types, "KONTLIIK", {"KONTAKTLIIKKOOD", "KONTAKTLIIKNIMI", "PLAANMINUTEID", "MASSKONTAKT", "KONTAKTLIIKAKTIIVNE"},
                 {"KONTAKTLIIKKOOD"}, "KONTLIIK_KONTAKTLIIKKOOD_GEN");
    types.defineField("PLAANMINUTEID").setDefaultValue(1);
    types.defineField("MASSKONTAKT").setDefaultValue(QString::fromLatin1(No));
    types.defineField("KONTAKTLIIKAKTIIVNE").setDefaultValue(QString::fromLatin1(Yes));
    AttachTextRule(types, {"KONTAKTLIIKNIMI"}, VeergSetEmptyText);

    // Products and other reference tables.
    DataSet &products = make("taTooted", "select * from TOOTED\norder by TOOTENIMI\n");
    makeEditable(products, "TOOTED", ProductColumns, {"TOOTEID"}, "TOOTED_TOOTEID_GEN");
    products.defineField("TOODEAKTIIVNE").setDefaultValue(QStringLiteral("Y"));
    products.defineField("TOOTENIMI").setRequired(true);
    products.defineField("TOOTEGRID").setRequired(true);
    AttachTextRule(products, {"TOOTENIMI"}, VeergSetEmptyText);
    AttachTextRule(products, {"TOOTEKOODLAOS"}, OnKoodSetText);
    attachLookups(products, {"TOOTEGRNIMI"});
    DataSet &groups = make("taTooteGrupid", "select * from TOOTEGR\norder by TOOTEGRNIMI\n");
    makeEditable(groups, "TOOTEGR", {"TOOTEGRID", "TOOTEGRNIMI", "TOOTEGRKOMMENT", "TOOTELISATIITEL"}, {"TOOTEGRID"},
                 "TOOTEGR_TOOTEGRID_GEN");
    groups.defineField("TOOTEGRNIMI").setRequired(true);
    AttachTextRule(groups, {"TOOTEGRNIMI"}, VeergSetEmptyText);
    DataSet &specs = makeDetail("taTooteLisa", "select * from TOOTELISA where TOOTEGRID = :TOOTEGRID\n"
                                               "order by TOOTEGRID, TOOTELISANIMI\n",
                                "taTooteGrupid");
    makeEditable(specs, "TOOTELISA", {"TOOTELISAID", "TOOTEGRID", "TOOTELISANIMI"}, {"TOOTELISAID"}, "GEN_TOOTELISA_ID");
    specs.defineField("TOOTELISANIMI").setRequired(true);
    specs.defineField("TOOTELISAID").setVisible(false);
    AttachTextRule(specs, {"TOOTELISANIMI"}, VeergSetEmptyText);
    PostMasterBeforeDetailChanges(specs);
    specs.onNewRecord.push_back([](DataSet &d) {
        d.field("TOOTEGRID").setValue(d.masterSource()->dataSet()->field("TOOTEGRID").value());
    });
    DataSet &places = make("taLinnadVallad", "select * from LINNVALD order by LINNVALDNIMI");
    makeEditable(places, "LINNVALD", {"LINNVALDKOOD", "LINNVALDNIMI", "RIIKID"}, {"LINNVALDKOOD"}, "LINNVALD_LINNVALDKOOD_GEN");
    AttachTextRule(places, {"LINNVALDNIMI"}, VeergSetEmptyText);
    places.defineField("RIIGINIMI").onSetText = [this](Field &f, const QString &text) { PlaceCountrySetText(f, text); };
    DataSet &countries = make("taRiigid", "select * from RIIK order by RIIKID");
    makeEditable(countries, "RIIK", {"RIIKID", "RIIGINIMI"}, {"RIIKID"}, "GEN_RIIK_RIIKID");
    DataSet &classGroups = make("taKlassif1Gr", "select * from KL1GR\norder by KL1GRNIMI\n");
    makeEditable(classGroups, "KL1GR", {"KL1GRID", "KL1GRNIMI", "KL1GRKOMMENT"}, {"KL1GRID"}, "KL1GR_KL1GRID_GEN");
    AttachTextRule(classGroups, {"KL1GRNIMI"}, VeergSetEmptyText);
    DataSet &classes = make("taKlassif1", "select * from KLASSIF1\norder by KL1NIMI\n");
    makeEditable(classes, "KLASSIF1", {"KL1ID", "KL1GRID", "KL1NIMI", "KL1KOOD", "KL1KOMMENT"}, {"KL1ID"}, "KLASSIF1_KL1ID_GEN");
    classes.defineField("KL1GRID").setVisible(false);
    AttachTextRule(classes, {"KL1NIMI"}, VeergSetEmptyText);
    AttachTextRule(classes, {"KL1KOOD"}, OnKoodSetText);
    attachLookups(classes, {"KL1GRNIMI"});
    DataSet &positions = make("taAmetid", "select * from KAMETID\norder by AMETID\n");
    makeEditable(positions, "KAMETID", {"AMETID", "AMET"}, {"AMETID"}, "GEN_KAMETID_AMETID");
    positions.defineField("AMET").setRequired(true);
    DataSet &holidays = make("taPyhad", "select KUUPAEV, PYHANIMI from PYHAD\norder by KUUPAEV\n");
    makeEditable(holidays, "PYHAD", {"KUUPAEV", "PYHANIMI"}, {"KUUPAEV"});
    DataSet &parameters = make("taParameetrid", "select * from KPARAMS\norder by PARAMEETER\n");
    makeEditable(parameters, "KPARAMS", {"PARAMEETER", "TEKSTVAARTUS", "BOOLVAARTUS", "SELGITUS"}, {"PARAMEETER"});
    parameters.defineField("PARAMEETER").setRequired(true);
    DataSet &ownCompany = make("taOmaFirma", "select * from OMAFIRMA");
    makeEditable(ownCompany, "OMAFIRMA",
                 {"FIRNIMI", "FIROMVORM", "FIRAADRESS", "FIRPOSTIINDEX", "FIRTEL", "FIRFAX", "FIREMAIL", "FIRWWW",
                  "FIRJUHTEESNIMI", "FIRJUHTPERENIMI", "FIRREGNR"},
                 {"FIRNIMI"});
    ownCompany.defineField("FIRNIMI").setRequired(true);
    ownCompany.beforePost.push_back([](DataSet &d) {
        if (d.field("FIRNIMI").asString().trimmed().size() < 3)
            throw DataError(Translate(QStringLiteral("Firma nime minimaalne pikkus on 3 sümbolit")));
    });

    // Look-up copies.
    make("taLinnadValladL", "select LINNVALDKOOD, LINNVALDNIMI, RIIKID from LINNVALD\norder by LINNVALDNIMI\n");
    make("taRiigidL", "select RIIKID, RIIGINIMI from RIIK\norder by RIIGINIMI\n");
    make("taOmandiVormidL", "select OMANDIVORM, OMANDIVORMNIMI from OMVORM\norder by OMANDIVORM\n");
    make("taAmetidL", "select AMETID, AMET from KAMETID\norder by AMET\n");
    make("taTooteGrupidL", "select TOOTEGRID, TOOTEGRNIMI, TOOTELISATIITEL from TOOTEGR\norder by TOOTEGRNIMI\n");
    make("taTootedL", "select TOOTEID, TOOTEGRID, TOOTENIMI, TOOTEHINDKMTA, TOOTEKMPROC, TOOTEHINDKMGA, TOODEAKTIIVNE "
                      "from TOOTED\norder by TOOTENIMI\n");
    make("taTooteLisaL", "select TOOTELISAID, TOOTEGRID, TOOTELISANIMI from TOOTELISA\norder by TOOTELISANIMI\n");
    make("taKlassif1GrL", "select KL1GRID, KL1GRNIMI from KL1GR\norder by KL1GRNIMI\n");
    make("taKlassif1L", "select KL1ID, KL1GRID, KL1NIMI, KL1KOOD from KLASSIF1\norder by KL1NIMI\n");
    make("taProjektidL", "select PROJID, PROJNIMI, PROJAKTIIVNE from PROJEKT\norder by PROJNIMI\n");
    make("taKontaktiLiigidL", "select KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID, MASSKONTAKT, KONTAKTLIIKAKTIIVNE "
                              "from KONTLIIK\norder by KONTAKTLIIKNIMI\n");
    make("taTavaKontaktiLiigid", "select KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID from KONTLIIK\n"
                                 "where coalesce(MASSKONTAKT, 'N') <> 'Y'\norder by KONTAKTLIIKNIMI\n");
    make("taMassKontaktiLiigid", "select KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID from KONTLIIK\n"
                                 "where MASSKONTAKT = 'Y'\norder by KONTAKTLIIKNIMI\n");

    // The reference tables commit and reload their look-up copies after every change.
    const std::map<QString, QStringList> reloads = {
        {"taAgendid", {"taAgendidL", "taAgendidOmaL"}},
        {"taKontaktiLiigid", {"taKontaktiLiigidL", "taTavaKontaktiLiigid", "taMassKontaktiLiigid"}},
        {"taTooted", {"taTootedL"}},
        {"taTooteGrupid", {"taTooteGrupidL"}},
        {"taTooteLisa", {"taTooteLisaL"}},
        {"taLinnadVallad", {"taLinnadValladL"}},
        // A renamed country shows in the places' country column too.
        {"taRiigid", {"taRiigidL", "taLinnadValladL"}},
        {"taKlassif1Gr", {"taKlassif1GrL"}},
        {"taKlassif1", {"taKlassif1L"}},
        {"taProjektid", {"taProjektidL"}},
        {"taOmandiVormid", {"taOmandiVormidL"}},
        {"taAmetid", {"taAmetidL"}},
        {"taAgMinutMaxMyyk", {}},
        {"taPyhad", {}},
        {"taParameetrid", {}},
        {"taOmaFirma", {}},
    };
    for (const auto &[name, lists] : reloads)
        commitAndReload(*dataSet(name), lists);
    // An open places list shows the country names too; a row being typed there is left alone.
    auto refreshPlaces = [this](DataSet &) {
        DataSet *open = dataSet(QStringLiteral("taLinnadVallad"));
        if (!open || !open->isActive() || open->isEditing())
            return;
        const QVariant current = open->isEmpty() ? QVariant() : open->field("LINNVALDKOOD").value();
        open->reopen();
        if (current.isValid())
            open->locate(QStringLiteral("LINNVALDKOOD"), current);
    };
    countries.afterPost.push_back(refreshPlaces);
    countries.afterDelete.push_back(refreshPlaces);

    attachRules();
}

void TData1::reopenIfOpen(const QString &name)
{
    if (DataSet *ds = dataSet(name); ds && ds->isActive())
        ds->reopen();
}

void TData1::rereadClientList(DataSet &changed)
{
    DataSet *list = taKliendid();
    if (!list || &changed == list)
        return;
    RereadList(*list, QStringLiteral("KLIKOOD"));
}

void TData1::RereadList(DataSet &list, const QString &keyField)
{
    if (!list.isActive() || list.isEditing())
        return;
    // Read again only as far as the user stood: a register of a million rows is not fetched whole
    // for one changed row.
    const int row = list.currentRow();
    const QVariant key = row >= 0 && !list.isEmpty() ? list.field(keyField).value() : QVariant();
    list.reopen();
    if (row <= 0 || list.isEmpty())
        return;
    list.fetchMore(row + 1 - list.fetchedCount());
    const int keyIndex = list.field(keyField).index();
    for (int r = 0; r < list.fetchedCount(); ++r) {
        if (list.valueAt(r, keyIndex) == key) {
            list.moveTo(r);
            return;
        }
    }
    list.moveTo(std::min(row, list.fetchedCount() - 1));
}

void TData1::PlansChanged()
{
    if (DataSet *plans = dataSet(QStringLiteral("taTanasedKliKontaktid")))
        RereadList(*plans, QStringLiteral("JKONTAKTID"));
}

void TData1::PlanSaved(int planId)
{
    DataSet *plans = dataSet(QStringLiteral("taTanasedKliKontaktid"));
    if (!plans || !plans->isActive() || plans->isEditing())
        return;
    if (!plans->isEmpty() && plans->field(QStringLiteral("JKONTAKTID")).asInt() == planId) {
        plans->refresh();
        return;
    }
    RereadList(*plans, QStringLiteral("JKONTAKTID"));
}

void TData1::ContactsChanged()
{
    if (DataSet *contacts = taKontaktid())
        RereadList(*contacts, QStringLiteral("KONTAKTID"));
}

void TData1::refuse(const QString &message, const QString &caption)
{
    if (m_ui)
        m_ui->showMessage(message, caption);
    throw Abort();
}

void TData1::checkMiddleLevel(DataSet &)
{
    if (m_session->Level < 3)
        refuse(Translate(QStringLiteral("Kasutajanivoo liiga madal !")), m_main ? m_main->MainCaption() : QString());
}

bool TData1::IsOwnClient(int clientCode)
{
    SqlStatement q(*m_tr);
    q.setSql(QStringLiteral("select KLIKOOD, AGENTKOOD from KLIAGENT where KLIKOOD=:KLIKOOD and AGENTKOOD=:AGENTKOOD"));
    q.setParam(QStringLiteral("KLIKOOD"), clientCode);
    q.setParam(QStringLiteral("AGENTKOOD"), m_session->AgentCode);
    return q.scalar().isValid();
}

void TData1::clientBeforeEdit(DataSet &client)
{
    if (m_session->Level <= 2 && !IsOwnClient(static_cast<int>(client.field("KLIKOOD").asInt())))
        refuse(Translate(QStringLiteral("Agendil lubatud muuta vaid oma kliente !")), Translate(QStringLiteral("Kliendid")));
}

void TData1::EnneKliendiDetailideMuutmist(DataSet &detail)
{
    PostMasterBeforeDetChange(detail);
    // The client of the detail is its master's current row: the module's own clients or a card's.
    DataSet *client = detail.masterSource() ? detail.masterSource()->dataSet() : nullptr;
    clientBeforeEdit(client ? *client : *taKliendid());
}

void TData1::AttachClientDetailRules(DataSet &detail)
{
    auto check = [this](DataSet &d) { EnneKliendiDetailideMuutmist(d); };
    detail.beforeInsert.push_back(check);
    detail.beforeEdit.push_back(check);
    detail.beforeDelete.push_back(check);
    detail.onNewRecord.push_back([](DataSet &d) {
        if (DataSet *client = d.masterSource() ? d.masterSource()->dataSet() : nullptr)
            d.field("KLIKOOD").setValue(client->field("KLIKOOD").value());
    });
}

void TData1::AttachContactPersonRules(DataSet &persons)
{
    persons.defineField("KONTAKTISIKAKTIIVNE").setDefaultValue(QStringLiteral("Y"));
    persons.defineField("KISIKPAKKUMOK").setDefaultValue(QStringLiteral("Y"));
    persons.defineField("KONTAKTISIKNIMI").setRequired(true);
    persons.field("KONTAKTISIKNIMI").setDisplayLabel(QStringLiteral("Nimi"));
    AttachTextRule(persons, {"KONTAKTISIKNIMI"}, VeergSetEmptyText);
    AttachTextRule(persons, {"KISIKUKOOD"}, OnKoodSetText);
    attachLookups(persons, {"KONTAKTISIKAMET"});
    AttachClientDetailRules(persons);
    persons.beforePost.push_back([](DataSet &d) {
        KeepPhoneSearchColumn(d.field("KONTAKTISIKTEL"), d.field("KISIKTELTRIM"), false);
        KeepPhoneSearchColumn(d.field("KONTAKTISIKTEL2"), d.field("KISIKTEL2TRIM"), false);
    });
    auto after = [this](DataSet &d) {
        SaveChangesAfterPost(d);
        reopenIfOpen(QStringLiteral("taKliKontaktIsikudL"));
        reopenIfOpen(QStringLiteral("taKliKontaktIsikudKoond"));
    };
    persons.afterPost.push_back(after);
    persons.afterDelete.push_back(after);
}

void TData1::AttachClientRules(DataSet &clients)
{
    for (const auto &[f, v] : std::initializer_list<std::pair<const char *, QVariant>>{
             {"KLIBOONUS", "N"}, {"KLIPYSI", "N"}, {"KLIENTAKTIIVNE", "Y"}, {"KLIMPAKKUMOK", "Y"}, {"KLISUHTETYYP", 1}})
        clients.defineField(f).setDefaultValue(v);
    clients.defineField("KLINIMI").setRequired(true);
    clients.field("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
    AttachTextRule(clients, {"KLIKOODLAOS", "KLIREGNR", "KLILEPINGUNR"}, OnKoodSetText);
    attachLookups(clients, {"KLIOMVORM", "LINNVALDNIMI", "LINNVALDNIMI2", "RIIGINIMI"});

    clients.beforeEdit.push_back([this](DataSet &d) { clientBeforeEdit(d); });
    clients.beforeDelete.push_back([this](DataSet &d) {
        if (m_session->Level <= 1)
            refuse(Translate(QStringLiteral("Kliendi kustutamine keelatud !")), Translate(QStringLiteral("Kliendid")));
        clientBeforeEdit(d);
    });
    clients.onNewRecord.push_back([](DataSet &d) { d.field("KLILISAMKUUP").setValue(QDate::currentDate()); });
    clients.beforePost.push_back([this](DataSet &d) {
        m_pendingClient = 0;
        if (d.state() == DataSet::State::Insert) {
            // The code is drawn here rather than by the post itself, so that it is known to the rules
            // that run after the post (the client's agent, a pending classifier, the card).
            Field &code = d.field("KLIKOOD");
            if (code.isNull()) {
                SqlStatement gen(*m_tr);
                gen.setSql(QStringLiteral("select gen_id(KLIENTK_KLIKOOD_GEN, 1) from RDB$DATABASE"));
                code.setValue(gen.scalar());
            }
            m_pendingClient = static_cast<int>(code.asInt());
        }
        KeepPhoneSearchColumn(d.field("KLITEL"), d.field("KLITELTRIM"), true);
        KeepPhoneSearchColumn(d.field("KLITEL2"), d.field("KLITEL2TRIM"), true);
    });
    clients.field("KLINIMI").onSetText = [this](Field &field, const QString &text) {
        const QString name = text.trimmed();
        DataSet &d = field.dataSet();
        if (!name.isEmpty()) {
            SqlStatement q(*m_tr);
            q.setSql(QStringLiteral("select KLIKOOD, KLINIMI from KLIENTK where UPPER(KliNimi)=:KliNimiUpper"));
            q.setParam(QStringLiteral("KliNimiUpper"), name.toUpper());
            q.exec();
            const qint64 own = d.state() == DataSet::State::Edit ? d.field("KLIKOOD").asInt() : -1;
            while (q.next()) {
                const qint64 other = q.value(0).toLongLong();
                if (other == own)
                    continue;
                const auto answer = m_ui ? m_ui->ask(Translate(QStringLiteral("Klient '%1' on juba olemas, tühistame ja näitame olemasolevat ?")).arg(name),
                                                     Translate(QStringLiteral("Kliendid")), UserInterface::Buttons::YesNo)
                                         : UserInterface::Answer::No;
                if (answer == UserInterface::Answer::Yes) {
                    d.cancel();
                    if (m_main)
                        m_main->OpenClientCard(static_cast<int>(other), 0);
                }
                throw Abort();
            }
        }
        field.setValue(name.isEmpty() ? QVariant() : QVariant(name));
    };
    clients.field("KLISUHTETYYP").onGetText = [](const Field &f, bool forDisplay) {
        if (f.isNull())
            return QString();
        // An edit shows what is typed: the number.
        if (!forDisplay)
            return QString::number(f.asInt());
        switch (f.asInt()) {
        case 1: return QStringLiteral("Klient");
        case 11: return QStringLiteral("Partner");
        default: return QString();
        }
    };
    clients.field("KLISUHTETYYP").onSetText = [](Field &f, const QString &text) {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        if (ok && (v == 1 || v == 11))
            f.setValue(v);
    };
    clients.afterWrite.push_back([this](DataSet &) {
        // The new client's agent and classifier rows go into the transaction that holds the client
        // and are committed with it: a client is never left without the agent that may change it.
        // Written before the dataset takes the row as saved, so that a failure leaves it being inserted.
        if (m_pendingClient != 0) {
            const int code = m_pendingClient;
            try {
                if (m_session->AgentCode > 0) {
                    SqlStatement q(*m_tr);
                    q.setSql(QStringLiteral("INSERT INTO kliagent (KliKood, AgentKood, AgentVastutav) "
                                            "VALUES (:KliKood, :AgentKood, :AgentVastutav)"));
                    q.setParam(QStringLiteral("KliKood"), code);
                    q.setParam(QStringLiteral("AgentKood"), m_session->AgentCode);
                    q.setParam(QStringLiteral("AgentVastutav"), QString::fromLatin1(Yes));
                    q.exec();
                }
                if (m_pendingGroup > 0 && m_pendingClassifier > 0) {
                    SqlStatement q(*m_tr);
                    q.setSql(QStringLiteral("INSERT INTO KL1KLI (KL1GRID, KL1ID, KLIKOOD) VALUES (:KL1GRID, :KL1ID, :KLIKOOD)"));
                    q.setParam(QStringLiteral("KL1GRID"), m_pendingGroup);
                    q.setParam(QStringLiteral("KL1ID"), m_pendingClassifier);
                    q.setParam(QStringLiteral("KLIKOOD"), code);
                    q.exec();
                }
            } catch (...) {
                // Nothing but the client's own insert is uncommitted here: it goes back with them.
                m_tr->rollbackRetaining();
                m_pendingClient = 0;
                throw;
            }
        }
    });
    clients.afterPost.push_back([this](DataSet &d) {
        m_pendingClient = 0;
        SaveChangesAfterPost(d);
        reopenIfOpen(QStringLiteral("taTanasedKliKontaktid"));
        reopenIfOpen(QStringLiteral("taKliendidL"));
        rereadClientList(d);
    });
    clients.afterDelete.push_back([this](DataSet &d) {
        SaveChangesAfterPost(d);
        reopenIfOpen(QStringLiteral("taTanasedKliKontaktid"));
        reopenIfOpen(QStringLiteral("taKliendidL"));
        rereadClientList(d);
    });
    clients.afterOpen.push_back([this](DataSet &) {
        for (const char *l : {"taLinnadValladL", "taKlassif1GrL", "taKlassif1L", "taTooteGrupidL", "taTootedL", "taProjektidL"})
            if (DataSet *list = dataSet(l))
                list->open();
    });
}

void TData1::AttachColumnRights(DataSet &ds)
{
    for (int i = 0; i < ds.fieldCount(); ++i) {
        Field &f = ds.fieldAt(i);
        if (f.tag() <= 0)
            continue;
        f.onValidate = [this](Field &field, const QVariant &) {
            if (field.dataSet().state() == DataSet::State::Edit && m_session->Level < field.tag())
                refuse(Translate(QStringLiteral("Veergu '%1' keelatud muuta !")).arg(field.displayLabel()),
                       m_main ? m_main->MainCaption() : QString());
        };
    }
}

void TData1::attachRules()
{
    // Level 3 for reference data.
    for (const char *name : {"taAgendid", "taAgMinutMaxMyyk", "taProjektid", "taOmandiVormid", "taKontaktiLiigid"}) {
        DataSet *ds = dataSet(name);
        auto check = [this](DataSet &d) { checkMiddleLevel(d); };
        ds->beforeInsert.push_back(check);
        ds->beforeEdit.push_back(check);
        ds->beforeDelete.push_back(check);
    }
    // Protected fields: changing them in an existing row needs the level of their tag.
    for (const auto &[name, ds] : m_dataSets)
        AttachColumnRights(*ds);

    // Confirmed contacts: at level 1 only the comment may change, and a confirmation stays.
    DataSet &contacts = *taKontaktid();
    for (int i = 0; i < contacts.fieldCount(); ++i) {
        Field &f = contacts.fieldAt(i);
        if (f.fieldName() == QLatin1String("KONTAKTKOMMENT") || f.kind() != Field::Kind::Data)
            continue;
        f.onValidate = [this](Field &field, const QVariant &value) {
            DataSet &d = field.dataSet();
            if (m_session->Level > 1 || d.state() != DataSet::State::Edit)
                return;
            const bool confirmed = d.field("KONTAKTTOIMUS").oldValue().toString() == QLatin1String(Yes);
            const bool isFlag = field.fieldName() == QLatin1String("KONTAKTTOIMUS");
            if ((confirmed && !isFlag) || (isFlag && value.toString() != QLatin1String(Yes)))
                refuse(Translate(QStringLiteral("Agendil lubatud muuta kinnitatud kontaktil vaid kommentaari veergu !")),
                       Translate(QStringLiteral("Toimunud kontaktid")));
        };
    }

    // Product prices.
    DataSet &products = *taTooted();
    for (const char *f : {"TOOTEHINDKMTA", "TOOTEKMPROC", "TOOTEHINDKMGA"}) {
        products.defineField(f).onSetText = [](Field &field, const QString &text) {
            QString t = text;
            t.remove(QLatin1Char(' '));
            bool ok = false;
            fb::Numeric n = fb::Numeric::fromString(t, field.scale(), &ok);
            if (!ok)
                n = fb::Numeric{0, field.scale()};
            field.setValue(QVariant::fromValue(n));
        };
        products.field(f).onChange = [this](Field &field) { priceChanged(field); };
    }
}

fb::Numeric TData1::RoundTo(const fb::Numeric &value, int decimals)
{
    return value.rescaled(decimals);
}

fb::Numeric TData1::PriceWithTax(const fb::Numeric &net, const fb::Numeric &percent)
{
    // net × (100 + percent) / 100, exact in integers, then rounded to cents.
    const fb::Numeric p = percent.rescaled(2);
    const fb::Numeric n = net.rescaled(3);
    const Wide product = static_cast<Wide>(n.scaled) * (10000 + p.scaled); // scale 3 + 2 + 2 = 7
    const Wide div = 100000; // to scale 2
    Wide q = product / div;
    const Wide r = product % div;
    if (2 * (r < 0 ? -r : r) >= div)
        q += product < 0 ? -1 : 1;
    return fb::Numeric{static_cast<qint64>(q), 2};
}

fb::Numeric TData1::PriceWithoutTax(const fb::Numeric &gross, const fb::Numeric &percent)
{
    // gross / (1 + percent/100) = gross × 100 / (100 + percent), rounded to 0.001.
    const fb::Numeric p = percent.rescaled(2);
    const fb::Numeric g = gross.rescaled(3);
    const Wide num = static_cast<Wide>(g.scaled) * 10000; // scale 3, times 100 with percent's 2 decimals
    const Wide den = 10000 + p.scaled;
    if (den == 0)
        return fb::Numeric{0, 3};
    Wide q = num / den;
    const Wide r = num % den;
    if (2 * (r < 0 ? -r : r) >= (den < 0 ? -den : den))
        q += (num < 0) != (den < 0) ? -1 : 1;
    return fb::Numeric{static_cast<qint64>(q), 3};
}

void TData1::priceChanged(Field &field)
{
    if (m_priceBusy)
        return;
    m_priceBusy = true;
    const auto done = qScopeGuard([this] { m_priceBusy = false; });
    DataSet &d = field.dataSet();
    auto num = [&](const char *name, int scale) {
        const QVariant v = d.field(name).value();
        return v.userType() == qMetaTypeId<fb::Numeric>() ? v.value<fb::Numeric>().rescaled(scale)
                                                         : fb::Numeric::fromDouble(v.toDouble(), scale);
    };
    const fb::Numeric percent = num("TOOTEKMPROC", 2);
    if (field.fieldName() == QLatin1String("TOOTEHINDKMGA")) {
        const fb::Numeric net = PriceWithoutTax(num("TOOTEHINDKMGA", 3), percent);
        if (d.field("TOOTEHINDKMTA").isNull() || !(num("TOOTEHINDKMTA", 3) == net))
            d.field("TOOTEHINDKMTA").setValue(QVariant::fromValue(net));
        return;
    }
    if (field.fieldName() == QLatin1String("TOOTEHINDKMTA")) {
        const fb::Numeric rounded = num("TOOTEHINDKMTA", 3);
        if (!(d.field("TOOTEHINDKMTA").value().value<fb::Numeric>() == rounded))
            d.field("TOOTEHINDKMTA").setValue(QVariant::fromValue(rounded));
    }
    const fb::Numeric gross = PriceWithTax(num("TOOTEHINDKMTA", 3), percent).rescaled(3);
    if (d.field("TOOTEHINDKMGA").isNull() || !(num("TOOTEHINDKMGA", 3) == gross))
        d.field("TOOTEHINDKMGA").setValue(QVariant::fromValue(gross));
}

bool TData1::ClientNameExists(const QString &name, const QString &title, bool ask)
{
    SqlStatement q(*m_tr);
    q.setSql(QStringLiteral("select KLIKOOD, KLINIMI from KLIENTK where UPPER(KliNimi)=:KliNimiUpper"));
    q.setParam(QStringLiteral("KliNimiUpper"), name.trimmed().toUpper());
    q.exec();
    if (!q.next())
        return false;
    const int code = q.value(0).toInt();
    if (ask && m_ui
        && m_ui->ask(Translate(QStringLiteral("Klient '%1' on juba olemas, näitame ?")).arg(name.trimmed()), title,
                     UserInterface::Buttons::YesNo)
               == UserInterface::Answer::Yes
        && m_main)
        m_main->OpenClientCard(code, 0);
    return true;
}

void TData1::SetPendingClassifier(int groupId, int classifierId)
{
    m_pendingGroup = groupId;
    m_pendingClassifier = classifierId;
}

void TData1::ClearPendingClassifier()
{
    m_pendingGroup = m_pendingClassifier = 0;
}

void TData1::SetSessionFilters()
{
    const int a = m_session->AgentCode;
    AgentCondition = a > 0 ? QStringLiteral("AgentKood=%1").arg(a) : QString();
    // A card opens on the own agent's plans and contacts when the lists open on the own agent's rows.
    CardFilters = CardFilterStates{};
    CardFilters.ownPlans = CardFilters.ownContacts = a > 0 && m_session->DefaultAgentFilter;
    auto clientAgent = [a](const QString &t) {
        return QStringLiteral("KLIAGENT.KliKood=") + t + (t.isEmpty() ? QString() : QStringLiteral(".")) +
               QStringLiteral("KliKood and KLIAGENT.AGENTKOOD=%1").arg(a);
    };
    if (m_session->Level < 3 && !AgentCondition.isEmpty()) {
        ApplyWhere(*taAgendid(), AgentCondition);
        ApplyWhere(*dataSet("taAgendidOmaL"), AgentCondition);
    }
    const QString av = QString::number(a);
    TMySQLDataSetFilter &clients = FilterFor(*taKliendid());
    TMySQLDataSetFilter &persons = FilterFor(*dataSet("taKliKontaktIsikudKoond"));
    TMySQLDataSetFilter &interviews = FilterForName(QStringLiteral("taKlientKysimine"));
    BeginFilter(clients);
    BeginFilter(persons);
    BeginFilter(interviews);
    if (a > 0 && m_session->DefaultAgentFilter) {
        SetAtom(clients, QStringLiteral("AgentKood"), av, QString(), clientAgent(QStringLiteral("KLIENTK")));
        AddTable(clients, QStringLiteral("KLIAGENT"));
        TMySQLDataSetFilter &c = FilterFor(*taKontaktid());
        BeginFilter(c);
        SetAtom(c, QStringLiteral("AgentKood"), av, QString(), QStringLiteral("AgentKood=") + av);
        CommitFilter(c);
        SetAtom(persons, QStringLiteral("AgentKood"), av, QString(), clientAgent(QStringLiteral("KLIKISIK_KOOND_VIEW")));
        AddTable(persons, QStringLiteral("KLIAGENT"));
        TMySQLDataSetFilter &plans = FilterFor(*dataSet("taTanasedKliKontaktid"));
        BeginFilter(plans);
        SetAtom(plans, QStringLiteral("AgentKood"), av, QString(), QStringLiteral("KLIJKONT.") + AgentCondition);
        CommitFilter(plans);
        TMySQLDataSetFilter &offers = FilterForName(QStringLiteral("taPakkumised"));
        BeginFilter(offers);
        SetAtom(offers, QStringLiteral("AgentKood"), av, QString(), QStringLiteral("AgentKood=") + av);
        CommitFilter(offers);
        SetAtom(interviews, QStringLiteral("AgentKood"), av, QString(), clientAgent(QStringLiteral("KYSITLKL")));
        AddTable(interviews, QStringLiteral("KLIAGENT"));
        TMySQLDataSetFilter &answers = FilterForName(QStringLiteral("taKysKliVastus"));
        BeginFilter(answers);
        SetAtom(answers, QStringLiteral("AgentKood"), av, QString(), clientAgent(QStringLiteral("KVASTUS")));
        AddTable(answers, QStringLiteral("KLIAGENT"));
        CommitFilter(answers);
    }
    const QString activeYes = QStringLiteral("KlientAktiivne='") + QLatin1String(Yes) + QLatin1Char('\'');
    SetAtom(clients, QStringLiteral("KLIENTK.KlientAktiivne"), QLatin1String(Yes), QString(), activeYes);
    CommitFilter(clients);
    SetAtom(persons, QStringLiteral("KontaktIsikAktiivne"), QLatin1String(Yes), QString(),
            QStringLiteral("KontaktIsikAktiivne='") + QLatin1String(Yes) + QLatin1Char('\''));
    SetAtom(persons, QStringLiteral("KlientAktiivne"), QLatin1String(Yes), QString(), activeYes);
    CommitFilter(persons);
    SetAtom(interviews, QStringLiteral("KysitlusTehtud"), QLatin1String(No), QString(),
            QStringLiteral("KysitlusTehtud='") + QLatin1String(No) + QLatin1Char('\''));
    CommitFilter(interviews);
    for (const char *name : {"taAgendid", "taAgendidOmaL", "taTanasedKliKontaktid", "taKliendid", "taKontaktid",
                             "taKliKontaktIsikudKoond"})
        dataSet(QString::fromLatin1(name))->setFiltered(true);
}

bool TData1::IsHoliday(const QDate &date)
{
    DataSet *h = dataSet(QStringLiteral("taPyhad"));
    if (!h->isActive())
        h->open();
    return h->lookup({QStringLiteral("KUUPAEV")}, {date}, QStringLiteral("KUUPAEV")).isValid();
}

QString TData1::ToNetworkPath(const QString &fileName)
{
    if (fileName.trimmed().isEmpty())
        return fileName;
    const QString full = QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
    // A file on a mounted network share is shown as the share's own name: server:/export/rest.
    const QStorageInfo storage(QFileInfo(full).absolutePath());
    const QByteArray type = storage.fileSystemType();
    if (storage.isValid() && (type.startsWith("nfs") || type == "cifs" || type == "smb3" || type == "smbfs")) {
        const QString device = QString::fromLocal8Bit(storage.device());
        const QString root = storage.rootPath();
        QString rest = full.mid(root.size());
        if (!rest.startsWith(QLatin1Char('/')))
            rest.prepend(QLatin1Char('/'));
        QString share = device;
        while (share.endsWith(QLatin1Char('/')))
            share.chop(1);
        return share + rest;
    }
    return full;
}

int TData1::RebuildPhoneSearch(const std::function<void(int, int)> &progress)
{
    struct Table
    {
        const char *count;
        const char *select;
        const char *update;
        bool nullWhenEmpty; // clients keep no search text for no number, contact persons an empty one
    };
    static const Table tables[] = {
        {"select count(*) from KLIENTK", "select KLIKOOD, KLITEL, KLITEL2, KLITELTRIM, KLITEL2TRIM from KLIENTK",
         "update KLIENTK set KLITELTRIM = ?, KLITEL2TRIM = ? where KLIKOOD = ?", true},
        {"select count(*) from KLIKISIK",
         "select KLIKISIKKOOD, KONTAKTISIKTEL, KONTAKTISIKTEL2, KISIKTELTRIM, KISIKTEL2TRIM from KLIKISIK",
         "update KLIKISIK set KISIKTELTRIM = ?, KISIKTEL2TRIM = ? where KLIKISIKKOOD = ?", false},
    };
    auto wanted = [](const fb::Statement &st, int column, bool nullWhenEmpty) -> QVariant {
        const QString number = st.isNull(column) ? QString() : st.getString(column);
        if (number.isEmpty())
            return nullWhenEmpty ? QVariant() : QVariant(QString(""));
        return PhoneDigits(number);
    };
    auto stored = [](const fb::Statement &st, int column) -> QVariant {
        return st.isNull(column) ? QVariant() : QVariant(st.getString(column));
    };
    auto same = [](const QVariant &a, const QVariant &b) {
        return a.isNull() == b.isNull() && (a.isNull() || a.toString() == b.toString());
    };

    int total = 0;
    for (const Table &t : tables) {
        SqlStatement count(*m_tr);
        count.setSql(QString::fromLatin1(t.count));
        total += count.scalar().toInt();
    }
    int done = 0;
    int written = 0;
    for (const Table &t : tables) {
        // Statements of its own: the shared datasets, their filters and their after-post rules stay out.
        fb::Statement rows(*m_tr, QString::fromLatin1(t.select));
        fb::Statement update(*m_tr, QString::fromLatin1(t.update));
        rows.execute();
        while (rows.fetch()) {
            const QVariant first = wanted(rows, 1, t.nullWhenEmpty);
            const QVariant second = wanted(rows, 2, t.nullWhenEmpty);
            if (!same(first, stored(rows, 3)) || !same(second, stored(rows, 4))) {
                update.setValue(0, first);
                update.setValue(1, second);
                update.setInt(2, rows.getInt(0));
                update.execute();
                ++written;
            }
            if (progress && (++done % 1000 == 0 || done == total))
                progress(done, total);
        }
        rows.closeCursor();
    }
    if (progress)
        progress(total, total);
    m_tr->commitRetaining();
    return written;
}

void TData1::DialNumber(const QString &number, const QString &calledParty)
{
    if (number.trimmed().isEmpty())
        throw DataError(Translate(QStringLiteral("Telefoninumber väärtustamata !")));
    // The number as it is stored, not reduced, after what gets an outside line.
    const QString destination = GetParameter(QString::fromLatin1(ProgramParameters::DialerOutsideLineAccess)) + number;
    if (m_ui)
        m_ui->dial(destination, calledParty);
}

std::optional<TData1::LookupDescriptor> TData1::descriptorFor(const QString &fieldName) const
{
    static const std::map<QString, LookupDescriptor> table = {
        {"RIIGINIMI", {"taRiigidL", "RIIKID", "RIIKID", "RIIGINIMI", {}, {}, "Riigid"}},
        {"LINNVALDNIMI", {"taLinnadValladL", "LINNVALDKOOD", "LINNVALDKOOD", "LINNVALDNIMI", {}, {}, "Linnad-vallad"}},
        {"LINNVALDNIMI2", {"taLinnadValladL", "LINNVALDKOOD2", "LINNVALDKOOD", "LINNVALDNIMI", {}, {}, "Linnad-vallad"}},
        {"KLIOMVORM", {"taOmandiVormidL", "KLIOMVORM", "OMANDIVORM", "OMANDIVORM", {}, {}, "Omandivormid"}},
        {"KONTAKTISIKAMET", {"taAmetidL", "AMETID", "AMETID", "AMET", {}, {}, "Ametid"}},
        {"TOOTEGRNIMI", {"taTooteGrupidL", "TOOTEGRID", "TOOTEGRID", "TOOTEGRNIMI", {}, {}, "Tootegrupid"}},
        {"TOOTENIMI", {"taTootedL", "TOOTEID", "TOOTEID", "TOOTENIMI", "TOOTEGRID", {}, "Tooted"}},
        {"TOOTEID", {"taTootedL", "TOOTEID", "TOOTEID", "TOOTENIMI", "TOOTEGRID", {}, "Tooted"}},
        {"TOOTELISANIMI", {"taTooteLisaL", "TOOTELISAID", "TOOTELISAID", "TOOTELISANIMI", "TOOTEGRID", {}, "Täpsustused"}},
        {"KL1GRNIMI", {"taKlassif1GrL", "KL1GRID", "KL1GRID", "KL1GRNIMI", {}, {}, "Klassifikaatorite grupid"}},
        {"KL1NIMI", {"taKlassif1L", "KL1ID", "KL1ID", "KL1NIMI", "KL1GRID", {}, "Klassifikaatorid"}},
        {"AGENTNIMI", {"taAgendidL", "AGENTKOOD", "AGENTKOOD", AgentFullName, {}, "AGENTAKTIIVNE='Y'", "Agendid"}},
        {"REGAGENTNIMI", {"taAgendidL", "REGAGENTKOOD", "AGENTKOOD", AgentFullName, {}, {}, "Agendid"}},
        {"PROJNIMI", {"taProjektidL", "PROJID", "PROJID", "PROJNIMI", {}, {}, "Projektid"}},
        {"KONTAKTLIIKNIMI", {"taTavaKontaktiLiigid", "KONTAKTLIIK", "KONTAKTLIIKKOOD", "KONTAKTLIIKNIMI", {}, {}, "Kontaktiliigid"}},
        {"JKONTAKTLIIKNIMI", {"taTavaKontaktiLiigid", "JKONTAKTLIIK", "KONTAKTLIIKKOOD", "KONTAKTLIIKNIMI", {}, {}, "Kontaktiliigid"}},
        {"KONTAKTISIKNIMI", {"taKliKontaktIsikudL", "KLIKISIKKOOD", "KLIKISIKKOOD", "KONTAKTISIKNIMI", "KLIKOOD",
                             "KONTAKTISIKAKTIIVNE='Y'", "Kontaktisikud"}},
    };
    const auto it = table.find(fieldName.toUpper());
    if (it == table.end())
        return std::nullopt;
    return it->second;
}

std::optional<TData1::LookupDescriptor> TData1::descriptorFor(const Field &field)
{
    auto desc = descriptorFor(field.fieldName());
    if (!desc)
        return desc;
    // Lists of datasets that are gone are forgotten on the way.
    std::erase_if(m_lookupLists, [](const LookupListOverride &o) { return !o.row || !o.list; });
    for (const LookupListOverride &o : m_lookupLists) {
        if (o.row == &field.dataSet() && o.nameField.compare(field.fieldName(), Qt::CaseInsensitive) == 0) {
            desc->listSet = o.list;
            break;
        }
    }
    return desc;
}

DataSet &TData1::listOf(const LookupDescriptor &desc) const
{
    return desc.listSet ? *desc.listSet : *dataSet(desc.list);
}

void TData1::SetLookupList(DataSet &row, const QString &nameField, DataSet &list)
{
    std::erase_if(m_lookupLists, [&](const LookupListOverride &o) {
        return !o.row || !o.list || (o.row == &row && o.nameField.compare(nameField, Qt::CaseInsensitive) == 0);
    });
    m_lookupLists.push_back(LookupListOverride{&row, nameField, &list});
}

void TData1::PlaceCountrySetText(Field &field, const QString &typed)
{
    DataSet &countries = *dataSet(QStringLiteral("taRiigidL"));
    if (!countries.isActive())
        countries.open();
    // The row the user stands on wins when it is spelt exactly so; otherwise any letter case will do.
    bool found = !countries.isEmpty() && countries.field("RIIGINIMI").asString() == typed;
    if (!found)
        found = countries.locate(QStringLiteral("RIIGINIMI"), typed, true);
    if (!found)
        return;
    field.dataSet().field("RIIKID").setValue(countries.field("RIIKID").value());
    field.setValue(typed);
}

void TData1::OnKoodNimiPaarSetText(Field &field, const QString &typed)
{
    const auto desc = descriptorFor(field);
    if (!desc) {
        field.setValue(typed.isEmpty() ? QVariant() : QVariant(typed));
        return;
    }
    DataSet &row = field.dataSet();
    const QString text = typed.trimmed();
    Field *keyField = row.findField(desc->keyField);
    if (text.isEmpty()) {
        if (keyField)
            keyField->setValue(QVariant());
        if (&field != keyField)
            field.setValue(QVariant());
        return;
    }
    DataSet &list = listOf(*desc);
    if (!list.isActive())
        list.open();

    for (;;) {
        QStringList restriction;
        Field *group = desc->groupField.isEmpty() ? nullptr : row.findField(desc->groupField);
        if (group && !group->isNull())
            restriction << desc->groupField + QStringLiteral("=") + SqlQuote(group->asString());
        if (!desc->fixed.isEmpty())
            restriction << desc->fixed;
        const QString base = restriction.join(QStringLiteral(" AND "));
        auto withBase = [&](const QString &cond) { return base.isEmpty() ? cond : base + QStringLiteral(" AND ") + cond; };

        const QString upper = text.toUpper();
        bool isNumber = false;
        const qint64 number = upper.toLongLong(&isNumber);
        // A number names the row by its key only where the key is a number: legal forms are keyed by
        // their typed abbreviation, which is compared as text.
        const fb::FieldKind keyType = list.field(desc->lookupKey).dataType();
        const bool numericKey = keyType == fb::FieldKind::SmallInt || keyType == fb::FieldKind::Integer
                                || keyType == fb::FieldKind::BigInt;
        isNumber = isNumber && number > 0 && numericKey;
        const QString exact = isNumber ? desc->lookupKey + QStringLiteral("=") + QString::number(number)
                                       : QStringLiteral("UPPER(") + desc->nameColumn + QStringLiteral(")=") + SqlQuote(upper);
        ApplyWhere(list, withBase(exact));
        int count = list.recordCount();
        bool containing = false;
        if (count == 0 && !isNumber) {
            ApplyWhere(list, withBase(desc->nameColumn + QStringLiteral(" CONTAINING ") + SqlQuote(text)));
            count = list.recordCount();
            containing = count > 0;
            if (count == 1)
                count = 2; // a single partial match is confirmed by the user
        }
        if (count == 0)
            ApplyWhere(list, base);

        bool chosen = count == 1;
        if (chosen) {
            list.first();
        } else if (m_ui) {
            // The selection dialog on the look-up list, opened on the row's current key; after a
            // containing search it shows those rows until the user asks for all of them.
            RecordChoice choice;
            choice.caption = Translate(desc->caption);
            choice.dataSet = &list;
            choice.keyField = desc->lookupKey;
            choice.currentKey = keyField ? keyField->text() : QString();
            if (containing) {
                choice.filterMode = true;
                choice.baseCondition = base;
                choice.extraCondition = desc->nameColumn + QStringLiteral(" CONTAINING ") + SqlQuote(text);
                choice.filterOffCaption = NaitaKoikiText;
            }
            QString key;
            chosen = m_ui->selectRecord(choice, key) && !key.isEmpty();
        }

        if (chosen) {
            takeLookupRow(*desc, field, list);
            return;
        }
        ApplyWhere(list, QString());
        if (!lookupQuestion || !m_ui)
            throw Abort();
        const auto answer = m_ui->ask(Translate(QStringLiteral("Jätame veeru '%1' tühjaks ?")).arg(field.displayLabel()),
                                      Translate(QStringLiteral("Kinnita")), UserInterface::Buttons::YesNoCancel);
        if (answer != UserInterface::Answer::No)
            throw Abort();
    }
}

void TData1::takeLookupRow(const LookupDescriptor &desc, Field &field, DataSet &list)
{
    DataSet &row = field.dataSet();
    Field *keyField = row.findField(desc.keyField);
    Field *group = desc.groupField.isEmpty() ? nullptr : row.findField(desc.groupField);
    const QVariant key = list.field(desc.lookupKey).value();
    const QVariant groupValue = desc.groupField.isEmpty() || !list.findField(desc.groupField)
                                    ? QVariant()
                                    : list.field(desc.groupField).value();
    const Field *nameField = list.findField(desc.nameColumn);
    const QVariant name =
        nameField
            ? nameField->value()
            : QVariant(list.field("AGEESNIMI").asString() + QLatin1Char(' ') + list.field("AGPERENIMI").asString());
    ApplyWhere(list, QString());
    if (group && groupValue.isValid())
        group->setValue(groupValue);
    if (keyField)
        keyField->setValue(key);
    if (&field != keyField && !field.isReadOnly())
        field.setValue(name);
}

bool TData1::PickByFieldName(Field &field)
{
    const auto desc = descriptorFor(field);
    DataSet &row = field.dataSet();
    if (!desc || !m_ui || !row.isActive() || field.isReadOnly())
        return false;
    // The row's own rules (rights, the client posted first) speak before any list is shown.
    const bool wasEditing = row.isEditing();
    if (!wasEditing)
        row.edit();
    DataSet &list = listOf(*desc);
    if (!list.isActive())
        list.open();
    QStringList restriction;
    const Field *group = desc->groupField.isEmpty() ? nullptr : row.findField(desc->groupField);
    if (group && !group->isNull())
        restriction << desc->groupField + QStringLiteral("=") + SqlQuote(group->asString());
    if (!desc->fixed.isEmpty())
        restriction << desc->fixed;
    ApplyWhere(list, restriction.join(QStringLiteral(" AND ")));
    RecordChoice choice;
    choice.caption = Translate(desc->caption);
    choice.dataSet = &list;
    choice.keyField = desc->lookupKey;
    if (const Field *keyField = row.findField(desc->keyField))
        choice.currentKey = keyField->text();
    QString key;
    bool chosen = false;
    try {
        chosen = m_ui->selectRecord(choice, key) && !key.isEmpty();
    } catch (...) {
        ApplyWhere(list, QString());
        throw;
    }
    if (!chosen) {
        ApplyWhere(list, QString());
        if (!wasEditing)
            row.cancel();
        return false;
    }
    takeLookupRow(*desc, field, list);
    return true;
}

} // namespace data
