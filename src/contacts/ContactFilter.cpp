#include "ContactFilter.h"

#include <vector>

#include <QDate>
#include <QStringList>

#include "clients/ClientFilter.h"
#include "data/FieldText.h"
#include "data/FilterBuilder.h"
#include "data/SqlHelpers.h"

namespace contacts {

namespace {

const QString AgentKood = QStringLiteral("AgentKood");
const QString KliKood = QStringLiteral("KliKood");
const QString KliKIsikKood = QStringLiteral("KliKIsikKood");
const QString KontaktLiik = QStringLiteral("KontaktLiik");
const QString ProjID = QStringLiteral("ProjID");
const QString RegAgentKood = QStringLiteral("RegAgentKood");
const QString KontaktToimus = QStringLiteral("KontaktToimus");
const QString KontaktKuup = QStringLiteral("KontaktKuup");

using Atom = data::FilterAtom;

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(data::FieldText::dateFormat()) : QString();
}

QString yesOrNo(const QString &value)
{
    return value == QLatin1String("Y") || value == QLatin1String("N") ? value : QString();
}

std::vector<Atom> plan(const ContactFilterValues &v)
{
    std::vector<Atom> atoms;
    auto key = [&atoms](const QString &atom, const QString &column, const QString &value, const QString &shown) {
        if (const QString k = clients::ClientFilter::KeyText(value); !k.isEmpty())
            atoms.push_back({atom, k, shown, column + QLatin1Char('=') + k});
    };
    key(AgentKood, QStringLiteral("AgentKood"), v.agentCode, v.agentName);
    key(KliKood, QStringLiteral("KliKood"), v.clientCode, v.clientName);
    key(KliKIsikKood, QStringLiteral("KliKIsikKood"), v.personCode, v.personName);
    key(KontaktLiik, QStringLiteral("KontaktLiik"), v.typeCode, v.typeName);
    key(ProjID, QStringLiteral("ProjID"), v.projectId, v.projectName);
    key(RegAgentKood, QStringLiteral("RegAgentKood"), v.regAgentCode, v.regAgentName);
    if (const QString performed = yesOrNo(v.performed); performed == QLatin1String("Y"))
        atoms.push_back({KontaktToimus, performed, QString(), QStringLiteral("KontaktToimus='Y'")});
    else if (performed == QLatin1String("N"))
        atoms.push_back(
            {KontaktToimus, performed, QString(), QStringLiteral("(KontaktToimus='N' OR KontaktToimus IS NULL)")});
    const QDate from = data::ParseUserDate(v.dateFrom);
    const QDate to = data::ParseUserDate(v.dateTo);
    if (from.isValid() || to.isValid())
        atoms.push_back(
            {KontaktKuup, dateText(from), dateText(to), data::SqlDateRange(QStringLiteral("KontaktKuup"), from, to)});
    return atoms;
}

} // namespace

ContactFilterResult ContactFilter::Apply(data::DataSet &contacts, const ContactFilterValues &values)
{
    const std::vector<Atom> atoms = plan(values);
    ContactFilterResult result;
    result.applied = data::ApplyAtoms(data::FilterFor(contacts), atoms, &result.where);
    return result;
}

ContactFilterValues ContactFilter::Restore(const data::TMySQLDataSetFilter &entry)
{
    ContactFilterValues v;
    QString value, shown;
    auto find = [&](const QString &key) { return data::FindAtom(entry, key, &value, &shown); };
    if (find(AgentKood))
        v.agentCode = value, v.agentName = shown;
    if (find(KliKood))
        v.clientCode = value, v.clientName = shown;
    if (find(KliKIsikKood))
        v.personCode = value, v.personName = shown;
    if (find(KontaktLiik))
        v.typeCode = value, v.typeName = shown;
    if (find(ProjID))
        v.projectId = value, v.projectName = shown;
    if (find(RegAgentKood))
        v.regAgentCode = value, v.regAgentName = shown;
    if (find(KontaktToimus))
        v.performed = yesOrNo(value);
    if (find(KontaktKuup))
        v.dateFrom = value, v.dateTo = shown;
    return v;
}

} // namespace contacts
