#pragma once

#include <QString>

namespace data {

// The refresh, insert, modify and delete statements of a dataset whose select joins other tables.
struct UpdateObject
{
    QString name;
    QString refreshSql;
    QString insertSql;
    QString modifySql;
    QString deleteSql;
};

} // namespace data
