#pragma once

#include <memory>

#include <QHash>
#include <QString>
#include <QVariant>

#include "ParamSql.h"

namespace fb {
class Statement;
class Transaction;
} // namespace fb

namespace data {

// A single statement whose text is set at run time, with ":NAME" parameters: checks and commands
// without a row set, and one-row look-ups.
class SqlStatement
{
public:
    explicit SqlStatement(fb::Transaction &transaction);
    ~SqlStatement();

    void setSql(const QString &sql);
    const QString &sql() const { return m_sql.original(); }
    void setParam(const QString &name, const QVariant &value) { m_params[name.toUpper()] = value; }
    void clearParams() { m_params.clear(); }

    // Runs the statement; a select keeps its cursor for next().
    void exec();
    // The next row of a select; false at the end.
    bool next();
    QVariant value(int column) const;
    QVariant value(const QString &column) const;
    int rowsAffected() const { return m_rowsAffected; }
    // Runs a select and gives the first column of its first row (invalid when there is none).
    QVariant scalar();

private:
    fb::Transaction *m_transaction;
    ParamSql m_sql;
    QHash<QString, QVariant> m_params;
    std::unique_ptr<fb::Statement> m_statement;
    int m_rowsAffected = 0;
};

} // namespace data
