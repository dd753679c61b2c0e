#include "SqlStatement.h"

#include "DataError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace data {

SqlStatement::SqlStatement(fb::Transaction &transaction) : m_transaction(&transaction) {}

SqlStatement::~SqlStatement() = default;

void SqlStatement::setSql(const QString &sql)
{
    if (sql == m_sql.original())
        return;
    m_sql = ParamSql(sql);
    m_statement.reset();
}

void SqlStatement::exec()
{
    if (!m_statement)
        m_statement = std::make_unique<fb::Statement>(*m_transaction, m_sql.positional());
    for (int i = 0; i < m_sql.names().size() && i < m_statement->paramCount(); ++i)
        m_statement->setValue(i, m_params.value(m_sql.names()[i]));
    m_statement->execute();
    const auto type = m_statement->type();
    m_rowsAffected = (type == fb::Statement::Type::Insert || type == fb::Statement::Type::Update
                      || type == fb::Statement::Type::Delete)
                         ? m_statement->affectedRows()
                         : 0;
}

bool SqlStatement::next()
{
    return m_statement && m_statement->fetch();
}

QVariant SqlStatement::value(int column) const
{
    if (!m_statement || column < 0 || column >= m_statement->columnCount())
        throw DataError(QStringLiteral("No column %1 in the statement's result").arg(column));
    return m_statement->value(column);
}

QVariant SqlStatement::value(const QString &column) const
{
    return value(m_statement ? m_statement->columnIndex(column) : -1);
}

QVariant SqlStatement::scalar()
{
    exec();
    const QVariant v = next() ? value(0) : QVariant();
    if (m_statement)
        m_statement->closeCursor();
    return v;
}

} // namespace data
