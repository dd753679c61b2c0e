#include "TdmJKontaktEdit.h"

#include <QSignalBlocker>

#include "ContactTimes.h"
#include "clients/TdmKlientEdit1.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/FieldTextRules.h"
#include "data/MainServices.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"

using data::DataSet;
using data::Field;

namespace {

int s_instances = 0;

const QStringList PlanColumns = {"KLIKOOD",           "AGENTKOOD",        "JKONTAKTID",       "JKONTAKTKUUP",
                                 "JKONTAKTKELL",      "JKONTAKTKUUPKUNI", "JKONTAKTKELLKUNI", "JKONTAKTLIIK",
                                 "JKONTAKTKOKKULEPE", "JKONTAKTKOMMENT",  "KLIKISIKKOOD",     "JKONTTAHTAEG",
                                 "REGAGENTKOOD",      "AGENTTUTVUNUD",    "PROJID",           "TOOTEGRID",
                                 "TOOTEID",           "JKONTAKTTEEMA"};
// Names the database puts beside the codes; never written, back with the row after each save.
const QStringList NameColumns = {"AGENTNIMI", "REGAGENTNIMI", "JKONTAKTLIIKNIMI", "KONTAKTISIKNIMI",
                                 "KLINIMI",   "PROJNIMI",     "TOOTEGRNIMI",      "TOOTENIMI"};

bool isSet(const QVariant &v)
{
    return v.isValid() && !v.isNull() && !(v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (!isSet(a) || !isSet(b))
        return isSet(a) == isSet(b);
    return a.toString() == b.toString();
}

} // namespace

TdmJKontaktEdit::TdmJKontaktEdit(data::TData1 &data, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_prefix(QStringLiteral("dmJKontaktEdit%1.").arg(++s_instances))
{
    setUpPlan();
    setUpLists();
}

TdmJKontaktEdit::~TdmJKontaktEdit()
{
    if (m_plan && m_plan->isEditing()) {
        // The window that showed the plan may be going already: it hears nothing more.
        const QSignalBlocker quiet(m_plan.get());
        try {
            m_plan->cancel();
        } catch (...) {
            // the window is going; an unsaved plan goes with it
        }
    }
    m_source.reset();
    m_plan.reset();
    m_agents.reset();
    m_persons.reset();
}

void TdmJKontaktEdit::setUpPlan()
{
    m_plan = std::make_unique<DataSet>(m_data.IBTransaction1(), m_prefix + QStringLiteral("taKliJargmKontakt"));
    DataSet &plan = *m_plan;
    plan.setSelectSql(QStringLiteral("select * from KLIJKONT\nwhere JKONTAKTID=:JKONTAKTID\n"));
    data::TData1::MakeEditable(plan, QStringLiteral("KLIJKONT"), PlanColumns, {QStringLiteral("JKONTAKTID")},
                               QStringLiteral("KLIJKONT_JKONTAKTID_GEN"));
    data::AttachTextRulesByType(plan);
    for (const QString &name : NameColumns)
        plan.defineField(name, fb::FieldKind::Text, Field::Kind::Computed);
    for (const char *name : {"KLIKOOD", "AGENTKOOD", "JKONTAKTKUUP", "JKONTAKTLIIK"})
        plan.defineField(QString::fromLatin1(name)).setRequired(true);
    plan.defineField(QStringLiteral("JKONTAKTKOKKULEPE")).setDefaultValue(QStringLiteral("?"));
    m_source = std::make_unique<data::DataSource>(m_plan.get());

    data::AttachTextRule(
        plan,
        {"AGENTNIMI", "REGAGENTNIMI", "JKONTAKTLIIKNIMI", "KONTAKTISIKNIMI", "PROJNIMI", "TOOTEGRNIMI", "TOOTENIMI"},
        [this](Field &f, const QString &text) {
            // A name the session may not change takes no typed text.
            if (!nameEditable(f.fieldName()))
                throw data::Abort();
            m_data.OnKoodNimiPaarSetText(f, text);
        });

    // The agreement is one of three signs; nothing typed means undecided, anything else is not taken.
    plan.field(QStringLiteral("JKONTAKTKOKKULEPE")).onSetText = [](Field &f, const QString &text) {
        const QString sign = text.trimmed();
        if (sign.isEmpty())
            f.setValue(QStringLiteral("?"));
        else if (AgreementValues().contains(sign))
            f.setValue(sign);
    };
    // Another product group: the product of the old one no longer fits.
    plan.defineField(QStringLiteral("TOOTEGRID")).onValidate = [](Field &f, const QVariant &value) {
        if (sameValue(f.value(), value))
            return;
        DataSet &d = f.dataSet();
        for (const char *name : {"TOOTEID", "TOOTENIMI"})
            if (Field *product = d.findField(QString::fromLatin1(name)); product && !product->isNull())
                product->setValue(QVariant());
    };

    plan.onNewRecord.push_back([this](DataSet &d) {
        const data::Session &s = m_data.session();
        d.field(QStringLiteral("KLIKOOD")).setValue(m_clientCode);
        d.field(QStringLiteral("KLINIMI")).setValue(m_clientName);
        if (m_personCode > 0) {
            d.field(QStringLiteral("KLIKISIKKOOD")).setValue(m_personCode);
            d.field(QStringLiteral("KONTAKTISIKNIMI")).setValue(m_personName);
        }
        if (s.AgentCode > 0) {
            // Only an own client's plan is the session's agent's by default: for another client the
            // agent is chosen among the client's agents.
            if (m_data.IsOwnClient(m_clientCode)) {
                d.field(QStringLiteral("AGENTKOOD")).setValue(s.AgentCode);
                d.field(QStringLiteral("AGENTNIMI")).setValue(s.AgentName);
            }
            d.field(QStringLiteral("REGAGENTKOOD")).setValue(s.AgentCode);
            d.field(QStringLiteral("REGAGENTNIMI")).setValue(s.AgentName);
        }
        if (s.ActiveProjectId > 0) {
            d.field(QStringLiteral("PROJID")).setValue(s.ActiveProjectId);
            d.field(QStringLiteral("PROJNIMI")).setValue(s.ActiveProjectName);
        }
    });
    plan.beforeEdit.push_back([this](DataSet &d) { checkMayChange(d); });
    plan.beforeDelete.push_back([this](DataSet &d) {
        checkMayChange(d);
        data::UserInterface *ui = m_data.ui();
        if (!ui || ui->ask(Translate(QStringLiteral("Tühistame kontakti planeeringu ?")), Caption(),
                           data::UserInterface::Buttons::YesNo) != data::UserInterface::Answer::Yes)
            throw data::Abort();
        m_clientCode = static_cast<int>(d.field(QStringLiteral("KLIKOOD")).asInt());
    });
    plan.beforePost.push_back([this](DataSet &d) { beforePost(d); });
    plan.afterPost.push_back([this](DataSet &d) { planSaved(d); });
    plan.afterDelete.push_back([this](DataSet &) { planDeleted(); });
    plan.afterCancel.push_back([this](DataSet &) { emit captionChanged(); });
}

void TdmJKontaktEdit::setUpLists()
{
    // Derived from the join so that a look-up's conditions name the columns without a table.
    m_agents = std::make_unique<DataSet>(m_data.IBTransaction1(), m_prefix + QStringLiteral("taKliendiAgendidL"));
    m_agents->setSelectSql(QStringLiteral(
        "select * from (select AGENTK.AGENTKOOD, AGENTK.AGEESNIMI, AGENTK.AGPERENIMI, AGENTK.AGENTAKTIIVNE, "
        "KLIAGENT.KLIKOOD, KLIAGENT.AGENTVASTUTAV from KLIAGENT join AGENTK on AGENTK.AGENTKOOD = KLIAGENT.AGENTKOOD "
        "and KLIAGENT.KLIKOOD = :KLIKOOD) A\norder by AGEESNIMI, AGPERENIMI\n"));
    m_persons = std::make_unique<DataSet>(m_data.IBTransaction1(), m_prefix + QStringLiteral("taKliKontaktIsikudL"));
    m_persons->setSelectSql(QStringLiteral("select KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE "
                                           "from KLIKISIK\nwhere KLIKOOD = :KLIKOOD\norder by KONTAKTISIKNIMI\n"));
    m_data.SetLookupList(*m_plan, QStringLiteral("AGENTNIMI"), *m_agents);
    m_data.SetLookupList(*m_plan, QStringLiteral("KONTAKTISIKNIMI"), *m_persons);
}

void TdmJKontaktEdit::openLists(int clientCode)
{
    for (DataSet *list : {m_agents.get(), m_persons.get()}) {
        list->close();
        list->setParam(QStringLiteral("KLIKOOD"), clientCode);
        list->open();
    }
}

bool TdmJKontaktEdit::OpenPlan(int planId)
{
    m_plan->close();
    m_plan->setParam(QStringLiteral("JKONTAKTID"), planId);
    m_plan->open();
    if (m_plan->isEmpty()) {
        m_plan->close();
        return false;
    }
    m_planId = planId;
    m_clientCode = static_cast<int>(m_plan->field(QStringLiteral("KLIKOOD")).asInt());
    m_clientName = m_plan->field(QStringLiteral("KLINIMI")).asString();
    openLists(m_clientCode);
    emit captionChanged();
    return true;
}

void TdmJKontaktEdit::OpenNew(int clientCode, const QString &clientName, int personCode, const QString &personName)
{
    m_clientCode = clientCode;
    m_clientName = clientName;
    m_personCode = personCode;
    m_personName = personName;
    m_planId = 0;
    m_plan->close();
    m_plan->setParam(QStringLiteral("JKONTAKTID"), -1);
    m_plan->open();
    openLists(clientCode);
    m_plan->append();
    emit captionChanged();
}

void TdmJKontaktEdit::CopyFromSource(const DataSet &source)
{
    if (!source.isActive() || (source.isEmpty() && !source.isEditing()))
        return;
    if (!m_plan->isEditing())
        m_plan->edit();
    auto copy = [&](const char *from, const char *to) {
        const Field *f = source.findField(QString::fromLatin1(from));
        if (f && !f->isNull())
            m_plan->field(QString::fromLatin1(to)).setValue(f->value());
    };
    copy("KONTAKTTEEMA", "JKONTAKTTEEMA");
    copy("KONTAKTKOMMENT", "JKONTAKTKOMMENT");
    // The group before the product: a new group clears the product.
    copy("TOOTEGRID", "TOOTEGRID");
    copy("TOOTEGRNIMI", "TOOTEGRNIMI");
    copy("TOOTEID", "TOOTEID");
    copy("TOOTENIMI", "TOOTENIMI");
}

int TdmJKontaktEdit::PlanId() const
{
    return m_planId;
}

int TdmJKontaktEdit::ClientCode() const
{
    return m_clientCode;
}

QString TdmJKontaktEdit::ClientName() const
{
    if (m_plan->isActive() && (!m_plan->isEmpty() || m_plan->isEditing())) {
        const QString name = m_plan->field(QStringLiteral("KLINIMI")).asString();
        if (!name.isEmpty())
            return name;
    }
    return m_clientName;
}

bool TdmJKontaktEdit::IsInserting() const
{
    return m_plan->state() == DataSet::State::Insert;
}

QString TdmJKontaktEdit::Caption() const
{
    return Translate(IsInserting() ? QStringLiteral("Uus planeering") : QStringLiteral("Planeeritud kontakt")) +
           QStringLiteral(" - ") + ClientName();
}

bool TdmJKontaktEdit::PlannerEditable() const
{
    return m_data.session().Level >= 3;
}

bool TdmJKontaktEdit::ProjectEditable() const
{
    return m_data.session().ProjectChoiceAllowed;
}

bool TdmJKontaktEdit::nameEditable(const QString &nameField) const
{
    if (nameField.compare(QLatin1String("REGAGENTNIMI"), Qt::CaseInsensitive) == 0)
        return PlannerEditable();
    if (nameField.compare(QLatin1String("PROJNIMI"), Qt::CaseInsensitive) == 0)
        return ProjectEditable();
    return nameField.compare(QLatin1String("KLINIMI"), Qt::CaseInsensitive) != 0;
}

bool TdmJKontaktEdit::PickName(const QString &nameField)
{
    if (!m_plan->isActive() || !nameEditable(nameField))
        return false;
    Field *field = m_plan->findField(nameField);
    return field && m_data.PickByFieldName(*field);
}

QStringList TdmJKontaktEdit::AgreementTexts()
{
    return {Translate(QStringLiteral("Jah (+)")), Translate(QStringLiteral("Ei  (-)")),
            Translate(QStringLiteral("Määramata (?)"))};
}

QStringList TdmJKontaktEdit::AgreementValues()
{
    return {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("?")};
}

void TdmJKontaktEdit::refuse(const QString &message, const QString &caption)
{
    if (m_data.ui())
        m_data.ui()->showMessage(message, caption);
    throw data::Abort();
}

void TdmJKontaktEdit::checkMayChange(DataSet &plan)
{
    const data::Session &s = m_data.session();
    if (s.Level > 2)
        return;
    const bool ownPlan = s.AgentCode > 0 && plan.field(QStringLiteral("AGENTKOOD")).asInt() == s.AgentCode;
    // The planner may still change a plan its agent has not seen yet.
    const bool unseenOwnPlanning = s.AgentCode > 0 &&
                                   plan.field(QStringLiteral("REGAGENTKOOD")).asInt() == s.AgentCode &&
                                   plan.field(QStringLiteral("AGENTTUTVUNUD")).asString() != QLatin1String("Y");
    if (!ownPlan && !unseenOwnPlanning)
        refuse(Translate(QStringLiteral("Agendil lubatud muuta vaid oma kontaktiplaneeringuid !")),
               Translate(QStringLiteral("Kliendid")));
}

void TdmJKontaktEdit::beforePost(DataSet &plan)
{
    const data::Session &s = m_data.session();
    Field &agent = plan.field(QStringLiteral("AGENTKOOD"));
    const bool seen = s.AgentCode > 0 && !agent.isNull() && agent.asInt() == s.AgentCode;
    plan.field(QStringLiteral("AGENTTUTVUNUD"))
        .setValue(QString::fromLatin1(seen ? data::TData1::Yes : data::TData1::No));

    Field &date = plan.field(QStringLiteral("JKONTAKTKUUP"));
    Field &endDate = plan.field(QStringLiteral("JKONTAKTKUUPKUNI"));
    if (!date.isNull() && (endDate.isNull() || endDate.asDate() < date.asDate()))
        endDate.setValue(date.value());

    Field &type = plan.field(QStringLiteral("JKONTAKTLIIK"));
    Field &start = plan.field(QStringLiteral("JKONTAKTKELL"));
    Field &endTime = plan.field(QStringLiteral("JKONTAKTKELLKUNI"));
    if (!type.isNull() && !start.isNull() && endTime.isNull()) {
        const int minutes = contacts::ContactTimes::PlannedMinutes(m_data, static_cast<int>(type.asInt()));
        const contacts::ContactEnd end = contacts::ContactTimes::EndOf(date.asDate(), start.value().toTime(), minutes);
        endTime.setValue(end.time);
        // Past midnight the plan ends on a later day than it starts.
        if (end.date.isValid() && !endDate.isNull() && endDate.asDate() < end.date)
            endDate.setValue(end.date);
    }
}

void TdmJKontaktEdit::planSaved(DataSet &plan)
{
    m_planId = static_cast<int>(plan.field(QStringLiteral("JKONTAKTID")).asInt());
    m_clientCode = static_cast<int>(plan.field(QStringLiteral("KLIKOOD")).asInt());
    m_data.SaveChangesAfterPost(plan);
    m_data.PlanSaved(m_planId);
    TdmKlientEdit1::RefreshOpenCards(m_data, m_clientCode, m_planId, 0);
    emit captionChanged();
}

void TdmJKontaktEdit::planDeleted()
{
    m_data.SaveChangesAfterPost(*m_plan);
    m_data.PlansChanged();
    TdmKlientEdit1::RefreshOpenCards(m_data, m_clientCode, 0, 0);
    m_planId = 0;
}

bool TdmJKontaktEdit::RegisterContact()
{
    data::MainServices *main = m_data.mainServices();
    const DataSet &plan = *m_plan;
    if (!main || !plan.isActive() || plan.isEmpty() || plan.isEditing())
        return false;
    return main->RegisterContact(static_cast<int>(plan.field(QStringLiteral("KLIKOOD")).asInt()),
                                 static_cast<int>(plan.field(QStringLiteral("AGENTKOOD")).asInt()),
                                 plan.field(QStringLiteral("AGENTNIMI")).asString(),
                                 plan.field(QStringLiteral("KONTAKTISIKNIMI")).asString(), ClientName(),
                                 static_cast<int>(plan.field(QStringLiteral("JKONTAKTID")).asInt()),
                                 static_cast<int>(plan.field(QStringLiteral("KLIKISIKKOOD")).asInt()));
}
