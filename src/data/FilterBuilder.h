#pragma once

#include <vector>

#include <QString>
#include <QStringList>

#include "TMySQLDataSetFilter.h"

namespace data {

class DataSet;
class Field;
class UserInterface;

// Filters narrow every list on the server: the dataset's select is rebuilt from the statement it was
// designed with, the conditions, extra tables, DISTINCT and the sort order, and reopened.
//
// The registry keeps one entry per component name for the whole run; a reconnect does not clear it.
// Datasets of one name share the entry's conditions: every live dataset registered under the name
// (the main data module's list, a window's own list of the same name) is rewritten, each from its
// own base statement, whenever the conditions change; a dataset registered later gets the
// conditions in force at once. The entry holds only guarded pointers to its datasets, so datasets
// may be destroyed before or after the entry.

// Where "SQL Error" messages go; without one they are not shown.
void SetFilterUserInterface(UserInterface *ui);

// The registry entry of the dataset (by component name, created empty on first request); the dataset
// becomes a member of it.
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
// One criterion of a filter panel: its atom and its condition (empty: the atom only remembers).
struct FilterAtom
{
    QString key;
    QString value;
    QString shown;
    QString condition;
};
// A new atom set of these atoms in order, with the tables they join, committed. When the filter was
// applied, `where` gets the conditions joined with " AND " and true is returned.
bool ApplyAtoms(TMySQLDataSetFilter &entry, const std::vector<FilterAtom> &atoms, QString *where,
                const QStringList &tables = {}, bool distinct = false);
bool ApplyWhere(DataSet &dataSet, const QString &where);
bool ApplyOrder(DataSet &dataSet, const QString &order);
void ReopenDataSet(DataSet &dataSet);

// Rebuilds the statement of every live member; true on success or when nothing changed. On a server
// error the message is shown under "SQL Error" and every member has its previous statement again.
bool RewriteSelect(TMySQLDataSetFilter &entry, const QString &where, const QString &order, bool distinct,
                   const QString &extraTables);

// The statement text the rewrite produces (no dataset involved).
QString BuildSelect(const QString &base, const QString &where, const QString &order, bool distinct,
                    const QString &extraTables);

// The sort text of a grid column's field: the table-qualified column for data fields, the key fields
// for look-up fields, nothing for fields calculated on the client.
QString SortTextFor(const Field &field);

// Forgets every entry (at the end of the run, and between tests). Datasets are not touched.
void ClearFilterRegistry();

} // namespace data
