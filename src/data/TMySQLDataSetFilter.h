#pragma once

#include <memory>
#include <vector>

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

// The filter state of one dataset, kept for the whole run under the dataset's component name.
struct TMySQLDataSetFilter
{
    QString name;
    DataSet *dataSet = nullptr;
    QString baseStatement;
    bool baseSaved = false;

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
