#include "PlannedContactFilter.h"

#include <vector>

#include <QDate>

#include "clients/ClientFilter.h"
#include "data/DataError.h"
#include "data/FieldText.h"
#include "data/FilterBuilder.h"
#include "data/SqlHelpers.h"
#include "data/Translate.h"

namespace contacts {

namespace {

const QString AgentKood = QStringLiteral("AgentKood");
const QString KliKood = QStringLiteral("KliKood");
const QString JKontaktLiik = QStringLiteral("JKontaktLiik");
const QString JKontaktKokkulepe = QStringLiteral("JKontaktKokkulepe");
const QString JKontaktKuup = QStringLiteral("JKontaktKuup");
const QString JKontTahtaeg = QStringLiteral("JKontTahtaeg");

using Atom = data::FilterAtom;

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(data::FieldText::dateFormat()) : QString();
}

// The deadline's operator as chosen: empty counts as "=", anything not offered is refused.
QString deadlineOperator(const QString &op)
{
    const QString o = op.trimmed();
    if (o.isEmpty())
        return QStringLiteral("=");
    if (!PlannedContactFilter::DeadlineOperators().contains(o))
        throw data::DataError(Translate(QStringLiteral("Tähtaeg")) + QStringLiteral(": '") + op + QStringLiteral("' ") +
                              Translate(QStringLiteral("ei ole lubatud võrdlus !")));
    return o;
}

// Every condition worked out before the filter is touched: a value that does not parse stops the
// build with nothing changed.
std::vector<Atom> plan(const PlannedContactFilterValues &v)
{
    std::vector<Atom> atoms;
    const QString table = QStringLiteral("KLIJKONT");
    if (const QString agent = clients::ClientFilter::KeyText(v.agentCode); !agent.isEmpty())
        atoms.push_back({AgentKood, agent, v.agentName, table + QStringLiteral(".AgentKood=") + agent});
    if (const QString client = clients::ClientFilter::KeyText(v.clientCode); !client.isEmpty())
        atoms.push_back({KliKood, client, v.clientName, table + QStringLiteral(".KliKood=") + client});
    if (const QString type = clients::ClientFilter::KeyText(v.typeCode); !type.isEmpty())
        atoms.push_back({JKontaktLiik, type, v.typeName, table + QStringLiteral(".JKontaktLiik=") + type});
    if (PlannedContactFilter::Agreements().contains(v.agreement))
        atoms.push_back({JKontaktKokkulepe, v.agreement, QString(),
                         table + QStringLiteral(".JKontaktKokkulepe='") + v.agreement + QLatin1Char('\'')});
    const QDate from = data::ParseUserDate(v.dateFrom);
    const QDate to = data::ParseUserDate(v.dateTo);
    if (from.isValid() || to.isValid())
        atoms.push_back(
            {JKontaktKuup, dateText(from), dateText(to), data::SqlDateRange(QStringLiteral("JKontaktKuup"), from, to)});
    if (const QDate deadline = data::ParseUserDate(v.deadline); deadline.isValid()) {
        const QString op = deadlineOperator(v.deadlineOperator);
        QString condition = QStringLiteral("(JKontTahtaeg") + op + data::SqlDateLiteral(deadline);
        // A plan without a deadline is never overdue: it counts as due later than any date.
        if (op == QLatin1String(">=") || op == QLatin1String(">"))
            condition += QStringLiteral(" OR JKontTahtaeg IS NULL");
        atoms.push_back({JKontTahtaeg, dateText(deadline), op, condition + QLatin1Char(')')});
    }
    return atoms;
}

QString labelled(const char *label, const QString &text)
{
    return Translate(QString::fromUtf8(label)) + QStringLiteral(": '") + text + QLatin1Char('\'');
}

} // namespace

const QStringList &PlannedContactFilter::DeadlineOperators()
{
    return clients::ClientFilter::Operators();
}

const QStringList &PlannedContactFilter::Agreements()
{
    static const QStringList values = {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("?")};
    return values;
}

PlannedContactFilterResult PlannedContactFilter::Apply(data::DataSet &plans, const PlannedContactFilterValues &values,
                                                       int level)
{
    data::TMySQLDataSetFilter &entry = data::FilterFor(plans);
    PlannedContactFilterValues v = values;
    if (!AgentChoiceAllowed(level)) {
        v.agentCode.clear();
        v.agentName.clear();
        data::FindAtom(entry, AgentKood, &v.agentCode, &v.agentName);
    }
    const std::vector<Atom> atoms = plan(v);
    PlannedContactFilterResult result;
    result.applied = data::ApplyAtoms(entry, atoms, &result.where);
    return result;
}

PlannedContactFilterValues PlannedContactFilter::Restore(const data::TMySQLDataSetFilter &entry)
{
    PlannedContactFilterValues v;
    QString value, shown;
    auto find = [&](const QString &key) { return data::FindAtom(entry, key, &value, &shown); };
    if (find(AgentKood))
        v.agentCode = value, v.agentName = shown;
    if (find(KliKood))
        v.clientCode = value, v.clientName = shown;
    if (find(JKontaktLiik))
        v.typeCode = value, v.typeName = shown;
    if (find(JKontaktKokkulepe) && Agreements().contains(value))
        v.agreement = value;
    if (find(JKontaktKuup))
        v.dateFrom = value, v.dateTo = shown;
    if (find(JKontTahtaeg))
        v.deadline = value, v.deadlineOperator = DeadlineOperators().contains(shown) ? shown : QStringLiteral("=");
    return v;
}

QString PlannedContactFilter::Description(const PlannedContactFilterValues &v)
{
    using clients::ClientFilter;
    QStringList parts;
    if (!ClientFilter::KeyText(v.agentCode).isEmpty())
        parts << labelled("Agent", v.agentName);
    if (!ClientFilter::KeyText(v.clientCode).isEmpty())
        parts << labelled("Klient", v.clientName);
    if (!ClientFilter::KeyText(v.typeCode).isEmpty())
        parts << labelled("Kontaktiliik", v.typeName);
    const QString period =
        data::PeriodText(Translate(QStringLiteral("Kuupäev")), data::FieldText::parseDate(v.dateFrom),
                         data::FieldText::parseDate(v.dateTo));
    if (!period.isEmpty())
        parts << period;
    if (!v.deadline.trimmed().isEmpty()) {
        const QString op = v.deadlineOperator.trimmed().isEmpty() ? QStringLiteral("=") : v.deadlineOperator.trimmed();
        parts << Translate(QStringLiteral("Tähtaeg")) + op + QLatin1Char('\'') + v.deadline.trimmed() +
                     QLatin1Char('\'');
    }
    if (Agreements().contains(v.agreement) && !v.agreementText.isEmpty())
        parts << Translate(QStringLiteral("Kokkulepe")) + QStringLiteral(": ") + v.agreementText;
    return parts.join(QStringLiteral(" & "));
}

} // namespace contacts
