#pragma once

#include <QString>

namespace data {
class DataSet;
struct TMySQLDataSetFilter;
} // namespace data

namespace clients {

// What the contact persons summary's filter panel holds; empty means "not used".
struct ContactPersonFilterValues
{
    QString agentCode;
    QString agentName;
    QString clientCode;
    QString clientName;
    QString positionId;
    QString positionName;
    QString personActive = QStringLiteral("Y");
    QString clientActive = QStringLiteral("Y");
    QString name;
};

// The contact persons summary's conditions over KLIKISIK_KOOND_VIEW, built without a window.
class ContactPersonFilter
{
public:
    // Registers and applies the conditions; returns them joined (empty when the server refused the
    // statement, which keeps the previous one in force).
    static QString Apply(data::DataSet &persons, const ContactPersonFilterValues &values, bool *applied = nullptr);
    static ContactPersonFilterValues Restore(const data::TMySQLDataSetFilter &entry);
};

} // namespace clients
