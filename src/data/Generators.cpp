#include "Generators.h"

#include "DataError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

Generators::Generators(fb::Transaction &transaction)
    : m_transaction(&transaction)
{
}

QStringList Generators::names()
{
    fb::Statement st(*m_transaction, QStringLiteral("SELECT RDB$GENERATOR_NAME FROM RDB$GENERATORS "
                                                    "WHERE RDB$SYSTEM_FLAG = 0 OR RDB$SYSTEM_FLAG is NULL "
                                                    "ORDER BY RDB$GENERATOR_NAME"));
    st.execute();
    QStringList out;
    while (st.fetch())
        out << st.getString(0).trimmed();
    st.closeCursor();
    return out;
}

bool Generators::isGenerator(const QString &name)
{
    // Compared with the list itself, letter for letter: only a name read from the database ever goes
    // into a statement.
    return !name.isEmpty() && names().contains(name);
}

void Generators::check(const QString &name)
{
    if (!isGenerator(name))
        throw data::DataError(QStringLiteral("'%1' is not a generator of this database").arg(name));
}

qint64 Generators::value(const QString &name)
{
    check(name);
    fb::Statement st(*m_transaction,
                     QStringLiteral("SELECT GEN_ID(") + quotedName(name) + QStringLiteral(", 0) FROM RDB$DATABASE"));
    st.execute();
    const qint64 v = st.fetch() ? st.getInt(0) : 0;
    st.closeCursor();
    return v;
}

void Generators::setValue(const QString &name, qint64 value)
{
    check(name);
    fb::Statement st(*m_transaction, QStringLiteral("SET GENERATOR ") + quotedName(name) + QStringLiteral(" TO ") +
                                         QString::number(value));
    st.execute();
    m_transaction->commitRetaining();
}

QString Generators::quotedName(const QString &name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}
