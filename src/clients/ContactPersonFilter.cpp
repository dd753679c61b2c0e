#include "ContactPersonFilter.h"

#include <QStringList>

#include "ClientFilter.h"
#include "data/FilterBuilder.h"
#include "data/SqlHelpers.h"

namespace clients {

namespace {

const QString AgentKood = QStringLiteral("AgentKood");
const QString KliKood = QStringLiteral("KliKood");
const QString AmetId = QStringLiteral("AMETID");
const QString PersonActive = QStringLiteral("KontaktIsikAktiivne");
const QString ClientActive = QStringLiteral("KlientAktiivne");
const QString PersonName = QStringLiteral("KontaktIsikNimi");

QString yesOrNo(const QString &value)
{
    return value == QLatin1String("Y") || value == QLatin1String("N") ? value : QString();
}

} // namespace

QString ContactPersonFilter::Apply(data::DataSet &persons, const ContactPersonFilterValues &v, bool *applied)
{
    data::TMySQLDataSetFilter &entry = data::FilterFor(persons);
    data::BeginFilter(entry);
    QStringList conditions;
    auto add = [&](const QString &key, const QString &value, const QString &shown, const QString &condition) {
        data::SetAtom(entry, key, value, shown, condition);
        if (!condition.isEmpty())
            conditions << condition;
    };
    if (const QString agent = ClientFilter::KeyText(v.agentCode); !agent.isEmpty()) {
        add(AgentKood, agent, v.agentName,
            QStringLiteral("KLIAGENT.KliKood=KLIKISIK_KOOND_VIEW.KliKood and KLIAGENT.AGENTKOOD=") + agent);
        data::AddTable(entry, QStringLiteral("KLIAGENT"));
    }
    if (const QString client = ClientFilter::KeyText(v.clientCode); !client.isEmpty())
        add(KliKood, client, v.clientName, QStringLiteral("KLIKISIK_KOOND_VIEW.KliKood=") + client);
    if (const QString position = ClientFilter::KeyText(v.positionId); !position.isEmpty())
        add(AmetId, position, v.positionName, QStringLiteral("AMETID=") + position);
    // Both activity atoms stay also when empty, so that a reopened window shows "all" again.
    const QString person = yesOrNo(v.personActive);
    add(PersonActive, person, QString(),
        person.isEmpty() ? QString() : QStringLiteral("KontaktIsikAktiivne='") + person + QLatin1Char('\''));
    const QString client = yesOrNo(v.clientActive);
    add(ClientActive, client, QString(),
        client.isEmpty() ? QString() : QStringLiteral("KlientAktiivne='") + client + QLatin1Char('\''));
    if (!v.name.isEmpty())
        add(PersonName, v.name, QString(), QStringLiteral("KontaktIsikNimi CONTAINING ") + data::SqlQuote(v.name));
    const bool ok = data::CommitFilter(entry);
    if (applied)
        *applied = ok;
    return ok ? conditions.join(QStringLiteral(" AND ")) : QString();
}

ContactPersonFilterValues ContactPersonFilter::Restore(const data::TMySQLDataSetFilter &entry)
{
    ContactPersonFilterValues v;
    QString value, shown;
    auto find = [&](const QString &key) { return data::FindAtom(entry, key, &value, &shown); };
    if (find(AgentKood))
        v.agentCode = value, v.agentName = shown;
    if (find(KliKood))
        v.clientCode = value, v.clientName = shown;
    if (find(AmetId))
        v.positionId = value, v.positionName = shown;
    if (find(PersonActive))
        v.personActive = yesOrNo(value);
    if (find(ClientActive))
        v.clientActive = yesOrNo(value);
    if (find(PersonName))
        v.name = value;
    return v;
}

} // namespace clients
