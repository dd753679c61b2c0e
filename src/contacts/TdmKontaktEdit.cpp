#include "TdmKontaktEdit.h"

#include <QScopedValueRollback>
#include <QTime>

#include "ContactTimes.h"
#include "clients/TdmKlientEdit1.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSetRules.h"
#include "data/DataSource.h"
#include "data/FieldTextRules.h"
#include "data/MainServices.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "fb/FbError.h"

using data::DataSet;
using data::Field;

namespace contacts {

namespace {

const QString Toimunud = QStringLiteral("Toimunud kontaktid");
const QString Kontaktid = QStringLiteral("Kontaktid");

bool isSet(const Field &f)
{
    return !f.isNull();
}

int intOf(const DataSet &ds, const char *field)
{
    return static_cast<int>(ds.field(QString::fromLatin1(field)).asInt());
}

// A value and its name copied as a pair; nothing when the source has no value.
void copyPair(DataSet &to, const char *code, const char *name, const DataSet &from, const char *fromCode,
              const char *fromName)
{
    const Field &c = from.field(QString::fromLatin1(fromCode));
    if (c.isNull())
        return;
    to.field(QString::fromLatin1(code)).setValue(c.value());
    to.field(QString::fromLatin1(name)).setValue(from.field(QString::fromLatin1(fromName)).value());
}

QTime nowToTheMinute()
{
    const QTime now = QTime::currentTime();
    return QTime(now.hour(), now.minute());
}

} // namespace

TdmKontaktEdit::TdmKontaktEdit(data::TData1 &data, QObject *parent) : QObject(parent), m_data(data)
{
    setUp();
}

TdmKontaktEdit::~TdmKontaktEdit()
{
    m_plansSource.reset();
    m_source.reset();
    m_plans.reset();
    m_contact.reset();
}

void TdmKontaktEdit::setUp()
{
    m_contact = std::make_unique<DataSet>(m_data.IBTransaction1(), QStringLiteral("taKontakt"));
    DataSet &c = *m_contact;
    c.setSelectSql(QStringLiteral("select * from KONTAKT\nWHERE KontaktID=:KontaktID"));
    data::TData1::MakeEditable(c, QStringLiteral("KONTAKT"), data::TData1::ContactColumns(), {QStringLiteral("KONTAKTID")},
                               QStringLiteral("KONTAKT_KONTAKTID_GEN"));
    data::AttachTextRulesByType(c);
    for (const QString &name : data::TData1::ContactColumns())
        c.defineField(name);
    c.defineField(QStringLiteral("KONTAKTKUUP")).setRequired(true);
    c.defineField(QStringLiteral("KONTAKTLIIK")).setRequired(true);
    c.defineField(QStringLiteral("AGENTKOOD")).setRequired(true);
    c.field(QStringLiteral("KONTAKTKUUP")).setDisplayLabel(QStringLiteral("Kuupäev"));
    c.field(QStringLiteral("KONTAKTLIIK")).setDisplayLabel(QStringLiteral("KontaktiLiik"));
    c.field(QStringLiteral("AGENTKOOD")).setDisplayLabel(QStringLiteral("Agent"));
    c.field(QStringLiteral("KONTAKTTOIMUS")).setDefaultValue(QString::fromLatin1(data::TData1::Yes));
    c.field(QStringLiteral("KONTAKTIDGRUPP")).setDefaultValue(0);
    // Names beside codes: typing a name looks its code up.
    const QStringList names = {QStringLiteral("AGENTNIMI"),   QStringLiteral("REGAGENTNIMI"), QStringLiteral("KONTAKTLIIKNIMI"),
                               QStringLiteral("KONTAKTISIKNIMI"), QStringLiteral("PROJNIMI"), QStringLiteral("TOOTEGRNIMI"),
                               QStringLiteral("TOOTENIMI")};
    for (const QString &name : names)
        c.defineField(name, fb::FieldKind::Text, Field::Kind::Computed);
    c.defineField(QStringLiteral("KLINIMI"), fb::FieldKind::Text, Field::Kind::Computed);
    c.defineField(QStringLiteral("KLIOMVORM"), fb::FieldKind::Text, Field::Kind::Computed);
    // The client as the window shows it: the name, then the legal form when there is one.
    c.defineField(QStringLiteral("KLIENDINIMI"), fb::FieldKind::Text, Field::Kind::Calculated);
    c.onCalcFields.push_back([](DataSet &d) {
        const QString form = d.field(QStringLiteral("KLIOMVORM")).asString();
        const QString name = d.field(QStringLiteral("KLINIMI")).asString();
        d.field(QStringLiteral("KLIENDINIMI")).setValue(form.isEmpty() ? name : name + QLatin1Char(' ') + form);
    });
    data::AttachTextRule(c, names, [this](Field &f, const QString &text) { m_data.OnKoodNimiPaarSetText(f, text); });

    // A confirmed contact: at level 1 and below only its topic, comment, products and offer group
    // change, and a confirmation stays.
    for (const QString &name : data::TData1::ContactColumns())
        c.field(name).onValidate = [this](Field &f, const QVariant &value) { confirmedContactRule(f.fieldName(), value); };
    for (const QString &name : names)
        c.field(name).onValidate = [this](Field &f, const QVariant &value) { confirmedContactRule(f.fieldName(), value); };

    c.field(QStringLiteral("KONTAKTLIIK")).onChange = [this](Field &f) {
        DataSet &d = f.dataSet();
        if (d.state() == DataSet::State::Edit && !f.isNull())
            d.field(QStringLiteral("KONTAKTYHIKUID")).setValue(ContactTimes::PlannedMinutes(m_data, static_cast<int>(f.asInt())));
    };
    c.field(QStringLiteral("TOOTEGRID")).onChange = [](Field &f) {
        DataSet &d = f.dataSet();
        if (d.field(QStringLiteral("TOOTEID")).isNull() && d.field(QStringLiteral("TOOTENIMI")).isNull())
            return;
        d.field(QStringLiteral("TOOTEID")).setValue(QVariant());
        d.field(QStringLiteral("TOOTENIMI")).setValue(QVariant());
    };
    c.field(QStringLiteral("KLINIMI")).onChange = [this](Field &) { emit captionChanged(); };

    c.onNewRecord.push_back([this](DataSet &) { newRecord(); });
    c.beforeEdit.push_back([this](DataSet &) { beforeEdit(); });
    c.beforeDelete.push_back([this](DataSet &) { beforeDelete(); });
    c.beforePost.push_back([this](DataSet &) { beforePost(); });
    c.afterPost.push_back([this](DataSet &) { afterPost(); });
    c.afterDelete.push_back([this](DataSet &) { afterDelete(); });
    for (auto *handlers : {&c.afterOpen, &c.afterScroll, &c.afterCancel, &c.afterRefresh})
        handlers->push_back([this](DataSet &) { emit captionChanged(); });
    m_source = std::make_unique<data::DataSource>(m_contact.get());
    connect(m_contact.get(), &DataSet::stateChanged, this, [this] { emit captionChanged(); });

    m_plans = std::make_unique<DataSet>(m_data.IBTransaction1(), QStringLiteral("taKliJargmKontaktidL"));
    m_plans->setSelectSql(QStringLiteral("select * from KLIJKONT\n"
                                         "where KLIKOOD=:KLIKOOD\n"
                                         "  and AGENTKOOD=:AGENTKOOD\n"
                                         "  and (:JKONTAKTID=0 OR JKONTAKTID=:JKONTAKTID)\n"
                                         "order by JKONTAKTKUUP, JKONTAKTKELL"));
    m_plans->setDeleteSql(QStringLiteral("delete from KLIJKONT where JKONTAKTID = :OLD_JKONTAKTID"));
    data::AttachTextRulesByType(*m_plans);
    // The plan choice shows what tells the plans apart.
    m_plans->onCalcFields.clear();
    m_plansSource = std::make_unique<data::DataSource>(m_plans.get());
}

void TdmKontaktEdit::refuse(const QString &message, const QString &caption)
{
    if (m_data.ui())
        m_data.ui()->showMessage(message, caption);
    throw data::Abort();
}

bool TdmKontaktEdit::OpenExisting(int contactId)
{
    m_new = false;
    m_contactId = contactId;
    m_contact->close();
    m_contact->setParam(QStringLiteral("KONTAKTID"), contactId);
    m_contact->open();
    if (m_contact->isEmpty()) {
        if (m_data.ui())
            m_data.ui()->showMessage(Translate(QStringLiteral("Kontakti ei leitud")) + QStringLiteral(" (ID ") +
                                         QString::number(contactId) + QLatin1Char(')'),
                                     Translate(Toimunud));
        return false;
    }
    return true;
}

void TdmKontaktEdit::OpenNew(const ContactRequest &request)
{
    m_new = true;
    m_request = request;
    m_contactId = 0;
    m_contact->close();
    m_contact->setParam(QStringLiteral("KONTAKTID"), -1);
    m_contact->open();
}

bool TdmKontaktEdit::Prepare()
{
    m_plans->close();
    if (m_request.clientCode <= 0 || m_request.agentCode <= 0)
        return true;
    m_plans->setParam(QStringLiteral("KLIKOOD"), m_request.clientCode);
    m_plans->setParam(QStringLiteral("AGENTKOOD"), m_request.agentCode);
    m_plans->setParam(QStringLiteral("JKONTAKTID"), std::max(m_request.planId, 0));
    m_plans->open();
    // A plan named is taken (or, deleted meanwhile, there is none); without plans nothing to choose.
    if (m_request.planId > 0 || m_plans->isEmpty())
        return true;
    data::UserInterface *ui = m_data.ui();
    if (!ui)
        return true;
    const auto answer = ui->chooseRow(Translate(QStringLiteral("Valige registreeritav planeering")),
                                      Translate(QStringLiteral("Klient")) + QStringLiteral(" - '") + m_request.clientName +
                                          QLatin1Char('\''),
                                      *m_plans);
    switch (answer) {
    case data::UserInterface::Answer::Yes:
        return true;
    case data::UserInterface::Answer::No:
        m_plans->close();
        return true;
    default:
        m_plans->close();
        return false;
    }
}

void TdmKontaktEdit::Append()
{
    m_contact->append();
}

int TdmKontaktEdit::ChosenPlan() const
{
    if (!m_plans->isActive() || m_plans->isEmpty())
        return 0;
    return intOf(*m_plans, "JKONTAKTID");
}

int TdmKontaktEdit::ClientCode() const
{
    if (!m_contact->isActive() || (m_contact->isEmpty() && !m_contact->isEditing()))
        return m_new ? m_request.clientCode : 0;
    return intOf(*m_contact, "KLIKOOD");
}

void TdmKontaktEdit::newRecord()
{
    const QScopedValueRollback<bool> settingUp(m_settingUp, true);
    DataSet &c = *m_contact;
    const data::Session &s = m_data.session();
    c.field(QStringLiteral("KONTAKTKELL")).setValue(nowToTheMinute());
    if (s.ActiveProjectId > 0) {
        c.field(QStringLiteral("PROJID")).setValue(s.ActiveProjectId);
        c.field(QStringLiteral("PROJNIMI")).setValue(s.ActiveProjectName);
    }
    if (m_request.clientCode > 0) {
        c.field(QStringLiteral("KLIKOOD")).setValue(m_request.clientCode);
        c.field(QStringLiteral("KLINIMI")).setValue(m_request.clientName);
        // The legal form belongs to the name the window shows.
        data::SqlStatement &q = m_data.qFastSQL1();
        q.setSql(QStringLiteral("select KLIOMVORM from KLIENTK where KLIKOOD = :KLIKOOD"));
        q.clearParams();
        q.setParam(QStringLiteral("KLIKOOD"), m_request.clientCode);
        c.field(QStringLiteral("KLIOMVORM")).setValue(q.scalar());
    }
    if (m_request.agentCode >= 1) {
        c.field(QStringLiteral("AGENTKOOD")).setValue(m_request.agentCode);
        c.field(QStringLiteral("AGENTNIMI")).setValue(m_request.agentName);
    } else if (s.AgentCode > 0) {
        c.field(QStringLiteral("AGENTKOOD")).setValue(s.AgentCode);
        c.field(QStringLiteral("AGENTNIMI")).setValue(s.AgentName);
    }
    if (s.AgentCode > 0) {
        c.field(QStringLiteral("REGAGENTKOOD")).setValue(s.AgentCode);
        c.field(QStringLiteral("REGAGENTNIMI")).setValue(s.AgentName);
    }
    const QDate today = QDate::currentDate();
    if (ChosenPlan() > 0) {
        const DataSet &p = *m_plans;
        const QDate planned = p.field(QStringLiteral("JKONTAKTKUUP")).asDate();
        c.field(QStringLiteral("KONTAKTKUUP")).setValue(planned > today ? today : planned);
        if (isSet(p.field(QStringLiteral("JKONTAKTKELL"))))
            c.field(QStringLiteral("KONTAKTKELL")).setValue(p.field(QStringLiteral("JKONTAKTKELL")).value());
        c.field(QStringLiteral("KONTAKTLIIK")).setValue(p.field(QStringLiteral("JKONTAKTLIIK")).value());
        c.field(QStringLiteral("KONTAKTLIIKNIMI")).setValue(p.field(QStringLiteral("JKONTAKTLIIKNIMI")).value());
        c.field(QStringLiteral("KONTAKTTEEMA")).setValue(p.field(QStringLiteral("JKONTAKTTEEMA")).value());
        c.field(QStringLiteral("KONTAKTKOMMENT")).setValue(p.field(QStringLiteral("JKONTAKTKOMMENT")).value());
        copyPair(c, "KLIKISIKKOOD", "KONTAKTISIKNIMI", p, "KLIKISIKKOOD", "KONTAKTISIKNIMI");
        copyPair(c, "PROJID", "PROJNIMI", p, "PROJID", "PROJNIMI");
        if (isSet(p.field(QStringLiteral("TOOTEGRID")))) {
            copyPair(c, "TOOTEGRID", "TOOTEGRNIMI", p, "TOOTEGRID", "TOOTEGRNIMI");
            copyPair(c, "TOOTEID", "TOOTENIMI", p, "TOOTEID", "TOOTENIMI");
        }
    } else {
        c.field(QStringLiteral("KONTAKTKUUP")).setValue(today);
        if (m_request.personCode >= 1) {
            c.field(QStringLiteral("KLIKISIKKOOD")).setValue(m_request.personCode);
            c.field(QStringLiteral("KONTAKTISIKNIMI")).setValue(m_request.personName);
        }
    }
}

bool TdmKontaktEdit::isOwnContact() const
{
    const int agent = m_data.session().AgentCode;
    return agent > 0 && (intOf(*m_contact, "AGENTKOOD") == agent || intOf(*m_contact, "REGAGENTKOOD") == agent);
}

void TdmKontaktEdit::beforeEdit()
{
    if (m_data.session().Level <= 3 && !isOwnContact())
        refuse(Translate(QStringLiteral("Agendil lubatud muuta vaid oma kontakte !")), Translate(Toimunud));
}

void TdmKontaktEdit::confirmedContactRule(const QString &fieldName, const QVariant &value)
{
    const DataSet &c = *m_contact;
    if (m_settingUp || m_data.session().Level > 1 || c.state() != DataSet::State::Edit)
        return;
    static const QStringList free = {QStringLiteral("KONTAKTTEEMA"), QStringLiteral("KONTAKTKOMMENT"),
                                     QStringLiteral("TOOTEGRID"),    QStringLiteral("TOOTEGRNIMI"),
                                     QStringLiteral("TOOTEID"),      QStringLiteral("TOOTENIMI"),
                                     QStringLiteral("KONTAKTIDGRUPP")};
    if (free.contains(fieldName))
        return;
    const bool confirmed = c.field(QStringLiteral("KONTAKTTOIMUS")).oldValue().toString() == QLatin1String(data::TData1::Yes);
    const bool isFlag = fieldName == QLatin1String("KONTAKTTOIMUS");
    if ((isFlag && value.toString() != QLatin1String(data::TData1::Yes)) || (confirmed && !isFlag))
        refuse(Translate(QStringLiteral("Agendil lubatud muuta kinnitatud kontaktil vaid kommentaari veergu !")),
               Translate(Toimunud));
}

void TdmKontaktEdit::beforePost()
{
    DataSet &c = *m_contact;
    data::UserInterface *ui = m_data.ui();
    if (c.field(QStringLiteral("KLIKOOD")).isNull() || c.field(QStringLiteral("KLIKOOD")).asInt() <= 0)
        refuse(Translate(QStringLiteral("Viga")) + QStringLiteral(": ") + Translate(QStringLiteral("klient väärtustamata !")),
               Translate(Toimunud));
    // The save rules themselves are not the user's changes.
    const QScopedValueRollback<bool> settingUp(m_settingUp, true);
    Field &units = c.field(QStringLiteral("KONTAKTYHIKUID"));
    if (c.state() == DataSet::State::Insert) {
        const Field &type = c.field(QStringLiteral("KONTAKTLIIK"));
        units.setValue(type.isNull() ? 0 : ContactTimes::PlannedMinutes(m_data, static_cast<int>(type.asInt())));
        if (c.field(QStringLiteral("KONTAKTKELL")).isNull())
            c.field(QStringLiteral("KONTAKTKELL")).setValue(nowToTheMinute());
    }
    Field &date = c.field(QStringLiteral("KONTAKTKUUP"));
    const QDate today = QDate::currentDate();
    if (!date.isNull() && date.asDate() > today) {
        const auto answer = ui ? ui->ask(Translate(QStringLiteral("Hoiatus")) + QStringLiteral(": ") +
                                             Translate(QStringLiteral("Kontakti kuupäev ei saa olla suurem tänasest !")) +
                                             QStringLiteral("\n") + Translate(QStringLiteral("Kas paneme tänase kuupäeva ?")),
                                         Translate(Toimunud), data::UserInterface::Buttons::YesNo)
                               : data::UserInterface::Answer::No;
        if (answer == data::UserInterface::Answer::Yes)
            date.setValue(today);
        else if (m_data.session().Level <= 1)
            throw data::Abort();
    }
    Field &endDate = c.field(QStringLiteral("KONTAKTKUUPKUNI"));
    if (!date.isNull() && (endDate.isNull() || endDate.asDate() < date.asDate()))
        endDate.setValue(date.value());
    Field &endTime = c.field(QStringLiteral("KONTAKTKELLKUNI"));
    const Field &start = c.field(QStringLiteral("KONTAKTKELL"));
    if (endTime.isNull() && !start.isNull()) {
        const ContactEnd end = ContactTimes::EndOf(date.asDate(), start.value().toTime(), units.isNull() ? 0 : static_cast<int>(units.asInt()));
        endTime.setValue(end.time);
        // A contact that runs past midnight ends on a later day.
        if (end.date.isValid() && (endDate.isNull() || endDate.asDate() < end.date))
            endDate.setValue(end.date);
    }
}

bool TdmKontaktEdit::removePlan(int planId)
{
    data::SqlStatement &q = m_data.qFastSQL1();
    q.setSql(QStringLiteral("delete from KLIJKONT where JKONTAKTID = :JKONTAKTID"));
    q.clearParams();
    q.setParam(QStringLiteral("JKONTAKTID"), planId);
    q.exec();
    m_data.IBTransaction1().commitRetaining();
    return q.rowsAffected() > 0;
}

void TdmKontaktEdit::afterPost()
{
    DataSet &c = *m_contact;
    data::SaveChangesAfterPost(c);
    m_contactId = intOf(c, "KONTAKTID");
    const int client = intOf(c, "KLIKOOD");
    std::exception_ptr planFailure;
    // The plan goes only now that the contact is in the database; the plans dataset is closed when
    // the user chose to record without a plan.
    const int planId = ChosenPlan();
    if (planId > 0) {
        const DataSet &p = *m_plans;
        const QDate planned = p.field(QStringLiteral("JKONTAKTKUUP")).asDate();
        const bool differs = c.field(QStringLiteral("KONTAKTKUUP")).asDate() < planned ||
                             intOf(c, "AGENTKOOD") != intOf(p, "AGENTKOOD");
        bool remove = true;
        if (differs && m_data.ui()) {
            QString when = planned.toString(QStringLiteral("dd.MM.yyyy"));
            if (!p.field(QStringLiteral("JKONTAKTKELL")).isNull())
                when += QLatin1Char(' ') + p.field(QStringLiteral("JKONTAKTKELL")).text();
            const QString text =
                Translate(QStringLiteral("Kinnita")) + QStringLiteral(":\n") + Translate(QStringLiteral("Agent")) +
                QStringLiteral(" '") + p.field(QStringLiteral("AGENTNIMI")).asString() + QStringLiteral("':\n") +
                Translate(QStringLiteral("Kliendiga '%1' planeeritud kontakt %2"))
                    .arg(c.field(QStringLiteral("KLINIMI")).asString(), when) +
                QStringLiteral(" '") + p.field(QStringLiteral("JKONTAKTLIIKNIMI")).asString() + QStringLiteral("'\n") +
                Translate(QStringLiteral("Kontaktisik")) + QStringLiteral(": ") +
                p.field(QStringLiteral("KONTAKTISIKNIMI")).asString() + QStringLiteral("\n") +
                Translate(QStringLiteral("Teema")) + QStringLiteral(": ") + p.field(QStringLiteral("JKONTAKTTEEMA")).asString() +
                QStringLiteral("\n") + Translate(QStringLiteral("Kommentaarid")) + QStringLiteral(": ") +
                p.field(QStringLiteral("JKONTAKTKOMMENT")).asString() + QStringLiteral("\n\n") +
                Translate(QStringLiteral("Kas tühistame planeeringu ?"));
            remove = m_data.ui()->ask(text, Caption(), data::UserInterface::Buttons::YesNo) ==
                     data::UserInterface::Answer::Yes;
        }
        if (remove) {
            try {
                removePlan(planId);
            } catch (const fb::FbError &e) {
                // The contact stays saved; the plan stays too (another user may be changing it), and
                // the user is told so below.
                planFailure = std::make_exception_ptr(data::DataError(
                    Translate(QStringLiteral("Kontakt on salvestatud, kuid planeeringut ei saanud tühistada")) +
                    QStringLiteral(":\n") + e.message()));
            }
            m_data.PlansChanged();
            TdmKlientEdit1::RefreshOpenCards(m_data, client, 0, 0);
        }
        m_request.clientCode = 0;
        m_request.agentCode = 0;
        m_request.planId = 0;
    }
    m_plans->close();
    TdmKlientEdit1::RefreshOpenCards(m_data, client, 0, m_contactId);
    m_data.ContactsChanged();
    emit captionChanged();
    if (planFailure)
        std::rethrow_exception(planFailure);
}

void TdmKontaktEdit::CheckDelete()
{
    beforeDelete();
}

void TdmKontaktEdit::beforeDelete()
{
    const DataSet &c = *m_contact;
    const data::Session &s = m_data.session();
    const bool performed = c.field(QStringLiteral("KONTAKTTOIMUS")).asString() == QLatin1String(data::TData1::Yes);
    if (performed && s.Level <= 1)
        refuse(Translate(QStringLiteral("Kinnitatud kontakti muutmiseks / kustutamiseks vajalik kõrgem kasutajanivoo !")),
               Translate(Kontaktid));
    if (s.Level <= 3 && !isOwnContact())
        refuse(Translate(QStringLiteral("Agendil lubatud muuta / kustutada vaid oma kontakte!")), Translate(Kontaktid));
    m_deletedClient = intOf(c, "KLIKOOD");
}

void TdmKontaktEdit::afterDelete()
{
    data::SaveChangesAfterPost(*m_contact);
    TdmKlientEdit1::RefreshOpenCards(m_data, m_deletedClient, 0, 0);
    m_data.ContactsChanged();
    emit closeRequested();
}

bool TdmKontaktEdit::CanDelete(bool allowed) const
{
    const DataSet &c = *m_contact;
    if (!c.isActive() || c.isEmpty())
        return allowed;
    const data::Session &s = m_data.session();
    if (c.field(QStringLiteral("KONTAKTIDGRUPP")).asInt() > 0)
        return false;
    if (c.field(QStringLiteral("KONTAKTTOIMUS")).asString() == QLatin1String(data::TData1::Yes) && s.Level <= 1)
        return false;
    if (s.Level >= 3)
        return allowed;
    return allowed && s.AgentCode > 0 && intOf(c, "AGENTKOOD") == s.AgentCode;
}

bool TdmKontaktEdit::RegAgentEditable() const
{
    return m_data.session().Level >= 3;
}

bool TdmKontaktEdit::ProjectEditable() const
{
    return m_data.session().ProjectChoiceAllowed;
}

QString TdmKontaktEdit::translatedCaption() const
{
    const bool inserting = m_contact->state() == DataSet::State::Insert;
    return Translate(inserting ? QStringLiteral("Kontakti reg") : QStringLiteral("Toimunud kontakt"));
}

QString TdmKontaktEdit::Caption() const
{
    const DataSet &c = *m_contact;
    const QString client =
        c.isActive() && (!c.isEmpty() || c.isEditing()) ? c.field(QStringLiteral("KLIENDINIMI")).asString() : QString();
    return translatedCaption() + QStringLiteral(" - ") + client;
}

void TdmKontaktEdit::ShowClient()
{
    const int client = ClientCode();
    if (client > 0 && m_data.mainServices())
        m_data.mainServices()->OpenClientCard(client, 0);
}

void TdmKontaktEdit::PlanNextContact()
{
    const DataSet &c = *m_contact;
    const int client = ClientCode();
    if (client <= 0 || !m_data.mainServices())
        return;
    m_data.mainServices()->PlanContact(client, c.field(QStringLiteral("KLINIMI")).asString(), &c,
                                       c.field(QStringLiteral("KONTAKTISIKNIMI")).asString(), intOf(c, "KLIKISIKKOOD"));
}

void TdmKontaktEdit::Close()
{
    if (m_contact->isEditing())
        m_contact->cancel();
    m_contact->close();
    m_plans->close();
}

} // namespace contacts
