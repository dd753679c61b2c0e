#pragma once

#include <QString>
#include <QStringList>

namespace data {
class DataSet;
struct TMySQLDataSetFilter;
} // namespace data

namespace contacts {

// What the planned contacts list's filter panel holds: chosen keys with the names shown for them,
// typed dates and the chosen operator. Empty means "not used".
struct PlannedContactFilterValues
{
    QString agentCode;
    QString agentName;
    QString clientCode;
    QString clientName;
    QString typeCode;
    QString typeName;
    QString agreement; // "+", "-" or "?"
    QString agreementText;
    QString dateFrom;
    QString dateTo;
    QString deadlineOperator = QStringLiteral("<=");
    QString deadline;
};

struct PlannedContactFilterResult
{
    bool applied = false;
    QString where;
};

// The planned contacts list's conditions on KLIJKONT, built without a window. Keys reach the
// statement only as whole numbers, dates only after parsing, the agreement and the deadline's
// operator only from their fixed lists; names go only into the description.
class PlannedContactFilter
{
public:
    // The deadline comparisons offered, the first one the panel's starting choice.
    static const QStringList &DeadlineOperators();
    // The values of the agreement list: "Jah", "Ei" and "?".
    static const QStringList &Agreements();
    // Users below this level keep the agent filter the session gave them.
    static constexpr int AgentChoiceLevel = 2;
    static bool AgentChoiceAllowed(int level) { return level >= AgentChoiceLevel; }

    // Registers the conditions as the filter of `plans` and applies them. A date that does not parse
    // or an operator not in the list throws DataError before anything changes; a statement the
    // server refuses leaves the previous one in force and returns applied = false. Below the agent
    // choice level the agent of the filter in force stays, whatever `values` says.
    static PlannedContactFilterResult Apply(data::DataSet &plans, const PlannedContactFilterValues &values, int level);
    // The panel as the applied conditions of the filter left it.
    static PlannedContactFilterValues Restore(const data::TMySQLDataSetFilter &entry);
    // The filter in words, the subtitle of the printed list.
    static QString Description(const PlannedContactFilterValues &values);
};

} // namespace contacts
