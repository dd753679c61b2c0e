#pragma once

#include <QString>
#include <QStringList>

namespace data {

// A statement text with named parameters (":NAME", ":OLD_NAME") turned into the positional form the
// server takes, with the names in their order. Colons inside quoted text and comments are left alone.
class ParamSql
{
public:
    ParamSql() = default;
    explicit ParamSql(const QString &sql);

    const QString &original() const { return m_original; }
    const QString &positional() const { return m_positional; }
    // Upper-cased parameter names in the order of their '?' marks (a name may repeat).
    const QStringList &names() const { return m_names; }
    bool isEmpty() const { return m_original.trimmed().isEmpty(); }

private:
    QString m_original;
    QString m_positional;
    QStringList m_names;
};

} // namespace data
