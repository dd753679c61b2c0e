#pragma once

#include <QString>

namespace data {
class DataSet;
struct TMySQLDataSetFilter;
} // namespace data

namespace contacts {

// What the performed contacts list's filter panel holds; empty means "not used".
struct ContactFilterValues
{
    QString agentCode;
    QString agentName;
    QString clientCode;
    QString clientName;
    QString personCode;
    QString personName;
    QString typeCode;
    QString typeName;
    QString projectId;
    QString projectName;
    QString regAgentCode;
    QString regAgentName;
    QString performed; // "Y" or "N"
    QString dateFrom;
    QString dateTo;
};

struct ContactFilterResult
{
    bool applied = false;
    QString where;
};

// The performed contacts list's conditions on KONTAKT, built without a window. Keys reach the
// statement only as whole numbers and dates only after parsing; a contact whose performed flag was
// never set counts as not performed.
class ContactFilter
{
public:
    // Registers the conditions as the filter of `contacts` and applies them. A date that does not
    // parse throws DataError before anything changes; a statement the server refuses leaves the
    // previous one in force and returns applied = false.
    static ContactFilterResult Apply(data::DataSet &contacts, const ContactFilterValues &values);
    static ContactFilterValues Restore(const data::TMySQLDataSetFilter &entry);
};

} // namespace contacts
