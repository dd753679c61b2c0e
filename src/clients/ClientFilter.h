#pragma once

#include <QString>
#include <QStringList>

namespace data {
class DataSet;
struct TMySQLDataSetFilter;
} // namespace data

namespace clients {

// What the client list's filter panel holds: chosen keys with the names shown for them, typed texts
// and the chosen operators. Empty means "not used".
struct ClientFilterValues
{
    QString agentCode;
    QString agentName;
    bool noAgent = false;
    QString name;
    QString relationType; // "1", "11" or "NULL"
    QString relationText;
    QString address;
    QString classifierGroupId;
    QString classifierGroupName;
    QString classifierId;
    QString classifierName;
    QString regular; // "Y" or "N"
    QString regularText;
    QString rating; // "1", "0", "-1" or "NULL"
    QString ratingText;
    QString active = QStringLiteral("Y");
    QString activeText;
    QString placeId;
    QString placeText;
    QString employeesOperator = QStringLiteral(">=");
    QString employees;
    QString turnoverOperator = QStringLiteral(">=");
    QString turnover;
    QString productGroupId;
    QString productGroupName;
    QString productId;
    QString productName;
    QString refinementId;
    QString refinementName;
    QString dateOperator = QStringLiteral(">=");
    QString dateAdded;
};

// The filter as applied: the conditions joined, the tables the conditions join in and whether the
// rows are made distinct (a client with two products of a group would come twice).
struct ClientFilterResult
{
    bool applied = false;
    QString where;
    QString extraTables;
    bool distinct = false;
};

// The client list's conditions, built without a window so that the list and the mass offer share
// them. Typed text reaches the statement only quoted, typed numbers and dates only after parsing,
// operators only from the fixed list.
class ClientFilter
{
public:
    // The comparison operators the panel offers.
    static const QStringList &Operators();
    // An operator of the list as it is; an empty or unknown one (a stored condition of another
    // version) counts as "=".
    static QString CheckedOperator(const QString &op);
    // A typed number as SQL text: blanks dropped, "," or "." as the decimal point ("1 000,50" is
    // 1000.50). Throws DataError naming `label` for anything else.
    static QString ParseNumber(const QString &text, const QString &label);
    // A whole number key of a picker or look-up as SQL text; empty when it is none.
    static QString KeyText(const QString &key);

    // Registers the conditions as the filter of `clients` and applies them. Values that do not parse
    // throw DataError before anything changes; a statement the server refuses leaves the previous one
    // in force and returns applied = false.
    static ClientFilterResult Apply(data::DataSet &clients, const ClientFilterValues &values);
    // The panel as the applied conditions of the filter left it.
    static ClientFilterValues Restore(const data::TMySQLDataSetFilter &entry);
    // The filter in words, the subtitle of the printed list.
    static QString Description(const ClientFilterValues &values);
};

} // namespace clients
