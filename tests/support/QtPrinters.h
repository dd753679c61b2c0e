#pragma once

#include <ostream>

#include <QString>
#include <QStringList>
#include <QVariant>

// Readable failure messages for Qt values in GoogleTest assertions.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']';
}

inline void PrintTo(const QVariant &v, std::ostream *os)
{
    *os << "QVariant(" << v.typeName() << ", " << v.toString().toStdString() << ')';
}
