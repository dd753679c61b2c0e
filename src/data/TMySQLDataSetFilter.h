#pragma once

#include <list>
#include <memory>
#include <vector>

#include <QPointer>
#include <QString>

namespace data {

class DataSet;

// One named condition of a filter: only the condition reaches the statement; the value and the shown
// text let a window restore its filter controls.
struct MYSQLFILTERATOM
{
    QString key;
    QString value;
    QString shownText;
    QString condition;
};

using FilterAtomList = std::vector<MYSQLFILTERATOM>;

// A live dataset registered under the entry's name, with the statement it was designed with.
struct FilterMember
{
    QPointer<DataSet> dataSet; // null once the dataset is gone
    QString baseStatement;
    bool baseSaved = false;
};

// The filter state of one component name, kept for the whole run (across reconnects). Every live
// dataset of the name is a member and is rewritten from its own base statement.
struct TMySQLDataSetFilter
{
    QString name;
    std::list<FilterMember> members; // a list: members stay in place while others register

    QString appliedWhere;
    QString appliedOrder;
    QString appliedTables;
    bool appliedDistinct = false;
    FilterAtomList appliedAtoms;

    std::unique_ptr<FilterAtomList> pendingAtoms;
    QString pendingTables;
    bool pendingDistinct = false;
    bool modified = false;
};

} // namespace data
