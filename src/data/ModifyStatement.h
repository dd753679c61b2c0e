#pragma once

#include <vector>

#include <QHash>
#include <QString>
#include <QStringList>

#include "ParamSql.h"

namespace data {

// A dataset's modify statement taken apart, so that a post writes only the columns the user changed
// and finds the row only while those columns still hold the values that were read. That works for
// the plain form "update T set A = :A, B = :B where <condition>"; any other text (expressions,
// procedures, a parameter named unlike its column, RETURNING) is left as it stands.
class ModifyStatement
{
public:
    ModifyStatement() = default;
    explicit ModifyStatement(const QString &sql);

    const QString &original() const { return m_original; }
    bool isNarrowable() const { return m_narrowable; }
    // Upper-cased names of the assigned columns, which are also the fields that give their values.
    const QStringList &columns() const { return m_columns; }
    // The statement that assigns only the given columns (indexes into columns(), ascending) and adds
    // "COL is not distinct from :OLD_COL" for each of them to the condition, except for those also in
    // `unchecked`. Built once per set.
    const ParamSql &narrowed(const std::vector<int> &changed, const std::vector<int> &unchecked = {}) const;

private:
    QString m_original;
    bool m_narrowable = false;
    QString m_head;            // "update T set "
    QStringList m_assignments; // "A = :A" as written
    QStringList m_columnTexts; // "A" as written (quoted or qualified)
    QStringList m_columns;
    QString m_condition;
    mutable QHash<QString, ParamSql> m_built;
};

} // namespace data
