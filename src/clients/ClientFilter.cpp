#include "ClientFilter.h"

#include <QRegularExpression>

#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/SqlHelpers.h"
#include "data/Translate.h"

namespace clients {

namespace {

const QString AgentKood = QStringLiteral("AgentKood");
const QString AgentPuudub = QStringLiteral("AgentPuudub");
const QString KliNimi = QStringLiteral("KliNimi");
const QString SuhteTyyp = QStringLiteral("KLISUHTETYYP");
const QString KliAadress = QStringLiteral("KliAadress");
const QString KliKlassif1Gr = QStringLiteral("KliKlassif1Gr");
const QString KliKlassif1 = QStringLiteral("KliKlassif1");
const QString KliPysi = QStringLiteral("KliPysi");
const QString KliKvaliteet = QStringLiteral("KliKvaliteet");
const QString KlientAktiivne = QStringLiteral("KlientAktiivne");
const QString LinnValdKood = QStringLiteral("LinnValdKood");
const QString TootajateArv = QStringLiteral("TootajateArv");
const QString KliKaive = QStringLiteral("KliKaive");
const QString KliTooteGr = QStringLiteral("KliTooteGr");
const QString KliToode = QStringLiteral("KliToode");
const QString KliToodeLisa = QStringLiteral("KliToodeLisa");
const QString KliLisamKuup = QStringLiteral("KliLisamKuup");

// A value of a drop-down with a fixed list; anything else (a stored condition of another version)
// counts as nothing chosen.
QString oneOf(const QString &value, std::initializer_list<const char *> allowed)
{
    for (const char *a : allowed)
        if (value == QLatin1String(a))
            return value;
    return QString();
}

QString equalsOrNull(const QString &column, const QString &value)
{
    return value == QLatin1String("NULL") ? column + QStringLiteral(" IS NULL") : column + QLatin1Char('=') + value;
}

using Atom = data::FilterAtom;

// Everything the filter needs, worked out before the filter is touched: a value that does not parse
// stops the build with nothing changed.
struct Plan
{
    std::vector<Atom> atoms;
    QStringList tables;
    bool distinct = false;
};

Plan plan(const ClientFilterValues &v)
{
    Plan p;
    auto add = [&p](const QString &key, const QString &value, const QString &shown, const QString &condition) {
        p.atoms.push_back({key, value, shown, condition});
    };

    const QString agent = ClientFilter::KeyText(v.agentCode);
    if (!agent.isEmpty()) {
        add(AgentKood, agent, v.agentName,
            QStringLiteral("KLIAGENT.KliKood=KLIENTK.KliKood and KLIAGENT.AGENTKOOD=") + agent);
        p.tables << QStringLiteral("KLIAGENT");
    } else if (v.noAgent) {
        add(AgentPuudub, QString(), QString(),
            QStringLiteral("NOT EXISTS (select 1 from KLIAGENT where KLIAGENT.KliKood=KLIENTK.KliKood)"));
    }
    if (!v.name.isEmpty())
        add(KliNimi, v.name, QString(), QStringLiteral("KLIENTK.KliNimi CONTAINING ") + data::SqlQuote(v.name));
    if (const QString r = oneOf(v.relationType, {"1", "11", "NULL"}); !r.isEmpty())
        add(SuhteTyyp, r, QString(), equalsOrNull(QStringLiteral("KLIENTK.KLISUHTETYYP"), r));
    if (!v.address.isEmpty()) {
        const QString q = data::SqlQuote(v.address);
        add(KliAadress, v.address, QString(),
            QStringLiteral("(KLIENTK.KliAadress CONTAINING ") + q +
                QStringLiteral(" OR KLIENTK.KliAadress2 CONTAINING ") + q + QLatin1Char(')'));
    }
    if (const QString group = ClientFilter::KeyText(v.classifierGroupId); !group.isEmpty()) {
        const QString join = QStringLiteral("KL1KLI.KliKood = KLIENTK.KliKood and ");
        if (const QString c = ClientFilter::KeyText(v.classifierId); !c.isEmpty()) {
            add(KliKlassif1Gr, group, v.classifierGroupName, QString());
            add(KliKlassif1, c, v.classifierName, join + QStringLiteral("KL1KLI.Kl1ID=") + c);
        } else {
            add(KliKlassif1Gr, group, v.classifierGroupName, join + QStringLiteral("KL1KLI.Kl1GRID=") + group);
        }
        p.tables << QStringLiteral("KL1KLI");
    }
    if (const QString r = oneOf(v.regular, {"Y", "N"}); !r.isEmpty())
        add(KliPysi, r, QString(), QStringLiteral("KLIENTK.KliPysi='") + r + QLatin1Char('\''));
    if (const QString r = oneOf(v.rating, {"1", "0", "-1", "NULL"}); !r.isEmpty())
        add(KliKvaliteet, r, QString(), equalsOrNull(QStringLiteral("KLIENTK.KliKvaliteet"), r));
    // Kept also when empty, so that a reopened list knows the user chose "all".
    const QString active = oneOf(v.active, {"Y", "N"});
    add(KlientAktiivne, active, QString(),
        active.isEmpty() ? QString() : QStringLiteral("KLIENTK.KlientAktiivne='") + active + QLatin1Char('\''));
    if (const QString place = ClientFilter::KeyText(v.placeId); !place.isEmpty())
        add(LinnValdKood, place, v.placeText,
            QStringLiteral("(KLIENTK.LinnValdKood=") + place + QStringLiteral(" OR KLIENTK.LinnValdKood2=") + place +
                QLatin1Char(')'));
    if (!v.employees.trimmed().isEmpty()) {
        const QString op = ClientFilter::CheckedOperator(v.employeesOperator);
        add(TootajateArv, v.employees, op,
            QStringLiteral("KLIENTK.TootajateArv") + op +
                ClientFilter::ParseNumber(v.employees, Translate(QStringLiteral("Töötajate_arv"))));
    }
    if (!v.turnover.trimmed().isEmpty()) {
        const QString op = ClientFilter::CheckedOperator(v.turnoverOperator);
        add(KliKaive, v.turnover, op,
            QStringLiteral("KLIENTK.KliKaive") + op +
                ClientFilter::ParseNumber(v.turnover, Translate(QStringLiteral("Käive"))));
    }
    if (const QString group = ClientFilter::KeyText(v.productGroupId); !group.isEmpty()) {
        const QString product = ClientFilter::KeyText(v.productId);
        const QString refinement = ClientFilter::KeyText(v.refinementId);
        const QString join = QStringLiteral("KLITOODE.KliKood = KLIENTK.KliKood and ");
        add(KliTooteGr, group, v.productGroupName,
            product.isEmpty() && refinement.isEmpty() ? join + QStringLiteral("KLITOODE.TooteGrID=") + group
                                                      : QString());
        if (!product.isEmpty() || !refinement.isEmpty()) {
            QStringList tests;
            if (!product.isEmpty())
                tests << QStringLiteral("KLITOODE.TooteID=") + product;
            if (!refinement.isEmpty())
                tests << QStringLiteral("KLITOODE.TooteLisaID=") + refinement;
            const QString condition = join + tests.join(QStringLiteral(" AND "));
            if (!product.isEmpty())
                add(KliToode, product, v.productName, condition);
            if (!refinement.isEmpty())
                add(KliToodeLisa, refinement, v.refinementName, product.isEmpty() ? condition : QString());
        }
        p.tables << QStringLiteral("KLITOODE");
        p.distinct = true;
    }
    // A date that does not parse throws the conversion's own message; an empty field adds nothing.
    if (const QDate date = data::ParseUserDate(v.dateAdded); date.isValid()) {
        const QString op = ClientFilter::CheckedOperator(v.dateOperator);
        QString condition = QStringLiteral("(KLIENTK.KLILISAMKUUP") + op + data::SqlDateLiteral(date);
        // A client whose date was never recorded was added before anything with a date.
        if (op == QLatin1String("<=") || op == QLatin1String("<"))
            condition += QStringLiteral(" OR KLIENTK.KLILISAMKUUP IS NULL");
        add(KliLisamKuup, date.toString(QStringLiteral("dd.MM.yyyy")), op, condition + QLatin1Char(')'));
    }
    return p;
}

QString labelled(const char *label, const QString &text)
{
    return Translate(QString::fromUtf8(label)) + QStringLiteral(": '") + text + QLatin1Char('\'');
}

} // namespace

const QStringList &ClientFilter::Operators()
{
    static const QStringList ops = {QStringLiteral("<="), QStringLiteral("="), QStringLiteral(">="),
                                    QStringLiteral("<"),  QStringLiteral(">"), QStringLiteral("<>")};
    return ops;
}

QString ClientFilter::CheckedOperator(const QString &op)
{
    return Operators().contains(op) ? op : QStringLiteral("=");
}

QString ClientFilter::ParseNumber(const QString &text, const QString &label)
{
    QString t = text;
    t.remove(QRegularExpression(QStringLiteral("\\s")));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!number.match(t).hasMatch())
        throw data::DataError(label + QStringLiteral(": '") + text + QStringLiteral("' ") +
                              Translate(QStringLiteral("ei ole arv !")));
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

QString ClientFilter::KeyText(const QString &key)
{
    bool ok = false;
    const qlonglong k = key.trimmed().toLongLong(&ok);
    return ok ? QString::number(k) : QString();
}

ClientFilterResult ClientFilter::Apply(data::DataSet &clients, const ClientFilterValues &values)
{
    const Plan p = plan(values);
    data::TMySQLDataSetFilter &entry = data::FilterFor(clients);
    ClientFilterResult result;
    result.applied = data::ApplyAtoms(entry, p.atoms, &result.where, p.tables, p.distinct);
    // A statement the server refused has been reported; the list keeps what it showed.
    if (!result.applied)
        return result;
    result.extraTables = entry.appliedTables;
    result.distinct = entry.appliedDistinct;
    return result;
}

ClientFilterValues ClientFilter::Restore(const data::TMySQLDataSetFilter &entry)
{
    ClientFilterValues v;
    QString value, shown;
    auto find = [&](const QString &key) { return data::FindAtom(entry, key, &value, &shown); };
    if (find(AgentPuudub))
        v.noAgent = true;
    else if (find(AgentKood))
        v.agentCode = value, v.agentName = shown;
    if (find(KliNimi))
        v.name = value;
    if (find(SuhteTyyp))
        v.relationType = value;
    if (find(KliAadress))
        v.address = value;
    if (find(KliKlassif1Gr))
        v.classifierGroupId = value, v.classifierGroupName = shown;
    if (find(KliKlassif1))
        v.classifierId = value, v.classifierName = shown;
    if (find(KliPysi))
        v.regular = value;
    if (find(KliKvaliteet))
        v.rating = value;
    if (find(KlientAktiivne))
        v.active = value;
    if (find(LinnValdKood))
        v.placeId = value, v.placeText = shown;
    if (find(TootajateArv))
        v.employees = value, v.employeesOperator = CheckedOperator(shown);
    if (find(KliKaive))
        v.turnover = value, v.turnoverOperator = CheckedOperator(shown);
    if (find(KliTooteGr))
        v.productGroupId = value, v.productGroupName = shown;
    if (find(KliToode))
        v.productId = value, v.productName = shown;
    if (find(KliToodeLisa))
        v.refinementId = value, v.refinementName = shown;
    if (find(KliLisamKuup))
        v.dateAdded = value, v.dateOperator = CheckedOperator(shown);
    return v;
}

QString ClientFilter::Description(const ClientFilterValues &v)
{
    QStringList parts;
    if (!KeyText(v.agentCode).isEmpty())
        parts << labelled("Agent", v.agentName);
    else if (v.noAgent)
        parts << Translate(QStringLiteral("Agent määramata"));
    if (!v.name.isEmpty())
        parts << Translate(QStringLiteral("KliendiNimi")) + QStringLiteral(": '%") + v.name + QStringLiteral("%'");
    if (!v.relationText.isEmpty())
        parts << labelled("Suhe", v.relationText);
    if (!v.address.isEmpty())
        parts << Translate(QStringLiteral("Aadress")) + QStringLiteral(": '%") + v.address + QStringLiteral("%'");
    if (!KeyText(v.classifierGroupId).isEmpty()) {
        if (!KeyText(v.classifierId).isEmpty())
            parts << v.classifierGroupName + QStringLiteral("='") + v.classifierName + QLatin1Char('\'');
        else
            parts << Translate(QStringLiteral("Klassif.grupp")) + QStringLiteral("='") + v.classifierGroupName +
                         QLatin1Char('\'');
    }
    if (!v.regularText.isEmpty())
        parts << labelled("Püsiklient", v.regularText);
    if (!v.ratingText.isEmpty())
        parts << labelled("Hinnang", v.ratingText);
    if (!v.activeText.isEmpty())
        parts << labelled("Aktiivne", v.activeText);
    if (!KeyText(v.placeId).isEmpty())
        parts << labelled("Linn-vald", v.placeText);
    if (!v.employees.trimmed().isEmpty())
        parts << Translate(QStringLiteral("Töötajate_arv")) + CheckedOperator(v.employeesOperator) + QLatin1Char('\'') +
                     v.employees + QLatin1Char('\'');
    if (!v.turnover.trimmed().isEmpty())
        parts << Translate(QStringLiteral("Käive")) + CheckedOperator(v.turnoverOperator) + QLatin1Char('\'') +
                     v.turnover + QLatin1Char('\'');
    if (!KeyText(v.productGroupId).isEmpty()) {
        if (!KeyText(v.productId).isEmpty())
            parts << labelled("Toode", v.productName);
        else
            parts << labelled("Tootegrupp", v.productGroupName);
        if (!KeyText(v.refinementId).isEmpty())
            parts << labelled("Toote täpsustus", v.refinementName);
    }
    if (!v.dateAdded.trimmed().isEmpty())
        parts << Translate(QStringLiteral("Klient lisatud")) + CheckedOperator(v.dateOperator) + QLatin1Char('\'') +
                     v.dateAdded.trimmed() + QLatin1Char('\'');
    return parts.join(QStringLiteral(" & "));
}

} // namespace clients
