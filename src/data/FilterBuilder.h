#pragma once

#include <QString>

#include "TMySQLDataSetFilter.h"

namespace data {

class DataSet;
class Field;
class UserInterface;

// Filters narrow every list on the server: the dataset's select is rebuilt from the statement it was
// designed with, the conditions, extra tables, DISTINCT and the sort order, and reopened.

// Where "SQL Error" messages go; without one they are not shown.
void SetFilterUserInterface(UserInterface *ui);

// The registry entry of the dataset (by component name, created empty on first request).
TMySQLDataSetFilter &FilterFor(DataSet &dataSet);
// The entry of a dataset that may not exist yet, for filters preset before its window opens.
TMySQLDataSetFilter &FilterForName(const QString &name);
void BeginFilter(TMySQLDataSetFilter &entry);
void SetAtom(TMySQLDataSetFilter &entry, const QString &key, const QString &value, const QString &shownText,
             const QString &condition);
void AddTable(TMySQLDataSetFilter &entry, const QString &table);
void SetDistinct(TMySQLDataSetFilter &entry);
bool CommitFilter(TMySQLDataSetFilter &entry);
bool FindAtom(const TMySQLDataSetFilter &entry, const QString &key, QString *value = nullptr,
              QString *shownText = nullptr);
bool ApplyWhere(DataSet &dataSet, const QString &where);
bool ApplyOrder(DataSet &dataSet, const QString &order);
void ReopenDataSet(DataSet &dataSet);

// Rebuilds the statement; true on success or when nothing changed. On a server error the message is
// shown under "SQL Error" and the previous statement is back in force.
bool RewriteSelect(TMySQLDataSetFilter &entry, const QString &where, const QString &order, bool distinct,
                   const QString &extraTables);

// The statement text the rewrite produces (no dataset involved).
QString BuildSelect(const QString &base, const QString &where, const QString &order, bool distinct,
                    const QString &extraTables);

// The sort text of a grid column's field: the table-qualified column for data fields, the key fields
// for look-up fields, nothing for fields calculated on the client.
QString SortTextFor(const Field &field);

// Forgets every entry (at the end of the run, and between tests).
void ClearFilterRegistry();

} // namespace data
